#include "controls/SliderGeometry.h"

#include <algorithm>
#include <cmath>

int SliderCentreLow(const SliderTrack& t) { return t.marginLo + t.thumb / 2; }

int SliderCentreHigh(const SliderTrack& t)
{
    return std::max(SliderCentreLow(t), t.length - t.marginHi - t.thumb / 2);
}

int ClampSliderCentre(const SliderTrack& t, int a) { return std::clamp(a, SliderCentreLow(t), SliderCentreHigh(t)); }

int SliderPosToCentre(const SliderTrack& t, int pos, int min, int max)
{
    const int lo = std::min(min, max);
    const int hi = std::max(min, max);
    const double room = static_cast<double>(t.length) - t.marginHi - t.marginLo - t.thumb;
    const int base = t.thumb / 2 + t.marginLo;
    if (hi == lo || room <= 0)
        return base;
    const double p = std::clamp(pos, lo, hi);
    return base + static_cast<int>(room * (p - lo) / (static_cast<double>(hi) - lo));
}

int SliderPixelToPos(const SliderTrack& t, int a, int min, int max)
{
    const int lo = std::min(min, max);
    const int hi = std::max(min, max);
    if (hi == lo)
        return lo;
    const double offset = static_cast<double>(a) - t.thumb / 2 - t.marginLo;
    const double room = static_cast<double>(t.length) - t.marginHi - t.marginLo - t.thumb - 8;
    if (room <= 0)
        return offset <= 0 ? lo : hi;
    const double v = lo + (offset / room) * (static_cast<double>(hi) - lo + 1);
    // Clamp in double first: the cast of an out-of-range value would be undefined.
    return static_cast<int>(std::clamp(std::trunc(v), static_cast<double>(lo), static_cast<double>(hi)));
}

int SliderAxisFromWidget(int widgetCoord, int widgetExtent, bool vertical)
{
    return vertical ? widgetExtent - widgetCoord : widgetCoord;
}

int SliderWidgetFromAxis(int axisCoord, int widgetExtent, bool vertical)
{
    return vertical ? widgetExtent - axisCoord : axisCoord;
}
