#include "shell/pages/NetworkLink.h"

#include "comm/QVN_Comm.h"
#include "device/CDeviceData.h"
#include "platform/MessageEvent.h"
#include "platform/MessageIds.h"
#include "platform/PageNotifyCodes.h"

#include <QString>
#include <QWidget>

namespace {

unsigned g_operatorLinks = 0;  // UI thread only

} // namespace

void LinkOverNetwork(QWidget* mainWindow, const QString& ip)
{
    const QByteArray utf8 = ip.toUtf8();
    QVN_Comm_ConnectNet(utf8.constData(), comm::kDevicePort);
    CDeviceData& device = GetDeviceData();
    if (device.netMode == 1) return;
    device.netMode = 1;
    // Sent, not posted: the main window shows the switch before any answer on the new link.
    if (mainWindow) SendMsg(mainWindow, WM_PAGE_NOTIFY, NOTIFY_LINKED, 0);
}

unsigned OperatorLinkCount()
{
    return g_operatorLinks;
}

void CountOperatorLink()
{
    ++g_operatorLinks;
}
