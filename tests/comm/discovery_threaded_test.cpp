#include "LinkTestSupport.h"
#include "ReplyCollector.h"

#include <set>

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
