// The PIP page's rules: work mode, program/preview states and the logo layer decide the groups;
// typed alphas; listed inputs.

#include "device/CDeviceData.h"
#include "pages/system/PipRules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <iterator>

namespace {

DeviceParamBlock Zeroed()
{
    DeviceParamBlock b;
    std::memset(&b, 0, sizeof b);
    return b;
}

TEST(PipRules, WorkModeDecidesTheGroups)
{
    using G = pip::GroupState;
    const std::array<G, 3> before{G{true, true, true}, G{true, true, false}, G{false, false, true}};
    struct Case {
        const char* name;
        uint8_t mode, usage;
        uint8_t on[3], pgm[3], pvw[3];
        std::array<G, 3> groups;
        pip::Pip1Caption caption;
    } cases[] = {
        {"normal", 0, 0, {1, 0, 1}, {0, 0, 0}, {0, 0, 0}, {G{true, true, true}, G{true, false, false}, G{true, true, true}}, pip::Pip1Caption::Pip1},
        {"normal, logo", 0, 1, {1, 1, 1}, {0, 0, 0}, {0, 0, 0}, {G{true, true, true}, G{true, true, true}, G{}}, pip::Pip1Caption::Pip1},
        {"unknown mode as normal", 5, 0, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {G{true, false, false}, G{true, false, false}, G{true, false, false}}, pip::Pip1Caption::Pip1},
        {"switcher, PIP-1 on program", 1, 0, {1, 1, 0}, {1, 0, 0}, {0, 0, 0}, {G{false, false, false}, G{true, false, true}, G{true, false, false}}, pip::Pip1Caption::Pgm},
        {"switcher, PIP-1 on preview", 1, 0, {1, 0, 1}, {0, 1, 0}, {1, 0, 0}, {G{false, false, true}, G{}, G{true, false, true}}, pip::Pip1Caption::Pvw},
        {"switcher, PIP-1 neither", 1, 1, {1, 1, 1}, {0, 0, 0}, {0, 0, 0}, {G{false, false, true}, G{true, false, true}, G{}}, pip::Pip1Caption::Keep},
        {"dual", 2, 1, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}, before, pip::Pip1Caption::Keep},
    };
    for (const Case& c : cases) {
        DeviceParamBlock b = Zeroed();
        b.pvwMode = c.mode;
        b.logo.usage = c.usage;
        for (int k = 0; k < 3; ++k) {
            b.chnl[k + 1].onOff = c.on[k];
            b.pgmState[k + 1] = c.pgm[k];
            b.pvwState[k + 1] = c.pvw[k];
        }
        const pip::WorkModeView v = pip::ViewForWorkMode(b, before);
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(v.groups[k].button, c.groups[k].button) << c.name << " PIP-" << k + 1;
            EXPECT_EQ(v.groups[k].alpha, c.groups[k].alpha) << c.name << " PIP-" << k + 1;
            EXPECT_EQ(v.groups[k].input, c.groups[k].input) << c.name << " PIP-" << k + 1;
        }
        EXPECT_EQ(v.caption, c.caption) << c.name;
    }
}

TEST(PipRules, LogoBlocksPip3AlphaOnlyInNormalModeAndTypedAlphas)
{
    EXPECT_TRUE(pip::IsBlockedByLogo(2, 1));
    EXPECT_FALSE(pip::IsBlockedByLogo(2, 0));
    EXPECT_FALSE(pip::IsBlockedByLogo(1, 1));
    EXPECT_TRUE(pip::IsAlphaUsable(true, 0));
    EXPECT_FALSE(pip::IsAlphaUsable(true, 1));
    EXPECT_FALSE(pip::IsAlphaUsable(false, 0));
    const double typed[] = {64.9, 64, 63.99, 0.5, -3, 200, std::nan("")};
    const uint8_t stored[] = {64, 64, 63, 0, 0, 64, 0};
    for (size_t i = 0; i < std::size(typed); ++i) EXPECT_EQ(pip::AlphaFromEdit(typed[i]), stored[i]) << typed[i];
}

TEST(PipRules, OnlyEnabledInputRowsAreListed)
{
    InputName names[12];
    for (int n = 0; n < 12; ++n) names[n].enabled = n % 3 == 0 ? 1 : (n == 4 ? -1 : 0);
    EXPECT_EQ(pip::ListedInputRows(names, 12), (std::vector<int>{0, 3, 6, 9}));
    EXPECT_TRUE(pip::ListedInputRows(nullptr, 12).empty());
}

}  // namespace
