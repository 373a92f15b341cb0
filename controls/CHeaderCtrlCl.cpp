#include "controls/CHeaderCtrlCl.h"

#include "controls/ListCellStyle.h"
#include "platform/Fonts.h"
#include "platform/MessageEvent.h"
#include "platform/MessageIds.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

CHeaderCtrlCl::CHeaderCtrlCl(QWidget* parent) : QHeaderView(Qt::Horizontal, parent)
{
    // Clicks are reported by message, not turned into column selection or sorting.
    setSectionsClickable(false);
    setHighlightSections(false);
    setFont(MakeFont(QStringLiteral("Arial"), fontHeight_, 700));
}

void CHeaderCtrlCl::SetClickedColumn(int column)
{
    clicked_ = column;
    viewport()->update();
}

void CHeaderCtrlCl::SetTitle(int column, const QString& title)
{
    if (column < 0 || column > 10000)
        return;
    while (titles_.size() <= column)
        titles_.append(QString());
    titles_[column] = title;
    viewport()->update();
}

void CHeaderCtrlCl::InsertTitle(int column, const QString& title)
{
    titles_.insert(std::clamp<qsizetype>(column, 0, titles_.size()), title);
    viewport()->update();
}

void CHeaderCtrlCl::RemoveTitle(int column)
{
    if (column >= 0 && column < titles_.size())
        titles_.removeAt(column);
}

QString CHeaderCtrlCl::Title(int column) const
{
    if (column >= 0 && column < titles_.size())
        return titles_[column];
    if (model())
        return model()->headerData(column, orientation()).toString();
    return {};
}

void CHeaderCtrlCl::SetAlignment(const QString& alignment)
{
    alignment_ = alignment;
    viewport()->update();
}

void CHeaderCtrlCl::SetBkColor(int r, int g, int b)
{
    base_ = MakeColorRef(r, g, b);
    viewport()->update();
}

void CHeaderCtrlCl::SetHeightFactor(float factor)
{
    heightFactor_ = std::clamp(factor, 0.1f, 10.0f);
    updateGeometry();
    emit geometriesChanged();
}

void CHeaderCtrlCl::SetFontHW(int height, int width)
{
    fontHeight_ = height;
    fontWidth_ = width;  // faces scale as a whole here; the width is kept for the callers
    setFont(MakeFont(QStringLiteral("Arial"), fontHeight_, 700));
    updateGeometry();
    emit geometriesChanged();
}

void CHeaderCtrlCl::SetTextColor(COLORREF c)
{
    textColor_ = c;
    viewport()->update();
}

QSize CHeaderCtrlCl::sizeHint() const
{
    QSize s = QHeaderView::sizeHint();
    s.setHeight(std::max(1, static_cast<int>(s.height() * heightFactor_)));
    return s;
}

void CHeaderCtrlCl::paintEvent(QPaintEvent*)
{
    QPainter p(viewport());
    // The area right of the last section shows the base colour too.
    p.fillRect(viewport()->rect(), ToQColor(base_));
    p.setFont(font());
    const int h = viewport()->height();
    for (int col = 0; col < count(); ++col) {
        if (isSectionHidden(col))
            continue;
        const QRect r(sectionViewportPosition(col), 0, sectionSize(col), h);
        const bool clicked = col == clicked_;
        p.fillRect(r.adjusted(1, 0, 0, 0), ToQColor(clicked ? kHeaderClickedBack : base_));
        p.setPen(ToQColor(clicked ? kHeaderClickedText : textColor_));
        int flags = Qt::AlignVCenter | Qt::TextSingleLine;
        QRect textRect = r;
        switch (AlignmentForColumn(alignment_, col)) {
        case ListAlign::Centre: flags |= Qt::AlignHCenter; break;
        case ListAlign::Right:
            flags |= Qt::AlignRight;
            textRect.setRight(r.right() - 3);
            break;
        case ListAlign::Left:
            flags |= Qt::AlignLeft;
            textRect.setLeft(r.left() + 3);
            break;
        }
        p.drawText(textRect, flags, Title(col));
    }
}

void CHeaderCtrlCl::mousePressEvent(QMouseEvent* e)
{
    if (clickable_ && e->button() == Qt::LeftButton) {
        const int col = logicalIndexAt(e->position().toPoint());
        if (col >= 0) {
            clicked_ = col;
            PostMsg(parentWidget(), WM_HEADER_CLICK, static_cast<WPARAM>(col), 0);
            viewport()->update();
        }
    }
    QHeaderView::mousePressEvent(e);
}
