#pragma once
// The test-pattern page (a tab of the system page).
// The page's controls and behaviour come later; the operations the main window calls exist now.

#include "pagekit/MBaseDialog.h"

class MTstPatternDlg : public MBaseDialog {
    Q_OBJECT
public:
    explicit MTstPatternDlg(QWidget* parent);

    void ApplyLanguage() override;
    void ShowPage(bool show) override;

    void OnGrabColor();
    bool IsPatternOn() const { return false; }
};
