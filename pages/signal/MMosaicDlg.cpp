#include "pages/signal/MMosaicDlg.h"

#include "pagekit/DialogIds.h"
#include "pagekit/DialogLanguage.h"

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
