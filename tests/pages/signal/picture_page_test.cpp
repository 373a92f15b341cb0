// The picture page on its fixture: presets and " User ", commits for one input or all inputs of a
// window, the switches, the resets with their one-shot flags, and the window buttons.

#include "tests/support/PageFixture.h"

#include "controls/CGdipButton.h"
#include "controls/oBitmapSlider.h"
#include "controls/oSliderEdit.h"
#include "pages/signal/MPicSettingDlg.h"
#include "pages/signal/PictureIds.h"

#include <cstring>
#include <functional>

namespace pc = ctl::picture;

namespace {

enum Row { kBrightLevel, kGamma, kBrightness, kContrast, kSharpness, kSaturation, kHue, kRed, kGreen, kBlue };

class PicturePage : public PageFixture<MPicSettingDlg> {
protected:
    void SetUp() override
    {
        PageFixture<MPicSettingDlg>::SetUp();
        ResetExtras();
        auto& d = GetDeviceData();
        for (int w = 0; w < kWindowCount; ++w) d.chnl[w].input = static_cast<uint8_t>(w);
        d.pvwMode = 0;
        d.picComm = {7, 17, 0.0f};
        for (int k = 0; k < kInputIndexCount; ++k)
            for (int w = 0; w < kWindowCount; ++w) {
                PictureSettings& s = d.pic[k][w];
                s = {};
                s.brightness = s.contrast = s.saturation = s.hue = 50;
                s.sharpness = 12;
                s.colorTemp = 8;
                s.colorRed = s.colorGreen = s.colorBlue = 128;
                s.option = static_cast<uint8_t>(0x40 + k);
            }
    }
    void TearDown() override
    {
        ResetExtras();
        PageFixture<MPicSettingDlg>::TearDown();
    }
    static void ResetExtras()
    {
        auto& d = GetDeviceData();
        for (auto& a : d.picApplyAll) a = 0;
        d.picSendFlag = 0;
        d.picCommonFlag = 1;
    }
    PictureSettings& Rec(int i, int w) { return GetDeviceData().pic[i][w]; }
    QString Shown(int row) const { return page->ValueEdit(row)->text(); }
    // The picture command as the page sends it for window w with the record r.
    static CommandBlock PictureBlock(int flag0, int mode, int bl, int gamma10, int w, int all, const PictureSettings& r,
                                     int flag15)
    {
        return Block32({flag0, mode, bl, gamma10, w, all, r.brightness, r.contrast, r.saturation, r.hue, r.sharpness,
                        r.colorTemp, r.colorRed, r.colorGreen, r.colorBlue, flag15});
    }
};

TEST_F(PicturePage, APresetShowsItsRowAndGreysTheUserControls)
{
    GetDeviceData().picComm.picMode = 2;  // " Low Light2 ": 8, 8, 50, 50, 50, 50, 12, 128 x 3
    GetDeviceData().picModePresets[2][3] = 61;  // contrast
    GetDeviceData().picModePresets[2][6] = 7;   // sharpness
    page->RefreshFromDevice();
    EXPECT_EQ(page->ModeList()->GetCurSel(), 2);
    EXPECT_EQ(Shown(kBrightLevel), QStringLiteral("8"));
    EXPECT_TRUE(page->BrightLevelSwitch()->IsPressed());
    EXPECT_EQ(page->BrightLevelSwitch()->text(), QStringLiteral("0n"));
    EXPECT_EQ(Shown(kContrast), QStringLiteral("61"));
    EXPECT_EQ(Shown(kSharpness), QStringLiteral("7"));
    EXPECT_EQ(page->ColorTempList()->GetCurSel(), 8);
    for (int row = 0; row < MPicSettingDlg::kValueCount; ++row) {
        EXPECT_FALSE(page->ValueEdit(row)->isEnabled()) << row;
        EXPECT_FALSE(page->ValueSlider(row)->isEnabled()) << row;
    }
    EXPECT_FALSE(page->ColorTempList()->isEnabled());
    EXPECT_TRUE(page->GammaSwitch()->HasDisabledLook());
    EXPECT_TRUE(link.Commands().empty());

    GetDeviceData().picComm.picMode = 0;  // " Standard ": bright level and gamma off
    page->RefreshFromDevice();
    EXPECT_FALSE(page->BrightLevelSwitch()->IsPressed());
    EXPECT_EQ(page->GammaSwitch()->text(), QStringLiteral("0ff"));
}

TEST_F(PicturePage, UserModeShowsTheRecordOfTheWindowsCurrentInput)
{
    auto& d = GetDeviceData();
    d.picComm = {7, 9, 2.2f};
    d.chnl[1].input = 3;
    Rec(3, 1).contrast = 77;
    Rec(3, 1).colorTemp = 4;
    Rec(1, 1).contrast = 11;  // the window's record for another input
    page->OnWindowButton(pc::IDC_WINDOW_1);
    EXPECT_EQ(page->CurrentWindow(), 1);
    EXPECT_EQ(Shown(kContrast), QStringLiteral("77"));
    EXPECT_EQ(Shown(kGamma), QStringLiteral("2.2"));
    EXPECT_EQ(Shown(kBrightLevel), QStringLiteral("9"));
    EXPECT_EQ(page->ColorTempList()->GetCurSel(), 4);
    EXPECT_TRUE(page->ValueEdit(kContrast)->isEnabled());
    EXPECT_TRUE(page->ValueEdit(kRed)->isEnabled());
    EXPECT_EQ(page->ModeList()->GetCurSel(), 7);
    EXPECT_TRUE(link.Commands().empty());

    // An input code out of range puts no name on the input button.
    d.chnl[1].input = 200;
    page->RefreshFromDevice();
    EXPECT_EQ(page->ApplyInputButton()->text(), QString());
    EXPECT_EQ(page->CurrentInput(), -1);
}

TEST_F(PicturePage, TheInputButtonIsCaptionedWithTheInputsName)
{
    GetDeviceData().inputNames[2].name = QStringLiteral(" HDMI-1 ");
    page->OnWindowButton(pc::IDC_WINDOW_2);
    EXPECT_EQ(page->ApplyInputButton()->text(), QStringLiteral("HDMI-1"));
    EXPECT_TRUE(page->ApplyInputButton()->IsPressed());
    EXPECT_FALSE(page->ApplyAllButton()->IsPressed());
}

TEST_F(PicturePage, AContrastCommitInAPresetSwitchesToUser)
{
    GetDeviceData().picComm = {0, 17, 0.0f};
    page->RefreshFromDevice();
    page->ValueEdit(kContrast)->SetValue(64);
    page->OnValueChanged(pc::IDC_CONTRAST_EDIT);

    EXPECT_EQ(GetDeviceData().picComm.picMode, 7);
    EXPECT_EQ(page->ModeList()->GetCurSel(), 7);
    EXPECT_EQ(Rec(0, 0).contrast, 64);
    const auto sent = Sent(CMD_SET_PICTURE);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_TRUE(SameBytes(sent[0].bytes, PictureBlock(1, 7, 17, 0, 0, 0, Rec(0, 0), 0)));
}

TEST_F(PicturePage, WithAllInputsBrightnessReachesTheTwelveInputsOfTheWindowOnly)
{
    page->OnWindowButton(pc::IDC_WINDOW_1);
    page->RefreshFromDevice();
    ClickButton(page->ApplyAllButton());
    EXPECT_EQ(GetDeviceData().picApplyAll[1], 1);
    EXPECT_FALSE(page->ApplyInputButton()->IsPressed());
    EXPECT_TRUE(link.Commands().empty());  // the choice travels with the next command

    TypeAndEnter(page->ValueEdit(kBrightness), QStringLiteral("80"));
    for (int k = 0; k < kInputIndexCount; ++k) {
        EXPECT_EQ(Rec(k, 1).brightness, 80) << k;
        EXPECT_EQ(Rec(k, 0).brightness, 50) << k;
        EXPECT_EQ(Rec(k, 2).brightness, 50) << k;
    }
    const auto sent = Sent(CMD_SET_PICTURE);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_TRUE(SameBytes(sent[0].bytes, PictureBlock(1, 7, 17, 0, 1, 1, Rec(1, 1), 0)));
}

TEST_F(PicturePage, AGainSetsTheColourTemperatureForTheCurrentInputOnly)
{
    page->OnApplyAll();
    Rec(0, 0).colorTemp = 3;
    Rec(4, 0).colorTemp = 3;
    page->ValueEdit(kRed)->SetValue(200);
    page->OnValueChanged(pc::IDC_RED_EDIT);
    for (int k = 0; k < kInputIndexCount; ++k) EXPECT_EQ(Rec(k, 0).colorRed, 200) << k;
    EXPECT_EQ(Rec(0, 0).colorTemp, 8);
    EXPECT_EQ(Rec(4, 0).colorTemp, 3);
    EXPECT_EQ(page->ColorTempList()->GetCurSel(), 8);
    EXPECT_EQ(Sent(CMD_SET_PICTURE).size(), 1u);
}

TEST_F(PicturePage, AColourTemperatureChoiceSetsUserModeAndTheCurrentInputsRow)
{
    GetDeviceData().picComm.picMode = 4;
    page->RefreshFromDevice();
    page->OnApplyAll();
    ChooseDropRow(page->ColorTempList(), 2);
    EXPECT_EQ(GetDeviceData().picComm.picMode, 7);
    EXPECT_EQ(Rec(0, 0).colorTemp, 2);
    EXPECT_EQ(Rec(1, 0).colorTemp, 8);
    const auto sent = Sent(CMD_SET_PICTURE);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].bytes[11], 2);
    EXPECT_EQ(sent[0].bytes[5], 1);
    // The refresh that follows enables the gains again: the mode is " User ".
    EXPECT_TRUE(page->ValueEdit(kGreen)->isEnabled());
    EXPECT_EQ(page->ColorTempList()->GetCurSel(), 2);
}

