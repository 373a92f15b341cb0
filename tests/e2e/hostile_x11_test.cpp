// The same program against a processor that misbehaves (bytes one at a time, indexes beyond every
// table, payloads cut short, bad checksums, a flood of replies, silence and a dropped link): the
// window keeps answering, shows the link going offline and coming back, and keeps what it saved.
// And once over the emulator's pseudo-terminal as a serial port.

#include "EndToEndSupport.h"

#include "controls/CDropList.h"
#include "device/ProjectFileReader.h"
#include "device/ProjectFileWriter.h"
#include "preview/CCell.h"
#include "preview/CPictureCtrl.h"
#include "preview/MMainDlg.h"
#include "shell/pages/SearchMachineIds.h"
#include "shell/pages/SerialPortList.h"

#include <QMessageBox>
#include <QTimer>

#include <algorithm>
#include <array>

namespace {

namespace mw = ctl::main_window;

// The message boxes on the screen.
std::vector<QMessageBox*> ShownBoxes()
{
    std::vector<QMessageBox*> out;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) out.push_back(box);
    return out;
}

// Counts the ticks of a 50 ms timer: the event loop keeps turning while they come.
class Heartbeat {
public:
    Heartbeat()
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] { ++ticks; });
        timer_.start(50);
    }
    int ticks = 0;

private:
    QTimer timer_;
};

class HostileEndToEnd : public EndToEndTest {
protected:
    KordalDlg& Connected(const std::string& ip)
    {
        StartEmulatorAt(ip);
        KordalDlg& w = StartProgram(true);
        ConnectOverTcp();
        EXPECT_TRUE(ReadConfiguration()) << "configuration not read";
        EXPECT_TRUE(SpinUntil([] { return GetDeviceData().onlineState == 1; }, 5000)) << "not online";
        return w;
    }
    // An output row other than the current one, chosen and stored by the processor.
    int ChangeOutputRow(KordalDlg& w)
    {
        OpenSidePage(mw::IDC_SIDE_OUTPUT);
        const int row = GetDeviceData().outputReso.resoIndex == 5 ? 6 : 5;
        ChooseRow(w.m_OutputDlg.ResolutionList(), row);
        EXPECT_TRUE(StoredSoon([&](const DeviceParamBlock& b) { return b.outputReso.resoIndex == row; }));
        return row;
    }
    // Opens and closes every side page that has one, as an operator clicking through.
    void ClickThroughPages()
    {
        for (int id : {mw::IDC_SIDE_PICTURE, mw::IDC_SIDE_OUTPUT, mw::IDC_SIDE_MOSAIC, mw::IDC_SIDE_KEYER, mw::IDC_SIDE_PIP,
                       mw::IDC_SIDE_CROP, mw::IDC_SIDE_LOGO, mw::IDC_SIDE_MISC})
            OpenSidePage(id);
    }
};

