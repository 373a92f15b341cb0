#pragma once
// The logo page: the logo slots and their window.
// The page's controls and behaviour come later; the operations the main window calls exist now.

#include "pagekit/MBaseDialog.h"

class MLogoDlg : public MBaseDialog {
    Q_OBJECT
public:
    explicit MLogoDlg(QWidget* parent);

    void ApplyLanguage() override;
    void ShowPage(bool show) override;

    void RefreshFromDevice();
    void UpdateEnableState();
    void ResetLogoWindow();
    void SetLogoOnOff(int on);
};
