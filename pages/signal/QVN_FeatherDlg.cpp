#include "pages/signal/QVN_FeatherDlg.h"

#include "controls/CDropButton.h"
#include "controls/CGdipButton.h"
#include "controls/CSxGroupBox.h"
#include "device/CDeviceData.h"
#include "device/CommandIds.h"
#include "pagekit/DialogIds.h"
#include "pagekit/DialogLanguage.h"
#include "pagekit/PageControls.h"
#include "pagekit/UiText.h"
#include "pages/signal/FeatherIds.h"
#include "pages/signal/FeatherRules.h"
#include "platform/ControlId.h"
#include "platform/MessageIds.h"
#include "platform/PageNotifyCodes.h"

#include <QLabel>

namespace cf = ctl::feather;

namespace {

constexpr unsigned kOnOffImage = 128;
constexpr unsigned kOnOffAltImage = 130;
constexpr int kShapeCount = 5;
constexpr int kLevelCount = 4;
constexpr int kShapeTextFirst = 154;
constexpr int kTitleText = 159;

// Lists in creation order, each with the label it sits right of.
constexpr std::array<int, 4> kListIds = {cf::IDC_FIRST_SHAPE_LIST, cf::IDC_PIP3_SHAPE_LIST, cf::IDC_FIRST_LEVEL_LIST,
                                         cf::IDC_PIP3_LEVEL_LIST};
constexpr std::array<int, 4> kLabelIds = {cf::IDC_FIRST_SHAPE_LABEL, cf::IDC_PIP3_SHAPE_LABEL, cf::IDC_FIRST_LEVEL_LABEL,
                                          cf::IDC_PIP3_LEVEL_LABEL};
const std::array<const char*, 4> kLabelTexts = {"Sharp", "Sharp", "Level", "Level"};

// Page geometry (pixels at 96 DPI).
constexpr int kPageWidth = 320;
constexpr int kPageHeight = 250;
const QRect kFirstGroupRect(6, 36, 308, 80);
const QRect kSecondGroupRect(6, 124, 308, 80);
const QRect kOnOffRect(130, 214, 60, 26);

// Row of a list inside its group: shapes on the first row, levels on the second.
QRect LabelRect(int k)
{
    const QRect& group = k % 2 == 0 ? kFirstGroupRect : kSecondGroupRect;
    return QRect(group.left() + 12, group.top() + 22 + 28 * (k / 2), 80, 24);
}

QRect ListRect(int k)
{
    const QRect label = LabelRect(k);
    return QRect(label.right() + 8, label.top(), 196, 24);
}

} // namespace

QVN_FeatherDlg::QVN_FeatherDlg(QWidget* parent) : MBaseDialog(IDD_FEATHER, parent, false)
{
    setWindowTitle(QStringLiteral("Feathering"));
    resize(kPageWidth, kPageHeight);
}

void QVN_FeatherDlg::OnInitDialog()
{
    if (IsInitialised()) return;
    MBaseDialog::OnInitDialog();
    SetTitle(UiText(kTitleText));
    // This page has no close button: it opens and closes with the splicing modes.
    if (CloseButton()) CloseButton()->hide();

    firstGroup_ = MakePageGroup(this, cf::IDC_FIRST_GROUP, QStringLiteral("PIP2"), kFirstGroupRect);
    secondGroup_ = MakePageGroup(this, cf::IDC_PIP3_GROUP, QStringLiteral("PIP3"), kSecondGroupRect);
    StylePageGroups(this, {firstGroup_, secondGroup_}, false);
    for (int k = 0; k < 4; ++k) {
        auto* label = new QLabel(QString::fromLatin1(kLabelTexts[k]), this);
        SetControlId(label, kLabelIds[k]);
        label->setGeometry(LabelRect(k));
        labels_[k] = label;
    }

    onOff_ = new CGdipButton(this);
    onOff_->Create(QString(), this, cf::IDC_ON_OFF, kOnOffRect);
    onOff_->LoadStdImage(kOnOffImage);
    onOff_->LoadAltImage(kOnOffAltImage);
    onOff_->SetCheck(true);
    connect(onOff_, &CGdipButton::clickedId, this, [this](int) { OnFeatherOnOff(); });

    ApplyFontToChildren();
    CreateLists();
    EnableLists(false);
}

void QVN_FeatherDlg::ApplyLanguage()
{
    ApplyDialogLanguage(this, IDD_FEATHER);
    SetTitle(UiText(kTitleText));
    CreateLists();
    // New shape names, same device values: the lists keep showing what the processor holds.
    if (onOff_) {
        SelectFirstLists();
        SelectSecondLists();
    }
    update();
}

