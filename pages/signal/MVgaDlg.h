#pragma once
// The VGA page: position, phase and automatic adjustment of VGA inputs.
// The page's controls and behaviour come later; the operations the main window calls exist now.

#include "pagekit/MBaseDialog.h"

class MVgaDlg : public MBaseDialog {
    Q_OBJECT
public:
    explicit MVgaDlg(QWidget* parent);

    void ApplyLanguage() override;
    void ShowPage(bool show) override;

    void RefreshFromDevice();
    void ShowAdjustResult();
    void SelectVgaInput(int layer);
};
