// The two rows of layer buttons, the TOP buttons and the action buttons under the operating page,
// and how the work mode (normal, switcher, dual) lays them out.

#include "controls/CGdipButton.h"
#include "device/CDeviceData.h"
#include "platform/ControlId.h"
#include "platform/MessageIds.h"
#include "pages/system/MiscIds.h"
#include "preview/CPictureCtrl.h"
#include "preview/MMainDlg.h"
#include "shell/MainWindowIds.h"
#include "shell/KordalDlg.h"
#include "pagekit/UiText.h"

#include <QCheckBox>
#include <QTimer>

namespace mw = ctl::main_window;

namespace {

constexpr int kSignalSwitchQueryDelayMs = 50;
constexpr COLORREF kProgramLayerColor = 0x101010;
constexpr COLORREF kLayerButtonColor = 0xEBEBEB;

void Grey(QWidget* w, bool grey)
{
    if (!w) return;
    if (auto* b = qobject_cast<CGdipButton*>(w)) b->SetDisabledLook(grey);
    w->setEnabled(!grey);
}

}  // namespace

CGdipButton* KordalDlg::LeftLayerButton(int layer) const
{
    if (layer < 0 || layer >= kWindowCount) return nullptr;
    return leftLayerButtons_[static_cast<size_t>(layer)];
}

CGdipButton* KordalDlg::RightLayerButton(int layer) const
{
    if (layer < 0 || layer >= kWindowCount) return nullptr;
    return rightLayerButtons_[static_cast<size_t>(layer)];
}

void KordalDlg::ConnectSelectionControls()
{
    for (CGdipButton* b : inputButtons_)
        if (b) connect(b, &CGdipButton::clickedId, this, &KordalDlg::OnInputButton);
    for (int k = 1; k < kWindowCount; ++k) {
        if (CGdipButton* b = LeftLayerButton(k)) connect(b, &CGdipButton::clickedId, this, &KordalDlg::OnLayerButton);
        if (CGdipButton* b = RightLayerButton(k)) connect(b, &CGdipButton::clickedId, this, &KordalDlg::OnLayerButton);
    }
    for (CGdipButton* b : topButtons_)
        if (b) connect(b, &CGdipButton::clickedId, this, &KordalDlg::OnTopButton);
    for (int id : {mw::IDC_TAKE, mw::IDC_LOCK_OUTPUT, mw::IDC_LOCK_LAYER, mw::IDC_FREEZE, mw::IDC_FOUR_VIEW,
                   mw::IDC_SIGNAL_SWITCH, mw::IDC_SWITCHER, mw::IDC_SIDE_MORE})
        if (CGdipButton* b = ButtonById(id)) connect(b, &CGdipButton::clickedId, this, &KordalDlg::OnActionButton);
    if (dualChannel_) {
        connect(dualChannel_, &QCheckBox::toggled, this, &KordalDlg::OnDualChannel);
        // The system page's toggle and this check box are one setting.
        connect(&m_MiscDlg, &MMiscDlg::dualChannelClicked, dualChannel_, &QCheckBox::setChecked);
    }
}

void KordalDlg::LayerCellOnOff(int layer, int on)
{
    Trace("MMainDlg::ShowLayerCell", {layer, on});
    m_MainDlg.ShowLayerCell(layer, on);
    m_MainDlg.update();
}

void KordalDlg::OnLayerButton(int id)
{
    CDeviceData& device = GetDeviceData();
    const bool left = id >= mw::IDC_LAYER_PIP1 && id <= mw::IDC_LAYER_PIP3;
    const bool right = id >= mw::IDC_PVW_LAYER_PIP1 && id <= mw::IDC_PVW_LAYER_PIP3;
    if (!left && !right) return;
    const int layer = left ? id - mw::IDC_LAYER_MAIN : id - mw::IDC_PVW_LAYER_MAIN;
    CGdipButton* button = left ? LeftLayerButton(layer) : RightLayerButton(layer);
    if (!button) return;
    const int s = button->IsPressed() ? 1 : 0;

    if (left && layer == 3) {
        if (device.logo.usage == 1) {
            bool anyValid = false;
            for (uint8_t v : device.logo.valid) anyValid = anyValid || v != 0;
            // PIP-3 is the logo layer: without a stored logo there is nothing to show.
            if (!anyValid) {
                button->SetPressed(false);
                return;
            }
        }
        Trace("MLogoDlg::SetLogoOnOff", {s});
        m_LogoDlg.SetLogoOnOff(s);
        if (device.logo.usage != 0) {
            // The logo page may refuse (an empty slot, a load that does not fit): show what it did.
            button->SetPressed(device.logo.onOff != 0);
            return;
        }
    } else if (right && layer == 3) {
        Trace("MLogoDlg::SetLogoOnOff", {s});
        m_LogoDlg.SetLogoOnOff(s);
    }
    device.chnl[layer].onOff = static_cast<uint8_t>(s);
    Trace("MPIPDlg::EnablePipGroup", {s, layer - 1});
    m_PIPDlg.EnablePipGroup(s, layer - 1);
    LayerCellOnOff(layer, s);
    device.SendCommand(CMD_SET_PIP, layer - 1);
}

