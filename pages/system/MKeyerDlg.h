#pragma once
// The keyer page (a tab of the system page): chroma keying.
// The page's controls and behaviour come later; the operations the main window calls exist now.

#include "pagekit/MBaseDialog.h"

class MKeyerDlg : public MBaseDialog {
    Q_OBJECT
public:
    explicit MKeyerDlg(QWidget* parent);

    void ApplyLanguage() override;

    void RefreshFromDevice();
};
