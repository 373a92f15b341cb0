#include "shell/pages/MConnectDlg.h"

#include "comm/QVN_Comm.h"
#include "controls/CDropButton.h"
#include "controls/CGdipButton.h"
#include "controls/CListCtrlCl.h"
#include "controls/CMyEdit.h"
#include "controls/CSxGroupBox.h"
#include "controls/oRealEdit.h"
#include "device/CDeviceData.h"
#include "device/ComSettings.h"
#include "device/PathUtils.h"
#include "platform/ControlId.h"
#include "platform/DeviceNodeWatcher.h"
#include "platform/MessageIds.h"
#include "platform/PageNotifyCodes.h"
#include "shell/pages/ConnectIds.h"
#include "shell/pages/NetworkLink.h"
#include "pagekit/PageControls.h"
#include "pagekit/DialogIds.h"
#include "pagekit/DialogLanguage.h"
#include "platform/MessageBox.h"
#include "pagekit/UiText.h"
#include "shell/pages/SerialPortList.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>

#include <algorithm>

namespace cc = ctl::connect;

namespace {

constexpr unsigned kButtonImage = 115;
constexpr unsigned kSearchImage = 113;
constexpr unsigned kSearchAltImage = 114;
constexpr unsigned kAddImage = 177;
constexpr unsigned kRemoveImage = 178;
constexpr unsigned kRefreshImage = 180;
constexpr unsigned kCheckImage = 126;
constexpr unsigned kCheckAltImage = 125;
constexpr COLORREF kCaptionColor = 0xEBEBEB;
constexpr COLORREF kPressedCaptionColor = 0x009CEF;
constexpr COLORREF kGroupBack = 0x1E1E1E;
constexpr COLORREF kListBack = 0x101010;
constexpr int kMaxIpChars = 15;
const QString kInfoIni = QStringLiteral("Info.ini");
const QString kNoPort = QStringLiteral("N/A");

} // namespace

MConnectDlg::MConnectDlg(QWidget* parent) : MBaseDialog(IDD_CONNECT, parent, true)
{
    setWindowTitle(QStringLiteral("Connection Setting"));
    addresses_.push_back(QString::fromLatin1(kDefaultDestinationIp));
    portPoll_.setInterval(kPortPollDefaultMs);
    connect(&portPoll_, &QTimer::timeout, this, &MConnectDlg::PollComPorts);
    portScan_.Start();
}

MConnectDlg::~MConnectDlg()
{
    portPoll_.stop();
}

CGdipButton* MConnectDlg::MakeButton(int id, const QString& caption, unsigned stdImage, unsigned altImage,
                                     const QRect& rect)
{
    return MakePageButton(this, id, caption, stdImage, altImage, rect, kCaptionColor, &MConnectDlg::OnButton);
}

