// The system page's and the media keys' rules without a window: the reset latch, the system
// information and version texts, the extension-board buttons and the disk a key addresses.

#include "pages/system/SystemPageRules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// Clicks on steps as an operator makes them (each click flips the step's own flag); the number of
// resets sent.
int ResetsSent(const std::vector<int>& clicks, ResetLatch* out = nullptr)
{
    ResetLatch latch;
    int sent = 0;
    for (int step : clicks) sent += latch.Click(step) ? 1 : 0;
    if (out) *out = latch;
    return sent;
}

TEST(ResetLatch, OnlyTheFullOrderSendsExactlyOneReset)
{
    const struct {
        std::vector<int> clicks;
        int resets;
        const char* why;
    } cases[] = {
        {{0, 1, 2, 3, 4}, 1, "the full order"},
        {{0, 1, 2, 3, 4, 4}, 1, "a second >OK after the reset finds a cleared row"},
        {{0, 1, 2, 3, 4, 0, 1, 2, 3, 4}, 2, "two full orders, two resets"},
        {{4}, 0, ">OK alone"},
        {{1, 2, 3, 4}, 0, "without 1>"},
        {{0, 2, 3, 4}, 0, "a step skipped"},
        {{0, 1, 3, 2, 4}, 0, "two steps swapped"},
        {{0, 1, 2, 2, 3, 4}, 0, "3> released in the middle clears the row"},
        {{0, 1, 2, 0, 3, 4}, 0, "1> released clears the row"},
        {{0, 1, 2, 3, 3, 4}, 0, "4> released before >OK"},
        {{0, 1, 2, 1}, 0, "2> released"},
        {{0, 1, 2, 1, 0, 1, 2, 3, 4}, 1, "a fresh full order after a cleared row"},
    };
    for (const auto& c : cases) EXPECT_EQ(ResetsSent(c.clicks), c.resets) << c.why;
}

TEST(ResetLatch, AStepOutOfOrderLightsAndGoesOutAtOnce)
{
    ResetLatch latch;
    EXPECT_FALSE(latch.Click(1));
    EXPECT_FALSE(latch.IsPressed(1));
    EXPECT_TRUE(latch.Click(0) == false && latch.IsPressed(0));
    EXPECT_FALSE(latch.Click(1));
    EXPECT_TRUE(latch.IsPressed(0) && latch.IsPressed(1));
    // Releasing any step clears every step.
    EXPECT_FALSE(latch.Click(0, false));
    for (int s = 0; s < ResetLatch::kSteps; ++s) EXPECT_FALSE(latch.IsPressed(s)) << s;
    // After a reset the row is clear too.
    ResetLatch after;
    ASSERT_EQ(ResetsSent({0, 1, 2, 3, 4}, &after), 1);
    for (int s = 0; s < ResetLatch::kSteps; ++s) EXPECT_FALSE(after.IsPressed(s)) << s;
    // Steps outside the row change nothing.
    EXPECT_FALSE(latch.Click(-1));
    EXPECT_FALSE(latch.Click(5));
}

SystemInfo Info(uint16_t volts100, const char* letters, uint16_t a, uint16_t b, uint16_t c, uint16_t second, uint8_t hasSecond)
{
    SystemInfo info{};
    info.w2 = volts100;
    std::memcpy(info.b4, letters, 4);
    info.w8[0] = a;
    info.w8[1] = b;
    info.w8[2] = c;
    info.w8[3] = second;
    info.b16[0] = hasSecond;
    return info;
}

