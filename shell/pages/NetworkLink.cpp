#include "shell/pages/NetworkLink.h"

#include "device/CDeviceData.h"
#include "platform/MessageEvent.h"
#include "platform/MessageIds.h"
#include "platform/PageNotifyCodes.h"

#include <QString>
#include <QWidget>

namespace {

unsigned g_operatorLinks = 0;  // UI thread only

} // namespace

bool LinkOverNetwork(QWidget* mainWindow, const QString& ip)
{
    CDeviceData& device = GetDeviceData();
    if (!device.ConnectDeviceByIp(ip)) return false;
    if (device.netMode == 1) return true;
    device.netMode = 1;
    // Sent, not posted: the main window shows the switch before any answer on the new link.
    if (mainWindow) SendMsg(mainWindow, WM_PAGE_NOTIFY, NOTIFY_LINKED, 0);
    return true;
}

unsigned OperatorLinkCount()
{
    return g_operatorLinks;
}

void CountOperatorLink()
{
    ++g_operatorLinks;
}
