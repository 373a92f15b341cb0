#include "pages/signal/MOutputDlg.h"

#include "controls/CDropButton.h"
#include "controls/CGdipButton.h"
#include "controls/CSxGroupBox.h"
#include "controls/ImageResources.h"
#include "controls/oRealEdit.h"
#include "device/CDeviceData.h"
#include "pagekit/PageControls.h"
#include "pagekit/DialogIds.h"
#include "pagekit/DialogLanguage.h"
#include "pagekit/LanguageFiles.h"
#include "pagekit/UiText.h"
#include "pages/signal/OutputIds.h"
#include "pages/signal/OutputTimingRules.h"
#include "pages/signal/OutputWindowRules.h"
#include "pages/signal/SignalPageHelpers.h"
#include "platform/ControlId.h"
#include "platform/Dpi.h"
#include "platform/MessageBox.h"
#include "platform/MessageIds.h"
#include "platform/PageNotifyCodes.h"

#include <QLabel>
#include <QPainter>
#include <QTransform>

#include <algorithm>

namespace co = ctl::output;
namespace ot = outputtiming;
namespace ow = outputwindow;

namespace {

constexpr unsigned kWindowImage = 144;
constexpr unsigned kWindowSelectedImage = 148;
constexpr unsigned kActionImage = 129;
constexpr unsigned kActionPressedImage = 147;
constexpr unsigned kRotationImage = 113;
constexpr unsigned kRotationSelectedImage = 114;
constexpr unsigned kPreviewImage = 121;
constexpr COLORREF kFaceColor = 0xEBEBEB;
constexpr COLORREF kSelectedFaceColor = 0x009CEF;
constexpr COLORREF kLineColor = 0x1E1E1E;
constexpr int kGroupTitleText = 2;   // "Output Resolution"
constexpr int kRotateTitleText = 3;  // "Rotate"
constexpr int kPageTitleText = 69;   // "Output Setting"
constexpr int kCustomRowText = 96;   // "Customized  Resolution"
constexpr int kTipsText = 38;        // "Tips"

// Rotation buttons by rotation code.
constexpr int kRotationIds[ow::kRotationCodeCount] = {
    co::IDC_ROTATE_OFF, co::IDC_ROTATE_MINUS_90, co::IDC_ROTATE_90, co::IDC_ROTATE_H_FLIP,
    co::IDC_ROTATE_V_FLIP, co::IDC_ROTATE_180, co::IDC_ROTATE_MINUS_90_H_FLIP, co::IDC_ROTATE_90_H_FLIP};
const char* const kRotationCaptions[ow::kRotationCodeCount] = {"OFF", "-90°", "90°", "H Flip",
                                                               "V Flip", "180°", "-90°+HFlip", "90°+HFlip"};

QImage Turned(const QImage& image, ow::StepList steps)
{
    QImage out = image;
    for (int i = 0; i < steps.count; ++i) {
        switch (steps.steps[static_cast<size_t>(i)]) {
        case ow::ImageStep::Rotate90: out = out.transformed(QTransform().rotate(90)); break;
        case ow::ImageStep::Rotate270: out = out.transformed(QTransform().rotate(270)); break;
        case ow::ImageStep::Rotate180: out = out.transformed(QTransform().rotate(180)); break;
        case ow::ImageStep::FlipX: out = out.mirrored(true, false); break;
        case ow::ImageStep::FlipY: out = out.mirrored(false, true); break;
        }
    }
    return out;
}

int RowOf(int resoIndex) { return resoIndex >= 0 && resoIndex < MOutputDlg::kResolutionRows ? resoIndex : MOutputDlg::kCustomRow; }

uint16_t U16(int v) { return static_cast<uint16_t>(std::clamp(v, 0, 0xFFFF)); }

} // namespace

using signalpage::DesignRect;

MOutputDlg::MOutputDlg(QWidget* parent) : MBaseDialog(IDD_OUTPUT, parent, true)
{
    setWindowTitle(QStringLiteral("Output Setting"));
}

CGdipButton* MOutputDlg::MakeButton(int id, const QString& caption, unsigned stdImage, unsigned altImage,
                                    const QRect& rect)
{
    return MakePageButton(this, id, caption, stdImage, altImage, rect, kFaceColor, &MOutputDlg::OnButton);
}

oRealEdit* MOutputDlg::MakeEdit(int id, float low, float initial, float high, const QString& format, const QRect& rect)
{
    return MakePageEdit(this, id, low, initial, high, format, rect);
}

QLabel* MOutputDlg::MakeLabel(int id, const QString& text, const QRect& rect)
{
    return MakePageLabel(this, id, text, rect);
}

