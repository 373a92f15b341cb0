#include "shell/PageTable.h"

#include "pagekit/DialogIds.h"
#include "pages/signal/MCropDlg.h"
#include "pages/signal/MEdidDlg.h"
#include "pages/signal/MMosaicDlg.h"
#include "pages/signal/MOutputDlg.h"
#include "pages/signal/MPicSettingDlg.h"
#include "pages/signal/MTstPatternDlg.h"
#include "pages/signal/MVgaDlg.h"
#include "pages/signal/QVN_FeatherDlg.h"
#include "pages/system/MKeyerDlg.h"
#include "pages/system/MLEDCfgDlg.h"
#include "pages/system/MLogoDlg.h"
#include "pages/system/MMediaPlayerDlg.h"
#include "pages/system/MMiscDlg.h"
#include "pages/system/MPIPDlg.h"
#include "pages/system/MSubTitleDlg.h"
#include "pages/system/MSwitcherDlg.h"
#include "pages/system/MTaskDlg.h"
#include "pages/system/MVideoSettingDlg.h"
#include "preview/MMainDlg.h"
#include "shell/pages/MConnectDlg.h"
#include "shell/pages/MSearchMachineDlg.h"

namespace {

template <class Page>
std::unique_ptr<MBaseDialog> Make(QWidget* parent)
{
    return std::make_unique<Page>(parent);
}

using enum PageArea;

constexpr PageRow kRows[] = {
    {IDD_OPERATING, -1, Operating, &Make<MMainDlg>},
    {IDD_PICTURE, 0, SideColumn, &Make<MPicSettingDlg>},
    {IDD_OUTPUT, 1, SideColumn, &Make<MOutputDlg>},
    {IDD_CROP, 5, SideColumn, &Make<MCropDlg>},
    {IDD_MOSAIC, 2, SideColumn, &Make<MMosaicDlg>},
    {IDD_PIP, 4, SideColumn, &Make<MPIPDlg>},
    {IDD_LOGO, 6, SideColumn, &Make<MLogoDlg>},
    {IDD_KEYER, -1, SystemSubPage, &Make<MKeyerDlg>},
    {IDD_EDID, 7, SideColumn, &Make<MEdidDlg>},
    {IDD_VGA, 8, SideColumn, &Make<MVgaDlg>},
    {IDD_TEST_PATTERN, -1, SystemSubPage, &Make<MTstPatternDlg>},
    {IDD_TASK, -1, SystemSubPage, &Make<MTaskDlg>},
    {IDD_MISC, 9, SideColumn, &Make<MMiscDlg>},
    {IDD_SWITCHER, 3, SideColumn, &Make<MSwitcherDlg>},
    // The caption page opens from the test-pattern page, in the settings column.
    {IDD_CAPTION, -1, SideColumn, &Make<MSubTitleDlg>},
    {IDD_VIDEO_SETTING, -1, Floating, &Make<MVideoSettingDlg>},
    {IDD_MEDIA_PLAYER, -1, Floating, &Make<MMediaPlayerDlg>},
    {IDD_LED_CONFIG, 10, SideColumn, &Make<MLEDCfgDlg>},
    {IDD_CONNECT, 11, SideColumn, &Make<MConnectDlg>},
    {IDD_SEARCH_MACHINE, -1, Floating, &Make<MSearchMachineDlg>},
    {IDD_FEATHER, -1, Floating, &Make<QVN_FeatherDlg>},
};

} // namespace

std::span<const PageRow> MainWindowPageTable()
{
    return kRows;
}

const PageRow* FindPageRow(int dialogId)
{
    for (const PageRow& row : kRows)
        if (row.dialogId == dialogId) return &row;
    return nullptr;
}

const PageRow* FindSidePageRow(int sideIndex)
{
    if (sideIndex < 0) return nullptr;
    for (const PageRow& row : kRows)
        if (row.sideIndex == sideIndex) return &row;
    return nullptr;
}
