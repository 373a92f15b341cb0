#include "LinkTestSupport.h"
#include "ReplyCollector.h"

#include "comm/QVN_Comm.h"
#include "tools/emulator/H264Clip.h"

#include <atomic>
#include <thread>

using namespace std::chrono_literals;

TEST(TcpLink, ReadOutBringsTheBlockByteIdentical)
{
    auto emu = StartEmulator("127.0.0.2");
    comm::DeviceLink link(OptionsFor(*emu));
    ReplyCollector replies(link);
    link.SelectLocalIp("127.0.0.1");
    link.ConnectNet("127.0.0.2", comm::kDevicePort);
    const auto cmd = Block55();
    link.SendCommand(0, cmd.data(), 2);  // queued while the link is still connecting

    comm::ReplyPacket online;
    ASSERT_TRUE(replies.WaitForReply(0, online, 5000ms, 1));
    EXPECT_EQ(online.status, 2);
    EXPECT_EQ(online.deviceAddress, 2);
    comm::ReplyPacket all;
    ASSERT_TRUE(replies.WaitForReply(2, all));
    EXPECT_EQ(all.payload, emu->Block());
    EXPECT_EQ(all.status, 2);

    // The command itself arrived byte for byte.
    auto frames = emu->Received();
    bool found = false;
    for (const auto& f : frames)
        if (f.frame.type == comm::FrameType::Command) {
            EXPECT_EQ(f.frame.payload, comm::MakeCommandPayload(0, cmd.data()));
            EXPECT_EQ(f.frame.address, 2);
            found = true;
        }
    EXPECT_TRUE(found);
    link.Shutdown();
}

TEST(TcpLink, Command22ArrivesByteIdentical)
{
    auto emu = StartEmulator("127.0.0.2");
    comm::DeviceLink link(OptionsFor(*emu));
    ReplyCollector replies(link);
    link.ConnectNet("127.0.0.2", comm::kDevicePort);
    std::vector<uint8_t> block(comm::kParamBlockSize);
    for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<uint8_t>(255 - i % 251);
    link.SendBlock(block.data(), 2);
    block[0] ^= 0xFF;  // the library copied the block during the call
    block[0] ^= 0xFF;
    comm::ReplyPacket status;
    ASSERT_TRUE(replies.WaitForReply(23, status));
    EXPECT_EQ(emu->Block(), block);
    auto frames = emu->Received();
    int blocks = 0;
    for (const auto& f : frames)
        if (f.frame.type == comm::FrameType::ParamBlock) {
            ++blocks;
            EXPECT_EQ(f.frame.payload, block);
        }
    EXPECT_EQ(blocks, 1);
    link.Shutdown();
}

TEST(TcpLink, HandlerSendsFromInsideItselfWithoutDeadlockOrReordering)
{
    auto emu = StartEmulator("127.0.0.2");
    comm::DeviceLink link(OptionsFor(*emu));
    comm::InstallCommLibrary(&link);
    ReplyCollector replies(link);
    std::vector<uint8_t> stored;
    std::mutex storedMutex;
    // Stands in for the program's reply-2 handler: store the block, then the read-out chain.
    link.RegisterHandler(
        [&](const comm::ReplyPacket& p) {
            {
                std::lock_guard lock(storedMutex);
                stored = p.payload;
            }
            replies.Add(p);
            const int chain[] = {70, 66, 67, 62, 60, 73, 68};
            for (int id : chain) {
                auto b = Block55(id == 70 ? 0 : id == 66 ? 2 : 0x55);
                QVN_Comm_SendCommand(id, b.data(), p.deviceAddress);
            }
        },
        2);
    link.ConnectNet("127.0.0.2", comm::kDevicePort);
    auto cmd = Block55();
    QVN_Comm_SendCommand(0, cmd.data(), 2);
    // The answers to the whole chain come back: 25, 28, 29, 21 (twice), 20, 30, 17; then the
    // processor's prompt to ask for its system information (24).
    ASSERT_TRUE(replies.WaitFor([](const auto& all) {
        for (const auto& p : all)
            if (p.replyId == 24) return true;
        return false;
    }));
    {
        std::lock_guard lock(storedMutex);
        EXPECT_EQ(stored, emu->Block());
    }
    EXPECT_EQ(CommandIds(emu->Received()), (std::vector<int32_t>{0, 70, 66, 67, 62, 60, 73, 68}));
    std::vector<int> order;
    for (const auto& p : replies.All())
        if (p.replyId != 0) order.push_back(p.replyId);
    EXPECT_EQ(order, (std::vector<int>{2, 25, 28, 29, 21, 21, 20, 30, 17, 24}));
    comm::InstallCommLibrary(nullptr);
    link.Shutdown();
}