TEST_F(HostileEndToEnd, SilenceAndADroppedLinkShowOfflineThenOnlineAndLoseNothing)
{
    KordalDlg& w = Connected("127.0.0.151");
    const int row = ChangeOutputRow(w);
    // The address was typed on the COMM page: the connection indicator shows the link.
    CGdipButton* indicator = w.ButtonById(mw::IDC_CONNECTION_INDICATOR);
    ASSERT_NE(indicator, nullptr);
    EXPECT_TRUE(indicator->IsPressed());

    // Silent: the link goes offline while the window keeps answering.
    {
        Heartbeat beat;
        emulator->SetSilent(true);
        EXPECT_TRUE(SpinUntil([] { return GetDeviceData().onlineState == 0; }, 10000)) << "silence not seen";
        EXPECT_TRUE(SpinUntil([&] { return !indicator->IsPressed(); }, 5000)) << "the silence is not shown";
        ClickThroughPages();
        EXPECT_GT(beat.ticks, 0);
        emulator->SetSilent(false);
        EXPECT_TRUE(SpinUntil([] { return GetDeviceData().onlineState == 1; }, 10000)) << "not back after silence";
        EXPECT_TRUE(SpinUntil([&] { return indicator->IsPressed(); }, 5000)) << "the return is not shown";
    }

    // Dropped and refused: offline, then online once the processor listens again.
    {
        Heartbeat beat;
        emulator->SetListening(false);
        EXPECT_TRUE(SpinUntil([] { return GetDeviceData().onlineState == 0; }, 10000)) << "drop not seen";
        SpinFor(300);
        EXPECT_GE(beat.ticks, 3);
        emulator->SetListening(true);
        EXPECT_TRUE(SpinUntil([&] { return GetDeviceData().onlineState == 1 && emulator->ClientCount() >= 1; }, 10000))
            << "not back after the drop";
    }

    // Nothing saved was lost: the processor and the window still hold the row, and a new change
    // goes through the new connection.
    EXPECT_EQ(Stored().outputReso.resoIndex, row);
    EXPECT_EQ(GetDeviceData().outputReso.resoIndex, row);
    EXPECT_TRUE(ReadConfiguration());
    EXPECT_EQ(w.m_OutputDlg.ResolutionList()->GetCurSel(), row);
    const int next = ChangeOutputRow(w);
    EXPECT_NE(next, row);

    // The processor drops the link for good and the operator closes the program: the project
    // saved at close holds the last change.
    emulator->SetListening(false);
    EXPECT_TRUE(SpinUntil([] { return GetDeviceData().onlineState == 0; }, 10000));
    CloseWindow();
    std::memset(&GetDeviceData().Block(), 0, sizeof(DeviceParamBlock));
    KordalDlg& again = StartProgram(true);
    EXPECT_EQ(GetDeviceData().outputReso.resoIndex, next);
    OpenSidePage(mw::IDC_SIDE_OUTPUT);
    EXPECT_EQ(again.m_OutputDlg.ResolutionList()->GetCurSel(), next);
}

TEST_F(HostileEndToEnd, BrokenRepliesLeaveTheWindowWorking)
{
    KordalDlg& w = Connected("127.0.0.152");

    // Every byte in its own write: the configuration still reads whole.
    emulator->SetSplitWrites(true);
    EXPECT_TRUE(ReadConfiguration()) << "split read-out";
    const int row = ChangeOutputRow(w);
    emulator->SetSplitWrites(false);

    // Indexes beyond every table, payloads cut short, bad checksums: the window refreshes from
    // what it gets and never crashes or hangs.
    // The busy dialog that waits for the cut-short block gives up sooner than an operator would.
    w.SetBusyWatchdogInterval(2000);
    {
        Heartbeat beat;
        emulator->SetOutOfRangeIndexes(true);
        emulator->SetShortPayloads(true);
        emulator->CorruptNextReplies(3);
        ClickThroughPages();
        Click(w.m_MiscDlg, ctl::misc::IDC_GET_DATA);
        EXPECT_TRUE(SpinUntil([&] { return !w.m_BusyDlg.isVisible() && w.isEnabled(); }, 8000)) << "window left disabled";
        ClickThroughPages();
        EXPECT_GE(beat.ticks, 3);
        emulator->SetOutOfRangeIndexes(false);
        emulator->SetShortPayloads(false);
    }
    EXPECT_TRUE(ReadConfiguration()) << "no read-out after the broken replies";
    EXPECT_EQ(GetDeviceData().outputReso.resoIndex, row);

    // A flood of whole blocks and status replies: the window keeps answering and catches up.
    {
        Heartbeat beat;
        emulator->SetReplyFlood(true);
        SpinFor(1000);
        ClickThroughPages();
        emulator->SetReplyFlood(false);
        EXPECT_GE(beat.ticks, 5);
    }
    EXPECT_TRUE(SpinUntil([&] { return !w.m_BusyDlg.isVisible() && w.isEnabled(); }, 8000)) << "window left disabled";
    SpinFor(300);
    EXPECT_TRUE(ReadConfiguration()) << "no read-out after the flood";
    EXPECT_EQ(GetDeviceData().outputReso.resoIndex, row);
    EXPECT_TRUE(SpinUntil([] { return GetDeviceData().onlineState == 1; }, 5000));
}

