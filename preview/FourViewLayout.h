#pragma once
// The four-view window's arithmetic without windows: the 2 x 2 grid of views, each view's
// quadrant of the preview mosaic, and which part of the frameless window a point is on.
#include "preview/CellGeometry.h"

namespace fourview {

using cellgeo::CellRect;

inline constexpr int kMinWidth = 320;
inline constexpr int kMinHeight = 250;
inline constexpr int kCaptionHeight = 26;

// View i (0 top-left .. 3 bottom-right) in client coordinates of a W x H window.
CellRect ViewRect(int i, int windowWidth, int windowHeight);
// The caption label above view i: 80 x 20 at (left, top - 20).
CellRect ViewCaptionRect(int i, int windowWidth, int windowHeight);
// The quadrant of the mosaic that view i shows.
CellRect ViewSourceRect(int i, int previewWidth, int previewHeight);

// Hit codes, as the window system numbers them.
enum Hit : int {
    kHitNowhere = 0,
    kHitClient = 1,
    kHitCaption = 2,
    kHitLeft = 10,
    kHitRight = 11,
    kHitTop = 12,
    kHitTopLeft = 13,
    kHitTopRight = 14,
    kHitBottom = 15,
    kHitBottomLeft = 16,
    kHitBottomRight = 17,
};
// (x, y) and the window rectangle in the same (screen) coordinates; the client area starts at
// the window's top. Corners take 20 pixels, edges 3, the caption the top 26 of the client.
int HitTest(int x, int y, const CellRect& window);

// The resize or move command a press on a hit code starts (0 for none): 0xF001 left, 0xF002
// right, 0xF003 top, 0xF004 top-left, 0xF005 top-right, 0xF006 bottom, 0xF007 bottom-left,
// 0xF008 bottom-right, 0xF014 caption (move).
int SysCommandForHit(int hit);

} // namespace fourview
