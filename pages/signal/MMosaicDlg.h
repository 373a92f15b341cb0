#pragma once
// The splicing page: how the outputs tile the picture.
// The page's controls and behaviour come later; the operations the main window calls exist now.

#include "pagekit/MBaseDialog.h"

class MMosaicDlg : public MBaseDialog {
    Q_OBJECT
public:
    explicit MMosaicDlg(QWidget* parent);

    void ApplyLanguage() override;

    void RefreshFromDevice(int what);
};
