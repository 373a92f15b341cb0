#pragma once
// Helpers for the connection and search page tests: a stand-in main window that owns both pages,
// records every message they send or post, hands device replies to the search page the way the
// main window's dispatcher does, closes the connection page's port when the program goes over to
// the network, and answers message boxes through the interceptable function.

#include "tests/support/AppDirTestSupport.h"
#include "tests/support/EventLoopWait.h"
#include "tests/support/TestApplication.h"

#include "device/CDeviceData.h"
#include "device/MainWindowLink.h"
#include "platform/MessageIds.h"
#include "platform/MessageTarget.h"
#include "platform/PageNotifyCodes.h"
#include "platform/MessageBox.h"
#include "shell/pages/MConnectDlg.h"
#include "shell/pages/MSearchMachineDlg.h"
#include "shell/pages/SerialPortList.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QVariantMap>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <vector>

inline QApplication* PageTestApp()
{
    return PageTestApplication();
}

struct HostMessage {
    unsigned msg = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    QVariant payload;
};

class PageHost : public MessageReceiver<QWidget>, public MainWindowLink {
public:
    PageHost() : connectPage(this), searchPage(this)
    {
        resize(1000, 700);
        SetMainWindowLink(this);
    }
    ~PageHost() override
    {
        if (GetMainWindowLink() == this) SetMainWindowLink(nullptr);
    }

    void PostRefresh(int32_t wParam, int32_t lParam) override
    {
        // The block as the reply-2 handler left it. Taken here, inside the handler: the answers to
        // the queries it sent may be queued ahead of this post and change the block again.
        if (wParam == 2 && blockAtReply2.empty()) {
            const auto* bytes = reinterpret_cast<const uint8_t*>(&GetDeviceData().Block());
            blockAtReply2.assign(bytes, bytes + sizeof(DeviceParamBlock));
        }
        PostMsg(this, WM_DEVICE_REPLY, wParam, lParam);
    }
    void NotifyReplyStatus(uint8_t status) override
    {
        GetDeviceData().replyArrived = 1;
        GetDeviceData().lastStatus = status;
        PostMsg(this, WM_DEVICE_REPLY, 23, 0, QVariant::fromValue(static_cast<int>(status)));
    }
    void PostOnline(uint8_t online, uint8_t status) override
    {
        QVariantMap state;
        state.insert(QStringLiteral("online"), static_cast<int>(online));
        state.insert(QStringLiteral("status"), static_cast<int>(status));
        PostMsg(this, WM_DEVICE_REPLY, 0, 0, state);
    }
    void HideBusyDialog() override { SendMsg(this, WM_BUSY_DIALOG, 0, 0); }
    void PostDeviceFound(const QString& ip, const std::array<uint8_t, 6>& mac) override
    {
        QVariantMap found;
        found.insert(QStringLiteral("ip"), ip);
        found.insert(QStringLiteral("mac"), QByteArray(reinterpret_cast<const char*>(mac.data()), 6));
        PostMsg(this, WM_DEVICE_REPLY, 27, 0, found);
    }

    LRESULT OnMessage(unsigned msg, WPARAM wParam, LPARAM lParam, const QVariant& payload) override
    {
        messages.push_back({msg, wParam, lParam, payload});
        if (msg == WM_PAGE_NOTIFY && wParam == NOTIFY_LINKED && GetDeviceData().netMode != 0) connectPage.OnComDisconnect();
        if (msg != WM_DEVICE_REPLY) return 0;
        switch (wParam) {
        case 0: {
            const QVariantMap state = payload.toMap();
            searchPage.UpdateDeviceStatus(true, static_cast<uint8_t>(state.value(QStringLiteral("status")).toInt()),
                                          state.value(QStringLiteral("online")).toInt() != 0);
            break;
        }
        case 23:
            searchPage.UpdateDeviceStatus(false, static_cast<uint8_t>(payload.toInt()), true);
            break;
        case 27: {
            const QVariantMap found = payload.toMap();
            const QByteArray macBytes = found.value(QStringLiteral("mac")).toByteArray();
            std::array<uint8_t, 6> mac{};
            for (int i = 0; i < 6 && i < macBytes.size(); ++i) mac[static_cast<std::size_t>(i)] = static_cast<uint8_t>(macBytes[i]);
            searchPage.AddFoundDevice(found.value(QStringLiteral("ip")).toString(), mac);
            break;
        }
        default:
            break;
        }
        return 0;
    }

    // The WM_PAGE_NOTIFY messages with that code, in order.
    std::vector<HostMessage> Notices(unsigned code) const
    {
        std::vector<HostMessage> out;
        for (const auto& m : messages)
            if (m.msg == WM_PAGE_NOTIFY && m.wParam == code) out.push_back(m);
        return out;
    }
    std::vector<HostMessage> Of(unsigned msg) const
    {
        std::vector<HostMessage> out;
        for (const auto& m : messages)
            if (m.msg == msg) out.push_back(m);
        return out;
    }
    bool SawReply(int id) const
    {
        for (const auto& m : messages)
            if (m.msg == WM_DEVICE_REPLY && static_cast<int>(m.wParam) == id) return true;
        return false;
    }

    MConnectDlg connectPage;
    MSearchMachineDlg searchPage;
    std::vector<HostMessage> messages;
    std::vector<uint8_t> blockAtReply2;
};

// A temporary application folder, the device state put back, message boxes answered and recorded.
class PageTest : public TempAppDirTest {
protected:
    void SetUp() override
    {
        PageTestApp();
        TempAppDirTest::SetUp();
        g_IniPath = InfoIni();
        GetDeviceData().netMode = 1;
        GetDeviceData().onlineState = 0;
        GetDeviceData().replyArrived = 0;
        GetDeviceData().lastStatus = 0;
        g_DeviceAddress = 0;
        SetMessageBoxHandler([this](const MessageBoxRequest& m) {
            boxes.push_back(m);
            return boxAnswer;
        });
        SetSerialPortSource([this] { return ports; });
    }
    void TearDown() override
    {
        SetSerialPortSource({});
        SetMessageBoxHandler({});
        TempAppDirTest::TearDown();
    }

    std::vector<MessageBoxRequest> boxes;
    int boxAnswer = IDOK;
    std::vector<comm::SerialPortEntry> ports;
};
