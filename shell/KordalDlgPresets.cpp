// The preset bar: ten slot buttons that recall (Presets tab) or apply (Templates tab) the
// processor's presets, "Load" and "Save", and the slot looks that follow the stored-preset flags.

#include "controls/CGdipButton.h"
#include "device/CDeviceData.h"
#include "device/IniFile.h"
#include "platform/MessageBox.h"
#include "platform/MessageIds.h"
#include "shell/MainWindowIds.h"
#include "shell/HeldKeys.h"
#include "shell/KordalDlg.h"
#include "shell/PresetNames.h"
#include "pagekit/UiText.h"

#include <QLineEdit>

namespace mw = ctl::main_window;

namespace {
constexpr int kPresetOpApplyTemplate = 0;
constexpr int kPresetOpRecall = 1;
constexpr int kPresetOpSave = 2;
} // namespace

void KordalDlg::WirePresetBar()
{
    for (int i = 0; i < kPresetSlotCount; ++i)
        if (CGdipButton* b = PresetButton(i)) connect(b, &CGdipButton::clickedId, this, &KordalDlg::OnPresetButton);
    if (CGdipButton* b = ButtonById(mw::IDC_TAB_PRESETS)) connect(b, &CGdipButton::clickedId, this, [this] { OnPresetsTab(); });
    if (CGdipButton* b = ButtonById(mw::IDC_TAB_TEMPLATES)) connect(b, &CGdipButton::clickedId, this, [this] { OnTemplatesTab(); });
    if (CGdipButton* b = ButtonById(mw::IDC_PRESET_LOAD)) connect(b, &CGdipButton::clickedId, this, [this] { OnPresetLoad(); });
    if (CGdipButton* b = ButtonById(mw::IDC_PRESET_SAVE)) connect(b, &CGdipButton::clickedId, this, [this] { OnPresetSave(); });
    templatesTab_ = false;
    WatchHeldKeys();
}

CGdipButton* KordalDlg::PresetButton(int slot) const
{
    if (slot < 0 || slot >= kPresetSlotCount) return nullptr;
    return presetButtons_[static_cast<size_t>(slot)];
}

int KordalDlg::RememberedPreset(int workMode) const
{
    if (workMode < 0 || workMode >= kPresetWorkModeCount) return -1;
    return rememberedPreset_[static_cast<size_t>(workMode)];
}

int KordalDlg::NameSet() const
{
    return NameSetOfWorkMode(workMode_);
}

uint8_t KordalDlg::PresetFlag(int slot) const
{
    // No slot chosen yet (or a stray index) counts as an empty slot.
    if (slot < 0 || slot >= kPresetSlotCount) return kPresetEmpty;
    return GetDeviceData().presetStored[slot];
}

void KordalDlg::SetSlotLook(int slot, bool pressed, COLORREF color)
{
    CGdipButton* b = PresetButton(slot);
    if (!b) return;
    b->SetPressed(pressed);
    b->SetColorAndRedraw(color);
}

void KordalDlg::SetTabLooks(bool templates)
{
    templatesTab_ = templates;
    CGdipButton* presets = ButtonById(mw::IDC_TAB_PRESETS);
    CGdipButton* temps = ButtonById(mw::IDC_TAB_TEMPLATES);
    if (presets) {
        presets->SetColorAndRedraw(templates ? kTabInactiveColor : kTabActiveColor);
        presets->SetPressed(!templates);
    }
    if (temps) {
        temps->SetColorAndRedraw(templates ? kTabActiveColor : kTabInactiveColor);
        temps->SetPressed(templates);
    }
    if (CGdipButton* save = ButtonById(mw::IDC_PRESET_SAVE)) save->setVisible(!templates);
}

void KordalDlg::OnPresetButton(int id)
{
    const int slot = id - mw::IDC_PRESET_SLOT_1;
    if (slot < 0 || slot >= kPresetSlotCount) return;
    currentPreset_ = slot;
    for (int i = 0; i < kPresetSlotCount; ++i)
        if (CGdipButton* b = PresetButton(i)) b->SetColorAndRedraw(SlotBaseColor(PresetFlag(i)));
    CGdipButton* chosen = PresetButton(slot);
    chosen->SetPressed(templatesTab_ || PresetFlag(slot) == kPresetStored);
    chosen->SetColorAndRedraw(kSlotCurrentColor);
    update();
}

