#include "pages/system/MLogoDlg.h"

#include "pagekit/DialogIds.h"
#include "pagekit/DialogLanguage.h"

MLogoDlg::MLogoDlg(QWidget* parent) : MBaseDialog(IDD_LOGO, parent, true)
{
    SetDialogId(this, IDD_LOGO);
    setWindowTitle(QStringLiteral("Logo Settings"));
}

void MLogoDlg::ApplyLanguage()
{
    ApplyDialogLanguage(this, IDD_LOGO);
    update();
}

void MLogoDlg::ShowPage(bool show)
{
    MBaseDialog::ShowPage(show);
}

void MLogoDlg::RefreshFromDevice() {}

void MLogoDlg::UpdateEnableState() {}

void MLogoDlg::ResetLogoWindow() {}

void MLogoDlg::SetLogoOnOff(int) {}