void MOutputDlg::OnInitDialog()
{
    if (IsInitialised()) return;
    MBaseDialog::OnInitDialog();
    CDeviceData& dev = GetDeviceData();
    SetTitle(g_UiText[kPageTitleText]);
    const QString intFormat = QStringLiteral("%d");

    // Window buttons.
    for (int w = 0; w < kWindowCount; ++w) {
        const QString caption = w == 0 ? QStringLiteral("MAIN") : QStringLiteral("PIP-%1").arg(w);
        windowButtons_[static_cast<size_t>(w)] =
            MakeButton(co::IDC_WINDOW_0 + w, caption, kWindowImage, kWindowSelectedImage, DesignRect(8 + 78 * w, 32, 70, 26));
        windowButtons_[static_cast<size_t>(w)]->SetRadio(true);
    }

    // Output resolution.
    resolutionGroup_ = MakePageGroup(this, co::IDC_RESOLUTION_GROUP, g_UiText[kGroupTitleText], DesignRect(6, 60, 308, 202));
    resolutionList_ = MakePageDropList(this, co::IDC_RESOLUTION_LIST, DesignRect(16, 82, 288, 22), &ControlFont());
    resolutionList_->SetDropHeightLimit(ScaleY(400));
    FillResolutionList();

    const CustomTimingSeed& seed = dev.customTiming;
    MakeLabel(co::IDC_H_ACTIVE_LABEL, QStringLiteral("H Active :"), DesignRect(16, 108, 82, 22));
    MakeEdit(co::IDC_H_ACTIVE_EDIT, ot::kMinHActive, seed.values[0], ot::kMaxHActive, intFormat, DesignRect(100, 108, 56, 22));
    MakeLabel(co::IDC_V_ACTIVE_LABEL, QStringLiteral("V Active :"), DesignRect(164, 108, 82, 22));
    MakeEdit(co::IDC_V_ACTIVE_EDIT, ot::kMinVActive, seed.values[4], ot::kMaxVActive, intFormat, DesignRect(248, 108, 56, 22));
    MakeLabel(co::IDC_FPS_LABEL, QStringLiteral("FPS :"), DesignRect(16, 134, 82, 22));
    MakeEdit(co::IDC_FPS_EDIT, ot::kMinFps, 60.0f, ot::kMaxFps, QStringLiteral("%0.2f"), DesignRect(100, 134, 56, 22));
    moreButton_ = MakeButton(co::IDC_MORE, QStringLiteral("More >"), kActionImage, kActionPressedImage,
                             DesignRect(164, 132, 66, 26));
    moreButton_->SetToggle(true);
    applyButton_ = MakeButton(co::IDC_APPLY, QStringLiteral("Apply"), kActionImage, 0, DesignRect(238, 132, 66, 26));

    // Detailed timing, shown while "More >" is on.
    struct Detail {
        int labelId;
        const char* label;
        int editId;
        int low, high, seed;
    };
    const Detail details[] = {
        {co::IDC_H_TOTAL_LABEL, "H total :", co::IDC_H_TOTAL_EDIT, ot::kMinHTotal, ot::kMaxTotal, seed.values[1]},
        {co::IDC_V_TOTAL_LABEL, "V total :", co::IDC_V_TOTAL_EDIT, ot::kMinVTotal, ot::kMaxTotal, seed.values[5]},
        {co::IDC_H_SYNC_LABEL, "H sync :", co::IDC_H_SYNC_EDIT, ot::kMinSync, ot::kMaxSync, ot::kMinSync},
        {co::IDC_V_SYNC_LABEL, "V sync :", co::IDC_V_SYNC_EDIT, ot::kMinSync, ot::kMaxSync, ot::kMinSync},
        {co::IDC_HBP_LABEL, "Hbp :", co::IDC_HBP_EDIT, ot::kMinPorch, ot::kMaxPorch, ot::kMinPorch},
        {co::IDC_VBP_LABEL, "Vbp :", co::IDC_VBP_EDIT, ot::kMinPorch, ot::kMaxPorch, ot::kMinPorch},
    };
    for (int n = 0; n < 6; ++n) {
        const Detail& d = details[n];
        const int x = (n % 2) ? 164 : 16;
        const int y = 160 + 24 * (n / 2);
        detailedControls_.push_back(MakeLabel(d.labelId, QString::fromLatin1(d.label), DesignRect(x, y, 82, 22)));
        detailedControls_.push_back(MakeEdit(d.editId, static_cast<float>(d.low), static_cast<float>(d.seed),
                                             static_cast<float>(d.high), intFormat, DesignRect(x + 84, y, 56, 22)));
    }
    detailedControls_.push_back(MakeLabel(co::IDC_H_POLARITY_LABEL, QStringLiteral("H pol :"), DesignRect(16, 232, 82, 22)));
    detailedControls_.push_back(MakeLabel(co::IDC_V_POLARITY_LABEL, QStringLiteral("V pol :"), DesignRect(164, 232, 82, 22)));
    hPolList_ = MakePageDropList(this, co::IDC_H_POLARITY_LIST, DesignRect(100, 232, 56, 22), &ControlFont());
    vPolList_ = MakePageDropList(this, co::IDC_V_POLARITY_LIST, DesignRect(248, 232, 56, 22), &ControlFont());
    for (CDropButton* list : {hPolList_, vPolList_}) {
        SetControlOwner(list, this);
        list->GetList()->AddString(QStringLiteral("N(-)"));
        list->GetList()->AddString(QStringLiteral("P(+)"));
        list->GetList()->SetItemData(0, 0);
        list->GetList()->SetItemData(1, 1);
        list->SetCurSel(0);
        detailedControls_.push_back(list);
    }
    SetControlOwner(resolutionList_, this);

    // Window geometry.
    const LayerSeed& layer = dev.layerSeeds[0];
    MakeLabel(co::IDC_H_START_LABEL, QStringLiteral("H Start : "), DesignRect(16, 268, 82, 22));
    MakeEdit(co::IDC_H_START_EDIT, 0, layer.x, 9999, intFormat, DesignRect(100, 268, 56, 22));
    MakeLabel(co::IDC_V_START_LABEL, QStringLiteral("V Start : "), DesignRect(164, 268, 82, 22));
    MakeEdit(co::IDC_V_START_EDIT, 0, layer.y, 9999, intFormat, DesignRect(248, 268, 56, 22));
    MakeLabel(co::IDC_WIDTH_LABEL, QStringLiteral("Width : "), DesignRect(16, 292, 82, 22));
    MakeEdit(co::IDC_WIDTH_EDIT, 1, layer.width, 9999, intFormat, DesignRect(100, 292, 56, 22));
    MakeLabel(co::IDC_HEIGHT_LABEL, QStringLiteral("Height : "), DesignRect(164, 292, 82, 22));
    MakeEdit(co::IDC_HEIGHT_EDIT, 1, layer.height, 9999, intFormat, DesignRect(248, 292, 56, 22));

    // Two lines of the control font would fill the row's height: "Full Screen" is drawn on one
    // line, in the widest button.
    MakeButton(co::IDC_FULL_SCREEN, QStringLiteral("Full\nScreen"), kActionImage, 0, DesignRect(16, 317, 102, 34));
    MakeButton(co::IDC_LAYOUT_HALF, QStringLiteral("1/2"), kActionImage, 0, DesignRect(124, 317, 56, 34));
    MakeButton(co::IDC_LAYOUT_THIRDS, QStringLiteral("[ | | ]"), kActionImage, 0, DesignRect(186, 317, 56, 34));
    MakeButton(co::IDC_LAYOUT_QUARTER, QStringLiteral("1/4"), kActionImage, 0, DesignRect(248, 317, 56, 34));

    // Rotation: the buttons around the preview picture, which is centred in the group; the long
    // combined captions get the wide rows above and below it.
    rotateGroup_ = MakePageGroup(this, co::IDC_ROTATE_GROUP, g_UiText[kRotateTitleText], DesignRect(6, 352, 308, 170));
    const QRect rotationRects[ow::kRotationCodeCount] = {
        DesignRect(12, 406, 84, 26),   DesignRect(12, 438, 84, 26),  DesignRect(224, 406, 84, 26),
        DesignRect(12, 476, 144, 26),  DesignRect(164, 476, 144, 26), DesignRect(224, 438, 84, 26),
        DesignRect(12, 372, 144, 26),  DesignRect(164, 372, 144, 26)};
    for (int code = 0; code < ow::kRotationCodeCount; ++code) {
        CGdipButton* b = MakeButton(kRotationIds[code], QString::fromUtf8(kRotationCaptions[code]), kRotationImage,
                                    kRotationSelectedImage, rotationRects[code]);
        b->SetRadio(true);
        rotationButtons_[static_cast<size_t>(code)] = b;
    }

    StylePageGroups(this, {resolutionGroup_, rotateGroup_}, false);
    ApplyFontToChildren();

    // The customised edits start enabled only when the seed names the customised row.
    EnableCustomControls(seed.head[0] == kCustomRow);
    LoadPngResource(previewOriginal_, kPreviewImage);
    preview_ = previewOriginal_;
    PaintWindowButtons();
    PressRotationButtons();
    SelectResolution(kStartRow, false);
}

