#include "pages/system/MSubTitleDlg.h"

#include "comm/QVN_Comm.h"
#include "controls/CDropButton.h"
#include "controls/CGdipButton.h"
#include "controls/CSxGroupBox.h"
#include "controls/ImageResources.h"
#include "controls/oRealEdit.h"
#include "device/CDeviceData.h"
#include "device/CommandIds.h"
#include "device/PathUtils.h"
#include "pagekit/DialogIds.h"
#include "pagekit/DialogLanguage.h"
#include "pagekit/PageControls.h"
#include "pagekit/UiText.h"
#include "pages/system/CaptionBitmap.h"
#include "pages/system/CaptionIds.h"
#include "platform/CaptionTarget.h"
#include "platform/ControlId.h"
#include "platform/Dpi.h"
#include "platform/Fonts.h"
#include "platform/MessageBox.h"
#include "platform/MessageIds.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <limits>
#include <vector>

namespace cc = ctl::caption;
using caption::BmpError;
using caption::CaptionTransfer;

namespace {

constexpr unsigned kButtonImage = 113;
constexpr unsigned kButtonAltImage = 114;
constexpr unsigned kCheckImage = 126;
constexpr unsigned kCheckAltImage = 125;
constexpr unsigned kBackTranslucent = 1532;
constexpr unsigned kBackTransparent = 1531;
constexpr COLORREF kCaptionColour = 0xEBEBEB;
constexpr COLORREF kPressedColour = 0x009CEF;
constexpr int kSimpleHeight = 410;
constexpr int kAdvancedHeight = 610;
constexpr int kPageWidth = 320;
constexpr int kRow = 24;
constexpr int kPreviewLeft = 8;
constexpr int kGroupLeft = 4;
constexpr int kGroupWidth = kPageWidth - 2 * kGroupLeft;
constexpr int kBottomMargin = 4;        // below the lowest group
constexpr int kMinTextEditHeight = 40;  // the text edit, however little room there is
const QString kWelcome = QStringLiteral("Welcome");
const QString kTooLarge = QString::fromUtf8("图片超过 3840*128 的限制");
const QString kCaptionInvalid = QStringLiteral("Caption Invalid");

// Index of an edit, list or label in the page's arrays.
int EditIndex(int id)
{
    switch (id) {
    case cc::IDC_WIDTH_EDIT: return 0;
    case cc::IDC_HEIGHT_EDIT: return 1;
    case cc::IDC_H_START_EDIT: return 2;
    case cc::IDC_V_START_EDIT: return 3;
    case cc::IDC_DISPLAY_WIDTH_EDIT: return 4;
    default: return -1;
    }
}
int ListIndex(int id)
{
    switch (id) {
    case cc::IDC_DIRECTION_LIST: return 0;
    case cc::IDC_SPEED_LIST: return 1;
    case cc::IDC_BACKGROUND_LIST: return 2;
    case cc::IDC_CAPTION_LIST: return 3;
    default: return -1;
    }
}

// "Arial" bold with a 32-pixel character cell, not antialiased.
QFont DefaultCaptionFont()
{
    QFont font = MakeFont(QStringLiteral("Arial"), 0, 700);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setStyleHint(QFont::SansSerif);
    return caption::CaptionFontWithHeight(font, 32);
}

uint8_t Lo(int v) { return static_cast<uint8_t>(v & 0xFF); }
uint8_t Hi(int v) { return static_cast<uint8_t>((v >> 8) & 0xFF); }
uint16_t RecordU16(const uint8_t* rec, int at) { return static_cast<uint16_t>(rec[at] | rec[at + 1] << 8); }
COLORREF RecordColour(const uint8_t* rec, int at)
{
    return (COLORREF(rec[at]) | COLORREF(rec[at + 1]) << 8 | COLORREF(rec[at + 2]) << 16) & 0x00FFFFFF;
}

// A check-box image button whose caption stands beside it (the language layer sets it there),
// so the image stays a clean box. Clicking the caption clicks the box.
class CaptionLabel : public QLabel {
public:
    CaptionLabel(QWidget* parent, CGdipButton* box) : QLabel(parent), box_(box) {}

protected:
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()) && box_->isEnabled())
            box_->click();
    }

private:
    CGdipButton* box_;
};

class CheckBox : public CGdipButton, public ICaptionTarget {
public:
    explicit CheckBox(QWidget* parent) : CGdipButton(parent), label_(new CaptionLabel(parent, this)) {}
    void SetCaptionText(const QString& text) override { label_->setText(text); }
    QLabel* Label() const { return label_; }
    void setVisible(bool visible) override
    {
        CGdipButton::setVisible(visible);
        label_->setVisible(visible);
    }

protected:
    void changeEvent(QEvent* e) override
    {
        if (e->type() == QEvent::EnabledChange) label_->setEnabled(isEnabled());
        CGdipButton::changeEvent(e);
    }
    void moveEvent(QMoveEvent* e) override
    {
        label_->setGeometry(x() + width() + 4, y() - 2, label_->width(), height() + 4);
        CGdipButton::moveEvent(e);
    }

private:
    QLabel* label_;
};

CheckBox* AsCheck(CGdipButton* b) { return static_cast<CheckBox*>(b); }

}  // namespace

CaptionDialogs DefaultCaptionDialogs()
{
    CaptionDialogs d;
    d.chooseFont = [](QWidget* parent, QFont& font, QColor) {
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, font, parent);
        if (ok) font = chosen;
        return ok;
    };
    d.chooseColour = [](QWidget* parent, QColor& colour) {
        const QColor chosen = QColorDialog::getColor(colour, parent);
        if (!chosen.isValid()) return false;
        colour = chosen;
        return true;
    };
    d.chooseBitmapFile = [](QWidget* parent) {
        return QFileDialog::getOpenFileName(parent, QString(), QString(), QStringLiteral("BMP File(*.bmp)"));
    };
    return d;
}

MSubTitleDlg::MSubTitleDlg(QWidget* parent) : MBaseDialog(IDD_CAPTION, parent, false), dialogs_(DefaultCaptionDialogs())
{
    setWindowTitle(QStringLiteral("Caption Setting"));
    // Of the settings pages, this one is moved by its title band (it opens over the system page).
    SetDragByBand(true);
    bitmapPath_ = GetAppDirectory() + QStringLiteral("PFile.BMP");
    for (QTimer* t : {&ackTimer_, &pauseTimer_, &acceptTimer_, &guardTimer_, &initialiseTimer_}) t->setSingleShot(true);
    connect(&ackTimer_, &QTimer::timeout, this, &MSubTitleDlg::OnAckTimer);
    connect(&pauseTimer_, &QTimer::timeout, this, &MSubTitleDlg::OnAnnouncePauseOver);
    connect(&acceptTimer_, &QTimer::timeout, this, &MSubTitleDlg::OnAcceptTimer);
    connect(&guardTimer_, &QTimer::timeout, this, &MSubTitleDlg::OnGuardTimer);
    connect(&initialiseTimer_, &QTimer::timeout, this, &MSubTitleDlg::OnInitialiseTimer);
}

