// Under Xvfb: a decoded picture drawn by SDL into a Qt widget's native window shows its four
// quadrant colours on screen, with the accelerated renderer (when there is one) and with
// the software renderer. The window is read back from the X server.
#include "FakeVideoTarget.h"
#include "TestStream.h"
#include "preview/CVideoChannel.h"
#include "preview/SdlRelayoutNotifier.h"
#include "preview/SdlVideoWidget.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QElapsedTimer>
#include <QThread>
#include <QWindow>

#include <SDL.h>

#include "tests/support/KeepMesaLoaded.h"

namespace {

// Runs the event loop for about `ms` milliseconds.
void Wait(int ms)
{
    QElapsedTimer timer;
    timer.start();
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(2);
    } while (timer.elapsed() < ms);
}

bool WaitForExposed(QWidget* widget)
{
    for (int i = 0; i < 500; ++i) {
        if (widget->windowHandle() && widget->windowHandle()->isExposed()) {
            Wait(20);
            return true;
        }
        Wait(10);
    }
    return false;
}

// Shows the whole mosaic through the widget's surface, as a view would.
class SurfaceTarget : public IVideoTarget {
public:
    explicit SurfaceTarget(SdlVideoWidget* w) : widget(w) {}
    void RenderFrame(const VideoPicture& picture) override
    {
        if (widget->Surface().Render(picture, nullptr, nullptr)) {
            shown.fetch_add(1);
        } else {
            skipped.fetch_add(1);
        }
    }
    bool IsShown() const override { return widget->IsShownForRendering(); }
    SdlVideoWidget* widget;
    std::atomic<int> shown{0};
    std::atomic<int> skipped{0};
};

// BT.601 limited-range YUV to RGB, as SDL converts.
QColor ExpectedRgb(int y, int u, int v)
{
    const double c = 1.164 * (y - 16), d = u - 128, e = v - 128;
    auto clamp = [](double x) { return std::max(0, std::min(255, static_cast<int>(x + 0.5))); };
    return QColor(clamp(c + 1.596 * e), clamp(c - 0.392 * d - 0.813 * e), clamp(c + 2.017 * d));
}

bool Near(const QColor& a, const QColor& b, int tolerance)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

class SdlVideoSurfaceX11 : public ::testing::TestWithParam<SdlVideoSurface::RendererChoice> {
public:
    static void SetUpTestSuite()
    {
        // The suite sets the offscreen platform for every test; this one needs real windows.
        qputenv("QT_QPA_PLATFORM", "xcb");
        static int argc = 1;
        static char name[] = "sdl_video_surface_x11_test";
        static char* argv[] = {name, nullptr};
        app = new QApplication(argc, argv);
        KeepMesaLoaded();
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    }
    static void TearDownTestSuite()
    {
        SDL_Quit();
        delete app;
        app = nullptr;
    }
    static QApplication* app;
};
QApplication* SdlVideoSurfaceX11::app = nullptr;

}  // namespace

