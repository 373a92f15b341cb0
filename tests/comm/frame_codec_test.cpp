#include "comm/Crc32.h"
#include "comm/Frame.h"
#include "comm/FrameDecoder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

using namespace comm;

namespace {

std::vector<Frame> SampleFrames()
{
    std::vector<Frame> frames;
    uint8_t params[kCommandBlockSize];
    std::memset(params, 0x55, sizeof params);
    params[0] = 3;
    params[31] = 0xAA;
    frames.push_back({FrameType::Command, 110, 1, MakeCommandPayload(7, params)});

    std::vector<uint8_t> block(kParamBlockSize);
    for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<uint8_t>(i * 31 + 7);
    frames.push_back({FrameType::ParamBlock, 2, 2, block});

    std::vector<uint8_t> chunk(1344);
    for (std::size_t i = 0; i < chunk.size(); ++i) chunk[i] = static_cast<uint8_t>(i ^ 0x5A);
    frames.push_back({FrameType::BulkData, 3, 3, MakeBulkPayload(2688, chunk.data(), 1344)});

    ReplyPacket all{2, 5, 5, {0, 0}, block};
    frames.push_back({FrameType::Reply, 5, 4, MakeReplyPayload(all)});

    // A large video packet, full of magic bytes to tempt the resynchroniser.
    std::vector<uint8_t> video(1500 * 1024);
    std::mt19937 rng(7);
    for (auto& b : video) b = static_cast<uint8_t>(rng() % 3 == 0 ? kFrameMagic0 : rng());
    ReplyPacket vid{26, 9, 9, {0, 0}, video};
    frames.push_back({FrameType::Reply, 9, 0xFFFF, MakeReplyPayload(vid)});

    frames.push_back({FrameType::Probe, 0xFF, 6, {}});
    return frames;
}

void ExpectSame(const std::vector<Frame>& got, const std::vector<Frame>& want)
{
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].type, want[i].type) << i;
        EXPECT_EQ(got[i].address, want[i].address) << i;
        EXPECT_EQ(got[i].sequence, want[i].sequence) << i;
        EXPECT_TRUE(got[i].payload == want[i].payload) << i;
    }
}

std::vector<uint8_t> Junk(std::mt19937& rng, std::size_t n)
{
    std::vector<uint8_t> j(n);
    for (auto& b : j) b = static_cast<uint8_t>(rng());
    // Include a half-started frame.
    if (n > 4) {
        j[n - 3] = kFrameMagic0;
        j[n - 2] = kFrameMagic1;
        j[n - 1] = kFrameVersion;
    }
    return j;
}

std::vector<uint8_t> WithBadCrc(const Frame& f)
{
    auto bytes = EncodeFrame(f);
    bytes[kFrameHeaderSize + f.payload.size() / 2] ^= 0x01;  // payload bit flip (or CRC, for probes)
    if (f.payload.empty()) bytes.back() ^= 0x80;
    return bytes;
}

}  // namespace

TEST(Crc32, KnownValue)
{
    const char* text = "123456789";
    EXPECT_EQ(Crc32(reinterpret_cast<const uint8_t*>(text), 9), 0xCBF43926u);
    // Continuing a running value gives the same result as one pass.
    uint32_t c = Crc32(reinterpret_cast<const uint8_t*>(text), 4);
    EXPECT_EQ(Crc32(reinterpret_cast<const uint8_t*>(text) + 4, 5, c), 0xCBF43926u);
}

TEST(FrameCodec, HeaderLayoutIsFixed)
{
    Frame f{FrameType::Command, 110, 0x1234, MakeCommandPayload(0x01020304, nullptr)};
    auto bytes = EncodeFrame(f);
    ASSERT_EQ(bytes.size(), kFrameOverhead + kCommandPayloadSize);
    EXPECT_EQ(bytes[0], 0x5A);
    EXPECT_EQ(bytes[1], 0xC3);
    EXPECT_EQ(bytes[2], 1);
    EXPECT_EQ(bytes[3], 1);
    EXPECT_EQ(bytes[4], 110);
    EXPECT_EQ(bytes[6], 0x34);
    EXPECT_EQ(bytes[7], 0x12);
    EXPECT_EQ(bytes[8], kCommandPayloadSize);
    EXPECT_EQ(bytes[14], 0x04);  // command id, little-endian
    EXPECT_EQ(bytes[17], 0x01);
    EXPECT_EQ(bytes[18], 0x55);  // a missing block goes out as 0x55 bytes
    const uint32_t crc = Crc32(bytes.data(), bytes.size() - 4);
    EXPECT_EQ(bytes[bytes.size() - 4], crc & 0xFF);
    EXPECT_EQ(bytes[bytes.size() - 1], crc >> 24);
}

TEST(FrameCodec, RoundTripWholeStream)
{
    const auto frames = SampleFrames();
    std::vector<uint8_t> stream;
    for (const auto& f : frames) {
        auto b = EncodeFrame(f);
        stream.insert(stream.end(), b.begin(), b.end());
    }
    FrameDecoder dec;
    std::vector<Frame> got;
    dec.Feed(stream.data(), stream.size(), [&](Frame&& f) { got.push_back(std::move(f)); });
    ExpectSame(got, frames);
    EXPECT_EQ(dec.BytesSkipped(), 0u);
    EXPECT_EQ(dec.Buffered(), 0u);
}

