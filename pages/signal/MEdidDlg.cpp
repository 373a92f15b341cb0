#include "pages/signal/MEdidDlg.h"

#include "controls/CDropButton.h"
#include "controls/CGdipButton.h"
#include "controls/CSxGroupBox.h"
#include "controls/oRealEdit.h"
#include "device/CDeviceData.h"
#include "pagekit/PageControls.h"
#include "pagekit/DialogIds.h"
#include "pagekit/DialogLanguage.h"
#include "pagekit/UiText.h"
#include "pages/signal/EdidIds.h"
#include "pages/signal/EdidRules.h"
#include "pages/signal/SignalPageHelpers.h"
#include "platform/ControlId.h"
#include "platform/Dpi.h"
#include "platform/MessageBox.h"
#include "platform/MessageIds.h"

#include <QLabel>

namespace ce = ctl::edid;
namespace er = edidrules;

namespace {

constexpr int kSelectGroupText = 15;  // "EDID Selcet"
constexpr int kMoreGroupText = 16;    // "More"
constexpr int kResultText = 33;       // "Edid Apply"
constexpr int kPageTitleText = 75;    // "EDID Settings"
constexpr int kSubShort = 1;          // active size and rate
constexpr int kSubFull = 2;           // with blanking
constexpr int kSubRestore = 0;


}  // namespace

using signalpage::DesignRect;

MEdidDlg::MEdidDlg(QWidget* parent) : MBaseDialog(IDD_EDID, parent, true)
{
    setWindowTitle(QStringLiteral("EDID Settings"));
}

CGdipButton* MEdidDlg::MakeButton(int id, const QString& caption, unsigned altImage, const QRect& rect)
{
    return MakePageButton(this, id, caption, kPageActionImage, altImage, rect, kPageCaptionColor, &MEdidDlg::OnButton);
}

oRealEdit* MEdidDlg::MakeEdit(int id, float low, float initial, float high, const QRect& rect)
{
    oRealEdit* edit = MakePageEdit(this, id, low, initial, high, QStringLiteral("%d"), rect);
    edits_[id] = edit;
    return edit;
}

QLabel* MEdidDlg::MakeLabel(int id, const QString& text, const QRect& rect)
{
    return MakePageLabel(this, id, text, rect, Qt::AlignRight | Qt::AlignVCenter);
}

void MEdidDlg::OnInitDialog()
{
    if (IsInitialised()) return;
    MBaseDialog::OnInitDialog();
    SetTitle(g_UiText[kPageTitleText]);

    selectGroup_ = MakePageGroup(this, ce::IDC_EDID_SELECT_GROUP, g_UiText[kSelectGroupText], DesignRect(6, 40, 308, 188));
    moreGroup_ = MakePageGroup(this, ce::IDC_MORE_GROUP, g_UiText[kMoreGroupText], DesignRect(160, 72, 148, 100));

    // The edits start from zero, so they show their minimums until a record is shown.
    MakeLabel(ce::IDC_H_ACTIVE_LABEL, QStringLiteral("H Active :"), DesignRect(10, 82, 76, 24));
    MakeEdit(ce::IDC_H_ACTIVE_EDIT, 240, 0, 3840, DesignRect(90, 82, 62, 24));
    MakeLabel(ce::IDC_V_ACTIVE_LABEL, QStringLiteral("V Active :"), DesignRect(10, 114, 76, 24));
    MakeEdit(ce::IDC_V_ACTIVE_EDIT, 240, 0, 3840, DesignRect(90, 114, 62, 24));
    MakeLabel(ce::IDC_FPS_LABEL, QStringLiteral("FPS :"), DesignRect(10, 146, 76, 24));
    MakeEdit(ce::IDC_FPS_EDIT, 20, 0, 121, DesignRect(90, 146, 62, 24));
    blanking_.push_back(MakeLabel(ce::IDC_H_BLANK_LABEL, QStringLiteral("H Blank :"), DesignRect(164, 100, 80, 24)));
    blanking_.push_back(MakeEdit(ce::IDC_H_BLANK_EDIT, 0, 0, 9999, DesignRect(248, 100, 54, 24)));
    blanking_.push_back(MakeLabel(ce::IDC_V_BLANK_LABEL, QStringLiteral("V Blank :"), DesignRect(164, 134, 80, 24)));
    blanking_.push_back(MakeEdit(ce::IDC_V_BLANK_EDIT, 0, 0, 9999, DesignRect(248, 134, 54, 24)));

    restoreButton_ = MakeButton(ce::IDC_RESTORE, QStringLiteral("Restore"), 0, DesignRect(90, 186, 68, 28));
    applyButton_ = MakeButton(ce::IDC_APPLY, QStringLiteral("Apply"), 0, DesignRect(164, 186, 68, 28));
    moreButton_ = MakeButton(ce::IDC_MORE, QStringLiteral("More >"), kPageActionPressedImage, DesignRect(238, 186, 68, 28));
    moreButton_->SetToggle(true);
    moreButton_->SetPressed(false);

    // The input list sits on the group's top edge, right-aligned.
    const QRect g = selectGroup_->geometry();
    const int right = g.right() + 1 - ScaleX(12);
    list_ = new CDropButton(this);
    list_->Create(QString(), this, ce::IDC_INPUT_LIST, 0x101010, 0x101010, 0xEBEBEB, kDropDefaultColor, nullptr,
                  0xFFFFFF, QRect(right - ScaleX(150), g.top(), ScaleX(150), ScaleY(20)));
    SetControlOwner(list_, this);
    list_->GetList()->SetBkColor(0x2E2E2E);
    list_->GetList()->SetHighlightColor(0x50FFFF);
    AddInputs(false);
    list_->SetCurSel(0);

    StylePageGroups(this, {selectGroup_, moreGroup_}, true);
    ApplyFontToChildren();
    ShowBlanking(moreButton_->IsPressed());
    UpdateActions();
}

