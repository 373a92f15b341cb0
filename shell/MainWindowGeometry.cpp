#include "shell/MainWindowGeometry.h"

#include "pages/system/SystemPageRules.h"

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
    // A dual-link pair (DP-L and DP-R) takes the two halves of its connector's place, under the
    // two half-width buttons that choose them; stacked above and below it, the upper icon would
    // lie under those buttons and the lower one inside the connector's own icon.
    auto halves = [&r](int whole, int left, int right) {
        const QRect& w = r[static_cast<size_t>(whole)];
        const int mid = w.left() + w.width() / 2;
        r[static_cast<size_t>(left)] = FromEdges(w.left(), w.top(), mid, w.top() + w.height());
        r[static_cast<size_t>(right)] = FromEdges(mid, w.top(), w.left() + w.width(), w.top() + w.height());
    };
    halves(4, 8, 9);
    halves(6, 10, 11);
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
    // A system sub-page is a settings page like the others: the column's place and width, below
    // the system page's tab row.
    out.subPage = out.settings.adjusted(0, kSubPageTop, 0, -kSubPageBottom);
    return out;
}
