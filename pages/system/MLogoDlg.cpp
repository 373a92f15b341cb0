#include "pages/system/MLogoDlg.h"

#include "controls/CGdipButton.h"
#include "controls/CSxGroupBox.h"
#include "controls/oRealEdit.h"
#include "device/CDeviceData.h"
#include "pagekit/DialogIds.h"
#include "pagekit/DialogLanguage.h"
#include "pagekit/LanguageFiles.h"
#include "pagekit/UiText.h"
#include "pages/system/LayerPageWidgets.h"
#include "pages/system/LogoIds.h"
#include "platform/MessageBox.h"
#include "platform/MessageIds.h"
#include "platform/PageNotifyCodes.h"

#include <QLabel>
#include <QPainter>

namespace lc = ctl::logo;
using layerpage::Dlu;

namespace {

constexpr unsigned kUsageImage = 129;
constexpr unsigned kUsagePressedImage = 147;
constexpr unsigned kSlotImage = 145;
constexpr COLORREF kPreviewFill = 0x00AEFF;
constexpr int kEditIds[4] = {lc::IDC_H_START_EDIT, lc::IDC_V_START_EDIT, lc::IDC_WIDTH_EDIT, lc::IDC_HEIGHT_EDIT};
constexpr int kGroupIds[6] = {lc::IDC_USAGE_GROUP, lc::IDC_WINDOW_GROUP, lc::IDC_CLEAR_GROUP,
                              lc::IDC_FILES_GROUP, lc::IDC_OPERATE_GROUP, lc::IDC_OPTIONS_GROUP};
constexpr int kGroupTexts[6] = {8, 9, 10, 11, 12, 97};
constexpr int kClearText = 10;
constexpr int kLoadText = 80;
constexpr int kSaveText = 81;
constexpr int kTitleText = 73;
constexpr int kPositionChangedText = 99;
constexpr int kNoSignalText = 160;
const QString kEmptySlotMark = QStringLiteral("O");

QString ApplicationTitle()
{
    const QString title = LoadLangString(QStringLiteral("IDD%1_Title").arg(IDD_MAIN));
    return title.isEmpty() ? QStringLiteral("Tarvo Serial-VideoProcessor") : title;
}

}  // namespace

MLogoDlg::MLogoDlg(QWidget* parent) : MBaseDialog(IDD_LOGO, parent, true)
{
    setWindowTitle(QStringLiteral("Logo Settings"));
}

