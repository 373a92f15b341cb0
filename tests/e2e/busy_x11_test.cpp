// Operations the window waits on: each puts up the busy dialog, the processor emulator's answer
// takes it down again well within a second and the emulator holds the change; the dialog is seen
// above the main window while a wait lasts. And the logo page's capture window, saved, loaded and
// moved, against the emulator through the real reply dispatcher.

#include "EndToEndSupport.h"

#include "controls/oRealEdit.h"
#include "pages/signal/MMosaicDlg.h"
#include "pages/signal/MosaicIds.h"
#include "pages/system/LogoIds.h"
#include "pages/system/MLogoDlg.h"
#include "pages/system/SwitcherIds.h"

#include <QMessageBox>
#include <QScreen>
#include <QTimer>

namespace {

namespace mw = ctl::main_window;
namespace cl = ctl::logo;

class BusyEndToEnd : public EndToEndTest {
protected:
    struct Step {
        const char* what;
        std::function<void()> act;
        std::function<bool(const DeviceParamBlock&)> holds;  // by the emulator and, read back, the window
    };
    void Run(const std::vector<Step>& steps)
    {
        for (const Step& s : steps) {
            EXPECT_TRUE(BusyEndsWithin(s.act)) << s.what << ": still waiting";
            EXPECT_TRUE(StoredSoon([&](const DeviceParamBlock& b) { return s.holds(b) && s.holds(GetDeviceData().Block()); }, 3000))
                << s.what;
        }
    }
};

// The processor puts MAIN on program and PIP-1 on preview, a key switched on goes on preview and
// TAKE swaps the two sides.
TEST_F(BusyEndToEnd, SwitcherAndTakeWaitOnlyForTheProcessorsAnswer)
{
    KordalDlg& w = Connected("127.0.0.147");
    OpenSidePage(mw::IDC_SIDE_KEYER);
    const QWidget& page = w.m_SwitcherDlg;
    namespace cs = ctl::switcher;
    Run({{"ON", [&] { Click(page, cs::IDC_ON_OFF); },
          [](const DeviceParamBlock& s) { return s.pvwMode == 1 && s.pgmState[0] == 1 && s.pvwState[1] == 1; }}});
    Click(w, mw::IDC_PVW_LAYER_PIP2);
    EXPECT_TRUE(StoredSoon([](const DeviceParamBlock& s) { return s.pvwState[2] == 1; }, 3000)) << "PIP-2 on preview";
    Run({
        {"TAKE", [&] { Click(w, mw::IDC_TAKE); },
         [](const DeviceParamBlock& s) { return s.pgmState[1] == 1 && s.pvwState[0] == 1 && s.pgmState[2] == 1; }},
        {"Panel x 2", [&] { Click(page, cs::IDC_PANEL_X2); }, [](const DeviceParamBlock& s) { return s.pvwMode == 2; }},
        {"OFF", [&] { Click(page, cs::IDC_ON_OFF); }, [](const DeviceParamBlock& s) { return s.pvwMode == 0; }},
    });
    EXPECT_TRUE(boxes.empty());
}

TEST_F(BusyEndToEnd, SplicingWaitsOnlyForTheProcessorsAnswer)
{
    KordalDlg& w = Connected("127.0.0.148");
    OpenSidePage(mw::IDC_SIDE_MOSAIC);
    MMosaicDlg& page = w.m_MosaicDlg;
    namespace cm = ctl::mosaic;
    Run({
        {"ON", [&] { Click(page, cm::IDC_ON_OFF); }, [](const DeviceParamBlock& s) { return s.mosaic.mode == 1; }},
        {"Panel x 3", [&] { Click(page, cm::IDC_PANEL_X3); }, [](const DeviceParamBlock& s) { return s.mosaic.mode == 4; }},
        {"arrangement", [&] { ClickAt(page, page.Layout()[3].cell.center()); },
         [](const DeviceParamBlock& s) { return s.mosaic.autoArr == 3; }},
    });
    EXPECT_EQ(page.SelectedCell(), 3);
}

// Normal use: a capture window typed into LOGO2 stays as typed once the processor has taken it,
// and Save captures it. Logo use: LOGO2 loaded, switched on and moved; the processor's logo
// record follows every step.
TEST_F(BusyEndToEnd, LogoWindowIsCapturedLoadedAndMoved)
{
    StartEmulatorAt("127.0.0.149");
    DeviceParamBlock b = Stored();
    ShowLayerAt(b.chnl[3], 100, 50, 960, 540);
    b.logo = {};
    emulator->SetBlock(b);
    KordalDlg& w = Connected();
    // PIP-3's input has a signal, as the processor reports its inputs.
    comm::ReplyPacket inputs;
    inputs.replyId = REPLY_INPUT_STATE;
    inputs.deviceAddress = emulator->Address();
    inputs.payload.assign(8, 1);
    emulator->Broadcast(inputs);
    ASSERT_TRUE(SpinUntil([] { return GetDeviceData().inputState[3] == 1; }, 5000));

    OpenSidePage(mw::IDC_SIDE_LOGO);
    MLogoDlg& page = w.m_LogoDlg;
    Click(page, cl::IDC_SLOT_2);
    emulator->ClearReceived();
    TypeInto(page, cl::IDC_H_START_EDIT, QStringLiteral("40"));
    TypeInto(page, cl::IDC_WIDTH_EDIT, QStringLiteral("320"));
    TypeInto(page, cl::IDC_HEIGHT_EDIT, QStringLiteral("240"));
    ASSERT_TRUE(CommandReceived(CMD_LOGO));
    SpinFor(300);  // the answers land
    const auto shown = [&] {
        std::vector<int> v;
        for (int n = 0; n < 4; ++n) v.push_back(static_cast<int>(page.WindowEdit(n)->GetValue()));
        return v;
    };
    EXPECT_EQ(shown(), (std::vector<int>{40, 0, 320, 240})) << "the typed window was put back";

    Run({
        {"Save", [&] { Click(page, cl::IDC_SAVE_LOAD_2); },
         [](const DeviceParamBlock& s) { return s.logo.valid[1] == 1 && s.logo.win.hAct[1] == 320 && s.logo.win.vAct[1] == 240; }},
    });
    Click(page, cl::IDC_USAGE_LOGO);
    Click(page, cl::IDC_SLOT_2);
    TypeInto(page, cl::IDC_V_START_EDIT, QStringLiteral("30"));
    Run({
        {"Load", [&] { Click(page, cl::IDC_SAVE_LOAD_2); },
         [](const DeviceParamBlock& s) { return s.logo.usage == 1 && s.logo.curId == 1 && s.logo.win.vPos[1] == 30; }},
        {"ON", [&] { Click(page, cl::IDC_ON_OFF); }, [](const DeviceParamBlock& s) { return s.logo.onOff == 1; }},
    });
    TypeInto(page, cl::IDC_H_START_EDIT, QStringLiteral("200"));
    EXPECT_TRUE(StoredSoon([](const DeviceParamBlock& s) { return s.logo.win.hPos[1] == 200 && s.logo.win.vPos[1] == 30; }))
        << "the logo did not move";
    SpinFor(300);
    EXPECT_EQ(shown(), (std::vector<int>{200, 30, 320, 240}));
    EXPECT_TRUE(boxes.empty());
}

// Two waits have ended (connection and read-out), each raising the main window; the third and the
// fourth are still seen.
TEST_F(BusyEndToEnd, BusyDialogIsShownAboveTheMainWindowWhileItWaits)
{
    KordalDlg& w = Connected("127.0.0.150");
    OpenSidePage(mw::IDC_SIDE_KEYER);
    for (int round = 0; round < 2; ++round) {
        emulator->SetReading(false);  // the processor takes its time
        Click(w.m_SwitcherDlg, ctl::switcher::IDC_ON_OFF);
        ASSERT_TRUE(w.m_BusyDlg.isVisible());
        EXPECT_FALSE(w.isEnabled());
        EXPECT_TRUE(SpinUntil([&] { return MappedAbove(w.m_BusyDlg, w); }, 2000)) << "round " << round;
        if (round == 0) {
            SettleForPicture();
            w.screen()->grabWindow(0).save(QStringLiteral(SVP_BINARY_DIR "/e2e_busy.png"));
        }
        emulator->SetReading(true);
        EXPECT_TRUE(SpinUntil([&] { return !w.m_BusyDlg.isVisible() && w.isEnabled(); }, 3000)) << "round " << round;
    }
}

// With the processor gone, "Get Data From Machine" ends by the watchdog and says that it failed.
TEST_F(BusyEndToEnd, GetDataFromAStoppedProcessorEndsInTheResultBox)
{
    KordalDlg& w = Connected("127.0.0.193");
    w.SetBusyWatchdogInterval(2000);
    emulator->Stop();
    SetMessageBoxHandler({});  // the box the operator sees
    Click(w.m_MiscDlg, ctl::misc::IDC_GET_DATA);
    EXPECT_TRUE(w.m_BusyDlg.isVisible());
    const auto shownBox = [] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); };
    ASSERT_TRUE(SpinUntil([&] { return shownBox() && !w.m_BusyDlg.isVisible(); }, 5000));
    EXPECT_EQ(shownBox()->text(), QStringLiteral("Getting Data From Desitination... Failed"));
    SettleForPicture();
    w.screen()->grabWindow(0).save(QStringLiteral(SVP_BINARY_DIR "/e2e_get_data_failed.png"));
}

