#include "controls/CSxGroupBox.h"

#include "platform/Fonts.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

GroupBoxGeometry ComputeGroupBoxGeometry(const QRect& frame, QSize textSize, int alignment, int margin,
                                         int frameWidth, int frameStyle)
{
    GroupBoxGeometry g;
    const int w = std::max(frameWidth, 1);
    const int left = frame.left();
    const int right = frame.left() + frame.width();   // exclusive
    const int bottom = frame.top() + frame.height();  // exclusive
    const int textW = textSize.width();
    g.lineY = frame.top() + textSize.height() / 2 - 1;
    switch (alignment & BS_CENTER) {
    case BS_RIGHT: g.titleX = right - margin - textW; break;
    case BS_CENTER: g.titleX = left + (frame.width() - textW) / 2; break;
    default: g.titleX = left + margin; break;
    }
    g.titleRect = QRect(g.titleX, frame.top(), textW, textSize.height());

    // The pen is centred on the path: keep its whole width inside the frame.
    const int inset = w / 2;
    const int extra = frameStyle == kGroupFrameEtched ? w : 0;  // room for the second line
    auto path = [&](int off) {
        const int l = left + inset + off;
        const int t = g.lineY + off;
        const int r = right - 1 - (w - 1 - inset) - extra + off;
        const int b = bottom - 1 - (w - 1 - inset) - extra + off;
        const int gapStart = std::max(g.titleX, l);
        const int gapEnd = std::min(g.titleX + textW, r);
        QPolygon p;
        p << QPoint(gapStart, t) << QPoint(l, t) << QPoint(l, b) << QPoint(r, b) << QPoint(r, t) << QPoint(gapEnd, t);
        return p;
    };
    g.paths.push_back(path(0));
    if (frameStyle == kGroupFrameEtched)
        g.paths.push_back(path(w));
    return g;
}

CSxGroupBox::CSxGroupBox(QWidget* parent, const QString& caption) : QWidget(parent), caption_(caption)
{
    SetTitleFont(nullptr);
    // The group box only draws; clicks belong to the controls it frames.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CSxGroupBox::SetCaption(const QString& caption)
{
    caption_ = caption;
    update();
}

void CSxGroupBox::SetTitleFont(const QFont* font)
{
    titleFont_ = font ? *font : MakePointFont(QStringLiteral("MS Sans Serif"), 80, 400);
    update();
}

void CSxGroupBox::SetTitleColor(COLORREF c) { titleColor_ = c; update(); }
void CSxGroupBox::SetBackColor(COLORREF c) { backColor_ = c; update(); }
void CSxGroupBox::SetFrameColors(COLORREF c1, COLORREF c2) { frame1_ = c1; frame2_ = c2; update(); }
void CSxGroupBox::SetDisabledColors(COLORREF c1, COLORREF c2) { disabled1_ = c1; disabled2_ = c2; update(); }
void CSxGroupBox::SetFrameWidth(int w) { frameWidth_ = std::clamp(w, 1, 32); update(); }
void CSxGroupBox::SetFrameStyle(int style) { frameStyle_ = style; update(); }
void CSxGroupBox::SetTitleMargin(int margin) { margin_ = margin; update(); }

void CSxGroupBox::SetTitleAlignment(int alignment)
{
    const int a = alignment & BS_CENTER;
    alignment_ = a == 0 ? BS_LEFT : a;
    update();
}

QString CSxGroupBox::TitleText() const { return QStringLiteral(" %1 ").arg(caption_); }

GroupBoxGeometry CSxGroupBox::Geometry() const
{
    const QFontMetrics fm(titleFont_);
    const QString t = TitleText();
    return ComputeGroupBoxGeometry(rect(), QSize(fm.horizontalAdvance(t), fm.height()), alignment_, margin_, frameWidth_,
                                   frameStyle_);
}

void CSxGroupBox::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::EnabledChange)
        update();
    QWidget::changeEvent(e);
}

void CSxGroupBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const GroupBoxGeometry g = Geometry();
    const bool enabled = isEnabled();
    // Disabled frames use the system shadow/highlight pair.
    const COLORREF c1 = enabled ? frame1_ : kColorBtnShadow;
    const COLORREF c2 = enabled ? frame2_ : kColorBtnHighlight;
    for (std::size_t i = 0; i < g.paths.size(); ++i) {
        QPen pen(ToQColor(i == 0 ? c1 : c2), frameWidth_, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
        p.setPen(pen);
        p.drawPolyline(g.paths[i]);
    }
    p.setFont(titleFont_);
    p.setPen(ToQColor(titleColor_));
    p.setBackgroundMode(Qt::TransparentMode);
    p.drawText(g.titleRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, TitleText());
}
