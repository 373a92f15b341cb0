#include "pages/system/MLEDCfgDlg.h"

#include "pagekit/DialogLanguage.h"
#include "pagekit/DialogIds.h"

MLEDCfgDlg::MLEDCfgDlg(QWidget* parent) : MBaseDialog(IDD_LED_CONFIG, parent, true)
{
    SetDialogId(this, IDD_LED_CONFIG);
    setWindowTitle(QStringLiteral("LED Controller"));
}
