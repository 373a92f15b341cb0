// The output timing rules as a table: totals, the clock limits with the operator's totals, and the
// three assumed-blanking rules with their edge cases.

#include "pages/signal/OutputTimingRules.h"

#include <gtest/gtest.h>

namespace ot = outputtiming;

namespace {

struct BlankingCase {
    const char* what;
    int vActive, rate, hActive;
    int expected;
};

TEST(OutputTimingRules, HActiveWithAssumedBlanking)
{
    const BlankingCase cases[] = {
        // 4080 + 128 passes 4094, so 3966; then the clock gives 2474 - 128.
        {"4080 at 60 Hz, 1080 lines", 1080, 6000, 4080, 2346},
        // hTotal 4094 x vTotal 1108 x 52 is over the clock; 164,500,000 / (52 x 1108) = 2855, - 128, even.
        {"4080 at 52 Hz, 1080 lines", 1080, 5200, 4080, 2726},
        {"3840 at 30 Hz, 1080 lines: narrow blanking, within the clock", 1080, 3000, 3840, 3840},
        {"3840 at 30 Hz, 1200 lines: narrow blanking", 1200, 3000, 3840, 3840},
        {"3840 at 29.97 Hz counts as 29: wide blanking caps the total", 1080, ot::WholeHertzRate(29.97), 3840, 3582},
        {"3840 at 30 Hz, 1024 lines: wide blanking", 1024, 3000, 3840, 3582},
        {"within every limit stays", 1080, 6000, 1920, 1920},
        {"an odd width is made even", 768, 6000, 1281, 1280},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const int got = ot::LimitHActive(c.vActive, c.rate, c.hActive);
        EXPECT_EQ(got, c.expected);
        EXPECT_EQ(got % 2, 0);
    }
}

TEST(OutputTimingRules, VActiveWithAssumedBlanking)
{
    struct Case {
        const char* what;
        int vActive, rate, hActive;
        int vExpected, hExpected;
    };
    const Case cases[] = {
        {"1080 at 60 Hz with 1920 fits", 1080, 6000, 1920, 1080, 1920},
        {"4080 lines cap the total at 4094", 4080, 3000, 640, 4066, 640},
        // 4080 + 128 passes 4094: H active becomes 3966; then the clock limits V.
        {"the H total caps first", 1080, 6000, 4080, 164500000 / (60 * 4094) - 28, 3966},
        {"30 Hz with 3840 takes the narrow blanking", 1200, 3000, 3840, 1200, 3840},
        {"not rounded to even", 1081, 6000, 1920, 1081, 1920},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ot::VActiveLimit r = ot::LimitVActive(c.vActive, c.rate, c.hActive);
        EXPECT_EQ(r.vActive, c.vExpected);
        EXPECT_EQ(r.hActive, c.hExpected);
    }
}

TEST(OutputTimingRules, FrameRateWithAssumedBlanking)
{
    const BlankingCase cases[] = {
        {"120 Hz at 1920 x 1080 gives 72.49", 1080, 12000, 1920, 7249},
        {"60 Hz at 1920 x 1080 fits", 1080, 6000, 1920, 6000},
        {"29.97 Hz (2997) fits", 1080, 2997, 1920, 2997},
        // 164,500,000 / (2188 x 4094) = 18.36 Hz (wide blanking, the H total capped at 4094).
        {"3840 x 2160 at 30 Hz is lowered", 2160, 3000, 3840, 1836},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const int got = ot::LimitFrameRate(c.vActive, c.rate, c.hActive);
        EXPECT_EQ(got, c.expected);
    }
}

TEST(OutputTimingRules, FrameRateLimitNeverExceedsTheClock)
{
    for (int h : {640, 1920, 2560, 3840, 4080})
        for (int v : {480, 1080, 2160, 4080}) {
            const int r = ot::LimitFrameRate(v, 12000, h);
            const int hTotal = std::min(h + 128, 4094), vTotal = std::min(v + 28, 4094);
            EXPECT_TRUE(ot::FitsPixelClock(hTotal, vTotal, r)) << h << " x " << v << " at " << r;
        }
}

TEST(OutputTimingRules, Totals)
{
    struct Case {
        const char* what;
        int total, active, sync, porch;
        bool horizontal;
        int expected;
    };
    const Case cases[] = {
        {"H sync 128 raises H total to 2592", 2200, 1920, 128, 512, true, 2592},
        {"V total 1100 becomes 1125", 1100, 1080, 5, 36, false, 1125},
        {"exactly the needed V total stays", 1125, 1080, 5, 36, false, 1125},
        {"a larger H total stays", 2200, 1920, 44, 148, true, 2200},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const int need = c.horizontal ? ot::NeededHTotal(c.active, c.sync, c.porch)
                                      : ot::NeededVTotal(c.active, c.sync, c.porch);
        EXPECT_EQ(ot::RaisedTotal(c.total, need), c.expected);
    }
}

TEST(OutputTimingRules, DetailedLimits)
{
    // 164,500,000 / (1125 x 60) = 2437; 2437 - 148 - 44 - 32 = 2213, odd, so 2212.
    EXPECT_EQ(ot::DetailedHActiveLimit(1125, 60.0, 44, 148), 2212);
    // 164,500,000 / (2200 x 60) = 1246; 1246 - 36 - 5 - 4 = 1201, not rounded.
    EXPECT_EQ(ot::DetailedVActiveLimit(2200, 60.0, 5, 36), 1201);
    // 164,500,000 / (2200 x 1125) = 66.46 Hz, truncated to hundredths.
    EXPECT_EQ(ot::DetailedFpsLimit(2200, 1125), 6646);
    EXPECT_TRUE(ot::FitsPixelClock(2200, 1125, 6646));
    EXPECT_FALSE(ot::FitsPixelClock(2200, 1125, 6647));
    // A slow clock still keeps the needed total within 4094.
    EXPECT_EQ(ot::DetailedHActiveLimit(492, 23.0, 44, 148), 4094 - 148 - 44 - 32);
    EXPECT_EQ(ot::DetailedVActiveLimit(680, 23.0, 5, 36), 4094 - 36 - 5 - 4);
    // A V total of 4094 at 120 Hz leaves no H active in range.
    EXPECT_LT(ot::DetailedHActiveLimit(4094, 120.0, 4, 4), ot::kMinHActive);
    // Bad inputs give no limit instead of a division by zero.
    EXPECT_EQ(ot::DetailedHActiveLimit(0, 60.0, 4, 4) <= 0, true);
    EXPECT_EQ(ot::DetailedFpsLimit(0, 1125), 0);
}

TEST(OutputTimingRules, Rates)
{
    EXPECT_EQ(ot::WholeHertzRate(29.97), 2900);
    EXPECT_EQ(ot::WholeHertzRate(23.98f), 2300);
}

} // namespace
