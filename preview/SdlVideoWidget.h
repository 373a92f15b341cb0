#pragma once
// A Qt widget whose native window belongs to SDL: Qt neither paints it nor clears its
// background, so what SDL presents stays on screen. It owns the SDL surface drawn into it.
#include "preview/SdlVideoSurface.h"

#include <QWidget>
#include <atomic>
#include <functional>

class SdlVideoWidget : public QWidget {
    Q_OBJECT
public:
    explicit SdlVideoWidget(QWidget* parent = nullptr);
    ~SdlVideoWidget() override;

    // UI thread. (Re)makes the surface at the given texture size.
    bool CreateSurface(int textureWidth, int textureHeight, SdlVideoSurface::TextureLayout layout,
                       SdlVideoSurface::RendererChoice choice = SdlVideoSurface::RendererChoice::AcceleratedWithFallback);
    void DestroySurface();

    SdlVideoSurface& Surface() { return surface; }
    // How the owner draws the window again when it is uncovered (UI thread; called after the
    // paint, never inside it, so the owner may take its own lock). Without one the surface
    // presents its last picture again as it is.
    void SetRedraw(std::function<void()> redraw) { redrawHandler = std::move(redraw); }
    // Whether the widget is visible, readable from the render thread.
    bool IsShownForRendering() const { return shown.load(std::memory_order_acquire); }

    QPaintEngine* paintEngine() const override { return nullptr; }
    // Puts the native window where the widget is: Qt does not always move a native child whose
    // non-native ancestors moved, or that was moved while hidden.
    void SyncNativeGeometry();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Redraw();

    SdlVideoSurface surface;
    std::atomic<bool> shown{false};
    std::function<void()> redrawHandler;
    bool redrawPending = false;
};