MSubTitleDlg::~MSubTitleDlg()
{
    for (QTimer* t : {&ackTimer_, &pauseTimer_, &acceptTimer_, &guardTimer_, &initialiseTimer_}) t->stop();
}

// --- construction ---

CGdipButton* MSubTitleDlg::MakeButton(int id, const QString& caption)
{
    return MakePageButton(this, id, caption, kButtonImage, kButtonAltImage, QRect(0, 0, 70, 26), kCaptionColour, &MSubTitleDlg::OnButton);
}

CGdipButton* MSubTitleDlg::MakeCheck(int id, const QString& caption)
{
    auto* box = new CheckBox(this);
    box->Create(QString(), this, id, QRect(0, 0, 18, 18));
    box->LoadStdImage(kCheckImage);
    box->LoadAltImage(kCheckAltImage);
    box->SetCheck(true);
    box->SetCaptionText(caption);
    box->Label()->resize(96, 22);
    connect(box, &CGdipButton::clickedId, this, &MSubTitleDlg::OnButton);
    return box;
}

QLabel* MSubTitleDlg::MakeLabel(int id, const QString& text)
{
    return MakePageLabel(this, id, text, QRect());
}

oRealEdit* MSubTitleDlg::MakeEdit(int id, float low, float initial, float high)
{
    auto* edit = MakePageEdit(this, id, low, initial, high, QStringLiteral("%d"), QRect());
    edits_[EditIndex(id)] = edit;
    return edit;
}

CDropButton* MSubTitleDlg::MakeList(int id)
{
    CDropButton* list = MakePageDropList(this, id, QRect(0, 0, 80, 22), &ControlFont());
    lists_[ListIndex(id)] = list;
    return list;
}

void MSubTitleDlg::OnInitDialog()
{
    if (IsInitialised()) return;
    MBaseDialog::OnInitDialog();

    auto makeGroup = [this](int id, const QString& caption) {
        CSxGroupBox* group = MakePageGroup(this, id, caption, QRect());
        group->SetTitleFont(&ControlFont());
        group->SetTitleColor(kCaptionColour);
        group->SetBackColor(0x1E1E1E);
        return group;
    };
    inputGroup_ = makeGroup(cc::IDC_CAPTION_INPUT_GROUP, g_UiText[128]);
    settingGroup_ = makeGroup(cc::IDC_CAPTION_SETTING_GROUP, g_UiText[125]);
    previewGroup_ = makeGroup(cc::IDC_LOCAL_PREVIEW_GROUP, g_UiText[126]);
    displayGroup_ = makeGroup(cc::IDC_DISPLAY_AREA_GROUP, g_UiText[127]);

    textEdit_ = new QLineEdit(this);
    SetControlId(textEdit_, cc::IDC_TEXT_EDIT);
    connect(textEdit_, &QLineEdit::textEdited, this, [this] {
        userBitmap_ = false;
        SendMsg(this, WM_CAPTION_REMEASURE, 0, 0);
    });
    fontButton_ = MakeButton(cc::IDC_FONT, QStringLiteral("Font"));
    fgButton_ = MakeButton(cc::IDC_TEXT_COLOR, QStringLiteral("Text Color"));
    bgButton_ = MakeButton(cc::IDC_BACK_COLOR, QStringLiteral("Back Color"));
    browse_ = MakeButton(cc::IDC_BROWSE, QStringLiteral("Browse"));

    labels_[0] = MakeLabel(cc::IDC_WIDTH_LABEL, QStringLiteral("Width :"));
    MakeEdit(cc::IDC_WIDTH_EDIT, 10, 600, caption::kMaxWidth);
    labels_[1] = MakeLabel(cc::IDC_HEIGHT_LABEL, QStringLiteral("Height :"));
    MakeEdit(cc::IDC_HEIGHT_EDIT, 10, 60, caption::kMaxHeight);
    labels_[2] = MakeLabel(cc::IDC_SPEED_LABEL, QStringLiteral("Speed :"));
    MakeList(cc::IDC_SPEED_LIST);
    labels_[3] = MakeLabel(cc::IDC_DIRECTION_LABEL, QStringLiteral("Direction :"));
    MakeList(cc::IDC_DIRECTION_LIST);
    labels_[4] = MakeLabel(cc::IDC_BACKGROUND_LABEL, QStringLiteral("Background :"));
    MakeList(cc::IDC_BACKGROUND_LIST);
    invert_ = MakeCheck(cc::IDC_INVERT, QStringLiteral("Invert"));
    alignCentre_ = MakeCheck(cc::IDC_ALIGN_CENTER, QStringLiteral("Align Center"));

    send_ = MakeButton(cc::IDC_SEND, QStringLiteral("Send"));
    save_ = MakeButton(cc::IDC_SAVE, QStringLiteral("Save"));
    save_->setEnabled(false);
    display_ = MakeButton(cc::IDC_DISPLAY_ON_OFF, QStringLiteral("Display"));
    display_->SetCheck(true);
    advanced_ = MakeButton(cc::IDC_ADVANCED, QStringLiteral("Advanced"));
    advanced_->SetCheck(true);
    initialise_ = MakeButton(cc::IDC_INITIALIZE, QStringLiteral("Initialize"));

    scroll_ = new QScrollBar(Qt::Horizontal, this);
    SetControlId(scroll_, cc::IDC_PREVIEW_SCROLL);
    scroll_->setRange(1, 100);
    scroll_->setSingleStep(1);
    scroll_->setPageStep(10);
    connect(scroll_, &QScrollBar::valueChanged, this, [this](int) { update(previewRect_); });

    labels_[5] = MakeLabel(cc::IDC_H_START_LABEL, QStringLiteral("H Start :"));
    MakeEdit(cc::IDC_H_START_EDIT, 0, 0, caption::kMaxWidth);
    labels_[6] = MakeLabel(cc::IDC_V_START_LABEL, QStringLiteral("V Start :"));
    MakeEdit(cc::IDC_V_START_EDIT, 0, 0, caption::kMaxWidth);
    labels_[7] = MakeLabel(cc::IDC_DISPLAY_WIDTH_LABEL, QStringLiteral("Width :"));
    MakeEdit(cc::IDC_DISPLAY_WIDTH_EDIT, 1, 600, caption::kMaxWidth);
    MakeList(cc::IDC_CAPTION_LIST);
    for (int k = 0; k < 4; ++k) outputs_[k] = MakeCheck(cc::IDC_OUTPUT_1 + k, QStringLiteral("Output %1").arg(k + 1));

    for (CSxGroupBox* g : {inputGroup_, settingGroup_, previewGroup_, displayGroup_}) g->lower();
    ApplyFontToChildren();
    for (CGdipButton* b : {invert_, alignCentre_, outputs_[0], outputs_[1], outputs_[2], outputs_[3]})
        AsCheck(b)->Label()->setStyleSheet(QStringLiteral("color: #D5D5D5"));

    ResetDefaults();
    FillLists();
    ShowAdvancedPart(false);
}

