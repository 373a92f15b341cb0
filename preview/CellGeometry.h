#pragma once
// Geometry of the layout canvas and its cells, without windows: rectangles with exclusive right
// and bottom edges (as the processor's output windows are given), handle zones, clamps,
// conversions between output pixels and canvas pixels, snapping, picking and the fill rectangle.
#include <cstdint>
#include <string>
#include <vector>

namespace cellgeo {

// A 64-bit sum or difference cut into 32 bits. Edges come from the processor and from files as
// any 32-bit value, so geometry adds and subtracts in 64 bits and saturates.
constexpr int32_t Saturated(int64_t v)
{
    return v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : static_cast<int32_t>(v);
}

struct CellRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int32_t Width() const { return Saturated(int64_t{right} - left); }
    int32_t Height() const { return Saturated(int64_t{bottom} - top); }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool operator==(const CellRect&) const = default;
};

// {left, top, left + width, top + height}, summed in 64 bits and saturated.
CellRect SizedRect(int64_t left, int64_t top, int64_t width, int64_t height);
CellRect Normalised(CellRect r);
CellRect Offset(CellRect r, int64_t dx, int64_t dy);
// Moves each edge outwards by the given amount (negative amounts shrink).
CellRect Inflate(CellRect r, int l, int t, int rr, int b);
// The common part of a and b; {0, 0, 0, 0} when they do not overlap.
CellRect Intersection(const CellRect& a, const CellRect& b);
bool Overlaps(const CellRect& a, const CellRect& b);
// The smallest rectangle holding both.
CellRect BoundingBox(const CellRect& a, const CellRect& b);
// Each edge of r kept inside area (an empty area: right of and below 0): what of r lies outside
// is cut off, nothing is moved; empty, on area's border, when r lies wholly outside.
CellRect CutInto(const CellRect& r, const CellRect& area);
// All four edges inclusive.
bool ContainsInclusive(const CellRect& r, int x, int y);
// Left and top inclusive, right and bottom exclusive.
bool Contains(const CellRect& r, int x, int y);
std::string ToString(const CellRect& r);

// Handle zones, 5 pixels wide.
enum Zone : int {
    kZoneLeft = 0,
    kZoneTop = 1,
    kZoneRight = 2,
    kZoneBottom = 3,
    kZoneInterior = 4,
    kZoneTopLeft = 5,
    kZoneBottomLeft = 6,
    kZoneTopRight = 7,
    kZoneBottomRight = 8,
    kZoneNone = 9,
};
inline constexpr int kHandleSize = 5;
// Smallest span a resize leaves: an edge that would come closer is put this far away.
inline constexpr int kMinimumSpan = 8;

CellRect HandleRect(const CellRect& r, int zone);
// The first zone 0..8 whose rectangle holds the point (edges inclusive); kZoneNone for none.
int HitTest(const CellRect& r, int x, int y);
bool IsEdgeZone(int zone);

enum class HandleCursor { Arrow, SizeWE, SizeNS, Hand, SizeNWSE, SizeNESW };
HandleCursor CursorForZone(int zone);

// Which edges a zone moves when it is dragged (the interior and the top-left corner move left
// and top together, as a resize).
struct ZoneEdges {
    bool left = false, top = false, right = false, bottom = false;
};
ZoneEdges EdgesOfZone(int zone);

// The rectangle a cell is kept in: its own limit, or the caller's bounds when the limit is empty.
CellRect EffectiveLimit(const CellRect& limitRect, const CellRect& bounds);
// Cuts r down to the limit.
CellRect ClampRect(const CellRect& limit, CellRect r);
// Moves r into the limit, keeping its size (shrunk only when it is larger than the limit).
CellRect KeepSizeClamp(const CellRect& limit, CellRect r);
// Moves the zone's edges to (x, y), keeping at least kMinimumSpan pixels; no clamping.
CellRect ResizeByHandle(CellRect r, int zone, int x, int y);

// Output pixels <-> canvas pixels at `scale` output pixels per canvas pixel. Positions 0 and 1
// are both the output's edge; a right or bottom edge that lands within one pixel of the
// client's edge is the client's edge.
CellRect OutputToCanvas(const CellRect& r, double scaleX, double scaleY, const CellRect& client);
CellRect CanvasToOutput(CellRect c, double scaleX, double scaleY);
// One canvas edge position in output pixels, rounded as CanvasToOutput rounds a left edge.
int32_t CanvasEdgeToOutput(int32_t canvasEdge, double scale);

