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
    if (!notify)
        return;
    changedSinceCommit_ = false;
    PostValueChanged();
}

void oRealEdit::OnCommitKey()
{
    if (pristine_)
        CaretToEnd();
    else
        Validate(true);
}

void oRealEdit::OnTypedChange()
{
    pristine_ = false;
    changedSinceCommit_ = true;
}

void oRealEdit::OnFocusGained() { hasFocus_ = true; }

void oRealEdit::OnFocusLost()
{
    if (!hasFocus_)
        return;
    hasFocus_ = false;
    // A value committed and not changed since has been told; the text is read as it is now (a
    // button may have set it after the commit).
    if (!pristine_ && changedSinceCommit_)
        Validate(true);
}

void oRealEdit::OnWheelNotch(int direction)
{
    SetValue(static_cast<float>(TruncToInt(value_) + static_cast<long long>(direction)));
    if (!pristine_)
        changedSinceCommit_ = true;
}
