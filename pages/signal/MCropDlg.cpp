#include "pages/signal/MCropDlg.h"

#include "controls/CGdipButton.h"
#include "device/CDeviceData.h"
#include "pagekit/DialogIds.h"
#include "pagekit/DialogLanguage.h"
#include "pagekit/UiText.h"
#include "pages/signal/CropIds.h"
#include "pages/signal/SignalPageHelpers.h"
#include "platform/ControlId.h"
#include "platform/MessageIds.h"
#include "platform/PageNotifyCodes.h"

#include <QLabel>
#include <QPainter>

#include <cmath>

namespace cc = ctl::crop;

namespace {

constexpr unsigned kLayerImage = 113;
constexpr unsigned kLayerAltImage = 114;
constexpr unsigned kSwitchOffImage = 128;
constexpr unsigned kSwitchOnImage = 130;
constexpr unsigned kResetImage = 129;
constexpr COLORREF kCaptionColor = 0xEBEBEB;
constexpr COLORREF kSelectedCaptionColor = 0x9CEF;
constexpr COLORREF kFrameColor = 0x1E1E1E;
constexpr COLORREF kPreviewColor = 0x00AEFF;

constexpr int kLayerButtonTop = 40;
constexpr int kRowTop = 84;
constexpr int kRowStep = 30;
constexpr int kLabelLeft = 18;
constexpr int kEditLeft = 108;
constexpr int kEditWidth = 76;
constexpr int kOnOffTop = kRowTop + 4 * kRowStep + 2;

constexpr std::array<int, 4> kEditIds = {cc::IDC_H_START_EDIT, cc::IDC_V_START_EDIT, cc::IDC_WIDTH_EDIT,
                                         cc::IDC_HEIGHT_EDIT};
constexpr std::array<int, 4> kLabelIds = {cc::IDC_H_START_LABEL, cc::IDC_V_START_LABEL, cc::IDC_WIDTH_LABEL,
                                          cc::IDC_HEIGHT_LABEL};

CropWindow* RecordOf(int i, int w)
{
    if (i < 0 || i >= kInputIndexCount || w < 0 || w >= kWindowCount) return nullptr;
    return &GetDeviceData().crop[i][w];
}

} // namespace

MCropDlg::MCropDlg(QWidget* parent) : MBaseDialog(IDD_CROP, parent, true)
{
    setWindowTitle(QStringLiteral("Image Crop"));
}

int MCropDlg::InputIndex() const { return GetDeviceData().GetWindowInputIndex(layer_); }

void MCropDlg::OnInitDialog()
{
    if (IsInitialised()) return;
    MBaseDialog::OnInitDialog();
    SetTitle(g_UiText[70]);
    CreateCaptionButtons(false);

    for (int k = 0; k < 4; ++k) {
        auto* b = new CGdipButton(this);
        b->Create(k == 0 ? QStringLiteral("MAIN") : QStringLiteral("PIP-%1").arg(k), this, cc::IDC_LAYER_MAIN + k,
                  QRect(50 + 55 * k, kLayerButtonTop, 55, 30));
        b->LoadStdImage(kLayerImage);
        b->LoadAltImage(kLayerAltImage);
        b->SetCaptionFont(&ControlFont());
        b->SetRadio(true);
        b->SetPressed(k == layer_);
        b->SetColorAndRedraw(k == layer_ ? kSelectedCaptionColor : kCaptionColor);
        connect(b, &CGdipButton::clickedId, this, &MCropDlg::OnButton);
        layerButtons_[static_cast<size_t>(k)] = b;
    }

    static const char* const labels[4] = {"H Start : ", "V Start : ", "Width : ", "Height : "};
    // Before the first refresh: the crop seed of MAIN.
    const CropSeed& seed = GetDeviceData().cropSeeds[0];
    const int seeds[4] = {seed.a, seed.b, seed.c, seed.d};
    for (int k = 0; k < 4; ++k) {
        const int top = kRowTop + kRowStep * k;
        auto* label = new QLabel(QString::fromLatin1(labels[k]), this);
        SetControlId(label, kLabelIds[static_cast<size_t>(k)]);
        label->setGeometry(kLabelLeft, top, kEditLeft - kLabelLeft - 4, 24);
        auto* e = new oRealEdit(this);
        SetControlId(e, kEditIds[static_cast<size_t>(k)]);
        SetControlOwner(e, this);
        const float low = k < 2 ? croprules::kStartMin : croprules::kSizeMin;
        e->Init(false, low, static_cast<float>(seeds[k]), croprules::kCropMax, QStringLiteral("%d"));
        e->setGeometry(kEditLeft, top, kEditWidth, 24);
        edits_[static_cast<size_t>(k)] = e;
    }

    onOffButton_ = new CGdipButton(this);
    onOffButton_->Create(QString(), this, cc::IDC_ON_OFF, QRect(kEditLeft + 8, kOnOffTop, 60, 26));
    onOffButton_->LoadStdImage(kSwitchOffImage);
    onOffButton_->LoadAltImage(kSwitchOnImage);
    onOffButton_->SetCheck(true);
    connect(onOffButton_, &CGdipButton::clickedId, this, &MCropDlg::OnButton);

    inputLabel_ = new QLabel(this);
    SetControlId(inputLabel_, cc::IDC_INPUT_SOURCE_LABEL);
    inputLabel_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    inputLabel_->setWordWrap(true);
    inputLabel_->setGeometry(kEditLeft + kEditWidth + 12, kRowTop, 320 - (kEditLeft + kEditWidth + 12) - 12, 54);

    resetButton_ = new CGdipButton(this);
    resetButton_->Create(QStringLiteral("Reset"), this, cc::IDC_RESET, QRect(0, 0, 80, 28));
    resetButton_->LoadStdImage(kResetImage);
    resetButton_->SizeToImage();
    resetButton_->SetCaptionFont(&ControlFont());
    resetButton_->SetColorAndRedraw(kCaptionColor);
    resetButton_->move(inputLabel_->geometry().center().x() - resetButton_->width() / 2, kRowTop + 2 * kRowStep + 6);
    connect(resetButton_, &CGdipButton::clickedId, this, &MCropDlg::OnButton);

    ApplyFontToChildren();
    UpdateInputSourceLabel();
    preview_ = croprules::PreviewEdgesBelow(onOffButton_->x(), onOffButton_->y());
    // Off until the first refresh shows a record.
    SetCropOn(false);
    UpdateCropPreview();
}

