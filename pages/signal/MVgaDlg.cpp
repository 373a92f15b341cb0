#include "pages/signal/MVgaDlg.h"

#include "pagekit/DialogIds.h"
#include "pagekit/DialogLanguage.h"

MVgaDlg::MVgaDlg(QWidget* parent) : MBaseDialog(IDD_VGA, parent, true)
{
    SetDialogId(this, IDD_VGA);
    setWindowTitle(QStringLiteral("VGA Adjustment"));
}

void MVgaDlg::ApplyLanguage()
{
    ApplyDialogLanguage(this, IDD_VGA);
    update();
}

void MVgaDlg::ShowPage(bool show)
{
    MBaseDialog::ShowPage(show);
}

void MVgaDlg::RefreshFromDevice() {}

void MVgaDlg::ShowAdjustResult() {}

void MVgaDlg::SelectVgaInput(int) {}
