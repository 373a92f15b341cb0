// The connection page with the real library against the processor emulator: a serial connect over
// the emulator's pseudo-terminal reads the whole block, a network connect reaches an emulator on a
// loopback address, and whichever of the two is opened last carries the commands alone, also when
// a search's joint link falls due after a serial connect; a typed address the library refuses
// changes nothing.

#include "LinkTestSupport.h"
#include "PageHostTestSupport.h"

#include "comm/QVN_Comm.h"
#include "controls/CDropButton.h"
#include "device/CommandIds.h"
#include "device/IniFile.h"
#include "device/UiReplyRelay.h"

#include <algorithm>
#include <cstring>

namespace {

class ConnectPageEmulatorTest : public PageTest {
protected:
    void TearDown() override
    {
        QVN_Comm_Shutdown();
        host.reset();
        comm::InstallCommLibrary(nullptr);
        link.reset();
        if (emulator) emulator->Stop();
        if (networked) networked->Stop();
        PageTest::TearDown();
    }
    void StartLink(comm::DeviceLinkOptions options)
    {
        link = std::make_unique<comm::DeviceLink>(options);
        comm::InstallCommLibrary(link.get());
        host = std::make_unique<PageHost>();
        RegisterReplyHandlers();
        host->connectPage.OnInitDialog();
        host->connectPage.SetPortPollInterval(0);
    }

    std::unique_ptr<emu::ProcessorEmulator> emulator;
    std::unique_ptr<emu::ProcessorEmulator> networked;  // the same processor's network side
    std::unique_ptr<comm::DeviceLink> link;
    std::unique_ptr<PageHost> host;
};

} // namespace

TEST_F(ConnectPageEmulatorTest, SerialConnectOverAPseudoTerminalReadsTheBlock)
{
    emulator = StartEmulator("127.0.0.31", true);
    ASSERT_FALSE(emulator->PtyPath().empty());
    const int number = comm::SerialPortNumber(emulator->PtyPath());
    ASSERT_GE(number, 1000) << emulator->PtyPath();
    ports = {{comm::SerialPortName(number), number}};
    // The library's own timings: a loaded test machine must not look like a silent processor.
    StartLink(comm::DeviceLinkOptions{});
    ASSERT_EQ(host->connectPage.ComPortList()->GetList()->GetText(0), QString::fromStdString(comm::SerialPortName(number)));

    // On a serial bus the processor takes only frames to its own address: the operator picks it.
    g_DeviceAddress = emulator->Address();
    host->connectPage.OnComConnect();
    ASSERT_TRUE(host->connectPage.IsSerialOpen());
    EXPECT_TRUE(boxes.empty());
    ASSERT_TRUE(SpinUntil([&] { return host->SawReply(2); })) << "no reply 2";
    const auto expected = emulator->Block();
    ASSERT_EQ(host->blockAtReply2.size(), expected.size());
    std::string differing;
    for (std::size_t i = 0; i < expected.size(); ++i)
        if (host->blockAtReply2[i] != expected[i]) differing += " " + std::to_string(i);
    EXPECT_TRUE(differing.empty()) << "bytes differ at" << differing;
    // The read-out went over the serial link.
    const auto frames = emulator->Received();
    bool serialReadOut = false;
    for (const auto& f : frames)
        serialReadOut |= f.transport == emu::Transport::Serial && !CommandIds({f}).empty() && CommandIds({f})[0] == 0;
    EXPECT_TRUE(serialReadOut);
    EXPECT_EQ(IniReadString(InfoIni(), QStringLiteral("COM"), QStringLiteral("port")), QString::number(number));

    host->connectPage.OnComDisconnect();
    EXPECT_FALSE(host->connectPage.IsSerialOpen());
}

TEST_F(ConnectPageEmulatorTest, NetworkConnectReachesTheEmulator)
{
    emulator = StartEmulator("127.0.0.32");
    StartLink(OptionsFor(*emulator));
    host->connectPage.SetDestinationIp(QStringLiteral("192.168.1"));
    host->connectPage.OnNetConnect();
    SpinFor(200);
    EXPECT_EQ(emulator->ClientCount(), 0);

    host->connectPage.SetDestinationIp(QStringLiteral("127.0.0.32"));
    host->connectPage.OnNetConnect();
    ASSERT_TRUE(SpinUntil([&] { return emulator->ClientCount() == 1; }));
    // The link's first frame is reported as the processor coming online.
    ASSERT_TRUE(SpinUntil([&] { return host->SawReply(0); }));
    EXPECT_EQ(GetDeviceData().onlineState, 1u);

    host->connectPage.OnNetDisconnect();
    ASSERT_TRUE(SpinUntil([&] { return emulator->ClientCount() == 0; }));
}

