#include "pages/system/MPIPDlg.h"

#include "controls/CDropButton.h"
#include "controls/CGdipButton.h"
#include "controls/CSxGroupBox.h"
#include "controls/oBitmapSlider.h"
#include "controls/oSliderEdit.h"
#include "device/CDeviceData.h"
#include "pagekit/DialogIds.h"
#include "pagekit/DialogLanguage.h"
#include "pagekit/UiText.h"
#include "pages/system/LayerPageWidgets.h"
#include "pages/system/PipIds.h"
#include "platform/ControlId.h"
#include "platform/MessageIds.h"
#include "platform/PageNotifyCodes.h"

#include <QLabel>
#include <QPainter>

namespace pc = ctl::pip;
using layerpage::Dlu;

namespace {

struct PipIds {
    int group, button, inputLabel, alphaLabel, edit, slider, list;
};
constexpr PipIds kIds[pip::kPipCount] = {
    {pc::IDC_PIP1_GROUP, pc::IDC_PIP1_ON_OFF, pc::IDC_PIP1_INPUT_LABEL, pc::IDC_PIP1_ALPHA_LABEL, pc::IDC_PIP1_ALPHA_EDIT,
     pc::IDC_PIP1_ALPHA_SLIDER, pc::IDC_PIP1_INPUT_LIST},
    {pc::IDC_PIP2_GROUP, pc::IDC_PIP2_ON_OFF, pc::IDC_PIP2_INPUT_LABEL, pc::IDC_PIP2_ALPHA_LABEL, pc::IDC_PIP2_ALPHA_EDIT,
     pc::IDC_PIP2_ALPHA_SLIDER, pc::IDC_PIP2_INPUT_LIST},
    {pc::IDC_PIP3_GROUP, pc::IDC_PIP3_ON_OFF, pc::IDC_PIP3_INPUT_LABEL, pc::IDC_PIP3_ALPHA_LABEL, pc::IDC_PIP3_ALPHA_EDIT,
     pc::IDC_PIP3_ALPHA_SLIDER, pc::IDC_PIP3_INPUT_LIST},
};
// Rows in dialog units: three groups of the template's height, one under the other, each holding
// its vertical slider (a 136-pixel channel) within the settings column's height.
constexpr int kGroupTop[pip::kPipCount] = {17, 112, 207};
constexpr int kGroupHeight = 93;
constexpr int kButtonRow = 10;
constexpr int kInputRow = 44;
constexpr int kAlphaRow = 70;
constexpr int kSliderRow = 6;

constexpr unsigned kSliderThumb = 165;
constexpr unsigned kSliderChannel = 166;
constexpr unsigned kSliderChannelActive = 167;
constexpr unsigned kSliderBack = 168;
constexpr int kTitleText = 72;

const char* const kGroupCaptions[pip::kPipCount] = {"PIP-1", "PIP-2", "PIP-3"};

}  // namespace

MPIPDlg::MPIPDlg(QWidget* parent) : MBaseDialog(IDD_PIP, parent, true)
{
    setWindowTitle(QStringLiteral("PIP Settings"));
}

