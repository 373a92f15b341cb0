#pragma once
// Slider drawn from PNG pictures: a channel (optionally an "active" channel for the part below
// the value), a thumb (optionally an active thumb), over a background colour or bitmap. While it
// takes no input it draws the plain channel and thumb in the image buttons' disabled look.
// Dragged with the mouse or moved with the keys; a buddy oSliderEdit follows every move.

#include "controls/SliderGeometry.h"
#include "platform/ColorRef.h"

#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>

class oSliderEdit;

class oBitmapSlider : public QWidget {
    Q_OBJECT
public:
    explicit oBitmapSlider(QWidget* parent = nullptr);
    ~oBitmapSlider() override;

    // Channel picture id (and, when activeId is nonzero, the active channel) of resource type
    // type ("PNG"). Resizes the control to hold channel and thumb. False when a picture is missing.
    bool LoadChannelImage(unsigned id, unsigned activeId = 0, const QString& type = QStringLiteral("PNG"));
    bool LoadThumbImage(unsigned id, unsigned activeId = 0, const QString& type = QStringLiteral("PNG"));

    void SetPos(int pos);  // clamped into the range, redrawn
    int GetPos() const { return pos_; }
    void SetRange(int min, int max);  // either order
    int GetRangeMin() const { return min_; }
    int GetRangeMax() const { return max_; }
    void SetPageSize(int page) { page_ = page; }
    int GetPageSize() const { return page_; }

    void SetBuddy(oSliderEdit* edit);
    oSliderEdit* Buddy() const { return buddy_; }

    void Enable(bool enabled);
    bool IsEnabledField() const { return enabled_; }
    void SetVertical(bool vertical);
    bool IsVertical() const { return vertical_; }
    void SetMargins(int left, int top, int right, int bottom);
    void SetBkColor(COLORREF c);
    // A bitmap resource painted over the whole client instead of the colour; 0 for none.
    bool SetBkBitmap(unsigned id);
    void SetNotifyWhileDragging(bool notify) { notifyWhileDragging_ = notify; }

    bool IsImageMode() const { return imageMode_; }
    bool IsDragging() const { return dragging_; }
    // The track (along the slider) and the thumb centre in widget coordinates.
    SliderTrack Track() const;
    QPoint ThumbCentre() const;
    // Widget point to the position it stands for (no offset, clamped).
    int PositionAt(const QPoint& p) const;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool event(QEvent* e) override;

private:
    int AxisOf(const QPoint& p) const;
    int CentreAxis() const;
    int ChannelLength() const;
    void DragTo(int axis);
    void FitToImages();
    void NotifyBuddy(bool notify);

    QPointer<oSliderEdit> buddy_;
    int channelW_ = 0, channelH_ = 0, thumbW_ = 0, thumbH_ = 0;
    int marginL_ = 0, marginR_ = 0, marginT_ = 0, marginB_ = 0;
    int dragOffset_ = 0;
    bool dragging_ = false;
    QImage channel_, activeChannel_, thumb_, activeThumb_;
    // The looks drawn while the slider takes no input: the plain channel and thumb greyed and
    // dimmed as a disabled image button's skin is.
    QImage disabledChannel_, disabledThumb_;
    bool hasActiveChannel_ = false, hasActiveThumb_ = false, imageMode_ = false;
    COLORREF bkColor_ = 0;
    QImage bkBitmap_;
    bool enabled_ = true, vertical_ = false, notifyWhileDragging_ = true;
    int max_ = 100, min_ = 0, page_ = 20, pos_ = 0;
};
