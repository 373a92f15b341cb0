// What the pages tell the main window: page notifications by code, layer geometry, the selected
// layer, the test-pattern lock and the choices of the main window's own drop lists. Every value
// that arrives in a message is checked before it indexes anything; a bad one does nothing.

#include "controls/CDropButton.h"
#include "controls/CGdipButton.h"
#include "controls/CSxGroupBox.h"
#include "device/CDeviceData.h"
#include "platform/ControlId.h"
#include "platform/MessageIds.h"
#include "platform/PageNotifyCodes.h"
#include "pages/system/MiscIds.h"
#include "pages/system/SwitcherIds.h"
#include "shell/MainWindowIds.h"
#include "shell/KordalDlg.h"
#include "pagekit/UiText.h"

#include <QTimer>
#include <QVariantMap>

namespace mw = ctl::main_window;

namespace {

constexpr int kPortSwitchQueryDelayMs = 50;  // the board needs a moment before it reports again

// Greying sets the image button's disabled look, then disables the window; clearing reverses it.
void Grey(QWidget* w, bool grey)
{
    if (!w) return;
    if (auto* b = qobject_cast<CGdipButton*>(w)) b->SetDisabledLook(grey);
    w->setEnabled(!grey);
}

}  // namespace

CGdipButton* KordalDlg::PageButton(const MBaseDialog& page, int id) const
{
    return FindControlAs<CGdipButton>(&page, id);
}

LRESULT KordalDlg::OnWindowMessage(unsigned msg, WPARAM wParam, LPARAM lParam, const QVariant& payload)
{
    switch (msg) {
    case WM_PAGE_NOTIFY:
        return OnPageNotify(wParam, lParam, payload);
    case WM_SELECT_LAYER_INPUT:
        if (wParam >= static_cast<WPARAM>(kWindowCount)) return 0;
        return SelectLayerInput(static_cast<int>(wParam), lParam == 1 ? 1 : 0);
    case WM_LAYER_GEOMETRY:
        return OnLayerGeometry(wParam, lParam);
    case WM_OUTPUT_TIMING_CHANGED:
        return OnOutputTimingChanged();
    case WM_SELECT_LAYER:
        return OnSelectLayer(wParam);
    case WM_LAYER_SET_CHANGED:
        return OnLayerSetChanged(wParam);
    case WM_TEST_PATTERN_STATE:
        return OnTestPatternState(lParam);
    case WM_DROPLIST_SELECT:
        return OnDropSelect(wParam, lParam);
    default:
        return 0;
    }
}

LRESULT KordalDlg::OnPageNotify(WPARAM code, LPARAM value, const QVariant& payload)
{
    switch (code) {
    case NOTIFY_SHOW_SUBPAGE:
        OnShowSubPage(payload);
        break;
    case NOTIFY_SWITCHER_MODE:
        OnSwitcherMode(value);
        break;
    case NOTIFY_LOOP_OUT:
        OnLoopOut(value);
        break;
    case NOTIFY_LAYER_VISIBILITY:
        OnLayerVisibility(value);
        break;
    case NOTIFY_SPLICING_MODE:
        OnSplicingMode(value);
        break;
    case NOTIFY_SPLICING_CELL:
        if (value < 0 || value > 8) break;
        Trace("MMainDlg::PlaceOutputCells", {value});
        m_MainDlg.PlaceOutputCells(static_cast<int>(value));
        break;
    case NOTIFY_LINKED:
        OnLinked();
        break;
    case NOTIFY_SEARCH_ENTRY:
        ToggleOrHidePage(m_SearchMachineDlg, value);
        break;
    case NOTIFY_TAB_BUTTONS:
        ToggleOrHidePage(m_VideoSettingDlg, value);
        break;
    case NOTIFY_TAB_BUTTONS_MEDIA:
        ToggleOrHidePage(m_MediaPlayerDlg, value);
        break;
    case NOTIFY_TAB_BUTTONS_FEATHER:
        ToggleOrHidePage(m_FeatherDlg, value);
        break;
    case NOTIFY_FEATHER_STATE:
        OnFeatherState(value);
        break;
    case NOTIFY_CONNECTION:
        if (CGdipButton* b = ButtonById(mw::IDC_CONNECTION_INDICATOR)) b->SetPressed(value != 0);
        break;
    case NOTIFY_CONNECTED_IP: {
        // Only an address text is an address; a notice without one keeps the shown address.
        if (payload.typeId() != QMetaType::QString) break;
        const QString ip = payload.toString();
        Trace("MConnectDlg::SetDestinationIp");
        m_ConnectDlg.SetDestinationIp(ip);
        break;
    }
    case NOTIFY_PREVIEW_FORMAT:
        Trace("MMainDlg::SetPreviewFormat", {value});
        m_MainDlg.SetPreviewFormat(static_cast<int>(value));
        break;
    case NOTIFY_TOP_BUTTONS:
        ShowTopButtons(value != 0);
        break;
    case NOTIFY_CROP_CHANGED:  // the crop page's own business
    default:
        break;
    }
    return 0;
}