void MConnectDlg::OnInitDialog()
{
    if (IsInitialised()) return;
    MBaseDialog::OnInitDialog();
    SetTitle(g_UiText[93]);

    // Network group.
    netGroup_ = new CSxGroupBox(this, g_UiText[92]);
    SetControlId(netGroup_, cc::IDC_NETWORK_GROUP);
    netGroup_->setGeometry(6, 32, 308, 296);
    destLabel_ = MakePageLabel(this, cc::IDC_DESTINATION_IP_LABEL, QStringLiteral("Destination IP :"), QRect(16, 56, 120, 22));
    destEdit_ = new QLineEdit(this);
    SetControlId(destEdit_, cc::IDC_DESTINATION_IP_EDIT);
    destEdit_->setMaxLength(kMaxIpChars);
    destEdit_->setText(QString::fromLatin1(kDefaultDestinationIp));
    destEdit_->setGeometry(140, 55, 160, 24);
    localIpLabel_ = MakePageLabel(this, cc::IDC_LOCAL_IP_LABEL, QStringLiteral("Local IP :"), QRect(16, 88, 120, 22));
    // The local address is chosen on the search page; this list stays hidden and empty.
    localIpLabel_->hide();
    localIpList_ = new CDropButton(this);
    localIpList_->Create(QString(), this, cc::IDC_LOCAL_IP_LIST, 0xFFFFFF, 0xEBEBEB, 0x101010, kDropDefaultColor,
                         &ControlFont(), kDropDefaultColor, QRect(140, 88, 100, 22));
    localIpList_->hide();
    refreshLocalButton_ = MakeButton(cc::IDC_REFRESH_LOCAL_IP, QStringLiteral("Refresh"), kButtonImage, 0,
                                     QRect(246, 86, 60, 26));
    refreshLocalButton_->hide();
    netConnect_ = MakeButton(cc::IDC_NETWORK_CONNECT, QStringLiteral("Connect"), kButtonImage, 0, QRect(20, 88, 120, 30));
    netDisconnect_ = MakeButton(cc::IDC_NETWORK_DISCONNECT, QStringLiteral("DisConnect"), kButtonImage, 0,
                                QRect(180, 88, 120, 30));

    addressList_ = new CListCtrlCl(this);
    SetControlId(addressList_, cc::IDC_ADDRESS_LIST);
    SetControlOwner(addressList_, this);
    addressList_->setGeometry(14, 126, 292, 116);
    addressList_->InsertColumn(0, QStringLiteral("NO."), 80);
    addressList_->InsertColumn(1, QStringLiteral("Ip Address"), 150);
    addressList_->InsertColumn(2, QStringLiteral("Status"), 50);
    addressList_->SetBkColor(kListBack);
    addressList_->SetTextColor(0xEBEBEB);
    addressList_->setSelectionBehavior(QAbstractItemView::SelectRows);
    addressList_->setSelectionMode(QAbstractItemView::SingleSelection);
    addressList_->SetCheckBoxes(true);
    connect(addressList_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { OnAddressDoubleClicked(row); });
    for (const QString& ip : addresses_) AppendAddressRow(ip);

    addButton_ = MakeButton(cc::IDC_ADD_ADDRESS, QString(), kAddImage, 0, QRect(234, 246, 32, 32));
    removeButton_ = MakeButton(cc::IDC_REMOVE_ADDRESS, QString(), kRemoveImage, 0, QRect(274, 246, 32, 32));
    searchButton_ = MakeButton(cc::IDC_SEARCH_MACHINES, QStringLiteral("Search Machines >>>"), kSearchImage,
                               kSearchAltImage, QRect(14, 246, 200, 32));
    searchButton_->SetToggle(true);
    selectAllButton_ = MakeButton(cc::IDC_SELECT_ALL_CHECK, QString(), kCheckImage, kCheckAltImage, QRect(20, 292, 20, 20));
    selectAllButton_->SetCheck(true);
    selectAllLabel_ = MakePageLabel(this, cc::IDC_SELECT_ALL_LABEL, QStringLiteral("Select All Machine"), QRect(46, 290, 240, 24));

    // The in-place address editor lives on the list, hidden until Add is pressed.
    addressEditor_ = new CMyEdit(addressList_);
    SetControlId(addressEditor_, cc::IDC_ADDRESS_EDITOR);
    SetControlOwner(addressEditor_, this);
    addressEditor_->setMaxLength(kMaxIpChars);
    addressEditor_->resize(150, 26);
    addressEditor_->hide();

    // Serial group.
    comGroup_ = new CSxGroupBox(this, g_UiText[91]);
    SetControlId(comGroup_, cc::IDC_COM_GROUP);
    comGroup_->setGeometry(6, 338, 308, 150);
    comLabel_ = MakePageLabel(this, cc::IDC_COM_LABEL, QStringLiteral("Com"), QRect(20, 364, 90, 22));
    comList_ = new CDropButton(this);
    comList_->Create(QString(), this, cc::IDC_COM_PORT_LIST, 0xFFFFFF, 0xEBEBEB, 0x101010, kDropDefaultColor,
                     &ControlFont(), kDropDefaultColor, QRect(20 + 90 + 10, 364, 80, 22));
    baudLabel_ = MakePageLabel(this, cc::IDC_BAUD_RATE_LABEL, QStringLiteral("Baud Rate"), QRect(20, 398, 90, 22));
    baudEdit_ = MakePageEdit(this, cc::IDC_BAUD_RATE_EDIT, 38400, 115200, 115200, QStringLiteral("%d"),
                             QRect(120, 397, 100, 24));
    refreshComButton_ = MakeButton(cc::IDC_REFRESH_COM_PORTS, QString(), kRefreshImage, 0, QRect(270, 360, 30, 30));
    comConnect_ = MakeButton(cc::IDC_COM_CONNECT, QStringLiteral("Connect"), kButtonImage, 0, QRect(20, 438, 120, 30));
    comDisconnect_ = MakeButton(cc::IDC_COM_DISCONNECT, QStringLiteral("DisConnect"), kButtonImage, 0,
                                QRect(180, 438, 120, 30));

    for (CSxGroupBox* group : {netGroup_, comGroup_}) {
        group->SetTitleFont(&ControlFont());
        group->SetTitleColor(0xEBEBEB);
        group->SetBackColor(kGroupBack);
        group->lower();
    }
    ApplyFontToChildren();

    FillComList(true, &lastPorts_);  // one scan of the ports for the list and the watch
    portWatcher_ = new DeviceNodeWatcher(this);
    connect(portWatcher_, &DeviceNodeWatcher::Changed, this, [this] {
        if (autoRefresh_) PollComPorts();
    });
}