void QVN_FeatherDlg::CreateLists()
{
    for (int k = 0; k < 4; ++k) {
        CDropButton*& list = lists_[k];
        if (!list) {
            list = MakePageDropList(this, kListIds[k], ListRect(k), &ControlFont());
            list->setEnabled(false);
        }
        CDropList* rows = list->GetList();
        rows->ResetContent();
        const bool shape = k < 2;
        const int count = shape ? kShapeCount : kLevelCount;
        for (int i = 0; i < count; ++i) {
            const int row = rows->AddString(shape ? UiText(kShapeTextFirst + i) : QString::asprintf("%d", i));
            rows->SetItemData(row, static_cast<DropItemData>(i));
        }
        list->SetCurSel(0);
    }
}

void QVN_FeatherDlg::EnableLists(bool on)
{
    for (CDropButton* list : lists_)
        if (list) list->setEnabled(on);
}

CDropButton* QVN_FeatherDlg::List(int id) const
{
    for (size_t k = 0; k < kListIds.size(); ++k)
        if (kListIds[k] == id) return lists_[k];
    return nullptr;
}

void QVN_FeatherDlg::SendFeather(int window) { GetDeviceData().SendCommand(CMD_SET_FEATHER, window); }

void QVN_FeatherDlg::NotifyState(int on)
{
    if (MainWindow()) SendMsg(MainWindow(), WM_PAGE_NOTIFY, NOTIFY_FEATHER_STATE, on);
}

void QVN_FeatherDlg::SelectFirstLists()
{
    const FeatherState& f = GetDeviceData().feather;
    SelectDropItemByData(List(cf::IDC_FIRST_SHAPE_LIST), static_cast<DropItemData>(f.shape[firstWindow_]));
    SelectDropItemByData(List(cf::IDC_FIRST_LEVEL_LIST), static_cast<DropItemData>(f.level[firstWindow_]));
}

void QVN_FeatherDlg::SelectSecondLists()
{
    const FeatherState& f = GetDeviceData().feather;
    SelectDropItemByData(List(cf::IDC_PIP3_SHAPE_LIST), static_cast<DropItemData>(f.shape[feather::kSecondWindow]));
    SelectDropItemByData(List(cf::IDC_PIP3_LEVEL_LIST), static_cast<DropItemData>(f.level[feather::kSecondWindow]));
}

void QVN_FeatherDlg::RefreshFromDevice()
{
    if (!onOff_) return;
    const CDeviceData& dev = GetDeviceData();
    const int32_t mode = dev.mosaic.mode;
    if (mode == 2 || mode == 3) {
        firstWindow_ = feather::FeatherFirstWindow(mode, firstWindow_);
        firstGroup_->SetCaption(mode == 2 ? QStringLiteral("PIP2") : QStringLiteral("PIP1"));
        SelectFirstLists();
    }
    update();
    SelectSecondLists();
    const bool on = dev.feather.onOff != 0;
    onOff_->SetPressed(on);
    EnableLists(on);
    // The main window knows 0 and 1 only: any other byte from the device shows, and counts, as on.
    NotifyState(on ? 1 : 0);
}

void QVN_FeatherDlg::OnDropSelect(int id, int index)
{
    CDropButton* list = List(id);
    if (!list || !list->GetList()) return;
    const CDropList* rows = list->GetList();
    if (index < 0 || index >= rows->GetCount()) return;
    const auto d = static_cast<int32_t>(rows->GetItemData(index));
    FeatherState& f = GetDeviceData().feather;
    switch (id) {
    case cf::IDC_FIRST_SHAPE_LIST: f.shape[firstWindow_] = d; SendFeather(firstWindow_); break;
    case cf::IDC_FIRST_LEVEL_LIST: f.level[firstWindow_] = d; SendFeather(firstWindow_); break;
    case cf::IDC_PIP3_SHAPE_LIST: f.shape[feather::kSecondWindow] = d; SendFeather(feather::kSecondWindow); break;
    case cf::IDC_PIP3_LEVEL_LIST: f.level[feather::kSecondWindow] = d; SendFeather(feather::kSecondWindow); break;
    default: break;
    }
}

void QVN_FeatherDlg::OnFeatherOnOff()
{
    CDeviceData& dev = GetDeviceData();
    if (!onOff_->IsPressed()) {
        dev.feather.onOff = 0;
        SendFeather(feather::kSecondWindow);
        EnableLists(false);
        NotifyState(0);
        return;
    }
    if (!feather::FeatherMayTurnOn(feather::FeatherConditionsOf(dev.Block(), dev.caption))) {
        // Refused without a word: the switch just springs back.
        onOff_->SetPressed(false);
        onOff_->update();
        return;
    }
    dev.feather.onOff = 1;
    SendFeather(feather::kSecondWindow);
    EnableLists(true);
    NotifyState(1);
}