void MOutputDlg::FillResolutionList()
{
    if (!resolutionList_) return;
    CDeviceData& dev = GetDeviceData();
    CDropList* list = resolutionList_->GetList();
    list->ResetContent();
    dev.outputResolutions[kCustomRow].label = g_UiText[kCustomRowText];
    for (int row = 0; row < kResolutionRows; ++row) {
        list->AddString(dev.outputResolutions[row].label);
        list->SetItemData(row, static_cast<DropItemData>(row));
    }
    resolutionList_->SetCurSel(RowOf(dev.outputReso.resoIndex));
}

void MOutputDlg::ApplyLanguage()
{
    ApplyDialogLanguage(this, IDD_OUTPUT);
    SetTitle(g_UiText[kPageTitleText]);
    if (resolutionGroup_) resolutionGroup_->SetCaption(g_UiText[kGroupTitleText]);
    if (rotateGroup_) rotateGroup_->SetCaption(g_UiText[kRotateTitleText]);
    FillResolutionList();
    // An unapplied customised edit goes, as on hiding: list, edits and buttons show the stored
    // resolution alike.
    if (IsInitialised()) ShowResolution(GetDeviceData().outputReso.resoIndex);
    update();
}

void MOutputDlg::ShowPage(bool show)
{
    // Unapplied customised values fall back to the stored resolution.
    if (!show && IsInitialised()) SelectResolution(GetDeviceData().outputReso.resoIndex, false);
    MBaseDialog::ShowPage(show);
}

// --- controls ---

oRealEdit* MOutputDlg::Edit(int id) const
{
    return FindControlAs<oRealEdit>(this, id);
}

