#pragma once
// The LED controller launcher page.
// The page's controls and behaviour come later; the operations the main window calls exist now.

#include "pagekit/MBaseDialog.h"

class MLEDCfgDlg : public MBaseDialog {
    Q_OBJECT
public:
    explicit MLEDCfgDlg(QWidget* parent);

};
