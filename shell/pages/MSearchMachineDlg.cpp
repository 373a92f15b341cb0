#include "shell/pages/MSearchMachineDlg.h"
#include "shell/StoreName.h"

#include "comm/QVN_Comm.h"
#include "controls/CDropButton.h"
#include "controls/CGdipButton.h"
#include "controls/CMyEdit.h"
#include "controls/CSxGroupBox.h"
#include "controls/ImageResources.h"
#include "device/CDeviceData.h"
#include "device/IniFile.h"
#include "device/PathUtils.h"
#include "platform/ControlId.h"
#include "platform/Fonts.h"
#include "platform/MessageIds.h"
#include "platform/PageNotifyCodes.h"
#include "shell/pages/SearchMachineIds.h"
#include "pagekit/DialogIds.h"
#include "pagekit/DialogLanguage.h"
#include "pagekit/LanguageFiles.h"
#include "pagekit/PageControls.h"
#include "platform/MessageBox.h"
#include "pagekit/UiText.h"
#include "shell/pages/LocalAddresses.h"
#include "shell/pages/NetworkLink.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <set>
#include <utility>

namespace sm = ctl::search_machine;

namespace {

constexpr unsigned kOnlineIconImage = 155;
constexpr unsigned kOfflineIconImage = 157;
constexpr unsigned kDevicePictureImage = 181;
constexpr unsigned kRenameIconImage = 1488;
constexpr unsigned kButtonImage = 114;
constexpr unsigned kRefreshImage = 180;
constexpr COLORREF kButtonCaption = 0x009CEF;
constexpr COLORREF kConnectedColor = 0x009CEF;
constexpr COLORREF kCheckedColor = 0x0000FF;
constexpr COLORREF kTileTextColor = 0xEBEBEB;
constexpr int kRenameMaxChars = 13;
const QString kMachineNameKey = QStringLiteral("MachineName");
const QString kNoAddress = QStringLiteral("N/A");

QByteArray Utf8(const QString& s)
{
    return s.toUtf8();
}

} // namespace

MSearchMachineDlg::MSearchMachineDlg(QWidget* parent) : MBaseDialog(IDD_SEARCH_MACHINE, parent, false)
{
    setWindowTitle(QStringLiteral("Search Machines"));
    resize(kSearchPageWidth, kSearchPageHeight);
    // Small enough that a tile's IP line ends above its bottom frame.
    tileFont_ = MakeFont(QStringLiteral("Arial"), 12, 700);
}

MSearchMachineDlg::~MSearchMachineDlg()
{
    for (auto& [id, timer] : timers_) timer->stop();
}

void MSearchMachineDlg::OnInitDialog()
{
    if (IsInitialised()) return;
    MBaseDialog::OnInitDialog();
    SetTitle(g_UiText[94]);

    auto makeButton = [this](int id, const QString& caption, unsigned image, const QRect& rect) {
        return MakePageButton(this, id, caption, image, 0, rect, kButtonCaption, &MSearchMachineDlg::OnButton);
    };
    searchButton_ = makeButton(sm::IDC_SEARCH, QStringLiteral("SEARCH"), kButtonImage, QRect(453, 34, 150, 32));
    connectButton_ = makeButton(sm::IDC_CONNECT, QStringLiteral("Connect"), kButtonImage, QRect(611, 34, 150, 32));
    refreshButton_ = makeButton(sm::IDC_REFRESH_LOCAL_IP, QString(), kRefreshImage, QRect(390, 34, 32, 33));

    LoadPngResource(onlineIcon_, kOnlineIconImage);
    LoadPngResource(offlineIcon_, kOfflineIconImage);
    LoadPngResource(devicePicture_, kDevicePictureImage);
    LoadPngResource(renameIcon_, kRenameIconImage);

    localIpGroup_ = new CSxGroupBox(this, g_UiText[95]);
    SetControlId(localIpGroup_, sm::IDC_LOCAL_IP_GROUP);
    localIpGroup_->setGeometry(213, 28, 160, 46);
    localIpGroup_->SetTitleFont(&ControlFont());
    localIpGroup_->SetTitleColor(0xEBEBEB);
    // The frame in the pages' shadow grey: a 0x1E1E1E line would not show on the dark page.
    localIpGroup_->SetFrameWidth(2);
    localIpGroup_->lower();

    renameEdit_ = new CMyEdit(this);
    SetControlId(renameEdit_, sm::IDC_RENAME_EDIT);
    SetControlOwner(renameEdit_, this);
    renameEdit_->setAlignment(Qt::AlignCenter);
    renameEdit_->setText(QStringLiteral("My Z7Q"));
    renameEdit_->setMaxLength(kRenameMaxChars);
    renameEdit_->resize(80, 20);
    renameEdit_->setFont(ControlFont());
    renameEdit_->hide();

    RefreshLocalIpList();
}

