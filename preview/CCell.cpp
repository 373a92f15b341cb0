#include "preview/CCell.h"

#include "platform/ControlId.h"
#include "platform/Fonts.h"
#include "preview/SdlVideoWidget.h"
#include "preview/TtfLibrary.h"

#include <QDataStream>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>

#include <SDL_ttf.h>

#include <algorithm>
#include <functional>

using cellgeo::CellRect;

namespace {

QRect ToQRect(const CellRect& r)
{
    return QRect(r.left, r.top, r.Width(), r.Height());
}

const CellStyle& DefaultStyle()
{
    static const CellStyle style = [] {
        CellStyle s;
        s.labelFont = MakeFont(QStringLiteral("Arial"), 16, 700);
        return s;
    }();
    return style;
}

} // namespace

CCell::CCell()
{
    savedRect = rect;
}

CCell::~CCell()
{
    DestroyVideoSurface();
    {
        std::lock_guard<std::mutex> guard(lock);
        FreeLabelSurfacesLocked();
        ttf::CloseFont(ttfFont);
        ttfFont = nullptr;
    }
    delete window;
    window = nullptr;
}

const CellStyle& CCell::Style() const
{
    return style ? *style : DefaultStyle();
}

void CCell::SetSelected(bool on)
{
    if (on)
        flags.fetch_or(kSelected, std::memory_order_acq_rel);
    else
        flags.fetch_and(~kSelected, std::memory_order_acq_rel);
}

void CCell::ToggleSelected()
{
    flags.fetch_xor(kSelected, std::memory_order_acq_rel);
}

void CCell::SetHidden(bool hidden)
{
    if (hidden)
        flags.fetch_or(kHidden, std::memory_order_acq_rel);
    else
        flags.fetch_and(~kHidden, std::memory_order_acq_rel);
    if (!window) return;
    // Shown again, the window must not bring back a picture from before.
    if (hidden) window->Surface().ForgetPicture();
    // The video window shows only while the cell is attached to the channel.
    ShowWindow(!hidden && attached.load() != 0);
}

void CCell::SetName(const QString& text)
{
    std::lock_guard<std::mutex> guard(lock);
    name = text;
}

QString CCell::Name() const
{
    std::lock_guard<std::mutex> guard(lock);
    return name;
}

Qt::CursorShape CCell::GetHandleCursor(int zone)
{
    switch (cellgeo::CursorForZone(zone)) {
    case cellgeo::HandleCursor::SizeWE: return Qt::SizeHorCursor;
    case cellgeo::HandleCursor::SizeNS: return Qt::SizeVerCursor;
    case cellgeo::HandleCursor::Hand: return Qt::PointingHandCursor;
    case cellgeo::HandleCursor::SizeNWSE: return Qt::SizeFDiagCursor;
    case cellgeo::HandleCursor::SizeNESW: return Qt::SizeBDiagCursor;
    case cellgeo::HandleCursor::Arrow: break;
    }
    return Qt::ArrowCursor;
}

void CCell::ResizeByHandle(const Rect& bounds, int zone, int x, int y)
{
    rect = ClampRect(bounds, cellgeo::ResizeByHandle(rect, zone, x, y));
}

CCell::Rect CCell::ClampRect(const Rect& bounds, const Rect& r) const
{
    return cellgeo::ClampRect(cellgeo::EffectiveLimit(limitRect, bounds), r);
}

CCell::Rect CCell::KeepSizeClamp(const Rect& bounds, const Rect& r) const
{
    return cellgeo::KeepSizeClamp(cellgeo::EffectiveLimit(limitRect, bounds), r);
}

bool CCell::MoveTo(const Rect& bounds, const Rect& newRect)
{
    if (newRect == rect || newRect.top < 0 || newRect.left < 0 || newRect.right > bounds.right ||
        newRect.bottom > bounds.bottom)
        return false;
    const Rect before = rect;
    rect = KeepSizeClamp(bounds, newRect);
    return rect != before;
}

void CCell::SetOutputRect(const Rect& r)
{
    Rect n = cellgeo::Normalised(r);
    if (n.top < 1) n.top = 0;
    if (n.left < 1) n.left = 0;
    outputRect = n;
}

