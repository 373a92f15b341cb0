#include "pages/system/MVideoSettingDlg.h"

#include "controls/CDropButton.h"
#include "controls/CGdipButton.h"
#include "controls/CMyEdit.h"
#include "controls/CSxGroupBox.h"
#include "controls/ElidedPath.h"
#include "controls/oBitmapSlider.h"
#include "controls/oSliderEdit.h"
#include "controls/oRealEdit.h"
#include "device/CDeviceData.h"
#include "device/CommandIds.h"
#include "pagekit/DialogIds.h"
#include "pagekit/DialogLanguage.h"
#include "pagekit/PageControls.h"
#include "pagekit/UiText.h"
#include "pages/system/VideoSettingIds.h"
#include "platform/ControlId.h"
#include "platform/Dpi.h"
#include "platform/MessageIds.h"
#include "platform/PageNotifyCodes.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>

namespace vs = ctl::video_setting;

namespace {

constexpr unsigned kButtonImage = 114;
constexpr unsigned kProgressImage = 1550;
constexpr unsigned kProgressDoneImage = 1551;
constexpr COLORREF kButtonCaptionColor = 0xEBEBEB;

constexpr int kUiSetting = 97;
constexpr int kUiTitle = 134;
constexpr int kUiFirstPreset = 138;
constexpr int kUiUpdateFailure = 142;
constexpr int kUiUpdateSuccess = 143;
constexpr int kUiUpdate = 144;

constexpr int kStartFrameRate = 15;
constexpr int kStartBitRate = 6144;
const QString kPackageName = QStringLiteral("VP_venc.tar.gz");

constexpr StreamPreset kPresets[] = {
    {15, 21, 1024},
    {15, 7, 3072},
    {7, 16, 6144},
    {7, 17, 8192},
};

struct Resolution {
    const char* text;
    int code;
};
constexpr Resolution kResolutions[] = {
    {"352*240", 1}, {"480*270", 21}, {"640*360", 20}, {"640*480", 7}, {"960*540", 19}, {"1280*720", 16}, {"1920*1080", 17},
};

// Encoder record types (byte 0 of encoderInfo).
constexpr uint8_t kRecordAddress = 0;
constexpr uint8_t kRecordVersion = 1;
constexpr uint8_t kRecordStream = 2;

QLabel* MakeLabel(QWidget* parent, int id, const QString& text, const QRect& rect)
{
    auto* label = new QLabel(text, parent);
    SetControlId(label, id);
    label->setGeometry(rect);
    return label;
}

} // namespace

StreamPreset StreamPresetFor(int preset)
{
    return preset >= 1 && preset <= 3 ? kPresets[preset] : kPresets[0];
}

int PresetForResolutionCode(int code)
{
    for (int i = 0; i < 4; ++i)
        if (kPresets[i].code == code) return i;
    return -1;
}

std::array<uint8_t, 9> StreamCommandBytes(int fps, int code, int kbps, bool repeat)
{
    const auto f = static_cast<uint8_t>(fps);
    const auto c = static_cast<uint8_t>(code);
    const auto hi = static_cast<uint8_t>(kbps >> 8);
    const auto lo = static_cast<uint8_t>(kbps & 0xFF);
    if (repeat) return {0, f, c, hi, lo, f, c, hi, lo};
    return {0, f, c, hi, lo, 255, 255, 255, 255};
}

MVideoSettingDlg::MVideoSettingDlg(QWidget* parent) : MBaseDialog(IDD_VIDEO_SETTING, parent, false)
{
    setWindowTitle(QStringLiteral("Video Display Setting"));
}

MVideoSettingDlg::~MVideoSettingDlg()
{
    // The worker posts to this page: it ends before the page does.
    worker_.Stop();
}

CGdipButton* MVideoSettingDlg::MakeButton(int id, const QString& caption, const QRect& rect)
{
    return MakePageButton(this, id, caption, kButtonImage, 0, rect, kButtonCaptionColor, &MVideoSettingDlg::OnButton);
}

