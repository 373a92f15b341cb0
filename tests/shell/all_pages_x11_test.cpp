// Every page of the main window at the design size, in Chinese and back in English, each switched
// and opened as an operator does it (the language label of the system page, then the page): no
// control or painted picture of a page leaves the page or covers another, and the title band and
// every language text show the chosen language; every text has room in its control, the window's
// own too, and every group frame shows; every numeric edit's frame shows whether it takes input
// and every caption stands out from its button. The pictures of the whole window with each page
// open are kept in the build folder.

#include "MainWindowTestSupport.h"
#include "tests/support/DropListChecks.h"
#include "tests/support/PageScreenshots.h"

#include "device/CDeviceData.h"
#include "pagekit/DialogIds.h"
#include "pages/signal/MCropDlg.h"
#include "controls/CMyEdit.h"
#include "controls/oRealEdit.h"
#include "pages/system/CaptionBitmap.h"
#include "pages/system/CaptionIds.h"
#include "pages/system/MMiscDlg.h"
#include "pages/system/MVideoSettingDlg.h"
#include "pages/system/MSubTitleDlg.h"
#include "platform/MessageIds.h"
#include "platform/PageNotifyCodes.h"
#include "shell/InputBarLabels.h"
#include "shell/PageTable.h"
#include "shell/pages/ConnectIds.h"

#include <QCheckBox>
#include <QVariantMap>

