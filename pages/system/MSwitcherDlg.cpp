#include "pages/system/MSwitcherDlg.h"

#include "pagekit/DialogIds.h"
#include "pagekit/DialogLanguage.h"

MSwitcherDlg::MSwitcherDlg(QWidget* parent) : MBaseDialog(IDD_SWITCHER, parent, true)
{
    SetDialogId(this, IDD_SWITCHER);
    setWindowTitle(QStringLiteral("Switcher Mode"));
}

void MSwitcherDlg::ApplyLanguage()
{
    ApplyDialogLanguage(this, IDD_SWITCHER);
    update();
}

void MSwitcherDlg::RefreshFromDevice() {}
