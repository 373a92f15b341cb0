// Every page of the main window at the design size, opened as an operator opens it, in English
// and Chinese: no control of a page leaves the page or covers another. The pictures of the whole
// window with each page open are kept in the build folder.

#include "MainWindowTestSupport.h"
#include "tests/support/PageScreenshots.h"

#include "platform/MessageIds.h"
#include "platform/PageNotifyCodes.h"
#include "pagekit/DialogIds.h"
#include "shell/PageTable.h"

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

// Opens every page of the table in Chinese, then English, settles it and hands it to look, then
// closes it again.
template <class Look>
void ForEveryOpenPage(KordalDlg& w, Look look)
{
    for (int language : {1, 0}) {
        SendMsg(&w, WM_LANGUAGE_CHANGE, static_cast<WPARAM>(language), 0);
        const QString lang = language ? QStringLiteral("chinese") : QStringLiteral("english");
        for (const PageRow& row : MainWindowPageTable()) {
            MBaseDialog* page = w.PageById(row.dialogId);
            ASSERT_NE(page, nullptr);
            Open(w, row, *page);
            SettleForPicture();
            look(row, *page, lang);
            Close(w, row, *page);
        }
    }
}

TEST_F(AllPagesX11, EveryPageFitsInBothLanguages)
{
    ASSERT_TRUE(InstallShippedLanguageFiles(LanguageDir()));
    SelectLanguage(QStringLiteral("English"));
    KordalDlg& w = Window();
    w.move(0, 0);
    SettleForPicture();
    ASSERT_EQ(w.size(), QSize(1280, 728));

    ForEveryOpenPage(w, [&w](const PageRow& row, MBaseDialog& page, const QString& lang) {
        EXPECT_TRUE(page.isVisibleTo(&w)) << row.dialogId;
        EXPECT_TRUE(w.rect().contains(page.geometry())) << row.dialogId;
        QStringList outside = ControlsOutside(page);
        // The layout canvas is far larger than the operating page by design: the page clips it.
        if (row.area == PageArea::Operating) outside.removeAll(QStringLiteral("CPictureCtrl #1027"));
        EXPECT_EQ(outside, QStringList()) << row.dialogId << " " << lang.toStdString();
        EXPECT_EQ(OverlappingControls(page), QStringList()) << row.dialogId << " " << lang.toStdString();
        // A tab's sub-page over the system page leaves nothing of it half shown.
        if (row.area == PageArea::SystemSubPage) {
            EXPECT_EQ(HalfCovered(*w.PageById(IDD_MISC), page), QStringList()) << row.dialogId << " " << lang.toStdString();
        }
        w.grab().save(QStringLiteral(SVP_BINARY_DIR "/page_%1_%2.png").arg(row.dialogId).arg(lang));
    });
}

// With each page open, every numeric edit of the window wears the frame of whether it takes input,
// and every caption stands out from its button, the main window's own included.
TEST_F(AllPagesX11, EveryEditFrameShowsWhetherItTakesInput)
{
    ASSERT_TRUE(InstallShippedLanguageFiles(LanguageDir()));
    KordalDlg& w = Window();
    ForEveryOpenPage(w, [&w](const PageRow& row, MBaseDialog&, const QString& lang) {
        EXPECT_EQ(EditFramesNotShowingInput(w, w.grab().toImage()), QStringList()) << row.dialogId << " " << lang.toStdString();
    });
}

TEST_F(AllPagesX11, EveryCaptionContrastsWithItsButton)
{
    ASSERT_TRUE(InstallShippedLanguageFiles(LanguageDir()));
    KordalDlg& w = Window();
    ForEveryOpenPage(w, [&w](const PageRow& row, MBaseDialog&, const QString& lang) {
        EXPECT_EQ(LowContrastCaptions(w), QStringList()) << row.dialogId << " " << lang.toStdString();
    });
}

} // namespace