namespace {

class AllPagesX11 : public MainWindowTest {};

// Shows the page of a row the way the window does: side pages through their button's page
// index, the system page's tabs through their notification, the others directly.
void Open(KordalDlg& w, const PageRow& row, MBaseDialog& page)
{
    if (row.sideIndex >= 0) {
        w.SwitchPage(row.sideIndex, false);
    } else if (row.area == PageArea::SystemSubPage) {
        w.SwitchPage(9, false);
        page.ShowPage(true);
    } else if (row.area != PageArea::Operating) {
        page.ShowPage(true);
        page.raise();
    }
}

// The controls of page (its group frames too) that lie partly under cover, a page over it.
QStringList HalfCovered(const QWidget& page, const QWidget& cover)
{
    const QRect covered = cover.geometry().translated(-page.pos());
    QStringList out;
    for (QWidget* c : page.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (c->isVisibleTo(&page) && c->geometry().intersects(covered) && !covered.contains(c->geometry()))
            out << ControlName(c);
    return out;
}

void Close(KordalDlg& w, const PageRow& row, MBaseDialog& page)
{
    if (row.sideIndex >= 0)
        w.SwitchPage(row.sideIndex, true);
    else if (row.area != PageArea::Operating)
        page.ShowPage(false);
    if (row.area == PageArea::SystemSubPage) w.SwitchPage(9, true);
}

// Opens every page of the table in Chinese, then English, each language chosen as an operator
// does (the "MISC" side button, the language's label, "MISC" again), settles the page and hands it
// to look with the window painted, then closes it again.
template <class Look>
void ForEveryOpenPage(KordalDlg& w, Look look)
{
    for (bool chinese : {true, false}) {
        w.SideButton(9)->click();
        ASSERT_TRUE(ClickLanguageLabel(w.m_MiscDlg, chinese));
        w.SideButton(9)->click();
        const QString lang = chinese ? QStringLiteral("chinese") : QStringLiteral("english");
        ASSERT_EQ(GetLanguageSetting().toLower(), lang);
        for (const PageRow& row : MainWindowPageTable()) {
            MBaseDialog* page = w.PageById(row.dialogId);
            ASSERT_NE(page, nullptr);
            Open(w, row, *page);
            SettleForPicture();
            const QImage picture = w.grab().toImage();  // paints every page shown
            look(row, *page, lang, picture);
            Close(w, row, *page);
        }
    }
}

TEST_F(AllPagesX11, EveryPageFitsAndFollowsTheLanguageChosenOnTheSystemPage)
{
    ASSERT_TRUE(InstallShippedLanguageFiles(LanguageDir()));
    SelectLanguage(QStringLiteral("English"));
    ReloadUiText();
    KordalDlg& w = Window();
    // A package path far too wide for its display; the longer captions that states give: "SWITCH
    // ON", the DP halves, a stored logo's "Clear"; a remark under an input.
    w.m_VideoSettingDlg.SetPackagePath(QStringLiteral("/home/operator/Downloads/2026-03/encoder/VP_venc.tar.gz"));
    SendMsg(&w, WM_PAGE_NOTIFY, NOTIFY_SWITCHER_MODE, 1);
    w.DualChannelBox()->setChecked(true);
    GetDeviceData().logo.valid[1] = 1;
    GetDeviceData().inputNames[1].displayName = QStringLiteral("Stage");
    SettleForPicture();
    ASSERT_EQ(w.size(), QSize(1280, 728));

    ForEveryOpenPage(w, [&w](const PageRow& row, MBaseDialog& page, const QString& lang, const QImage& picture) {
        const std::string where = std::to_string(row.dialogId) + " " + lang.toStdString();
        EXPECT_TRUE(page.isVisibleTo(&w)) << where;
        EXPECT_TRUE(w.rect().contains(page.geometry())) << where;
        QStringList outside = ControlsOutside(page);
        // The layout canvas is far larger than the operating page by design: the page clips it.
        if (row.area == PageArea::Operating) outside.removeAll(QStringLiteral("CPictureCtrl #1027"));
        EXPECT_EQ(outside, QStringList()) << where;
        EXPECT_EQ(OverlappingControls(page), QStringList()) << where;
        EXPECT_EQ(FaintGroupFrames(page), QStringList()) << where;
        EXPECT_EQ(LanguageTextProblems(page), QStringList()) << where;
        // Every text whole and with room: no label's edge cuts its glyphs, no caption or display is
        // too narrow; with the operating page, the window's own buttons too.
        EXPECT_EQ(ClippedTexts(row.area == PageArea::Operating ? static_cast<QWidget&>(w) : page), QStringList()) << where;
        for (const InputBarLabel& l : w.InputBarLabelLayout())  // a remark under the middle of its button
            EXPECT_TRUE(l.kind != InputBarLabel::Kind::Remark || std::abs(l.rect.center().x() - w.InputIconRects()[1].center().x()) <= 1) << where;
        EXPECT_EQ(TextsCutByTheirEdges(page, page.grab().toImage()), QStringList()) << where;
        EXPECT_TRUE(w.m_VideoSettingDlg.PathEdit()->text().endsWith(QStringLiteral("/VP_venc.tar.gz"))) << where;
        EXPECT_EQ(w.LoopOutGroup()->Caption(), LoadLangString(QStringLiteral("IDD102_IDS_1255"))) << where;
        // A tab's sub-page over the system page leaves nothing of it half shown.
        if (row.area == PageArea::SystemSubPage) {
            EXPECT_EQ(HalfCovered(*w.PageById(IDD_MISC), page), QStringList()) << where;
        }
        if (row.dialogId == IDD_CROP) {
            // Below its language text the input label names the layer's input.
            const CDeviceData& dev = GetDeviceData();
            const int input = dev.chnl[w.m_CropDlg.SelectedLayer()].input;
            ASSERT_TRUE(input >= 0 && input < kInputIndexCount);
            EXPECT_EQ(w.m_CropDlg.InputSourceLabel()->text(),
                      LoadLangString(QStringLiteral("IDS_1182")) + QLatin1Char('\n') + dev.inputNames[input].name.trimmed());
        }
        picture.save(QStringLiteral(SVP_BINARY_DIR "/page_%1_%2.png").arg(row.dialogId).arg(lang));
    });
}

// With each page open, every numeric edit of the window wears the frame of whether it takes input,
// and every caption stands out from its button, the main window's own included.
TEST_F(AllPagesX11, EveryEditFrameShowsWhetherItTakesInput)
{
    ASSERT_TRUE(InstallShippedLanguageFiles(LanguageDir()));
    KordalDlg& w = Window();
    ForEveryOpenPage(w, [&w](const PageRow& row, MBaseDialog&, const QString& lang, const QImage& picture) {
        EXPECT_EQ(EditFramesNotShowingInput(w, picture), QStringList()) << row.dialogId << " " << lang.toStdString();
        // So does every image button and slider that takes none: duller than itself taking input.
        EXPECT_EQ(LiveLookingDisabledButtons(w, picture), QStringList()) << row.dialogId << " " << lang.toStdString();
    });
}

// The caption page in advanced mode at the tallest caption it takes: every control inside the page,
// the page inside the window, in both languages.
TEST_F(AllPagesX11, TheTallestAdvancedCaptionKeepsEveryControlInReach)
{
    ASSERT_TRUE(InstallShippedLanguageFiles(LanguageDir()));
    KordalDlg& w = Window();
    MSubTitleDlg& page = w.m_SubTitleDlg;
    for (WPARAM chinese : {1, 0}) {
        SendMsg(&w, WM_LANGUAGE_CHANGE, chinese, 0);
        page.ShowPage(true);
        page.raise();
        page.Button(ctl::caption::IDC_ADVANCED)->click();
        page.Edit(ctl::caption::IDC_HEIGHT_EDIT)->SetValue(float(caption::kMaxHeight));
        SendMsg(&page, WM_VALUE_CHANGED, ctl::caption::IDC_HEIGHT_EDIT, 0);
        SettleForPicture();
        EXPECT_TRUE(w.rect().contains(page.geometry())) << chinese;
        EXPECT_EQ(ControlsOutside(page), QStringList()) << chinese;
        EXPECT_EQ(OverlappingControls(page), QStringList()) << chinese;
        // The main window laying its pages out again (a resize) keeps them in reach.
        w.resize(w.width(), w.height() + 1);
        SettleForPicture();
        EXPECT_EQ(ControlsOutside(page), QStringList()) << chinese << " after a relayout";
        w.grab().toImage().save(QStringLiteral(SVP_BINARY_DIR "/caption_tallest_in_window_%1.png").arg(chinese));
        page.ShowPage(false);
    }
}

TEST_F(AllPagesX11, EveryCaptionContrastsWithItsButton)
{
    ASSERT_TRUE(InstallShippedLanguageFiles(LanguageDir()));
    KordalDlg& w = Window();
    ForEveryOpenPage(w, [&w](const PageRow& row, MBaseDialog&, const QString& lang, const QImage&) {
        EXPECT_EQ(LowContrastCaptions(w), QStringList()) << row.dialogId << " " << lang.toStdString();
    });
}

// With each page open (the operating page with the window's own lists), every disabled drop button
// reads as disabled, every list opened reads at a glance and every closed list shows its whole choice.
TEST_F(AllPagesX11, EveryDropListReadsAsItBehaves)
{
    ASSERT_TRUE(InstallShippedLanguageFiles(LanguageDir()));
    KordalDlg& w = Window();
    ForEveryOpenPage(w, [&w](const PageRow& row, MBaseDialog& page, const QString& lang, const QImage&) {
        QWidget& root = row.area == PageArea::Operating ? static_cast<QWidget&>(w) : page;
        const QList<int> ownColours = {ctl::connect::IDC_COM_PORT_LIST, ctl::connect::IDC_LOCAL_IP_LIST};
        EXPECT_EQ(DropListProblems(root, root.grab().toImage(), ownColours), QStringList()) << row.dialogId << " " << lang.toStdString();
    });
}

} // namespace
