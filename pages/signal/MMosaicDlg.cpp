#include "pages/signal/MMosaicDlg.h"

#include "shell/DialogIds.h"
#include "shell/DialogLanguage.h"

MMosaicDlg::MMosaicDlg(QWidget* parent) : MBaseDialog(IDD_MOSAIC, parent, true)
{
    SetDialogId(this, IDD_MOSAIC);
    setWindowTitle(QStringLiteral("Mosaic Setting"));
}

void MMosaicDlg::ApplyLanguage()
{
    ApplyDialogLanguage(this, IDD_MOSAIC);
    update();
}

void MMosaicDlg::RefreshFromDevice(int) {}
