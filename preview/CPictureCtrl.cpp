#include "preview/CPictureCtrl.h"

#include "platform/Fonts.h"
#include "platform/MessageEvent.h"
#include "platform/MessageIds.h"
#include "platform/NativeStacking.h"
#include "preview/SdlVideoWidget.h"
#include "preview/VideoChannelSet.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <vector>

using cellgeo::CellRect;

namespace {

QRect ToQRect(const CellRect& r)
{
    return QRect(r.left, r.top, r.Width(), r.Height());
}

CellRect RaiseNegatives(CellRect r)
{
    r = cellgeo::Normalised(r);
    r.left = std::max(0, r.left);
    r.top = std::max(0, r.top);
    r.right = std::max(0, r.right);
    r.bottom = std::max(0, r.bottom);
    return r;
}

} // namespace

CPictureCtrl::CPictureCtrl(QWidget* parent) : QWidget(parent)
{
    style.labelFont = MakeFont(QStringLiteral("Arial"), 16, 700);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    // Every pixel is painted by paintEvent.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

CPictureCtrl::~CPictureCtrl()
{
    RemoveLayerCells();
    qDeleteAll(cells);
    cells.clear();
}

CPictureCtrl::Rect CPictureCtrl::ClientRect() const
{
    return Rect{0, 0, width(), height()};
}

CPictureCtrl::Rect CPictureCtrl::OutputToCanvas(const Rect& r) const
{
    return cellgeo::OutputToCanvas(r, scaleX, scaleY, ClientRect());
}

CPictureCtrl::Rect CPictureCtrl::CanvasToOutput(const Rect& c) const
{
    return cellgeo::CanvasToOutput(c, scaleX, scaleY);
}

void CPictureCtrl::UseScaleFor(const CCell* cell)
{
    const bool layerPair = !cell->fixed || cell->state;
    scaleX = layerPair ? layerScaleX : fixedScaleX;
    scaleY = layerPair ? layerScaleY : fixedScaleY;
}

void CPictureCtrl::MapCell(CCell* cell, bool layerPair)
{
    cell->outputRect = RaiseNegatives(cellgeo::SizedRect(originX, originY, outputWidth, outputHeight));
    scaleX = layerPair ? layerScaleX : fixedScaleX;
    scaleY = layerPair ? layerScaleY : fixedScaleY;
    cell->rect = OutputToCanvas(cell->outputRect);
    cell->style = &style;
}

CCell* CPictureCtrl::AddFixedCell(const Rect& start, const QString& name, int ox, int oy, int id)
{
    outputWidth = 1920;
    outputHeight = 1080;
    originX = ox;
    originY = oy;
    auto* cell = new CCell;
    cell->rect = start;
    MapCell(cell, false);
    cells.append(cell);
    cell->SetName(name);
    cell->SetHidden(false);
    cell->frameOnly = 0;
    cell->state = 0;
    cell->fixed = 1;
    cell->id = id;
    update();
    return cell;
}

CCell* CPictureCtrl::AddLayerCell(int ow, int oh, int ox, int oy, const QString& name, int layer, int id)
{
    if (LayerCell(layer)) return nullptr;
    outputWidth = ow;
    outputHeight = oh;
    originX = ox;
    originY = oy;
    auto* cell = new CCell;
    MapCell(cell, true);
    cell->layer = layer;
    cell->SetName(name);
    cell->id = id;
    if (videoOn) {
        cell->CreateWindow(this, layer, previewWidth, previewHeight);
        cell->SetTextureRects(previewWidth, previewHeight);
        cell->CreateVideoSurface();
        cell->OpenLabelFont();
        cell->PlaceWindow(cell->rect);
        cell->attached = 0;
        cell->ShowWindow(false);
    }
    InsertByLayer(cell);
    ApplyZOrder();
    update();
    return cell;
}

void CPictureCtrl::InsertByLayer(CCell* cell)
{
    if (!cell) return;
    for (int i = 0; i < cells.size(); ++i) {
        if (cells[i]->fixed || cells[i]->layer > cell->layer) {
            cells.insert(i, cell);
            return;
        }
    }
    cells.append(cell);
}

void CPictureCtrl::SortByLayer()
{
    for (int pass = 0; pass < cells.size(); ++pass) {
        bool swapped = false;
        for (int i = 0; i + 1 < cells.size(); ++i) {
            if (cells[i]->layer > cells[i + 1]->layer) {
                cells.swapItemsAt(i, i + 1);
                swapped = true;
            }
        }
        if (!swapped) break;
    }
}

void CPictureCtrl::MoveCellToTail(CCell* cell)
{
    const auto index = cells.indexOf(cell);
    if (index < 0) return;
    cells.removeAt(index);
    cells.append(cell);
}

void CPictureCtrl::ApplyZOrder()
{
    // The video windows of the layer cells in list order, each above the one before.
    std::vector<QWidget*> windows;
    for (CCell* c : cells)
        if (!c->fixed && c->Window()) windows.push_back(c->Window());
    for (size_t i = windows.size(); i-- > 1;) windows[i - 1]->stackUnder(windows[i]);
    StackNativeWindows(windows);
}

void CPictureCtrl::DetachCellFromVideoChannel(CCell* cell)
{
    if (!cell) return;
    // Once detached, the render thread never calls the cell again.
    if (channel)
        for (int i = 0; i < VideoChannelSet::kChannels; ++i)
            if (CVideoChannel* c = channel->Channel(i)) c->DetachTarget(cell);
    cell->attached = 0;
}

void CPictureCtrl::RemoveLayerCells()
{
    selected = nullptr;
    for (int i = static_cast<int>(cells.size()) - 1; i >= 0; --i) {
        CCell* cell = cells[i];
        if (cell->fixed) continue;
        DetachCellFromVideoChannel(cell);
        cells.removeAt(i);
        delete cell;
    }
    update();
}

void CPictureCtrl::AttachCellToVideoChannel(CCell* cell)
{
    if (!videoOn || !cell) return;
    cell->channelIndex = 0;
    cell->attached = 1;
    if (channel)
        if (CVideoChannel* c = channel->Channel(0)) c->AttachTarget(cell, kVideoTargetCell);
    // A hidden cell keeps its window hidden: it would show a stale picture.
    cell->ShowWindow(!cell->IsHidden());
}

CCell* CPictureCtrl::LayerCell(int layer) const
{
    for (CCell* cell : cells)
        if (!cell->fixed && cell->layer == layer) return cell;
    return nullptr;
}

bool CPictureCtrl::HasCell(const CCell* cell) const
{
    return cell && std::find(cells.begin(), cells.end(), cell) != cells.end();
}

void CPictureCtrl::InvalidateCell(const CCell* cell)
{
    if (cell) update(ToQRect(cellgeo::Inflate(cell->rect, 4, 5, 5, 4)));
}

bool CPictureCtrl::IsShown(const CCell* cell)
{
    return cell && cell->IsVisible() && (!cell->Window() || cell->IsWindowShown());
}

void CPictureCtrl::SelectCell(CCell* cell)
{
    if (cell == selected || (cell && !IsShown(cell))) return;
    if (selected) {
        selected->SetSelected(false);
        InvalidateCell(selected);
    }
    selected = cell;
    if (cell) {
        cell->SetSelected(true);
        InvalidateCell(cell);
    }
}

CPictureCtrl::Rect CPictureCtrl::ShownRect(const CCell* cell) const
{
    const Rect area = cell->limitRect.IsEmpty() ? ClientRect() : cell->limitRect;
    return cellgeo::CutInto(OutputToCanvas(cellgeo::CutInto(cell->outputRect, cell->limitOutputRect)), area);
}

void CPictureCtrl::PlaceCellWindow(const Rect& output, CCell* cell)
{
    if (!cell) return;
    UseScaleFor(cell);
    if (cell->fixed) {
        cell->outputRect = RaiseNegatives(output);
        cell->rect = cell->altRect = cell->KeepSizeClamp(ClientRect(), OutputToCanvas(cell->outputRect));
    } else {
        // The processor's window as it is: a window overhanging its output keeps its place and size.
        cell->outputRect = cellgeo::Normalised(output);
        cell->rect = ShownRect(cell);
        cell->PlaceWindow(cell->rect);
    }
    // Placed anew while it is dragged (a reply, a zoom): the rest of the drag starts from here.
    if (capturing && cell == selected) Anchor(cell);
    update();
}

void CPictureCtrl::Anchor(const CCell* cell)
{
    anchorOutput = cell->outputRect;
    anchorCanvas = dragRect = cell->rect;
    dragCut = !cell->fixed && cellgeo::CutInto(cell->outputRect, cell->limitOutputRect) != cell->outputRect;
    if (dragCut && dragMode == kDragResize) {
        // A grabbed edge starts where it is drawn, on the output's edge when it is cut there.
        const Rect shown = cellgeo::CutInto(cell->outputRect, cell->limitOutputRect);
        const cellgeo::ZoneEdges e = cellgeo::EdgesOfZone(dragZone);
        if (e.left) anchorOutput.left = shown.left;
        if (e.top) anchorOutput.top = shown.top;
        if (e.right) anchorOutput.right = shown.right;
        if (e.bottom) anchorOutput.bottom = shown.bottom;
    }
    dragArea = cell->limitOutputRect.IsEmpty() ? Rect{} : cellgeo::BoundingBox(cell->limitOutputRect, anchorOutput);
}

void CPictureCtrl::RelayoutCells()
{
    for (CCell* cell : cells) PlaceCellWindow(cell->outputRect, cell);
}

void CPictureCtrl::MoveCellBy(CCell* cell, const Rect& output)
{
    if (!cell) return;
    const Rect o = cellgeo::Normalised(output);
    // Not raised to 0: a window overhanging its output's top-left keeps its place.
    cell->outputRect = cellgeo::Normalised(
        cellgeo::Offset(cell->outputRect, int64_t{o.left} - cell->originX, int64_t{o.top} - cell->originY));
    cell->originX = o.left;
    cell->originY = o.top;
    scaleX = layerScaleX;
    scaleY = layerScaleY;
    cell->limitRect = OutputToCanvas(o);
    cell->limitOutputRect = o;
    cell->savedRect = Rect{};
    cell->savedOutputRect = Rect{};
}

void CPictureCtrl::CommitCell(CCell* cell)
{
    if (!IsShown(cell)) return;
    // The cell's output rectangle is already exact (snapped edges included): it is what is sent.
    PostMsg(parentWidget(), WM_CELL_CHANGED, reinterpret_cast<WPARAM>(cell), cell->fixed ? 1 : 0);
}

CCell* CPictureCtrl::PickCell(int x, int y) const
{
    std::vector<cellgeo::PickEntry> entries;
    entries.reserve(static_cast<size_t>(cells.size()));
    int selectedIndex = -1;
    for (int i = 0; i < cells.size(); ++i) {
        const CCell* c = cells[i];
        entries.push_back({c->rect, IsShown(c), c->fixed != 0, c->state != 0});
        if (c == selected) selectedIndex = i;
    }
    const int index = cellgeo::PickCell(entries, selectedIndex, x, y);
    return index < 0 ? nullptr : cells[index];
}

void CPictureCtrl::OnMenuCommand(int id)
{
    if (id == kMenuTopSetting) PostMsg(parentWidget(), WM_CANVAS_MENU, 0, 0);
}

void CPictureCtrl::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton) return;
    setFocus(Qt::MouseFocusReason);
    const int x = e->position().toPoint().x();
    const int y = e->position().toPoint().y();
    CCell* cell = PickCell(x, y);
    if (e->modifiers() & Qt::ControlModifier) {
        if (cell) cell->ToggleSelected();
        SelectCell(nullptr);
        update();
        return;
    }
    if (!cell) {
        for (CCell* c : cells) c->SetSelected(false);
        selected = nullptr;
        update();
        return;
    }
    if ((cell->tag == 0 && cell->useAltRect) || (cell->fixed && cell->state)) return;
    SelectCell(cell);
    dragZone = cell->HitTest(x, y);
    if (dragZone == cellgeo::kZoneNone) return;
    const Rect client = ClientRect();
    if (dragZone == cellgeo::kZoneInterior) {
        dragMode = kDragMove;
        clip = cellgeo::MoveClip(client, cell->rect, x, y);
        if (!cell->fixed && !cell->limitRect.IsEmpty()) {
            // Qt has no cursor clip: the drag point is clamped instead, and never so far that
            // the cell would leave the canvas.
            const Rect limitClip = cellgeo::LimitClip(cell->limitRect, cell->rect);
            const Rect both = cellgeo::Intersection(limitClip, clip);
            clip = both.IsEmpty() ? clip : both;
        }
    } else {
        dragMode = kDragResize;
        if (cell->fixed) {
            dragMode = kDragNone;
            return;
        }
        clip = client;
    }
    lastX = downX = x;
    lastY = downY = y;
    capturing = true;
    Anchor(cell);
    PostMsg(parentWidget(), WM_CELL_SELECTED, reinterpret_cast<WPARAM>(cell), 0);
}

