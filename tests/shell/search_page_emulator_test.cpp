// The search page with the real library against two emulated processors on loopback addresses:
// the search finds both (once each, named from "Info.ini"), linking connects both, and the one
// that goes silent is marked offline by its watchdog while the other stays online, and its link
// is closed by the next search it does not answer.

#include "LinkTestSupport.h"
#include "PageHostTestSupport.h"

#include "comm/QVN_Comm.h"
#include "device/IniFile.h"
#include "device/UiReplyRelay.h"

#include <QTimer>

namespace {

class SearchPageEmulatorTest : public PageTest {
protected:
    void TearDown() override
    {
        QVN_Comm_Shutdown();
        host.reset();
        comm::InstallCommLibrary(nullptr);
        link.reset();
        for (auto* e : {a.get(), b.get()})
            if (e) e->Stop();
        PageTest::TearDown();
    }

    std::unique_ptr<emu::ProcessorEmulator> a;
    std::unique_ptr<emu::ProcessorEmulator> b;
    std::unique_ptr<comm::DeviceLink> link;
    std::unique_ptr<PageHost> host;
};

const DeviceTile* TileOf(const MSearchMachineDlg& page, const QString& ip)
{
    for (const auto& t : page.Tiles())
        if (t.ip == ip) return &t;
    return nullptr;
}

} // namespace

TEST_F(SearchPageEmulatorTest, FindLinkAndWatchTwoProcessors)
{
    a = StartEmulator("127.0.0.41");
    b = StartEmulator("127.0.0.42");
    ASSERT_TRUE(IniWriteString(InfoIni(), MacSectionName(a->Mac()), QStringLiteral("MachineName"), QStringLiteral("Front")));

    comm::DeviceLinkOptions o;
    o.discoveryTargets = {{a->Ip(), a->UdpPort()}, {b->Ip(), b->UdpPort()}};
    o.tcpPortByIp = {{a->Ip(), a->TcpPort()}, {b->Ip(), b->TcpPort()}};
    o.probeIntervalMs = 100;
    o.reconnectIntervalMs = 100;
    // Only the page's watchdog may call a processor offline here.
    o.silenceTimeoutMs = 600000;
    link = std::make_unique<comm::DeviceLink>(o);
    comm::InstallCommLibrary(link.get());
    host = std::make_unique<PageHost>();
    RegisterReplyHandlers();
    MSearchMachineDlg& page = host->searchPage;
    page.OnInitDialog();
    QVN_Comm_SelectLocalIp("127.0.0.1");
    page.SetLinkAllDelay(300);
    page.SetWatchdogInterval(200);

    page.OnSearch();
    ASSERT_TRUE(SpinUntil([&] { return page.Tiles().size() == 2; })) << page.Tiles().size();
    // Asked again without a new search: each processor answers again, and keeps one tile.
    GetDeviceData().SendCommand(CMD_SEARCH_DEVICES, 255);
    SpinFor(200);
    ASSERT_EQ(page.Tiles().size(), 2u);
    const DeviceTile* tileA = TileOf(page, QStringLiteral("127.0.0.41"));
    const DeviceTile* tileB = TileOf(page, QStringLiteral("127.0.0.42"));
    ASSERT_TRUE(tileA && tileB);
    EXPECT_EQ(tileA->name, QStringLiteral("Front"));
    EXPECT_EQ(tileB->name, tileB == &page.Tiles()[0] ? QStringLiteral("Z4W-1") : QStringLiteral("Z4W-2"));
    EXPECT_EQ(tileA->mac, a->Mac());

    // Linking connects both, and both report themselves online.
    ASSERT_TRUE(SpinUntil([&] { return a->ClientCount() == 1 && b->ClientCount() == 1; }));
    EXPECT_EQ(link->TargetIds(), (std::vector<uint8_t>{page.Tiles()[0].ip.endsWith(QLatin1String("41")) ? uint8_t{41} : uint8_t{42},
                                                       page.Tiles()[1].ip.endsWith(QLatin1String("41")) ? uint8_t{41} : uint8_t{42}}));
    ASSERT_TRUE(SpinUntil([&] {
        return TileOf(page, QStringLiteral("127.0.0.41"))->online && TileOf(page, QStringLiteral("127.0.0.42"))->online;
    }));
    EXPECT_EQ(GetDeviceData().netMode, 1);

    // Both keep answering queries; then one falls silent.
    QTimer ask;
    QObject::connect(&ask, &QTimer::timeout, [] { GetDeviceData().SendCommand(CMD_QUERY_WORK_MODE); });
    ask.start(50);
    SpinFor(1000);
    EXPECT_TRUE(TileOf(page, QStringLiteral("127.0.0.41"))->online);
    EXPECT_TRUE(TileOf(page, QStringLiteral("127.0.0.42"))->online);
    b->SetSilent(true);
    ASSERT_TRUE(SpinUntil([&] { return !TileOf(page, QStringLiteral("127.0.0.42"))->online; }, 10000));
    EXPECT_TRUE(TileOf(page, QStringLiteral("127.0.0.41"))->online);
    ask.stop();

    // The next search, which the silent one does not answer, closes its link.
    page.OnSearch();
    EXPECT_TRUE(SpinUntil([&] { return page.Tiles().size() == 1 && b->ClientCount() == 0; }));
    EXPECT_EQ(a->ClientCount(), 1);
}
