// Layer and input selection in the main window, the page notifications it acts on and its own
// drop lists: the commands each sends and the rules that refuse.

#include "DispatchTestSupport.h"

#include "controls/CDropButton.h"
#include "controls/CSxGroupBox.h"
#include "platform/PageNotifyCodes.h"
#include "preview/CPictureCtrl.h"
#include "preview/MMainDlg.h"

#include <QCheckBox>
#include <QMouseEvent>
#include <QVariantMap>

namespace {

// A left-button press on the main window itself (the input icons are painted, not widgets).
void PressAt(QWidget* w, QPoint p)
{
    QMouseEvent e(QEvent::MouseButtonPress, QPointF(p), QPointF(w->mapToGlobal(p)), Qt::LeftButton, Qt::LeftButton,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

class InputSelectionTest : public MainWindowTest {
protected:
    KordalDlg& Ready()
    {
        KordalDlg& w = Window();
        ResetDeviceForDispatch();
        SendMsg(&w, WM_DEVICE_REPLY, REPLY_ALL_DATA, 0);
        QCoreApplication::processEvents();
        recording_.ClearCalls();
        return w;
    }
    std::vector<comm::RecordedCall> LayerInputCommands() const { return CommandsWithId(recording_, CMD_SET_LAYER_INPUT); }
    static void ClickButton(KordalDlg& w, int id)
    {
        CGdipButton* b = w.ButtonById(id);
        ASSERT_NE(b, nullptr) << id;
        b->click();
    }
};

TEST_F(InputSelectionTest, InputButtonSendsOneCommandWithTheMappedInput)
{
    KordalDlg& w = Ready();
    ClickButton(w, 1204);  // "DVI-2": code 2, processor input 20
    auto sent = LayerInputCommands();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].bytes[0], 0);
    EXPECT_EQ(sent[0].bytes[1], 2);
    EXPECT_EQ(sent[0].bytes[2], 0);
    EXPECT_EQ(GetDeviceData().chnl[0].input, 2);

    ClickButton(w, 1204);  // the same input again
    EXPECT_EQ(LayerInputCommands().size(), 1u);

    // DP-R on PIP-2: code 9 is the processor's 41.
    SendMsg(&w, WM_SELECT_LAYER, 2, 0);
    EXPECT_EQ(w.SelectedLayer(), 2);
    EXPECT_EQ(LayerInputCommands().size(), 1u);  // selecting a layer only refreshes
    w.DualChannelBox()->setChecked(true);
    EXPECT_FALSE(w.ButtonById(1197)->isVisibleTo(&w));
    EXPECT_TRUE(w.ButtonById(1212)->isVisibleTo(&w));
    ClickButton(w, 1212);
    sent = LayerInputCommands();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[1].bytes[0], 2);
    EXPECT_EQ(sent[1].bytes[1], 4);
    EXPECT_EQ(sent[1].bytes[2], 1);
    EXPECT_EQ(GetDeviceData().chnl[2].input, 9);
}

TEST_F(InputSelectionTest, SameInputForAnotherLayerIsSent)
{
    KordalDlg& w = Ready();
    GetDeviceData().chnl[1].input = 5;
    ClickButton(w, 1200);  // HDMI-1 on MAIN
    SendMsg(&w, WM_SELECT_LAYER, 1, 0);
    ClickButton(w, 1200);  // HDMI-1 on PIP-1 too
    const auto sent = LayerInputCommands();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[1].bytes[0], 1);
    EXPECT_EQ(GetDeviceData().chnl[1].input, 1);
}

TEST_F(InputSelectionTest, IconClickChoosesTheInputOfTheCanvasLayer)
{
    KordalDlg& w = Ready();
    const QRect icon = w.InputIconRects()[3];
    PressAt(&w, icon.center());
    auto sent = LayerInputCommands();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].bytes[1], 3);
    EXPECT_EQ(GetDeviceData().chnl[0].input, 3);
    // The input the layer already shows: nothing.
    PressAt(&w, icon.center());
    EXPECT_EQ(LayerInputCommands().size(), 1u);
    // A disabled input row is not clickable.
    PressAt(&w, w.InputIconRects()[7].center());
    EXPECT_EQ(LayerInputCommands().size(), 1u);
}

