#include "pages/system/MTaskDlg.h"

#include "pagekit/DialogIds.h"
#include "pagekit/DialogLanguage.h"

MTaskDlg::MTaskDlg(QWidget* parent) : MBaseDialog(IDD_TASK, parent, false)
{
    SetDialogId(this, IDD_TASK);
    setWindowTitle(QStringLiteral("Time/Task Management"));
}

void MTaskDlg::ApplyLanguage()
{
    ApplyDialogLanguage(this, IDD_TASK);
    update();
}

void MTaskDlg::ShowPage(bool show)
{
    MBaseDialog::ShowPage(show);
}

void MTaskDlg::RefreshFromDevice() {}

void MTaskDlg::ShowMachineTime() {}

void MTaskDlg::MarkTaskRows() {}
