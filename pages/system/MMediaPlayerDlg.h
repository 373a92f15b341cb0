#pragma once
// The media-player page: the processor's USB-disk player.
// The page's controls and behaviour come later; the operations the main window calls exist now.

#include "pagekit/MBaseDialog.h"

class MMediaPlayerDlg : public MBaseDialog {
    Q_OBJECT
public:
    explicit MMediaPlayerDlg(QWidget* parent);

    void ApplyLanguage() override;

    void RefreshFromDevice();
};
