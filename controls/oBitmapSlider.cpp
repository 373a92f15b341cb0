#include "controls/oBitmapSlider.h"

#include "controls/CGdipButton.h"
#include "controls/ImageResources.h"
#include "controls/oSliderEdit.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {
// Fallback sizes for a slider without pictures (no page uses one; it still works and draws).
constexpr int kPlainThumb = 10;

bool IsPngType(const QString& type) { return type.compare(QLatin1String("PNG"), Qt::CaseInsensitive) == 0; }

int ClampToInt(long long v, int lo, int hi) { return static_cast<int>(std::clamp<long long>(v, lo, hi)); }
} // namespace

oBitmapSlider::oBitmapSlider(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

oBitmapSlider::~oBitmapSlider()
{
    if (buddy_ && buddy_->Slider() == this)
        buddy_->DetachSlider();
}

bool oBitmapSlider::LoadChannelImage(unsigned id, unsigned activeId, const QString& type)
{
    if (!IsPngType(type))
        return false;
    QImage ch, act;
    if (!LoadPngResource(ch, id))
        return false;
    if (activeId != 0 && !LoadPngResource(act, activeId))
        return false;
    channel_ = ch;
    disabledChannel_ = DisabledImage(ch);
    activeChannel_ = act;
    hasActiveChannel_ = activeId != 0;
    imageMode_ = true;
    channelW_ = ch.width();
    channelH_ = ch.height();
    FitToImages();
    return true;
}

bool oBitmapSlider::LoadThumbImage(unsigned id, unsigned activeId, const QString& type)
{
    if (!IsPngType(type))
        return false;
    QImage th, act;
    if (!LoadPngResource(th, id))
        return false;
    if (activeId != 0 && !LoadPngResource(act, activeId))
        return false;
    thumb_ = th;
    disabledThumb_ = DisabledImage(th);
    activeThumb_ = act;
    hasActiveThumb_ = activeId != 0;
    thumbW_ = th.width();
    thumbH_ = th.height();
    FitToImages();
    return true;
}

void oBitmapSlider::FitToImages()
{
    // Resize only: the page placed the control, and its place stays.
    resize(std::max(channelW_, thumbW_), std::max(channelH_, thumbH_));
    update();
}

void oBitmapSlider::SetPos(int pos)
{
    pos_ = std::clamp(pos, std::min(min_, max_), std::max(min_, max_));
    update();
}

void oBitmapSlider::SetRange(int min, int max)
{
    min_ = std::min(min, max);
    max_ = std::max(min, max);
    update();
}

void oBitmapSlider::SetBuddy(oSliderEdit* edit) { buddy_ = edit; }

void oBitmapSlider::Enable(bool enabled)
{
    enabled_ = enabled;
    setEnabled(enabled);
    if (!enabled && dragging_) {
        dragging_ = false;
        releaseMouse();
    }
    update();
}

void oBitmapSlider::SetVertical(bool vertical)
{
    vertical_ = vertical;
    update();
}

void oBitmapSlider::SetMargins(int left, int top, int right, int bottom)
{
    marginL_ = std::max(left, 0);
    marginT_ = std::max(top, 0);
    marginR_ = std::max(right, 0);
    marginB_ = std::max(bottom, 0);
    update();
}

void oBitmapSlider::SetBkColor(COLORREF c)
{
    bkColor_ = c;
    update();
}

bool oBitmapSlider::SetBkBitmap(unsigned id)
{
    bkBitmap_ = id != 0 ? LoadBitmapResource(id) : QImage();
    update();
    return id == 0 || !bkBitmap_.isNull();
}

int oBitmapSlider::ChannelLength() const
{
    if (imageMode_)
        return vertical_ ? channelH_ : channelW_;
    return vertical_ ? height() : width();
}

SliderTrack oBitmapSlider::Track() const
{
    SliderTrack t;
    t.length = ChannelLength();
    if (vertical_) {
        t.thumb = imageMode_ ? thumbH_ : kPlainThumb;
        t.marginLo = marginB_;
        t.marginHi = marginT_;
    } else {
        t.thumb = imageMode_ ? thumbW_ : kPlainThumb;
        t.marginLo = marginL_;
        t.marginHi = marginR_;
    }
    return t;
}

int oBitmapSlider::CentreAxis() const { return SliderPosToCentre(Track(), pos_, min_, max_); }

QPoint oBitmapSlider::ThumbCentre() const
{
    const int c = SliderWidgetFromAxis(CentreAxis(), ChannelLength(), vertical_);
    return vertical_ ? QPoint(width() / 2, c) : QPoint(c, height() / 2);
}

int oBitmapSlider::AxisOf(const QPoint& p) const
{
    return SliderAxisFromWidget(vertical_ ? p.y() : p.x(), ChannelLength(), vertical_);
}

int oBitmapSlider::PositionAt(const QPoint& p) const
{
    return SliderPixelToPos(Track(), ClampSliderCentre(Track(), AxisOf(p)), min_, max_);
}

void oBitmapSlider::NotifyBuddy(bool notify)
{
    if (buddy_)
        buddy_->FromSlider(pos_, notify);
}

void oBitmapSlider::DragTo(int axis)
{
    const SliderTrack t = Track();
    const int a = ClampSliderCentre(t, axis - dragOffset_);
    if (a == CentreAxis())
        return;
    SetPos(SliderPixelToPos(t, a, min_, max_));
    NotifyBuddy(notifyWhileDragging_);
}

void oBitmapSlider::mousePressEvent(QMouseEvent* e)
{
    if (!enabled_ || e->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(e);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    dragging_ = true;
    const int axis = AxisOf(e->position().toPoint());
    dragOffset_ = axis - CentreAxis();
    // A click off the thumb brings the thumb's centre to the click.
    if (std::abs(dragOffset_) > Track().thumb / 2)
        dragOffset_ = 0;
    DragTo(axis);
    update();
    e->accept();
}

void oBitmapSlider::mouseMoveEvent(QMouseEvent* e)
{
    if (!enabled_ || !dragging_) {
        QWidget::mouseMoveEvent(e);
        return;
    }
    DragTo(AxisOf(e->position().toPoint()));
    e->accept();
}

void oBitmapSlider::mouseReleaseEvent(QMouseEvent* e)
{
    if (!dragging_ || e->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(e);
        return;
    }
    dragging_ = false;
    update();
    // With notify-while-dragging the page has heard every move already.
    NotifyBuddy(!notifyWhileDragging_);
    e->accept();
}

bool oBitmapSlider::event(QEvent* e)
{
    // Enter and Escape stay here: they must not close the page holding the slider.
    if (e->type() == QEvent::ShortcutOverride) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter || k->key() == Qt::Key_Escape) {
            e->accept();
            return true;
        }
    }
    return QWidget::event(e);
}

