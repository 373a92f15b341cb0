#pragma once
// The output page: output timing and the layer windows' geometry.
// The page's controls and behaviour come later; the operations the main window calls exist now.

#include "pagekit/MBaseDialog.h"

class MOutputDlg : public MBaseDialog {
    Q_OBJECT
public:
    explicit MOutputDlg(QWidget* parent);

    void ApplyLanguage() override;
    void ShowPage(bool show) override;

    void UpdateTimingFromDevice();
    void UpdateWindowGeometry();
    void SelectWindow(int window);
    void UpdateLayerButtonTexts();
};
