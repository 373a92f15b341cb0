#include "LinkTestSupport.h"
#include "ReplyCollector.h"

#include "comm/SerialPortNames.h"

using namespace std::chrono_literals;

TEST(SerialLink, ReadOutOverAPseudoTerminal)
{
    auto emu = StartEmulator("127.0.0.5", /*pty=*/true, /*address=*/110);
    ASSERT_FALSE(emu->PtyPath().empty());
    const int port = comm::SerialPortNumber(emu->PtyPath());
    ASSERT_GE(port, 1000) << emu->PtyPath();
    comm::DeviceLink link(FastOptions());
    ReplyCollector replies(link);
    const uint8_t all[] = {0xFF};
    link.SetTargetIds(1, all);
    EXPECT_EQ(link.OpenSerial(port, 9999), 0);  // no such rate
    ASSERT_NE(link.OpenSerial(port, 115200), 0);
    auto cmd = Block55();
    link.SendCommand(0, cmd.data(), 110);
    comm::ReplyPacket block;
    ASSERT_TRUE(replies.WaitForReply(2, block));
    EXPECT_EQ(block.payload, emu->Block());
    EXPECT_EQ(block.deviceAddress, 110);

    // Command 22 over the same port.
    std::vector<uint8_t> mine(comm::kParamBlockSize, 0x3C);
    link.SendBlock(mine.data(), 110);
    comm::ReplyPacket status;
    ASSERT_TRUE(replies.WaitForReply(23, status));
    EXPECT_EQ(emu->Block(), mine);

    // A frame for another processor on the bus gets no answer.
    replies.Clear();
    link.SendCommand(60, cmd.data(), 50);
    link.SendCommand(60, cmd.data(), 110);
    ASSERT_TRUE(replies.WaitFor([](const auto& a) {
        for (const auto& p : a)
            if (p.replyId == 20) return true;
        return false;
    }));
    int twenties = 0;
    for (const auto& p : replies.All()) twenties += p.replyId == 20;
    EXPECT_EQ(twenties, 1);
    link.CloseSerial();
    link.Shutdown();
}

TEST(SerialLink, SilentProcessorOnTheBusIsReportedOffline)
{
    auto emu = StartEmulator("127.0.0.5", true, 110);
    comm::DeviceLink link(FastOptions());
    ReplyCollector replies(link);
    ASSERT_NE(link.OpenSerialPath(emu->PtyPath(), 115200), 0);
    comm::ReplyPacket online;
    ASSERT_TRUE(replies.WaitForReply(0, online, 5000ms, 1));
    EXPECT_EQ(online.status, 110);
    emu->SetSilent(true);
    comm::ReplyPacket offline;
    ASSERT_TRUE(replies.WaitForReply(0, offline, 5000ms, 0));
    EXPECT_EQ(offline.status, 110);
    link.Shutdown();
}