void MEdidDlg::ApplyLanguage()
{
    ApplyDialogLanguage(this, IDD_EDID);
    if (selectGroup_) selectGroup_->SetCaption(g_UiText[kSelectGroupText]);
    if (moreGroup_) moreGroup_->SetCaption(g_UiText[kMoreGroupText]);
    SetTitle(g_UiText[kPageTitleText]);
    update();
}

oRealEdit* MEdidDlg::Edit(int id) const
{
    const auto it = edits_.find(id);
    return it == edits_.end() ? nullptr : it->second;
}

CGdipButton* MEdidDlg::Button(int id) const
{
    switch (id) {
    case ce::IDC_APPLY: return applyButton_;
    case ce::IDC_MORE: return moreButton_;
    case ce::IDC_RESTORE: return restoreButton_;
    default: return nullptr;
    }
}

void MEdidDlg::AddInputs(bool refill)
{
    CDeviceData& dev = GetDeviceData();
    CDropList* list = list_->GetList();
    for (int n = 0; n < er::kInputCount; ++n) {
        if (!er::ListsInput(refill ? er::Fill::Refill : er::Fill::First, n, dev.input[n].src, dev.inputNames[n].enabled,
                            dev.dpMode[1]))
            continue;
        const int index = list->AddString(dev.inputNames[n].name);
        dev.inputNames[n].item = index;
        list->SetItemData(index, static_cast<DropItemData>(n));
    }
}

int MEdidDlg::InputOfRow(int row) const
{
    const DropListItem* item = list_ ? list_->GetList()->Item(row) : nullptr;
    return item ? static_cast<int>(item->data) : -1;
}

void MEdidDlg::FillInputList()
{
    if (!list_) return;
    {
        std::lock_guard<std::mutex> hold(listLock_);
        list_->GetList()->ResetContent();
        AddInputs(true);
        SelectDropItemByData(list_, static_cast<DropItemData>(input_));
    }
    // A refill that no longer offers the input shows the first row: the page follows what it
    // shows, so Apply cannot write the old input's values to another input's record.
    const int shown = InputOfRow(list_->GetCurSel());
    if (shown >= 0 && shown != input_) {
        input_ = shown;
        ShowEdid(input_);
    }
    UpdateActions();
}

void MEdidDlg::ShowEdid(int input)
{
    const CDeviceData& dev = GetDeviceData();
    const int r = er::FindRecordFor(dev.edid, input);
    if (r == er::kNoRecord) return;
    const EdidTiming& rec = dev.edid[r];
    edits_[ce::IDC_H_ACTIVE_EDIT]->SetValue(rec.hAct);
    edits_[ce::IDC_V_ACTIVE_EDIT]->SetValue(rec.vAct);
    edits_[ce::IDC_H_BLANK_EDIT]->SetValue(rec.hBlank);
    edits_[ce::IDC_V_BLANK_EDIT]->SetValue(rec.vBlank);
    edits_[ce::IDC_FPS_EDIT]->SetValue(static_cast<float>(rec.fps / 100));
}

void MEdidDlg::SelectInput()
{
    if (!list_) return;
    const int shown = InputOfRow(list_->GetCurSel());
    if (shown < 0) return;
    input_ = shown;
    ShowEdid(input_);
    UpdateActions();
}

