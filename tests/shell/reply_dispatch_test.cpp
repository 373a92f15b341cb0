// The main window's reply dispatcher: the refresh calls of each reply in their order, bad reply
// ids and lParams, and the values that travel with a post.

#include "DispatchTestSupport.h"
#include "PresetTestSupport.h"
#include "tests/support/PageFixture.h"
#include "tests/support/QtPrinters.h"

#include "controls/CDropButton.h"
#include "controls/CGdipButton.h"
#include "controls/CSxGroupBox.h"
#include "device/IniFile.h"
#include "device/ReplyHandlers.h"
#include "device/TimerSource.h"
#include "pages/signal/TestPatternIds.h"
#include "pages/signal/VgaIds.h"
#include "platform/PageNotifyCodes.h"
#include "preview/CCell.h"
#include "preview/CPictureCtrl.h"
#include "shell/MainWindowIds.h"
#include "shell/PresetNames.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QScreen>
#include <QVariantMap>

namespace {

class ReplyDispatchTest : public MainWindowTest {
protected:
    KordalDlg& Traced()
    {
        KordalDlg& w = Window();
        ResetDeviceForDispatch();
        QCoreApplication::processEvents();
        calls_.clear();
        w.SetCallTrace(&calls_);
        return w;
    }
    void TearDown() override
    {
        if (window_) window_->SetCallTrace(nullptr);
        MainWindowTest::TearDown();
    }
    QStringList Reply(KordalDlg& w, int id, int l = 0, const QVariant& payload = {})
    {
        calls_.clear();
        SendMsg(&w, WM_DEVICE_REPLY, static_cast<WPARAM>(id), l, payload);
        return calls_;
    }
    QStringList calls_;
};

TEST_F(ReplyDispatchTest, FullRefreshCallsEveryPageInOrder)
{
    KordalDlg& w = Traced();
    EXPECT_EQ(Reply(w, REPLY_ALL_DATA), FullRefreshCalls());
}

TEST_F(ReplyDispatchTest, ProjectLoadRefreshesLikeADeviceRead)
{
    KordalDlg& w = Traced();
    w.PostRefresh(REPLY_ALL_DATA, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(calls_, FullRefreshCalls());
}

TEST_F(ReplyDispatchTest, WorkModeReplyOrder)
{
    KordalDlg& w = Traced();
    const QStringList expected{"WM_MAINPAGE_RELAYOUT",          "MOutputDlg::UpdateLayerButtonTexts",
                               "MCropDlg::UpdateLayerButtonTexts", "MPicSettingDlg::UpdateLayerButtonTexts",
                               "MPIPDlg::UpdateByWorkMode",       "MLogoDlg::UpdateEnableState",
                               "MSwitcherDlg::RefreshFromDevice", "KordalDlg::ApplyWorkModeToButtons",
                               "KordalDlg::RefreshWorkModeBand"};
    EXPECT_EQ(Reply(w, REPLY_WORK_MODE), expected);
}

// The processor leaves the switcher or the dual mode by itself: its reply 20 names the cells,
// presses the layer row and shows the preset names of the normal mode, lays the canvas out for
// it and gives the test-pattern page back. A mode past the known ones is normal mode everywhere.
TEST_F(ReplyDispatchTest, AWorkModeTheProcessorReportsRelabelsCellsRowAndPresetBar)
{
    // From the switcher and the dual mode (with splicing mode 2); 3 is no mode.
    for (const auto& [mode, reported] : {std::pair<uint8_t, uint8_t>{1, 0}, {2, 0}, {2, 3}}) {
        SCOPED_TRACE(testing::Message() << int{mode} << " to " << int{reported});
        window_.reset();
        KordalDlg& w = Traced();
        CDeviceData& d = GetDeviceData();
        d.chnl[1].onOff = d.chnl[3].onOff = 1;
        d.mosaic.mode = mode == 2 ? 2 : 0;
        d.pvwMode = mode;
        d.pgmState[0] = d.pgmState[1] = d.pvwState[2] = d.pvwState[3] = 1;  // where the processor put the layers
        Reply(w, REPLY_ALL_DATA);
        QCoreApplication::processEvents();
        w.repaint();  // the window as the operator saw it in that mode
        EXPECT_EQ(w.m_TstPatternDlg.isEnabled(), mode != 2);
        d.pvwMode = reported;
        Reply(w, REPLY_WORK_MODE);
        QCoreApplication::processEvents();
        EXPECT_FALSE(w.m_MainDlg.Canvas().twoArea);
        EXPECT_EQ(w.WorkMode(), 0);
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(w.m_MainDlg.LayerCell(k)->Name(), (k ? QStringLiteral("PIP-%1 : ").arg(k) : "Main : ") + d.inputNames[k].name);
            EXPECT_EQ(w.LeftLayerButton(k)->IsPressed(), k != 2) << k;
        }
        // The screen under the slots shows what the window paints now: the normal mode's names.
        const QRect r = SlotNameBand(w.PresetButton(0)->geometry()).united(SlotNameBand(w.PresetButton(9)->geometry()));
        const QImage shown = w.screen()->grabWindow(w.winId(), r.x(), r.y(), r.width(), r.height()).toImage();
        EXPECT_TRUE(shown.convertToFormat(QImage::Format_RGB32) == w.grab(r).toImage().convertToFormat(QImage::Format_RGB32));
        recording_.ClearCalls();
        for (int i = 0; i < 2; ++i) Click(w.m_TstPatternDlg.Button(ctl::test_pattern::IDC_PATTERN_ON_OFF));  // on, off
        EXPECT_EQ(CommandsWithId(recording_, CMD_SET_TEST_PATTERN).size(), 2u);
    }
}

// A slot opened for renaming in normal mode keeps its name there when the processor reports the
// switcher mode before Enter; the bar then shows the switcher mode's names.
TEST_F(ReplyDispatchTest, ARenameStoresUnderTheModeItWasOpenedIn)
{
    IniWriteString(InfoIni(), "PRESET1-3", "PNAMESTR", "SwitcherShow");
    KordalDlg& w = Traced();
    ASSERT_TRUE(w.BeginRenameAt(SlotNameBand(w.PresetButton(3)->geometry()).center()));
    GetDeviceData().pvwMode = 1;
    Reply(w, REPLY_WORK_MODE);
    w.RenameEdit()->setText(QStringLiteral("Opening"));
    Press(w.RenameEdit(), Qt::Key_Return);
    EXPECT_EQ(IniReadString(InfoIni(), "PRESET0-3", "PNAMESTR"), "Opening");
    EXPECT_EQ(IniReadString(InfoIni(), "PRESET1-3", "PNAMESTR"), "SwitcherShow");
}

TEST_F(ReplyDispatchTest, BoardInfoReplyOrder)
{
    KordalDlg& w = Traced();
    GetDeviceData().cmpBoard.exist = 1;
    QStringList expected{"MPIPDlg::FillInputLists"};
    expected << EveryInputMark() << "KordalDlg::UpdatePortSwitchTexts" << "MEdidDlg::FillInputList"
             << "KordalDlg::ShowPortSwitchGroup(1)" << "MMiscDlg::UpdateExtBoardButtons";
    for (int l = 0; l < 4; ++l) expected << SelectLayerInputCalls(l);
    EXPECT_EQ(Reply(w, REPLY_BOARD_INFO), expected);
    EXPECT_TRUE(w.PortSwitchGroup()->isVisibleTo(&w));
    EXPECT_TRUE(w.ButtonById(1573)->isEnabled());
}

TEST_F(ReplyDispatchTest, DpModeAndLayerStateReplies)
{
    KordalDlg& w = Traced();
    QStringList dp = EveryInputMark();
    dp << "MPIPDlg::FillInputLists";
    for (int l = 0; l < 4; ++l) dp << SelectLayerInputCalls(l);
    EXPECT_EQ(Reply(w, REPLY_DP_MODE), dp);

    QStringList layers = EveryInputMark();
    layers << PipRefreshCalls();
    EXPECT_EQ(Reply(w, REPLY_LAYER_STATE), layers);
    EXPECT_EQ(Reply(w, REPLY_INPUT_STATE), EveryInputMark());
}

TEST_F(ReplyDispatchTest, InputSignalRepaintsOnlyTheNamedInput)
{
    KordalDlg& w = Traced();
    GetDeviceData().lastSignalInput = 5;
    EXPECT_EQ(Reply(w, REPLY_INPUT_SIGNAL),
              (QStringList{"KordalDlg::InvalidateInputMark(5)", "MCropDlg::RefreshFromDevice"}));
    // A slot number that names no input repaints nothing, the crop page still refreshes.
    GetDeviceData().lastSignalInput = 40;
    EXPECT_EQ(Reply(w, REPLY_INPUT_SIGNAL), QStringList{"MCropDlg::RefreshFromDevice"});
}

TEST_F(ReplyDispatchTest, SingleRefreshReplies)
{
    KordalDlg& w = Traced();
    EXPECT_EQ(Reply(w, REPLY_ONLINE), QStringList{"MSearchMachineDlg::UpdateDeviceStatus(1)"});
    EXPECT_EQ(Reply(w, REPLY_PREVIEW_MODE), QStringList{"MMainDlg::CheckOutputModeChanged"});
    EXPECT_EQ(Reply(w, REPLY_PIXEL_COLOR), QStringList{"WM_PIXEL_COLOR"});
    EXPECT_EQ(Reply(w, REPLY_VGA_DATA), QStringList{"MVgaDlg::RefreshFromDevice"});
    EXPECT_EQ(Reply(w, REPLY_EDID), QStringList{"MEdidDlg::SelectInput"});
    EXPECT_EQ(Reply(w, REPLY_SCHEDULE), QStringList{"MTaskDlg::RefreshFromDevice"});
    EXPECT_EQ(Reply(w, REPLY_PICTURE), QStringList{"MPicSettingDlg::RefreshFromDevice"});
    EXPECT_EQ(Reply(w, REPLY_CROP), QStringList{"MCropDlg::RefreshFromDevice"});
    EXPECT_EQ(Reply(w, REPLY_SPLICING, 2), QStringList{"MMosaicDlg::RefreshFromDevice(2)"});
    EXPECT_EQ(Reply(w, REPLY_MACHINE_TIME), QStringList{"MTaskDlg::ShowMachineTime"});
    EXPECT_EQ(Reply(w, REPLY_LOGO), LogoRefreshCalls());
    EXPECT_EQ(Reply(w, REPLY_KEYER), QStringList{"MKeyerDlg::RefreshFromDevice"});
    EXPECT_EQ(Reply(w, REPLY_PRESET_FLAGS), QStringList{"KordalDlg::RefreshPresetMarks"});
    EXPECT_EQ(Reply(w, REPLY_LOOP_OUT), QStringList{"MMiscDlg::RefreshLoopOut"});
    EXPECT_EQ(Reply(w, REPLY_SYSTEM_INFO), QStringList{"MMiscDlg::ShowSystemInfo"});
    EXPECT_EQ(Reply(w, REPLY_CAPTION, 3), QStringList{"MSubTitleDlg::LoadOutputCaption(3)"});
    EXPECT_EQ(Reply(w, REPLY_VIDEO_DATA), QStringList{});
    EXPECT_EQ(Reply(w, REPLY_ENCODER_INFO), QStringList{"MVideoSettingDlg::OnDeviceInfo"});
    EXPECT_EQ(Reply(w, REPLY_FEATHER), QStringList{"QVN_FeatherDlg::RefreshFromDevice"});
}

TEST_F(ReplyDispatchTest, TheIndicatorShowsTheLinkThatCarriesTheCommandsWhateverTileIsConnected)
{
    GetDeviceData().netMode = 1;  // as the program starts
    KordalDlg& w = Traced();
    auto online = [&](int on, int status) {
        Reply(w, REPLY_ONLINE, 0, QVariantMap{{"online", on}, {"status", status}});
    };
    // The first connect of a fresh start, typed, changes no mode: the icon shows the network.
    w.m_ConnectDlg.SetDestinationIp(QStringLiteral("127.0.0.9"));
    w.m_ConnectDlg.OnNetConnect();
    EXPECT_TRUE(w.ButtonById(ctl::main_window::IDC_LINK_SERIAL_INDICATOR)->isHidden());
    EXPECT_FALSE(w.ButtonById(ctl::main_window::IDC_LINK_NETWORK_INDICATOR)->isHidden());
    CGdipButton* indicator = w.ButtonById(ctl::main_window::IDC_CONNECTION_INDICATOR);
    GetDeviceData().netMode = 0;
    online(1, 110);  // the serial port lit it; a network connect closes the port: dark until the new link reports in
    GetDeviceData().netMode = 1;
    SendMsg(&w, WM_PAGE_NOTIFY, NOTIFY_LINKED, 0);
    EXPECT_FALSE(indicator->IsPressed());
    w.m_SearchMachineDlg.AddFoundDevice("127.0.0.40", {2, 0x5E, 0, 0, 0, 40});
    online(1, 40);  // the only tile connects itself
    ASSERT_TRUE(w.m_SearchMachineDlg.Tiles().at(0).connected);
    ASSERT_TRUE(indicator->IsPressed());
    GetDeviceData().netMode = 0;  // then a serial connect, to a processor at another address
    online(0, 110);
    EXPECT_FALSE(indicator->IsPressed());
    online(1, 110);
    EXPECT_TRUE(indicator->IsPressed());
}

TEST_F(ReplyDispatchTest, IdsOutOfRangeDoNothing)
{
    KordalDlg& w = Traced();
    const int before = CommandsWithId(recording_, CMD_QUERY_CAPTION).size();
    for (WPARAM id : {WPARAM{32}, WPARAM{33}, WPARAM{1000}, static_cast<WPARAM>(-1), static_cast<WPARAM>(-24)}) {
        calls_.clear();
        SendMsg(&w, WM_DEVICE_REPLY, id, 10);
        EXPECT_TRUE(calls_.isEmpty()) << id;
    }
    EXPECT_EQ(static_cast<int>(CommandsWithId(recording_, CMD_QUERY_CAPTION).size()), before);
}

TEST_F(ReplyDispatchTest, OutputAckAndLayerWindowUpdateTheCellOfTheirParam)
{
    KordalDlg& w = Traced();
    EXPECT_EQ(Reply(w, REPLY_OUTPUT_ACK, 2),
              (QStringList{"MOutputDlg::UpdateTimingFromDevice", "MOutputDlg::UpdateWindowGeometry",
                           "MMainDlg::UpdateLayerCellRect(2)"}));
    EXPECT_EQ(Reply(w, REPLY_LAYER_WINDOW, 1),
              (QStringList{"MOutputDlg::UpdateWindowGeometry", "MMainDlg::UpdateLayerCellRect(1)"}));
    EXPECT_EQ(Reply(w, REPLY_LAYER_WINDOW, 3),
              (QStringList{"MOutputDlg::UpdateWindowGeometry", "MMainDlg::UpdateLayerCellRect(3)",
                           "MLogoDlg::ResetLogoWindow"}));
    // A window that does not exist updates no cell.
    EXPECT_EQ(Reply(w, REPLY_LAYER_WINDOW, 4), QStringList{"MOutputDlg::UpdateWindowGeometry"});
    EXPECT_EQ(Reply(w, REPLY_LAYER_WINDOW, -1), QStringList{"MOutputDlg::UpdateWindowGeometry"});
}

TEST_F(ReplyDispatchTest, BadLParamsDoNothing)
{
    KordalDlg& w = Traced();
    EXPECT_TRUE(Reply(w, REPLY_CAPTION, 4).isEmpty());
    EXPECT_TRUE(Reply(w, REPLY_CAPTION, -1).isEmpty());
    EXPECT_TRUE(Reply(w, REPLY_SPLICING, -5).isEmpty());
    calls_.clear();
    SendMsg(&w, WM_LAYER_GEOMETRY, 1451, 4);
    SendMsg(&w, WM_LAYER_GEOMETRY, 1452, -1);
    SendMsg(&w, WM_LAYER_GEOMETRY, 1453, 1);
    SendMsg(&w, WM_SELECT_LAYER_INPUT, 4, 1);
    SendMsg(&w, WM_SELECT_LAYER, 7, 0);
    EXPECT_TRUE(calls_.isEmpty()) << calls_.join(' ').toStdString();
    SendMsg(&w, WM_LAYER_GEOMETRY, 1452, 3);
    EXPECT_EQ(calls_, (QStringList{"MOutputDlg::SelectWindow(3)", "MLogoDlg::ResetLogoWindow"}));
}

TEST_F(ReplyDispatchTest, StatusByteTravelsWithThePost)
{
    KordalDlg& w = Traced();
    CDeviceData& d = GetDeviceData();
    w.NotifyReplyStatus(5);
    d.lastStatus = 9;  // a later reply got there first
    QCoreApplication::processEvents();
    EXPECT_EQ(calls_, QStringList{"MSearchMachineDlg::UpdateDeviceStatus(0)"});
    EXPECT_EQ(d.lastStatus, 5);
}

// Replies handled before the notice of an earlier one is dispatched (a burst, a busy window): each
// notice still shows its own encoder record and its own event.
TEST_F(ReplyDispatchTest, EncoderRecordsAndEventsTravelWithThePost)
{
    KordalDlg& w = Traced();
    CDeviceData& d = GetDeviceData();
    MessageBoxRecorder boxes;
    QtTimerSource timers;
    ReplyHandlers handlers(d, timers);
    // A stream record for 1280 x 720 (code 16), then the version record.
    const std::array<uint8_t, 10> stream{2, 0, 7, 16, 0x18, 0}, version{1, 2, 3};
    handlers.OnReplyEncoderInfo(ReplyBytes<10>(stream), 0);
    handlers.OnReplyEncoderInfo(ReplyBytes<10>(version), 0);
    const std::array<uint8_t, 3> edid{0, 1, 0}, vga{1, 1, 0};
    handlers.OnReplyEvent(edid, 0);
    handlers.OnReplyEvent(vga, 0);
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();  // the page's own notice too
    EXPECT_EQ(calls_.filter(QRegularExpression(QStringLiteral("ShowResultMessage|ShowAdjustResult|SetPreviewFormat"))),
              (QStringList{"MEdidDlg::ShowResultMessage", "MVgaDlg::ShowAdjustResult", "MMainDlg::SetPreviewFormat(16)"}));
    EXPECT_EQ(w.m_MainDlg.PreviewWidth(), 1280);
    // Afterwards the fields hold the latest replies.
    EXPECT_EQ(d.encoderInfo[0], 1);
    EXPECT_EQ(d.eventCode, 1);
}

TEST_F(ReplyDispatchTest, FoundProcessorTravelsWithThePost)
{
    KordalDlg& w = Traced();
    w.PostDeviceFound(QStringLiteral("127.0.0.9"), {1, 2, 3, 4, 5, 6});
    QCoreApplication::processEvents();
    EXPECT_EQ(calls_, QStringList{"MSearchMachineDlg::AddFoundDevice"});
    // A payload without an address or a whole MAC adds nothing.
    QVariantMap partial;
    partial.insert("ip", "127.0.0.9");
    partial.insert("mac", QByteArray("\x01\x02", 2));
    EXPECT_TRUE(Reply(w, REPLY_DEVICE_FOUND, 0, partial).isEmpty());
    EXPECT_TRUE(Reply(w, REPLY_DEVICE_FOUND).isEmpty());
}

TEST_F(ReplyDispatchTest, EventReplyActsOnParamThenCode)
{
    KordalDlg& w = Traced();
    CDeviceData& d = GetDeviceData();
    MessageBoxRecorder boxes;  // the EDID and VGA results are told in message boxes
    recording_.ClearCalls();
    w.m_SubTitleDlg.setEnabled(false);
    Reply(w, REPLY_EVENT, 8);
    EXPECT_TRUE(w.m_SubTitleDlg.isEnabled());
    EXPECT_TRUE(CommandsWithId(recording_, CMD_QUERY_CAPTION).empty());
    Reply(w, REPLY_EVENT, 10);
    ASSERT_EQ(CommandsWithId(recording_, CMD_QUERY_CAPTION).size(), 1u);

    d.eventCode = 12;
    d.eventArg[0] = 0;
    EXPECT_EQ(Reply(w, REPLY_EVENT), QStringList{"MSubTitleDlg::OnTransferAccepted(1)"});
    d.eventArg[0] = 3;
    EXPECT_EQ(Reply(w, REPLY_EVENT), QStringList{"MSubTitleDlg::OnTransferAccepted(0)"});
    d.eventCode = 0;
    EXPECT_EQ(Reply(w, REPLY_EVENT), QStringList{"MEdidDlg::ShowResultMessage"});
    d.eventCode = 1;
    EXPECT_EQ(Reply(w, REPLY_EVENT), QStringList{"MVgaDlg::ShowAdjustResult"});
    EXPECT_EQ(boxes.requests.size(), 2u);
    d.eventCode = 7;
    EXPECT_EQ(Reply(w, REPLY_EVENT), QStringList{"MSubTitleDlg::OnChunkAck"});
    d.eventCode = 9;
    EXPECT_TRUE(Reply(w, REPLY_EVENT).isEmpty());
}

TEST_F(ReplyDispatchTest, FreezeReplyPressesTheButton)
{
    KordalDlg& w = Traced();
    GetDeviceData().freezeState = 1;
    Reply(w, REPLY_FREEZE_STATE);
    EXPECT_TRUE(w.ButtonById(1601)->IsPressed());
    GetDeviceData().freezeState = 0;
    Reply(w, REPLY_FREEZE_STATE);
    EXPECT_FALSE(w.ButtonById(1601)->IsPressed());
}

TEST_F(ReplyDispatchTest, GenlockListFollowsTheExtensionSlots)
{
    KordalDlg& w = Traced();
    CDeviceData& d = GetDeviceData();
    d.inputNames[6].enabled = 1;
    d.inputNames[7].enabled = 1;
    d.input[6].src = 6;  // HDMI-3
    d.input[7].src = 4;  // DVI-4
    d.syncLockMode = 10;
    d.syncMode = 2;
    Reply(w, REPLY_ALL_DATA);
    CDropList* list = w.SyncLockList()->GetList();
    ASSERT_EQ(list->GetCount(), 10);
    EXPECT_EQ(list->GetItemData(8), 10u);
    EXPECT_EQ(list->GetItemData(9), 9u);
    EXPECT_EQ(w.SyncLockList()->GetCurSel(), 8);
    EXPECT_EQ(w.SyncModeList()->GetCurSel(), 2);
    // Rebuilt, not appended to: a second block leaves one entry per slot.
    d.input[7].src = 3;  // VGA has no genlock entry
    Reply(w, REPLY_ALL_DATA);
    EXPECT_EQ(list->GetCount(), 9);
}

// Enter on a page, then, in the same pass of the event loop, a reply moving the page to another
// input: the typed value goes to the input it was typed for.
TEST_F(ReplyDispatchTest, AReplyMovingAPageTakesNoWaitingCommitAlong)
{
    KordalDlg& w = Traced();
    CDeviceData& d = GetDeviceData();
    d.input[4].src = d.input[5].src = 3;  // VGA
    d.chnl[0].input = 4;
    Reply(w, REPLY_ALL_DATA);
    TypeAndEnterInOnePass(w.m_VgaDlg.Edit(ctl::vga::IDC_H_POSITION_EDIT), QStringLiteral("10"));
    d.chnl[0].input = 5;
    Reply(w, REPLY_ALL_DATA);
    QCoreApplication::processEvents();
    const auto adjust = CommandsWithId(recording_, CMD_VGA_ADJUST);
    ASSERT_EQ(adjust.size(), 1u);
    EXPECT_TRUE(adjust[0].bytes[1] == 4 && adjust[0].bytes[6] == 10);  // input 4, 10
}

}  // namespace
