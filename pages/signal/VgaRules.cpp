#include "pages/signal/VgaRules.h"

#include "device/DeviceParamBlock.h"

#include <cmath>

namespace vgarules {

int SignedPosition(uint8_t stored) { return static_cast<int8_t>(stored); }

uint8_t PositionByte(int shown) { return static_cast<uint8_t>(shown & 0xFF); }

AdcLayout AdcLayoutFor(const AdcLayout& shownLayout, bool shown, int shiftPixels)
{
    if (shown) return shownLayout;
    AdcLayout out = shownLayout;
    out.adcGroup.setBottom(out.adcGroup.bottom() - shiftPixels);
    out.ddcSwitch.translate(0, -shiftPixels);
    out.ddcGroup.translate(0, -shiftPixels);
    out.ddcLabel.translate(0, -shiftPixels);
    return out;
}

AdcLock::Entry AdcLock::EnterCode(double code)
{
    if (!CodeEntryEnabled()) return Entry::NotAllowed;
    if (std::isnan(code) || code != static_cast<double>(kAccessCode)) return Entry::WrongCode;
    unlocked_ = true;
    return Entry::Unlocked;
}

bool AdcLock::Lock()
{
    const bool was = unlocked_;
    unlocked_ = false;
    return was;
}

}  // namespace vgarules
