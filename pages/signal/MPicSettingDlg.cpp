#include "pages/signal/MPicSettingDlg.h"

#include "controls/CDropButton.h"
#include "controls/CGdipButton.h"
#include "controls/CSxGroupBox.h"
#include "controls/oBitmapSlider.h"
#include "device/CDeviceData.h"
#include "pagekit/DialogIds.h"
#include "pagekit/DialogLanguage.h"
#include "pagekit/PageControls.h"
#include "pagekit/UiText.h"
#include "pages/signal/PictureIds.h"
#include "pages/signal/PicturePageRules.h"
#include "pages/signal/SignalPageHelpers.h"
#include "platform/ControlId.h"
#include "platform/MessageIds.h"

#include <QLabel>
#include <QPainter>

#include <cmath>

namespace pc = ctl::picture;
namespace pr = picturerules;

namespace {

constexpr unsigned kWindowImage = 113;
constexpr unsigned kWindowAltImage = 114;
constexpr unsigned kSmallImage = 129;
constexpr unsigned kWideImage = 115;
constexpr unsigned kSliderBack = 168;
constexpr COLORREF kCaptionColor = 0xEBEBEB;
constexpr COLORREF kSelectedCaptionColor = 0x9CEF;
constexpr COLORREF kFrameColor = 0x1E1E1E;  // the double frame around the controls

struct ValueRow {
    int edit, slider, label;
    const char* text;
    float max;
    const char* format;
};
// Bright level, gamma, brightness, contrast, sharpness, saturation, hue, red, green, blue.
constexpr ValueRow kRows[MPicSettingDlg::kValueCount] = {
    {pc::IDC_BRIGHT_LEVEL_EDIT, pc::IDC_BRIGHT_LEVEL_SLIDER, pc::IDC_BRIGHT_LEVEL_LABEL, "Bright Level :", 16, "%d"},
    {pc::IDC_GAMMA_EDIT, pc::IDC_GAMMA_SLIDER, pc::IDC_GAMMA_LABEL, "Gamma :", 5.0f, "%.1f"},
    {pc::IDC_BRIGHTNESS_EDIT, pc::IDC_BRIGHTNESS_SLIDER, pc::IDC_BRIGHTNESS_LABEL, "Brightness :", 100, "%d"},
    {pc::IDC_CONTRAST_EDIT, pc::IDC_CONTRAST_SLIDER, pc::IDC_CONTRAST_LABEL, "Contrast :", 100, "%d"},
    {pc::IDC_SHARPNESS_EDIT, pc::IDC_SHARPNESS_SLIDER, pc::IDC_SHARPNESS_LABEL, "Sharpness :", 24, "%d"},
    {pc::IDC_SATURATION_EDIT, pc::IDC_SATURATION_SLIDER, pc::IDC_SATURATION_LABEL, "Saturation :", 100, "%d"},
    {pc::IDC_HUE_EDIT, pc::IDC_HUE_SLIDER, pc::IDC_HUE_LABEL, "Hue :", 100, "%d"},
    {pc::IDC_RED_EDIT, pc::IDC_RED_SLIDER, pc::IDC_RED_LABEL, "Red :", 255, "%d"},
    {pc::IDC_GREEN_EDIT, pc::IDC_GREEN_SLIDER, pc::IDC_GREEN_LABEL, "Green :", 255, "%d"},
    {pc::IDC_BLUE_EDIT, pc::IDC_BLUE_SLIDER, pc::IDC_BLUE_LABEL, "Blue :", 255, "%d"},
};
constexpr int kBrightLevel = 0, kGamma = 1, kFirstGain = 7;
// The per-window field of rows 2..9.
constexpr pr::PictureField kFields[8] = {pr::PictureField::Brightness, pr::PictureField::Contrast,
                                         pr::PictureField::Sharpness,  pr::PictureField::Saturation,
                                         pr::PictureField::Hue,        pr::PictureField::Red,
                                         pr::PictureField::Green,      pr::PictureField::Blue};

// Layout in pixels: a label, a slider, the edit and, on two rows, the on/off switch.
constexpr int kLabelLeft = 12, kLabelWidth = 102;
constexpr int kSliderLeft = 116, kSliderWidth = 100;
constexpr int kEditLeft = 222, kEditWidth = 50;
constexpr int kSwitchLeft = 276, kSwitchWidth = 34;
constexpr int kRowHeight = 25;
constexpr int kRowControlHeight = 22;
constexpr int kWindowTop = 32;
constexpr int kApplyTop = 64;
constexpr int kModeGroupTop = 94;
constexpr int kModeListTop = kModeGroupTop + 20;
constexpr int kFirstValueTop = kModeListTop + 28;
constexpr int kColorGroupTop = kFirstValueTop + 7 * kRowHeight + 4;
constexpr int kColorListTop = kColorGroupTop + 20;
constexpr int kFirstGainTop = kColorListTop + 30;
constexpr int kResetPictureTop = kFirstGainTop + 3 * kRowHeight + 8;

int RowTop(int k) { return k < kFirstGain ? kFirstValueTop + k * kRowHeight : kFirstGainTop + (k - kFirstGain) * kRowHeight; }

PictureSettings DefaultRecord()
{
    PictureSettings s{};
    pr::ApplyPictureDefaults(s, GetDeviceData().picEdit.resetDefaults);
    return s;
}

} // namespace

