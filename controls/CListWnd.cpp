#include "controls/CListWnd.h"

#include "controls/CDropButton.h"
#include "controls/CDropList.h"
#include "platform/MessageIds.h"

#include <QMouseEvent>
#include <QPainter>

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

void CListWnd::mousePressEvent(QMouseEvent* e)
{
    // A press on the popup's own button closes the popup; it must not drop it again at once.
    if (owner_) {
        const QPoint onButton = owner_->mapFromGlobal(e->globalPosition().toPoint());
        if (owner_->rect().contains(onButton))
            setAttribute(Qt::WA_NoMouseReplay);
    }
    QWidget::mousePressEvent(e);
}

void CListWnd::hideEvent(QHideEvent* e)
{
    QWidget::hideEvent(e);
    // Whatever ended the drop, the highlight goes back to the row the button shows.
    list_->RestoreSelection();
    if (owner_)
        owner_->OnPopupHidden();
}
