#pragma once
// The switcher page: switcher mode and multi-machine operation.
// The page's controls and behaviour come later; the operations the main window calls exist now.

#include "pagekit/MBaseDialog.h"

class MSwitcherDlg : public MBaseDialog {
    Q_OBJECT
public:
    explicit MSwitcherDlg(QWidget* parent);

    void ApplyLanguage() override;

    void RefreshFromDevice();
};
