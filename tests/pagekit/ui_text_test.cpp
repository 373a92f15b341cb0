#include "pagekit/UiText.h"

#include <gtest/gtest.h>

namespace {

class UiTextTable : public ::testing::Test {
protected:
    void TearDown() override { ResetUiTextDefaults(); }
};

TEST_F(UiTextTable, HoldsOneHundredSixtyOneEntries)
{
    EXPECT_EQ(kUiTextCount, 161);
    EXPECT_EQ(g_UiText.size(), 161u);
    for (int n = 0; n < kUiTextCount; ++n)
        EXPECT_FALSE(g_UiText[static_cast<size_t>(n)].isEmpty()) << "entry " << n;
}

TEST_F(UiTextTable, SpotChecksAgainstTheEnglishDefaults)
{
    EXPECT_EQ(g_UiText[0], QStringLiteral("Picture Mode"));
    EXPECT_EQ(g_UiText[15], QStringLiteral("EDID Selcet"));
    EXPECT_EQ(g_UiText[38], QStringLiteral("Tips"));
    EXPECT_EQ(g_UiText[42], QStringLiteral(" User "));
    EXPECT_EQ(g_UiText[43], QStringLiteral(" White On Black1"));
    EXPECT_EQ(g_UiText[58], QStringLiteral(" Low Light1 "));
    EXPECT_EQ(g_UiText[65], QStringLiteral("Waitting Operation ..."));
    EXPECT_EQ(g_UiText[82], QStringLiteral("Getting Data From Desitination... "));
    EXPECT_EQ(g_UiText[84], QStringLiteral("Set Data To Desitination..."));
    EXPECT_EQ(g_UiText[96], QStringLiteral("Customized  Resolution"));
    EXPECT_EQ(g_UiText[99], QStringLiteral("Logo Position is changed, please Load logo"));
    EXPECT_EQ(g_UiText[100], QStringLiteral(" Free Run"));
    EXPECT_EQ(g_UiText[136], QStringLiteral("In Serial Interface mode Take Function is not available"));
    EXPECT_EQ(g_UiText[143], QStringLiteral("Success, Pls Restart the Machine"));
    EXPECT_EQ(g_UiText[145], QStringLiteral("Fixed to HDMI"));
    EXPECT_EQ(g_UiText[148], QStringLiteral("Auto(Default HDMI)"));
    EXPECT_EQ(g_UiText[149], QStringLiteral("Auto(Default DP)"));
    EXPECT_EQ(g_UiText[150], QStringLiteral("Port Switch Method"));
    EXPECT_EQ(g_UiText[160], QStringLiteral("PIP3 Input Source Is  Signal Off"));
}

TEST_F(UiTextTable, RepeatedTextsKeepTheirOwnNumbers)
{
    // Some texts appear under two numbers; code picks the number, so both must exist.
    EXPECT_EQ(g_UiText[42], g_UiText[64]);       // " User "
    EXPECT_EQ(g_UiText[71], g_UiText[79]);       // "Misc Settings"
    EXPECT_EQ(g_UiText[86], g_UiText[98]);       // "Switcher Mode"
    EXPECT_EQ(g_UiText[34], g_UiText[76]);       // "VGA Adjustment"
    EXPECT_EQ(g_UiText[20], g_UiText[77]);       // "Test Pattern"
    EXPECT_EQ(g_UiText[113], QStringLiteral(" Auto"));
    EXPECT_EQ(g_UiText[147], QStringLiteral("Auto"));
}

TEST_F(UiTextTable, ResetRestoresEveryDefault)
{
    for (int n = 0; n < kUiTextCount; ++n)
        SetUiText(n, QString());
    EXPECT_TRUE(g_UiText[38].isEmpty());
    ResetUiTextDefaults();
    for (int n = 0; n < kUiTextCount; ++n)
        EXPECT_EQ(UiText(n), UiTextDefault(n)) << "entry " << n;
    EXPECT_EQ(g_UiText[38], QStringLiteral("Tips"));
}

TEST_F(UiTextTable, IndexesOutOfRangeAreRefused)
{
    EXPECT_TRUE(UiText(-1).isEmpty());
    EXPECT_TRUE(UiText(kUiTextCount).isEmpty());
    EXPECT_TRUE(UiTextDefault(-5).isEmpty());
    EXPECT_TRUE(UiTextDefault(100000).isEmpty());
    SetUiText(-1, QStringLiteral("x"));
    SetUiText(kUiTextCount, QStringLiteral("x"));
    for (int n = 0; n < kUiTextCount; ++n)
        EXPECT_EQ(UiText(n), UiTextDefault(n));
}

TEST_F(UiTextTable, SetReplacesOneEntry)
{
    SetUiText(145, QStringLiteral("Fixed to DVI3*"));
    EXPECT_EQ(g_UiText[145], QStringLiteral("Fixed to DVI3*"));
    EXPECT_EQ(g_UiText[146], QStringLiteral("Fixed to DP"));
}

} // namespace
