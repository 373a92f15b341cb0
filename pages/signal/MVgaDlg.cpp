#include "pages/signal/MVgaDlg.h"

#include "controls/CGdipButton.h"
#include "controls/CSxGroupBox.h"
#include "controls/oRealEdit.h"
#include "device/CDeviceData.h"
#include "pagekit/PageControls.h"
#include "pagekit/DialogIds.h"
#include "pagekit/DialogLanguage.h"
#include "pagekit/UiText.h"
#include "pages/signal/SignalPageHelpers.h"
#include "pages/signal/VgaIds.h"
#include "platform/ControlId.h"
#include "platform/Dpi.h"
#include "platform/MessageBox.h"
#include "platform/MessageIds.h"

#include <QLabel>

namespace cv = ctl::vga;
namespace vr = vgarules;

namespace {

constexpr int kDisplayGroupText = 17;  // "Display Adjustment"
constexpr int kAdcGroupText = 18;      // "ADC Adjustment"
constexpr int kDdcGroupText = 19;      // "DDC Setting"
constexpr int kResultText = 34;        // "VGA Adjustment"
constexpr int kWrongCodeText = 35;     // "Password Is Error"
constexpr int kPageTitleText = 76;     // "VGA Adjustment"
constexpr int kVgaType = 3;


// Edits of the ADC section, in the order of vga.adc.
constexpr int kAdcEdits[6] = {cv::IDC_RED_OFFSET_EDIT,  cv::IDC_RED_GAIN_EDIT,  cv::IDC_GREEN_OFFSET_EDIT,
                              cv::IDC_GREEN_GAIN_EDIT, cv::IDC_BLUE_OFFSET_EDIT, cv::IDC_BLUE_GAIN_EDIT};

}  // namespace

using signalpage::DesignRect;

MVgaDlg::MVgaDlg(QWidget* parent) : MBaseDialog(IDD_VGA, parent, true)
{
    setWindowTitle(QStringLiteral("VGA Adjustment"));
}

CGdipButton* MVgaDlg::MakeButton(int id, const QString& caption, unsigned stdImage, unsigned altImage, const QRect& rect)
{
    CGdipButton* button = MakePageButton(this, id, caption, stdImage, altImage, rect, kPageCaptionColor, &MVgaDlg::OnButton);
    if (altImage) button->SetCheck(true);
    buttons_[id] = button;
    return button;
}

oRealEdit* MVgaDlg::MakeEdit(int id, float low, float high, const QRect& rect)
{
    oRealEdit* edit = MakePageEdit(this, id, low, 0, high, QStringLiteral("%d"), rect);
    edits_[id] = edit;
    return edit;
}

QLabel* MVgaDlg::MakeLabel(int id, const QString& text, const QRect& rect)
{
    return MakePageLabel(this, id, text, rect, Qt::AlignRight | Qt::AlignVCenter);
}