void CPictureCtrl::UpdateHoverCursor(int x, int y)
{
    const CCell* cell = PickCell(x, y);
    Qt::CursorShape shape = Qt::ArrowCursor;
    if (cell) {
        const int zone = cell->HitTest(x, y);
        if (!cell->fixed)
            shape = CCell::GetHandleCursor(zone);
        else if (!cell->state && zone == cellgeo::kZoneInterior)
            shape = Qt::PointingHandCursor;
    }
    if (cursor().shape() != shape) setCursor(shape);
}

void CPictureCtrl::MoveStep(CCell* cell, int x, int y)
{
    const Rect client = ClientRect();
    const Rect& m = cell->margins;
    Rect moved = cellgeo::Offset(dragRect, x - lastX, y - lastY);
    snapMode = cellgeo::kSnapNone;
    cellgeo::SnapResult snap;
    const CCell* neighbour = nullptr;
    for (const CCell* n : cells) {
        if (n == cell || n->IsHidden()) continue;
        Rect mTest = moved, nTest = n->rect;
        if (cell->fixed) {
            mTest = cellgeo::Inflate(moved, m.left, m.top, m.right, m.bottom);
            const Rect& nm = n->margins;
            nTest = cellgeo::Inflate(n->rect, nm.left, nm.top, nm.right, nm.bottom);
        }
        const cellgeo::SnapResult s = cellgeo::SnapToNeighbour(mTest, nTest);
        if (s.mode == cellgeo::kSnapNone) continue;
        snap = s;
        neighbour = n;
        snapMode = s.mode;
        snapRect = n->rect;
        moved = cell->fixed ? cellgeo::Inflate(s.rect, -m.left, -m.top, -m.right, -m.bottom) : s.rect;
        break;
    }
    cell->rect = dragRect;
    const bool changed = cell->MoveTo(client, moved);
    if (changed) {
        dragRect = cell->rect;
        UseScaleFor(cell);
        cell->outputRect = cellgeo::DragOutputRect(cellgeo::kZoneInterior, true, anchorOutput, anchorCanvas, cell->rect,
                                                   scaleX, scaleY, cell->limitRect, dragArea);
        if (neighbour) cell->outputRect = cellgeo::ApplySnapToOutput(snap, cell->outputRect, neighbour->outputRect, true);
    }
    if (cell->fixed) return;
    SnapResize(cellgeo::kZoneInterior, true, cell);
    if (dragCut) cell->rect = ShownRect(cell);
    if (changed || dragCut) cell->PlaceWindow(cell->rect);
}

