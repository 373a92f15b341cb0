#include "preview/MShowVideoDlg.h"

#include "controls/CGdipButton.h"
#include "pagekit/DialogIds.h"
#include "pagekit/DialogLanguage.h"
#include "platform/ControlId.h"
#include "preview/FourViewIds.h"
#include "preview/SdlVideoWidget.h"
#include "preview/VideoChannelSet.h"

#include <QLabel>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QShowEvent>
#include <QResizeEvent>

#include <algorithm>

using cellgeo::CellRect;

namespace {

QRect ToQRect(const CellRect& r)
{
    return QRect(r.left, r.top, r.Width(), r.Height());
}

constexpr int kCaptionIds[MShowVideoDlg::kViews] = {
    ctl::four_view::IDC_VIEW_CAPTION_1, ctl::four_view::IDC_VIEW_CAPTION_2, ctl::four_view::IDC_VIEW_CAPTION_3,
    ctl::four_view::IDC_VIEW_CAPTION_4};

} // namespace

// --- ShowStatic ---

ShowStatic::~ShowStatic()
{
    Destroy();
}

void ShowStatic::CreateChildWindow(const CellRect& rect, QWidget* parent, int controlId)
{
    if (child) {
        child->move(rect.left, rect.top);
        return;
    }
    auto* w = new SdlVideoWidget(parent);
    // The views are plain windows: no control id unless asked for.
    if (controlId) SetControlId(w, controlId);
    // Presses on a view belong to the window (it is moved and resized from anywhere near its edges).
    w->setAttribute(Qt::WA_TransparentForMouseEvents);
    w->hide();
    w->setGeometry(ToQRect(rect));
    w->SetRedraw([this] { Redraw(); });
    std::lock_guard<std::mutex> guard(lock);
    child = w;
}

bool ShowStatic::CreateSdlView(int previewWidth, int previewHeight)
{
    std::lock_guard<std::mutex> guard(lock);
    if (!child) return false;
    textureRect = SDL_Rect{0, 0, previewWidth, previewHeight};
    return child->CreateSurface(previewWidth, previewHeight, SdlVideoSurface::TextureLayout::YV12);
}

void ShowStatic::DestroySdlView()
{
    std::lock_guard<std::mutex> guard(lock);
    if (child) child->DestroySurface();
}

void ShowStatic::Destroy()
{
    SdlVideoWidget* old = nullptr;
    {
        std::lock_guard<std::mutex> guard(lock);
        if (child) child->DestroySurface();
        old = child;
        child = nullptr;
    }
    delete old;
}

void ShowStatic::Place(const CellRect& rect)
{
    // Under the lock: the render thread must never draw with a destination of the old size.
    std::lock_guard<std::mutex> guard(lock);
    if (!child) return;
    child->setGeometry(ToQRect(rect));
    child->Surface().SetWindowSize(rect.Width(), rect.Height());
    dstRect = spareRect = SDL_Rect{0, 0, rect.Width(), rect.Height()};
}

void ShowStatic::SetSourceRect(const CellRect& r)
{
    std::lock_guard<std::mutex> guard(lock);
    srcRect = SDL_Rect{r.left, r.top, r.Width(), r.Height()};
}

bool ShowStatic::Present(const VideoPicture* picture)
{
    std::lock_guard<std::mutex> guard(lock);
    if (!child || dstRect.w <= 0 || dstRect.h <= 0) return false;
    const SDL_Rect src = srcRect;
    const SDL_Rect dst = dstRect;
    const SDL_Rect* from = src.w > 0 && src.h > 0 ? &src : nullptr;
    return picture ? child->Surface().Render(*picture, from, &dst) : child->Surface().Redraw(from, &dst);
}

void ShowStatic::RenderFrame(const VideoPicture& picture)
{
    if (Present(&picture)) framesShown.fetch_add(1, std::memory_order_relaxed);
}

void ShowStatic::Redraw() { Present(nullptr); }

bool ShowStatic::IsShown() const
{
    std::lock_guard<std::mutex> guard(lock);
    return child && child->IsShownForRendering();
}

bool ShowStatic::HasSdlView() const
{
    std::lock_guard<std::mutex> guard(lock);
    return child && child->Surface().IsCreated();
}

SDL_Rect ShowStatic::SourceRect() const
{
    std::lock_guard<std::mutex> guard(lock);
    return srcRect;
}

SDL_Rect ShowStatic::DestinationRect() const
{
    std::lock_guard<std::mutex> guard(lock);
    return dstRect;
}

SDL_Rect ShowStatic::TextureRect() const
{
    std::lock_guard<std::mutex> guard(lock);
    return textureRect;
}

int ShowStatic::FramesShown() const { return framesShown.load(std::memory_order_relaxed); }

// --- MShowVideoDlg ---

MShowVideoDlg::MShowVideoDlg(QWidget* parent) : MBaseDialog(IDD_FOUR_VIEW, parent, false)
{
    SetTitle(QString());
    SetDragByBand(true);
    setMinimumSize(fourview::kMinWidth, fourview::kMinHeight);
    for (int i = 0; i < kViews; ++i) {
        auto* label = new QLabel(QStringLiteral("DVI-%1:").arg(i + 1), this);
        SetControlId(label, kCaptionIds[i]);
        captions[static_cast<size_t>(i)] = label;
    }
    hide();
}

MShowVideoDlg::~MShowVideoDlg()
{
    DestroyViews();
}

void MShowVideoDlg::OnInitDialog()
{
    if (IsInitialised()) return;
    MBaseDialog::OnInitDialog();
    CreateCaptionButtons(true);
    ApplyFontToChildren();
    PlaceViews();
}