CGdipButton* MOutputDlg::Button(int id) const
{
    return FindControlAs<CGdipButton>(this, id);
}

CGdipButton* MOutputDlg::RotationButton(int code) const
{
    return ow::IsRotationCode(code) ? rotationButtons_[static_cast<size_t>(code)] : nullptr;
}

bool MOutputDlg::DetailedTimingOn() const { return moreButton_ && moreButton_->IsPressed(); }

int MOutputDlg::EditInt(int id) const
{
    const oRealEdit* e = Edit(id);
    return e ? static_cast<int>(e->GetValue()) : 0;
}

void MOutputDlg::SetEdit(int id, double value)
{
    if (oRealEdit* e = Edit(id)) e->SetValue(static_cast<float>(value));
}

void MOutputDlg::ShowDetailedTiming(bool show)
{
    for (QWidget* w : detailedControls_) w->setVisible(show);
}

void MOutputDlg::EnableCustomControls(bool on)
{
    for (int id : {co::IDC_H_ACTIVE_EDIT, co::IDC_V_ACTIVE_EDIT, co::IDC_FPS_EDIT})
        if (oRealEdit* e = Edit(id)) e->setEnabled(on);
    for (CGdipButton* b : {applyButton_, moreButton_}) {
        if (!b) continue;
        b->setEnabled(on);
        b->SetDisabledLook(!on);
    }
}

void MOutputDlg::ShowTimingOfBlock()
{
    const OutputResolution& o = GetDeviceData().outputReso;
    SetEdit(co::IDC_H_TOTAL_EDIT, o.hTotal);
    SetEdit(co::IDC_V_TOTAL_EDIT, o.vTotal);
    SetEdit(co::IDC_H_SYNC_EDIT, o.hSync);
    SetEdit(co::IDC_V_SYNC_EDIT, o.vSync);
    SetEdit(co::IDC_HBP_EDIT, o.hbp);
    SetEdit(co::IDC_VBP_EDIT, o.vbp);
    SelectDropItemByData(hPolList_, o.hPol);
    SelectDropItemByData(vPolList_, o.vPol);
}

void MOutputDlg::RememberTiming()
{
    accepted_.hActive = EditInt(co::IDC_H_ACTIVE_EDIT);
    accepted_.vActive = EditInt(co::IDC_V_ACTIVE_EDIT);
    accepted_.fps = Edit(co::IDC_FPS_EDIT) ? Edit(co::IDC_FPS_EDIT)->GetValue() : 0;
    accepted_.hTotal = EditInt(co::IDC_H_TOTAL_EDIT);
    accepted_.vTotal = EditInt(co::IDC_V_TOTAL_EDIT);
    accepted_.hSync = EditInt(co::IDC_H_SYNC_EDIT);
    accepted_.vSync = EditInt(co::IDC_V_SYNC_EDIT);
    accepted_.hbp = EditInt(co::IDC_HBP_EDIT);
    accepted_.vbp = EditInt(co::IDC_VBP_EDIT);
}

// --- resolution ---

void MOutputDlg::SelectResolution(int row, bool send)
{
    if (!IsInitialised()) return;
    CDeviceData& dev = GetDeviceData();
    row = RowOf(row);
    const OutputResolutionName& r = dev.outputResolutions[row];
    // The customised row only loads the edits: the device state changes with "Apply".
    if (row != kCustomRow) {
        dev.outputReso.resoIndex = row;
        dev.outputReso.hReso = r.hAct;
        dev.outputReso.vReso = r.vAct;
        dev.outputReso.fps = r.fps;
    }
    ShowResolution(row);

    if (send) {
        dev.SendCommand(CMD_SET_OUTPUT_TIMING);
        SendOutputQueries(true);
    }
    if (row != kCustomRow) PostMsg(parent(), WM_OUTPUT_TIMING_CHANGED, 0, 0);
}

void MOutputDlg::ShowResolution(int row)
{
    row = RowOf(row);
    const OutputResolutionName& r = GetDeviceData().outputResolutions[row];
    SetEdit(co::IDC_H_ACTIVE_EDIT, r.hAct);
    SetEdit(co::IDC_V_ACTIVE_EDIT, r.vAct);
    SetEdit(co::IDC_FPS_EDIT, r.fps / 100.0);
    ShowTimingOfBlock();
    RememberTiming();
    if (moreButton_) moreButton_->SetPressed(false);
    ShowDetailedTiming(false);
    EnableCustomControls(row == kCustomRow);
    resolutionList_->SetCurSel(row);
}

// The four window queries; after a row choice also the work mode, logo and caption ("Apply"
// asks for the work mode itself, after telling the main window).
void MOutputDlg::SendOutputQueries(bool logoAndCaption)
{
    CDeviceData& dev = GetDeviceData();
    for (int w = 0; w < kWindowCount; ++w) dev.SendCommand(CMD_QUERY_LAYER_WINDOW, w);
    if (!logoAndCaption) return;
    if (dev.pvwMode != 0) dev.SendCommand(CMD_QUERY_WORK_MODE);
    if (dev.logo.usage == 1) dev.SendCommand(CMD_QUERY_LOGO);
    dev.SendCommand(CMD_QUERY_CAPTION, 0);
}