void MConnectDlg::showEvent(QShowEvent* e)
{
    MBaseDialog::showEvent(e);
    if (autoRefresh_ && portWatcher_ && !portWatcher_->IsWatching()) portPoll_.start();
}

void MConnectDlg::hideEvent(QHideEvent* e)
{
    portPoll_.stop();
    MBaseDialog::hideEvent(e);
}

void MConnectDlg::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    PaintBackground(p);
    DrawTitleBand(p, Title());
}

void MConnectDlg::ApplyLanguage()
{
    ApplyDialogLanguage(this, IDD_CONNECT);
    if (netGroup_) netGroup_->SetCaption(g_UiText[92]);
    if (comGroup_) comGroup_->SetCaption(g_UiText[91]);
    SetTitle(g_UiText[93]);
    update();
}

void MConnectDlg::ResetSearchButton()
{
    if (!searchButton_) return;
    searchButton_->SetPressed(false);
    searchButton_->SetColorAndRedraw(kCaptionColor);
}

void MConnectDlg::ShowPage(bool show)
{
    if (MainWindow()) SendMsg(MainWindow(), WM_PAGE_NOTIFY, NOTIFY_SEARCH_ENTRY, 3);
    ResetSearchButton();
    MBaseDialog::ShowPage(show);
}

void MConnectDlg::ClosePage()
{
    if (MainWindow()) SendMsg(MainWindow(), WM_PAGE_NOTIFY, NOTIFY_SEARCH_ENTRY, 3);
    ResetSearchButton();
    MBaseDialog::ShowPage(false);
    if (NotifiesOnClose() && MainWindow()) PostMsg(MainWindow(), WM_PAGE_CLOSED, 0, 0);
}

void MConnectDlg::OnButton(int id)
{
    switch (id) {
    case cc::IDC_COM_CONNECT: OnComConnect(); break;
    case cc::IDC_COM_DISCONNECT: OnComDisconnect(); break;
    case cc::IDC_NETWORK_CONNECT: OnNetConnect(); break;
    case cc::IDC_NETWORK_DISCONNECT: OnNetDisconnect(); break;
    case cc::IDC_ADD_ADDRESS: OnAddAddress(); break;
    case cc::IDC_REMOVE_ADDRESS: OnRemoveAddress(); break;
    case cc::IDC_SEARCH_MACHINES: OnSearchMachines(); break;
    case cc::IDC_REFRESH_COM_PORTS: OnRefreshComList(); break;
    default: break;  // the select-all check has no action
    }
}

LRESULT MConnectDlg::OnMessage(unsigned msg, WPARAM wParam, LPARAM lParam, const QVariant& payload)
{
    switch (msg) {
    case WM_LIST_CELL_CLICK:
        OnAddressClicked(static_cast<int>(wParam));
        return 0;
    case WM_EDIT_DONE:
        if (lParam == cc::IDC_ADDRESS_EDITOR) OnAddressEditDone(static_cast<int>(wParam));
        return 0;
    default:
        return MBaseDialog::OnMessage(msg, wParam, lParam, payload);
    }
}

// --- serial link ---

int MConnectDlg::SelectedPortNumber() const
{
    if (!comList_ || !comList_->GetList()) return 0;
    const int sel = comList_->GetCurSel();
    if (sel < 0) return 0;
    const DropItemData data = comList_->GetList()->GetItemData(sel);
    if (data == static_cast<DropItemData>(LB_ERR)) return 0;
    return static_cast<int>(data);
}

