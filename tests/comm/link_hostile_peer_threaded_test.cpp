// A processor that sends only crafted junk, and peers that stop reading, against the real link and
// the emulator over loopback.
#include "LinkTestSupport.h"
#include "ReplyCollector.h"

#include "comm/Frame.h"

#include <netinet/tcp.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <thread>

namespace {

using namespace std::chrono_literals;

bool IsOnline(const comm::ReplyPacket& p, uint8_t on)
{
    return p.replyId == 0 && !p.payload.empty() && p.payload[0] == on;
}

int CountOnline(const std::vector<comm::ReplyPacket>& all, uint8_t on)
{
    int n = 0;
    for (const auto& p : all) n += IsOnline(p, on) ? 1 : 0;
    return n;
}

}  // namespace

TEST(HostilePeer, CraftedHeadersCostOnePassAndTheLinkGoesOfflineOnSilence)
{
    auto emulator = StartEmulator("127.0.0.71");
    auto options = OptionsFor(*emulator);
    options.silenceTimeoutMs = 800;
    options.reconnectIntervalMs = 60000;  // one session: the offline report is the silence's
    comm::DeviceLink link(options);
    ReplyCollector replies(link);
    link.ConnectNet(emulator->Ip().c_str(), comm::kDevicePort);
    comm::ReplyPacket p;
    ASSERT_TRUE(replies.WaitForReply(0, p, 5000ms, 1));

    emulator->SetCraftedHeaders(true);
    // Junk keeps arriving, yet only frames count as an answer: offline after the silence timeout.
    ASSERT_TRUE(replies.WaitFor([](const auto& all) { return CountOnline(all, 0) >= 1; }, 20000ms));
    // Reconnect now, into more junk, and shut down while it flows: the I/O thread stops at once
    // instead of finishing megabytes of checksums first.
    emulator->ClearReceived();
    link.ConnectNet(emulator->Ip().c_str(), comm::kDevicePort);
    ASSERT_TRUE(emulator->WaitReceived([](const auto& log) { return !log.empty(); }, 10000ms));
    const auto stats = link.Stats();
    const auto before = std::chrono::steady_clock::now();
    link.Shutdown();
    EXPECT_LT(std::chrono::steady_clock::now() - before, 2s);
    EXPECT_GE(stats.bytesFed, 4u * 1024 * 1024) << "the junk did arrive";
    EXPECT_LE(stats.bytesExamined, 3 * stats.bytesFed);
    EXPECT_EQ(stats.silenceDrops, 1u);
    EXPECT_LE(stats.peakBuffered, comm::kFrameOverhead + comm::MaxPayloadFor(4) + options.readBudgetBytes);
    for (const auto& r : replies.All()) EXPECT_EQ(r.replyId, 0);
}

TEST(HostilePeer, APeerThatStopsReadingIsDroppedAtTheUnsentCapAndReconnected)
{
    auto emulator = StartEmulator("127.0.0.72");
    auto options = OptionsFor(*emulator);
    options.maxPendingBytes = 1024 * 1024;
    options.silenceTimeoutMs = 60000;  // the drop below is the unsent cap's, not the silence's
    comm::DeviceLink link(options);
    ReplyCollector replies(link);
    link.ConnectNet(emulator->Ip().c_str(), comm::kDevicePort);
    comm::ReplyPacket p;
    ASSERT_TRUE(replies.WaitForReply(0, p, 5000ms, 1));

    emulator->SetReading(false);
    std::vector<uint8_t> chunk(comm::kMaxBulkData, 0x33);
    // Socket buffers on loopback hold a few megabytes; the cap is met well before this many.
    for (uint32_t n = 0; n < 4000 && link.Stats().unreadDrops == 0; ++n)
        link.SendData(n * static_cast<uint32_t>(chunk.size()), static_cast<uint32_t>(chunk.size()), chunk.data(), 1);
    ASSERT_TRUE(replies.WaitFor([](const auto& all) { return CountOnline(all, 0) >= 1; }, 20000ms));
    const auto stats = link.Stats();
    EXPECT_GE(stats.unreadDrops, 1u);
    EXPECT_EQ(stats.silenceDrops, 0u);
    EXPECT_LE(stats.peakPending, options.maxPendingBytes);

    // Reconnected: once the peer reads again the link comes back online.
    emulator->SetReading(true);
    ASSERT_TRUE(replies.WaitFor([](const auto& all) { return CountOnline(all, 1) >= 2; }, 20000ms));
    EXPECT_GE(link.Stats().connectAttempts, 2u);
}

