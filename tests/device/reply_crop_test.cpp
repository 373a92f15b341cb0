// Input-signal (reply 4) and crop (reply 11) answers: crop totals, halves and clamps.
#include "ReplyTestSupport.h"

namespace {

std::vector<uint8_t> SignalRecord(uint8_t slot, uint16_t h, uint16_t v, uint16_t fps = 6000, uint8_t ile = 0)
{
    std::vector<uint8_t> r(10, 0);
    r[0] = slot;
    PutU16(r, 2, h);
    PutU16(r, 4, v);
    PutU16(r, 6, fps);
    r[8] = ile;
    return r;
}

CropWindow Crop(uint16_t x, uint16_t y, uint16_t w, uint16_t h, uint16_t tw, uint16_t th)
{
    CropWindow c{};
    c.onOff = 1;
    c.hPos = x;
    c.vPos = y;
    c.hAct = w;
    c.vAct = h;
    c.hTotal = tw;
    c.vTotal = th;
    return c;
}

void ExpectCrop(const CropWindow& c, uint16_t x, uint16_t y, uint16_t w, uint16_t h, uint16_t tw, uint16_t th)
{
    EXPECT_EQ(c.hPos, x);
    EXPECT_EQ(c.vPos, y);
    EXPECT_EQ(c.hAct, w);
    EXPECT_EQ(c.vAct, h);
    EXPECT_EQ(c.hTotal, tw);
    EXPECT_EQ(c.vTotal, th);
}

using InputSignal = ReplyTest;

TEST_F(InputSignal, DualLinkDp1HalvesTheWidthAndClampsCropsThatNoLongerFit)
{
    dev_.dpMode[0] = 1;
    for (int w = 0; w < 4; ++w) {
        // Window 0 and 2 crops still fit 1920 x 1080; 1 and 3 do not.
        dev_.crop[4][w] = (w % 2 == 0) ? Crop(100, 50, 800, 600, 0, 0) : Crop(1000, 0, 1000, 1080, 0, 0);
        dev_.crop[8][w] = (w % 2 == 0) ? Crop(0, 0, 1920, 1080, 0, 0) : Crop(0, 500, 1920, 600, 0, 0);
    }
    const CropWindow untouched = Crop(1, 2, 3, 4, 5, 6);
    dev_.crop[9][0] = untouched;

    ASSERT_TRUE(Deliver(Packet(REPLY_INPUT_SIGNAL, SignalRecord(4, 3840, 1080, 6000, 1), 9)));

    for (int w = 0; w < 4; ++w) {
        SCOPED_TRACE(w);
        if (w % 2 == 0) {
            ExpectCrop(dev_.crop[4][w], 100, 50, 800, 600, 1920, 1080);
            ExpectCrop(dev_.crop[8][w], 0, 0, 1920, 1080, 1920, 1080);
        } else {
            ExpectCrop(dev_.crop[4][w], 0, 0, 1920, 1080, 1920, 1080);
            ExpectCrop(dev_.crop[8][w], 0, 0, 1920, 1080, 1920, 1080);
        }
        EXPECT_EQ(dev_.crop[4][w].onOff, 1);
    }
    EXPECT_EQ(std::memcmp(&dev_.crop[9][0], &untouched, sizeof untouched), 0);
    EXPECT_EQ(dev_.inputReso[4].idx, 4);
    EXPECT_EQ(dev_.inputReso[4].hAct, 3840);
    EXPECT_EQ(dev_.inputReso[4].vAct, 1080);
    EXPECT_EQ(dev_.inputReso[4].fps, 6000);
    EXPECT_EQ(dev_.inputReso[4].ile, 1);
    EXPECT_EQ(dev_.lastSignalInput, 4);
    EXPECT_EQ(Seq(), (std::vector<std::string>{PostMsg(4), StatusMsg(9)}));
}

TEST_F(InputSignal, SingleLinkKeepsTheFullWidth)
{
    dev_.crop[4][2] = Crop(2000, 0, 1000, 1080, 0, 0);
    ASSERT_TRUE(Deliver(Packet(REPLY_INPUT_SIGNAL, SignalRecord(4, 3840, 1080), 0)));
    ExpectCrop(dev_.crop[4][2], 2000, 0, 1000, 1080, 3840, 1080);
    ExpectCrop(dev_.crop[8][2], 0, 0, 0, 0, 0, 0);
}

TEST_F(InputSignal, SecondDpInDualLinkHalvesSlotSixAndItsRightHalf)
{
    dev_.dpMode[1] = 1;
    dev_.input[6].src = 8;
    dev_.crop[9][1] = Crop(1500, 0, 1000, 100, 0, 0);
    ASSERT_TRUE(Deliver(Packet(REPLY_INPUT_SIGNAL, SignalRecord(6, 3840, 2160), 0)));
    for (int w = 0; w < 4; ++w) {
        EXPECT_EQ(dev_.crop[6][w].hTotal, 1920);
        EXPECT_EQ(dev_.crop[9][w].hTotal, 1920);
        EXPECT_EQ(dev_.crop[9][w].vTotal, 2160);
        EXPECT_EQ(dev_.crop[10][w].hTotal, 0);
    }
    ExpectCrop(dev_.crop[9][1], 0, 0, 1920, 2160, 1920, 2160);
}

TEST_F(InputSignal, CompositeBoardDviSourceHalvesTheTwoCompositeRecords)
{
    dev_.dpMode[1] = 1;
    dev_.input[6].src = 6;
    dev_.cmpBoard.exist = 1;
    dev_.cmpBoard.actNoSrc = 0;
    dev_.crop[6][0] = Crop(0, 0, 3000, 1000, 0, 0);
    dev_.crop[11][3] = Crop(100, 100, 1900, 100, 0, 0);
    ASSERT_TRUE(Deliver(Packet(REPLY_INPUT_SIGNAL, SignalRecord(6, 3840, 1080), 0)));
    for (int w = 0; w < 4; ++w) {
        EXPECT_EQ(dev_.crop[10][w].hTotal, 1920);
        EXPECT_EQ(dev_.crop[11][w].hTotal, 1920);
        EXPECT_EQ(dev_.crop[9][w].hTotal, 0);
        EXPECT_EQ(dev_.crop[6][w].hTotal, 3840);  // slot 6 itself keeps the full width
    }
    ExpectCrop(dev_.crop[6][0], 0, 0, 3000, 1000, 3840, 1080);
    ExpectCrop(dev_.crop[11][3], 0, 0, 1920, 1080, 1920, 1080);
}

TEST_F(InputSignal, CompositeBoardHdmiSourceHalvesSlotSixAndItsRightHalf)
{
    dev_.dpMode[1] = 1;
    dev_.input[6].src = 6;
    dev_.cmpBoard.exist = 1;
    dev_.cmpBoard.actNoSrc = 1;
    dev_.crop[6][2] = Crop(1000, 0, 1000, 1080, 0, 0);  // no longer fits the left half
    dev_.crop[9][0] = Crop(0, 0, 1920, 1080, 0, 0);
    ASSERT_TRUE(Deliver(Packet(REPLY_INPUT_SIGNAL, SignalRecord(6, 3840, 1080), 0)));
    for (int w = 0; w < 4; ++w) {
        EXPECT_EQ(dev_.crop[6][w].hTotal, 1920);
        EXPECT_EQ(dev_.crop[9][w].hTotal, 1920);
        EXPECT_EQ(dev_.crop[9][w].vTotal, 1080);
        EXPECT_EQ(dev_.crop[10][w].hTotal, 0);
        EXPECT_EQ(dev_.crop[11][w].hTotal, 0);
    }
    ExpectCrop(dev_.crop[6][2], 0, 0, 1920, 1080, 1920, 1080);
    ExpectCrop(dev_.crop[9][0], 0, 0, 1920, 1080, 1920, 1080);
}

TEST_F(InputSignal, DualLinkFlagWithoutADualCapableSecondInputKeepsTheFullWidth)
{
    dev_.dpMode[1] = 1;
    for (int32_t src : {4, 6}) {  // a plain DVI slot, and an HDMI slot without a composite board
        SCOPED_TRACE(src);
        dev_.input[6].src = src;
        ASSERT_TRUE(Deliver(Packet(REPLY_INPUT_SIGNAL, SignalRecord(6, 3840, 1080), 0)));
        for (int w = 0; w < 4; ++w) {
            EXPECT_EQ(dev_.crop[6][w].hTotal, 3840);
            for (int half : {9, 10, 11}) EXPECT_EQ(dev_.crop[half][w].hTotal, 0);
        }
    }
}

TEST_F(InputSignal, SlotEightAndAboveChangeNothing)
{
    dev_.dpMode[0] = 1;
    const auto before = BlockBytes(dev_);
    for (uint8_t slot : {uint8_t(8), uint8_t(9), uint8_t(11), uint8_t(255)}) {
        EXPECT_FALSE(Deliver(Packet(REPLY_INPUT_SIGNAL, SignalRecord(slot, 3840, 1080), 0)));
        handlers_.OnReplyInputSignal(ReplyBytes<10>(SignalRecord(slot, 3840, 1080)), 0);  // the handler on its own
    }
    EXPECT_EQ(BlockBytes(dev_), before);
    EXPECT_EQ(dev_.lastSignalInput, 0);
    EXPECT_TRUE(Seq().empty());
}

using CropReply = ReplyTest;

std::vector<uint8_t> CropRecord(const CropWindow& c)
{
    std::vector<uint8_t> r(14);
    std::memcpy(r.data(), &c, 14);
    return r;
}

TEST_F(CropReply, EachAxisIsFittedOnItsOwn)
{
    dev_.chnl[2].input = 9;  // DP1-R: record set 8
    ASSERT_TRUE(Deliver(Packet(REPLY_CROP, CropRecord(Crop(100, 20, 1900, 1000, 1920, 1080)), 4, 2, 77)));
    ExpectCrop(dev_.crop[8][2], 0, 20, 1920, 1000, 1920, 1080);
    EXPECT_EQ(dev_.crop[8][2].onOff, 1);

    ASSERT_TRUE(Deliver(Packet(REPLY_CROP, CropRecord(Crop(10, 500, 100, 600, 1920, 1080)), 4, 2)));
    ExpectCrop(dev_.crop[8][2], 10, 0, 100, 1080, 1920, 1080);
    EXPECT_EQ(Seq(), (std::vector<std::string>{PostMsg(11), StatusMsg(4), PostMsg(11), StatusMsg(4)}));
}

TEST_F(CropReply, TheReservedByteOfTheRecordIsKept)
{
    dev_.crop[0][0].reserved1 = 0xAB;
    auto rec = CropRecord(Crop(0, 0, 10, 10, 20, 20));
    rec[1] = 0xCD;
    ASSERT_TRUE(Deliver(Packet(REPLY_CROP, rec, 0, 0)));
    EXPECT_EQ(dev_.crop[0][0].reserved1, 0xAB);
    EXPECT_EQ(dev_.crop[0][0].hAct, 10);
}

}  // namespace
