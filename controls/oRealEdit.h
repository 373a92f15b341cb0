#pragma once
// Numeric edit with a range and an integer or decimal format. Commits on Enter, Escape or focus
// loss: the text is clamped into the range and WM_VALUE_CHANGED (control id, 0) is posted to the
// owner, so the page always reads a value inside the range. Focus loss commits only what the
// operator changed since the last commit.

#include "controls/NumericEditBase.h"

class oRealEdit : public NumericEditBase {
    Q_OBJECT
public:
    explicit oRealEdit(QWidget* parent = nullptr);

    // Range from the two limits (either order), format "%d" or with a decimal point ("%.2f").
    void Init(bool enabled, float limitA, float initial, float limitB, const QString& format = QStringLiteral("%d"));
    // Shows v clamped into the range; posts nothing. Ignored while a commit awaits its owner.
    void SetValue(float v);
    // Reads the text and clamps it; with notify the text is rewritten and the owner told.
    void Validate(bool notify);

    bool IsPristine() const { return pristine_; }

protected:
    void OnCommitKey() override;
    void OnTypedChange() override;
    void OnFocusLost() override;
    void OnFocusGained() override;
    void OnWheelNotch(int direction) override;

private:
    bool pristine_ = true;
    bool hasFocus_ = false;
    bool changedSinceCommit_ = false;
};
