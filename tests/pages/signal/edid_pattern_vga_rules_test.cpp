// Rules of the EDID, test-pattern and VGA pages: list filters, record indexes, pixel-clock
// limits, pattern steps, grab positions, input slots, position bytes and the ADC lock.

#include "pages/signal/EdidRules.h"
#include "pages/signal/TestPatternRules.h"
#include "pages/signal/VgaRules.h"

#include <gtest/gtest.h>

#include <climits>

namespace er = edidrules;
namespace tp = testpattern;
namespace vr = vgarules;

namespace {

TEST(EdidRules, RecordIndexOfEachInput)
{
    const int expected[] = {0, 1, 2, 3, 4, er::kNoRecord, 5, 6};
    for (int e = 0; e < 8; ++e) EXPECT_EQ(er::RecordIndexOf(e), expected[e]) << e;
    EXPECT_EQ(er::RecordIndexOf(-1), er::kNoRecord);
    EXPECT_EQ(er::RecordIndexOf(8), er::kNoRecord);
    EXPECT_EQ(er::RecordIndexOf(255), er::kNoRecord);
}

TEST(EdidRules, RecordsAreFoundByTheirInputByte)
{
    EdidTiming records[kEdidRecordCount] = {};
    const int inputs[] = {0, 1, 2, 3, 4, 6, 7};
    for (int r = 0; r < kEdidRecordCount; ++r) records[r].inputSrc = static_cast<uint8_t>(inputs[r]);
    EXPECT_EQ(er::FindRecordFor(records, 6), 5);
    EXPECT_EQ(er::FindRecordFor(records, 7), 6);
    EXPECT_EQ(er::FindRecordFor(records, 5), er::kNoRecord);
    EXPECT_TRUE(er::HasWritableRecord(records, 7));
    // Record 6 holding another input: input 7 has nothing Apply may write.
    records[6].inputSrc = 9;
    EXPECT_FALSE(er::HasWritableRecord(records, 7));
    EXPECT_EQ(er::FindRecordFor(records, 7), er::kNoRecord);
    EXPECT_FALSE(er::HasWritableRecord(records, 5));
}

TEST(EdidRules, ListFilters)
{
    struct Case {
        er::Fill fill;
        int n, src, enabled, dpMode1;
        bool listed;
    };
    const auto F = er::Fill::First, R = er::Fill::Refill;
    const Case cases[] = {
        {F, 0, 4, 0, 0, true},   {F, 5, 4, 1, 1, false}, {R, 5, 4, 1, 1, false},
        {F, 2, 7, 0, 0, true},   {R, 2, 7, 0, 0, false},  // SDI kept by the first fill only
        {F, 3, 9, 0, 0, true},   {R, 3, 9, 0, 0, false},  // USB dropped by a refill
        {F, 6, 7, 1, 1, false},  {R, 6, 7, 1, 1, false},
        {F, 6, 4, 1, 0, true},   {R, 7, 4, 1, 0, true},
        {F, 6, 8, 0, 1, true},   {F, 6, 8, 0, 0, false},  {R, 7, 8, 0, 1, true},
        {F, 6, 6, 0, 1, false},  {R, 6, 6, 0, 1, true},   {R, 6, 6, 0, 0, false},
        {R, 7, 9, 1, 1, false},  {F, 8, 4, 1, 1, false},  {F, -1, 4, 1, 1, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(er::ListsInput(c.fill, c.n, c.src, c.enabled, c.dpMode1), c.listed)
            << (c.fill == F ? "first" : "refill") << " n " << c.n << " src " << c.src << " enabled " << c.enabled
            << " dp " << c.dpMode1;
}

TEST(EdidRules, PixelClockByInputType)
{
    struct Case {
        int input, src;
        std::optional<double> clock;
    };
    const Case cases[] = {
        {0, 4, 165e6}, {3, 3, 165e6}, {2, 6, 165e6}, {6, 6, 300e6}, {7, 6, std::nullopt},
        {6, 8, 300e6}, {1, 0, std::nullopt}, {1, 7, std::nullopt}, {1, 9, std::nullopt}, {1, -5, std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(er::PixelClockLimit(c.input, c.src), c.clock) << c.input << " " << c.src;
}

TEST(EdidRules, ClockLimitsEachField)
{
    const er::Timing dvi{1920, 1300, 60, 280, 45};
    struct Case {
        er::Field field;
        er::Timing t;
        std::optional<int> shown;
    };
    const Case cases[] = {
        // 165,000,000 / (2200 x 60) - 45 = 1205.
        {er::Field::VActive, dvi, 1205},
        {er::Field::VActive, {1920, 1000, 60, 280, 45}, std::nullopt},
        // 165,000,000 / (1125 x 2200) = 66.67 -> 66.
        {er::Field::Fps, {1920, 1080, 75, 280, 45}, 66},
        {er::Field::Fps, {1920, 1080, 60, 280, 45}, std::nullopt},
        // 165,000,000 / (1125 x 60) - 280 = 2164.4 -> 2164.
        {er::Field::HActive, {3000, 1080, 60, 280, 45}, 2164},
        {er::Field::HBlank, {1920, 1080, 60, 900, 45}, 524},
        // 165,000,000 / (2200 x 60) - 1080 = 170.
        {er::Field::VBlank, {1920, 1080, 60, 280, 400}, 170},
        // A limit below the edit's minimum is reported as it is; the edit raises it again.
        {er::Field::VActive, {3840, 2000, 121, 9999, 9999}, -9900},
        // A zero product gives no limit.
        {er::Field::Fps, {0, 0, 60, 0, 0}, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(er::LimitedValue(c.field, c.t, 165e6), c.shown) << static_cast<int>(c.field) << " " << c.t.hActive << "x" << c.t.vActive;
    }
    EXPECT_EQ(er::LimitedValue(er::Field::VActive, dvi, std::nullopt), std::nullopt);
    // A vanishing product does not overflow the truncation.
    EXPECT_EQ(er::FieldLimit(er::Field::Fps, {1e-9, 1e-9, 0, 0, 0}, 300e6), INT_MAX);
}

TEST(EdidRules, StoredRateKeepsHundredthsWhenUnchanged)
{
    EXPECT_EQ(er::StoredFps(29, 2997), 2997);
    EXPECT_EQ(er::StoredFps(59, 5994), 5994);
    EXPECT_EQ(er::StoredFps(60, 6000), 6000);
    EXPECT_EQ(er::StoredFps(60, 5994), 6000);
    EXPECT_EQ(er::StoredFps(121, 0), 12100);
}

TEST(TestPatternRules, StepsStayWithinTheNumbers)
{
    EXPECT_EQ(tp::SteppedPattern(111, +1), 111);
    EXPECT_EQ(tp::SteppedPattern(1, -1), 1);
    EXPECT_EQ(tp::SteppedPattern(50, +1), 51);
    EXPECT_EQ(tp::SteppedPattern(50, -1), 49);
    EXPECT_EQ(tp::SteppedPattern(-40, -1), 1);
    EXPECT_EQ(tp::SteppedPattern(5000, +1), 111);
}

TEST(TestPatternRules, GrabPositions)
{
    struct Case {
        int typed, size, shown;
        uint16_t stored;
    };
    const Case cases[] = {
        {5000, 1920, 1919, 1919}, {1919, 1920, 1919, 1919}, {0, 1920, 0, 0},
        {-1, 1920, -1, 0xFFFF},   {700, 0, 700, 700},       {9999, 1, 0, 0},
    };
    for (const Case& c : cases) {
        const tp::GrabCoordinate g = tp::GrabCoordinateFor(c.typed, c.size);
        EXPECT_EQ(g.shown, c.shown) << c.typed << " on " << c.size;
        EXPECT_EQ(g.stored, c.stored) << c.typed << " on " << c.size;
    }
}


TEST(VgaRules, PositionBytesAreSigned)
{
    EXPECT_EQ(vr::SignedPosition(0xFB), -5);
    EXPECT_EQ(vr::SignedPosition(0x9C), -100);
    EXPECT_EQ(vr::SignedPosition(100), 100);
    EXPECT_EQ(vr::PositionByte(-5), 0xFB);
    EXPECT_EQ(vr::PositionByte(-16), 0xF0);
    EXPECT_EQ(vr::PositionByte(16), 16);
}

TEST(VgaRules, AdcLayoutIsAbsolute)
{
    const vr::AdcLayout shown{QRect(4, 180, 300, 200), QRect(230, 390, 70, 26), QRect(4, 392, 300, 30),
                              QRect(10, 400, 90, 24)};
    const vr::AdcLayout hidden = vr::AdcLayoutFor(shown, false, 150);
    EXPECT_EQ(hidden.adcGroup, QRect(4, 180, 300, 50));
    EXPECT_EQ(hidden.ddcSwitch, QRect(230, 240, 70, 26));
    EXPECT_EQ(hidden.ddcGroup, QRect(4, 242, 300, 30));
    EXPECT_EQ(hidden.ddcLabel, QRect(10, 250, 90, 24));
    // Hiding twice is hiding once.
    EXPECT_EQ(vr::AdcLayoutFor(shown, false, 150).ddcGroup, hidden.ddcGroup);
    EXPECT_EQ(vr::AdcLayoutFor(shown, true, 150).ddcGroup, shown.ddcGroup);
}

TEST(VgaRules, AdcLockStateMachine)
{
    using E = vr::AdcLock::Entry;
    vr::AdcLock lock;
    EXPECT_FALSE(lock.Unlocked());
    EXPECT_TRUE(lock.CodeEntryEnabled());

    EXPECT_EQ(lock.EnterCode(1234), E::WrongCode);
    EXPECT_FALSE(lock.Unlocked());
    EXPECT_EQ(lock.EnterCode(7272.0), E::Unlocked);
    EXPECT_TRUE(lock.SectionShown());
    EXPECT_FALSE(lock.CodeEntryEnabled());
    // A second entry while unlocked changes nothing.
    EXPECT_EQ(lock.EnterCode(7272), E::NotAllowed);
    // Relock (switch clicked or page hidden), once.
    EXPECT_TRUE(lock.Lock());
    EXPECT_FALSE(lock.Lock());
    EXPECT_FALSE(lock.SectionShown());
    EXPECT_TRUE(lock.CodeEntryEnabled());
    // A PIP layer's VGA input: no entry at all.
    lock.AllowCodeEntry(false);
    EXPECT_EQ(lock.EnterCode(7272), E::NotAllowed);
    EXPECT_FALSE(lock.Unlocked());
    lock.AllowCodeEntry(true);
    EXPECT_EQ(lock.EnterCode(7272), E::Unlocked);
}

} // namespace
