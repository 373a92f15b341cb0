#include "shell/MainWindowGeometry.h"

#include <QPoint>

namespace {

// Rectangles from corners (left, top, right, bottom), exclusive of right and bottom as the classic
// RECT is.
QRect FromEdges(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

int ScaledWidth(int design, int dpi)
{
    return static_cast<int>(static_cast<double>(design) * dpi / 96.0);
}

} // namespace

QSize MainWindowSizeForDpi(int dpiX, int dpiY)
{
    return QSize(ScaledWidth(kMainDesignWidth, dpiX), ScaledWidth(kMainDesignHeight, dpiY));
}

QRect ConstrainSizingRect(int edge, const QRect& r)
{
    int left = r.left(), top = r.top();
    int right = r.left() + r.width(), bottom = r.top() + r.height();
    if (right - left < kMainDesignWidth) {
        if (edge == kSizeLeft || edge == kSizeTopLeft || edge == kSizeBottomLeft)
            left = right - kMainDesignWidth;
        else
            right = left + kMainDesignWidth;
    }
    if (bottom - top < kMainDesignHeight) {
        if (edge == kSizeTop || edge == kSizeTopLeft || edge == kSizeTopRight)
            top = bottom - kMainDesignHeight;
        else
            bottom = top + kMainDesignHeight;
    }
    return FromEdges(left, top, right, bottom);
}

std::array<QRect, kInputIconCount> ComputeInputIconRects(int dpiX)
{
    std::array<QRect, kInputIconCount> r{};
    const int width = ScaledWidth(68, dpiX);
    const double step = 68.0 * dpiX / 96.0 + 40.0;
    for (int k = 0; k < 8; ++k) {
        const int left = 123 + static_cast<int>(step * k);
        r[static_cast<size_t>(k)] = FromEdges(left, 25, left + width, 50);
    }
    auto above = [](const QRect& base) {
        return FromEdges(base.left(), base.top() - 25, base.left() + base.width(), base.top() - 9);
    };
    auto below = [](const QRect& upper) {
        const int bottom = upper.top() + upper.height();
        return FromEdges(upper.left(), bottom + 16, upper.left() + upper.width(), bottom + 32);
    };
    r[8] = above(r[4]);
    r[9] = below(r[8]);
    r[10] = above(r[6]);
    r[11] = below(r[10]);
    return r;
}

PageAreaLayout ComputePageArea(const QRect& client, int dpiX, bool pageOpen)
{
    const int L = client.left(), T = client.top();
    const int R = client.left() + client.width(), B = client.top() + client.height();
    const int w = ScaledWidth(320, dpiX);
    PageAreaLayout out;
    out.operating = FromEdges(pageOpen ? L + 77 + w : L + 75, T + 106, R - 24, B - 141);
    out.settings = FromEdges(L + 77, T + 106, L + 77 + w, B - 96);
    out.subPage = FromEdges(L + 83, T + 208, L + 83 + w, B - 104);
    return out;
}
