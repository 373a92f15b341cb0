// A processor that sends only crafted junk, and peers that stop reading, against the real link and
// the emulator over loopback.
#include "LinkTestSupport.h"
#include "ReplyCollector.h"

#include "comm/Frame.h"
#include "comm/FrameDecoder.h"

#include <netinet/tcp.h>
#include <poll.h>
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

// A listener on a loopback address for a peer the test plays by hand; port: where it listens.
int ListenAt(const std::string& ip, int& port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    in_addr a{};
    comm::ParseIpv4(ip, a);
    sockaddr_in sa = comm::MakeSockAddr(a, 0);
    socklen_t len = sizeof sa;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&sa), len) != 0 || ::listen(fd, 1) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&sa), &len) != 0)
        ADD_FAILURE() << "no listener at " << ip;
    port = ntohs(sa.sin_port);
    return fd;
}

// The first connection to a listener; -1 when none comes.
int AcceptOne(int listener)
{
    pollfd p{listener, POLLIN, 0};
    return ::poll(&p, 1, 5000) == 1 ? ::accept(listener, nullptr, nullptr) : -1;
}

// The commands a peer reads from fd until one with id last (or nothing more comes).
std::vector<int32_t> CommandsUntil(int fd, int32_t last)
{
    std::vector<emu::ReceivedFrame> got;
    comm::FrameDecoder decoder;
    uint8_t buf[4096];
    pollfd p{fd, POLLIN, 0};
    while ((CommandIds(got).empty() || CommandIds(got).back() != last) && ::poll(&p, 1, 5000) == 1) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n <= 0) break;
        decoder.Feed(buf, static_cast<std::size_t>(n), [&](comm::Frame&& f) { got.push_back({emu::Transport::Tcp, f, {}}); });
    }
    return CommandIds(got);
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
    int port = 0;
    const int listener = ListenAt("127.0.0.77", port);
    auto options = OptionsFor(*honest);
    options.tcpPortByIp["127.0.0.77"] = port;
    options.silenceTimeoutMs = 60000;  // the peer played by hand never echoes a probe
    comm::DeviceLink link(options);
    ReplyCollector replies(link);
    link.ConnectNet("127.0.0.76", comm::kDevicePort);
    link.ConnectNet("127.0.0.77", comm::kDevicePort);
    const int peer = AcceptOne(listener);
    ASSERT_GE(peer, 0);
    ASSERT_TRUE(replies.WaitFor([](const auto& all) {
        return std::any_of(all.begin(), all.end(), [](const auto& p) { return IsOnline(p, 1) && p.deviceAddress == 76; });
    }));
    // From .77: a search answer naming another processor, then a configuration in .76's name.
    auto bytes = ReplyFrame(27, 77, SearchAnswer("127.0.0.78", 78));
    const auto claim = ReplyFrame(2, 76, std::vector<uint8_t>(comm::kParamBlockSize, 0x21), 76);
    bytes.insert(bytes.end(), claim.begin(), claim.end());
    ASSERT_EQ(::write(peer, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    EXPECT_TRUE(WaitForStats(link, [](const auto& s) { return s.wireSearchAnswers == 1 && s.foreignAddressFrames == 1; }));

    link.SendCommand(7, nullptr, 76);
    link.SendCommand(9, nullptr, comm::kBroadcastAddress);
    // One link keeps the order of its commands: once 9 is in, a 7 for .77 would have come first.
    EXPECT_EQ(CommandsUntil(peer, 9), std::vector<int32_t>{9});
    ASSERT_TRUE(honest->WaitReceived([](const auto& log) { return CommandIds(log).size() == 2; }, 5000ms));
    EXPECT_EQ(CommandIds(honest->Received()), (std::vector<int32_t>{7, 9}));
    for (const auto& r : replies.All()) EXPECT_TRUE(r.replyId != 27 && r.replyId != 2) << "a handler saw reply " << r.replyId;
    link.Shutdown();
    ::close(peer);
    ::close(listener);
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
