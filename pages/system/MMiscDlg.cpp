#include "pages/system/MMiscDlg.h"

#include "comm/QVN_Comm.h"
#include "controls/CGdipButton.h"
#include "controls/CSxGroupBox.h"
#include "device/CDeviceData.h"
#include "device/CommandIds.h"
#include "pagekit/DialogIds.h"
#include "pagekit/DialogLanguage.h"
#include "pagekit/LanguageFiles.h"
#include "pagekit/UiText.h"
#include "pages/system/LayerPageWidgets.h"
#include "pages/system/MiscIds.h"
#include "platform/ControlId.h"
#include "platform/MessageBox.h"
#include "platform/MessageIds.h"
#include "platform/PageNotifyCodes.h"

#include <QFileDialog>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QVariantMap>
#include <QtMath>

namespace ids = ctl::misc;

namespace {

constexpr unsigned kButtonImage = 113;
constexpr unsigned kButtonAltImage = 114;
constexpr COLORREF kSelectedCaption = kColorAccent;
constexpr COLORREF kNormalCaption = kColorLightText;

constexpr int kTabIds[4] = {ids::IDC_TAB_SETTING, ids::IDC_TAB_KEYER, ids::IDC_TAB_TEST_PATTERN,
                            ids::IDC_TAB_TIME_TASK};
constexpr int kShortcutIds[3] = {ids::IDC_VIDEO_SETTING, ids::IDC_MEDIA_PLAYER, ids::IDC_FEATHERING};
constexpr unsigned kShortcutCodes[3] = {NOTIFY_TAB_BUTTONS, NOTIFY_TAB_BUTTONS_MEDIA, NOTIFY_TAB_BUTTONS_FEATHER};
constexpr const char* kLoopOutCaptions[8] = {"DVI-1", "HDMI-1", "DVI-2", "HDMI-2", "DP1", "SDI", "Ext-1", "Ext-2"};
constexpr const char* kResetCaptions[5] = {"1>", "2>", "3>", "4>", ">OK"};

// The language statics answer a click (the original labels are notifying statics).
class ClickLabel : public QLabel {
public:
    ClickLabel(const QString& text, QWidget* parent, std::function<void()> onClick)
        : QLabel(text, parent), onClick_(std::move(onClick))
    {
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void mousePressEvent(QMouseEvent* e) override
    {
        if (e->button() == Qt::LeftButton && onClick_) onClick_();
        QLabel::mousePressEvent(e);
    }

private:
    std::function<void()> onClick_;
};

QVariantMap SubPageNotice(int tab, int shown)
{
    return QVariantMap{{QStringLiteral("tab"), tab}, {QStringLiteral("shown"), shown}};
}

}  // namespace

MMiscDlg::MMiscDlg(QWidget* parent) : MBaseDialog(IDD_MISC, parent, true), chooseFile_(&MMiscDlg::ChooseProjectFile)
{
    setWindowTitle(QStringLiteral("Misc Settings"));

    // Groups first: the buttons are created after them and so lie above their frames.
    layerpage::MakeFramedGroup(this, ids::IDC_GROUP_1255);
    layerpage::MakeFramedGroup(this, ids::IDC_GROUP_1336);
    layerpage::MakeFramedGroup(this, ids::IDC_GROUP_1346);
    layerpage::MakeFramedGroup(this, ids::IDC_GROUP_1337);
    layerpage::MakeFramedGroup(this, ids::IDC_GROUP_1343);

    for (int k = 0; k < 4; ++k)
        tabs_[static_cast<size_t>(k)] = MakeButton(kTabIds[k], QString());
    for (int k = 0; k < 8; ++k)
        loopOut_[static_cast<size_t>(k)] = MakeButton(ids::IDC_LOOP_OUT_DVI1 + k, QString::fromLatin1(kLoopOutCaptions[k]));
    MakeButton(ids::IDC_OPEN_PROJECT, QStringLiteral("Open Project"));
    MakeButton(ids::IDC_SAVE_PROJECT, QStringLiteral("Save Project"));
    MakeButton(ids::IDC_GET_DATA, QStringLiteral("Get Data From Machine"));
    MakeButton(ids::IDC_SET_DATA, QStringLiteral("Set Data To Machine"));
    for (int k = 0; k < 3; ++k) shortcuts_[static_cast<size_t>(k)] = MakeButton(kShortcutIds[k], QString());
    shortcuts_[0]->setText(QStringLiteral("Video Setting >>"));
    shortcuts_[1]->setText(QStringLiteral("Media Player >>"));
    shortcuts_[2]->setText(QStringLiteral("Feathering"));
    dualChannel_ = MakeButton(ids::IDC_DUAL_CHANNEL, QStringLiteral("Dual CH."));
    for (int s = 0; s < ResetLatch::kSteps; ++s)
        reset_[static_cast<size_t>(s)] = MakeButton(ids::IDC_RESET_STEP_1 + s, QString::fromLatin1(kResetCaptions[s]));
    tabs_[0]->setText(QStringLiteral("Setting"));
    tabs_[1]->setText(QStringLiteral("Keyer"));
    tabs_[2]->setText(QStringLiteral("TEST PATTERN"));
    tabs_[3]->setText(QStringLiteral("TIME/TASK"));

    MakeLabel(ids::IDC_LANGUAGE_ENGLISH, QStringLiteral("English"));
    MakeLabel(ids::IDC_LANGUAGE_CHINESE, QStringLiteral("Chinese"));
    systemInfo_ = MakeLabel(ids::IDC_SYSTEM_INFO_TEXT, QString());
    versionText_ = MakeLabel(ids::IDC_VERSION_TEXT, QString());
    for (QLabel* l : {systemInfo_, versionText_}) l->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // Behaviour: loop-out buttons pick one; tabs, reset steps, shortcuts and the channel toggle
    // keep a pressed flag of their own.
    for (CGdipButton* b : loopOut_) b->SetRadio(true);
    for (CGdipButton* b : tabs_) b->SetCheck(true);
    for (CGdipButton* b : reset_) b->SetCheck(true);
    for (CGdipButton* b : shortcuts_) b->SetCheck(true);
    dualChannel_->SetCheck(true);
    for (int id : {ids::IDC_LOOP_OUT_EXT1, ids::IDC_LOOP_OUT_EXT2}) {
        Button(id)->SetDisabledLook(true);
        Button(id)->setEnabled(false);
    }
    SetSelected(loopOut_[0], true);
    SetSelected(tabs_[0], true);
    Layout();
}

CGdipButton* MMiscDlg::MakeButton(int id, const QString& caption)
{
    auto* b = new CGdipButton(this);
    b->Create(caption, this, id, QRect(0, 0, 10, 10));
    SetControlOwner(b, this);
    b->SetColorAndRedraw(kNormalCaption);
    connect(b, &CGdipButton::clickedId, this, &MMiscDlg::OnButton);
    return b;
}

QLabel* MMiscDlg::MakeLabel(int id, const QString& text)
{
    QLabel* l = nullptr;
    if (id == ids::IDC_LANGUAGE_ENGLISH || id == ids::IDC_LANGUAGE_CHINESE)
        l = new ClickLabel(text, this, [this, id] { OnLanguageLabel(id); });
    else
        l = new QLabel(text, this);
    SetControlId(l, id);
    return l;
}

CGdipButton* MMiscDlg::Button(int id) const
{
    return FindControlAs<CGdipButton>(this, id);
}

QLabel* MMiscDlg::Label(int id) const
{
    return FindControlAs<QLabel>(this, id);
}

CSxGroupBox* MMiscDlg::Group(int id) const
{
    return FindControlAs<CSxGroupBox>(this, id);
}

void MMiscDlg::OnInitDialog()
{
    if (IsInitialised()) return;
    MBaseDialog::OnInitDialog();
    const QList<CGdipButton*> buttons = findChildren<CGdipButton*>();
    for (CGdipButton* b : buttons) {
        if (b == CloseButton()) continue;
        b->LoadStdImage(kButtonImage);
        b->LoadAltImage(kButtonAltImage);
    }
    const QList<CSxGroupBox*> groups = findChildren<CSxGroupBox*>();
    for (CSxGroupBox* g : groups) g->SetTitleFont(&ControlFont());
    ApplyFontToChildren();
    const QString language = GetLanguageSetting();
    if (language == QLatin1String("Chinese"))
        g_LanguageLabelId = ids::IDC_LANGUAGE_CHINESE;
    else if (language == QLatin1String("English"))
        g_LanguageLabelId = ids::IDC_LANGUAGE_ENGLISH;
    ApplyStaticColours();

    uint8_t version[2] = {};
    QVN_Comm_GetVersion(version, 2);
    versionText_->setText(FormatVersionText(version[0], version[1]));
    ApplyLanguage();
    Layout();
}

void MMiscDlg::ApplyLanguage()
{
    ApplyDialogLanguage(this, IDD_MISC);
    SetTitle(UiText(79));
    const std::pair<int, int> captions[] = {
        {ids::IDC_GROUP_1255, 27}, {ids::IDC_GROUP_1336, 89}, {ids::IDC_GROUP_1343, 29}, {ids::IDC_GROUP_1337, 30}};
    for (const auto& [id, text] : captions)
        if (CSxGroupBox* g = Group(id)) g->SetCaption(UiText(text));
    // The language group is a group box, which the dialog texts do not reach.
    QString language = LoadLangString(QStringLiteral("IDD%1_IDS_%2").arg(IDD_MISC).arg(ids::IDC_GROUP_1346));
    if (language.isEmpty()) language = LoadLangString(QStringLiteral("IDS_%1").arg(ids::IDC_GROUP_1346));
    if (CSxGroupBox* g = Group(ids::IDC_GROUP_1346)) g->SetCaption(language.isEmpty() ? QStringLiteral("Language") : language);
    update();
}

void MMiscDlg::ShowPage(bool show)
{
    MBaseDialog::ShowPage(show);
    if (QWidget* owner = parentWidget()) {
        SendMsg(owner, WM_PAGE_NOTIFY, NOTIFY_SHOW_SUBPAGE, 0, SubPageNotice(currentTab_, show ? 1 : 0));
        for (CGdipButton* b : shortcuts_) {
            b->SetPressed(false);
            b->SetColorAndRedraw(kNormalCaption);
        }
        for (unsigned code : kShortcutCodes) SendMsg(owner, WM_PAGE_NOTIFY, code, 3);
    }
}

void MMiscDlg::SetSelected(CGdipButton* b, bool selected)
{
    if (!b) return;
    b->SetPressed(selected);
    b->SetColorAndRedraw(selected ? kSelectedCaption : kNormalCaption);
}

void MMiscDlg::SelectLoopOut(int index, bool send)
{
    for (int k = 0; k < 8; ++k) SetSelected(loopOut_[static_cast<size_t>(k)], k == index);
    // Only the eight sources exist; a value beyond them (a processor's bad byte) selects nothing.
    if (index < 0 || index >= 8) return;
    GetDeviceData().loopOutIp = static_cast<uint8_t>(index);
    if (QWidget* owner = parentWidget()) PostMsg(owner, WM_PAGE_NOTIFY, NOTIFY_LOOP_OUT, index);
    if (send) GetDeviceData().SendCommand(CMD_SET_LOOP_OUT);
}

void MMiscDlg::RefreshLoopOut()
{
    SelectLoopOut(GetDeviceData().loopOutIp, false);
}

void MMiscDlg::UpdateExtBoardButtons()
{
    const CDeviceData& d = GetDeviceData();
    const ExtBoardButtons rule =
        ExtBoardRule(d.inputNames[6].enabled, d.inputNames[7].enabled, d.inputNames[10].enabled, d.inputNames[11].enabled);
    const std::pair<CGdipButton*, bool> buttons[] = {{Button(ids::IDC_LOOP_OUT_EXT1), rule.ext1},
                                                     {Button(ids::IDC_LOOP_OUT_EXT2), rule.ext2}};
    for (const auto& [b, on] : buttons) {
        b->SetDisabledLook(!on);
        b->setEnabled(on);
    }
    Button(ids::IDC_LOOP_OUT_EXT1)->setText(d.inputNames[6].name);
    Button(ids::IDC_LOOP_OUT_EXT2)->setText(d.inputNames[7].name);
}

void MMiscDlg::ShowSystemInfo()
{
    systemInfo_->setText(FormatSystemInfo(GetDeviceData().sysInfo));
    systemInfo_->update();
}

void MMiscDlg::SetDualChannel(bool on)
{
    dualChannel_->SetPressed(on);
    dualChannel_->SetColorAndRedraw(on ? kSelectedCaption : kNormalCaption);
}

void MMiscDlg::SetProjectFileChooser(ProjectFileChooser chooser)
{
    chooseFile_ = chooser ? std::move(chooser) : ProjectFileChooser(&MMiscDlg::ChooseProjectFile);
}

void MMiscDlg::ConfigureProjectDialog(QFileDialog& dialog, bool save)
{
    dialog.setNameFilter(QStringLiteral("QVN File(*.pro)"));
    dialog.setDefaultSuffix(QStringLiteral("pro"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // Opening needs an existing file; saving may name a new one (the dialog asks before it
    // overwrites an existing file).
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
}

QString MMiscDlg::ChooseProjectFile(QWidget* parent, bool save)
{
    QFileDialog dialog(parent);
    ConfigureProjectDialog(dialog, save);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

void MMiscDlg::OnButton(int id)
{
    CDeviceData& d = GetDeviceData();
    QWidget* owner = parentWidget();
    if (id >= ids::IDC_LOOP_OUT_DVI1 && id <= ids::IDC_LOOP_OUT_EXT2) {
        SelectLoopOut(id - ids::IDC_LOOP_OUT_DVI1, true);
    } else if (id >= ids::IDC_RESET_STEP_1 && id <= ids::IDC_RESET_STEP_OK) {
        OnResetStep(id - ids::IDC_RESET_STEP_1);
    } else if (id == ids::IDC_OPEN_PROJECT || id == ids::IDC_SAVE_PROJECT) {
        OnProjectFile(id == ids::IDC_SAVE_PROJECT);
    } else if (id == ids::IDC_GET_DATA) {
        d.SendCommand(CMD_GET_ALL_DATA);
        if (owner) SendMsg(owner, WM_BUSY_DIALOG, 1, 0, UiText(82));
    } else if (id == ids::IDC_SET_DATA) {
        // The processor takes the block with feathering off; the block then sets it again.
        if (owner) SendMsg(owner, WM_BUSY_DIALOG, 1, 0, UiText(84));
        d.feather.onOff = 0;
        d.SendCommand(CMD_SET_FEATHER, 3);
        d.SendCommand(CMD_SEND_ALL_DATA);
    } else if (id >= ids::IDC_TAB_SETTING && id <= ids::IDC_TAB_TIME_TASK) {
        OnTab(id - ids::IDC_TAB_SETTING);
    } else if (id == ids::IDC_VIDEO_SETTING || id == ids::IDC_MEDIA_PLAYER || id == ids::IDC_FEATHERING) {
        OnShortcut(id);
    } else if (id == ids::IDC_DUAL_CHANNEL) {
        const bool on = dualChannel_->IsPressed();
        dualChannel_->SetColorAndRedraw(on ? kSelectedCaption : kNormalCaption);
        emit dualChannelClicked(on);
    }
}

void MMiscDlg::OnResetStep(int step)
{
    CGdipButton* clicked = reset_[static_cast<size_t>(step)];
    const bool send = resetLatch_.Click(step, clicked->IsPressed());
    for (int s = 0; s < ResetLatch::kSteps; ++s) SetSelected(reset_[static_cast<size_t>(s)], resetLatch_.IsPressed(s));
    if (!send) return;
    GetDeviceData().SendCommand(CMD_FACTORY_RESET);
    ShowMessageBox(this, UiText(56), UiText(UI_TEXT_TIPS));
}

void MMiscDlg::OnProjectFile(bool save)
{
    const QString path = chooseFile_ ? chooseFile_(this, save) : QString();
    if (path.isEmpty()) return;
    QWidget* owner = parentWidget();
    if (!owner) return;
    SendMsg(owner, WM_BUSY_DIALOG, 1, 0, UiText(UI_TEXT_WAIT_OPERATION));
    SendMsg(owner, WM_PROJECT_FILE, save ? PROJECT_FILE_SAVE : PROJECT_FILE_OPEN, 0, path);
}

void MMiscDlg::OnTab(int tab)
{
    if (tab == currentTab_) {
        // The current tab stays lit; a second press changes nothing.
        SetSelected(tabs_[static_cast<size_t>(tab)], true);
        return;
    }
    currentTab_ = tab;
    for (int k = 0; k < 4; ++k) SetSelected(tabs_[static_cast<size_t>(k)], k == tab);
    if (QWidget* owner = parentWidget()) SendMsg(owner, WM_PAGE_NOTIFY, NOTIFY_SHOW_SUBPAGE, 0, SubPageNotice(tab, 1));
}

void MMiscDlg::OnShortcut(int id)
{
    QWidget* owner = parentWidget();
    for (int k = 0; k < 3; ++k) {
        CGdipButton* b = shortcuts_[static_cast<size_t>(k)];
        if (kShortcutIds[k] == id) {
            b->SetColorAndRedraw(b->IsPressed() ? kSelectedCaption : kNormalCaption);
        } else {
            b->SetPressed(false);
            b->SetColorAndRedraw(kNormalCaption);
        }
    }
    if (!owner) return;
    for (int k = 0; k < 3; ++k)
        SendMsg(owner, WM_PAGE_NOTIFY, kShortcutCodes[k], kShortcutIds[k] == id ? 0 : 3);
}

void MMiscDlg::TieShortcutToPage(int shortcutId, QWidget* page)
{
    for (size_t k = 0; k < shortcutPages_.size(); ++k) {
        if (kShortcutIds[k] != shortcutId) continue;
        if (shortcutPages_[k]) shortcutPages_[k]->removeEventFilter(this);
        shortcutPages_[k] = page;
        if (!page) return;
        page->installEventFilter(this);
        SetSelected(shortcuts_[k], page->isVisibleTo(page->parentWidget()));
    }
}

bool MMiscDlg::eventFilter(QObject* watched, QEvent* e)
{
    for (size_t k = 0; k < shortcutPages_.size(); ++k) {
        if (watched != shortcutPages_[k]) continue;
        if (e->type() == QEvent::ShowToParent || e->type() == QEvent::HideToParent)
            SetSelected(shortcuts_[k], e->type() == QEvent::ShowToParent);
        return false;  // a page of its own: its keys are not this page's
    }
    return MBaseDialog::eventFilter(watched, e);
}

void MMiscDlg::OnLanguageLabel(int id)
{
    if (id == g_LanguageLabelId) return;
    g_LanguageLabelId = id;
    if (QWidget* owner = parentWidget()) SendMsg(owner, WM_LANGUAGE_CHANGE, static_cast<WPARAM>(id - ids::IDC_LANGUAGE_ENGLISH), 0);
    ApplyStaticColours();
    update();
}

LRESULT MMiscDlg::OnMessage(unsigned msg, WPARAM wParam, LPARAM lParam, const QVariant& payload)
{
    if (msg == WM_DROPLIST_SELECT) return 0;
    return MBaseDialog::OnMessage(msg, wParam, lParam, payload);
}


void MMiscDlg::resizeEvent(QResizeEvent* e)
{
    MBaseDialog::resizeEvent(e);
    Layout();
}

// Positions for a page 320 pixels wide (wider pages stretch the columns). The tab row stays in the
// top 100 pixels: the sub-pages open below it, over the rest of this page.
void MMiscDlg::Layout()
{
    const double scale = width() > 0 ? width() / 320.0 : 1.0;
    auto X = [scale](int x) { return static_cast<int>(x * scale + 0.5); };
    auto place = [&](QWidget* w, int x, int y, int wd, int h) {
        if (w) w->setGeometry(X(x), y, X(x + wd) - X(x), h);
    };
    constexpr int kRowH = 26;
    // Lines of a label stand a whole number of pixels apart: the fractional spacing rounded up.
    const int lineH = qCeil(QFontMetricsF(ControlFont()).lineSpacing());

    // Tab row: two rows of two. A sub-page opened by a tab covers the page below the row, from
    // kSubPageTop down to kSubPageBottom above the page's bottom and all across; everything below
    // the row lies wholly under it, so nothing shows half-covered. The groups keep the sub-pages'
    // margin, so a tab's groups stand where this page's stood.
    for (int k = 0; k < 4; ++k) place(tabs_[static_cast<size_t>(k)], 8 + (k % 2) * 154, 30 + (k / 2) * 28, 150, kRowH);
    const int left = 6, right = 320 - 6;
    auto group = [&](int id, int x, int y, int w, int h) { place(Group(id), x, y, w, h); };

    // Loop-out: two rows of four buttons.
    int y = kSubPageTop + 2;
    group(ids::IDC_GROUP_1255, left, y, right - left, 76);
    for (int k = 0; k < 8; ++k) place(loopOut_[static_cast<size_t>(k)], 10 + (k % 4) * 76, y + 16 + (k / 4) * 28, 72, kRowH);

    // Files and the whole configuration.
    y += 78;
    group(ids::IDC_GROUP_1336, left, y, right - left, 76);
    // The project files on the left, the machine's data in the wider column on the right: every
    // caption in the control font with room to spare.
    place(Button(ids::IDC_OPEN_PROJECT), 10, y + 16, 110, kRowH);
    place(Button(ids::IDC_SAVE_PROJECT), 10, y + 44, 110, kRowH);
    place(Button(ids::IDC_GET_DATA), 124, y + 16, 186, kRowH);
    place(Button(ids::IDC_SET_DATA), 124, y + 44, 186, kRowH);

    // Shortcuts to further pages and the channel toggle.
    y += 78;
    place(shortcuts_[0], 8, y, 150, kRowH);
    place(shortcuts_[1], 162, y, 150, kRowH);
    place(shortcuts_[2], 8, y + 28, 150, kRowH);
    place(dualChannel_, 162, y + 28, 150, kRowH);

    // Language and factory reset side by side.
    y += 56;
    group(ids::IDC_GROUP_1346, left, y, 108, 48);
    place(Label(ids::IDC_LANGUAGE_ENGLISH), 12, y + 20, 58, 22);
    place(Label(ids::IDC_LANGUAGE_CHINESE), 74, y + 20, 36, 22);
    group(ids::IDC_GROUP_1337, 118, y, right - 118, 48);
    // The steps, then the wider confirming ">OK".
    for (int s = 0; s < ResetLatch::kSteps; ++s)
        place(reset_[static_cast<size_t>(s)], 123 + s * 36, y + 18, s + 1 < ResetLatch::kSteps ? 32 : 44, kRowH);

    // System information: the processor's record (four lines with a second version), then the
    // program and library versions; each keeps room below its last line's descenders, and a gap
    // wider than a line's parts the two.
    y += 50;
    const int infoH = 4 * lineH + 4;
    const int versionH = 3 * lineH + 2;
    group(ids::IDC_GROUP_1343, left, y, right - left, 20 + infoH + versionH);
    place(systemInfo_, 12, y + 18, 300, infoH);
    place(versionText_, 12, y + 18 + infoH, 300, versionH);
}
