// The reply dispatcher: every WM_DEVICE_REPLY ends here on the UI thread. Most replies walk their
// row of the reply-refresh table; the online, status, event and found-processor replies carry
// logic of their own.

#include "controls/CDropButton.h"
#include "controls/CGdipButton.h"
#include "controls/CSxGroupBox.h"
#include "device/CDeviceData.h"
#include "device/ReplyRecord.h"
#include "platform/Dpi.h"
#include "platform/MessageIds.h"
#include "platform/PageNotifyCodes.h"
#include "shell/MainWindowIds.h"
#include "shell/InputBarLabels.h"
#include "shell/KordalDlg.h"
#include "shell/PresetNames.h"
#include "shell/ReplyRefreshTable.h"
#include "pagekit/UiText.h"

#include <QVariantMap>

#include <algorithm>
#include <cstring>

namespace mw = ctl::main_window;

void KordalDlg::Trace(const char* op, std::initializer_list<long long> args)
{
    if (!callTrace_) return;
    QString entry = QString::fromLatin1(op);
    if (args.size() > 0) {
        QStringList parts;
        for (long long a : args) parts << QString::number(a);
        entry += QLatin1Char('(') + parts.join(QLatin1Char(',')) + QLatin1Char(')');
    }
    callTrace_->append(entry);
}

void KordalDlg::DispatchDeviceReply(WPARAM replyId, LPARAM value, const QVariant& payload)
{
    // The fields this reply left, which a later reply of the same id may have overwritten since.
    if (payload.typeId() == QMetaType::QByteArray)
        RestoreReplyRecord(GetDeviceData(), static_cast<int>(replyId), payload.toByteArray());
    if (const ReplyRefreshRow* row = FindReplyRefreshRow(static_cast<int>(replyId))) {
        if (row->accepts && !row->accepts(value)) return;
        for (const RefreshStep& step : row->steps) {
            if (step.trace) {
                switch (step.arg) {
                case RefreshStep::Arg::None: Trace(step.trace); break;
                case RefreshStep::Arg::Value: Trace(step.trace, {static_cast<long long>(value)}); break;
                case RefreshStep::Arg::Fixed: Trace(step.trace, {step.fixed}); break;
                }
            }
            step.run(*this, value);
        }
        return;
    }

    switch (replyId) {
    case REPLY_ONLINE: {
        // The online byte and the answering processor travel with the post, so two processors
        // coming online together are each credited to their own tile.
        const QVariantMap state = payload.toMap();
        Trace("MSearchMachineDlg::UpdateDeviceStatus", {1});
        if (state.contains(QStringLiteral("status")) && state.contains(QStringLiteral("online"))) {
            const int status = state.value(QStringLiteral("status")).toInt();
            if (status < 0 || status > 255) break;
            m_SearchMachineDlg.UpdateDeviceStatus(true, static_cast<uint8_t>(status),
                                                  state.value(QStringLiteral("online")).toInt() != 0);
        } else {
            m_SearchMachineDlg.UpdateDeviceStatus(true);
        }
        ShowDirectLinkOnline(state);
        break;
    }
    case REPLY_STATUS: {
        // The status byte travels with the post: a later reply may have overwritten the device's
        // field before this one is dispatched, and the search page reads it from there.
        CDeviceData& device = GetDeviceData();
        bool ok = false;
        const int status = payload.toInt(&ok);
        if (ok && status >= 0 && status <= 255) {
            device.lastStatus = static_cast<uint8_t>(status);
            device.replyArrived = 1;
        }
        Trace("MSearchMachineDlg::UpdateDeviceStatus", {0});
        if (ok && status >= 0 && status <= 255)
            m_SearchMachineDlg.UpdateDeviceStatus(false, static_cast<uint8_t>(status), true);
        else
            m_SearchMachineDlg.UpdateDeviceStatus(false);
        break;
    }
    case REPLY_EVENT:
        DispatchEvent(value);
        break;
    case REPLY_DEVICE_FOUND: {
        // The found processor travels with the post; without a whole record nothing is added.
        const QVariantMap found = payload.toMap();
        const QString ip = found.value(QStringLiteral("ip")).toString();
        const QByteArray macBytes = found.value(QStringLiteral("mac")).toByteArray();
        if (ip.isEmpty() || macBytes.size() != 6) break;
        std::array<uint8_t, 6> mac{};
        std::memcpy(mac.data(), macBytes.constData(), mac.size());
        Trace("MSearchMachineDlg::AddFoundDevice");
        m_SearchMachineDlg.AddFoundDevice(ip, mac);
        break;
    }
    default:
        // Video data goes straight to the preview on the communication thread; unknown ids
        // refresh nothing.
        break;
    }
}

