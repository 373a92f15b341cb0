#pragma once
// The machine search page: finds processors on the local network (search to address 0xFF), shows
// each as a tile, keeps track of which are online, links the program to all of them one second
// after a search's first answer (once per search, a late answer links nothing; one processor per
// device address; not after the operator connected on the connection page), closing the links of
// the tiles that are gone, and connects the program to the one the operator picks.
//
// Found processors and status answers reach the page through the main window's dispatcher with
// their values (IP and MAC of reply 27, the status byte of reply 23), so an answer that arrives
// before the previous one is dispatched cannot be lost or credited to the wrong tile. The tiles
// are held by value; nothing else keeps a pointer into them.

#include "pagekit/MBaseDialog.h"
#include "shell/pages/DeviceTile.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <vector>

class CDropButton;
class CGdipButton;
class CMyEdit;
class CSxGroupBox;
class QTimer;

inline constexpr int kTileWatchdogDefaultMs = 10000;
inline constexpr int kLinkAllDelayMs = 1000;
// The page holds a whole row of tiles with the first tile's margin on both sides, and five rows
// at the height of the settings column of a 1280 by 728 main window.
inline constexpr int kSearchPageWidth = 2 * kFirstTileLeft + kTilesPerRow * kTileWidth + (kTilesPerRow - 1) * kTileGap;
inline constexpr int kSearchPageHeight = 526;

class MSearchMachineDlg : public MBaseDialog {
    Q_OBJECT
public:
    explicit MSearchMachineDlg(QWidget* parent);
    ~MSearchMachineDlg() override;

    void OnInitDialog() override;
    void ApplyLanguage() override;
    // The search page stays open until the main window hides it.
    void ClosePage() override;

    // Reply 0 (fromOnlineReply) or reply 23. This form reads the answering address and online
    // flag from the device state; the other takes them from the message that carried them.
    void UpdateDeviceStatus(bool fromOnlineReply);
    void UpdateDeviceStatus(bool fromOnlineReply, uint8_t status, bool online);
    // Reply 27.
    void AddFoundDevice(const QString& ip, const std::array<uint8_t, 6>& mac);

    void OnSearch();
    void OnConnect();
    void OnTimer(int timerId);
    void RefreshLocalIpList();
    void OnDropSelect(int controlId, int index) override;
    void EndRename();
    // Mouse actions at page coordinates.
    void OnLButtonDown(const QPoint& pos);
    void OnLButtonDblClk(const QPoint& pos);

    // The tile watchdog's period (kTileWatchdogDefaultMs); a value below 1 restores the default.
    void SetWatchdogInterval(int ms);
    int WatchdogInterval() const { return watchdogMs_; }
    void SetLinkAllDelay(int ms);

    const std::vector<DeviceTile>& Tiles() const { return tiles_; }
    const QStringList& LocalIps() const { return localIps_; }
    CDropButton* LocalIpList() const { return localIpList_; }
    CMyEdit* RenameEdit() const { return renameEdit_; }
    int RenamingTile() const { return renaming_; }
    bool IsTimerActive(int timerId) const;

    LRESULT OnMessage(unsigned msg, WPARAM wParam, LPARAM lParam, const QVariant& payload) override;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void OnButton(int id);
    void SetTimer(int timerId, int ms, bool singleShot);
    void KillTimer(int timerId);
    void ClearTiles();
    void RedrawTile(const DeviceTile& tile);
    // Both online cases of a connect: optional confirmation, then target, read-out and notices.
    // False when the operator cancelled.
    bool ConnectOnlineTile(std::size_t index);
    void NotifyConnected(const DeviceTile& tile);
    // Links the program to a tile's processor over the network, which closes the serial port.
    // False for a tile whose IP text is no address.
    bool ConnectTileNet(const DeviceTile& tile);
    void DrawTile(QPainter& p, const DeviceTile& tile);
    QWidget* MainWindow() const { return parentWidget(); }

    std::vector<DeviceTile> tiles_;
    QFont tileFont_;
    QStringList localIps_;
    int renaming_ = -1;  // index of the tile being renamed
    bool firstOffline_ = true;
    int watchdogMs_ = kTileWatchdogDefaultMs;
    int linkAllDelayMs_ = kLinkAllDelayMs;
    // From a search to its first answer, which starts the joint link.
    bool linkAllDue_ = false;
    // The operator's connects when the search began: one since cancels its joint link.
    unsigned operatorLinksAtSearch_ = 0;
    // The addresses the tiles linked, closed by a later search's joint link once no tile holds them.
    std::set<QString> linkedIps_;
    std::map<int, std::unique_ptr<QTimer>> timers_;

    CDropButton* localIpList_ = nullptr;
    CSxGroupBox* localIpGroup_ = nullptr;
    CGdipButton* searchButton_ = nullptr;
    CGdipButton* connectButton_ = nullptr;
    CGdipButton* refreshButton_ = nullptr;
    CMyEdit* renameEdit_ = nullptr;
    QImage onlineIcon_;
    QImage offlineIcon_;
    QImage devicePicture_;
    QImage renameIcon_;
};
