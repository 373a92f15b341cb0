// Under Xvfb: a layer cell on the canvas shows its quadrant of a four-colour mosaic in its own
// SDL window (read back from the X server), with its name drawn in red from "arial.ttf"; a hidden
// cell renders nothing; pictures from a running channel reach an attached cell.
#include "tests/support/KeepMesaLoaded.h"
#include "StubDecoder.h"
#include "preview/CPictureCtrl.h"
#include "preview/SdlVideoWidget.h"
#include "preview/TtfLibrary.h"
#include "preview/VideoChannelSet.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QThread>

#include <SDL.h>
#include <SDL_ttf.h>

#include <array>
#include <vector>

using cellgeo::CellRect;

namespace {

void Wait(int ms)
{
    QElapsedTimer timer;
    timer.start();
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(2);
    } while (timer.elapsed() < ms);
}

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

std::string Describe(const QColor& c)
{
    return std::to_string(c.red()) + "," + std::to_string(c.green()) + "," + std::to_string(c.blue());
}

// A 2x2 mosaic of four flat colours in tight 4:2:0 planes.
struct Mosaic {
    static constexpr int kWidth = 352;
    static constexpr int kHeight = 240;
    static constexpr std::array<std::array<uint8_t, 3>, 4> kYuv{{{81, 90, 240}, {145, 54, 34}, {41, 240, 110}, {170, 166, 16}}};
    std::vector<uint8_t> y = std::vector<uint8_t>(kWidth * kHeight);
    std::vector<uint8_t> u = std::vector<uint8_t>(kWidth * kHeight / 4);
    std::vector<uint8_t> v = std::vector<uint8_t>(kWidth * kHeight / 4);

    Mosaic()
    {
        for (int row = 0; row < kHeight; ++row)
            for (int col = 0; col < kWidth; ++col) y[row * kWidth + col] = kYuv[Quadrant(col, row, kWidth, kHeight)][0];
        for (int row = 0; row < kHeight / 2; ++row)
            for (int col = 0; col < kWidth / 2; ++col) {
                const int q = Quadrant(col, row, kWidth / 2, kHeight / 2);
                u[row * kWidth / 2 + col] = kYuv[q][1];
                v[row * kWidth / 2 + col] = kYuv[q][2];
            }
    }
    static int Quadrant(int col, int row, int w, int h) { return (col >= w / 2 ? 1 : 0) + (row >= h / 2 ? 2 : 0); }
    VideoPicture Picture() const { return {y.data(), u.data(), v.data(), kWidth, kHeight, kWidth, kWidth / 2}; }
    static QColor Rgb(int q) { return ExpectedRgb(kYuv[q][0], kYuv[q][1], kYuv[q][2]); }
};

class VideoCellX11 : public ::testing::Test {
public:
    static void SetUpTestSuite()
    {
        qputenv("QT_QPA_PLATFORM", "xcb");
        static int argc = 1;
        static char name[] = "video_cell_x11_test";
        static char* argv[] = {name, nullptr};
        app = new QApplication(argc, argv);
        KeepMesaLoaded();
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        ttf = new TtfSession;
    }
    static void TearDownTestSuite()
    {
        delete ttf;
        ttf = nullptr;
        SDL_Quit();
        delete app;
        app = nullptr;
    }

protected:
    void SetUp() override
    {
        ASSERT_EQ(QGuiApplication::platformName(), "xcb") << "needs an X server (run under xvfb-run)";
        ASSERT_TRUE(ttf->IsActive());
        host.setGeometry(1300, 40, 400, 300);
        canvas = new CPictureCtrl(&host);
        canvas->setGeometry(0, 0, 400, 300);
        canvas->videoOn = true;
        canvas->previewWidth = Mosaic::kWidth;
        canvas->previewHeight = Mosaic::kHeight;
        canvas->layerScaleX = canvas->layerScaleY = 3.0;
        host.show();
        Wait(50);
    }

    CCell* AddLayer(int layer, const CellRect& output)
    {
        CCell* cell = canvas->AddLayerCell(output.Width(), output.Height(), output.left, output.top, "PIP-1 : HDMI-1",
                                           layer, 1);
        canvas->PlaceCellWindow(output, cell);
        return cell;
    }

