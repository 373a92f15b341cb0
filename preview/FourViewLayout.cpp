#include "preview/FourViewLayout.h"

namespace fourview {

CellRect ViewRect(int i, int windowWidth, int windowHeight)
{
    const int halfW = (windowWidth - 20) / 2;
    const int halfH = (windowHeight - 26) / 2;
    const int left = (i == 1 || i == 3) ? 10 + halfW : 10;
    const int top = (i == 2 || i == 3) ? halfH + 46 : 46;
    return CellRect{left, top, left + halfW, top + halfH - 20};
}

CellRect ViewCaptionRect(int i, int windowWidth, int windowHeight)
{
    const CellRect v = ViewRect(i, windowWidth, windowHeight);
    return CellRect{v.left, v.top - 20, v.left + 80, v.top};
}

CellRect ViewSourceRect(int i, int previewWidth, int previewHeight)
{
    const int halfW = previewWidth / 2;
    const int halfH = previewHeight / 2;
    const int x = (i == 1 || i == 3) ? halfW : 0;
    const int y = (i == 2 || i == 3) ? halfH : 0;
    return CellRect{x, y, x + halfW, y + halfH};
}

int HitTest(int x, int y, const CellRect& w)
{
    const bool nearLeft = x <= w.left + 20, nearRight = x >= w.right - 20;
    const bool nearTop = y <= w.top + 20, nearBottom = y >= w.bottom - 20;
    if (nearLeft && nearTop) return kHitTopLeft;
    if (nearRight && nearTop) return kHitTopRight;
    if (nearLeft && nearBottom) return kHitBottomLeft;
    if (nearRight && nearBottom) return kHitBottomRight;
    if (x <= w.left + 3) return kHitLeft;
    if (x >= w.right - 3) return kHitRight;
    if (y <= w.top + 3) return kHitTop;
    if (y >= w.bottom - 3) return kHitBottom;
    if (y < w.top + kCaptionHeight) return kHitCaption;
    return kHitClient;
}

int SysCommandForHit(int hit)
{
    switch (hit) {
    case kHitLeft: return 0xF001;
    case kHitRight: return 0xF002;
    case kHitTop: return 0xF003;
    case kHitTopLeft: return 0xF004;
    case kHitTopRight: return 0xF005;
    case kHitBottom: return 0xF006;
    case kHitBottomLeft: return 0xF007;
    case kHitBottomRight: return 0xF008;
    case kHitCaption: return 0xF014;
    default: return 0;
    }
}

} // namespace fourview
