#include "pages/system/MKeyerDlg.h"

#include "controls/CDropButton.h"
#include "controls/CGdipButton.h"
#include "controls/CSxGroupBox.h"
#include "controls/oRealEdit.h"
#include "device/CDeviceData.h"
#include "pagekit/DialogIds.h"
#include "pagekit/DialogLanguage.h"
#include "pagekit/UiText.h"
#include "pages/system/KeyerIds.h"
#include "pages/system/KeyerRules.h"
#include "pages/system/LayerPageWidgets.h"
#include "platform/MessageBox.h"
#include "platform/MessageIds.h"

#include <QLabel>
#include <QPointer>
#include <QTimer>

#include <algorithm>

namespace k = ctl::keyer;
using layerpage::Dlu;

namespace {

constexpr int kEditIds[MKeyerDlg::kEditCount] = {k::IDC_RED_LOW_EDIT,   k::IDC_RED_HIGH_EDIT,  k::IDC_GREEN_LOW_EDIT,
                                                 k::IDC_GREEN_HIGH_EDIT, k::IDC_BLUE_LOW_EDIT, k::IDC_BLUE_HIGH_EDIT,
                                                 k::IDC_GAIN_IN_EDIT,   k::IDC_GAIN_OUT_EDIT,  k::IDC_GAIN_BND_EDIT};
constexpr int kEditMax[MKeyerDlg::kEditCount] = {255, 255, 255, 255, 255, 255, 64, 64, 255};
constexpr int kEditStart[MKeyerDlg::kEditCount] = {0, 255, 0, 255, 0, 255, 0, 0, 0};
constexpr int kModeTextFirst = 42;  // " User ", then the twelve presets
constexpr int kSetTextFirst = 152;  // "Chroma Keyer On PIP3", "Chroma Keyer On PIP1"
constexpr int kPip3OffText = 55;

uint8_t* FieldOf(KeyerSettings& s, int n)
{
    uint8_t* fields[MKeyerDlg::kEditCount] = {&s.redL,  &s.redH,   &s.greenL,  &s.greenH, &s.blueL,
                                              &s.blueH, &s.gainIn, &s.gainOut, &s.gainBnd};
    return fields[n];
}

KeyerSettings& SetOf(int set) { return GetDeviceData().keyer[set == 1 ? 1 : 0]; }

// The refusal for a set whose layer is off; the shipped texts name PIP3, set 1 keys PIP1.
QString LayerOffText(int set)
{
    const QString text = g_UiText[kPip3OffText];
    if (set == 0) return text;
    QString pip1 = text;
    pip1.replace(QStringLiteral("PIP3"), QStringLiteral("PIP1")).replace(QStringLiteral("PIP-3"), QStringLiteral("PIP-1"));
    return pip1 == text ? QStringLiteral("PIP1 Is Off") : pip1;
}

}  // namespace

MKeyerDlg::MKeyerDlg(QWidget* parent) : MBaseDialog(IDD_KEYER, parent, false)
{
    setWindowTitle(QStringLiteral("Chroma Keyer Settings"));
}

