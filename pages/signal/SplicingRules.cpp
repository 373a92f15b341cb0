#include "pages/signal/SplicingRules.h"

#include <algorithm>

namespace splicing {
namespace {

constexpr int kCellSize = 64;
constexpr int kSlotLeft = 30;
constexpr int kSlotPitch = 94;
constexpr int kSlotTop = 30;
constexpr int kMarkerGap = 2;

// The slot of each cell within its mode's row.
constexpr std::array<int, kCellCount> kSlotOfCell = {0, 1, 0, 1, 2, 0, 1, 2};
constexpr std::array<unsigned, kCellCount> kCellImages = {1503, 1504, 1511, 1512, 186, 124, 123, 122};

// A start may not push the window past the total; a total below the size leaves 0. The totals
// come from the processor as any 32-bit value, so the limit is worked out in 64 bits.
int AtMost(int value, int64_t limit) { return static_cast<int>(std::clamp<int64_t>(value, 0, std::max<int64_t>(limit, 0))); }

int64_t Less(int a, int b) { return int64_t{a} - b; }

} // namespace

int ShownMode(int32_t mode) { return mode >= 0 && mode <= kPanelModeCount ? static_cast<int>(mode) : 0; }

int ShownCell(int32_t cell) { return cell >= 0 && cell < kCellCount ? static_cast<int>(cell) : kNoCell; }

CellRange CellsOfMode(int mode)
{
    switch (mode) {
    case 2:
    case 3: return {0, 2};
    case 4: return {2, 3};
    case 5: return {5, 3};
    default: return {};
    }
}

int FirstCellOfMode(int mode)
{
    const CellRange r = CellsOfMode(mode);
    return r.count > 0 ? r.first : kNoCell;
}

unsigned CellImage(int cell) { return cell >= 0 && cell < kCellCount ? kCellImages[static_cast<size_t>(cell)] : 0; }

PreviewLayout ComputePreviewLayout(const QRect& group, QSize markerSize)
{
    PreviewLayout layout{};
    for (int c = 0; c < kCellCount; ++c) {
        const int slot = kSlotOfCell[static_cast<size_t>(c)];
        const QRect cell(group.left() + kSlotLeft + kSlotPitch * slot, group.top() + kSlotTop, kCellSize, kCellSize);
        const int markerRight = cell.left() - kMarkerGap;  // exclusive, as the cell's left is
        const QRect marker(markerRight - markerSize.width(), cell.top() + (kCellSize - markerSize.height()) / 2,
                           markerSize.width(), markerSize.height());
        layout[static_cast<size_t>(c)] = {cell, marker};
    }
    return layout;
}

int HitTestCell(int mode, const PreviewLayout& layout, QPoint point)
{
    const CellRange r = CellsOfMode(mode);
    for (int c = r.first; c < r.first + r.count; ++c) {
        const PreviewCell& pc = layout[static_cast<size_t>(c)];
        if (pc.cell.contains(point) || pc.marker.contains(point)) return c;
    }
    return kNoCell;
}

ManualWindow LimitManualEdit(ManualWindow e, ManualField changed, int storedHTotal, int storedVTotal)
{
    switch (changed) {
    case ManualField::HStart: e.hPos = AtMost(e.hPos, Less(storedHTotal, e.hAct)); break;
    case ManualField::VStart: e.vPos = AtMost(e.vPos, Less(storedVTotal, e.vAct)); break;
    case ManualField::Width: e.hAct = AtMost(e.hAct, Less(storedHTotal, e.hPos)); break;
    case ManualField::Height: e.vAct = AtMost(e.vAct, Less(storedVTotal, e.vPos)); break;
    case ManualField::HTotal:
        e.hTotal = std::max(e.hTotal, 0);
        e.hAct = AtMost(e.hAct, e.hTotal);
        e.hPos = AtMost(e.hPos, Less(e.hTotal, e.hAct));
        break;
    case ManualField::VTotal:
        e.vTotal = std::max(e.vTotal, 0);
        e.vAct = AtMost(e.vAct, e.vTotal);
        e.vPos = AtMost(e.vPos, Less(e.vTotal, e.vAct));
        break;
    }
    return e;
}

} // namespace splicing
