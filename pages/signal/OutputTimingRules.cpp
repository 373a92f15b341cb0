#include "pages/signal/OutputTimingRules.h"

#include <algorithm>

namespace outputtiming {
namespace {

// Results the processor keeps in 16-bit fields wrap as they do there.
int Low16(double value)
{
    if (!(value > 0.0)) return 0;
    return static_cast<int>(static_cast<uint16_t>(static_cast<int64_t>(value) & 0xFFFF));
}

// hTotal x vTotal x rate / 100, computed in double and truncated, as the rules compare it.
int64_t PixelClock(int hTotal, int vTotal, int rate)
{
    return static_cast<int64_t>(static_cast<double>(hTotal) * vTotal * rate / 100.0);
}

bool OverClock(int hTotal, int vTotal, int rate)
{
    return PixelClock(hTotal, vTotal, rate) > static_cast<int64_t>(kPixelClockLimit);
}

} // namespace

int NeededHTotal(int hActive, int hSync, int hbp) { return hActive + hSync + hbp + kHMargin; }
int NeededVTotal(int vActive, int vSync, int vbp) { return vActive + vSync + vbp + kVMargin; }

int DetailedHActiveLimit(int vTotal, double fps, int hSync, int hbp)
{
    if (vTotal <= 0 || !(fps > 0.0)) return 0;
    // The H total that would hold the picture must also stay within the largest total.
    const int maxTotal = std::min(Low16(kPixelClockLimit / (static_cast<double>(vTotal) * fps)), kMaxTotal);
    int limit = maxTotal - hbp - hSync - kHMargin;
    if (limit % 2 != 0) limit -= 1;
    return limit;
}

int DetailedVActiveLimit(int hTotal, double fps, int vSync, int vbp)
{
    if (hTotal <= 0 || !(fps > 0.0)) return 0;
    const int maxTotal = std::min(Low16(kPixelClockLimit / (static_cast<double>(hTotal) * fps)), kMaxTotal);
    return maxTotal - vbp - vSync - kVMargin;
}

int DetailedFpsLimit(int hTotal, int vTotal)
{
    if (hTotal <= 0 || vTotal <= 0) return 0;
    return Low16(kPixelClockLimit / (static_cast<double>(vTotal) * hTotal) * 100.0);
}

bool FitsPixelClock(int hTotal, int vTotal, int rate) { return !OverClock(hTotal, vTotal, rate); }

int WholeHertzRate(double fps)
{
    if (!(fps > 0.0)) return 0;
    return static_cast<int>(fps) * 100;
}

int LimitHActive(int vActive, int rate, int hActive)
{
    const bool narrow = rate >= kHighRate || (rate == 3000 && (vActive == 1080 || vActive == 1200));
    const int hBlank = narrow ? kNarrowHBlank : kWideHBlank;
    int hTotal = hActive + hBlank;
    if (hTotal > kMaxTotal) {
        hTotal = kMaxTotal;
        hActive = kMaxTotal - hBlank;
    }
    const int vTotal = std::min(vActive + kAssumedVBlank, kMaxTotal);
    if (rate > 0 && OverClock(hTotal, vTotal, rate)) {
        const int maxH = Low16(kPixelClockLimit / (rate / 100.0 * vTotal));
        if (hActive + hBlank > maxH) hActive = maxH - hBlank;
    }
    return hActive & ~1;
}

VActiveLimit LimitVActive(int vActive, int rate, int hActive)
{
    const bool narrow = rate >= kHighRate || (rate == 3000 && hActive == 3840);
    const int hBlank = narrow ? kNarrowHBlank : kWideHBlank;
    int hTotal = hActive + hBlank;
    if (hTotal > kMaxTotal) {
        hTotal = kMaxTotal;
        hActive = kMaxTotal - hBlank;
    }
    int vTotal = vActive + kAssumedVBlank;
    if (vTotal > kMaxTotal) {
        vTotal = kMaxTotal;
        vActive = kMaxTotal - kAssumedVBlank;
    }
    if (rate > 0 && OverClock(hTotal, vTotal, rate)) {
        const int maxV = Low16(kPixelClockLimit / (rate / 100.0 * hTotal));
        if (vActive + kAssumedVBlank > maxV) vActive = maxV - kAssumedVBlank;
    }
    return {vActive, hActive};
}

int LimitFrameRate(int vActive, int rate, int hActive)
{
    const bool narrow = rate >= kHighRate || ((vActive == 1080 || vActive == 1200) && hActive == 3840);
    const int hBlank = narrow ? kNarrowHBlank : kWideHBlank;
    const int hTotal = std::min(hActive + hBlank, kMaxTotal);
    const int vTotal = std::min(vActive + kAssumedVBlank, kMaxTotal);
    if (OverClock(hTotal, vTotal, rate)) rate = DetailedFpsLimit(hTotal, vTotal);
    return rate;
}

} // namespace outputtiming
