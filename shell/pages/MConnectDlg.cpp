#include "shell/pages/MConnectDlg.h"

#include "shell/DialogIds.h"
#include "shell/DialogLanguage.h"

MConnectDlg::MConnectDlg(QWidget* parent) : MBaseDialog(IDD_CONNECT, parent, true)
{
    SetDialogId(this, IDD_CONNECT);
    setWindowTitle(QStringLiteral("Connection Setting"));
}

void MConnectDlg::ApplyLanguage()
{
    ApplyDialogLanguage(this, IDD_CONNECT);
    update();
}

void MConnectDlg::ShowPage(bool show)
{
    MBaseDialog::ShowPage(show);
}

void MConnectDlg::RefreshComPorts() {}

void MConnectDlg::OnComDisconnect() {}

void MConnectDlg::SetDestinationIp(const QString&) {}