void MLogoDlg::OnInitDialog()
{
    if (IsInitialised()) return;
    MBaseDialog::OnInitDialog();
    SetTitle(g_UiText[kTitleText]);
    CreateCaptionButtons(false);

    const QRect groupRects[6] = {Dlu(3, 18, 206, 47),  Dlu(3, 67, 206, 88),   Dlu(3, 165, 38, 96),
                                 Dlu(44, 165, 99, 96), Dlu(147, 165, 62, 96), Dlu(3, 266, 206, 31)};
    for (int n = 0; n < 6; ++n)
        groups_[static_cast<size_t>(n)] = layerpage::MakeGroup(this, kGroupIds[n], g_UiText[static_cast<size_t>(kGroupTexts[n])], groupRects[n]);

    auto button = [this](int id, const QString& caption, unsigned std, unsigned alt, const QRect& r) {
        CGdipButton* b = layerpage::MakeImageButton(this, id, caption, std, alt, r);
        b->SetColorAndRedraw(layerpage::kCaptionLight);
        connect(b, &CGdipButton::clickedId, this, &MLogoDlg::OnButton);
        return b;
    };
    usageNormal_ = button(lc::IDC_USAGE_NORMAL, QStringLiteral("Normal"), kUsageImage, kUsagePressedImage, Dlu(18, 39, 48, 18));
    usageLogo_ = button(lc::IDC_USAGE_LOGO, QStringLiteral("Logo"), kUsageImage, kUsagePressedImage, Dlu(78, 39, 48, 18));
    for (CGdipButton* b : {usageNormal_, usageLogo_}) b->SetRadio(true);
    usageNormal_->SetPressed(true);
    onOff_ = layerpage::MakeSwitch(this, lc::IDC_ON_OFF, Dlu(138, 39, 47, 17));
    top_ = layerpage::MakeSwitch(this, lc::IDC_TOP, Dlu(55, 277, 38, 15));
    border_ = layerpage::MakeSwitch(this, lc::IDC_BORDER, Dlu(165, 277, 38, 15));
    for (CGdipButton* b : {onOff_, top_, border_}) connect(b, &CGdipButton::clickedId, this, &MLogoDlg::OnButton);
    layerpage::EnableButton(onOff_, false);

    for (int l = 0; l < logo::kSlotCount; ++l) {
        const size_t i = static_cast<size_t>(l);
        const int y = 181 + 18 * l;
        // Wide enough for "Clear" with room on its skin.
        clear_[i] = button(lc::IDC_CLEAR_1 + l, kEmptySlotMark, layerpage::kPlainButtonImage, 0, Dlu(6, y, 32, 18));
        slot_[i] = button(lc::IDC_SLOT_1 + l, QStringLiteral("LOGO%1").arg(l + 1), kSlotImage, 0, Dlu(48, y, 91, 18));
        saveLoad_[i] = button(lc::IDC_SAVE_LOAD_1 + l, g_UiText[kLoadText], layerpage::kPlainButtonImage, 0, Dlu(153, y, 50, 18));
        layerpage::EnableButton(clear_[i], false);
        layerpage::EnableButton(saveLoad_[i], false);
    }

    notice_ = layerpage::MakeStatic(this, lc::IDC_NOTICE_LABEL, QString(), Dlu(64, 22, 138, 11));
    notice_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Wide enough for the Chinese labels (four characters and the colon); the edits follow them.
    layerpage::MakeStatic(this, lc::IDC_H_START_LABEL, QStringLiteral("H Start :"), Dlu(10, 83, 48, 12));
    layerpage::MakeStatic(this, lc::IDC_V_START_LABEL, QStringLiteral("V Start :"), Dlu(10, 100, 48, 12));
    layerpage::MakeStatic(this, lc::IDC_WIDTH_LABEL, QStringLiteral("Width :"), Dlu(10, 117, 48, 12));
    layerpage::MakeStatic(this, lc::IDC_HEIGHT_LABEL, QStringLiteral("Height :"), Dlu(10, 136, 48, 12));
    layerpage::MakeStatic(this, lc::IDC_TOP_LABEL, QStringLiteral("Logo Top"), Dlu(7, 279, 46, 11));
    layerpage::MakeStatic(this, lc::IDC_BORDER_LABEL, QStringLiteral("Logo Border"), Dlu(96, 279, 68, 11));

    const QRect editRects[4] = {Dlu(60, 81, 36, 14), Dlu(60, 98, 36, 14), Dlu(60, 115, 36, 14), Dlu(60, 134, 36, 14)};
    for (int n = 0; n < 4; ++n) {
        const int minimum = n < 2 ? 0 : logo::kMinSize;
        edits_[static_cast<size_t>(n)] = layerpage::MakeIntEdit(this, kEditIds[n], minimum, minimum, logo::kMaxEditValue, editRects[n]);
    }

    preview_ = logo::PreviewEdges(groups_[1]->geometry());
    ApplyFontToChildren();
}

void MLogoDlg::ApplyLanguage()
{
    ApplyDialogLanguage(this, IDD_LOGO);
    SetTitle(g_UiText[kTitleText]);
    const CDeviceData& dev = GetDeviceData();
    for (int n = 0; n < 6; ++n)
        if (groups_[static_cast<size_t>(n)]) groups_[static_cast<size_t>(n)]->SetCaption(g_UiText[static_cast<size_t>(kGroupTexts[n])]);
    for (int l = 0; l < logo::kSlotCount; ++l) {
        const size_t i = static_cast<size_t>(l);
        if (saveLoad_[i]) saveLoad_[i]->setText(g_UiText[dev.logo.usage == 1 ? kLoadText : kSaveText]);
        if (clear_[i]) clear_[i]->setText(dev.logo.valid[l] ? g_UiText[kClearText] : kEmptySlotMark);
    }
    update();
}

