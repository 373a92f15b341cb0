// The machine search page against a recording library: tiles, names by MAC, answers that travel
// with their messages, the watchdog, linking all, connecting, renaming.

#include "PageHostTestSupport.h"

#include "comm/RecordingCommLibrary.h"
#include "controls/CDropButton.h"
#include "controls/CMyEdit.h"
#include "device/IniFile.h"

using Op = comm::RecordedCall::Op;

namespace {

std::array<uint8_t, 6> Mac(uint8_t last)
{
    return {0x02, 0x5E, 0x00, 0x0A, 0x00, last};
}

class SearchPageTest : public PageTest {
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        comm::InstallCommLibrary(&recording);
        host = std::make_unique<PageHost>();
        Page().OnInitDialog();
        recording.ClearCalls();
    }
    void TearDown() override
    {
        host.reset();
        comm::InstallCommLibrary(nullptr);
        PageTest::TearDown();
    }
    MSearchMachineDlg& Page() { return host->searchPage; }
    std::vector<comm::RecordedCall> CallsOf(Op op) const
    {
        std::vector<comm::RecordedCall> out;
        for (const auto& c : recording.Calls())
            if (c.op == op) out.push_back(c);
        return out;
    }

    comm::RecordingCommLibrary recording;
    std::unique_ptr<PageHost> host;
};

} // namespace

TEST_F(SearchPageTest, SearchAsksEveryoneAndShowsTheBusyDialog)
{
    g_DeviceAddress = 7;
    Page().AddFoundDevice(QStringLiteral("10.0.0.5"), Mac(5));
    Page().OnSearch();
    EXPECT_TRUE(Page().Tiles().empty());
    EXPECT_EQ(g_DeviceAddress, 0xFF);
    const auto commands = recording.Commands();
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].id, 69);
    EXPECT_EQ(commands[0].deviceAddress, 0xFF);
    ASSERT_EQ(host->Of(WM_BUSY_DIALOG).size(), 1u);
    EXPECT_EQ(host->Of(WM_BUSY_DIALOG)[0].payload.toString(), QStringLiteral("Search Desitination Machine... "));
}

TEST_F(SearchPageTest, TilesAreLaidOutInRowsOfFourAndNamedByMac)
{
    ASSERT_TRUE(IniWriteString(InfoIni(), QStringLiteral("2-5e-0-a-0-3"), QStringLiteral("MachineName"), QStringLiteral("Stage Left")));
    for (int i = 1; i <= 9; ++i)
        Page().AddFoundDevice(QStringLiteral("10.0.0.%1").arg(i), Mac(static_cast<uint8_t>(i)));
    Page().AddFoundDevice(QStringLiteral("10.0.0.4"), Mac(4));  // the same processor again
    const auto& tiles = Page().Tiles();
    ASSERT_EQ(tiles.size(), 9u);
    EXPECT_EQ(tiles[0].rect, QRect(10, 80, 200, 80));
    EXPECT_EQ(tiles[1].rect, QRect(220, 80, 200, 80));
    EXPECT_EQ(tiles[4].rect, QRect(10, 170, 200, 80));
    EXPECT_EQ(tiles[8].rect.topLeft(), QPoint(10, 260));
    EXPECT_EQ(tiles[0].name, QStringLiteral("Z4W-1"));
    EXPECT_EQ(tiles[2].name, QStringLiteral("Stage Left"));
    EXPECT_EQ(tiles[8].name, QStringLiteral("Z4W-9"));
    EXPECT_EQ(tiles[0].timerId, 2735);
    EXPECT_EQ(tiles[8].timerId, 2743);
    // No watchdog until a tile's first answer.
    EXPECT_FALSE(Page().IsTimerActive(2735));
}

TEST_F(SearchPageTest, FoundProcessorsAndStatusesTravelWithTheirMessages)
{
    // Both answers are posted before either is dispatched.
    host->PostDeviceFound(QStringLiteral("10.0.0.21"), Mac(21));
    host->PostDeviceFound(QStringLiteral("10.0.0.22"), Mac(22));
    QCoreApplication::processEvents();
    ASSERT_EQ(Page().Tiles().size(), 2u);
    EXPECT_EQ(Page().Tiles()[0].ip, QStringLiteral("10.0.0.21"));
    EXPECT_EQ(Page().Tiles()[0].mac, Mac(21));
    EXPECT_EQ(Page().Tiles()[1].ip, QStringLiteral("10.0.0.22"));
    EXPECT_EQ(Page().Tiles()[1].mac, Mac(22));

    host->NotifyReplyStatus(21);
    host->NotifyReplyStatus(22);
    QCoreApplication::processEvents();
    EXPECT_TRUE(Page().Tiles()[0].online);
    EXPECT_TRUE(Page().Tiles()[1].online);
    EXPECT_TRUE(Page().IsTimerActive(2735));
    EXPECT_TRUE(Page().IsTimerActive(2736));
}

