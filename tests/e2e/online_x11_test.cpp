// The search page and the real library against the emulator: once its tile is connected, a
// processor that keeps answering stays shown as connected with no operator action, whether the
// search linked it or the COMM page did before the search; once it stops answering it goes out
// within three watchdog periods.

#include "EndToEndSupport.h"

#include "shell/pages/SearchMachineIds.h"

#include <QTimer>

namespace {

namespace mw = ctl::main_window;

constexpr int kPeriodMs = 1000;  // the tile watchdog's period here

class OnlineEndToEnd : public EndToEndTest {
protected:
    void ConnectsAndStaysShown(const std::string& ip, bool typedIpFirst)
    {
        StartEmulatorAt(ip);
        comm::DeviceLinkOptions options = OptionsFor(*emulator);
        options.discoveryTargets = {{emulator->Ip(), emulator->UdpPort()}};
        KordalDlg& w = StartProgram(options);
        MSearchMachineDlg& page = w.m_SearchMachineDlg;
        page.SetWatchdogInterval(kPeriodMs);
        CGdipButton* indicator = w.ButtonById(mw::IDC_CONNECTION_INDICATOR);
        ASSERT_NE(indicator, nullptr);
        if (typedIpFirst) {
            ConnectOverTcp();
            ASSERT_TRUE(SpinUntil([&] { return indicator->IsPressed(); }, 5000)) << "typed address not linked";
        }
        OpenSidePage(mw::IDC_SIDE_COMM);
        Click(w.m_ConnectDlg, ctl::connect::IDC_SEARCH_MACHINES);
        ASSERT_TRUE(ReadOut([&] { Click(page, ctl::search_machine::IDC_SEARCH); })) << "the tile did not connect";
        ASSERT_EQ(page.Tiles().size(), 1u);
        ASSERT_TRUE(page.Tiles()[0].connected);

        // Left alone for more than three periods: shown online throughout, nothing sent, nothing waited on.
        SpinFor(300);
        emulator->ClearReceived();
        int lapses = 0;
        QTimer look;
        QObject::connect(&look, &QTimer::timeout, [&] {
            if (!indicator->IsPressed() || !page.Tiles()[0].online || w.m_BusyDlg.isVisible()) ++lapses;
        });
        look.start(50);
        SpinFor(4 * kPeriodMs);
        look.stop();
        EXPECT_EQ(lapses, 0);
        EXPECT_TRUE(CommandIds(emulator->Received()).empty());

        emulator->SetSilent(true);
        EXPECT_TRUE(SpinUntil([&] { return !indicator->IsPressed() && !page.Tiles()[0].online; }, 3 * kPeriodMs))
            << "the silence is not shown";
    }
};

TEST_F(OnlineEndToEnd, SearchedProcessorStaysConnectedWhileItAnswers)
{
    ConnectsAndStaysShown("127.0.0.191", false);
}

TEST_F(OnlineEndToEnd, ProcessorLinkedByAddressThenSearchedStaysConnected)
{
    ConnectsAndStaysShown("127.0.0.192", true);
}

} // namespace
