// The schedule page's rules without a window: task repair, the preset a task may name, the clock
// bytes of a PC time and the processor clock between the processor's reports.

#include "pages/system/TaskRules.h"

#include <QTimeZone>

#include <gtest/gtest.h>

namespace {

ScheduleTask Task(int year, int month, int day, int hour, int min, int sec)
{
    ScheduleTask t{};
    t.year = static_cast<uint8_t>(year);
    t.month = static_cast<uint8_t>(month);
    t.day = static_cast<uint8_t>(day);
    t.hour = static_cast<uint8_t>(hour);
    t.min = static_cast<uint8_t>(min);
    t.sec = static_cast<uint8_t>(sec);
    t.presetId = 7;
    t.option = 2;
    return t;
}

TEST(TaskRepair, ClampsIntoACalendarAndAClock)
{
    const struct {
        ScheduleTask in;
        int month, day, hour, min, sec;
    } cases[] = {
        {Task(26, 0, 40, 0, 0, 0), 1, 31, 0, 0, 0},
        {Task(26, 13, 0, 24, 60, 60), 12, 1, 23, 59, 59},
        {Task(26, 255, 255, 255, 255, 255), 12, 31, 23, 59, 59},
        {Task(26, 3, 15, 12, 30, 45), 3, 15, 12, 30, 45},
        // The month's own length: no 30 February, no 31 April.
        {Task(26, 2, 30, 1, 2, 3), 2, 28, 1, 2, 3},
        {Task(24, 2, 30, 1, 2, 3), 2, 29, 1, 2, 3},
        {Task(0, 2, 29, 0, 0, 0), 2, 29, 0, 0, 0},    // 2000 is a leap year
        {Task(100, 2, 29, 0, 0, 0), 2, 28, 0, 0, 0},  // 2100 is not
        {Task(26, 4, 31, 0, 0, 0), 4, 30, 0, 0, 0},
    };
    for (const auto& c : cases) {
        ScheduleTask t = c.in;
        RepairTask(t);
        EXPECT_EQ(t.year, c.in.year);
        EXPECT_EQ(t.month, c.month) << int(c.in.month) << "/" << int(c.in.day);
        EXPECT_EQ(t.day, c.day) << int(c.in.month) << "/" << int(c.in.day);
        EXPECT_EQ(t.hour, c.hour);
        EXPECT_EQ(t.min, c.min);
        EXPECT_EQ(t.sec, c.sec);
        EXPECT_EQ(t.presetId, 7);
        EXPECT_EQ(t.option, 2);
    }
}

TEST(TaskRepair, YearsFitOneByte)
{
    EXPECT_EQ(YearByte(2026), 26);
    EXPECT_EQ(YearByte(2000), 0);
    EXPECT_EQ(YearByte(2255), 255);
    EXPECT_EQ(YearByte(2256), 255);
    EXPECT_EQ(YearByte(1999), 0);
    EXPECT_EQ(DaysInMonth(2026, 0), 31);
}

std::array<bool, kPresetRows> Stored(std::initializer_list<int> which)
{
    std::array<bool, kPresetRows> a{};
    for (int s : which) a[static_cast<size_t>(s)] = true;
    return a;
}

TEST(TaskPreset, AnUnstoredPresetMovesToTheFirstStoredOne)
{
    const struct {
        int presetId;
        std::array<bool, kPresetRows> enabled;
        int shown;
    } cases[] = {
        {0, Stored({2, 5}), 2},
        {5, Stored({2, 5}), 5},
        {9, Stored({2, 5}), 2},
        {3, Stored({}), 3},  // nothing stored: the task keeps its slot
        {4, Stored({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}), 4},
        {10, Stored({2}), -1},  // no row carries it: the showing stops
        {255, Stored({2}), -1},
        {-1, Stored({2}), -1},
    };
    for (const auto& c : cases) EXPECT_EQ(ResolveTaskPreset(c.presetId, c.enabled), c.shown) << c.presetId;
}

TEST(ClockBytes, AreTheSixFieldsOfThePcTime)
{
    const auto b = ClockBytes(QDateTime(QDate(2026, 3, 5), QTime(14, 7, 9)));
    EXPECT_EQ(b, (std::array<uint8_t, 6>{26, 3, 5, 14, 7, 9}));
    EXPECT_EQ(ClockBytes(QDateTime(QDate(2300, 1, 1), QTime(0, 0, 0)))[0], 255);
}

TEST(ProcessorClock, UnknownUntilReportedAndAfterTheClockIsSet)
{
    ProcessorClock clock;
    EXPECT_FALSE(clock.IsValid());
    EXPECT_EQ(clock.Text(), "");
    clock.Tick(5000);
    EXPECT_EQ(clock.Text(), "");

    const uint8_t report[6] = {26, 3, 5, 14, 7, 9};
    ASSERT_TRUE(clock.Report(report, 10000));
    EXPECT_EQ(clock.Text(), "2026/3/5 14:07:09");
    clock.Tick(11000);
    EXPECT_EQ(clock.Text(), "2026/3/5 14:07:10");
    clock.Tick(11500);
    clock.Tick(12100);
    EXPECT_EQ(clock.Text(), "2026/3/5 14:07:11");  // the half seconds add up

    clock.Invalidate();
    EXPECT_EQ(clock.Text(), "");
    clock.Tick(20000);
    EXPECT_FALSE(clock.IsValid());
}

TEST(ProcessorClock, AdvancesByElapsedTimeAcrossMidnightAndTheYear)
{
    ProcessorClock clock;
    const uint8_t report[6] = {25, 12, 31, 23, 59, 58};
    ASSERT_TRUE(clock.Report(report, 0));
    clock.Tick(3000);
    EXPECT_EQ(clock.Text(), "2026/1/1 00:00:01");
    // A monotonic time that goes backwards does not turn the clock back.
    clock.Tick(1000);
    EXPECT_EQ(clock.Text(), "2026/1/1 00:00:01");
    clock.Tick(4000);
    EXPECT_EQ(clock.Text(), "2026/1/1 00:00:02");
}

TEST(ProcessorClock, AnImpossibleReportShowsNoClock)
{
    const uint8_t bad[][6] = {
        {0, 0, 0, 0, 0, 0},   {26, 13, 1, 0, 0, 0},  {26, 2, 30, 0, 0, 0}, {26, 1, 32, 0, 0, 0},
        {26, 1, 1, 24, 0, 0}, {26, 1, 1, 0, 60, 0}, {26, 1, 1, 0, 0, 60}, {255, 255, 255, 255, 255, 255},
    };
    for (const auto& b : bad) {
        ProcessorClock clock;
        const uint8_t good[6] = {26, 1, 1, 0, 0, 0};
        ASSERT_TRUE(clock.Report(good, 0));
        EXPECT_FALSE(clock.Report(b, 0)) << int(b[0]) << "-" << int(b[1]) << "-" << int(b[2]);
        EXPECT_EQ(clock.Text(), "");
    }
    ProcessorClock leap;
    const uint8_t feb29[6] = {24, 2, 29, 23, 59, 59};
    EXPECT_TRUE(leap.Report(feb29, 0));
    EXPECT_EQ(leap.Text(), "2024/2/29 23:59:59");
}

}  // namespace