TEST(FrameCodec, OneByteAtATimeWithJunkAndBadCrcs)
{
    const auto frames = SampleFrames();
    std::mt19937 rng(42);
    std::vector<uint8_t> stream = Junk(rng, 17);
    for (const auto& f : frames) {
        auto bad = WithBadCrc(f);
        stream.insert(stream.end(), bad.begin(), bad.end());
        auto junk = Junk(rng, 1 + rng() % 40);
        stream.insert(stream.end(), junk.begin(), junk.end());
        auto good = EncodeFrame(f);
        stream.insert(stream.end(), good.begin(), good.end());
    }
    FrameDecoder dec;
    std::vector<Frame> got;
    for (uint8_t b : stream) dec.Feed(&b, 1, [&](Frame&& f) { got.push_back(std::move(f)); });
    ExpectSame(got, frames);
    EXPECT_GT(dec.BadChecks(), 0u);
}

TEST(FrameCodec, RandomChunksWithJunkAndBadCrcs)
{
    const auto frames = SampleFrames();
    for (unsigned seed = 1; seed <= 5; ++seed) {
        std::mt19937 rng(seed);
        std::vector<uint8_t> stream;
        for (const auto& f : frames) {
            auto junk = Junk(rng, rng() % 100);
            stream.insert(stream.end(), junk.begin(), junk.end());
            if (rng() % 2) {
                auto bad = WithBadCrc(f);
                stream.insert(stream.end(), bad.begin(), bad.end());
            }
            auto good = EncodeFrame(f);
            stream.insert(stream.end(), good.begin(), good.end());
        }
        FrameDecoder dec;
        std::vector<Frame> got;
        std::size_t pos = 0;
        while (pos < stream.size()) {
            const std::size_t n = std::min<std::size_t>(stream.size() - pos, 1 + rng() % 5000);
            // Copy each chunk into its own exact-size buffer: the sanitizer catches a read past it.
            std::vector<uint8_t> piece(stream.begin() + pos, stream.begin() + pos + n);
            dec.Feed(piece.data(), piece.size(), [&](Frame&& f) { got.push_back(std::move(f)); });
            pos += n;
        }
        ExpectSame(got, frames);
    }
}

TEST(FrameCodec, OversizedLengthIsRejectedBeforeWaiting)
{
    // A header that claims 4 GiB with a valid header check: refused at once, nothing is held.
    std::vector<uint8_t> h = {kFrameMagic0, kFrameMagic1, kFrameVersion, 4, 1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF};
    const uint16_t check = static_cast<uint16_t>(Crc32(h.data(), 12));
    h.push_back(static_cast<uint8_t>(check));
    h.push_back(static_cast<uint8_t>(check >> 8));
    Frame probe{FrameType::Probe, 1, 1, {}};
    auto good = EncodeFrame(probe);
    h.insert(h.end(), good.begin(), good.end());
    FrameDecoder dec;
    int n = 0;
    dec.Feed(h.data(), h.size(), [&](Frame&&) { ++n; });
    EXPECT_EQ(n, 1);
    EXPECT_EQ(dec.Buffered(), 0u);
}

TEST(FrameCodec, WrongSizedFixedFramesAreRejected)
{
    // A parameter-block frame must carry exactly 2360 bytes.
    std::vector<uint8_t> shortBlock(100, 1);
    auto bytes = EncodeFrame({FrameType::ParamBlock, 1, 1, shortBlock});
    FrameDecoder dec;
    int n = 0;
    dec.Feed(bytes.data(), bytes.size(), [&](Frame&&) { ++n; });
    EXPECT_EQ(n, 0);
    EXPECT_GT(dec.BadChecks(), 0u);
}

TEST(FramePayloads, ReadersRefuseBadShapes)
{
    int32_t id;
    std::array<uint8_t, kCommandBlockSize> params;
    EXPECT_FALSE(ReadCommandPayload(std::vector<uint8_t>(35), id, params));
    uint32_t off, len;
    const uint8_t* data;
    auto bulk = MakeBulkPayload(5, reinterpret_cast<const uint8_t*>("abc"), 3);
    EXPECT_TRUE(ReadBulkPayload(bulk, off, data, len));
    EXPECT_EQ(off, 5u);
    EXPECT_EQ(len, 3u);
    bulk.pop_back();  // declared length no longer matches
    EXPECT_FALSE(ReadBulkPayload(bulk, off, data, len));
    ReplyPacket r;
    EXPECT_FALSE(ReadReplyPayload(std::vector<uint8_t>(11), r));
    ReplyPacket in{8, 0, 7, {3, -5}, {1, 2, 3}};
    ASSERT_TRUE(ReadReplyPayload(MakeReplyPayload(in), r));
    EXPECT_EQ(r.replyId, 8);
    EXPECT_EQ(r.status, 7);
    EXPECT_EQ(r.args[0], 3);
    EXPECT_EQ(r.args[1], -5);
    EXPECT_EQ(r.payload, in.payload);
}
