#include "platform/MessageBox.h"

#include <QMessageBox>

#include <utility>

namespace {
MessageBoxHandler& Handler()
{
    static MessageBoxHandler handler;
    return handler;
}
} // namespace

int ShowMessageBox(QWidget* parent, const QString& text, const QString& caption, unsigned type)
{
    const bool withCancel = (type & 0xF) == MB_OKCANCEL;
    if (const MessageBoxHandler& handler = Handler()) {
        const int answer = handler(MessageBoxRequest{parent, text, caption, type});
        // A box without Cancel can only be answered with OK.
        return withCancel && answer == IDCANCEL ? IDCANCEL : IDOK;
    }
    QMessageBox box(withCancel ? QMessageBox::Question : QMessageBox::Information, caption, text,
                    withCancel ? (QMessageBox::Ok | QMessageBox::Cancel) : QMessageBox::Ok, parent);
    return box.exec() == QMessageBox::Ok ? IDOK : IDCANCEL;
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler)
{
    return std::exchange(Handler(), std::move(handler));
}
