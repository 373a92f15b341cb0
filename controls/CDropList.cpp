#include "controls/CDropList.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

CDropList::CDropList(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setViewportMargins(0, kDropListPadding, 0, kDropListPadding);
    setAutoFillBackground(true);  // the padding, in the list's background
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFocusPolicy(Qt::StrongFocus);
    verticalScrollBar()->setSingleStep(1);
}

int CDropList::AddString(const QString& text)
{
    // A list that held one row highlights the row its button shows before it grows, so the
    // second fill of a one-row list does not lose the shown choice.
    if (GetCount() == 1) SetCurSel(current_ == 0 ? 0 : -1);
    DropListItem item;
    item.text = text;
    items_.push_back(std::move(item));
    UpdateScrollRange();
    viewport()->update();
    return GetCount() - 1;
}

int CDropList::DeleteString(int index)
{
    if (!ValidIndex(index))
        return LB_ERR;
    items_.erase(items_.begin() + index);
    // Indexes behind the removed row move up by one; the removed row itself is no longer shown.
    auto follow = [index](int& i) {
        if (i == index)
            i = -1;
        else if (i > index)
            --i;
    };
    follow(current_);
    follow(selection_);
    UpdateScrollRange();
    viewport()->update();
    return GetCount();
}

void CDropList::ResetContent()
{
    items_.clear();
    current_ = -1;
    selection_ = -1;
    UpdateScrollRange();
    viewport()->update();
}

QString CDropList::GetText(int index) const
{
    return ValidIndex(index) ? items_[static_cast<size_t>(index)].text : QString();
}

bool CDropList::SetItemData(int index, DropItemData data)
{
    if (!ValidIndex(index))
        return false;
    items_[static_cast<size_t>(index)].data = data;
    return true;
}

DropItemData CDropList::GetItemData(int index) const
{
    return ValidIndex(index) ? items_[static_cast<size_t>(index)].data : static_cast<DropItemData>(LB_ERR);
}

bool CDropList::SetItemEnabled(int index, bool enabled)
{
    if (!ValidIndex(index))
        return false;
    auto& flags = items_[static_cast<size_t>(index)].flags;
    flags = enabled ? (flags & ~kDropItemDisabled) : (flags | kDropItemDisabled);
    viewport()->update();
    return true;
}

bool CDropList::IsItemEnabled(int index) const
{
    return ValidIndex(index) && !(items_[static_cast<size_t>(index)].flags & kDropItemDisabled);
}

bool CDropList::SetItemTextColors(int index, COLORREF text, COLORREF selectedText)
{
    if (!ValidIndex(index))
        return false;
    items_[static_cast<size_t>(index)].textColor = text;
    items_[static_cast<size_t>(index)].selectedTextColor = selectedText;
    viewport()->update();
    return true;
}

const DropListItem* CDropList::Item(int index) const
{
    return ValidIndex(index) ? &items_[static_cast<size_t>(index)] : nullptr;
}

int CDropList::SetCurSel(int index)
{
    if (index != -1 && !ValidIndex(index))
        return LB_ERR;
    selection_ = index;
    if (index >= 0)
        EnsureVisible(index);
    viewport()->update();
    return index;
}

void CDropList::SetCurrentIndex(int index)
{
    current_ = ValidIndex(index) ? index : -1;
}

void CDropList::RestoreSelection()
{
    SetCurSel(current_);
}

void CDropList::SetBkColor(COLORREF color)
{
    backColor_ = color;
    for (QWidget* w : {static_cast<QWidget*>(this), viewport()}) {
        QPalette pal = w->palette();
        pal.setColor(QPalette::Window, ToQColor(color));
        w->setPalette(pal);
    }
    update();
    viewport()->update();
}

void CDropList::SetHighlightColor(COLORREF color)
{
    highlightColor_ = color;
    viewport()->update();
}

void CDropList::SetListFont(const QFont& font)
{
    if (hasFont_)
        return;
    font_ = font;
    hasFont_ = true;
    setFont(font);
    // A row as high as the font's pixel size would cut the glyphs that reach above or below it.
    SetItemHeight(std::max(font.pixelSize(), QFontMetrics(font).height()));
}