// The processor repeats the result events of EDID Apply and of the VGA adjustment by the thousand:
// one result box shows the latest result, none opens inside another, and the window answers once
// the operator has closed it.
TEST_F(HostileEndToEnd, RepeatedResultEventsShowOneBoxAtATime)
{
    KordalDlg& w = Connected("127.0.0.155");
    OpenSidePage(mw::IDC_SIDE_EDID);
    SetMessageBoxHandler({});  // the boxes the operator sees
    std::size_t most = 0;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        most = std::max(most, ShownBoxes().size());
        // Once boxes have opened inside each other, each is closed as it shows, so that the nesting
        // unwinds back to the test.
        if (most > 1)
            if (auto* inner = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) inner->done(0);
    });
    watch.start(2);

    constexpr int kEvents = 1000;
    QStringList trace;
    w.SetCallTrace(&trace);
    for (int k = 0; k < kEvents; ++k) {
        comm::ReplyPacket r;
        r.replyId = REPLY_EVENT;
        r.deviceAddress = r.status = emulator->Address();
        const bool last = k == kEvents - 1;
        r.payload = {static_cast<uint8_t>(last ? 1 : k % 2), static_cast<uint8_t>(last ? 1 : 0), 0};
        emulator->Broadcast(r);
    }
    const auto results = [&] {
        return trace.count(QStringLiteral("MEdidDlg::ShowResultMessage")) +
               trace.count(QStringLiteral("MVgaDlg::ShowAdjustResult"));
    };
    EXPECT_TRUE(SpinUntil([&] { return results() == kEvents; }, 60000)) << results();
    w.SetCallTrace(nullptr);
    SpinFor(100);
    watch.stop();
    EXPECT_EQ(most, 1u);
    const std::vector<QMessageBox*> shown = ShownBoxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0]->text(), QStringLiteral("VGA Adjustment Ok"));

    QTest::mouseClick(shown[0]->button(QMessageBox::Ok), Qt::LeftButton);
    EXPECT_TRUE(SpinUntil([] { return ShownBoxes().empty(); }, 5000));
    Heartbeat beat;
    ClickThroughPages();
    EXPECT_TRUE(ReadConfiguration()) << "no read-out after the events";
    EXPECT_GE(beat.ticks, 1);
}

// Layer windows at both ends of the 32-bit range, from the processor (reply 10) and from a project
// file: the program keeps running, every layer cell stays on the canvas inside its output, and the
// device state keeps the values as they came.
TEST_F(HostileEndToEnd, LayerWindowsAtTheEndsOfTheRangeStayOnTheCanvas)
{
    KordalDlg& w = Connected("127.0.0.157");
    const CPictureCtrl& canvas = w.m_MainDlg.Canvas();
    auto expectWindows = [&](const std::array<int32_t, 4>& values) {
        EXPECT_TRUE(SpinUntil([&] {
            for (int l = 0; l < 4; ++l) {
                const LayerWindow& c = GetDeviceData().chnl[l];
                if (c.hPos != values[l] || c.vPos != values[l] || c.hAct != values[l] || c.vAct != values[l]) return false;
            }
            return true;
        }, 5000)) << "the values are not kept as they came";
        Settle();
        for (int l = 0; l < 4; ++l) {
            const CCell* cell = w.m_MainDlg.LayerCell(l);
            ASSERT_NE(cell, nullptr);
            const cellgeo::CellRect r = cell->rect;
            EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.left <= r.right && r.top <= r.bottom &&
                        r.right <= canvas.width() && r.bottom <= canvas.height())
                << "layer " << l << " at " << cellgeo::ToString(r);
            if (!r.IsEmpty()) {
                EXPECT_EQ(cellgeo::Intersection(r, cell->limitRect), r) << "layer " << l;
            }
        }
    };
    for (const int32_t v : {INT32_MAX, INT32_MIN}) {
        for (int l = 0; l < 4; ++l) {
            comm::ReplyPacket reply;
            reply.replyId = REPLY_LAYER_WINDOW;
            reply.deviceAddress = emulator->Address();
            reply.args[0] = l;
            const int32_t window[5] = {v, v, v, v, 0};
            reply.payload.assign(reinterpret_cast<const uint8_t*>(window), reinterpret_cast<const uint8_t*>(window + 5));
            emulator->Broadcast(reply);
        }
        expectWindows({v, v, v, v});
    }
    // The same from a project file, both ends at once.
    DeviceParamBlock block = GetDeviceData().Block();
    const std::array<int32_t, 4> ends{INT32_MAX, INT32_MIN, INT32_MAX, INT32_MIN};
    for (int l = 0; l < 4; ++l) {
        LayerWindow& c = block.chnl[l];
        c.hPos = c.vPos = c.hAct = c.vAct = ends[l];
    }
    const QString project = AppDir() + QStringLiteral("extremes.pro");
    ASSERT_TRUE(SaveProjectFile(block, project));
    ASSERT_EQ(LoadProjectFile(project), ProjectLoad::Applied);
    expectWindows(ends);
    EXPECT_TRUE(ReadConfiguration()) << "no read-out after the extreme windows";
}