TEST_F(ConnectPageEmulatorTest, TheLinkOpenedLastCarriesTheCommandsAlone)
{
    networked = StartEmulator("127.0.0.33");
    emulator = StartEmulator("127.0.0.34", true, networked->Address());
    const int number = comm::SerialPortNumber(emulator->PtyPath());
    ASSERT_GE(number, 1000) << emulator->PtyPath();
    ports = {{comm::SerialPortName(number), number}};
    StartLink(OptionsFor(*networked));
    g_DeviceAddress = networked->Address();
    host->connectPage.SetDestinationIp(QStringLiteral("127.0.0.33"));
    host->connectPage.OnNetConnect();
    ASSERT_TRUE(SpinUntil([&] { return host->SawReply(0); })) << "no network link";

    networked->ClearReceived();
    host->connectPage.OnComConnect();
    ASSERT_TRUE(host->connectPage.IsSerialOpen());
    // Texts that look like addresses but are none leave the port the link.
    for (const char* refused : {"127.0.0.333", "300.0.0.1", "abc.def.ghi.jkl"}) {
        host->connectPage.SetDestinationIp(QString::fromLatin1(refused));
        host->connectPage.OnNetConnect();
    }
    QCoreApplication::processEvents();
    ASSERT_TRUE(host->connectPage.IsSerialOpen());
    GetDeviceData().SendCommand(CMD_QUERY_LOGO);
    ASSERT_TRUE(emulator->WaitReceived(
        [](const auto& log) {
            const auto ids = CommandIds(log);
            return std::find(ids.begin(), ids.end(), CMD_QUERY_LOGO) != ids.end();
        },
        std::chrono::milliseconds(5000)));
    EXPECT_EQ(CommandIds(emulator->Received()).front(), CMD_GET_ALL_DATA);
    EXPECT_TRUE(CommandIds(networked->Received()).empty());
    EXPECT_TRUE(SpinUntil([&] { return networked->ClientCount() == 0; })) << "the network link stays open";

    // A network connect in turn takes them off the serial port, and the page shows the port closed;
    // an address written in another form reaches that processor.
    host->connectPage.SetDestinationIp(QStringLiteral("127.000.000.033"));
    host->connectPage.OnNetConnect();
    GetDeviceData().SendCommand(CMD_QUERY_WORK_MODE);
    const auto askedMode = [](const auto& log) { return std::ranges::count(CommandIds(log), CMD_QUERY_WORK_MODE) > 0; };
    ASSERT_TRUE(networked->WaitReceived(askedMode, std::chrono::milliseconds(5000)));
    EXPECT_FALSE(emulator->WaitReceived(askedMode, std::chrono::milliseconds(500)));
    EXPECT_TRUE(SpinUntil([&] { return !host->connectPage.IsSerialOpen(); })) << "the page shows the port open";
}

TEST_F(ConnectPageEmulatorTest, ASerialConnectBeforeASearchsJointLinkStaysTheLinkToItsOwnProcessor)
{
    networked = StartEmulator("127.0.0.45");
    emulator = StartEmulator("127.0.0.46", true);
    const int number = comm::SerialPortNumber(emulator->PtyPath());
    ports = {{comm::SerialPortName(number), number}};
    comm::DeviceLinkOptions options = OptionsFor(*networked);
    options.discoveryTargets = {{networked->Ip(), networked->UdpPort()}};
    StartLink(options);
    MSearchMachineDlg& search = host->searchPage;
    search.SetLinkAllDelay(600000);  // run by the test, after the serial connect
    search.OnSearch();
    ASSERT_TRUE(SpinUntil([&] { return search.IsTimerActive(kLinkAllTimerId); }));
    g_DeviceAddress = emulator->Address();
    host->connectPage.OnComConnect();
    search.OnTimer(kLinkAllTimerId);
    // The port's online report leaves the lone tile, and the address commands go to, alone.
    ASSERT_TRUE(SpinUntil([&] { return host->SawReply(0); }));
    EXPECT_TRUE(host->connectPage.IsSerialOpen());
    EXPECT_EQ(g_DeviceAddress, emulator->Address());
}
