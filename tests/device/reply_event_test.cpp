// Reply 24: every event row, with the follow-up queries, hides, posts and the status at the end.
#include "ReplyTestSupport.h"

namespace {

using Seq_t = std::vector<std::string>;

class EventReply : public ReplyTest {
protected:
    Seq_t Event(std::vector<uint8_t> payload, uint8_t status = 0x21)
    {
        EXPECT_TRUE(Deliver(Packet(REPLY_EVENT, std::move(payload), status)));
        return Seq();
    }
};

TEST_F(EventReply, ZeroAndOneStoreCodeAndArgumentsHideThenPost)
{
    EXPECT_EQ(Event({1, 7, 9}), (Seq_t{kHide, PostMsg(24, 0), StatusMsg(0x21)}));
    EXPECT_EQ(dev_.eventCode, 1);
    EXPECT_EQ(dev_.eventArg[0], 7);
    EXPECT_EQ(dev_.eventArg[1], 9);
    recorder_.Clear();
    EXPECT_EQ(Event({0, 3, 4}), (Seq_t{kHide, PostMsg(24, 0), StatusMsg(0x21)}));
    EXPECT_EQ(dev_.eventCode, 0);
}

TEST_F(EventReply, TwoAndFourOnlyHide)
{
    EXPECT_EQ(Event({2}), (Seq_t{kHide, StatusMsg(0x21)}));
    recorder_.Clear();
    EXPECT_EQ(Event({4}), (Seq_t{kHide, StatusMsg(0x21)}));
}

TEST_F(EventReply, ThreeQueriesLayoutWaits40msThenReadsTheLayerWindows)
{
    EXPECT_EQ(Event({3}), (Seq_t{Cmd(CMD_QUERY_63)}));
    clock_.Advance(39);
    EXPECT_EQ(Seq(), (Seq_t{Cmd(CMD_QUERY_63)}));
    clock_.Advance(1);
    EXPECT_EQ(Seq(), (Seq_t{Cmd(CMD_QUERY_63), Cmd(CMD_QUERY_LAYER_WINDOW, 0), Cmd(CMD_QUERY_LAYER_WINDOW, 1),
                            Cmd(CMD_QUERY_LAYER_WINDOW, 2), Cmd(CMD_QUERY_LAYER_WINDOW, 3),
                            Cmd(CMD_QUERY_WORK_MODE), kHide, StatusMsg(0x21)}));
    EXPECT_EQ(dev_.lastQueryWindow, 3);
}

TEST_F(EventReply, FiveWithOneReadsTheBoardAndHides)
{
    EXPECT_EQ(Event({5, 1}), (Seq_t{Cmd(CMD_QUERY_65), Cmd(CMD_QUERY_BOARD), Cmd(CMD_QUERY_INPUT_INFO, 255), kHide,
                                    StatusMsg(0x21)}));
}

TEST_F(EventReply, FiveWithZeroDoesNothingButReport)
{
    EXPECT_EQ(Event({5, 0}), (Seq_t{StatusMsg(0x21)}));
}

TEST_F(EventReply, SixWithZeroReadsTheLayoutAndLeavesTheBusyDialog)
{
    EXPECT_EQ(Event({6, 0}), (Seq_t{Cmd(CMD_QUERY_63), Cmd(CMD_QUERY_SPLICING), Cmd(CMD_QUERY_LAYER_WINDOW, 0),
                                    Cmd(CMD_QUERY_LAYER_WINDOW, 1), Cmd(CMD_QUERY_LAYER_WINDOW, 2),
                                    Cmd(CMD_QUERY_LAYER_WINDOW, 3), Cmd(CMD_QUERY_WORK_MODE), Cmd(CMD_QUERY_LOGO),
                                    StatusMsg(0x21)}));
}

TEST_F(EventReply, SixWithOneReadsEverything)
{
    EXPECT_EQ(Event({6, 1}), (Seq_t{Cmd(CMD_GET_ALL_DATA), StatusMsg(0x21)}));
}

TEST_F(EventReply, SevenStoresTheAcknowledgement)
{
    EXPECT_EQ(Event({7, 0x34, 0x12, 1, 0x78, 0x56, 0x34, 0x12}), (Seq_t{PostMsg(24, 0), StatusMsg(0x21)}));
    EXPECT_EQ(dev_.eventCode, 7);
    EXPECT_EQ(dev_.ackValue, 0x1234u);
    EXPECT_EQ(dev_.ackStatus, 1);
    EXPECT_EQ(dev_.ackOffset, 0x12345678u);
}

TEST_F(EventReply, EightAndTenHideThenPostTheirCode)
{
    EXPECT_EQ(Event({8}), (Seq_t{kHide, PostMsg(24, 8), StatusMsg(0x21)}));
    recorder_.Clear();
    EXPECT_EQ(Event({10}), (Seq_t{kHide, PostMsg(24, 10), StatusMsg(0x21)}));
    EXPECT_EQ(dev_.eventCode, 0);  // neither stores the code
}

TEST_F(EventReply, NineAndTwelveStoreCodeAndOneArgument)
{
    dev_.eventArg[1] = 0x5A;
    EXPECT_EQ(Event({9, 4}), (Seq_t{PostMsg(24, 0), StatusMsg(0x21)}));
    EXPECT_EQ(dev_.eventCode, 9);
    EXPECT_EQ(dev_.eventArg[0], 4);
    recorder_.Clear();
    EXPECT_EQ(Event({12, 6}), (Seq_t{PostMsg(24, 0), StatusMsg(0x21)}));
    EXPECT_EQ(dev_.eventCode, 12);
    EXPECT_EQ(dev_.eventArg[0], 6);
    EXPECT_EQ(dev_.eventArg[1], 0x5A);
}

TEST_F(EventReply, ElevenWithZeroWalksTheSplicingWindows100msApart)
{
    EXPECT_EQ(Event({11, 0}), (Seq_t{Cmd(CMD_QUERY_SPLICING), Cmd(CMD_QUERY_LAYER_WINDOW, 0),
                                     Cmd(CMD_QUERY_SPLICING_WINDOW, 0)}));
    Seq_t expected = Seq();
    for (int w = 1; w < 4; ++w) {
        clock_.Advance(99);
        EXPECT_EQ(Seq(), expected) << "window " << w << " too early";
        clock_.Advance(1);
        expected.push_back(Cmd(CMD_QUERY_LAYER_WINDOW, w));
        expected.push_back(Cmd(CMD_QUERY_SPLICING_WINDOW, w));
        EXPECT_EQ(Seq(), expected);
    }
    clock_.Advance(99);
    EXPECT_EQ(Seq(), expected);
    clock_.Advance(1);
    expected.push_back(kHide);
    expected.push_back(StatusMsg(0x21));
    EXPECT_EQ(Seq(), expected);
    EXPECT_EQ(clock_.Pending(), 0u);
}

TEST_F(EventReply, ElevenWithNonzeroReadsEverything)
{
    EXPECT_EQ(Event({11, 3}), (Seq_t{Cmd(CMD_GET_ALL_DATA), StatusMsg(0x21)}));
}

TEST_F(EventReply, ThirteenAndAboveOnlyReport)
{
    for (uint8_t code : {uint8_t(13), uint8_t(14), uint8_t(200), uint8_t(255)}) {
        recorder_.Clear();
        EXPECT_EQ(Event({code}), (Seq_t{StatusMsg(0x21)})) << int(code);
    }
    EXPECT_EQ(dev_.eventCode, 0);
}

TEST_F(EventReply, AnEventShortOfItsArgumentsIsDropped)
{
    for (auto p : std::vector<std::vector<uint8_t>>{{}, {0, 1}, {1}, {5}, {6}, {7, 1, 2, 3, 4, 5, 6}, {9}, {11}, {12}}) {
        EXPECT_FALSE(Deliver(Packet(REPLY_EVENT, p, 1)));
        handlers_.OnReplyEvent(p, 1);
    }
    clock_.RunAll();
    EXPECT_TRUE(Seq().empty());
    EXPECT_EQ(dev_.ackOffset, 0u);
    EXPECT_EQ(dev_.eventArg[0], 0);
}

}  // namespace
