// The reply dispatcher: every WM_DEVICE_REPLY ends here on the UI thread, and each reply id calls
// the refresh operations of the pages that show what it changed, always in the same order (later
// refreshes read what earlier ones set up, e.g. the PIP lists are filled before they select).

#include "controls/CDropButton.h"
#include "controls/CGdipButton.h"
#include "controls/CSxGroupBox.h"
#include "device/CDeviceData.h"
#include "platform/Dpi.h"
#include "platform/MessageIds.h"
#include "platform/PageNotifyCodes.h"
#include "shell/ControlIds.h"
#include "shell/KordalDlg.h"
#include "shell/UiText.h"

#include <QVariantMap>

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
    CDeviceData& device = GetDeviceData();
    auto forEachInput = [this] {
        for (int k = 0; k < kInputIconCount; ++k) InvalidateInputMark(k);
    };
    auto forEachWindow = [this] {
        for (int w = 0; w < kWindowCount; ++w) SelectLayerInput(w, 0);
    };
    auto isWindow = [](LPARAM v) { return v >= 0 && v < kWindowCount; };

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
        break;
    }
    case REPLY_PREVIEW_MODE:
        Trace("MMainDlg::CheckOutputModeChanged");
        m_MainDlg.CheckOutputModeChanged();
        break;
    case REPLY_ALL_DATA:
        DispatchFullRefresh();
        break;
    case REPLY_PIXEL_COLOR:
        Trace("WM_PIXEL_COLOR");
        PostMsg(&m_TstPatternDlg, WM_PIXEL_COLOR, 0, 0);
        break;
    case REPLY_INPUT_SIGNAL: {
        // Only the input the reply named; its slot number is checked like any received value.
        const int k = device.lastSignalInput;
        if (k >= 0 && k < kInputIconCount) InvalidateInputMark(k);
        Trace("MCropDlg::RefreshFromDevice");
        m_CropDlg.RefreshFromDevice();
        break;
    }
    case REPLY_VGA_DATA:
        Trace("MVgaDlg::RefreshFromDevice");
        m_VgaDlg.RefreshFromDevice();
        break;
    case REPLY_EDID:
        Trace("MEdidDlg::SelectInput");
        m_EdidDlg.SelectInput();
        break;
    case REPLY_SCHEDULE:
        Trace("MTaskDlg::RefreshFromDevice");
        m_TaskDlg.RefreshFromDevice();
        break;
    case REPLY_PICTURE:
        Trace("MPicSettingDlg::RefreshFromDevice");
        m_PicSettingDlg.RefreshFromDevice();
        break;
    case REPLY_OUTPUT_ACK:
        Trace("MOutputDlg::UpdateTimingFromDevice");
        m_OutputDlg.UpdateTimingFromDevice();
        Trace("MOutputDlg::UpdateWindowGeometry");
        m_OutputDlg.UpdateWindowGeometry();
        if (isWindow(value)) SendMsg(this, WM_LAYER_GEOMETRY, LAYER_GEOMETRY_CELL, value);
        break;
    case REPLY_LAYER_WINDOW:
        Trace("MOutputDlg::UpdateWindowGeometry");
        m_OutputDlg.UpdateWindowGeometry();
        if (isWindow(value)) SendMsg(this, WM_LAYER_GEOMETRY, LAYER_GEOMETRY_CELL, value);
        break;
    case REPLY_CROP:
        Trace("MCropDlg::RefreshFromDevice");
        m_CropDlg.RefreshFromDevice();
        break;
    case REPLY_SPLICING:
        if (value < 0 || value > 255) break;
        Trace("MMosaicDlg::RefreshFromDevice", {value});
        m_MosaicDlg.RefreshFromDevice(static_cast<int>(value));
        break;
    case REPLY_MACHINE_TIME:
        Trace("MTaskDlg::ShowMachineTime");
        m_TaskDlg.ShowMachineTime();
        break;
    case REPLY_LAYER_STATE:
        forEachInput();
        Trace("MPIPDlg::RefreshFromDevice");
        m_PIPDlg.RefreshFromDevice();
        break;
    case REPLY_LOGO:
        Trace("MLogoDlg::RefreshFromDevice");
        m_LogoDlg.RefreshFromDevice();
        break;
    case REPLY_KEYER:
        Trace("MKeyerDlg::RefreshFromDevice");
        m_KeyerDlg.RefreshFromDevice();
        break;
    case REPLY_PRESET_FLAGS:
        Trace("KordalDlg::RefreshPresetMarks");
        RefreshPresetMarks();
        break;
    case REPLY_LOOP_OUT:
        Trace("MMiscDlg::RefreshLoopOut");
        m_MiscDlg.RefreshLoopOut();
        break;
    case REPLY_SYSTEM_INFO:
        Trace("MMiscDlg::ShowSystemInfo");
        m_MiscDlg.ShowSystemInfo();
        break;
    case REPLY_WORK_MODE:
        Trace("WM_MAINPAGE_RELAYOUT");
        SendMsg(&m_MainDlg, WM_MAINPAGE_RELAYOUT, 0, 0);
        Trace("MOutputDlg::UpdateLayerButtonTexts");
        m_OutputDlg.UpdateLayerButtonTexts();
        Trace("MCropDlg::UpdateLayerButtonTexts");
        m_CropDlg.UpdateLayerButtonTexts();
        Trace("MPicSettingDlg::UpdateLayerButtonTexts");
        m_PicSettingDlg.UpdateLayerButtonTexts();
        Trace("MPIPDlg::UpdateByWorkMode");
        m_PIPDlg.UpdateByWorkMode();
        Trace("MLogoDlg::UpdateEnableState");
        m_LogoDlg.UpdateEnableState();
        Trace("MSwitcherDlg::RefreshFromDevice");
        m_SwitcherDlg.RefreshFromDevice();
        ApplyWorkModeToButtons();
        RefreshWorkModeBand();
        break;
    case REPLY_DP_MODE:
        forEachInput();
        Trace("MPIPDlg::FillInputLists");
        m_PIPDlg.FillInputLists();
        forEachWindow();
        break;
    case REPLY_INPUT_STATE:
        forEachInput();
        break;
    case REPLY_STATUS: {
        // The status byte travels with the post: a later reply may have overwritten the device's
        // field before this one is dispatched, and the search page reads it from there.
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
    case REPLY_CAPTION:
        if (value < 0 || value >= 4) break;
        Trace("MSubTitleDlg::LoadOutputCaption", {value});
        m_SubTitleDlg.LoadOutputCaption(static_cast<int>(value));
        break;
    case REPLY_VIDEO_DATA:
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
    case REPLY_ENCODER_INFO:
        Trace("MVideoSettingDlg::OnDeviceInfo");
        m_VideoSettingDlg.OnDeviceInfo();
        break;
    case REPLY_BOARD_INFO:
        Trace("MPIPDlg::FillInputLists");
        m_PIPDlg.FillInputLists();
        forEachInput();
        Trace("KordalDlg::UpdatePortSwitchTexts");
        UpdatePortSwitchTexts();
        Trace("MEdidDlg::FillInputList");
        m_EdidDlg.FillInputList();
        ShowPortSwitchGroup(device.cmpBoard.exist != 0);
        Trace("MMiscDlg::UpdateExtBoardButtons");
        m_MiscDlg.UpdateExtBoardButtons();
        forEachWindow();
        if (CGdipButton* b = ButtonById(mw::IDC_SIGNAL_SWITCH)) {
            b->SetDisabledLook(false);
            b->setEnabled(true);
        }
        break;
    case REPLY_FEATHER:
        Trace("QVN_FeatherDlg::RefreshFromDevice");
        m_FeatherDlg.RefreshFromDevice();
        break;
    case REPLY_FREEZE_STATE:
        if (CGdipButton* b = ButtonById(mw::IDC_FREEZE)) b->SetPressed(device.freezeState != 0);
        break;
    default:
        break;
    }
}

