// The preset bar: names per work mode, slot buttons and their looks, the two tabs, "Load" and
// "Save" with the commands they send, and the stored-preset flags of reply 17.

#include "PresetTestSupport.h"

#include "device/IniFile.h"
#include "shell/MainWindowIds.h"
#include "shell/PresetNames.h"
#include "pagekit/UiText.h"

namespace mw = ctl::main_window;

namespace {

const SentCommand kGetAll{0, {0x55, 0x55}};

SentCommand Preset(int op, int slot)
{
    return {1, {static_cast<uint8_t>(op), static_cast<uint8_t>(slot)}};
}

TEST_F(PresetBarTest, DefaultNamesAndStoredOverrides)
{
    ASSERT_TRUE(IniWriteString(InfoIni(), "PRESET0-0", "PNAMESTR", "Opening"));
    ASSERT_TRUE(IniWriteString(InfoIni(), "PRESET2-9", "PNAMESTR", "Finale"));
    ASSERT_TRUE(IniWriteString(InfoIni(), "PRESET1-1", "PNAMESTR", ""));  // empty keeps the default
    KordalDlg& w = Ready();
    EXPECT_EQ(w.PresetName(0, 0), "Opening");
    EXPECT_EQ(w.PresetName(0, 1), "0-1");
    EXPECT_EQ(w.PresetName(1, 1), "1-1");
    EXPECT_EQ(w.PresetName(2, 9), "Finale");
    EXPECT_EQ(w.PresetName(2, 8), "2-8");
    EXPECT_EQ(w.PresetName(0, 10), "");
}

TEST_F(PresetBarTest, StoredRemarksReplaceInputDisplayNames)
{
    CDeviceData& device = GetDeviceData();
    const QString tableName = device.inputNames[3].displayName;
    ASSERT_TRUE(IniWriteString(InfoIni(), "InPutSrcRemark-0", "REMARKSTR", "Podium"));
    ASSERT_TRUE(IniWriteString(InfoIni(), "InPutSrcRemark-3", "REMARKSTR", ""));
    Ready();
    EXPECT_EQ(device.inputNames[0].displayName, "Podium");
    EXPECT_EQ(device.inputNames[3].displayName, tableName);
    device.inputNames[0].displayName = device.inputNames[0].name;
}

TEST_F(PresetBarTest, LoadWithoutAChosenSlotSaysInvalidAndSendsNothing)
{
    KordalDlg& w = Ready();
    MessageBoxRecorder boxes;
    ASSERT_EQ(w.CurrentPresetSlot(), -1);
    Click(w.ButtonById(mw::IDC_PRESET_LOAD));
    ASSERT_EQ(boxes.requests.size(), 1u);
    EXPECT_EQ(boxes.requests[0].text, "Preset is Invalid");
    EXPECT_EQ(boxes.requests[0].type, MB_OK);
    EXPECT_TRUE(recording_.Commands().empty());
    EXPECT_FALSE(w.m_BusyDlg.isVisible());

    // The Templates tab has nothing to apply either, and says nothing.
    Click(w.ButtonById(mw::IDC_TAB_TEMPLATES));
    Click(w.ButtonById(mw::IDC_PRESET_LOAD));
    EXPECT_EQ(boxes.requests.size(), 1u);
    EXPECT_TRUE(recording_.Commands().empty());
}

TEST_F(PresetBarTest, LoadOfAnEmptySlotSaysInvalid)
{
    KordalDlg& w = Ready();
    MessageBoxRecorder boxes;
    Click(w.PresetButton(4));
    Click(w.ButtonById(mw::IDC_PRESET_LOAD));
    ASSERT_EQ(boxes.requests.size(), 1u);
    EXPECT_EQ(boxes.requests[0].text, UiText(36));
    EXPECT_TRUE(recording_.Commands().empty());
}

TEST_F(PresetBarTest, LoadRecallsAStoredSlotAndRemembersIt)
{
    KordalDlg& w = Ready();
    MessageBoxRecorder boxes;
    GetDeviceData().presetStored[6] = kPresetStored;
    Click(w.PresetButton(6));
    EXPECT_EQ(w.CurrentPresetSlot(), 6);
    EXPECT_TRUE(w.PresetButton(6)->IsPressed());
    EXPECT_EQ(w.PresetButton(6)->CaptionColor(), kSlotCurrentColor);
    Click(w.ButtonById(mw::IDC_PRESET_LOAD));
    EXPECT_TRUE(boxes.requests.empty());
    EXPECT_EQ(SentCommands(recording_), (std::vector<SentCommand>{Preset(1, 6), kGetAll}));
    EXPECT_TRUE(w.m_BusyDlg.isVisible());
    EXPECT_EQ(w.m_BusyDlg.Text(), "Waitting Operation ...");
    EXPECT_FALSE(w.isEnabled());
    EXPECT_EQ(w.RememberedPreset(0), 6);
    EXPECT_EQ(w.RememberedPreset(1), -1);
    HideBusy(w);
}

TEST_F(PresetBarTest, TemplatesApplyWithOperationZero)
{
    KordalDlg& w = Ready();
    MessageBoxRecorder boxes;
    Click(w.ButtonById(mw::IDC_TAB_TEMPLATES));
    EXPECT_TRUE(w.TemplatesTabActive());
    EXPECT_TRUE(w.ButtonById(mw::IDC_PRESET_SAVE)->isHidden());
    Click(w.PresetButton(3));
    // On the Templates tab every slot can be applied, stored or not.
    EXPECT_TRUE(w.PresetButton(3)->IsPressed());
    Click(w.ButtonById(mw::IDC_PRESET_LOAD));
    EXPECT_TRUE(boxes.requests.empty());
    EXPECT_EQ(SentCommands(recording_), (std::vector<SentCommand>{Preset(0, 3), kGetAll}));
    EXPECT_TRUE(w.m_BusyDlg.isVisible());
    EXPECT_EQ(w.RememberedTemplate(), 3);
    EXPECT_EQ(w.RememberedPreset(0), -1);
    HideBusy(w);
}

TEST_F(PresetBarTest, SaveAsksFirstAndMarksTheSlotStored)
{
    KordalDlg& w = Ready();
    MessageBoxRecorder boxes(IDCANCEL);
    // Without a chosen slot "Save" does nothing at all.
    Click(w.ButtonById(mw::IDC_PRESET_SAVE));
    EXPECT_TRUE(boxes.requests.empty());

    Click(w.PresetButton(2));
    Click(w.ButtonById(mw::IDC_PRESET_SAVE));
    ASSERT_EQ(boxes.requests.size(), 1u);
    EXPECT_EQ(boxes.requests[0].text, "Save The Preset?");
    EXPECT_EQ(boxes.requests[0].caption, "Tips");
    EXPECT_EQ(boxes.requests[0].type, MB_OKCANCEL);
    EXPECT_TRUE(recording_.Commands().empty());
    EXPECT_EQ(GetDeviceData().presetStored[2], kPresetEmpty);

    boxes.SetAnswer(IDOK);
    Click(w.ButtonById(mw::IDC_PRESET_SAVE));
    EXPECT_EQ(SentCommands(recording_), (std::vector<SentCommand>{Preset(2, 2)}));
    EXPECT_EQ(GetDeviceData().presetStored[2], kPresetStored);
    EXPECT_TRUE(w.PresetButton(2)->IsPressed());
    EXPECT_FALSE(w.m_BusyDlg.isVisible());
}

TEST_F(PresetBarTest, ReplySeventeenFlagsDrawTheSlots)
{
    KordalDlg& w = Ready();
    uint8_t* flags = GetDeviceData().presetStored;
    Click(w.PresetButton(5));
    flags[0] = kPresetStored;
    flags[1] = kPresetMarked;
    flags[5] = kPresetStored;
    flags[7] = 9;  // unknown: empty look
    w.RefreshPresetMarks();
    EXPECT_TRUE(w.PresetButton(0)->IsPressed());
    EXPECT_EQ(w.PresetButton(0)->CaptionColor(), kSlotNormalColor);
    EXPECT_FALSE(w.PresetButton(1)->IsPressed());
    EXPECT_EQ(w.PresetButton(1)->CaptionColor(), kSlotMarkedColor);
    EXPECT_FALSE(w.PresetButton(2)->IsPressed());
    EXPECT_TRUE(w.PresetButton(5)->IsPressed());
    EXPECT_EQ(w.PresetButton(5)->CaptionColor(), kSlotCurrentColor);
    EXPECT_FALSE(w.PresetButton(7)->IsPressed());
    EXPECT_EQ(w.PresetButton(7)->CaptionColor(), kSlotNormalColor);

    // On the Templates tab the flags leave the buttons alone.
    Click(w.ButtonById(mw::IDC_TAB_TEMPLATES));
    flags[0] = kPresetEmpty;
    w.RefreshPresetMarks();
    EXPECT_TRUE(w.PresetButton(0)->IsPressed());
}

TEST_F(PresetBarTest, AMarkedSlotStaysRedOnBothTabs)
{
    KordalDlg& w = Ready();
    GetDeviceData().presetStored[8] = kPresetMarked;
    Click(w.PresetButton(1));
    EXPECT_EQ(w.PresetButton(8)->CaptionColor(), kSlotMarkedColor);
    Click(w.ButtonById(mw::IDC_TAB_TEMPLATES));
    EXPECT_EQ(w.PresetButton(8)->CaptionColor(), kSlotMarkedColor);
    EXPECT_EQ(w.ButtonById(mw::IDC_TAB_TEMPLATES)->CaptionColor(), kTabActiveColor);
    EXPECT_EQ(w.ButtonById(mw::IDC_TAB_PRESETS)->CaptionColor(), kTabInactiveColor);
    EXPECT_FALSE(w.ButtonById(mw::IDC_TAB_PRESETS)->IsPressed());
    Click(w.ButtonById(mw::IDC_TAB_PRESETS));
    EXPECT_EQ(w.PresetButton(8)->CaptionColor(), kSlotMarkedColor);
    EXPECT_FALSE(w.ButtonById(mw::IDC_PRESET_SAVE)->isHidden());
    EXPECT_EQ(w.ButtonById(mw::IDC_TAB_PRESETS)->CaptionColor(), kTabActiveColor);
    EXPECT_FALSE(w.ButtonById(mw::IDC_TAB_TEMPLATES)->IsPressed());
}

TEST_F(PresetBarTest, TabsShowTheRememberedSlotInOrange)
{
    KordalDlg& w = Ready();
    MessageBoxRecorder boxes;
    GetDeviceData().presetStored[4] = kPresetStored;
    Click(w.PresetButton(4));
    Click(w.ButtonById(mw::IDC_PRESET_LOAD));
    HideBusy(w);
    Click(w.ButtonById(mw::IDC_TAB_TEMPLATES));
    Click(w.PresetButton(7));
    Click(w.ButtonById(mw::IDC_PRESET_LOAD));
    HideBusy(w);

    Click(w.ButtonById(mw::IDC_TAB_PRESETS));
    for (int i = 0; i < kPresetSlotCount; ++i)
        EXPECT_EQ(w.PresetButton(i)->CaptionColor(), i == 4 ? kSlotCurrentColor : kSlotNormalColor) << i;
    Click(w.ButtonById(mw::IDC_TAB_TEMPLATES));
    for (int i = 0; i < kPresetSlotCount; ++i) {
        EXPECT_TRUE(w.PresetButton(i)->IsPressed()) << i;
        EXPECT_EQ(w.PresetButton(i)->CaptionColor(), i == 7 ? kSlotCurrentColor : kSlotNormalColor) << i;
    }
}

} // namespace