void MLogoDlg::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    PaintBackground(p);
    DrawTitleBand(p, Title());
    const QRect preview = logo::ToQRect(preview_);
    if (preview.isEmpty()) return;
    p.fillRect(preview, ToQColor(kPreviewFill));
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    // A one-pixel pen covers a QRect's size plus one: shrunk by one, the outline stays inside.
    const QRect logoRect = logo::ToQRect(logoEdges_);
    if (!logoRect.isEmpty()) p.drawRect(logoRect.adjusted(0, 0, -1, -1));
}

bool MLogoDlg::IsUsable(int l) const
{
    const CDeviceData& dev = GetDeviceData();
    return logo::IsSlotUsable(dev.logo, l, dev.outputReso.hReso, dev.outputReso.vReso);
}

void MLogoDlg::SetCurrentSlot(int l)
{
    cur_ = ValidSlot(l) ? l : 0;
    GetDeviceData().logoSlot = static_cast<uint8_t>(cur_);
}

bool MLogoDlg::CurrentSlotStored() const
{
    return GetDeviceData().logo.valid[static_cast<size_t>(cur_)] != 0;
}

void MLogoDlg::EnableOnOffForSlot()
{
    if (GetDeviceData().logo.usage == 1) layerpage::EnableButton(onOff_, CurrentSlotStored());
}

logo::Window MLogoDlg::ShownWindow() const
{
    if (!edits_[0]) return {};
    auto value = [this](int n) { return static_cast<int>(edits_[static_cast<size_t>(n)]->GetValue()); };
    return {value(0), value(1), value(2), value(3)};
}

void MLogoDlg::ShowWindow(const logo::Window& w)
{
    edits_[0]->SetValue(static_cast<float>(w.h));
    edits_[1]->SetValue(static_cast<float>(w.v));
    edits_[2]->SetValue(static_cast<float>(w.width));
    edits_[3]->SetValue(static_cast<float>(w.height));
    shown_ = ShownWindow();
}

void MLogoDlg::SendFinalWindowIfDirty()
{
    CDeviceData& dev = GetDeviceData();
    if (!dev.logoDirty) return;
    dev.SendCommand(CMD_LOGO, 3);
    dev.logoDirty = 0;
}

void MLogoDlg::AnnounceLayerChange()
{
    PostMsg(parentWidget(), WM_LAYER_SET_CHANGED, 1, 0);
    SendMsg(parentWidget(), WM_PAGE_NOTIFY, NOTIFY_LAYER_VISIBILITY, 2);
}

void MLogoDlg::ShowBusy() { SendMsg(parentWidget(), WM_BUSY_DIALOG, 1, 0, g_UiText[UI_TEXT_WAIT_OPERATION]); }

void MLogoDlg::ShowPage(bool show)
{
    MBaseDialog::ShowPage(show);
    if (!onOff_) return;
    CDeviceData& dev = GetDeviceData();
    if (!show) SendFinalWindowIfDirty();
    else if (dev.logo.usage == 0) notice_->setVisible(dev.chnl[3].onOff == 0);
    RefreshFromDevice();
    UpdateEnableState();
}

void MLogoDlg::RefreshFromDevice()
{
    if (!onOff_) return;
    CDeviceData& dev = GetDeviceData();
    usageNormal_->SetPressed(dev.logo.usage == 0);
    usageLogo_->SetPressed(dev.logo.usage == 1);
    top_->SetPressed(dev.logo.pos == 0);
    border_->SetPressed(dev.logo.border != 0);
    if (dev.logo.curId >= logo::kSlotCount) dev.logo.curId = 0;
    SetCurrentSlot(dev.logo.curId);
    onOff_->SetPressed(dev.logo.onOff != 0);
    for (int l = 0; l < logo::kSlotCount; ++l) {
        const size_t i = static_cast<size_t>(l);
        const bool stored = dev.logo.valid[l] != 0;
        clear_[i]->setText(stored ? g_UiText[kClearText] : kEmptySlotMark);
        slot_[i]->SetColorAndRedraw(logo::SlotColor(stored, l == cur_));
        if (dev.logo.usage == 1) {
            layerpage::EnableButton(saveLoad_[i], l == cur_);
            layerpage::EnableButton(slot_[i], stored);
        }
    }
    SetUsageControls(dev.logo.usage);
    AnnounceLayerChange();
}