void MConnectDlg::OnComConnect()
{
    const int port = SelectedPortNumber();
    if (port <= 0) return;  // no port chosen (or the "N/A" row)
    const uint8_t broadcast = 0xFF;
    QVN_Comm_SetTargetIds(1, &broadcast);
    const int baud = baudEdit_ ? static_cast<int>(baudEdit_->GetValue()) : 115200;
    serialOpenResult_ = QVN_Comm_OpenSerial(port, baud);
    if (serialOpenResult_ != 0) {
        CountOperatorLink();
        CDeviceData& device = GetDeviceData();
        device.SendCommand(CMD_GET_ALL_DATA);
        if (MainWindow()) {
            PostMsg(MainWindow(), WM_PAGE_NOTIFY, NOTIFY_CONNECTION, 1);
            SendMsg(MainWindow(), WM_BUSY_DIALOG, 1, 0, g_UiText[82]);
        }
        if (device.netMode) {
            device.netMode = 0;
            if (MainWindow()) PostMsg(MainWindow(), WM_PAGE_NOTIFY, NOTIFY_LINKED, 0);
        }
        SaveComSettings(kInfoIni, port, QStringLiteral("1"));
        comList_->setEnabled(false);
    } else {
        if (MainWindow()) PostMsg(MainWindow(), WM_PAGE_NOTIFY, NOTIFY_CONNECTION, 0);
        ShowMessageBox(this, g_UiText[85], g_UiText[38]);
    }
}

void MConnectDlg::OnComDisconnect()
{
    QVN_Comm_CloseSerial();
    if (GetDeviceData().netMode == 0 && MainWindow()) PostMsg(MainWindow(), WM_PAGE_NOTIFY, NOTIFY_CONNECTION, 0);
    if (comList_) comList_->setEnabled(true);
    serialOpenResult_ = 0;
}

// --- serial port list ---

void MConnectDlg::FillComList(bool showNa, std::vector<comm::SerialPortEntry>* seen)
{
    if (!comList_ || !comList_->GetList()) return;
    CDropList* list = comList_->GetList();
    list->ResetContent();
    comList_->SetCaption(QString());
    std::vector<comm::SerialPortEntry> ports;
    const bool any = portScan_.Take(ports);
    if (seen) *seen = ports;
    if (any) {
        for (const comm::SerialPortEntry& port : ports) {
            const int row = list->AddString(QString::fromStdString(port.name));
            list->SetItemData(row, static_cast<DropItemData>(port.number));
        }
        SelectStoredPort();
    } else if (showNa) {
        const int row = list->AddString(kNoPort);
        list->SetItemData(row, 0);
        comList_->SetCurSel(row);
    }
}

void MConnectDlg::SelectStoredPort()
{
    QString timeout;
    const int stored = LoadComSettings(kInfoIni, timeout);
    SelectDropItemByData(comList_, static_cast<DropItemData>(stored > 0 ? stored : 0));
}

void MConnectDlg::OnRefreshComList()
{
    FillComList(false);
}

void MConnectDlg::RefreshComPorts(unsigned event)
{
    if (!comList_ || !comList_->IsCreated()) return;
    const int remembered = SelectedPortNumber();
    FillComList(true);
    SelectDropItemByData(comList_, static_cast<DropItemData>(remembered));
    if (event == kDeviceArrival && serialOpenResult_ == 0) SelectStoredPort();
    if (event == kDeviceRemoval && serialOpenResult_ != 0 && remembered > 0 &&
        FindDropItemByData(comList_, static_cast<DropItemData>(remembered)) < 0)
        OnComDisconnect();
}

void MConnectDlg::SetPortPollInterval(int ms)
{
    portPoll_.stop();
    autoRefresh_ = ms > 0;
    if (ms <= 0) return;
    portPoll_.setInterval(ms);
    if (IsInitialised() && isVisible() && portWatcher_ && !portWatcher_->IsWatching()) portPoll_.start();
}

void MConnectDlg::PollComPorts()
{
    std::vector<comm::SerialPortEntry> now;
    EnumSerialPorts(now);
    auto has = [](const std::vector<comm::SerialPortEntry>& list, int number) {
        return std::any_of(list.begin(), list.end(), [&](const auto& p) { return p.number == number; });
    };
    const bool removed = std::any_of(lastPorts_.begin(), lastPorts_.end(), [&](const auto& p) { return !has(now, p.number); });
    const bool arrived = std::any_of(now.begin(), now.end(), [&](const auto& p) { return !has(lastPorts_, p.number); });
    lastPorts_ = std::move(now);
    if (removed) RefreshComPorts(kDeviceRemoval);
    if (arrived) RefreshComPorts(kDeviceArrival);
}