TEST_F(InputSelectionTest, IconClickRefusedForALayerOnProgramInSwitcherMode)
{
    KordalDlg& w = Ready();
    CDeviceData& d = GetDeviceData();
    d.pvwMode = 1;
    d.pgmState[0] = 1;
    PressAt(&w, w.InputIconRects()[4].center());
    EXPECT_TRUE(LayerInputCommands().empty());
    EXPECT_EQ(d.chnl[0].input, 0);
    d.pgmState[0] = 0;  // on preview it may change
    PressAt(&w, w.InputIconRects()[4].center());
    EXPECT_EQ(LayerInputCommands().size(), 1u);
}

TEST_F(InputSelectionTest, IconClickRefusedWhileTheTestPatternIsOn)
{
    KordalDlg& w = Ready();
    SendMsg(&w, WM_TEST_PATTERN_STATE, 0, 1);
    EXPECT_FALSE(w.LeftLayerButton(1)->isEnabled());
    EXPECT_FALSE(w.ButtonById(1451)->isEnabled());
    PressAt(&w, w.InputIconRects()[2].center());
    EXPECT_TRUE(LayerInputCommands().empty());
    SendMsg(&w, WM_TEST_PATTERN_STATE, 0, 0);
    EXPECT_TRUE(w.LeftLayerButton(1)->isEnabled());
}

TEST_F(InputSelectionTest, PipButtonsSwitchTheLayerAndSendCommand8)
{
    KordalDlg& w = Ready();
    w.LeftLayerButton(1)->click();
    EXPECT_EQ(GetDeviceData().chnl[1].onOff, 1);
    auto sent = CommandsWithId(recording_, CMD_SET_PIP);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].bytes[0], 1);
    w.LeftLayerButton(1)->click();
    EXPECT_EQ(GetDeviceData().chnl[1].onOff, 0);
    EXPECT_EQ(CommandsWithId(recording_, CMD_SET_PIP).size(), 2u);
}

TEST_F(InputSelectionTest, Pip3AsLogoLayerWithoutAValidSlotChangesNothing)
{
    KordalDlg& w = Ready();
    CDeviceData& d = GetDeviceData();
    d.logo.usage = 1;
    QStringList calls;
    w.SetCallTrace(&calls);
    w.LeftLayerButton(3)->click();
    w.SetCallTrace(nullptr);
    EXPECT_FALSE(w.LeftLayerButton(3)->IsPressed());
    EXPECT_EQ(d.chnl[3].onOff, 0);
    EXPECT_TRUE(CommandsWithId(recording_, CMD_SET_PIP).empty());
    EXPECT_TRUE(calls.isEmpty());

    // A logo stored in another slot than the current one: the logo page has nothing to show, and
    // the button says so.
    d.logo.valid[2] = 1;
    w.LeftLayerButton(3)->click();
    EXPECT_FALSE(w.LeftLayerButton(3)->IsPressed());
    EXPECT_EQ(d.logo.onOff, 0);

    // With the current slot stored the logo page switches it; the PIP layer stays as it is.
    d.logo.valid[0] = 1;
    w.SetCallTrace(&calls);
    w.LeftLayerButton(3)->click();
    w.SetCallTrace(nullptr);
    // The logo page announces PIP-3 (the logo layer) to the main window.
    EXPECT_EQ(calls, (QStringList{"MLogoDlg::SetLogoOnOff(1)", "MMainDlg::ShowLayerCell(3,1)", "MPIPDlg::UpdateByWorkMode"}));
    EXPECT_EQ(d.chnl[3].onOff, 0);
    EXPECT_EQ(d.logo.onOff, 1);
    EXPECT_TRUE(w.LeftLayerButton(3)->IsPressed());
    EXPECT_TRUE(CommandsWithId(recording_, CMD_SET_PIP).empty());
}