void MLogoDlg::SetUsageControls(int usage)
{
    CDeviceData& dev = GetDeviceData();
    if (usage == 1) {
        usageNormal_->SetPressed(false);
        const int s = cur_;
        LogoSettings::Windows& win = dev.logo.win;
        win.hPos[s] = logo::ToField(logo::StartInside(win.hPos[s], win.hAct[s], dev.outputReso.hReso));
        win.vPos[s] = logo::ToField(logo::StartInside(win.vPos[s], win.vAct[s], dev.outputReso.vReso));
        dev.logoEdit.hPos[s] = win.hPos[s];
        dev.logoEdit.vPos[s] = win.vPos[s];
        dev.logoEdit.hAct[s] = win.hAct[s];
        dev.logoEdit.vAct[s] = win.vAct[s];
        ShowWindow({win.hPos[s], win.vPos[s], win.hAct[s], win.vAct[s]});
        for (int l = 0; l < logo::kSlotCount; ++l) {
            const size_t i = static_cast<size_t>(l);
            const bool usable = IsUsable(l);
            saveLoad_[i]->setText(g_UiText[kLoadText]);
            layerpage::EnableButton(saveLoad_[i], usable && l == s);
            layerpage::EnableButton(clear_[i], usable && l == s);
            layerpage::EnableButton(slot_[i], usable);
        }
        EnableOnOffForSlot();
        edits_[0]->setEnabled(true);
        edits_[1]->setEnabled(true);
        edits_[2]->setEnabled(false);
        edits_[3]->setEnabled(false);
        notice_->hide();
    } else if (usage == 0) {
        usageLogo_->SetPressed(false);
        onOff_->SetPressed(false);
        const LayerWindow& pip3 = dev.chnl[3];
        ShowWindow({0, 0, pip3.hAct, pip3.vAct});
        // What the edits show (clamped into their ranges) is what is stored: a PIP-3 size from
        // the device never wraps into the 16-bit fields.
        const logo::Window w = ShownWindow();
        dev.logoEdit.hAct[cur_] = logo::ToField(w.width);
        dev.logoEdit.vAct[cur_] = logo::ToField(w.height);
        dev.logoEdit.hPos[cur_] = logo::ToField(int64_t{pip3.hPos} + w.h);
        dev.logoEdit.vPos[cur_] = logo::ToField(int64_t{pip3.vPos} + w.v);
        for (int l = 0; l < logo::kSlotCount; ++l) {
            const size_t i = static_cast<size_t>(l);
            saveLoad_[i]->setText(g_UiText[kSaveText]);
            layerpage::EnableButton(saveLoad_[i], l == cur_);
            layerpage::EnableButton(slot_[i], true);
        }
        layerpage::EnableButton(onOff_, false);
        for (oRealEdit* e : edits_) e->setEnabled(true);
        notice_->setVisible(pip3.onOff == 0);
        EnableWindowEdits(pip3.onOff != 0);
    } else {
        return;
    }
    UpdateLogoPreview(usage);
}

void MLogoDlg::EnableWindowEdits(bool on)
{
    for (oRealEdit* e : edits_) e->setEnabled(on);
    for (int l = 0; l < logo::kSlotCount; ++l) {
        const size_t i = static_cast<size_t>(l);
        layerpage::EnableButton(saveLoad_[i], on && l == cur_);
        layerpage::EnableButton(clear_[i], on && IsUsable(l) && l == cur_);
        layerpage::EnableButton(slot_[i], on);
    }
}