// A link the search page did not make (the serial line, an address typed on the COMM page) has no
// tile to show it going offline and back: the connection indicator shows it instead. Once the
// serial port is connected it carries the commands alone, whatever tile was connected before.
void KordalDlg::ShowDirectLinkOnline(const QVariantMap& state)
{
    if (GetDeviceData().netMode != 0)
        for (const DeviceTile& tile : m_SearchMachineDlg.Tiles())
            if (tile.connected) return;
    const bool online = state.contains(QStringLiteral("online")) ? state.value(QStringLiteral("online")).toInt() != 0
                                                                  : GetDeviceData().onlineState != 0;
    // The library repeats the report while the processor answers: only a change is drawn.
    if (CGdipButton* b = ButtonById(mw::IDC_CONNECTION_INDICATOR); b && b->IsPressed() != online) b->SetPressed(online);
}

// Reply 24: 8 and 10 are the caption page's; every other value acts on the event code.
void KordalDlg::DispatchEvent(LPARAM value)
{
    CDeviceData& device = GetDeviceData();
    if (value == 8 || value == 10) {
        m_SubTitleDlg.setEnabled(true);
        Trace("MSubTitleDlg::Enable");
        if (value == 10) device.SendCommand(CMD_QUERY_CAPTION, 0);
        return;
    }
    switch (device.eventCode) {
    case 0:
        Trace("MEdidDlg::ShowResultMessage");
        m_EdidDlg.ShowResultMessage();
        break;
    case 1:
        Trace("MVgaDlg::ShowAdjustResult");
        m_VgaDlg.ShowAdjustResult();
        break;
    case 7:
        Trace("MSubTitleDlg::OnChunkAck");
        m_SubTitleDlg.OnChunkAck();
        break;
    case 12:
        Trace("MSubTitleDlg::OnTransferAccepted", {device.eventArg[0] == 0 ? 1 : 0});
        m_SubTitleDlg.OnTransferAccepted(device.eventArg[0] == 0);
        break;
    default:
        break;
    }
}

// --- the main window's own refreshes ---

void KordalDlg::InvalidateInputMark(int k)
{
    Trace("KordalDlg::InvalidateInputMark", {k});
    if (k < 0 || k >= kInputIconCount) return;
    update(inputIconRects_[static_cast<size_t>(k)].adjusted(-24, 0, 24, 3 * kInputLabelRowHeight + 2));
}

void KordalDlg::PlaceExtInputMarks()
{
    Trace("KordalDlg::PlaceExtInputMarks");
    const CDeviceData& device = GetDeviceData();
    QRect& six = inputIconRects_[6];
    QRect& seven = inputIconRects_[7];
    if (device.input[6].src > 9) {
        seven = six;
    } else {
        const int width = seven.width();
        seven.moveLeft(six.left() + 68 * g_DpiX / 96 + 40);
        seven.setWidth(width);
    }
    update();
}

void KordalDlg::SelectSyncItems()
{
    Trace("KordalDlg::SelectSyncItems");
    const CDeviceData& device = GetDeviceData();
    SelectDropItemByData(syncLockList_, static_cast<DropItemData>(device.syncLockMode));
    SelectDropItemByData(syncModeList_, static_cast<DropItemData>(device.syncMode));
}

void KordalDlg::RebuildGenlockList()
{
    if (!syncLockList_) return;
    CDropList* list = syncLockList_->GetList();
    if (!list) return;
    for (int i = list->GetCount() - 1; i >= 0; --i) {
        const DropItemData data = list->GetItemData(i);
        if (data >= 8 && data <= 12) list->DeleteString(i);
    }
    const CDeviceData& device = GetDeviceData();
    for (int slot = 6; slot <= 7; ++slot) {
        if (!device.inputNames[slot].enabled) continue;
        int row = -1;
        switch (device.input[slot].src) {
        case 4: row = slot == 6 ? 8 : 9; break;
        case 5:
        case 8: row = 12; break;
        case 6: row = slot == 6 ? 10 : 11; break;
        default: break;
        }
        if (row < 0) continue;
        const int at = list->AddString(UiText(100 + row));
        list->SetItemData(at, static_cast<DropItemData>(device.genlockNames[row].id));
    }
}

void KordalDlg::RefreshWorkModeBand()
{
    Trace("KordalDlg::RefreshWorkModeBand");
    workMode_ = GetDeviceData().pvwMode;
    // The band right of the tab, and every slot's name: the first ones stand under the tabs.
    if (CGdipButton* presets = ButtonById(mw::IDC_TAB_PRESETS)) {
        const QRect tab = presets->geometry();
        int left = tab.right() + 1;
        if (const CGdipButton* first = PresetButton(0)) left = std::min(left, SlotNameBand(first->geometry()).left());
        update(QRect(QPoint(left, tab.top()), QPoint(width() - 41, height() - 1)));
    }
}

void KordalDlg::ShowPortSwitchGroup(bool show)
{
    Trace("KordalDlg::ShowPortSwitchGroup", {show ? 1 : 0});
    if (portSwitchGroup_) portSwitchGroup_->setVisible(show);
    if (CGdipButton* b = ButtonById(mw::IDC_SIGNAL_SWITCH)) b->setVisible(show);
    if (portSwitchList_) portSwitchList_->setVisible(show);
}

void KordalDlg::ShowTopButtons(bool show)
{
    for (CGdipButton* b : topButtons_)
        if (b) b->setVisible(show);
}
