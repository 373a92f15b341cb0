// Replies decoded on a communication thread are handled on the UI thread, in arrival order; video
// data stays on the communication thread.
#include "LinkTestSupport.h"
#include "ReplyTestSupport.h"

#include "device/UiReplyRelay.h"
#include "device/VideoPacketSink.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <thread>

namespace {

using namespace std::chrono_literals;

QCoreApplication& App()
{
    static int argc = 1;
    static char name[] = "reply_relay_threaded_test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = new QCoreApplication(argc, argv);
    return *app;
}

// Records each loop-out post with the value the device state held when it was posted.
class OrderRecorder final : public MainWindowLink {
public:
    explicit OrderRecorder(const CDeviceData& dev) : dev_(dev) {}
    void PostRefresh(int32_t w, int32_t) override
    {
        if (QThread::currentThread() != App().thread()) ++offThread;
        if (w == REPLY_LOOP_OUT) values.push_back(dev_.loopOutIp);
        if (w == REPLY_ALL_DATA) blocks.push_back(BlockBytes(dev_));
    }
    void NotifyReplyStatus(uint8_t s) override
    {
        if (QThread::currentThread() != App().thread()) ++offThread;
        statuses.push_back(s);
    }
    void HideBusyDialog() override {}
    void PostDeviceFound(const QString&, const std::array<uint8_t, 6>&) override {}

    const CDeviceData& dev_;
    std::vector<int> values;
    std::vector<std::vector<uint8_t>> blocks;
    std::vector<int> statuses;
    int offThread = 0;
};

class RelayThreaded : public ::testing::Test {
protected:
    void SetUp() override
    {
        App();
        comm::InstallCommLibrary(&comm_);
        SetMainWindowLink(&recorder_);
    }
    void TearDown() override
    {
        SetMainWindowLink(nullptr);
        comm::InstallCommLibrary(nullptr);
        SetVideoPacketSink(nullptr);
        g_DeviceAddress = kDefaultDeviceAddress;
    }

    // Processes the UI thread's events until pred holds (bounded so a failure cannot hang).
    template <typename Pred>
    bool RunUntil(Pred pred)
    {
        QElapsedTimer t;
        t.start();
        while (!pred() && t.elapsed() < 20000) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return pred();
    }

