#pragma once
// The connection page: the processor is reached over a serial port (opened at the baud rate and
// read out at once) or over the network (a destination IPv4 address); a small address list holds
// destinations, and the search button opens the machine search page.
//
// The page tells the main window about the serial link with WM_PAGE_NOTIFY NOTIFY_CONNECTION, and
// with NOTIFY_LINKED which of the two carries the commands (the one opened last); the network
// link's state reaches the main window through the replies.
//
// Port arrival and removal are noticed by watching the device nodes (or, where they cannot be
// watched, by polling the port list every two seconds while the page is shown); a change calls
// RefreshComPorts with the arrival or removal event, as a device-change notification would.

#include "comm/SerialPortNames.h"
#include "pagekit/MBaseDialog.h"
#include "shell/pages/SerialPortList.h"

#include <QString>
#include <QTimer>

#include <vector>

class CDropButton;
class CGdipButton;
class CListCtrlCl;
class CMyEdit;
class CSxGroupBox;
class DeviceNodeWatcher;
class QLabel;
class QLineEdit;
class oRealEdit;

inline constexpr unsigned kDeviceArrival = 0x8000;
inline constexpr unsigned kDeviceRemoval = 0x8004;
inline constexpr int kPortPollDefaultMs = 2000;
inline constexpr const char* kDefaultDestinationIp = "192.168.1.110";

class MConnectDlg : public MBaseDialog {
    Q_OBJECT
public:
    explicit MConnectDlg(QWidget* parent);
    ~MConnectDlg() override;

    void OnInitDialog() override;
    void ApplyLanguage() override;
    void ShowPage(bool show) override;
    void ClosePage() override;

    // Refills the port list keeping the chosen port; event kDeviceArrival selects the stored port
    // while no serial link is open, kDeviceRemoval closes the serial link whose port went away.
    void RefreshComPorts(unsigned event = 0);
    void OnComDisconnect();
    void SetDestinationIp(const QString& ip);

    // Button handlers, by the buttons they serve.
    void OnComConnect();
    void OnNetConnect();
    void OnNetDisconnect();
    void OnAddAddress();
    void OnRemoveAddress();
    void OnSearchMachines();
    void OnRefreshComList();
    void OnAddressClicked(int row);
    void OnAddressDoubleClicked(int row);
    // Enter (13) or Escape (27) from the in-place address editor.
    void OnAddressEditDone(int key);

    // Inspection.
    QString DestinationIp() const;
    const std::vector<QString>& Addresses() const { return addresses_; }
    bool IsSerialOpen() const { return serialOpenResult_ != 0; }
    CDropButton* ComPortList() const { return comList_; }
    CListCtrlCl* AddressList() const { return addressList_; }
    CMyEdit* AddressEditor() const { return addressEditor_; }
    oRealEdit* BaudEdit() const { return baudEdit_; }
    CGdipButton* SearchButton() const { return searchButton_; }

    // The port poll (kPortPollDefaultMs) where device nodes cannot be watched; 0 stops it and
    // the watching.
    void SetPortPollInterval(int ms);
    // One poll now: compares the port list with the last one seen.
    void PollComPorts();

    LRESULT OnMessage(unsigned msg, WPARAM wParam, LPARAM lParam, const QVariant& payload) override;

protected:
    void paintEvent(QPaintEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    CGdipButton* MakeButton(int id, const QString& caption, unsigned stdImage, unsigned altImage, const QRect& rect);
    void OnButton(int id);
    // Empties and refills the port list; with showNa an empty list shows "N/A". The ports
    // found go to seen when given.
    void FillComList(bool showNa, std::vector<comm::SerialPortEntry>* seen = nullptr);
    void SelectStoredPort();
    void ResetSearchButton();
    void RenumberAddresses();
    void AppendAddressRow(const QString& ip);
    int SelectedPortNumber() const;
    QWidget* MainWindow() const { return parentWidget(); }

    std::vector<QString> addresses_;
    std::vector<comm::SerialPortEntry> lastPorts_;
    // Started with the page, so that the first fill of the port list finds the ports scanned.
    SerialPortScan portScan_;
    int serialOpenResult_ = 0;

    CSxGroupBox* netGroup_ = nullptr;
    CSxGroupBox* comGroup_ = nullptr;
    QLabel* destLabel_ = nullptr;
    QLineEdit* destEdit_ = nullptr;
    CGdipButton* netConnect_ = nullptr;
    CGdipButton* netDisconnect_ = nullptr;
    CListCtrlCl* addressList_ = nullptr;
    CGdipButton* addButton_ = nullptr;
    CGdipButton* removeButton_ = nullptr;
    CGdipButton* searchButton_ = nullptr;
    CGdipButton* selectAllButton_ = nullptr;
    QLabel* selectAllLabel_ = nullptr;
    QLabel* comLabel_ = nullptr;
    CDropButton* comList_ = nullptr;
    QLabel* baudLabel_ = nullptr;
    oRealEdit* baudEdit_ = nullptr;
    CGdipButton* refreshComButton_ = nullptr;
    CGdipButton* comConnect_ = nullptr;
    CGdipButton* comDisconnect_ = nullptr;
    CMyEdit* addressEditor_ = nullptr;
    QLabel* localIpLabel_ = nullptr;
    CDropButton* localIpList_ = nullptr;
    CGdipButton* refreshLocalButton_ = nullptr;
    QTimer portPoll_;
    DeviceNodeWatcher* portWatcher_ = nullptr;
    bool autoRefresh_ = true;
};
