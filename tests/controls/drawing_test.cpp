// Gradient bands, group box geometry and painting, memory DC, wait dialog layout.

#include "controls/CMemuDC.h"
#include "controls/CProgressDlg.h"
#include "controls/CPictureEx.h"
#include "controls/CSxGroupBox.h"
#include "controls/FillGradient.h"
#include "platform/ControlId.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>

#include <gtest/gtest.h>

namespace {

QApplication* App()
{
    static int argc = 1;
    static char name[] = "drawing_test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return app;
}

TEST(FillGradient, TitleBandHalves)
{
    // Upper half of a page title band: 13 rows from 0x535353 to 0x2F2F2F in 1-row bands.
    const auto bands = ComputeGradientBands(QRect(0, 0, 100, 13), 0x535353, 0x2F2F2F, 1);
    ASSERT_EQ(bands.size(), 14u);  // i = 0..n inclusive; the last is empty
    EXPECT_EQ(bands[0].color, 0x535353u);
    EXPECT_EQ(bands[0].rect, QRect(0, 0, 101, 1));  // one column wider than the rectangle
    // Channel 0x53 + 6 x (0x2F - 0x53) / 13 = 83 - 16.6 -> 66 (0x42).
    EXPECT_EQ(bands[6].color, 0x424242u);
    EXPECT_EQ(bands[12].rect, QRect(0, 12, 101, 1));
    EXPECT_EQ(bands[13].rect.height(), 0);
    EXPECT_EQ(bands[13].color, 0x2F2F2Fu);
}

TEST(FillGradient, SameColourFillsInOneColour)
{
    QImage img(20, 10, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    FillGradient(p, QRect(0, 0, 19, 10), 0x9CEF, 0x9CEF, 3);
    p.end();
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(img.pixelColor(x, y), QColor(239, 156, 0)) << x << "," << y;
}

TEST(FillGradient, BandTallerThanTheRectangleFillsOneBand)
{
    const auto bands = ComputeGradientBands(QRect(5, 10, 20, 8), 0x000000, 0xFFFFFF, 50);
    ASSERT_EQ(bands.size(), 1u);
    EXPECT_EQ(bands[0].rect, QRect(5, 10, 21, 8));
    EXPECT_EQ(bands[0].color, 0u);
}

TEST(FillGradient, ZeroBandOrEmptyRectangleDrawsNothing)
{
    EXPECT_TRUE(ComputeGradientBands(QRect(0, 0, 10, 10), 0, 0xFFFFFF, 0).empty());
    EXPECT_TRUE(ComputeGradientBands(QRect(0, 0, 10, 10), 0, 0xFFFFFF, -3).empty());
    EXPECT_TRUE(ComputeGradientBands(QRect(0, 0, 10, 0), 0, 0xFFFFFF, 1).empty());
    EXPECT_TRUE(ComputeGradientBands(QRect(0, 0, 0, 10), 0, 0xFFFFFF, 1).empty());
    QImage img(4, 4, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    FillGradient(p, QRect(0, 0, 4, 4), 0, 0, 0);
    FillGradient(p, QRect(), 0, 0, 2);
    p.end();
    EXPECT_EQ(img.pixelColor(1, 1), QColor(Qt::white));
}

TEST(FillGradient, ColoursRunFromTopToBottom)
{
    const auto bands = ComputeGradientBands(QRect(0, 0, 10, 100), 0x000000, 0x0000FF, 10);
    ASSERT_EQ(bands.size(), 11u);
    for (std::size_t i = 0; i < 10; ++i) {
        EXPECT_EQ(bands[i].rect, QRect(0, static_cast<int>(i) * 10, 11, 10));
        EXPECT_EQ(ColorRefRed(bands[i].color), static_cast<int>(i * 255 / 10));
        EXPECT_EQ(ColorRefBlue(bands[i].color), 0);
    }
}

TEST(GroupBoxGeometry, TitlePlacementByAlignment)
{
    const QRect frame(0, 0, 200, 100);
    const QSize text(60, 14);
    auto left = ComputeGroupBoxGeometry(frame, text, BS_LEFT, 8, 1, kGroupFrameSingle);
    EXPECT_EQ(left.titleX, 8);
    EXPECT_EQ(left.lineY, 6);  // half the text height, minus 1
    auto right = ComputeGroupBoxGeometry(frame, text, BS_RIGHT, 8, 1, kGroupFrameSingle);
    EXPECT_EQ(right.titleX, 200 - 8 - 60);
    auto centre = ComputeGroupBoxGeometry(frame, text, BS_CENTER, 8, 1, kGroupFrameSingle);
    EXPECT_EQ(centre.titleX, 70);
    EXPECT_EQ(centre.titleRect, QRect(70, 0, 60, 14));
}

TEST(GroupBoxGeometry, SingleAndEtchedPaths)
{
    const QRect frame(0, 0, 200, 100);
    const auto single = ComputeGroupBoxGeometry(frame, QSize(60, 14), BS_LEFT, 8, 1, kGroupFrameSingle);
    ASSERT_EQ(single.paths.size(), 1u);
    const QPolygon expect({QPoint(8, 6), QPoint(0, 6), QPoint(0, 99), QPoint(199, 99), QPoint(199, 6), QPoint(68, 6)});
    EXPECT_EQ(single.paths[0], expect);

    const auto etched = ComputeGroupBoxGeometry(frame, QSize(60, 14), BS_LEFT, 8, 1, kGroupFrameEtched);
    ASSERT_EQ(etched.paths.size(), 2u);
    EXPECT_EQ(etched.paths[0][2], QPoint(0, 98));
    EXPECT_EQ(etched.paths[1][2], QPoint(1, 99));  // the second line, one frame width further
    EXPECT_EQ(etched.paths[1][3], QPoint(199, 99));
}

TEST(CSxGroupBox, PaintsFrameAndLeavesTheTitleGapOpen)
{
    App();
    CSxGroupBox box(nullptr, QStringLiteral("Setting"));
    box.resize(200, 100);
    box.SetFrameColors(0x0000FF, 0x00FF00);
    box.SetTitleColor(0xEBEBEB);
    const GroupBoxGeometry g = box.Geometry();
    QImage img(200, 100, QImage::Format_ARGB32);
    img.fill(Qt::black);
    box.render(&img, QPoint(), QRegion(), QWidget::RenderFlags());
    EXPECT_EQ(img.pixelColor(0, 50), QColor(255, 0, 0));       // left side in frame colour 1
    EXPECT_EQ(img.pixelColor(100, 99), QColor(255, 0, 0));     // bottom
    EXPECT_EQ(img.pixelColor(199, 50), QColor(255, 0, 0));     // right side
    EXPECT_EQ(img.pixelColor(3, g.lineY), QColor(255, 0, 0));  // top line before the title
    EXPECT_NE(img.pixelColor(g.titleX + 1, g.lineY), QColor(255, 0, 0));  // the gap
    EXPECT_EQ(box.TitleText(), QStringLiteral(" Setting "));
}

TEST(CSxGroupBox, DisabledUsesTheSystemShadowPair)
{
    App();
    CSxGroupBox box(nullptr, QStringLiteral("X"));
    box.resize(100, 60);
    box.SetFrameColors(0x0000FF, 0x00FF00);
    box.SetFrameStyle(kGroupFrameEtched);
    box.setEnabled(false);
    QImage img(100, 60, QImage::Format_ARGB32);
    img.fill(Qt::black);
    box.render(&img, QPoint(), QRegion(), QWidget::RenderFlags());
    EXPECT_EQ(img.pixelColor(0, 30), ToQColor(kColorBtnShadow));
    EXPECT_EQ(img.pixelColor(1, 30), ToQColor(kColorBtnHighlight));
}

TEST(CSxGroupBox, SettingsAndDefaultFont)
{
    App();
    CSxGroupBox box;
    EXPECT_EQ(box.TitleAlignment(), BS_LEFT);
    box.SetTitleAlignment(0);
    EXPECT_EQ(box.TitleAlignment(), BS_LEFT);
    box.SetTitleAlignment(BS_CENTER | 0x0B);
    EXPECT_EQ(box.TitleAlignment(), BS_CENTER);
    EXPECT_DOUBLE_EQ(box.TitleFont().pointSizeF(), 8.0);
    QFont f = box.TitleFont();
    f.setPixelSize(20);
    box.SetTitleFont(&f);
    EXPECT_EQ(box.TitleFont().pixelSize(), 20);
    box.SetTitleFont(nullptr);
    EXPECT_DOUBLE_EQ(box.TitleFont().pointSizeF(), 8.0);
    box.SetFrameWidth(0);
    EXPECT_EQ(box.FrameWidth(), 1);
    EXPECT_TRUE(box.testAttribute(Qt::WA_TransparentForMouseEvents));
}

TEST(CMemuDC, BuffersAndCopiesBackOnDestruction)
{
    App();
    QImage img(40, 30, QImage::Format_ARGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    {
        CMemuDC mem(&p, QRect(10, 5, 20, 10));
        ASSERT_TRUE(mem.IsMemDC());
        mem.painter()->fillRect(QRect(12, 6, 4, 4), Qt::red);  // target coordinates
        // Nothing reaches the target before the buffer is drawn back.
        EXPECT_EQ(img.pixelColor(13, 7), QColor(Qt::white));
    }
    p.end();
    EXPECT_EQ(img.pixelColor(13, 7), QColor(Qt::red));
    EXPECT_EQ(img.pixelColor(11, 6), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(5, 5), QColor(Qt::white));
}

TEST(CMemuDC, EmptyRectTakesTheWholeDeviceAndCopiesTheBackground)
{
    App();
    QImage img(16, 16, QImage::Format_ARGB32);
    img.fill(Qt::blue);
    QPainter p(&img);
    {
        CMemuDC mem(&p, QRect(), true);
        EXPECT_EQ(mem.rect(), QRect(0, 0, 16, 16));
        mem.painter()->fillRect(QRect(0, 0, 2, 2), Qt::green);
    }
    p.end();
    EXPECT_EQ(img.pixelColor(1, 1), QColor(Qt::green));
    EXPECT_EQ(img.pixelColor(8, 8), QColor(Qt::blue));
    CMemuDC none(nullptr);
    EXPECT_FALSE(none.IsMemDC());
    EXPECT_EQ(none.painter(), nullptr);
}

TEST(ProgressDlgLayout, Formulas)
{
    const ProgressDlgLayout l = ComputeProgressDlgLayout(383, 154);
    // W/3 = 127, x0 = (383 - 127) / 2 = 128, H/3 = 51, H/2 = 77.
    EXPECT_EQ(l.text, QRect(128, 51, 127, 77));
    EXPECT_EQ(l.picture, QRect(128, 21, 127, 25));
    EXPECT_EQ(l.progress, QRect(127, 123, 255 - 127, 25));
    const ProgressDlgLayout small = ComputeProgressDlgLayout(10, 10);
    EXPECT_EQ(small.picture, QRect(3, -27, 3, 25));
}

TEST(CProgressDlg, CreatesItsControlsOnceWithTheirIds)
{
    App();
    CProgressDlg dlg;
    dlg.OnInitDialog();
    ASSERT_TRUE(dlg.IsInitialised());
    EXPECT_EQ(dlg.Text(), QStringLiteral("TEST"));
    EXPECT_EQ(GetControlId(dlg.TextLabel()), IDC_PROGRESS_TEXT);
    EXPECT_EQ(GetControlId(dlg.Picture()), IDC_PROGRESS_PICTURE);
    EXPECT_EQ(GetControlId(dlg.ProgressBar()), IDC_PROGRESS_BAR);
    EXPECT_FALSE(dlg.ProgressBar()->isVisibleTo(&dlg));
    QLabel* label = dlg.TextLabel();
    dlg.OnInitDialog();
    EXPECT_EQ(dlg.TextLabel(), label);  // kept
    const ProgressDlgLayout l = ComputeProgressDlgLayout(dlg.width(), dlg.height());
    EXPECT_EQ(dlg.TextLabel()->geometry(), l.text);
    EXPECT_EQ(dlg.ProgressBar()->geometry(), l.progress);
    dlg.SetText(QStringLiteral("Waitting Operation..."));
    EXPECT_EQ(dlg.Text(), QStringLiteral("Waitting Operation..."));
    EXPECT_EQ(dlg.palette().color(QPalette::Window), QColor(0x40, 0x40, 0x40));
}

TEST(Kordal_PrograssDlg, LoadsTheBusyAnimationAndTheIcon)
{
    App();
    Kordal_PrograssDlg dlg;
    dlg.OnInitDialog();
    ASSERT_TRUE(dlg.Picture()->IsLoaded());
    EXPECT_TRUE(dlg.Picture()->IsGIF());
    EXPECT_TRUE(dlg.Picture()->IsPlaying());
    EXPECT_EQ(dlg.Picture()->size(), QSize(120, 20));
    const ProgressDlgLayout l = ComputeProgressDlgLayout(dlg.width(), dlg.height());
    EXPECT_EQ(dlg.Picture()->pos(), l.picture.topLeft());
    EXPECT_FALSE(dlg.windowIcon().isNull());
    dlg.Picture()->Stop();
    EXPECT_FALSE(dlg.Picture()->IsPlaying());
}

} // namespace
