#include "controls/FillGradient.h"

#include <QPainter>

#include <cstdlib>

std::vector<GradientBand> ComputeGradientBands(const QRect& rect, COLORREF from, COLORREF to, int bandHeight)
{
    std::vector<GradientBand> bands;
    // A zero band height or an empty rectangle would divide by zero below.
    if (bandHeight <= 0 || rect.isEmpty())
        return bands;
    const int top = rect.top();
    const int bottom = rect.top() + rect.height();  // exclusive
    const double n = std::abs(bottom - top) / static_cast<double>(bandHeight);
    const int left = rect.left();
    const int width = rect.width() + 1;
    auto channel = [n](int a, int b, int i) {
        return static_cast<int>(a + i * (b - a) / n) & 0xFF;
    };
    for (int i = 0; i <= n; ++i) {
        const long long y0 = top + static_cast<long long>(i) * bandHeight;
        const long long y1 = std::min<long long>(y0 + bandHeight, bottom);
        const COLORREF c = MakeColorRef(channel(ColorRefRed(from), ColorRefRed(to), i),
                                        channel(ColorRefGreen(from), ColorRefGreen(to), i),
                                        channel(ColorRefBlue(from), ColorRefBlue(to), i));
        const int h = y1 > y0 ? static_cast<int>(y1 - y0) : 0;
        bands.push_back({QRect(left, static_cast<int>(std::min<long long>(y0, bottom)), width, h), c});
    }
    return bands;
}

void FillGradient(QPainter& painter, const QRect& rect, COLORREF from, COLORREF to, int bandHeight)
{
    for (const GradientBand& b : ComputeGradientBands(rect, from, to, bandHeight)) {
        if (b.rect.height() > 0)
            painter.fillRect(b.rect, ToQColor(b.color));
    }
}
