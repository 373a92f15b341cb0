// The animated picture control: still pictures, animation on the UI-thread timer, stop.

#include "controls/CPictureEx.h"
#include "resources/GifWriter.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>

#include <gtest/gtest.h>

namespace {

QApplication* App()
{
    static int argc = 1;
    static char name[] = "picture_ex_test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return app;
}

QByteArray ToBytes(const std::vector<std::uint8_t>& v)
{
    return QByteArray(reinterpret_cast<const char*>(v.data()), static_cast<qsizetype>(v.size()));
}

QByteArray TwoColourGif(int frames, int delay)
{
    GifWriterImage img;
    img.width = 6;
    img.height = 4;
    img.globalPalette = {0x000000, 0xFF0000, 0x00FF00};
    for (int i = 0; i < frames; ++i) {
        GifWriterFrame f;
        f.width = 6;
        f.height = 4;
        f.indices.assign(24, static_cast<std::uint8_t>(1 + i % 2));
        f.delay = delay;
        f.disposal = 1;
        img.frames.push_back(f);
    }
    return ToBytes(EncodeGif(img));
}

TEST(CPictureEx, OneFrameGifIsStill)
{
    App();
    CPictureEx pic;
    ASSERT_TRUE(pic.LoadFromMemory(TwoColourGif(1, 10)));
    EXPECT_TRUE(pic.IsGIF());
    EXPECT_EQ(pic.size(), QSize(6, 4));  // the control takes the picture's size
    EXPECT_TRUE(pic.Draw());
    EXPECT_FALSE(pic.IsPlaying());
    EXPECT_EQ(pic.Picture().pixelColor(2, 2), QColor(255, 0, 0));
}

TEST(CPictureEx, OtherFormatsAreStill)
{
    App();
    QImage src(5, 3, QImage::Format_RGB32);
    src.fill(QColor(1, 2, 3));
    QByteArray png;
    QBuffer buf(&png);
    buf.open(QIODevice::WriteOnly);
    src.save(&buf, "PNG");
    CPictureEx pic;
    ASSERT_TRUE(pic.LoadFromMemory(png));
    EXPECT_FALSE(pic.IsGIF());
    EXPECT_EQ(pic.PictureSize(), QSize(5, 3));
    EXPECT_TRUE(pic.Draw());
    EXPECT_FALSE(pic.IsPlaying());
    EXPECT_FALSE(pic.LoadFromMemory(QByteArray("garbage")));
    EXPECT_FALSE(pic.IsLoaded());
    EXPECT_FALSE(pic.Draw());
}

TEST(CPictureEx, AnimatesOnTheTimerAndStops)
{
    App();
    CPictureEx pic;
    ASSERT_TRUE(pic.LoadFromMemory(TwoColourGif(2, 5)));  // 50 ms per frame
    EXPECT_FALSE(pic.Draw());  // animated: nothing still to report
    ASSERT_TRUE(pic.IsPlaying());
    EXPECT_EQ(pic.CurrentFrame(), 0);
    EXPECT_EQ(pic.Picture().pixelColor(0, 0), QColor(255, 0, 0));
    QElapsedTimer t;
    t.start();
    while (pic.CurrentFrame() == 0 && t.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    ASSERT_EQ(pic.CurrentFrame(), 1);
    EXPECT_EQ(pic.Picture().pixelColor(0, 0), QColor(0, 255, 0));
    pic.Stop();
    EXPECT_FALSE(pic.IsPlaying());
    const int frame = pic.CurrentFrame();
    QElapsedTimer idle;
    idle.start();
    while (idle.elapsed() < 150)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(pic.CurrentFrame(), frame);
}

TEST(CPictureEx, DrawAfterStopGoesOnFromTheFrameItStoppedOn)
{
    App();
    CPictureEx pic;
    ASSERT_TRUE(pic.LoadFromMemory(TwoColourGif(3, 5)));
    pic.Draw();
    QElapsedTimer t;
    t.start();
    while (pic.CurrentFrame() == 0 && t.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    pic.Stop();
    const int stoppedOn = pic.CurrentFrame();
    ASSERT_GT(stoppedOn, 0);
    pic.Draw();
    EXPECT_TRUE(pic.IsPlaying());
    EXPECT_EQ(pic.CurrentFrame(), stoppedOn);
}

TEST(CPictureEx, StopWithoutStartReturnsAtOnceAndUnloadForgets)
{
    App();
    CPictureEx pic;
    pic.Stop();
    EXPECT_FALSE(pic.IsPlaying());
    ASSERT_TRUE(pic.LoadFromMemory(TwoColourGif(3, 0)));
    pic.Draw();
    pic.UnLoad();
    EXPECT_FALSE(pic.IsPlaying());
    EXPECT_FALSE(pic.IsLoaded());
    EXPECT_EQ(pic.FrameCount(), 0);
}

TEST(CPictureEx, BackgroundShowsUnderTransparentPixels)
{
    App();
    GifWriterImage img;
    img.width = 2;
    img.height = 1;
    img.globalPalette = {0x000000, 0xFF0000};
    GifWriterFrame f;
    f.width = 2;
    f.height = 1;
    f.indices = {0, 1};
    f.transparentIndex = 0;
    img.frames.push_back(f);
    CPictureEx pic;
    pic.SetBkColor(0x404040);
    ASSERT_TRUE(pic.LoadFromMemory(ToBytes(EncodeGif(img))));
    EXPECT_EQ(pic.Picture().pixelColor(0, 0), QColor(0x40, 0x40, 0x40));
    EXPECT_EQ(pic.Picture().pixelColor(1, 0), QColor(255, 0, 0));
}

TEST(CPictureEx, PaintRectShowsPartOfThePicture)
{
    App();
    CPictureEx pic;
    ASSERT_TRUE(pic.LoadFromMemory(TwoColourGif(1, 0)));
    pic.SetPaintRect(QRect(1, 1, 2, 2));
    QImage out(6, 4, QImage::Format_ARGB32);
    out.fill(Qt::blue);
    pic.render(&out, QPoint(), QRegion(), QWidget::RenderFlags());
    EXPECT_EQ(out.pixelColor(0, 0), QColor(255, 0, 0));
    EXPECT_EQ(out.pixelColor(4, 3), QColor(Qt::blue));
}

} // namespace