void MSubTitleDlg::ResetDefaults()
{
    ApplyCaptionFont(DefaultCaptionFont());
    textEdit_->setText(kWelcome);
    fgColour_ = 0x0000FF;
    bgColour_ = 0;
    ApplyTextColours();
    Edit(cc::IDC_WIDTH_EDIT)->SetValue(600);
    Edit(cc::IDC_HEIGHT_EDIT)->SetValue(60);
    Edit(cc::IDC_H_START_EDIT)->SetValue(0);
    Edit(cc::IDC_V_START_EDIT)->SetValue(0);
    Edit(cc::IDC_DISPLAY_WIDTH_EDIT)->SetValue(600);
    scrollOffset_ = 0;
    Relayout();
}

void MSubTitleDlg::FillLists()
{
    struct Fill {
        int id;
        int first, count;
    };
    const Fill fills[] = {{cc::IDC_DIRECTION_LIST, 123, 2},
                          {cc::IDC_SPEED_LIST, 119, 4},
                          {cc::IDC_BACKGROUND_LIST, 116, 3},
                          {cc::IDC_CAPTION_LIST, 130, 4}};
    for (const auto& f : fills) {
        CDropButton* button = List(f.id);
        if (!button || !button->GetList()) continue;
        const int sel = std::max(button->GetCurSel(), 0);
        CDropList* list = button->GetList();
        list->ResetContent();
        for (int i = 0; i < f.count; ++i) {
            const int row = list->AddString(UiText(f.first + i));
            list->SetItemData(row, static_cast<DropItemData>(i));
        }
        button->SetCurSel(std::min(sel, f.count - 1));
    }
}

// Positions follow the caption height: the text edit (and the preview) are as tall as the caption.
// In advanced mode the preview shows the caption at its full height; where the window leaves no
// room below the page for both, the text edit gives up what is missing, so that the display area
// stays in reach.
void MSubTitleDlg::Relayout()
{
    if (!textEdit_) return;
    const int h = std::clamp(EditValue(cc::IDC_HEIGHT_EDIT), 10, caption::kMaxHeight);
    const int over = LayOutControls(h, h) + kBottomMargin - RoomBelow();
    if (IsAdvanced() && over > 0) LayOutControls(h, std::max(std::min(h, kMinTextEditHeight), h - over));
    ApplyPageHeight();
}

// The room from the page's top to its parent's bottom edge.
int MSubTitleDlg::RoomBelow() const
{
    return parentWidget() ? parentWidget()->height() - y() : std::numeric_limits<int>::max() / 2;
}

// Places every control for a caption captionHeight pixels high with a text edit editHeight high;
// returns the bottom of the display area group (the lowest in advanced mode).
int MSubTitleDlg::LayOutControls(int captionHeight, int editHeight)
{
    const int h = captionHeight;
    // Static texts keep the control font while they fit, else a little smaller (long translations).
    auto fit = [this](QLabel* label, int width) {
        QFont font = ControlFont();
        for (int px = font.pixelSize(); px > 10; --px) {
            font.setPixelSize(px);
            if (QFontMetrics(font).horizontalAdvance(label->text()) <= width) break;
        }
        label->setFont(font);
    };
    auto row = [&](QWidget* w, int x, int y, int width, int height = 22) {
        w->setGeometry(x, y, width, height);
        if (auto* label = qobject_cast<QLabel*>(w)) fit(label, width);
    };
    auto check = [&](CGdipButton* b, int x, int y, int labelWidth) {
        AsCheck(b)->Label()->resize(labelWidth, 22);
        b->move(x, y + 2);
        b->resize(18, 18);
        AsCheck(b)->Label()->setGeometry(x + 22, y, labelWidth, 22);
        fit(AsCheck(b)->Label(), labelWidth);
    };

    int y = kTitleBandHeight + 4;
    // A static text and the field it names, on the current row.
    auto pair = [&](QLabel* label, int labelX, int labelWidth, QWidget* field, int fieldX, int fieldWidth) {
        row(label, labelX, y, labelWidth);
        row(field, fieldX, y, fieldWidth);
    };
    auto closeGroup = [&](CSxGroupBox* group, int top) { group->setGeometry(kGroupLeft, top, kGroupWidth, y - top); };
    const int inputTop = y;
    row(textEdit_, 12, y + 20, kGroupWidth - 16, editHeight);
    // A caption font taller than the edit is shown smaller, whole.
    textEdit_->setFont(QFontMetrics(captionFont_).height() > editHeight ? caption::CaptionFontWithHeight(captionFont_, editHeight)
                                                                        : captionFont_);
    y += 20 + editHeight + 4;
    y += PlaceButtonRows({fontButton_, fgButton_, bgButton_, browse_}, kGroupLeft + 4, kGroupLeft + kGroupWidth - 4, y, 26) + 6;
    closeGroup(inputGroup_, inputTop);

    y += 2;
    const int settingTop = y;
    y += 20;
    pair(labels_[0], 12, 56, Edit(cc::IDC_WIDTH_EDIT), 70, 56);
    pair(labels_[1], 140, 62, Edit(cc::IDC_HEIGHT_EDIT), 204, 56);
    y += kRow;
    pair(labels_[2], 12, 62, List(cc::IDC_SPEED_LIST), 76, 84);
    pair(labels_[3], 164, 82, List(cc::IDC_DIRECTION_LIST), 246, 62);
    y += kRow;
    pair(labels_[4], 12, 100, List(cc::IDC_BACKGROUND_LIST), 114, 130);
    y += kRow;
    check(invert_, 12, y, 110);
    check(alignCentre_, 150, y, 140);
    y += kRow + 6;
    closeGroup(settingGroup_, settingTop);

    y += 4;
    y += PlaceButtonRows({send_, save_, display_, advanced_, initialise_}, kGroupLeft, kGroupLeft + kGroupWidth, y, 28) + 6;

    const int previewTop = y;
    const int previewWidth = std::max(EditValue(cc::IDC_WIDTH_EDIT), 1);
    previewRect_ = QRect(kPreviewLeft, previewTop + 20, previewWidth, h);
    y += 20 + h + 4;
    row(scroll_, kPreviewLeft, y, kGroupWidth - 8, 14);
    y += 14 + 4;
    closeGroup(previewGroup_, previewTop);

    y += 2;
    const int displayTop = y;
    y += 20;
    pair(labels_[5], 12, 72, Edit(cc::IDC_H_START_EDIT), 86, 56);
    pair(labels_[6], 150, 72, Edit(cc::IDC_V_START_EDIT), 224, 56);
    y += kRow;
    pair(labels_[7], 12, 72, Edit(cc::IDC_DISPLAY_WIDTH_EDIT), 86, 56);
    row(List(cc::IDC_CAPTION_LIST), 150, y, 130);
    y += kRow;
    // Two rows of two: four labels in the control font are wider than the page.
    for (int k = 0; k < 4; ++k) check(outputs_[k], 10 + 140 * (k % 2), y + kRow * (k / 2), 110);
    y += 2 * kRow + 4;
    closeGroup(displayGroup_, displayTop);
    return y;
}