void MPIPDlg::OnInitDialog()
{
    if (IsInitialised()) return;
    MBaseDialog::OnInitDialog();
    CreateCaptionButtons(false);

    const CDeviceData& dev = GetDeviceData();
    for (int k = 0; k < pip::kPipCount; ++k) {
        const PipIds& id = kIds[k];
        const PipSeed& seed = dev.pipSeeds[k];
        const bool on = seed.value != 0;
        const size_t i = static_cast<size_t>(k);
        groups_[i] = layerpage::MakeGroup(this, id.group, QString::fromLatin1(kGroupCaptions[k]), Dlu(3, kGroupTop[k], 207, kGroupHeight));

        buttons_[i] = layerpage::MakeSwitch(this, id.button, Dlu(51, kGroupTop[k] + kButtonRow, 47, 18));
        buttons_[i]->SetPressed(on);
        connect(buttons_[i], &CGdipButton::clickedId, this, &MPIPDlg::OnPipButton);

        QLabel* inputLabel = layerpage::MakeStatic(this, id.inputLabel, QStringLiteral("Input :"), Dlu(6, kGroupTop[k] + kInputRow, 42, 12));
        inputLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QLabel* alphaLabel = layerpage::MakeStatic(this, id.alphaLabel, QStringLiteral("Alpha :"), Dlu(6, kGroupTop[k] + kAlphaRow + 2, 42, 12));
        alphaLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

        auto* edit = new oSliderEdit(this);
        SetControlId(edit, id.edit);
        SetControlOwner(edit, this);
        // Enabled as a field (its frame), then greyed while the PIP is off.
        edit->Init(true, 0.0f, static_cast<float>(seed.size), static_cast<float>(pip::kAlphaMax), QStringLiteral("%d"));
        edit->setGeometry(Dlu(51, kGroupTop[k] + kAlphaRow, 24, 14));
        auto* slider = new oBitmapSlider(this);
        SetControlId(slider, id.slider);
        slider->SetVertical(true);
        slider->SetBkBitmap(kSliderBack);
        slider->LoadChannelImage(kSliderChannel, kSliderChannelActive);
        slider->LoadThumbImage(kSliderThumb);
        const QRect at = Dlu(150, kGroupTop[k] + kSliderRow, 15, 12);
        slider->move(at.topLeft());
        edit->AttachSlider(slider);
        alphas_[i] = edit;
        sliders_[i] = slider;
        EnableAlpha(k, on);

        const QRect l = inputLabel->geometry();
        lists_[i] = layerpage::MakeDropList(this, id.list, QRect(l.right() + 1 + 10, l.top(), 105 - 10, 20));
        FillList(k);
        SelectDropItemByData(lists_[i], 0);
        lists_[i]->setEnabled(on);
    }
    ApplyFontToChildren();
}

void MPIPDlg::ApplyLanguage()
{
    ApplyDialogLanguage(this, IDD_PIP);
    update();
}

void MPIPDlg::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    PaintBackground(p);
    DrawTitleBand(p, g_UiText[kTitleText]);
}

void MPIPDlg::FillList(int k)
{
    CDropList* list = lists_[static_cast<size_t>(k)]->GetList();
    list->ResetContent();
    const CDeviceData& dev = GetDeviceData();
    for (int n : pip::ListedInputRows(dev.inputNames, kInputIndexCount)) {
        const int row = list->AddString(dev.inputNames[n].name);
        list->SetItemData(row, static_cast<DropItemData>(n));
    }
}

void MPIPDlg::FillInputLists()
{
    for (int k = 0; k < pip::kPipCount; ++k)
        if (lists_[static_cast<size_t>(k)]) FillList(k);
}

void MPIPDlg::EnableAlpha(int k, bool on)
{
    alphas_[static_cast<size_t>(k)]->setEnabled(on);
    sliders_[static_cast<size_t>(k)]->Enable(on);
}

void MPIPDlg::SetPipOn(int k, bool send)
{
    if (!Valid(k) || !buttons_[static_cast<size_t>(k)]) return;
    CDeviceData& dev = GetDeviceData();
    if (pip::IsBlockedByLogo(k, dev.logo.usage)) return;
    const bool on = buttons_[static_cast<size_t>(k)]->IsPressed();
    EnableAlpha(k, pip::IsAlphaUsable(on, dev.pvwMode));
    lists_[static_cast<size_t>(k)]->setEnabled(on);
    dev.chnl[k + 1].onOff = on ? 1 : 0;
    if (send) dev.SendCommand(CMD_SET_PIP, k);
    SendMsg(parentWidget(), WM_PAGE_NOTIFY, NOTIFY_LAYER_VISIBILITY, k);
}

