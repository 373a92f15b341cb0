// Pure rules of the preset bar: names, "Info.ini" sections, slot looks and the rename bands.

#include "shell/PresetNames.h"

#include <gtest/gtest.h>

namespace {

TEST(PresetNameRules, DefaultsAndSections)
{
    EXPECT_EQ(DefaultPresetName(0, 3), "0-3");
    EXPECT_EQ(DefaultPresetName(2, 9), "2-9");
    EXPECT_EQ(PresetNameSection(1, 4), "PRESET1-4");
    EXPECT_EQ(InputRemarkSection(11), "InPutSrcRemark-11");
    EXPECT_STREQ(kPresetNameKey, "PNAMESTR");
    EXPECT_STREQ(kInputRemarkKey, "REMARKSTR");
}

TEST(PresetNameRules, IndexesRefuseWhatIsOutOfRange)
{
    EXPECT_EQ(PresetNameIndex(0, 0), 0);
    EXPECT_EQ(PresetNameIndex(2, 9), 29);
    EXPECT_EQ(PresetNameIndex(3, 0), -1);
    EXPECT_EQ(PresetNameIndex(-1, 0), -1);
    EXPECT_EQ(PresetNameIndex(0, 10), -1);
    EXPECT_EQ(PresetNameIndex(0, -1), -1);
    EXPECT_EQ(NameSetOfWorkMode(1), 1);
    EXPECT_EQ(NameSetOfWorkMode(2), 2);
    EXPECT_EQ(NameSetOfWorkMode(3), 0);
    EXPECT_EQ(NameSetOfWorkMode(-5), 0);
}

TEST(PresetNameRules, LooksFromFlags)
{
    EXPECT_TRUE(SlotLookForFlag(kPresetStored).pressed);
    EXPECT_EQ(SlotLookForFlag(kPresetStored).color, kSlotNormalColor);
    EXPECT_FALSE(SlotLookForFlag(kPresetMarked).pressed);
    EXPECT_EQ(SlotLookForFlag(kPresetMarked).color, 0x0000FFu);
    EXPECT_FALSE(SlotLookForFlag(kPresetEmpty).pressed);
    EXPECT_FALSE(SlotLookForFlag(200).pressed);
    EXPECT_EQ(SlotLookForFlag(200).color, kSlotNormalColor);
    EXPECT_EQ(SlotBaseColor(kPresetMarked), kSlotMarkedColor);
    EXPECT_EQ(SlotBaseColor(kPresetStored), kSlotNormalColor);
}

TEST(PresetNameRules, RenameBands)
{
    // A button at (80, 500) of 64 x 34: its name band reaches 10 pixels beyond each side and
    // lies from 2 to 22 pixels under it.
    const QRect slot = SlotNameBand(QRect(80, 500, 64, 34));
    EXPECT_EQ(slot, QRect(70, 536, 84, 20));
    EXPECT_TRUE(slot.contains(70, 536));
    EXPECT_FALSE(slot.contains(69, 540));
    EXPECT_FALSE(slot.contains(100, 535));
    EXPECT_FALSE(slot.contains(100, 556));

    const QRect input = InputRemarkBand(QRect(200, 30, 48, 48));
    EXPECT_EQ(input, QRect(200, 94, 48, 16));
}

} // namespace