TEST_F(SearchPageTest, TheWatchdogCountsOnlyGapsWithoutAnAnswer)
{
    Page().AddFoundDevice(QStringLiteral("10.0.0.21"), Mac(21));
    Page().AddFoundDevice(QStringLiteral("10.0.0.22"), Mac(22));
    Page().UpdateDeviceStatus(false, 21, true);
    const int timer = Page().Tiles()[0].timerId;
    // Three separate gaps of two periods, each ended by an answer: still online.
    for (int gap = 0; gap < 3; ++gap) {
        Page().OnTimer(timer);
        Page().OnTimer(timer);
        EXPECT_TRUE(Page().Tiles()[0].online) << gap;
        Page().UpdateDeviceStatus(false, 21, true);
        EXPECT_EQ(Page().Tiles()[0].missed, 0);
    }
    // Three periods in a row without an answer: offline.
    Page().OnTimer(timer);
    Page().OnTimer(timer);
    EXPECT_TRUE(Page().Tiles()[0].online);
    Page().OnTimer(timer);
    EXPECT_FALSE(Page().Tiles()[0].online);
    EXPECT_FALSE(Page().Tiles()[0].wasOnline);
    EXPECT_EQ(Page().Tiles()[0].missed, 0);
    // The other tile's answers never touched it.
    EXPECT_FALSE(Page().Tiles()[1].online);
}

TEST_F(SearchPageTest, LinkAllRunsOnceForTheTilesFoundInTheFirstSecond)
{
    Page().SetLinkAllDelay(50);
    GetDeviceData().netMode = 0;
    Page().AddFoundDevice(QStringLiteral("127.0.0.20"), Mac(20));  // no search of its own: links nothing
    EXPECT_FALSE(Page().IsTimerActive(kLinkAllTimerId));
    Page().OnSearch();
    Page().AddFoundDevice(QStringLiteral("127.0.0.21"), Mac(21));
    Page().AddFoundDevice(QStringLiteral("bad"), Mac(9));
    Page().AddFoundDevice(QStringLiteral("127.0.1.21"), Mac(121));  // device address 21 again: a tile, not linked
    ASSERT_TRUE(SpinUntil([&] { return !CallsOf(Op::SetTargetIds).empty(); }, 5000));
    Page().AddFoundDevice(QStringLiteral("127.0.0.23"), Mac(23));
    SpinFor(150);
    const auto targets = CallsOf(Op::SetTargetIds);
    ASSERT_EQ(targets.size(), 1u);
    EXPECT_EQ(targets[0].bytes, (std::vector<uint8_t>{21, 0, 21}));
    const auto connects = CallsOf(Op::ConnectNet);
    ASSERT_EQ(connects.size(), 1u);
    EXPECT_EQ(connects[0].text, "127.0.0.21");
    EXPECT_EQ(connects[0].value, 61213);
    EXPECT_EQ(GetDeviceData().netMode, 1);
    ASSERT_EQ(host->Notices(NOTIFY_LINKED).size(), 1u);
}

TEST_F(SearchPageTest, ASearchHoldsOneTilePerAddressAndNoMoreThanThereAreAddresses)
{
    for (const char* ip : {"127.0.0.171", "127.000.000.171"}) Page().AddFoundDevice(QString::fromLatin1(ip), Mac(171));
    EXPECT_EQ(Page().Tiles().size(), 1u);
    for (int i = 0; i < 300; ++i) Page().AddFoundDevice(QStringLiteral("127.0.%1.%2").arg(1 + i / 250).arg(1 + i % 250), Mac(1));
    EXPECT_EQ(Page().Tiles().size(), 254u);
}

TEST_F(SearchPageTest, ASingleProcessorIsConnectedByItsFirstOnlineAnswer)
{
    Page().AddFoundDevice(QStringLiteral("127.0.0.21"), Mac(21));
    Page().UpdateDeviceStatus(true, 33, true);  // another processor's: a link typed since the search
    EXPECT_FALSE(Page().Tiles()[0].connected);
    Page().UpdateDeviceStatus(true, 21, true);
    const auto& tile = Page().Tiles()[0];
    EXPECT_TRUE(tile.connected);
    EXPECT_TRUE(tile.checked);
    EXPECT_TRUE(tile.online);
    EXPECT_EQ(g_DeviceAddress, 21);
    ASSERT_EQ(CallsOf(Op::SetTargetIp).size(), 1u);
    EXPECT_EQ(CallsOf(Op::SetTargetIp)[0].text, "127.0.0.21");
    ASSERT_EQ(recording.Commands().size(), 1u);
    EXPECT_EQ(recording.Commands()[0].id, 0);
    const auto ips = host->Notices(NOTIFY_CONNECTED_IP);
    ASSERT_EQ(ips.size(), 1u);
    EXPECT_EQ(ips[0].payload.toString(), QStringLiteral("127.0.0.21"));
    const auto connection = host->Notices(NOTIFY_CONNECTION);
    ASSERT_FALSE(connection.empty());
    EXPECT_EQ(connection.back().lParam, 1);
}

