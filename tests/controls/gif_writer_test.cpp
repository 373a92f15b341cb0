// The GIF writer's output decodes the same in Qt's own GIF reader.

#include "resources/GifWriter.h"

#include <QGuiApplication>
#include <QImage>
#include <QImageReader>

#include <gtest/gtest.h>

namespace {

QGuiApplication* App()
{
    static int argc = 1;
    static char name[] = "gif_writer_test";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    return app;
}

TEST(GifWriter, QtReadsWhatWeWrite)
{
    App();
    if (!QImageReader::supportedImageFormats().contains("gif"))
        GTEST_FAIL() << "Qt's GIF image plugin (qt6-image-formats / qt6-base) is missing";
    GifWriterImage img;
    img.width = 37;
    img.height = 23;
    for (int i = 0; i < 32; ++i)
        img.globalPalette.push_back(static_cast<std::uint32_t>((i * 8) << 16 | (255 - i * 8) << 8 | (i * 5)));
    GifWriterFrame f;
    f.width = 37;
    f.height = 23;
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 37; ++x)
            f.indices.push_back(static_cast<std::uint8_t>((x * 7 + y * 3 + (x * y) % 5) % 32));
    img.frames.push_back(f);
    const auto bytes = EncodeGif(img);
    QImage q;
    ASSERT_TRUE(q.loadFromData(bytes.data(), static_cast<int>(bytes.size()), "GIF"));
    ASSERT_EQ(q.size(), QSize(37, 23));
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 37; ++x) {
            const std::uint32_t c = img.globalPalette[f.indices[static_cast<std::size_t>(y * 37 + x)]];
            ASSERT_EQ(q.pixel(x, y) & 0xFFFFFF, c) << x << "," << y;
        }
}

TEST(GifWriter, HeaderAndPaletteLayout)
{
    GifWriterImage img;
    img.width = 2;
    img.height = 1;
    img.globalPalette = {0x112233, 0x445566, 0x778899};  // padded to 4 entries
    img.loopCount = -1;
    GifWriterFrame f;
    f.width = 2;
    f.height = 1;
    f.indices = {0, 2};
    f.delay = 0x0102;
    f.disposal = 2;
    img.frames.push_back(f);
    const auto b = EncodeGif(img);
    ASSERT_GE(b.size(), 13u + 12u + 8u + 10u);
    EXPECT_EQ(std::string(b.begin(), b.begin() + 6), "GIF89a");
    EXPECT_EQ(b[6], 2);
    EXPECT_EQ(b[8], 1);
    EXPECT_EQ(b[10] & 0x87, 0x81);  // global table of 2^(1+1) entries
    EXPECT_EQ(b[13], 0x11);
    EXPECT_EQ(b[15], 0x33);
    EXPECT_EQ(b[22], 0);  // padding entry
    EXPECT_EQ(b[25], 0x21);
    EXPECT_EQ(b[26], 0xF9);
    EXPECT_EQ(b[28], 2 << 2);
    EXPECT_EQ(b[29], 0x02);
    EXPECT_EQ(b[30], 0x01);
    EXPECT_EQ(b[33], 0x2C);
    EXPECT_EQ(b.back(), 0x3B);
}

} // namespace