void MOutputDlg::UpdateTimingFromDevice()
{
    if (!IsInitialised()) return;
    CDeviceData& dev = GetDeviceData();
    OutputResolution& o = dev.outputReso;
    // An index the table does not have is shown as the customised row with the device's values.
    const int row = RowOf(o.resoIndex);
    if (row == kCustomRow) {
        OutputResolutionName& custom = dev.outputResolutions[kCustomRow];
        custom.hAct = o.hReso;
        custom.vAct = o.vReso;
        custom.fps = o.fps;
    }
    const uint16_t fps = o.fps;
    SelectResolution(row, false);
    SetEdit(co::IDC_H_ACTIVE_EDIT, o.hReso);
    SetEdit(co::IDC_V_ACTIVE_EDIT, o.vReso);
    SetEdit(co::IDC_FPS_EDIT, fps / 100.0);
    ShowTimingOfBlock();
    RememberTiming();
    PostMsg(parent(), WM_OUTPUT_TIMING_CHANGED, 0, 0);
}

void MOutputDlg::OnMore() { ShowDetailedTiming(DetailedTimingOn()); }

void MOutputDlg::OnApply()
{
    if (!IsInitialised()) return;
    CDeviceData& dev = GetDeviceData();
    const oRealEdit* fpsEdit = Edit(co::IDC_FPS_EDIT);
    const int hActive = EditInt(co::IDC_H_ACTIVE_EDIT);
    const int vActive = EditInt(co::IDC_V_ACTIVE_EDIT);
    const int fps = signalpage::ToHundredths(fpsEdit ? fpsEdit->GetValue() : 0.0);
    const int hTotal = EditInt(co::IDC_H_TOTAL_EDIT), vTotal = EditInt(co::IDC_V_TOTAL_EDIT);
    const int hSync = EditInt(co::IDC_H_SYNC_EDIT), vSync = EditInt(co::IDC_V_SYNC_EDIT);
    const int hbp = EditInt(co::IDC_HBP_EDIT), vbp = EditInt(co::IDC_VBP_EDIT);
    const bool detailed = DetailedTimingOn();

    // The operator's own totals beyond the pixel clock are not sent (the active-size rules do not
    // look at the totals typed last). Without the detailed timing the processor picks its blanking.
    if (detailed && !ot::FitsPixelClock(hTotal, vTotal, fps)) {
        RefuseTiming(0);
        return;
    }

    OutputResolution& o = dev.outputReso;
    o.resoIndex = kCustomRow;
    o.hReso = U16(hActive);
    o.vReso = U16(vActive);
    o.fps = U16(fps);
    OutputResolutionName& custom = dev.outputResolutions[kCustomRow];
    custom.hAct = o.hReso;
    custom.vAct = o.vReso;
    custom.fps = o.fps;
    o.hTotal = U16(hTotal);
    o.vTotal = U16(vTotal);
    o.hSync = U16(hSync);
    o.vSync = U16(vSync);
    o.hbp = U16(hbp);
    o.vbp = U16(vbp);
    o.hPol = static_cast<uint8_t>(std::max(0, hPolList_->GetCurSel()));
    o.vPol = static_cast<uint8_t>(std::max(0, vPolList_->GetCurSel()));
    dev.outputFlag = detailed ? 1 : 0;

    dev.SendCommand(CMD_SET_OUTPUT_TIMING);
    SendOutputQueries(false);
    PostMsg(parent(), WM_OUTPUT_TIMING_CHANGED, 0, 0);
    if (dev.pvwMode != 0) dev.SendCommand(CMD_QUERY_WORK_MODE);
}

// --- timing rules ---

void MOutputDlg::RefuseTiming(int id)
{
    // Back to the values last accepted, which met the limits; a sync width or back porch also
    // goes back in the block, which took it at once.
    OutputResolution& o = GetDeviceData().outputReso;
    switch (id) {
    case co::IDC_H_ACTIVE_EDIT: SetEdit(id, accepted_.hActive); break;
    case co::IDC_V_ACTIVE_EDIT: SetEdit(id, accepted_.vActive); break;
    case co::IDC_FPS_EDIT: SetEdit(id, accepted_.fps); break;
    case co::IDC_H_TOTAL_EDIT: SetEdit(id, accepted_.hTotal); break;
    case co::IDC_V_TOTAL_EDIT: SetEdit(id, accepted_.vTotal); break;
    case co::IDC_H_SYNC_EDIT: SetEdit(id, accepted_.hSync); o.hSync = U16(accepted_.hSync); break;
    case co::IDC_V_SYNC_EDIT: SetEdit(id, accepted_.vSync); o.vSync = U16(accepted_.vSync); break;
    case co::IDC_HBP_EDIT: SetEdit(id, accepted_.hbp); o.hbp = U16(accepted_.hbp); break;
    case co::IDC_VBP_EDIT: SetEdit(id, accepted_.vbp); o.vbp = U16(accepted_.vbp); break;
    default: break;
    }
    QString text = LoadLangString(QStringLiteral("IDS_OUTPUT_TIMING_LIMIT"));
    if (text.isEmpty())
        text = QStringLiteral("The output cannot produce this timing (pixel clock up to 164.5 MHz, totals up to 4094).");
    ShowMessageBox(this, text, g_UiText[kTipsText]);
}

