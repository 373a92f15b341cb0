// The main window's controls: building the buttons, group frames and drop lists, placing the
// side column and the bars, and painting the body, the frame of the operating area and the inputs.

#include "controls/CDropButton.h"
#include "controls/CGdipButton.h"
#include "controls/CSxGroupBox.h"
#include "controls/ImageResources.h"
#include "controls/SharedBackground.h"
#include "device/CDeviceData.h"
#include "platform/ControlId.h"
#include "platform/Dpi.h"
#include "shell/MainWindowIds.h"
#include "shell/InputBarLabels.h"
#include "shell/KordalDlg.h"
#include "shell/PresetNames.h"
#include "pagekit/UiText.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <algorithm>

namespace mw = ctl::main_window;

namespace {

constexpr int kInputButtonIds[10] = {mw::IDC_INPUT_DVI1, mw::IDC_INPUT_HDMI1, mw::IDC_INPUT_DVI2, mw::IDC_INPUT_HDMI2,
                                     1197 /* "DP" */,    mw::IDC_INPUT_SDI,   mw::IDC_INPUT_EXT1, mw::IDC_INPUT_EXT2,
                                     mw::IDC_INPUT_DP_L, mw::IDC_INPUT_DP_R};
const char* const kInputButtonCaptions[10] = {"DVI-1", "HDMI-1", "DVI-2", "HDMI-2", "DP",
                                              "SDI",   "Ext.1",  "Ext.2", "DP-L",   "DP-R"};
const char* const kSideCaptions[kSideButtonCount] = {"PICTURE", "OUTPUT", "MOSAIC", "KEYER", "PIP",  "CROP",
                                                      "LOGO",    "EDID",   "VGA ADJ.", "MISC", "TIME/TASK", "COMM"};
const char* const kLayerCaptions[4] = {"MAIN", "PIP-1", "PIP-2", "PIP-3"};

// Icon images by connector: normal, highlighted.
enum IconType { kIconDvi, kIconHdmi, kIconDp, kIconSdi, kIconVga, kIconUsb };
constexpr unsigned kIconImages[6][2] = {{137, 138}, {139, 140}, {135, 136}, {141, 143}, {151, 153}, {1585, 1584}};

// Light skins for the buttons with dark captions: the layer rows and "Freeze", and the locks.
constexpr unsigned kLayerSkin = 2001, kLayerSkinSelected = 2002;
constexpr unsigned kLockSkin = 2003, kLockSkinSelected = 2004;

// The input buttons sit below the title of the "Loop-Out" frame and above the pictures of their
// connectors; a caption of Chinese characters is drawn smaller to keep its room there.
constexpr int kInputButtonTop = 16;
constexpr int kInputButtonHeight = 17;

int IconTypeForCode(int src, int fallback)
{
    switch (src) {
    case 4: return kIconDvi;
    case 6: return kIconHdmi;
    case 7: return kIconSdi;
    case 8: return kIconDp;
    case 3: return kIconVga;
    case 9: return kIconUsb;
    default: return fallback;
    }
}

} // namespace

CGdipButton* KordalDlg::MakeButton(int id, const QString& caption, unsigned stdImage, unsigned altImage)
{
    auto* button = new CGdipButton(this);
    button->Create(caption, this, id, QRect(0, 0, 10, 10));
    if (stdImage) button->LoadStdImage(stdImage);
    if (altImage) button->LoadAltImage(altImage);
    button->SetCaptionFont(&smallFont_);
    // Light on the dark skins; the buttons with captions of their own colour set it after.
    button->SetColorAndRedraw(kColorLightText);
    allButtons_.push_back(button);
    return button;
}

CGdipButton* KordalDlg::ButtonById(int id) const
{
    for (CGdipButton* b : allButtons_)
        if (GetControlId(b) == id) return b;
    return nullptr;
}