using signalpage::SwitchCaption;

MPicSettingDlg::MPicSettingDlg(QWidget* parent) : MBaseDialog(IDD_PICTURE, parent, true)
{
    setWindowTitle(QStringLiteral("Picture Setting"));
}

int MPicSettingDlg::CurrentInput() const { return GetDeviceData().GetWindowInputIndex(window_); }

oSliderEdit* MPicSettingDlg::EditById(int id) const
{
    for (int k = 0; k < kValueCount; ++k)
        if (kRows[k].edit == id) return edits_[static_cast<size_t>(k)];
    return nullptr;
}

void MPicSettingDlg::OnInitDialog()
{
    if (IsInitialised()) return;
    MBaseDialog::OnInitDialog();
    SetTitle(g_UiText[68]);
    CreateCaptionButtons(false);

    auto makeButton = [this](int id, const QString& caption, unsigned stdImage, unsigned altImage, const QRect& r) {
        auto* b = new CGdipButton(this);
        b->Create(caption, this, id, r);
        b->LoadStdImage(stdImage);
        if (altImage) b->LoadAltImage(altImage);
        b->SetCaptionFont(&ControlFont());
        b->SetColorAndRedraw(kCaptionColor);
        connect(b, &CGdipButton::clickedId, this, &MPicSettingDlg::OnButton);
        return b;
    };

    for (int k = 0; k < 4; ++k) {
        CGdipButton* b = makeButton(pc::IDC_WINDOW_0 + k, k == 0 ? QStringLiteral("MAIN") : QStringLiteral("PIP-%1").arg(k),
                                    kWindowImage, kWindowAltImage, QRect(10 + 75 * k, kWindowTop, 72, 28));
        b->SetRadio(true);
        b->SetPressed(k == window_);
        b->SetColorAndRedraw(k == window_ ? kSelectedCaptionColor : kCaptionColor);
        windowButtons_[static_cast<size_t>(k)] = b;
    }
    applyInput_ = makeButton(pc::IDC_APPLY_INPUT, QString(), kWindowImage, kWindowAltImage, QRect(10, kApplyTop, 147, 26));
    applyInput_->SetRadio(true);
    applyAll_ = makeButton(pc::IDC_APPLY_ALL, QStringLiteral("ALL"), kWindowImage, kWindowAltImage,
                           QRect(163, kApplyTop, 147, 26));
    applyAll_->SetRadio(true);

    modeGroup_ = MakePageGroup(this, pc::IDC_PICTURE_MODE_GROUP, g_UiText[0],
                               QRect(6, kModeGroupTop, 308, kColorGroupTop - kModeGroupTop - 4));
    colorGroup_ = MakePageGroup(this, pc::IDC_COLOR_TEMP_GROUP, g_UiText[1],
                                QRect(6, kColorGroupTop, 308, kResetPictureTop - kColorGroupTop - 6));
    StylePageGroups(this, {modeGroup_, colorGroup_}, false);

    modeList_ = MakePageDropList(this, pc::IDC_PICTURE_MODE_LIST, QRect(kLabelLeft, kModeListTop, 296 - kLabelLeft, 22),
                                 &ControlFont());
    modeList_->SetDropHeightLimit(200);
    colorTempList_ = MakePageDropList(this, pc::IDC_COLOR_TEMP_LIST, QRect(kLabelLeft, kColorListTop, 190, 22), &ControlFont());
    colorTempList_->SetDropHeightLimit(200);
    resetColorTemp_ = makeButton(pc::IDC_RESET_COLOR_TEMP, QStringLiteral("Reset"), kSmallImage, 0,
                                 QRect(222, kColorListTop - 2, 88, 26));

    const CDeviceData& dev = GetDeviceData();
    const uint8_t (&seedRow)[10] = dev.picRows[0];
    const float seeds[kValueCount] = {float(dev.picEdit.brightLevelSeed), dev.picEdit.gammaSeed, float(seedRow[2]),
                                      float(seedRow[3]), float(seedRow[6]), float(seedRow[4]), float(seedRow[5]),
                                      float(seedRow[7]), float(seedRow[8]), float(seedRow[9])};
    for (int k = 0; k < kValueCount; ++k) {
        const ValueRow& row = kRows[k];
        const int top = RowTop(k);
        auto* label = new QLabel(QString::fromLatin1(row.text), this);
        SetControlId(label, row.label);
        label->setGeometry(kLabelLeft, top, kLabelWidth, kRowControlHeight);
        labels_[static_cast<size_t>(k)] = label;

        auto* slider = new oBitmapSlider(this);
        SetControlId(slider, row.slider);
        slider->SetBkBitmap(kSliderBack);
        slider->setGeometry(kSliderLeft, top + 2, kSliderWidth, kRowControlHeight - 4);
        sliders_[static_cast<size_t>(k)] = slider;

        auto* edit = new oSliderEdit(this);
        SetControlId(edit, row.edit);
        SetControlOwner(edit, this);
        edit->Init(true, 0, seeds[k], row.max, QString::fromLatin1(row.format));
        edit->setGeometry(kEditLeft, top, kEditWidth, kRowControlHeight);
        edit->AttachSlider(slider);
        edits_[static_cast<size_t>(k)] = edit;
    }
    // The switches carry their state as a caption ("0n"/"0ff"), so they wear the plain skins.
    brightSwitch_ = makeButton(pc::IDC_BRIGHT_LEVEL_ON_OFF, SwitchCaption(false), kWindowImage, kWindowAltImage,
                               QRect(kSwitchLeft, RowTop(kBrightLevel), kSwitchWidth, kRowControlHeight));
    brightSwitch_->SetCheck(true);
    gammaSwitch_ = makeButton(pc::IDC_GAMMA_ON_OFF, SwitchCaption(false), kWindowImage, kWindowAltImage,
                              QRect(kSwitchLeft, RowTop(kGamma), kSwitchWidth, kRowControlHeight));
    gammaSwitch_->SetCheck(true);

    resetPicture_ = makeButton(pc::IDC_RESET_PICTURE, QStringLiteral("Reset Picture Settings"), kWideImage, 0,
                               QRect(40, kResetPictureTop, 240, 30));

    ApplyFontToChildren();
    FillModeList();
    FillColorTempList();
    ShowApplyChoice();
    EnableUserControls(GetDeviceData().picComm.picMode == pr::kUserMode);
}