void CCell::SetCropRect(const Rect& reference, const Rect& r)
{
    if (reference.Width() == 0 || reference.Height() == 0) return;
    const Rect n = cellgeo::Normalised(r);
    std::lock_guard<std::mutex> guard(lock);
    srcRect = SDL_Rect{n.left, n.top, n.Width(), n.Height()};
}

SDL_Rect CCell::SourceRect() const
{
    std::lock_guard<std::mutex> guard(lock);
    return srcRect;
}

SDL_Rect CCell::DestinationRect() const
{
    std::lock_guard<std::mutex> guard(lock);
    return dstRect;
}

SDL_Rect CCell::TextureRect() const
{
    std::lock_guard<std::mutex> guard(lock);
    return textureRect;
}

void CCell::SetTextureRects(int previewWidth, int previewHeight)
{
    std::lock_guard<std::mutex> guard(lock);
    textureRect = srcRect = dstRect = SDL_Rect{0, 0, previewWidth, previewHeight};
}

void CCell::CreateWindow(QWidget* parent, int controlId, int previewWidth, int previewHeight)
{
    if (window) return;
    auto* w = new SdlVideoWidget(parent);
    SetControlId(w, controlId);
    // Clicks on the video belong to the canvas below, which picks and drags the cell.
    w->setAttribute(Qt::WA_TransparentForMouseEvents);
    w->hide();
    w->setGeometry(rect.left, rect.top, previewWidth, previewHeight);
    w->SetRedraw([this] { Redraw(); });
    std::lock_guard<std::mutex> guard(lock);
    window = w;
    windowWidth = previewWidth;
    windowHeight = previewHeight;
}

bool CCell::CreateVideoSurface()
{
    std::lock_guard<std::mutex> guard(lock);
    if (!window || textureRect.w <= 0 || textureRect.h <= 0) return false;
    // Both render scales are 1.0, attached or not, which is what a new surface uses.
    return window->CreateSurface(textureRect.w, textureRect.h, SdlVideoSurface::TextureLayout::IYUV);
}

void CCell::DestroyVideoSurface()
{
    std::lock_guard<std::mutex> guard(lock);
    if (window) window->DestroySurface();
}

bool CCell::HasVideoSurface() const
{
    std::lock_guard<std::mutex> guard(lock);
    return window && window->Surface().IsCreated();
}

void CCell::OpenLabelFont()
{
    std::lock_guard<std::mutex> guard(lock);
    if (ttfFont) return;
    ttfFont = ttf::OpenAppFont(kLabelPointSize);
}

bool CCell::HasLabelFont() const
{
    std::lock_guard<std::mutex> guard(lock);
    return ttfFont != nullptr;
}

void CCell::PlaceWindow(const Rect& r)
{
    std::lock_guard<std::mutex> guard(lock);
    if (!window) return;
    // SDL does not follow size changes of a window it did not make: it is told.
    window->setGeometry(ToQRect(r));
    window->Surface().SetWindowSize(r.Width(), r.Height());
    windowWidth = r.Width();
    windowHeight = r.Height();
}

void CCell::ShowWindow(bool show)
{
    std::lock_guard<std::mutex> guard(lock);
    if (window) window->setVisible(show);
}

bool CCell::IsWindowShown() const
{
    std::lock_guard<std::mutex> guard(lock);
    return window && !window->isHidden();
}

void CCell::FreeLabelSurfacesLocked()
{
    if (redLabel) SDL_FreeSurface(redLabel);
    if (whiteLabel) SDL_FreeSurface(whiteLabel);
    redLabel = whiteLabel = nullptr;
    redLabelText.clear();
    whiteLabelText.clear();
}

SDL_Surface* CCell::LabelSurfaceLocked(SDL_Color colour, SDL_Surface*& cache, std::string& cachedText)
{
    if (!ttfFont) return nullptr;
    const std::string text = name.toUtf8().toStdString();
    if (text.empty()) return nullptr;
    if (cache && cachedText == text) return cache;
    if (cache) SDL_FreeSurface(cache);
    {
        std::lock_guard<std::mutex> ttfGuard(ttf::Lock());
        cache = TTF_RenderUTF8_Blended(ttfFont, text.c_str(), colour);
    }
    cachedText = cache ? text : std::string();
    return cache;
}