void MVideoSettingDlg::OnInitDialog()
{
    if (IsInitialised()) return;
    MBaseDialog::OnInitDialog();
    SetTitle(g_UiText[kUiTitle]);
    resize(ScaleX(340), 410);

    settingGroup_ = MakePageGroup(this, vs::IDC_SETTING_GROUP, g_UiText[kUiSetting], QRect(8, 36, 324, 150));
    qualityLabel_ = MakeLabel(this, vs::IDC_QUALITY_LABEL, QStringLiteral("Quality :"), QRect(20, 64, 130, 24));
    // The resolution list is kept (it holds the stream's code) but not shown; it shares the quality row.
    resolutionLabel_ = MakeLabel(this, vs::IDC_RESOLUTION_LABEL, QStringLiteral("Resolution :"), QRect(20, 64, 130, 24));
    resolutionLabel_->hide();
    frameRateLabel_ = MakeLabel(this, vs::IDC_FRAME_RATE_LABEL, QStringLiteral("Frame Rate :"), QRect(20, 102, 130, 24));
    bitRateLabel_ = MakeLabel(this, vs::IDC_BIT_RATE_LABEL, QStringLiteral("Bit Rate(kbps) :"), QRect(20, 140, 130, 24));

    frameRateEdit_ = new oRealEdit(this);
    SetControlId(frameRateEdit_, vs::IDC_FRAME_RATE_EDIT);
    SetControlOwner(frameRateEdit_, this);
    frameRateEdit_->Init(true, 1, kStartFrameRate, 60, QStringLiteral("%d"));
    frameRateEdit_->setGeometry(156, 102, 90, 24);
    bitRateEdit_ = new oRealEdit(this);
    SetControlId(bitRateEdit_, vs::IDC_BIT_RATE_EDIT);
    SetControlOwner(bitRateEdit_, this);
    bitRateEdit_->Init(true, 2, kStartBitRate, 40960, QStringLiteral("%d"));
    bitRateEdit_->setGeometry(156, 140, 90, 24);

    updateGroup_ = MakePageGroup(this, vs::IDC_UPDATE_GROUP, g_UiText[kUiUpdate], QRect(8, 200, 324, 198));
    pathEdit_ = new CMyEdit(this);
    SetControlId(pathEdit_, vs::IDC_PACKAGE_PATH_EDIT);
    SetControlOwner(pathEdit_, this);
    pathEdit_->setGeometry(20, 226, 300, 26);
    pathEdit_->setEnabled(false);
    browseButton_ = MakeButton(vs::IDC_BROWSE, QStringLiteral("Browse"), QRect(20, 262, 130, 32));
    updateButton_ = MakeButton(vs::IDC_UPDATE, QStringLiteral("Update"), QRect(190, 262, 130, 32));

    progress_ = new oBitmapSlider(this);
    SetControlId(progress_, vs::IDC_PROGRESS);
    progress_->move(20, 308);
    progress_->LoadChannelImage(kProgressImage, kProgressDoneImage);
    progress_->SetRange(0, 100);
    progress_->SetPos(0);
    // A gauge, not a control: the mouse and the keys pass it by.
    progress_->setAttribute(Qt::WA_TransparentForMouseEvents);
    progress_->setFocusPolicy(Qt::NoFocus);
    resultText_ = MakeLabel(this, vs::IDC_RESULT_TEXT, QString(), QRect(20, 330, 300, 26));
    versionText_ = MakeLabel(this, vs::IDC_VERSION_TEXT, QString(), QRect(20, 362, 300, 26));

    StylePageGroups(this, {settingGroup_, updateGroup_}, true);
    FillLists();
    ApplyFontToChildren();
}

void MVideoSettingDlg::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    PaintBackground(p);
    DrawTitleBand(p, Title());
}

void MVideoSettingDlg::FillLists()
{
    if (!qualityList_) {
        resolutionList_ = MakePageDropList(this, vs::IDC_RESOLUTION_LIST, QRect(156, 64, 164, 24), &ControlFont());
        resolutionList_->hide();
        qualityList_ = MakePageDropList(this, vs::IDC_QUALITY_LIST, QRect(156, 64, 164, 24), &ControlFont());
    }
    // A refill (a language switch) keeps what the lists show.
    const int resolutionRow = resolutionList_->GetCurSel();
    const int qualityRow = qualityList_->GetCurSel();

    CDropList* resolutions = resolutionList_->GetList();
    resolutions->ResetContent();
    for (const Resolution& r : kResolutions) {
        const int row = resolutions->AddString(QString::fromLatin1(r.text));
        resolutions->SetItemData(row, static_cast<DropItemData>(r.code));
    }
    CDropList* qualities = qualityList_->GetList();
    qualities->ResetContent();
    for (int preset = 0; preset < 4; ++preset) {
        const int row = qualities->AddString(g_UiText[static_cast<size_t>(kUiFirstPreset + preset)]);
        qualities->SetItemData(row, static_cast<DropItemData>(preset));
    }
    if (resolutionRow >= 0) resolutionList_->SetCurSel(resolutionRow);
    qualityList_->SetCurSel(qualityRow >= 0 ? qualityRow : 0);
}

