#pragma once
// Shared by the reply tests: a main-window double that writes every post, status report and
// busy-dialog hide into one sequence, interleaved with the commands the recording library saw,
// and a fixture that gives each test its own device state, manual clock and handlers.

#include "comm/QVN_Comm.h"
#include "comm/RecordingCommLibrary.h"
#include "device/CDeviceData.h"
#include "device/MainWindowLink.h"
#include "device/ReplyAdapter.h"
#include "device/ReplyHandlers.h"
#include "device/TimerSource.h"

#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

// "send <id> <first block byte>": queries without parameters show 85 (the 0x55 fill).
inline std::string Cmd(int id, int b0 = 0x55) { return "send " + std::to_string(id) + " " + std::to_string(b0); }
inline std::string PostMsg(int w, int l = 0) { return "post " + std::to_string(w) + " " + std::to_string(l); }
inline std::string StatusMsg(int s) { return "status " + std::to_string(s); }
inline const std::string kHide = "hide";

class ReplyRecorder final : public MainWindowLink {
public:
    explicit ReplyRecorder(comm::RecordingCommLibrary& comm) : comm_(comm) {}

    void PostRefresh(int32_t w, int32_t l) override { Add(PostMsg(w, l)); }
    void NotifyReplyStatus(uint8_t status) override { Add(StatusMsg(status)); }
    void HideBusyDialog() override { Add(kHide); }
    void PostDeviceFound(const QString& ip, const std::array<uint8_t, 6>& mac) override
    {
        std::string text = "found " + ip.toStdString();
        for (uint8_t b : mac) text += " " + std::to_string(b);
        Add(text);
    }

    std::vector<std::string> Sequence()
    {
        SyncSends();
        return log_;
    }
    void Clear()
    {
        SyncSends();
        log_.clear();
    }
    // Calls made on a thread other than the one that created the recorder.
    int OffThreadCalls() const { return offThread_.load(); }

private:
    void Add(std::string entry)
    {
        if (QThread::currentThread() != owner_) ++offThread_;
        SyncSends();
        log_.push_back(std::move(entry));
    }
    void SyncSends()
    {
        const auto calls = comm_.Calls();
        for (; seen_ < calls.size(); ++seen_) {
            const auto& c = calls[seen_];
            if (c.op == comm::RecordedCall::Op::SendCommand)
                log_.push_back(Cmd(c.id, c.bytes.empty() ? -1 : c.bytes[0]));
            else if (c.op == comm::RecordedCall::Op::SendBlock)
                log_.push_back("block");
        }
    }

    comm::RecordingCommLibrary& comm_;
    QThread* owner_ = QThread::currentThread();
    std::atomic<int> offThread_{0};
    std::size_t seen_ = 0;
    std::vector<std::string> log_;
};

inline comm::ReplyPacket Packet(int id, std::vector<uint8_t> payload, uint8_t status = 0, int32_t a0 = 0,
                                int32_t a1 = 0)
{
    comm::ReplyPacket p;
    p.replyId = id;
    p.status = status;
    p.args[0] = a0;
    p.args[1] = a1;
    p.payload = std::move(payload);
    return p;
}

inline void PutU16(std::vector<uint8_t>& v, std::size_t at, uint16_t x)
{
    v[at] = static_cast<uint8_t>(x);
    v[at + 1] = static_cast<uint8_t>(x >> 8);
}

inline void PutU32(std::vector<uint8_t>& v, std::size_t at, uint32_t x)
{
    for (int n = 0; n < 4; ++n) v[at + static_cast<std::size_t>(n)] = static_cast<uint8_t>(x >> (8 * n));
}

inline std::vector<uint8_t> BlockBytes(const CDeviceData& d)
{
    std::vector<uint8_t> out(sizeof(DeviceParamBlock));
    std::memcpy(out.data(), &d.Block(), out.size());
    return out;
}

class ReplyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        comm::InstallCommLibrary(&comm_);
        SetMainWindowLink(&recorder_);
        g_DeviceAddress = kDefaultDeviceAddress;
    }
    void TearDown() override
    {
        SetMainWindowLink(nullptr);
        comm::InstallCommLibrary(nullptr);
        g_DeviceAddress = kDefaultDeviceAddress;
    }

    bool Deliver(const comm::ReplyPacket& p) { return DispatchReply(handlers_, p); }
    std::vector<std::string> Seq() { return recorder_.Sequence(); }

    comm::RecordingCommLibrary comm_;
    ReplyRecorder recorder_{comm_};
    std::unique_ptr<CDeviceData> devOwner_ = std::make_unique<CDeviceData>();
    CDeviceData& dev_ = *devOwner_;
    ManualTimerSource clock_;
    ReplyHandlers handlers_{dev_, clock_};
};
