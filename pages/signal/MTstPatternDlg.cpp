#include "pages/signal/MTstPatternDlg.h"

#include "controls/CGdipButton.h"
#include "controls/CSxGroupBox.h"
#include "controls/oBitmapSlider.h"
#include "controls/oRealEdit.h"
#include "controls/oSliderEdit.h"
#include "device/CDeviceData.h"
#include "pagekit/PageControls.h"
#include "pagekit/DialogIds.h"
#include "pagekit/DialogLanguage.h"
#include "pagekit/UiText.h"
#include "pages/signal/SignalPageHelpers.h"
#include "pages/signal/TestPatternIds.h"
#include "pages/signal/TestPatternRules.h"
#include "platform/ControlId.h"
#include "platform/Dpi.h"
#include "platform/MessageIds.h"
#include "platform/PageNotifyCodes.h"

#include <QLabel>
#include <QPainter>
#include <QVariantMap>

namespace ct = ctl::test_pattern;
namespace tp = testpattern;

namespace {

constexpr unsigned kSkinImage = 113;
constexpr unsigned kSliderChannel = 159;
constexpr unsigned kSliderChannelActive = 163;
constexpr unsigned kSliderThumb = 161;
constexpr unsigned kSliderBack = 168;
constexpr COLORREF kSwatchTextColor = 0x9CEF;
constexpr int kPatternGroupText = 20;  // "Test Pattern"
constexpr int kGrabGroupText = 21;     // "Pixel Grab"
constexpr int kCaptionTab = 4;

}  // namespace

using signalpage::DesignRect;
using signalpage::SwitchCaption;

MTstPatternDlg::MTstPatternDlg(QWidget* parent) : MBaseDialog(IDD_TEST_PATTERN, parent, false)
{
    setWindowTitle(QStringLiteral("Test Pattern"));
}

CGdipButton* MTstPatternDlg::MakeButton(int id, const QString& caption, unsigned stdImage, unsigned altImage,
                                        const QRect& rect)
{
    return MakePageButton(this, id, caption, stdImage, altImage, rect, kPageCaptionColor, &MTstPatternDlg::OnButton);
}

oRealEdit* MTstPatternDlg::MakeGrabEdit(int id, int initial, const QRect& rect)
{
    oRealEdit* edit = MakePageEdit(this, id, -1, static_cast<float>(initial), 9999, QStringLiteral("%d"), rect);
    edit->setEnabled(false);
    return edit;
}

void MTstPatternDlg::OnInitDialog()
{
    if (IsInitialised()) return;
    MBaseDialog::OnInitDialog();
    UseTabLook();
    const CDeviceData& dev = GetDeviceData();

    patternGroup_ = MakePageGroup(this, ct::IDC_PATTERN_GROUP, g_UiText[kPatternGroupText], DesignRect(6, 12, 308, 104));
    grabGroup_ = MakePageGroup(this, ct::IDC_PIXEL_GRAB_GROUP, g_UiText[kGrabGroupText], DesignRect(6, 140, 308, 150));

    // Pattern: "<<", number, ">>" and the switch on one row, the slider below.
    previousButton_ = MakeButton(ct::IDC_PATTERN_PREVIOUS, QStringLiteral("<<"), kPageActionImage, 0, DesignRect(16, 42, 40, 28));
    patternEdit_ = new oSliderEdit(this);
    SetControlId(patternEdit_, ct::IDC_PATTERN_EDIT);
    SetControlOwner(patternEdit_, this);
    patternEdit_->Init(true, tp::kFirstPattern, tp::kFirstPattern, tp::kLastPattern, QStringLiteral("%d"));
    patternEdit_->setGeometry(DesignRect(64, 44, 50, 24));
    nextButton_ = MakeButton(ct::IDC_PATTERN_NEXT, QStringLiteral(">>"), kPageActionImage, 0, DesignRect(122, 42, 40, 28));
    patternButton_ = MakeButton(ct::IDC_PATTERN_ON_OFF, SwitchCaption(false), kPageActionImage, kPageActionPressedImage,
                                DesignRect(238, 38, 64, 36));
    patternButton_->SetCheck(true);
    slider_ = new oBitmapSlider(this);
    SetControlId(slider_, ct::IDC_PATTERN_SLIDER);
    slider_->SetBkBitmap(kSliderBack);
    slider_->LoadChannelImage(kSliderChannel, kSliderChannelActive);
    slider_->LoadThumbImage(kSliderThumb);
    slider_->move(ScaleX(40), ScaleY(84));
    patternEdit_->AttachSlider(slider_);
    EnablePatternControls(false);

    // Pixel grab: the switch on the group's top edge, the position edits, the swatch.
    grabButton_ = MakeButton(ct::IDC_PIXEL_GRAB_ON_OFF, QString(), kPageSwitchOffImage, kPageSwitchOnImage,
                             DesignRect(240, 128, 60, 26));
    grabButton_->SetCheck(true);
    MakePageLabel(this, ct::IDC_GRAB_H_START_LABEL, QStringLiteral("H Start : "), DesignRect(12, 170, 80, 24),
                  Qt::AlignRight | Qt::AlignVCenter);
    grabX_ = MakeGrabEdit(ct::IDC_GRAB_H_START_EDIT, dev.grabPos.x, DesignRect(96, 170, 56, 24));
    MakePageLabel(this, ct::IDC_GRAB_V_START_LABEL, QStringLiteral("V Start : "), DesignRect(12, 204, 80, 24),
                  Qt::AlignRight | Qt::AlignVCenter);
    grabY_ = MakeGrabEdit(ct::IDC_GRAB_V_START_EDIT, dev.grabPos.y, DesignRect(96, 204, 56, 24));

    captionButton_ = MakeButton(ct::IDC_CAPTION_SETTINGS, QStringLiteral("Caption Setting"), kSkinImage, 0,
                                DesignRect(6, 306, 140, 32));

    StylePageGroups(this, {patternGroup_, grabGroup_}, true);
    ApplyFontToChildren();

    // The swatch fills the right half beside the edits; the values run below, across the group,
    // where numbers above 255 still fit.
    const QRect g = grabGroup_->geometry();
    const int editBottom = grabY_->geometry().bottom() + 1;
    swatchRect_ = QRect(QPoint(g.left() + g.width() / 2, g.top() + ScaleY(25)),
                        QPoint(g.right() - ScaleX(30), editBottom - 1));
    textRect_ = QRect(QPoint(g.left() + ScaleX(10), editBottom + ScaleY(15)), QPoint(g.right() - ScaleX(10), g.bottom()));
}

