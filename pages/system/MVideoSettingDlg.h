#pragma once
// The encoder settings page of the preview stream.
// The page's controls and behaviour come later; the operations the main window calls exist now.

#include "pagekit/MBaseDialog.h"

class MVideoSettingDlg : public MBaseDialog {
    Q_OBJECT
public:
    explicit MVideoSettingDlg(QWidget* parent);

    void ApplyLanguage() override;

    void OnDeviceInfo();
};
