#include "tools/emulator/ProgramPreview.h"

#include <utility>

namespace emu {
namespace {

constexpr int kNormal = 0, kSwitcher = 1, kDual = 2;

void Place(DeviceParamBlock& b, int w, bool program, bool preview)
{
    b.pgmState[w] = program ? 1 : 0;
    b.pvwState[w] = preview ? 1 : 0;
}

}  // namespace

void EnterWorkMode(DeviceParamBlock& b, int mode)
{
    if (mode == b.pvwMode) return;
    b.pvwMode = static_cast<uint8_t>(mode);
    for (int w = 0; w < kWindowCount; ++w) {
        switch (mode) {
        case kSwitcher:
            Place(b, w, w == 0, w == 1 || (w >= 2 && b.chnl[w].onOff != 0));
            break;
        case kDual:
            Place(b, w, w < 2, w >= 2);
            break;
        default:
            Place(b, w, false, false);
            break;
        }
    }
}

bool LayerSwitched(DeviceParamBlock& b, int w)
{
    // Only the switcher's keys follow their buttons; the pair and the dual windows stay.
    if (b.pvwMode != kSwitcher || w < 2 || w >= kWindowCount) return false;
    const bool on = b.chnl[w].onOff != 0;
    const uint8_t program = b.pgmState[w], preview = b.pvwState[w];
    Place(b, w, on && program, on && !program);
    return b.pgmState[w] != program || b.pvwState[w] != preview;
}

void Take(DeviceParamBlock& b)
{
    if (b.pvwMode == kNormal) return;
    for (int w = 0; w < kWindowCount; ++w) std::swap(b.pgmState[w], b.pvwState[w]);
}

}  // namespace emu
