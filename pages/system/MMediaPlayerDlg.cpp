#include "pages/system/MMediaPlayerDlg.h"

#include "pagekit/DialogIds.h"
#include "pagekit/DialogLanguage.h"

MMediaPlayerDlg::MMediaPlayerDlg(QWidget* parent) : MBaseDialog(IDD_MEDIA_PLAYER, parent, false)
{
    SetDialogId(this, IDD_MEDIA_PLAYER);
    setWindowTitle(QStringLiteral("Media Player Setting"));
}

void MMediaPlayerDlg::ApplyLanguage()
{
    ApplyDialogLanguage(this, IDD_MEDIA_PLAYER);
    update();
}

void MMediaPlayerDlg::RefreshFromDevice() {}
