#include "pages/system/MKeyerDlg.h"

#include "pagekit/DialogIds.h"
#include "pagekit/DialogLanguage.h"

MKeyerDlg::MKeyerDlg(QWidget* parent) : MBaseDialog(IDD_KEYER, parent, false)
{
    SetDialogId(this, IDD_KEYER);
    setWindowTitle(QStringLiteral("Chroma Keyer Settings"));
}

void MKeyerDlg::ApplyLanguage()
{
    ApplyDialogLanguage(this, IDD_KEYER);
    update();
}

void MKeyerDlg::RefreshFromDevice() {}