void MPicSettingDlg::ApplyLanguage()
{
    ApplyDialogLanguage(this, IDD_PICTURE);
    if (modeGroup_) modeGroup_->SetCaption(g_UiText[0]);
    if (colorGroup_) colorGroup_->SetCaption(g_UiText[1]);
    SetTitle(g_UiText[68]);
    GetDeviceData().colorTemps[8].name = g_UiText[42];
    FillModeList();
    FillColorTempList();
    // The input button names the input, the window buttons follow the work mode.
    ShowApplyChoice();
    UpdateLayerButtonTexts();
    ShowSwitch(brightSwitch_, brightLevelOn_);
    ShowSwitch(gammaSwitch_, gammaOn_);
    update();
}

void MPicSettingDlg::FillModeList()
{
    if (!modeList_ || !modeList_->GetList()) return;
    CDropList* list = modeList_->GetList();
    list->ResetContent();
    for (int n = 0; n <= pr::kUserMode; ++n) {
        const int row = list->AddString(g_UiText[static_cast<size_t>(57 + n)]);
        list->SetItemData(row, static_cast<DropItemData>(n));
    }
    SelectDropItemByData(modeList_, static_cast<DropItemData>(pr::ShownPictureMode(GetDeviceData().picComm.picMode)));
}

void MPicSettingDlg::FillColorTempList()
{
    if (!colorTempList_ || !colorTempList_->GetList()) return;
    CDropList* list = colorTempList_->GetList();
    list->ResetContent();
    const CDeviceData& dev = GetDeviceData();
    for (int n = 0; n < pr::kColorTempRows; ++n) {
        const int row = list->AddString(dev.colorTemps[n].name);
        list->SetItemData(row, static_cast<DropItemData>(n));
    }
    const int i = CurrentInput();
    const int shown = dev.picComm.picMode != pr::kUserMode ? pr::kUserColorTemp
                      : i >= 0                              ? pr::ShownColorTempRow(dev.pic[i][window_].colorTemp)
                                                            : 0;
    SelectDropItemByData(colorTempList_, static_cast<DropItemData>(shown));
}