void MTstPatternDlg::ApplyLanguage()
{
    ApplyDialogLanguage(this, IDD_TEST_PATTERN);
    if (patternGroup_) patternGroup_->SetCaption(g_UiText[kPatternGroupText]);
    if (grabGroup_) grabGroup_->SetCaption(g_UiText[kGrabGroupText]);
    if (patternButton_) patternButton_->setText(SwitchCaption(patternButton_->IsPressed()));
    update();
}

CGdipButton* MTstPatternDlg::Button(int id) const
{
    switch (id) {
    case ct::IDC_PATTERN_ON_OFF: return patternButton_;
    case ct::IDC_PATTERN_PREVIOUS: return previousButton_;
    case ct::IDC_PATTERN_NEXT: return nextButton_;
    case ct::IDC_PIXEL_GRAB_ON_OFF: return grabButton_;
    case ct::IDC_CAPTION_SETTINGS: return captionButton_;
    default: return nullptr;
    }
}

oRealEdit* MTstPatternDlg::GrabEdit(int id) const
{
    if (id == ct::IDC_GRAB_H_START_EDIT) return grabX_;
    if (id == ct::IDC_GRAB_V_START_EDIT) return grabY_;
    return nullptr;
}

void MTstPatternDlg::ShowPage(bool show)
{
    MBaseDialog::ShowPage(show);
    if (!show && IsInitialised() && (patternButton_->IsPressed() || current_ != 0)) SwitchPatternOff();
}

void MTstPatternDlg::EnablePatternControls(bool on)
{
    patternEdit_->setEnabled(on);
    slider_->Enable(on);
    previousButton_->setEnabled(on);
    nextButton_->setEnabled(on);
}

void MTstPatternDlg::PatternOff()
{
    patternButton_->SetPressed(false);
    patternButton_->setText(SwitchCaption(false));
    EnablePatternControls(false);
    current_ = 0;
    GetDeviceData().testPattern = 0;
}

void MTstPatternDlg::SwitchPatternOff()
{
    PatternOff();
    GetDeviceData().SendCommand(CMD_SET_TEST_PATTERN);
    if (QWidget* owner = parentWidget()) PostMsg(owner, WM_TEST_PATTERN_STATE, 0, 0);
}

void MTstPatternDlg::SwitchGrabOff()
{
    const bool wasOn = grabButton_->IsPressed();
    grabButton_->SetPressed(false);
    grabX_->setEnabled(false);
    grabY_->setEnabled(false);
    if (wasOn) GetDeviceData().SendCommand(CMD_PIXEL_GRAB, 0);
}

void MTstPatternDlg::NotifyCaptionPage(int shown)
{
    if (QWidget* owner = parentWidget())
        SendMsg(owner, WM_PAGE_NOTIFY, NOTIFY_SHOW_SUBPAGE, 0,
                QVariantMap{{QStringLiteral("tab"), kCaptionTab}, {QStringLiteral("shown"), shown}});
}

void MTstPatternDlg::SendPattern()
{
    GetDeviceData().testPattern = static_cast<uint8_t>(current_);
    GetDeviceData().SendCommand(CMD_SET_TEST_PATTERN);
}

