#pragma once
// The schedule page (a tab of the system page): machine time and timed tasks.
// The page's controls and behaviour come later; the operations the main window calls exist now.

#include "pagekit/MBaseDialog.h"

class MTaskDlg : public MBaseDialog {
    Q_OBJECT
public:
    explicit MTaskDlg(QWidget* parent);

    void ApplyLanguage() override;
    void ShowPage(bool show) override;

    void RefreshFromDevice();
    void ShowMachineTime();
    void MarkTaskRows();
};
