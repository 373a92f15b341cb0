#pragma once
// The rounded frame of the program's edits: a filled rounded rectangle in the frame colour
// around the text area, which is filled with the body colour. The edit draws it under its text.

#include "platform/ColorRef.h"

#include <QRect>

class QKeyEvent;
class QLineEdit;
class QPainter;

inline constexpr COLORREF kEditFrameColor = kColorAccent;       // enabled
inline constexpr COLORREF kEditFrameDisabledColor = 0x101010;
inline constexpr COLORREF kEditFillColor = 0x101010;
inline constexpr int kEditFrameWidth = 2;
inline constexpr int kEditFrameCorner = 6;  // corner ellipse, both directions

// The text area inside a widget rectangle whose outer frameWidth pixels hold the frame.
QRect EditClientRect(const QRect& widgetRect, int frameWidth);

// Paints frame and fill into widgetRect. Nothing for frameWidth <= 0 (an edit before its Init).
void DrawEditFrame(QPainter& painter, const QRect& widgetRect, int frameWidth, bool enabled,
                   COLORREF enabledColor = kEditFrameColor, COLORREF disabledColor = kEditFrameDisabledColor);

// Readies a line edit for the frame: no system border, a transparent base so the frame's fill
// shows, the text kept inside the frame, light text.
void PrepareFramedEdit(QLineEdit* edit, int frameWidth);

// Enter, Return and Escape: the keys the edits keep for themselves, so they never reach the
// page (which would close on them) or trigger a shortcut.
bool IsEditCommitKey(const QKeyEvent* e);
