// The caption transfer as a state machine: chunks of whole rows, offsets in the top-down data,
// the receiving side rebuilding the picture, acknowledgements and resends.

#include "pages/system/CaptionTransfer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

using namespace caption;

namespace {

// A picture whose every row differs from every other, padding bytes included.
MonoBitmap Pattern(int width, int height)
{
    MonoBitmap m;
    m.width = width;
    m.height = height;
    m.stride = RowStride(width);
    m.rows.resize(std::size_t(m.stride) * height);
    for (std::size_t i = 0; i < m.rows.size(); ++i) m.rows[i] = static_cast<uint8_t>(i * 7 + i / m.stride * 13);
    return m;
}

// What a processor rebuilds from the chunks: each byte at its offset, each written once.
std::vector<uint8_t> Rebuild(const std::vector<Chunk>& chunks, std::size_t size, bool& overlap)
{
    std::vector<uint8_t> out(size, 0);
    std::vector<int> writes(size, 0);
    overlap = false;
    for (const auto& c : chunks)
        for (std::size_t i = 0; i < c.bytes.size(); ++i) {
            const std::size_t at = c.offset + i;
            if (at >= size) {
                overlap = true;
                continue;
            }
            out[at] = c.bytes[i];
            overlap |= ++writes[at] > 1;
        }
    for (int w : writes) overlap |= w == 0;
    return out;
}

}  // namespace

TEST(CaptionTransfer, ChunksOfWholeRowsGoTopRowFirst)
{
    struct Case {
        int width, height;
        int stride, rowsPerChunk;
        std::size_t chunks;
    };
    const Case cases[] = {
        {600, 60, 76, 17, 4},     // 1292-byte chunks, the last one 684
        {3840, 128, 480, 2, 64},  // the largest caption: two rows a chunk
        {600, 17, 76, 17, 1},     // one chunk, ended by one acknowledgement
        {37, 5, 8, 5, 1},         // padding bits go as stored
        {1, 1, 4, 1, 1},
        {10, 128, 4, 128, 1},     // 512 bytes: the whole picture in one chunk
        {3000, 128, 376, 3, 43},  // the last chunk holds the two remaining rows
    };
    for (const auto& c : cases) {
        const MonoBitmap pic = Pattern(c.width, c.height);
        EXPECT_EQ(pic.stride, c.stride);
        CaptionTransfer t;
        t.Begin(pic, false);
        EXPECT_EQ(t.RowsPerChunk(), c.rowsPerChunk) << c.width << "x" << c.height;
        const auto chunks = AllChunks(pic, false);
        ASSERT_EQ(chunks.size(), c.chunks) << c.width << "x" << c.height;
        // Top row first: each chunk holds the next whole rows, as many as fit, after the one before.
        uint32_t next = 0;
        for (const auto& ch : chunks) {
            EXPECT_EQ(ch.offset, next) << c.width << "x" << c.height;
            const int rowsLeft = c.height - int(ch.offset) / c.stride;
            EXPECT_EQ(ch.bytes.size(), std::size_t(c.stride) * std::min(c.rowsPerChunk, rowsLeft));
            EXPECT_LE(ch.bytes.size(), std::size_t(kMaxChunkBytes));
            next += static_cast<uint32_t>(ch.bytes.size());
        }
        bool bad = false;
        EXPECT_EQ(Rebuild(chunks, pic.rows.size(), bad), pic.rows) << c.width << "x" << c.height;
        EXPECT_FALSE(bad);
    }
}

TEST(CaptionTransfer, InvertComplementsEveryByte)
{
    const MonoBitmap pic = Pattern(37, 40);
    const auto chunks = AllChunks(pic, true);
    bool bad = false;
    const auto rebuilt = Rebuild(chunks, pic.rows.size(), bad);
    ASSERT_EQ(rebuilt.size(), pic.rows.size());
    for (std::size_t i = 0; i < rebuilt.size(); ++i) EXPECT_EQ(rebuilt[i], uint8_t(~pic.rows[i])) << i;
}

