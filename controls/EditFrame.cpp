#include "controls/EditFrame.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>

QRect EditClientRect(const QRect& widgetRect, int frameWidth)
{
    const int w = frameWidth > 0 ? frameWidth : 0;
    return widgetRect.adjusted(w, w, -w, -w);
}

void DrawEditFrame(QPainter& painter, const QRect& widgetRect, int frameWidth, bool enabled, COLORREF enabledColor,
                   COLORREF disabledColor)
{
    if (frameWidth <= 0 || widgetRect.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ToQColor(enabled ? enabledColor : disabledColor));
    const qreal r = kEditFrameCorner / 2.0;
    painter.drawRoundedRect(widgetRect, r, r);
    painter.fillRect(EditClientRect(widgetRect, frameWidth), ToQColor(kEditFillColor));
    painter.restore();
}

void PrepareFramedEdit(QLineEdit* edit, int frameWidth)
{
    if (!edit)
        return;
    edit->setFrame(false);
    edit->setAttribute(Qt::WA_MacShowFocusRect, false);
    QPalette pal = edit->palette();
    pal.setColor(QPalette::Base, Qt::transparent);
    pal.setColor(QPalette::Text, ToQColor(kColorLightText));
    pal.setColor(QPalette::Disabled, QPalette::Text, ToQColor(kColorDisabledText));
    edit->setPalette(pal);
    const int w = frameWidth > 0 ? frameWidth : 0;
    edit->setContentsMargins(w, w, w, w);
}

bool IsEditCommitKey(const QKeyEvent* e)
{
    if (!e)
        return false;
    const int k = e->key();
    return k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_Escape;
}
