#include "controls/oSliderEdit.h"

#include "controls/oBitmapSlider.h"

#include <algorithm>

oSliderEdit::oSliderEdit(QWidget* parent) : NumericEditBase(parent) { maximum_ = 9999.0f; }

oSliderEdit::~oSliderEdit()
{
    if (slider_ && slider_->Buddy() == this)
        slider_->SetBuddy(nullptr);
}

void oSliderEdit::Init(bool enabled, float limitA, float initial, float limitB, const QString& format)
{
    ApplyRangeAndFormat(limitA, limitB, format);
    scale_ = format.contains(u'.') ? 100.0f : 1.0f;
    SetValue(initial);
    setEnabled(enabled);
    if (slider_)
        slider_->Enable(enabled);
}

void oSliderEdit::SetValue(float v)
{
    if (CommitPending())
        return;
    ShowValueText(ClampEditValue(v, minimum_, maximum_));
    // Shown, not typed: a commit made before still stands, so focus loss sends nothing again.
    ReadAndClamp(false);
    MoveSlider();
}

int oSliderEdit::SliderPosition() const { return TruncToInt(static_cast<double>(value_) * scale_); }

void oSliderEdit::AttachSlider(oBitmapSlider* slider)
{
    if (!slider)
        return;
    if (slider_ && slider_ != slider && slider_->Buddy() == this)
        slider_->SetBuddy(nullptr);
    slider_ = slider;
    slider->SetBuddy(this);
    const int a = TruncToInt(static_cast<double>(maximum_) * scale_);
    const int b = TruncToInt(static_cast<double>(minimum_) * scale_);
    slider->SetRange(std::min(a, b), std::max(a, b));
    slider->SetPageSize(static_cast<int>((static_cast<long long>(std::max(a, b)) - std::min(a, b)) / 2));
    slider->SetPos(SliderPosition());
    // The edit's own state, not that of the page it lies on.
    slider->Enable(!testAttribute(Qt::WA_ForceDisabled));
}

void oSliderEdit::DetachSlider() { slider_ = nullptr; }

void oSliderEdit::MoveSlider()
{
    if (slider_)
        slider_->SetPos(SliderPosition());
}

void oSliderEdit::UpdateValue(bool notify)
{
    ReadAndClamp(notify);
    MoveSlider();
    committed_ = notify;
    if (notify)
        PostValueChanged();
}

void oSliderEdit::FromSlider(int position, bool notify)
{
    value_ = static_cast<float>(ClampEditValue(position / static_cast<double>(scale_), minimum_, maximum_));
    ShowValueText(value_);
    committed_ = notify;
    if (notify)
        PostValueChanged();
}

void oSliderEdit::OnCommitKey()
{
    if (!committed_)
        UpdateValue(true);
    else
        CaretToEnd();
}

void oSliderEdit::OnTypedChange() { UpdateValue(false); }

void oSliderEdit::OnFocusLost()
{
    if (!committed_)
        UpdateValue(true);
}
