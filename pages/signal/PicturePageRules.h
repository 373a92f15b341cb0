#pragma once
// The picture page's rules without a window: what the edits show in a preset mode and in " User "
// mode, and which records a committed value reaches.

#include "device/DeviceParamBlock.h"

#include <cstdint>

namespace picturerules {

inline constexpr int kPresetCount = 7;    // picture modes 0..6
inline constexpr int kUserMode = 7;       // " User "
inline constexpr int kUserColorTemp = 8;  // own red, green and blue gains
inline constexpr int kColorTempRows = 9;
inline constexpr int kBrightLevelOff = 17;

// The mode the list shows: a value a processor should not send shows as " User ".
int ShownPictureMode(int32_t picMode);
// The colour temperature row the list shows: a row outside the table shows as the first one.
int ShownColorTempRow(int32_t colorTemp);

struct PictureView {
    int mode = kUserMode;
    bool user = true;
    bool brightLevelOn = false;
    int brightLevel = kBrightLevelOff;
    bool gammaOn = false;
    float gamma = 0.0f;
    int brightness = 0, contrast = 0, sharpness = 0, saturation = 0, hue = 0;
    int red = 0, green = 0, blue = 0;
    int colorTemp = kUserColorTemp;
};

// A preset row: bright level (17 off), gamma (0 off), brightness, contrast, saturation, hue,
// sharpness, red, green, blue.
using PresetRow = uint8_t[10];

// What the page shows. In a preset mode the preset's row (colour temperature " User "); in
// " User " mode the common values and the record of the window's current input. record is null
// when the window's input has no records: the per-input values then show fallback (the
// picture defaults).
PictureView PictureViewFor(const PictureCommon& common, const PresetRow (&presets)[kPresetCount],
                           const PictureSettings* record, const PictureSettings& fallback);

enum class PictureField { Brightness, Contrast, Sharpness, Saturation, Hue, Red, Green, Blue };

// Stores value (kept in 0..255) into field of window w's records: every input 0..11 when
// allInputs, else input i only. A gain also makes the current input's colour temperature
// " User " (its own gains), whoever else the gain reaches. Nothing for w or i out of range.
void StorePictureField(DeviceParamBlock& block, int w, int i, bool allInputs, PictureField field, int value);

// The picture defaults (brightness, contrast, saturation, sharpness, hue, colour temperature,
// red, green, blue) into one record; the option byte is left alone.
void ApplyPictureDefaults(PictureSettings& record, const uint8_t (&defaults)[9]);

// The same into every record of every window.
void ResetAllPictureRecords(DeviceParamBlock& block, const uint8_t (&defaults)[9]);

} // namespace picturerules
