#include "shell/PresetShortcuts.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

int DigitOfKey(int key)
{
    return key >= Qt::Key_0 && key <= Qt::Key_9 ? key - Qt::Key_0 : -1;
}

ShortcutActions ShortcutsForKeyRelease(const KeyReleaseFacts& facts)
{
    ShortcutActions actions;
    if (facts.autoRepeat) return actions;
    const int digit = DigitOfKey(facts.key);
    if (facts.ctrlDown) {
        if (digit >= 0) actions.recallSlot = digit;
        if (facts.key == Qt::Key_S) actions.saveProject = true;
    }
    if (facts.sHeld && digit >= 0 && !facts.textFieldFocused) actions.saveSlot = digit;
    return actions;
}

bool IsTextEntryWidget(const QWidget* widget)
{
    if (!widget || !widget->isVisible() || !widget->isEnabled()) return false;
    if (const auto* line = qobject_cast<const QLineEdit*>(widget)) return !line->isReadOnly();
    if (const auto* text = qobject_cast<const QTextEdit*>(widget)) return !text->isReadOnly();
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(widget)) return !plain->isReadOnly();
    if (const auto* spin = qobject_cast<const QAbstractSpinBox*>(widget)) return !spin->isReadOnly();
    if (const auto* combo = qobject_cast<const QComboBox*>(widget)) return combo->isEditable();
    return false;
}
