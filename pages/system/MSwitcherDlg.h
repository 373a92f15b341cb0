#pragma once
// The switcher page: the processor's work mode (normal, switcher with one program/preview panel,
// dual with two), the fade time of a take, and the multi-machine flag the TAKE button sends.

#include "pagekit/MBaseDialog.h"

#include <array>

class CDropButton;
class CGdipButton;
class CSxGroupBox;

class MSwitcherDlg : public MBaseDialog {
    Q_OBJECT
public:
    explicit MSwitcherDlg(QWidget* parent);

    void OnInitDialog() override;
    void ApplyLanguage() override;

    // Shows the device's work mode and fade time and tells the main window the mode.
    void RefreshFromDevice();

    int SelectedPanel() const { return panel_; }
    CGdipButton* OnOffButton() const { return onOff_; }
    CGdipButton* PanelButton(int p) const { return p >= 0 && p < 2 ? panels_[static_cast<size_t>(p)] : nullptr; }
    CGdipButton* MultiMachineButton() const { return multi_; }
    CDropButton* FadeList() const { return fadeList_; }

private:
    void EnableByOnState(bool on);
    void OnButton(int id);
    void OnOnOff();
    void OnPanelCount(int id);
    void OnMultiMachine();
    void OnDropSelect(int id, int index) override;
    void ShowBusy();
    void PostModeNotices(LPARAM switcherValue);

    CGdipButton* onOff_ = nullptr;
    std::array<CGdipButton*, 2> panels_{};
    CGdipButton* multi_ = nullptr;
    CSxGroupBox* modeGroup_ = nullptr;
    CSxGroupBox* multiGroup_ = nullptr;
    CDropButton* fadeList_ = nullptr;
    int panel_ = 0;
};
