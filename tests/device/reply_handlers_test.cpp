// The plain store-post-report replies, one by one.
#include "ReplyTestSupport.h"

#include "device/ReplyRecord.h"
#include "device/VideoPacketSink.h"

#include <numeric>

namespace {

using Seq_t = std::vector<std::string>;
using Replies = ReplyTest;

std::vector<uint8_t> Counting(std::size_t n, uint8_t first = 1)
{
    std::vector<uint8_t> v(n);
    std::iota(v.begin(), v.end(), first);
    return v;
}

TEST_F(Replies, OnlineStoresStateAndStatusItselfWithoutAStatusReport)
{
    ASSERT_TRUE(Deliver(Packet(REPLY_ONLINE, {5}, 9)));
    EXPECT_EQ(dev_.onlineState, 5u);
    EXPECT_EQ(dev_.replyArrived, 5u);
    EXPECT_EQ(dev_.lastStatus, 9);
    EXPECT_EQ(Seq(), (Seq_t{PostMsg(0)}));
}

TEST_F(Replies, PreviewModeIsAFlag)
{
    ASSERT_TRUE(Deliver(Packet(REPLY_PREVIEW_MODE, {0x80}, 9)));
    EXPECT_EQ(dev_.previewAvailable, 1);
    ASSERT_TRUE(Deliver(Packet(REPLY_PREVIEW_MODE, {0}, 9)));
    EXPECT_EQ(dev_.previewAvailable, 0);
    EXPECT_EQ(Seq(), (Seq_t{PostMsg(1), PostMsg(1)}));
}

TEST_F(Replies, PixelColour)
{
    ASSERT_TRUE(Deliver(Packet(REPLY_PIXEL_COLOR, {0x01, 0x02, 0x03, 0x04, 0xFF, 0xFF}, 2)));
    EXPECT_EQ(dev_.grabColor[0], 0x0201);
    EXPECT_EQ(dev_.grabColor[1], 0x0403);
    EXPECT_EQ(dev_.grabColor[2], 0xFFFF);
    EXPECT_EQ(Seq(), (Seq_t{PostMsg(3), StatusMsg(2)}));
}

TEST_F(Replies, VgaRecord)
{
    std::vector<uint8_t> r(28, 0);
    PutU32(r, 0, 0xAABBCC03);
    PutU32(r, 4, 1344);
    PutU32(r, 8, 17);
    r[12] = 40;
    r[13] = 41;
    for (int k = 0; k < 6; ++k) PutU16(r, 14 + 2 * k, static_cast<uint16_t>(1000 + k));
    ASSERT_TRUE(Deliver(Packet(REPLY_VGA_DATA, r, 1)));
    EXPECT_EQ(dev_.vga.input, 3u);
    EXPECT_EQ(dev_.vga.clock, 1344u);
    EXPECT_EQ(dev_.vga.phase, 17u);
    EXPECT_EQ(dev_.vga.hPos, 40);
    EXPECT_EQ(dev_.vga.vPos, 41);
    for (int k = 0; k < 6; ++k) EXPECT_EQ(dev_.vga.adc[k], 1000 + k);
    EXPECT_EQ(Seq(), (Seq_t{PostMsg(5), StatusMsg(1)}));
}

TEST_F(Replies, EdidGoesToTheFirstRecordOfItsInputOrNowhere)
{
    dev_.edid[2].inputSrc = 6;
    dev_.edid[4].inputSrc = 6;
    dev_.edid[2].reserved1 = 0x77;
    std::vector<uint8_t> r(12, 0);
    r[0] = 6;
    r[1] = 0x99;
    for (int k = 0; k < 5; ++k) PutU16(r, 2 + 2 * k, static_cast<uint16_t>(100 * (k + 1)));
    ASSERT_TRUE(Deliver(Packet(REPLY_EDID, r, 3)));
    EXPECT_EQ(dev_.edid[2].hAct, 100);
    EXPECT_EQ(dev_.edid[2].vAct, 200);
    EXPECT_EQ(dev_.edid[2].fps, 300);
    EXPECT_EQ(dev_.edid[2].hBlank, 400);
    EXPECT_EQ(dev_.edid[2].vBlank, 500);
    EXPECT_EQ(dev_.edid[2].reserved1, 0x77);
    EXPECT_EQ(dev_.edid[4].hAct, 0);

    const auto before = BlockBytes(dev_);
    r[0] = 42;  // no record: nothing stored, still posted
    ASSERT_TRUE(Deliver(Packet(REPLY_EDID, r, 3)));
    EXPECT_EQ(BlockBytes(dev_), before);
    EXPECT_EQ(Seq(), (Seq_t{PostMsg(6), StatusMsg(3), PostMsg(6), StatusMsg(3)}));
}

TEST_F(Replies, PictureStoresCommonPartAndTheWindowsRecord)
{
    dev_.chnl[3].input = 10;
    dev_.input[6].src = 8;  // DP2-L: record set 6
    std::vector<uint8_t> p(32, 0);
    PutU32(p, 0, 5);
    PutU32(p, 4, 12);
    const float gamma = 2.2f;
    std::memcpy(p.data() + 8, &gamma, 4);
    for (int k = 12; k < 32; ++k) p[static_cast<std::size_t>(k)] = static_cast<uint8_t>(k);
    ASSERT_TRUE(Deliver(Packet(REPLY_PICTURE, p, 4, 3, 0x12345678)));
    EXPECT_EQ(dev_.picComm.picMode, 5);
    EXPECT_EQ(dev_.picComm.brightLevel, 12);
    EXPECT_FLOAT_EQ(dev_.picComm.gamma, 2.2f);
    EXPECT_EQ(std::memcmp(&dev_.pic[6][3], p.data() + 12, 20), 0);
    EXPECT_EQ(Seq(), (Seq_t{PostMsg(8), StatusMsg(4)}));
}

TEST_F(Replies, OutputAcknowledgementAndStatusIgnoreThePayload)
{
    ASSERT_TRUE(Deliver(Packet(REPLY_OUTPUT_ACK, {}, 6)));
    ASSERT_TRUE(Deliver(Packet(REPLY_STATUS, {1, 2, 3}, 7)));
    EXPECT_EQ(Seq(), (Seq_t{PostMsg(9), StatusMsg(6), StatusMsg(7)}));
}

TEST_F(Replies, LayerWindowCarriesTheWindowInTheLParam)
{
    dev_.chnl[2].onOff = 1;
    dev_.chnl[2].input = 5;
    std::vector<uint8_t> p(20, 0);
    PutU32(p, 0, 10);
    PutU32(p, 4, static_cast<uint32_t>(-20));
    PutU32(p, 8, 1920);
    PutU32(p, 12, 1080);
    PutU32(p, 16, 3);
    ASSERT_TRUE(Deliver(Packet(REPLY_LAYER_WINDOW, p, 8, 2)));
    const LayerWindow& L = dev_.chnl[2];
    EXPECT_EQ(L.hPos, 10);
    EXPECT_EQ(L.vPos, -20);
    EXPECT_EQ(L.hAct, 1920);
    EXPECT_EQ(L.vAct, 1080);
    EXPECT_EQ(L.rotation, 3);
    EXPECT_EQ(L.onOff, 1);
    EXPECT_EQ(L.input, 5);
    EXPECT_EQ(dev_.lastLayerWindow, 2);
    EXPECT_EQ(Seq(), (Seq_t{PostMsg(10, 2), StatusMsg(8)}));
}

TEST_F(Replies, MachineTime)
{
    ASSERT_TRUE(Deliver(Packet(REPLY_MACHINE_TIME, {24, 12, 31, 23, 59, 58}, 0)));
    EXPECT_EQ(std::vector<uint8_t>(dev_.machineTime, dev_.machineTime + 6), (std::vector<uint8_t>{24, 12, 31, 23, 59, 58}));
    EXPECT_EQ(Seq(), (Seq_t{PostMsg(13), StatusMsg(0)}));
}

TEST_F(Replies, LayerStateWritesCountTriples)
{
    dev_.chnl[2].onOff = 9;
    ASSERT_TRUE(Deliver(Packet(REPLY_LAYER_STATE, {1, 255, 3, 0, 128, 11}, 2, 2)));
    EXPECT_EQ(dev_.chnl[0].onOff, 1);
    EXPECT_EQ(dev_.chnl[0].alpha, 255);
    EXPECT_EQ(dev_.chnl[0].input, 3);
    EXPECT_EQ(dev_.chnl[1].onOff, 0);
    EXPECT_EQ(dev_.chnl[1].alpha, 128);
    EXPECT_EQ(dev_.chnl[1].input, 11);
    EXPECT_EQ(dev_.chnl[2].onOff, 9);
    ASSERT_TRUE(Deliver(Packet(REPLY_LAYER_STATE, Counting(12), 2, 4)));
    EXPECT_EQ(dev_.chnl[3].input, 12);
    EXPECT_EQ(Seq(), (Seq_t{PostMsg(14), StatusMsg(2), PostMsg(14), StatusMsg(2)}));
}

TEST_F(Replies, KeyerRecordGoesToTheSetOfItsLayer)
{
    auto r = Counting(20);
    r[0] = 3;
    ASSERT_TRUE(Deliver(Packet(REPLY_KEYER, r, 1)));
    EXPECT_EQ(std::memcmp(&dev_.keyer[0], r.data(), 20), 0);
    r[0] = 1;
    r[5] = 0xEE;
    ASSERT_TRUE(Deliver(Packet(REPLY_KEYER, r, 1)));
    EXPECT_EQ(std::memcmp(&dev_.keyer[1], r.data(), 20), 0);
    EXPECT_EQ(dev_.keyer[0].chnl, 3);

    const auto before = BlockBytes(dev_);
    r[0] = 2;  // no such set: nothing stored, still posted
    ASSERT_TRUE(Deliver(Packet(REPLY_KEYER, r, 1)));
    EXPECT_EQ(BlockBytes(dev_), before);
    EXPECT_EQ(Seq(), (Seq_t{PostMsg(16), StatusMsg(1), PostMsg(16), StatusMsg(1), PostMsg(16), StatusMsg(1)}));
}

TEST_F(Replies, PresetFlagsHideTheBusyDialogBeforeTheStatus)
{
    ASSERT_TRUE(Deliver(Packet(REPLY_PRESET_FLAGS, Counting(10), 3)));
    EXPECT_EQ(std::vector<uint8_t>(dev_.presetStored, dev_.presetStored + 10), Counting(10));
    EXPECT_EQ(Seq(), (Seq_t{PostMsg(17), kHide, StatusMsg(3)}));
}

TEST_F(Replies, LoopOutSystemInfoAndFreeze)
{
    ASSERT_TRUE(Deliver(Packet(REPLY_LOOP_OUT, {7}, 1)));
    EXPECT_EQ(dev_.loopOutIp, 7);
    const auto info = Counting(18, 40);
    ASSERT_TRUE(Deliver(Packet(REPLY_SYSTEM_INFO, info, 2)));
    EXPECT_EQ(std::memcmp(&dev_.sysInfo, info.data(), 18), 0);
    ASSERT_TRUE(Deliver(Packet(REPLY_FREEZE_STATE, {1}, 3)));
    EXPECT_EQ(dev_.freezeState, 1);
    EXPECT_EQ(Seq(), (Seq_t{PostMsg(18), StatusMsg(1), PostMsg(19), StatusMsg(2), PostMsg(31), StatusMsg(3)}));
}

TEST_F(Replies, DpModeRenamesTheInputs)
{
    dev_.chnl[1].input = 4;
    ASSERT_TRUE(Deliver(Packet(REPLY_DP_MODE, {0, 1}, 5)));
    EXPECT_EQ(dev_.dpMode[0], 1);
    EXPECT_EQ(dev_.inputNames[4].enabled, 0);
    EXPECT_EQ(dev_.inputNames[8].enabled, 1);
    EXPECT_EQ(dev_.chnl[1].input, 8);
    ASSERT_TRUE(Deliver(Packet(REPLY_DP_MODE, {1, 1}, 5)));
    EXPECT_EQ(dev_.dpMode[1], 1);
    EXPECT_EQ(Seq(), (Seq_t{PostMsg(21), StatusMsg(5), PostMsg(21), StatusMsg(5)}));
}

TEST_F(Replies, InputStateOnlyFromOurProcessorReportingItsAddress)
{
    auto p = Packet(REPLY_INPUT_STATE, {1, 0, 1, 0, 0, 0, 0, 1}, 99);
    p.deviceAddress = 111;
    ASSERT_TRUE(Deliver(p));
    EXPECT_EQ(dev_.inputState[0], 0);
    EXPECT_TRUE(Seq().empty());

    g_DeviceAddress = 111;
    ASSERT_TRUE(Deliver(p));
    EXPECT_EQ(std::vector<uint8_t>(dev_.inputState, dev_.inputState + 8), (std::vector<uint8_t>{1, 0, 1, 0, 0, 0, 0, 1}));
    EXPECT_EQ(Seq(), (Seq_t{PostMsg(22), StatusMsg(111)}));
}

TEST_F(Replies, CaptionGoesToItsOutput)
{
    auto r = Counting(32);
    r[14] = 2;
    ASSERT_TRUE(Deliver(Packet(REPLY_CAPTION, r, 4)));
    EXPECT_EQ(std::vector<uint8_t>(dev_.caption[2], dev_.caption[2] + 32), r);
    EXPECT_EQ(dev_.caption[1][0], 0);
    EXPECT_EQ(Seq(), (Seq_t{PostMsg(25, 2), StatusMsg(4)}));
}

std::vector<uint8_t> FoundPayload(const std::string& ip, bool terminator = true)
{
    std::vector<uint8_t> p{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
    p.insert(p.end(), ip.begin(), ip.end());
    if (terminator) p.push_back(0);
    return p;
}

TEST_F(Replies, DeviceFoundCarriesIpAndMacWithThePost)
{
    ASSERT_TRUE(Deliver(Packet(REPLY_DEVICE_FOUND, FoundPayload("192.168.1.110"))));
    auto tail = FoundPayload("10.0.0.7", false);
    tail[5] = 0x99;
    ASSERT_TRUE(Deliver(Packet(REPLY_DEVICE_FOUND, tail)));
    EXPECT_EQ(dev_.foundIp, QStringLiteral("10.0.0.7"));
    EXPECT_EQ(dev_.foundMac[5], 0x99);
    EXPECT_EQ(Seq(), (Seq_t{"found 192.168.1.110 0 26 43 60 77 94", kHide, "found 10.0.0.7 0 26 43 60 77 153", kHide}));
}

TEST_F(Replies, DeviceFoundWithABadOrMissingTextOnlyHides)
{
    for (const std::string bad : {"", "192.168.1", "192.168.1.1100", "1.2.3.256", "a.b.c.d", "1..2.3",
                                  "192.168.100.1000", "255.255.255.2555", "1.2.3.4.", ".1.2.3"}) {
        ASSERT_TRUE(Deliver(Packet(REPLY_DEVICE_FOUND, FoundPayload(bad)))) << bad;
    }
    std::vector<uint8_t> longText = FoundPayload(std::string(300, '1'));
    ASSERT_TRUE(Deliver(Packet(REPLY_DEVICE_FOUND, longText)));
    ASSERT_TRUE(Deliver(Packet(REPLY_DEVICE_FOUND, {1, 2, 3})));  // not even a MAC
    handlers_.OnReplyDeviceFound(std::nullopt, std::nullopt);
    EXPECT_TRUE(dev_.foundIp.isEmpty());
    EXPECT_EQ(dev_.foundMac[1], 0);
    EXPECT_EQ(Seq(), Seq_t(13, kHide));
}

TEST_F(Replies, FoundIpTextRule)
{
    EXPECT_TRUE(ReplyHandlers::IsFoundIpText("0.0.0.0"));
    EXPECT_TRUE(ReplyHandlers::IsFoundIpText("255.255.255.255"));
    EXPECT_TRUE(ReplyHandlers::IsFoundIpText("127.0.0.1"));
    EXPECT_FALSE(ReplyHandlers::IsFoundIpText("1.2.3"));
    EXPECT_FALSE(ReplyHandlers::IsFoundIpText("1.2.3.4.5"));
    EXPECT_FALSE(ReplyHandlers::IsFoundIpText("1.2.3.-4"));
    EXPECT_FALSE(ReplyHandlers::IsFoundIpText(std::string_view("1.2.\0.4", 7)));
}

TEST_F(Replies, EncoderInfoAsksForTheOtherPart)
{
    auto p = Counting(10, 0);
    ASSERT_TRUE(Deliver(Packet(REPLY_ENCODER_INFO, p, 1)));
    EXPECT_EQ(std::vector<uint8_t>(dev_.encoderInfo, dev_.encoderInfo + 10), p);
    p[0] = 2;
    ASSERT_TRUE(Deliver(Packet(REPLY_ENCODER_INFO, p, 1)));
    p[0] = 1;
    ASSERT_TRUE(Deliver(Packet(REPLY_ENCODER_INFO, p, 1)));
    EXPECT_EQ(Seq(), (Seq_t{PostMsg(28), Cmd(CMD_QUERY_ENCODER, 1), StatusMsg(1), PostMsg(28),
                            Cmd(CMD_QUERY_ENCODER, 0), StatusMsg(1), PostMsg(28), StatusMsg(1)}));
}

TEST_F(Replies, BoardInfoAppliesTheBoardThenQueriesEdidAndSplicing)
{
    dev_.edid[5].inputSrc = 0x2A;
    std::vector<uint8_t> r(44, 0);
    r[0] = 1;            // exist
    PutU32(r, 4, 4);     // ipSrc[0]: DVI
    PutU32(r, 8, 6);     // ipSrc[1]: HDMI
    PutU32(r, 16, 1);    // actNoSrc
    PutU16(r, 22, 1920);
    PutU16(r, 26, 1080);
    r[36] = 0;           // single link
    ASSERT_TRUE(Deliver(Packet(REPLY_BOARD_INFO, r, 6)));
    EXPECT_EQ(std::memcmp(&dev_.cmpBoard, r.data(), 44), 0);
    EXPECT_EQ(dev_.input[6].src, 6);
    EXPECT_EQ(dev_.inputNames[6].name, QStringLiteral(" HDMI-3"));
    EXPECT_EQ(dev_.inputReso[6].hAct, 1920);
    EXPECT_EQ(Seq(), (Seq_t{PostMsg(29), Cmd(CMD_QUERY_EDID, 0x2A), Cmd(CMD_QUERY_SPLICING), StatusMsg(6)}));
}

TEST_F(Replies, Feather)
{
    std::vector<uint8_t> p(36, 0);
    p[0] = 1;
    p[1] = 0xEE;  // padding
    for (int k = 0; k < 4; ++k) {
        PutU32(p, 4 + 4 * k, static_cast<uint32_t>(k + 1));
        PutU32(p, 20 + 4 * k, static_cast<uint32_t>(10 * (k + 1)));
    }
    ASSERT_TRUE(Deliver(Packet(REPLY_FEATHER, p, 2)));
    EXPECT_EQ(dev_.feather.onOff, 1);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(dev_.feather.shape[k], k + 1);
        EXPECT_EQ(dev_.feather.level[k], 10 * (k + 1));
    }
    EXPECT_EQ(Seq(), (Seq_t{PostMsg(30), StatusMsg(2)}));
}

TEST_F(Replies, WithoutAMainWindowRepliesAreStoredAndNothingIsPosted)
{
    SetMainWindowLink(nullptr);
    ASSERT_TRUE(Deliver(Packet(REPLY_LOOP_OUT, {3}, 1)));
    ASSERT_TRUE(Deliver(Packet(REPLY_EVENT, {11, 0}, 1)));
    clock_.RunAll();
    EXPECT_EQ(dev_.loopOutIp, 3);
    EXPECT_EQ(comm_.Commands().size(), 9u);
    EXPECT_EQ(Seq().size(), 9u);  // the sends only
}

TEST(VideoSink, PacketsReachTheSinkOnlyForChannelsZeroToThree)
{
    std::vector<std::pair<int, std::vector<uint8_t>>> got;
    SetVideoPacketSink([&](int ch, const uint8_t* d, std::size_t n) { got.push_back({ch, std::vector<uint8_t>(d, d + n)}); });
    comm::ReplyPacket p;
    p.replyId = REPLY_VIDEO_DATA;
    p.payload = {0, 0, 0, 1, 0x67};
    ManualTimerSource clock;
    CDeviceData dev;
    ReplyHandlers h(dev, clock);
    for (int ch : {-1, 0, 3, 4, 1000}) {
        p.args[0] = ch;
        EXPECT_EQ(DispatchReply(h, p), ch >= 0 && ch <= 3);
    }
    p.args[0] = 1;
    p.payload.clear();
    // An empty packet is the end of the stream: it reaches the channel.
    EXPECT_TRUE(DispatchReply(h, p));
    OnReplyVideoData(nullptr, 10, 1);
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0].first, 0);
    EXPECT_EQ(got[1].first, 3);
    EXPECT_EQ(got[1].second, (std::vector<uint8_t>{0, 0, 0, 1, 0x67}));
    EXPECT_EQ(got[2].first, 1);
    EXPECT_TRUE(got[2].second.empty());

    SetVideoPacketSink(nullptr);
    p.payload = {1};
    EXPECT_TRUE(DispatchReply(h, p));  // accepted, and dropped for want of a sink
    EXPECT_EQ(got.size(), 3u);
}

}  // namespace

