#pragma once
// The main window's keyboard shortcuts, decided on each key release:
// - Ctrl + digit d recalls preset slot d ('0' is slot 1, '9' slot 10);
// - Ctrl + S saves the project file to its current path;
// - a digit released while S is held saves slot d after a confirmation, unless a text field has
//   the focus (there "s5" is typing, not a chord).

#include <QString>

class QWidget;

struct KeyReleaseFacts {
    int key = 0;                 // Qt::Key
    bool ctrlDown = false;
    bool sHeld = false;
    bool autoRepeat = false;     // a held key's repeats are no new presses
    bool textFieldFocused = false;
};

struct ShortcutActions {
    int recallSlot = -1;         // Ctrl + digit
    bool saveProject = false;    // Ctrl + S
    int saveSlot = -1;           // S held + digit
    bool Any() const { return recallSlot >= 0 || saveProject || saveSlot >= 0; }
};

// 0..9 for the digit keys, -1 for every other key.
int DigitOfKey(int key);
ShortcutActions ShortcutsForKeyRelease(const KeyReleaseFacts& facts);

// True for a widget the operator types text into (line and text edits, spin boxes, editable
// combo boxes) while it is visible, enabled and not read-only.
bool IsTextEntryWidget(const QWidget* widget);