TEST_F(PicturePage, AModeChoiceIsSentAndGreysOrFreesTheUserControls)
{
    ChooseDropRow(page->ModeList(), 5);
    EXPECT_EQ(GetDeviceData().picComm.picMode, 5);
    EXPECT_FALSE(page->ValueEdit(kHue)->isEnabled());
    ChooseDropRow(page->ModeList(), 7);
    EXPECT_TRUE(page->ValueEdit(kHue)->isEnabled());
    const auto sent = Sent(CMD_SET_PICTURE);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].bytes[1], 5);
    EXPECT_EQ(sent[1].bytes[1], 7);
}

TEST_F(PicturePage, BrightLevelOffStores17AndOnSendsTheEditsLastValue)
{
    GetDeviceData().picComm = {7, 12, 0.0f};
    page->RefreshFromDevice();
    EXPECT_TRUE(page->BrightLevelSwitch()->IsPressed());
    ClickButton(page->BrightLevelSwitch());
    EXPECT_EQ(GetDeviceData().picComm.brightLevel, 17);
    EXPECT_EQ(page->BrightLevelSwitch()->text(), QStringLiteral("0ff"));
    EXPECT_FALSE(page->ValueEdit(kBrightLevel)->isEnabled());
    ClickButton(page->BrightLevelSwitch());
    EXPECT_EQ(GetDeviceData().picComm.brightLevel, 12);
    EXPECT_EQ(page->BrightLevelSwitch()->text(), QStringLiteral("0n"));
    const auto sent = Sent(CMD_SET_PICTURE);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].bytes[2], 17);
    EXPECT_EQ(sent[1].bytes[2], 12);
    EXPECT_EQ(sent[1].bytes[1], 7);
}