void MCropDlg::ApplyLanguage()
{
    ApplyDialogLanguage(this, IDD_CROP);
    // The label's language text is its caption line; the input's name follows it.
    const QString text = inputLabel_ ? inputLabel_->text() : QString();
    if (!text.isEmpty()) inputSourceCaption_ = text.section(QLatin1Char('\n'), 0, 0);
    SetTitle(g_UiText[70]);
    // The layer buttons' captions follow the work mode, not the language: re-applying them here
    // would also move the page to the preview layer in switcher mode.
    UpdateInputSourceLabel();
    update();
}

void MCropDlg::OnButton(int id)
{
    if (id >= cc::IDC_LAYER_MAIN && id <= cc::IDC_LAYER_PIP3)
        OnSelectLayer(id);
    else if (id == cc::IDC_ON_OFF)
        OnOnOff();
    else if (id == cc::IDC_RESET)
        OnReset();
}

int MCropDlg::EditValue(int k) const
{
    const oRealEdit* e = Edit(k);
    if (!e) return 0;
    const float v = e->GetValue();
    return std::isfinite(v) ? static_cast<int>(v) : 0;
}

void MCropDlg::SetCropOn(bool on)
{
    cropOn_ = on;
    if (onOffButton_) {
        onOffButton_->SetPressed(on);
        onOffButton_->update();
    }
    if (resetButton_) {
        resetButton_->SetDisabledLook(!on);
        resetButton_->setEnabled(on);
    }
    for (oRealEdit* e : edits_)
        if (e) e->setEnabled(on);
}

void MCropDlg::ShowRecord()
{
    const CropWindow* c = RecordOf(InputIndex(), layer_);
    if (!c) {
        // No input with crop records on this layer: nothing to show or change.
        SetCropOn(false);
        if (onOffButton_) onOffButton_->setEnabled(false);
        return;
    }
    if (onOffButton_) onOffButton_->setEnabled(true);
    const int values[4] = {c->hPos, c->vPos, c->hAct, c->vAct};
    for (int k = 0; k < 4; ++k)
        if (oRealEdit* e = Edit(k)) e->SetValue(static_cast<float>(values[k]));
    SetCropOn(c->onOff != 0);
}

void MCropDlg::RefreshFromDevice()
{
    inputIndex_ = InputIndex();
    ShowRecord();
    UpdateCropPreview();
    NotifyCropChanged();
}

void MCropDlg::OnSelectLayer(int id)
{
    const int k = id - cc::IDC_LAYER_MAIN;
    if (k < 0 || k >= kWindowCount) return;
    if (CGdipButton* old = LayerButton(layer_)) old->SetPressed(false);
    if (CGdipButton* now = LayerButton(k)) now->SetPressed(true);
    if (k == layer_) return;
    if (CGdipButton* old = LayerButton(layer_)) old->SetColorAndRedraw(kCaptionColor);
    if (CGdipButton* now = LayerButton(k)) now->SetColorAndRedraw(kSelectedCaptionColor);
    layer_ = k;
    inputIndex_ = InputIndex();
    ShowRecord();
    UpdateInputSourceLabel();
    UpdateCropPreview();
}

