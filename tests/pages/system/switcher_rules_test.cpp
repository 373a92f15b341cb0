// The switcher page's work-mode transitions.

#include "device/CDeviceData.h"
#include "pages/system/SwitcherRules.h"

#include <gtest/gtest.h>

#include <iterator>

namespace {

TEST(SwitcherRules, WorkModesFromTheDeviceAndFromClicks)
{
    const uint8_t device[] = {0, 1, 2, 3, 7, 255};
    const int taken[] = {0, 1, 2, 0, 0, 0};
    for (size_t i = 0; i < std::size(device); ++i) EXPECT_EQ(switcher::WorkModeFromDevice(device[i]), taken[i]) << int(device[i]);

    EXPECT_EQ(switcher::WorkModeForOnOff(true, 0), 1);
    EXPECT_EQ(switcher::WorkModeForOnOff(true, 1), 2);
    EXPECT_EQ(switcher::WorkModeForOnOff(false, 0), 0);
    EXPECT_EQ(switcher::WorkModeForOnOff(false, 1), 0);

    struct Case {
        int panel, mode, after;
    } refresh[] = {{0, 0, 0}, {1, 0, 1}, {0, 1, 0}, {1, 1, 0}, {0, 2, 1}, {1, 2, 1}};
    for (const Case& c : refresh) EXPECT_EQ(switcher::PanelAfterRefresh(c.panel, c.mode), c.after) << c.panel << "/" << c.mode;

    EXPECT_TRUE(switcher::ClearsLogoUsage(2));
    EXPECT_FALSE(switcher::ClearsLogoUsage(1));
    EXPECT_FALSE(switcher::ClearsLogoUsage(0));
    EXPECT_FALSE(switcher::PanelClickChanges(0, 0));
    EXPECT_TRUE(switcher::PanelClickChanges(0, 1));
    EXPECT_FALSE(switcher::PanelClickChanges(1, 2));
    EXPECT_STREQ(switcher::FadeText(4), "0.5");
    EXPECT_STREQ(switcher::FadeText(8), "");
}

}  // namespace
