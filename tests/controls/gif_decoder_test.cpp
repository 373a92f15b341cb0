// GIF block walk, frame decoding, delays and disposal on the canvas, on GIFs written here.

#include "controls/GifDecoder.h"
#include "controls/GifPlayer.h"
#include "resources/GifWriter.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kBlack = 0x000000;
constexpr std::uint32_t kBack = 0xFF202020;

GifWriterFrame SolidFrame(int x, int y, int w, int h, std::uint8_t index, int delay, int disposal)
{
    GifWriterFrame f;
    f.x = x;
    f.y = y;
    f.width = w;
    f.height = h;
    f.indices.assign(static_cast<std::size_t>(w * h), index);
    f.delay = delay;
    f.disposal = disposal;
    return f;
}

GifWriterImage BaseImage(int w, int h)
{
    GifWriterImage img;
    img.width = w;
    img.height = h;
    img.globalPalette = {kBlack, kRed, kGreen, kBlue};
    return img;
}

std::uint32_t At(const GifPlayer& p, int x, int y) { return p.Canvas()[static_cast<std::size_t>(y * p.Width() + x)]; }

TEST(GifWalk, CountsFramesWithDelaysAndDisposals)
{
    GifWriterImage img = BaseImage(8, 6);
    img.comment = true;
    img.frames.push_back(SolidFrame(0, 0, 8, 6, 1, 0, 1));
    img.frames.push_back(SolidFrame(2, 1, 3, 2, 2, 7, 2));
    img.frames.push_back(SolidFrame(1, 1, 2, 2, 3, 20, 3));
    const auto bytes = EncodeGif(img);
    const GifWalk w = WalkGif(bytes.data(), bytes.size());
    ASSERT_TRUE(w.isGif);
    EXPECT_EQ(w.width, 8);
    EXPECT_EQ(w.height, 6);
    EXPECT_EQ(w.globalTableSize, 12u);
    EXPECT_EQ(w.firstBlock, 25u);
    ASSERT_EQ(w.blocks.size(), 3u);
    EXPECT_EQ(w.blocks[1].x, 2);
    EXPECT_EQ(w.blocks[1].y, 1);
    EXPECT_EQ(w.blocks[1].width, 3);
    EXPECT_EQ(w.blocks[1].height, 2);
    EXPECT_EQ(w.blocks[0].delay, 0);
    EXPECT_EQ(w.blocks[1].delay, 7);
    EXPECT_EQ(w.blocks[2].delay, 20);
    EXPECT_EQ(w.blocks[0].disposal, 1);
    EXPECT_EQ(w.blocks[1].disposal, 2);
    EXPECT_EQ(w.blocks[2].disposal, 3);
    EXPECT_EQ(w.blocks[2].end + 1, bytes.size());  // then the trailer
}

TEST(GifWalk, DelaysBecomeMilliseconds)
{
    EXPECT_EQ(GifDelayMs(0), 100);
    EXPECT_EQ(GifDelayMs(4), 100);
    EXPECT_EQ(GifDelayMs(5), 50);
    EXPECT_EQ(GifDelayMs(7), 70);
    EXPECT_EQ(GifDelayMs(20), 200);

    GifWriterImage img = BaseImage(4, 4);
    for (int d : {0, 7, 20})
        img.frames.push_back(SolidFrame(0, 0, 4, 4, 1, d, 0));
    const auto bytes = EncodeGif(img);
    auto gif = DecodeGif(bytes.data(), bytes.size());
    ASSERT_TRUE(gif);
    GifPlayer player(std::make_shared<const GifImage>(std::move(*gif)), kBack);
    EXPECT_EQ(player.RenderCurrent(), 100);
    player.FinishCurrent();
    EXPECT_EQ(player.RenderCurrent(), 70);
    player.FinishCurrent();
    EXPECT_EQ(player.RenderCurrent(), 200);
}

TEST(GifWalk, NotAGifAndFramelessStreams)
{
    const std::uint8_t png[] = {0x89, 'P', 'N', 'G', 0, 0, 0, 0};
    EXPECT_FALSE(WalkGif(png, sizeof png).isGif);
    EXPECT_FALSE(DecodeGif(png, sizeof png));
    GifWriterImage img = BaseImage(4, 4);
    const auto bytes = EncodeGif(img);
    const GifWalk w = WalkGif(bytes.data(), bytes.size());
    EXPECT_TRUE(w.isGif);
    EXPECT_TRUE(w.blocks.empty());
    EXPECT_FALSE(DecodeGif(bytes.data(), bytes.size()));
    EXPECT_FALSE(WalkGif(nullptr, 0).isGif);
}