void MOutputDlg::OnTimingCommitted(int id)
{
    CDeviceData& dev = GetDeviceData();
    const int hActive = EditInt(co::IDC_H_ACTIVE_EDIT), vActive = EditInt(co::IDC_V_ACTIVE_EDIT);
    const int hTotal = EditInt(co::IDC_H_TOTAL_EDIT), vTotal = EditInt(co::IDC_V_TOTAL_EDIT);
    const int hSync = EditInt(co::IDC_H_SYNC_EDIT), vSync = EditInt(co::IDC_V_SYNC_EDIT);
    const int hbp = EditInt(co::IDC_HBP_EDIT), vbp = EditInt(co::IDC_VBP_EDIT);
    const oRealEdit* fpsEdit = Edit(co::IDC_FPS_EDIT);
    const float fps = fpsEdit ? fpsEdit->GetValue() : 0.0f;
    const bool detailed = DetailedTimingOn();

    switch (id) {
    case co::IDC_H_SYNC_EDIT:
    case co::IDC_HBP_EDIT:
        // Sync widths and back porches go into the block at once.
        if (id == co::IDC_H_SYNC_EDIT) dev.outputReso.hSync = U16(hSync);
        else dev.outputReso.hbp = U16(hbp);
        [[fallthrough]];
    case co::IDC_H_TOTAL_EDIT: {
        // A picture plus blanking wider than the largest total cannot be produced.
        const int need = ot::NeededHTotal(hActive, hSync, hbp);
        if (need > ot::kMaxTotal) {
            RefuseTiming(id);
            return;
        }
        SetEdit(co::IDC_H_TOTAL_EDIT, ot::RaisedTotal(hTotal, need));
        break;
    }
    case co::IDC_V_SYNC_EDIT:
    case co::IDC_VBP_EDIT:
        if (id == co::IDC_V_SYNC_EDIT) dev.outputReso.vSync = U16(vSync);
        else dev.outputReso.vbp = U16(vbp);
        [[fallthrough]];
    case co::IDC_V_TOTAL_EDIT: {
        const int need = ot::NeededVTotal(vActive, vSync, vbp);
        if (need > ot::kMaxTotal) {
            RefuseTiming(id);
            return;
        }
        SetEdit(co::IDC_V_TOTAL_EDIT, ot::RaisedTotal(vTotal, need));
        break;
    }
    case co::IDC_H_ACTIVE_EDIT: {
        const int limit = detailed ? ot::DetailedHActiveLimit(vTotal, fps, hSync, hbp)
                                   : ot::LimitHActive(vActive, ot::WholeHertzRate(fps), hActive);
        if (limit < ot::kMinHActive) {
            RefuseTiming(id);
            return;
        }
        if (limit < hActive) SetEdit(id, limit);
        // With the operator's totals, the H total still has to hold the picture; the limit keeps
        // the raised total within the clock.
        if (detailed)
            SetEdit(co::IDC_H_TOTAL_EDIT,
                    ot::RaisedTotal(hTotal, ot::NeededHTotal(EditInt(id), hSync, hbp)));
        break;
    }
    case co::IDC_V_ACTIVE_EDIT: {
        if (detailed) {
            const int limit = ot::DetailedVActiveLimit(hTotal, fps, vSync, vbp);
            if (limit < ot::kMinVActive) {
                RefuseTiming(id);
                return;
            }
            if (limit < vActive) SetEdit(id, limit);
            SetEdit(co::IDC_V_TOTAL_EDIT, ot::RaisedTotal(vTotal, ot::NeededVTotal(EditInt(id), vSync, vbp)));
        } else {
            const ot::VActiveLimit r = ot::LimitVActive(vActive, ot::WholeHertzRate(fps), hActive);
            if (r.vActive < ot::kMinVActive) {
                RefuseTiming(id);
                return;
            }
            if (r.hActive != hActive) SetEdit(co::IDC_H_ACTIVE_EDIT, r.hActive);
            if (r.vActive < vActive) SetEdit(id, r.vActive);
        }
        break;
    }
    case co::IDC_FPS_EDIT: {
        const int rate = signalpage::ToHundredths(fps);
        const int limit = detailed ? ot::DetailedFpsLimit(hTotal, vTotal)
                                   : ot::LimitFrameRate(vActive, rate, hActive);
        if (limit < ot::kMinFps * 100) {
            RefuseTiming(id);
            return;
        }
        if (limit < rate) SetEdit(id, limit / 100.0);
        break;
    }
    default:
        return;
    }
    RememberTiming();
}

// --- window geometry ---

void MOutputDlg::SendWindow(int w)
{
    GetDeviceData().SendCommand(CMD_SET_LAYER_WINDOW, w);
}