namespace {

// Copies a label surface to the window's top-left at its natural size.
void CopyLabel(SDL_Renderer* renderer, SDL_Surface* label)
{
    if (!label) return;
    SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer, label);
    if (!texture) return;
    const SDL_Rect at{0, 0, label->w, label->h};
    SDL_RenderCopy(renderer, texture, nullptr, &at);
    SDL_DestroyTexture(texture);
}

} // namespace

bool CCell::PresentPicture(const VideoPicture* picture)
{
    std::lock_guard<std::mutex> guard(lock);
    if (!window) return false;
    // The destination is given at the texture's size; the window may be larger or smaller.
    SDL_Rect dst = dstRect;
    if (textureRect.w > 0 && textureRect.h > 0 && windowWidth > 0 && windowHeight > 0) {
        dst.x = static_cast<int>(static_cast<int64_t>(dstRect.x) * windowWidth / textureRect.w);
        dst.y = static_cast<int>(static_cast<int64_t>(dstRect.y) * windowHeight / textureRect.h);
        dst.w = static_cast<int>(static_cast<int64_t>(dstRect.w) * windowWidth / textureRect.w);
        dst.h = static_cast<int>(static_cast<int64_t>(dstRect.h) * windowHeight / textureRect.h);
    }
    const SDL_Rect src = srcRect;
    const SDL_Rect* to = dst.w > 0 && dst.h > 0 ? &dst : nullptr;
    SDL_Surface* label = LabelSurfaceLocked(SDL_Color{255, 0, 0, 255}, redLabel, redLabelText);
    const auto overlay = [label](SDL_Renderer* r) { CopyLabel(r, label); };
    // An empty source (a layer window of no size, or outside its output) shows nothing.
    SdlVideoSurface& surface = window->Surface();
    return picture ? surface.Render(*picture, &src, to, overlay) : surface.Redraw(&src, to, overlay);
}

void CCell::RenderFrame(const VideoPicture& picture)
{
    if (IsHidden()) return;
    if (PresentPicture(&picture)) framesShown.fetch_add(1, std::memory_order_relaxed);
}

void CCell::Redraw()
{
    if (attached.load())
        PresentPicture(nullptr);
    else
        PaintPlaceholder();
}

void CCell::PaintPlaceholder()
{
    std::lock_guard<std::mutex> guard(lock);
    if (!window) return;
    SdlVideoSurface& surface = window->Surface();
    SDL_Surface* label = LabelSurfaceLocked(SDL_Color{255, 255, 255, 255}, whiteLabel, whiteLabelText);
    std::lock_guard<std::mutex> surfaceGuard(surface.Lock());
    SDL_Renderer* renderer = surface.Renderer();
    if (!renderer) return;
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    CopyLabel(renderer, label);
    if (IsSelected())
        SDL_SetRenderDrawColor(renderer, 255, 0, 0, 255);
    else
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    const SDL_Rect outer{0, 0, 350, 238};
    const SDL_Rect inner{1, 1, 348, 236};
    SDL_RenderDrawRect(renderer, &outer);
    SDL_RenderDrawRect(renderer, &inner);
    SDL_RenderPresent(renderer);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    surface.ReleaseContext();
}

namespace {

// The canvas font, smaller where the lines would not fit room (the widest line across, all of them
// down), so each shows whole; not below kMinLabelPixels, where a cell too small for that still
// cuts them at its edge.
constexpr int kMinLabelPixels = 9;

QFont FittedLabelFont(QFont font, const QStringList& lines, QSize room)
{
    for (int px = QFontInfo(font).pixelSize(); px > kMinLabelPixels; --px) {
        font.setPixelSize(px);
        const QFontMetrics m(font);
        int widest = 0;
        for (const QString& line : lines) widest = std::max(widest, m.horizontalAdvance(line));
        if (widest <= room.width() && m.height() * lines.size() <= room.height()) return font;
    }
    font.setPixelSize(kMinLabelPixels);
    return font;
}

// A one-pixel frame inside r, as the classic frame routine draws it.
void FrameRect(QPainter& p, const CellRect& r, const QColor& colour)
{
    if (r.Width() <= 0 || r.Height() <= 0) return;
    p.fillRect(QRect(r.left, r.top, r.Width(), 1), colour);
    p.fillRect(QRect(r.left, r.bottom - 1, r.Width(), 1), colour);
    p.fillRect(QRect(r.left, r.top, 1, r.Height()), colour);
    p.fillRect(QRect(r.right - 1, r.top, 1, r.Height()), colour);
}

} // namespace

