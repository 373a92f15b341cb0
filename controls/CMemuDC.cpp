#include "controls/CMemuDC.h"

#include <QImage>
#include <QPaintDevice>

CMemuDC::CMemuDC(QPainter* target, QRect rect, bool copyBackground) : target_(target)
{
    if (!target_ || !target_->isActive())
        return;
    QPaintDevice* dev = target_->device();
    if (!dev || dev->devType() == QInternal::Printer)
        return;  // printers get the drawing straight away
    if (rect.isEmpty()) {
        rect = target_->hasClipping() ? target_->clipBoundingRect().toAlignedRect() : QRect(0, 0, dev->width(), dev->height());
    }
    if (rect.isEmpty())
        return;
    rect_ = rect;
    pixmap_ = QPixmap(rect.size());
    pixmap_.fill(Qt::transparent);
    if (copyBackground) {
        if (dev->devType() == QInternal::Image) {
            pixmap_ = QPixmap::fromImage(static_cast<QImage*>(dev)->copy(rect));
        } else if (dev->devType() == QInternal::Pixmap) {
            pixmap_ = static_cast<QPixmap*>(dev)->copy(rect);
        }
        // Widgets: the transparent start lets what is under show through when drawn back.
    }
    memory_.begin(&pixmap_);
    memory_.setWindow(rect);
    memory_.setViewport(0, 0, rect.width(), rect.height());
    memory_.setFont(target_->font());
    memory_.setPen(target_->pen());
    memory_.setBrush(target_->brush());
    buffered_ = true;
}

CMemuDC::~CMemuDC()
{
    if (!buffered_)
        return;
    memory_.end();
    target_->drawPixmap(rect_.topLeft(), pixmap_);
}
