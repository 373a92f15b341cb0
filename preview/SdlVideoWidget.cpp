#include "preview/SdlVideoWidget.h"

#include <QResizeEvent>
#include <QWindow>

SdlVideoWidget::SdlVideoWidget(QWidget* parent) : QWidget(parent)
{
    // SDL owns the pixels of this window: Qt must give it a native window of its own and
    // never paint or clear it.
    setAttribute(Qt::WA_NativeWindow);
    setAttribute(Qt::WA_PaintOnScreen);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_DontCreateNativeAncestors);
    setAutoFillBackground(false);
}

SdlVideoWidget::~SdlVideoWidget()
{
    shown.store(false, std::memory_order_release);
    surface.Destroy();
}

bool SdlVideoWidget::CreateSurface(int textureWidth, int textureHeight, SdlVideoSurface::TextureLayout layout,
                                   SdlVideoSurface::RendererChoice choice)
{
    return surface.Create(this, textureWidth, textureHeight, layout, choice);
}

void SdlVideoWidget::DestroySurface()
{
    surface.Destroy();
}

void SdlVideoWidget::SyncNativeGeometry()
{
    QWindow* native = windowHandle();
    if (!native) return;
    const QWidget* nativeParent = nativeParentWidget();
    const QRect wanted(nativeParent ? mapTo(nativeParent, QPoint(0, 0)) : pos(), size());
    if (native->geometry() != wanted) native->setGeometry(wanted);
}

void SdlVideoWidget::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    SyncNativeGeometry();
}

void SdlVideoWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    SyncNativeGeometry();
    surface.SetWindowSize(event->size().width(), event->size().height());
}

void SdlVideoWidget::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    SyncNativeGeometry();
    shown.store(true, std::memory_order_release);
}

void SdlVideoWidget::hideEvent(QHideEvent* event)
{
    shown.store(false, std::memory_order_release);
    QWidget::hideEvent(event);
}

void SdlVideoWidget::paintEvent(QPaintEvent*)
{
    // The window was uncovered (or shown): what lay over it stays on screen until it is drawn
    // again. Drawn after the paint, once however many paints came: the owner may be holding its
    // lock while it moves the window, which is what can bring a paint.
    if (redrawPending) return;
    redrawPending = true;
    QMetaObject::invokeMethod(this, &SdlVideoWidget::Redraw, Qt::QueuedConnection);
}

void SdlVideoWidget::Redraw()
{
    redrawPending = false;
    if (redrawHandler)
        redrawHandler();
    else
        surface.Redraw(nullptr, nullptr);
}
