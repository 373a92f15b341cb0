#include "shell/pages/MSearchMachineDlg.h"

#include "shell/DialogIds.h"
#include "shell/DialogLanguage.h"

MSearchMachineDlg::MSearchMachineDlg(QWidget* parent) : MBaseDialog(IDD_SEARCH_MACHINE, parent, false)
{
    SetDialogId(this, IDD_SEARCH_MACHINE);
    setWindowTitle(QStringLiteral("Search Machines"));
}

void MSearchMachineDlg::ApplyLanguage()
{
    ApplyDialogLanguage(this, IDD_SEARCH_MACHINE);
    update();
}

void MSearchMachineDlg::ClosePage() {}

void MSearchMachineDlg::UpdateDeviceStatus(bool) {}

void MSearchMachineDlg::AddFoundDevice(const QString&, const std::array<uint8_t, 6>&) {}
