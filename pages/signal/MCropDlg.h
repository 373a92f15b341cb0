#pragma once
// The crop page: the cut of each layer's input.
// The page's controls and behaviour come later; the operations the main window calls exist now.

#include "pagekit/MBaseDialog.h"

class MCropDlg : public MBaseDialog {
    Q_OBJECT
public:
    explicit MCropDlg(QWidget* parent);

    void RefreshFromDevice();
    void UpdateLayerButtonTexts();
    void UpdateInputSourceLabel();
    int SelectedLayer() const { return 0; }
    // The input index (0..11, -1 none) whose crop records the page shows; set by the main window.
    void SetInputIndex(int index) { inputIndex_ = index; }
    int InputIndex() const { return inputIndex_; }

private:
    int inputIndex_ = 0;
};
