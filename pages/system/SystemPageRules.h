#pragma once
// The rules of the system page and the media-player keys that need no window: the factory-reset
// latch, the system-information and version texts, which extension-board loop-out buttons can be
// chosen, and which USB disk the media keys address.

#include "device/CDeviceData.h"

#include <QString>

#include <array>
#include <cstdint>

// Where a sub-page opened by a tab of the system page stands on the page: across the whole page
// (every settings page has the one place and width), from this far below its top (under the tab
// row) down to this far above its bottom.
inline constexpr int kSubPageTop = 102;
inline constexpr int kSubPageBottom = 8;

// Five check buttons "1>", "2>", "3>", "4>", ">OK" guard the factory reset: a step lights only
// while the step before it is lit, releasing any step clears the row, and the reset goes out
// once ">OK" lights (the row is cleared again after it).
class ResetLatch {
public:
    static constexpr int kSteps = 5;

    // A click on step s (0..4) that left the button pressed (nowPressed) or released. Returns
    // true exactly when the reset command is to be sent. Steps outside 0..4 change nothing.
    bool Click(int step, bool nowPressed);
    // The same for a button that flips its own flag: the latch's own flag is inverted.
    bool Click(int step) { return step >= 0 && step < kSteps && Click(step, !pressed_[static_cast<size_t>(step)]); }

    bool IsPressed(int step) const { return step >= 0 && step < kSteps && pressed_[static_cast<size_t>(step)]; }
    const std::array<bool, kSteps>& Pressed() const { return pressed_; }
    void Clear() { pressed_.fill(false); }

private:
    std::array<bool, kSteps> pressed_{};
};

// "Video Processor\nVersion:ABCD-   1-  22-   3[\nVersion2:   4]\nsystem Voltage:12.05 V": the
// letters, three version numbers (blank-padded hex), the optional second version and the supply
// voltage (hundredths of a volt). A letter byte that is no printable ASCII character is dropped
// (a zero byte) or shown as '?', so an unset record never cuts the text short.
QString FormatSystemInfo(const SystemInfo& info);

// "Tarvo Serial\nVideoProcessor,1.29\nSysDLL:<major>.<minor, two digits>".
QString FormatVersionText(uint8_t libraryMajor, uint8_t libraryMinor);

// Whether the two extension-board loop-out buttons can be chosen, from the enabled flags of input
// rows 6 (Ext-1), 7 (Ext-2), 10 and 11 (the two halves of a dual-DP board in the first slot).
struct ExtBoardButtons {
    bool ext1 = false;
    bool ext2 = false;
};
// Ext-2 only when row 7 is there; Ext-1 when row 6 is, or when no second board is and the first
// slot carries the dual-DP board.
ExtBoardButtons ExtBoardRule(int row6, int row7, int row10, int row11);

// Media-player keys: code = control id - 1574; disk 0 is the USB disk in input slot 6, disk 1 the
// one in slot 7.
inline constexpr int kMediaKeyIdBase = 1574;
inline constexpr int kUdiskSourceCode = 9;

struct DiskButtons {
    bool disk1Enabled = false;
    bool disk2Enabled = false;
    // The disk that is pressed afterwards: 0, 1, or -1 to keep the one pressed before.
    int chosen = -1;
};
// After a full read: a disk button is enabled only when its slot holds a USB disk; when exactly one
// does, it becomes the chosen disk.
DiskButtons DiskRule(int32_t slot6Source, int32_t slot7Source);
// The disk a key press addresses: UDISK1 when pressed, else UDISK2 when pressed, else 0.
int KeyDisk(bool disk1Pressed, bool disk2Pressed);
