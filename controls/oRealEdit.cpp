#include "controls/oRealEdit.h"

oRealEdit::oRealEdit(QWidget* parent) : NumericEditBase(parent) {}

void oRealEdit::Init(bool enabled, float limitA, float initial, float limitB, const QString& format)
{
    ApplyRangeAndFormat(limitA, limitB, format);
    SetValue(initial);
    setEnabled(enabled);
}

void oRealEdit::SetValue(float v)
{
    if (CommitPending())
        return;
    // Clamped before formatting so a far-out value cannot overflow the text limit or an int.
    ShowValueText(ClampEditValue(v, minimum_, maximum_));
    Validate(false);
}

void oRealEdit::Validate(bool notify)
{
    ReadAndClamp(notify);
    if (notify)
        PostValueChanged();
}

void oRealEdit::OnCommitKey()
{
    if (pristine_)
        CaretToEnd();
    else
        Validate(true);
}

void oRealEdit::OnTypedChange() { pristine_ = false; }

void oRealEdit::OnFocusGained() { hasFocus_ = true; }

void oRealEdit::OnFocusLost()
{
    if (!hasFocus_)
        return;
    hasFocus_ = false;
    if (!pristine_)
        Validate(true);
}

void oRealEdit::OnWheelNotch(int direction)
{
    SetValue(static_cast<float>(TruncToInt(value_) + static_cast<long long>(direction)));
}
