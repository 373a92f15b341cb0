// The connection page against a recording library: serial connect order and failure, the port
// list and its poll, network connect, and the address list.

#include "PageHostTestSupport.h"

#include "comm/RecordingCommLibrary.h"
#include "controls/CDropButton.h"
#include "controls/CGdipButton.h"
#include "controls/CListCtrlCl.h"
#include "controls/CMyEdit.h"
#include "device/IniFile.h"

using comm::RecordedCall;
using Op = comm::RecordedCall::Op;

namespace {

class ConnectPageTest : public PageTest {
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        comm::InstallCommLibrary(&recording);
    }
    void TearDown() override
    {
        host.reset();
        comm::InstallCommLibrary(nullptr);
        PageTest::TearDown();
    }
    MConnectDlg& Page()
    {
        if (!host) {
            host = std::make_unique<PageHost>();
            host->connectPage.OnInitDialog();
        }
        return host->connectPage;
    }
    std::vector<RecordedCall> CallsWithout(Op skip) const
    {
        std::vector<RecordedCall> out;
        for (const auto& c : recording.Calls())
            if (c.op != skip) out.push_back(c);
        return out;
    }
    QStringList PortTexts()
    {
        QStringList out;
        CDropList* list = Page().ComPortList()->GetList();
        for (int i = 0; i < list->GetCount(); ++i) out << list->GetText(i);
        return out;
    }

    comm::RecordingCommLibrary recording;
    std::unique_ptr<PageHost> host;
};

} // namespace

TEST_F(ConnectPageTest, SerialConnectRunsInOrderAndStoresThePort)
{
    ports = {{"pts/7", 1007}};
    MConnectDlg& page = Page();
    ASSERT_EQ(PortTexts(), QStringList{QStringLiteral("pts/7")});
    recording.ClearCalls();

    page.OnComConnect();

    const auto calls = recording.Calls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].op, Op::SetTargetIds);
    EXPECT_EQ(calls[0].bytes, std::vector<uint8_t>{0xFF});
    EXPECT_EQ(calls[1].op, Op::OpenSerial);
    EXPECT_EQ(calls[1].id, 1007);
    EXPECT_EQ(calls[1].value, 115200);
    EXPECT_EQ(calls[2].op, Op::SendCommand);
    EXPECT_EQ(calls[2].id, 0);

    // The busy dialog is sent at once; the notices are posted and arrive after it.
    ASSERT_EQ(host->messages.size(), 1u);
    EXPECT_EQ(host->messages[0].msg, WM_BUSY_DIALOG);
    EXPECT_EQ(host->messages[0].wParam, 1u);
    EXPECT_EQ(host->messages[0].payload.toString(), QStringLiteral("Getting Data From Desitination... "));
    QCoreApplication::processEvents();
    ASSERT_EQ(host->messages.size(), 3u);
    EXPECT_EQ(host->messages[1].msg, WM_PAGE_NOTIFY);
    EXPECT_EQ(host->messages[1].wParam, NOTIFY_CONNECTION);
    EXPECT_EQ(host->messages[1].lParam, 1);
    EXPECT_EQ(host->messages[2].wParam, NOTIFY_LINKED);
    EXPECT_EQ(host->messages[2].lParam, 0);
    EXPECT_EQ(GetDeviceData().netMode, 0);

    EXPECT_EQ(IniReadString(InfoIni(), QStringLiteral("COM"), QStringLiteral("port")), QStringLiteral("1007"));
    EXPECT_EQ(IniReadString(InfoIni(), QStringLiteral("COM"), QStringLiteral("timeout")), QStringLiteral("1"));
    EXPECT_FALSE(page.ComPortList()->isEnabled());
    EXPECT_TRUE(page.IsSerialOpen());
    EXPECT_TRUE(boxes.empty());

    // Disconnect: the port closes, the list comes back, and (serial mode) the indicator goes off.
    host->messages.clear();
    page.OnComDisconnect();
    QCoreApplication::processEvents();
    EXPECT_EQ(recording.Calls().back().op, Op::CloseSerial);
    EXPECT_TRUE(page.ComPortList()->isEnabled());
    EXPECT_FALSE(page.IsSerialOpen());
    ASSERT_EQ(host->Notices(NOTIFY_CONNECTION).size(), 1u);
    EXPECT_EQ(host->Notices(NOTIFY_CONNECTION)[0].lParam, 0);
}

TEST_F(ConnectPageTest, FailedOpenSaysConnectFailed)
{
    ports = {{"ttyUSB0", 100}};
    recording.SetOpenSerialResult(0);
    MConnectDlg& page = Page();
    page.OnComConnect();
    QCoreApplication::processEvents();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("Connect Failed!"));
    EXPECT_EQ(boxes[0].caption, QStringLiteral("Tips"));
    EXPECT_TRUE(recording.Commands().empty());
    ASSERT_EQ(host->Notices(NOTIFY_CONNECTION).size(), 1u);
    EXPECT_EQ(host->Notices(NOTIFY_CONNECTION)[0].lParam, 0);
    EXPECT_TRUE(page.ComPortList()->isEnabled());
    EXPECT_EQ(GetDeviceData().netMode, 1);
    EXPECT_TRUE(IniReadString(InfoIni(), QStringLiteral("COM"), QStringLiteral("port")).isEmpty());
}