// Found by the search page and linked from there, the processor drops the link and comes back: the
// connection indicator goes dark and lights again, the configuration is read again by itself,
// and nothing changed is lost.
TEST_F(HostileEndToEnd, TheSearchPageShowsADroppedLinkAndItsReturn)
{
    StartEmulatorAt("127.0.0.154");
    comm::DeviceLinkOptions options = OptionsFor(*emulator);
    options.discoveryTargets = {{emulator->Ip(), emulator->UdpPort()}};
    KordalDlg& w = StartProgram(options);
    CGdipButton* indicator = w.ButtonById(mw::IDC_CONNECTION_INDICATOR);
    ASSERT_NE(indicator, nullptr);

    OpenSidePage(mw::IDC_SIDE_COMM);
    Click(w.m_ConnectDlg, ctl::connect::IDC_SEARCH_MACHINES);
    ASSERT_TRUE(w.m_SearchMachineDlg.isVisible());
    Shot(w.m_SearchMachineDlg, QStringLiteral("e2e_search"));
    // The search finds the processor, links it a moment later, and reads it once it is online.
    ASSERT_TRUE(ReadOut([&] { Click(w.m_SearchMachineDlg, ctl::search_machine::IDC_SEARCH); })) << "no read-out";
    ASSERT_EQ(w.m_SearchMachineDlg.Tiles().size(), 1u);
    EXPECT_TRUE(SpinUntil([&] { return indicator->IsPressed(); }, 5000)) << "the indicator stays dark";
    Shot(w.m_SearchMachineDlg, QStringLiteral("e2e_search_linked"));
    Click(w.m_ConnectDlg, ctl::connect::IDC_SEARCH_MACHINES);
    const int row = ChangeOutputRow(w);

    Heartbeat beat;
    emulator->SetListening(false);
    EXPECT_TRUE(SpinUntil([&] { return !indicator->IsPressed(); }, 10000)) << "the drop is not shown";
    EXPECT_FALSE(w.m_SearchMachineDlg.Tiles()[0].online);
    SpinFor(200);
    EXPECT_GE(beat.ticks, 2);
    emulator->SetListening(true);
    EXPECT_TRUE(ReadOut([&] {
        EXPECT_TRUE(SpinUntil([&] { return indicator->IsPressed(); }, 10000)) << "the return is not shown";
    })) << "not read again";
    EXPECT_TRUE(w.m_SearchMachineDlg.Tiles()[0].online);

    // Silent on a link that stays open: the same, offline and back.
    emulator->SetSilent(true);
    EXPECT_TRUE(SpinUntil([&] { return !indicator->IsPressed(); }, 10000)) << "the silence is not shown";
    emulator->SetSilent(false);
    EXPECT_TRUE(ReadOut([&] {
        EXPECT_TRUE(SpinUntil([&] { return indicator->IsPressed(); }, 10000)) << "the answer is not shown";
    })) << "not read again after the silence";
    EXPECT_EQ(GetDeviceData().outputReso.resoIndex, row);
    EXPECT_EQ(Stored().outputReso.resoIndex, row);
}