void MPicSettingDlg::OnButton(int id)
{
    if (id >= pc::IDC_WINDOW_0 && id <= pc::IDC_WINDOW_3)
        OnWindowButton(id);
    else if (id == pc::IDC_APPLY_INPUT)
        OnApplyInput();
    else if (id == pc::IDC_APPLY_ALL)
        OnApplyAll();
    else if (id == pc::IDC_GAMMA_ON_OFF)
        OnGammaOnOff();
    else if (id == pc::IDC_BRIGHT_LEVEL_ON_OFF)
        OnBrightLevelOnOff();
    else if (id == pc::IDC_RESET_COLOR_TEMP)
        OnResetColorTemp();
    else if (id == pc::IDC_RESET_PICTURE)
        OnResetPicture();
}

void MPicSettingDlg::ShowSwitch(CGdipButton* button, bool on)
{
    if (!button) return;
    button->SetPressed(on);
    button->setText(SwitchCaption(on));
}

void MPicSettingDlg::ShowApplyChoice()
{
    const CDeviceData& dev = GetDeviceData();
    const bool all = dev.picApplyAll[window_] != 0;
    if (applyInput_) {
        applyInput_->SetPressed(!all);
        const int code = dev.chnl[window_].input;
        // An input code beyond the name table names nothing.
        applyInput_->setText(code < kInputIndexCount ? dev.inputNames[code].name.trimmed() : QString());
    }
    if (applyAll_) applyAll_->SetPressed(all);
}

void MPicSettingDlg::EnableValue(int k, bool on)
{
    if (k >= 0 && k < kValueCount && edits_[static_cast<size_t>(k)]) edits_[static_cast<size_t>(k)]->setEnabled(on);
    if (oBitmapSlider* s = ValueSlider(k)) {
        s->Enable(on);
        s->setEnabled(on);
    }
}

void MPicSettingDlg::EnableUserControls(bool on)
{
    EnableValue(kBrightLevel, on && brightLevelOn_);
    EnableValue(kGamma, on && gammaOn_);
    for (int k = 2; k < kFirstGain; ++k) EnableValue(k, on);
    for (CGdipButton* b : {brightSwitch_, gammaSwitch_}) {
        if (!b) continue;
        b->setEnabled(on);
        b->SetDisabledLook(!on);
    }
    if (colorTempList_) colorTempList_->setEnabled(on);
    EnableColorGains(on);
}

void MPicSettingDlg::EnableColorGains(bool on)
{
    for (int k = kFirstGain; k < kValueCount; ++k) EnableValue(k, on);
}

