#pragma once
// The PIP page: PIP-1 to PIP-3, each with an on/off switch, an alpha (0..64, edit and vertical
// slider) and an input list. The page sends the PIP setting itself; an input choice goes to the
// main window, which sends it. Everything here runs on the UI thread (replies reach the page
// through the main window's dispatcher), so the page needs no lock.

#include "pagekit/MBaseDialog.h"
#include "pages/system/PipRules.h"

#include <array>

class CDropButton;
class CGdipButton;
class CSxGroupBox;
class oBitmapSlider;
class oSliderEdit;

class MPIPDlg : public MBaseDialog {
    Q_OBJECT
public:
    explicit MPIPDlg(QWidget* parent);

    void OnInitDialog() override;
    void ApplyLanguage() override;

    // Shows the three PIPs from the device state.
    void RefreshFromDevice();
    // Rebuilds the input lists from the input-name table; the next refresh selects.
    void FillInputLists();
    // Applies the work mode, the program/preview states and the logo usage to the groups.
    void UpdateByWorkMode();
    // The main window switched PIP pip on or off from its layer buttons (already stored).
    void EnablePipGroup(int on, int pip);
    // Takes the ON/OFF button's state for PIP pip; with send, the PIP setting goes out.
    void SetPipOn(int pip, bool send);

    CGdipButton* OnOffButton(int pip) const { return Valid(pip) ? buttons_[static_cast<size_t>(pip)] : nullptr; }
    oSliderEdit* AlphaEdit(int pip) const { return Valid(pip) ? alphas_[static_cast<size_t>(pip)] : nullptr; }
    oBitmapSlider* AlphaSlider(int pip) const { return Valid(pip) ? sliders_[static_cast<size_t>(pip)] : nullptr; }
    CDropButton* InputList(int pip) const { return Valid(pip) ? lists_[static_cast<size_t>(pip)] : nullptr; }
    CSxGroupBox* Group(int pip) const { return Valid(pip) ? groups_[static_cast<size_t>(pip)] : nullptr; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    static bool Valid(int pip) { return pip >= 0 && pip < pip::kPipCount; }
    void FillList(int pip);
    void EnableAlpha(int pip, bool on);
    void ApplyGroupState(int pip, const pip::GroupState& state);
    pip::GroupState ShownState(int pip) const;
    void OnPipButton(int id);
    void OnValueChanged(int id) override;
    void OnDropSelect(int id, int index) override;

    std::array<oSliderEdit*, pip::kPipCount> alphas_{};
    std::array<oBitmapSlider*, pip::kPipCount> sliders_{};
    std::array<CSxGroupBox*, pip::kPipCount> groups_{};
    std::array<CGdipButton*, pip::kPipCount> buttons_{};
    std::array<CDropButton*, pip::kPipCount> lists_{};
};
