#pragma once
// A rectangle by its edges, as a Windows RECT has them: right and bottom are one past the last
// pixel, so a width is right - left. The pages that draw small previews compute in these.

#include <QRect>

struct RectEdges {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const RectEdges&) const = default;
};

// The pixels the edges enclose.
inline QRect ToQRect(const RectEdges& e) { return QRect(e.left, e.top, e.Width(), e.Height()); }
