#include "preview/CellGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace cellgeo {

namespace {

// +0.5 and truncate, as the canvas has always rounded; saturates instead of overflowing.
int32_t RoundHalfUp(double v)
{
    if (!(v == v)) return 0;
    v += 0.5;
    if (v >= 2147483647.0) return INT32_MAX;
    if (v <= -2147483648.0) return INT32_MIN;
    return static_cast<int32_t>(v);
}

bool Near(int32_t a, int32_t b)
{
    return std::llabs(static_cast<long long>(a) - b) <= 1;
}

// Overlap of the spans [a0, a1) and [b0, b1).
bool SpansOverlap(int32_t a0, int32_t a1, int32_t b0, int32_t b1)
{
    return a0 < b1 && b0 < a1;
}

int32_t EdgeOf(const CellRect& r, Edge e)
{
    switch (e) {
    case Edge::Left: return r.left;
    case Edge::Top: return r.top;
    case Edge::Right: return r.right;
    case Edge::Bottom: return r.bottom;
    case Edge::None: break;
    }
    return 0;
}

// Moves edge a to v; with follow, edge b keeps its distance to a.
void MoveEdge(int32_t& a, int32_t& b, int32_t v, bool follow)
{
    if (follow) b = Saturated(int64_t{b} + v - a);
    a = v;
}

// Shifts r along one axis so that its edge e lies at v (keepSize), or moves only that edge.
void PutEdge(CellRect& r, Edge e, int32_t v, bool keepSize)
{
    switch (e) {
    case Edge::Left: MoveEdge(r.left, r.right, v, keepSize); break;
    case Edge::Right: MoveEdge(r.right, r.left, v, keepSize); break;
    case Edge::Top: MoveEdge(r.top, r.bottom, v, keepSize); break;
    case Edge::Bottom: MoveEdge(r.bottom, r.top, v, keepSize); break;
    case Edge::None: break;
    }
}

// Keeps [lo, hi) inside [limLo, limHi): a move shifts (size capped by the limit), a resize cuts.
void KeepSpanInside(int32_t& lo, int32_t& hi, int32_t limLo, int32_t limHi, bool move)
{
    if (limHi <= limLo) return;
    if (move) {
        const int64_t size = std::min(int64_t{hi} - lo, int64_t{limHi} - limLo);
        int64_t from = std::max<int64_t>(lo, limLo);
        if (from + size > limHi) from = limHi - size;
        lo = Saturated(from);
        hi = Saturated(from + size);
    } else {
        lo = std::clamp(lo, limLo, limHi);
        hi = std::clamp(hi, limLo, limHi);
    }
}

}  // namespace

CellRect Normalised(CellRect r)
{
    if (r.left > r.right) std::swap(r.left, r.right);
    if (r.top > r.bottom) std::swap(r.top, r.bottom);
    return r;
}

CellRect SizedRect(int64_t left, int64_t top, int64_t width, int64_t height)
{
    return CellRect{Saturated(left), Saturated(top), Saturated(left + width), Saturated(top + height)};
}

CellRect Offset(CellRect r, int64_t dx, int64_t dy)
{
    return CellRect{Saturated(r.left + dx), Saturated(r.top + dy), Saturated(r.right + dx), Saturated(r.bottom + dy)};
}

CellRect Inflate(CellRect r, int l, int t, int rr, int b)
{
    return CellRect{Saturated(int64_t{r.left} - l), Saturated(int64_t{r.top} - t), Saturated(int64_t{r.right} + rr),
                    Saturated(int64_t{r.bottom} + b)};
}

CellRect Intersection(const CellRect& a, const CellRect& b)
{
    CellRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
               std::min(a.bottom, b.bottom)};
    if (r.IsEmpty()) return {};
    return r;
}

bool Overlaps(const CellRect& a, const CellRect& b)
{
    return !Intersection(Normalised(a), Normalised(b)).IsEmpty();
}

CellRect BoundingBox(const CellRect& a, const CellRect& b)
{
    return CellRect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                    std::max(a.bottom, b.bottom)};
}

CellRect CutInto(const CellRect& rIn, const CellRect& areaIn)
{
    const CellRect r = Normalised(rIn);
    const CellRect area = areaIn.IsEmpty() ? CellRect{0, 0, INT32_MAX, INT32_MAX} : Normalised(areaIn);
    auto x = [&](int32_t v) { return std::clamp(v, area.left, area.right); };
    auto y = [&](int32_t v) { return std::clamp(v, area.top, area.bottom); };
    return CellRect{x(r.left), y(r.top), x(r.right), y(r.bottom)};
}