    comm::RecordingCommLibrary comm_;
    CDeviceData dev_;
    OrderRecorder recorder_{dev_};
    ManualTimerSource clock_;
    ReplyHandlers handlers_{dev_, clock_};
};

TEST_F(RelayThreaded, RepliesFromTheCommThreadAreHandledOnTheUiThreadInArrivalOrder)
{
    UiReplyRelay relay(handlers_);
    relay.RegisterAll();
    for (int id = 0; id < comm::kReplyIdCount; ++id) EXPECT_EQ(comm_.HandlerRegistrations(id), 1);

    constexpr int kCount = 500;
    std::thread commThread([this] {
        for (int n = 0; n < kCount; ++n) {
            ASSERT_TRUE(comm_.Deliver(Packet(REPLY_LOOP_OUT, {static_cast<uint8_t>(n)}, static_cast<uint8_t>(n))));
        }
    });
    commThread.join();
    // Nothing has run yet: the handlers wait for the UI thread's event loop.
    EXPECT_TRUE(recorder_.values.empty());
    EXPECT_EQ(dev_.loopOutIp, 0);

    ASSERT_TRUE(RunUntil([&] { return recorder_.statuses.size() == kCount; }));
    ASSERT_EQ(recorder_.values.size(), static_cast<std::size_t>(kCount));
    for (int n = 0; n < kCount; ++n) {
        EXPECT_EQ(recorder_.values[n], n % 256);
        EXPECT_EQ(recorder_.statuses[n], n % 256);
    }
    EXPECT_EQ(recorder_.offThread, 0);
}

TEST_F(RelayThreaded, TwoCommThreadsKeepEachOnesOrder)
{
    UiReplyRelay relay(handlers_);
    relay.RegisterAll();
    constexpr int kEach = 200;
    auto sender = [this](uint8_t base) {
        for (int n = 0; n < kEach; ++n)
            comm_.Deliver(Packet(REPLY_STATUS, {}, static_cast<uint8_t>(base + (n % 100))));
    };
    std::thread a(sender, uint8_t(0));
    std::thread b(sender, uint8_t(100));
    a.join();
    b.join();
    ASSERT_TRUE(RunUntil([&] { return recorder_.statuses.size() == 2 * kEach; }));
    std::vector<int> fromA, fromB;
    for (int s : recorder_.statuses) (s < 100 ? fromA : fromB).push_back(s);
    ASSERT_EQ(fromA.size(), static_cast<std::size_t>(kEach));
    for (int n = 0; n < kEach; ++n) {
        EXPECT_EQ(fromA[n], n % 100);
        EXPECT_EQ(fromB[n], 100 + n % 100);
    }
    EXPECT_EQ(recorder_.offThread, 0);
}

TEST_F(RelayThreaded, OnlyTheProcessorTheCommandsGoToReplacesTheConfiguration)
{
    // Both linked, as a search's joint link leaves them; the operator chose the first and read it.
    auto chosen = StartEmulator("127.0.0.91");
    auto stranger = StartEmulator("127.0.0.92");
    comm::DeviceLink link(OptionsFor(*chosen, *stranger));
    comm::InstallCommLibrary(&link);
    UiReplyRelay relay(handlers_);
    relay.RegisterAll();
    for (auto* e : {chosen.get(), stranger.get()}) link.ConnectNet(e->Ip().c_str(), comm::kDevicePort);
    g_DeviceAddress = chosen->Address();
    dev_.SendCommand(CMD_GET_ALL_DATA);
    ASSERT_TRUE(RunUntil([&] { return !recorder_.blocks.empty(); }));
    EXPECT_EQ(recorder_.blocks[0], chosen->Block());

    // Later the other one sends its whole configuration unasked.
    ASSERT_TRUE(stranger->WaitReceived([](const auto& log) { return !log.empty(); }, 5000ms));
    const uint64_t dropped = RepliesFromOtherProcessors();
    stranger->Broadcast(Packet(REPLY_ALL_DATA, stranger->Block()));
    ASSERT_TRUE(RunUntil([&] { return RepliesFromOtherProcessors() > dropped || recorder_.blocks.size() > 1; }));
    EXPECT_EQ(RepliesFromOtherProcessors(), dropped + 1);
    EXPECT_EQ(recorder_.blocks.size(), 1u);
    link.Shutdown();
}

TEST_F(RelayThreaded, VideoDataIsPushedOnTheCommThread)
{
    UiReplyRelay relay(handlers_);
    relay.RegisterAll();
    std::atomic<int> pushed{0};
    std::atomic<int> onUiThread{0};
    std::atomic<int> badChannel{0};
    SetVideoPacketSink([&](int ch, const uint8_t* data, std::size_t n) {
        if (QThread::currentThread() == App().thread()) ++onUiThread;
        if (ch < 0 || ch > 3 || n != 3 || data[0] != 0xAB) ++badChannel;
        ++pushed;
    });
    int valid = 0;
    for (int n = 0; n < 100; ++n) valid += (n % 6) < 4 ? 1 : 0;
    std::thread commThread([this] {
        for (int n = 0; n < 100; ++n) comm_.Deliver(Packet(REPLY_VIDEO_DATA, {0xAB, 1, 2}, 0, n % 6));
    });
    commThread.join();
    // Channels 4 and 5 were dropped; the rest arrived before the UI thread ran at all.
    EXPECT_EQ(pushed.load(), valid);
    EXPECT_EQ(onUiThread.load(), 0);
    EXPECT_EQ(badChannel.load(), 0);
    QCoreApplication::processEvents();
    EXPECT_TRUE(recorder_.statuses.empty());
}

TEST_F(RelayThreaded, SinkCanBeSwappedWhileTheCommThreadPushes)
{
    std::atomic<bool> stop{false};
    std::atomic<int> pushed{0};
    std::thread commThread([&] {
        const uint8_t data[4] = {1, 2, 3, 4};
        while (!stop.load()) OnReplyVideoData(data, sizeof data, 2);
    });
    for (int n = 0; n < 200; ++n) {
        SetVideoPacketSink([&pushed](int, const uint8_t*, std::size_t) { ++pushed; });
        SetVideoPacketSink(nullptr);
    }
    stop = true;
    commThread.join();
    const int after = pushed.load();
    const uint8_t data[1] = {9};
    OnReplyVideoData(data, 1, 0);
    EXPECT_EQ(pushed.load(), after);  // removed means never called again
}

TEST_F(RelayThreaded, RepliesStillQueuedWhenTheRelayGoesAreDiscarded)
{
    comm::ReplyHandler handler;
    {
        UiReplyRelay relay(handlers_);
        handler = relay.CommHandler();
        std::thread commThread([&] {
            for (int n = 0; n < 50; ++n) handler(Packet(REPLY_LOOP_OUT, {1}, 1));
        });
        commThread.join();
    }
    // After the relay is gone the library may still call; nothing happens.
    std::thread late([&] { handler(Packet(REPLY_LOOP_OUT, {2}, 1)); });
    late.join();
    QCoreApplication::processEvents();
    EXPECT_TRUE(recorder_.statuses.empty());
    EXPECT_EQ(dev_.loopOutIp, 0);
}

TEST_F(RelayThreaded, RegisterReplyHandlersBindsTheProcessWideStateAndTimers)
{
    GetDeviceData().loopOutIp = 0;
    RegisterReplyHandlers();
    for (int id = 0; id < comm::kReplyIdCount; ++id) EXPECT_EQ(comm_.HandlerRegistrations(id), 1);

    std::thread commThread([this] {
        comm_.Deliver(Packet(REPLY_LOOP_OUT, {42}, 3));
        comm_.Deliver(Packet(REPLY_EVENT, {3}, 4));  // a 40 ms pause on a real timer
    });
    commThread.join();
    ASSERT_TRUE(RunUntil([&] { return recorder_.statuses.size() == 2; }));
    EXPECT_EQ(GetDeviceData().loopOutIp, 42);
    EXPECT_EQ(recorder_.statuses, (std::vector<int>{3, 4}));
    const auto cmds = comm_.Commands();
    ASSERT_EQ(cmds.size(), 6u);
    EXPECT_EQ(cmds[0].id, CMD_QUERY_63);
    EXPECT_EQ(cmds[5].id, CMD_QUERY_WORK_MODE);
    EXPECT_EQ(recorder_.offThread, 0);
}

}  // namespace
