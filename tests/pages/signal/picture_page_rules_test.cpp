// The picture page's rules: preset rows, values out of range, which records a commit reaches.

#include "pages/signal/PicturePageRules.h"

#include <gtest/gtest.h>

#include <cstring>

namespace pr = picturerules;

namespace {

TEST(PicturePageRules, ValuesOutOfRangeShowAsUserOrTheFirstRow)
{
    struct Case {
        int32_t value, mode, row;
    } cases[] = {{0, 0, 0}, {6, 6, 6}, {7, 7, 7}, {8, 7, 8}, {9, 7, 0}, {-1, 7, 0}, {1000, 7, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(pr::ShownPictureMode(c.value), c.mode) << c.value;
        EXPECT_EQ(pr::ShownColorTempRow(c.value), c.row) << c.value;
    }
}

TEST(PicturePageRules, APresetShowsItsRowAndTheUserColourTemperature)
{
    pr::PresetRow presets[pr::kPresetCount] = {};
    // Distinct values to see every byte land in its field.
    const uint8_t row3[10] = {9, 15, 21, 22, 23, 24, 25, 26, 27, 28};
    std::memcpy(presets[3], row3, sizeof row3);
    const uint8_t row0[10] = {17, 0, 50, 50, 50, 50, 12, 128, 128, 128};
    std::memcpy(presets[0], row0, sizeof row0);
    PictureSettings record{};
    record.brightness = 1;
    record.colorTemp = 2;

    struct Case {
        int32_t mode;
        bool blOn;
        int bl;
        bool gOn;
        float gamma;
        int brightness, contrast, sharpness, saturation, hue, red, green, blue;
    } cases[] = {
        {3, true, 9, true, 15.0f, 21, 22, 25, 23, 24, 26, 27, 28},
        {0, false, 17, false, 0.0f, 50, 50, 12, 50, 50, 128, 128, 128},
    };
    for (const auto& c : cases) {
        const PictureCommon common{c.mode, 4, 2.2f};
        const pr::PictureView v = pr::PictureViewFor(common, presets, &record, record);
        EXPECT_FALSE(v.user);
        EXPECT_EQ(v.mode, c.mode);
        EXPECT_EQ(v.brightLevelOn, c.blOn);
        EXPECT_EQ(v.brightLevel, c.bl);
        EXPECT_EQ(v.gammaOn, c.gOn);
        EXPECT_FLOAT_EQ(v.gamma, c.gamma);
        EXPECT_EQ(v.brightness, c.brightness);
        EXPECT_EQ(v.contrast, c.contrast);
        EXPECT_EQ(v.sharpness, c.sharpness);
        EXPECT_EQ(v.saturation, c.saturation);
        EXPECT_EQ(v.hue, c.hue);
        EXPECT_EQ(v.red, c.red);
        EXPECT_EQ(v.green, c.green);
        EXPECT_EQ(v.blue, c.blue);
        EXPECT_EQ(v.colorTemp, pr::kUserColorTemp);
    }
}

TEST(PicturePageRules, UserModeShowsTheCommonValuesAndTheRecord)
{
    pr::PresetRow presets[pr::kPresetCount] = {};
    PictureSettings record{};
    record.brightness = 11;
    record.contrast = 12;
    record.sharpness = 13;
    record.saturation = 14;
    record.hue = 15;
    record.colorTemp = 3;
    record.colorRed = 200;
    record.colorGreen = 201;
    record.colorBlue = 202;
    PictureSettings fallback{};
    fallback.brightness = 50;
    fallback.colorTemp = 8;

    pr::PictureView v = pr::PictureViewFor({7, 17, 0.0f}, presets, &record, fallback);
    EXPECT_TRUE(v.user);
    EXPECT_FALSE(v.brightLevelOn);
    EXPECT_FALSE(v.gammaOn);
    EXPECT_EQ(v.brightness, 11);
    EXPECT_EQ(v.sharpness, 13);
    EXPECT_EQ(v.blue, 202);
    EXPECT_EQ(v.colorTemp, 3);

    // A mode a processor should not send is " User "; no record shows the fallback; a colour
    // temperature beyond the table the first row.
    record.colorTemp = 77;
    v = pr::PictureViewFor({42, 5, 1.5f}, presets, &record, fallback);
    EXPECT_TRUE(v.user);
    EXPECT_EQ(v.mode, pr::kUserMode);
    EXPECT_TRUE(v.brightLevelOn);
    EXPECT_EQ(v.brightLevel, 5);
    EXPECT_TRUE(v.gammaOn);
    EXPECT_EQ(v.colorTemp, 0);
    v = pr::PictureViewFor({7, 5, 1.5f}, presets, nullptr, fallback);
    EXPECT_EQ(v.brightness, 50);
    EXPECT_EQ(v.colorTemp, 8);
}

TEST(PicturePageRules, ACommitReachesTheInputsItsChoiceSays)
{
    struct Case {
        const char* what;
        bool all;
        pr::PictureField field;
        int value;
        int expectCurrent, expectOther, colorTempCurrent, colorTempOther;
    } cases[] = {
        {"brightness, current input", false, pr::PictureField::Brightness, 70, 70, 0, 0, 0},
        {"brightness, all inputs", true, pr::PictureField::Brightness, 70, 70, 70, 0, 0},
        {"red, all inputs: colour temperature for the current input only", true, pr::PictureField::Red, 90, 90, 90, 8, 0},
        {"green beyond a byte", false, pr::PictureField::Green, 300, 255, 0, 8, 0},
    };
    for (const auto& c : cases) {
        DeviceParamBlock b{};
        pr::StorePictureField(b, 2, 5, c.all, c.field, c.value);
        auto get = [&](const PictureSettings& s) {
            return c.field == pr::PictureField::Brightness ? s.brightness
                   : c.field == pr::PictureField::Red      ? s.colorRed
                                                            : s.colorGreen;
        };
        EXPECT_EQ(get(b.pic[5][2]), c.expectCurrent) << c.what;
        EXPECT_EQ(get(b.pic[11][2]), c.expectOther) << c.what;
        EXPECT_EQ(get(b.pic[0][2]), c.expectOther) << c.what;
        EXPECT_EQ(b.pic[5][2].colorTemp, c.colorTempCurrent) << c.what;
        EXPECT_EQ(b.pic[0][2].colorTemp, c.colorTempOther) << c.what;
        // Other windows are never reached.
        for (int w : {0, 1, 3})
            for (int k = 0; k < kInputIndexCount; ++k) EXPECT_EQ(get(b.pic[k][w]), 0) << c.what;
    }
    DeviceParamBlock b{};
    pr::StorePictureField(b, 4, 0, true, pr::PictureField::Hue, 9);
    pr::StorePictureField(b, 0, -1, true, pr::PictureField::Hue, 9);
    pr::StorePictureField(b, 0, 12, true, pr::PictureField::Hue, 9);
    for (const auto& row : b.pic)
        for (const auto& s : row) EXPECT_EQ(s.hue, 0);
}

TEST(PicturePageRules, ResetReachesAllFortyEightRecordsAndKeepsTheOptionByte)
{
    DeviceParamBlock b{};
    for (int k = 0; k < kInputIndexCount; ++k)
        for (int w = 0; w < kWindowCount; ++w) b.pic[k][w].option = static_cast<uint8_t>(k * 4 + w);
    const uint8_t defaults[9] = {50, 51, 52, 12, 53, 8, 128, 129, 130};
    pr::ResetAllPictureRecords(b, defaults);
    for (int k = 0; k < kInputIndexCount; ++k)
        for (int w = 0; w < kWindowCount; ++w) {
            const PictureSettings& s = b.pic[k][w];
            EXPECT_EQ(s.brightness, 50);
            EXPECT_EQ(s.contrast, 51);
            EXPECT_EQ(s.saturation, 52);
            EXPECT_EQ(s.sharpness, 12);
            EXPECT_EQ(s.hue, 53);
            EXPECT_EQ(s.colorTemp, 8);
            EXPECT_EQ(s.colorRed, 128);
            EXPECT_EQ(s.colorGreen, 129);
            EXPECT_EQ(s.colorBlue, 130);
            EXPECT_EQ(s.option, k * 4 + w);
        }
}

} // namespace
