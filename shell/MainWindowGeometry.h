#pragma once
// Geometry of the main window that does not need a window: its size at a DPI, the minimum-size
// rule of interactive resizing, the input icon rectangles and the page area.

#include <QRect>
#include <QSize>

#include <array>

inline constexpr int kMainDesignWidth = 1280;
inline constexpr int kMainDesignHeight = 728;
inline constexpr int kInputIconCount = 12;

// 1280 x dpiX / 96 by 728 x dpiY / 96, computed in floating point and truncated.
QSize MainWindowSizeForDpi(int dpiX, int dpiY);

// Which edge or corner is being dragged (the classic WMSZ_ numbers).
enum SizingEdge { kSizeLeft = 1, kSizeRight = 2, kSizeTop = 3, kSizeTopLeft = 4, kSizeTopRight = 5,
                  kSizeBottom = 6, kSizeBottomLeft = 7, kSizeBottomRight = 8 };
// Keeps a window rectangle at least 1280 by 728 pixels while it is resized by that edge: a too
// narrow rectangle grows back on the side being dragged (its left edge for the left edges, else
// its right edge); a too low one likewise at its top or bottom.
QRect ConstrainSizingRect(int edge, const QRect& r);

// The twelve input icon rectangles in client coordinates for a horizontal DPI (rows 0..7 in a row;
// the dual-link rows 8 and 9 the left and right halves of row 4, 10 and 11 those of row 6).
std::array<QRect, kInputIconCount> ComputeInputIconRects(int dpiX);

// Page area for a client rectangle: the column width (320 x dpi / 96), the operating page (from
// x + 75 with no page open, else beside the page column), each settings page, the system's
// sub-pages (the settings column below the system page's tab row).
struct PageAreaLayout {
    QRect operating;
    QRect settings;
    QRect subPage;
};
PageAreaLayout ComputePageArea(const QRect& client, int dpiX, bool pageOpen);
