#include "pages/signal/CropPageRules.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace croprules {

int LimitByOtherEdit(int value, int total, int otherEdit)
{
    if (total <= 0) return value;
    const long long limit = static_cast<long long>(total) - otherEdit;
    return value > limit ? static_cast<int>(limit) : value;
}

namespace {
// Integer part of x + 0.5, saturated: a scale from a tiny total can make huge pixel offsets.
int RoundHalfUp(double x)
{
    if (!std::isfinite(x)) return 0;
    const double r = std::floor(x + 0.5);
    constexpr double kLimit = 1 << 20;  // far outside any page; keeps sums below int overflow
    return static_cast<int>(std::clamp(r, -kLimit, kLimit));
}
} // namespace

Edges CropPreviewEdges(const Edges& preview, int hTotal, int vTotal, int hStart, int vStart, int width, int height)
{
    const int pw = preview.right - preview.left;
    const int ph = preview.bottom - preview.top;
    float sx = pw != 0 ? static_cast<float>(hTotal) / static_cast<float>(pw) : 0.0f;
    float sy = ph != 0 ? static_cast<float>(vTotal) / static_cast<float>(ph) : 0.0f;
    if (sx == 0.0f) sx = 1.0f;
    if (sy == 0.0f) sy = 1.0f;
    // The quotients stay single precision like the scales: 480 / (1920 / 130.f) is exactly 32.5
    // in float, 32.4999998 in double, and the frame would land a pixel short.
    const auto scaled = [](int value, float scale) { return RoundHalfUp(static_cast<float>(value) / scale); };
    Edges c;
    c.left = preview.left + scaled(hStart, sx);
    c.top = preview.top + scaled(vStart, sy);
    c.right = c.left + scaled(width, sx);
    c.bottom = c.top + scaled(height, sy);
    if (c.left > c.right) std::swap(c.left, c.right);
    if (c.top > c.bottom) std::swap(c.top, c.bottom);
    return c;
}

Edges PreviewEdgesBelow(int buttonLeft, int buttonTop)
{
    return {buttonLeft - 30, buttonTop + 50, buttonLeft + 100, buttonTop + 150};
}

long CropNotifyValue(int inputIndex, int window) { return (static_cast<long>(inputIndex) << 8) | window; }

} // namespace croprules
