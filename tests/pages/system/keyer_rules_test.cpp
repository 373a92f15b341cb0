// The keyer page's rules: sets, their layers and splicing modes, and what an on/off state
// and a mode leave usable.

#include "device/CDeviceData.h"
#include "pages/system/KeyerRules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>

namespace {

DeviceParamBlock Zeroed()
{
    DeviceParamBlock b;
    std::memset(&b, 0, sizeof b);
    return b;
}


TEST(KeyerRules, SetsKeyTheirLayerAndOnlySetZeroOutsideSplicingModeThree)
{
    EXPECT_EQ(keyer::CommandArgOfSet(0), 3);
    EXPECT_EQ(keyer::CommandArgOfSet(1), 1);
    EXPECT_EQ(keyer::LayerOfSet(0), 3);
    EXPECT_EQ(keyer::LayerOfSet(1), 1);
    struct Case {
        int set;
        int32_t mode;
        bool selectable;
        int after;
    } cases[] = {{0, 0, true, 0}, {0, 3, true, 0}, {1, 3, true, 1}, {1, 0, false, 0},
                 {1, 2, false, 0}, {1, 4, false, 0}, {1, -1, false, 0}, {2, 3, false, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(keyer::IsSetSelectable(c.set, c.mode), c.selectable) << c.set << " in " << c.mode;
        EXPECT_EQ(keyer::SetAfterRefresh(c.set, c.mode), c.after) << c.set << " in " << c.mode;
    }
}

TEST(KeyerRules, EditsOnlyInUserModeWhileOnResetAndListWhileOn)
{
    struct Case {
        bool on;
        int32_t mode;
        keyer::EnableState expected;
    } cases[] = {{false, 0, {false, false, false}}, {true, 0, {true, true, true}},  {true, 5, {false, true, true}},
                 {false, 5, {false, false, false}}, {true, 99, {false, true, true}}, {true, -1, {false, true, true}}};
    for (const Case& c : cases) {
        const keyer::EnableState s = keyer::EnableFor(c.on, c.mode);
        EXPECT_EQ(s.edits, c.expected.edits) << c.on << "/" << c.mode;
        EXPECT_EQ(s.reset, c.expected.reset) << c.on << "/" << c.mode;
        EXPECT_EQ(s.modeList, c.expected.modeList) << c.on << "/" << c.mode;
    }
}

TEST(KeyerRules, TheKeyedLayerMustBeOn)
{
    DeviceParamBlock b = Zeroed();
    b.chnl[3].onOff = 1;
    EXPECT_TRUE(keyer::IsKeyedLayerOn(b, 0));
    EXPECT_FALSE(keyer::IsKeyedLayerOn(b, 1));
    b.chnl[1].onOff = 1;
    b.chnl[3].onOff = 0;
    EXPECT_FALSE(keyer::IsKeyedLayerOn(b, 0));
    EXPECT_TRUE(keyer::IsKeyedLayerOn(b, 1));
}

}  // namespace
