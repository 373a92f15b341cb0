// The main window's pages: all 22 exist once with their templates, only the operating page shows
// at start, and the side buttons open, switch and close pages with the highlight and the
// relayout that go with it.

#include "MainWindowTestSupport.h"

#include "platform/ControlId.h"
#include "platform/Dpi.h"
#include "platform/MessageBox.h"
#include "platform/MessageIds.h"
#include "pagekit/DialogIds.h"
#include "pages/system/MiscIds.h"

#include <QKeyEvent>
#include <QLineEdit>

#include <set>

namespace {

class PageSwitching : public MainWindowTest {
protected:
    int OperatingLeft() { return Window().m_MainDlg.geometry().left(); }
    int ColumnWidth() const { return ScaleX(320); }
    QWidget* Button(int id) { return FindControlById(&Window(), id); }
    bool Shown(const QWidget& page) { return page.isVisibleTo(&Window()); }
};

TEST_F(PageSwitching, TheTwentyTwoPagesExistWithTheirTemplates)
{
    KordalDlg& w = Window();
    const std::vector<MBaseDialog*> pages = w.Pages();
    ASSERT_EQ(pages.size() + 1, 22u);  // and the busy dialog
    EXPECT_EQ(w.m_BusyDlg.parentWidget(), &w);
    const std::set<int> expected = {IDD_OPERATING, IDD_PICTURE, IDD_OUTPUT, IDD_CROP, IDD_MOSAIC, IDD_PIP,
                                    IDD_LOGO, IDD_KEYER, IDD_EDID, IDD_VGA, IDD_TEST_PATTERN, IDD_TASK,
                                    IDD_MISC, IDD_SWITCHER, IDD_CAPTION, IDD_VIDEO_SETTING, IDD_MEDIA_PLAYER,
                                    IDD_LED_CONFIG, IDD_CONNECT, IDD_SEARCH_MACHINE, IDD_FEATHER};
    std::set<int> ids;
    for (MBaseDialog* page : pages) {
        EXPECT_EQ(page->parentWidget(), &w);
        EXPECT_TRUE(page->IsInitialised());
        ASSERT_NE(page->CloseButton(), nullptr);
        EXPECT_EQ(GetControlId(page->CloseButton()), 1002);
        ids.insert(page->TemplateId());
    }
    EXPECT_EQ(ids, expected);
}

TEST_F(PageSwitching, OnlyTheOperatingPageShowsAtStart)
{
    KordalDlg& w = Window();
    EXPECT_EQ(w.CurrentPage(), -1);
    for (MBaseDialog* page : w.Pages()) EXPECT_EQ(Shown(*page), page == &w.m_MainDlg) << page->TemplateId();
    EXPECT_FALSE(w.m_BusyDlg.isVisible());
    EXPECT_EQ(OperatingLeft(), 75);
    EXPECT_EQ(w.m_MainDlg.geometry().top(), 106);
    // "TIME/TASK" is hidden and "VGA ADJ." greyed.
    EXPECT_FALSE(Button(1243)->isVisibleTo(&w));
    EXPECT_FALSE(Button(1183)->isEnabled());
}

TEST_F(PageSwitching, OpeningHighlightsAndMovesTheOperatingPageOnce)
{
    KordalDlg& w = Window();
    Click(Button(1021));
    EXPECT_EQ(w.CurrentPage(), 0);
    EXPECT_TRUE(Shown(w.m_PicSettingDlg));
    EXPECT_EQ(w.SideButton(0)->CaptionColor(), kSideButtonOpenColor);
    EXPECT_EQ(OperatingLeft(), 77 + ColumnWidth());
    EXPECT_EQ(w.m_PicSettingDlg.geometry(), QRect(77, 106, ColumnWidth(), w.height() - 96 - 106));

    // Switching to another page closes the first; the operating page stays where it is.
    Click(Button(1025));
    EXPECT_EQ(w.CurrentPage(), 1);
    EXPECT_FALSE(Shown(w.m_PicSettingDlg));
    EXPECT_TRUE(Shown(w.m_OutputDlg));
    EXPECT_EQ(w.SideButton(0)->CaptionColor(), kSideButtonNormalColor);
    EXPECT_EQ(w.SideButton(1)->CaptionColor(), kSideButtonOpenColor);
    EXPECT_EQ(OperatingLeft(), 77 + ColumnWidth());
}

TEST_F(PageSwitching, ASecondClickClosesThePage)
{
    KordalDlg& w = Window();
    Click(Button(1178));  // COMM
    ASSERT_EQ(w.CurrentPage(), 11);
    EXPECT_TRUE(Shown(w.m_ConnectDlg));
    Click(Button(1178));
    EXPECT_EQ(w.CurrentPage(), -1);
    EXPECT_FALSE(Shown(w.m_ConnectDlg));
    for (int i = 0; i < kSideButtonCount; ++i) EXPECT_EQ(w.SideButton(i)->CaptionColor(), kSideButtonNormalColor);
    EXPECT_EQ(OperatingLeft(), 75);
}

TEST_F(PageSwitching, TestPatternHidesTheOpenPageButKeepsItsIndex)
{
    KordalDlg& w = Window();
    Click(Button(1180));  // MOSAIC, page 2
    ASSERT_EQ(w.CurrentPage(), 2);
    w.OnPageButton(1242);
    EXPECT_FALSE(Shown(w.m_MosaicDlg));
    EXPECT_EQ(w.SideButton(2)->CaptionColor(), kSideButtonNormalColor);
    EXPECT_EQ(w.CurrentPage(), 2);
    EXPECT_EQ(OperatingLeft(), 77 + ColumnWidth());

    // The next click on MOSAIC only completes the close.
    Click(Button(1180));
    EXPECT_EQ(w.CurrentPage(), -1);
    EXPECT_FALSE(Shown(w.m_MosaicDlg));
    EXPECT_EQ(OperatingLeft(), 75);

    // And the one after opens it.
    Click(Button(1180));
    EXPECT_EQ(w.CurrentPage(), 2);
    EXPECT_TRUE(Shown(w.m_MosaicDlg));
}

TEST_F(PageSwitching, UnknownIndexesOnlyCloseTheOpenPage)
{
    KordalDlg& w = Window();
    w.SwitchPage(4, false);
    w.SwitchPage(4, false);  // no toggle: stays open
    EXPECT_EQ(w.CurrentPage(), 4);
    EXPECT_TRUE(Shown(w.m_PIPDlg));
    w.SwitchPage(99, true);
    EXPECT_FALSE(Shown(w.m_PIPDlg));
    w.SwitchPage(-7, true);
    EXPECT_EQ(KordalDlg::PageIndexForButton(1242), -1);
    EXPECT_EQ(KordalDlg::PageIndexForButton(1243), 10);  // "TIME/TASK", once shown, opens the LED launcher
    EXPECT_EQ(KordalDlg::PageIndexForButton(4242), -1);
    EXPECT_EQ(KordalDlg::PageIndexForButton(1245), 3);
}

TEST_F(PageSwitching, APageCloseButtonTellsTheMainWindow)
{
    KordalDlg& w = Window();
    Click(Button(1241));  // LOGO
    ASSERT_EQ(w.CurrentPage(), 6);
    Click(w.m_LogoDlg.CloseButton());
    EXPECT_FALSE(Shown(w.m_LogoDlg));
    QCoreApplication::processEvents();  // WM_PAGE_CLOSED is posted
    EXPECT_EQ(w.CurrentPage(), -1);
    EXPECT_EQ(w.SideButton(6)->CaptionColor(), kSideButtonNormalColor);
    EXPECT_FALSE(w.SideButton(6)->IsPressed());
    EXPECT_EQ(OperatingLeft(), 75);
}

TEST_F(PageSwitching, ASubPageClosesWithoutTellingAnyone)
{
    KordalDlg& w = Window();
    Click(Button(1244));  // MISC
    w.m_KeyerDlg.ShowPage(true);
    Click(w.m_KeyerDlg.CloseButton());
    QCoreApplication::processEvents();
    EXPECT_FALSE(Shown(w.m_KeyerDlg));
    EXPECT_EQ(w.CurrentPage(), 9);
    EXPECT_TRUE(Shown(w.m_MiscDlg));
}

// A shortcut of the system page is lit exactly while its page shows, however that page closes:
// by its own close button, by the shortcut, by another shortcut, or with the system page.
TEST_F(PageSwitching, TheSystemPageShortcutsFollowTheirPages)
{
    KordalDlg& w = Window();
    Click(Button(1244));  // MISC
    CGdipButton* video = w.m_MiscDlg.Button(ctl::misc::IDC_VIDEO_SETTING);
    CGdipButton* media = w.m_MiscDlg.Button(ctl::misc::IDC_MEDIA_PLAYER);
    auto lit = [](const CGdipButton* b) { return b->IsPressed() && b->CaptionColor() == kColorAccent; };
    using Shortcut = std::pair<CGdipButton*, MBaseDialog*>;
    for (auto [button, page] : {Shortcut{video, &w.m_VideoSettingDlg}, Shortcut{media, &w.m_MediaPlayerDlg}}) {
        Click(button);
        EXPECT_TRUE(Shown(*page) && lit(button));
        Click(page->CloseButton());
        EXPECT_FALSE(lit(button));
        Click(button);  // opens it again at once
        EXPECT_TRUE(Shown(*page) && lit(button));
    }
    EXPECT_FALSE(Shown(w.m_VideoSettingDlg) || lit(video));  // closed by the other shortcut
    Click(Button(1244));  // the system page closes, and its shortcut pages with it
    EXPECT_FALSE(Shown(w.m_MediaPlayerDlg) || lit(media));
}

TEST_F(PageSwitching, EnterAndEscapeAreEatenAndKeyReleasesReachTheMainWindowOnce)
{
    // Ctrl+5 recalls slot 6, which is empty: its message box is answered here.
    const MessageBoxHandler before = SetMessageBoxHandler([](const MessageBoxRequest&) { return IDOK; });
    KordalDlg& w = Window();
    Click(Button(1021));
    auto* edit = new QLineEdit(&w.m_PicSettingDlg);
    edit->show();
    for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(edit, &press);
        EXPECT_TRUE(press.isAccepted()) << key;
    }
    EXPECT_TRUE(Shown(w.m_PicSettingDlg));
    EXPECT_EQ(w.CurrentPage(), 0);