void MEdidDlg::UpdateActions()
{
    const bool writable = er::HasWritableRecord(GetDeviceData().edid, input_);
    for (CGdipButton* b : {applyButton_, restoreButton_}) {
        if (!b) continue;
        b->setEnabled(writable);
        b->SetDisabledLook(!writable);
    }
}

void MEdidDlg::ShowBlanking(bool shown)
{
    for (QWidget* w : blanking_) w->setVisible(shown);
}

void MEdidDlg::OnButton(int id)
{
    switch (id) {
    case ce::IDC_APPLY: OnApply(); break;
    case ce::IDC_MORE: OnMore(); break;
    case ce::IDC_RESTORE: OnRestore(); break;
    default: break;
    }
}

void MEdidDlg::OnMore() { ShowBlanking(moreButton_->IsPressed()); }

void MEdidDlg::OnApply()
{
    CDeviceData& dev = GetDeviceData();
    // Only the record that holds this input is written: command 10 sends the record it addresses.
    if (!er::HasWritableRecord(dev.edid, input_)) return;
    EdidTiming& rec = dev.edid[er::RecordIndexOf(input_)];
    const auto value = [this](int id) { return static_cast<int>(edits_[id]->GetValue()); };
    rec.hAct = static_cast<uint16_t>(value(ce::IDC_H_ACTIVE_EDIT));
    rec.vAct = static_cast<uint16_t>(value(ce::IDC_V_ACTIVE_EDIT));
    rec.fps = er::StoredFps(value(ce::IDC_FPS_EDIT), rec.fps);
    rec.hBlank = static_cast<uint16_t>(value(ce::IDC_H_BLANK_EDIT));
    rec.vBlank = static_cast<uint16_t>(value(ce::IDC_V_BLANK_EDIT));
    dev.SendCommand(CMD_SET_EDID, input_, moreButton_->IsPressed() ? kSubFull : kSubShort);
    SendMsg(parent(), WM_BUSY_DIALOG, 1, 0, g_UiText[UI_TEXT_WAIT_OPERATION]);
}

void MEdidDlg::OnRestore()
{
    CDeviceData& dev = GetDeviceData();
    if (!er::HasWritableRecord(dev.edid, input_)) return;
    dev.SendCommand(CMD_SET_EDID, input_, kSubRestore);
    dev.SendCommand(CMD_QUERY_EDID, input_);
    SendMsg(parent(), WM_BUSY_DIALOG, 1, 0, g_UiText[UI_TEXT_WAIT_OPERATION]);
}

void MEdidDlg::ShowResultMessage()
{
    const bool ok = GetDeviceData().eventArg[1] != 0;
    ShowResultBox(this, signalpage::ResultText(g_UiText[kResultText], ok), signalpage::ApplicationTitle());
}

void MEdidDlg::OnDropSelect(int id, int index)
{
    if (id != ce::IDC_INPUT_LIST) return;
    const int input = InputOfRow(index);
    if (input < 0) return;
    input_ = input;
    ShowEdid(input_);
    UpdateActions();
}

void MEdidDlg::OnValueChanged(int id)
{
    er::Field field;
    switch (id) {
    case ce::IDC_FPS_EDIT: field = er::Field::Fps; break;
    case ce::IDC_H_BLANK_EDIT: field = er::Field::HBlank; break;
    case ce::IDC_H_ACTIVE_EDIT: field = er::Field::HActive; break;
    case ce::IDC_V_ACTIVE_EDIT: field = er::Field::VActive; break;
    case ce::IDC_V_BLANK_EDIT: field = er::Field::VBlank; break;
    default: return;
    }
    const CDeviceData& dev = GetDeviceData();
    const int src = input_ >= 0 && input_ < kInputSlotCount ? dev.input[input_].src : -1;
    er::Timing t;
    t.hActive = edits_[ce::IDC_H_ACTIVE_EDIT]->GetValue();
    t.vActive = edits_[ce::IDC_V_ACTIVE_EDIT]->GetValue();
    t.fps = edits_[ce::IDC_FPS_EDIT]->GetValue();
    t.hBlank = edits_[ce::IDC_H_BLANK_EDIT]->GetValue();
    t.vBlank = edits_[ce::IDC_V_BLANK_EDIT]->GetValue();
    // Only the edit changes: nothing is stored or sent until Apply.
    if (const auto limited = er::LimitedValue(field, t, er::PixelClockLimit(input_, src)))
        edits_[id]->SetValue(static_cast<float>(*limited));
}
