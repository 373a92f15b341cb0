#pragma once
// The rules that keep a customised output timing within what the processor can produce: a pixel
// clock of at most 164.5 MHz, totals of at most 4094, and totals that hold the active size, the
// sync width, the back porch and a fixed margin. The output page runs them on each committed
// timing edit. Rates are in hundredths of a hertz where they are ints.

#include <cstdint>

namespace outputtiming {

inline constexpr double kPixelClockLimit = 164500000.0;
inline constexpr int kHMargin = 32;
inline constexpr int kVMargin = 4;
inline constexpr int kMaxTotal = 4094;
inline constexpr int kAssumedVBlank = 28;
inline constexpr int kWideHBlank = 512;
inline constexpr int kNarrowHBlank = 128;
inline constexpr int kHighRate = 5200;  // 52.00 Hz

// Ranges of the timing edits (the edits clamp into them before any rule runs).
inline constexpr int kMinHActive = 640, kMaxHActive = 4080;
inline constexpr int kMinVActive = 480, kMaxVActive = 4080;
inline constexpr int kMinFps = 23, kMaxFps = 120;
inline constexpr int kMinHTotal = 680, kMinVTotal = 492;
inline constexpr int kMinSync = 4, kMaxSync = 128;
inline constexpr int kMinPorch = 4, kMaxPorch = 512;

// --- Totals (with or without the detailed timing) ---

// The smallest H total that holds active + sync + back porch + margin.
int NeededHTotal(int hActive, int hSync, int hbp);
int NeededVTotal(int vActive, int vSync, int vbp);
// The total an edit shows after a commit: raised to need, never lowered.
inline int RaisedTotal(int total, int need) { return need > total ? need : total; }

// --- Active size and rate with the detailed timing on: the operator's totals stay ---

// The largest H active whose needed H total fits the clock at V total and fps (hertz) and stays
// within 4094; even. May be below the edit's minimum (or negative): the timing cannot be met then.
// Raising the H total to the needed total afterwards keeps the clock.
int DetailedHActiveLimit(int vTotal, double fps, int hSync, int hbp);
// The same for V active at H total and fps (not rounded to even).
int DetailedVActiveLimit(int hTotal, double fps, int vSync, int vbp);
// The highest rate in hundredths of a hertz that fits the clock at the two totals, truncated so
// that it never exceeds the clock.
int DetailedFpsLimit(int hTotal, int vTotal);
// Whether totals and rate (hundredths) stay within the clock.
bool FitsPixelClock(int hTotal, int vTotal, int rate);

// --- Active size and rate with the detailed timing off: assumed blanking ---

// The rate the H and V active rules use: whole hertz (29.97 counts as 2900).
int WholeHertzRate(double fps);

// H active committed: the largest even H active at most the value given that fits the clock
// with assumed blanking. rate as WholeHertzRate.
int LimitHActive(int vActive, int rate, int hActive);

struct VActiveLimit {
    int vActive;
    int hActive;  // lowered when the H total with assumed blanking passed 4094
};
// V active committed. rate as WholeHertzRate.
VActiveLimit LimitVActive(int vActive, int rate, int hActive);

// FPS committed: the rate (hundredths) lowered until it fits the clock with assumed blanking.
// rate in hundredths, rounded (29.97 counts as 2997).
int LimitFrameRate(int vActive, int rate, int hActive);

} // namespace outputtiming