// Buttons as wide as their captions in the control font, with room for each caption on its skin,
// on as few rows as hold them (the buttons shared evenly, the earlier rows taking any one over);
// each row fills the width. Returns the height the rows take.
int MSubTitleDlg::PlaceButtonRows(std::initializer_list<CGdipButton*> buttons, int left, int right, int y, int height)
{
    constexpr int kGap = 4;
    const std::vector<CGdipButton*> all(buttons);
    const int count = static_cast<int>(all.size());
    const QFont& font = ControlFont();
    for (CGdipButton* b : all) {
        b->SetCaptionFont(&font);
        b->resize(b->width(), height);
    }
    // The caption on one line with its room on the skin.
    auto natural = [](const CGdipButton* b) { return b->WidthForCaption(); };
    auto need = [&](int first, int last) {
        int sum = -kGap;
        for (int k = first; k < last; ++k) sum += natural(all[static_cast<size_t>(k)]) + kGap;
        return sum;
    };
    int perRow = count;
    for (int rows = 1; rows <= count; ++rows) {
        perRow = (count + rows - 1) / rows;
        bool fits = true;
        for (int first = 0; first < count; first += perRow) fits = fits && need(first, std::min(count, first + perRow)) <= right - left;
        if (fits) break;
    }
    int rowY = y;
    for (int first = 0; first < count; first += perRow) {
        const int last = std::min(count, first + perRow);
        const int extra = std::max(0, right - left - need(first, last)) / (last - first);
        int x = left;
        for (int k = first; k < last; ++k) {
            CGdipButton* b = all[static_cast<size_t>(k)];
            const int w = natural(b) + extra;
            b->setGeometry(x, rowY, w, height);
            x += w + kGap;
        }
        rowY += height + kGap;
    }
    return rowY - kGap - y;
}

void MSubTitleDlg::ApplyPageHeight()
{
    const bool advanced = IsAdvanced();
    int height = ScaleX(advanced ? kAdvancedHeight : kSimpleHeight);  // page heights follow the horizontal DPI
    // A tall caption pushes the display area down: the page grows rather than cut it off, within
    // the room below it as far as the controls allow.
    if (advanced && displayGroup_)
        height = std::max(std::min(height, RoomBelow()), displayGroup_->geometry().bottom() + 1 + kBottomMargin);
    if (this->height() != height) resize(width(), height);
}

void MSubTitleDlg::ApplyCaptionFont(const QFont& font)
{
    captionFont_ = font;
    if (textEdit_) textEdit_->setFont(font);
}

void MSubTitleDlg::ApplyTextColours()
{
    if (!textEdit_) return;
    // A style sheet, so that the page's colour pass over its edits leaves this one alone.
    textEdit_->setStyleSheet(QStringLiteral("QLineEdit { color: %1; background: %2; border: 1px solid %3; }")
                                 .arg(ToQColor(fgColour_).name(), ToQColor(bgColour_).name(),
                                      ToQColor(kPressedColour).name()));
    update(previewRect_);
}

void MSubTitleDlg::SetPlacementEnabled(bool on)
{
    for (int id : {cc::IDC_DIRECTION_LIST, cc::IDC_SPEED_LIST, cc::IDC_BACKGROUND_LIST})
        if (CDropButton* l = List(id)) l->setEnabled(on);
    for (QWidget* w : std::initializer_list<QWidget*>{fgButton_, bgButton_, Edit(cc::IDC_H_START_EDIT),
                                                      Edit(cc::IDC_V_START_EDIT), Edit(cc::IDC_DISPLAY_WIDTH_EDIT),
                                                      outputs_[0], outputs_[1], outputs_[2], outputs_[3]})
        if (w) w->setEnabled(on);
}

// --- accessors ---

oRealEdit* MSubTitleDlg::Edit(int id) const
{
    const int i = EditIndex(id);
    return i < 0 ? nullptr : edits_[i];
}

CDropButton* MSubTitleDlg::List(int id) const
{
    const int i = ListIndex(id);
    return i < 0 ? nullptr : lists_[i];
}

CGdipButton* MSubTitleDlg::Button(int id) const
{
    switch (id) {
    case cc::IDC_SEND: return send_;
    case cc::IDC_DISPLAY_ON_OFF: return display_;
    case cc::IDC_BROWSE: return browse_;
    case cc::IDC_TEXT_COLOR: return fgButton_;
    case cc::IDC_BACK_COLOR: return bgButton_;
    case cc::IDC_FONT: return fontButton_;
    case cc::IDC_SAVE: return save_;
    case cc::IDC_ADVANCED: return advanced_;
    case cc::IDC_INITIALIZE: return initialise_;
    case cc::IDC_INVERT: return invert_;
    case cc::IDC_ALIGN_CENTER: return alignCentre_;
    case cc::IDC_OUTPUT_1: case cc::IDC_OUTPUT_2: case cc::IDC_OUTPUT_3: case cc::IDC_OUTPUT_4:
        return outputs_[id - cc::IDC_OUTPUT_1];
    default: return nullptr;
    }
}

bool MSubTitleDlg::IsAdvanced() const { return advanced_ && advanced_->IsPressed(); }

int MSubTitleDlg::ListData(int id) const
{
    const CDropButton* b = List(id);
    if (!b || !b->GetList()) return 0;
    const int sel = b->GetCurSel();
    if (sel < 0) return 0;
    const DropItemData d = b->GetList()->GetItemData(sel);
    return d == static_cast<DropItemData>(LB_ERR) ? 0 : static_cast<int>(d);
}

