#pragma once
// A static picture control: an animated GIF is split into its frames and played on a UI-thread
// timer; any other picture (or a one-frame GIF) is shown still.

#include "controls/GifPlayer.h"
#include "platform/ColorRef.h"

#include <QByteArray>
#include <QImage>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <optional>

class CPictureEx : public QWidget {
    Q_OBJECT
public:
    explicit CPictureEx(QWidget* parent = nullptr);
    ~CPictureEx() override;

    // The "GIF" resource id. False when it is missing or does not load.
    bool Load(unsigned id);
    // GIF or any picture format Qt reads. Resizes the control to the picture.
    bool LoadFromMemory(const QByteArray& bytes);
    // Starts the animation of a GIF with two or more frames; otherwise shows the still picture
    // and returns true. Nothing before a successful load.
    bool Draw();
    // Ends the animation; returns at once when none runs.
    void Stop();
    // Stop, then forget the picture.
    void UnLoad();

    // Colour under transparent pixels and for disposal 2; by default the palette's window colour
    // at load time.
    void SetBkColor(COLORREF color);
    // Shows only this part of the picture, from its top-left corner; an empty rectangle shows all.
    void SetPaintRect(const QRect& r);

    bool IsLoaded() const { return prepared_; }
    bool IsGIF() const { return isGif_; }
    bool IsPlaying() const { return timer_.isActive(); }
    int FrameCount() const;
    int CurrentFrame() const;
    QSize PictureSize() const { return size_; }
    // What the control shows now.
    QImage Picture() const;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void ShowFrame();
    void Prepare(QSize size);

    QTimer timer_;
    std::shared_ptr<const GifImage> gif_;
    std::optional<GifPlayer> player_;
    QImage still_;
    QSize size_;
    QRect paintRect_;
    std::optional<COLORREF> bkColor_;
    bool isGif_ = false;
    bool prepared_ = false;
};