TEST_P(SdlVideoSurfaceX11, DecodedPictureShowsItsFourQuadrants)
{
    ASSERT_EQ(QGuiApplication::platformName(), "xcb") << "needs an X server (run under xvfb-run)";
    const int width = 352, height = 240;
    std::string error;
    const EncodedStream stream = EncodeQuadrantStream(width, height, 3, 0, &error);
    ASSERT_EQ(stream.packets.size(), 3u) << error;

    SdlVideoWidget widget;
    widget.resize(width, height);
    // ctest runs the cases in parallel on one X server: each keeps its own place on screen,
    // so that no other window covers the one read back.
    widget.move(0, GetParam() == SdlVideoSurface::RendererChoice::SoftwareOnly ? 240 : 0);
    widget.show();
    ASSERT_TRUE(WaitForExposed(&widget));
    ASSERT_TRUE(widget.CreateSurface(width, height, SdlVideoSurface::TextureLayout::YV12, GetParam()))
        << SDL_GetError();
    std::printf("renderer: %s (%s)\n", widget.Surface().RendererName().c_str(),
                widget.Surface().IsAccelerated() ? "accelerated" : "software");
    if (GetParam() == SdlVideoSurface::RendererChoice::SoftwareOnly) {
        EXPECT_FALSE(widget.Surface().IsAccelerated());
    }

    int notified = 0;
    SdlRelayoutNotifier notifier([&] { ++notified; });
    widget.Surface().SetNotifier(&notifier);

    CVideoChannel channel;
    channel.SetSize(width, height);
    channel.Start();
    SurfaceTarget target(&widget);
    channel.AttachTarget(&target, kVideoTargetView);
    int pushed = 0;
    for (const auto& packet : stream.packets) {
        // Each picture is waited for before the next packet: the two-slot frame ring drops what
        // comes faster than a loaded machine renders.
        channel.PushPacket(packet.data(), static_cast<uint32_t>(packet.size()));
        ++pushed;
        for (int i = 0; i < 500 && target.shown.load() < pushed; ++i) Wait(10);
    }
    channel.Stop();
    ASSERT_EQ(target.shown.load(), 3) << "skipped " << target.skipped.load();
    EXPECT_EQ(notified, 0);

    const QImage shot = widget.screen()->grabWindow(widget.winId()).toImage();
    ASSERT_EQ(shot.width(), width);
    const QuadrantColours colours = ColoursForPicture(2);
    for (int q = 0; q < 4; ++q) {
        const int x = (q % 2 == 0) ? width / 4 : 3 * width / 4;
        const int y = q < 2 ? height / 4 : 3 * height / 4;
        const QColor seen = shot.pixelColor(x, y);
        const QColor expected = ExpectedRgb(colours.y[q], colours.u[q], colours.v[q]);
        EXPECT_TRUE(Near(seen, expected, 12)) << "quadrant " << q << " shows " << seen.red() << "," << seen.green()
                                              << "," << seen.blue() << " expected " << expected.red() << ","
                                              << expected.green() << "," << expected.blue();
    }
    widget.DestroySurface();
}

TEST_P(SdlVideoSurfaceX11, PictureOfAnotherSizeIsSkippedAndSizeChangesReachSdl)
{
    SdlVideoWidget widget;
    widget.resize(200, 100);
    widget.move(360, GetParam() == SdlVideoSurface::RendererChoice::SoftwareOnly ? 240 : 0);
    widget.show();
    ASSERT_TRUE(WaitForExposed(&widget));
    ASSERT_TRUE(widget.CreateSurface(64, 32, SdlVideoSurface::TextureLayout::IYUV, GetParam())) << SDL_GetError();
    std::vector<uint8_t> y(32 * 16, 100), u(16 * 8, 128), v(16 * 8, 128);
    // Smaller than the texture: reading it as 64 x 32 would run past its planes.
    EXPECT_FALSE(widget.Surface().Render(VideoPicture{y.data(), u.data(), v.data(), 32, 16, 32, 16}, nullptr, nullptr));
    std::vector<uint8_t> y2(64 * 32, 100), u2(32 * 16, 128), v2(32 * 16, 128);
    EXPECT_TRUE(widget.Surface().Render(VideoPicture{y2.data(), u2.data(), v2.data(), 64, 32, 64, 32}, nullptr, nullptr));

    widget.resize(300, 150);
    Wait(20);
    int w = 0, h = 0;
    SDL_GetWindowSize(widget.Surface().Window(), &w, &h);
    EXPECT_EQ(w, 300);
    EXPECT_EQ(h, 150);
    widget.hide();
    EXPECT_FALSE(widget.IsShownForRendering());
}

INSTANTIATE_TEST_SUITE_P(Renderers, SdlVideoSurfaceX11,
                         ::testing::Values(SdlVideoSurface::RendererChoice::AcceleratedWithFallback,
                                           SdlVideoSurface::RendererChoice::SoftwareOnly),
                         [](const auto& info) {
                             return info.param == SdlVideoSurface::RendererChoice::SoftwareOnly ? "Software"
                                                                                                 : "Accelerated";
                         });