void MOutputDlg::OnGeometryCommitted(int id)
{
    CDeviceData& dev = GetDeviceData();
    LayerWindow& L = dev.chnl[window_];
    // Limits from the output size the edits show (a customised size counts before "Apply").
    const int H = EditInt(co::IDC_H_ACTIVE_EDIT);
    const int V = EditInt(co::IDC_V_ACTIVE_EDIT);
    const int hStart = EditInt(co::IDC_H_START_EDIT), vStart = EditInt(co::IDC_V_START_EDIT);
    const int width = EditInt(co::IDC_WIDTH_EDIT), height = EditInt(co::IDC_HEIGHT_EDIT);
    switch (id) {
    case co::IDC_H_START_EDIT: L.hPos = ow::ClampStart(hStart, width, H); SetEdit(id, L.hPos); break;
    case co::IDC_V_START_EDIT: L.vPos = ow::ClampStart(vStart, height, V); SetEdit(id, L.vPos); break;
    case co::IDC_WIDTH_EDIT: L.hAct = ow::ClampSize(width, hStart, H); SetEdit(id, L.hAct); break;
    case co::IDC_HEIGHT_EDIT: L.vAct = ow::ClampSize(height, vStart, V); SetEdit(id, L.vAct); break;
    default: return;
    }
    SendWindow(window_);
    PostMsg(parent(), WM_LAYER_GEOMETRY, LAYER_GEOMETRY_CELL, window_);
}

void MOutputDlg::OnValueChanged(int id)
{
    if (!IsInitialised() || !isVisible()) return;
    switch (id) {
    case co::IDC_H_TOTAL_EDIT:
    case co::IDC_V_TOTAL_EDIT:
    case co::IDC_H_SYNC_EDIT:
    case co::IDC_V_SYNC_EDIT:
    case co::IDC_HBP_EDIT:
    case co::IDC_VBP_EDIT:
    case co::IDC_H_ACTIVE_EDIT:
    case co::IDC_V_ACTIVE_EDIT:
    case co::IDC_FPS_EDIT:
        OnTimingCommitted(id);
        break;
    case co::IDC_H_START_EDIT:
    case co::IDC_V_START_EDIT:
    case co::IDC_WIDTH_EDIT:
    case co::IDC_HEIGHT_EDIT:
        OnGeometryCommitted(id);
        break;
    default:
        break;
    }
}

void MOutputDlg::OnFullScreen()
{
    if (!IsInitialised()) return;
    CDeviceData& dev = GetDeviceData();
    LayerWindow& L = dev.chnl[window_];
    L.hPos = 0;
    L.vPos = 0;
    L.hAct = std::max<int>(1, dev.outputReso.hReso);
    L.vAct = std::max<int>(1, dev.outputReso.vReso);
    LoadWindow();
    dev.layerSeeds[window_].layerSendFlag = 1;  // byte 9: a full-screen request
    SendWindow(window_);
    PostMsg(parent(), WM_LAYER_GEOMETRY, LAYER_GEOMETRY_CELL, window_);
}

void MOutputDlg::OnQuickLayout(int id)
{
    ow::QuickLayout layout;
    switch (id) {
    case co::IDC_LAYOUT_HALF: layout = ow::QuickLayout::Half; break;
    case co::IDC_LAYOUT_THIRDS: layout = ow::QuickLayout::Thirds; break;
    case co::IDC_LAYOUT_QUARTER: layout = ow::QuickLayout::Quarter; break;
    default: return;
    }
    CDeviceData& dev = GetDeviceData();
    LayerWindow& L = dev.chnl[window_];
    const ow::Geometry g =
        ow::QuickLayoutGeometry(layout, dev.outputReso.hReso, dev.outputReso.vReso, L.hPos, L.vPos);
    L.hPos = g.hPos;
    L.vPos = g.vPos;
    L.hAct = g.width;
    L.vAct = g.height;
    SetEdit(co::IDC_H_START_EDIT, L.hPos);
    SetEdit(co::IDC_V_START_EDIT, L.vPos);
    SetEdit(co::IDC_WIDTH_EDIT, L.hAct);
    SetEdit(co::IDC_HEIGHT_EDIT, L.vAct);
    SendWindow(window_);
    PostMsg(parent(), WM_LAYER_GEOMETRY, LAYER_GEOMETRY_CELL, window_);
}

// --- windows and rotation ---

void MOutputDlg::LoadWindow()
{
    const LayerWindow& L = GetDeviceData().chnl[window_];
    SetEdit(co::IDC_H_START_EDIT, L.hPos);
    SetEdit(co::IDC_V_START_EDIT, L.vPos);
    SetEdit(co::IDC_WIDTH_EDIT, L.hAct);
    SetEdit(co::IDC_HEIGHT_EDIT, L.vAct);
}

void MOutputDlg::UpdateWindowGeometry()
{
    if (!IsInitialised()) return;
    LoadWindow();
    SetRotation(GetDeviceData().chnl[window_].rotation, true, false);
}

void MOutputDlg::PaintWindowButtons()
{
    for (int w = 0; w < kWindowCount; ++w) {
        CGdipButton* b = windowButtons_[static_cast<size_t>(w)];
        if (!b) continue;
        b->SetPressed(w == window_);
        b->SetColorAndRedraw(w == window_ ? kSelectedFaceColor : kFaceColor);
    }
}

void MOutputDlg::SelectWindow(int window)
{
    if (!IsInitialised() || window < 0 || window >= kWindowCount) return;
    window_ = window;
    UpdateWindowGeometry();
    PaintWindowButtons();
}