void MPicSettingDlg::RefreshFromDevice()
{
    const CDeviceData& dev = GetDeviceData();
    const int i = CurrentInput();
    const PictureSettings fallback = DefaultRecord();
    const pr::PictureView v =
        pr::PictureViewFor(dev.picComm, dev.picModePresets, i >= 0 ? &dev.pic[i][window_] : nullptr, fallback);

    SelectDropItemByData(modeList_, static_cast<DropItemData>(v.mode));
    brightLevelOn_ = v.brightLevelOn;
    ShowSwitch(brightSwitch_, brightLevelOn_);
    gammaOn_ = v.gammaOn;
    ShowSwitch(gammaSwitch_, gammaOn_);
    const float shown[kValueCount] = {float(v.brightLevel), v.gamma,      float(v.brightness), float(v.contrast),
                                      float(v.sharpness),   float(v.saturation), float(v.hue),  float(v.red),
                                      float(v.green),       float(v.blue)};
    for (int k = 0; k < kValueCount; ++k)
        if (oSliderEdit* e = ValueEdit(k)) e->SetValue(shown[k]);
    SelectDropItemByData(colorTempList_, static_cast<DropItemData>(v.colorTemp));
    ShowApplyChoice();
    EnableUserControls(v.user);
}

void MPicSettingDlg::OnWindowButton(int id)
{
    const int w = id - pc::IDC_WINDOW_0;
    if (w < 0 || w >= kWindowCount) return;
    if (CGdipButton* old = WindowButton(window_)) old->SetPressed(false);
    if (CGdipButton* now = WindowButton(w)) now->SetPressed(true);
    if (w == window_) return;
    if (CGdipButton* old = WindowButton(window_)) old->SetColorAndRedraw(kCaptionColor);
    if (CGdipButton* now = WindowButton(w)) now->SetColorAndRedraw(kSelectedCaptionColor);
    window_ = w;
    ShowApplyChoice();
    RefreshFromDevice();
}

void MPicSettingDlg::OnApplyInput()
{
    if (applyInput_) applyInput_->SetPressed(true);
    if (applyAll_) applyAll_->SetPressed(false);
    GetDeviceData().picApplyAll[window_] = 0;
}

void MPicSettingDlg::OnApplyAll()
{
    if (applyAll_) applyAll_->SetPressed(true);
    if (applyInput_) applyInput_->SetPressed(false);
    GetDeviceData().picApplyAll[window_] = 1;
}

void MPicSettingDlg::SendPicture() { GetDeviceData().SendCommand(CMD_SET_PICTURE, window_); }

bool MPicSettingDlg::RefusedWithoutRecord()
{
    if (CurrentInput() >= 0) return false;
    RefreshFromDevice();
    return true;
}

void MPicSettingDlg::OnValueChanged(int id)
{
    if (!isVisible()) return;
    int k = -1;
    for (int n = 0; n < kValueCount; ++n)
        if (kRows[n].edit == id) k = n;
    if (k < 0 || RefusedWithoutRecord()) return;
    CDeviceData& dev = GetDeviceData();
    const float value = edits_[static_cast<size_t>(k)]->GetValue();
    const int whole = std::isfinite(value) ? static_cast<int>(value) : 0;
    if (k >= kFirstGain) {
        pr::StorePictureField(dev, window_, CurrentInput(), dev.picApplyAll[window_] != 0, kFields[k - 2], whole);
        SelectDropItemByData(colorTempList_, pr::kUserColorTemp);
    } else {
        dev.picComm.picMode = pr::kUserMode;
        if (k == kBrightLevel)
            dev.picComm.brightLevel = whole;
        else if (k == kGamma)
            dev.picComm.gamma = static_cast<float>(signalpage::ToTenths(value)) / 10.0f;
        else
            pr::StorePictureField(dev, window_, CurrentInput(), dev.picApplyAll[window_] != 0, kFields[k - 2], whole);
        SelectDropItemByData(modeList_, pr::kUserMode);
        EnableUserControls(true);
    }
    SendPicture();
}

void MPicSettingDlg::OnDropSelect(int id, int index)
{
    if (id != pc::IDC_PICTURE_MODE_LIST && id != pc::IDC_COLOR_TEMP_LIST) return;
    if (RefusedWithoutRecord()) return;
    CDeviceData& dev = GetDeviceData();
    if (id == pc::IDC_PICTURE_MODE_LIST) {
        if (index < 0 || index > pr::kUserMode) return;
        dev.picComm.picMode = index;
        EnableUserControls(index == pr::kUserMode);
    } else {
        if (index < 0 || index >= pr::kColorTempRows) return;
        dev.picComm.picMode = pr::kUserMode;
        dev.pic[CurrentInput()][window_].colorTemp = index;
        EnableColorGains(index == pr::kUserColorTemp);
    }
    SendPicture();
    RefreshFromDevice();
}