void CPictureCtrl::ResizeStep(CCell* cell, int x, int y)
{
    cell->ResizeByHandle(ClientRect(), dragZone, x, y);
    UseScaleFor(cell);
    cell->outputRect = cellgeo::DragOutputRect(dragZone, false, anchorOutput, anchorCanvas, cell->rect, scaleX, scaleY,
                                               cell->limitRect, dragArea);
    cell->PlaceWindow(cell->rect);
    SnapResize(dragZone, false, cell);
}

void CPictureCtrl::SnapResize(int zone, bool move, CCell* cell)
{
    if (!resizeSnap) return;
    for (const CCell* f : cells) {
        if (!f->fixed || f->IsHidden() || !f->IntersectsRect(cell->rect)) continue;
        // Its own output's edges lie where the drag may take the window.
        const Rect edges = f->outputRect == cell->limitOutputRect && !dragArea.IsEmpty() ? dragArea : f->outputRect;
        cell->outputRect = cellgeo::SnapResizeOutput(zone, move, cell->outputRect, edges);
        return;
    }
}

void CPictureCtrl::mouseMoveEvent(QMouseEvent* e)
{
    int x = e->position().toPoint().x();
    int y = e->position().toPoint().y();
    if (!capturing) {
        UpdateHoverCursor(x, y);
        return;
    }
    CCell* cell = selected;
    if (!cell || dragMode == kDragNone) return;
    if (!cell->fixed && cell->state) return;
    cellgeo::ClampPoint(clip, x, y);
    if (dragMode == kDragMove)
        MoveStep(cell, x, y);
    else if (!cell->fixed)
        ResizeStep(cell, x, y);
    if (!cell->fixed) {
        const Qt::CursorShape shape = CCell::GetHandleCursor(dragZone);
        if (cursor().shape() != shape) setCursor(shape);
    }
    lastX = x;
    lastY = y;
    update();
}