// --- network link ---

QString MConnectDlg::DestinationIp() const
{
    return destEdit_ ? destEdit_->text() : QString();
}

void MConnectDlg::SetDestinationIp(const QString& ip)
{
    if (destEdit_) destEdit_->setText(ip.left(kMaxIpChars));
}

void MConnectDlg::OnNetConnect()
{
    // The text is read as the library reads an address, before anything changes: one it would
    // refuse leaves the link that carries the commands as it is; one written in another form
    // ("127.000.000.033") links that processor.
    if (LinkOverNetwork(MainWindow(), DestinationIp())) CountOperatorLink();
}

void MConnectDlg::OnNetDisconnect()
{
    // The library knows a link by the address in the form the connect gave it.
    const QString ip = CanonicalIp(DestinationIp());
    if (ip.isEmpty()) return;
    const QByteArray utf8 = ip.toUtf8();
    QVN_Comm_DisconnectNet(utf8.constData());
}

// --- address list ---

void MConnectDlg::AppendAddressRow(const QString& ip)
{
    const int row = addressList_->GetItemCount();
    addressList_->InsertItem(row, QString::number(row + 1));
    addressList_->SetItemText(row, 1, ip);
}

void MConnectDlg::RenumberAddresses()
{
    for (int row = 0; row < addressList_->GetItemCount(); ++row)
        addressList_->SetItemText(row, 0, QString::number(row + 1));
}

void MConnectDlg::OnAddAddress()
{
    if (!addressList_ || !addressEditor_) return;
    QRect cell;
    if (!addressList_->GetSubItemRect(addressList_->GetItemCount(), 1, cell)) return;
    addressEditor_->setGeometry(cell.adjusted(2, 2, -2, -2));
    addressEditor_->show();
    addressEditor_->raise();
    addressEditor_->setFocus(Qt::OtherFocusReason);
    addressEditor_->selectAll();
}

void MConnectDlg::OnAddressEditDone(int key)
{
    if (!addressEditor_ || addressEditor_->isHidden()) return;
    addressEditor_->hide();
    if (key == kEditDoneEscape) {
        update();
        return;
    }
    addressList_->viewport()->update();
    const QString ip = addressEditor_->text().trimmed();
    if (!IsValidIpAddress(ip)) return;
    SetDestinationIp(ip);
    // A new address joins the list; one already there is not listed twice.
    if (std::find(addresses_.begin(), addresses_.end(), ip) == addresses_.end()) {
        addresses_.push_back(ip);
        AppendAddressRow(ip);
    }
}

void MConnectDlg::OnRemoveAddress()
{
    const int row = addressList_ ? addressList_->GetSelectedRow() : -1;
    if (row < 0 || row >= static_cast<int>(addresses_.size())) {
        ShowMessageBox(this, g_UiText[31], QString());
        return;
    }
    addresses_.erase(addresses_.begin() + row);
    addressList_->DeleteItem(row);
    RenumberAddresses();
}

void MConnectDlg::OnAddressClicked(int row)
{
    if (addressEditor_ && !addressEditor_->isHidden()) OnAddressEditDone(kEditDoneEnter);
    if (row < 0 || row >= static_cast<int>(addresses_.size())) return;
    SetDestinationIp(addresses_[static_cast<std::size_t>(row)]);
}

void MConnectDlg::OnAddressDoubleClicked(int row)
{
    if (row < 0 || row >= static_cast<int>(addresses_.size())) return;
    const QString ip = addresses_[static_cast<std::size_t>(row)];
    if (ShowMessageBox(this, g_UiText[32], g_UiText[38], MB_OKCANCEL) == IDOK)
        g_DeviceAddress = static_cast<uint8_t>(GetIpLastOctet(ip));
}

void MConnectDlg::OnSearchMachines()
{
    if (!searchButton_) return;
    searchButton_->SetColorAndRedraw(searchButton_->IsPressed() ? kPressedCaptionColor : kCaptionColor);
    if (MainWindow()) SendMsg(MainWindow(), WM_PAGE_NOTIFY, NOTIFY_SEARCH_ENTRY, 0);
}