int MSubTitleDlg::EditValue(int id) const
{
    const oRealEdit* e = Edit(id);
    return e ? static_cast<int>(e->GetValue()) : 0;
}

// --- language and showing ---

void MSubTitleDlg::ApplyLanguage()
{
    ApplyDialogLanguage(this, IDD_CAPTION);
    FillLists();
    if (inputGroup_) inputGroup_->SetCaption(g_UiText[128]);
    if (settingGroup_) settingGroup_->SetCaption(g_UiText[125]);
    if (previewGroup_) previewGroup_->SetCaption(g_UiText[126]);
    if (displayGroup_) displayGroup_->SetCaption(g_UiText[127]);
    Relayout();
    update();
}

void MSubTitleDlg::ShowPage(bool show)
{
    MBaseDialog::ShowPage(show);
    if (!show && advanced_) {
        advanced_->SetPressed(false);
        OnAdvanced(false);
    }
}

// --- messages ---

LRESULT MSubTitleDlg::OnMessage(unsigned msg, WPARAM wParam, LPARAM lParam, const QVariant& payload)
{
    switch (msg) {
    case WM_CAPTION_REMEASURE:
        MeasureText();
        return 0;
    default:
        return MBaseDialog::OnMessage(msg, wParam, lParam, payload);
    }
}

void MSubTitleDlg::OnButton(int id)
{
    switch (id) {
    case cc::IDC_SEND: OnSendCaption(); break;
    case cc::IDC_DISPLAY_ON_OFF: OnDisplay(); break;
    case cc::IDC_BROWSE: OnBrowse(); break;
    case cc::IDC_TEXT_COLOR: OnColour(true); break;
    case cc::IDC_BACK_COLOR: OnColour(false); break;
    case cc::IDC_FONT: OnFont(); break;
    case cc::IDC_SAVE: OnSave(); break;
    case cc::IDC_ADVANCED: OnAdvanced(advanced_->IsPressed()); break;
    case cc::IDC_INITIALIZE: OnInitialise(); break;
    case cc::IDC_INVERT: invertBits_ = invert_->IsPressed(); break;
    case cc::IDC_ALIGN_CENTER: update(previewRect_); break;  // read where it is used
    case cc::IDC_OUTPUT_1: case cc::IDC_OUTPUT_2: case cc::IDC_OUTPUT_3: case cc::IDC_OUTPUT_4:
        OnOutput(id - cc::IDC_OUTPUT_1);
        break;
    default: break;
    }
}

// The size edits show the size that Send sends: a picked picture's own, else the text's.
void MSubTitleDlg::MeasureText()
{
    if (!ShowPickedSize()) {
        const QSize size = caption::MeasureCaptionText(textEdit_->text(), captionFont_);
        if (size.width() == 0 || size.height() == 0) return;
        if (!alignCentre_->IsPressed()) Edit(cc::IDC_WIDTH_EDIT)->SetValue(float(caption::RoundUpToFour(size.width())));
        Edit(cc::IDC_HEIGHT_EDIT)->SetValue(float(size.height()));
    }
    SendMsg(this, WM_VALUE_CHANGED, cc::IDC_HEIGHT_EDIT, 0);
    scrollOffset_ = 0;
    Relayout();
    update();
}

// A picked picture goes out as it is, whatever the text or the processor's record measure: while
// one stands, the size edits take its size. False when none does.
bool MSubTitleDlg::ShowPickedSize()
{
    if (!userBitmap_ || previewBitmap_.isNull()) return false;
    Edit(cc::IDC_WIDTH_EDIT)->SetValue(float(previewBitmap_.width()));
    Edit(cc::IDC_HEIGHT_EDIT)->SetValue(float(previewBitmap_.height()));
    return true;
}

// Placement limits come from the output resolution; before it is known (0) only the edits'
// own ranges hold, and a display area wider than the output never makes a limit negative.
void MSubTitleDlg::OnValueChanged(int id)
{
    const CDeviceData& dev = GetDeviceData();
    const int hReso = dev.outputReso.hReso;
    const int vReso = dev.outputReso.vReso;
    auto clampTo = [this](int editId, int limit, int floor) {
        oRealEdit* e = Edit(editId);
        const int v = static_cast<int>(e->GetValue());
        const int max = std::max(limit, floor);
        if (v > max) e->SetValue(float(max));
    };
    switch (id) {
    case cc::IDC_H_START_EDIT:
        if (hReso > 0) clampTo(id, hReso - EditValue(cc::IDC_DISPLAY_WIDTH_EDIT), 0);
        SendPlacement();
        break;
    case cc::IDC_V_START_EDIT:
        if (vReso > 0) clampTo(id, vReso - EditValue(cc::IDC_HEIGHT_EDIT), 0);
        SendPlacement();
        break;
    case cc::IDC_DISPLAY_WIDTH_EDIT:
        if (hReso > 0) clampTo(id, hReso - EditValue(cc::IDC_H_START_EDIT), 1);
        SendPlacement();
        break;
    case cc::IDC_WIDTH_EDIT:
        clampTo(id, caption::kMaxWidth - EditValue(cc::IDC_H_START_EDIT), 10);
        scrollOffset_ = 0;
        save_->setEnabled(false);
        Relayout();
        update();
        break;
    case cc::IDC_HEIGHT_EDIT:
        if (vReso > 0) clampTo(id, vReso - EditValue(cc::IDC_V_START_EDIT), 10);
        save_->setEnabled(false);
        Relayout();
        update();
        break;
    default: break;
    }
}

void MSubTitleDlg::OnDropSelect(int id, int index)
{
    switch (id) {
    case cc::IDC_DIRECTION_LIST:
    case cc::IDC_SPEED_LIST:
        SendSpeedDirection(ListData(cc::IDC_SPEED_LIST), ListData(cc::IDC_DIRECTION_LIST));
        break;
    case cc::IDC_BACKGROUND_LIST:
        SendColours(ListData(cc::IDC_BACKGROUND_LIST));
        update(previewRect_);
        break;
    case cc::IDC_CAPTION_LIST:
        if (index < 0 || index > 3) return;
        captionNo_ = index;
        GetDeviceData().SendCommand(CMD_CAPTION_SETTINGS, captionNo_, 2, display_->IsPressed() ? 1 : 0);
        GetDeviceData().SendCommand(CMD_QUERY_CAPTION, captionNo_);
        save_->setEnabled(false);
        SetPlacementEnabled(true);
        break;
    default: break;
    }
}

// --- commands ---

