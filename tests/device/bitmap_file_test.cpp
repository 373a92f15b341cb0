// The 1-bit BMP writer, checked by a reader written here from the file format alone.

#include "device/PathUtils.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <cstdint>
#include <vector>

namespace {

uint32_t Le(const QByteArray& f, int at, int bytes)
{
    uint32_t v = 0;
    for (int n = bytes - 1; n >= 0; --n) v = (v << 8) | static_cast<uint8_t>(f[at + n]);
    return v;
}

struct MonoBmp {
    int width = 0;
    int height = 0;
    std::vector<std::vector<bool>> white;  // [y][x], top row first
};

// Reads a 1-bit BMP; fails the test on any header field other than the expected ones.
MonoBmp ReadMonoBmp(const QByteArray& f)
{
    MonoBmp bmp;
    EXPECT_GE(f.size(), 62);
    if (f.size() < 62) return bmp;
    EXPECT_EQ(f[0], 'B');
    EXPECT_EQ(f[1], 'M');
    EXPECT_EQ(Le(f, 2, 4), static_cast<uint32_t>(f.size()));
    EXPECT_EQ(Le(f, 6, 2), 0u);
    EXPECT_EQ(Le(f, 8, 2), 0u);
    EXPECT_EQ(Le(f, 10, 4), 62u);
    EXPECT_EQ(Le(f, 14, 4), 40u);  // BITMAPINFOHEADER
    bmp.width = static_cast<int>(Le(f, 18, 4));
    bmp.height = static_cast<int>(Le(f, 22, 4));  // positive: bottom-up rows
    EXPECT_GT(bmp.height, 0);
    EXPECT_EQ(Le(f, 26, 2), 1u);   // planes
    EXPECT_EQ(Le(f, 28, 2), 1u);   // bits per pixel
    EXPECT_EQ(Le(f, 30, 4), 0u);   // no compression
    // Colour table: entry 0 black, entry 1 white.
    EXPECT_EQ(Le(f, 54, 4), 0x00000000u);
    EXPECT_EQ(Le(f, 58, 4), 0x00FFFFFFu);

    const int rowBytes = ((bmp.width + 31) / 32) * 4;
    EXPECT_EQ(f.size(), 62 + rowBytes * bmp.height);
    if (f.size() != 62 + rowBytes * bmp.height) return bmp;
    bmp.white.assign(bmp.height, std::vector<bool>(bmp.width));
    for (int y = 0; y < bmp.height; ++y) {
        const int row = 62 + rowBytes * (bmp.height - 1 - y);
        for (int x = 0; x < bmp.width; ++x)
            bmp.white[y][x] = (static_cast<uint8_t>(f[row + x / 8]) >> (7 - x % 8)) & 1;
    }
    return bmp;
}

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

bool PatternIsWhite(int x, int y) { return (x * 3 + y * 7) % 5 == 0 || y == 0 || x == 36; }

}  // namespace

TEST(BitmapFile, APatternReadsBackPixelForPixel)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const int w = 37, h = 5;  // two 32-bit words per row, the second partly used
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::black);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (PatternIsWhite(x, y)) img.setPixel(x, y, qRgb(255, 255, 255));

    const QString path = dir.filePath("PFile.BMP");
    ASSERT_TRUE(SaveBitmapToFile(img, path));
    const MonoBmp bmp = ReadMonoBmp(ReadAll(path));
    ASSERT_EQ(bmp.width, w);
    ASSERT_EQ(bmp.height, h);
    ASSERT_EQ(bmp.white.size(), static_cast<std::size_t>(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) EXPECT_EQ(bmp.white[y][x], PatternIsWhite(x, y)) << x << "," << y;
}

TEST(BitmapFile, MonoImagesKeepTheirColoursNotTheirIndexes)
{
    // Index 0 is white in this image: the file still sets the bit for white.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage img(9, 2, QImage::Format_Mono);
    img.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    img.fill(1);
    img.setPixel(0, 0, 0);
    img.setPixel(8, 1, 0);
    const QString path = dir.filePath("mono.bmp");
    ASSERT_TRUE(SaveBitmapToFile(img, path));
    const MonoBmp bmp = ReadMonoBmp(ReadAll(path));
    ASSERT_EQ(bmp.white.size(), 2u);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 9; ++x)
            EXPECT_EQ(bmp.white[y][x], (x == 0 && y == 0) || (x == 8 && y == 1)) << x << "," << y;
}

TEST(BitmapFile, HundredBySixteenIs318BytesAndOverwrites)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("PFile1.BMP");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(1000, 'x'));
    }
    QImage img(100, 16, QImage::Format_RGB32);
    img.fill(Qt::white);
    ASSERT_TRUE(SaveBitmapToFile(img, path));
    const QByteArray f = ReadAll(path);
    EXPECT_EQ(f.size(), 318);  // 62 + 16 rows of 16 bytes
    const MonoBmp bmp = ReadMonoBmp(f);
    EXPECT_EQ(bmp.width, 100);
    EXPECT_EQ(bmp.height, 16);
}

TEST(BitmapFile, FailuresAreReported)
{
    QImage img(8, 8, QImage::Format_RGB32);
    img.fill(Qt::black);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_FALSE(SaveBitmapToFile(img, dir.filePath("no-such-folder/x.bmp")));
    EXPECT_FALSE(SaveBitmapToFile(img, dir.path()));  // a folder is no file
    EXPECT_FALSE(SaveBitmapToFile(img, ""));
    EXPECT_FALSE(SaveBitmapToFile(QImage(), dir.filePath("null.bmp")));
    // The file opens but the data does not fit: a failed write is a failure too.
    ASSERT_TRUE(QFile::exists("/dev/full")) << "this test needs /dev/full";
    EXPECT_FALSE(SaveBitmapToFile(img, "/dev/full"));
}