void MPicSettingDlg::OnGammaOnOff()
{
    if (RefusedWithoutRecord()) return;
    gammaOn_ = gammaSwitch_ && gammaSwitch_->IsPressed();
    ShowSwitch(gammaSwitch_, gammaOn_);
    EnableValue(kGamma, gammaOn_);
    SelectDropItemByData(modeList_, pr::kUserMode);
    CDeviceData& dev = GetDeviceData();
    dev.picComm.picMode = pr::kUserMode;
    dev.picComm.gamma = gammaOn_ ? static_cast<float>(signalpage::ToTenths(ValueEdit(kGamma)->GetValue())) / 10.0f : 0.0f;
    SendPicture();
}

void MPicSettingDlg::OnBrightLevelOnOff()
{
    if (RefusedWithoutRecord()) return;
    brightLevelOn_ = brightSwitch_ && brightSwitch_->IsPressed();
    ShowSwitch(brightSwitch_, brightLevelOn_);
    EnableValue(kBrightLevel, brightLevelOn_);
    SelectDropItemByData(modeList_, pr::kUserMode);
    CDeviceData& dev = GetDeviceData();
    dev.picComm.picMode = pr::kUserMode;
    const float v = ValueEdit(kBrightLevel)->GetValue();
    dev.picComm.brightLevel = brightLevelOn_ ? (std::isfinite(v) ? static_cast<int>(v) : 0) : pr::kBrightLevelOff;
    SendPicture();
}

void MPicSettingDlg::OnResetColorTemp()
{
    if (RefusedWithoutRecord()) return;
    SelectDropItemByData(colorTempList_, pr::kUserColorTemp);
    CDeviceData& dev = GetDeviceData();
    dev.picSendFlag = 1;  // byte 15: this command is the colour-temperature reset
    SendPicture();
    dev.SendCommand(CMD_QUERY_PICTURE, window_);
}

void MPicSettingDlg::OnResetPicture()
{
    if (RefusedWithoutRecord()) return;
    CDeviceData& dev = GetDeviceData();
    pr::ResetAllPictureRecords(dev, dev.picEdit.resetDefaults);
    dev.picCommonFlag = 0;  // byte 0: this command is the picture reset
    SendPicture();
    dev.SendCommand(CMD_QUERY_PICTURE, window_);
}

void MPicSettingDlg::UpdateLayerButtonTexts()
{
    const DeviceParamBlock& b = GetDeviceData();
    const auto states = signalpage::LayerButtonStatesFor(b.pvwMode, b.pgmState, b.pvwState);
    for (int k = 0; k < 4; ++k) signalpage::ApplyLayerButtonState(WindowButton(k), states[static_cast<size_t>(k)]);
    // The page follows the preview window: switcher MAIN then PIP-1, dual window 0 then 2.
    const int candidates[2] = {0, b.pvwMode == 1 ? 1 : 2};
    if (b.pvwMode == 1 || b.pvwMode == 2)
        for (int k : candidates)
            if (states[static_cast<size_t>(k)].onPreview) OnWindowButton(pc::IDC_WINDOW_0 + k);
}

void MPicSettingDlg::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    PaintBackground(p);
    DrawTitleBand(p, Title());
    if (!windowButtons_[0] || !resetPicture_) return;
    // A double frame from under the window buttons to below the reset button.
    const int top = windowButtons_[0]->geometry().bottom() + 3;
    const int bottom = resetPicture_->geometry().bottom() + 8;
    const QRect frame(5, top, width() - 10, bottom - top);
    p.setBrush(Qt::NoBrush);
    p.setPen(ToQColor(kFrameColor));
    p.drawRect(frame.adjusted(0, 0, -1, -1));
    p.drawRect(frame.adjusted(1, 1, 0, 0));
}