// Payload of NOTIFY_SHOW_SUBPAGE: a map {"tab": int, "shown": int}.
void KordalDlg::OnShowSubPage(const QVariant& payload)
{
    const QVariantMap map = payload.toMap();
    bool okTab = false, okShown = false;
    const int tab = map.value(QStringLiteral("tab")).toInt(&okTab);
    const int shown = map.value(QStringLiteral("shown")).toInt(&okShown);
    if (!okTab || !okShown) return;
    if (shown == 0) {
        if (tab == 4) {
            m_SubTitleDlg.ShowPage(false);
        } else {
            m_TaskDlg.ShowPage(false);
            m_KeyerDlg.ShowPage(false);
            m_TstPatternDlg.ShowPage(false);
        }
        return;
    }
    switch (tab) {
    case 0:
        m_MiscDlg.show();
        m_TaskDlg.ShowPage(false);
        m_KeyerDlg.ShowPage(false);
        m_TstPatternDlg.ShowPage(false);
        break;
    case 1:
        m_KeyerDlg.ShowPage(true);
        m_TaskDlg.ShowPage(false);
        m_TstPatternDlg.ShowPage(false);
        break;
    case 2:
        m_TstPatternDlg.ShowPage(true);
        m_KeyerDlg.ShowPage(false);
        m_TaskDlg.ShowPage(false);
        break;
    case 3:
        m_TaskDlg.ShowPage(true);
        m_KeyerDlg.ShowPage(false);
        m_TstPatternDlg.ShowPage(false);
        break;
    case 4:
        m_SubTitleDlg.ShowPage(true);
        break;
    default:
        break;
    }
}

void KordalDlg::OnSwitcherMode(LPARAM on)
{
    switcherOn_ = on != 0;
    if (CGdipButton* sw = ButtonById(mw::IDC_SWITCHER)) {
        sw->SetPressed(switcherOn_);
        sw->setText(UiText(switcherOn_ ? 40 : 41));
    }
    if (CGdipButton* mark = ButtonById(mw::IDC_SWITCHER_INDICATOR)) mark->setVisible(switcherOn_);
}

void KordalDlg::OnLoopOut(LPARAM input)
{
    if (input < 0 || input >= kInputIconCount || !loopOutGroup_) return;
    loopOutInput_ = static_cast<int>(input);
    const QRect icon = inputIconRects_[static_cast<size_t>(input)];
    const QRect old = loopOutGroup_->geometry();
    QRect moved = old;
    moved.setLeft(icon.left() - 16);
    moved.setRight(icon.right() + 16);
    loopOutGroup_->setGeometry(moved);
    update(old.adjusted(-2, -2, 2, 2));
    update(moved);
}

void KordalDlg::OnLayerVisibility(LPARAM pip)
{
    if (pip < 0 || pip > 2) return;
    const int layer = static_cast<int>(pip) + 1;
    if (const int on = PipSwitch(layer); on >= 0) {
        Trace("MMainDlg::ShowLayerCell", {layer, on});
        m_MainDlg.ShowLayerCell(layer, on);
        SetLayerButtonState(layer, on != 0);
    }
    Trace("MPIPDlg::UpdateByWorkMode");
    m_PIPDlg.UpdateByWorkMode();
}

