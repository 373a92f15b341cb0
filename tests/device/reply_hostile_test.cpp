// Replies from a processor that lies: indexes outside their tables, payloads one byte short,
// empty payloads. None of them may change the device state, send, post or report anything.
#include "ReplyTestSupport.h"

#include "device/VideoPacketSink.h"

#include <climits>
#include <random>

namespace {

template <typename T>
void Append(std::vector<uint8_t>& out, const T& v)
{
    const auto* p = reinterpret_cast<const uint8_t*>(&v);
    out.insert(out.end(), p, p + sizeof v);
}

// Everything a reply can write, as bytes.
std::vector<uint8_t> Snapshot(const CDeviceData& d)
{
    std::vector<uint8_t> s = BlockBytes(d);
    Append(s, d.grabColor);
    Append(s, d.sysInfo);
    Append(s, d.vga.input);
    Append(s, d.vga.clock);
    Append(s, d.vga.phase);
    Append(s, d.vga.hPos);
    Append(s, d.vga.vPos);
    Append(s, d.vga.adc);
    Append(s, d.machineTime);
    Append(s, d.caption);
    Append(s, d.eventCode);
    Append(s, d.eventArg);
    Append(s, d.encoderInfo);
    Append(s, d.ackOffset);
    Append(s, d.ackValue);
    Append(s, d.ackStatus);
    Append(s, d.previewAvailable);
    Append(s, d.foundMac);
    Append(s, d.presetStored);
    Append(s, d.onlineState);
    Append(s, d.lastSignalInput);
    Append(s, d.lastLayerWindow);
    Append(s, d.feather.onOff);
    Append(s, d.feather.shape);
    Append(s, d.feather.level);
    Append(s, d.replyArrived);
    Append(s, d.lastStatus);
    Append(s, d.lastQueryWindow);
    const QByteArray ip = d.foundIp.toUtf8();
    s.insert(s.end(), ip.begin(), ip.end());
    for (const auto& row : d.inputNames) {
        Append(s, row.enabled);
        const QByteArray name = row.name.toUtf8();
        s.insert(s.end(), name.begin(), name.end());
    }
    return s;
}

class Hostile : public ReplyTest {
protected:
    void SetUp() override
    {
        ReplyTest::SetUp();
        // A state where every table has something to lose.
        std::mt19937 rng(5);
        std::vector<uint8_t> bytes(sizeof(DeviceParamBlock));
        for (auto& b : bytes) b = static_cast<uint8_t>(rng());
        std::memcpy(&dev_.Block(), bytes.data(), bytes.size());
        for (int w = 0; w < 4; ++w) dev_.chnl[w].input = static_cast<uint8_t>(w);
        dev_.dpMode[0] = 1;
        dev_.foundIp = QStringLiteral("10.1.1.1");
        before_ = Snapshot(dev_);
    }

    void ExpectDropped(const comm::ReplyPacket& p, const char* what)
    {
        SCOPED_TRACE(testing::Message() << what << ": reply " << p.replyId << ", " << p.payload.size()
                                        << " bytes, args " << p.args[0] << ", " << p.args[1]);
        EXPECT_FALSE(Deliver(p));
        clock_.RunAll();
        EXPECT_EQ(Snapshot(dev_), before_);
        EXPECT_TRUE(Seq().empty());
        EXPECT_TRUE(comm_.Calls().empty());
    }

    std::vector<uint8_t> Full(int id)
    {
        std::vector<uint8_t> p(ReplyPayloadLength(id), 0x5A);
        return p;
    }