void KordalDlg::OnTopButton(int id)
{
    const int k = id - mw::IDC_TOP_MAIN;
    if (k < 0 || k >= kWindowCount) return;
    CPictureCtrl& canvas = m_MainDlg.Canvas();
    CCell* cell = canvas.LayerCell(k);
    canvas.SelectCell(cell);
    Trace("WM_CELL_SELECTED", {k});
    // The same message the canvas sends: wParam is the cell.
    if (cell) SendMsg(&m_MainDlg, WM_CELL_SELECTED, reinterpret_cast<WPARAM>(cell), 0);
    canvas.update();
    m_MainDlg.StartCellMarkTimer();
    ShowTopButtons(false);
}

void KordalDlg::OnActionButton(int id)
{
    CDeviceData& device = GetDeviceData();
    CGdipButton* button = ButtonById(id);
    const bool pressed = button && button->IsPressed();
    switch (id) {
    case mw::IDC_TAKE:
        device.SendCommand(CMD_SET_MULTI_MACHINE);
        SendMsg(this, WM_BUSY_DIALOG, 1, 0, UiText(65));
        break;
    case mw::IDC_LOCK_OUTPUT:
        Trace("MMainDlg::ShowLayersInOutputs", {pressed ? 1 : 0, 1});
        m_MainDlg.ShowLayersInOutputs(pressed ? 1 : 0, 1);
        break;
    case mw::IDC_LOCK_LAYER:
        Trace("MMainDlg::SetLayerCellsLocked", {pressed ? 1 : 0});
        m_MainDlg.SetLayerCellsLocked(pressed);
        break;
    case mw::IDC_FREEZE:
        device.SendCommand(CMD_FREEZE, pressed ? 1 : 0);
        break;
    case mw::IDC_FOUR_VIEW:
        // The four-view window belongs to the operating page.
        Trace("MShowVideoDlg::ShowPage", {1});
        m_MainDlg.ShowFourView();
        break;
    case mw::IDC_SIGNAL_SWITCH:
        OnSignalSwitch();
        break;
    case mw::IDC_SWITCHER:
        OnSwitcherButton();
        break;
    case mw::IDC_SIDE_MORE:
        OnMoreButton();
        break;
    default:
        break;
    }
}

void KordalDlg::OnSignalSwitch()
{
    CDeviceData& device = GetDeviceData();
    if (device.cmpBoard.actNoSrc == 0) device.SendCommand(CMD_COMPOSITE_BOARD, 0, 1);
    else if (device.cmpBoard.actNoSrc == 1) device.SendCommand(CMD_COMPOSITE_BOARD, 0, 0);
    // Greyed at once so that the pause cannot take a second press; reply 29 enables it again.
    Grey(ButtonById(mw::IDC_SIGNAL_SWITCH), true);
    QTimer::singleShot(kSignalSwitchQueryDelayMs, this, [] { GetDeviceData().SendCommand(CMD_QUERY_BOARD); });
}

void KordalDlg::OnSwitcherButton()
{
    if (CGdipButton* sw = ButtonById(mw::IDC_SWITCHER)) sw->SetPressed(switcherOn_);
    if (CGdipButton* open = SideButton(currentPage_)) open->SetPressed(false);
    SwitchPage(9, false);
    if (CGdipButton* misc = SideButton(9)) misc->SetPressed(true);
}

void KordalDlg::OnMoreButton()
{
    const bool show = moreButton_ && moreButton_->IsPressed();
    for (int i = 6; i <= 10; ++i)
        if (CGdipButton* b = SideButton(i)) b->setVisible(show);
    LayoutSideBars(1);
}

void KordalDlg::SetLayerButtonState(int layer, bool on)
{
    if (layer < 0 || layer >= kWindowCount) return;
    const CDeviceData& device = GetDeviceData();
    if (device.pvwMode == 0) {
        if (CGdipButton* b = LeftLayerButton(layer)) b->SetPressed(on);
    } else if (device.pvwMode == 1) {
        if (CGdipButton* b = RightLayerButton(layer)) b->SetPressed(on && device.pvwState[layer] != 0);
    }
}

int KordalDlg::PipSwitch(int layer) const
{
    const int usage = GetDeviceData().logo.usage;
    // PIP-3 under a logo usage of neither kind has no switch to follow.
    if (layer < 1 || layer >= kWindowCount || (layer == 3 && usage != 0 && usage != 1)) return -1;
    return m_MainDlg.LayerSwitchedOn(layer) ? 1 : 0;
}

void KordalDlg::FollowWorkMode()
{
    const CDeviceData& device = GetDeviceData();
    // workMode_ is the mode the window shows until RefreshWorkModeBand takes the new one.
    if (device.pvwMode == workMode_) return;
    Trace("KordalDlg::FollowWorkMode");
    for (int layer = 0; layer < kWindowCount; ++layer) {
        Trace("MMainDlg::UpdateLayerLabel", {layer});
        m_MainDlg.UpdateLayerLabel(layer);
        if (const int on = PipSwitch(layer); on >= 0) SetLayerButtonState(layer, on != 0);
    }
}