TEST_F(InputSelectionTest, VgaButtonFollowsTheLayersInputs)
{
    KordalDlg& w = Ready();
    CGdipButton* vga = w.SideButton(8);
    EXPECT_FALSE(vga->isEnabled());
    EXPECT_TRUE(vga->HasDisabledLook());
    GetDeviceData().input[2].src = 3;  // layer 2 shows slot 2
    SendMsg(&w, WM_SELECT_LAYER_INPUT, 2, 0);
    EXPECT_TRUE(vga->isEnabled());
    EXPECT_FALSE(vga->HasDisabledLook());
    w.SwitchPage(8, true);
    ASSERT_EQ(w.CurrentPage(), 8);
    GetDeviceData().input[2].src = 4;
    SendMsg(&w, WM_SELECT_LAYER_INPUT, 2, 0);
    EXPECT_FALSE(vga->isEnabled());
    EXPECT_EQ(w.CurrentPage(), -1);  // the open VGA page closed
    EXPECT_TRUE(LayerInputCommands().empty());
}

TEST_F(InputSelectionTest, WorkModesLayOutTheRows)
{
    KordalDlg& w = Ready();
    CDeviceData& d = GetDeviceData();
    d.mosaic.mode = 2;
    SendMsg(&w, WM_PAGE_NOTIFY, NOTIFY_SPLICING_MODE, 2);
    d.pvwMode = 1;
    d.pgmState[2] = 1;
    d.pvwState[3] = 1;
    SendMsg(&w, WM_DEVICE_REPLY, REPLY_WORK_MODE, 0);
    EXPECT_EQ(w.WorkMode(), 1);
    EXPECT_FALSE(w.LeftLayerButton(0)->isVisibleTo(&w));
    EXPECT_TRUE(w.LeftLayerButton(2)->isVisibleTo(&w));
    EXPECT_TRUE(w.LeftLayerButton(2)->IsPressed());
    EXPECT_FALSE(w.RightLayerButton(2)->isEnabled());
    EXPECT_TRUE(w.RightLayerButton(3)->isEnabled());
    EXPECT_TRUE(w.RightLayerButton(3)->IsPressed());
    EXPECT_TRUE(w.ButtonById(1451)->isVisibleTo(&w));
    EXPECT_FALSE(w.SideButton(2)->isEnabled());

    d.pvwMode = 2;
    SendMsg(&w, WM_DEVICE_REPLY, REPLY_WORK_MODE, 0);
    for (int k = 0; k < 4; ++k) EXPECT_FALSE(w.RightLayerButton(k)->isVisibleTo(&w));
    EXPECT_FALSE(w.SideButton(4)->isEnabled());

    d.pvwMode = 7;  // not a mode: normal
    SendMsg(&w, WM_DEVICE_REPLY, REPLY_WORK_MODE, 0);
    EXPECT_EQ(d.pvwMode, 0);
    EXPECT_EQ(w.WorkMode(), 0);
    EXPECT_TRUE(w.LeftLayerButton(0)->isVisibleTo(&w));
    EXPECT_FALSE(w.LeftLayerButton(0)->isEnabled());
    EXPECT_FALSE(w.ButtonById(1451)->isVisibleTo(&w));
    EXPECT_TRUE(w.ButtonById(1472)->isVisibleTo(&w)) << "Lock Output, with splicing on";
}

TEST_F(InputSelectionTest, SyncListsSendTheChosenItemData)
{
    KordalDlg& w = Ready();
    CDropList* list = w.SyncLockList()->GetList();
    ASSERT_GE(list->GetCount(), 3);
    SendMsg(&w, WM_DROPLIST_SELECT, 45000, 2);
    auto sent = CommandsWithId(recording_, CMD_SET_SYNC_MODE);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(GetDeviceData().syncLockMode, static_cast<int32_t>(list->GetItemData(2)));
    // A row the list does not have chooses nothing.
    SendMsg(&w, WM_DROPLIST_SELECT, 45000, list->GetCount());
    SendMsg(&w, WM_DROPLIST_SELECT, 45008, -1);
    SendMsg(&w, WM_DROPLIST_SELECT, 12345, 0);
    EXPECT_EQ(CommandsWithId(recording_, CMD_SET_SYNC_MODE).size(), 1u);
}