void MSubTitleDlg::SendColours(int mode)
{
    GetDeviceData().SendCommand(CMD_CAPTION_SETTINGS, captionNo_, 3, ColorRefRed(fgColour_), ColorRefGreen(fgColour_),
                                ColorRefBlue(fgColour_), 255, ColorRefRed(bgColour_), ColorRefGreen(bgColour_),
                                ColorRefBlue(bgColour_), mode);
}

void MSubTitleDlg::SendSpeedDirection(int speed, int direction)
{
    GetDeviceData().SendCommand(CMD_CAPTION_SETTINGS, captionNo_, 0, speed, direction);
}

void MSubTitleDlg::SendPlacement()
{
    const int x = EditValue(cc::IDC_H_START_EDIT);
    const int y = EditValue(cc::IDC_V_START_EDIT);
    const int dw = EditValue(cc::IDC_DISPLAY_WIDTH_EDIT);
    GetDeviceData().SendCommand(CMD_CAPTION_BITMAP, captionNo_, 2, Lo(x), Hi(x), Lo(y), Hi(y), Lo(dw), Hi(dw), 0x55, 0x55);
}

// --- buttons ---

void MSubTitleDlg::OnSendCaption()
{
    if (transfer_.IsActive()) return;
    if (!userBitmap_) {
        const int w = EditValue(cc::IDC_WIDTH_EDIT);
        const int h = EditValue(cc::IDC_HEIGHT_EDIT);
        const QImage picture =
            caption::RenderCaptionText(textEdit_->text(), captionFont_, w, h, alignCentre_->IsPressed());
        const QString path = GetAppDirectory() + QStringLiteral("PFile%1.BMP").arg(std::max(List(cc::IDC_CAPTION_LIST)->GetCurSel(), 0));
        if (picture.isNull() || !SaveBitmapToFile(picture, path)) {
            ShowMessageBox(this, QStringLiteral("%1 %2").arg(send_->text(), UiText(UI_TEXT_FAILED)), UiText(UI_TEXT_TIPS));
            return;
        }
        bitmapPath_ = path;
    }
    transferDisarmed_ = false;
    BeginCaptionTransfer();
    if (!transfer_.IsActive()) return;
    save_->setEnabled(true);
    SetPlacementEnabled(true);
    Edit(cc::IDC_H_START_EDIT)->SetValue(0);
    Edit(cc::IDC_V_START_EDIT)->SetValue(0);
    const int hReso = GetDeviceData().outputReso.hReso;
    if (hReso > 0) Edit(cc::IDC_DISPLAY_WIDTH_EDIT)->SetValue(float(hReso));
}

void MSubTitleDlg::BeginCaptionTransfer()
{
    // A Save still waiting must not bring the page back in the middle of this transfer.
    guardTimer_.stop();
    ackTimer_.stop();
    transfer_.Cancel();
    caption::MonoBitmap picture;
    const BmpError error = caption::ReadMonoBmpFile(bitmapPath_, picture);
    if (error != BmpError::None) {
        ShowMessageBox(this, kCaptionInvalid, UiText(UI_TEXT_TIPS));
        return;
    }
    SetBusy(true);
    if (!IsAdvanced()) {
        SendColours(ListData(cc::IDC_BACKGROUND_LIST));
        SendSpeedDirection(ListData(cc::IDC_SPEED_LIST), ListData(cc::IDC_DIRECTION_LIST));
    }
    const int w = picture.width, h = picture.height;
    transfer_.Begin(std::move(picture), invertBits_);
    GetDeviceData().SendCommand(CMD_CAPTION_BITMAP, captionNo_, 0, Lo(w), Hi(w), Lo(h), Hi(h), userBitmap_ ? 1 : 0);
    // The processor prepares for the picture: its answer counts only after the pause.
    announcing_ = true;
    pendingAccept_ = -1;
    pauseTimer_.start(timings_.announcePause);
    acceptTimer_.start(timings_.acceptWait);
}

void MSubTitleDlg::OnDisplay()
{
    const bool on = display_->IsPressed();
    GetDeviceData().SendCommand(CMD_CAPTION_SETTINGS, captionNo_, 2, on ? 1 : 0);
    transferDisarmed_ = true;
    GetDeviceData().SendCommand(CMD_QUERY_CAPTION, captionNo_);
    if (on) SetPlacementEnabled(true);
}

void MSubTitleDlg::OnBrowse()
{
    if (!dialogs_.chooseBitmapFile) return;
    const QString path = dialogs_.chooseBitmapFile(this);
    if (path.isEmpty()) return;
    QImage picked;
    const BmpError error = caption::DecodeBmpFile(path, picked);
    if (error == BmpError::TooLarge) {
        ShowMessageBox(this, kTooLarge, UiText(UI_TEXT_TIPS));
        return;
    }
    // A picture that cannot be read changes nothing: "Caption Invalid" is the processor's refusal.
    if (error != BmpError::None) {
        qWarning("%s: no picture: %s", qUtf8Printable(path), caption::BmpErrorName(error));
        return;
    }
    if (!SaveBitmapToFile(picked, bitmapPath_)) {
        ShowMessageBox(this, kCaptionInvalid, UiText(UI_TEXT_TIPS));
        return;
    }
    Edit(cc::IDC_WIDTH_EDIT)->SetValue(float(picked.width()));
    Edit(cc::IDC_HEIGHT_EDIT)->SetValue(float(picked.height()));
    userBitmap_ = true;
    scrollOffset_ = 0;
    LoadPreviewBitmap();
    Relayout();
    previewRect_.setWidth(picked.width());
    previewRect_.setHeight(picked.height());
    update();
}

void MSubTitleDlg::OnColour(bool foreground)
{
    if (!dialogs_.chooseColour) return;
    QColor colour = ToQColor(foreground ? fgColour_ : bgColour_);
    if (!dialogs_.chooseColour(this, colour) || !colour.isValid()) return;
    (foreground ? fgColour_ : bgColour_) = ToColorRef(colour);
    SendColours(ListData(cc::IDC_BACKGROUND_LIST));
    ApplyTextColours();
    update();
}

void MSubTitleDlg::OnFont()
{
    if (!dialogs_.chooseFont) return;
    QFont font = captionFont_;  // the edit may show it smaller
    if (!dialogs_.chooseFont(this, font, ToQColor(fgColour_))) return;
    ApplyCaptionFont(font);
    if (textEdit_->text().isEmpty()) textEdit_->setText(kWelcome);
    SendMsg(this, WM_CAPTION_REMEASURE, 0, 0);
    update();
}

void MSubTitleDlg::OnSave()
{
    GetDeviceData().SendCommand(CMD_CAPTION_SETTINGS, captionNo_, 1);
    save_->setEnabled(false);
    SetBusy(true);
    guardTimer_.start(timings_.saveGuard);
}