    QImage Grab(const CCell* cell)
    {
        return cell->Window()->screen()->grabWindow(cell->Window()->winId()).toImage();
    }

    static QApplication* app;
    static TtfSession* ttf;
    QWidget host;
    CPictureCtrl* canvas = nullptr;
};
QApplication* VideoCellX11::app = nullptr;
TtfSession* VideoCellX11::ttf = nullptr;

}  // namespace

TEST_F(VideoCellX11, ACellShowsItsQuadrantWithItsNameInRed)
{
    CCell* cell = AddLayer(1, {60, 60, 960, 660});  // 300 x 200 canvas pixels
    ASSERT_NE(cell->Window(), nullptr);
    ASSERT_TRUE(cell->HasVideoSurface()) << SDL_GetError();
    EXPECT_TRUE(cell->HasLabelFont()) << "arial.ttf beside the test: " << TTF_GetError();
    // Unattached: the SDL window stays hidden.
    EXPECT_FALSE(cell->IsWindowShown());
    canvas->AttachCellToVideoChannel(cell);
    EXPECT_TRUE(cell->IsWindowShown());
    Wait(100);
    int w = 0, h = 0;
    SDL_GetWindowSize(cell->Window()->Surface().Window(), &w, &h);
    EXPECT_EQ(w, 300);
    EXPECT_EQ(h, 200);

    const Mosaic mosaic;
    for (int q = 0; q < 4; ++q) {
        const int x = (q % 2) * Mosaic::kWidth / 2, y = (q / 2) * Mosaic::kHeight / 2;
        cell->SetCropRect({0, 0, Mosaic::kWidth, Mosaic::kHeight}, {x, y, x + Mosaic::kWidth / 2, y + Mosaic::kHeight / 2});
        const int before = cell->FramesShown();
        cell->RenderFrame(mosaic.Picture());
        ASSERT_EQ(cell->FramesShown(), before + 1);
        Wait(30);
        const QImage shot = Grab(cell);
        ASSERT_EQ(shot.width(), 300);
        // The quadrant fills the window: its colour at the middle and near the bottom-right.
        for (const QPoint p : {QPoint(150, 120), QPoint(290, 190)}) {
            const QColor seen = shot.pixelColor(p);
            EXPECT_TRUE(Near(seen, Mosaic::Rgb(q), 12))
                << "quadrant " << q << " shows " << Describe(seen) << " expected " << Describe(Mosaic::Rgb(q));
        }
        // The name in red at the top-left.
        int red = 0;
        for (int yy = 0; yy < 50; ++yy)
            for (int xx = 0; xx < 250; ++xx) {
                const QColor c = shot.pixelColor(xx, yy);
                red += (c.red() > 200 && c.green() < 60 && c.blue() < 60) ? 1 : 0;
            }
        EXPECT_GT(red, 100) << "quadrant " << q;
    }
    // An empty source (a window of no size, or lying outside its output) shows the cell's black,
    // not the whole mosaic.
    for (const CellRect empty : {CellRect{88, 60, 88, 120}, CellRect{176, 120, 176, 120}, CellRect{0, 0, 0, 0}}) {
        cell->SetCropRect({0, 0, Mosaic::kWidth, Mosaic::kHeight}, empty);
        cell->RenderFrame(mosaic.Picture());
        Wait(30);
        const QImage shot = Grab(cell);
        for (const QPoint p : {QPoint(75, 150), QPoint(225, 150), QPoint(290, 190)})
            EXPECT_EQ(shot.pixelColor(p), QColor(0, 0, 0)) << cellgeo::ToString(empty) << " at " << p.x() << "," << p.y();
    }
}

