#pragma once
// Applying the current language file to one window: its title and the captions of its controls,
// looked up by the window's dialog id and each control's id (platform/ControlId.h).

class QWidget;

// Window title from "IDD<dialogId>_Title". Every descendant control with a control id takes its
// caption from "IDD<dialogId>_IDS_<id>", else from "IDS_<id>"; controls whose keys are absent
// keep their text. Edit controls (line, text and spin-box edits) never take a text, hidden
// controls stay hidden, and windows nested inside (top-level windows, and widgets marked with
// their own dialog id by SetDialogId) are left to their own language operation. A backslash-n in
// a caption becomes a line break.
//
// Captions are set through ICaptionTarget (platform/CaptionTarget.h) when the control implements
// it, else QAbstractButton::setText, QLabel::setText or QGroupBox::setTitle; other widgets are
// left alone.
void ApplyDialogLanguage(QWidget* window, int dialogId);

// Marks a widget as the window of a dialog (a page or the main window); ApplyDialogLanguage of an
// enclosing window does not reach into it. A negative id is refused.
void SetDialogId(QWidget* window, int dialogId);
// The dialog id a widget was marked with, or 0.
int GetDialogId(const QWidget* window);