void KordalDlg::OnSplicingMode(LPARAM mode)
{
    if (mode < 0 || mode > 5) return;
    const CDeviceData& device = GetDeviceData();
    Trace("MMainDlg::ApplyLayout");
    m_MainDlg.ApplyLayout();
    Trace("MKeyerDlg::RefreshFromDevice");
    m_KeyerDlg.RefreshFromDevice();
    Trace("QVN_FeatherDlg::RefreshFromDevice");
    m_FeatherDlg.RefreshFromDevice();

    Grey(SideButton(3), mode != 0);
    if (device.pvwMode == 0) {
        const bool grey = mode == 5;
        Grey(SideButton(6), grey);
        Grey(SideButton(4), grey);
        Grey(PageButton(m_MiscDlg, ctl::misc::IDC_TAB_KEYER), grey);
        m_KeyerDlg.setEnabled(!grey);
    }
    KeepFeatherLockout();
    ApplyLockOutputRule(static_cast<int>(mode));
    LayoutLayerBand();
}

void KordalDlg::OnLinked()
{
    CDeviceData& device = GetDeviceData();
    CGdipButton* multi = PageButton(m_SwitcherDlg, ctl::switcher::IDC_MULTI_MACHINE);
    ShowLinkType();
    if (device.netMode != 0) {
        Trace("MConnectDlg::OnComDisconnect");
        m_ConnectDlg.OnComDisconnect();
        Grey(multi, false);
        // The network connect closed the serial port the indicator may show: it shows the
        // connected tile, or stays dark until the new link reports in.
        bool online = false;
        for (const DeviceTile& tile : m_SearchMachineDlg.Tiles())
            if (tile.connected) online = tile.online;
        if (CGdipButton* b = ButtonById(mw::IDC_CONNECTION_INDICATOR)) b->SetPressed(online);
    } else {
        device.multiMachine = 0;
        Grey(multi, true);
    }
}

void KordalDlg::ShowLinkType()
{
    const bool network = GetDeviceData().netMode != 0;
    if (CGdipButton* b = ButtonById(mw::IDC_LINK_SERIAL_INDICATOR)) b->setVisible(!network);
    if (CGdipButton* b = ButtonById(mw::IDC_LINK_NETWORK_INDICATOR)) b->setVisible(network);
}

void KordalDlg::ToggleOrHidePage(MBaseDialog& page, LPARAM value)
{
    if (value < 0) return;  // not a request the senders make
    if (value >= 2) {
        page.hide();
        return;
    }
    page.setVisible(page.isHidden());
    if (page.isVisible()) page.raise();
}

// The splicing rule gives the keyer, LOGO and PIP controls back without knowing of feathering;
// while it is on they stay as its notice left them.
void KordalDlg::KeepFeatherLockout()
{
    // Any byte but 0 is on, as the feathering page reads it.
    if (GetDeviceData().feather.onOff != 0) OnFeatherState(1);
}

void KordalDlg::OnFeatherState(LPARAM on)
{
    const CDeviceData& device = GetDeviceData();
    CGdipButton* keyerTab = PageButton(m_MiscDlg, ctl::misc::IDC_TAB_KEYER);
    CGdipButton* patternTab = PageButton(m_MiscDlg, ctl::misc::IDC_TAB_TEST_PATTERN);
    if (on == 1) {
        Grey(keyerTab, true);
        Grey(patternTab, true);
        Grey(SideButton(6), true);
        Grey(SideButton(4), true);
        m_KeyerDlg.setEnabled(false);
        m_TstPatternDlg.setEnabled(false);
    } else if (on == 0) {
        if (device.mosaic.mode != 5 && device.pvwMode != 2) {
            Grey(keyerTab, false);
            m_KeyerDlg.setEnabled(true);
            Grey(SideButton(6), false);
            Grey(SideButton(4), false);
        }
        // The dual mode locks the test pattern too.
        if (device.pvwMode != 2) {
            Grey(patternTab, false);
            m_TstPatternDlg.setEnabled(true);
        }
    }
}