void MKeyerDlg::OnInitDialog()
{
    if (IsInitialised()) return;
    MBaseDialog::OnInitDialog();
    UseTabLook();

    keyerGroup_ = layerpage::MakeGroup(this, k::IDC_CHROMA_KEYER_GROUP, g_UiText[13], Dlu(3, 11, 207, 30));
    modeGroup_ = layerpage::MakeGroup(this, k::IDC_KEYER_MODE_GROUP, g_UiText[14], Dlu(3, 52, 207, 132));
    onOff_ = layerpage::MakeSwitch(this, k::IDC_ON_OFF, Dlu(151, 20, 47, 18));
    reset_ = layerpage::MakeImageButton(this, k::IDC_RESET, QStringLiteral("Reset"), layerpage::kPlainButtonImage, 0,
                                        Dlu(154, 96, 40, 30));
    reset_->SetColorAndRedraw(layerpage::kCaptionLight);
    layerpage::EnableButton(reset_, false);
    connect(onOff_, &CGdipButton::clickedId, this, &MKeyerDlg::OnButton);
    connect(reset_, &CGdipButton::clickedId, this, &MKeyerDlg::OnButton);

    // The notice fills the room between the two groups, so the taller Chinese glyphs fit.
    QLabel* notice = layerpage::MakeStatic(this, k::IDC_NOTICE_LABEL, QStringLiteral("Notice : Chroma Keyer On PIP-3"), Dlu(8, 41, 200, 11));
    notice->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // The colour labels are as wide as "Green :"; the edits stand right of them.
    layerpage::MakeStatic(this, k::IDC_COLOR_RANGE_LABEL, QStringLiteral("Color Range"), Dlu(52, 66, 60, 12));
    layerpage::MakeStatic(this, k::IDC_RED_LABEL, QStringLiteral("Red :"), Dlu(11, 81, 38, 12));
    layerpage::MakeStatic(this, k::IDC_GREEN_LABEL, QStringLiteral("Green :"), Dlu(11, 97, 38, 12));
    layerpage::MakeStatic(this, k::IDC_BLUE_LABEL, QStringLiteral("Blue :"), Dlu(11, 113, 38, 12));
    layerpage::MakeStatic(this, k::IDC_RED_RANGE_SIGN, QStringLiteral("~"), Dlu(76, 81, 8, 8));
    layerpage::MakeStatic(this, k::IDC_GREEN_RANGE_SIGN, QStringLiteral("~"), Dlu(76, 97, 8, 8));
    layerpage::MakeStatic(this, k::IDC_BLUE_RANGE_SIGN, QStringLiteral("~"), Dlu(76, 113, 8, 8));
    layerpage::MakeStatic(this, k::IDC_GAIN_IN_LABEL, QStringLiteral("Gain In"), Dlu(11, 132, 53, 12));
    layerpage::MakeStatic(this, k::IDC_GAIN_OUT_LABEL, QStringLiteral("Gain Out"), Dlu(11, 151, 53, 12));
    layerpage::MakeStatic(this, k::IDC_GAIN_BND_LABEL, QStringLiteral("Gain Bnd"), Dlu(11, 169, 53, 12));

    const QRect editRects[kEditCount] = {Dlu(51, 80, 24, 14), Dlu(87, 80, 24, 14),   Dlu(51, 96, 24, 14),
                                         Dlu(87, 96, 24, 14), Dlu(51, 112, 24, 14),  Dlu(87, 112, 24, 14),
                                         Dlu(87, 129, 24, 14), Dlu(87, 147, 24, 14), Dlu(87, 166, 24, 14)};
    for (int n = 0; n < kEditCount; ++n) {
        edits_[static_cast<size_t>(n)] = layerpage::MakeIntEdit(this, kEditIds[n], 0, kEditStart[n], kEditMax[n], editRects[n]);
        edits_[static_cast<size_t>(n)]->setEnabled(n >= 6);
    }

    ApplyFontToChildren();
    BuildLists();
}

void MKeyerDlg::BuildLists()
{
    const CDeviceData& dev = GetDeviceData();
    if (!modeList_) {
        const QRect g = modeGroup_->geometry();
        // Wider than 140 pixels so that " Green On White1" and " Green On White2" show whole,
        // closed and open; it stays right of the group's title.
        modeList_ = layerpage::MakeDropList(this, k::IDC_MODE_LIST, QRect(QPoint(g.right() + 1 - 185, g.top()), QPoint(g.right() - 15, g.top() + 19)));
    }
    if (!setList_) {
        const QRect g = keyerGroup_->geometry();
        // Wider than 160 pixels so that "Chroma Keyer On PIP3" is not cut; it ends before ON/OFF.
        const int right = std::max(g.left() + 174, onOff_->geometry().left() - 10);
        setList_ = layerpage::MakeDropList(this, k::IDC_SET_LIST, QRect(QPoint(g.left() + 15, g.top() + 20), QPoint(right, g.top() + 39)));
    }
    CDropList* modes = modeList_->GetList();
    modes->ResetContent();
    for (int m = 0; m < keyer::kModeCount; ++m) {
        const int row = modes->AddString(g_UiText[static_cast<size_t>(kModeTextFirst + m)]);
        modes->SetItemData(row, static_cast<DropItemData>(m));
    }
    // The lists show the set in use, so that the next edit stays with it.
    const KeyerSettings& s = dev.keyer[set_];
    SelectDropItemByData(modeList_, static_cast<DropItemData>(s.mode));
    modeList_->setEnabled(s.onOff != 0);

    CDropList* sets = setList_->GetList();
    sets->ResetContent();
    for (int n = 0; n < keyer::kSetCount; ++n) {
        const int row = sets->AddString(g_UiText[static_cast<size_t>(kSetTextFirst + n)]);
        sets->SetItemData(row, static_cast<DropItemData>(n));
    }
    sets->SetItemEnabled(1, keyer::IsSetSelectable(1, dev.mosaic.mode));
    setList_->SetCurSel(set_);
}

void MKeyerDlg::ApplyLanguage()
{
    ApplyDialogLanguage(this, IDD_KEYER);
    if (keyerGroup_) keyerGroup_->SetCaption(g_UiText[13]);
    if (modeGroup_) modeGroup_->SetCaption(g_UiText[14]);
    if (modeList_) BuildLists();
    update();
}