TEST_F(VideoCellX11, TheUnattachedPlaceholderIsBlackWithTheNameInWhite)
{
    CCell* cell = AddLayer(2, {60, 60, 1260, 900});  // 400 x 280 canvas pixels
    ASSERT_TRUE(cell->HasVideoSurface());
    // Shown here only to be read back: an unattached cell keeps its window hidden.
    cell->ShowWindow(true);
    canvas->SelectCell(cell);
    Wait(100);
    canvas->repaint();
    Wait(50);
    const QImage shot = Grab(cell);
    EXPECT_EQ(shot.pixelColor(0, 0), QColor(255, 0, 0));      // the outline, red when selected
    EXPECT_EQ(shot.pixelColor(349, 100), QColor(255, 0, 0));
    EXPECT_EQ(shot.pixelColor(200, 200), QColor(0, 0, 0));
    int white = 0;
    for (int y = 2; y < 50; ++y)
        for (int x = 2; x < 250; ++x) white += shot.pixelColor(x, y).lightness() > 200 ? 1 : 0;
    EXPECT_GT(white, 100);
}

TEST_F(VideoCellX11, AnUncoveredCellDrawsItsLastPictureAgainOrItsBlack)
{
    CCell* shown = AddLayer(1, {0, 0, 600, 450});     // 200 x 150 canvas pixels at the left
    CCell* waiting = AddLayer(2, {600, 0, 1200, 450});  // and at the right, no picture yet
    for (CCell* c : {shown, waiting}) canvas->AttachCellToVideoChannel(c);
    shown->SetCropRect({0, 0, Mosaic::kWidth, Mosaic::kHeight}, {0, 0, Mosaic::kWidth / 2, Mosaic::kHeight / 2});
    shown->RenderFrame(Mosaic().Picture());
    // A box over both goes away again, as a message box does.
    QWidget box(nullptr, Qt::FramelessWindowHint);
    box.setGeometry(QRect(host.mapToGlobal(QPoint(0, 0)), host.size()));
    box.setStyleSheet(QStringLiteral("background: white"));
    box.show();
    Wait(150);
    box.hide();
    Wait(150);
    EXPECT_TRUE(Near(Grab(shown).pixelColor(100, 110), Mosaic::Rgb(0), 12)) << Describe(Grab(shown).pixelColor(100, 110));
    EXPECT_EQ(Grab(waiting).pixelColor(100, 110), QColor(0, 0, 0)) << Describe(Grab(waiting).pixelColor(100, 110));
}

TEST_F(VideoCellX11, AHiddenCellRendersNothing)
{
    CCell* cell = AddLayer(2, {60, 60, 360, 360});
    canvas->AttachCellToVideoChannel(cell);
    ASSERT_TRUE(cell->HasVideoSurface());
    cell->SetHidden(true);
    EXPECT_FALSE(cell->IsWindowShown());
    const Mosaic mosaic;
    cell->RenderFrame(mosaic.Picture());
    EXPECT_EQ(cell->FramesShown(), 0);
    cell->SetHidden(false);
    EXPECT_TRUE(cell->IsWindowShown());
    cell->RenderFrame(mosaic.Picture());
    EXPECT_EQ(cell->FramesShown(), 1);
}

TEST_F(VideoCellX11, PicturesFromARunningChannelReachAnAttachedCell)
{
    canvas->previewWidth = 16;
    canvas->previewHeight = 16;
    VideoChannelSet channels(stub::Api());
    canvas->channel = &channels;
    struct Unhook {
        CPictureCtrl* c;
        ~Unhook() { c->channel = nullptr; }
    } unhook{canvas};
    CCell* cell = AddLayer(0, {0, 0, 600, 600});
    CVideoChannel* channel = channels.Channel(0);
    channel->SetSize(16, 16);
    channel->Start();
    canvas->AttachCellToVideoChannel(cell);
    Wait(50);
    // Name changes and moves on the UI thread while the render thread draws.
    for (int i = 0; i < 20 && cell->FramesShown() < 5; ++i) {
        const uint8_t packet[1] = {static_cast<uint8_t>(100 + i)};
        channel->PushPacket(packet, 1);
        cell->SetName(QStringLiteral("Main : %1").arg(i));
        canvas->PlaceCellWindow({0, 0, 600 - 3 * i, 600}, cell);
        Wait(30);
    }
    EXPECT_GE(cell->FramesShown(), 5);
    canvas->RemoveLayerCells();
    EXPECT_EQ(channel->TargetCount(), 0);
    channel->Stop();
}