LRESULT KordalDlg::OnLayerGeometry(WPARAM target, LPARAM n)
{
    if (n < 0 || n >= kWindowCount) return 0;
    const int w = static_cast<int>(n);
    if (target == LAYER_GEOMETRY_CELL) {
        Trace("MMainDlg::UpdateLayerCellRect", {w});
        m_MainDlg.UpdateLayerCellRect(w);
    } else if (target == LAYER_GEOMETRY_OUTPUT) {
        Trace("MOutputDlg::SelectWindow", {w});
        m_OutputDlg.SelectWindow(w);
    } else {
        return 0;
    }
    if (w == 3) {
        Trace("MLogoDlg::ResetLogoWindow");
        m_LogoDlg.ResetLogoWindow();
    }
    return 0;
}

LRESULT KordalDlg::OnOutputTimingChanged()
{
    Trace("MMainDlg::ResizeOutputCells");
    m_MainDlg.ResizeOutputCells();
    return 0;
}

LRESULT KordalDlg::OnSelectLayer(WPARAM layer)
{
    if (layer >= static_cast<WPARAM>(kWindowCount)) return 0;
    const int next = static_cast<int>(layer);
    canvasLayer_ = next;
    if (next == selectedLayer_) return 0;
    const CDeviceData& device = GetDeviceData();
    InvalidateInputMark(device.chnl[selectedLayer_].input);
    selectedLayer_ = next;
    InvalidateInputMark(device.chnl[next].input);
    return SelectLayerInput(next, 0);
}

LRESULT KordalDlg::OnLayerSetChanged(WPARAM v)
{
    Trace("MMainDlg::UpdateLogoLabel", {static_cast<long long>(v)});
    m_MainDlg.UpdateLogoLabel(static_cast<int>(v & 0xFF));
    return 0;
}

LRESULT KordalDlg::OnTestPatternState(LPARAM on)
{
    testPatternLocked_ = on != 0;
    Trace("MMainDlg::SetLayerCellsLocked", {testPatternLocked_ ? 1 : 0});
    m_MainDlg.SetLayerCellsLocked(testPatternLocked_);
    EnableLayerButtons();
    if (CGdipButton* take = ButtonById(mw::IDC_TAKE)) take->setEnabled(!testPatternLocked_);
    return 0;
}

LRESULT KordalDlg::OnDropSelect(WPARAM id, LPARAM index)
{
    CDropButton* button = nullptr;
    if (id == static_cast<WPARAM>(mw::IDC_SYNC_LOCK_LIST)) button = syncLockList_;
    else if (id == static_cast<WPARAM>(mw::IDC_SYNC_MODE_LIST)) button = syncModeList_;
    else if (id == static_cast<WPARAM>(mw::IDC_PORT_SWITCH_LIST)) button = portSwitchList_;
    if (!button) return 0;
    const CDropList* list = button->GetList();
    // A row that is not there (a stale index from a list rebuilt meanwhile) chooses nothing.
    if (!list || index < 0 || index >= list->GetCount()) return 0;
    const auto value = static_cast<int32_t>(list->GetItemData(static_cast<int>(index)));

    CDeviceData& device = GetDeviceData();
    if (button == syncLockList_) {
        device.syncLockMode = value;
        device.SendCommand(CMD_SET_SYNC_MODE, 0, device.syncLockMode);
    } else if (button == syncModeList_) {
        device.syncMode = value;
        device.SendCommand(CMD_SET_SYNC_MODE, 1, device.syncMode);
    } else {
        device.cmpBoard.mode = value;
        device.SendCommand(CMD_COMPOSITE_BOARD, 1, device.cmpBoard.mode);
        // The query follows after a pause; the UI thread keeps running meanwhile.
        QTimer::singleShot(kPortSwitchQueryDelayMs, this, [this] {
            CDeviceData& dev = GetDeviceData();
            dev.SendCommand(CMD_QUERY_BOARD);
            const int mode = dev.cmpBoard.mode;
            Grey(ButtonById(mw::IDC_SIGNAL_SWITCH), mode >= 2 && mode <= 4);
        });
    }
    return 0;
}