void MLogoDlg::UpdateLogoPreview(int usage)
{
    const CDeviceData& dev = GetDeviceData();
    const logo::Window w = ShownWindow();
    const double pw = preview_.Width();
    const double ph = preview_.Height();
    if (pw <= 0 || ph <= 0) return;
    double sx = 0;
    double sy = 0;
    if (usage == 1) {
        if (w.width > dev.outputReso.hReso || w.height > dev.outputReso.vReso) return;
        sx = dev.outputReso.hReso / pw;
        sy = dev.outputReso.vReso / ph;
    } else {
        sx = dev.chnl[3].hAct / pw;
        sy = dev.chnl[3].vAct / ph;
    }
    logoEdges_ = logo::PreviewLogoEdges(preview_, w, sx, sy);
    update(logo::ToQRect(preview_).adjusted(-2, -2, 2, 2));
}

void MLogoDlg::OnButton(int id)
{
    if (id == lc::IDC_ON_OFF) OnOnOff();
    else if (id == lc::IDC_BORDER) OnBorder();
    else if (id == lc::IDC_TOP) OnTop();
    else if (id == lc::IDC_USAGE_LOGO) OnUsage(1);
    else if (id == lc::IDC_USAGE_NORMAL) OnUsage(0);
    else if (id >= lc::IDC_CLEAR_1 && id <= lc::IDC_CLEAR_4) OnClear(id - lc::IDC_CLEAR_1);
    else if (id >= lc::IDC_SAVE_LOAD_1 && id <= lc::IDC_SAVE_LOAD_4) OnSaveLoad(id - lc::IDC_SAVE_LOAD_1);
    else if (id >= lc::IDC_SLOT_1 && id <= lc::IDC_SLOT_4) OnSelectSlot(id - lc::IDC_SLOT_1);
}

void MLogoDlg::OnOnOff()
{
    CDeviceData& dev = GetDeviceData();
    // PIP-3 on program in switcher or dual mode: the logo cannot change now.
    if (dev.pvwMode != 0 && dev.pgmState[3] != 0) {
        onOff_->SetPressed(!onOff_->IsPressed());
        return;
    }
    SendFinalWindowIfDirty();
    const bool on = onOff_->IsPressed();
    // In logo use ON shows the current slot: an empty one has nothing to show (the main window's
    // PIP-3 button reaches here whatever the ON button's state).
    if (on && dev.logo.usage == 1 && !CurrentSlotStored()) {
        onOff_->SetPressed(false);
        return;
    }
    if (on && positionChanged_) {
        const int answer = ShowMessageBox(this, g_UiText[kPositionChangedText], g_UiText[UI_TEXT_TIPS], MB_OKCANCEL);
        if (answer != IDOK) {
            // Back to the slot last loaded; the logo stays off.
            const int r = ValidSlot(dev.logo.curId) ? dev.logo.curId : 0;
            const LogoSettings::Windows& win = dev.logo.win;
            ShowWindow({win.hPos[r], win.vPos[r], win.hAct[r], win.vAct[r]});
            layerpage::EnableButton(clear_[static_cast<size_t>(cur_)], false);
            layerpage::EnableButton(saveLoad_[static_cast<size_t>(cur_)], false);
            layerpage::EnableButton(clear_[static_cast<size_t>(r)], true);
            layerpage::EnableButton(saveLoad_[static_cast<size_t>(r)], true);
            SetCurrentSlot(r);
            EnableOnOffForSlot();
            PostMsg(parentWidget(), WM_LAYER_GEOMETRY, LAYER_GEOMETRY_CELL, 3);
            UpdateLogoPreview(dev.logo.usage);
            onOff_->SetPressed(false);
            positionChanged_ = false;
            return;
        }
        // A Load refused (the slot does not fit the output) leaves the logo off.
        if (!OnSaveLoad(cur_)) {
            onOff_->SetPressed(false);
            return;
        }
    }
    dev.logo.onOff = on ? 1 : 0;
    dev.SendCommand(CMD_LOGO, 5);
    SendMsg(parentWidget(), WM_PAGE_NOTIFY, NOTIFY_LAYER_VISIBILITY, 2);
    if (on) ShowBusy();
}

