#pragma once
// The splicing page's arithmetic, apart from its widgets: which preview cells belong to a panel
// mode, where the cells and their markers sit in the preview group, which cell a click hits, and
// how the manual start, size and total edits limit one another.

#include <QPoint>
#include <QRect>
#include <QSize>

#include <array>
#include <cstdint>

namespace splicing {

inline constexpr int kCellCount = 8;
inline constexpr int kNoCell = 8;      // "no cell selected", as the device and the main window know it
inline constexpr int kPanelModeCount = 5;  // modes 1..5; 0 is splicing off

// A mode as the page shows it: 0..5, and anything else from the device counts as off.
int ShownMode(int32_t mode);
// A cell as the page shows it: 0..7, and anything else (negative values included) is no cell.
int ShownCell(int32_t cell);

struct CellRange {
    int first = 0;
    int count = 0;
};
// The preview cells of a mode: 2 and 3 have cells 0..1, 4 has 2..4, 5 has 5..7, others none.
CellRange CellsOfMode(int mode);
// The cell the main window is told after a mode change: the mode's first cell, or none.
int FirstCellOfMode(int mode);
// The PNG picture of a cell, 0 for no cell.
unsigned CellImage(int cell);

inline constexpr unsigned kMarkerImage = 126;          // a cell that is not selected
inline constexpr unsigned kSelectedMarkerImage = 125;  // the selected cell

struct PreviewCell {
    QRect cell;    // the arrangement picture, 64 x 64
    QRect marker;  // the selection mark left of it
};
using PreviewLayout = std::array<PreviewCell, kCellCount>;

// Cells sit in three slots in a row, 30 + 94k pixels right of the group's left edge and 30 below
// its top; a marker ends 2 pixels left of its cell, centred on the cell's height. Two-cell modes
// use slots 0 and 1, three-cell modes slots 0..2.
PreviewLayout ComputePreviewLayout(const QRect& group, QSize markerSize);

// The first cell of the mode whose picture or marker holds the point, or kNoCell.
int HitTestCell(int mode, const PreviewLayout& layout, QPoint point);

// One window's manual arrangement, as the six edits show it.
struct ManualWindow {
    int hPos = 0;
    int vPos = 0;
    int hAct = 0;
    int vAct = 0;
    int hTotal = 0;
    int vTotal = 0;
    bool operator==(const ManualWindow&) const = default;
};
enum class ManualField { HStart, VStart, Width, Height, HTotal, VTotal };

// The six values after the operator changed one field (edits already holds its new value). A
// start or size is limited by the stored total less the other value; a new total cuts the size
// to itself, then pulls the start back so the window still ends inside. Nothing goes below 0.
ManualWindow LimitManualEdit(ManualWindow edits, ManualField changed, int storedHTotal, int storedVTotal);

} // namespace splicing
