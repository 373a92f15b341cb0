#include "pages/system/KeyerRules.h"

#include "device/DeviceParamBlock.h"

namespace keyer {

int CommandArgOfSet(int set) { return set == 1 ? 1 : 3; }

int LayerOfSet(int set) { return set == 1 ? 1 : 3; }

bool IsSetSelectable(int set, int32_t splicingMode)
{
    if (set == 0) return true;
    return set == 1 && splicingMode == kFourWaySplicingMode;
}

int SetAfterRefresh(int set, int32_t splicingMode) { return IsSetSelectable(set, splicingMode) ? set : 0; }

bool IsKeyedLayerOn(const DeviceParamBlock& block, int set) { return block.chnl[LayerOfSet(set)].onOff != 0; }

EnableState EnableFor(bool on, int32_t mode) { return {on && mode == 0, on, on}; }

}  // namespace keyer
