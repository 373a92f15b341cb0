#pragma once
// The system page: language, project files, loop-out, firmware information and the sub-page tabs.
// The page's controls and behaviour come later; the operations the main window calls exist now.

#include "pagekit/MBaseDialog.h"

class MMiscDlg : public MBaseDialog {
    Q_OBJECT
public:
    explicit MMiscDlg(QWidget* parent);

    void ApplyLanguage() override;
    void ShowPage(bool show) override;

    void RefreshLoopOut();
    void ShowSystemInfo();
    void UpdateExtBoardButtons();
};