bool KordalDlg::LayerButtonUsable(int layer, bool left) const
{
    if (testPatternLocked_) return false;
    const CDeviceData& device = GetDeviceData();
    switch (device.pvwMode) {
    case 1: return !left && device.pgmState[layer] == 0;
    case 2: return false;
    default: return left && layer != 0;
    }
}

void KordalDlg::EnableLayerButtons()
{
    // A layer button that takes no click looks it, pressed or not.
    for (int k = 0; k < kWindowCount; ++k) {
        Grey(LeftLayerButton(k), !LayerButtonUsable(k, true));
        Grey(RightLayerButton(k), !LayerButtonUsable(k, false));
    }
}

void KordalDlg::ApplyLockOutputRule(int splicingMode)
{
    CGdipButton* lockOutput = ButtonById(mw::IDC_LOCK_OUTPUT);
    if (!lockOutput || splicingMode < 0 || splicingMode > 5) return;
    if (splicingMode == 0) lockOutput->SetPressed(true);
    lockOutput->setVisible(splicingMode != 0);
    const int locked = lockOutput->IsPressed() ? 1 : 0;
    Trace("MMainDlg::ShowLayersInOutputs", {locked, 1});
    m_MainDlg.ShowLayersInOutputs(locked, 1);
}

void KordalDlg::ApplyWorkModeToButtons()
{
    ApplyWorkModeVisibility();
    // Then feathering's rule in its present state, as the feathering page's notice runs it when the
    // operator changes the mode: on, it keeps its pages locked; off, it gives back the pages whose
    // tabs neither the mode nor the splicing greys. A mode the processor reports ends the same way.
    OnFeatherState(GetDeviceData().feather.onOff != 0 ? 1 : 0);
    LayoutLayerBand();
}

void KordalDlg::ApplyWorkModeVisibility()
{
    Trace("KordalDlg::ApplyWorkModeToButtons");
    const CDeviceData& device = GetDeviceData();
    const int mode = device.pvwMode;
    CGdipButton* take = ButtonById(mw::IDC_TAKE);
    CGdipButton* lockOutput = ButtonById(mw::IDC_LOCK_OUTPUT);
    CGdipButton* keyerTab = PageButton(m_MiscDlg, ctl::misc::IDC_TAB_KEYER);
    CGdipButton* patternTab = PageButton(m_MiscDlg, ctl::misc::IDC_TAB_TEST_PATTERN);

    EnableLayerButtons();
    if (mode == 0) {
        // The switcher and dual modes hid "Lock Output"; workMode_ still holds the mode left.
        if (workMode_ != 0) ApplyLockOutputRule(device.mosaic.mode);
        for (int k = 0; k < kWindowCount; ++k) {
            if (CGdipButton* b = LeftLayerButton(k)) b->show();
            if (CGdipButton* b = RightLayerButton(k)) b->hide();
        }
        if (CGdipButton* main = LeftLayerButton(0)) main->SetPressed(true);
        if (take) take->hide();
        Grey(SideButton(2), false);
        const bool grey = device.mosaic.mode == 5;
        Grey(SideButton(6), grey);
        Grey(keyerTab, grey);
        m_KeyerDlg.setEnabled(!grey);
        Grey(SideButton(4), false);
        Grey(patternTab, false);
        return;
    }
    if (mode == 1) {
        for (int k = 0; k < kWindowCount; ++k) {
            const bool shown = k >= 2;
            if (CGdipButton* b = LeftLayerButton(k)) {
                b->setVisible(shown);
                b->SetPressed(device.pgmState[k] != 0);
            }
            if (CGdipButton* b = RightLayerButton(k)) {
                const bool onProgram = device.pgmState[k] != 0;
                b->SetColorAndRedraw(onProgram ? kProgramLayerColor : kLayerButtonColor);
                b->SetPressed(device.pvwState[k] != 0);
                b->setVisible(shown);
            }
        }
        if (take) take->show();
        if (lockOutput) lockOutput->hide();
        Trace("MMainDlg::ShowLayersInOutputs", {1, 0});
        m_MainDlg.ShowLayersInOutputs(1, 0);
        Grey(SideButton(2), true);
        Grey(SideButton(4), false);
        Grey(SideButton(6), false);
        Grey(keyerTab, false);
        return;
    }
    for (int k = 0; k < kWindowCount; ++k) {
        for (CGdipButton* b : {LeftLayerButton(k), RightLayerButton(k)})
            if (b) b->hide();
    }
    if (take) take->show();
    if (lockOutput) lockOutput->hide();
    Trace("MMainDlg::ShowLayersInOutputs", {1, 0});
    m_MainDlg.ShowLayersInOutputs(1, 0);
    for (int side : {2, 6, 4}) Grey(SideButton(side), true);
    Grey(keyerTab, true);
    Grey(patternTab, true);
    m_KeyerDlg.setEnabled(false);
    m_TstPatternDlg.setEnabled(false);
    m_SubTitleDlg.ShowPage(false);
}
