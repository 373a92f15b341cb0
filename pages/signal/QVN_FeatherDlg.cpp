#include "pages/signal/QVN_FeatherDlg.h"

#include "pagekit/DialogIds.h"
#include "pagekit/DialogLanguage.h"

QVN_FeatherDlg::QVN_FeatherDlg(QWidget* parent) : MBaseDialog(IDD_FEATHER, parent, false)
{
    SetDialogId(this, IDD_FEATHER);
    setWindowTitle(QStringLiteral("Feathering"));
}

void QVN_FeatherDlg::ApplyLanguage()
{
    ApplyDialogLanguage(this, IDD_FEATHER);
    update();
}

void QVN_FeatherDlg::RefreshFromDevice() {}