TEST(GifDecode, PixelsMatchWhatWasWritten)
{
    GifWriterImage img = BaseImage(5, 3);
    GifWriterFrame f;
    f.width = 5;
    f.height = 3;
    f.indices = {0, 1, 2, 3, 0, 1, 1, 1, 2, 2, 3, 0, 3, 0, 1};
    img.frames.push_back(f);
    const auto bytes = EncodeGif(img);
    auto gif = DecodeGif(bytes.data(), bytes.size());
    ASSERT_TRUE(gif);
    ASSERT_EQ(gif->frames.size(), 1u);
    const std::uint32_t pal[] = {0xFF000000, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF};
    for (std::size_t i = 0; i < f.indices.size(); ++i)
        EXPECT_EQ(gif->frames[0].pixels[i], pal[f.indices[i]]) << i;
}

TEST(GifDecode, LargeNoisyFrameRoundTripsThroughTableResets)
{
    // Enough varied pixels to fill the 4096-entry table several times.
    GifWriterImage img;
    img.width = 300;
    img.height = 200;
    for (int i = 0; i < 256; ++i)
        img.globalPalette.push_back(static_cast<std::uint32_t>(i * 0x010101));
    GifWriterFrame f;
    f.width = 300;
    f.height = 200;
    std::uint32_t seed = 12345;
    for (int i = 0; i < 300 * 200; ++i) {
        seed = seed * 1103515245u + 12345u;
        f.indices.push_back(static_cast<std::uint8_t>((seed >> 16) & (i % 3 == 0 ? 0xFF : 0x0F)));
    }
    f.interlaced = true;
    img.frames.push_back(f);
    const auto bytes = EncodeGif(img);
    auto gif = DecodeGif(bytes.data(), bytes.size());
    ASSERT_TRUE(gif);
    const auto& px = gif->frames[0].pixels;
    for (std::size_t i = 0; i < f.indices.size(); ++i)
        ASSERT_EQ(px[i], 0xFF000000u | (f.indices[i] * 0x010101u)) << i;
}

TEST(GifDecode, TransparentPixelsLeaveTheCanvas)
{
    GifWriterImage img = BaseImage(4, 1);
    img.frames.push_back(SolidFrame(0, 0, 4, 1, 1, 0, 1));
    GifWriterFrame top = SolidFrame(0, 0, 4, 1, 2, 0, 1);
    top.indices = {2, 0, 0, 2};
    top.transparentIndex = 0;
    img.frames.push_back(top);
    const auto bytes = EncodeGif(img);
    auto gif = DecodeGif(bytes.data(), bytes.size());
    ASSERT_TRUE(gif);
    GifPlayer p(std::make_shared<const GifImage>(std::move(*gif)), kBack);
    p.RenderCurrent();
    p.FinishCurrent();
    p.RenderCurrent();
    EXPECT_EQ(At(p, 0, 0), 0xFF00FF00u);
    EXPECT_EQ(At(p, 1, 0), 0xFFFF0000u);
    EXPECT_EQ(At(p, 2, 0), 0xFFFF0000u);
    EXPECT_EQ(At(p, 3, 0), 0xFF00FF00u);
}

TEST(GifPlayer, DisposalMethodsOnCanvasPixels)
{
    GifWriterImage img = BaseImage(6, 4);
    img.frames.push_back(SolidFrame(0, 0, 6, 4, 1, 5, 1));  // red everywhere, left in place
    img.frames.push_back(SolidFrame(1, 1, 2, 2, 2, 5, 2));  // green square, then background
    img.frames.push_back(SolidFrame(3, 1, 2, 2, 3, 5, 3));  // blue square, then restored
    img.frames.push_back(SolidFrame(0, 0, 1, 1, 2, 5, 0));  // green dot, left in place
    const auto bytes = EncodeGif(img);
    auto gif = DecodeGif(bytes.data(), bytes.size());
    ASSERT_TRUE(gif);
    ASSERT_EQ(gif->frames.size(), 4u);
    GifPlayer p(std::make_shared<const GifImage>(std::move(*gif)), kBack);

    p.RenderCurrent();
    EXPECT_EQ(At(p, 0, 0), 0xFFFF0000u);
    p.FinishCurrent();  // disposal 1: stays
    EXPECT_EQ(At(p, 1, 1), 0xFFFF0000u);

    p.RenderCurrent();
    EXPECT_EQ(At(p, 1, 1), 0xFF00FF00u);
    EXPECT_EQ(At(p, 2, 2), 0xFF00FF00u);
    p.FinishCurrent();  // disposal 2: background where it was
    EXPECT_EQ(At(p, 1, 1), kBack);
    EXPECT_EQ(At(p, 2, 2), kBack);
    EXPECT_EQ(At(p, 0, 0), 0xFFFF0000u);

    p.RenderCurrent();
    EXPECT_EQ(At(p, 3, 1), 0xFF0000FFu);
    p.FinishCurrent();  // disposal 3: what was under it comes back
    EXPECT_EQ(At(p, 3, 1), 0xFFFF0000u);
    EXPECT_EQ(At(p, 4, 2), 0xFFFF0000u);

    p.RenderCurrent();
    EXPECT_EQ(At(p, 0, 0), 0xFF00FF00u);
    EXPECT_EQ(p.CurrentIndex(), 3);
    p.FinishCurrent();  // after the last frame: frame 0 on a clean background
    EXPECT_EQ(p.CurrentIndex(), 0);
    for (std::uint32_t px : p.Canvas())
        EXPECT_EQ(px, kBack);
}

