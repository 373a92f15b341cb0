// The body texture is decoded once for every window, scaled once per size, and painted the way
// a stretched draw of the whole bitmap looks.

#include "controls/ImageResources.h"
#include "controls/SharedBackground.h"
#include "tests/support/TestApplication.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

QImage PaintedAt(const QSize& size)
{
    QImage out(size, QImage::Format_RGB32);
    out.fill(Qt::red);
    QPainter p(&out);
    shared_background::Paint(p, QRect(QPoint(0, 0), size));
    return out;
}

}  // namespace

TEST(SharedBackground, DecodedOnceAndScaledOncePerSize)
{
    PageTestApplication();
    const QPixmap a = shared_background::ScaledTo(QSize(800, 600));
    ASSERT_FALSE(a.isNull());
    EXPECT_EQ(a.size(), QSize(800, 600));
    for (int page = 0; page < 19; ++page) {
        const QPixmap again = shared_background::ScaledTo(QSize(800, 600));
        EXPECT_EQ(again.cacheKey(), a.cacheKey()) << "scaled again for page " << page;
    }
    const QPixmap b = shared_background::ScaledTo(QSize(1280, 720));
    EXPECT_EQ(b.size(), QSize(1280, 720));
    EXPECT_NE(b.cacheKey(), a.cacheKey());
    EXPECT_EQ(shared_background::ScaledTo(QSize(800, 600)).cacheKey(), a.cacheKey());
    EXPECT_EQ(shared_background::DecodeCount(), 1);
}

TEST(SharedBackground, ResizingThroughManySizesKeepsOnlyAFew)
{
    PageTestApplication();
    for (int w = 300; w < 400; ++w) shared_background::ScaledTo(QSize(w, 200));
    EXPECT_LE(shared_background::CachedSizes(), 8);
    EXPECT_EQ(shared_background::DecodeCount(), 1);
    EXPECT_TRUE(shared_background::ScaledTo(QSize()).isNull());
    EXPECT_TRUE(shared_background::ScaledTo(QSize(0, 10)).isNull());
}

TEST(SharedBackground, PaintsLikeAStretchedDrawOfTheBitmap)
{
    PageTestApplication();
    const QImage texture = LoadBitmapResource(shared_background::kTextureResource);
    ASSERT_FALSE(texture.isNull());
    for (const QSize size : {QSize(640, 480), QSize(1017, 733)}) {
        QImage reference(size, QImage::Format_RGB32);
        QPainter p(&reference);
        p.drawImage(reference.rect(), texture);
        p.end();
        const QImage painted = PaintedAt(size);
        // Both pick nearest pixels; a sample may fall on the neighbour, never further off.
        int far = 0;
        for (int y = 0; y < size.height(); y += 7)
            for (int x = 0; x < size.width(); x += 7) {
                const QRgb a = painted.pixel(x, y), b = reference.pixel(x, y);
                if (std::abs(qRed(a) - qRed(b)) > 24 || std::abs(qGreen(a) - qGreen(b)) > 24 ||
                    std::abs(qBlue(a) - qBlue(b)) > 24)
                    ++far;
            }
        EXPECT_EQ(far, 0) << size.width() << "x" << size.height();
        EXPECT_NE(painted.pixel(0, 0), QColor(Qt::red).rgb());
    }
}

TEST(SharedBackground, PrefetchDecodesOnAWorkerAndScalesForTheFirstWindow)
{
    PageTestApplication();
    shared_background::Prefetch(QSize(900, 600));
    shared_background::Prefetch(QSize(900, 600));  // already under way: nothing more
    EXPECT_EQ(shared_background::DecodeCount(), 1);
    const QPixmap first = shared_background::ScaledTo(QSize(900, 600));
    ASSERT_EQ(first.size(), QSize(900, 600));
    EXPECT_EQ(shared_background::CachedSizes(), 1);  // scaled by the worker, not again here
    EXPECT_EQ(shared_background::ScaledTo(QSize(900, 600)).cacheKey(), first.cacheKey());

    // The same pixels as a scale made on the UI thread.
    const QImage texture = LoadBitmapResource(shared_background::kTextureResource);
    const QImage direct = texture.scaled(QSize(900, 600), Qt::IgnoreAspectRatio, Qt::FastTransformation)
                              .convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(first.toImage().convertToFormat(QImage::Format_RGB32), direct);
    shared_background::Prefetch(QSize(1000, 700));  // decoded already: nothing to do
    EXPECT_EQ(shared_background::DecodeCount(), 1);
}