void MSubTitleDlg::OnInitialise()
{
    if (ShowMessageBox(this, UiText(135), UiText(UI_TEXT_TIPS), MB_OKCANCEL) != IDOK) return;
    GetDeviceData().SendCommand(CMD_CAPTION_SETTINGS, 0x55, 5);
    SetBusy(true);
    waitingInitialise_ = true;
    initialiseTimer_.start(timings_.initialiseWait);
}

void MSubTitleDlg::OnOutput(int k)
{
    if (k < 0 || k > 3 || captionNo_ < 0 || captionNo_ > 3) return;
    uint8_t* rec = GetDeviceData().caption[captionNo_];
    rec[24 + k] = outputs_[k]->IsPressed() ? 1 : 0;
    GetDeviceData().SendCommand(CMD_CAPTION_SETTINGS, captionNo_, 4, rec[24], rec[25], rec[26], rec[27]);
}

void MSubTitleDlg::ShowAdvancedPart(bool on)
{
    advanced_->SetColorAndRedraw(on ? kPressedColour : kCaptionColour);
    for (QWidget* w : std::initializer_list<QWidget*>{previewGroup_, scroll_, displayGroup_, labels_[5], labels_[6],
                                                      labels_[7], Edit(cc::IDC_H_START_EDIT), Edit(cc::IDC_V_START_EDIT),
                                                      Edit(cc::IDC_DISPLAY_WIDTH_EDIT), List(cc::IDC_CAPTION_LIST),
                                                      outputs_[0], outputs_[1], outputs_[2], outputs_[3]})
        w->setVisible(on);
    Relayout();
}

void MSubTitleDlg::OnAdvanced(bool on)
{
    ShowAdvancedPart(on);
    if (on) {
        GetDeviceData().SendCommand(CMD_QUERY_CAPTION, captionNo_);
        update();
        return;
    }
    ApplyCaptionFont(DefaultCaptionFont());
    MeasureText();
    bgColour_ = 0;
    fgColour_ = 0x0000FF;
    ApplyTextColours();
    SelectDropItemByData(List(cc::IDC_SPEED_LIST), 0);
    SelectDropItemByData(List(cc::IDC_BACKGROUND_LIST), 0);
    SelectDropItemByData(List(cc::IDC_DIRECTION_LIST), 0);
    Relayout();
    update();
}

// --- replies ---

void MSubTitleDlg::LoadOutputCaption(int output)
{
    if (output < 0 || output > 3) return;
    const uint8_t* rec = GetDeviceData().caption[output];
    if (rec[28] > 3) return;  // no caption of ours
    captionNo_ = rec[28];
    if (!IsInitialised() || !IsAdvanced()) return;
    CDropButton* captionList = List(cc::IDC_CAPTION_LIST);
    SelectDropItemByData(captionList, static_cast<DropItemData>(captionNo_));
    if (captionList->GetCurSel() != captionNo_) return;

    Edit(cc::IDC_WIDTH_EDIT)->SetValue(RecordU16(rec, 0));
    Edit(cc::IDC_HEIGHT_EDIT)->SetValue(RecordU16(rec, 2));
    Edit(cc::IDC_H_START_EDIT)->SetValue(RecordU16(rec, 4));
    Edit(cc::IDC_V_START_EDIT)->SetValue(RecordU16(rec, 6));
    Edit(cc::IDC_DISPLAY_WIDTH_EDIT)->SetValue(RecordU16(rec, 8));
    fgColour_ = RecordColour(rec, 16);
    bgColour_ = RecordColour(rec, 20);
    // The record's height is the caption's cell height, and so the font's.
    ApplyCaptionFont(caption::CaptionFontWithHeight(captionFont_, EditValue(cc::IDC_HEIGHT_EDIT)));
    ShowPickedSize();
    ApplyTextColours();
    SelectDropItemByData(List(cc::IDC_BACKGROUND_LIST), rec[13]);
    SelectDropItemByData(List(cc::IDC_SPEED_LIST), rec[11]);
    SelectDropItemByData(List(cc::IDC_DIRECTION_LIST), rec[10]);
    scrollOffset_ = 0;
    display_->SetPressed(rec[12] != 0);
    for (int k = 0; k < 4; ++k) outputs_[k]->SetPressed(rec[24 + k] != 0);
    Relayout();
    update();
}

void MSubTitleDlg::OnTransferAccepted(bool accepted)
{
    if (announcing_) {
        pendingAccept_ = accepted ? 1 : 0;
        return;
    }
    HandleAccept(accepted);
}

void MSubTitleDlg::OnAnnouncePauseOver()
{
    announcing_ = false;
    if (pendingAccept_ >= 0) {
        const bool accepted = pendingAccept_ == 1;
        pendingAccept_ = -1;
        HandleAccept(accepted);
    }
}

void MSubTitleDlg::HandleAccept(bool accepted)
{
    // Only an announced picture has an answer to wait for: a stray refusal changes nothing.
    if (transfer_.State() != CaptionTransfer::Phase::AwaitingAccept) return;
    if (!accepted) {
        acceptTimer_.stop();
        transfer_.Accept(false);
        SetBusy(false);
        ShowResultBox(this, kCaptionInvalid, UiText(UI_TEXT_TIPS));
        return;
    }
    if (transferDisarmed_) return;
    acceptTimer_.stop();
    if (!transfer_.Accept(true)) return;
    SendChunk();
}

void MSubTitleDlg::SendChunk()
{
    const caption::Chunk& chunk = transfer_.Current();
    ackTimer_.start(timings_.ackWait);
    QVN_Comm_SendData(chunk.offset, static_cast<uint32_t>(chunk.bytes.size()), chunk.bytes.data(), g_DeviceAddress);
}

void MSubTitleDlg::OnChunkAck()
{
    const CDeviceData& dev = GetDeviceData();
    switch (transfer_.Acknowledge(dev.ackOffset, dev.ackStatus)) {
    case CaptionTransfer::AckOutcome::Ignored: return;
    case CaptionTransfer::AckOutcome::NextChunk:
        // The transfer makes progress: the busy dialog's own time-out starts again.
        ShowWait();
        SendChunk();
        return;
    case CaptionTransfer::AckOutcome::Finished: FinishTransfer(); return;
    }
}

void MSubTitleDlg::FinishTransfer()
{
    ackTimer_.stop();
    const int w = transfer_.Width(), h = transfer_.Height();
    const int x = EditValue(cc::IDC_H_START_EDIT), y = EditValue(cc::IDC_V_START_EDIT);
    transfer_.Cancel();
    CDeviceData& dev = GetDeviceData();
    dev.SendCommand(CMD_CAPTION_BITMAP, captionNo_, 1, Lo(w), Hi(w), Lo(h), Hi(h), Lo(x), Hi(x), Lo(y), Hi(y));
    if (!IsAdvanced()) dev.SendCommand(CMD_CAPTION_SETTINGS, captionNo_, 1);
    dev.SendCommand(CMD_QUERY_CAPTION, 0);
    display_->SetPressed(true);
    display_->update();
    SetBusy(false);
}