TEST(CaptionTransfer, OnlyTheOutstandingOffsetWithStatusOneMovesOn)
{
    CaptionTransfer t;
    t.Begin(Pattern(600, 60), false);
    EXPECT_EQ(t.Acknowledge(0, 1), CaptionTransfer::AckOutcome::Ignored) << "nothing sent yet";
    ASSERT_TRUE(t.Accept(true));
    EXPECT_EQ(t.Current().offset, 0u);
    EXPECT_EQ(t.Acknowledge(0, 0), CaptionTransfer::AckOutcome::Ignored);
    EXPECT_EQ(t.Acknowledge(0, 2), CaptionTransfer::AckOutcome::Ignored);
    EXPECT_EQ(t.Acknowledge(1292, 1), CaptionTransfer::AckOutcome::Ignored);
    EXPECT_EQ(t.Acknowledge(0, 1), CaptionTransfer::AckOutcome::NextChunk);
    EXPECT_EQ(t.Current().offset, 1292u);
    // A late acknowledgement of the older chunk changes nothing.
    EXPECT_EQ(t.Acknowledge(0, 1), CaptionTransfer::AckOutcome::Ignored);
    EXPECT_EQ(t.Current().offset, 1292u);
    EXPECT_EQ(t.Acknowledge(1292, 1), CaptionTransfer::AckOutcome::NextChunk);
    EXPECT_EQ(t.Acknowledge(2584, 1), CaptionTransfer::AckOutcome::NextChunk);
    EXPECT_EQ(t.Acknowledge(3876, 1), CaptionTransfer::AckOutcome::Finished);
    EXPECT_EQ(t.State(), CaptionTransfer::Phase::Done);
    EXPECT_EQ(t.Acknowledge(3876, 1), CaptionTransfer::AckOutcome::Ignored);
}

TEST(CaptionTransfer, ThreeResendsPerChunkThenGiveUp)
{
    CaptionTransfer t;
    t.Begin(Pattern(600, 60), false);
    EXPECT_EQ(t.AckTimedOut(), CaptionTransfer::TimeoutOutcome::Ignored) << "no chunk outstanding";
    ASSERT_TRUE(t.Accept(true));
    // Two resends of the first chunk do not use up the second chunk's resends.
    EXPECT_EQ(t.AckTimedOut(), CaptionTransfer::TimeoutOutcome::Resend);
    EXPECT_EQ(t.AckTimedOut(), CaptionTransfer::TimeoutOutcome::Resend);
    EXPECT_EQ(t.ResendsOfCurrent(), 2);
    ASSERT_EQ(t.Acknowledge(0, 1), CaptionTransfer::AckOutcome::NextChunk);
    EXPECT_EQ(t.ResendsOfCurrent(), 0);
    const Chunk second = t.Current();
    for (int i = 0; i < kMaxResends; ++i) {
        EXPECT_EQ(t.AckTimedOut(), CaptionTransfer::TimeoutOutcome::Resend) << i;
        EXPECT_EQ(t.Current().offset, second.offset);
        EXPECT_EQ(t.Current().bytes, second.bytes);
    }
    EXPECT_EQ(t.AckTimedOut(), CaptionTransfer::TimeoutOutcome::GiveUp);
    EXPECT_EQ(t.State(), CaptionTransfer::Phase::Failed);
    EXPECT_FALSE(t.IsActive());
    // A new transfer starts with every resend available.
    t.Begin(Pattern(600, 60), false);
    ASSERT_TRUE(t.Accept(true));
    for (int i = 0; i < kMaxResends; ++i) EXPECT_EQ(t.AckTimedOut(), CaptionTransfer::TimeoutOutcome::Resend);
}

TEST(CaptionTransfer, RefusalAndUnusablePicturesSendNothing)
{
    CaptionTransfer t;
    t.Begin(Pattern(600, 60), false);
    EXPECT_FALSE(t.Accept(false));
    EXPECT_EQ(t.State(), CaptionTransfer::Phase::Failed);
    EXPECT_FALSE(t.Accept(true)) << "a refused transfer stays refused";

    MonoBitmap broken = Pattern(600, 60);
    broken.rows.resize(100);  // fewer bytes than its rows
    t.Begin(broken, false);
    EXPECT_EQ(t.State(), CaptionTransfer::Phase::Failed);
    EXPECT_FALSE(t.Accept(true));

    t.Begin(MonoBitmap{}, false);
    EXPECT_FALSE(t.Accept(true));
    EXPECT_TRUE(AllChunks(MonoBitmap{}, false).empty());
}