void CDropList::SetItemHeight(int height)
{
    if (height < 1)
        return;
    itemHeight_ = std::min(height, 1000);
    UpdateScrollRange();
    viewport()->update();
}

int CDropList::TopIndex() const
{
    return verticalScrollBar()->value();
}

int CDropList::IndexAt(QPoint viewportPos) const
{
    if (viewportPos.y() < 0 || viewportPos.x() < 0 || viewportPos.x() >= viewport()->width())
        return -1;
    const int index = TopIndex() + viewportPos.y() / itemHeight_;
    return ValidIndex(index) ? index : -1;
}

QRect CDropList::ItemRect(int index) const
{
    if (!ValidIndex(index))
        return {};
    return QRect(0, (index - TopIndex()) * itemHeight_, viewport()->width(), itemHeight_);
}

void CDropList::EnsureVisible(int index)
{
    if (!ValidIndex(index))
        return;
    const int rows = std::max(1, viewport()->height() / itemHeight_);
    QScrollBar* bar = verticalScrollBar();
    if (index < bar->value())
        bar->setValue(index);
    else if (index >= bar->value() + rows)
        bar->setValue(index - rows + 1);
}

void CDropList::UpdateScrollRange()
{
    const int rows = std::max(1, viewport()->height() / itemHeight_);
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, std::max(0, GetCount() - rows));
    bar->setPageStep(rows);
}

void CDropList::resizeEvent(QResizeEvent* e)
{
    QAbstractScrollArea::resizeEvent(e);
    UpdateScrollRange();
}

void CDropList::scrollContentsBy(int, int)
{
    viewport()->update();
}

void CDropList::paintEvent(QPaintEvent*)
{
    QPainter p(viewport());
    const QColor back = ToQColor(backColor_);
    p.fillRect(viewport()->rect(), back);
    p.setFont(font());
    const QFontMetrics fm(font());
    const int first = TopIndex();
    const int last = std::min(GetCount() - 1, first + viewport()->height() / itemHeight_ + 1);
    for (int i = first; i <= last; ++i) {
        const DropListItem& item = items_[static_cast<size_t>(i)];
        const QRect r = ItemRect(i);
        QColor fill = back;
        COLORREF text = item.textColor;
        if (item.flags & kDropItemDisabled) {
            text = kColorDisabledText;
        } else if (i == selection_) {
            fill = ToQColor(highlightColor_);
            text = item.selectedTextColor;
        }
        p.fillRect(r, fill);
        const QRect textRect(r.left() + 4, r.top(), std::max(0, r.width() - 9), r.height());
        p.setPen(ToQColor(text));
        p.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                   fm.elidedText(item.text, Qt::ElideRight, textRect.width()));
    }
}

void CDropList::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton) {
        e->ignore();
        return;
    }
    e->accept();
    const int index = IndexAt(e->position().toPoint());
    // A disabled row (or the empty space below the rows) is no choice: the list stays open.
    if (index < 0 || !IsItemEnabled(index))
        return;
    SetCurSel(index);
    emit itemChosen(index);
}

void CDropList::MoveSelection(int to)
{
    if (GetCount() == 0)
        return;
    SetCurSel(std::clamp(to, 0, GetCount() - 1));
}

void CDropList::keyPressEvent(QKeyEvent* e)
{
    const int rows = std::max(1, viewport()->height() / itemHeight_);
    const int sel = selection_;
    switch (e->key()) {
    case Qt::Key_Up: MoveSelection(sel < 0 ? 0 : sel - 1); break;
    case Qt::Key_Down: MoveSelection(sel + 1); break;
    case Qt::Key_PageUp: MoveSelection(sel - rows); break;
    case Qt::Key_PageDown: MoveSelection(sel + rows); break;
    case Qt::Key_Home: MoveSelection(0); break;
    case Qt::Key_End: MoveSelection(GetCount() - 1); break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (IsItemEnabled(sel))
            emit itemChosen(sel);
        break;
    case Qt::Key_Escape: emit cancelled(); break;
    default: QAbstractScrollArea::keyPressEvent(e); return;
    }
    e->accept();
}
