#pragma once
// The EDID page: the EDID each input offers.
// The page's controls and behaviour come later; the operations the main window calls exist now.

#include "pagekit/MBaseDialog.h"

class MEdidDlg : public MBaseDialog {
    Q_OBJECT
public:
    explicit MEdidDlg(QWidget* parent);

    void ApplyLanguage() override;

    void SelectInput();
    void FillInputList();
    void ShowResultMessage();
};
