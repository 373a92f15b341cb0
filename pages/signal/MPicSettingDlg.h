#pragma once
// The picture page: a picture mode (presets or " User "), and in " User " mode the bright level,
// gamma and, per window and input, brightness, contrast, sharpness, saturation, hue and a colour
// temperature with its gains. Every change goes out with the picture command of the window.

#include "controls/oBitmapSlider.h"  // oSliderEdit keeps a QPointer to its slider
#include "controls/oSliderEdit.h"
#include "pagekit/MBaseDialog.h"

#include <array>

class CDropButton;
class CGdipButton;
class CSxGroupBox;
class QLabel;
class oBitmapSlider;

class MPicSettingDlg : public MBaseDialog {
    Q_OBJECT
public:
    explicit MPicSettingDlg(QWidget* parent);

    void OnInitDialog() override;
    void ApplyLanguage() override;

    // Shows the device state; sends nothing.
    void RefreshFromDevice();
    void UpdateLayerButtonTexts();
    int CurrentWindow() const { return window_; }
    // The input index (0..11, -1 none) of the current window, worked out at every use: a reply can
    // change a window's input without telling the page.
    int CurrentInput() const;

    // Operations behind the controls (the tests drive some directly).
    void OnWindowButton(int id);
    void OnApplyInput();
    void OnApplyAll();
    void OnValueChanged(int id) override;
    void OnDropSelect(int id, int index) override;
    void OnGammaOnOff();
    void OnBrightLevelOnOff();
    void OnResetColorTemp();
    void OnResetPicture();

    // The ten value edits in order: bright level, gamma, brightness, contrast, sharpness,
    // saturation, hue, red, green, blue.
    static constexpr int kValueCount = 10;
    oSliderEdit* ValueEdit(int k) const { return k >= 0 && k < kValueCount ? edits_[static_cast<size_t>(k)] : nullptr; }
    oSliderEdit* EditById(int id) const;
    oBitmapSlider* ValueSlider(int k) const { return k >= 0 && k < kValueCount ? sliders_[static_cast<size_t>(k)] : nullptr; }
    CDropButton* ModeList() const { return modeList_; }
    CDropButton* ColorTempList() const { return colorTempList_; }
    CGdipButton* WindowButton(int k) const { return k >= 0 && k < 4 ? windowButtons_[static_cast<size_t>(k)] : nullptr; }
    CGdipButton* ApplyInputButton() const { return applyInput_; }
    CGdipButton* ApplyAllButton() const { return applyAll_; }
    CGdipButton* BrightLevelSwitch() const { return brightSwitch_; }
    CGdipButton* GammaSwitch() const { return gammaSwitch_; }
    CGdipButton* ResetColorTempButton() const { return resetColorTemp_; }
    CGdipButton* ResetPictureButton() const { return resetPicture_; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    void OnButton(int id);
    void FillModeList();
    void FillColorTempList();
    void ShowApplyChoice();
    void ShowSwitch(CGdipButton* button, bool on);
    void EnableValue(int k, bool on);
    void EnableUserControls(bool on);
    void EnableColorGains(bool on);
    void SelectWindow(int w);
    void SendPicture();
    // The picture command needs a record of the window's input (an input code beyond the table
    // has none): without one a change is refused, nothing stored, and the controls show the
    // device state again. True when refused.
    bool RefusedWithoutRecord();

    std::array<CGdipButton*, 4> windowButtons_{};
    CGdipButton* applyInput_ = nullptr;
    CGdipButton* applyAll_ = nullptr;
    CGdipButton* brightSwitch_ = nullptr;
    CGdipButton* gammaSwitch_ = nullptr;
    CGdipButton* resetColorTemp_ = nullptr;
    CGdipButton* resetPicture_ = nullptr;
    CDropButton* modeList_ = nullptr;
    CDropButton* colorTempList_ = nullptr;
    CSxGroupBox* modeGroup_ = nullptr;
    CSxGroupBox* colorGroup_ = nullptr;
    std::array<oSliderEdit*, kValueCount> edits_{};
    std::array<oBitmapSlider*, kValueCount> sliders_{};
    std::array<QLabel*, kValueCount> labels_{};
    int window_ = 0;
    bool brightLevelOn_ = false;
    bool gammaOn_ = false;
};