void MSearchMachineDlg::ApplyLanguage()
{
    ApplyDialogLanguage(this, IDD_SEARCH_MACHINE);
    if (localIpGroup_) localIpGroup_->SetCaption(g_UiText[95]);
    SetTitle(g_UiText[94]);
    update();
}

void MSearchMachineDlg::ClosePage() {}

void MSearchMachineDlg::closeEvent(QCloseEvent* e)
{
    // Closing the page only minimises it.
    e->ignore();
    if (isWindow()) showMinimized();
}

void MSearchMachineDlg::OnButton(int id)
{
    switch (id) {
    case sm::IDC_SEARCH: OnSearch(); break;
    case sm::IDC_CONNECT: OnConnect(); break;
    case sm::IDC_REFRESH_LOCAL_IP: RefreshLocalIpList(); break;
    default: break;
    }
}

LRESULT MSearchMachineDlg::OnMessage(unsigned msg, WPARAM wParam, LPARAM lParam, const QVariant& payload)
{
    switch (msg) {
    case WM_EDIT_DONE:
        // Enter, Escape and focus loss all keep the edited name.
        if (lParam == sm::IDC_RENAME_EDIT) EndRename();
        return 0;
    default:
        return MBaseDialog::OnMessage(msg, wParam, lParam, payload);
    }
}

// --- timers ---

void MSearchMachineDlg::SetTimer(int timerId, int ms, bool singleShot)
{
    auto& timer = timers_[timerId];
    if (!timer) {
        timer = std::make_unique<QTimer>();
        connect(timer.get(), &QTimer::timeout, this, [this, timerId] { OnTimer(timerId); });
    }
    timer->setSingleShot(singleShot);
    timer->start(ms);
}

void MSearchMachineDlg::KillTimer(int timerId)
{
    auto it = timers_.find(timerId);
    if (it != timers_.end()) it->second->stop();
}

bool MSearchMachineDlg::IsTimerActive(int timerId) const
{
    auto it = timers_.find(timerId);
    return it != timers_.end() && it->second->isActive();
}

void MSearchMachineDlg::SetWatchdogInterval(int ms)
{
    watchdogMs_ = ms > 0 ? ms : kTileWatchdogDefaultMs;
}

void MSearchMachineDlg::SetLinkAllDelay(int ms)
{
    linkAllDelayMs_ = ms > 0 ? ms : kLinkAllDelayMs;
}

void MSearchMachineDlg::ClearTiles()
{
    // The watchdogs of the old tiles stop with them: a new tile starts its own at its first answer.
    // So does a joint link still due: it would link tiles that are gone.
    for (const DeviceTile& tile : tiles_) KillTimer(tile.timerId);
    KillTimer(kLinkAllTimerId);
    tiles_.clear();
    if (renameEdit_) renameEdit_->hide();
    renaming_ = -1;
}

// --- search and found devices ---