    std::vector<uint8_t> before_;
};

const int kFixedLengthIds[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13, 15, 16, 17, 18, 19, 20, 21, 22, 25, 28, 29, 30, 31};

TEST_F(Hostile, EveryPayloadOneByteShortIsDropped)
{
    for (int id : kFixedLengthIds) {
        auto p = Full(id);
        ASSERT_GT(p.size(), 0u) << id;
        p.pop_back();
        ExpectDropped(Packet(id, p, 1, 1), "short");
    }
    // Layer state: four layers announced, one byte of the last triple missing.
    ExpectDropped(Packet(REPLY_LAYER_STATE, std::vector<uint8_t>(11, 1), 1, 4), "short triples");
    ExpectDropped(Packet(REPLY_LAYER_STATE, std::vector<uint8_t>(2, 1), 1, 1), "short triple");
    // Events that read arguments, one byte short of them.
    for (int code = 0; code < 256; ++code) {
        const std::size_t need = ReplyHandlers::EventPayloadLength(static_cast<uint8_t>(code));
        if (need < 2) continue;
        std::vector<uint8_t> p(need - 1, 0);
        p[0] = static_cast<uint8_t>(code);
        ExpectDropped(Packet(REPLY_EVENT, p, 1), "short event");
    }
}

TEST_F(Hostile, EmptyPayloadsAreDropped)
{
    for (int id : kFixedLengthIds) ExpectDropped(Packet(id, {}, 1, 1), "empty");
    ExpectDropped(Packet(REPLY_LAYER_STATE, {}, 1, 1), "empty");
    ExpectDropped(Packet(REPLY_EVENT, {}, 1), "empty");
}

TEST_F(Hostile, EmptyVideoPacketIsTheEndOfTheStream)
{
    std::vector<std::size_t> lengths;
    SetVideoPacketSink([&](int, const uint8_t*, std::size_t n) { lengths.push_back(n); });
    EXPECT_TRUE(Deliver(Packet(REPLY_VIDEO_DATA, {}, 1, 0)));
    SetVideoPacketSink(nullptr);
    EXPECT_EQ(lengths, std::vector<std::size_t>{0});
    EXPECT_EQ(Snapshot(dev_), before_);
}

TEST_F(Hostile, EmptyDeviceFoundOnlyHidesTheBusyDialog)
{
    EXPECT_TRUE(Deliver(Packet(REPLY_DEVICE_FOUND, {})));
    EXPECT_TRUE(Deliver(Packet(REPLY_DEVICE_FOUND, {1, 2, 3, 4, 5})));  // one byte short of a MAC
    EXPECT_EQ(Snapshot(dev_), before_);
    EXPECT_EQ(Seq(), (std::vector<std::string>{kHide, kHide}));
}

TEST_F(Hostile, RepliesThatIgnoreTheirPayloadStillWorkWithoutOne)
{
    EXPECT_TRUE(Deliver(Packet(REPLY_OUTPUT_ACK, {}, 1)));
    EXPECT_TRUE(Deliver(Packet(REPLY_STATUS, {}, 2)));
    EXPECT_EQ(Snapshot(dev_), before_);
    EXPECT_EQ(Seq(), (std::vector<std::string>{PostMsg(9), StatusMsg(1), StatusMsg(2)}));
}

TEST_F(Hostile, WindowsOutsideZeroToThreeAreDroppedNotClamped)
{
    for (int32_t w : {-1, 4, 5, 255, 1000, INT_MIN, INT_MAX}) {
        ExpectDropped(Packet(REPLY_PICTURE, Full(REPLY_PICTURE), 1, w), "picture window");
        ExpectDropped(Packet(REPLY_LAYER_WINDOW, Full(REPLY_LAYER_WINDOW), 1, w), "layer window");
        ExpectDropped(Packet(REPLY_CROP, Full(REPLY_CROP), 1, w), "crop window");
        // The handlers refuse them too when called directly.
        const std::vector<uint8_t> big(64, 0x5A);
        handlers_.OnReplyPicture(ReplyBytes<12>(big.data(), 12), ReplyBytes<20>(big.data(), 20), w, 0, 1);
        handlers_.OnReplyLayerWindow(ReplyBytes<20>(big.data(), 20), w, 1);
        handlers_.OnReplyCrop(ReplyBytes<14>(big.data(), 14), w, 0, 1);
        EXPECT_EQ(Snapshot(dev_), before_);
        EXPECT_TRUE(Seq().empty());
    }
}

TEST_F(Hostile, AWindowShowingNoKnownInputHasNoRecordToWrite)
{
    dev_.chnl[1].input = 12;
    before_ = Snapshot(dev_);
    ExpectDropped(Packet(REPLY_PICTURE, Full(REPLY_PICTURE), 1, 1), "picture of unknown input");
    ExpectDropped(Packet(REPLY_CROP, Full(REPLY_CROP), 1, 1), "crop of unknown input");
}

TEST_F(Hostile, LayerCountsAboveFourOrBelowZeroAreDropped)
{
    for (int32_t count : {5, 6, 255, INT_MAX, -1, INT_MIN}) {
        ExpectDropped(Packet(REPLY_LAYER_STATE, std::vector<uint8_t>(1024, 7), 1, count), "layer count");
        const std::vector<uint8_t> triples(1024, 7);
        handlers_.OnReplyLayerState(triples, count, 1);
    }
    EXPECT_EQ(Snapshot(dev_), before_);
    EXPECT_TRUE(Seq().empty());
}

TEST_F(Hostile, SlotsDpIndexesAndOutputsOutsideTheirTablesAreDropped)
{
    for (int slot = 8; slot < 256; ++slot) {
        auto p = Full(REPLY_INPUT_SIGNAL);
        p[0] = static_cast<uint8_t>(slot);
        ExpectDropped(Packet(REPLY_INPUT_SIGNAL, p, 1), "slot");
    }
    for (int j = 2; j < 256; ++j) {
        ExpectDropped(Packet(REPLY_DP_MODE, {static_cast<uint8_t>(j), 1}, 1), "dp index");
        const uint8_t raw[2] = {static_cast<uint8_t>(j), 1};
        handlers_.OnReplyDpMode(ReplyBytes<2>(raw, 2), 1);
    }
    for (int n = 4; n < 256; ++n) {
        auto p = Full(REPLY_CAPTION);
        p[14] = static_cast<uint8_t>(n);
        ExpectDropped(Packet(REPLY_CAPTION, p, 1), "caption output");
        handlers_.OnReplyCaption(ReplyBytes<32>(p.data(), 32), 1);
    }
    EXPECT_EQ(Snapshot(dev_), before_);
    EXPECT_TRUE(Seq().empty());
}

TEST_F(Hostile, VideoChannelsOutsideZeroToThreeNeverReachTheSink)
{
    int calls = 0;
    SetVideoPacketSink([&](int, const uint8_t*, std::size_t) { ++calls; });
    for (int32_t ch : {-1, 4, 255, INT_MAX, INT_MIN}) ExpectDropped(Packet(REPLY_VIDEO_DATA, {1, 2, 3}, 0, ch), "channel");
    SetVideoPacketSink(nullptr);
    EXPECT_EQ(calls, 0);
}

TEST_F(Hostile, UnknownReplyIdsAreDropped)
{
    for (int id : {-1, 32, 33, 1000, INT_MIN}) ExpectDropped(Packet(id, std::vector<uint8_t>(4000, 1), 0), "id");
}

// Random packets of every id: the state may change, but nothing may read or write out of bounds
// (the sanitizer build checks that).
TEST_F(Hostile, RandomPacketsNeverReachOutsideTheirTables)
{
    std::mt19937 rng(1234);
    int sinkCalls = 0;
    SetVideoPacketSink([&](int ch, const uint8_t*, std::size_t) {
        EXPECT_GE(ch, 0);
        EXPECT_LT(ch, 4);
        ++sinkCalls;
    });
    for (int n = 0; n < 20000; ++n) {
        comm::ReplyPacket p;
        p.replyId = static_cast<int>(rng() % 34) - 1;
        p.status = static_cast<uint8_t>(rng());
        p.deviceAddress = static_cast<uint8_t>(rng());
        const int32_t picks[] = {0, 1, 3, 4, -1, static_cast<int32_t>(rng()), static_cast<int32_t>(rng() % 8)};
        p.args[0] = picks[rng() % 7];
        p.args[1] = static_cast<int32_t>(rng());
        const std::size_t len = (rng() % 4 == 0) ? rng() % 2400 : rng() % 48;
        p.payload.resize(len);
        for (auto& b : p.payload) b = static_cast<uint8_t>(rng() % 3 == 0 ? rng() % 16 : rng());
        Deliver(p);
        if (n % 64 == 0) clock_.RunAll();
    }
    clock_.RunAll();
    SetVideoPacketSink(nullptr);
    EXPECT_GT(sinkCalls, 0);
}

}  // namespace