void MShowVideoDlg::DestroyViews()
{
    for (ShowStatic& v : views) {
        // Unregistered first: once DetachTarget returns the render thread never calls the view again.
        if (channel)
            if (CVideoChannel* c = channel->Channel(0)) c->DetachTarget(&v);
        v.Destroy();
    }
}

void MShowVideoDlg::LayoutViews(VideoChannelSet* channels, bool videoOn, int pw, int ph)
{
    if (!channels || !videoOn) {
        DestroyViews();
        channel = channels;
        return;
    }
    channel = channels;
    previewWidth = pw;
    previewHeight = ph;
    CVideoChannel* c0 = channel->Channel(0);
    for (int i = 0; i < kViews; ++i) {
        ShowStatic& v = views[static_cast<size_t>(i)];
        const CellRect r = fourview::ViewRect(i, width(), height());
        v.DestroySdlView();
        v.CreateChildWindow(CellRect{r.left, r.top, r.left + pw, r.top + ph}, this, 0);
        v.Child()->show();
        v.CreateSdlView(pw, ph);
        v.Child()->Surface().SetNotifier(notifier);
        v.Place(r);
        if (c0) c0->AttachTarget(&v, kVideoTargetView);
        v.SetSourceRect(fourview::ViewSourceRect(i, pw, ph));
    }
}

void MShowVideoDlg::PlaceViews()
{
    for (int i = 0; i < kViews; ++i) {
        if (QLabel* label = captions[static_cast<size_t>(i)])
            label->setGeometry(ToQRect(fourview::ViewCaptionRect(i, width(), height())));
        views[static_cast<size_t>(i)].Place(fourview::ViewRect(i, width(), height()));
    }
}

void MShowVideoDlg::resizeEvent(QResizeEvent* e)
{
    MBaseDialog::resizeEvent(e);
    PlaceViews();
    SyncViewWindows();
}

void MShowVideoDlg::moveEvent(QMoveEvent* e)
{
    MBaseDialog::moveEvent(e);
    SyncViewWindows();
}

void MShowVideoDlg::showEvent(QShowEvent* e)
{
    MBaseDialog::showEvent(e);
    SyncViewWindows();
}

void MShowVideoDlg::KeepInside(const QRect& area)
{
    // A page too small for the window (hidden, minimised) leaves it where it is.
    if (area.width() < minimumWidth() || area.height() < minimumHeight()) return;
    QRect r = geometry();
    r.setSize(r.size().boundedTo(area.size()));
    r.moveLeft(std::clamp(r.left(), area.left(), area.right() + 1 - r.width()));
    r.moveTop(std::clamp(r.top(), area.top(), area.bottom() + 1 - r.height()));
    if (r != geometry()) setGeometry(r);
}

void MShowVideoDlg::SyncViewWindows()
{
    for (ShowStatic& v : views)
        if (SdlVideoWidget* child = v.Child()) child->SyncNativeGeometry();
}

void MShowVideoDlg::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && !IsMaximized()) {
        const QPoint g = e->globalPosition().toPoint();
        const QRect frame(mapToGlobal(QPoint(0, 0)), size());
        const int hit = fourview::HitTest(g.x(), g.y(),
                                          CellRect{frame.left(), frame.top(), frame.left() + frame.width() - 1,
                                                   frame.top() + frame.height() - 1});
        if (hit >= fourview::kHitLeft && hit <= fourview::kHitBottomRight) {
            resizeHit = hit;
            resizeStart = geometry();
            resizeFrom = g;
            e->accept();
            return;
        }
    }
    MBaseDialog::mousePressEvent(e);
}

void MShowVideoDlg::ResizeByHit(const QPoint& g)
{
    const int dx = g.x() - resizeFrom.x();
    const int dy = g.y() - resizeFrom.y();
    QRect r = resizeStart;
    const bool left = resizeHit == fourview::kHitLeft || resizeHit == fourview::kHitTopLeft ||
                      resizeHit == fourview::kHitBottomLeft;
    const bool right = resizeHit == fourview::kHitRight || resizeHit == fourview::kHitTopRight ||
                       resizeHit == fourview::kHitBottomRight;
    const bool top = resizeHit == fourview::kHitTop || resizeHit == fourview::kHitTopLeft ||
                     resizeHit == fourview::kHitTopRight;
    const bool bottom = resizeHit == fourview::kHitBottom || resizeHit == fourview::kHitBottomLeft ||
                        resizeHit == fourview::kHitBottomRight;
    if (left) r.setLeft(std::min(r.left() + dx, r.right() + 1 - fourview::kMinWidth));
    if (right) r.setRight(std::max(r.right() + dx, r.left() - 1 + fourview::kMinWidth));
    if (top) r.setTop(std::min(r.top() + dy, r.bottom() + 1 - fourview::kMinHeight));
    if (bottom) r.setBottom(std::max(r.bottom() + dy, r.top() - 1 + fourview::kMinHeight));
    setGeometry(r);
}

void MShowVideoDlg::mouseMoveEvent(QMouseEvent* e)
{
    if (resizeHit != fourview::kHitNowhere) {
        ResizeByHit(e->globalPosition().toPoint());
        e->accept();
        return;
    }
    MBaseDialog::mouseMoveEvent(e);
}

void MShowVideoDlg::mouseReleaseEvent(QMouseEvent* e)
{
    if (resizeHit != fourview::kHitNowhere && e->button() == Qt::LeftButton) {
        resizeHit = fourview::kHitNowhere;
        e->accept();
        return;
    }
    MBaseDialog::mouseReleaseEvent(e);
}
