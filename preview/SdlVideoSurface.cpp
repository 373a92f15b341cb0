#include "preview/SdlVideoSurface.h"

#include "preview/SdlRelayoutNotifier.h"

#include <QWidget>
#include <cstring>

namespace {

SDL_Window* WindowFromWidget(QWidget* host, bool allowOpenGl)
{
    // SDL only gives a foreign window an OpenGL context when asked to at creation time.
    SDL_SetHint(SDL_HINT_VIDEO_FOREIGN_WINDOW_OPENGL, allowOpenGl ? "1" : "0");
    const auto nativeId = static_cast<uintptr_t>(host->winId());
    return SDL_CreateWindowFrom(reinterpret_cast<const void*>(nativeId));
}

}  // namespace

SdlVideoSurface::~SdlVideoSurface()
{
    Destroy();
}

bool SdlVideoSurface::Create(QWidget* host, int texW, int texH, TextureLayout layout, RendererChoice choice)
{
    Destroy();
    if (!host || texW <= 0 || texH <= 0 || texW > 16384 || texH > 16384) return false;
    std::lock_guard<std::mutex> guard(lock);
    if (!CreateRenderer(choice, host)) {
        DestroyLocked();
        return false;
    }
    const Uint32 format = layout == TextureLayout::IYUV ? SDL_PIXELFORMAT_IYUV : SDL_PIXELFORMAT_YV12;
    texture = SDL_CreateTexture(renderer, format, SDL_TEXTUREACCESS_STREAMING, texW, texH);
    if (!texture) {
        DestroyLocked();
        return false;
    }
    // SDL moves a window it believes fixed-size back to where it was made on every size change
    // (a window-manager workaround); the widget decides where its window is.
    SDL_SetWindowResizable(window, SDL_TRUE);
    textureWidth = texW;
    textureHeight = texH;
    SDL_RenderSetScale(renderer, 1.0f, 1.0f);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    int w = host->width(), h = host->height();
    if (w > 0 && h > 0) SDL_SetWindowSize(window, w, h);
    ReleaseContext();
    return true;
}

bool SdlVideoSurface::CreateRenderer(RendererChoice choice, QWidget* host)
{
    if (choice == RendererChoice::AcceleratedWithFallback) {
        window = WindowFromWidget(host, true);
        if (window) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
        if (renderer) {
            accelerated = true;
        } else if (window) {
            SDL_DestroyWindow(window);
            window = nullptr;
        }
    }
    if (!renderer) {
        // A plain X11 framebuffer: SDL would otherwise back the software renderer's window
        // surface with an OpenGL texture, which is what failed above.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        window = WindowFromWidget(host, false);
        if (!window) return false;
        renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
        if (!renderer) return false;
        accelerated = false;
    }
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer, &info) == 0 && info.name) rendererName = info.name;
    usesGlContext = rendererName.rfind("opengl", 0) == 0;
    return true;
}

void SdlVideoSurface::Destroy()
{
    std::lock_guard<std::mutex> guard(lock);
    DestroyLocked();
}

void SdlVideoSurface::DestroyLocked()
{
    if (texture) SDL_DestroyTexture(texture);
    if (renderer) SDL_DestroyRenderer(renderer);
    if (window) SDL_DestroyWindow(window);
    texture = nullptr;
    renderer = nullptr;
    window = nullptr;
    textureWidth = textureHeight = 0;
    hasPicture = false;
    accelerated = false;
    usesGlContext = false;
    rendererName.clear();
}

void SdlVideoSurface::SetWindowSize(int w, int h)
{
    if (w <= 0 || h <= 0) return;
    std::lock_guard<std::mutex> guard(lock);
    if (window) SDL_SetWindowSize(window, w, h);
}

void SdlVideoSurface::ReleaseContext()
{
    if (usesGlContext && window) SDL_GL_MakeCurrent(window, nullptr);
}

void SdlVideoSurface::ReportFailure()
{
    if (SdlRelayoutNotifier* notifier = relayoutNotifier.load()) notifier->Notify();
}

bool SdlVideoSurface::Render(const VideoPicture& picture, const SDL_Rect* src, const SDL_Rect* dst,
                             const std::function<void(SDL_Renderer*)>& overlay)
{
    std::lock_guard<std::mutex> guard(lock);
    if (!renderer || !texture) return false;
    if (picture.width != textureWidth || picture.height != textureHeight || !picture.y || !picture.u ||
        !picture.v || picture.lumaPitch < picture.width || picture.chromaPitch < (picture.width + 1) / 2)
        return false;
    const SDL_Rect whole{0, 0, textureWidth, textureHeight};
    hasPicture = SDL_UpdateYUVTexture(texture, &whole, picture.y, picture.lumaPitch, picture.u, picture.chromaPitch,
                                      picture.v, picture.chromaPitch) == 0;
    const bool ok = hasPicture && PresentLocked(src, dst, overlay);
    ReleaseContext();
    if (!ok) ReportFailure();
    return ok;
}

bool SdlVideoSurface::Redraw(const SDL_Rect* src, const SDL_Rect* dst, const std::function<void(SDL_Renderer*)>& overlay)
{
    std::lock_guard<std::mutex> guard(lock);
    if (!renderer) return false;
    const bool ok = PresentLocked(src, dst, overlay);
    ReleaseContext();
    return ok;
}

bool SdlVideoSurface::PresentLocked(const SDL_Rect* src, const SDL_Rect* dst,
                                    const std::function<void(SDL_Renderer*)>& overlay)
{
    bool ok = SDL_RenderClear(renderer) == 0;
    const bool emptySource = src && (src->w <= 0 || src->h <= 0);
    if (ok && hasPicture && !emptySource) ok = SDL_RenderCopy(renderer, texture, src, dst) == 0;
    if (ok && overlay) overlay(renderer);
    if (ok) SDL_RenderPresent(renderer);
    return ok;
}

void SdlVideoSurface::ForgetPicture()
{
    std::lock_guard<std::mutex> guard(lock);
    hasPicture = false;
}

bool SdlVideoSurface::IsCreated() const
{
    std::lock_guard<std::mutex> guard(lock);
    return renderer && texture;
}

bool SdlVideoSurface::IsAccelerated() const
{
    std::lock_guard<std::mutex> guard(lock);
    return accelerated;
}

std::string SdlVideoSurface::RendererName() const
{
    std::lock_guard<std::mutex> guard(lock);
    return rendererName;
}

int SdlVideoSurface::TextureWidth() const
{
    std::lock_guard<std::mutex> guard(lock);
    return textureWidth;
}

int SdlVideoSurface::TextureHeight() const
{
    std::lock_guard<std::mutex> guard(lock);
    return textureHeight;
}