void CPictureCtrl::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton) return;
    snapMode = cellgeo::kSnapNone;
    update();
    if (capturing && (downX != lastX || downY != lastY) && selected) CommitCell(selected);
    dragMode = kDragNone;
    capturing = false;
}

void CPictureCtrl::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton) return;
    const int x = e->position().toPoint().x();
    const int y = e->position().toPoint().y();
    CCell* cell = PickCell(x, y);
    if (!cell || cell->fixed || cell->IsHidden() || cell->state) return;
    std::vector<cellgeo::FixedEntry> outputs;
    for (const CCell* c : cells)
        if (c->fixed) outputs.push_back({c->rect, c->outputRect, c->IsVisible()});
    const cellgeo::FillRect fill = cellgeo::FindFreeRect(cell->rect, outputs);
    if (!fill.found) return;
    if (fill.canvas != cell->rect) {
        cell->savedRect = cell->rect;
        cell->savedOutputRect = cell->outputRect;
        cell->rect = fill.canvas;
        cell->outputRect = fill.output;
    } else if (!cell->savedRect.IsEmpty()) {
        cell->rect = cell->savedRect;
        cell->outputRect = cell->savedOutputRect;
    } else {
        return;
    }
    cell->PlaceWindow(cell->rect);
    CommitCell(cell);
    update();
}