void CCell::DrawFrame(QPainter& p, const Rect& r) const
{
    if (useFrameColour) {
        FrameRect(p, r, frameColour);
        return;
    }
    FrameRect(p, cellgeo::Inflate(r, margins.left, margins.top, margins.right, margins.bottom), QColor(255, 255, 0));
    FrameRect(p, r, IsSelected() ? QColor(255, 0, 0) : QColor(192, 192, 192));
}

void CCell::DrawLabels(QPainter& p, const Rect& r) const
{
    const bool selected = IsSelected();
    QColor colour;
    if (!fixed)
        colour = (!selected && state) ? QColor(0, 128, 0) : QColor(255, 255, 255);
    else if (selected)
        colour = QColor(255, 255, 255);
    else
        colour = state ? QColor(0, 128, 0) : QColor(0, 0, 0);
    posText = QString::fromStdString(cellgeo::PosText(outputRect, originX, originY));
    sizeText = QString::fromStdString(cellgeo::SizeText(outputRect));
    if (fixed && state) return;

    QStringList lines{Name()};
    if (secondTextFlag) lines << secondText;
    lines << posText << sizeText;

    p.save();
    // Room from 2 pixels inside the left edge to 2 clear of the frame, and down to 1 clear of it.
    p.setFont(FittedLabelFont(Style().labelFont, lines, QSize(r.Width() - 5, r.Height() - 2)));
    p.setPen(colour);
    p.setClipRect(ToQRect(r), Qt::IntersectClip);
    const QFontMetrics metrics(p.font());
    int y = r.top;
    for (const QString& line : lines) {
        p.drawText(QPoint(r.left + 2, y + metrics.ascent()), line);
        y += metrics.height();
    }
    p.restore();
}

void CCell::Draw(QPainter& p)
{
    if (IsHidden()) return;
    const Rect r = cellgeo::Normalised(useAltRect ? altRect : rect);
    const CellStyle& s = Style();
    if (frameOnly) {
        if (fixed && state) {
            p.save();
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(QColor(0, 128, 0), 1, Qt::DotLine));
            p.drawRect(QRect(r.left, r.top, r.Width() - 1, r.Height() - 1));
            p.restore();
            return;
        }
        DrawLabels(p, r);
        FrameRect(p, r, useFrameColour ? frameColour : QColor(192, 192, 192));
        return;
    }
    if (fixed) {
        p.fillRect(ToQRect(cellgeo::Inflate(r, margins.left, margins.top, margins.right, margins.bottom)), s.fillBrush);
        p.fillRect(ToQRect(r), IsSelected() ? s.selectedBrush : s.fixedBrush);
        DrawLabels(p, r);
    } else {
        if (!attached.load()) PaintPlaceholder();
        if (!window) {
            p.fillRect(ToQRect(r), IsSelected() ? s.selectedBrush : s.fillBrush);
            DrawLabels(p, r);
        }
    }
    DrawFrame(p, r);
}

void CCell::Store(QDataStream& out)
{
    flags.fetch_and(~kSelected, std::memory_order_acq_rel);
    out.setByteOrder(QDataStream::LittleEndian);
    out << qint32(rect.left) << qint32(rect.top) << qint32(rect.right) << qint32(rect.bottom);
    out << quint32(Flags()) << quint16(static_cast<uint16_t>(tag));
}

bool CCell::Load(QDataStream& in)
{
    in.setByteOrder(QDataStream::LittleEndian);
    qint32 l = 0, t = 0, r = 0, b = 0;
    quint32 f = 0;
    quint16 g = 0;
    in >> l >> t >> r >> b;
    if (in.status() != QDataStream::Ok) return false;
    in >> f >> g;
    if (in.status() != QDataStream::Ok) return false;
    rect = Rect{l, t, r, b};
    flags.store(f & kHidden, std::memory_order_release);
    tag = g;
    return true;
}
