#include "pages/signal/MEdidDlg.h"

#include "pagekit/DialogIds.h"
#include "pagekit/DialogLanguage.h"

MEdidDlg::MEdidDlg(QWidget* parent) : MBaseDialog(IDD_EDID, parent, true)
{
    SetDialogId(this, IDD_EDID);
    setWindowTitle(QStringLiteral("EDID Settings"));
}

void MEdidDlg::ApplyLanguage()
{
    ApplyDialogLanguage(this, IDD_EDID);
    update();
}

void MEdidDlg::SelectInput() {}

void MEdidDlg::FillInputList() {}

void MEdidDlg::ShowResultMessage() {}