TEST_F(InputSelectionTest, PortSwitchQueriesTheBoardAfterAPause)
{
    KordalDlg& w = Ready();
    SendMsg(&w, WM_DROPLIST_SELECT, 65399, 3);
    EXPECT_EQ(GetDeviceData().cmpBoard.mode, 3);
    EXPECT_EQ(CommandsWithId(recording_, CMD_COMPOSITE_BOARD).size(), 1u);
    EXPECT_TRUE(CommandsWithId(recording_, CMD_QUERY_BOARD).empty());  // not yet: no sleep
    ASSERT_TRUE(SpinUntil([&] { return !CommandsWithId(recording_, CMD_QUERY_BOARD).empty(); }));
    EXPECT_FALSE(w.ButtonById(1573)->isEnabled());
    // Reply 29 gives the signal-switch button back.
    SendMsg(&w, WM_DEVICE_REPLY, REPLY_BOARD_INFO, 0);
    EXPECT_TRUE(w.ButtonById(1573)->isEnabled());
}

TEST_F(InputSelectionTest, SignalSwitchSendsByActiveSourceAndWaits)
{
    KordalDlg& w = Ready();
    GetDeviceData().cmpBoard.actNoSrc = 1;
    w.ButtonById(1573)->click();
    auto sent = CommandsWithId(recording_, CMD_COMPOSITE_BOARD);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].bytes[0], 0);
    EXPECT_FALSE(w.ButtonById(1573)->isEnabled());
    ASSERT_TRUE(SpinUntil([&] { return !CommandsWithId(recording_, CMD_QUERY_BOARD).empty(); }));
}