TEST(ReplyRecord, ACopyGoesBackWholeOrNotAtAll)
{
    auto dev = std::make_unique<CDeviceData>();
    dev->eventCode = 7;
    dev->ackValue = 0x1234;
    dev->ackOffset = 99;
    const QByteArray event = CaptureReplyRecord(*dev, REPLY_EVENT);
    dev->eventCode = 1;
    dev->ackValue = 0;
    EXPECT_FALSE(RestoreReplyRecord(*dev, REPLY_EVENT, event.left(event.size() - 1)));
    EXPECT_FALSE(RestoreReplyRecord(*dev, REPLY_ENCODER_INFO, event));
    EXPECT_EQ(dev->eventCode, 1);
    EXPECT_TRUE(RestoreReplyRecord(*dev, REPLY_EVENT, event));
    EXPECT_EQ(dev->eventCode, 7);
    EXPECT_EQ(dev->ackValue, 0x1234u);
    EXPECT_EQ(dev->ackOffset, 99u);
    // Replies whose fields keep every reply need no copy.
    EXPECT_TRUE(CaptureReplyRecord(*dev, REPLY_LAYER_WINDOW).isEmpty());
    EXPECT_FALSE(RestoreReplyRecord(*dev, REPLY_LAYER_WINDOW, QByteArray()));
}
