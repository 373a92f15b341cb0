#include "LinkTestSupport.h"
#include "ReplyCollector.h"

#include <arpa/inet.h>
#include <sys/socket.h>
#include <unistd.h>

#include <set>
#include <thread>

using namespace std::chrono_literals;

TEST(Discovery, TwoProcessorsOnLoopbackBothAnswerASearch)
{
    auto a = StartEmulator("127.0.0.2");
    auto b = StartEmulator("127.0.0.3");
    auto o = FastOptions();
    o.discoveryTargets = {{"127.0.0.2", a->UdpPort()}, {"127.0.0.3", b->UdpPort()}};
    comm::DeviceLink link(o);
    ReplyCollector replies(link);
    link.SelectLocalIp("127.0.0.1");
    auto cmd = Block55(255);
    link.SendCommand(69, cmd.data(), comm::kBroadcastAddress);
    ASSERT_TRUE(replies.WaitFor([](const auto& all) {
        int n = 0;
        for (const auto& p : all) n += p.replyId == 27;
        return n >= 2;
    }));
    std::set<std::string> ips;
    for (const auto& p : replies.All()) {
        if (p.replyId != 27) continue;
        ASSERT_GT(p.payload.size(), 6u);
        const std::string ip(p.payload.begin() + 6, p.payload.end());
        ips.insert(ip);
        const auto& e = ip == "127.0.0.2" ? *a : *b;
        EXPECT_EQ(p.deviceAddress, e.Address());
        const auto mac = e.Mac();
        EXPECT_TRUE(std::equal(mac.begin(), mac.end(), p.payload.begin()));
    }
    EXPECT_EQ(ips, (std::set<std::string>{"127.0.0.2", "127.0.0.3"}));
    // The search went out as a datagram, nothing else.
    for (auto* e : {a.get(), b.get()}) {
        auto frames = e->Received();
        ASSERT_EQ(frames.size(), 1u);
        EXPECT_EQ(frames[0].transport, emu::Transport::Udp);
        EXPECT_EQ(frames[0].frame.address, comm::kBroadcastAddress);
        EXPECT_EQ(frames[0].frame.payload, comm::MakeCommandPayload(69, cmd.data()));
    }
    link.Shutdown();
}

TEST(Discovery, FoundProcessorsAreLinkedAndAddressedByTheirLastOctet)
{
    auto a = StartEmulator("127.0.0.2");
    auto b = StartEmulator("127.0.0.3");
    auto o = FastOptions();
    o.tcpPortByIp = {{"127.0.0.2", a->TcpPort()}, {"127.0.0.3", b->TcpPort()}};
    comm::DeviceLink link(o);
    ReplyCollector replies(link);
    const uint8_t ids[] = {2, 3};
    link.SetTargetIds(2, ids);
    link.ConnectNet("127.0.0.2", comm::kDevicePort);
    link.ConnectNet("127.0.0.3", comm::kDevicePort);
    link.SetTargetIp("127.0.0.3");
    auto cmd = Block55();
    link.SendCommand(0, cmd.data(), 3);
    comm::ReplyPacket all;
    ASSERT_TRUE(replies.WaitForReply(2, all));
    EXPECT_EQ(all.deviceAddress, 3);
    EXPECT_EQ(all.payload, b->Block());
    EXPECT_NE(a->Block(), b->Block());
    EXPECT_TRUE(CommandIds(a->Received()).empty());
    EXPECT_EQ(link.TargetIds(), (std::vector<uint8_t>{2, 3}));
    link.Shutdown();
}

namespace {

// A UDP socket on a loopback address, any port.
int UdpSocketAt(const char* ip, sockaddr_in& bound)
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    in_addr a{};
    comm::ParseIpv4(ip, a);
    bound = comm::MakeSockAddr(a, 0);
    socklen_t len = sizeof bound;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&bound), len) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&bound), &len) != 0)
        ADD_FAILURE() << "no UDP socket at " << ip;
    return fd;
}

void SendTo(int fd, const sockaddr_in& to, const std::vector<uint8_t>& bytes)
{
    ASSERT_EQ(::sendto(fd, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to),
              static_cast<ssize_t>(bytes.size()));
}

}  // namespace

TEST(Discovery, TheSearchSocketTakesOnlyTheAnswerOfTheProcessorItNamesWhileTheSearchLasts)
{
    sockaddr_in destination{}, stranger{};
    int dest = UdpSocketAt("127.0.0.8", destination);
    int other = UdpSocketAt("127.0.0.9", stranger);
    auto o = FastOptions();
    o.discoveryTargets = {{"127.0.0.8", ntohs(destination.sin_port)}};
    o.searchAnswerWindowMs = 1500;
    comm::DeviceLink link(o);
    ReplyCollector replies(link);
    auto cmd = Block55(255);
    link.SendCommand(69, cmd.data(), comm::kBroadcastAddress);
    std::vector<uint8_t> buf(4096);
    sockaddr_in library{};
    socklen_t len = sizeof library;
    ASSERT_GT(::recvfrom(dest, buf.data(), buf.size(), 0, reinterpret_cast<sockaddr*>(&library), &len), 0);

    const std::vector<uint8_t> configuration(comm::kParamBlockSize, 0x21);
    SendTo(other, library, ReplyFrame(2, 9, configuration));
    SendTo(other, library, ReplyFrame(0, 9, {0}, 9));
    SendTo(other, library, ReplyFrame(0, 9, {1}, 9));
    SendTo(dest, library, ReplyFrame(2, 8, configuration));
    // A stranger's answers in the destination's name and in a third processor's.
    SendTo(other, library, ReplyFrame(27, 8, SearchAnswer("127.0.0.8", 9)));
    SendTo(other, library, ReplyFrame(27, 10, SearchAnswer("127.0.0.10", 10)));
    const auto answer = SearchAnswer("127.0.0.8", 8);
    SendTo(dest, library, ReplyFrame(27, 8, answer));

    ASSERT_TRUE(replies.WaitFor([&](const auto& all) { return !all.empty() && all.back().payload == answer; }));
    const auto all = replies.All();
    ASSERT_EQ(all.size(), 1u) << "a handler saw reply " << all.front().replyId;
    EXPECT_EQ(all[0].replyId, 27);
    EXPECT_EQ(link.Stats().strayDatagramFrames, 4u);
    EXPECT_EQ(link.Stats().misaddressedSearchAnswers, 2u);
    // The same answer once the search's time is over, then in time for a new search.
    std::this_thread::sleep_for(std::chrono::milliseconds(o.searchAnswerWindowMs + 100));
    SendTo(dest, library, ReplyFrame(27, 8, answer));
    link.SendCommand(69, cmd.data(), comm::kBroadcastAddress);
    ASSERT_GT(::recv(dest, buf.data(), buf.size(), 0), 0);
    SendTo(dest, library, ReplyFrame(27, 8, answer));
    ASSERT_TRUE(replies.WaitFor([](const auto& all) { return all.size() == 2; }));
    EXPECT_EQ(link.Stats().lateSearchAnswers, 1u);
    link.Shutdown();
    ::close(dest);
    ::close(other);
}
