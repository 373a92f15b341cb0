#include "ReplyTestSupport.h"

#include <random>

namespace {

std::vector<uint8_t> QuietBlock()
{
    // Random bytes, but no input that makes ParseParamBlock send a query of its own.
    std::mt19937 rng(11);
    std::vector<uint8_t> bytes(sizeof(DeviceParamBlock));
    for (auto& b : bytes) b = static_cast<uint8_t>(rng());
    DeviceParamBlock block;
    std::memcpy(&block, bytes.data(), bytes.size());
    for (auto& in : block.input) in.src = 4;
    for (auto& s : block.inputState) s = 0;
    std::memcpy(bytes.data(), &block, bytes.size());
    return bytes;
}

using AllData = ReplyTest;

TEST_F(AllData, PostsAtOnceThenQueriesAfter200msThenReportsStatus)
{
    const auto bytes = QuietBlock();
    ASSERT_TRUE(Deliver(Packet(REPLY_ALL_DATA, bytes, 7)));
    EXPECT_EQ(BlockBytes(dev_), bytes);
    EXPECT_EQ(Seq(), (std::vector<std::string>{PostMsg(2, 0)}));

    clock_.Advance(199);
    EXPECT_TRUE(comm_.Commands().empty());
    EXPECT_EQ(Seq().size(), 1u);

    clock_.Advance(1);
    EXPECT_EQ(Seq(), (std::vector<std::string>{PostMsg(2, 0), Cmd(CMD_QUERY_CAPTION, 0), Cmd(CMD_QUERY_ENCODER, 2),
                                               Cmd(CMD_QUERY_BOARD), Cmd(CMD_QUERY_62), Cmd(CMD_QUERY_WORK_MODE),
                                               Cmd(CMD_QUERY_73), Cmd(CMD_QUERY_68), StatusMsg(7)}));
    const auto cmds = comm_.Commands();
    ASSERT_EQ(cmds.size(), 7u);
    for (const auto& c : cmds) EXPECT_EQ(c.deviceAddress, kDefaultDeviceAddress);
    EXPECT_EQ(clock_.Pending(), 0u);
}

TEST_F(AllData, TheBlockItselfMaySendInputQueriesBeforeThePost)
{
    auto bytes = QuietBlock();
    DeviceParamBlock block;
    std::memcpy(&block, bytes.data(), bytes.size());
    block.input[2].src = 3;     // a VGA input is queried
    block.inputState[5] = 1;    // an active input is queried
    std::memcpy(bytes.data(), &block, bytes.size());

    ASSERT_TRUE(Deliver(Packet(REPLY_ALL_DATA, bytes, 0)));
    EXPECT_EQ(Seq(), (std::vector<std::string>{Cmd(CMD_QUERY_VGA, 2), Cmd(CMD_QUERY_INPUT_INFO, 5), PostMsg(2, 0)}));
}

TEST_F(AllData, TwoBlocksInQuickSuccessionRunTwoChainsInOrder)
{
    const auto bytes = QuietBlock();
    ASSERT_TRUE(Deliver(Packet(REPLY_ALL_DATA, bytes, 1)));
    clock_.Advance(100);
    ASSERT_TRUE(Deliver(Packet(REPLY_ALL_DATA, bytes, 2)));
    clock_.Advance(100);
    auto seq = Seq();
    ASSERT_EQ(seq.size(), 2u + 8u);
    EXPECT_EQ(seq[9], StatusMsg(1));
    clock_.Advance(100);
    seq = Seq();
    ASSERT_EQ(seq.size(), 2u + 16u);
    EXPECT_EQ(seq[17], StatusMsg(2));
}

}  // namespace
