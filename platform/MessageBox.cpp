#include "platform/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

#include <utility>

namespace {
MessageBoxHandler& Handler()
{
    static MessageBoxHandler handler;
    return handler;
}

// The result box while it is up (null once it is answered or its parent is gone).
QPointer<QMessageBox>& ResultBox()
{
    static QPointer<QMessageBox> box;
    return box;
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

void ShowResultBox(QWidget* parent, const QString& text, const QString& caption)
{
    if (const MessageBoxHandler& handler = Handler()) {
        handler(MessageBoxRequest{parent, text, caption, MB_OK});
        return;
    }
    QPointer<QMessageBox>& box = ResultBox();
    if (box) {
        box->setText(text);
        box->setWindowTitle(caption);
        RaiseOpenBoxes();
        return;
    }
    auto* shown = new QMessageBox(QMessageBox::Information, caption, text, QMessageBox::Ok, parent);
    shown->setWindowModality(Qt::ApplicationModal);
    QObject::connect(shown, &QDialog::finished, shown, [shown] {
        // Forgotten at once: a result arriving before the deletion opens a new box.
        if (ResultBox() == shown) ResultBox() = nullptr;
        shown->deleteLater();
    });
    box = shown;
    shown->show();
    RaiseOpenBoxes();
}

void RaiseOpenBoxes()
{
    // Without a window manager nothing keeps a box above its parent: a parent raised later covers
    // it, and a question waiting for its answer would block the window unseen.
    QWidget* boxes[] = {ResultBox().data(), QApplication::activeModalWidget()};
    for (QWidget* box : boxes) {
        if (!box || !box->isVisible()) continue;
        box->raise();
        box->activateWindow();
    }
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler)
{
    return std::exchange(Handler(), std::move(handler));
}