void KordalDlg::InitFonts()
{
    auto makeGroup = [this](int id, const QString& caption, COLORREF titleColor) {
        auto* group = new CSxGroupBox(this, caption);
        SetControlId(group, id);
        group->SetTitleFont(&groupFont_);
        group->SetBackColor(0x1E1E1E);
        group->SetTitleColor(titleColor);
        // Under the controls it frames; made while the window is being shown, so shown here.
        group->lower();
        group->show();
        return group;
    };
    if (!loopOutGroup_) loopOutGroup_ = makeGroup(mw::IDC_LOOP_OUT_GROUP, QStringLiteral("Loop-Out"), 0x009CEF);
    if (!syncModeGroup_) syncModeGroup_ = makeGroup(mw::IDC_SYNC_MODE_GROUP, UiText(7), 0xEBEBEB);
    if (!portSwitchGroup_) portSwitchGroup_ = makeGroup(mw::IDC_PORT_SWITCH_GROUP, UiText(150), 0xEBEBEB);
}

void KordalDlg::BuildPresetBar()
{
    if (sideButtons_[0]) return;
    for (int i = 0; i < kSideButtonCount; ++i) {
        CGdipButton* b = MakeButton(kSideButtonIds[i], QString::fromLatin1(kSideCaptions[i]), 113, 114);
        b->SetColorAndRedraw(kSideButtonNormalColor);
        connect(b, &CGdipButton::clickedId, this, &KordalDlg::OnPageButton);
        sideButtons_[static_cast<size_t>(i)] = b;
    }
    // "TEST PATTERN" belongs to the same click handler but has no place in the column.
    testPatternButton_ = MakeButton(mw::IDC_TEST_PATTERN, QStringLiteral("TEST PATTERN"), 113, 114);
    connect(testPatternButton_, &CGdipButton::clickedId, this, &KordalDlg::OnPageButton);

    moreButton_ = MakeButton(mw::IDC_SIDE_MORE, QString(), 174, 175);
    moreButton_->SetToggle(true);
    moreButton_->SetPressed(true);

    for (int i = 0; i < 10; ++i) {
        presetButtons_[static_cast<size_t>(i)] = MakeButton(mw::IDC_PRESET_SLOT_1 + i, QString::number(i + 1), 172, 173);
        presetButtons_[static_cast<size_t>(i)]->SetColorAndRedraw(0);
    }
    for (int i = 0; i < 10; ++i)
        inputButtons_[static_cast<size_t>(i)] = MakeButton(kInputButtonIds[i], QString::fromLatin1(kInputButtonCaptions[i]), 144, 148);
    // Without "Dual CH." the two DP halves stay hidden.
    inputButtons_[8]->hide();
    inputButtons_[9]->hide();
    for (int i = 0; i < 4; ++i) {
        leftLayerButtons_[static_cast<size_t>(i)] =
            MakeButton(mw::IDC_LAYER_MAIN + i, QString::fromLatin1(kLayerCaptions[i]), kLayerSkin, kLayerSkinSelected);
        rightLayerButtons_[static_cast<size_t>(i)] =
            MakeButton(mw::IDC_PVW_LAYER_MAIN + i, QString::fromLatin1(kLayerCaptions[i]), kLayerSkin, kLayerSkinSelected);
        leftLayerButtons_[static_cast<size_t>(i)]->SetColorAndRedraw(kImageButtonCaptionDefault);
        rightLayerButtons_[static_cast<size_t>(i)]->SetColorAndRedraw(kImageButtonCaptionDefault);
        rightLayerButtons_[static_cast<size_t>(i)]->hide();
        topButtons_[static_cast<size_t>(i)] = MakeButton(mw::IDC_TOP_MAIN + i, QStringLiteral("TOP"), 144, 0);
        topButtons_[static_cast<size_t>(i)]->hide();
        if (i > 0) {
            leftLayerButtons_[static_cast<size_t>(i)]->SetToggle(true);
            rightLayerButtons_[static_cast<size_t>(i)]->SetToggle(true);
        }
    }
    leftLayerButtons_[0]->SetPressed(true);
    leftLayerButtons_[0]->SetDisabledLook(true);
    leftLayerButtons_[0]->setEnabled(false);

    CGdipButton* presets = MakeButton(mw::IDC_TAB_PRESETS, QStringLiteral("Presets"), 131, 132);
    presets->SetColorAndRedraw(0x009CEF);
    presets->SetPressed(true);
    MakeButton(mw::IDC_TAB_TEMPLATES, QStringLiteral("Templates"), 131, 132)->SetColorAndRedraw(0xD5D5D5);
    MakeButton(mw::IDC_PRESET_LOAD, QStringLiteral("Load"), 129, 0);
    MakeButton(mw::IDC_PRESET_SAVE, QStringLiteral("Save"), 129, 0);
    MakeButton(mw::IDC_SWITCHER, UiText(41), 144, 148)->SetToggle(true);
    MakeButton(mw::IDC_TAKE, QStringLiteral("TAKE"), 169, 0)->hide();
    for (int id : {mw::IDC_LOCK_OUTPUT, mw::IDC_LOCK_LAYER, mw::IDC_FREEZE}) {
        const bool lock = id != mw::IDC_FREEZE;
        const char* caption = id == mw::IDC_LOCK_OUTPUT ? "Lock Output" : id == mw::IDC_LOCK_LAYER ? "Lock Layer" : "Freeze";
        CGdipButton* b = MakeButton(id, QString::fromLatin1(caption), lock ? kLockSkin : kLayerSkin,
                                    lock ? kLockSkinSelected : kLayerSkinSelected);
        b->SetToggle(true);
        b->SetColorAndRedraw(kImageButtonCaptionDefault);
    }
    MakeButton(mw::IDC_LINK_SERIAL_INDICATOR, QString(), 1485, 0)->SetToolTipText(UiText(87));
    MakeButton(mw::IDC_LINK_NETWORK_INDICATOR, QString(), 1486, 0)->SetToolTipText(UiText(87));
    // From the mode the program starts in (network), in which a network connect sends no notice.
    ShowLinkType();
    CGdipButton* switcherMark = MakeButton(mw::IDC_SWITCHER_INDICATOR, QString(), 1487, 0);
    switcherMark->SetToolTipText(UiText(86));
    switcherMark->hide();
    CGdipButton* connection = MakeButton(mw::IDC_CONNECTION_INDICATOR, QString(), 157, 155);
    connection->SetToolTipText(UiText(88));
    connection->SetCheck(true);
    MakeButton(mw::IDC_FOUR_VIEW, QString(), 1560, 0)->SetToolTipText(UiText(137));
    MakeButton(mw::IDC_SIGNAL_SWITCH, QStringLiteral("Switch"), 144, 0);

    dualChannel_ = new QCheckBox(QStringLiteral("Dual CH."), this);
    SetControlId(dualChannel_, mw::IDC_DUAL_CHANNEL);
    QPalette pal = dualChannel_->palette();
    pal.setColor(QPalette::WindowText, ToQColor(0xEBEBEB));
    dualChannel_->setPalette(pal);
    dualChannel_->setFont(smallFont_);

    sideButtons_[10]->hide();
    CGdipButton* vga = sideButtons_[8];
    vga->SetDisabledLook(true);
    vga->setEnabled(false);
}

