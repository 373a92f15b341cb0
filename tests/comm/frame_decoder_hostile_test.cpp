// The decoder's work stays linear in the bytes it is fed, whatever they are.
#include "comm/Crc32.h"
#include "comm/Frame.h"
#include "comm/FrameDecoder.h"
#include "tools/emulator/HostileStreams.h"

#include <gtest/gtest.h>

#include <random>

using namespace comm;

namespace {

std::vector<uint8_t> RandomBytes(std::size_t n, unsigned seed, uint8_t magicEvery = 0)
{
    std::mt19937 rng(seed);
    std::vector<uint8_t> v(n);
    for (auto& b : v) b = static_cast<uint8_t>(rng());
    if (magicEvery)
        for (std::size_t i = 0; i + 1 < n; i += magicEvery) {
            v[i] = kFrameMagic0;
            v[i + 1] = kFrameMagic1;
        }
    return v;
}

std::vector<uint8_t> ReplyFrame(std::size_t payload, uint16_t seq)
{
    ReplyPacket r{5, 1, 0, {0, 0}, std::vector<uint8_t>(payload, 0x5A)};
    const auto p = MakeReplyPayload(r);
    std::vector<uint8_t> out;
    AppendFrame(out, FrameType::Reply, 1, seq, p.data(), p.size());
    return out;
}

std::size_t FeedInPieces(FrameDecoder& dec, const std::vector<uint8_t>& bytes, std::size_t piece)
{
    std::size_t frames = 0;
    for (std::size_t pos = 0; pos < bytes.size(); pos += piece) {
        const std::size_t n = std::min(piece, bytes.size() - pos);
        dec.Feed(bytes.data() + pos, n, [&](Frame&&) { ++frames; });
    }
    return frames;
}

}  // namespace

TEST(Crc32Shift, CrcOfAStretchFollowsFromTheRunningCrcsAtItsEnds)
{
    const auto data = RandomBytes(70000, 3);
    struct Split {
        std::size_t a, b;
    };
    for (const Split s : {Split{0, 0}, Split{0, 1}, Split{1, 0}, Split{13, 64}, Split{64, 4096}, Split{1000, 69000},
                          Split{69999, 1}}) {
        const uint32_t crcA = Crc32(data.data(), s.a);
        const uint32_t crcAB = Crc32(data.data(), s.a + s.b);
        const uint32_t crcB = Crc32(data.data() + s.a, s.b);
        EXPECT_EQ(crcAB, Crc32Shift(crcA, s.b) ^ crcB) << s.a << "+" << s.b;
    }
}

TEST(FrameDecoderWork, CraftedMaximumHeadersCostAboutOnePassOverTheBytes)
{
    const auto stream = emu::CraftedHeaderStream(1000);
    FrameDecoder dec;
    EXPECT_EQ(FeedInPieces(dec, stream, 64 * 1024), 0u);
    EXPECT_EQ(dec.BytesFed(), stream.size());
    EXPECT_LE(dec.BytesExamined(), 3 * dec.BytesFed());
    EXPECT_EQ(dec.BadChecks(), 1000u);
    EXPECT_EQ(dec.Buffered(), 0u);
    // A good frame right behind the junk still comes out.
    const auto good = ReplyFrame(20, 1);
    EXPECT_EQ(FeedInPieces(dec, good, good.size()), 1u);
}

TEST(FrameDecoderWork, ExaminedBytesStayWithinASmallMultipleForEveryKindOfStream)
{
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        std::size_t piece;
        std::size_t frames;
    };
    std::vector<uint8_t> clean, bigClean, mixed;
    for (uint16_t i = 0; i < 2000; ++i) {
        const auto f = ReplyFrame(i % 300, i);
        clean.insert(clean.end(), f.begin(), f.end());
    }
    for (uint16_t i = 0; i < 4; ++i) {
        const auto f = ReplyFrame(1024 * 1024, i);
        bigClean.insert(bigClean.end(), f.begin(), f.end());
    }
    const auto crafted = emu::CraftedHeaderStream(200);
    mixed = crafted;
    mixed.insert(mixed.end(), clean.begin(), clean.end());
    std::vector<Case> cases = {
        {"clean small frames", clean, 4096, 2000},
        {"clean small frames, one byte at a time", clean, 1, 2000},
        {"clean large frames", bigClean, 1500, 4},
        {"random junk", RandomBytes(1 << 20, 5), 4096, 0},
        {"junk dense with magic", RandomBytes(1 << 20, 6, 3), 4096, 0},
        {"crafted headers", crafted, 777, 0},
        {"crafted headers in 3-byte pieces", emu::CraftedHeaderStream(30), 3, 0},
        {"crafted headers, then good frames", mixed, 65536, 2000},
    };
    for (const Case& c : cases) {
        FrameDecoder dec;
        EXPECT_EQ(FeedInPieces(dec, c.bytes, c.piece), c.frames) << c.name;
        EXPECT_LE(dec.BytesExamined(), 4 * dec.BytesFed()) << c.name;
        EXPECT_LE(dec.Buffered(), kFrameOverhead + MaxPayloadFor(4) + c.piece) << c.name;
    }
}

TEST(FrameDecoderWork, AFrameHiddenInsideAFailedOneIsFound)
{
    // A header declaring 100 bytes whose CRC fails; a whole good frame starts inside its span.
    const auto good = ReplyFrame(10, 7);
    std::vector<uint8_t> outer = ReplyFrame(100 + good.size(), 1);
    std::copy(good.begin(), good.end(), outer.begin() + kFrameHeaderSize + kReplyHeaderSize + 4);
    std::vector<uint8_t> got;
    FrameDecoder dec;
    int frames = 0;
    uint16_t seq = 0;
    for (std::size_t piece : {std::size_t(1), std::size_t(5), outer.size()}) {
        dec.Reset();
        frames = 0;
        for (std::size_t pos = 0; pos < outer.size(); pos += piece)
            dec.Feed(outer.data() + pos, std::min(piece, outer.size() - pos), [&](Frame&& f) {
                ++frames;
                seq = f.sequence;
            });
        EXPECT_EQ(frames, 1) << piece;
        EXPECT_EQ(seq, 7) << piece;
    }
}
