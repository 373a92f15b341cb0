// The page table drives the main window: every side button opens and closes its page in the
// settings column, and the system page's tabs show their sub-pages below its tab row.

#include "MainWindowTestSupport.h"

#include "pagekit/DialogIds.h"
#include "platform/ControlId.h"
#include "platform/Dpi.h"
#include "platform/MessageIds.h"
#include "platform/PageNotifyCodes.h"
#include "shell/PageTable.h"

#include <QVariantMap>

namespace {

class PageTableTest : public MainWindowTest {};

TEST_F(PageTableTest, EverySidePageOpensAndClosesFromItsRow)
{
    KordalDlg& w = Window();
    const QRect column(77, 106, ScaleX(320), w.height() - 96 - 106);
    int sidePages = 0;
    for (const PageRow& row : MainWindowPageTable()) {
        if (row.sideIndex < 0) continue;
        ++sidePages;
        MBaseDialog* page = w.PageById(row.dialogId);
        ASSERT_NE(page, nullptr) << row.dialogId;
        EXPECT_EQ(w.SidePage(row.sideIndex), page);
        CGdipButton* button = w.SideButton(row.sideIndex);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(GetControlId(button), kSideButtonIds[row.sideIndex]);

        // "VGA ADJ." starts disabled and "TIME/TASK" hidden: both open through SwitchPage.
        const bool clickable = button->isEnabled() && button->isVisibleTo(&w);
        if (clickable)
            button->click();
        else
            w.SwitchPage(row.sideIndex, true);
        EXPECT_EQ(w.CurrentPage(), row.sideIndex);
        EXPECT_TRUE(page->isVisibleTo(&w)) << row.dialogId;
        EXPECT_EQ(page->geometry(), column) << row.dialogId;

        if (clickable)
            button->click();
        else
            w.SwitchPage(row.sideIndex, true);
        EXPECT_EQ(w.CurrentPage(), -1);
        EXPECT_FALSE(page->isVisibleTo(&w)) << row.dialogId;
    }
    EXPECT_EQ(sidePages, kSideButtonCount);
}

TEST_F(PageTableTest, SubPagesShowInTheSystemPage)
{
    KordalDlg& w = Window();
    w.SwitchPage(9, true);
    const QRect subPage(77, 208, ScaleX(320), w.height() - 104 - 208);  // the settings column's place and width
    const std::pair<int, int> tabs[] = {{1, IDD_KEYER}, {2, IDD_TEST_PATTERN}, {3, IDD_TASK}};
    for (const auto& [tab, dialogId] : tabs) {
        const PageRow* row = FindPageRow(dialogId);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->area, PageArea::SystemSubPage);
        QVariantMap payload{{QStringLiteral("tab"), tab}, {QStringLiteral("shown"), 1}};
        SendMsg(&w, WM_PAGE_NOTIFY, NOTIFY_SHOW_SUBPAGE, 0, payload);
        for (const auto& [otherTab, otherId] : tabs)
            EXPECT_EQ(w.PageById(otherId)->isVisibleTo(&w), otherId == dialogId) << tab;
        EXPECT_EQ(w.PageById(dialogId)->geometry(), subPage);
        EXPECT_TRUE(w.m_MiscDlg.isVisibleTo(&w));
    }
}

TEST_F(PageTableTest, EveryPageIsMadeOnceFromItsRow)
{
    KordalDlg& w = Window();
    const auto rows = MainWindowPageTable();
    ASSERT_EQ(w.Pages().size(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(w.Pages()[i]->TemplateId(), rows[i].dialogId);
        EXPECT_EQ(FindPageRow(rows[i].dialogId), &rows[i]);
    }
}

} // namespace