// The processor on a serial line: the COMM page's port list holds the emulator's pseudo-terminal,
// "Connect" opens it and reads the configuration, and a change goes over the line. Then the line
// misbehaves: bytes one at a time, bad checksums and indexes beyond every table, and silence, which
// shows as offline until the processor answers again.
TEST_F(HostileEndToEnd, SerialLineReadsChangesAndRidesOutAMisbehavingProcessor)
{
    StartEmulatorAt("127.0.0.153", true);
    ASSERT_FALSE(emulator->PtyPath().empty());
    const int number = comm::SerialPortNumber(emulator->PtyPath());
    ASSERT_GE(number, 1000) << emulator->PtyPath();
    SetSerialPortSource([number] { return std::vector<comm::SerialPortEntry>{{comm::SerialPortName(number), number}}; });
    KordalDlg& w = StartProgram(true);
    g_DeviceAddress = emulator->Address();

    OpenSidePage(mw::IDC_SIDE_COMM);
    Click(w.m_ConnectDlg, ctl::connect::IDC_REFRESH_COM_PORTS);
    ChooseRow(w.m_ConnectDlg, ctl::connect::IDC_COM_PORT_LIST, 0);
    ASSERT_TRUE(ReadOut([&] { Click(w.m_ConnectDlg, ctl::connect::IDC_COM_CONNECT); })) << "no serial read-out";
    EXPECT_TRUE(boxes.empty());
    CGdipButton* indicator = w.ButtonById(mw::IDC_CONNECTION_INDICATOR);
    ASSERT_NE(indicator, nullptr);
    EXPECT_TRUE(SpinUntil([&] { return indicator->IsPressed(); }, 5000)) << "the connection indicator stays dark";
    const int row = ChangeOutputRow(w);
    bool serial = false;
    for (const auto& f : emulator->Received())
        serial |= f.transport == emu::Transport::Serial && !CommandIds({f}).empty() && CommandIds({f})[0] == CMD_SET_OUTPUT_TIMING;
    EXPECT_TRUE(serial);
    EXPECT_EQ(Stored().outputReso.resoIndex, row);

    emulator->SetSplitWrites(true);
    EXPECT_TRUE(ReadConfiguration()) << "split serial read-out";
    emulator->SetSplitWrites(false);
    {
        Heartbeat beat;
        w.SetBusyWatchdogInterval(2000);
        emulator->SetOutOfRangeIndexes(true);
        emulator->CorruptNextReplies(3);
        ClickThroughPages();
        Click(w.m_MiscDlg, ctl::misc::IDC_GET_DATA);
        EXPECT_TRUE(SpinUntil([&] { return !w.m_BusyDlg.isVisible() && w.isEnabled(); }, 8000)) << "window left disabled";
        emulator->SetOutOfRangeIndexes(false);
        emulator->SetSilent(true);
        EXPECT_TRUE(SpinUntil([] { return GetDeviceData().onlineState == 0; }, 10000)) << "silence not seen";
        EXPECT_TRUE(SpinUntil([&] { return !indicator->IsPressed(); }, 5000)) << "the silence is not shown";
        emulator->SetSilent(false);
        EXPECT_TRUE(SpinUntil([&] { return indicator->IsPressed(); }, 10000)) << "the answer is not shown";
        EXPECT_GE(beat.ticks, 3);
    }
    EXPECT_TRUE(ReadConfiguration()) << "no serial read-out after the misbehaviour";
    EXPECT_EQ(GetDeviceData().outputReso.resoIndex, row);

    OpenSidePage(mw::IDC_SIDE_COMM);
    Click(w.m_ConnectDlg, ctl::connect::IDC_COM_DISCONNECT);
    EXPECT_TRUE(SpinUntil([&] { return !indicator->IsPressed(); }, 5000)) << "the connection indicator stays lit";
    CloseWindow();
    SetSerialPortSource({});
}

} // namespace
