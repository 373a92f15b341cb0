// The operator's walk: the program connects to the processor emulator over loopback TCP, reads
// its configuration, then every settings page is opened through its side button or tab and one
// change is made through the page's own widgets; each change is read back from the emulator.
// Pictures of every page opened, in English and Chinese, stay in the build folder.

#include "EndToEndSupport.h"

#include "controls/CDropList.h"

#include "pages/signal/CropIds.h"
#include "pages/signal/FeatherIds.h"
#include "pages/signal/MosaicIds.h"
#include "pages/signal/PictureIds.h"
#include "pages/system/KeyerIds.h"
#include "pages/system/LogoIds.h"
#include "pages/system/MediaPlayerIds.h"
#include "pages/system/PipIds.h"
#include "pages/system/SwitcherIds.h"
#include "pages/system/TaskIds.h"
#include "pages/system/VideoSettingIds.h"

#include <QDate>

#include <array>

namespace {

namespace mw = ctl::main_window;

class WalkEndToEnd : public EndToEndTest {
protected:
    static int NextRow(CDropButton* list)
    {
        const int count = list && list->GetList() ? list->GetList()->GetCount() : 0;
        return count > 1 ? (list->GetCurSel() + 1) % count : 0;
    }
};

template <class T, std::size_t N>
std::array<T, N> Copy(const T (&a)[N])
{
    std::array<T, N> out;
    for (std::size_t i = 0; i < N; ++i) out[i] = a[i];
    return out;
}


TEST_F(WalkEndToEnd, SignalPagesReachTheProcessor)
{
    KordalDlg& w = Connected("127.0.0.141");

    // Picture: the picture mode of the first window's input.
    OpenSidePage(mw::IDC_SIDE_PICTURE);
    Shot(w.m_PicSettingDlg, "e2e_picture");
    CDropButton* mode = w.m_PicSettingDlg.ModeList();
    EXPECT_TRUE(ChangeReachesEmulator([](const DeviceParamBlock& b) { return b.picComm.picMode; },
                                      [&] { ChooseRow(w.m_PicSettingDlg, ctl::picture::IDC_PICTURE_MODE_LIST, NextRow(mode)); }))
        << "picture mode";

    // Output: a standard resolution row.
    OpenSidePage(mw::IDC_SIDE_OUTPUT);
    Shot(w.m_OutputDlg, "e2e_output");
    const int row = w.m_OutputDlg.ResolutionList()->GetCurSel() == 5 ? 6 : 5;
    ChooseRow(w.m_OutputDlg.ResolutionList(), row);
    EXPECT_TRUE(StoredSoon([&](const DeviceParamBlock& b) { return b.outputReso.resoIndex == row; })) << "resolution";
    EXPECT_EQ(Stored().outputReso.hReso, GetDeviceData().outputReso.hReso);

    // Crop: the main layer's crop switched (before splicing, which leaves no crop page).
    OpenSidePage(mw::IDC_SIDE_CROP);
    Shot(w.m_CropDlg, "e2e_crop");
    const int input = GetDeviceData().GetWindowInputIndex(0);
    ASSERT_GE(input, 0);
    const uint8_t cropOn = GetDeviceData().crop[input][0].onOff;
    Click(w.m_CropDlg, ctl::crop::IDC_ON_OFF);
    EXPECT_TRUE(StoredSoon([&](const DeviceParamBlock& b) {
        return b.crop[input][0].onOff != cropOn && b.crop[input][0].onOff == GetDeviceData().crop[input][0].onOff;
    })) << "crop";
    // Splicing: switched on or off.
    OpenSidePage(mw::IDC_SIDE_MOSAIC);
    Shot(w.m_MosaicDlg, "e2e_splicing");
    EXPECT_TRUE(ChangeReachesEmulator([](const DeviceParamBlock& b) { return b.mosaic.mode; },
                                      [&] { Click(w.m_MosaicDlg, ctl::mosaic::IDC_ON_OFF); }))
        << "splicing mode";

    EXPECT_TRUE(boxes.empty());
}

TEST_F(WalkEndToEnd, LayerPagesReachTheProcessor)
{
    // PIP-3 shown as a normal layer with its keyer off, so that the keyer may be switched on.
    StartEmulatorAt("127.0.0.142");
    DeviceParamBlock b = Stored();
    b.chnl[1].onOff = 1;  // PIP-1 on, so its alpha may be typed
    b.chnl[3].onOff = 1;
    b.logo.usage = 0;
    b.keyer[0].onOff = 0;
    b.keyer[0].mode = 0;  // manual: its colour and gain edits open once it is on
    emulator->SetBlock(b);
    KordalDlg& w = Connected();

    // PIP: PIP-1's alpha typed.
    OpenSidePage(mw::IDC_SIDE_PIP);
    Shot(w.m_PIPDlg, "e2e_pip");
    const int alpha = GetDeviceData().chnl[1].alpha == 21 ? 22 : 21;
    TypeInto(w.m_PIPDlg, ctl::pip::IDC_PIP1_ALPHA_EDIT, QString::number(alpha));
    EXPECT_TRUE(StoredSoon([&](const DeviceParamBlock& b) { return b.chnl[1].alpha == alpha; })) << "PIP alpha";

    // Switcher (side button "KEYER"): switched on, which opens its fade list; a fade time; off again.
    OpenSidePage(mw::IDC_SIDE_KEYER);
    Shot(w.m_SwitcherDlg, "e2e_switcher");
    EXPECT_TRUE(BusyEndsWithin([&] { Click(w.m_SwitcherDlg, ctl::switcher::IDC_ON_OFF); })) << "switcher on";
    CDropButton* fade = w.m_SwitcherDlg.FadeList();
    const int fadeRow = NextRow(fade);
    ChooseRow(fade, fadeRow);
    EXPECT_TRUE(StoredSoon([&](const DeviceParamBlock& b) { return b.pvwDTime == fadeRow; })) << "fade time";
    EXPECT_TRUE(BusyEndsWithin([&] { Click(w.m_SwitcherDlg, ctl::switcher::IDC_ON_OFF); })) << "switcher off";

    // Keyer: the system page's "Keyer" tab, switched on, a gain typed.
    OpenSidePage(mw::IDC_SIDE_MISC);
    Click(w.m_MiscDlg, ctl::misc::IDC_TAB_KEYER);
    ASSERT_TRUE(w.m_KeyerDlg.isVisible());
    Shot(w.m_KeyerDlg, "e2e_keyer");
    Click(w.m_KeyerDlg, ctl::keyer::IDC_ON_OFF);
    const int gain = GetDeviceData().keyer[0].gainIn == 33 ? 34 : 33;
    TypeInto(w.m_KeyerDlg, ctl::keyer::IDC_GAIN_IN_EDIT, QString::number(gain));
    EXPECT_TRUE(StoredSoon([&](const DeviceParamBlock& b) { return b.keyer[0].onOff == 1 && b.keyer[0].gainIn == gain; }))
        << "keyer gain";
    Click(w.m_MiscDlg, ctl::misc::IDC_TAB_SETTING);

    // Logo: PIP-3 used as the logo.
    OpenSidePage(mw::IDC_SIDE_LOGO);
    Shot(w.m_LogoDlg, "e2e_logo");
    Click(w.m_LogoDlg, ctl::logo::IDC_USAGE_LOGO);
    EXPECT_TRUE(StoredSoon([&](const DeviceParamBlock& b) { return b.logo.usage == 1; })) << "logo usage";
    EXPECT_TRUE(boxes.empty());
}

TEST_F(WalkEndToEnd, SystemPagesReachTheProcessor)
{
    // A processor where feathering may be switched on: four-way splicing with PIP-1 shown, no
    // keyer, PIP-3 a normal layer.
    StartEmulatorAt("127.0.0.143");
    DeviceParamBlock b = Stored();
    b.mosaic.mode = 3;
    b.chnl[1].onOff = 1;
    for (auto& k : b.keyer) k.onOff = 0;
    b.logo.usage = 0;
    emulator->SetBlock(b);
    KordalDlg& w = Connected();

    // System: the loop-out input.
    OpenSidePage(mw::IDC_SIDE_MISC);
    Shot(w.m_MiscDlg, "e2e_system");
    const int loop = GetDeviceData().loopOutIp == 2 ? 1 : 2;
    Click(w.m_MiscDlg, ctl::misc::IDC_LOOP_OUT_DVI1 + loop);
    EXPECT_TRUE(StoredSoon([&](const DeviceParamBlock& b) { return b.loopOutIp == loop; })) << "loop-out";

    // Schedule: the "TIME/TASK" tab, the processor's clock set from this computer's.
    Click(w.m_MiscDlg, ctl::misc::IDC_TAB_TIME_TASK);
    ASSERT_TRUE(w.m_TaskDlg.isVisible());
    Shot(w.m_TaskDlg, "e2e_schedule");
    Click(w.m_TaskDlg, ctl::task::IDC_SYNC_CLOCK);
    EXPECT_TRUE(SpinUntil([&] { return emulator->DeviceState().machineTime[0] == QDate::currentDate().year() % 100; }))
        << "clock";
    Click(w.m_MiscDlg, ctl::misc::IDC_TAB_SETTING);

    // Encoder settings: a quality preset reaches the preview encoder's record.
    Click(w.m_MiscDlg, ctl::misc::IDC_VIDEO_SETTING);
    ASSERT_TRUE(w.m_VideoSettingDlg.isVisible());
    Shot(w.m_VideoSettingDlg, "e2e_encoder");
    const auto record = Copy(emulator->DeviceState().encoderRecords[2]);
    ChooseRow(w.m_VideoSettingDlg, ctl::video_setting::IDC_QUALITY_LIST, NextRow(w.m_VideoSettingDlg.QualityList()));
    EXPECT_TRUE(SpinUntil([&] { return Copy(emulator->DeviceState().encoderRecords[2]) != record; })) << "encoder";
    Click(w.m_MiscDlg, ctl::misc::IDC_VIDEO_SETTING);

    // Media player: a key.
    Click(w.m_MiscDlg, ctl::misc::IDC_MEDIA_PLAYER);
    ASSERT_TRUE(w.m_MediaPlayerDlg.isVisible());
    Shot(w.m_MediaPlayerDlg, "e2e_media_player");
    Click(w.m_MediaPlayerDlg, ctl::media_player::IDC_KEY_OK);
    EXPECT_TRUE(SpinUntil([&] { return emulator->DeviceState().mediaKeys == 1; })) << "media key";
    Click(w.m_MiscDlg, ctl::misc::IDC_MEDIA_PLAYER);

    // Feathering: switched.
    Click(w.m_MiscDlg, ctl::misc::IDC_FEATHERING);
    ASSERT_TRUE(w.m_FeatherDlg.isVisible());
    Shot(w.m_FeatherDlg, "e2e_feather");
    const uint8_t feather = emulator->Feather()[0];
    Click(w.m_FeatherDlg, ctl::feather::IDC_ON_OFF);
    EXPECT_TRUE(SpinUntil([&] { return emulator->Feather()[0] != feather; })) << "feather";
    Click(w.m_MiscDlg, ctl::misc::IDC_FEATHERING);

    // Language: the system page's Chinese label re-words the whole window, "English" brings it back.
    CGdipButton* picture = w.ButtonById(mw::IDC_SIDE_PICTURE);
    Click(w.m_MiscDlg, ctl::misc::IDC_LANGUAGE_CHINESE);
    EXPECT_TRUE(SpinUntil([&] { return picture->text() == QString::fromUtf8("\xE5\x9B\xBE\xE5\x83\x8F"); }, 5000))
        << picture->text().toStdString();
    SettleForPicture();
    w.grab().save(QStringLiteral(SVP_BINARY_DIR "/e2e_window_chinese.png"));
    Click(w.m_MiscDlg, ctl::misc::IDC_LANGUAGE_ENGLISH);
    EXPECT_TRUE(SpinUntil([&] { return picture->text() == QStringLiteral("PICTURE"); }, 5000)) << picture->text().toStdString();
    SettleForPicture();
    w.grab().save(QStringLiteral(SVP_BINARY_DIR "/e2e_window_english.png"));

    // "Set Data To Machine": the processor takes the window's whole state, byte for byte, and its
    // completion event ends the wait.
    Click(w.m_MiscDlg, ctl::misc::IDC_SET_DATA);
    EXPECT_TRUE(SpinUntil([&] { return emulator->Block() == DeviceBlockBytes(); })) << "block not taken";
    EXPECT_TRUE(SpinUntil([&] { return !w.m_BusyDlg.isVisible() && w.isEnabled(); }, 5000)) << "still busy";
    EXPECT_EQ(emulator->DeviceState().feather[0], 0);
    EXPECT_TRUE(boxes.empty());
}

// A layer button shows or hides its layer on the processor; an input button for the selected layer
// sends command 7 and the processor switches that layer's input.
TEST_F(WalkEndToEnd, LayerAndInputSwitching)
{
    KordalDlg& w = Connected("127.0.0.144");
    EXPECT_TRUE(ChangeReachesEmulator([](const DeviceParamBlock& b) { return b.chnl[1].onOff; },
                                      [&] { Click(w, mw::IDC_LAYER_PIP1); }))
        << "PIP-1 on/off";

    const int layer = w.SelectedLayer();
    for (int round = 0; round < 2; ++round) {
        const int current = GetDeviceData().chnl[layer].input;
        CGdipButton* chosen = nullptr;
        for (int id : {mw::IDC_INPUT_DVI1, mw::IDC_INPUT_HDMI1, mw::IDC_INPUT_DVI2, mw::IDC_INPUT_HDMI2, mw::IDC_INPUT_SDI,
                       mw::IDC_INPUT_DP_L}) {
            CGdipButton* b = w.ButtonById(id);
            if (b && b->isVisible() && b->isEnabled() && KordalDlg::InputCodeForButton(id) != current) {
                chosen = b;
                break;
            }
        }
        ASSERT_NE(chosen, nullptr) << "no input button to switch to";
        emulator->ClearReceived();
        Click(chosen);
        EXPECT_TRUE(CommandReceived(CMD_SET_LAYER_INPUT)) << "no command 7";
        EXPECT_TRUE(StoredSoon([&](const DeviceParamBlock& b) {
            return b.chnl[layer].input != current && b.chnl[layer].input == GetDeviceData().chnl[layer].input;
        })) << "layer " << layer << " round " << round;
    }
    w.grab().save(QStringLiteral(SVP_BINARY_DIR "/e2e_layers.png"));
}

// "S" held with a digit saves a slot after the confirmation; after a change, Ctrl with the digit
// recalls it and the processor's set-up comes back into the window.
TEST_F(WalkEndToEnd, PresetSaveAndRecall)
{
    KordalDlg& w = Connected("127.0.0.145");
    const DeviceParamBlock saved = Stored();
    w.setFocus();
    QTest::keyPress(&w, Qt::Key_S);
    QTest::keyPress(&w, Qt::Key_4);
    QTest::keyRelease(&w, Qt::Key_4);
    QTest::keyRelease(&w, Qt::Key_S);
    Settle();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(SpinUntil([&] { return emulator->DeviceState().presetFlags[4] == 1; })) << "slot 4 not saved";

    OpenSidePage(mw::IDC_SIDE_OUTPUT);
    const int row = saved.outputReso.resoIndex == 5 ? 6 : 5;
    ChooseRow(w.m_OutputDlg.ResolutionList(), row);
    ASSERT_TRUE(StoredSoon([&](const DeviceParamBlock& b) { return b.outputReso.resoIndex == row; }));

    QTest::keyPress(&w, Qt::Key_4, Qt::ControlModifier);
    QTest::keyRelease(&w, Qt::Key_4, Qt::ControlModifier);
    EXPECT_TRUE(SpinUntil([&] { return GetDeviceData().outputReso.resoIndex == saved.outputReso.resoIndex; }))
        << "recall did not bring the set-up back";
    EXPECT_EQ(Stored().outputReso.resoIndex, saved.outputReso.resoIndex);
    EXPECT_TRUE(SpinUntil([&] { return w.m_OutputDlg.ResolutionList()->GetCurSel() != row; }));

    // The Save button of the preset bar, confirmed: slot 7.
    Click(w, mw::IDC_PRESET_SLOT_7);
    Click(w, mw::IDC_PRESET_SAVE);
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(SpinUntil([&] { return emulator->DeviceState().presetFlags[6] == 1; })) << "slot 7 not saved";
}

// What was changed is in the project saved at close; the program started again on the same folder
// shows every change on its page, without a processor.
TEST_F(WalkEndToEnd, ChangedValuesSurviveARestart)
{
    StartEmulatorAt("127.0.0.146");
    DeviceParamBlock b = Stored();
    b.chnl[1].onOff = 1;  // PIP-1 on, so its alpha may be typed
    emulator->SetBlock(b);
    KordalDlg& w = Connected();
    OpenSidePage(mw::IDC_SIDE_OUTPUT);
    const int row = GetDeviceData().outputReso.resoIndex == 5 ? 6 : 5;
    ChooseRow(w.m_OutputDlg.ResolutionList(), row);
    ASSERT_TRUE(StoredSoon([&](const DeviceParamBlock& b) { return b.outputReso.resoIndex == row; }));
    const uint16_t width = GetDeviceData().outputReso.hReso;

    OpenSidePage(mw::IDC_SIDE_PIP);
    const int alpha = GetDeviceData().chnl[1].alpha == 21 ? 22 : 21;
    TypeInto(w.m_PIPDlg, ctl::pip::IDC_PIP1_ALPHA_EDIT, QString::number(alpha));
    ASSERT_TRUE(StoredSoon([&](const DeviceParamBlock& b) { return b.chnl[1].alpha == alpha; }));

    OpenSidePage(mw::IDC_SIDE_MISC);
    const int loop = GetDeviceData().loopOutIp == 3 ? 1 : 3;
    Click(w.m_MiscDlg, ctl::misc::IDC_LOOP_OUT_DVI1 + loop);
    ASSERT_TRUE(StoredSoon([&](const DeviceParamBlock& b) { return b.loopOutIp == loop; }));

    CloseWindow();
    emulator->Stop();
    emulator.reset();
    std::memset(&GetDeviceData().Block(), 0, sizeof(DeviceParamBlock));

    KordalDlg& again = StartProgram();
    EXPECT_EQ(GetDeviceData().outputReso.resoIndex, row);
    EXPECT_EQ(GetDeviceData().outputReso.hReso, width);
    OpenSidePage(mw::IDC_SIDE_OUTPUT);
    EXPECT_EQ(again.m_OutputDlg.ResolutionList()->GetCurSel(), row);
    OpenSidePage(mw::IDC_SIDE_PIP);
    EXPECT_EQ(static_cast<int>(again.m_PIPDlg.AlphaEdit(0)->GetValue()), alpha);
    OpenSidePage(mw::IDC_SIDE_MISC);
    EXPECT_TRUE(again.m_MiscDlg.Button(ctl::misc::IDC_LOOP_OUT_DVI1 + loop)->IsPressed());
}

} // namespace
