#include "pages/system/MSwitcherDlg.h"

#include "controls/CDropButton.h"
#include "controls/CGdipButton.h"
#include "controls/CSxGroupBox.h"
#include "device/CDeviceData.h"
#include "pagekit/DialogIds.h"
#include "pagekit/DialogLanguage.h"
#include "pagekit/UiText.h"
#include "pages/system/LayerPageWidgets.h"
#include "pages/system/SwitcherIds.h"
#include "pages/system/SwitcherRules.h"
#include "platform/MessageBox.h"
#include "platform/MessageIds.h"
#include "platform/PageNotifyCodes.h"

#include <QLabel>

namespace sw = ctl::switcher;
using layerpage::Dlu;

namespace {

// Light skins, for the panel buttons' dark captions.
constexpr unsigned kPanelImage = 2005;
constexpr unsigned kPanelPressedImage = 2006;
constexpr COLORREF kPanelCaption = 0x101010;
constexpr int kSwitchModeText = 28;
constexpr int kMultiMachineText = 90;
constexpr int kTitleText = 98;
constexpr int kSerialTakeText = 136;

}  // namespace

MSwitcherDlg::MSwitcherDlg(QWidget* parent) : MBaseDialog(IDD_SWITCHER, parent, true)
{
    setWindowTitle(QStringLiteral("Switcher Mode"));
}

void MSwitcherDlg::OnInitDialog()
{
    if (IsInitialised()) return;
    MBaseDialog::OnInitDialog();
    SetTitle(g_UiText[kTitleText]);
    CreateCaptionButtons(false);

    modeGroup_ = layerpage::MakeGroup(this, sw::IDC_SWITCHER_GROUP, g_UiText[kSwitchModeText], Dlu(2, 24, 206, 63));
    multiGroup_ = layerpage::MakeGroup(this, sw::IDC_MULTI_MACHINE_GROUP, g_UiText[kMultiMachineText], Dlu(3, 96, 206, 24));
    onOff_ = layerpage::MakeSwitch(this, sw::IDC_ON_OFF, Dlu(151, 35, 48, 18));
    const int panelIds[2] = {sw::IDC_PANEL_X1, sw::IDC_PANEL_X2};
    const QString panelTexts[2] = {QStringLiteral("Panel x 1"), QStringLiteral("Panel x 2")};
    const QRect panelRects[2] = {Dlu(22, 35, 52, 18), Dlu(83, 35, 52, 18)};
    for (int p = 0; p < 2; ++p) {
        CGdipButton* b = layerpage::MakeImageButton(this, panelIds[p], panelTexts[p], kPanelImage, kPanelPressedImage, panelRects[p]);
        b->SetRadio(true);
        b->SetColorAndRedraw(kPanelCaption);
        panels_[static_cast<size_t>(p)] = b;
    }
    panels_[0]->SetPressed(true);
    multi_ = layerpage::MakeSwitch(this, sw::IDC_MULTI_MACHINE, Dlu(152, 100, 48, 18));
    for (CGdipButton* b : {onOff_, panels_[0], panels_[1], multi_}) connect(b, &CGdipButton::clickedId, this, &MSwitcherDlg::OnButton);

    QLabel* fadeLabel = layerpage::MakeStatic(this, sw::IDC_FADE_LABEL, QStringLiteral("Fade Duration :"), Dlu(10, 62, 84, 12));
    QLabel* secLabel = layerpage::MakeStatic(this, sw::IDC_SECONDS_LABEL, QStringLiteral("sec"), Dlu(136, 62, 24, 12));
    // The template's edit under the list is not used: the list alone holds the fade time.
    const QRect l = fadeLabel->geometry();
    const QRect s = secLabel->geometry();
    fadeList_ = layerpage::MakeDropList(this, sw::IDC_FADE_LIST, QRect(QPoint(l.right() + 1 + 2, l.top() - 2), QPoint(s.left() - 5 - 1, l.top() - 2 + 19)));
    for (int n = 0; n < switcher::kFadeCount; ++n) {
        const int row = fadeList_->GetList()->AddString(QString::fromLatin1(switcher::FadeText(n)));
        fadeList_->GetList()->SetItemData(row, static_cast<DropItemData>(n));
    }
    fadeList_->SetCurSel(0);

    ApplyFontToChildren();
    onOff_->SetPressed(false);
    for (CGdipButton* b : panels_) layerpage::EnableButton(b, false);
    fadeList_->setEnabled(false);
}

void MSwitcherDlg::ApplyLanguage()
{
    ApplyDialogLanguage(this, IDD_SWITCHER);
    SetTitle(g_UiText[kTitleText]);
    if (modeGroup_) modeGroup_->SetCaption(g_UiText[kSwitchModeText]);
    if (multiGroup_) multiGroup_->SetCaption(g_UiText[kMultiMachineText]);
    update();
}