bool ContainsInclusive(const CellRect& r, int x, int y)
{
    return x >= r.left && x <= r.right && y >= r.top && y <= r.bottom;
}

bool Contains(const CellRect& r, int x, int y)
{
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

std::string ToString(const CellRect& r)
{
    char buf[80];
    std::snprintf(buf, sizeof buf, "{%d, %d, %d, %d}", r.left, r.top, r.right, r.bottom);
    return buf;
}

CellRect HandleRect(const CellRect& r, int zone)
{
    const int h = kHandleSize;
    const int L = r.left, T = r.top, R = r.right, B = r.bottom;
    switch (zone) {
    case kZoneLeft: return {L, T + h, L + h, B - h};
    case kZoneTop: return {L + h, T, R - h, T + h};
    case kZoneRight: return {R - h, T + h, R, B - h};
    case kZoneBottom: return {L + h, B - h, R - h, B};
    case kZoneInterior: return {L + h, T + h, R - h, B - h};
    case kZoneTopLeft: return {L, T, L + h, T + h};
    case kZoneBottomLeft: return {L, B - h, L + h, B};
    case kZoneTopRight: return {R - h, T, R, T + h};
    case kZoneBottomRight: return {R - h, B - h, R, B};
    default: return {};
    }
}

int HitTest(const CellRect& r, int x, int y)
{
    for (int zone = kZoneLeft; zone <= kZoneBottomRight; ++zone)
        if (ContainsInclusive(Normalised(HandleRect(r, zone)), x, y)) return zone;
    return kZoneNone;
}

bool IsEdgeZone(int zone)
{
    return zone >= kZoneLeft && zone <= kZoneBottomRight && zone != kZoneInterior;
}

HandleCursor CursorForZone(int zone)
{
    switch (zone) {
    case kZoneLeft:
    case kZoneRight: return HandleCursor::SizeWE;
    case kZoneTop:
    case kZoneBottom: return HandleCursor::SizeNS;
    case kZoneInterior: return HandleCursor::Hand;
    case kZoneTopLeft:
    case kZoneBottomRight: return HandleCursor::SizeNWSE;
    case kZoneBottomLeft:
    case kZoneTopRight: return HandleCursor::SizeNESW;
    default: return HandleCursor::Arrow;
    }
}

ZoneEdges EdgesOfZone(int zone)
{
    switch (zone) {
    case kZoneLeft: return {true, false, false, false};
    case kZoneTop: return {false, true, false, false};
    case kZoneRight: return {false, false, true, false};
    case kZoneBottom: return {false, false, false, true};
    case kZoneBottomLeft: return {true, false, false, true};
    case kZoneTopRight: return {false, true, true, false};
    case kZoneBottomRight: return {false, false, true, true};
    default: return {true, true, false, false};
    }
}

CellRect EffectiveLimit(const CellRect& limitRect, const CellRect& bounds)
{
    return limitRect.IsEmpty() ? bounds : limitRect;
}

namespace {

CellRect FinalRounding(const CellRect& limit, CellRect r)
{
    r = Normalised(r);
    r = Intersection(r, limit);
    if (r.top < 1) r.top = 0;
    if (r.left < 1) r.left = 0;
    // On whole pixels "within less than one pixel of the limit, or beyond" is "at or beyond".
    if (r.right >= limit.right) r.right = limit.right;
    if (r.bottom >= limit.bottom) r.bottom = limit.bottom;
    return r;
}

}  // namespace

CellRect ClampRect(const CellRect& limitIn, CellRect r)
{
    const CellRect limit = Normalised(limitIn);
    r = Normalised(r);
    r.top = std::max(r.top, limit.top);
    r.left = std::max(r.left, limit.left);
    r.right = std::min(r.right, limit.right);
    r.bottom = std::min(r.bottom, limit.bottom);
    return FinalRounding(limit, r);
}

CellRect KeepSizeClamp(const CellRect& limitIn, CellRect r)
{
    const CellRect limit = Normalised(limitIn);
    r = Normalised(r);
    if (r.Width() > limit.Width()) r.right = r.left + limit.Width();
    if (r.Height() > limit.Height()) r.bottom = r.top + limit.Height();
    const int32_t w = r.Width(), h = r.Height();
    if (r.top < 1) {
        r.top = 0;
        r.bottom = h;
    }
    if (r.left < 1) {
        r.left = 0;
        r.right = w;
    }
    if (r.top < limit.top) {
        r.top = limit.top;
        r.bottom = limit.top + h;
    }
    if (r.left < limit.left) {
        r.left = limit.left;
        r.right = limit.left + w;
    }
    if (r.right >= limit.right) {
        r.right = limit.right;
        r.left = limit.right - w;
    }
    if (r.bottom >= limit.bottom) {
        r.bottom = limit.bottom;
        r.top = limit.bottom - h;
    }
    return FinalRounding(limit, r);
}

CellRect ResizeByHandle(CellRect r, int zone, int x, int y)
{
    const ZoneEdges e = EdgesOfZone(zone);
    if (e.left) {
        r.left = x;
        if (r.right - r.left < kMinimumSpan + 1) r.left = r.right - kMinimumSpan;
    }
    if (e.right) {
        r.right = x;
        if (r.right - r.left < kMinimumSpan + 1) r.right = r.left + kMinimumSpan;
    }
    if (e.top) {
        r.top = y;
        if (r.bottom - r.top < kMinimumSpan + 1) r.top = r.bottom - kMinimumSpan;
    }
    if (e.bottom) {
        r.bottom = y;
        if (r.bottom - r.top < kMinimumSpan + 1) r.bottom = r.top + kMinimumSpan;
    }
    return r;
}

CellRect OutputToCanvas(const CellRect& r, double scaleX, double scaleY, const CellRect& client)
{
    if (!(scaleX > 0) || !(scaleY > 0)) return {};
    CellRect c;
    float x = static_cast<float>(r.left) / static_cast<float>(scaleX);
    if (r.left > 1) {
        c.left = RoundHalfUp(x);
    } else {
        c.left = 0;
        x = 0;
    }
    if (c.left < 0) c.left = 0;
    float y = static_cast<float>(r.top) / static_cast<float>(scaleY);
    if (r.top > 1) {
        c.top = RoundHalfUp(y);
    } else {
        c.top = 0;
        y = 0;
    }
    if (c.top < 0) c.top = 0;
    c.right = RoundHalfUp(r.Width() / scaleX + x);
    if (Near(c.right, client.right) || c.right > client.right) c.right = client.right;
    c.bottom = RoundHalfUp(r.Height() / scaleY + y);
    if (Near(c.bottom, client.bottom) || c.bottom > client.bottom) c.bottom = client.bottom;
    return Normalised(c);
}

int32_t CanvasEdgeToOutput(int32_t canvasEdge, double scale)
{
    if (canvasEdge <= 1) return 0;
    return std::max(0, RoundHalfUp(canvasEdge * scale));
}

CellRect CanvasToOutput(CellRect c, double scaleX, double scaleY)
{
    c = Normalised(c);
    CellRect r;
    r.left = CanvasEdgeToOutput(c.left, scaleX);
    r.top = CanvasEdgeToOutput(c.top, scaleY);
    r.right = Saturated(int64_t{r.left} + RoundHalfUp(c.Width() * scaleX));
    r.bottom = Saturated(int64_t{r.top} + RoundHalfUp(c.Height() * scaleY));
    return r;
}

CellRect DragOutputRect(int zone, bool move, const CellRect& anchorOutput, const CellRect& anchorCanvasIn,
                        const CellRect& canvasIn, double scaleX, double scaleY, const CellRect& limitCanvas,
                        const CellRect& limitOutput)
{
    const CellRect anchor = Normalised(anchorCanvasIn);
    const CellRect canvas = Normalised(canvasIn);
    // The whole canvas distance of an edge since the press, in output pixels, rounded once.
    auto scaled = [](int32_t to, int32_t from, double s) -> int64_t {
        const double d = std::round((static_cast<double>(to) - from) * s);
        return d == d ? static_cast<int64_t>(std::clamp(d, -4294967296.0, 4294967296.0)) : 0;
    };
    const bool hasLimit = !limitCanvas.IsEmpty() && !limitOutput.IsEmpty();
    ZoneEdges e = EdgesOfZone(zone);
    CellRect out = Normalised(anchorOutput);
    if (move) {
        e = {true, true, true, true};
        out = Offset(out, scaled(canvas.left, anchor.left, scaleX), scaled(canvas.top, anchor.top, scaleY));
    } else {
        if (e.left) out.left = Saturated(out.left + scaled(canvas.left, anchor.left, scaleX));
        if (e.top) out.top = Saturated(out.top + scaled(canvas.top, anchor.top, scaleY));
        if (e.right) out.right = Saturated(out.right + scaled(canvas.right, anchor.right, scaleX));
        if (e.bottom) out.bottom = Saturated(out.bottom + scaled(canvas.bottom, anchor.bottom, scaleY));
    }
    // Canvas 0 and 1 are the output's edge, as CanvasToOutput has them.
    if (e.left && canvas.left <= 1) PutEdge(out, Edge::Left, 0, move);
    if (e.top && canvas.top <= 1) PutEdge(out, Edge::Top, 0, move);
    if (hasLimit) {
        // Flush on the canvas means flush in output pixels. Right and bottom go first, so that a
        // cell as wide as its limit ends up on the limit's left and top.
        if (e.right && canvas.right >= limitCanvas.right) PutEdge(out, Edge::Right, limitOutput.right, move);
        if (e.bottom && canvas.bottom >= limitCanvas.bottom) PutEdge(out, Edge::Bottom, limitOutput.bottom, move);
        if (e.left && canvas.left <= limitCanvas.left) PutEdge(out, Edge::Left, limitOutput.left, move);
        if (e.top && canvas.top <= limitCanvas.top) PutEdge(out, Edge::Top, limitOutput.top, move);
        const CellRect lim = Normalised(limitOutput);
        KeepSpanInside(out.left, out.right, lim.left, lim.right, move);
        KeepSpanInside(out.top, out.bottom, lim.top, lim.bottom, move);
    }
    out = Normalised(out);
    if (hasLimit) return out;
    if (out.left < 0) out = Offset(out, -int64_t{out.left}, 0);
    if (out.top < 0) out = Offset(out, 0, -int64_t{out.top});
    return out;
}

SnapResult SnapToNeighbour(const CellRect& m, const CellRect& n)
{
    SnapResult s;
    s.rect = m;
    auto corner = [&](int mode, Edge mx, Edge nx, Edge my, Edge ny) {
        s.mode = mode;
        s.mX = mx;
        s.nX = nx;
        s.mY = my;
        s.nY = ny;
        PutEdge(s.rect, mx, EdgeOf(n, nx), true);
        PutEdge(s.rect, my, EdgeOf(n, ny), true);
        return s;
    };
    if (Near(m.right, n.left) && Near(m.bottom, n.top))
        return corner(kSnapTopLeft, Edge::Right, Edge::Left, Edge::Bottom, Edge::Top);
    if (Near(m.right, n.left) && Near(m.bottom, n.bottom))
        return corner(kSnapBottomLeft, Edge::Right, Edge::Left, Edge::Bottom, Edge::Bottom);
    if (Near(m.right, n.right) && Near(m.bottom, n.top))
        return corner(kSnapTopRight, Edge::Right, Edge::Right, Edge::Bottom, Edge::Top);
    if (Near(m.left, n.right) && Near(m.bottom, n.bottom))
        return corner(kSnapBottomRight, Edge::Left, Edge::Right, Edge::Bottom, Edge::Bottom);

    const bool vertical = SpansOverlap(m.top, m.bottom, n.top, n.bottom);
    const bool horizontal = SpansOverlap(m.left, m.right, n.left, n.right);
    auto edge = [&](int mode, Edge me, Edge ne, bool xAxis) {
        s.mode = mode;
        (xAxis ? s.mX : s.mY) = me;
        (xAxis ? s.nX : s.nY) = ne;
        return s;
    };
    if (vertical && m.right == n.left) return edge(kSnapLeft, Edge::Right, Edge::Left, true);
    if (vertical && m.left == n.left) return edge(kSnapLeft, Edge::Left, Edge::Left, true);
    if (vertical && m.left == n.right) return edge(kSnapRight, Edge::Left, Edge::Right, true);
    if (vertical && m.right == n.right) return edge(kSnapRight, Edge::Right, Edge::Right, true);
    if (horizontal && m.top == n.bottom) return edge(kSnapBottom, Edge::Top, Edge::Bottom, false);
    if (horizontal && m.bottom == n.bottom) return edge(kSnapBottom, Edge::Bottom, Edge::Bottom, false);
    if (horizontal && m.bottom == n.top) return edge(kSnapTop, Edge::Bottom, Edge::Top, false);
    if (horizontal && m.top == n.top) return edge(kSnapTop, Edge::Top, Edge::Top, false);
    return s;
}

CellRect ApplySnapToOutput(const SnapResult& snap, CellRect mOutput, const CellRect& nOutput, bool keepSize)
{
    if (snap.mode == kSnapNone) return mOutput;
    if (snap.mX != Edge::None) PutEdge(mOutput, snap.mX, EdgeOf(nOutput, snap.nX), keepSize);
    if (snap.mY != Edge::None) PutEdge(mOutput, snap.mY, EdgeOf(nOutput, snap.nY), keepSize);
    mOutput = Normalised(mOutput);
    if (mOutput.left < 0) mOutput = Offset(mOutput, -int64_t{mOutput.left}, 0);
    if (mOutput.top < 0) mOutput = Offset(mOutput, 0, -int64_t{mOutput.top});
    return mOutput;
}

CellRect SnapResizeOutput(int zone, bool move, CellRect out, const CellRect& f)
{
    constexpr int kReach = 2;
    if (move) {
        if (out.left <= f.left + kReach) PutEdge(out, Edge::Left, f.left, true);
        else if (out.right >= f.right - kReach) PutEdge(out, Edge::Right, f.right, true);
        if (out.top <= f.top + kReach) PutEdge(out, Edge::Top, f.top, true);
        else if (out.bottom >= f.bottom - kReach) PutEdge(out, Edge::Bottom, f.bottom, true);
        return out;
    }
    const ZoneEdges e = EdgesOfZone(zone);
    if (e.left && out.left <= f.left + kReach) out.left = f.left;
    if (e.top && out.top <= f.top + kReach) out.top = f.top;
    if (e.right && out.right >= f.right - kReach) out.right = f.right;
    if (e.bottom && out.bottom >= f.bottom - kReach) out.bottom = f.bottom;
    return Normalised(out);
}

int PickCell(const std::vector<PickEntry>& cells, int selected, int x, int y)
{
    const CellRect probe{x, y, x + 1, y + 1};
    int topLayer = -1;
    for (int i = static_cast<int>(cells.size()) - 1; i >= 0 && topLayer < 0; --i) {
        const PickEntry& c = cells[static_cast<size_t>(i)];
        if (c.visible && !c.fixed && Overlaps(c.rect, probe)) topLayer = i;
    }
    auto seen = [&](int i) {
        const PickEntry& c = cells[static_cast<size_t>(i)];
        return c.visible && Overlaps(c.rect, probe) && (c.fixed || i == topLayer);
    };
    if (selected >= 0 && selected < static_cast<int>(cells.size())) {
        const PickEntry& s = cells[static_cast<size_t>(selected)];
        if (seen(selected) && IsEdgeZone(HitTest(s.rect, x, y))) return selected;
    }
    int best = -1;
    for (int i = static_cast<int>(cells.size()) - 1; i >= 0; --i) {
        const PickEntry& c = cells[static_cast<size_t>(i)];
        if (!seen(i) || (c.fixed && c.state)) continue;
        if (best < 0 || c.rect.Width() < cells[static_cast<size_t>(best)].rect.Width()) best = i;
    }
    return best;
}

FillRect FindFreeRect(const CellRect& cell, const std::vector<FixedEntry>& fixedCells)
{
    FillRect fill;
    for (const FixedEntry& f : fixedCells) {
        if (!f.visible || !Overlaps(f.rect, cell)) continue;
        if (!fill.found || f.rect.left < fill.canvas.left) {
            fill.canvas.left = f.rect.left;
            fill.output.left = f.output.left;
        }
        if (!fill.found || f.rect.top < fill.canvas.top) {
            fill.canvas.top = f.rect.top;
            fill.output.top = f.output.top;
        }
        if (!fill.found || f.rect.right > fill.canvas.right) {
            fill.canvas.right = f.rect.right;
            fill.output.right = f.output.right;
        }
        if (!fill.found || f.rect.bottom > fill.canvas.bottom) {
            fill.canvas.bottom = f.rect.bottom;
            fill.output.bottom = f.output.bottom;
        }
        fill.found = true;
    }
    return fill;
}

CellRect MoveClip(const CellRect& area, const CellRect& cell, int grabX, int grabY)
{
    const int offL = grabX - cell.left, offT = grabY - cell.top;
    const int offR = cell.right - grabX, offB = cell.bottom - grabY;
    return {area.left + offL, area.top + offT, area.right - offR + 1, area.bottom - offB + 1};
}

CellRect LimitClip(const CellRect& limit, const CellRect& cell)
{
    if (limit == cell) return limit;
    return Inflate(limit, 10, 10, 10, 10);
}

void ClampPoint(const CellRect& clip, int& x, int& y)
{
    if (clip.right > clip.left) x = std::clamp(x, clip.left, clip.right - 1);
    if (clip.bottom > clip.top) y = std::clamp(y, clip.top, clip.bottom - 1);
}

std::string PosText(const CellRect& output, int originX, int originY)
{
    const long long x = std::max(0LL, static_cast<long long>(output.left) - originX);
    const long long y = std::max(0LL, static_cast<long long>(output.top) - originY);
    char buf[64];
    std::snprintf(buf, sizeof buf, "Pos:[%lld,%lld]", x, y);
    return buf;
}

std::string SizeText(const CellRect& output)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "Size:[%d,%d]", output.Width(), output.Height());
    return buf;
}

}  // namespace cellgeo
