#include "LinkTestSupport.h"
#include "ReplyCollector.h"

#include <algorithm>
#include <thread>

using namespace std::chrono_literals;

namespace {

int CountOnline(const std::vector<comm::ReplyPacket>& all, uint8_t online)
{
    int n = 0;
    for (const auto& p : all)
        if (p.replyId == 0 && p.payload.size() == 1 && p.payload[0] == online) ++n;
    return n;
}

}  // namespace

TEST(LinkHealth, DroppedLinkGoesOfflineAndReconnectsWhenTheProcessorReturns)
{
    auto emu = StartEmulator("127.0.0.3");
    comm::DeviceLink link(OptionsFor(*emu));
    ReplyCollector replies(link);
    link.ConnectNet("127.0.0.3", comm::kDevicePort);
    ASSERT_TRUE(replies.WaitFor([](const auto& a) { return CountOnline(a, 1) == 1; }));

    emu->SetListening(false);  // drops the client and refuses new ones
    ASSERT_TRUE(replies.WaitFor([](const auto& a) { return CountOnline(a, 0) == 1; }));
    for (const auto& p : replies.All()) {
        if (p.replyId == 0) {
            EXPECT_EQ(p.status, 3);
        }
    }

    emu->SetListening(true);
    ASSERT_TRUE(replies.WaitFor([](const auto& a) { return CountOnline(a, 1) == 2; }, 8000ms));
    // The reconnected link carries commands again.
    auto cmd = Block55();
    link.SendCommand(0, cmd.data(), 3);
    comm::ReplyPacket all;
    ASSERT_TRUE(replies.WaitForReply(2, all));
    EXPECT_EQ(all.payload, emu->Block());
    link.Shutdown();
}

TEST(LinkHealth, SilentProcessorGoesOfflineAndComesBack)
{
    auto emu = StartEmulator("127.0.0.3");
    comm::DeviceLink link(OptionsFor(*emu));
    ReplyCollector replies(link);
    link.ConnectNet("127.0.0.3", comm::kDevicePort);
    ASSERT_TRUE(replies.WaitFor([](const auto& a) { return CountOnline(a, 1) == 1; }));
    emu->SetSilent(true);
    ASSERT_TRUE(replies.WaitFor([](const auto& a) { return CountOnline(a, 0) == 1; }, 5000ms));
    emu->SetSilent(false);
    ASSERT_TRUE(replies.WaitFor([](const auto& a) { return CountOnline(a, 1) == 2; }, 8000ms));
    link.Shutdown();
}

TEST(LinkHealth, OperatorDisconnectStopsReconnecting)
{
    auto emu = StartEmulator("127.0.0.3");
    comm::DeviceLink link(OptionsFor(*emu));
    ReplyCollector replies(link);
    link.ConnectNet("127.0.0.3", comm::kDevicePort);
    ASSERT_TRUE(replies.WaitFor([](const auto& a) { return CountOnline(a, 1) == 1; }));
    link.DisconnectNet("127.0.0.3");
    ASSERT_TRUE(replies.WaitFor([](const auto& a) { return CountOnline(a, 0) == 1; }));
    std::this_thread::sleep_for(500ms);  // several reconnect intervals
    EXPECT_EQ(emu->ClientCount(), 0);
    EXPECT_EQ(CountOnline(replies.All(), 1), 1);
    link.Shutdown();
}

TEST(LinkHealth, NoProcessorMeansNoOnlineReportAndNoHang)
{
    auto o = FastOptions();
    // A port that nobody listens on: bind one, note it, close it.
    auto probe = StartEmulator("127.0.0.4");
    const int deadPort = probe->TcpPort();
    probe->Stop();
    o.tcpPortByIp["127.0.0.4"] = deadPort;
    comm::DeviceLink link(o);
    ReplyCollector replies(link);
    link.ConnectNet("127.0.0.4", comm::kDevicePort);
    auto cmd = Block55();
    for (int i = 0; i < 50; ++i) link.SendCommand(0, cmd.data(), 4);  // never blocks
    std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(replies.All().empty());
    link.Shutdown();
}