TEST(GifDecode, FramesAreClippedToTheScreen)
{
    GifWriterImage img = BaseImage(4, 4);
    img.frames.push_back(SolidFrame(2, 3, 5, 5, 1, 0, 0));
    img.frames.push_back(SolidFrame(10, 10, 2, 2, 1, 0, 0));  // wholly outside: dropped
    const auto bytes = EncodeGif(img);
    auto gif = DecodeGif(bytes.data(), bytes.size());
    ASSERT_TRUE(gif);
    EXPECT_EQ(gif->graphicBlocks, 2);
    ASSERT_EQ(gif->frames.size(), 1u);
    EXPECT_EQ(gif->frames[0].x, 2);
    EXPECT_EQ(gif->frames[0].y, 3);
    EXPECT_EQ(gif->frames[0].width, 2);
    EXPECT_EQ(gif->frames[0].height, 1);
}

TEST(GifDecode, HugeScreenIsRefusedWithoutAllocating)
{
    GifWriterImage img = BaseImage(65535, 65535);
    img.frames.push_back(SolidFrame(0, 0, 1, 1, 1, 0, 0));
    const auto bytes = EncodeGif(img);
    EXPECT_FALSE(DecodeGif(bytes.data(), bytes.size()));
    GifWriterImage wide = BaseImage(4, 4);
    wide.loopCount = -1;  // no looping extension: the descriptor follows the control extension
    wide.frames.push_back(SolidFrame(0, 0, 1, 1, 1, 0, 0));
    auto big = EncodeGif(wide);
    // A frame descriptor claiming 65535 x 65535 is skipped, the screen stays small.
    const std::size_t desc = 25 + 8;  // header + table + control extension
    ASSERT_EQ(big[desc], 0x2C);
    big[desc + 5] = big[desc + 6] = big[desc + 7] = big[desc + 8] = 0xFF;
    EXPECT_FALSE(DecodeGif(big.data(), big.size()));
}

TEST(GifDecode, CutShortKeepsTheFramesBeforeTheCut)
{
    GifWriterImage img = BaseImage(4, 4);
    for (int i = 0; i < 3; ++i)
        img.frames.push_back(SolidFrame(0, 0, 4, 4, static_cast<std::uint8_t>(i + 1), 0, 1));
    const auto bytes = EncodeGif(img);
    const GifWalk full = WalkGif(bytes.data(), bytes.size());
    ASSERT_EQ(full.blocks.size(), 3u);
    // Cut inside the third frame's data.
    const std::size_t cut = full.blocks[2].end - 2;
    auto gif = DecodeGif(bytes.data(), cut);
    ASSERT_TRUE(gif);
    EXPECT_EQ(gif->frames.size(), 2u);
}

TEST(GifDecode, EveryTruncationIsSafe)
{
    GifWriterImage img = BaseImage(9, 7);
    img.comment = true;
    img.frames.push_back(SolidFrame(0, 0, 9, 7, 1, 3, 1));
    GifWriterFrame local = SolidFrame(2, 2, 4, 3, 1, 9, 3);
    local.localPalette = {kBlue, kGreen};
    local.interlaced = true;
    img.frames.push_back(local);
    img.frames.push_back(SolidFrame(1, 1, 3, 3, 2, 0, 2));
    const auto bytes = EncodeGif(img);
    std::size_t lastFrames = 0;
    for (std::size_t n = 0; n <= bytes.size(); ++n) {
        // An exact-size copy so that any read past the end is caught by the sanitizer.
        std::unique_ptr<std::uint8_t[]> copy(new std::uint8_t[n == 0 ? 1 : n]);
        std::copy_n(bytes.begin(), n, copy.get());
        auto gif = DecodeGif(copy.get(), n);
        const std::size_t frames = gif ? gif->frames.size() : 0;
        EXPECT_GE(frames, lastFrames) << n;  // more data never loses frames
        lastFrames = frames;
        if (gif) {
            GifPlayer p(std::make_shared<const GifImage>(std::move(*gif)), kBack);
            for (int i = 0; i < 4; ++i) {
                p.RenderCurrent();
                p.FinishCurrent();
            }
        }
    }
    EXPECT_EQ(lastFrames, 3u);
}

TEST(GifDecode, CorruptCodesStopQuietly)
{
    GifWriterImage img = BaseImage(16, 16);
    img.frames.push_back(SolidFrame(0, 0, 16, 16, 1, 0, 0));
    auto bytes = EncodeGif(img);
    // Flip bits in the image data (after the min code size byte and the first length byte).
    const std::size_t data = 25 + 8 + 10 + 2;
    for (std::size_t i = data; i + 2 < bytes.size(); ++i)
        bytes[i] ^= 0xA5;
    auto gif = DecodeGif(bytes.data(), bytes.size());
    if (gif) {
        EXPECT_EQ(gif->frames[0].pixels.size(), 256u);
    }
}

} // namespace