void MVgaDlg::OnInitDialog()
{
    if (IsInitialised()) return;
    MBaseDialog::OnInitDialog();
    SetTitle(g_UiText[kPageTitleText]);

    // Display adjustment.
    displayGroup_ = MakePageGroup(this, cv::IDC_DISPLAY_GROUP, g_UiText[kDisplayGroupText], DesignRect(6, 40, 308, 160));
    MakeLabel(cv::IDC_CLOCK_LABEL, QStringLiteral("Clock :"), DesignRect(10, 64, 90, 24));
    MakeEdit(cv::IDC_CLOCK_EDIT, 500, 4096, DesignRect(104, 64, 60, 24));
    MakeLabel(cv::IDC_PHASE_LABEL, QStringLiteral("Phase :"), DesignRect(10, 96, 90, 24));
    MakeEdit(cv::IDC_PHASE_EDIT, 0, 63, DesignRect(104, 96, 60, 24));
    MakeLabel(cv::IDC_H_POSITION_LABEL, QStringLiteral("H Position :"), DesignRect(10, 128, 90, 24));
    MakeEdit(cv::IDC_H_POSITION_EDIT, -100, 100, DesignRect(104, 128, 60, 24));
    MakeLabel(cv::IDC_V_POSITION_LABEL, QStringLiteral("V Position :"), DesignRect(10, 160, 90, 24));
    MakeEdit(cv::IDC_V_POSITION_EDIT, -16, 16, DesignRect(104, 160, 60, 24));
    inputLabel_ = MakePageLabel(this, cv::IDC_INPUT_SOURCE_LABEL, inputLabelText_, DesignRect(176, 62, 130, 76),
                                Qt::AlignHCenter | Qt::AlignTop);
    inputLabel_->setWordWrap(true);
    MakeButton(cv::IDC_AUTO_ADJUST, QStringLiteral("Auto Adjust"), kPageActionImage, 0, DesignRect(184, 152, 114, 32));

    // ADC adjustment: the access-code row, then the section it unlocks.
    adcGroup_ = MakePageGroup(this, cv::IDC_ADC_GROUP, g_UiText[kAdcGroupText], DesignRect(6, 216, 308, 226));
    CGdipButton* adcSwitch = MakeButton(cv::IDC_ADC_ON_OFF, QString(), kPageSwitchOffImage, kPageSwitchOnImage,
                                        DesignRect(240, 204, 60, 26));
    adcSwitch->SetDisabledLook(true);
    adcSwitch->setEnabled(false);
    // The longest label, "Please Enter Password :", with its room from the frame and the edit.
    MakeLabel(cv::IDC_PASSWORD_LABEL, QStringLiteral("Please Enter Password :"), DesignRect(4, 242, 181, 24));
    MakeEdit(cv::IDC_PASSWORD_EDIT, 0, 9999, DesignRect(189, 242, 46, 24));
    MakeButton(cv::IDC_ENTER, QStringLiteral("enter"), kPageActionImage, 0, DesignRect(241, 240, 64, 28));
    struct AdcRow {
        int labelId;
        const char* label;
        int editId;
        int x, y;
    };
    const AdcRow rows[] = {
        {cv::IDC_RED_OFFSET_LABEL, "Red Offset", cv::IDC_RED_OFFSET_EDIT, 0, 284},
        {cv::IDC_RED_GAIN_LABEL, "Red Gain", cv::IDC_RED_GAIN_EDIT, 152, 284},
        {cv::IDC_GREEN_OFFSET_LABEL, "Green Offset", cv::IDC_GREEN_OFFSET_EDIT, 0, 318},
        {cv::IDC_GREEN_GAIN_LABEL, "Green Gain", cv::IDC_GREEN_GAIN_EDIT, 152, 318},
        {cv::IDC_BLUE_OFFSET_LABEL, "Blue Offset", cv::IDC_BLUE_OFFSET_EDIT, 0, 352},
        {cv::IDC_BLUE_GAIN_LABEL, "Blue Gain", cv::IDC_BLUE_GAIN_EDIT, 152, 352},
    };
    // "Green Offset" with its room from the frame and its edit; the edits hold four digits.
    for (const AdcRow& row : rows) {
        adcSection_.push_back(MakeLabel(row.labelId, QString::fromLatin1(row.label), DesignRect(row.x + 8, row.y, 95, 24)));
        adcSection_.push_back(MakeEdit(row.editId, 0, 1023, DesignRect(row.x + 107, row.y, 46, 24)));
    }
    adcSection_.push_back(MakeButton(cv::IDC_CALIBRATE, QStringLiteral("Calibrate"), kPageActionImage, 0,
                                     DesignRect(40, 394, 100, 32)));
    adcSection_.push_back(MakeButton(cv::IDC_ADC_RESET, QStringLiteral("Rest"), kPageActionImage, 0, DesignRect(180, 394, 100, 32)));

    // DDC.
    ddcGroup_ = MakePageGroup(this, cv::IDC_DDC_GROUP, g_UiText[kDdcGroupText], DesignRect(6, 462, 308, 64));
    CGdipButton* ddc = MakeButton(cv::IDC_DDC_ON_OFF, QString(), kPageSwitchOffImage, kPageSwitchOnImage, DesignRect(240, 450, 60, 26));
    ddc->SetPressed(false);
    ddcInput_ = MakeLabel(cv::IDC_INPUT_LABEL, QStringLiteral("Input :"), DesignRect(12, 490, 90, 24));
    ddcInput_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    StylePageGroups(this, {displayGroup_, adcGroup_, ddcGroup_}, true);
    ApplyFontToChildren();
    shownLayout_ = {adcGroup_->geometry(), ddc->geometry(), ddcGroup_->geometry(), ddcInput_->geometry()};
    ApplyLockState();
}