TEST(LinkHealth, AnsweringProcessorIsReportedOnlineAtASteadyPaceAndSilenceOnce)
{
    auto emu = StartEmulator("127.0.0.13");
    auto o = OptionsFor(*emu);
    o.onlineReportIntervalMs = 1;  // held to once a second
    comm::DeviceLink link(o);
    ReplyCollector replies(link);
    link.ConnectNet("127.0.0.13", comm::kDevicePort);
    ASSERT_TRUE(replies.WaitFor([](const auto& a) { return CountOnline(a, 1) == 1; }));
    std::this_thread::sleep_for(3500ms);
    const int reports = CountOnline(replies.All(), 1);
    EXPECT_TRUE(reports >= 3 && reports <= 5) << reports;
    emu->SetSilent(true);
    ASSERT_TRUE(replies.WaitFor([](const auto& a) { return CountOnline(a, 0) == 1; }, 5000ms));
    const int beforeSilence = CountOnline(replies.All(), 1);
    std::this_thread::sleep_for(1500ms);
    EXPECT_EQ(CountOnline(replies.All(), 1), beforeSilence) << "reported online while silent";
    EXPECT_EQ(CountOnline(replies.All(), 0), 1);
    link.Shutdown();
}

TEST(LinkHealth, OnlineReportsFromThePeerAreDroppedAndCounted)
{
    auto emu = StartEmulator("127.0.0.14");
    auto o = OptionsFor(*emu);
    o.onlineReportIntervalMs = 1;  // held to once a second
    comm::DeviceLink link(o);
    ReplyCollector replies(link);
    link.ConnectNet("127.0.0.14", comm::kDevicePort);
    ASSERT_TRUE(replies.WaitFor([](const auto& a) { return CountOnline(a, 1) == 1; }));
    // Offline, then online, for a processor the program may know by another link.
    for (uint8_t online : {0, 1}) {
        comm::ReplyPacket forged;
        forged.replyId = 0;
        forged.status = 99;
        forged.payload = {online};
        emu->Broadcast(forged);
    }
    comm::ReplyPacket freeze;
    freeze.replyId = 31;
    freeze.payload = {1};
    emu->Broadcast(freeze);
    ASSERT_TRUE(replies.WaitFor(
        [](const auto& a) {
            return CountOnline(a, 1) >= 2 && std::any_of(a.begin(), a.end(), [](const auto& p) { return p.replyId == 31; });
        },
        3000ms))
        << "own reports stopped";
    for (const auto& p : replies.All()) {
        if (p.replyId != 0) continue;
        EXPECT_EQ(p.status, 14);
        EXPECT_EQ(p.payload, std::vector<uint8_t>{1});
    }
    EXPECT_EQ(link.Stats().wireOnlineReports, 2u);
    link.Shutdown();
}

TEST(LinkHealth, TheRepeatedOnlineReportWakesTheThreadNoMoreThanTheProbes)
{
    auto emu = StartEmulator("127.0.0.15");
    auto o = OptionsFor(*emu);
    o.probeIntervalMs = 300;
    o.silenceTimeoutMs = 5000;
    o.onlineReportIntervalMs = 1;  // once a second: out of step with the probes
    comm::DeviceLink link(o);
    ReplyCollector replies(link);
    link.ConnectNet("127.0.0.15", comm::kDevicePort);
    ASSERT_TRUE(replies.WaitFor([](const auto& a) { return CountOnline(a, 1) == 1; }));
    std::this_thread::sleep_for(150ms);
    // Idle: the emulator receives probes alone, and each probe and its echo wake the thread once.
    const uint64_t wakeups = link.Stats().wakeups, probes = emu->ReceivedTotal();
    const int reports = CountOnline(replies.All(), 1);
    std::this_thread::sleep_for(6s);
    const uint64_t woke = link.Stats().wakeups - wakeups, probed = emu->ReceivedTotal() - probes;
    EXPECT_GE(CountOnline(replies.All(), 1) - reports, 5);
    EXPECT_LE(woke, 2 * probed + 2) << probed << " probes";
    link.Shutdown();
}
