#include "pages/signal/OutputWindowRules.h"

#include <algorithm>

namespace outputwindow {

int ClampStart(int start, int size, int output)
{
    const int last = std::max(0, output - size);
    return std::clamp(start, 0, last);
}

int ClampSize(int size, int start, int output) { return std::max(1, std::min(size, output - start)); }

namespace {

int Half(int x) { return static_cast<int>(x * 0.5 + 0.5); }

// Start and size of the part of [0, total) that a half layout gives a window starting at pos.
void HalfSpan(int total, int pos, int& start, int& size)
{
    const int half = Half(total);
    if (pos > half) {
        start = half;
        size = total - half;
    } else {
        start = 0;
        size = half;
    }
    size = std::max(1, size);
}

} // namespace

Geometry QuickLayoutGeometry(QuickLayout layout, int width, int height, int hPos, int vPos)
{
    Geometry g;
    switch (layout) {
    case QuickLayout::Half:
        HalfSpan(width, hPos, g.hPos, g.width);
        g.vPos = 0;
        g.height = std::max(1, height);
        break;
    case QuickLayout::Quarter:
        HalfSpan(width, hPos, g.hPos, g.width);
        HalfSpan(height, vPos, g.vPos, g.height);
        break;
    case QuickLayout::Thirds: {
        const int b1 = static_cast<int>(width / 3.0 + 0.5);
        const int b2 = static_cast<int>(width * 2 / 3.0 + 0.5);
        int left = 0, right = b1;
        if (hPos > b2) {
            left = b2;
            right = width;
        } else if (hPos > b1) {
            left = b1;
            right = b2;
        }
        g.hPos = left;
        g.width = std::max(1, right - left);
        g.vPos = 0;
        g.height = std::max(1, height);
        break;
    }
    }
    return g;
}

StepList ShowSteps(int code)
{
    using S = ImageStep;
    switch (code) {
    case 1: return {1, {S::Rotate90}};
    case 2: return {1, {S::Rotate270}};
    case 3: return {1, {S::FlipX}};
    case 4: return {1, {S::FlipY}};
    case 5: return {1, {S::Rotate180}};
    case 6: return {2, {S::Rotate90, S::FlipX}};
    case 7: return {2, {S::Rotate270, S::FlipX}};
    default: return {};
    }
}

StepList UndoSteps(int code)
{
    using S = ImageStep;
    switch (code) {
    case 1: return {1, {S::Rotate270}};
    case 2: return {1, {S::Rotate90}};
    case 3: return {1, {S::FlipX}};
    case 4: return {1, {S::FlipY}};
    case 5: return {1, {S::Rotate180}};
    case 6: return {2, {S::FlipX, S::Rotate270}};
    case 7: return {2, {S::FlipX, S::Rotate90}};
    default: return {};
    }
}

QRect PreviewPlacement(const QSize& picture, const QPoint& centre, const QRect& bounds,
                       std::span<const QRect> obstacles)
{
    if (picture.isEmpty()) return {};
    const int longer = std::max(picture.width(), picture.height());
    for (int k = longer; k > 0; --k) {
        const int w = static_cast<int>(static_cast<qint64>(picture.width()) * k / longer);
        const int h = static_cast<int>(static_cast<qint64>(picture.height()) * k / longer);
        if (w < 1 || h < 1) break;
        const QRect at(centre.x() - w / 2, centre.y() - h / 2, w, h);
        if (!bounds.contains(at)) continue;
        if (std::none_of(obstacles.begin(), obstacles.end(), [&](const QRect& o) { return o.intersects(at); }))
            return at;
    }
    return {};
}

} // namespace outputwindow
