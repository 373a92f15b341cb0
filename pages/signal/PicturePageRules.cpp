#include "pages/signal/PicturePageRules.h"

#include <algorithm>

namespace picturerules {

int ShownPictureMode(int32_t picMode) { return picMode >= 0 && picMode < kPresetCount ? picMode : kUserMode; }

int ShownColorTempRow(int32_t colorTemp) { return colorTemp >= 0 && colorTemp < kColorTempRows ? colorTemp : 0; }

PictureView PictureViewFor(const PictureCommon& common, const PresetRow (&presets)[kPresetCount],
                           const PictureSettings* record, const PictureSettings& fallback)
{
    PictureView v;
    v.mode = ShownPictureMode(common.picMode);
    v.user = v.mode == kUserMode;
    if (!v.user) {
        const PresetRow& r = presets[v.mode];
        v.brightLevelOn = r[0] != kBrightLevelOff;
        v.brightLevel = r[0];
        v.gammaOn = r[1] != 0;
        v.gamma = r[1];
        v.brightness = r[2];
        v.contrast = r[3];
        v.saturation = r[4];
        v.hue = r[5];
        v.sharpness = r[6];
        v.red = r[7];
        v.green = r[8];
        v.blue = r[9];
        v.colorTemp = kUserColorTemp;
        return v;
    }
    v.brightLevelOn = common.brightLevel != kBrightLevelOff;
    v.brightLevel = common.brightLevel;
    v.gammaOn = common.gamma != 0.0f;
    v.gamma = common.gamma;
    const PictureSettings& s = record ? *record : fallback;
    v.brightness = s.brightness;
    v.contrast = s.contrast;
    v.sharpness = s.sharpness;
    v.saturation = s.saturation;
    v.hue = s.hue;
    v.red = s.colorRed;
    v.green = s.colorGreen;
    v.blue = s.colorBlue;
    v.colorTemp = ShownColorTempRow(s.colorTemp);
    return v;
}

namespace {
uint8_t& FieldOf(PictureSettings& s, PictureField f)
{
    switch (f) {
    case PictureField::Brightness: return s.brightness;
    case PictureField::Contrast: return s.contrast;
    case PictureField::Sharpness: return s.sharpness;
    case PictureField::Saturation: return s.saturation;
    case PictureField::Hue: return s.hue;
    case PictureField::Red: return s.colorRed;
    case PictureField::Green: return s.colorGreen;
    case PictureField::Blue: break;
    }
    return s.colorBlue;
}

bool IsGain(PictureField f) { return f == PictureField::Red || f == PictureField::Green || f == PictureField::Blue; }
} // namespace

void StorePictureField(DeviceParamBlock& block, int w, int i, bool allInputs, PictureField field, int value)
{
    if (w < 0 || w >= kWindowCount || i < 0 || i >= kInputIndexCount) return;
    const auto v = static_cast<uint8_t>(std::clamp(value, 0, 255));
    if (IsGain(field)) block.pic[i][w].colorTemp = kUserColorTemp;
    for (int k = 0; k < kInputIndexCount; ++k)
        if (allInputs || k == i) FieldOf(block.pic[k][w], field) = v;
}

void ApplyPictureDefaults(PictureSettings& s, const uint8_t (&d)[9])
{
    s.brightness = d[0];
    s.contrast = d[1];
    s.saturation = d[2];
    s.sharpness = d[3];
    s.hue = d[4];
    s.colorTemp = d[5];
    s.colorRed = d[6];
    s.colorGreen = d[7];
    s.colorBlue = d[8];
}

void ResetAllPictureRecords(DeviceParamBlock& block, const uint8_t (&d)[9])
{
    for (auto& row : block.pic)
        for (PictureSettings& s : row) ApplyPictureDefaults(s, d);
}

} // namespace picturerules
