#pragma once
// The test-pattern page (a tab of the system page): the processor's test pattern on and off and
// its number (1..111), and the pixel grab, which reads one output pixel's colour back and shows
// it as a swatch with its values. A pattern and the pixel grab exclude each other; hiding the
// page switches the pattern off.

#include "pagekit/MBaseDialog.h"

#include <QColor>
#include <QRect>

#include <optional>

class CGdipButton;
class CSxGroupBox;
class oBitmapSlider;
class oRealEdit;
class oSliderEdit;
class QLabel;

class MTstPatternDlg : public MBaseDialog {
    Q_OBJECT
public:
    explicit MTstPatternDlg(QWidget* parent);

    void OnInitDialog() override;
    void ApplyLanguage() override;
    void ShowPage(bool show) override;

    // Reply 3 arrived: the swatch takes the grabbed colour.
    void OnGrabColor();
    bool IsPatternOn() const { return current_ != 0; }
    int CurrentPattern() const { return current_; }

    CGdipButton* Button(int id) const;
    oRealEdit* GrabEdit(int id) const;
    oSliderEdit* PatternEdit() const { return patternEdit_; }
    oBitmapSlider* PatternSlider() const { return slider_; }
    std::optional<QColor> SwatchColor() const { return swatch_; }
    QRect SwatchRect() const { return swatchRect_; }
    QString SwatchText() const;

    LRESULT OnMessage(unsigned msg, WPARAM wParam, LPARAM lParam, const QVariant& payload) override;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    CGdipButton* MakeButton(int id, const QString& caption, unsigned stdImage, unsigned altImage, const QRect& rect);
    oRealEdit* MakeGrabEdit(int id, int initial, const QRect& rect);
    void OnButton(int id);
    void OnPatternButtons(int id);
    void OnPixelGrab();
    void OnCaptionSettings();
    void OnValueChanged(int id) override;

    // The pattern controls shown off and the pattern number cleared (no command).
    void PatternOff();
    // PatternOff, the off command and the state message: the processor and the main window
    // follow what the page shows.
    void SwitchPatternOff();
    void EnablePatternControls(bool on);
    // The grab switch shown off and its edits disabled; sends the off command when it was on.
    void SwitchGrabOff();
    void NotifyCaptionPage(int shown);
    void SendPattern();

    CGdipButton* patternButton_ = nullptr;
    CGdipButton* previousButton_ = nullptr;
    CGdipButton* nextButton_ = nullptr;
    CGdipButton* grabButton_ = nullptr;
    CGdipButton* captionButton_ = nullptr;
    CSxGroupBox* patternGroup_ = nullptr;
    CSxGroupBox* grabGroup_ = nullptr;
    oRealEdit* grabX_ = nullptr;
    oRealEdit* grabY_ = nullptr;
    oSliderEdit* patternEdit_ = nullptr;
    oBitmapSlider* slider_ = nullptr;
    std::optional<QColor> swatch_;
    QRect swatchRect_;
    QRect textRect_;
    int current_ = 0;
};