TEST(SystemInfoText, FormatsTheRecordAsTheProcessorReportsIt)
{
    const struct {
        SystemInfo info;
        const char* text;
    } cases[] = {
        {Info(1205, "QVNP", 0x12, 0x34, 0x56, 0, 0),
         "Video Processor\nVersion:QVNP-  12-  34-  56\nsystem Voltage:12.05 V"},
        {Info(500, "ABCD", 0x1234, 0xabcd, 0x1, 0x7f, 1),
         "Video Processor\nVersion:ABCD-1234-abcd-   1\nVersion2:  7f\nsystem Voltage:5.00 V"},
        {Info(0, "ABCD", 0, 0, 0, 0x99, 2), "Video Processor\nVersion:ABCD-   0-   0-   0\nVersion2:  99\nsystem Voltage:0.00 V"},
        {Info(65535, "ABCD", 0xffff, 0xffff, 0xffff, 0, 0),
         "Video Processor\nVersion:ABCD-ffff-ffff-ffff\nsystem Voltage:655.35 V"},
        // An unset record: zero letters are left out, other unprintable bytes shown as '?'.
        {Info(1200, "\0\0\0\0", 1, 2, 3, 0, 0), "Video Processor\nVersion:-   1-   2-   3\nsystem Voltage:12.00 V"},
        {Info(1200, "A\x01\xffZ", 1, 2, 3, 0, 0), "Video Processor\nVersion:A??Z-   1-   2-   3\nsystem Voltage:12.00 V"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatSystemInfo(c.info).toStdString(), std::string(c.text));
}

TEST(SystemInfoText, TheVersionTextHasItsFixedPrefixAndTheLibraryVersion)
{
    EXPECT_EQ(FormatVersionText(1, 2), "Tarvo Serial\nVideoProcessor,1.29\nSysDLL:1.02");
    EXPECT_EQ(FormatVersionText(2, 15), "Tarvo Serial\nVideoProcessor,1.29\nSysDLL:2.15");
    EXPECT_EQ(FormatVersionText(255, 255), "Tarvo Serial\nVideoProcessor,1.29\nSysDLL:255.255");
}

TEST(ExtBoardRule, EnablesOnlyTheBoardsThatAreThere)
{
    const struct {
        int row6, row7, row10, row11;
        bool ext1, ext2;
    } cases[] = {
        {0, 0, 0, 0, false, false}, {1, 0, 0, 0, true, false}, {0, 1, 0, 0, false, true},
        {1, 1, 0, 0, true, true},
        // No board in rows 6 and 7, the dual-DP board in row 10 or 11: Ext-1 again.
        {0, 0, 1, 0, true, false}, {0, 0, 0, 1, true, false}, {0, 0, 1, 1, true, false},
        // A second board leaves Ext-1 to row 6 alone.
        {0, 1, 1, 1, false, true}, {1, 1, 1, 1, true, true},
        // Ext-2 is never enabled without row 7, whatever was shown before.
        {1, 0, 1, 0, true, false}, {1, 0, 0, 1, true, false},
        // Flags beyond one and below zero.
        {5, -1, 0, 0, true, false}, {-3, 7, 0, 0, false, true},
    };
    for (const auto& c : cases) {
        const ExtBoardButtons b = ExtBoardRule(c.row6, c.row7, c.row10, c.row11);
        EXPECT_EQ(b.ext1, c.ext1) << c.row6 << c.row7 << c.row10 << c.row11;
        EXPECT_EQ(b.ext2, c.ext2) << c.row6 << c.row7 << c.row10 << c.row11;
    }
}

TEST(MediaDisks, TheDiskRuleWithOneBothOrNoDisks)
{
    const struct {
        int32_t slot6, slot7;
        bool disk1, disk2;
        int chosen;
    } cases[] = {
        {9, 9, true, true, -1},   // both: the chosen disk stays
        {9, 4, true, false, 0},   // only slot 6
        {6, 9, false, true, 1},   // only slot 7
        {4, 6, false, false, -1}, // none
        {0, 0, false, false, -1},
        {-9, 109, false, false, -1},
    };
    for (const auto& c : cases) {
        const DiskButtons d = DiskRule(c.slot6, c.slot7);
        EXPECT_EQ(d.disk1Enabled, c.disk1) << c.slot6 << "/" << c.slot7;
        EXPECT_EQ(d.disk2Enabled, c.disk2) << c.slot6 << "/" << c.slot7;
        EXPECT_EQ(d.chosen, c.chosen) << c.slot6 << "/" << c.slot7;
    }
    EXPECT_EQ(KeyDisk(true, false), 0);
    EXPECT_EQ(KeyDisk(false, true), 1);
    EXPECT_EQ(KeyDisk(true, true), 0);
    EXPECT_EQ(KeyDisk(false, false), 0);
}

}  // namespace
