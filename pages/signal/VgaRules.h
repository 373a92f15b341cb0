#pragma once
// The VGA page's rules without a window: the signed position bytes, where the ADC section puts
// the groups below it, and the lock on the ADC section.

#include <QRect>

#include <cstdint>

namespace vgarules {

constexpr int kAccessCode = 7272;
constexpr int kAdcSectionShift = 150;  // design pixels the groups below move when the section shows

// Position bytes are signed: 0xFB is -5 and -5 is stored as 0xFB.
int SignedPosition(uint8_t stored);
uint8_t PositionByte(int shown);

// Where the ADC group's bottom, the DDC switch, the DDC group and its label lie with the section
// shown or hidden, from their places in the page with it shown. Absolute, so showing twice moves
// nothing.
struct AdcLayout {
    QRect adcGroup, ddcSwitch, ddcGroup, ddcLabel;
};
AdcLayout AdcLayoutFor(const AdcLayout& withSectionShown, bool shown, int shiftPixels);

// The lock on the ADC section. Locked: section hidden, its switch off and disabled, the code
// entry usable where the layer allows it. Unlocked: section shown, switch on, code entry off.
class AdcLock {
public:
    enum class Entry { Unlocked, WrongCode, NotAllowed };

    // The typed code, compared by value (0072 is 72).
    Entry EnterCode(double code);
    // Back to locked (the switch clicked off, or the page hidden); true when that changed anything.
    bool Lock();
    // Whether the layer shows a VGA input on MAIN, so that a code may be typed.
    void AllowCodeEntry(bool allowed) { entryAllowed_ = allowed; }

    bool Unlocked() const { return unlocked_; }
    bool SectionShown() const { return unlocked_; }
    bool CodeEntryEnabled() const { return entryAllowed_ && !unlocked_; }

private:
    bool unlocked_ = false;
    bool entryAllowed_ = true;
};

}  // namespace vgarules