void MSearchMachineDlg::OnSearch()
{
    ClearTiles();
    linkAllDue_ = true;
    operatorLinksAtSearch_ = OperatorLinkCount();
    g_DeviceAddress = 0xFF;
    GetDeviceData().SendCommand(CMD_SEARCH_DEVICES, 255);
    if (MainWindow()) SendMsg(MainWindow(), WM_BUSY_DIALOG, 1, 0, g_UiText[83]);
    update();
}

void MSearchMachineDlg::AddFoundDevice(const QString& ip, const std::array<uint8_t, 6>& mac)
{
    // Addresses are compared in one form; a text that is no address keeps its tile, never linked.
    const QString canonical = CanonicalIp(ip);
    DeviceTile tile;
    tile.ip = canonical.isEmpty() ? ip : canonical;
    tile.mac = mac;
    for (const DeviceTile& t : tiles_)
        if (t.ip == tile.ip) return;  // one tile per processor
    if (tiles_.size() >= kMaxSearchTiles) return;
    const QString saved = IniReadString(GetInfoIniPath(), MacSectionName(mac), kMachineNameKey);
    if (tiles_.empty()) {
        // The joint link runs once per search, for the tiles of its first second (the library
        // takes a search's answers for a few seconds only).
        if (std::exchange(linkAllDue_, false)) SetTimer(kLinkAllTimerId, linkAllDelayMs_, true);
        tile.rect = NextTileRect(0, QRect(), QRect());
        tile.name = saved.isEmpty() ? DefaultMachineName(1) : saved;
        tile.timerId = kTileWatchdogTimerId;
    } else {
        const int count = static_cast<int>(tiles_.size());
        tile.rect = NextTileRect(count, tiles_.front().rect, tiles_.back().rect);
        tile.name = saved.isEmpty() ? DefaultMachineName(count + 1) : saved;
        tile.timerId = tiles_.back().timerId + 1;
    }
    tiles_.push_back(tile);
    RedrawTile(tiles_.back());
}

// --- status answers and the watchdog ---

void MSearchMachineDlg::UpdateDeviceStatus(bool fromOnlineReply)
{
    const CDeviceData& device = GetDeviceData();
    UpdateDeviceStatus(fromOnlineReply, device.lastStatus, device.replyArrived != 0);
}

void MSearchMachineDlg::UpdateDeviceStatus(bool fromOnlineReply, uint8_t status, bool online)
{
    // While the serial port carries the commands the library holds no network link: a report is
    // the port's processor's, whatever address it names. It marks no tile and leaves the address
    // the commands go to as it is.
    if (GetDeviceData().netMode == 0) return;
    // A lone tile is connected by its own processor's report, not by one from a link the operator
    // typed since the search (its joint link then never ran).
    if (fromOnlineReply && tiles_.size() == 1 && !tiles_[0].connected && TileAddress(tiles_[0].ip) == status) {
        tiles_[0].connected = true;
        tiles_[0].checked = true;
        g_DeviceAddress = TileAddress(tiles_[0].ip);
        RedrawTile(tiles_[0]);
    }
    for (std::size_t i = 0; i < tiles_.size(); ++i) {
        if (TileAddress(tiles_[i].ip) != status) continue;
        DeviceTile& tile = tiles_[i];
        if (tile.online != online) {
            tile.online = online;
            tile.wasOnline = online;
            RedrawTile(tile);
            if (tile.connected) {
                if (MainWindow()) SendMsg(MainWindow(), WM_PAGE_NOTIFY, NOTIFY_CONNECTION, tile.online ? 1 : 0);
                if (fromOnlineReply && tile.online) {
                    // The processor the program works with came back: read it again.
                    const QByteArray ip = Utf8(tile.ip);
                    QVN_Comm_SetTargetIp(ip.constData());
                    GetDeviceData().SendCommand(CMD_GET_ALL_DATA);
                    if (MainWindow()) SendMsg(MainWindow(), WM_BUSY_DIALOG, 1, 0, g_UiText[82]);
                    NotifyConnected(tiles_[i]);
                }
            }
        }
        // Every answer gives the processor the full watchdog time again.
        tiles_[i].missed = 0;
        SetTimer(tiles_[i].timerId, watchdogMs_, false);
    }
}

