#pragma once
// The PIP page: the picture-in-picture layers.
// The page's controls and behaviour come later; the operations the main window calls exist now.

#include "pagekit/MBaseDialog.h"

class MPIPDlg : public MBaseDialog {
    Q_OBJECT
public:
    explicit MPIPDlg(QWidget* parent);

    void RefreshFromDevice();
    void UpdateByWorkMode();
    void FillInputLists();
    void EnablePipGroup(int on, int pip);
};
