#include "comm/QVN_Comm.h"
#include "comm/RecordingCommLibrary.h"

#include <gtest/gtest.h>

TEST(RecordingCommLibrary, RecordsCallsWithCopiesAndDeliversReplies)
{
    comm::RecordingCommLibrary rec;
    comm::InstallCommLibrary(&rec);
    uint8_t block[32];
    for (int i = 0; i < 32; ++i) block[i] = static_cast<uint8_t>(i);
    QVN_Comm_SendCommand(7, block, 110);
    block[0] = 99;  // the library took a copy
    int seen = -1;
    QVN_Comm_RegisterHandler([&](const comm::ReplyPacket& p) { seen = p.payload.at(0); }, 3);
    EXPECT_TRUE(rec.Deliver(comm::ReplyPacket{3, 110, 0, {0, 0}, {42}}));
    EXPECT_EQ(seen, 42);
    QVN_Comm_Shutdown();
    EXPECT_FALSE(rec.Deliver(comm::ReplyPacket{3, 110, 0, {0, 0}, {43}}));
    EXPECT_EQ(seen, 42);
    auto cmds = rec.Commands();
    ASSERT_EQ(cmds.size(), 1u);
    EXPECT_EQ(cmds[0].id, 7);
    EXPECT_EQ(cmds[0].deviceAddress, 110);
    EXPECT_EQ(cmds[0].bytes[0], 0);
    EXPECT_EQ(cmds[0].bytes[31], 31);
    comm::InstallCommLibrary(nullptr);
    EXPECT_EQ(QVN_Comm_OpenSerial(1, 115200), 0);  // silent library: no port opens
}