void KordalDlg::LoadIcons()
{
    LoadPngResource(noSignalMark_, 157);
    LoadPngResource(signalMark_, 155);
    inputIconRects_ = ComputeInputIconRects(g_DpiX);
    for (int t = 0; t < 6; ++t)
        for (int h = 0; h < 2; ++h)
            LoadPngResource(inputIcons_[static_cast<size_t>(t * 2 + h)], kIconImages[t][h]);
    LoadPngResource(switcherPicture_, 1479);
}

void KordalDlg::CreateDropLists()
{
    const CDeviceData& device = GetDeviceData();
    auto create = [this](CDropButton*& button, int id) {
        if (button) return;
        button = new CDropButton(this);
        button->Create(QString(), this, id, 0x101010, 0x101010, 0xEBEBEB, 0, &smallFont_, 0x2E2E2E, QRect(0, 0, 10, 10));
    };
    create(syncLockList_, mw::IDC_SYNC_LOCK_LIST);
    create(syncModeList_, mw::IDC_SYNC_MODE_LIST);
    create(portSwitchList_, mw::IDC_PORT_SWITCH_LIST);

    auto fill = [](CDropButton* button, int firstText, int count, auto dataOf) {
        CDropList* list = button->GetList();
        if (!list) return;
        list->ResetContent();
        for (int i = 0; i < count; ++i) {
            const int row = list->AddString(UiText(firstText + i));
            list->SetItemData(row, static_cast<DropItemData>(dataOf(i)));
        }
        button->SetCurSel(0);
    };
    fill(syncLockList_, 100, 8, [&device](int i) { return device.genlockNames[i].id; });
    fill(syncModeList_, 113, 3, [&device](int i) { return device.syncModeNames[i].id; });
    fill(portSwitchList_, 145, 5, [](int i) { return i; });
}

