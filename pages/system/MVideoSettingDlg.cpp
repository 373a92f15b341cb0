#include "pages/system/MVideoSettingDlg.h"

#include "pagekit/DialogIds.h"
#include "pagekit/DialogLanguage.h"

MVideoSettingDlg::MVideoSettingDlg(QWidget* parent) : MBaseDialog(IDD_VIDEO_SETTING, parent, false)
{
    SetDialogId(this, IDD_VIDEO_SETTING);
    setWindowTitle(QStringLiteral("Video Display Setting"));
}

void MVideoSettingDlg::ApplyLanguage()
{
    ApplyDialogLanguage(this, IDD_VIDEO_SETTING);
    update();
}

void MVideoSettingDlg::OnDeviceInfo() {}