TEST_F(PicturePage, GammaGoesOutInTenthsAndOffIsZero)
{
    GetDeviceData().picComm = {3, 17, 0.0f};
    page->RefreshFromDevice();
    ChooseDropRow(page->ModeList(), 7);
    ClickButton(page->GammaSwitch());  // on, with the edit's 0.0
    EXPECT_EQ(GetDeviceData().picComm.picMode, 7);
    TypeAndEnter(page->ValueEdit(kGamma), QStringLiteral("0.7"));
    EXPECT_FLOAT_EQ(GetDeviceData().picComm.gamma, 0.7f);
    TypeAndEnter(page->ValueEdit(kGamma), QStringLiteral("1.3"));
    ClickButton(page->GammaSwitch());  // off
    EXPECT_EQ(GetDeviceData().picComm.gamma, 0.0f);
    const auto sent = Sent(CMD_SET_PICTURE);
    ASSERT_EQ(sent.size(), 5u);
    EXPECT_EQ(sent[2].bytes[3], 7);
    EXPECT_EQ(sent[3].bytes[3], 13);
    EXPECT_EQ(sent[4].bytes[3], 0);
}

TEST_F(PicturePage, ResetPictureResetsAllRecordsThenAsks)
{
    for (int k = 0; k < kInputIndexCount; ++k)
        for (int w = 0; w < kWindowCount; ++w) {
            Rec(k, w).brightness = 3;
            Rec(k, w).colorTemp = 1;
        }
    page->OnWindowButton(pc::IDC_WINDOW_3);
    ClickButton(page->ResetPictureButton());
    for (int k = 0; k < kInputIndexCount; ++k)
        for (int w = 0; w < kWindowCount; ++w) {
            EXPECT_EQ(Rec(k, w).brightness, 50);
            EXPECT_EQ(Rec(k, w).sharpness, 12);
            EXPECT_EQ(Rec(k, w).colorTemp, 8);
            EXPECT_EQ(Rec(k, w).option, 0x40 + k);
        }
    const auto cmds = link.Commands();
    ASSERT_EQ(cmds.size(), 2u);
    EXPECT_EQ(cmds[0].id, CMD_SET_PICTURE);
    EXPECT_TRUE(SameBytes(cmds[0].bytes, PictureBlock(0, 7, 17, 0, 3, 0, Rec(3, 3), 0)));
    EXPECT_EQ(cmds[1].id, CMD_QUERY_PICTURE);
    EXPECT_TRUE(SameBytes(cmds[1].bytes, Block32({3})));
    EXPECT_EQ(GetDeviceData().picCommonFlag, 1);
}