void MCropDlg::OnOnOff()
{
    CropWindow* c = RecordOf(InputIndex(), layer_);
    if (!c) {
        SetCropOn(false);
        return;
    }
    SetCropOn(onOffButton_ && onOffButton_->IsPressed());
    c->onOff = cropOn_ ? 1 : 0;
    GetDeviceData().SendCommand(CMD_SET_CROP, layer_, 0);
    NotifyCropChanged();
}

void MCropDlg::OnReset()
{
    // The processor resets the crop and reports it back (reply 11), which refreshes the page.
    if (!cropOn_ || !RecordOf(InputIndex(), layer_)) return;
    GetDeviceData().SendCommand(CMD_SET_CROP, layer_, 1);
}

void MCropDlg::OnValueChanged(int id)
{
    if (!isVisible()) return;
    int k = -1;
    for (int n = 0; n < 4; ++n)
        if (kEditIds[static_cast<size_t>(n)] == id) k = n;
    if (k < 0) return;
    CropWindow* c = RecordOf(InputIndex(), layer_);
    if (!c) return;

    // Each edit is limited by the other edit of its axis: start + size stays within the source.
    const int total = k == 0 || k == 2 ? c->hTotal : c->vTotal;
    const int other = EditValue(k ^ 2);
    const int value = EditValue(k);
    const int kept = croprules::LimitByOtherEdit(value, total, other);
    if (kept != value) Edit(k)->SetValue(static_cast<float>(kept));

    c->hPos = static_cast<uint16_t>(EditValue(0));
    c->vPos = static_cast<uint16_t>(EditValue(1));
    c->hAct = static_cast<uint16_t>(EditValue(2));
    c->vAct = static_cast<uint16_t>(EditValue(3));
    UpdateCropPreview();
    GetDeviceData().SendCommand(CMD_SET_CROP, layer_, 0);
    NotifyCropChanged();
}

void MCropDlg::UpdateInputSourceLabel()
{
    if (!inputLabel_) return;
    const int code = layer_ >= 0 && layer_ < kWindowCount ? GetDeviceData().chnl[layer_].input : -1;
    // An input code the table does not know names nothing.
    const QString name = code >= 0 && code < kInputIndexCount ? GetDeviceData().inputNames[code].name : QString();
    inputLabel_->setText(inputSourceCaption_ + QLatin1Char('\n') + name.trimmed());
    update(inputLabel_->geometry().adjusted(-1, -1, 1, 1));
}

void MCropDlg::UpdateCropPreview()
{
    const CropWindow* c = RecordOf(InputIndex(), layer_);
    const int hTotal = c ? c->hTotal : 0;
    const int vTotal = c ? c->vTotal : 0;
    cropRect_ = croprules::CropPreviewEdges(preview_, hTotal, vTotal, EditValue(0), EditValue(1), EditValue(2),
                                            EditValue(3));
    update(croprules::ToQRect(preview_).adjusted(-2, -2, 2, 2));
}

void MCropDlg::NotifyCropChanged()
{
    const int i = InputIndex();
    if (i < 0) return;
    if (QWidget* main = parentWidget())
        SendMsg(main, WM_PAGE_NOTIFY, NOTIFY_CROP_CHANGED, croprules::CropNotifyValue(i, layer_));
}

void MCropDlg::UpdateLayerButtonTexts()
{
    const DeviceParamBlock& b = GetDeviceData();
    const auto states = signalpage::LayerButtonStatesFor(b.pvwMode, b.pgmState, b.pvwState);
    for (int k = 0; k < 4; ++k) signalpage::ApplyLayerButtonState(LayerButton(k), states[static_cast<size_t>(k)]);
    // In switcher mode the page follows the preview window: MAIN first, then PIP-1.
    if (b.pvwMode == 1)
        for (int k = 0; k < 2; ++k)
            if (states[static_cast<size_t>(k)].onPreview) OnSelectLayer(cc::IDC_LAYER_MAIN + k);
}

void MCropDlg::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    PaintBackground(p);
    DrawTitleBand(p, Title());
    if (!layerButtons_[0] || !onOffButton_) return;

    // A double frame around the controls, the second one pixel lower and to the right.
    const int top = layerButtons_[0]->geometry().bottom() + 6;
    const int bottom = preview_.bottom + 12;
    QRect frame(10, top, width() - 20, bottom - top);
    p.setBrush(Qt::NoBrush);
    p.setPen(ToQColor(kFrameColor));
    p.drawRect(frame.adjusted(0, 0, -1, -1));
    p.drawRect(frame.adjusted(1, 1, 0, 0));

    p.fillRect(croprules::ToQRect(preview_), ToQColor(kPreviewColor));
    p.setPen(QColor(0, 0, 0));
    const QRect crop = croprules::ToQRect(cropRect_);
    if (crop.width() > 0 && crop.height() > 0) p.drawRect(crop.adjusted(0, 0, -1, -1));
}
