#pragma once
// Off-screen painting for flicker-free drawing: paint through painter() in the target's
// coordinates; the result goes to the target in one piece when the object is destroyed.
// On a printer the target is used directly.

#include <QPainter>
#include <QPixmap>
#include <QRect>

#include <memory>

class CMemuDC {
public:
    // rect: the area to buffer; an empty rect takes the target's clip region bounds, or its whole
    // device. copyBackground: start from the target's pixels (when they can be read).
    CMemuDC(QPainter* target, QRect rect = QRect(), bool copyBackground = false);
    ~CMemuDC();
    CMemuDC(const CMemuDC&) = delete;
    CMemuDC& operator=(const CMemuDC&) = delete;

    QPainter* painter() { return buffered_ ? &memory_ : target_; }
    QRect rect() const { return rect_; }
    bool IsMemDC() const { return buffered_; }

private:
    QPainter* target_;
    QRect rect_;
    QPixmap pixmap_;
    QPainter memory_;
    bool buffered_ = false;
};