// The output rectangle a cell holds after a drag took it from anchorCanvas (where it was at the
// press) to canvas: each moved edge moves by its whole canvas distance times the scale, converted
// once, so rounding does not add up over the steps of a drag (a move keeps the output size), and
// edges that did not move keep their exact output position. An edge at canvas 0 or 1 is output 0;
// edges flush with the limit's canvas edges take the limit's output edges, and the result stays
// inside the output limit when one is given (the caller widens it to where an overhanging window
// was, so that a drag never pushes the window in or further out).
CellRect DragOutputRect(int zone, bool move, const CellRect& anchorOutput, const CellRect& anchorCanvas,
                        const CellRect& canvas, double scaleX, double scaleY, const CellRect& limitCanvas,
                        const CellRect& limitOutput);

// Snapping a moving cell M to a neighbour N.
enum SnapMode : int {
    kSnapLeft = 0,
    kSnapTop = 1,
    kSnapRight = 2,
    kSnapBottom = 3,
    kSnapTopLeft = 5,
    kSnapBottomLeft = 6,
    kSnapTopRight = 7,
    kSnapBottomRight = 8,
    kSnapNone = 10,
};
enum class Edge { None, Left, Top, Right, Bottom };
struct SnapResult {
    int mode = kSnapNone;
    CellRect rect;          // M, moved to adjoin N on a corner match
    Edge mX = Edge::None;   // M's horizontal-position edge that meets N's nX
    Edge nX = Edge::None;
    Edge mY = Edge::None;   // M's vertical-position edge that meets N's nY
    Edge nY = Edge::None;
};
// The eight tests in their fixed order: four corners within one pixel, then the left, right,
// bottom and top edges of N exactly, from outside or inside, with overlap along the edge.
SnapResult SnapToNeighbour(const CellRect& m, const CellRect& n);
// M's output rectangle after a snap: each snapped edge takes N's output edge; with keepSize
// (a move) the opposite edge follows.
CellRect ApplySnapToOutput(const SnapResult& snap, CellRect mOutput, const CellRect& nOutput, bool keepSize);

// Resize snap: the zone's edges of a layer cell's output rectangle that lie within 2 output
// pixels of the fixed cell's output edges, or beyond them, take those edges (a move shifts).
CellRect SnapResizeOutput(int zone, bool move, CellRect output, const CellRect& fixedOutput);

// Picking at (x, y).
struct PickEntry {
    CellRect rect;
    bool visible = true;
    bool fixed = false;
    bool state = false;
};
// Only what shows at the point can be picked: a visible cell, and of the layer cells under the
// point only the one nearest the tail (the others lie under its picture). On the selected cell's
// edge zones the selected cell wins; else the narrowest of those cells (fixed cells with state set
// left out), ties to the one nearer the tail. -1 for none.
int PickCell(const std::vector<PickEntry>& cells, int selected, int x, int y);

// Fill rectangle of a layer cell: the bounding box of the visible fixed cells it touches, in
// canvas and output pixels; both empty when it touches none.
struct FixedEntry {
    CellRect rect;
    CellRect output;
    bool visible = true;
};
struct FillRect {
    CellRect canvas;
    CellRect output;
    bool found = false;
};
FillRect FindFreeRect(const CellRect& cell, const std::vector<FixedEntry>& fixedCells);

// Where the drag point may go (right and bottom exclusive). A move keeps the grabbed cell inside
// `area`; a layer cell with a limit is confined to the limit, widened by 10 pixels when the limit
// is not the cell itself; a resize stays in the client.
CellRect MoveClip(const CellRect& area, const CellRect& cell, int grabX, int grabY);
CellRect LimitClip(const CellRect& limit, const CellRect& cell);
void ClampPoint(const CellRect& clip, int& x, int& y);

// "Pos:[%d,%d]" with negative values shown as 0, and "Size:[%d,%d]".
std::string PosText(const CellRect& output, int originX, int originY);
std::string SizeText(const CellRect& output);

}  // namespace cellgeo
