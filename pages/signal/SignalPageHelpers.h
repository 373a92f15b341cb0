#pragma once
// Small pieces every signal page needs: placing controls given in dialog units, turning decimal
// edit values into the tenths and hundredths the processor stores, and the captions and enable
// states of the four window buttons (MAIN, PIP-1..PIP-3) in each work mode. Plain functions, so
// they are tested without a window; ApplyLayerButtonState is the one-line bridge to a button.

#include "platform/DialogUnits.h"

#include <QRect>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

class CGdipButton;

namespace signalpage {

// A control rectangle given in dialog units (left, top, width, height) in pixels. Corners are
// converted, not sizes, so controls that touch in dialog units still touch in pixels.
QRect DialogRect(int x, int y, int width, int height, const DialogBaseUnits& base);
QRect DialogRect(int x, int y, int width, int height);  // the current dialog font

// A control rectangle given in design pixels (96 DPI) in the screen's pixels.
QRect DesignRect(int x, int y, int width, int height);

// A decimal edit value in hundredths (59.94 -> 5994) or tenths (1.9 -> 19), rounded to nearest:
// edit values are floats, and 59.94f x 100 truncated is 5993. NaN gives 0; results saturate at
// the int range.
int ToHundredths(double value);
int ToTenths(double value);

// What a window button shows in a work mode. An empty optional leaves that part of the button as
// it is (the work mode says nothing about it).
struct LayerButtonState {
    std::optional<QString> caption;
    // Enabled or disabled; a disabled window button also carries the disabled look.
    std::optional<bool> enabled;
    bool onProgram = false;  // the window is a program window (PGM), so it cannot be edited
    bool onPreview = false;  // the window is a preview window (PVW): pages may select it
};
using LayerButtonStates = std::array<LayerButtonState, 4>;

// pvwMode 1 (switcher): buttons 0 and 1 read "PGM" (disabled) or "PVW" (enabled) by the window's
// state and are otherwise left alone; buttons 2 and 3 read "PIP2" and "PIP3".
// pvwMode 2 (dual): every window on program reads "PGM1" (windows 0, 2) or "PGM2" (1, 3),
// disabled; on preview "PVW1" or "PVW2", enabled; other buttons are left alone.
// Any other mode (0 normal, and values a processor should not send): "MAIN", "PIP-1".."PIP-3",
// all enabled.
LayerButtonStates LayerButtonStatesFor(int pvwMode, const uint8_t (&pgmState)[4], const uint8_t (&pvwState)[4]);

// Puts one state on a button: caption, enabled flag and disabled look, as the state says.
void ApplyLayerButtonState(CGdipButton* button, const LayerButtonState& state);

// The caption of the pages' result boxes: the main window's title in the current language.
QString ApplicationTitle();

// The caption of the pages' on/off switches ("0n" / "0ff", written with a zero).
QString SwitchCaption(bool on);

// "<what> Ok" or "<what> Failed" in the current language, for a device's result event.
QString ResultText(const QString& what, bool ok);

} // namespace signalpage