void MLogoDlg::OnTop()
{
    CDeviceData& dev = GetDeviceData();
    dev.logo.pos = top_->IsPressed() ? 0 : 1;
    dev.SendCommand(CMD_LOGO, 6);
}

void MLogoDlg::OnBorder()
{
    CDeviceData& dev = GetDeviceData();
    dev.logo.border = border_->IsPressed() ? 1 : 0;
    dev.SendCommand(CMD_LOGO, 7);
}

void MLogoDlg::OnUsage(int usage)
{
    CDeviceData& dev = GetDeviceData();
    if (dev.logo.usage == usage) return;
    dev.logo.onOff = 0;
    dev.logo.usage = static_cast<uint8_t>(usage);
    if (usage == 1) SetCurrentSlot(dev.logo.curId);
    dev.SendCommand(CMD_LOGO, 4);
    SetUsageControls(usage);
    AnnounceLayerChange();
    SendFinalWindowIfDirty();
}

void MLogoDlg::OnClear(int l)
{
    const size_t i = static_cast<size_t>(l);
    CDeviceData& dev = GetDeviceData();
    clear_[i]->setText(kEmptySlotMark);
    layerpage::EnableButton(clear_[i], false);
    slot_[i]->SetColorAndRedraw(logo::kSlotEmptyColor);
    dev.logo.valid[l] = 0;
    dev.SendCommand(CMD_LOGO, 0, l);
    if (dev.logo.usage == 1) layerpage::EnableButton(saveLoad_[i], false);
    EnableOnOffForSlot();
}

bool MLogoDlg::OnSaveLoad(int l)
{
    CDeviceData& dev = GetDeviceData();
    const size_t i = static_cast<size_t>(l);
    const logo::Window w = ShownWindow();
    if (dev.logo.usage == 0) {
        if (!logo::Pip3HasSignal(dev)) {
            ShowMessageBox(this, g_UiText[kNoSignalText], ApplicationTitle(), MB_OK);
            return false;
        }
        dev.logo.valid[l] = 1;
        clear_[i]->setText(g_UiText[kClearText]);
        layerpage::EnableButton(clear_[i], l == cur_);
        slot_[i]->SetColorAndRedraw(logo::kSlotStoredColor);
        const LayerWindow& pip3 = dev.chnl[3];
        dev.logoEdit.hPos[cur_] = logo::ToField(int64_t{pip3.hPos} + w.h);
        dev.logoEdit.vPos[cur_] = logo::ToField(int64_t{pip3.vPos} + w.v);
        dev.logoEdit.hAct[cur_] = logo::ToField(w.width);
        dev.logoEdit.vAct[cur_] = logo::ToField(w.height);
        dev.logo.win.hPos[l] = 0;
        dev.logo.win.vPos[l] = 0;
        dev.logo.win.hAct[l] = logo::ToField(w.width);
        dev.logo.win.vAct[l] = logo::ToField(w.height);
        dev.SendCommand(CMD_LOGO, 3);
        dev.logoDirty = 0;
        dev.SendCommand(CMD_LOGO, 2);
    } else {
        // A slot that does not fit the output cannot be loaded.
        if (!IsUsable(l)) return false;
        if (ValidSlot(dev.logo.curId)) slot_[static_cast<size_t>(dev.logo.curId)]->SetColorAndRedraw(logo::kSlotStoredColor);
        slot_[i]->SetColorAndRedraw(logo::kSlotLoadedColor);
        dev.logo.win.hPos[l] = logo::ToField(w.h);
        dev.logo.win.vPos[l] = logo::ToField(w.v);
        dev.logo.win.hAct[l] = logo::ToField(w.width);
        dev.logo.win.vAct[l] = logo::ToField(w.height);
        dev.logo.curId = static_cast<uint8_t>(l);
        dev.SendCommand(CMD_LOGO, 3);
        dev.logoDirty = 0;
        dev.SendCommand(CMD_LOGO, 1);
        PostMsg(parentWidget(), WM_LAYER_GEOMETRY, LAYER_GEOMETRY_CELL, 3);
        positionChanged_ = false;
    }
    ShowBusy();
    return true;
}

