// An emulated processor floods the program with whole blocks and status replies over loopback.
// The hand-over to the UI thread stays within its caps, the UI thread's timers keep firing during
// the flood, and the newest block and status are the ones that end up applied.

#include "LinkTestSupport.h"

#include "comm/Frame.h"
#include "comm/QVN_Comm.h"
#include "device/CDeviceData.h"
#include "device/MainWindowLink.h"
#include "device/ReplyHandlers.h"
#include "device/TimerSource.h"
#include "device/UiReplyRelay.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace {

uint32_t Stamp(const uint8_t* blockEnd)
{
    return uint32_t(blockEnd[-4]) | uint32_t(blockEnd[-3]) << 8 | uint32_t(blockEnd[-2]) << 16 |
           uint32_t(blockEnd[-1]) << 24;
}

// Records what the handlers report and ends the current wait once its condition holds: the test
// waits on events, never by polling.
class FloodRecorder final : public MainWindowLink {
public:
    explicit FloodRecorder(const CDeviceData& dev) : dev_(dev) {}
    void PostRefresh(int32_t w, int32_t) override
    {
        // The block as reply 2 left it: answers of the read-out chain that follows change it again.
        if (w == REPLY_ALL_DATA) lastBlockStamp = Stamp(reinterpret_cast<const uint8_t*>(&dev_.Block()) + sizeof(DeviceParamBlock));
        Check();
    }
    void NotifyReplyStatus(uint8_t status) override
    {
        if (status & 0x80) lastFloodStatus = status;
        ++statuses;
        Check();
    }
    void HideBusyDialog() override {}
    void PostDeviceFound(const QString&, const std::array<uint8_t, 6>&) override {}
    void PostOnline(uint8_t on, uint8_t) override
    {
        online = on;
        Check();
    }

    // Runs the event loop until done() holds after some report, or ms pass.
    bool RunUntil(std::function<bool()> done, int ms)
    {
        if (done()) return true;
        QEventLoop loop;
        loop_ = &loop;
        done_ = std::move(done);
        QTimer::singleShot(ms, &loop, [&loop] { loop.quit(); });
        loop.exec();
        loop_ = nullptr;
        return done_();
    }
    void Check()
    {
        if (loop_ && done_ && done_()) loop_->quit();
    }

    int online = -1;
    int lastFloodStatus = -1;
    int64_t lastBlockStamp = -1;
    uint64_t statuses = 0;

private:
    const CDeviceData& dev_;
    QEventLoop* loop_ = nullptr;
    std::function<bool()> done_;
};

}  // namespace

TEST(ReplyFlood, StaysWithinTheCapsKeepsTheUiTurningAndEndsWithTheNewest)
{
    int argc = 0;
    QCoreApplication app(argc, nullptr);
    auto emulator = StartEmulator("127.0.0.75");
    comm::DeviceLinkOptions options;  // the library's own timings
    options.tcpPortByIp[emulator->Ip()] = emulator->TcpPort();
    comm::DeviceLink link(options);
    comm::InstallCommLibrary(&link);
    CDeviceData dev;
    FloodRecorder recorder(dev);
    SetMainWindowLink(&recorder);
    QtTimerSource timers;
    ReplyHandlers handlers(dev, timers);
    const ReplyQueueLimits limits{2048, 8 * 1024 * 1024};
    UiReplyRelay relay(handlers, limits);
    for (int id = 0; id < comm::kReplyIdCount; ++id) link.RegisterHandler(relay.CommHandler(), id);

    link.ConnectNet(emulator->Ip().c_str(), comm::kDevicePort);
    ASSERT_TRUE(recorder.RunUntil([&] { return recorder.online == 1; }, 10000));

    emulator->SetReplyFlood(true);
    ASSERT_TRUE(recorder.RunUntil([&] { return recorder.lastFloodStatus >= 0; }, 20000)) << "no flood arrived";

    // A timer started during the flood fires while the flood goes on.
    bool fired = false;
    uint64_t floodAtFire = 0;
    QTimer::singleShot(50, [&] {
        fired = true;
        floodAtFire = emulator->FloodReplies();
        recorder.Check();
    });
    ASSERT_TRUE(recorder.RunUntil([&] { return fired; }, 20000)) << "the UI thread did not get to its timer";
    // Let the flood run on a little past the timer, handled as it comes, until it has got ahead of
    // the UI thread so far that waiting replies were superseded (on a loaded machine that can take
    // a while).
    const uint64_t handledAtFire = relay.Stats().taken;
#if defined(__SANITIZE_THREAD__)
    // Under ThreadSanitizer the emulator's flood is too slow to get ahead of the UI thread.
    const bool mustOutrun = false;
#else
    const bool mustOutrun = true;
#endif
    bool outran = !mustOutrun;
    ASSERT_TRUE(recorder.RunUntil([&] {
        const ReplyQueueStats s = relay.Stats();
        outran = outran || s.coalesced + s.dropped > 0;
        return s.taken > handledAtFire + 2000 && outran;
    }, 20000)) << "the flood never outran the UI thread";
    emulator->SetReplyFlood(false);
    EXPECT_GT(emulator->FloodReplies(), floodAtFire) << "the flood had ended when the timer fired";

    const std::vector<uint8_t> newestBlock = emulator->LastFloodBlock();
    const int newestStatus = emulator->LastFloodStatus();
    ASSERT_EQ(newestBlock.size(), sizeof(DeviceParamBlock));
    const int64_t newestStamp = Stamp(newestBlock.data() + newestBlock.size());
    EXPECT_TRUE(recorder.RunUntil(
        [&] { return recorder.lastFloodStatus == newestStatus && recorder.lastBlockStamp == newestStamp; }, 20000))
        << "status " << recorder.lastFloodStatus << " of " << newestStatus << ", block " << recorder.lastBlockStamp
        << " of " << newestStamp;

    const ReplyQueueStats stats = relay.Stats();
    EXPECT_LE(stats.peakQueued, limits.maxReplies);
    EXPECT_LE(stats.peakBytes, limits.maxBytes + ReplyQueue::Cost(comm::ReplyPacket{2, 0, 0, {0, 0}, newestBlock}));
    const comm::DeviceLinkStats linkStats = link.Stats();
    EXPECT_LE(linkStats.peakBuffered, 64 * 1024 + comm::kFrameOverhead + comm::kReplyHeaderSize + sizeof(DeviceParamBlock));
    EXPECT_EQ(linkStats.silenceDrops, 0u);

    link.Shutdown();
    SetMainWindowLink(nullptr);
    comm::InstallCommLibrary(nullptr);
}
