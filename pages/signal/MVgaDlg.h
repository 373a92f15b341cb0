#pragma once
// The VGA page: sampling clock, phase and position of the analogue input, automatic adjustment,
// the ADC offsets and gains (behind an access code), calibration, reset and the DDC switch.

#include "pagekit/MBaseDialog.h"
#include "pages/signal/VgaRules.h"

#include <map>
#include <vector>

class CGdipButton;
class CSxGroupBox;
class oRealEdit;
class QLabel;

class MVgaDlg : public MBaseDialog {
    Q_OBJECT
public:
    explicit MVgaDlg(QWidget* parent);

    void OnInitDialog() override;
    void ApplyLanguage() override;
    // Hiding locks the ADC section again.
    void ShowPage(bool show) override;

    // Reply 5: the VGA record in the edits.
    void RefreshFromDevice();
    // Event 1: the result of Auto Adjust or Calibrate.
    void ShowAdjustResult();
    // The layer's input changed (w = 0 after a whole block): a VGA input is read and named, and
    // the code may be entered only for the MAIN layer.
    void SelectVgaInput(int layer);

    bool AdcUnlocked() const { return lock_.Unlocked(); }
    oRealEdit* Edit(int id) const;
    CGdipButton* Button(int id) const;
    QLabel* InputSourceLabel() const { return inputLabel_; }
    CSxGroupBox* Group(int id) const;

private:
    CGdipButton* MakeButton(int id, const QString& caption, unsigned stdImage, unsigned altImage, const QRect& rect);
    oRealEdit* MakeEdit(int id, float low, float high, const QRect& rect);
    QLabel* MakeLabel(int id, const QString& text, const QRect& rect);

    void OnButton(int id);
    void OnAutoAdjust();
    void OnDdcOnOff();
    void OnCalibrate();
    void OnAdcReset();
    void OnEnterAccessCode();
    void OnAdcLock();
    void OnValueChanged(int id) override;
    void ShowAdcSection(bool show);
    void ApplyLockState();
    void ShowInputName();

    std::map<int, oRealEdit*> edits_;
    std::map<int, CGdipButton*> buttons_;
    std::vector<QWidget*> adcSection_;
    CSxGroupBox* displayGroup_ = nullptr;
    CSxGroupBox* adcGroup_ = nullptr;
    CSxGroupBox* ddcGroup_ = nullptr;
    QLabel* inputLabel_ = nullptr;
    QLabel* ddcInput_ = nullptr;
    QString inputLabelText_ = QStringLiteral("Input Source");
    QString inputName_;
    vgarules::AdcLayout shownLayout_;
    vgarules::AdcLock lock_;
};
