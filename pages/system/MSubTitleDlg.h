#pragma once
// The caption page: a scrolling text rendered to a bitmap and sent to the processor.
// The page's controls and behaviour come later; the operations the main window calls exist now.

#include "pagekit/MBaseDialog.h"

class MSubTitleDlg : public MBaseDialog {
    Q_OBJECT
public:
    explicit MSubTitleDlg(QWidget* parent);

    void ApplyLanguage() override;
    void ShowPage(bool show) override;

    void LoadOutputCaption(int output);
    void OnChunkAck();
    void OnTransferAccepted(bool accepted);
};
