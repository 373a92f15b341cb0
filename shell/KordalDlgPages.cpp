// Side buttons and page switching: at most one settings page is open beside the operating page,
// and its side button shows it in orange.

#include "controls/CGdipButton.h"
#include "platform/Dpi.h"
#include "shell/MainWindowIds.h"
#include "shell/KordalDlg.h"

namespace mw = ctl::main_window;

int KordalDlg::PageIndexForButton(int id)
{
    // "TEST PATTERN" shares the handler only; every shown side button opens its page.
    if (id == mw::IDC_TEST_PATTERN) return -1;
    for (int i = 0; i < kSideButtonCount; ++i)
        if (kSideButtonIds[i] == id) return i;
    return -1;
}


MBaseDialog* KordalDlg::SidePage(int index) const
{
    const PageRow* row = FindSidePageRow(index);
    return row ? PageById(row->dialogId) : nullptr;
}

CGdipButton* KordalDlg::SideButton(int index) const
{
    if (index < 0 || index >= kSideButtonCount) return nullptr;
    return sideButtons_[static_cast<size_t>(index)];
}

void KordalDlg::SetSideButtonColor(int index, COLORREF color)
{
    CGdipButton* button = SideButton(index);
    if (!button) return;
    button->SetColorAndRedraw(color);
    button->repaint();
}

void KordalDlg::OnPageButton(int id)
{
    if (CGdipButton* open = SideButton(currentPage_)) open->SetPressed(false);
    SwitchPage(PageIndexForButton(id), true);
}

void KordalDlg::SwitchPage(int index, bool toggle)
{
    const int current = currentPage_;
    if (current >= 0 && current < kSideButtonCount && index != current) {
        if (MBaseDialog* page = SidePage(current)) page->ShowPage(false);
        SetSideButtonColor(current, kSideButtonNormalColor);
    }
    if (index < 0 || index >= kSideButtonCount) return;

    MBaseDialog* page = SidePage(index);
    if (index != current) {
        currentPage_ = index;
        if (current == -1) RelayoutPages();
        if (page) page->ShowPage(true);
        SetSideButtonColor(index, kSideButtonOpenColor);
    } else if (toggle) {
        if (page) page->ShowPage(false);
        SetSideButtonColor(index, kSideButtonNormalColor);
        currentPage_ = -1;
        RelayoutPages();
    }
}

LRESULT KordalDlg::OnPageClosed()
{
    if (CGdipButton* button = SideButton(currentPage_)) {
        button->SetColorAndRedraw(kSideButtonNormalColor);
        button->SetPressed(false);
    }
    currentPage_ = -1;
    RelayoutPages();
    return 0;
}

void KordalDlg::RelayoutPages()
{
    const PageAreaLayout area = ComputePageArea(rect(), g_DpiX, currentPage_ != -1);
    for (const PageRow& row : MainWindowPageTable()) {
        MBaseDialog* page = PageById(row.dialogId);
        if (!page) continue;
        switch (row.area) {
        case PageArea::Operating:
            page->setGeometry(area.operating);
            LayoutLayerBand();
            break;
        case PageArea::SideColumn:
            page->setGeometry(area.settings);
            break;
        case PageArea::SystemSubPage:
            page->setGeometry(area.subPage);
            break;
        case PageArea::Floating: {
            // They keep their size and open over the operating page's top-left corner, beside the
            // page that opened them, so that page's controls stay in reach.
            QSize size = page->size();
            if (size.width() < 200 || size.height() < 100) size = area.settings.size() + QSize(ScaleX(480), 0);
            page->setGeometry(QRect(area.operating.topLeft(), size));
            break;
        }
        }
    }
}