void MPIPDlg::RefreshFromDevice()
{
    if (!buttons_[0]) return;
    CDeviceData& dev = GetDeviceData();
    for (int k = 0; k < pip::kPipCount; ++k) {
        const size_t i = static_cast<size_t>(k);
        const LayerWindow& layer = dev.chnl[k + 1];
        SelectDropItemByData(lists_[i], static_cast<DropItemData>(layer.input));
        alphas_[i]->SetValue(layer.alpha);
        buttons_[i]->SetPressed(layer.onOff != 0);
        lists_[2]->setEnabled(dev.logo.usage != 1);
        SetPipOn(k, false);
        PostMsg(parentWidget(), WM_SELECT_LAYER_INPUT, static_cast<WPARAM>(k + 1), 0);
    }
}

void MPIPDlg::EnablePipGroup(int, int k)
{
    if (!Valid(k) || !buttons_[static_cast<size_t>(k)]) return;
    const CDeviceData& dev = GetDeviceData();
    const bool s = dev.chnl[k + 1].onOff != 0;
    buttons_[static_cast<size_t>(k)]->SetPressed(s);
    if (dev.pvwMode == 0) EnableAlpha(k, s);
    lists_[static_cast<size_t>(k)]->setEnabled(s);
}

pip::GroupState MPIPDlg::ShownState(int k) const
{
    const size_t i = static_cast<size_t>(k);
    return {buttons_[i]->isEnabled(), alphas_[i]->isEnabled(), lists_[i]->isEnabled()};
}

void MPIPDlg::ApplyGroupState(int k, const pip::GroupState& s)
{
    layerpage::EnableButton(buttons_[static_cast<size_t>(k)], s.button);
    EnableAlpha(k, s.alpha);
    lists_[static_cast<size_t>(k)]->setEnabled(s.input);
}

void MPIPDlg::UpdateByWorkMode()
{
    if (!buttons_[0]) return;
    std::array<pip::GroupState, pip::kPipCount> now;
    for (int k = 0; k < pip::kPipCount; ++k) now[static_cast<size_t>(k)] = ShownState(k);
    const pip::WorkModeView v = pip::ViewForWorkMode(GetDeviceData(), now);
    for (int k = 0; k < pip::kPipCount; ++k) ApplyGroupState(k, v.groups[static_cast<size_t>(k)]);
    switch (v.caption) {
    case pip::Pip1Caption::Pip1: groups_[0]->SetCaption(QStringLiteral("PIP-1")); break;
    case pip::Pip1Caption::Pgm: groups_[0]->SetCaption(QStringLiteral("PGM")); break;
    case pip::Pip1Caption::Pvw: groups_[0]->SetCaption(QStringLiteral("PVW")); break;
    case pip::Pip1Caption::Keep: break;
    }
    groups_[0]->repaint();
}

void MPIPDlg::OnPipButton(int id)
{
    for (int k = 0; k < pip::kPipCount; ++k)
        if (kIds[k].button == id) {
            // PIP-3 in logo use: the click is not the PIP page's to take.
            if (pip::IsBlockedByLogo(k, GetDeviceData().logo.usage)) buttons_[static_cast<size_t>(k)]->SetPressed(GetDeviceData().chnl[3].onOff != 0);
            SetPipOn(k, true);
        }
}

void MPIPDlg::OnValueChanged(int id)
{
    for (int k = 0; k < pip::kPipCount; ++k)
        if (kIds[k].edit == id) {
            CDeviceData& dev = GetDeviceData();
            dev.chnl[k + 1].alpha = pip::AlphaFromEdit(alphas_[static_cast<size_t>(k)]->GetValue());
            dev.SendCommand(CMD_SET_PIP, k);
        }
}

void MPIPDlg::OnDropSelect(int id, int index)
{
    const int k = id - pc::IDC_PIP1_INPUT_LIST;
    if (!Valid(k)) return;
    CDropList* list = lists_[static_cast<size_t>(k)]->GetList();
    if (index < 0 || index >= list->GetCount()) return;
    const DropItemData row = list->GetItemData(index);
    if (row >= static_cast<DropItemData>(kInputIndexCount)) return;
    GetDeviceData().chnl[k + 1].input = static_cast<uint8_t>(row);
    PostMsg(parentWidget(), WM_SELECT_LAYER_INPUT, static_cast<WPARAM>(k + 1), 1);
}
