#pragma once
// The feathering page: edge blending of spliced outputs.
// The page's controls and behaviour come later; the operations the main window calls exist now.

#include "pagekit/MBaseDialog.h"

class QVN_FeatherDlg : public MBaseDialog {
    Q_OBJECT
public:
    explicit QVN_FeatherDlg(QWidget* parent);

    void ApplyLanguage() override;

    void RefreshFromDevice();
};
