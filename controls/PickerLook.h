#pragma once
// Date and time pickers (QDateTimeEdit, with or without the calendar popup) in the look of the
// pages' edits: the edits' rounded accent frame around a dark face, light text, and arrow buttons
// in the program's colours (light arrows on a dark-grey face, accent while held), wide enough to
// hit. The system style's white arrow box and tiny arrows would stand out of a dark page.

#include "platform/ColorRef.h"

class QDateTimeEdit;
class QWidget;

inline constexpr int kPickerButtonWidth = 20;
inline constexpr COLORREF kPickerButtonFace = kColorListBack;

// Gives picker the look (its calendar popup the dark colours as well).
void ApplyDarkPickerLook(QDateTimeEdit* picker);
// Whether w is a picker with that look, or its text field: a page colouring its text entries
// leaves those alone.
bool HasDarkPickerLook(const QWidget* w);
