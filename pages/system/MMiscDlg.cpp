#include "pages/system/MMiscDlg.h"

#include "pagekit/DialogIds.h"
#include "pagekit/DialogLanguage.h"

MMiscDlg::MMiscDlg(QWidget* parent) : MBaseDialog(IDD_MISC, parent, true)
{
    SetDialogId(this, IDD_MISC);
    setWindowTitle(QStringLiteral("Misc Settings"));
}

void MMiscDlg::ApplyLanguage()
{
    ApplyDialogLanguage(this, IDD_MISC);
    update();
}

void MMiscDlg::ShowPage(bool show)
{
    MBaseDialog::ShowPage(show);
}

void MMiscDlg::RefreshLoopOut() {}

void MMiscDlg::ShowSystemInfo() {}

void MMiscDlg::UpdateExtBoardButtons() {}