TEST(HostilePeer, AProcessorOnALinkNeitherAddsNorStandsInForAnother)
{
    auto honest = StartEmulator("127.0.0.76");
    auto stranger = StartEmulator("127.0.0.77", false, honest->Address());  // its frames in .76's name
    auto options = OptionsFor(*honest, *stranger);
    options.silenceTimeoutMs = 60000;  // the stranger's link stays up to show where commands go
    options.maxNetLinks = 2;
    EXPECT_EQ(comm::DeviceLinkOptions{}.maxNetLinks, 254u);
    comm::DeviceLink link(options);
    ReplyCollector replies(link);
    for (auto* e : {honest.get(), stranger.get()}) link.ConnectNet(e->Ip().c_str(), comm::kDevicePort);
    link.ConnectNet("127.0.0.78", comm::kDevicePort);  // past the bound: refused, never tried
    ASSERT_TRUE(stranger->WaitReceived([](const auto& log) { return !log.empty(); }, 5000ms));
    comm::ReplyPacket found;
    found.replyId = 27;
    found.payload = SearchAnswer("127.0.0.78", 78);
    stranger->Broadcast(found, 77);  // its only frame in its own name, after the echoes in .76's
    EXPECT_TRUE(replies.WaitFor([](const auto& all) {
        return std::any_of(all.begin(), all.end(), [](const auto& p) { return IsOnline(p, 1) && p.deviceAddress == 77; });
    }));

    link.SendCommand(7, nullptr, honest->Address());
    link.SendCommand(9, nullptr, comm::kBroadcastAddress);
    for (auto* e : {honest.get(), stranger.get()})
        ASSERT_TRUE(e->WaitReceived([](const auto& log) { return !CommandIds(log).empty() && CommandIds(log).back() == 9; }, 5000ms));
    EXPECT_EQ(CommandIds(honest->Received()), (std::vector<int32_t>{7, 9}));
    EXPECT_EQ(CommandIds(stranger->Received()), std::vector<int32_t>{9});
    // Counted before the commands went out.
    EXPECT_EQ(link.Stats().wireSearchAnswers, 1u);
    EXPECT_GT(link.Stats().foreignAddressFrames, 0u);
    EXPECT_EQ(link.Stats().refusedNetLinks, 1u);
    EXPECT_EQ(link.Stats().connectAttempts, 2u);
    for (const auto& r : replies.All()) EXPECT_NE(r.replyId, 27);
    link.Shutdown();

    // Nor more links than half the descriptors the process may open, whatever limit it has.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &saved), 0);
    rlimit low = saved;
    low.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &low), 0);
    comm::DeviceLink few(FastOptions());
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &saved), 0);
    for (int i = 1; i <= 60; ++i) few.ConnectNet(("127.0.3." + std::to_string(i)).c_str(), comm::kDevicePort);
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (few.Stats().refusedNetLinks < 10 && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(10ms);
    EXPECT_EQ(few.Stats().refusedNetLinks, 10u);
}

TEST(HostilePeer, TheEmulatorDropsAClientThatDoesNotReadAndKeepsServingTheOthers)
{
    auto emulator = StartEmulator("127.0.0.73");
    // A raw client that connects and never reads, while the emulator streams large packets to
    // every client.
    int raw = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    ASSERT_GE(raw, 0);
    int small = 16 * 1024;
    ::setsockopt(raw, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
    in_addr a{};
    ASSERT_TRUE(comm::ParseIpv4(emulator->Ip(), a));
    sockaddr_in sa = comm::MakeSockAddr(a, emulator->TcpPort());
    ASSERT_EQ(::connect(raw, reinterpret_cast<sockaddr*>(&sa), sizeof sa), 0);
    emulator->StartVideo({std::vector<uint8_t>(512 * 1024, 0x42)}, 0, 1);
    EXPECT_TRUE(emulator->WaitUnreadDrops(1, 30000ms));
    emulator->StopVideo();

    comm::DeviceLink link(OptionsFor(*emulator));
    ReplyCollector replies(link);
    link.ConnectNet(emulator->Ip().c_str(), comm::kDevicePort);
    comm::ReplyPacket p;
    EXPECT_TRUE(replies.WaitForReply(0, p, 5000ms, 1));
    ::close(raw);
}

TEST(HostilePeer, TheReceiveLogIsBounded)
{
    emu::EmulatorOptions o;
    o.ip = "127.0.0.74";
    o.logFrames = 50;
    emu::ProcessorEmulator emulator(o);
    ASSERT_TRUE(emulator.Start()) << emulator.Error();
    comm::DeviceLink link(OptionsFor(emulator));
    link.ConnectNet(emulator.Ip().c_str(), comm::kDevicePort);
    for (int n = 0; n < 500; ++n) link.SendCommand(n == 499 ? 9 : 7, nullptr, 0xFF);
    ASSERT_TRUE(emulator.WaitReceived(
        [](const auto& log) {
            const auto ids = CommandIds(log);
            return !ids.empty() && ids.back() == 9;
        },
        10000ms));
    EXPECT_GE(emulator.ReceivedTotal(), 500u);
    EXPECT_LE(emulator.ReceivedCount(), 50u);
}

TEST(IdleLink, TheIoThreadSleepsWithoutLinksAndStopsAtOnce)
{
    comm::DeviceLink link(FastOptions());
    const auto before = link.Stats().wakeups;
    // One wait of a known length: a thread polling every 20 ms would wake about 15 times.
    std::this_thread::sleep_for(300ms);
    EXPECT_LE(link.Stats().wakeups - before, 1u);
    link.Shutdown();
}