void KordalDlg::OnPresetsTab()
{
    SetTabLooks(false);
    RefreshPresetMarks();
    // A slot the processor marked stays red on either tab until reply 17 changes its flag.
    for (int i = 0; i < kPresetSlotCount; ++i)
        if (CGdipButton* b = PresetButton(i)) b->SetColorAndRedraw(SlotBaseColor(PresetFlag(i)));
    if (CGdipButton* b = PresetButton(RememberedPreset(NameSet()))) b->SetColorAndRedraw(kSlotCurrentColor);
    update();
}

void KordalDlg::OnTemplatesTab()
{
    SetTabLooks(true);
    for (int i = 0; i < kPresetSlotCount; ++i) SetSlotLook(i, true, SlotBaseColor(PresetFlag(i)));
    if (CGdipButton* b = PresetButton(rememberedTemplate_)) b->SetColorAndRedraw(kSlotCurrentColor);
    update();
}

void KordalDlg::ShowPresetBusy()
{
    SendMsg(this, WM_BUSY_DIALOG, 1, 0, UiText(UI_TEXT_WAIT_OPERATION));
}

void KordalDlg::RecallPresetSlot(int slot)
{
    CDeviceData& device = GetDeviceData();
    device.SendCommand(CMD_PRESET, kPresetOpRecall, slot);
    device.SendCommand(CMD_GET_ALL_DATA);
    ShowPresetBusy();
}

void KordalDlg::OnPresetLoad()
{
    if (m_TstPatternDlg.IsPatternOn()) m_TstPatternDlg.ShowPage(false);
    const int slot = currentPreset_;
    if (templatesTab_) {
        // Nothing to apply before a slot is chosen.
        if (slot < 0 || slot >= kPresetSlotCount) return;
        CDeviceData& device = GetDeviceData();
        device.SendCommand(CMD_PRESET, kPresetOpApplyTemplate, slot);
        device.SendCommand(CMD_GET_ALL_DATA);
        ShowPresetBusy();
        rememberedTemplate_ = slot;
        return;
    }
    if (PresetFlag(slot) == kPresetEmpty) {
        ShowMessageBox(this, UiText(36), QString::fromLatin1(kMainWindowTitle));
        return;
    }
    RecallPresetSlot(slot);
    rememberedPreset_[static_cast<size_t>(NameSet())] = slot;
}

void KordalDlg::MarkSlotStored(int slot)
{
    if (slot < 0 || slot >= kPresetSlotCount) return;
    GetDeviceData().presetStored[slot] = kPresetStored;
    if (CGdipButton* b = PresetButton(slot)) b->SetPressed(true);
}

void KordalDlg::SavePresetSlot(int slot)
{
    GetDeviceData().SendCommand(CMD_PRESET, kPresetOpSave, slot);
    MarkSlotStored(slot);
}

void KordalDlg::OnPresetSave()
{
    const int slot = currentPreset_;
    if (slot < 0 || slot >= kPresetSlotCount) return;
    if (ShowMessageBox(this, UiText(37), UiText(UI_TEXT_TIPS), MB_OKCANCEL) != IDOK) return;
    SavePresetSlot(slot);
    update();
    m_TaskDlg.MarkTaskRows();
}

void KordalDlg::RefreshPresetMarks()
{
    if (!templatesTab_) {
        for (int i = 0; i < kPresetSlotCount; ++i) {
            const SlotLook look = SlotLookForFlag(PresetFlag(i));
            SetSlotLook(i, look.pressed, look.color);
        }
        if (CGdipButton* b = PresetButton(currentPreset_)) b->SetColorAndRedraw(kSlotCurrentColor);
        update();
    }
    m_TaskDlg.MarkTaskRows();
}
