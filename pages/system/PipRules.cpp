#include "pages/system/PipRules.h"

#include "device/CDeviceData.h"

#include <cmath>

namespace pip {

WorkModeView ViewForWorkMode(const DeviceParamBlock& b, const std::array<GroupState, kPipCount>& current)
{
    WorkModeView v;
    v.groups = current;
    if (b.pvwMode == 2) return v;  // dual: the PIPs are the panels' layers, left as they are
    if (b.pvwMode == 1) {
        GroupState& p1 = v.groups[0];
        p1.button = false;
        p1.alpha = false;
        if (b.pgmState[1] != 0) {
            p1.input = false;
            v.caption = Pip1Caption::Pgm;
        } else if (b.pvwState[1] != 0) {
            p1.input = true;
            v.caption = Pip1Caption::Pvw;
        }
        for (int w = 2; w <= kPipCount; ++w) {
            GroupState& g = v.groups[static_cast<size_t>(w - 1)];
            if (b.pgmState[w] != 0) g = {};
            else g = {true, false, b.chnl[w].onOff != 0};
        }
    } else {
        v.caption = Pip1Caption::Pip1;
        for (int w = 1; w <= kPipCount; ++w) {
            const bool on = b.chnl[w].onOff != 0;
            v.groups[static_cast<size_t>(w - 1)] = {true, on, on};
        }
    }
    if (IsBlockedByLogo(2, b.logo.usage)) v.groups[2] = {};
    return v;
}

bool IsBlockedByLogo(int pip, uint8_t logoUsage) { return pip == 2 && logoUsage == 1; }

bool IsAlphaUsable(bool on, uint8_t workMode) { return on && workMode == 0; }

uint8_t AlphaFromEdit(double value)
{
    if (!std::isfinite(value) || value <= 0) return 0;
    if (value >= kAlphaMax) return kAlphaMax;
    return static_cast<uint8_t>(value);
}

std::vector<int> ListedInputRows(const InputName* names, int count)
{
    std::vector<int> rows;
    for (int n = 0; names && n < count; ++n)
        if (names[n].enabled > 0) rows.push_back(n);
    return rows;
}

}  // namespace pip
