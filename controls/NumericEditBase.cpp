#include "controls/NumericEditBase.h"

#include "controls/EditFrame.h"
#include "controls/PendingCommits.h"
#include "platform/ControlId.h"
#include "platform/MessageEvent.h"
#include "platform/MessageIds.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <memory>

NumericEditBase::NumericEditBase(QWidget* parent) : QLineEdit(parent)
{
    PrepareFramedEdit(this, kEditFrameWidth);
    setText(QStringLiteral("0"));
    // Dropped text would skip the filter.
    setAcceptDrops(false);
    setDragEnabled(false);
    connect(this, &QLineEdit::textChanged, this, &NumericEditBase::OnTextChanged);
}

NumericEditBase::~NumericEditBase() { pendingcommits::Remove(this); }

void NumericEditBase::ApplyRangeAndFormat(float limitA, float limitB, const QString& format)
{
    format_ = format;
    frameWidth_ = kEditFrameWidth;
    frameColor_ = kEditFrameColor;
    frameDisabledColor_ = kEditFrameDisabledColor;
    minimum_ = std::min(limitA, limitB);
    maximum_ = std::max(limitA, limitB);
    rules_ = ComputeEditCharRules(minimum_, maximum_, format_);
    update();
}

void NumericEditBase::ShowValueText(double value)
{
    setText(FormatEditValue(format_, value));
    CaretToEnd();
}

void NumericEditBase::CaretToEnd()
{
    setCursorPosition(static_cast<int>(text().size()));
}

float NumericEditBase::ReadAndClamp(bool force)
{
    const double parsed = ParseEditValue(text());
    const double clamped = ClampEditValue(parsed, minimum_, maximum_);
    value_ = static_cast<float>(clamped);
    if (clamped != parsed || force)
        ShowValueText(value_);
    return value_;
}

void NumericEditBase::PostValueChanged()
{
    if (commitPending_)
        return;
    commitPending_ = true;
    pendingcommits::Add(this);
    QMetaObject::invokeMethod(this, &NumericEditBase::DeliverCommit, Qt::QueuedConnection);
}

void NumericEditBase::DeliverCommit()
{
    if (!commitPending_)
        return;
    commitPending_ = false;
    pendingcommits::Remove(this);
    // Last: the owner may set this edit, or take it away.
    const pendingcommits::HandingOver handing;
    SendMsg(GetControlOwner(this), WM_VALUE_CHANGED, static_cast<WPARAM>(GetControlId(this)), 0);
}

bool NumericEditBase::TypeChar(QChar ch)
{
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    const int end = hasSelectedText() ? start + selectionLength() : start;
    if (!AcceptTypedChar(text(), start, end, ch, rules_))
        return false;
    typed_ = true;
    if (ch == QChar(0x08))
        backspace();
    else
        insert(QString(ch));
    return true;
}

void NumericEditBase::PasteFiltered(const QString& text)
{
    for (const QChar ch : text) {
        if (ch != QChar(0x08))
            TypeChar(ch);
    }
}

void NumericEditBase::OnTextChanged()
{
    if (!typed_)
        return;
    typed_ = false;
    OnTypedChange();
}

bool NumericEditBase::event(QEvent* e)
{
    // Keep Enter and Escape from shortcuts of the page; Paste is ours to filter.
    if (e->type() == QEvent::ShortcutOverride) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (IsEditCommitKey(k) || k->matches(QKeySequence::Paste)) {
            e->accept();
            return true;
        }
    }
    return QLineEdit::event(e);
}

void NumericEditBase::keyPressEvent(QKeyEvent* e)
{
    if (IsEditCommitKey(e)) {
        OnCommitKey();
        e->accept();
        return;
    }
    if (e->matches(QKeySequence::Paste)) {
        if (!isReadOnly())
            PasteFiltered(QGuiApplication::clipboard()->text());
        e->accept();
        return;
    }
    if (e->key() == Qt::Key_Delete) {
        typed_ = true;
        QLineEdit::keyPressEvent(e);
        return;
    }
    if (e->key() == Qt::Key_Backspace && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        if (!isReadOnly())
            TypeChar(QChar(0x08));
        e->accept();
        return;
    }
    const QString t = e->text();
    const bool command = e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (!command && !t.isEmpty() && t[0].isPrint()) {
        if (!isReadOnly()) {
            for (const QChar ch : t)
                TypeChar(ch);
        }
        e->accept();
        return;
    }
    QLineEdit::keyPressEvent(e);
}

void NumericEditBase::inputMethodEvent(QInputMethodEvent* e)
{
    // Composed text goes through the filter like typed text; no pre-edit text is shown.
    const QString commit = e->commitString();
    e->accept();
    if (!isReadOnly())
        PasteFiltered(commit);
}

bool NumericEditBase::IsPasteAction(const QAction* a)
{
    // The line edit's menu names its Paste entry with its own translated text (plus the key).
    return a && !a->isSeparator() &&
           (a->objectName() == QLatin1String("edit-paste") || a->text().startsWith(QLineEdit::tr("&Paste")));
}

QMenu* NumericEditBase::CreateFilteredContextMenu()
{
    QMenu* menu = createStandardContextMenu();
    if (!menu)
        return nullptr;
    for (QAction* a : menu->actions()) {
        if (IsPasteAction(a)) {
            a->disconnect();
            connect(a, &QAction::triggered, this, [this] {
                if (!isReadOnly())
                    PasteFiltered(QGuiApplication::clipboard()->text());
            });
        }
    }
    return menu;
}

void NumericEditBase::contextMenuEvent(QContextMenuEvent* e)
{
    std::unique_ptr<QMenu> menu(CreateFilteredContextMenu());
    if (menu)
        menu->exec(e->globalPos());
}

void NumericEditBase::mousePressEvent(QMouseEvent* e)
{
    // The middle button pastes the X11 selection, around the filter.
    if (e->button() == Qt::MiddleButton) {
        e->accept();
        return;
    }
    QLineEdit::mousePressEvent(e);
}

void NumericEditBase::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::MiddleButton) {
        e->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(e);
}

void NumericEditBase::focusInEvent(QFocusEvent* e)
{
    QLineEdit::focusInEvent(e);
    OnFocusGained();
}

void NumericEditBase::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    if (e->reason() != Qt::PopupFocusReason)
        OnFocusLost();
}

void NumericEditBase::wheelEvent(QWheelEvent* e)
{
    const int dy = e->angleDelta().y();
    if (e->angleDelta().x() == 0 && (dy == 120 || dy == -120) && e->modifiers() == Qt::NoModifier &&
        e->buttons() == Qt::NoButton)
        OnWheelNotch(dy > 0 ? 1 : -1);
    QLineEdit::wheelEvent(e);
}

void NumericEditBase::paintEvent(QPaintEvent* e)
{
    {
        QPainter p(this);
        DrawEditFrame(p, rect(), frameWidth_, isEnabled(), frameColor_, frameDisabledColor_);
    }
    QLineEdit::paintEvent(e);
}

void NumericEditBase::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::EnabledChange)
        update();
    QLineEdit::changeEvent(e);
}