TEST_F(ConnectPageTest, WithoutPortsTheListShowsNaAndConnectDoesNothing)
{
    MConnectDlg& page = Page();
    EXPECT_EQ(PortTexts(), QStringList{QStringLiteral("N/A")});
    recording.ClearCalls();
    page.OnComConnect();
    EXPECT_TRUE(recording.Calls().empty());
    EXPECT_TRUE(boxes.empty());
    // The refresh button leaves an empty list empty.
    page.OnRefreshComList();
    EXPECT_TRUE(PortTexts().isEmpty());
}

TEST_F(ConnectPageTest, TheStoredPortIsSelectedAndPortsOutsideTheMappingAreLeftOut)
{
    ASSERT_TRUE(IniWriteString(InfoIni(), QStringLiteral("COM"), QStringLiteral("port"), QStringLiteral("101")));
    ports = {{"ttyUSB0", 100}, {"ttyUSB1", 101}, {"ttyUSB1", 101}, {"ttyXYZ", 5}, {"ttyS0", 7}};
    MConnectDlg& page = Page();
    EXPECT_EQ(PortTexts(), (QStringList{QStringLiteral("ttyUSB0"), QStringLiteral("ttyUSB1")}));
    EXPECT_EQ(page.ComPortList()->GetCurSel(), 1);
}

TEST_F(ConnectPageTest, PollNoticesRemovalAndArrival)
{
    ports = {{"pts/3", 1003}};
    MConnectDlg& page = Page();
    page.SetPortPollInterval(0);
    page.OnComConnect();
    ASSERT_TRUE(page.IsSerialOpen());

    // The open port goes away: the serial link is closed.
    ports = {};
    page.PollComPorts();
    EXPECT_FALSE(page.IsSerialOpen());
    EXPECT_EQ(recording.Calls().back().op, Op::CloseSerial);
    EXPECT_EQ(PortTexts(), QStringList{QStringLiteral("N/A")});

    // Ports arrive while nothing is open: the stored port (1003, written by the connect) is chosen.
    ports = {{"pts/1", 1001}, {"pts/3", 1003}};
    page.PollComPorts();
    EXPECT_EQ(PortTexts(), (QStringList{QStringLiteral("pts/1"), QStringLiteral("pts/3")}));
    EXPECT_EQ(page.ComPortList()->GetCurSel(), 1);

    // Nothing changes: no refresh.
    recording.ClearCalls();
    page.PollComPorts();
    EXPECT_TRUE(recording.Calls().empty());
}

TEST_F(ConnectPageTest, NetworkConnectTakesOnlyAValidAddress)
{
    MConnectDlg& page = Page();
    recording.ClearCalls();
    page.SetDestinationIp(QStringLiteral("192.168.1"));
    page.OnNetConnect();
    page.OnNetDisconnect();
    EXPECT_TRUE(recording.Calls().empty());
    EXPECT_TRUE(boxes.empty());

    page.SetDestinationIp(QStringLiteral("127.0.0.9"));
    page.OnNetConnect();
    page.OnNetDisconnect();
    const auto calls = recording.Calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].op, Op::ConnectNet);
    EXPECT_EQ(calls[0].text, "127.0.0.9");
    EXPECT_EQ(calls[0].value, 61213);
    EXPECT_EQ(calls[1].op, Op::DisconnectNet);
    EXPECT_EQ(calls[1].text, "127.0.0.9");
    // No read-out and no notice for a network connect.
    QCoreApplication::processEvents();
    EXPECT_TRUE(host->messages.empty());
}

