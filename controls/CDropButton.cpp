#include "controls/CDropButton.h"

#include "controls/CListWnd.h"
#include "platform/ControlId.h"
#include "platform/Fonts.h"
#include "platform/MessageIds.h"

#include <QEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

CDropButton::CDropButton(QWidget* parent) : MessageReceiver<QWidget>(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
}

CDropButton::~CDropButton()
{
    // The popup must not call back into a button that is half destroyed.
    if (popup_) {
        popup_->DetachOwner();
        delete popup_;
        popup_ = nullptr;
    }
}

bool CDropButton::Create(const QString& caption, QWidget* parent, int id, COLORREF normal, COLORREF hover,
                         COLORREF text, COLORREF extra, const QFont* font, COLORREF listBack, const QRect& rect)
{
    if (popup_ || !parent || id < 0)
        return false;
    if (normal == kDropDefaultColor) {
        normalColor_ = kDropNormalDefault;
        hoverColor_ = kDropHoverDefault;
    } else {
        normalColor_ = normal;
        hoverColor_ = hover;
    }
    textColor_ = text == kDropDefaultColor ? 0 : text;
    extraColor_ = extra == kDropDefaultColor ? 0 : extra;
    font_ = font ? *font : MakeFont(QStringLiteral("Arial"), 15, 400);
    setFont(font_);
    caption_ = caption;

    if (parentWidget() != parent)
        setParent(parent);
    setGeometry(rect);
    SetControlId(this, id);
    SetControlOwner(this, parent);

    popup_ = new CListWnd(this);
    popup_->List()->SetListFont(font_);
    if (listBack == kDropDefaultColor) {
        popup_->List()->SetBkColor(kColorListBack);
        popup_->List()->SetHighlightColor(kDropSelectionTheme);
    } else {
        popup_->List()->SetBkColor(listBack);
    }
    show();
    return true;
}

CDropList* CDropButton::GetList() const
{
    return popup_ ? popup_->List() : nullptr;
}

int CDropButton::ControlId() const
{
    return GetControlId(this);
}

void CDropButton::SetCaption(const QString& caption)
{
    caption_ = caption;
    update();
}

void CDropButton::SetDropHeightLimit(int pixels)
{
    heightLimit_ = std::max(1, pixels);
}

void CDropButton::SetCurSel(int n)
{
    CDropList* list = GetList();
    if (!list || n < 0 || n >= list->GetCount())
        return;
    if (autoText_)
        SetCaption(list->GetText(n));
    list->SetCurSel(n);
    list->SetCurrentIndex(n);
}

void CDropButton::ClearSel()
{
    CDropList* list = GetList();
    if (!list)
        return;
    if (autoText_)
        SetCaption(QString());
    list->SetCurSel(-1);
    list->SetCurrentIndex(-1);
}

int CDropButton::GetCurSel() const
{
    const CDropList* list = GetList();
    return list ? list->CurrentIndex() : -1;
}

int CDropButton::DropHeight() const
{
    const CDropList* list = GetList();
    const int n = list ? list->GetCount() : 0;
    if (n <= 0)
        return heightLimit_;
    const int itemHeight = list->ItemHeight();
    const int rows = std::max(1, (heightLimit_ - 2 * kDropListPadding) / itemHeight);
    return std::min(n, rows) * itemHeight + 2 * kDropListPadding;
}

void CDropButton::DropList()
{
    if (!popup_ || popup_->isVisible() || !isVisible() || !isEnabled())
        return;
    hover_ = false;
    // The list area hangs under the button; its frame overlaps the button's bottom line.
    const QPoint topLeft = mapToGlobal(QPoint(0, height() - 1));
    popup_->setGeometry(topLeft.x(), topLeft.y(), width(), DropHeight() + 2);
    CDropList* list = popup_->List();
    list->RestoreSelection();
    popup_->show();
    list->EnsureVisible(list->CurrentIndex());
    list->setFocus(Qt::PopupFocusReason);
    update();
}

void CDropButton::CloseList()
{
    if (popup_ && popup_->isVisible())
        popup_->hide();
}

bool CDropButton::IsListShown() const
{
    return popup_ && popup_->isVisible();
}

void CDropButton::OnPopupHidden()
{
    update();
}

LRESULT CDropButton::OnMessage(unsigned msg, WPARAM wParam, LPARAM, const QVariant&)
{
    if (msg == WM_DROPLIST_SELECT)
        return ChooseItem(wParam);
    return 0;
}

