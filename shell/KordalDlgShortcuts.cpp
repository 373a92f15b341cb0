// The main window's keys: the rename edit's Enter and Escape, the preset and project shortcuts on
// key releases (its own, and those its pages hand on), and Enter/Escape eaten everywhere else.

#include "device/CDeviceData.h"
#include "platform/MessageBox.h"
#include "platform/MessageIds.h"
#include "platform/PageNotifyCodes.h"
#include "shell/MainWindowIds.h"
#include "shell/HeldKeys.h"
#include "shell/KordalDlg.h"
#include "shell/PresetNames.h"
#include "shell/PresetShortcuts.h"
#include "pagekit/UiText.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace mw = ctl::main_window;

namespace {
bool IsEnterOrEscape(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}
} // namespace

bool KordalDlg::FocusInTextField() const
{
    // The window's focus child, also while another program has the keyboard.
    QWidget* focus = focusWidget();
    if (!focus) focus = QApplication::focusWidget();
    return focus && isAncestorOf(focus) && IsTextEntryWidget(focus);
}

bool KordalDlg::PreTranslateMessage(QObject* target, QEvent* e)
{
    const bool press = e->type() == QEvent::KeyPress;
    const bool release = e->type() == QEvent::KeyRelease;
    if (!press && !release) return false;
    auto* key = static_cast<QKeyEvent*>(e);

    if (renameEdit_ && target == renameEdit_) {
        if (press && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            CommitRename();
            return true;
        }
        if (press && key->key() == Qt::Key_Escape) {
            CancelRename();
            return true;
        }
        // Everything else is typing into the name: no shortcuts.
    } else if (release) {
        KeyReleaseFacts facts;
        facts.key = key->key();
        facts.ctrlDown = (key->modifiers() & Qt::ControlModifier) != 0;
        facts.sHeld = IsKeyHeld(Qt::Key_S);
        facts.autoRepeat = key->isAutoRepeat();
        facts.textFieldFocused = FocusInTextField();
        const ShortcutActions actions = ShortcutsForKeyRelease(facts);

        if (actions.recallSlot >= 0) {
            OnPresetButton(mw::IDC_PRESET_SLOT_1 + actions.recallSlot);
            if (PresetFlag(actions.recallSlot) == kPresetEmpty)
                ShowMessageBox(this, UiText(36), QString::fromLatin1(kMainWindowTitle));
            else
                RecallPresetSlot(actions.recallSlot);
        }
        if (actions.saveProject) SendMsg(this, WM_PROJECT_FILE, PROJECT_FILE_SAVE, 0, projectPath_);
        if (actions.saveSlot >= 0 &&
            ShowMessageBox(this, UiText(37), UiText(UI_TEXT_TIPS), MB_OKCANCEL) == IDOK) {
            OnPresetButton(mw::IDC_PRESET_SLOT_1 + actions.saveSlot);
            SavePresetSlot(actions.saveSlot);
        }
    }

    if (press && IsEnterOrEscape(key->key())) return true;
    return false;
}

void KordalDlg::OnPageKeyRelease(QKeyEvent* event)
{
    ++forwardedKeyReleases_;
    PreTranslateMessage(nullptr, event);
}

bool KordalDlg::eventFilter(QObject* watched, QEvent* e)
{
    if (renameEdit_ && watched == renameEdit_ && e->type() == QEvent::KeyPress && PreTranslateMessage(watched, e)) {
        e->accept();
        return true;
    }
    return MessageReceiver<QWidget>::eventFilter(watched, e);
}

void KordalDlg::keyPressEvent(QKeyEvent* e)
{
    if (PreTranslateMessage(this, e)) {
        e->accept();
        return;
    }
    QWidget::keyPressEvent(e);
}

void KordalDlg::keyReleaseEvent(QKeyEvent* e)
{
    // A key goes to the focus widget and travels up from there: while the rename edit has the
    // focus, the release is the edit's.
    const bool fromRenameEdit = renameEdit_ && renameEdit_->isVisible() && focusWidget() == renameEdit_;
    PreTranslateMessage(fromRenameEdit ? static_cast<QObject*>(renameEdit_) : this, e);
    QWidget::keyReleaseEvent(e);
}