void KordalDlg::LayoutSideBars(int which)
{
    if (!sideButtons_[0]) return;
    const int W = width(), H = height();
    if (which == 1) {
        // The side column, top down, under the input band; wide enough for "VGA ADJ." on one
        // line and "PATTERN" with their room on the skin.
        const int x = ScaleX(4), w = ScaleX(68), h = ScaleY(34), step = ScaleY(38);
        int y = 106;
        for (int i = 0; i < kSideButtonCount; ++i) {
            CGdipButton* b = sideButtons_[static_cast<size_t>(i)];
            b->setGeometry(x, y, w, h);
            if (!b->isHidden()) y += step;
        }
        moreButton_->setGeometry(x, y, w, ScaleY(20));
        testPatternButton_->setGeometry(x, y + ScaleY(24), w, h);
        // The switcher button sits in the top-left corner, its picture drawn over it.
        if (CGdipButton* sw = ButtonById(mw::IDC_SWITCHER)) sw->setGeometry(0, 4, 76, 76);
        return;
    }

    // Top band: input buttons over their icons, indicators and the sync frames at the right. The
    // buttons leave the band's top line to the "Loop-Out" frame's title, which must show (a click
    // on it opens the system page); the icon pictures sit low in their cells, under the buttons.
    for (int k = 0; k < 8; ++k) {
        const QRect& icon = inputIconRects_[static_cast<size_t>(k)];
        inputButtons_[static_cast<size_t>(k)]->setGeometry(icon.left(), kInputButtonTop, icon.width(), kInputButtonHeight);
    }
    PlaceDualDpButtons();
    if (loopOutGroup_) {
        const QRect& icon = inputIconRects_[static_cast<size_t>(loopOutInput_)];
        loopOutGroup_->setGeometry(icon.left() - 16, 0, icon.width() + 32, 104);
    }
    const int syncX = W - 24 - 272;
    if (syncModeGroup_) syncModeGroup_->setGeometry(syncX, 2, 272, 54);
    if (syncLockList_) syncLockList_->setGeometry(syncX + 8, 22, 160, 24);
    if (syncModeList_) syncModeList_->setGeometry(syncX + 174, 22, 90, 24);
    if (portSwitchGroup_) portSwitchGroup_->setGeometry(syncX, 58, 272, 44);
    if (portSwitchList_) portSwitchList_->setGeometry(syncX + 8, 74, 200, 24);
    if (CGdipButton* b = ButtonById(mw::IDC_SIGNAL_SWITCH)) b->setGeometry(syncX + 214, 72, 50, 28);
    // TOP buttons at the right edge, beside the operating page.
    for (int i = 0; i < 4; ++i) topButtons_[static_cast<size_t>(i)]->setGeometry(W - 23, 110 + i * 44, 22, 40);

    LayoutLayerBand();

    // The preset bar.
    const int barY = H - 90;
    if (CGdipButton* b = ButtonById(mw::IDC_TAB_PRESETS)) b->setGeometry(80, barY, 96, 28);
    if (CGdipButton* b = ButtonById(mw::IDC_TAB_TEMPLATES)) b->setGeometry(180, barY, 96, 28);
    for (int i = 0; i < 10; ++i) presetButtons_[static_cast<size_t>(i)]->setGeometry(80 + i * 72, H - 58, 64, 34);
    if (CGdipButton* b = ButtonById(mw::IDC_PRESET_LOAD)) b->setGeometry(80 + 10 * 72 + 8, H - 58, 80, 28);
    if (CGdipButton* b = ButtonById(mw::IDC_PRESET_SAVE)) b->setGeometry(80 + 10 * 72 + 96, H - 58, 80, 28);

    // Link and connection indicators and the four-view button at the bar's right end.
    const int indicatorsX = W - 24 - 4 * 40 - 44;
    const int indicatorIds[4] = {mw::IDC_LINK_SERIAL_INDICATOR, mw::IDC_LINK_NETWORK_INDICATOR,
                                 mw::IDC_CONNECTION_INDICATOR, mw::IDC_SWITCHER_INDICATOR};
    // The serial and network marks share one place: only one of them shows at a time.
    const int place[4] = {0, 0, 1, 2};
    for (int i = 0; i < 4; ++i)
        if (CGdipButton* b = ButtonById(indicatorIds[i])) b->setGeometry(indicatorsX + place[i] * 40, H - 58, 32, 32);
    if (CGdipButton* b = ButtonById(mw::IDC_FOUR_VIEW)) b->setGeometry(indicatorsX + 3 * 40, H - 62, 40, 40);
}

