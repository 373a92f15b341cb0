#pragma once
// What a numeric edit lets the user type, and how its text and value convert. Pure functions,
// shared by oRealEdit and oSliderEdit, so the rules can be tested without a window.

#include <QChar>
#include <QString>

// Character classes a numeric edit accepts.
inline constexpr int kEditDigits = 1;
inline constexpr int kEditMinus = 2;
inline constexpr int kEditDecimalPoint = 4;

struct EditCharRules {
    int classes = kEditDigits;
    int limit = 4;  // characters
};

// Classes and text limit for a range and format: the digits of the largest magnitude in the
// range (1 for 0); a minus sign when the minimum is negative (one more character); a decimal
// point when the format has one (three more characters: the point and two decimals).
EditCharRules ComputeEditCharRules(double minimum, double maximum, const QString& format);

// Whether the character ch may replace the selection [selStart, selEnd) of text. Backspace
// (0x08) is always accepted. Leaves the length to FitsTextLimit.
bool FilterEditChar(const QString& text, int selStart, int selEnd, QChar ch, int classes, int limit);

// Whether replacing the selection with insertLength characters keeps the text within limit.
bool FitsTextLimit(int textLength, int selStart, int selEnd, int insertLength, int limit);

// The filter and the limit together: the decision for one typed (or pasted) character.
bool AcceptTypedChar(const QString& text, int selStart, int selEnd, QChar ch, const EditCharRules& rules);

// The value's text in the format: "%d"-style formats take the value truncated toward zero,
// formats with a decimal point ("%.2f") take it as a double; literal text around the one
// conversion is kept. Independent of the locale.
QString FormatEditValue(const QString& format, double value);

// The leading number of text, as the classic wide-string-to-double reads it: leading blanks
// skipped, an optional sign, digits with at most one point; anything unreadable reads 0.
double ParseEditValue(const QString& text);

// value in [lo, hi] (lo <= hi); NaN reads as lo.
double ClampEditValue(double value, double lo, double hi);

// Truncation toward zero into the int range (no undefined behaviour for huge values or NaN).
int TruncToInt(double value);