void MTstPatternDlg::OnButton(int id)
{
    switch (id) {
    case ct::IDC_PATTERN_ON_OFF:
    case ct::IDC_PATTERN_PREVIOUS:
    case ct::IDC_PATTERN_NEXT: OnPatternButtons(id); break;
    case ct::IDC_PIXEL_GRAB_ON_OFF: OnPixelGrab(); break;
    case ct::IDC_CAPTION_SETTINGS: OnCaptionSettings(); break;
    default: break;
    }
}

void MTstPatternDlg::OnPatternButtons(int id)
{
    if (id == ct::IDC_PATTERN_PREVIOUS || id == ct::IDC_PATTERN_NEXT) {
        const int step = id == ct::IDC_PATTERN_NEXT ? 1 : -1;
        patternEdit_->SetValue(static_cast<float>(tp::SteppedPattern(static_cast<int>(patternEdit_->GetValue()), step)));
        current_ = static_cast<int>(patternEdit_->GetValue());
        SendPattern();
        return;
    }
    if (id != ct::IDC_PATTERN_ON_OFF) return;
    const bool on = patternButton_->IsPressed();
    patternButton_->setText(SwitchCaption(on));
    EnablePatternControls(on);
    current_ = on ? static_cast<int>(patternEdit_->GetValue()) : 0;
    SendPattern();
    if (QWidget* owner = parentWidget()) PostMsg(owner, WM_TEST_PATTERN_STATE, 0, current_ != 0 ? 1 : 0);
    // A pattern and the pixel grab exclude each other, on the processor too.
    SwitchGrabOff();
    NotifyCaptionPage(0);
}

void MTstPatternDlg::OnPixelGrab()
{
    const bool on = grabButton_->IsPressed();
    grabX_->setEnabled(on);
    grabY_->setEnabled(on);
    GetDeviceData().SendCommand(CMD_PIXEL_GRAB, on ? 1 : 0);
    if (!on) return;
    // The grab reads the output: a pattern still on would be what it reads, and the main window
    // would stay locked for a pattern nobody sees.
    if (patternButton_->IsPressed() || current_ != 0)
        SwitchPatternOff();
    else
        PatternOff();
    NotifyCaptionPage(0);
}

void MTstPatternDlg::OnCaptionSettings()
{
    NotifyCaptionPage(1);
    if (patternButton_->IsPressed()) SwitchPatternOff();
    if (grabButton_->IsPressed()) SwitchGrabOff();
}

void MTstPatternDlg::OnValueChanged(int id)
{
    if (!isVisible()) return;
    CDeviceData& dev = GetDeviceData();
    switch (id) {
    case ct::IDC_PATTERN_EDIT:
        current_ = static_cast<int>(patternEdit_->GetValue());
        SendPattern();
        break;
    case ct::IDC_GRAB_H_START_EDIT:
    case ct::IDC_GRAB_V_START_EDIT: {
        const bool horizontal = id == ct::IDC_GRAB_H_START_EDIT;
        oRealEdit* edit = horizontal ? grabX_ : grabY_;
        const int typed = static_cast<int>(edit->GetValue());
        const tp::GrabCoordinate c =
            tp::GrabCoordinateFor(typed, horizontal ? dev.outputReso.hReso : dev.outputReso.vReso);
        if (c.shown != typed) edit->SetValue(static_cast<float>(c.shown));
        (horizontal ? dev.grabPos.x : dev.grabPos.y) = c.stored;
        dev.SendCommand(CMD_PIXEL_GRAB, 1);
        break;
    }
    default: break;
    }
}

void MTstPatternDlg::OnGrabColor()
{
    const CDeviceData& dev = GetDeviceData();
    swatch_ = QColor(dev.grabColor[0] & 0xFF, dev.grabColor[1] & 0xFF, dev.grabColor[2] & 0xFF);
    update(swatchRect_);
    update(textRect_);
}

QString MTstPatternDlg::SwatchText() const
{
    const CDeviceData& dev = GetDeviceData();
    return QStringLiteral("R:%1   G:%2    B:%3").arg(dev.grabColor[0]).arg(dev.grabColor[1]).arg(dev.grabColor[2]);
}

void MTstPatternDlg::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    PaintBackground(p);
    if (!swatch_) return;
    p.fillRect(swatchRect_, *swatch_);
    p.setFont(PageFont());
    p.setPen(ToQColor(kSwatchTextColor));
    p.drawText(textRect_, Qt::AlignLeft | Qt::AlignTop, SwatchText());
}

LRESULT MTstPatternDlg::OnMessage(unsigned msg, WPARAM wParam, LPARAM lParam, const QVariant& payload)
{
    switch (msg) {
    case WM_PIXEL_COLOR: OnGrabColor(); return 0;
    default: return MBaseDialog::OnMessage(msg, wParam, lParam, payload);
    }
}