// A result box still open when a wait ends stays above the main window, and a later result
// brings it back up; so does a question that waits for its answer (the window is blocked until it
// is answered).
TEST_F(BusyEndToEnd, OpenBoxesStayAboveTheMainWindowAfterTheBusyDialogHides)
{
    KordalDlg& w = StartProgram();
    SetMessageBoxHandler({});
    ShowResultBox(&w, QStringLiteral("first"), QStringLiteral("Tips"));
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    SendMsg(&w, WM_BUSY_DIALOG, 1, 0, QStringLiteral("waiting"));
    EXPECT_TRUE(SpinUntil([&] { return MappedAbove(w.m_BusyDlg, *box); }, 2000));
    SendMsg(&w, WM_BUSY_DIALOG, 0, 0);
    SpinFor(300);
    EXPECT_TRUE(MappedAbove(*box, w)) << "under the main window after the wait";
    w.raise();
    ASSERT_TRUE(SpinUntil([&] { return MappedAbove(w, *box); }, 2000));
    ShowResultBox(&w, QStringLiteral("second"), QStringLiteral("Tips"));
    SpinFor(300);
    EXPECT_TRUE(MappedAbove(*box, w)) << "under the main window after a new result";
    qobject_cast<QMessageBox*>(box)->accept();
    ASSERT_TRUE(SpinUntil([] { return !QApplication::activeModalWidget(); }, 2000));

    bool questionAbove = false;
    QTimer::singleShot(0, [&] {
        QWidget* question = QApplication::activeModalWidget();
        SpinUntil([&] { return question && MappedAbove(*question, w); }, 2000);
        SendMsg(&w, WM_BUSY_DIALOG, 1, 0, QStringLiteral("waiting"));
        SendMsg(&w, WM_BUSY_DIALOG, 0, 0);
        SpinFor(300);
        questionAbove = question && MappedAbove(*question, w);
        if (question) question->close();
    });
    ShowMessageBox(&w, QStringLiteral("Select the Machine ?"), QStringLiteral("Tips"), MB_OKCANCEL);
    EXPECT_TRUE(questionAbove) << "a question under the main window after the wait";
}

} // namespace
