#include "pages/system/MSubTitleDlg.h"

#include "pagekit/DialogIds.h"
#include "pagekit/DialogLanguage.h"

MSubTitleDlg::MSubTitleDlg(QWidget* parent) : MBaseDialog(IDD_CAPTION, parent, false)
{
    SetDialogId(this, IDD_CAPTION);
    setWindowTitle(QStringLiteral("Caption Setting"));
}

void MSubTitleDlg::ApplyLanguage()
{
    ApplyDialogLanguage(this, IDD_CAPTION);
    update();
}

void MSubTitleDlg::ShowPage(bool show)
{
    MBaseDialog::ShowPage(show);
}

void MSubTitleDlg::LoadOutputCaption(int) {}

void MSubTitleDlg::OnChunkAck() {}

void MSubTitleDlg::OnTransferAccepted(bool) {}