void MKeyerDlg::EnableEdits(bool on)
{
    for (oRealEdit* e : edits_)
        if (e) e->setEnabled(on);
}

void MKeyerDlg::ShowOnState(bool on, int32_t mode)
{
    const keyer::EnableState st = keyer::EnableFor(on, mode);
    layerpage::EnableButton(reset_, st.reset);
    modeList_->setEnabled(st.modeList);
    EnableEdits(st.edits);
}

void MKeyerDlg::RefreshFromDevice()
{
    if (!setList_) return;
    const CDeviceData& dev = GetDeviceData();
    const bool setOneUsable = keyer::IsSetSelectable(1, dev.mosaic.mode);
    setList_->GetList()->SetItemEnabled(1, setOneUsable);
    set_ = keyer::SetAfterRefresh(set_, dev.mosaic.mode);
    setList_->SetCurSel(set_);
    ShowSelectedSet();
}

void MKeyerDlg::ShowSelectedSet()
{
    const KeyerSettings& s = GetDeviceData().keyer[set_];
    onOff_->SetPressed(s.onOff != 0);
    SelectDropItemByData(modeList_, static_cast<DropItemData>(s.mode));
    KeyerSettings shown = s;
    for (int n = 0; n < kEditCount; ++n) edits_[static_cast<size_t>(n)]->SetValue(*FieldOf(shown, n));
    ShowOnState(s.onOff != 0, s.mode);
}

void MKeyerDlg::SendSet()
{
    CommandArgs args{};
    args[31] = static_cast<uint8_t>(keyer::CommandArgOfSet(set_));
    GetDeviceData().SendCommandArgs(CMD_SET_KEYER, args);
}

void MKeyerDlg::OnButton(int id)
{
    if (id == k::IDC_ON_OFF) OnOnOff();
    else if (id == k::IDC_RESET) OnReset();
}

void MKeyerDlg::OnOnOff()
{
    CDeviceData& dev = GetDeviceData();
    if (!keyer::IsKeyedLayerOn(dev, set_)) {
        // Refused either way: the switch stays as the processor has it.
        onOff_->SetPressed(SetOf(set_).onOff != 0);
        ShowMessageBox(this, LayerOffText(set_), g_UiText[UI_TEXT_TIPS], MB_OK);
        return;
    }
    KeyerSettings& s = SetOf(set_);
    const bool on = onOff_->IsPressed();
    s.onOff = on ? 1 : 0;
    SendSet();
    ShowOnState(on, s.mode);
}

void MKeyerDlg::OnReset()
{
    KeyerSettings& s = SetOf(set_);
    s.mode = 0;
    s.redL = 0;
    s.redH = 255;
    s.greenL = 0;
    s.greenH = 255;
    s.blueL = 0;
    s.blueH = 255;
    for (int n = 0; n < 6; ++n) edits_[static_cast<size_t>(n)]->SetValue(*FieldOf(s, n));
    SelectDropItemByData(modeList_, 0);
    EnableEdits(true);
    SendSet();
}

void MKeyerDlg::OnDropSelect(int id, int index)
{
    if (id == k::IDC_MODE_LIST) {
        const DropItemData mode = modeList_->GetList()->GetItemData(index);
        if (index < 0 || mode >= static_cast<DropItemData>(keyer::kModeCount)) return;
        KeyerSettings& s = SetOf(set_);
        s.mode = static_cast<int32_t>(mode);
        EnableEdits(mode == 0);
        SendSet();
        // The processor reads back the set once it has applied the mode.
        const int arg = keyer::CommandArgOfSet(set_);
        QTimer::singleShot(kModeQueryDelayMs, this, [arg] { GetDeviceData().SendCommand(CMD_QUERY_KEYER, arg); });
    } else if (id == k::IDC_SET_LIST) {
        if (index != 0 && index != 1) return;
        if (!keyer::IsSetSelectable(index, GetDeviceData().mosaic.mode)) {
            setList_->SetCurSel(set_);
            return;
        }
        set_ = index;
        // Until the processor answers (or when offline) the edits hold the new set, so that an
        // edit meanwhile never writes the old set's values into it.
        ShowSelectedSet();
        GetDeviceData().SendCommand(CMD_QUERY_KEYER, keyer::CommandArgOfSet(index));
    }
}

void MKeyerDlg::OnValueChanged(int id)
{
    int n = 0;
    while (n < kEditCount && kEditIds[n] != id) ++n;
    if (n == kEditCount) return;
    KeyerSettings& s = SetOf(set_);
    for (int i = 0; i < kEditCount; ++i) *FieldOf(s, i) = static_cast<uint8_t>(edits_[static_cast<size_t>(i)]->GetValue());
    SendSet();
}