TEST(TcpLink, AConnectToAProcessorOfALinkedOnesAddressReplacesItsLink)
{
    // Two subnets, or one /16 network: both processors have address 171.
    auto first = StartEmulator("127.0.1.171");
    auto last = StartEmulator("127.0.2.171");
    comm::DeviceLink link(OptionsFor(*first, *last));
    link.ConnectNet(first->Ip().c_str(), comm::kDevicePort);
    ASSERT_TRUE(first->WaitReceived([](const auto& log) { return !log.empty(); }, 5000ms));
    link.ConnectNet(last->Ip().c_str(), comm::kDevicePort);
    link.SendCommand(7, nullptr, 171);
    ASSERT_TRUE(last->WaitReceived([](const auto& log) { return !CommandIds(log).empty(); }, 5000ms));
    EXPECT_TRUE(CommandIds(first->Received()).empty());
    EXPECT_EQ(link.Stats().replacedNetLinks, 1u);
    link.Shutdown();
}

TEST(TcpLink, SendsFromManyThreadsAndHandlersKeepEachSendersOrder)
{
    auto emu = StartEmulator("127.0.0.2");
    comm::DeviceLink link(OptionsFor(*emu));
    ReplyCollector replies(link);
    std::atomic<int> chained{0};
    constexpr int kChain = 100;
    // Every status reply to a chain command sends the next one from inside the handler.
    link.RegisterHandler(
        [&](const comm::ReplyPacket& p) {
            replies.Add(p);
            const int n = chained.load();
            if (n < kChain) {
                chained.store(n + 1);
                auto b = Block55(static_cast<uint8_t>(n + 1));
                b[1] = 0xC1;
                link.SendCommand(72, b.data(), p.deviceAddress);
            }
        },
        23);
    link.ConnectNet("127.0.0.2", comm::kDevicePort);
    auto first = Block55(0);
    first[1] = 0xC1;
    link.SendCommand(72, first.data(), 2);
    std::vector<std::thread> senders;
    for (int t = 0; t < 3; ++t)
        senders.emplace_back([&, t] {
            for (int i = 0; i < 100; ++i) {
                auto b = Block55(static_cast<uint8_t>(i));
                b[1] = static_cast<uint8_t>(t);
                link.SendCommand(71, b.data(), 2);
            }
        });
    for (auto& s : senders) s.join();
    ASSERT_TRUE(emu->WaitReceived(
        [](const auto& frames) { return CommandIds(frames).size() >= 1 + kChain + 300; }, 15000ms));
    int next[3] = {0, 0, 0};
    int nextChain = 0;
    for (const auto& f : emu->Received()) {
        int32_t id;
        std::array<uint8_t, comm::kCommandBlockSize> params;
        if (f.frame.type != comm::FrameType::Command || !comm::ReadCommandPayload(f.frame.payload, id, params)) continue;
        if (id == 72) {
            EXPECT_EQ(params[0], nextChain++);
        } else {
            ASSERT_LT(params[1], 3);
            EXPECT_EQ(params[0], next[params[1]]++);
        }
    }
    EXPECT_EQ(nextChain, kChain + 1);
    EXPECT_EQ(next[0] + next[1] + next[2], 300);
    link.Shutdown();
}

TEST(TcpLink, SplitWritesAndACorruptedReplyLoseOnlyThatReply)
{
    auto emu = StartEmulator("127.0.0.2");
    emu->SetSplitWrites(true);
    comm::DeviceLink link(OptionsFor(*emu));
    ReplyCollector replies(link);
    link.ConnectNet("127.0.0.2", comm::kDevicePort);
    comm::ReplyPacket online;
    ASSERT_TRUE(replies.WaitForReply(0, online, 5000ms, 1));
    emu->CorruptNextReplies(1);
    auto cmd = Block55();
    link.SendCommand(60, cmd.data(), 2);  // answered by reply 20, corrupted
    link.SendCommand(0, cmd.data(), 2);   // answered by reply 2, intact, one byte per write
    comm::ReplyPacket all;
    ASSERT_TRUE(replies.WaitForReply(2, all, 10000ms));
    EXPECT_EQ(all.payload, emu->Block());
    for (const auto& p : replies.All()) EXPECT_NE(p.replyId, 20);
    link.Shutdown();
}

