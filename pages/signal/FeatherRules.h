#pragma once
// When the feather page may switch edge feathering on, and which window its first group edits.
// Plain functions over the device state, so the rule is tested without the page.

#include "device/DeviceParamBlock.h"

#include <cstdint>

namespace feather {

inline constexpr int kSecondWindow = 3;  // PIP-3 is always the second feathered window
inline constexpr int kCaptionShownByte = 12;  // display flag of a caption record

// What the rule looks at, gathered from the block and the caption records.
struct FeatherConditions {
    int32_t mosaicMode = 0;
    bool windowShown[kWindowCount] = {};
    bool keyerOn[kKeyerCount] = {};
    bool captionShown[4] = {};
    uint8_t logoUsage = 0;
    uint8_t logoBorder = 0;
    uint8_t logoPos = 0;
};

FeatherConditions FeatherConditionsOf(const DeviceParamBlock& block, const uint8_t (&captions)[4][32]);

// Feathering blends two picture-in-picture windows of splicing mode 2 (windows 2 and 3) or mode 3
// (windows 1 and 3): one of them must be shown, no chroma keyer on, no output showing a caption,
// and a logo on PIP-3 only without its border and position flags.
bool FeatherMayTurnOn(const FeatherConditions& c);

// The window of the first group: 2 in splicing mode 2, 1 in mode 3; other modes keep current.
int FeatherFirstWindow(int32_t mosaicMode, int current);

} // namespace feather
