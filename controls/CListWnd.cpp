#include "controls/CListWnd.h"

#include "controls/CDropButton.h"
#include "controls/CDropList.h"
#include "platform/MessageIds.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace {
constexpr int kListBoxId = 1125;
}

CListWnd::CListWnd(CDropButton* owner)
    : QWidget(owner, Qt::Popup | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint), owner_(owner)
{
    list_ = new CDropList(this);
    list_->setObjectName(QStringLiteral("dropList%1").arg(kListBoxId));
    list_->setGeometry(rect().adjusted(1, 1, -1, -1));
    setFocusProxy(list_);
    setMouseTracking(true);
    connect(list_, &CDropList::itemChosen, this, &CListWnd::OnItemChosen);
    connect(list_, &CDropList::cancelled, this, &QWidget::hide);
    resize(200, 200);
}

CListWnd::~CListWnd() = default;

void CListWnd::OnItemChosen(int index)
{
    hide();
    if (owner_)
        SendMsg(owner_, WM_DROPLIST_SELECT, static_cast<WPARAM>(index), 0);
}

void CListWnd::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void CListWnd::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    list_->setGeometry(rect().adjusted(1, 1, -1, -1));
}

bool CListWnd::Covers(QPoint global) const
{
    if (geometry().contains(global))
        return true;
    return owner_ && owner_->rect().contains(owner_->mapFromGlobal(global));
}

void CListWnd::mousePressEvent(QMouseEvent* e)
{
    if (rect().contains(e->position().toPoint())) {
        QWidget::mousePressEvent(e);
        return;
    }
    // Outside: the drop ends and the press goes on at once to what lies under it, so the click
    // the operator aimed at another control acts. A press on the popup's own button only closes
    // the popup; it must not drop it again.
    e->accept();
    setAttribute(Qt::WA_NoMouseReplay);
    hide();
    const QPoint global = e->globalPosition().toPoint();
    if (!owner_ || !owner_->rect().contains(owner_->mapFromGlobal(global)))
        PassPressOn(*e);
}

void CListWnd::PassPressOn(const QMouseEvent& e)
{
    const QPoint global = e.globalPosition().toPoint();
    QWidget* under = QApplication::widgetAt(global);
    if (!under)
        return;
    QWindow* window = under->window()->windowHandle();
    if (!window)
        return;
    // Through the window, as the press would have come: it picks the child and remembers it for
    // the release. A click gives the focus as it does without a popup.
    for (QWidget* w = under; w; w = w->isWindow() ? nullptr : w->parentWidget()) {
        if ((w->focusPolicy() & Qt::ClickFocus) && w->isEnabled()) {
            w->setFocus(Qt::MouseFocusReason);
            break;
        }
    }
    const QPointF local = window->mapFromGlobal(QPointF(global));
    QMouseEvent press(QEvent::MouseButtonPress, local, local, QPointF(global), e.button(), e.buttons(), e.modifiers(),
                      e.pointingDevice());
    QCoreApplication::sendEvent(window, &press);
}

void CListWnd::mouseMoveEvent(QMouseEvent* e)
{
    // The popup holds the mouse while it shows: moves anywhere come here.
    if (Covers(e->globalPosition().toPoint()))
        pointerSeen_ = true;
    else if (pointerSeen_)
        hide();
    QWidget::mouseMoveEvent(e);
}

void CListWnd::enterEvent(QEnterEvent* e)
{
    pointerSeen_ = true;
    QWidget::enterEvent(e);
}

void CListWnd::showEvent(QShowEvent* e)
{
    // A list dropped from the keyboard with the pointer elsewhere stays open until the pointer
    // has come over it (or its button) and left again.
    pointerSeen_ = Covers(QCursor::pos());
    QWidget::showEvent(e);
}

void CListWnd::hideEvent(QHideEvent* e)
{
    QWidget::hideEvent(e);
    // Whatever ended the drop, the highlight goes back to the row the button shows.
    list_->RestoreSelection();
    if (owner_)
        owner_->OnPopupHidden();
}