void MSearchMachineDlg::OnTimer(int timerId)
{
    for (DeviceTile& tile : tiles_) {
        if (tile.timerId != timerId) continue;
        if (++tile.missed < kMissedLimit) continue;
        tile.missed = 0;
        if (firstOffline_ || tile.wasOnline) {
            tile.online = false;
            tile.wasOnline = false;
            firstOffline_ = false;
            RedrawTile(tile);
            if (tile.connected && GetDeviceData().netMode && MainWindow())
                SendMsg(MainWindow(), WM_PAGE_NOTIFY, NOTIFY_CONNECTION, 0);
        } else {
            tile.online = false;
        }
    }
    if (timerId != kLinkAllTimerId) return;
    KillTimer(kLinkAllTimerId);
    // A serial port or an address the operator connected since the search stays the link.
    if (OperatorLinkCount() != operatorLinksAtSearch_) return;
    std::vector<uint8_t> ids;
    ids.reserve(tiles_.size());
    for (const DeviceTile& tile : tiles_) ids.push_back(TileAddress(tile.ip));
    QVN_Comm_SetTargetIds(static_cast<int>(ids.size()), ids.data());
    GetDeviceData().onlineState = 0;
    // The links of earlier tiles go with them: searches would otherwise pile up links to every
    // processor they ever found. A link the operator typed is no tile's and stays.
    for (auto it = linkedIps_.begin(); it != linkedIps_.end();) {
        if (std::ranges::any_of(tiles_, [&](const DeviceTile& t) { return t.ip == *it; })) {
            ++it;
            continue;
        }
        QVN_Comm_DisconnectNet(Utf8(*it).constData());
        it = linkedIps_.erase(it);
    }
    // A device address names one processor: the first answer of each is linked, the others stay
    // tiles the operator may choose.
    std::set<uint8_t> linked;
    for (const DeviceTile& tile : tiles_) {
        const uint8_t address = TileAddress(tile.ip);
        if (!linked.contains(address) && ConnectTileNet(tile)) linked.insert(address);
    }
}

// --- connecting ---

bool MSearchMachineDlg::ConnectTileNet(const DeviceTile& tile)
{
    if (!LinkOverNetwork(MainWindow(), tile.ip)) return false;
    linkedIps_.insert(tile.ip);
    return true;
}

void MSearchMachineDlg::NotifyConnected(const DeviceTile& tile)
{
    if (!MainWindow()) return;
    SendMsg(MainWindow(), WM_PAGE_NOTIFY, NOTIFY_CONNECTION, tile.online ? 1 : 0);
    // The text travels with the message: the tile may move or go before the main window reads it.
    SendMsg(MainWindow(), WM_PAGE_NOTIFY, NOTIFY_CONNECTED_IP, 0, tile.ip);
}

bool MSearchMachineDlg::ConnectOnlineTile(std::size_t index)
{
    if (index >= tiles_.size()) return false;
    if (!tiles_[index].connected) {
        if (ShowMessageBox(this, g_UiText[32], g_UiText[38], MB_OKCANCEL) != IDOK) return false;
        if (index >= tiles_.size()) return false;  // the page changed while the box was open
        for (DeviceTile& t : tiles_) {
            if (t.connected) {
                t.connected = false;
                RedrawTile(t);
            }
        }
        tiles_[index].connected = true;
        g_DeviceAddress = TileAddress(tiles_[index].ip);
    }
    // The tile's link may be gone (the serial port closed it) or never made (another processor
    // holds its device address): the connect makes it; a link that is up stays as it is.
    ConnectTileNet(tiles_[index]);
    const QByteArray ip = Utf8(tiles_[index].ip);
    QVN_Comm_SetTargetIp(ip.constData());
    GetDeviceData().SendCommand(CMD_GET_ALL_DATA);
    if (MainWindow()) SendMsg(MainWindow(), WM_BUSY_DIALOG, 1, 0, g_UiText[82]);
    RedrawTile(tiles_[index]);
    NotifyConnected(tiles_[index]);
    return true;
}