void MVideoSettingDlg::ApplyLanguage()
{
    ApplyDialogLanguage(this, IDD_VIDEO_SETTING);
    SetTitle(g_UiText[kUiTitle]);
    if (settingGroup_) settingGroup_->SetCaption(g_UiText[kUiSetting]);
    if (updateGroup_) updateGroup_->SetCaption(g_UiText[kUiUpdate]);
    if (qualityList_) FillLists();
    ShowPackagePath();
    ShowResultLine();
    update();
}

LRESULT MVideoSettingDlg::OnMessage(unsigned msg, WPARAM wParam, LPARAM lParam, const QVariant& payload)
{
    switch (msg) {
    case WM_UPLOAD_PROGRESS:
        SetUploadProgress(static_cast<int>(lParam));
        return 0;
    default:
        return MBaseDialog::OnMessage(msg, wParam, lParam, payload);
    }
}

void MVideoSettingDlg::OnButton(int id)
{
    if (id == vs::IDC_BROWSE)
        OnBrowse();
    else if (id == vs::IDC_UPDATE)
        OnUpdate();
}

void MVideoSettingDlg::SendStream(int fps, int code, int kbps, bool repeat, bool notify)
{
    const auto b = StreamCommandBytes(fps, code, kbps, repeat);
    GetDeviceData().SendCommand(CMD_SET_STREAM, b[0], b[1], b[2], b[3], b[4], b[5], b[6], b[7], b[8]);
    if (notify && parentWidget()) PostMsg(parentWidget(), WM_PAGE_NOTIFY, NOTIFY_PREVIEW_FORMAT, code);
}

void MVideoSettingDlg::OnDeviceInfo()
{
    const uint8_t* record = GetDeviceData().encoderInfo;
    switch (record[0]) {
    case kRecordStream:
        ShowStreamRecord(record);
        break;
    case kRecordAddress:
        encoderIp_ = QStringLiteral("%1.%2.%3.%4").arg(record[5]).arg(record[6]).arg(record[7]).arg(record[8]);
        break;
    case kRecordVersion:
        if (versionText_)
            versionText_->setText(QStringLiteral("Version:%1").arg(record[1] * 256 + record[2], 4, 16, QLatin1Char('0')));
        break;
    default:
        break;
    }
}

void MVideoSettingDlg::ShowStreamRecord(const uint8_t* record)
{
    if (!frameRateEdit_) return;
    frameRateEdit_->SetValue(record[2]);
    const int code = record[3];
    const int preset = PresetForResolutionCode(code);
    if (preset < 0) return;
    if (preset != qualityPreset_ || !streamRecordSeen_)
        if (parentWidget()) PostMsg(parentWidget(), WM_PAGE_NOTIFY, NOTIFY_PREVIEW_FORMAT, code);
    streamRecordSeen_ = true;
    qualityPreset_ = preset;
    SelectDropItemByData(qualityList_, static_cast<DropItemData>(preset));
    SelectDropItemByData(resolutionList_, static_cast<DropItemData>(code));
    bitRateEdit_->SetValue(record[4] * 256 + record[5]);
}

int MVideoSettingDlg::ShownResolutionCode() const
{
    const int row = resolutionList_ ? resolutionList_->GetCurSel() : -1;
    if (row >= 0) return static_cast<int>(resolutionList_->GetList()->GetItemData(row));
    const int qualityRow = qualityList_ ? qualityList_->GetCurSel() : -1;
    const int preset = qualityRow >= 0 ? static_cast<int>(qualityList_->GetList()->GetItemData(qualityRow)) : qualityPreset_;
    return StreamPresetFor(preset).code;
}

