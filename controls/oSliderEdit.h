#pragma once
// Numeric edit bound both ways to an oBitmapSlider: typing moves the slider, moving the slider
// rewrites the text. A decimal format works in hundredths on the slider (scale 100).

#include "controls/NumericEditBase.h"

#include <QPointer>

class oBitmapSlider;

class oSliderEdit : public NumericEditBase {
    Q_OBJECT
public:
    explicit oSliderEdit(QWidget* parent = nullptr);
    ~oSliderEdit() override;

    void Init(bool enabled, float limitA, float initial, float limitB, const QString& format = QStringLiteral("%d"));
    // Shows v (clamped) and moves the slider; posts nothing, and a commit made before stands.
    // Ignored while a commit awaits its owner.
    void SetValue(float v);
    // Binds the slider to this edit and gives it the edit's range (times the scale), value and
    // enabled state. Null does nothing.
    void AttachSlider(oBitmapSlider* slider);
    void DetachSlider();
    oBitmapSlider* Slider() const { return slider_; }

    // Reads and clamps the text, moves the slider; with notify the owner is told.
    void UpdateValue(bool notify);
    // The slider moved to position: the value becomes position / scale.
    void FromSlider(int position, bool notify);

    float Scale() const { return scale_; }
    bool IsCommitted() const { return committed_; }

protected:
    void OnCommitKey() override;
    void OnTypedChange() override;
    void OnFocusLost() override;

private:
    int SliderPosition() const;
    void MoveSlider();

    QPointer<oBitmapSlider> slider_;
    float scale_ = 1.0f;
    bool committed_ = false;
};
