#pragma once
// One rectangle of the layout canvas. A fixed cell stands for an output area and is painted by
// the canvas; a layer cell stands for a layer window and, while preview video is on, owns a
// child window into which SDL draws its quadrant of the live mosaic (a render target of the
// preview channel). The cell knows its handle zones, clamps itself into its limit and paints its
// frame and labels.
//
// Threads: RenderFrame runs on the channel's render thread; everything else on the UI thread.
// The cell's lock guards what both read: the name, the source and destination rectangles, the
// window size and the SDL objects. Every SDL call on the UI thread (size, show, hide, the
// placeholder) is made under it.
#include "preview/CellGeometry.h"
#include "preview/VideoTarget.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QString>

#include <SDL.h>

#include <atomic>
#include <cstdint>
#include <mutex>

class QDataStream;
class QPainter;
class QWidget;
class SdlVideoWidget;
struct _TTF_Font;
typedef struct _TTF_Font TTF_Font;

// Brushes and font that the canvas owns and its cells point at.
struct CellStyle {
    QBrush fillBrush{QColor(0, 0, 0)};
    QBrush fixedBrush{QColor(0, 77, 235)};
    QBrush selectedBrush{QColor(0, 0, 0)};
    QFont labelFont;
};

class CCell : public IVideoTarget {
public:
    using Rect = cellgeo::CellRect;
    static constexpr uint32_t kSelected = 1u;
    static constexpr uint32_t kHidden = 2u;
    static constexpr int kLabelPointSize = 40;
    static constexpr int kNoLayer = 255;

    CCell();
    ~CCell() override;
    CCell(const CCell&) = delete;
    CCell& operator=(const CCell&) = delete;

    // Flags (read by the render thread).
    uint32_t Flags() const { return flags.load(std::memory_order_acquire); }
    bool IsSelected() const { return (Flags() & kSelected) != 0; }
    bool IsHidden() const { return (Flags() & kHidden) != 0; }
    bool IsVisible() const { return !IsHidden(); }
    void SetSelected(bool on);
    void ToggleSelected();
    // Hides or shows the cell; a layer cell's window follows.
    void SetHidden(bool hidden);

    // The first label line; the render thread draws it into the video, so it changes under the lock.
    void SetName(const QString& text);
    QString Name() const;

    // Handle zones.
    Rect GetHandleRect(int zone) const { return cellgeo::HandleRect(rect, zone); }
    int HitTest(int x, int y) const { return cellgeo::HitTest(rect, x, y); }
    static Qt::CursorShape GetHandleCursor(int zone);

    // Moves the zone's edges to (x, y) (minimum 8 pixels) and clamps into the limit (or bounds).
    void ResizeByHandle(const Rect& bounds, int zone, int x, int y);
    Rect ClampRect(const Rect& bounds, const Rect& r) const;
    Rect KeepSizeClamp(const Rect& bounds, const Rect& r) const;
    // Takes newRect (kept inside the limit) unless it is the same, starts left or above the
    // origin, or passes bounds' right or bottom. Returns whether rect changed.
    bool MoveTo(const Rect& bounds, const Rect& newRect);
    bool IntersectsRect(const Rect& r) const { return cellgeo::Overlaps(rect, r); }
    void SetOutputRect(const Rect& r);
    // The part of the mosaic this cell shows: exactly r, in mosaic pixels; a degenerate reference
    // changes nothing.
    void SetCropRect(const Rect& reference, const Rect& r);
    SDL_Rect SourceRect() const;
    SDL_Rect DestinationRect() const;
    SDL_Rect TextureRect() const;
    void SetTextureRects(int previewWidth, int previewHeight);

    // Layer-cell window and SDL surface (UI thread).
    // Makes the child window (hidden) at the cell's top-left with the preview size.
    void CreateWindow(QWidget* parent, int controlId, int previewWidth, int previewHeight);
    SdlVideoWidget* Window() const { return window; }
    bool CreateVideoSurface();
    void DestroyVideoSurface();
    bool HasVideoSurface() const;
    // The label font "arial.ttf" beside the program at 40 points (none when missing).
    void OpenLabelFont();
    bool HasLabelFont() const;
    // Moves and sizes the child window to r and tells SDL the new size.
    void PlaceWindow(const Rect& r);
    // Shows or hides the child window.
    void ShowWindow(bool show);
    bool IsWindowShown() const;

    // Render thread: the cell's quadrant of the mosaic, with the name in red on top.
    void RenderFrame(const VideoPicture& picture) override;
    int FramesShown() const { return framesShown.load(std::memory_order_relaxed); }
    // UI thread, while not attached to the video: black, the name in white, a red (selected) or
    // black outline.
    void PaintPlaceholder();
    // UI thread, when the window was uncovered: the last picture again (black without one) with
    // the name, or the placeholder while not attached.
    void Redraw();

    // Painting on the canvas (UI thread).
    void Draw(QPainter& p);
    void DrawLabels(QPainter& p, const Rect& r) const;

    // Storing clears the selected bit; writes rect, flags and tag. Load returns false on a short read.
    void Store(QDataStream& out);
    bool Load(QDataStream& in);

    // Plain fields (UI thread).
    Rect rect;
    Rect margins;
    const CellStyle* style = nullptr;
    int32_t id = 3;
    int32_t tag = 0;
    QString secondText;
    int32_t secondTextFlag = 0;
    int32_t frameOnly = 0;
    int32_t useAltRect = 0;
    Rect altRect;
    int32_t fixed = 0;
    int32_t state = 0;
    int32_t layer = kNoLayer;
    Rect savedRect;
    Rect savedOutputRect;
    Rect outputRect;
    mutable QString posText;
    mutable QString sizeText;
    QColor frameColour{239, 156, 0};
    int32_t useFrameColour = 0;
    Rect limitRect;
    // The output area behind limitRect, in output pixels (empty when there is none).
    Rect limitOutputRect;
    int32_t originX = 0;
    int32_t originY = 0;
    int32_t channelIndex = 0;
    std::atomic<uint8_t> attached{0};
    float scaleX = 1.0f;
    float scaleY = 1.0f;

private:
    const CellStyle& Style() const;
    // The picture (null: the last one again) in the window, with the name on top.
    bool PresentPicture(const VideoPicture* picture);
    void DrawFrame(QPainter& p, const Rect& r) const;
    // Under lock: the name as an SDL surface in the given colour, made again when the name changed.
    SDL_Surface* LabelSurfaceLocked(SDL_Color colour, SDL_Surface*& cache, std::string& cachedText);
    void FreeLabelSurfacesLocked();

    std::atomic<uint32_t> flags{0};
    mutable std::mutex lock;
    QString name;
    SDL_Rect textureRect{0, 0, 0, 0};
    SDL_Rect srcRect{0, 0, 0, 0};
    SDL_Rect dstRect{0, 0, 0, 0};
    int windowWidth = 0;
    int windowHeight = 0;
    SdlVideoWidget* window = nullptr;
    TTF_Font* ttfFont = nullptr;
    SDL_Surface* redLabel = nullptr;
    std::string redLabelText;
    SDL_Surface* whiteLabel = nullptr;
    std::string whiteLabelText;
    std::atomic<int> framesShown{0};
};