void MVideoSettingDlg::OnDropSelect(int listId, int index)
{
    if (listId == vs::IDC_RESOLUTION_LIST) {
        CDropList* list = resolutionList_ ? resolutionList_->GetList() : nullptr;
        if (!list || index < 0 || index >= list->GetCount()) return;
        const int code = static_cast<int>(list->GetItemData(index));
        SendStream(static_cast<int>(frameRateEdit_->GetValue()), code, static_cast<int>(bitRateEdit_->GetValue()),
                   true, true);
    } else if (listId == vs::IDC_QUALITY_LIST) {
        CDropList* list = qualityList_ ? qualityList_->GetList() : nullptr;
        if (!list || index < 0 || index >= list->GetCount()) return;
        qualityPreset_ = static_cast<int>(list->GetItemData(index));
        // The edits follow when the device answers with its stream settings.
        const StreamPreset s = StreamPresetFor(qualityPreset_);
        SendStream(s.fps, s.code, s.kbps, true, true);
    }
}

void MVideoSettingDlg::OnValueChanged(int editId)
{
    if (editId != vs::IDC_FRAME_RATE_EDIT && editId != vs::IDC_BIT_RATE_EDIT) return;
    SendStream(static_cast<int>(frameRateEdit_->GetValue()), ShownResolutionCode(),
               static_cast<int>(bitRateEdit_->GetValue()), false, false);
}

void MVideoSettingDlg::OnBrowse()
{
    QString path;
    if (chooser_)
        path = chooser_();
    else
        path = QFileDialog::getOpenFileName(this, QString(), QString(), QStringLiteral("All Filter(*.*) (*)"));
    if (path.isEmpty()) return;
    if (QFileInfo(path).fileName() != kPackageName) return;
    SetPackagePath(path);
}

void MVideoSettingDlg::SetPackagePath(const QString& path)
{
    packagePath_ = path;
    ShowPackagePath();
}

void MVideoSettingDlg::ShowPackagePath()
{
    if (!pathEdit_) return;
    // The edit's room for text: inside its text margins and its own two pixels a side, with the
    // cursor's pixel; a path too long for it would otherwise show its end cut mid-letter on the left.
    const QMargins m = pathEdit_->textMargins();
    const int room = pathEdit_->contentsRect().width() - m.left() - m.right() - 4 - 1;
    pathEdit_->setText(ElidePathFolders(packagePath_, pathEdit_->fontMetrics(), room));
    pathEdit_->setCursorPosition(0);
    pathEdit_->setToolTip(packagePath_);
}

void MVideoSettingDlg::OnUpdate()
{
    if (!progress_ || worker_.IsRunning()) return;
    // A new run starts from nothing: no result of an earlier one stays on show.
    progress_->SetPos(0);
    resultLine_ = encoder_upload::ResultLine::Keep;
    ShowResultLine();

    encoder_upload::Options options = uploadOptions_;
    options.ip = encoderIp_.toUtf8().left(49).toStdString();
    options.path = QFile::encodeName(packagePath_).toStdString();
    worker_.Start(std::move(options), [this](int progress) {
        PostMsg(this, WM_UPLOAD_PROGRESS, 0, progress);
    });
}

void MVideoSettingDlg::SetUploadProgress(int progress)
{
    if (!progress_ || !resultText_) return;
    using encoder_upload::ResultLine;
    const ResultLine line = encoder_upload::ResultLineFor(progress);
    if (line != ResultLine::Failure) progress_->SetPos(progress);
    if (line == ResultLine::Keep) return;
    resultLine_ = line;
    resultPercent_ = progress;
    ShowResultLine();
}

void MVideoSettingDlg::ShowResultLine()
{
    if (!resultText_) return;
    using encoder_upload::ResultLine;
    switch (resultLine_) {
    case ResultLine::Failure:
        resultText_->setText(g_UiText[kUiUpdateFailure]);
        return;
    case ResultLine::Success:
        resultText_->setText(g_UiText[kUiUpdateSuccess]);
        return;
    case ResultLine::Percent:
        resultText_->setText(QStringLiteral("%1%").arg(resultPercent_));
        return;
    case ResultLine::Keep:
        resultText_->clear();
        return;
    }
}
