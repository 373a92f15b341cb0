#include "pages/system/MPIPDlg.h"

#include "pagekit/DialogLanguage.h"
#include "pagekit/DialogIds.h"

MPIPDlg::MPIPDlg(QWidget* parent) : MBaseDialog(IDD_PIP, parent, true)
{
    SetDialogId(this, IDD_PIP);
    setWindowTitle(QStringLiteral("PIP Settings"));
}

void MPIPDlg::RefreshFromDevice() {}

void MPIPDlg::UpdateByWorkMode() {}

void MPIPDlg::FillInputLists() {}

void MPIPDlg::EnablePipGroup(int, int) {}
