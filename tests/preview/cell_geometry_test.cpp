// Geometry of the layout canvas without windows: handle zones, clamps, conversions between output
// and canvas pixels, snapping, picking, the fill rectangle and the drag clip.
#include "preview/CellGeometry.h"

#include <gtest/gtest.h>

using namespace cellgeo;

namespace {

const CellRect kCell{100, 50, 200, 150};

}  // namespace

namespace cellgeo {
void PrintTo(const CellRect& r, std::ostream* os)
{
    *os << ToString(r);
}
}  // namespace cellgeo

TEST(CellGeometry, HandleRectanglesOfEveryZone)
{
    const struct {
        int zone;
        CellRect expected;
    } rows[] = {
        {kZoneLeft, {100, 55, 105, 145}},    {kZoneTop, {105, 50, 195, 55}},
        {kZoneRight, {195, 55, 200, 145}},   {kZoneBottom, {105, 145, 195, 150}},
        {kZoneInterior, {105, 55, 195, 145}}, {kZoneTopLeft, {100, 50, 105, 55}},
        {kZoneBottomLeft, {100, 145, 105, 150}}, {kZoneTopRight, {195, 50, 200, 55}},
        {kZoneBottomRight, {195, 145, 200, 150}}, {kZoneNone, {}},
        {-1, {}},
    };
    for (const auto& row : rows) EXPECT_EQ(HandleRect(kCell, row.zone), row.expected) << "zone " << row.zone;
}

TEST(CellGeometry, HitTestTakesTheLowestZoneOnSharedBordersAndNineOutside)
{
    const struct {
        int x, y, zone;
    } rows[] = {
        {100, 100, kZoneLeft},        {150, 50, kZoneTop},           {199, 100, kZoneRight},
        {150, 149, kZoneBottom},      {150, 100, kZoneInterior},     {101, 51, kZoneTopLeft},
        {101, 149, kZoneBottomLeft},  {199, 51, kZoneTopRight},      {199, 149, kZoneBottomRight},
        // On the border between the left edge zone and the interior: the edge (lower number) wins.
        {105, 100, kZoneLeft},        {150, 55, kZoneTop},           {195, 100, kZoneRight},
        {150, 145, kZoneBottom},
        // Edges are inclusive, so the corners' shared edges go to the edge zones first.
        {100, 55, kZoneLeft},         {105, 50, kZoneTop},
        // Right and bottom edges themselves are inside the zones (inclusive).
        {200, 100, kZoneRight},       {150, 150, kZoneBottom},
        {99, 100, kZoneNone},         {201, 100, kZoneNone},         {150, 151, kZoneNone},
        {150, 49, kZoneNone},
    };
    for (const auto& row : rows) EXPECT_EQ(HitTest(kCell, row.x, row.y), row.zone) << row.x << "," << row.y;
}

TEST(CellGeometry, CursorsOfTheZones)
{
    EXPECT_EQ(CursorForZone(kZoneLeft), HandleCursor::SizeWE);
    EXPECT_EQ(CursorForZone(kZoneRight), HandleCursor::SizeWE);
    EXPECT_EQ(CursorForZone(kZoneTop), HandleCursor::SizeNS);
    EXPECT_EQ(CursorForZone(kZoneBottom), HandleCursor::SizeNS);
    EXPECT_EQ(CursorForZone(kZoneInterior), HandleCursor::Hand);
    EXPECT_EQ(CursorForZone(kZoneTopLeft), HandleCursor::SizeNWSE);
    EXPECT_EQ(CursorForZone(kZoneBottomRight), HandleCursor::SizeNWSE);
    EXPECT_EQ(CursorForZone(kZoneBottomLeft), HandleCursor::SizeNESW);
    EXPECT_EQ(CursorForZone(kZoneTopRight), HandleCursor::SizeNESW);
    EXPECT_EQ(CursorForZone(kZoneNone), HandleCursor::Arrow);
}

