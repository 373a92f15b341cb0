#pragma once
// Common ground of the two numeric edits: range and format, the character filter on every way
// text can come in (keys, paste, input methods; drops are refused), the rounded frame, and the
// keys and focus changes that commit. What a commit does is the derived edit's business.
// The frame shows whether the edit takes input: the accent colour while it is enabled, the body
// colour while it (or a widget it lies on) is disabled, however it came to be so.

#include "controls/NumericEditRules.h"
#include "platform/ColorRef.h"

#include <QLineEdit>

class QAction;
class QMenu;

class NumericEditBase : public QLineEdit {
    Q_OBJECT
public:
    explicit NumericEditBase(QWidget* parent = nullptr);
    ~NumericEditBase() override;

    float GetValue() const { return value_; }
    float GetMinimum() const { return minimum_; }
    float GetMaximum() const { return maximum_; }
    const QString& Format() const { return format_; }
    int CharClasses() const { return rules_.classes; }
    int TextLimit() const { return rules_.limit; }
    int FrameWidth() const { return frameWidth_; }
    bool IsTyped() const { return typed_; }

    // Inserts text at the selection as if its characters were typed one by one: refused
    // characters are dropped, the text limit holds.
    void PasteFiltered(const QString& text);
    // The standard edit menu with its Paste action going through the filter. The caller owns it.
    QMenu* CreateFilteredContextMenu();
    static bool IsPasteAction(const QAction* a);

    // A commit waits for its owner, which reads the value when it takes it up: a refresh arriving
    // in between (a reply behind the operator's Enter) must not replace what the operator
    // committed. The owner's own changes come after it has taken the commit up.
    bool CommitPending() const { return commitPending_; }
    // Tells the owner of the waiting commit now (WM_VALUE_CHANGED, sent); nothing when none waits.
    void DeliverCommit();

protected:
    // Takes range and format as Init does: frame on, classes and text limit from the range.
    void ApplyRangeAndFormat(float limitA, float limitB, const QString& format);
    // Writes the value's text in the format and puts the caret at the end.
    void ShowValueText(double value);
    void CaretToEnd();
    // Reads the text, clamps it into the range and stores it; rewrites the text when clamping
    // changed it or force is set. Returns the stored value.
    float ReadAndClamp(bool force);
    // Posts the commit to the owner. While one waits, a further commit joins it: the owner reads
    // the value once, when it takes the commit up.
    void PostValueChanged();

    // Enter or Escape was pressed (the key is consumed either way).
    virtual void OnCommitKey() = 0;
    // The text changed after an accepted character or the Delete key.
    virtual void OnTypedChange() = 0;
    // The edit lost the focus (not to its own context menu).
    virtual void OnFocusLost() = 0;
    virtual void OnFocusGained() {}
    // One wheel notch up (+1) or down (-1), no keys or buttons held.
    virtual void OnWheelNotch(int direction) {}

    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void changeEvent(QEvent* e) override;

    QString format_ = QStringLiteral("%d");
    float value_ = 0;
    float minimum_ = 0;
    float maximum_ = 99999.0f;
    bool typed_ = false;
    EditCharRules rules_{kEditDigits, 4};
    int frameWidth_ = 0;
    COLORREF frameColor_ = 0x9CEF;
    COLORREF frameDisabledColor_ = 0x101010;

private:
    bool TypeChar(QChar ch);
    void OnTextChanged();

    bool commitPending_ = false;
};