void CPictureCtrl::keyPressEvent(QKeyEvent* e)
{
    // Enter and Escape stop here: on the canvas they must not reach a page that would close.
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape: e->accept(); return;
    default: QWidget::keyPressEvent(e);
    }
}

void CPictureCtrl::PaintTwoArea(QPainter& p) const
{
    const QWidget* parent = parentWidget();
    const QRect area = parent ? QRect(-pos(), parent->size()) : rect();
    const int half = area.height() / 2;
    const QRect upper(area.left(), area.top(), area.width(), half);
    const QRect lower(area.left(), area.top() + half, area.width(), area.height() - half);
    constexpr int kStrip = 26;
    const QFont titleFont = MakeFont(QStringLiteral("Arial"), 20, 700);
    auto paintHalf = [&](const QRect& h, const QColor& outline, const QString& title) {
        p.fillRect(h, QColor(64, 64, 64));
        const int stripBottom = h.top() + kStrip;
        QPen pen(outline, 6);
        pen.setJoinStyle(Qt::MiterJoin);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        // The outline runs from (left + 3, strip bottom + 3) to (right - 2, bottom - 2), right and
        // bottom exclusive; the pen is centred on that path.
        const int l = h.left() + 3, t = stripBottom + 3;
        const int r = h.left() + h.width() - 3, b = h.top() + h.height() - 3;
        if (r > l && b > t) p.drawRect(QRectF(l, t, r - l, b - t));
        p.setFont(titleFont);
        p.setPen(QColor(255, 255, 255));
        const QFontMetrics metrics(titleFont);
        p.drawText(QRect(h.left(), h.top() + 6, h.width(), metrics.height()), Qt::AlignHCenter | Qt::AlignTop, title);
    };
    paintHalf(upper, QColor(0, 255, 0), QStringLiteral("PREVIEW"));
    paintHalf(lower, QColor(255, 0, 0), QStringLiteral("PROGRAM"));
}

