// Colours, DPI scaling, dialog units, fonts and the result box.

#include "platform/ColorRef.h"
#include "platform/DialogUnits.h"
#include "platform/Dpi.h"
#include "platform/Fonts.h"
#include "platform/MessageBox.h"

#include <QApplication>
#include <QAbstractButton>
#include <QFontInfo>
#include <QMessageBox>

#include <gtest/gtest.h>

namespace {

QApplication* App()
{
    static int argc = 1;
    static char name[] = "helpers_test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return app;
}

struct DpiGuard {
    int x = g_DpiX, y = g_DpiY;
    ~DpiGuard() { g_DpiX = x; g_DpiY = y; }
};

TEST(ColorRef, LowByteIsRed)
{
    const QColor orange = ToQColor(0x9CEF);
    EXPECT_EQ(orange.red(), 239);
    EXPECT_EQ(orange.green(), 156);
    EXPECT_EQ(orange.blue(), 0);
    EXPECT_EQ(MakeColorRef(239, 156, 0), 0x9CEFu);
    EXPECT_EQ(ToColorRef(QColor(0x10, 0x20, 0x30)), 0x302010u);
    EXPECT_EQ(ToQColor(0xFF0000).blue(), 255);
    EXPECT_EQ(ToQColor(kColorBody), QColor(16, 16, 16));
}

TEST(Dpi, LayoutSizeIsDesignTimesDpiOver96)
{
    DpiGuard g;
    g_DpiX = 96;
    g_DpiY = 96;
    EXPECT_EQ(ScaleX(68), 68);
    g_DpiX = 144;
    g_DpiY = 120;
    EXPECT_EQ(ScaleX(68), 102);
    EXPECT_EQ(ScaleY(25), 31);  // 31.25 truncated
    EXPECT_EQ(ScaleByDpi(-10, 144), -15);
    EXPECT_EQ(ScaleByDpi(100000000, 192), 200000000);  // no 32-bit overflow inside
}

TEST(Dpi, InitKeepsSaneValues)
{
    DpiGuard g;
    App();
    InitDpiFromScreen();
    EXPECT_GE(g_DpiX, 48);
    EXPECT_LE(g_DpiX, 960);
    EXPECT_GE(g_DpiY, 48);
}

TEST(DialogUnits, ConvertAt96Dpi)
{
    DpiGuard g;
    g_DpiX = 96;
    g_DpiY = 96;
    const DialogBaseUnits b = CurrentDialogBaseUnits();
    EXPECT_EQ(b.x, 6);
    EXPECT_EQ(b.y, 13);
    // The wait dialog template: 255 x 95 units.
    EXPECT_EQ(DluToPixels(QSize(255, 95)), QSize(383, 154));
    EXPECT_EQ(DluToPixelsX(4, b), 6);
    EXPECT_EQ(DluToPixelsY(8, b), 13);
    EXPECT_EQ(DluToPixelsX(0, b), 0);
    EXPECT_EQ(DluToPixelsX(-4, b), -6);
}

TEST(DialogUnits, FollowTheDpi)
{
    DpiGuard g;
    g_DpiX = 192;
    g_DpiY = 192;
    EXPECT_EQ(DluToPixels(QSize(4, 8)), QSize(12, 26));
}

TEST(Fonts, ArialFallsBackToLiberationSans)
{
    App();
    const QFont f = MakeFont(QStringLiteral("Arial"), 15, 700);
    // Either Arial is installed, or the stand-in is used.
    EXPECT_TRUE(f.family() == QStringLiteral("Arial") || f.family() == QStringLiteral("Liberation Sans"))
        << f.family().toStdString();
    EXPECT_EQ(f.pixelSize(), 15);
    EXPECT_EQ(f.weight(), QFont::Bold);
    EXPECT_EQ(MakeFont(QStringLiteral("Arial"), -18, 400).pixelSize(), 18);
    EXPECT_EQ(ResolveFontFace(QStringLiteral("No Such Face 1234")), QStringLiteral("Liberation Sans"));
}

TEST(Fonts, PointFontAndFlags)
{
    App();
    const QFont f = MakePointFont(QStringLiteral("MS Sans Serif"), 80, 400);
    EXPECT_DOUBLE_EQ(f.pointSizeF(), 8.0);
    EXPECT_EQ(f.weight(), QFont::Normal);
    const QFont u = MakeFont(QStringLiteral("Arial"), 12, 400, true, true, true);
    EXPECT_TRUE(u.italic());
    EXPECT_TRUE(u.underline());
    EXPECT_TRUE(u.strikeOut());
}

// A result box is shown without an event loop inside the call; while it is up, a further result
// takes it over; once it is answered the next result opens a new one.
TEST(ResultBox, OneAtATimeShownWithoutWaiting)
{
    App();
    QWidget parent;
    ShowResultBox(&parent, QStringLiteral("first"), QStringLiteral("Title"));
    ShowResultBox(&parent, QStringLiteral("second"), QStringLiteral("Other"));
    QList<QMessageBox*> boxes = parent.findChildren<QMessageBox*>();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0]->isVisible());
    EXPECT_EQ(boxes[0]->text() + boxes[0]->windowTitle(), QStringLiteral("secondOther"));

    boxes[0]->button(QMessageBox::Ok)->click();
    ShowResultBox(&parent, QStringLiteral("third"), QStringLiteral("Title"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    boxes = parent.findChildren<QMessageBox*>();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0]->isVisible());
    EXPECT_EQ(boxes[0]->text(), QStringLiteral("third"));
}

} // namespace