TEST_F(InputSelectionTest, PageNotifications)
{
    KordalDlg& w = Ready();
    // Switcher mode: caption, pressed state, indicator.
    SendMsg(&w, WM_PAGE_NOTIFY, NOTIFY_SWITCHER_MODE, 1);
    EXPECT_TRUE(w.SwitcherOn());
    EXPECT_EQ(w.ButtonById(1240)->text(), QStringLiteral("SWITCH ON"));
    EXPECT_TRUE(w.ButtonById(1490)->isVisibleTo(&w));
    SendMsg(&w, WM_PAGE_NOTIFY, NOTIFY_SWITCHER_MODE, 0);
    EXPECT_EQ(w.ButtonById(1240)->text(), QStringLiteral("SWITCH OFF"));

    // Loop-out frame around an input; a bad index leaves it.
    SendMsg(&w, WM_PAGE_NOTIFY, NOTIFY_LOOP_OUT, 3);
    const QRect icon = w.InputIconRects()[3];
    EXPECT_EQ(w.LoopOutGroup()->geometry().left(), icon.left() - 16);
    EXPECT_EQ(w.LoopOutGroup()->geometry().right(), icon.right() + 16);
    const QRect placed = w.LoopOutGroup()->geometry();
    SendMsg(&w, WM_PAGE_NOTIFY, NOTIFY_LOOP_OUT, 12);
    SendMsg(&w, WM_PAGE_NOTIFY, NOTIFY_LOOP_OUT, -1);
    EXPECT_EQ(w.LoopOutGroup()->geometry(), placed);

    // Search entry: toggles, 2 or more always hides.
    w.m_SearchMachineDlg.hide();
    SendMsg(&w, WM_PAGE_NOTIFY, NOTIFY_SEARCH_ENTRY, 0);
    EXPECT_TRUE(w.m_SearchMachineDlg.isVisibleTo(&w));
    SendMsg(&w, WM_PAGE_NOTIFY, NOTIFY_SEARCH_ENTRY, 3);
    EXPECT_FALSE(w.m_SearchMachineDlg.isVisibleTo(&w));
    SendMsg(&w, WM_PAGE_NOTIFY, NOTIFY_SEARCH_ENTRY, 3);
    EXPECT_FALSE(w.m_SearchMachineDlg.isVisibleTo(&w));
    // A negative value is no request: the page stays as it is, shown or hidden.
    SendMsg(&w, WM_PAGE_NOTIFY, NOTIFY_SEARCH_ENTRY, -1);
    EXPECT_FALSE(w.m_SearchMachineDlg.isVisibleTo(&w));
    w.m_VideoSettingDlg.show();
    SendMsg(&w, WM_PAGE_NOTIFY, NOTIFY_TAB_BUTTONS, -1);
    EXPECT_TRUE(w.m_VideoSettingDlg.isVisibleTo(&w));
    SendMsg(&w, WM_PAGE_NOTIFY, NOTIFY_TAB_BUTTONS, 1);
    EXPECT_FALSE(w.m_VideoSettingDlg.isVisibleTo(&w));

    // Sub-pages: {4, 0} hides the caption page only, {2, 0} the other three.
    w.m_SubTitleDlg.show();
    w.m_TaskDlg.show();
    w.m_KeyerDlg.show();
    w.m_TstPatternDlg.show();
    SendMsg(&w, WM_PAGE_NOTIFY, NOTIFY_SHOW_SUBPAGE, 0, QVariantMap{{"tab", 4}, {"shown", 0}});
    EXPECT_FALSE(w.m_SubTitleDlg.isVisibleTo(&w));
    EXPECT_TRUE(w.m_TaskDlg.isVisibleTo(&w));
    SendMsg(&w, WM_PAGE_NOTIFY, NOTIFY_SHOW_SUBPAGE, 0, QVariantMap{{"tab", 2}, {"shown", 0}});
    EXPECT_FALSE(w.m_TaskDlg.isVisibleTo(&w));
    EXPECT_FALSE(w.m_KeyerDlg.isVisibleTo(&w));
    EXPECT_FALSE(w.m_TstPatternDlg.isVisibleTo(&w));
    SendMsg(&w, WM_PAGE_NOTIFY, NOTIFY_SHOW_SUBPAGE, 0, QVariantMap{{"tab", 1}, {"shown", 1}});
    EXPECT_TRUE(w.m_KeyerDlg.isVisibleTo(&w));
    SendMsg(&w, WM_PAGE_NOTIFY, NOTIFY_SHOW_SUBPAGE, 0);  // no payload: nothing
    EXPECT_TRUE(w.m_KeyerDlg.isVisibleTo(&w));

    // Splicing mode 5 greys LOGO and PIP in normal mode; 0 gives them back.
    SendMsg(&w, WM_PAGE_NOTIFY, NOTIFY_SPLICING_MODE, 5);
    EXPECT_FALSE(w.SideButton(6)->isEnabled());
    EXPECT_FALSE(w.SideButton(3)->isEnabled());
    EXPECT_TRUE(w.ButtonById(1472)->isVisibleTo(&w));
    SendMsg(&w, WM_PAGE_NOTIFY, NOTIFY_SPLICING_MODE, 0);
    EXPECT_TRUE(w.SideButton(6)->isEnabled());
    EXPECT_TRUE(w.SideButton(3)->isEnabled());
    EXPECT_FALSE(w.ButtonById(1472)->isVisibleTo(&w));
    SendMsg(&w, WM_PAGE_NOTIFY, NOTIFY_SPLICING_MODE, 6);  // not a mode
    EXPECT_TRUE(w.SideButton(6)->isEnabled());

    // The connected address goes to the connection page; a notice without a text changes nothing.
    SendMsg(&w, WM_PAGE_NOTIFY, NOTIFY_CONNECTED_IP, 0, QStringLiteral("127.0.0.5"));
    EXPECT_EQ(w.m_ConnectDlg.DestinationIp(), QStringLiteral("127.0.0.5"));
    SendMsg(&w, WM_PAGE_NOTIFY, NOTIFY_CONNECTED_IP, 0);
    SendMsg(&w, WM_PAGE_NOTIFY, NOTIFY_CONNECTED_IP, 0, 7);
    EXPECT_EQ(w.m_ConnectDlg.DestinationIp(), QStringLiteral("127.0.0.5"));

    // Connection indicator and TOP buttons.
    SendMsg(&w, WM_PAGE_NOTIFY, NOTIFY_CONNECTION, 0);
    EXPECT_FALSE(w.ButtonById(1492)->IsPressed());
    SendMsg(&w, WM_PAGE_NOTIFY, NOTIFY_TOP_BUTTONS, 1);
    EXPECT_TRUE(w.ButtonById(1446)->isVisibleTo(&w));
    w.ButtonById(1447)->click();
    EXPECT_FALSE(w.ButtonById(1446)->isVisibleTo(&w));

    // Layer visibility follows the layer's record and updates the button.
    GetDeviceData().chnl[2].onOff = 1;
    SendMsg(&w, WM_PAGE_NOTIFY, NOTIFY_LAYER_VISIBILITY, 1);
    EXPECT_TRUE(w.LeftLayerButton(2)->IsPressed());
    SendMsg(&w, WM_PAGE_NOTIFY, NOTIFY_LAYER_VISIBILITY, 3);  // no such PIP

    // Feathering keeps the keyer, LOGO and PIP greyed through a splicing or a work mode change.
    GetDeviceData().feather.onOff = 1;
    SendMsg(&w, WM_PAGE_NOTIFY, NOTIFY_FEATHER_STATE, 1);
    SendMsg(&w, WM_PAGE_NOTIFY, NOTIFY_SPLICING_MODE, 3);
    EXPECT_FALSE(w.SideButton(6)->isEnabled() || w.SideButton(4)->isEnabled() || w.m_KeyerDlg.isEnabled());
    SendMsg(&w, WM_DEVICE_REPLY, REPLY_WORK_MODE, 0);
    EXPECT_FALSE(w.SideButton(6)->isEnabled() || w.SideButton(4)->isEnabled() || w.m_KeyerDlg.isEnabled());
    GetDeviceData().feather = {};
}