    QKeyEvent release(QEvent::KeyRelease, Qt::Key_5, Qt::ControlModifier, QStringLiteral("5"));
    QApplication::sendEvent(&w.m_PicSettingDlg, &release);
    EXPECT_EQ(w.ForwardedKeyReleases(), 1) << "direct";
    QKeyEvent release2(QEvent::KeyRelease, Qt::Key_5, Qt::ControlModifier, QStringLiteral("5"));
    auto* plain = new QWidget(&w.m_PicSettingDlg);
    plain->show();
    QApplication::sendEvent(plain, &release2);
    EXPECT_EQ(w.ForwardedKeyReleases(), 2) << "plain";
    QKeyEvent release3(QEvent::KeyRelease, Qt::Key_5, Qt::ControlModifier, QStringLiteral("5"));
    QApplication::sendEvent(edit, &release3);
    EXPECT_EQ(w.ForwardedKeyReleases(), 3) << "edit";
    SetMessageBoxHandler(before);
}

TEST_F(PageSwitching, PagesFollowTheWindowSize)
{
    KordalDlg& w = Window();
    w.resize(1500, 900);
    QCoreApplication::processEvents();
    EXPECT_EQ(w.m_MainDlg.geometry().right(), 1500 - 24 - 1);
    EXPECT_EQ(w.m_MainDlg.geometry().bottom(), 900 - 141 - 1);
    // Caption buttons stay in the band's top-right corner.
    EXPECT_EQ(w.m_OutputDlg.CloseButton()->geometry(), QRect(ScaleX(320) - 24, 1, 24, 24));
}

} // namespace