TEST_F(ConnectPageTest, AddPutsAValidNewAddressInTheList)
{
    MConnectDlg& page = Page();
    ASSERT_EQ(page.Addresses().size(), 1u);
    EXPECT_EQ(page.AddressList()->GetItemText(0, 1), QStringLiteral("192.168.1.110"));
    EXPECT_EQ(page.DestinationIp(), QStringLiteral("192.168.1.110"));

    auto type = [&](const QString& text, int key) {
        page.OnAddAddress();
        ASSERT_TRUE(!page.AddressEditor()->isHidden());
        page.AddressEditor()->setText(text);
        SendMsg(&page, WM_EDIT_DONE, static_cast<WPARAM>(key), 0xAF80);
        EXPECT_TRUE(page.AddressEditor()->isHidden());
    };
    type(QStringLiteral("10.0.0.7"), kEditDoneEnter);
    ASSERT_EQ(page.Addresses().size(), 2u);
    EXPECT_EQ(page.AddressList()->GetItemCount(), 2);
    EXPECT_EQ(page.AddressList()->GetItemText(1, 0), QStringLiteral("2"));
    EXPECT_EQ(page.AddressList()->GetItemText(1, 1), QStringLiteral("10.0.0.7"));
    EXPECT_EQ(page.DestinationIp(), QStringLiteral("10.0.0.7"));

    type(QStringLiteral("10.0.0.7"), kEditDoneEnter);   // already listed
    type(QStringLiteral("10.0.0"), kEditDoneEnter);     // no address
    type(QStringLiteral("10.0.0.8"), kEditDoneEscape);  // abandoned
    EXPECT_EQ(page.Addresses().size(), 2u);
    EXPECT_EQ(page.AddressList()->GetItemCount(), 2);
    EXPECT_EQ(page.DestinationIp(), QStringLiteral("10.0.0.7"));

    // A click on a row copies its address.
    page.OnAddressClicked(0);
    EXPECT_EQ(page.DestinationIp(), QStringLiteral("192.168.1.110"));
    page.OnAddressClicked(7);
    EXPECT_EQ(page.DestinationIp(), QStringLiteral("192.168.1.110"));
}

TEST_F(ConnectPageTest, RemoveNeedsASelectionAndRenumbers)
{
    MConnectDlg& page = Page();
    page.OnAddAddress();
    page.AddressEditor()->setText(QStringLiteral("10.0.0.2"));
    SendMsg(&page, WM_EDIT_DONE, kEditDoneEnter, 0xAF80);
    page.AddressList()->clearSelection();
    page.OnRemoveAddress();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("Please Select A Ip"));
    EXPECT_TRUE(boxes[0].caption.isEmpty());
    EXPECT_EQ(page.Addresses().size(), 2u);

    page.AddressList()->selectRow(0);
    page.OnRemoveAddress();
    ASSERT_EQ(page.Addresses().size(), 1u);
    EXPECT_EQ(page.Addresses()[0], QStringLiteral("10.0.0.2"));
    EXPECT_EQ(page.AddressList()->GetItemText(0, 0), QStringLiteral("1"));
    EXPECT_EQ(page.AddressList()->GetItemText(0, 1), QStringLiteral("10.0.0.2"));
}

TEST_F(ConnectPageTest, DoubleClickConfirmedSetsTheDeviceAddress)
{
    MConnectDlg& page = Page();
    boxAnswer = IDCANCEL;
    page.OnAddressDoubleClicked(0);
    EXPECT_EQ(g_DeviceAddress, 0);
    boxAnswer = IDOK;
    page.OnAddressDoubleClicked(0);
    EXPECT_EQ(g_DeviceAddress, 110);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, QStringLiteral("Select the Machine ?"));
    EXPECT_EQ(boxes[1].caption, QStringLiteral("Tips"));
    EXPECT_EQ(boxes[1].type, MB_OKCANCEL);
}

TEST_F(ConnectPageTest, SearchButtonTogglesTheSearchPageAndShowingHidesIt)
{
    MConnectDlg& page = Page();
    page.SearchButton()->click();
    EXPECT_TRUE(page.SearchButton()->IsPressed());
    EXPECT_EQ(page.SearchButton()->CaptionColor(), 0x009CEFu);
    ASSERT_EQ(host->Notices(NOTIFY_SEARCH_ENTRY).size(), 1u);
    EXPECT_EQ(host->Notices(NOTIFY_SEARCH_ENTRY)[0].lParam, 0);

    page.ShowPage(true);
    EXPECT_FALSE(page.SearchButton()->IsPressed());
    EXPECT_EQ(page.SearchButton()->CaptionColor(), 0xEBEBEBu);
    ASSERT_EQ(host->Notices(NOTIFY_SEARCH_ENTRY).size(), 2u);
    EXPECT_EQ(host->Notices(NOTIFY_SEARCH_ENTRY)[1].lParam, 3);

    page.ClosePage();
    QCoreApplication::processEvents();
    EXPECT_FALSE(page.isVisible());
    EXPECT_EQ(host->Of(WM_PAGE_CLOSED).size(), 1u);
}

TEST_F(ConnectPageTest, NoPortRescansWhileNothingChanges)
{
    ports = {{"pts/2", 1002}};
    int scans = 0;
    SetSerialPortSource([&] {
        ++scans;
        return ports;
    });
    MConnectDlg& page = Page();
    EXPECT_EQ(scans, 1);  // one scan fills the list and remembers the ports
    EXPECT_EQ(PortTexts(), QStringList{QStringLiteral("pts/2")});

    // A short poll interval would show at once if the page still polled while hidden.
    page.SetPortPollInterval(20);
    SpinFor(200);
    EXPECT_EQ(scans, 1);

    // Shown: device nodes are watched, so still no timed rescans (where /dev cannot be
    // watched the page polls, but only now).
    page.ShowPage(true);
    SpinFor(200);
    page.ShowPage(false);
    const int whileShown = scans;
    SpinFor(200);
    EXPECT_EQ(scans, whileShown);
}