TEST_F(PicturePage, ResetColourTemperatureMarksTheCommandThenAsks)
{
    ClickButton(page->ResetColorTempButton());
    const auto cmds = link.Commands();
    ASSERT_EQ(cmds.size(), 2u);
    EXPECT_EQ(cmds[0].id, CMD_SET_PICTURE);
    EXPECT_EQ(cmds[0].bytes[15], 1);
    EXPECT_EQ(cmds[0].bytes[0], 1);
    EXPECT_EQ(cmds[1].id, CMD_QUERY_PICTURE);
    EXPECT_EQ(GetDeviceData().picSendFlag, 0);
    EXPECT_EQ(page->ColorTempList()->GetCurSel(), 8);
}

TEST_F(PicturePage, EditDoneAndHiddenCommitsSendNothing)
{
    SendMsg(page.get(), WM_EDIT_DONE, 13, pc::IDC_HUE_EDIT);
    page->ShowPage(false);
    page->ValueEdit(kHue)->SetValue(10);
    page->OnValueChanged(pc::IDC_HUE_EDIT);
    page->OnValueChanged(12345);
    EXPECT_TRUE(link.Commands().empty());
    EXPECT_EQ(Rec(0, 0).hue, 50);
}

TEST_F(PicturePage, ACommitWritesTheRecordOfTheInputTheWindowShowsNow)
{
    page->RefreshFromDevice();
    GetDeviceData().chnl[0].input = 6;  // changed by a reply the page did not hear
    page->ValueEdit(kSaturation)->SetValue(33);
    page->OnValueChanged(pc::IDC_SATURATION_EDIT);
    EXPECT_EQ(Rec(6, 0).saturation, 33);
    EXPECT_EQ(Rec(0, 0).saturation, 50);
    ASSERT_EQ(Sent(CMD_SET_PICTURE).size(), 1u);
    EXPECT_EQ(Sent(CMD_SET_PICTURE)[0].bytes[8], 33);
}

