#include "pages/signal/MPicSettingDlg.h"

#include "pagekit/DialogIds.h"
#include "pagekit/DialogLanguage.h"

MPicSettingDlg::MPicSettingDlg(QWidget* parent) : MBaseDialog(IDD_PICTURE, parent, true)
{
    SetDialogId(this, IDD_PICTURE);
    setWindowTitle(QStringLiteral("Picture Setting"));
}

void MPicSettingDlg::ApplyLanguage()
{
    ApplyDialogLanguage(this, IDD_PICTURE);
    update();
}

void MPicSettingDlg::RefreshFromDevice() {}

void MPicSettingDlg::UpdateLayerButtonTexts() {}