void oBitmapSlider::keyPressEvent(QKeyEvent* e)
{
    if (!enabled_) {
        QWidget::keyPressEvent(e);
        return;
    }
    long long pos = pos_;
    switch (e->key()) {
    case Qt::Key_PageUp: pos -= page_; break;
    case Qt::Key_PageDown: pos += page_; break;
    case Qt::Key_End: pos = max_; break;
    case Qt::Key_Home: pos = min_; break;
    case Qt::Key_Left:
    case Qt::Key_Up: pos -= 1; break;
    case Qt::Key_Right:
    case Qt::Key_Down: pos += 1; break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape: e->accept(); return;
    default: QWidget::keyPressEvent(e); return;
    }
    SetPos(ClampToInt(pos, min_, max_));
    NotifyBuddy(true);
    e->accept();
}

void oBitmapSlider::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (!bkBitmap_.isNull())
        p.drawImage(rect(), bkBitmap_);
    else
        p.fillRect(rect(), ToQColor(bkColor_));

    const int len = ChannelLength();
    const int c = SliderWidgetFromAxis(CentreAxis(), len, vertical_);
    const bool active = enabled_ && isEnabled();
    if (!imageMode_) {
        // Plain look: a groove and a block thumb.
        const QColor groove = ToQColor(active ? kColorAccent : kColorDisabledText);
        const QColor face = ToQColor(active ? kColorLightText : kColorDisabledText);
        if (vertical_) {
            p.fillRect(QRect(width() / 2 - 2, 0, 4, height()), groove);
            p.fillRect(QRect(0, c - kPlainThumb / 2, width(), kPlainThumb), face);
        } else {
            p.fillRect(QRect(0, height() / 2 - 2, width(), 4), groove);
            p.fillRect(QRect(c - kPlainThumb / 2, 0, kPlainThumb, height()), face);
        }
        return;
    }

    // Channel: the active picture on the minimum side of the thumb, the plain one beyond it.
    const QRect whole(0, 0, channelW_, channelH_);
    if (!active) {
        p.drawImage(whole, disabledChannel_, disabledChannel_.rect());
    } else if (!hasActiveChannel_) {
        p.drawImage(whole, channel_, channel_.rect());
    } else if (vertical_) {
        const QRect plain(0, 0, channelW_, std::clamp(c, 0, channelH_));
        const QRect done(0, plain.height(), channelW_, channelH_ - plain.height());
        p.drawImage(plain, channel_, plain);
        p.drawImage(done, activeChannel_, done);
    } else {
        const QRect done(0, 0, std::clamp(c, 0, channelW_), channelH_);
        const QRect plain(done.width(), 0, channelW_ - done.width(), channelH_);
        p.drawImage(done, activeChannel_, done);
        p.drawImage(plain, channel_, plain);
    }

    // Thumb.
    const bool useActiveThumb = hasActiveThumb_ && active;
    const QImage& th = useActiveThumb ? activeThumb_ : active ? thumb_ : disabledThumb_;
    QRect target;
    if (vertical_) {
        const int x = useActiveThumb ? channelW_ / 2 - thumbW_ / 2 + 2 : marginL_;
        target = QRect(x, c - thumbH_ / 2, thumbW_, thumbH_);
    } else {
        const int y = useActiveThumb ? channelH_ / 2 - thumbH_ / 2 + 2 : marginT_;
        target = QRect(c - thumbW_ / 2, y, thumbW_, thumbH_);
    }
    p.drawImage(target, th, th.rect());
}