void MSubTitleDlg::FailTransfer(const QString& message)
{
    ackTimer_.stop();
    acceptTimer_.stop();
    pauseTimer_.stop();
    announcing_ = false;
    pendingAccept_ = -1;
    transfer_.Cancel();
    SetBusy(false);
    ShowMessageBox(this, message, UiText(UI_TEXT_TIPS));
}

void MSubTitleDlg::OnAckTimer()
{
    switch (transfer_.AckTimedOut()) {
    case CaptionTransfer::TimeoutOutcome::Ignored: return;
    case CaptionTransfer::TimeoutOutcome::Resend: SendChunk(); return;
    case CaptionTransfer::TimeoutOutcome::GiveUp: FailTransfer(UiText(129)); return;
    }
}

void MSubTitleDlg::OnAcceptTimer()
{
    if (transfer_.State() != CaptionTransfer::Phase::AwaitingAccept) return;
    FailTransfer(UiText(129));
}

void MSubTitleDlg::OnGuardTimer()
{
    if (transfer_.IsActive()) return;
    SetBusy(false);
}

void MSubTitleDlg::OnInitialiseTimer()
{
    if (!waitingInitialise_) return;
    waitingInitialise_ = false;
    if (transfer_.IsActive()) return;
    SetBusy(false);
    ShowMessageBox(this, QStringLiteral("%1 %2").arg(initialise_->text(), UiText(UI_TEXT_FAILED)), UiText(UI_TEXT_TIPS));
}

// The main window places its side pages at the column's height; in advanced mode this page needs
// its own height (and room for a tall caption), so it lays itself out again whatever resized it.
void MSubTitleDlg::resizeEvent(QResizeEvent* e)
{
    MBaseDialog::resizeEvent(e);
    if (relayingOut_) return;
    relayingOut_ = true;
    Relayout();
    relayingOut_ = false;
}

void MSubTitleDlg::changeEvent(QEvent* e)
{
    // The main window brings the page back when the processor answers Save or Initialise.
    if (e->type() == QEvent::EnabledChange && isEnabled() && !transfer_.IsActive()) {
        guardTimer_.stop();
        initialiseTimer_.stop();
        waitingInitialise_ = false;
    }
    MBaseDialog::changeEvent(e);
}

void MSubTitleDlg::ShowWait()
{
    if (parentWidget()) SendMsg(parentWidget(), WM_BUSY_DIALOG, 1, 0, UiText(UI_TEXT_WAIT_OPERATION));
}

// The busy dialog over the main window and the page closed to input, or both lifted.
void MSubTitleDlg::SetBusy(bool busy)
{
    if (busy)
        ShowWait();
    else if (parentWidget())
        SendMsg(parentWidget(), WM_BUSY_DIALOG, 0, 0);
    setEnabled(!busy);
}

// --- preview ---

void MSubTitleDlg::LoadPreviewBitmap()
{
    QImage image;
    previewBitmap_ = caption::DecodeBmpFile(bitmapPath_, image) == BmpError::None ? image : QImage();
}

QImage MSubTitleDlg::PreviewImage() const
{
    const int w = std::max(previewRect_.width(), 1);
    const int h = std::max(previewRect_.height(), 1);
    const int mode = ListData(cc::IDC_BACKGROUND_LIST);
    QImage canvas;
    if (mode == 1 || mode == 2) {
        QImage& back = previewBacks_[mode - 1];
        if (back.isNull()) back = LoadBitmapResource(mode == 1 ? kBackTranslucent : kBackTransparent);
        canvas = back.isNull() ? QImage(caption::kMaxWidth, caption::kMaxHeight, QImage::Format_RGB32) : back.copy();
        if (back.isNull()) canvas.fill(Qt::darkGray);
    } else {
        canvas = QImage(w + 20, h, QImage::Format_RGB32);
        canvas.fill(ToQColor(bgColour_));
    }
    QPainter p(&canvas);
    const QFont f = caption::CaptionRenderFont(captionFont_);
    p.setFont(f);
    p.setPen(ToQColor(fgColour_));
    const QString text = textEdit_->text();
    const int x = alignCentre_->IsPressed()
                      ? caption::CentredTextX(w, caption::MeasureCaptionText(text, captionFont_).width())
                      : 0;
    p.drawText(QPoint(x, QFontMetrics(f).ascent()), text);
    return canvas;
}

int MSubTitleDlg::MaxScrollOffset() const
{
    const int over = previewRect_.width() - width();
    return std::max(0, userBitmap_ ? over : (over + 6) / 2);
}

void MSubTitleDlg::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    PaintBackground(p);
    DrawTitleBand(p, QString());
    if (!IsAdvanced() || !previewGroup_) return;
    // The preview shows inside its group, whatever the caption's width.
    const QRect inside(previewRect_.left(), previewRect_.top(), previewGroup_->geometry().right() - 5 - previewRect_.left(),
                       previewRect_.height());
    p.setClipRect(inside);
    const QImage source = userBitmap_ ? previewBitmap_ : PreviewImage();
    if (source.isNull()) return;
    p.drawImage(previewRect_.topLeft(), source, QRect(scrollOffset_, 0, previewRect_.width(), previewRect_.height()));
}

void MSubTitleDlg::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && IsAdvanced() && previewRect_.contains(e->position().toPoint())) {
        setCursor(Qt::PointingHandCursor);
        dragStart_ = e->position().toPoint();
        dragging_ = true;
        return;
    }
    MBaseDialog::mousePressEvent(e);
}

void MSubTitleDlg::mouseMoveEvent(QMouseEvent* e)
{
    if (IsAdvanced()) setCursor(previewRect_.contains(e->position().toPoint()) ? Qt::PointingHandCursor : Qt::ArrowCursor);
    MBaseDialog::mouseMoveEvent(e);
}

void MSubTitleDlg::mouseReleaseEvent(QMouseEvent* e)
{
    const QPoint at = e->position().toPoint();
    if (dragging_ && e->button() == Qt::LeftButton) {
        dragging_ = false;
        if (previewRect_.contains(at) && previewRect_.width() >= width()) {
            scrollOffset_ = std::clamp(scrollOffset_ + dragStart_.x() - at.x(), 0, MaxScrollOffset());
            update();
        }
        return;
    }
    MBaseDialog::mouseReleaseEvent(e);
}
