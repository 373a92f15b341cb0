#pragma once
// The four-view window: the four quadrants of the preview mosaic side by side in a 2 x 2 grid,
// each drawn by SDL into a view of its own, a render target (kind 1) of preview channel 0. A
// small frameless child of the operating page, moved by its title band and resized by its
// edges and corners.
#include "pagekit/MBaseDialog.h"
#include "preview/FourViewLayout.h"
#include "preview/VideoTarget.h"

#include <SDL.h>

#include <array>
#include <atomic>
#include <mutex>

class QLabel;
class SdlRelayoutNotifier;
class SdlVideoWidget;
class VideoChannelSet;

// One view: its child window with an SDL renderer and a YV12 texture of the preview size.
// RenderFrame runs on the channel's render thread; everything else on the UI thread. The lock
// serialises rendering with resizing and destruction.
class ShowStatic : public IVideoTarget {
public:
    ShowStatic() = default;
    ~ShowStatic() override;
    ShowStatic(const ShowStatic&) = delete;
    ShowStatic& operator=(const ShowStatic&) = delete;

    // Moves the child to rect, or makes it (hidden) there.
    void CreateChildWindow(const cellgeo::CellRect& rect, QWidget* parent, int controlId);
    bool CreateSdlView(int previewWidth, int previewHeight);
    void DestroySdlView();
    // DestroySdlView, then the child window goes.
    void Destroy();
    // Moves and sizes the child and its SDL window; the picture fills the new size.
    void Place(const cellgeo::CellRect& rect);
    void SetSourceRect(const cellgeo::CellRect& r);

    void RenderFrame(const VideoPicture& picture) override;
    bool IsShown() const override;
    // UI thread, when the view was uncovered: its last picture again (black without one).
    void Redraw();

    SdlVideoWidget* Child() const { return child; }
    bool HasSdlView() const;
    SDL_Rect SourceRect() const;
    SDL_Rect DestinationRect() const;
    SDL_Rect TextureRect() const;
    int FramesShown() const;

private:
    // The picture (null: the last one again) in the view's window.
    bool Present(const VideoPicture* picture);

    SdlVideoWidget* child = nullptr;
    SDL_Rect textureRect{0, 0, 0, 0};
    SDL_Rect dstRect{0, 0, 0, 0};
    SDL_Rect spareRect{0, 0, 0, 0};
    SDL_Rect srcRect{0, 0, 0, 0};
    std::atomic<int> framesShown{0};
    mutable std::mutex lock;
};

class MShowVideoDlg : public MBaseDialog {
    Q_OBJECT
public:
    static constexpr int kViews = 4;

    explicit MShowVideoDlg(QWidget* parent);
    ~MShowVideoDlg() override;

    void OnInitDialog() override;

    // After each (re)start of the channels: without channels (or with preview off) the views go
    // and nothing is registered; otherwise each view is made again at the preview size, placed
    // and registered with channel 0.
    void LayoutViews(VideoChannelSet* channels, bool videoOn, int previewWidth, int previewHeight);
    // Unregisters and destroys every view.
    void DestroyViews();
    // Who hears that a view's SDL objects failed and must be made again (outlives the views).
    void SetRelayoutNotifier(SdlRelayoutNotifier* n) { notifier = n; }
    // The views' native windows follow the window (Qt leaves native children behind when a
    // non-native ancestor moves).
    void SyncViewWindows();
    // Moves the window (and shrinks it, down to its minimum size, when it is larger) so that it
    // lies wholly inside area, its parent's rectangle: when the page narrows it stays whole.
    void KeepInside(const QRect& area);

    ShowStatic& View(int i) { return views[static_cast<size_t>(i)]; }
    QLabel* Caption(int i) const { return captions[static_cast<size_t>(i)]; }

protected:
    void resizeEvent(QResizeEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    // Captions and views at their places for the current size (no SDL objects are made).
    void PlaceViews();
    void ResizeByHit(const QPoint& global);

    std::array<ShowStatic, kViews> views;
    std::array<QLabel*, kViews> captions{};
    VideoChannelSet* channel = nullptr;
    SdlRelayoutNotifier* notifier = nullptr;
    int previewWidth = 352;
    int previewHeight = 240;
    int resizeHit = fourview::kHitNowhere;
    QRect resizeStart;
    QPoint resizeFrom;
};