TEST_F(SearchPageTest, ConnectAsksFirstAndCancelChangesNothing)
{
    Page().AddFoundDevice(QStringLiteral("127.0.0.21"), Mac(21));
    Page().AddFoundDevice(QStringLiteral("127.0.0.22"), Mac(22));
    Page().UpdateDeviceStatus(false, 22, true);
    Page().OnLButtonDown(Page().Tiles()[1].rect.center());
    ASSERT_TRUE(Page().Tiles()[1].checked);
    EXPECT_FALSE(Page().Tiles()[0].checked);

    boxAnswer = IDCANCEL;
    Page().OnConnect();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("Select the Machine ?"));
    EXPECT_FALSE(Page().Tiles()[1].connected);
    EXPECT_TRUE(recording.Commands().empty());

    boxAnswer = IDOK;
    Page().OnConnect();
    EXPECT_TRUE(Page().Tiles()[1].connected);
    EXPECT_EQ(g_DeviceAddress, 22);
    ASSERT_EQ(CallsOf(Op::ConnectNet).size(), 1u);  // linked, should the joint link have left it out
    EXPECT_EQ(CallsOf(Op::ConnectNet)[0].text, "127.0.0.22");
    ASSERT_EQ(recording.Commands().size(), 1u);
    EXPECT_EQ(CallsOf(Op::SetTargetIp).back().text, "127.0.0.22");
    EXPECT_EQ(host->Notices(NOTIFY_CONNECTED_IP).back().payload.toString(), QStringLiteral("127.0.0.22"));

    // An offline tile that is checked gets a link of its own and nothing else.
    Page().OnLButtonDown(Page().Tiles()[0].rect.center());
    recording.ClearCalls();
    Page().OnConnect();
    EXPECT_TRUE(Page().Tiles()[0].connected);
    EXPECT_FALSE(Page().Tiles()[1].connected);
    ASSERT_EQ(CallsOf(Op::ConnectNet).size(), 1u);
    EXPECT_EQ(CallsOf(Op::ConnectNet)[0].text, "127.0.0.21");
    EXPECT_TRUE(recording.Commands().empty());

    // A double click on an offline tile says so.
    Page().OnLButtonDblClk(Page().Tiles()[0].rect.center());
    EXPECT_EQ(boxes.back().text, QStringLiteral("The Machine Is Offline"));
    EXPECT_EQ(boxes.back().caption, QStringLiteral("Tips"));
}

TEST_F(SearchPageTest, ARenameIsKeptByMacAlsoOnEscape)
{
    Page().AddFoundDevice(QStringLiteral("127.0.0.21"), Mac(21));
    const QRect icon = TileRenameIconRect(Page().Tiles()[0].rect);
    Page().OnLButtonDown(icon.center());
    ASSERT_FALSE(Page().RenameEdit()->isHidden());
    EXPECT_EQ(Page().RenameEdit()->text(), QStringLiteral("Z4W-1"));
    EXPECT_EQ(Page().RenameEdit()->geometry(), TileRenameEditRect(Page().Tiles()[0].rect));
    Page().RenameEdit()->setText(QStringLiteral("Hall B"));
    SendMsg(&Page(), WM_EDIT_DONE, kEditDoneEscape, 44929);
    EXPECT_TRUE(Page().RenameEdit()->isHidden());
    EXPECT_EQ(Page().Tiles()[0].name, QStringLiteral("Hall B"));
    EXPECT_EQ(IniReadString(InfoIni(), QStringLiteral("2-5e-0-a-0-15"), QStringLiteral("MachineName")), QStringLiteral("Hall B"));

    // The next search finds it by its MAC, also as the first tile.
    Page().OnSearch();
    Page().AddFoundDevice(QStringLiteral("127.0.0.21"), Mac(21));
    EXPECT_EQ(Page().Tiles()[0].name, QStringLiteral("Hall B"));
}

TEST_F(SearchPageTest, LocalAddressesAreChosenByTheirPlaceInTheList)
{
    const QStringList ips = Page().LocalIps();
    CDropList* list = Page().LocalIpList()->GetList();
    if (ips.isEmpty()) {
        ASSERT_EQ(list->GetCount(), 1);
        EXPECT_EQ(list->GetText(0), QStringLiteral("N/A"));
        Page().OnDropSelect(0xFF70, 0);
        EXPECT_TRUE(CallsOf(Op::SelectLocalIp).empty());
        return;
    }
    ASSERT_EQ(list->GetCount(), ips.size());
    Page().AddFoundDevice(QStringLiteral("127.0.0.21"), Mac(21));
    const int last = static_cast<int>(ips.size()) - 1;
    Page().OnDropSelect(0xFF70, last);
    ASSERT_EQ(CallsOf(Op::SelectLocalIp).size(), 1u);
    EXPECT_EQ(QString::fromStdString(CallsOf(Op::SelectLocalIp)[0].text), ips[last]);
    EXPECT_TRUE(Page().Tiles().empty());
    Page().OnDropSelect(0xFF70, last + 5);  // no such row
    EXPECT_EQ(CallsOf(Op::SelectLocalIp).size(), 1u);
}