// Reply 2: the whole block arrived from the processor or from a project file.
void KordalDlg::DispatchFullRefresh()
{
    if (CGdipButton* b = ButtonById(mw::IDC_SIGNAL_SWITCH)) b->hide();
    if (portSwitchGroup_) portSwitchGroup_->hide();
    if (portSwitchList_) portSwitchList_->hide();

    PlaceExtInputMarks();
    Trace("MPIPDlg::FillInputLists");
    m_PIPDlg.FillInputLists();
    for (int w = 0; w < kWindowCount; ++w) SelectLayerInput(w, 0);
    Trace("KordalDlg::RebuildGenlockList");
    RebuildGenlockList();
    SelectSyncItems();

    Trace("MEdidDlg::FillInputList");
    m_EdidDlg.FillInputList();
    Trace("MPicSettingDlg::RefreshFromDevice");
    m_PicSettingDlg.RefreshFromDevice();
    Trace("MOutputDlg::UpdateTimingFromDevice");
    m_OutputDlg.UpdateTimingFromDevice();
    Trace("MCropDlg::RefreshFromDevice");
    m_CropDlg.RefreshFromDevice();
    Trace("MMosaicDlg::RefreshFromDevice", {3});
    m_MosaicDlg.RefreshFromDevice(3);
    Trace("MPIPDlg::UpdateByWorkMode");
    m_PIPDlg.UpdateByWorkMode();
    Trace("MPIPDlg::RefreshFromDevice");
    m_PIPDlg.RefreshFromDevice();
    Trace("MKeyerDlg::RefreshFromDevice");
    m_KeyerDlg.RefreshFromDevice();
    Trace("MEdidDlg::SelectInput");
    m_EdidDlg.SelectInput();
    Trace("MVgaDlg::RefreshFromDevice");
    m_VgaDlg.RefreshFromDevice();
    Trace("MSwitcherDlg::RefreshFromDevice");
    m_SwitcherDlg.RefreshFromDevice();
    Trace("MOutputDlg::UpdateLayerButtonTexts");
    m_OutputDlg.UpdateLayerButtonTexts();
    Trace("MCropDlg::UpdateLayerButtonTexts");
    m_CropDlg.UpdateLayerButtonTexts();
    Trace("MPicSettingDlg::UpdateLayerButtonTexts");
    m_PicSettingDlg.UpdateLayerButtonTexts();
    Trace("MTaskDlg::RefreshFromDevice");
    m_TaskDlg.RefreshFromDevice();
    Trace("MMiscDlg::UpdateExtBoardButtons");
    m_MiscDlg.UpdateExtBoardButtons();
    Trace("MLogoDlg::RefreshFromDevice");
    m_LogoDlg.RefreshFromDevice();
    Trace("MLogoDlg::UpdateEnableState");
    m_LogoDlg.UpdateEnableState();
    Trace("MMainDlg::ApplyLayout");
    m_MainDlg.ApplyLayout();
    Trace("MMiscDlg::RefreshLoopOut");
    m_MiscDlg.RefreshLoopOut();

    Trace("WM_MAINPAGE_RELAYOUT");
    SendMsg(&m_MainDlg, WM_MAINPAGE_RELAYOUT, 0, 0);
    ApplyWorkModeToButtons();
    Trace("MOutputDlg::UpdateWindowGeometry");
    m_OutputDlg.UpdateWindowGeometry();
    for (int w = 0; w < kWindowCount; ++w) SendMsg(this, WM_LAYER_GEOMETRY, LAYER_GEOMETRY_CELL, w);

    // The input band left of the sync frames.
    const int right = syncModeGroup_ ? syncModeGroup_->geometry().left() - 2 : width();
    if (right > 75) update(QRect(QPoint(75, 0), QPoint(right - 1, 105)));
    RefreshWorkModeBand();
    SendMsg(this, WM_PAGE_NOTIFY, NOTIFY_CROP_CHANGED, 65535);
    Trace("MVgaDlg::SelectVgaInput", {0});
    m_VgaDlg.SelectVgaInput(0);
    Trace("MMediaPlayerDlg::RefreshFromDevice");
    m_MediaPlayerDlg.RefreshFromDevice();
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
    update(inputIconRects_[static_cast<size_t>(k)].adjusted(-10, 0, 10, 48));
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
    CDeviceData& device = GetDeviceData();
    if (device.pvwMode > 2) device.pvwMode = 0;
    workMode_ = device.pvwMode;
    if (CGdipButton* presets = ButtonById(mw::IDC_TAB_PRESETS)) {
        const QRect tab = presets->geometry();
        update(QRect(QPoint(tab.right() + 1, tab.top()), QPoint(width() - 41, height() - 1)));
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