TEST(TcpLink, CaptionChunksAreAcknowledgedWithEvent7)
{
    auto emu = StartEmulator("127.0.0.2");
    comm::DeviceLink link(OptionsFor(*emu));
    ReplyCollector replies(link);
    link.ConnectNet("127.0.0.2", comm::kDevicePort);
    std::vector<uint8_t> chunk(1344);
    for (std::size_t i = 0; i < chunk.size(); ++i) chunk[i] = static_cast<uint8_t>(i);
    link.SendData(2688, 1344, chunk.data(), 2);
    comm::ReplyPacket ack;
    ASSERT_TRUE(replies.WaitForReply(24, ack));
    ASSERT_EQ(ack.payload.size(), 8u);
    EXPECT_EQ(ack.payload[0], 7);
    EXPECT_EQ(ack.payload[1] | (ack.payload[2] << 8), 1344);
    EXPECT_EQ(ack.payload[3], 1);
    EXPECT_EQ(ack.payload[4] | (ack.payload[5] << 8), 2688);
    bool seen = false;
    for (const auto& f : emu->Received()) {
        uint32_t off, len;
        const uint8_t* data;
        if (f.frame.type == comm::FrameType::BulkData && comm::ReadBulkPayload(f.frame.payload, off, data, len)) {
            EXPECT_EQ(off, 2688u);
            EXPECT_EQ(std::vector<uint8_t>(data, data + len), chunk);
            seen = true;
        }
    }
    EXPECT_TRUE(seen);
    link.Shutdown();
}

TEST(TcpLink, PreviewStreamArrivesAsReply26AndStopsAtShutdown)
{
    std::string error;
    auto clip = emu::EncodeTestClip(160, 96, 10, &error);
    ASSERT_FALSE(clip.empty()) << "libx264 through libavcodec is needed: " << error;
    auto emu = StartEmulator("127.0.0.2");
    comm::DeviceLink link(OptionsFor(*emu));
    std::atomic<int> calls{0};
    std::mutex mu;
    std::vector<std::vector<uint8_t>> got;
    link.RegisterHandler(
        [&](const comm::ReplyPacket& p) {
            ++calls;
            EXPECT_EQ(p.args[0], 0);
            std::lock_guard lock(mu);
            got.push_back(p.payload);
        },
        26);
    std::atomic<bool> online{false};
    link.RegisterHandler([&](const comm::ReplyPacket& p) { online = !p.payload.empty() && p.payload[0] == 1; }, 0);
    link.ConnectNet("127.0.0.2", comm::kDevicePort);
    for (int i = 0; i < 500 && !online.load(); ++i) std::this_thread::sleep_for(10ms);
    ASSERT_TRUE(online.load());
    emu->StartVideo(clip, 0, 5);
    for (int i = 0; i < 400 && calls.load() < static_cast<int>(clip.size()); ++i) std::this_thread::sleep_for(10ms);
    link.Shutdown();
    const int after = calls.load();
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(calls.load(), after);  // no handler after Shutdown returned
    std::lock_guard lock(mu);
    ASSERT_GE(got.size(), clip.size());
    for (std::size_t i = 0; i < clip.size(); ++i) EXPECT_EQ(got[i], clip[i]) << i;
}

TEST(TcpLink, HostileRepliesAreDeliveredAsTheyCameWithoutHarm)
{
    auto emu = StartEmulator("127.0.0.2");
    emu->SetOutOfRangeIndexes(true);
    emu->SetShortPayloads(true);
    comm::DeviceLink link(OptionsFor(*emu));
    ReplyCollector replies(link);
    link.ConnectNet("127.0.0.2", comm::kDevicePort);
    auto b = Block55(255);
    link.SendCommand(48, b.data(), 2);
    comm::ReplyPacket r;
    ASSERT_TRUE(replies.WaitForReply(4, r));
    EXPECT_EQ(r.payload.size(), 5u);  // cut short
    link.Shutdown();
}
