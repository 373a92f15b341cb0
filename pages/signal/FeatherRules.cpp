#include "pages/signal/FeatherRules.h"

namespace feather {

FeatherConditions FeatherConditionsOf(const DeviceParamBlock& block, const uint8_t (&captions)[4][32])
{
    FeatherConditions c;
    c.mosaicMode = block.mosaic.mode;
    for (int w = 0; w < kWindowCount; ++w) c.windowShown[w] = block.chnl[w].onOff != 0;
    for (int k = 0; k < kKeyerCount; ++k) c.keyerOn[k] = block.keyer[k].onOff != 0;
    for (int o = 0; o < 4; ++o) c.captionShown[o] = captions[o][kCaptionShownByte] != 0;
    c.logoUsage = block.logo.usage;
    c.logoBorder = block.logo.border;
    c.logoPos = block.logo.pos;
    return c;
}

bool FeatherMayTurnOn(const FeatherConditions& c)
{
    const bool windows = (c.mosaicMode == 2 && (c.windowShown[2] || c.windowShown[kSecondWindow])) ||
                         (c.mosaicMode == 3 && (c.windowShown[1] || c.windowShown[kSecondWindow]));
    if (!windows) return false;
    for (bool on : c.keyerOn)
        if (on) return false;
    for (bool shown : c.captionShown)
        if (shown) return false;
    return c.logoUsage == 0 || (c.logoBorder == 0 && c.logoPos == 0);
}

int FeatherFirstWindow(int32_t mosaicMode, int current)
{
    if (mosaicMode == 2) return 2;
    if (mosaicMode == 3) return 1;
    return current;
}

} // namespace feather