TEST_F(InputSelectionTest, TakeSendsTheMultiMachineCommandAndShowsBusy)
{
    KordalDlg& w = Ready();
    w.SetBusyWatchdogInterval(60000);
    ClickButton(w, 1451);
    EXPECT_EQ(CommandsWithId(recording_, CMD_SET_MULTI_MACHINE).size(), 1u);
    EXPECT_TRUE(w.IsBusyWatchdogActive());
    w.ShowBusyDialog(false, QString());
}

}  // namespace

TEST_F(InputSelectionTest, TopButtonSelectsTheLayersCellAndStartsTheCellMark)
{
    KordalDlg& w = Ready();
    CPictureCtrl& canvas = w.m_MainDlg.Canvas();
    canvas.resize(2000, 1000);
    for (int layer = 0; layer < 4; ++layer) canvas.AddLayerCell(600, 600, 600 * layer, 0, QStringLiteral("layer"), layer, 0);
    for (int layer = 0; layer < 4; ++layer) w.m_MainDlg.ShowLayerCell(layer, 1);
    SendMsg(&w, WM_PAGE_NOTIFY, NOTIFY_TOP_BUTTONS, 1);
    w.ButtonById(1448)->click();
    EXPECT_EQ(canvas.Selected(), canvas.LayerCell(2));
    EXPECT_TRUE(canvas.LayerCell(2)->IsSelected());
    EXPECT_TRUE(w.m_MainDlg.IsCellMarkTimerActive());
    for (int id = 1446; id <= 1449; ++id) EXPECT_FALSE(w.ButtonById(id)->isVisibleTo(&w)) << id;
    SendMsg(&w, WM_PAGE_NOTIFY, NOTIFY_TOP_BUTTONS, 1);
    w.ButtonById(1446)->click();
    EXPECT_EQ(canvas.Selected(), canvas.LayerCell(0));
    EXPECT_FALSE(canvas.LayerCell(2)->IsSelected());
    canvas.RemoveLayerCells();
}