TEST_F(PicturePage, AnInputWithoutARecordStoresNothingAndKeepsTheControls)
{
    // The picture command cannot be sent for input code 12 or more: no change may be stored or
    // shown that the processor never gets.
    auto& d = GetDeviceData();
    d.picComm = {7, 9, 2.2f};
    d.chnl[0].input = 12;
    page->RefreshFromDevice();
    uint8_t records[sizeof d.pic];
    std::memcpy(records, d.pic, sizeof d.pic);
    const struct {
        const char* change;
        std::function<void()> make;
    } changes[] = {
        {"mode", [&] { ChooseDropRow(page->ModeList(), 3); }},
        {"colour temperature", [&] { ChooseDropRow(page->ColorTempList(), 2); }},
        {"bright level", [&] { TypeAndEnter(page->ValueEdit(kBrightLevel), QStringLiteral("5")); }},
        {"gamma", [&] { TypeAndEnter(page->ValueEdit(kGamma), QStringLiteral("1.0")); }},
        {"contrast", [&] { TypeAndEnter(page->ValueEdit(kContrast), QStringLiteral("70")); }},
        {"bright level off", [&] { ClickButton(page->BrightLevelSwitch()); }},
        {"gamma off", [&] { ClickButton(page->GammaSwitch()); }},
        {"colour temperature reset", [&] { ClickButton(page->ResetColorTempButton()); }},
        {"picture reset", [&] { ClickButton(page->ResetPictureButton()); }},
    };
    for (const auto& c : changes) {
        c.make();
        EXPECT_TRUE(link.Commands().empty()) << c.change;
        EXPECT_EQ(d.picComm.picMode, 7) << c.change;
        EXPECT_EQ(d.picComm.brightLevel, 9) << c.change;
        EXPECT_FLOAT_EQ(d.picComm.gamma, 2.2f) << c.change;
        EXPECT_EQ(std::memcmp(records, d.pic, sizeof d.pic), 0) << c.change;
        EXPECT_EQ(d.picSendFlag, 0) << c.change;
        EXPECT_EQ(d.picCommonFlag, 1) << c.change;
        EXPECT_EQ(page->ModeList()->GetCurSel(), 7) << c.change;
        EXPECT_TRUE(page->BrightLevelSwitch()->IsPressed()) << c.change;
        EXPECT_TRUE(page->GammaSwitch()->IsPressed()) << c.change;
        EXPECT_EQ(Shown(kBrightLevel), QStringLiteral("9")) << c.change;
        EXPECT_EQ(Shown(kGamma), QStringLiteral("2.2")) << c.change;
        EXPECT_EQ(Shown(kContrast), QStringLiteral("50")) << c.change;
    }
}

TEST_F(PicturePage, WindowButtonsFollowTheWorkMode)
{
    auto& d = GetDeviceData();
    d.pvwMode = 1;
    d.pgmState[0] = 1;
    d.pvwState[1] = 1;
    page->UpdateLayerButtonTexts();
    EXPECT_EQ(page->CurrentWindow(), 1);
    EXPECT_EQ(page->WindowButton(0)->text(), QStringLiteral("PGM"));
    EXPECT_FALSE(page->WindowButton(0)->isEnabled());
    EXPECT_EQ(page->WindowButton(3)->text(), QStringLiteral("PIP3"));

    d.pvwMode = 2;
    d.pgmState[0] = 0;
    d.pgmState[1] = 1;
    d.pvwState[0] = 1;
    d.pvwState[2] = 1;
    page->UpdateLayerButtonTexts();
    EXPECT_EQ(page->CurrentWindow(), 2);  // window 0, then window 2: the later one wins
    EXPECT_EQ(page->WindowButton(1)->text(), QStringLiteral("PGM2"));
    EXPECT_TRUE(page->WindowButton(1)->HasDisabledLook());
    EXPECT_EQ(page->WindowButton(2)->text(), QStringLiteral("PVW1"));
    EXPECT_TRUE(page->WindowButton(2)->IsPressed());
    EXPECT_FALSE(page->WindowButton(0)->IsPressed());
    EXPECT_TRUE(link.Commands().empty());
}

} // namespace