void MSearchMachineDlg::OnConnect()
{
    for (std::size_t i = 0; i < tiles_.size(); ++i) {
        if (!tiles_[i].checked) continue;
        if (!tiles_[i].online) {
            for (DeviceTile& t : tiles_) {
                if (t.connected) {
                    t.connected = false;
                    RedrawTile(t);
                }
            }
            tiles_[i].connected = true;
            RedrawTile(tiles_[i]);
            g_DeviceAddress = TileAddress(tiles_[i].ip);
            ConnectTileNet(tiles_[i]);
            return;  // its answer arrives as a status reply
        }
        ConnectOnlineTile(i);
    }
}

// --- local addresses ---

void MSearchMachineDlg::RefreshLocalIpList()
{
    if (!localIpList_ && localIpGroup_) {
        const QRect g = localIpGroup_->geometry();
        localIpList_ = new CDropButton(this);
        // Below the group's title with its descenders.
        localIpList_->Create(QString(), this, sm::IDC_LOCAL_IP_LIST, 0x101010, 0x101010, 0xEBEBEB, kDropDefaultColor,
                             &ControlFont(), 0xFFFFFF,
                             QRect(QPoint(g.left() + 12, g.top() + 19), QPoint(g.left() + 132 - 1, g.top() + 41 - 1)));
        SetControlOwner(localIpList_, this);
    }
    if (!localIpList_ || !localIpList_->GetList()) return;
    CDropList* list = localIpList_->GetList();
    list->SetBkColor(0x2E2E2E);
    list->ResetContent();
    localIps_ = LocalIpv4Addresses();
    // Item data is the address's place in localIps_ plus one (0: no address), never a pointer.
    for (int i = 0; i < localIps_.size(); ++i) {
        const int row = list->AddString(localIps_[i]);
        list->SetItemData(row, static_cast<DropItemData>(i + 1));
    }
    if (localIps_.isEmpty()) {
        const int row = list->AddString(kNoAddress);
        list->SetItemData(row, 0);
    } else {
        const QByteArray ip = Utf8(localIps_.front());
        QVN_Comm_SelectLocalIp(ip.constData());
    }
    localIpList_->SetCurSel(0);
}

void MSearchMachineDlg::OnDropSelect(int controlId, int index)
{
    if (controlId != sm::IDC_LOCAL_IP_LIST || !localIpList_ || !localIpList_->GetList()) return;
    const DropItemData data = localIpList_->GetList()->GetItemData(index);
    if (data == static_cast<DropItemData>(LB_ERR) || data == 0 || data > static_cast<DropItemData>(localIps_.size()))
        return;
    const QByteArray ip = Utf8(localIps_[static_cast<int>(data - 1)]);
    QVN_Comm_SelectLocalIp(ip.constData());
    ClearTiles();
    linkAllDue_ = false;  // answers to a search on the other network link nothing
    update();
}

// --- mouse and renaming ---

void MSearchMachineDlg::EndRename()
{
    if (!renameEdit_ || renameEdit_->isHidden()) return;
    renameEdit_->hide();
    const int index = renaming_;
    renaming_ = -1;
    if (index < 0 || index >= static_cast<int>(tiles_.size())) return;
    DeviceTile& tile = tiles_[static_cast<std::size_t>(index)];
    tile.name = renameEdit_->text();
    RedrawTile(tile);
    const QString section = MacSectionName(tile.mac);
    StoreName(this, GetInfoIniPath(), section, kMachineNameKey, tile.name);
}

