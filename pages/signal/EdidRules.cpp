#include "pages/signal/EdidRules.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace edidrules {
namespace {

constexpr int kTypeVga = 3;
constexpr int kTypeDvi = 4;
constexpr int kTypeHdmi = 6;
constexpr int kTypeSdi = 7;
constexpr int kTypeDp = 8;
constexpr int kTypeUsb = 9;
constexpr double kSingleLinkClock = 165000000.0;
constexpr double kDualLinkClock = 300000000.0;

// Truncates towards zero into the int range (a limit can be far beyond it when a factor is tiny).
int TruncatedInt(double v)
{
    if (std::isnan(v)) return 0;
    v = std::trunc(v);
    if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (v <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(v);
}

}  // namespace

int RecordIndexOf(int input)
{
    if (input < 0 || input >= kInputCount || input == 5) return kNoRecord;
    return input >= 6 ? input - 1 : input;
}

int FindRecordFor(const EdidTiming (&records)[kEdidRecordCount], int input)
{
    for (int r = 0; r < kEdidRecordCount; ++r)
        if (records[r].inputSrc == input) return r;
    return kNoRecord;
}

bool HasWritableRecord(const EdidTiming (&records)[kEdidRecordCount], int input)
{
    const int r = RecordIndexOf(input);
    return r != kNoRecord && records[r].inputSrc == input;
}

bool ListsInput(Fill fill, int n, int src, int enabled, int dpMode1)
{
    if (n < 0 || n >= kInputCount || n == 5) return false;
    // The first fill keeps SDI only among the first six; a refill drops SDI and USB everywhere.
    if (fill == Fill::Refill && (src == kTypeSdi || src == kTypeUsb)) return false;
    if (n < 6) return true;
    if (src == kTypeSdi) return false;
    if (enabled > 0) return true;
    const bool dualLinkType = src == kTypeDp || (fill == Fill::Refill && src == kTypeHdmi);
    return dualLinkType && dpMode1 == 1;
}

std::optional<double> PixelClockLimit(int input, int src)
{
    switch (src) {
    case kTypeDvi:
    case kTypeVga: return kSingleLinkClock;
    case kTypeDp: return kDualLinkClock;
    case kTypeHdmi:
        if (input >= 0 && input <= 5) return kSingleLinkClock;
        if (input == 6) return kDualLinkClock;
        return std::nullopt;
    default: return std::nullopt;
    }
}

std::optional<int> FieldLimit(Field field, const Timing& t, double clock)
{
    double product = 0;
    double minus = 0;
    switch (field) {
    case Field::Fps: product = (t.vActive + t.vBlank) * (t.hActive + t.hBlank); break;
    case Field::HBlank: product = (t.vActive + t.vBlank) * t.fps; minus = t.hActive; break;
    case Field::HActive: product = (t.vActive + t.vBlank) * t.fps; minus = t.hBlank; break;
    case Field::VActive: product = (t.hActive + t.hBlank) * t.fps; minus = t.vBlank; break;
    case Field::VBlank: product = (t.hActive + t.hBlank) * t.fps; minus = t.vActive; break;
    }
    if (!(product > 0)) return std::nullopt;
    return TruncatedInt(clock / product - minus);
}

std::optional<int> LimitedValue(Field field, const Timing& t, std::optional<double> clock)
{
    if (!clock) return std::nullopt;
    const std::optional<int> limit = FieldLimit(field, t, *clock);
    if (!limit) return std::nullopt;
    double typed = 0;
    switch (field) {
    case Field::HActive: typed = t.hActive; break;
    case Field::VActive: typed = t.vActive; break;
    case Field::Fps: typed = t.fps; break;
    case Field::HBlank: typed = t.hBlank; break;
    case Field::VBlank: typed = t.vBlank; break;
    }
    if (TruncatedInt(typed) > *limit) return limit;
    return std::nullopt;
}

uint16_t StoredFps(int shownFps, uint16_t storedFps)
{
    if (shownFps == storedFps / 100) return storedFps;
    return static_cast<uint16_t>(std::clamp(shownFps, 0, 0xFFFF / 100) * 100);
}

}  // namespace edidrules
