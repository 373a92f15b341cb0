#include "ArtPainter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace {

const QColor kAccent(239, 156, 0);
const QColor kAccentDark(150, 95, 0);
const QColor kLight(235, 235, 235);
const QColor kMid(120, 120, 120);
const QColor kFaceTop(78, 78, 78);
const QColor kFaceBottom(38, 38, 38);
const QColor kEdge(20, 20, 20);

QImage Blank(const ImageSpec& s)
{
    QImage img(s.width, s.height, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

void Skin(QPainter& p, QRectF r, const QColor& top, const QColor& bottom, const QColor& border, qreal radius)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.setPen(QPen(border, 1.5));
    p.setBrush(g);
    p.drawRoundedRect(r.adjusted(1, 1, -1, -1), radius, radius);
    // A thin highlight under the top edge gives the skin some depth.
    p.setPen(QPen(QColor(255, 255, 255, 40), 1));
    p.drawLine(QPointF(r.left() + radius, r.top() + 2.5), QPointF(r.right() - radius, r.top() + 2.5));
}

void PaintSkin(QPainter& p, const ImageSpec& s)
{
    const QRectF r(0, 0, s.width, s.height);
    const qreal radius = std::min(s.height, 40) / 4.0;
    switch (s.style) {
    case ArtStyle::SkinSelected:
    case ArtStyle::TabSelected:
        Skin(p, r, QColor(70, 60, 40), QColor(30, 26, 18), kAccent, radius);
        break;
    case ArtStyle::SkinPressed:
        Skin(p, r, QColor(25, 25, 25), QColor(55, 55, 55), kAccentDark, radius);
        break;
    case ArtStyle::TakeSkin:
        Skin(p, r, QColor(120, 30, 30), QColor(60, 10, 10), kAccent, radius);
        break;
    // Mid-grey, about 0.2 relative luminance under the caption: 0x141414 and 0x101010 captions
    // stand out at over 4:1, 0xEBEBEB ones at over 3:1.
    case ArtStyle::SkinLight:
        Skin(p, r, QColor(152, 152, 152), QColor(106, 106, 106), kEdge, radius);
        break;
    case ArtStyle::SkinLightSelected:
        Skin(p, r, QColor(156, 146, 126), QColor(110, 100, 82), kAccent, radius);
        break;
    // Near white: black captions at over 12:1, red (0x0000FF) ones at 3:1.
    case ArtStyle::SkinPale:
        Skin(p, r, QColor(250, 250, 250), QColor(218, 218, 218), kMid, radius);
        break;
    case ArtStyle::SkinPaleSelected:
        Skin(p, r, QColor(252, 240, 214), QColor(226, 208, 170), kAccent, radius);
        break;
    default:
        Skin(p, r, kFaceTop, kFaceBottom, kEdge, radius);
        break;
    }
    if (s.style == ArtStyle::TabNormal || s.style == ArtStyle::TabSelected) {
        // Tabs carry an underline that shows which one is open.
        p.setPen(Qt::NoPen);
        p.setBrush(s.style == ArtStyle::TabSelected ? kAccent : kMid);
        p.drawRect(QRectF(radius, s.height - 4, s.width - 2 * radius, 2));
    }
}

void PaintToggle(QPainter& p, const ImageSpec& s, bool on)
{
    // A picture taller than the switch leaves the room under the track to a caption.
    const QRectF track(2, 3, s.width - 4, std::min(s.height, 26) - 6);
    const qreal rad = track.height() / 2;
    p.setPen(QPen(kEdge, 1.5));
    p.setBrush(on ? kAccent : QColor(60, 60, 60));
    p.drawRoundedRect(track, rad, rad);
    const qreal d = track.height() - 4;
    const qreal x = on ? track.right() - 2 - d : track.left() + 2;
    QRadialGradient g(QPointF(x + d / 3, track.top() + 2 + d / 3), d);
    g.setColorAt(0, QColor(250, 250, 250));
    g.setColorAt(1, QColor(170, 170, 170));
    p.setBrush(g);
    p.drawEllipse(QRectF(x, track.top() + 2, d, d));
    // A small bar (on) or ring (off) pictogram on the free side.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(on ? QColor(40, 25, 0) : kMid, 2));
    const qreal cx = on ? track.left() + track.width() * 0.3 : track.right() - track.width() * 0.3;
    const qreal cy = track.center().y();
    if (on)
        p.drawLine(QPointF(cx, cy - d / 4), QPointF(cx, cy + d / 4));
    else
        p.drawEllipse(QPointF(cx, cy), d / 4, d / 4);
}

void PaintCheck(QPainter& p, const ImageSpec& s, bool on)
{
    const QRectF r(1.5, 1.5, s.width - 3, s.height - 3);
    p.setPen(QPen(on ? kAccent : kMid, 1.5));
    p.setBrush(QColor(16, 16, 16));
    p.drawRoundedRect(r, 3, 3);
    if (on) {
        QPainterPath tick;
        tick.moveTo(s.width * 0.25, s.height * 0.52);
        tick.lineTo(s.width * 0.43, s.height * 0.72);
        tick.lineTo(s.width * 0.76, s.height * 0.3);
        p.setPen(QPen(kAccent, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(tick);
    }
}

void PaintCaptionButton(QPainter& p, const ImageSpec& s)
{
    const QRectF r(2, 2, s.width - 4, s.height - 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 25));
    p.drawRoundedRect(r, 4, 4);
    p.setPen(QPen(kLight, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    const QRectF g = r.adjusted(5, 5, -5, -5);
    switch (s.style) {
    case ArtStyle::CaptionClose:
        p.drawLine(g.topLeft(), g.bottomRight());
        p.drawLine(g.topRight(), g.bottomLeft());
        break;
    case ArtStyle::CaptionMaximise:
        p.drawRect(g);
        p.drawLine(g.topLeft() + QPointF(0, 2), g.topRight() + QPointF(0, 2));
        break;
    default:  // restore: two overlapping windows
        p.drawRect(g.adjusted(0, 3, -3, 0));
        p.drawPolyline(QPolygonF({g.topLeft() + QPointF(3, 3), g.topLeft() + QPointF(3, 0), g.topRight(),
                                  g.bottomRight() - QPointF(0, 3), g.bottomRight() - QPointF(3, 3)}));
        break;
    }
}

void PaintGlyphButton(QPainter& p, const ImageSpec& s)
{
    const QRectF r(0, 0, s.width, s.height);
    Skin(p, r, kFaceTop, kFaceBottom, kEdge, std::min(s.width, s.height) / 4.0);
    p.setPen(QPen(kLight, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    const QPointF c = r.center();
    const qreal a = std::min(s.width, s.height) * 0.25;
    switch (s.style) {
    case ArtStyle::Plus:
        p.drawLine(c - QPointF(a, 0), c + QPointF(a, 0));
        p.drawLine(c - QPointF(0, a), c + QPointF(0, a));
        break;
    case ArtStyle::Minus:
        p.drawLine(c - QPointF(a, 0), c + QPointF(a, 0));
        break;
    case ArtStyle::ChevronDown:
    case ArtStyle::ChevronUp: {
        const qreal dir = s.style == ArtStyle::ChevronDown ? 1 : -1;
        const qreal h = s.height * 0.18;
        p.setPen(QPen(s.style == ArtStyle::ChevronUp ? kAccent : kLight, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({c + QPointF(-2 * h, -dir * h), c + QPointF(0, dir * h), c + QPointF(2 * h, -dir * h)}));
        break;
    }
    default: {  // refresh: an open circle with an arrow head
        const QRectF circle(c.x() - a, c.y() - a, 2 * a, 2 * a);
        p.drawArc(circle, 60 * 16, 280 * 16);
        const QPointF tip(c.x() + a * std::cos(60 * M_PI / 180), c.y() - a * std::sin(60 * M_PI / 180));
        p.setBrush(kLight);
        p.drawPolygon(QPolygonF({tip + QPointF(-4, -3), tip + QPointF(3, -4), tip + QPointF(1, 3)}));
        break;
    }
    }
}

void PaintPencil(QPainter& p, const ImageSpec& s)
{
    p.translate(s.width / 2.0, s.height / 2.0);
    p.rotate(-45);
    const qreal len = s.width * 0.8;
    const qreal w = s.height * 0.26;
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawRect(QRectF(-len / 2 + w, -w / 2, len - w, w));
    p.setBrush(kLight);
    p.drawPolygon(QPolygonF({QPointF(-len / 2, 0), QPointF(-len / 2 + w, -w / 2), QPointF(-len / 2 + w, w / 2)}));
}

// Connector pictograms: a plug outline in the shape of each connector type, at most 16 pixels
// high and standing on the cell's bottom, so the input button above may reach into the cell.
void PaintInput(QPainter& p, const ImageSpec& s)
{
    const QColor line = s.highlighted ? kAccent : QColor(200, 200, 200);
    const QColor fill = s.highlighted ? QColor(70, 50, 10) : QColor(45, 45, 45);
    p.setPen(QPen(line, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    const QPointF c(s.width / 2.0, s.height - 8.5);
    switch (s.style) {
    case ArtStyle::InputDvi: {
        const QRectF body(c.x() - 24, c.y() - 8, 48, 16);
        p.drawRoundedRect(body, 3, 3);
        p.setBrush(line);
        p.setPen(Qt::NoPen);
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 8; ++col)
                p.drawEllipse(QPointF(body.left() + 6 + col * 4, body.top() + 4 + row * 4), 1.0, 1.0);
        p.drawRect(QRectF(body.right() - 8, c.y() - 1, 5, 2));
        break;
    }
    case ArtStyle::InputHdmi: {
        QPolygonF shape({QPointF(c.x() - 22, c.y() - 7), QPointF(c.x() + 22, c.y() - 7), QPointF(c.x() + 22, c.y() + 1),
                         QPointF(c.x() + 16, c.y() + 7), QPointF(c.x() - 16, c.y() + 7), QPointF(c.x() - 22, c.y() + 1)});
        p.drawPolygon(shape);
        p.drawLine(QPointF(c.x() - 15, c.y() - 2), QPointF(c.x() + 15, c.y() - 2));
        break;
    }
    case ArtStyle::InputDp: {
        QPolygonF shape({QPointF(c.x() - 22, c.y() - 7), QPointF(c.x() + 22, c.y() - 7), QPointF(c.x() + 22, c.y() + 7),
                         QPointF(c.x() - 16, c.y() + 7), QPointF(c.x() - 22, c.y() + 1)});
        p.drawPolygon(shape);
        p.drawLine(QPointF(c.x() - 14, c.y() - 1), QPointF(c.x() + 15, c.y() - 1));
        break;
    }
    case ArtStyle::InputSdi: {
        p.drawEllipse(c, 8, 8);
        p.drawEllipse(c, 3.5, 3.5);
        p.drawLine(QPointF(c.x() - 26, c.y()), QPointF(c.x() - 9, c.y()));
        p.drawLine(QPointF(c.x() + 9, c.y()), QPointF(c.x() + 26, c.y()));
        break;
    }
    case ArtStyle::InputVga: {
        QPolygonF shape({QPointF(c.x() - 22, c.y() - 8), QPointF(c.x() + 22, c.y() - 8), QPointF(c.x() + 17, c.y() + 8),
                         QPointF(c.x() - 17, c.y() + 8)});
        p.drawPolygon(shape);
        p.setBrush(line);
        p.setPen(Qt::NoPen);
        for (int row = 0; row < 3; ++row) {
            const int n = 5 - (row == 2 ? 1 : 0);
            const qreal w0 = c.x() - (n - 1) * 3.5;
            for (int col = 0; col < n; ++col)
                p.drawEllipse(QPointF(w0 + col * 7, c.y() - 4.5 + row * 4.5), 1.1, 1.1);
        }
        break;
    }
    default: {  // USB disk: a stick with a plug
        p.drawRoundedRect(QRectF(c.x() - 16, c.y() - 7, 26, 14), 3, 3);
        p.drawRect(QRectF(c.x() + 10, c.y() - 5, 9, 10));
        p.setBrush(line);
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(c.x() + 13, c.y() - 3, 2, 2));
        p.drawRect(QRectF(c.x() + 13, c.y() + 1, 2, 2));
        break;
    }
    }
}

void PaintMark(QPainter& p, const ImageSpec& s, bool signal)
{
    const QRectF r(1, 1, s.width - 2, s.height - 2);
    QRadialGradient g(r.center() - QPointF(2, 2), r.width() * 0.7);
    if (signal) {
        g.setColorAt(0, QColor(150, 255, 150));
        g.setColorAt(1, QColor(20, 150, 40));
    } else {
        g.setColorAt(0, QColor(130, 130, 130));
        g.setColorAt(1, QColor(50, 50, 50));
    }
    p.setPen(QPen(signal ? QColor(10, 60, 10) : QColor(170, 40, 40), 1.2));
    p.setBrush(g);
    p.drawEllipse(r);
}

void PaintTrack(QPainter& p, const ImageSpec& s, bool vertical, const QColor& a, const QColor& b)
{
    const QRectF r = vertical ? QRectF(s.width / 2.0 - 3, 1, 6, s.height - 2) : QRectF(1, s.height / 2.0 - 3, s.width - 2, 6);
    QLinearGradient g(vertical ? QPointF(r.left(), 0) : QPointF(0, r.top()),
                      vertical ? QPointF(r.right(), 0) : QPointF(0, r.bottom()));
    g.setColorAt(0, a);
    g.setColorAt(1, b);
    p.setPen(QPen(kEdge, 1));
    p.setBrush(g);
    p.drawRoundedRect(r, 3, 3);
}

void PaintThumb(QPainter& p, const ImageSpec& s)
{
    const QRectF r(1, 1, s.width - 2, s.height - 2);
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, QColor(245, 245, 245));
    g.setColorAt(1, QColor(150, 150, 150));
    p.setPen(QPen(kEdge, 1));
    p.setBrush(g);
    p.drawRoundedRect(r, 3, 3);
    p.setPen(QPen(kAccent, 2));
    if (s.style == ArtStyle::SliderThumbH)
        p.drawLine(QPointF(s.width / 2.0, 5), QPointF(s.width / 2.0, s.height - 5));
    else
        p.drawLine(QPointF(5, s.height / 2.0), QPointF(s.width - 5, s.height / 2.0));
}

// Smooth dark texture: vertical gradient with a faint diagonal weave (compresses well).
QImage PaintTexture(int w, int h, QColor top, QColor bottom, int weave)
{
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(img.rect(), g);
    if (weave > 0) {
        p.setPen(QPen(QColor(255, 255, 255, 6), 1));
        for (int x = -h; x < w; x += weave)
            p.drawLine(x, 0, x + h, h);
    }
    p.end();
    return img.convertToFormat(QImage::Format_RGB888);
}

void PaintRotationPreview(QPainter& p, const ImageSpec& s)
{
    // A landscape picture that shows which way is up: sky, ground, sun top-left, arrow.
    const QRectF r(1, 1, s.width - 2, s.height - 2);
    QLinearGradient sky(r.topLeft(), r.bottomLeft());
    sky.setColorAt(0, QColor(40, 80, 140));
    sky.setColorAt(1, QColor(120, 160, 200));
    p.setPen(QPen(kLight, 1.5));
    p.setBrush(sky);
    p.drawRect(r);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 110, 50));
    p.drawPolygon(QPolygonF({QPointF(r.left(), r.bottom()), QPointF(r.left(), r.bottom() - 18),
                             QPointF(r.left() + 40, r.bottom() - 30), QPointF(r.left() + 80, r.bottom() - 16),
                             QPointF(r.right(), r.bottom() - 24), QPointF(r.right(), r.bottom())}));
    p.setBrush(kAccent);
    p.drawEllipse(QPointF(r.left() + 18, r.top() + 16), 9, 9);
    p.setPen(QPen(kLight, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const qreal ax = r.right() - 20;
    p.drawLine(QPointF(ax, r.top() + 34), QPointF(ax, r.top() + 8));
    p.drawPolyline(QPolygonF({QPointF(ax - 7, r.top() + 15), QPointF(ax, r.top() + 8), QPointF(ax + 7, r.top() + 15)}));
}

void PaintScreen(QPainter& p, QRectF r, const QColor& frame, const QColor& face)
{
    p.setPen(QPen(frame, 2));
    p.setBrush(face);
    p.drawRoundedRect(r, 2, 2);
}

void PaintSwitcher(QPainter& p, const ImageSpec& s)
{
    const qreal w = s.width, h = s.height;
    PaintScreen(p, QRectF(4, h * 0.18, w * 0.4, h * 0.3), kMid, QColor(40, 40, 40));
    PaintScreen(p, QRectF(w * 0.54, h * 0.18, w * 0.4, h * 0.3), kAccent, QColor(60, 40, 10));
    p.setPen(QPen(kLight, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    const qreal y = h * 0.72;
    p.drawLine(QPointF(w * 0.2, y), QPointF(w * 0.8, y));
    p.drawPolyline(QPolygonF({QPointF(w * 0.7, y - 7), QPointF(w * 0.8, y), QPointF(w * 0.7, y + 7)}));
}

void PaintIndicator(QPainter& p, const ImageSpec& s)
{
    const qreal w = s.width, h = s.height;
    p.setPen(QPen(kLight, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    switch (s.style) {
    case ArtStyle::IndicatorSerial:  // a 9-pin port
        p.drawPolygon(QPolygonF({QPointF(4, 9), QPointF(w - 4, 9), QPointF(w - 8, h - 9), QPointF(8, h - 9)}));
        p.setBrush(kAccent);
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 5; ++i)
            p.drawEllipse(QPointF(8.5 + i * 3.75, 13.5), 1.2, 1.2);
        for (int i = 0; i < 4; ++i)
            p.drawEllipse(QPointF(10.5 + i * 3.75, 18.5), 1.2, 1.2);
        break;
    case ArtStyle::IndicatorNetwork:  // three linked nodes
        p.drawLine(QPointF(w / 2, 8), QPointF(8, h - 8));
        p.drawLine(QPointF(w / 2, 8), QPointF(w - 8, h - 8));
        p.drawLine(QPointF(8, h - 8), QPointF(w - 8, h - 8));
        p.setBrush(kAccent);
        p.drawEllipse(QPointF(w / 2, 8), 4, 4);
        p.drawEllipse(QPointF(8, h - 8), 4, 4);
        p.drawEllipse(QPointF(w - 8, h - 8), 4, 4);
        break;
    default:  // switcher mode: two arrows in opposite directions
        p.drawLine(QPointF(6, 11), QPointF(w - 6, 11));
        p.drawPolyline(QPolygonF({QPointF(w - 11, 6), QPointF(w - 6, 11), QPointF(w - 11, 16)}));
        p.setPen(QPen(kAccent, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(w - 6, h - 11), QPointF(6, h - 11));
        p.drawPolyline(QPolygonF({QPointF(11, h - 16), QPointF(6, h - 11), QPointF(11, h - 6)}));
        break;
    }
}

void PaintDevice(QPainter& p, const ImageSpec& s)
{
    const QRectF body(2, s.height * 0.25, s.width - 4, s.height * 0.5);
    QLinearGradient g(body.topLeft(), body.bottomLeft());
    g.setColorAt(0, QColor(90, 90, 90));
    g.setColorAt(1, QColor(35, 35, 35));
    p.setPen(QPen(kEdge, 1.5));
    p.setBrush(g);
    p.drawRoundedRect(body, 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawEllipse(QPointF(body.left() + 7, body.center().y()), 2.5, 2.5);
    p.setBrush(QColor(20, 20, 20));
    for (int i = 0; i < 4; ++i)
        p.drawRect(QRectF(body.left() + 18 + i * 10, body.center().y() - 3, 7, 6));
}

void PaintTileFrame(QPainter& p, const ImageSpec& s)
{
    p.setPen(QPen(kAccent, 3));
    p.setBrush(QColor(239, 156, 0, 40));
    p.drawRoundedRect(QRectF(1.5, 1.5, s.width - 3, s.height - 3), 5, 5);
}

void PaintFourView(QPainter& p, const ImageSpec& s)
{
    Skin(p, QRectF(0, 0, s.width, s.height), kFaceTop, kFaceBottom, kEdge, 6);
    const qreal m = 9, gap = 3;
    const qreal cw = (s.width - 2 * m - gap) / 2, ch = (s.height - 2 * m - gap) / 2;
    for (int i = 0; i < 4; ++i)
        PaintScreen(p, QRectF(m + (i % 2) * (cw + gap), m + (i / 2) * (ch + gap), cw, ch), i == 0 ? kAccent : kLight,
                    QColor(30, 30, 30));
}

// Splicing arrangement: the panels of one arrangement in a 64 x 64 cell.
void PaintSplice(QPainter& p, const ImageSpec& s)
{
    std::vector<QRectF> panels;
    const qreal m = 6, W = s.width - 2 * m, H = s.height - 2 * m, g = 3;
    auto grid = [&](int cols, int rows) {
        const qreal cw = (W - (cols - 1) * g) / cols, ch = (H - (rows - 1) * g) / rows;
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c)
                panels.emplace_back(m + c * (cw + g), m + r * (ch + g), cw, ch);
    };
    switch (s.style) {
    case ArtStyle::Splice2H: grid(2, 1); break;
    case ArtStyle::Splice2V: grid(1, 2); break;
    case ArtStyle::Splice3H: grid(3, 1); break;
    case ArtStyle::Splice3V: grid(1, 3); break;
    case ArtStyle::Splice3L: {
        const qreal half = (W - g) / 2;
        panels.emplace_back(m, m, half, H);
        panels.emplace_back(m + half + g, m, half, (H - g) / 2);
        panels.emplace_back(m + half + g, m + (H + g) / 2, half, (H - g) / 2);
        break;
    }
    case ArtStyle::Splice4Grid: grid(2, 2); break;
    case ArtStyle::Splice4H: grid(4, 1); break;
    default: grid(1, 4); break;
    }
    p.setPen(QPen(kEdge, 1));
    p.setBrush(QColor(28, 28, 28));
    p.drawRoundedRect(QRectF(0.5, 0.5, s.width - 1, s.height - 1), 4, 4);
    for (std::size_t i = 0; i < panels.size(); ++i) {
        QLinearGradient gr(panels[i].topLeft(), panels[i].bottomRight());
        gr.setColorAt(0, QColor(70, 110, 160));
        gr.setColorAt(1, QColor(30, 50, 80));
        p.setPen(QPen(kLight, 1.2));
        p.setBrush(gr);
        p.drawRect(panels[i]);
    }
}

void PaintAppIcon(QPainter& p, const ImageSpec& s)
{
    const qreal w = s.width, h = s.height;
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, QColor(60, 60, 60));
    g.setColorAt(1, QColor(15, 15, 15));
    p.setPen(QPen(kAccent, w / 24));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(w * 0.04, h * 0.04, w * 0.92, h * 0.92), w * 0.18, h * 0.18);
    // An LED wall: a grid of panels, some lit.
    const int n = 4;
    const qreal m = w * 0.18, cell = (w - 2 * m) / n;
    p.setPen(Qt::NoPen);
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) {
            const bool lit = (r + c) % 3 != 0;
            p.setBrush(lit ? kAccent : QColor(90, 90, 90));
            p.drawRoundedRect(QRectF(m + c * cell + 1.5, m + r * cell + 1.5, cell - 3, cell - 3), 2, 2);
        }
}

} // namespace

QImage PaintArt(const ImageSpec& s)
{
    switch (s.style) {
    case ArtStyle::BodyTexture: return PaintTexture(s.width, s.height, QColor(30, 30, 30), QColor(12, 12, 12), 6);
    case ArtStyle::SliderBack: return PaintTexture(s.width, s.height, QColor(24, 24, 24), QColor(16, 16, 16), 0);
    case ArtStyle::CaptionBackCool: return PaintTexture(s.width, s.height, QColor(20, 40, 80), QColor(5, 12, 30), 0);
    case ArtStyle::CaptionBackWarm: return PaintTexture(s.width, s.height, QColor(80, 40, 10), QColor(30, 12, 4), 0);
    default: break;
    }
    QImage img = Blank(s);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    switch (s.style) {
    case ArtStyle::SkinNormal:
    case ArtStyle::SkinSelected:
    case ArtStyle::SkinPressed:
    case ArtStyle::TabNormal:
    case ArtStyle::TabSelected:
    case ArtStyle::TakeSkin:
    case ArtStyle::SkinLight:
    case ArtStyle::SkinLightSelected:
    case ArtStyle::SkinPale:
    case ArtStyle::SkinPaleSelected: PaintSkin(p, s); break;
    case ArtStyle::ToggleOff: PaintToggle(p, s, false); break;
    case ArtStyle::ToggleOn: PaintToggle(p, s, true); break;
    case ArtStyle::CheckOff: PaintCheck(p, s, false); break;
    case ArtStyle::CheckOn: PaintCheck(p, s, true); break;
    case ArtStyle::CaptionClose:
    case ArtStyle::CaptionMaximise:
    case ArtStyle::CaptionRestore: PaintCaptionButton(p, s); break;
    case ArtStyle::ChevronDown:
    case ArtStyle::ChevronUp:
    case ArtStyle::Plus:
    case ArtStyle::Minus:
    case ArtStyle::Refresh: PaintGlyphButton(p, s); break;
    case ArtStyle::Pencil: PaintPencil(p, s); break;
    case ArtStyle::InputDvi:
    case ArtStyle::InputHdmi:
    case ArtStyle::InputDp:
    case ArtStyle::InputSdi:
    case ArtStyle::InputVga:
    case ArtStyle::InputUsb: PaintInput(p, s); break;
    case ArtStyle::MarkSignal: PaintMark(p, s, true); break;
    case ArtStyle::MarkNoSignal: PaintMark(p, s, false); break;
    case ArtStyle::SliderChannelH: PaintTrack(p, s, false, QColor(20, 20, 20), QColor(60, 60, 60)); break;
    case ArtStyle::SliderActiveH: PaintTrack(p, s, false, kAccent, kAccentDark); break;
    case ArtStyle::SliderChannelV: PaintTrack(p, s, true, QColor(20, 20, 20), QColor(60, 60, 60)); break;
    case ArtStyle::SliderActiveV: PaintTrack(p, s, true, kAccent, kAccentDark); break;
    case ArtStyle::ProgressChannel: PaintTrack(p, s, false, QColor(20, 20, 20), QColor(50, 50, 50)); break;
    case ArtStyle::ProgressActive: PaintTrack(p, s, false, QColor(255, 190, 60), kAccent); break;
    case ArtStyle::SliderThumbH:
    case ArtStyle::SliderThumbV: PaintThumb(p, s); break;
    case ArtStyle::RotationPreview: PaintRotationPreview(p, s); break;
    case ArtStyle::SwitcherPicture: PaintSwitcher(p, s); break;
    case ArtStyle::IndicatorSerial:
    case ArtStyle::IndicatorNetwork:
    case ArtStyle::IndicatorSwitcher: PaintIndicator(p, s); break;
    case ArtStyle::DevicePicture: PaintDevice(p, s); break;
    case ArtStyle::TileFrame: PaintTileFrame(p, s); break;
    case ArtStyle::FourView: PaintFourView(p, s); break;
    case ArtStyle::Splice2H:
    case ArtStyle::Splice2V:
    case ArtStyle::Splice3H:
    case ArtStyle::Splice3V:
    case ArtStyle::Splice3L:
    case ArtStyle::Splice4Grid:
    case ArtStyle::Splice4H:
    case ArtStyle::Splice4V: PaintSplice(p, s); break;
    case ArtStyle::AppIcon: PaintAppIcon(p, s); break;
    default: break;
    }
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

BusyAnimationFrames PaintBusyAnimation(int width, int height)
{
    // Eight dots; a bright orange head runs along them with a fading tail. The palette holds
    // blends of each dot shade with the wait dialog's grey, so antialiased edges map cleanly.
    BusyAnimationFrames out;
    out.width = width;
    out.height = height;
    const QColor back(0x40, 0x40, 0x40);
    constexpr int kShades = 8, kBlends = 8, kDots = 8, kFrames = 12;
    std::vector<QColor> shades;
    for (int i = 0; i < kShades; ++i) {
        const double t = i / double(kShades - 1);
        shades.emplace_back(int(90 + t * (239 - 90)), int(90 + t * (156 - 90)), int(90 * (1 - t)));
    }
    for (int sh = 0; sh < kShades; ++sh)
        for (int b = 0; b < kBlends; ++b) {
            const double a = b / double(kBlends - 1);
            const QColor c = shades[sh];
            out.palette.push_back((std::uint32_t(back.red() + (c.red() - back.red()) * a) << 16) |
                                  (std::uint32_t(back.green() + (c.green() - back.green()) * a) << 8) |
                                  std::uint32_t(back.blue() + (c.blue() - back.blue()) * a));
        }
    const qreal step = width / qreal(kDots);
    const qreal radius = std::min(step, qreal(height)) * 0.32;
    for (int f = 0; f < kFrames; ++f) {
        QImage img(width, height, QImage::Format_RGB32);
        img.fill(back);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        const int head = f % kFrames;
        for (int d = 0; d < kDots; ++d) {
            const int dist = (head - d + kFrames) % kFrames;  // 0 = head
            const int shade = std::max(0, kShades - 1 - dist * 2);
            p.setBrush(shades[shade]);
            const qreal r = radius * (dist == 0 ? 1.15 : 1.0);
            p.drawEllipse(QPointF(step * (d + 0.5), height / 2.0), r, r);
        }
        p.end();
        std::vector<std::uint8_t> idx(static_cast<std::size_t>(width) * height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const QRgb px = img.pixel(x, y);
                int best = 0;
                long bestD = -1;
                for (std::size_t i = 0; i < out.palette.size(); ++i) {
                    const std::uint32_t c = out.palette[i];
                    const long dr = long((c >> 16) & 0xFF) - qRed(px), dg = long((c >> 8) & 0xFF) - qGreen(px),
                               db = long(c & 0xFF) - qBlue(px);
                    const long dd = dr * dr + dg * dg + db * db;
                    if (bestD < 0 || dd < bestD) {
                        bestD = dd;
                        best = int(i);
                    }
                }
                idx[static_cast<std::size_t>(y) * width + x] = static_cast<std::uint8_t>(best);
            }
        out.frames.push_back(std::move(idx));
    }
    return out;
}
