#pragma once
// The numbered texts used in code (message boxes, list entries, wait texts, group titles).
// They start as the English defaults and are reloaded from the current language file; the
// language file stores entry n under the key "SIDS_n".
//
// UI thread only: the table is a plain global without a lock.

#include <QString>

#include <array>

inline constexpr int kUiTextCount = 161;

// Entry n (0..160). Indexing with a constant is fine; for numbers that come from outside use
// UiText()/SetUiText(), which refuse indexes out of range.
extern std::array<QString, kUiTextCount> g_UiText;

// Entry n of the table, or an empty string when n is out of range.
QString UiText(int n);

// Replaces entry n; an index out of range changes nothing.
void SetUiText(int n, const QString& text);

// The built-in English text of entry n, or an empty string when n is out of range.
QString UiTextDefault(int n);

// Puts every entry back to its English default.
void ResetUiTextDefaults();

// Numbers of the entries that code refers to by meaning.
enum UiTextId : int {
    UI_TEXT_TIPS = 38,              // caption of the program's message boxes
    UI_TEXT_WAIT_OPERATION = 65,    // busy-dialog text while the processor works
    UI_TEXT_FAILED = 67,            // appended to what did not succeed
    UI_TEXT_PORT_SWITCH_FIRST = 145,
    UI_TEXT_PORT_SWITCH_LAST = 149,
};