void CPictureCtrl::PaintGrid(QPainter& p, const QRect& exposed) const
{
    if (gridX <= 0 || gridY <= 0) return;
    // The lattice starts at the parent's top-left.
    const QPoint origin = parentWidget() ? -pos() : QPoint(0, 0);
    auto firstAtOrAfter = [](int from, int start, int step) {
        int k = (from - start) / step;
        int v = start + k * step;
        while (v < from) v += step;
        while (v - step >= from) v -= step;
        return v;
    };
    QList<QPoint> points;
    for (int y = firstAtOrAfter(exposed.top(), origin.y(), gridY); y <= exposed.bottom(); y += gridY)
        for (int x = firstAtOrAfter(exposed.left(), origin.x(), gridX); x <= exposed.right(); x += gridX)
            points.append(QPoint(x, y));
    p.setPen(QColor(255, 255, 255));
    p.drawPoints(points.constData(), static_cast<int>(points.size()));
}

void CPictureCtrl::PaintSnapGuide(QPainter& p) const
{
    if (snapMode == cellgeo::kSnapNone) return;
    const Rect& n = snapRect;
    p.setPen(QPen(QColor(255, 255, 0), 2));
    p.setBrush(Qt::NoBrush);
    switch (snapMode) {
    case cellgeo::kSnapLeft: p.drawLine(n.left, n.top, n.left, n.bottom); break;
    case cellgeo::kSnapTop: p.drawLine(n.left, n.top, n.right, n.top); break;
    case cellgeo::kSnapRight: p.drawLine(n.right, n.top, n.right, n.bottom); break;
    case cellgeo::kSnapBottom: p.drawLine(n.left, n.bottom, n.right, n.bottom); break;
    case cellgeo::kSnapTopLeft: p.drawRect(n.left, n.top, 10, 10); break;
    case cellgeo::kSnapBottomLeft: p.drawRect(n.left, n.bottom - 10, 10, 10); break;
    case cellgeo::kSnapTopRight: p.drawRect(n.right - 10, n.top, 10, 10); break;
    case cellgeo::kSnapBottomRight: p.drawRect(n.right - 10, n.bottom - 10, 10, 10); break;
    default: break;
    }
}

void CPictureCtrl::paintEvent(QPaintEvent* e)
{
    // The canvas can be thousands of pixels each way: only the exposed part is painted.
    const QRect exposed = e->rect();
    QPainter p(this);
    p.setClipRect(exposed);
    p.fillRect(exposed, QColor(0, 0, 0));
    if (twoArea) PaintTwoArea(p);
    if (gridOn) PaintGrid(p, exposed);
    auto inView = [&](const CCell* c) {
        const Rect r = cellgeo::Inflate(c->useAltRect ? c->altRect : c->rect, 8, 8, 8, 8);
        return ToQRect(cellgeo::Normalised(r)).intersects(exposed);
    };
    for (CCell* c : cells)
        if (!c->fixed && c->IsVisible() && inView(c)) c->Draw(p);
    for (CCell* c : cells) {
        if (!c->fixed || c->IsHidden() || !inView(c)) continue;
        c->Draw(p);
        const Rect r = cellgeo::Normalised(c->rect);
        p.save();
        p.setClipRect(ToQRect(r), Qt::IntersectClip);
        p.setFont(style.labelFont);
        p.setPen(QColor(0, 255, 0));
        p.drawText(QRect(r.left, r.top, r.Width() - 2, r.Height() - 2), Qt::AlignRight | Qt::AlignBottom, c->Name());
        p.restore();
    }
    p.setPen(QPen(QColor(0, 128, 192), 1, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < cells.size(); ++i) {
        const CCell* a = cells[i];
        if (a->fixed || a->IsHidden()) continue;
        for (int j = i + 1; j < cells.size(); ++j) {
            const CCell* b = cells[j];
            if (b->fixed || b->IsHidden()) continue;
            const Rect common = cellgeo::Intersection(cellgeo::Normalised(a->rect), cellgeo::Normalised(b->rect));
            if (!common.IsEmpty()) p.drawRect(QRect(common.left, common.top, common.Width() - 1, common.Height() - 1));
        }
    }
    PaintSnapGuide(p);
}
