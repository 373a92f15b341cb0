// Every picture id of the program loads, at the size of the image table.

#include "controls/GifDecoder.h"
#include "controls/ImageResources.h"
#include "resources/ImageTable.h"

#include <QApplication>
#include <QPainter>

#include <gtest/gtest.h>

#include <set>

namespace {

QApplication* App()
{
    static int argc = 1;
    static char name[] = "image_resources_test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return app;
}

// Ids the controls and pages load, gathered from where they use them.
const unsigned kPngIds[] = {107, 1561, 1562, 113, 114, 115, 116, 121, 122, 123, 124, 125, 126, 128, 129, 130,
                            131, 132, 135, 136, 137, 138, 139, 140, 141, 143, 144, 145, 146, 147, 148, 151,
                            153, 155, 157, 159, 161, 163, 165, 166, 167, 169, 172, 173, 174, 175, 177, 178,
                            180, 181, 186, 190, 1479, 1485, 1486, 1487, 1488, 1503, 1504, 1511, 1512, 1550,
                            1551, 1560, 1584, 1585, 2001, 2002, 2003, 2004, 2005, 2006, 2007, 2008, 2009, 2010};
const unsigned kBitmapIds[] = {106, 168, 1531, 1532};

TEST(ImageTable, IdsAreUniqueAndComplete)
{
    std::set<unsigned> ids;
    for (const ImageSpec& s : AllImageSpecs()) {
        EXPECT_TRUE(ids.insert(s.id).second) << "duplicate id " << s.id;
        EXPECT_GT(s.width, 0);
        EXPECT_GT(s.height, 0);
        EXPECT_NE(std::string(s.role), "");
    }
    for (unsigned id : kPngIds)
        EXPECT_TRUE(ids.count(id)) << id;
    for (unsigned id : kBitmapIds)
        EXPECT_TRUE(ids.count(id)) << id;
    EXPECT_TRUE(ids.count(171));
    EXPECT_TRUE(ids.count(103));
    EXPECT_EQ(ids.size(), std::size(kPngIds) + std::size(kBitmapIds) + 2);
}

TEST(ImageResources, EveryPngLoadsAtItsTableSize)
{
    App();
    for (unsigned id : kPngIds) {
        const ImageSpec* spec = FindImageSpec(id);
        ASSERT_NE(spec, nullptr) << id;
        QImage img;
        ASSERT_TRUE(LoadPngResource(img, id)) << id;
        EXPECT_EQ(img.size(), QSize(spec->width, spec->height)) << id;
        CGdiPlusBitmapResource holder;
        EXPECT_TRUE(holder.Load(id)) << id;
        EXPECT_EQ(holder.Width(), spec->width);
        EXPECT_EQ(holder.Height(), spec->height);
    }
}

TEST(ImageResources, KnownSizesAreKept)
{
    App();
    QImage img;
    ASSERT_TRUE(LoadPngResource(img, 180));
    EXPECT_EQ(img.size(), QSize(32, 33));
    ASSERT_TRUE(LoadPngResource(img, 1479));
    EXPECT_EQ(img.size(), QSize(76, 76));
    const QImage body = LoadBitmapResource(106);
    EXPECT_EQ(body.size(), QSize(2560, 1600));
    EXPECT_EQ(body.format(), QImage::Format_RGB888);
    EXPECT_EQ(LoadBitmapResource(1531).size(), QSize(3840, 128));
    EXPECT_EQ(LoadBitmapResource(1532).size(), QSize(3840, 128));
}

TEST(ImageResources, BitmapsAndIconLoad)
{
    App();
    for (unsigned id : kBitmapIds) {
        const QImage img = LoadBitmapResource(id);
        ASSERT_FALSE(img.isNull()) << id;
        EXPECT_EQ(img.size(), QSize(FindImageSpec(id)->width, FindImageSpec(id)->height)) << id;
    }
    const QIcon icon = LoadIconResource(103);
    ASSERT_FALSE(icon.isNull());
    EXPECT_FALSE(icon.availableSizes().isEmpty());
}

TEST(ImageResources, BusyGifIsAnimatedAtItsTableSize)
{
    App();
    const QByteArray gif = LoadGifResource(171);
    ASSERT_FALSE(gif.isEmpty());
    auto decoded = DecodeGif(reinterpret_cast<const std::uint8_t*>(gif.constData()), static_cast<std::size_t>(gif.size()));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->width, FindImageSpec(171)->width);
    EXPECT_EQ(decoded->height, FindImageSpec(171)->height);
    EXPECT_GE(decoded->frames.size(), 2u);
}

TEST(ImageResources, WrongKindOrUnknownIdFails)
{
    App();
    QImage img(4, 4, QImage::Format_ARGB32);
    EXPECT_FALSE(LoadPngResource(img, 171));  // a GIF, not a PNG
    EXPECT_TRUE(img.isNull());
    img = QImage(4, 4, QImage::Format_ARGB32);
    EXPECT_FALSE(LoadPngResource(img, 106));  // a bitmap
    EXPECT_TRUE(img.isNull());
    EXPECT_FALSE(LoadPngResource(img, 99999));
    EXPECT_TRUE(LoadBitmapResource(113).isNull());
    EXPECT_TRUE(LoadGifResource(113).isEmpty());
    CGdiPlusBitmapResource holder;
    ASSERT_TRUE(holder.Load(113));
    EXPECT_FALSE(holder.Load(4242));
    EXPECT_FALSE(holder.IsLoaded());
}

TEST(ImageResources, UndecodableBytesAreAFailure)
{
    App();
    QImage img(2, 2, QImage::Format_ARGB32);
    const QByteArray junk("\x89PNG\r\n\x1a\nthis is not a picture", 30);
    EXPECT_FALSE(LoadPngFromBytes(img, junk));
    EXPECT_TRUE(img.isNull());
    EXPECT_FALSE(LoadPngFromBytes(img, QByteArray()));
}

TEST(ImageResources, DrawImageInRectScales)
{
    App();
    QImage src(2, 2, QImage::Format_ARGB32);
    src.fill(QColor(239, 156, 0));
    QImage dst(10, 10, QImage::Format_ARGB32);
    dst.fill(Qt::black);
    QPainter p(&dst);
    const QRect r(2, 2, 6, 6);
    EXPECT_TRUE(DrawImageInRect(&p, &src, &r));
    EXPECT_FALSE(DrawImageInRect(&p, nullptr, &r));
    EXPECT_FALSE(DrawImageInRect(&p, &src, nullptr));
    EXPECT_FALSE(DrawImageInRect(nullptr, &src, &r));
    const QImage empty;
    EXPECT_FALSE(DrawImageInRect(&p, &empty, &r));
    p.end();
    EXPECT_EQ(dst.pixelColor(2, 2), QColor(239, 156, 0));
    EXPECT_EQ(dst.pixelColor(7, 7), QColor(239, 156, 0));
    EXPECT_EQ(dst.pixelColor(1, 1), QColor(Qt::black));
    EXPECT_EQ(dst.pixelColor(8, 8), QColor(Qt::black));
}

} // namespace