void MVgaDlg::ApplyLanguage()
{
    ApplyDialogLanguage(this, IDD_VGA);
    if (displayGroup_) displayGroup_->SetCaption(g_UiText[kDisplayGroupText]);
    if (adcGroup_) adcGroup_->SetCaption(g_UiText[kAdcGroupText]);
    if (ddcGroup_) ddcGroup_->SetCaption(g_UiText[kDdcGroupText]);
    SetTitle(g_UiText[kPageTitleText]);
    // The label's language text is its first line; the input's name stays below it.
    if (inputLabel_) {
        inputLabelText_ = inputLabel_->text().section(QLatin1Char('\n'), 0, 0);
        ShowInputName();
    }
    update();
}

oRealEdit* MVgaDlg::Edit(int id) const
{
    const auto it = edits_.find(id);
    return it == edits_.end() ? nullptr : it->second;
}

CGdipButton* MVgaDlg::Button(int id) const
{
    const auto it = buttons_.find(id);
    return it == buttons_.end() ? nullptr : it->second;
}

CSxGroupBox* MVgaDlg::Group(int id) const
{
    switch (id) {
    case cv::IDC_DISPLAY_GROUP: return displayGroup_;
    case cv::IDC_ADC_GROUP: return adcGroup_;
    case cv::IDC_DDC_GROUP: return ddcGroup_;
    default: return nullptr;
    }
}

void MVgaDlg::ShowPage(bool show)
{
    MBaseDialog::ShowPage(show);
    if (!show && IsInitialised() && lock_.Unlocked()) OnAdcLock();
}

void MVgaDlg::ShowInputName()
{
    if (!inputLabel_) return;
    inputLabel_->setText(inputName_.isEmpty() ? inputLabelText_ : inputLabelText_ + QLatin1Char('\n') + inputName_);
}

void MVgaDlg::SelectVgaInput(int layer)
{
    if (!IsInitialised() || layer < 0 || layer >= kWindowCount) return;
    CDeviceData& dev = GetDeviceData();
    const int slot = SlotOfInputCode(dev.chnl[layer].input);
    if (slot < 0 || dev.input[slot].src != kVgaType) {
        lock_.AllowCodeEntry(false);
        ApplyLockState();
        return;
    }
    dev.SendCommand(CMD_QUERY_VGA, slot);
    dev.vga.input = static_cast<uint32_t>(slot);
    inputName_ = dev.inputNames[slot].name;
    ShowInputName();
    lock_.AllowCodeEntry(layer == 0);
    ApplyLockState();
}

void MVgaDlg::RefreshFromDevice()
{
    if (!IsInitialised()) return;
    const VgaState& v = GetDeviceData().vga;
    edits_[cv::IDC_CLOCK_EDIT]->SetValue(static_cast<float>(v.clock));
    edits_[cv::IDC_PHASE_EDIT]->SetValue(static_cast<float>(v.phase));
    edits_[cv::IDC_H_POSITION_EDIT]->SetValue(static_cast<float>(vr::SignedPosition(v.hPos)));
    edits_[cv::IDC_V_POSITION_EDIT]->SetValue(static_cast<float>(vr::SignedPosition(v.vPos)));
    for (int k = 0; k < 6; ++k) edits_[kAdcEdits[k]]->SetValue(static_cast<float>(v.adc[k]));
}

void MVgaDlg::ShowAdjustResult()
{
    const bool ok = GetDeviceData().eventArg[0] != 0;
    ShowResultBox(this, signalpage::ResultText(g_UiText[kResultText], ok), signalpage::ApplicationTitle());
}

void MVgaDlg::OnButton(int id)
{
    switch (id) {
    case cv::IDC_AUTO_ADJUST: OnAutoAdjust(); break;
    case cv::IDC_DDC_ON_OFF: OnDdcOnOff(); break;
    case cv::IDC_ENTER: OnEnterAccessCode(); break;
    case cv::IDC_ADC_ON_OFF: OnAdcLock(); break;
    case cv::IDC_CALIBRATE: OnCalibrate(); break;
    case cv::IDC_ADC_RESET: OnAdcReset(); break;
    default: break;
    }
}

void MVgaDlg::OnAutoAdjust()
{
    CDeviceData& dev = GetDeviceData();
    dev.SendCommand(CMD_VGA_ADJUST, 0, 1);
    SendMsg(parentWidget(), WM_BUSY_DIALOG, 1, 0, g_UiText[UI_TEXT_WAIT_OPERATION]);
    dev.SendCommand(CMD_QUERY_VGA, dev.vga.input);
}

void MVgaDlg::OnDdcOnOff()
{
    GetDeviceData().SendCommand(CMD_VGA_ADJUST, 2, buttons_[cv::IDC_DDC_ON_OFF]->IsPressed() ? 1 : 0);
}

