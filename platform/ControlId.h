#pragma once
// Control ids and owners of widgets. Language files and notifications address controls by id;
// a control notifies its owner (the page that created it), which need not be its QWidget parent.

#include "platform/MessageEvent.h"

#include <QObject>

class QWidget;

// Stores id on the widget. Ids are non-negative; a negative id is refused.
void SetControlId(QWidget* w, int id);
// The stored id, or 0 when none was set (as a window without an id has).
int GetControlId(const QWidget* w);
// The first descendant of parent with that id, or null.
QWidget* FindControlById(const QWidget* parent, int id);
// That control as a T, or null when there is none or it is not a T.
template <class T>
T* FindControlAs(const QWidget* parent, int id)
{
    return qobject_cast<T*>(FindControlById(parent, id));
}

// Stores the object that receives the control's notifications. The link clears itself when the
// owner is destroyed.
void SetControlOwner(QWidget* control, QObject* owner);
// The stored owner; without one (or after it died), the control's parent widget.
QObject* GetControlOwner(const QWidget* control);

// Posts msg to the control's owner. Returns false when there is none.
bool NotifyOwner(const QWidget* control, unsigned msg, WPARAM wParam, LPARAM lParam, QVariant payload = {});
