#pragma once
// The picture page: brightness, contrast, colour temperature per window.
// The page's controls and behaviour come later; the operations the main window calls exist now.

#include "pagekit/MBaseDialog.h"

class MPicSettingDlg : public MBaseDialog {
    Q_OBJECT
public:
    explicit MPicSettingDlg(QWidget* parent);

    void ApplyLanguage() override;

    void RefreshFromDevice();
    void UpdateLayerButtonTexts();
    int CurrentWindow() const { return 0; }
};
