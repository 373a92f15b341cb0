#include "pages/signal/MOutputDlg.h"

#include "pagekit/DialogIds.h"
#include "pagekit/DialogLanguage.h"

MOutputDlg::MOutputDlg(QWidget* parent) : MBaseDialog(IDD_OUTPUT, parent, true)
{
    SetDialogId(this, IDD_OUTPUT);
    setWindowTitle(QStringLiteral("Output Setting"));
}

void MOutputDlg::ApplyLanguage()
{
    ApplyDialogLanguage(this, IDD_OUTPUT);
    update();
}

void MOutputDlg::ShowPage(bool show)
{
    MBaseDialog::ShowPage(show);
}

void MOutputDlg::UpdateTimingFromDevice() {}

void MOutputDlg::UpdateWindowGeometry() {}

void MOutputDlg::SelectWindow(int) {}

void MOutputDlg::UpdateLayerButtonTexts() {}