void MOutputDlg::OnWindowButton(int id)
{
    const int w = id - co::IDC_WINDOW_0;
    if (w < 0 || w >= kWindowCount) return;
    const bool changed = w != window_;
    window_ = w;
    PaintWindowButtons();
    if (!changed) return;
    UpdateWindowGeometry();
}

void MOutputDlg::UpdateLayerButtonTexts()
{
    if (!IsInitialised()) return;
    const CDeviceData& dev = GetDeviceData();
    const signalpage::LayerButtonStates states = signalpage::LayerButtonStatesFor(dev.pvwMode, dev.pgmState, dev.pvwState);
    for (int w = 0; w < kWindowCount; ++w) {
        const signalpage::LayerButtonState& s = states[static_cast<size_t>(w)];
        signalpage::ApplyLayerButtonState(windowButtons_[static_cast<size_t>(w)], s);
        // In the switcher mode a preview window of the first pair becomes the current window.
        if (dev.pvwMode == 1 && w < 2 && s.onPreview) OnWindowButton(co::IDC_WINDOW_0 + w);
    }
}

void MOutputDlg::PressRotationButtons()
{
    const int rotation = GetDeviceData().chnl[window_].rotation;
    for (int code = 0; code < ow::kRotationCodeCount; ++code) {
        CGdipButton* b = rotationButtons_[static_cast<size_t>(code)];
        if (!b) continue;
        b->SetPressed(code == rotation);
        b->SetColorAndRedraw(code == rotation ? kSelectedFaceColor : kFaceColor);
    }
}

void MOutputDlg::SetRotation(int code, bool undoFirst, bool send)
{
    // The preview is turned from the upright picture: undoing the old code and then showing the
    // new one gives the same picture, without sums of rounding.
    (void)undoFirst;
    preview_ = Turned(previewOriginal_, ow::ShowSteps(code));
    previewCode_ = code;
    GetDeviceData().chnl[window_].rotation = code;
    if (send) SendWindow(window_);
    PressRotationButtons();
    update();
}

void MOutputDlg::OnRotationButton(int code)
{
    if (!ow::IsRotationCode(code)) return;
    if (GetDeviceData().chnl[window_].rotation == code) {
        PressRotationButtons();
        return;
    }
    SetRotation(code, true, true);
}

// --- messages and painting ---

void MOutputDlg::OnButton(int id)
{
    switch (id) {
    case co::IDC_WINDOW_0:
    case co::IDC_WINDOW_1:
    case co::IDC_WINDOW_2:
    case co::IDC_WINDOW_3: OnWindowButton(id); return;
    case co::IDC_MORE: OnMore(); return;
    case co::IDC_APPLY: OnApply(); return;
    case co::IDC_FULL_SCREEN: OnFullScreen(); return;
    case co::IDC_LAYOUT_HALF:
    case co::IDC_LAYOUT_THIRDS:
    case co::IDC_LAYOUT_QUARTER: OnQuickLayout(id); return;
    default: break;
    }
    for (int code = 0; code < ow::kRotationCodeCount; ++code)
        if (kRotationIds[code] == id) OnRotationButton(code);
}

void MOutputDlg::OnDropSelect(int id, int index)
{
    switch (id) {
    case co::IDC_RESOLUTION_LIST:
        if (index >= 0 && index < kResolutionRows) SelectResolution(index, index != kCustomRow);
        break;
    case co::IDC_H_POLARITY_LIST: GetDeviceData().outputReso.hPol = static_cast<uint8_t>(index == 1); break;
    case co::IDC_V_POLARITY_LIST: GetDeviceData().outputReso.vPol = static_cast<uint8_t>(index == 1); break;
    default: break;
    }
}

void MOutputDlg::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    PaintBackground(p);
    DrawTitleBand(p, Title());
    if (CGdipButton* main = windowButtons_[0]) {
        const int y = main->geometry().bottom() + ScaleY(3);
        p.setPen(ToQColor(kLineColor));
        p.drawLine(ScaleX(5), y, width() - 1 - ScaleX(5), y);
    }
    const QRect at = PreviewRect();
    if (!at.isEmpty()) {
        p.setRenderHint(QPainter::SmoothPixmapTransform, at.size() != preview_.size());
        p.drawImage(at, preview_);
    }
}

QRect MOutputDlg::PreviewRect() const
{
    if (!rotateGroup_ || preview_.isNull()) return {};
    // Centred in the group, inside its frame, and a little apart from every rotation button.
    const int gap = ScaleX(2);
    std::vector<QRect> buttons;
    for (const CGdipButton* b : rotationButtons_)
        if (b && b->isVisibleTo(this)) buttons.push_back(b->geometry().adjusted(-gap, -gap, gap, gap));
    const QRect g = rotateGroup_->geometry();
    return ow::PreviewPlacement(preview_.size(), g.center() + QPoint(1, 1), g.adjusted(gap, gap, -gap, -gap), buttons);
}

QList<MBaseDialog::PaintedArea> MOutputDlg::PaintedAreas() const
{
    const QRect at = PreviewRect();
    if (at.isEmpty()) return {};
    return {{QStringLiteral("rotation preview"), at}};
}