// Half the connector's place is narrower than a caption with its room on the skin: a half then
// reaches out into the gap beside the place, as far as the neighbouring button and the "Loop-Out"
// frame's edge allow.
void KordalDlg::PlaceDualDpButtons()
{
    if (!inputButtons_[9]) return;
    constexpr int kMaxReach = 12;  // the "Loop-Out" frame's edge lies 16 pixels out
    const QRect& dp = inputIconRects_[4];
    int need = 0;
    for (CGdipButton* b : {inputButtons_[8], inputButtons_[9]}) {
        b->resize(b->width(), kInputButtonHeight);
        need = std::max(need, b->WidthForCaption());
    }
    const int mid = dp.left() + dp.width() / 2;
    const int left = std::clamp(need, mid - dp.left(), mid - dp.left() + kMaxReach);
    const int right = std::clamp(need, dp.left() + dp.width() - mid, dp.left() + dp.width() - mid + kMaxReach);
    inputButtons_[8]->setGeometry(mid - left, kInputButtonTop, left, kInputButtonHeight);
    inputButtons_[9]->setGeometry(mid, kInputButtonTop, right, kInputButtonHeight);
}

// The band between the operating page and the preset bar: the layer rows, then TAKE, the locks,
// Freeze and "Dual CH.", placed left to right from the operating page's left edge, the hidden ones
// taking no room. An open settings page reaches down over the band's left part, so the band starts
// beside it; which buttons show depends on the work mode and the splicing mode.
void KordalDlg::LayoutLayerBand()
{
    if (!leftLayerButtons_[0]) return;
    const int H = height();
    const int rowY = H - 137, rowH = 30, gap = 6, groupGap = 14;
    int x = m_MainDlg.geometry().left() + 5;
    auto place = [&](QWidget* w, int width, int y, int h) {
        if (!w || w->isHidden()) return;
        w->setGeometry(x, y, width, h);
        x += width + gap;
    };
    auto endGroup = [&] { x += groupGap - gap; };
    for (CGdipButton* b : leftLayerButtons_) place(b, 72, rowY, rowH);
    endGroup();
    for (CGdipButton* b : rightLayerButtons_) place(b, 72, rowY, rowH);
    endGroup();
    place(ButtonById(mw::IDC_TAKE), 80, H - 141, 40);
    place(ButtonById(mw::IDC_LOCK_OUTPUT), 100, rowY, rowH);
    place(ButtonById(mw::IDC_LOCK_LAYER), 100, rowY, rowH);
    place(ButtonById(mw::IDC_FREEZE), 72, rowY, rowH);
    place(dualChannel_, 100, rowY + 4, 22);
}