void MLogoDlg::OnSelectSlot(int l)
{
    CDeviceData& dev = GetDeviceData();
    SetCurrentSlot(l);
    SetUsageControls(dev.logo.usage);
    if (dev.logo.border && dev.logoDirty == 1) dev.SendCommand(CMD_LOGO, 3, 1);
    if (dev.logo.usage == 1) {
        PostMsg(parentWidget(), WM_LAYER_GEOMETRY, LAYER_GEOMETRY_CELL, 3);
        positionChanged_ = l != dev.logo.curId;
    }
}

void MLogoDlg::OnValueChanged(int id)
{
    if (!isVisible()) return;
    int n = 0;
    while (n < 4 && kEditIds[n] != id) ++n;
    if (n == 4) return;
    // An edit commits again when it loses the focus; a window that did not change is no edit
    // (it would send the window again and, in logo use, ask for a load that is not needed).
    if (ShownWindow() == shown_) return;
    CDeviceData& dev = GetDeviceData();
    const bool logoUsage = dev.logo.usage == 1;
    const int boundW = logoUsage ? dev.outputReso.hReso : dev.chnl[3].hAct;
    const int boundH = logoUsage ? dev.outputReso.vReso : dev.chnl[3].vAct;
    const logo::Edit edits[4] = {logo::Edit::HStart, logo::Edit::VStart, logo::Edit::Width, logo::Edit::Height};
    const logo::Window w = logo::CorrectWindow(ShownWindow(), edits[n], logoUsage, boundW, boundH);
    ShowWindow(w);
    UpdateLogoPreview(dev.logo.usage);
    const int s = cur_;
    const LayerWindow& pip3 = dev.chnl[3];
    dev.logoEdit.hPos[s] = logo::ToField(logoUsage ? w.h : int64_t{pip3.hPos} + w.h);
    dev.logoEdit.vPos[s] = logo::ToField(logoUsage ? w.v : int64_t{pip3.vPos} + w.v);
    dev.logoEdit.hAct[s] = logo::ToField(w.width);
    dev.logoEdit.vAct[s] = logo::ToField(w.height);
    const int provisional = dev.logo.border ? 1 : 0;
    dev.SendCommand(CMD_LOGO, 3, provisional);
    dev.logoDirty = static_cast<uint8_t>(provisional);
    if (logoUsage) positionChanged_ = true;
}

void MLogoDlg::ResetLogoWindow()
{
    if (!onOff_) return;
    const CDeviceData& dev = GetDeviceData();
    if (dev.logo.usage != 0) return;
    ShowWindow({0, 0, dev.chnl[3].hAct, dev.chnl[3].vAct});
    UpdateLogoPreview(0);
}

void MLogoDlg::SetLogoOnOff(int on)
{
    if (!onOff_) return;
    if (GetDeviceData().logo.usage == 1) {
        onOff_->SetPressed(on != 0);
        OnOnOff();
        notice_->hide();
        return;
    }
    EnableWindowEdits(on != 0);
    SendFinalWindowIfDirty();
    notice_->setVisible(on == 0);
}

void MLogoDlg::UpdateEnableState()
{
    if (!onOff_) return;
    const CDeviceData& dev = GetDeviceData();
    bool buttons = true;
    if (dev.pvwMode != 0) {
        const bool p = dev.pgmState[3] != 0;
        const bool e = dev.logo.usage != 0 ? !p : (!p && dev.chnl[3].onOff != 0);
        EnableWindowEdits(e);
        if (dev.logo.usage == 1) {
            edits_[2]->setEnabled(false);
            edits_[3]->setEnabled(false);
        }
        buttons = !p;
    } else {
        SetUsageControls(dev.logo.usage);
    }
    for (CGdipButton* b : {usageNormal_, usageLogo_, top_, border_}) b->setEnabled(buttons);
}
