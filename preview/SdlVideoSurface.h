#pragma once
// An SDL renderer and streaming YUV texture drawing into the native window of a Qt widget.
// Created, resized and destroyed on the UI thread; Render runs on a channel's render thread.
// One lock, alive as long as the surface, serialises rendering with destruction.
#include "preview/VideoTarget.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <string>

#include <SDL.h>

class QWidget;
class SdlRelayoutNotifier;

class SdlVideoSurface {
public:
    enum class TextureLayout { IYUV, YV12 };
    enum class RendererChoice { AcceleratedWithFallback, SoftwareOnly };

    SdlVideoSurface() = default;
    ~SdlVideoSurface();
    SdlVideoSurface(const SdlVideoSurface&) = delete;
    SdlVideoSurface& operator=(const SdlVideoSurface&) = delete;

    // UI thread, after SDL_Init(SDL_INIT_VIDEO). Makes the SDL window from the widget's native
    // window, a renderer (accelerated, else software) and a streaming texture of the given size.
    // False leaves the surface empty.
    bool Create(QWidget* host, int textureWidth, int textureHeight, TextureLayout layout,
                RendererChoice choice = RendererChoice::AcceleratedWithFallback);
    // UI thread: frees texture, renderer and SDL window under the lock.
    void Destroy();
    // UI thread: tells SDL the window's new size, so the renderer's output follows the widget.
    void SetWindowSize(int windowWidth, int windowHeight);

    // Render thread. Uploads the picture, copies src (whole texture when null; nothing when
    // empty, which leaves the window black) to dst (whole window when null), lets overlay draw on
    // top, and presents. A picture whose size is not the texture's is skipped. False when nothing
    // was shown.
    bool Render(const VideoPicture& picture, const SDL_Rect* src, const SDL_Rect* dst,
                const std::function<void(SDL_Renderer*)>& overlay = {});
    // UI thread, when the window was uncovered: presents the last picture again from the texture,
    // which keeps it, as Render does (black without one). False without a renderer.
    bool Redraw(const SDL_Rect* src, const SDL_Rect* dst, const std::function<void(SDL_Renderer*)>& overlay = {});
    // The texture's picture is stale (its layer went off): a redraw shows black until the next one.
    void ForgetPicture();

    // Who to tell when the surface fails and must be rebuilt (may be null). The notifier must
    // outlive the surface.
    void SetNotifier(SdlRelayoutNotifier* notifier) { relayoutNotifier.store(notifier); }

    bool IsCreated() const;
    bool IsAccelerated() const;
    std::string RendererName() const;
    int TextureWidth() const;
    int TextureHeight() const;

    // For owners that draw into the renderer themselves (UI thread), under Lock().
    std::mutex& Lock() { return lock; }
    SDL_Renderer* Renderer() const { return renderer; }
    SDL_Window* Window() const { return window; }
    // Releases the renderer's GL context from the calling thread (call under Lock() after
    // drawing), so that the other thread can take it next.
    void ReleaseContext();

private:
    bool CreateRenderer(RendererChoice choice, QWidget* host);
    void DestroyLocked();
    // Under the lock: black, the texture's picture (when it holds one) from src to dst, the
    // overlay, presented. False when a step failed.
    bool PresentLocked(const SDL_Rect* src, const SDL_Rect* dst, const std::function<void(SDL_Renderer*)>& overlay);
    void ReportFailure();

    mutable std::mutex lock;
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    int textureWidth = 0;
    int textureHeight = 0;
    bool hasPicture = false;
    bool accelerated = false;
    bool usesGlContext = false;
    std::string rendererName;
    std::atomic<SdlRelayoutNotifier*> relayoutNotifier{nullptr};
};