void KordalDlg::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    RelayoutPages();
    if (!children().isEmpty()) {
        LayoutSideBars(1);
        LayoutSideBars(0);
    }
}

void KordalDlg::moveEvent(QMoveEvent* e)
{
    QWidget::moveEvent(e);
    // The system page's sub-pages are put back in their place below its tab row. They are
    // children and move with the window; the rule is the relayout's, so a move never shifts one.
    if (!initialised_) return;
    const QRect subPage = ComputePageArea(rect(), g_DpiX, currentPage_ != -1).subPage;
    for (const PageRow& row : MainWindowPageTable())
        if (row.area == PageArea::SystemSubPage)
            if (MBaseDialog* page = PageById(row.dialogId)) page->setGeometry(subPage);
}

void KordalDlg::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    shared_background::Paint(p, rect());

    const int L = 0, T = 0, R = width(), B = height();
    p.setPen(QPen(ToQColor(0x141414), 2));
    p.drawLine(L + 75, T, L + 75, B);
    p.drawLine(R - 24, T, R - 24, B);
    p.drawLine(L, T + 105, R, T + 105);
    p.drawLine(L, B - 95, R, B - 95);

    PaintInputArea(p);

    if (CGdipButton* sw = ButtonById(mw::IDC_SWITCHER); sw && !switcherPicture_.isNull())
        p.drawImage(QRect(sw->geometry().topLeft(), QSize(76, 76)), switcherPicture_);

    // Preset names under their slot buttons, on the "Presets" tab only.
    if (templatesTab_) return;
    p.setFont(smallFont_);
    p.setPen(ToQColor(0x009CEF));
    for (int i = 0; i < 10; ++i) {
        const QString& name = presetNames_[static_cast<size_t>(PresetNameIndex(NameSet(), i))];
        if (name.isEmpty()) continue;
        const QRect b = presetButtons_[static_cast<size_t>(i)]->geometry();
        p.drawText(QRect(b.left() - 10, b.bottom() + 2, b.width() + 20, 20), Qt::AlignCenter, name);
    }
}

std::vector<InputBarLabel> KordalDlg::InputBarLabelLayout() const
{
    return LayoutInputBarLabels(GetDeviceData(), inputIconRects_, QFontMetrics(smallFont_));
}

void KordalDlg::PaintInputArea(QPainter& p)
{
    const CDeviceData& device = GetDeviceData();
    p.setFont(smallFont_);
    p.setPen(ToQColor(0x009CEF));
    const int selectedInput = device.chnl[selectedLayer_ & 3].input;
    for (int k = 0; k < kInputIconCount; ++k) {
        const InputName& row = device.inputNames[k];
        if (!row.enabled) continue;
        const QRect& r = inputIconRects_[static_cast<size_t>(k)];
        const int slot = SlotOfInputCode(k);
        int type = kIconDvi;
        switch (k) {
        case 0: case 2: type = kIconDvi; break;
        case 1: case 3: type = kIconHdmi; break;
        case 4: case 8: case 9: type = kIconDp; break;
        case 5: type = kIconSdi; break;
        case 6: case 7: type = IconTypeForCode(device.input[slot].src, kIconDvi); break;
        default: type = device.input[6].src == 6 ? kIconHdmi : kIconDp; break;
        }
        const QImage& icon = inputIcons_[static_cast<size_t>(type * 2 + (k == selectedInput ? 1 : 0))];
        if (!icon.isNull()) {
            // Kept in proportion: a dual-link half is half as wide as the connector's picture.
            const QSize fit = icon.size().scaled(r.size(), Qt::KeepAspectRatio);
            p.drawImage(QRect(QPoint(r.center().x() - fit.width() / 2, r.bottom() - fit.height() + 1), fit), icon);
        }
        const QImage& mark = device.inputState[slot] != 0 ? signalMark_ : noSignalMark_;
        if (!mark.isNull()) p.drawImage(QRect(r.left(), r.bottom() - 13, 14, 14), mark);
    }
    for (const InputBarLabel& label : InputBarLabelLayout())
        p.drawText(label.rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, label.text);
}
