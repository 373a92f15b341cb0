#include "shell/TipsMessageBox.h"

#include <QMessageBox>

namespace {

TipsMessageHook& Hook()
{
    static TipsMessageHook hook;
    return hook;
}

} // namespace

void SetTipsMessageHook(TipsMessageHook hook)
{
    Hook() = std::move(hook);
}

int ShowTipsMessage(QWidget* parent, const QString& text, const QString& caption, TipsButtons buttons)
{
    if (Hook()) {
        const int answer = Hook()(TipsMessage{text, caption, buttons});
        return buttons == TipsButtons::Ok ? IDOK : (answer == IDOK ? IDOK : IDCANCEL);
    }
    QMessageBox box(parent);
    box.setWindowTitle(caption);
    box.setText(text);
    if (buttons == TipsButtons::OkCancel) {
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    } else {
        box.setIcon(QMessageBox::Information);
        box.setStandardButtons(QMessageBox::Ok);
    }
    return box.exec() == QMessageBox::Ok ? IDOK : (buttons == TipsButtons::Ok ? IDOK : IDCANCEL);
}