void MSwitcherDlg::EnableByOnState(bool on)
{
    onOff_->SetPressed(on);
    for (CGdipButton* b : panels_) layerpage::EnableButton(b, on);
    fadeList_->setEnabled(on);
}

void MSwitcherDlg::RefreshFromDevice()
{
    if (!onOff_) return;
    CDeviceData& dev = GetDeviceData();
    const int m = switcher::WorkModeFromDevice(dev.pvwMode);
    EnableByOnState(m != switcher::kNormal);
    panels_[0]->SetPressed(m == switcher::kSwitcher);
    panels_[1]->SetPressed(m == switcher::kDual);
    panel_ = switcher::PanelAfterRefresh(panel_, m);
    SelectDropItemByData(fadeList_, static_cast<DropItemData>(dev.pvwDTime));
    PostMsg(parentWidget(), WM_PAGE_NOTIFY, NOTIFY_SWITCHER_MODE, m);
}

void MSwitcherDlg::ShowBusy() { SendMsg(parentWidget(), WM_BUSY_DIALOG, 1, 0, g_UiText[UI_TEXT_WAIT_OPERATION]); }

void MSwitcherDlg::PostModeNotices(LPARAM switcherValue)
{
    PostMsg(parentWidget(), WM_PAGE_NOTIFY, NOTIFY_SWITCHER_MODE, switcherValue);
    PostMsg(parentWidget(), WM_PAGE_NOTIFY, NOTIFY_SPLICING_MODE, GetDeviceData().mosaic.mode);
}

void MSwitcherDlg::OnButton(int id)
{
    if (id == sw::IDC_ON_OFF) OnOnOff();
    else if (id == sw::IDC_PANEL_X1 || id == sw::IDC_PANEL_X2) OnPanelCount(id);
    else if (id == sw::IDC_MULTI_MACHINE) OnMultiMachine();
}

void MSwitcherDlg::OnOnOff()
{
    CDeviceData& dev = GetDeviceData();
    const bool on = onOff_->IsPressed();
    EnableByOnState(on);
    dev.pvwMode = static_cast<uint8_t>(switcher::WorkModeForOnOff(on, panel_));
    ShowBusy();
    if (switcher::ClearsLogoUsage(dev.pvwMode)) dev.logo.usage = 0;
    dev.SendCommand(CMD_SET_WORK_MODE);
    PostModeNotices(on ? 1 : 0);
    // Both keyer sets may have changed with the mode.
    dev.SendCommand(CMD_QUERY_KEYER, 1);
    dev.SendCommand(CMD_QUERY_KEYER, 3);
}

void MSwitcherDlg::OnPanelCount(int id)
{
    const int p = id - sw::IDC_PANEL_X1;
    if (!switcher::PanelClickChanges(panel_, p)) {
        // A radio click on the selected panel leaves it pressed; nothing else happens.
        if (p >= 0 && p < 2) panels_[static_cast<size_t>(p)]->SetPressed(true);
        return;
    }
    for (int k = 0; k < 2; ++k) panels_[static_cast<size_t>(k)]->SetPressed(k == p);
    CDeviceData& dev = GetDeviceData();
    panel_ = p;
    dev.pvwMode = static_cast<uint8_t>(p + 1);
    if (switcher::ClearsLogoUsage(dev.pvwMode)) {
        dev.logo.usage = 0;
        dev.SendCommand(CMD_QUERY_KEYER, 1);
        dev.SendCommand(CMD_QUERY_KEYER, 3);
    }
    ShowBusy();
    dev.SendCommand(CMD_SET_WORK_MODE);
    PostModeNotices(1);
    dev.SendCommand(CMD_QUERY_63);
}

void MSwitcherDlg::OnMultiMachine()
{
    CDeviceData& dev = GetDeviceData();
    if (dev.netMode != 0) {
        dev.multiMachine = multi_->IsPressed() ? 1 : 0;
        return;
    }
    multi_->SetPressed(false);
    ShowMessageBox(this, g_UiText[kSerialTakeText], g_UiText[UI_TEXT_TIPS], MB_OK);
}

void MSwitcherDlg::OnDropSelect(int id, int index)
{
    if (id != sw::IDC_FADE_LIST) return;
    CDropList* list = fadeList_->GetList();
    if (index < 0 || index >= list->GetCount()) return;
    CDeviceData& dev = GetDeviceData();
    dev.pvwDTime = static_cast<int32_t>(list->GetItemData(index));
    dev.SendCommand(CMD_SET_FADE_TIME);
}
