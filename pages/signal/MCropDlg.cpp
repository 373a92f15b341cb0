#include "pages/signal/MCropDlg.h"

#include "pagekit/DialogLanguage.h"
#include "pagekit/DialogIds.h"

MCropDlg::MCropDlg(QWidget* parent) : MBaseDialog(IDD_CROP, parent, true)
{
    SetDialogId(this, IDD_CROP);
    setWindowTitle(QStringLiteral("Image Crop"));
}

void MCropDlg::RefreshFromDevice() {}

void MCropDlg::UpdateLayerButtonTexts() {}

void MCropDlg::UpdateInputSourceLabel() {}