void MVgaDlg::OnCalibrate()
{
    GetDeviceData().SendCommand(CMD_VGA_ADJUST, 1, 1);
    SendMsg(parentWidget(), WM_BUSY_DIALOG, 1, 0, g_UiText[UI_TEXT_WAIT_OPERATION]);
}

void MVgaDlg::OnAdcReset()
{
    CDeviceData& dev = GetDeviceData();
    dev.SendCommand(CMD_VGA_ADJUST, 1, 2);
    // The reset values are those of the input the page shows.
    dev.SendCommand(CMD_QUERY_VGA, dev.vga.input);
}

void MVgaDlg::OnEnterAccessCode()
{
    switch (lock_.EnterCode(edits_[cv::IDC_PASSWORD_EDIT]->GetValue())) {
    case vr::AdcLock::Entry::WrongCode:
        ShowMessageBox(this, g_UiText[kWrongCodeText], signalpage::ApplicationTitle(), MB_OK);
        break;
    case vr::AdcLock::Entry::Unlocked: ApplyLockState(); break;
    case vr::AdcLock::Entry::NotAllowed: break;
    }
}

void MVgaDlg::OnAdcLock()
{
    lock_.Lock();
    edits_[cv::IDC_PASSWORD_EDIT]->SetValue(0);
    ApplyLockState();
}

void MVgaDlg::ApplyLockState()
{
    CGdipButton* adcSwitch = buttons_[cv::IDC_ADC_ON_OFF];
    const bool unlocked = lock_.Unlocked();
    adcSwitch->SetPressed(unlocked);
    adcSwitch->SetDisabledLook(!unlocked);
    adcSwitch->setEnabled(unlocked);
    const bool entry = lock_.CodeEntryEnabled();
    edits_[cv::IDC_PASSWORD_EDIT]->setEnabled(entry);
    CGdipButton* enter = buttons_[cv::IDC_ENTER];
    enter->SetDisabledLook(!entry);
    enter->setEnabled(entry);
    ShowAdcSection(lock_.SectionShown());
}

void MVgaDlg::ShowAdcSection(bool show)
{
    for (QWidget* w : adcSection_) w->setVisible(show);
    // Placed from the layout with the section shown, so a second call moves nothing.
    const vr::AdcLayout layout = vr::AdcLayoutFor(shownLayout_, show, ScaleY(vr::kAdcSectionShift));
    adcGroup_->setGeometry(layout.adcGroup);
    buttons_[cv::IDC_DDC_ON_OFF]->setGeometry(layout.ddcSwitch);
    ddcGroup_->setGeometry(layout.ddcGroup);
    ddcInput_->setGeometry(layout.ddcLabel);
    const QRect g = adcGroup_->geometry();
    update(QRect(g.left() - 10, g.top() - 10, g.width() + 20, g.height() + 10 + ScaleY(350)));
}

void MVgaDlg::OnValueChanged(int id)
{
    CDeviceData& dev = GetDeviceData();
    const auto value = [this](int editId) { return static_cast<int>(edits_[editId]->GetValue()); };
    switch (id) {
    case cv::IDC_CLOCK_EDIT:
    case cv::IDC_PHASE_EDIT:
    case cv::IDC_H_POSITION_EDIT:
    case cv::IDC_V_POSITION_EDIT:
        dev.vga.clock = static_cast<uint32_t>(value(cv::IDC_CLOCK_EDIT));
        dev.vga.phase = static_cast<uint32_t>(value(cv::IDC_PHASE_EDIT));
        dev.vga.hPos = vr::PositionByte(value(cv::IDC_H_POSITION_EDIT));
        dev.vga.vPos = vr::PositionByte(value(cv::IDC_V_POSITION_EDIT));
        dev.SendCommand(CMD_VGA_ADJUST, 0, 0);
        break;
    case cv::IDC_RED_OFFSET_EDIT:
    case cv::IDC_RED_GAIN_EDIT:
    case cv::IDC_GREEN_OFFSET_EDIT:
    case cv::IDC_GREEN_GAIN_EDIT:
    case cv::IDC_BLUE_OFFSET_EDIT:
    case cv::IDC_BLUE_GAIN_EDIT:
        for (int k = 0; k < 6; ++k) dev.vga.adc[k] = static_cast<uint16_t>(value(kAdcEdits[k]));
        dev.SendCommand(CMD_VGA_ADJUST, 1, 0);
        break;
    default: break;
    }
}
