// Connect to an emulated processor over TCP on loopback, read everything through the real reply
// handlers (handed over to this thread's event loop), and send the block back.

#include "LinkTestSupport.h"
#include "tests/support/EventLoopWait.h"

#include "comm/QVN_Comm.h"
#include "device/CDeviceData.h"
#include "device/MainWindowLink.h"
#include "device/UiReplyRelay.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <utility>
#include <vector>

namespace {

std::vector<uint8_t> DeviceBlockBytes()
{
    std::vector<uint8_t> bytes(kParamBlockBytes);
    std::memcpy(bytes.data(), &GetDeviceData().Block(), bytes.size());
    return bytes;
}

class PostLog final : public MainWindowLink {
public:
    void PostRefresh(int32_t w, int32_t l) override
    {
        posts.emplace_back(w, l);
        CheckThread();
        // The block as reply 2 left it: later answers of the read-out chain change it again.
        if (w == REPLY_ALL_DATA && blockAtReply2.empty()) blockAtReply2 = DeviceBlockBytes();
    }
    void NotifyReplyStatus(uint8_t status) override { posts.emplace_back(23, status); CheckThread(); }
    void HideBusyDialog() override { ++hides; }
    void PostDeviceFound(const QString& ip, const std::array<uint8_t, 6>&) override { found.push_back(ip); }
    bool Saw(int32_t w) const
    {
        for (const auto& p : posts)
            if (p.first == w) return true;
        return false;
    }
    void CheckThread() { if (QThread::currentThread() != qApp->thread()) offThread = true; }

    std::vector<std::pair<int32_t, int32_t>> posts;
    std::vector<QString> found;
    std::vector<uint8_t> blockAtReply2;
    int hides = 0;
    bool offThread = false;
};

}  // namespace

TEST(EmulatorReadout, ReadAllThroughTheRealHandlersAndSendTheBlockBack)
{
    int argc = 0;
    QCoreApplication app(argc, nullptr);
    auto emulator = StartEmulator("127.0.0.5");
    // The library's own timings: a loaded test machine must not look like a silent processor.
    comm::DeviceLinkOptions options;
    options.tcpPortByIp[emulator->Ip()] = emulator->TcpPort();
    comm::DeviceLink link(options);
    comm::InstallCommLibrary(&link);
    PostLog log;
    SetMainWindowLink(&log);
    RegisterReplyHandlers();

    g_DeviceAddress = emulator->Address();
    ASSERT_TRUE(GetDeviceData().ConnectDeviceByIp(QStringLiteral("127.0.0.5")));
    GetDeviceData().SendCommand(CMD_GET_ALL_DATA);

    ASSERT_TRUE(SpinUntil([&] { return log.Saw(REPLY_ALL_DATA); })) << "no reply 2";
    EXPECT_EQ(log.blockAtReply2, emulator->Block());

    // After 200 ms the handler's follow-up queries reach the processor, in order.
    const std::vector<int32_t> chain{70, 66, 67, 62, 60, 73, 68};
    auto sawChain = [&] {
        const auto ids = CommandIds(emulator->Received());
        return std::search(ids.begin(), ids.end(), chain.begin(), chain.end()) != ids.end();
    };
    ASSERT_TRUE(SpinUntil(sawChain)) << "follow-up queries missing";
    EXPECT_FALSE(log.offThread);

    // Let the answers to the chain land (the last query, 68, answers with the preset flags).
    ASSERT_TRUE(SpinUntil([&] { return log.Saw(REPLY_PRESET_FLAGS); })) << "chain answers missing";
    QThread::msleep(100);
    QCoreApplication::processEvents();

    // A change made here goes back whole by command 22.
    GetDeviceData().outputReso.hReso = 1234;
    GetDeviceData().chnl[2].alpha = 77;
    const auto sent = DeviceBlockBytes();
    GetDeviceData().SendCommand(CMD_SEND_ALL_DATA);
    ASSERT_TRUE(SpinUntil([&] { return emulator->Block() == sent; })) << "block not stored";

    QVN_Comm_Shutdown();
    SetMainWindowLink(nullptr);
    comm::InstallCommLibrary(nullptr);
    emulator->Stop();
}
