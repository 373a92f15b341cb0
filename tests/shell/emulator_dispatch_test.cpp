// The program's main window against the processor emulator: connect over TCP on loopback, read
// everything, and watch the dispatcher refresh the pages from what the emulator holds.

#include "EmulatorWindowTestSupport.h"

#include "comm/QVN_Comm.h"
#include "controls/CDropButton.h"

#include <QThread>

#include <cstring>

namespace {

class EmulatorDispatchTest : public EmulatorWindowTest {};

// Index of the first occurrence of what, from from on; -1 when absent.
int IndexOf(const QStringList& calls, const QString& what, int from = 0)
{
    return static_cast<int>(calls.indexOf(what, from));
}

TEST_F(EmulatorDispatchTest, ReadOutRefreshesThePagesWithTheEmulatorsValues)
{
    KordalDlg& w = StartWithEmulator("127.0.0.7");
    auto& emulator = emulator_;
    QStringList calls;
    w.SetCallTrace(&calls);

    g_DeviceAddress = emulator->Address();
    ASSERT_TRUE(GetDeviceData().ConnectDeviceByIp(QStringLiteral("127.0.0.7")));
    GetDeviceData().SendCommand(CMD_GET_ALL_DATA);

    // The full refresh, then the answers to the read-out chain (board, work mode, preset flags).
    ASSERT_TRUE(SpinUntil([&] { return calls.contains("MMediaPlayerDlg::RefreshFromDevice"); }, 20000));
    ASSERT_TRUE(SpinUntil([&] { return calls.contains("KordalDlg::RefreshPresetMarks"); }, 20000))
        << calls.join('\n').toStdString();
    ASSERT_TRUE(SpinUntil([&] { return calls.contains("KordalDlg::UpdatePortSwitchTexts"); }, 20000));
    ASSERT_TRUE(SpinUntil([&] { return calls.contains("MSwitcherDlg::RefreshFromDevice") &&
                                       calls.lastIndexOf("KordalDlg::RefreshWorkModeBand") >
                                           calls.indexOf("MMediaPlayerDlg::RefreshFromDevice"); },
                          20000));
    QThread::msleep(100);
    QCoreApplication::processEvents();

    // Reply 2 ran the whole refresh in its order.
    const int start = IndexOf(calls, "KordalDlg::PlaceExtInputMarks");
    ASSERT_GE(start, 0);
    const QStringList full = FullRefreshCalls();
    EXPECT_EQ(calls.mid(start, full.size()), full);
    // Status reports followed, each after its own reply.
    EXPECT_GT(IndexOf(calls, "MSearchMachineDlg::UpdateDeviceStatus(0)", start), start);

    // The pages were refreshed from the emulator's block.
    const std::vector<uint8_t> block = emulator->Block();
    ASSERT_EQ(block.size(), kParamBlockBytes);
    DeviceParamBlock expected;
    std::memcpy(&expected, block.data(), sizeof expected);
    const CDeviceData& d = GetDeviceData();
    for (int l = 0; l < 4; ++l) EXPECT_EQ(d.chnl[l].input, expected.chnl[l].input) << l;
    EXPECT_EQ(d.pvwMode, expected.pvwMode);
    EXPECT_EQ(w.WorkMode(), expected.pvwMode);
    EXPECT_EQ(d.lastStatus, emulator->Address());
    const int lockRow = FindDropItemByData(w.SyncLockList(), static_cast<DropItemData>(expected.syncLockMode));
    if (lockRow >= 0) {
        EXPECT_EQ(w.SyncLockList()->GetCurSel(), lockRow);
    }
    const int modeRow = FindDropItemByData(w.SyncModeList(), static_cast<DropItemData>(expected.syncMode));
    if (modeRow >= 0) {
        EXPECT_EQ(w.SyncModeList()->GetCurSel(), modeRow);
    }
    bool anyVga = false;
    for (int l = 0; l < 4; ++l) {
        const int slot = MapInputCode(expected.chnl[l].input) / 10;
        if (slot >= 0 && slot < 8 && expected.input[slot].src == 3) anyVga = true;
    }
    EXPECT_EQ(w.SideButton(8)->isEnabled(), anyVga);

    // An input chosen in the window reaches the emulator as command 7 and changes its block.
    calls.clear();
    w.ButtonById(1207)->click();  // HDMI-2 on MAIN
    ASSERT_TRUE(SpinUntil([&] {
        std::vector<uint8_t> now = emulator->Block();
        DeviceParamBlock b;
        std::memcpy(&b, now.data(), sizeof b);
        return b.chnl[0].input == 3;
    }, 20000));
    // Its answer (reply 14) refreshes the input marks and the PIP page.
    ASSERT_TRUE(SpinUntil([&] { return calls.contains("MPIPDlg::RefreshFromDevice"); }, 20000));
}

}  // namespace
