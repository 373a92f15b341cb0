#include "controls/CMyEdit.h"

#include "controls/EditFrame.h"
#include "platform/ControlId.h"
#include "platform/MessageIds.h"

#include <QKeyEvent>
#include <QPainter>

CMyEdit::CMyEdit(QWidget* parent) : QLineEdit(parent) { PrepareFramedEdit(this, kEditFrameWidth); }

bool CMyEdit::event(QEvent* e)
{
    if (e->type() == QEvent::ShortcutOverride && IsEditCommitKey(static_cast<QKeyEvent*>(e))) {
        e->accept();
        return true;
    }
    return QLineEdit::event(e);
}

void CMyEdit::keyPressEvent(QKeyEvent* e)
{
    if (IsEditCommitKey(e)) {
        const int code = e->key() == Qt::Key_Escape ? kEditDoneEscape : kEditDoneEnter;
        NotifyOwner(this, WM_EDIT_DONE, static_cast<WPARAM>(code), GetControlId(this));
        setCursorPosition(static_cast<int>(text().size()));
        e->accept();
        return;
    }
    const bool command = e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (e->key() == Qt::Key_Backspace && !command) {
        NotifyOwner(this, WM_EDIT_CHAR, 0x08, 0);
    } else if (!command) {
        for (const QChar ch : e->text()) {
            if (ch.isPrint())
                NotifyOwner(this, WM_EDIT_CHAR, static_cast<WPARAM>(ch.unicode()), 0);
        }
    }
    QLineEdit::keyPressEvent(e);
}

void CMyEdit::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    // Opening the edit's own context menu is no focus loss to the owner.
    if (e->reason() != Qt::PopupFocusReason)
        NotifyOwner(this, WM_EDIT_DONE, kEditDoneEnter, GetControlId(this));
}

void CMyEdit::paintEvent(QPaintEvent* e)
{
    {
        QPainter p(this);
        DrawEditFrame(p, rect(), kEditFrameWidth, isEnabled());
    }
    QLineEdit::paintEvent(e);
}

void CMyEdit::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::EnabledChange)
        update();
    QLineEdit::changeEvent(e);
}
