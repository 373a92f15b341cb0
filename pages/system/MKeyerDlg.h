#pragma once
// The chroma-keyer page (a tab of the system page). Two keyer sets: set 0 keys PIP-3, set 1 keys
// PIP-1 and can be chosen only in splicing mode 3. For the chosen set the page switches the
// keyer on and off, picks a mode (user colour range or a preset) and edits the colour limits
// and gains; every change sends the whole set.

#include "pagekit/MBaseDialog.h"

#include <array>

class CDropButton;
class CGdipButton;
class CSxGroupBox;
class oRealEdit;

class MKeyerDlg : public MBaseDialog {
    Q_OBJECT
public:
    static constexpr int kEditCount = 9;
    // How long the processor needs to apply a mode before it reads back the set.
    static constexpr int kModeQueryDelayMs = 40;

    explicit MKeyerDlg(QWidget* parent);

    void OnInitDialog() override;
    void ApplyLanguage() override;

    // Shows the set in use from the device state (after the whole block, a keyer reply or a
    // splicing-mode change).
    void RefreshFromDevice();

    int SelectedSet() const { return set_; }
    CGdipButton* OnOffButton() const { return onOff_; }
    CGdipButton* ResetButton() const { return reset_; }
    CDropButton* ModeList() const { return modeList_; }
    CDropButton* SetList() const { return setList_; }
    // Red low/high, green low/high, blue low/high, gain in, out, bound.
    oRealEdit* Edit(int n) const { return n >= 0 && n < kEditCount ? edits_[static_cast<size_t>(n)] : nullptr; }

private:
    void BuildLists();
    void EnableEdits(bool on);
    void ShowOnState(bool on, int32_t mode);
    // The selected set's values as the device state holds them.
    void ShowSelectedSet();
    void SendSet();
    void OnButton(int id);
    void OnOnOff();
    void OnReset();
    void OnDropSelect(int id, int index) override;
    void OnValueChanged(int id) override;

    CGdipButton* onOff_ = nullptr;
    CGdipButton* reset_ = nullptr;
    std::array<oRealEdit*, kEditCount> edits_{};
    CSxGroupBox* keyerGroup_ = nullptr;
    CSxGroupBox* modeGroup_ = nullptr;
    CDropButton* modeList_ = nullptr;
    CDropButton* setList_ = nullptr;
    int set_ = 0;
};
