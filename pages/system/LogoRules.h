#pragma once
// The logo page's rules without a window: which slots can be loaded, how an edited logo window
// is pulled back inside its bounds, where the logo sits in the preview, and the slot colours.

#include "platform/ColorRef.h"
#include "platform/RectEdges.h"

#include <QRect>

#include <cstdint>

struct DeviceParamBlock;
struct LogoSettings;

namespace logo {

inline constexpr int kSlotCount = 4;
inline constexpr int kMinSize = 8;         // smallest logo width and height
inline constexpr int kMaxEditValue = 9999;
inline constexpr int kMaxSlotSize = 3840;  // a stored size at or above this is junk

inline constexpr COLORREF kSlotLoadedColor = 0x00FF00;
inline constexpr COLORREF kSlotStoredColor = 0x9CEF;
inline constexpr COLORREF kSlotEmptyColor = 0xEBEBEB;

// The logo window as the four edits show it.
struct Window {
    int h = 0;       // H start
    int v = 0;       // V start
    int width = 0;
    int height = 0;
    bool operator==(const Window&) const = default;
};

enum class Edit { HStart, VStart, Width, Height };

// A slot can be loaded when it is stored and its size is nonzero, below 3840 and fits the output.
bool IsSlotUsable(const LogoSettings& logo, int slot, int outputWidth, int outputHeight);

// The window after the operator changed one edit. boundW x boundH is the output (logo usage) or
// the PIP-3 picture (normal usage). In normal usage a start that pushes the window over the
// edge shrinks it, down to 8, then moves the start back; in logo usage the start is held so that
// the window ends inside. No value ever goes below 0 (a small or still unknown bound included).
Window CorrectWindow(Window w, Edit changed, bool logoUsage, int boundW, int boundH);

// A start that lets the window overflow the output is pulled to 0.
int StartInside(int start, int size, int output);

// True when PIP-3's input carries a signal (a logo can be captured from it).
bool Pip3HasSignal(const DeviceParamBlock& block);

using Edges = RectEdges;
using ::ToQRect;

// The preview inside the window group (its rectangle on the page): from the group's middle, 25
// pixels below its top, to 30 pixels inside its right edge and 15 above its bottom.
Edges PreviewEdges(const QRect& group);

// The logo drawn inside the preview: the window scaled by sx, sy (0 counts as 1), each size
// rounded half up, reversed edges swapped. A window of the scale's whole size fills the preview.
Edges PreviewLogoEdges(const Edges& preview, const Window& w, double sx, double sy);

// Caption colour of a slot button: loaded (or current and stored), stored, empty.
COLORREF SlotColor(bool stored, bool loaded);

// Clamps into a 16-bit field (the device's logo windows are u16). 64-bit, so that a sum with
// PIP-3's position, which the processor gives as any 32-bit value, cannot overflow first.
uint16_t ToField(int64_t value);

}  // namespace logo
