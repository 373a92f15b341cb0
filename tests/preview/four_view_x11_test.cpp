// Under Xvfb: the four-view window of the operating page with preview on — its views registered
// with channel 0, each with its quadrant as source and its whole window as destination, the
// destination following a resize; edge drags resize it down to its minimum; preview off takes the
// views away and unregisters them.
#include "tests/support/KeepMesaLoaded.h"
#include "tests/support/PageFixture.h"

#include "preview/CCell.h"
#include "preview/MMainDlg.h"
#include "preview/MShowVideoDlg.h"
#include "preview/SdlVideoWidget.h"
#include "preview/VideoChannelSet.h"

#include <QMouseEvent>

using cellgeo::CellRect;

namespace {

class FourViewX11 : public PageFixture<MMainDlg> {
protected:
    void SetUp() override
    {
        KeepMesaLoaded();
        GetDeviceData().outputReso.hReso = 1920;
        GetDeviceData().outputReso.vReso = 1080;
        PageFixture<MMainDlg>::SetUp();
        host->setGeometry(700, 300, 1280, 728);
        page->setGeometry(0, 0, 1280, 728);
        Settle();
    }
    void Press(QWidget* w, QEvent::Type type, QPoint local, Qt::MouseButtons buttons)
    {
        QMouseEvent e(type, local, w->mapToGlobal(local), Qt::LeftButton, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &e);
    }
};

SDL_Rect Sdl(const CellRect& r)
{
    return SDL_Rect{r.left, r.top, r.Width(), r.Height()};
}

bool Same(const SDL_Rect& a, const SDL_Rect& b)
{
    return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}

TEST_F(FourViewX11, ViewsShowTheirQuadrantsAndFollowTheWindowsSize)
{
    page->OnRebuildCells(true);
    page->ShowFourView();
    Settle();
    MShowVideoDlg& four = page->FourView();
    ASSERT_TRUE(four.isVisible());
    CVideoChannel* c0 = page->Channels().Channel(0);
    EXPECT_TRUE(c0->IsRendering());
    EXPECT_EQ(c0->TargetCount(), 8);  // four cells, four views
    four.resize(340, 300);
    Settle();
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        ShowStatic& v = four.View(i);
        ASSERT_NE(v.Child(), nullptr);
        EXPECT_TRUE(v.HasSdlView());
        EXPECT_TRUE(v.IsShown());
        EXPECT_TRUE(Same(v.TextureRect(), SDL_Rect{0, 0, 352, 240}));
        EXPECT_TRUE(Same(v.SourceRect(), Sdl(fourview::ViewSourceRect(i, 352, 240))));
        const CellRect r = fourview::ViewRect(i, 340, 300);
        EXPECT_EQ(v.Child()->geometry(), QRect(r.left, r.top, r.Width(), r.Height()));
        EXPECT_TRUE(Same(v.DestinationRect(), SDL_Rect{0, 0, 160, r.Height()}));
    }
    four.resize(500, 420);
    Settle();
    EXPECT_TRUE(Same(four.View(3).DestinationRect(), SDL_Rect{0, 0, 240, 177}));
    EXPECT_EQ(four.View(3).Child()->geometry(), QRect(250, 243, 240, 177));

    // Preview off: no views, nothing registered.
    page->OnRebuildCells(false);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(four.View(i).Child(), nullptr) << i;
    EXPECT_EQ(c0->TargetCount(), 0);
    EXPECT_FALSE(c0->IsRendering());
}

TEST_F(FourViewX11, EdgesResizeDownToTheMinimum)
{
    page->ShowFourView();
    Settle();
    MShowVideoDlg& four = page->FourView();
    four.setGeometry(100, 50, 500, 400);
    Settle();
    // The right edge, 50 pixels further right.
    Press(&four, QEvent::MouseButtonPress, QPoint(498, 200), Qt::LeftButton);
    Press(&four, QEvent::MouseMove, QPoint(548, 200), Qt::LeftButton);
    Press(&four, QEvent::MouseButtonRelease, QPoint(548, 200), Qt::NoButton);
    EXPECT_EQ(four.geometry(), QRect(100, 50, 550, 400));
    // The bottom-left corner, far up and right: the minimum size, anchored at the top-right.
    Press(&four, QEvent::MouseButtonPress, QPoint(5, 395), Qt::LeftButton);
    Press(&four, QEvent::MouseMove, QPoint(900, -500), Qt::LeftButton);
    Press(&four, QEvent::MouseButtonRelease, QPoint(900, -500), Qt::NoButton);
    EXPECT_EQ(four.geometry(), QRect(650 - 320, 50, 320, 250));
    // The caption moves it.
    const QPoint before = four.pos();
    Press(&four, QEvent::MouseButtonPress, QPoint(100, 10), Qt::LeftButton);
    Press(&four, QEvent::MouseMove, QPoint(130, 30), Qt::LeftButton);
    Press(&four, QEvent::MouseButtonRelease, QPoint(130, 30), Qt::NoButton);
    EXPECT_EQ(four.pos(), before + QPoint(30, 20));
    EXPECT_EQ(four.size(), QSize(320, 250));
}

} // namespace