void MSearchMachineDlg::OnLButtonDown(const QPoint& pos)
{
    EndRename();
    for (std::size_t i = 0; i < tiles_.size(); ++i) {
        const QRect r = tiles_[i].rect;
        if (TileRenameIconRect(r).contains(pos)) {
            renaming_ = static_cast<int>(i);
            renameEdit_->setGeometry(TileRenameEditRect(r));
            renameEdit_->setText(tiles_[i].name);
            renameEdit_->show();
            renameEdit_->raise();
            renameEdit_->setFocus(Qt::MouseFocusReason);
            renameEdit_->selectAll();
            return;
        }
        if (r.contains(pos)) {
            for (DeviceTile& t : tiles_) {
                t.checked = false;
                RedrawTile(t);
            }
            tiles_[i].checked = true;
            RedrawTile(tiles_[i]);
            return;
        }
    }
}

void MSearchMachineDlg::OnLButtonDblClk(const QPoint& pos)
{
    for (std::size_t i = 0; i < tiles_.size(); ++i) {
        if (!tiles_[i].rect.contains(pos)) continue;
        if (!tiles_[i].online) {
            ShowMessageBox(this, g_UiText[39], g_UiText[38]);
            return;
        }
        ConnectOnlineTile(i);
        return;
    }
}

void MSearchMachineDlg::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && e->position().y() >= kTitleBandHeight) {
        OnLButtonDown(e->position().toPoint());
        e->accept();
        return;
    }
    MBaseDialog::mousePressEvent(e);
}

void MSearchMachineDlg::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton) {
        OnLButtonDblClk(e->position().toPoint());
        e->accept();
        return;
    }
    MBaseDialog::mouseDoubleClickEvent(e);
}

// --- drawing ---

void MSearchMachineDlg::RedrawTile(const DeviceTile& tile)
{
    update(tile.rect.adjusted(-3, -3, 3, 3));
}

void MSearchMachineDlg::DrawTile(QPainter& p, const DeviceTile& tile)
{
    const QRect r = tile.rect;
    const COLORREF back = tile.connected ? kConnectedColor : (tile.checked ? kCheckedColor : 0x000000);
    p.fillRect(r.adjusted(-2, -2, 2, 2), ToQColor(back));
    const QRect icon(r.left() + 16, r.top() + 8, 16, 16);
    const QImage& status = tile.online ? onlineIcon_ : offlineIcon_;
    if (!status.isNull()) p.drawImage(icon, status);
    const QRect picture(icon.right() + 1 + 5, icon.top(), 150, 21);
    if (!devicePicture_.isNull()) p.drawImage(picture, devicePicture_);
    p.setPen(ToQColor(kTileTextColor));
    p.setFont(tileFont_);
    const QRect nameBox(QPoint(r.left() + 16, picture.bottom() + 1 + 5), QPoint(r.left() + 166 - 1, picture.bottom() + 30));
    p.save();
    p.setClipRect(nameBox);
    p.drawText(nameBox, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Name:%1").arg(tile.name));
    p.restore();
    if (!renameIcon_.isNull()) p.drawImage(QRect(r.left() + r.width() - 29, nameBox.top(), 24, 24), renameIcon_);
    const QRect ipBox(r.left() + 16, nameBox.bottom() + 1 + 5, 180, 20);
    p.drawText(ipBox, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("IP:%1").arg(tile.ip));
    const QColor frame = ToQColor(tile.connected ? 0x0000FF : 0xEBEBEB);
    p.setPen(frame);
    p.drawRect(r.adjusted(0, 0, -1, -1));
}

void MSearchMachineDlg::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    PaintBackground(p);
    DrawTitleBand(p, Title());
    for (const DeviceTile& tile : tiles_) DrawTile(p, tile);
}