TEST(CellGeometry, ResizeMovesTheZoneEdgesAndKeepsTheMinimumSpanForAllEightHandles)
{
    const struct {
        int zone, x, y;
        CellRect expected;
    } rows[] = {
        // Ordinary drags.
        {kZoneLeft, 90, 0, {90, 50, 200, 150}},
        {kZoneTop, 0, 40, {100, 40, 200, 150}},
        {kZoneRight, 250, 0, {100, 50, 250, 150}},
        {kZoneBottom, 0, 170, {100, 50, 200, 170}},
        {kZoneTopLeft, 80, 30, {80, 30, 200, 150}},
        {kZoneBottomLeft, 80, 170, {80, 50, 200, 170}},
        {kZoneTopRight, 230, 30, {100, 30, 230, 150}},
        {kZoneBottomRight, 230, 170, {100, 50, 230, 170}},
        // The right edge dragged to 4 pixels right of the left edge: exactly 8 wide.
        {kZoneRight, 104, 0, {100, 50, 108, 150}},
        // Every handle dragged past the opposite edge stops 8 pixels from it.
        {kZoneLeft, 300, 0, {192, 50, 200, 150}},
        {kZoneTop, 0, 400, {100, 142, 200, 150}},
        {kZoneRight, 10, 0, {100, 50, 108, 150}},
        {kZoneBottom, 0, 0, {100, 50, 200, 58}},
        {kZoneTopLeft, 199, 149, {192, 142, 200, 150}},
        {kZoneBottomLeft, 199, 51, {192, 50, 200, 58}},
        {kZoneTopRight, 101, 149, {100, 142, 108, 150}},
        {kZoneBottomRight, 101, 51, {100, 50, 108, 58}},
        // A span of 9 is kept as it is.
        {kZoneRight, 109, 0, {100, 50, 109, 150}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ResizeByHandle(kCell, row.zone, row.x, row.y), row.expected) << "zone " << row.zone;
}

TEST(CellGeometry, ClampCutsIntoTheLimitAndEmptyLimitUsesTheBounds)
{
    const CellRect bounds{0, 0, 320, 240};
    const struct {
        CellRect limitRect, r, expected;
    } rows[] = {
        {{}, {10, 10, 50, 50}, {10, 10, 50, 50}},
        {{}, {-5, -5, 50, 50}, {0, 0, 50, 50}},
        {{}, {300, 200, 400, 300}, {300, 200, 320, 240}},
        {{}, {50, 50, 10, 10}, {10, 10, 50, 50}},  // normalised
        {{20, 30, 120, 130}, {10, 10, 50, 50}, {20, 30, 50, 50}},
        {{20, 30, 120, 130}, {100, 100, 200, 200}, {100, 100, 120, 130}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ClampRect(EffectiveLimit(row.limitRect, bounds), row.r), row.expected) << ToString(row.r);
}

TEST(CellGeometry, KeepSizeClampMovesTheRectangleInsideWithoutShrinkingIt)
{
    const CellRect limit{20, 30, 320, 230};
    const struct {
        CellRect r, expected;
    } rows[] = {
        {{50, 50, 100, 100}, {50, 50, 100, 100}},
        {{0, 0, 50, 50}, {20, 30, 70, 80}},
        {{-40, -40, 10, 10}, {20, 30, 70, 80}},
        {{300, 200, 350, 250}, {270, 180, 320, 230}},
        {{290, 100, 320, 150}, {290, 100, 320, 150}},
        // Larger than the limit: shrunk to it.
        {{0, 0, 500, 500}, {20, 30, 320, 230}},
    };
    for (const auto& row : rows) EXPECT_EQ(KeepSizeClamp(limit, row.r), row.expected) << ToString(row.r);
    // A limit at the origin: top and left below 1 start at 0, keeping the size.
    EXPECT_EQ(KeepSizeClamp({0, 0, 100, 100}, {-3, -4, 7, 6}), (CellRect{0, 0, 10, 10}));
}

TEST(CellGeometry, OutputToCanvasMapsTheEdgesAsTheCanvasShowsThem)
{
    const CellRect client{0, 0, 320, 180};
    const struct {
        CellRect output;
        CellRect expected;
    } rows[] = {
        // Output left 1 is canvas 0 (and so is 0).
        {{1, 0, 601, 600}, {0, 0, 100, 100}},
        {{0, 1, 600, 601}, {0, 0, 100, 100}},
        {{12, 18, 612, 618}, {2, 3, 102, 103}},
        {{600, 600, 1200, 900}, {100, 100, 200, 150}},
        // Rounded half up.
        {{9, 9, 69, 69}, {2, 2, 12, 12}},
        // The whole output: right and bottom are the client's.
        {{0, 0, 1920, 1080}, {0, 0, 320, 180}},
        // One pixel short of the client edge becomes the edge; past it is cut.
        {{0, 0, 1914, 1074}, {0, 0, 320, 180}},
        {{0, 0, 1908, 1068}, {0, 0, 318, 178}},
        {{600, 0, 3000, 600}, {100, 0, 320, 100}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(OutputToCanvas(row.output, 6.0, 6.0, client), row.expected) << ToString(row.output);
}

TEST(CellGeometry, CanvasToOutputAndBackIsExactAtScaleSixFromTwoOn)
{
    const CellRect client{0, 0, 10000, 10000};
    for (int left : {2, 3, 7, 21, 33, 100, 999})
        for (int top : {2, 5, 33, 200})
            for (int w : {8, 9, 50, 320}) {
                const CellRect c{left, top, left + w, top + w / 2 + 8};
                const CellRect out = CanvasToOutput(c, 6.0, 6.0);
                EXPECT_EQ(out, (CellRect{left * 6, top * 6, (left + w) * 6, (top + w / 2 + 8) * 6}));
                EXPECT_EQ(OutputToCanvas(out, 6.0, 6.0, client), c) << ToString(c);
            }
    // Canvas edges 0 and 1 are the output's edge.
    EXPECT_EQ(CanvasToOutput({0, 0, 10, 10}, 6.0, 6.0), (CellRect{0, 0, 60, 60}));
    EXPECT_EQ(CanvasToOutput({1, 1, 11, 11}, 6.0, 6.0), (CellRect{0, 0, 60, 60}));
    // Canvas to output for a right edge at the client edge, and back to the client edge.
    const CellRect small{0, 0, 320, 180};
    EXPECT_EQ(OutputToCanvas(CanvasToOutput({2, 2, 320, 180}, 6.0, 6.0), 6.0, 6.0, small), (CellRect{2, 2, 320, 180}));
    // Other scales round half up.
    EXPECT_EQ(CanvasToOutput({3, 3, 13, 13}, 2.5, 2.5), (CellRect{8, 8, 33, 33}));
}

TEST(CellGeometry, DragOutputMovesEdgesByTheScaleAndTakesFlushEdgesFromTheLimit)
{
    const CellRect limitCanvas{21, 33, 341, 213};
    const CellRect limitOutput{125, 198, 2045, 1278};
    const CellRect out{200, 300, 1201, 900};  // 1001 wide: not a multiple of the scale
    const CellRect canvas{33, 50, 200, 150};
    const struct {
        int zone;
        bool move;
        CellRect canvas, expected;
    } rows[] = {
        // No step, no change: the exact output stays.
        {kZoneInterior, true, {33, 50, 200, 150}, {200, 300, 1201, 900}},
        {kZoneRight, false, {33, 50, 200, 150}, {200, 300, 1201, 900}},
        // A move shifts by the canvas distance times the scale and keeps the size.
        {kZoneInterior, true, {40, 60, 207, 160}, {242, 360, 1243, 960}},
        // Flush with the limit's right edge: flush in output pixels.
        {kZoneInterior, true, {174, 60, 341, 160}, {1044, 360, 2045, 960}},
        // Flush with the limit's left and top edges.
        {kZoneInterior, true, {21, 33, 188, 133}, {125, 198, 1126, 798}},
        // A right-edge resize moves only the right edge.
        {kZoneRight, false, {33, 50, 100, 150}, {200, 300, 601, 900}},
        {kZoneRight, false, {33, 50, 341, 150}, {200, 300, 2045, 900}},
        // A top-left resize moves left and top.
        {kZoneTopLeft, false, {30, 40, 200, 150}, {182, 240, 1201, 900}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(DragOutputRect(row.zone, row.move, out, canvas, row.canvas, 6.0, 6.0, limitCanvas, limitOutput),
                  row.expected)
            << "zone " << row.zone << " " << ToString(row.canvas);
    // Without a limit, canvas 0 is output 0: a drag can reach position 0.
    EXPECT_EQ(DragOutputRect(kZoneInterior, true, {30, 30, 630, 330}, {5, 5, 105, 55}, {0, 0, 100, 50}, 6.0, 6.0, {}, {}),
              (CellRect{0, 0, 600, 300}));
}

TEST(CellGeometry, SumsOfExtremeEdgesSaturate)
{
    EXPECT_EQ((CellRect{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}.Width()), INT32_MAX);
    EXPECT_EQ((CellRect{0, INT32_MAX, 0, INT32_MIN}.Height()), INT32_MIN);
    EXPECT_EQ(SizedRect(INT32_MAX, -5, INT32_MAX, INT32_MIN), (CellRect{INT32_MAX, -5, INT32_MAX, INT32_MIN}));
    EXPECT_EQ(Offset({10, -10, INT32_MAX - 1, 20}, 5, INT32_MIN), (CellRect{15, INT32_MIN, INT32_MAX, INT32_MIN + 20}));
    EXPECT_EQ(Inflate({INT32_MIN, 0, INT32_MAX, 0}, 10, 0, 10, 0), (CellRect{INT32_MIN, 0, INT32_MAX, 0}));
    // A cell held far out is dragged back into its limit, keeping its size.
    EXPECT_EQ(DragOutputRect(kZoneInterior, true, {INT32_MAX - 1000, 300, INT32_MAX, 900}, {300, 50, 341, 150},
                             {290, 50, 331, 150}, 6.0, 6.0, {21, 33, 341, 213}, {125, 198, 2045, 1278}),
              (CellRect{1045, 300, 2045, 900}));
}

TEST(CellGeometry, SnapTestsInTheirFixedOrder)
{
    const CellRect n{100, 100, 200, 200};
    const struct {
        const char* what;
        CellRect m;
        int mode;
        CellRect placed;
    } rows[] = {
        // Corners within one pixel: M is moved to adjoin N exactly.
        {"bottom-right on top-left", {49, 49, 99, 99}, kSnapTopLeft, {50, 50, 100, 100}},
        {"bottom-right on top-left, past", {51, 51, 101, 101}, kSnapTopLeft, {50, 50, 100, 100}},
        {"bottom-right on bottom-left", {50, 151, 100, 201}, kSnapBottomLeft, {50, 150, 100, 200}},
        {"bottom-right on top-right", {149, 50, 199, 99}, kSnapTopRight, {150, 51, 200, 100}},
        {"bottom-left on bottom-right", {201, 150, 251, 199}, kSnapBottomRight, {200, 151, 250, 200}},
        // Two pixels away is no corner.
        {"two pixels off", {48, 48, 98, 98}, kSnapNone, {48, 48, 98, 98}},
        // Edges exactly, with overlap along the edge, from outside and from inside.
        {"left edge from outside", {40, 120, 100, 150}, kSnapLeft, {40, 120, 100, 150}},
        {"left edge from inside", {100, 120, 150, 150}, kSnapLeft, {100, 120, 150, 150}},
        {"right edge from outside", {200, 120, 250, 150}, kSnapRight, {200, 120, 250, 150}},
        {"right edge from inside", {150, 120, 200, 150}, kSnapRight, {150, 120, 200, 150}},
        {"bottom edge from outside", {120, 200, 150, 250}, kSnapBottom, {120, 200, 150, 250}},
        {"bottom edge from inside", {120, 150, 150, 200}, kSnapBottom, {120, 150, 150, 200}},
        {"top edge from outside", {120, 40, 150, 100}, kSnapTop, {120, 40, 150, 100}},
        {"top edge from inside", {120, 100, 150, 130}, kSnapTop, {120, 100, 150, 130}},
        // An edge one pixel off does not snap; neither does an edge without overlap.
        {"edge one off", {41, 120, 101, 150}, kSnapNone, {41, 120, 101, 150}},
        {"edge without overlap", {40, 210, 100, 250}, kSnapNone, {40, 210, 100, 250}},
        // Corners are tested before edges, and the left edge before the top edge.
        {"corner before edges", {40, 150, 100, 200}, kSnapBottomLeft, {40, 150, 100, 200}},
        {"left before top", {100, 100, 150, 130}, kSnapLeft, {100, 100, 150, 130}},
    };
    for (const auto& row : rows) {
        const SnapResult s = SnapToNeighbour(row.m, n);
        EXPECT_EQ(s.mode, row.mode) << row.what;
        EXPECT_EQ(s.rect, row.placed) << row.what;
    }
}

TEST(CellGeometry, SnappedEdgesAdjoinExactlyInOutputPixels)
{
    const CellRect nCanvas{100, 100, 200, 200};
    const CellRect nOutput{601, 602, 1203, 1205};  // not multiples of the scale
    // Corner: M's bottom-right onto N's top-left, keeping M's output size.
    SnapResult s = SnapToNeighbour({49, 49, 99, 99}, nCanvas);
    EXPECT_EQ(ApplySnapToOutput(s, {300, 300, 600, 600}, nOutput, true), (CellRect{301, 302, 601, 602}));
    // Left edge from outside during a move: M's right on N's left, the left follows.
    s = SnapToNeighbour({40, 120, 100, 150}, nCanvas);
    EXPECT_EQ(ApplySnapToOutput(s, {240, 720, 600, 900}, nOutput, true), (CellRect{241, 720, 601, 900}));
    // The same edge when resizing: only the snapped edge moves.
    EXPECT_EQ(ApplySnapToOutput(s, {240, 720, 600, 900}, nOutput, false), (CellRect{240, 720, 601, 900}));
    // Inside alignment on the top edge.
    s = SnapToNeighbour({120, 100, 150, 130}, nCanvas);
    EXPECT_EQ(ApplySnapToOutput(s, {720, 600, 900, 780}, nOutput, true), (CellRect{720, 602, 900, 782}));
    // No snap leaves the output alone.
    EXPECT_EQ(ApplySnapToOutput(SnapResult{}, {1, 2, 3, 4}, nOutput, true), (CellRect{1, 2, 3, 4}));
}

TEST(CellGeometry, ResizeSnapTakesEdgesWithinTwoOutputPixelsOrBeyond)
{
    const CellRect f{125, 198, 2045, 1278};
    const struct {
        int zone;
        bool move;
        CellRect out, expected;
    } rows[] = {
        {kZoneRight, false, {300, 300, 2043, 900}, {300, 300, 2045, 900}},
        {kZoneRight, false, {300, 300, 2042, 900}, {300, 300, 2042, 900}},
        {kZoneRight, false, {300, 300, 2050, 900}, {300, 300, 2045, 900}},
        {kZoneLeft, false, {127, 300, 900, 900}, {125, 300, 900, 900}},
        {kZoneLeft, false, {128, 300, 900, 900}, {128, 300, 900, 900}},
        // Only the zone's edges: the left stays near the edge on a right-edge drag.
        {kZoneRight, false, {126, 300, 900, 900}, {126, 300, 900, 900}},
        {kZoneBottomRight, false, {300, 300, 2044, 1277}, {300, 300, 2045, 1278}},
        {kZoneTopLeft, false, {120, 190, 900, 900}, {125, 198, 900, 900}},
        // A move shifts, keeping the size.
        {kZoneInterior, true, {126, 300, 526, 500}, {125, 300, 525, 500}},
        {kZoneInterior, true, {1644, 1077, 2044, 1277}, {1645, 1078, 2045, 1278}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(SnapResizeOutput(row.zone, row.move, row.out, f), row.expected) << ToString(row.out);
}

TEST(CellGeometry, PickingTakesWhatShowsThenTheSelectedEdgesThenTheNarrowestNearestTheTail)
{
    // 0: a wide layer cell; 1: a narrow layer cell inside it; 2: an output (fixed); 3: an active
    // output (fixed, state set); 4: a hidden cell.
    const std::vector<PickEntry> cells = {
        {{0, 0, 300, 200}, true, false, false},   {{50, 50, 100, 100}, true, false, false},
        {{0, 0, 320, 180}, true, true, false},    {{0, 0, 40, 40}, true, true, true},
        {{60, 60, 70, 70}, false, false, false},
    };
    // The narrow layer cell over the wide ones.
    EXPECT_EQ(PickCell(cells, -1, 75, 75), 1);
    // Active outputs are never picked; hidden cells neither.
    EXPECT_EQ(PickCell(cells, -1, 10, 10), 0);
    EXPECT_EQ(PickCell(cells, -1, 65, 65), 1);
    // Inside the selected cell's interior the narrowest still wins.
    EXPECT_EQ(PickCell(cells, 0, 52, 52), 1);
    const std::vector<PickEntry> overlapping = {
        {{0, 0, 100, 100}, true, false, false},
        {{90, 0, 190, 100}, true, false, false},
    };
    EXPECT_EQ(PickCell(overlapping, 1, 92, 50), 1);  // edge zone of the selected cell
    EXPECT_EQ(PickCell(overlapping, -1, 98, 50), 1); // equal widths: the one nearer the tail
    // A layer cell under another's picture is not picked there, on its edges neither.
    EXPECT_EQ(PickCell(overlapping, 0, 98, 50), 1);
    EXPECT_EQ(PickCell({{{50, 50, 100, 100}, true, false, false}, {{0, 0, 300, 200}, true, false, false}}, -1, 75, 75), 1);
    EXPECT_EQ(PickCell(overlapping, 1, 50, 50), 0);
    EXPECT_EQ(PickCell(cells, -1, 319, 179), 2);
    EXPECT_EQ(PickCell(cells, -1, 320, 179), -1);
    EXPECT_EQ(PickCell({}, 3, 1, 1), -1);
}

TEST(CellGeometry, FillRectangleIsTheBoundingBoxOfTheTouchedOutputs)
{
    const std::vector<FixedEntry> outputs = {
        {{21, 33, 341, 213}, {125, 198, 2045, 1278}, true},
        {{341, 33, 661, 213}, {2045, 198, 3965, 1278}, true},
        {{21, 213, 341, 393}, {125, 1278, 2045, 2358}, false},
    };
    FillRect fill = FindFreeRect({50, 50, 100, 100}, outputs);
    ASSERT_TRUE(fill.found);
    EXPECT_EQ(fill.canvas, (CellRect{21, 33, 341, 213}));
    EXPECT_EQ(fill.output, (CellRect{125, 198, 2045, 1278}));
    fill = FindFreeRect({300, 50, 400, 100}, outputs);
    EXPECT_EQ(fill.canvas, (CellRect{21, 33, 661, 213}));
    EXPECT_EQ(fill.output, (CellRect{125, 198, 3965, 1278}));
    // Touching only the hidden output, or only sharing an edge: nothing.
    EXPECT_FALSE(FindFreeRect({50, 300, 100, 350}, outputs).found);
    EXPECT_FALSE(FindFreeRect({0, 33, 21, 100}, outputs).found);
}

TEST(CellGeometry, DragPointClips)
{
    const CellRect client{0, 0, 1000, 800};
    // Grabbed 10 right and 20 below the top-left of a 100 x 50 cell.
    const CellRect clip = MoveClip(client, {100, 100, 200, 150}, 110, 120);
    EXPECT_EQ(clip, (CellRect{10, 20, 911, 771}));
    int x = 2000, y = -5;
    ClampPoint(clip, x, y);
    EXPECT_EQ(x, 910);  // the cell's right lands on the client's right
    EXPECT_EQ(y, 20);
    // A limit that is not the cell itself is widened by 10 on each side.
    EXPECT_EQ(LimitClip({21, 33, 341, 213}, {50, 50, 100, 100}), (CellRect{11, 23, 351, 223}));
    EXPECT_EQ(LimitClip({21, 33, 341, 213}, {21, 33, 341, 213}), (CellRect{21, 33, 341, 213}));
}

TEST(CellGeometry, PositionAndSizeTexts)
{
    EXPECT_EQ(PosText({325, 298, 1325, 898}, 125, 198), "Pos:[200,100]");
    // Negative positions show as 0.
    EXPECT_EQ(PosText({100, 150, 1100, 750}, 125, 198), "Pos:[0,0]");
    EXPECT_EQ(SizeText({325, 298, 1325, 898}), "Size:[1000,600]");
}
