// Choosing the input a layer shows: the input buttons and icons of the top bar, and what a layer's
// input means on the other pages (picture, crop, VGA, PIP lists and the "VGA ADJ." button).

#include "controls/CDropButton.h"
#include "controls/CGdipButton.h"
#include "controls/CSxGroupBox.h"
#include "device/CDeviceData.h"
#include "platform/ControlId.h"
#include "shell/MainWindowIds.h"
#include "shell/KordalDlg.h"

#include <QCheckBox>
#include <QMouseEvent>

namespace mw = ctl::main_window;

namespace {

constexpr int kDpButtonId = 1197;       // "DP" (single-link)
constexpr int kPipInputListId = 0xAFF0; // the PIP page's input list of PIP k is this id + k
constexpr int kVgaTypeCode = 3;

}  // namespace

int KordalDlg::InputCodeForButton(int id)
{
    switch (id) {
    case mw::IDC_INPUT_DVI1: return 0;
    case mw::IDC_INPUT_HDMI1: return 1;
    case mw::IDC_INPUT_DVI2: return 2;
    case mw::IDC_INPUT_HDMI2: return 3;
    case kDpButtonId: return 4;
    case mw::IDC_INPUT_SDI: return 5;
    case mw::IDC_INPUT_EXT1: return 6;
    case mw::IDC_INPUT_EXT2: return 7;
    case mw::IDC_INPUT_DP_L: return 8;
    case mw::IDC_INPUT_DP_R: return 9;
    default: return -1;
    }
}

LRESULT KordalDlg::SelectLayerInput(int layer, int send)
{
    Trace("KordalDlg::SelectLayerInput", {layer, send});
    if (layer < 0 || layer >= kWindowCount) return 0;
    CDeviceData& device = GetDeviceData();

    Trace("MMainDlg::UpdateLayerLabel", {layer});
    m_MainDlg.UpdateLayerLabel(layer);
    if (layer == m_PicSettingDlg.CurrentWindow()) {
        Trace("MPicSettingDlg::RefreshFromDevice");
        m_PicSettingDlg.RefreshFromDevice();
    }
    if (layer == m_CropDlg.SelectedLayer()) {
        m_CropDlg.SetInputIndex(device.GetWindowInputIndex(layer));
        Trace("MCropDlg::UpdateInputSourceLabel");
        m_CropDlg.UpdateInputSourceLabel();
        Trace("MCropDlg::RefreshFromDevice");
        m_CropDlg.RefreshFromDevice();
    }
    Trace("MVgaDlg::SelectVgaInput", {layer});
    m_VgaDlg.SelectVgaInput(layer);

    // "VGA ADJ." is only of use while some layer shows a VGA input.
    bool anyVga = false;
    for (int w = 0; w < kWindowCount; ++w) {
        const int slot = SlotOfInputCode(device.chnl[w].input);
        if (slot >= 0 && device.input[slot].src == kVgaTypeCode) anyVga = true;
    }
    if (CGdipButton* vga = SideButton(8)) {
        vga->SetDisabledLook(!anyVga);
        vga->setEnabled(anyVga);
    }
    if (!anyVga && m_VgaDlg.isVisible()) SwitchPage(8, true);

    if (layer >= 1) {
        auto* list = FindControlAs<CDropButton>(&m_PIPDlg, kPipInputListId + layer - 1);
        Trace("SelectDropItemByData", {layer});
        SelectDropItemByData(list, static_cast<DropItemData>(device.chnl[layer].input));
    }
    if (send == 1) device.SendCommand(CMD_SET_LAYER_INPUT, layer);
    return 0;
}

void KordalDlg::OnInputButton(int id)
{
    const int code = InputCodeForButton(id);
    if (code < 0) return;
    const int layer = canvasLayer_ >= 0 && canvasLayer_ < kWindowCount ? canvasLayer_ : 0;
    CDeviceData& device = GetDeviceData();
    if (code == lastInputCode_ && layer == selectedLayer_ && device.chnl[layer].input == code) return;
    const int old = device.chnl[selectedLayer_].input;
    lastInputCode_ = code;
    selectedLayer_ = layer;
    pendingInput_[static_cast<size_t>(layer)] = static_cast<uint8_t>(code);
    // Command 7 carries the layer's input from the block, so the choice goes there first.
    device.chnl[layer].input = static_cast<uint8_t>(code);
    SelectLayerInput(layer, 1);
    InvalidateInputMark(old);
    InvalidateInputMark(code);
}

void KordalDlg::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton) OnInputIconClick(e->position().toPoint());
    QWidget::mousePressEvent(e);
}

void KordalDlg::OnInputIconClick(QPoint pos)
{
    setFocus();
    if (loopOutGroup_) {
        const QRect frame = loopOutGroup_->geometry();
        if (QRect(frame.left(), frame.top(), frame.width(), 20).contains(pos)) SwitchPage(9, false);
    }
    CDeviceData& device = GetDeviceData();
    for (int k = 0; k < kInputIconCount; ++k) {
        if (!device.inputNames[k].enabled) continue;
        if (!inputIconRects_[static_cast<size_t>(k)].adjusted(0, 0, 0, 16).contains(pos)) continue;
        if (testPatternLocked_ || m_TstPatternDlg.IsPatternOn()) return;
        const int layer = canvasLayer_ >= 0 && canvasLayer_ < kWindowCount ? canvasLayer_ : 0;
        if (k == device.chnl[selectedLayer_].input && selectedLayer_ == layer) return;
        // In switcher and dual mode a layer on program is not changed from here.
        if (device.pvwMode != 0 && device.pgmState[layer] != 0) return;
        const int old = device.chnl[selectedLayer_].input;
        selectedLayer_ = layer;
        device.chnl[layer].input = static_cast<uint8_t>(k);
        SelectLayerInput(layer, 1);
        InvalidateInputMark(old);
        InvalidateInputMark(k);
        return;
    }
}

void KordalDlg::OnDualChannel(bool checked)
{
    if (CGdipButton* dp = ButtonById(kDpButtonId)) dp->setVisible(!checked);
    if (CGdipButton* b = ButtonById(mw::IDC_INPUT_DP_L)) b->setVisible(checked);
    if (CGdipButton* b = ButtonById(mw::IDC_INPUT_DP_R)) b->setVisible(checked);
    m_MiscDlg.SetDualChannel(checked);
}