LRESULT CDropButton::ChooseItem(WPARAM index)
{
    CDropList* list = GetList();
    if (!list || index >= static_cast<WPARAM>(list->GetCount()))
        return 0;
    const int n = static_cast<int>(index);
    if (!list->IsItemEnabled(n))
        return 0;
    if (autoText_)
        SetCaption(list->GetText(n));
    list->SetCurrentIndex(n);
    list->SetCurSel(n);
    NotifyOwner(this, WM_DROPLIST_SELECT, static_cast<WPARAM>(ControlId()), static_cast<LPARAM>(n));
    return 1;
}

COLORREF CDropButton::InkColor() const
{
    return isEnabled() ? textColor_ : kColorDisabledText;
}

QPolygon CDropButton::ArrowPolygon() const
{
    // A small filled triangle, as wide as an "M", near the right edge.
    const QFontMetrics fm(font_);
    const int cx = fm.horizontalAdvance(QLatin1Char('M'));
    const int x0 = width() - cx - 5;
    const int y0 = fm.height() / 3 + (height() - fm.height()) / 2;
    QPolygon arrow;
    arrow << QPoint(x0, y0) << QPoint(x0 + cx - 1, y0) << QPoint(x0 + cx / 2, y0 + cx / 2);
    return arrow;
}

QRect CDropButton::CaptionRect() const
{
    const int cx = QFontMetrics(font_).horizontalAdvance(QLatin1Char('M'));
    return QRect(5, 0, std::max(0, width() - cx - 10 - 5), height());
}

CDropButton::CaptionLayout CDropButton::LayOutCaption() const
{
    // The rows' texts carry blanks as an indent for the list; the caption has its own margin.
    // Choices that differ only at their end ("Speed 1", "Speed 2") must never look alike, so a
    // caption a little too wide is drawn narrower rather than cut.
    constexpr double kNarrowest = 0.85;
    const QFontMetrics fm(font_);
    const QString text = caption_.trimmed();
    const int room = CaptionRect().width();
    const int natural = fm.horizontalAdvance(text);
    if (natural <= room)
        return {text, 1.0};
    if (natural * kNarrowest <= room)
        return {text, static_cast<double>(room) / natural};
    return {fm.elidedText(text, Qt::ElideRight, static_cast<int>(room / kNarrowest)), kNarrowest};
}

QString CDropButton::ShownCaption() const
{
    return LayOutCaption().text;
}

void CDropButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    COLORREF face = hover_ ? hoverColor_ : normalColor_;
    if (!isEnabled())
        face = kDropDisabledFace;
    p.setPen(QPen(ToQColor(kDropFrameColor), 1));
    p.setBrush(ToQColor(face));
    p.drawRect(rect().adjusted(0, 0, -1, -1));

    const QColor ink = ToQColor(InkColor());
    p.setPen(ink);
    p.setBrush(ink);
    p.drawPolygon(ArrowPolygon());
    p.setFont(font_);
    const QRect room = CaptionRect();
    const CaptionLayout caption = LayOutCaption();
    p.translate(room.left(), 0);
    p.scale(caption.squeeze, 1.0);
    p.drawText(QRect(0, room.top(), static_cast<int>(std::ceil(room.width() / caption.squeeze)), room.height()),
               Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, caption.text);
}

void CDropButton::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(e);
        return;
    }
    e->accept();
    hover_ = false;
    if (IsListShown())
        CloseList();
    else
        DropList();
}

void CDropButton::keyPressEvent(QKeyEvent* e)
{
    const bool altDown = e->key() == Qt::Key_Down && (e->modifiers() & Qt::AltModifier);
    if (e->key() == Qt::Key_Space || e->key() == Qt::Key_F4 || altDown) {
        DropList();
        e->accept();
        return;
    }
    QWidget::keyPressEvent(e);
}

void CDropButton::enterEvent(QEnterEvent* e)
{
    QWidget::enterEvent(e);
    if (!IsListShown()) {
        hover_ = true;
        update();
    }
}

void CDropButton::leaveEvent(QEvent* e)
{
    QWidget::leaveEvent(e);
    if (hover_) {
        hover_ = false;
        update();
    }
}

void CDropButton::hideEvent(QHideEvent* e)
{
    QWidget::hideEvent(e);
    CloseList();
}

void CDropButton::changeEvent(QEvent* e)
{
    QWidget::changeEvent(e);
    if (e->type() == QEvent::EnabledChange && !isEnabled()) {
        hover_ = false;
        CloseList();
    }
}

void SelectDropItemByData(CDropButton* button, DropItemData data)
{
    if (!button || !button->IsCreated())
        return;
    const int found = FindDropItemByData(button, data);
    button->SetCurSel(found >= 0 ? found : 0);
}

int FindDropItemByData(const CDropButton* button, DropItemData data)
{
    if (!button || !button->IsCreated())
        return -1;
    const CDropList* list = button->GetList();
    for (int i = 0; i < list->GetCount(); ++i) {
        if (list->GetItemData(i) == data)
            return i;
    }
    return -1;
}
