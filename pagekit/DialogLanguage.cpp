#include "pagekit/DialogLanguage.h"

#include "controls/CSxGroupBox.h"
#include "platform/CaptionTarget.h"
#include "platform/ControlId.h"
#include "pagekit/LanguageFiles.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QVariant>
#include <QWidget>

namespace {

constexpr const char* kDialogIdProperty = "svpDialogId";

bool IsEditControl(const QWidget* w)
{
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QTextEdit*>(w) ||
           qobject_cast<const QPlainTextEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w);
}

bool IsNestedWindow(const QWidget* w)
{
    return w->isWindow() || w->property(kDialogIdProperty).isValid();
}

// An empty value counts as absent: it would blank the control.
bool FindText(const LanguageStrings& strings, const QString& key, QString& out)
{
    return strings.Find(key, out) && !out.isEmpty();
}

void SetCaption(QWidget* w, const QString& text)
{
    if (auto* target = dynamic_cast<ICaptionTarget*>(w))
        target->SetCaptionText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(w))
        button->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(w))
        label->setText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(w))
        group->setTitle(text);
    else if (auto* frame = qobject_cast<CSxGroupBox*>(w))
        frame->SetCaption(text);
}

// Depth first, in child order (the stacking order the window manager would walk).
void ApplyToChildren(const QWidget* parent, int dialogId, const LanguageStrings& strings)
{
    const QObjectList& children = parent->children();
    for (QObject* object : children) {
        auto* child = qobject_cast<QWidget*>(object);
        if (!child || IsNestedWindow(child)) continue;
        if (IsEditControl(child)) continue;
        const int id = GetControlId(child);
        if (id != 0) {
            QString text;
            if (FindText(strings, QStringLiteral("IDD%1_IDS_%2").arg(dialogId).arg(id), text) ||
                FindText(strings, QStringLiteral("IDS_%1").arg(id), text))
                SetCaption(child, text);
        }
        ApplyToChildren(child, dialogId, strings);
    }
}

} // namespace

void ApplyDialogLanguage(QWidget* window, int dialogId)
{
    if (!window) return;
    // Remember the window as a dialog, so that applying the language of an enclosing window
    // leaves this one's controls (and their window-specific captions) alone.
    SetDialogId(window, dialogId);
    const LanguageStrings strings = LanguageStrings::Current();
    QString title;
    if (FindText(strings, QStringLiteral("IDD%1_Title").arg(dialogId), title))
        window->setWindowTitle(title);
    ApplyToChildren(window, dialogId, strings);
}

void SetDialogId(QWidget* window, int dialogId)
{
    if (!window || dialogId < 0) return;
    window->setProperty(kDialogIdProperty, dialogId);
}

int GetDialogId(const QWidget* window)
{
    if (!window) return 0;
    bool ok = false;
    const int id = window->property(kDialogIdProperty).toInt(&ok);
    return ok ? id : 0;
}
