#include "pages/system/MTaskDlg.h"

#include "controls/CDropButton.h"
#include "controls/CDropList.h"
#include "controls/CGdipButton.h"
#include "controls/CSxGroupBox.h"
#include "controls/PickerLook.h"
#include "controls/oRealEdit.h"
#include "device/CDeviceData.h"
#include "device/CommandIds.h"
#include "pagekit/DialogIds.h"
#include "pagekit/DialogLanguage.h"
#include "pagekit/UiText.h"
#include "pages/system/LayerPageWidgets.h"
#include "pages/system/TaskIds.h"
#include "platform/ControlId.h"
#include "platform/MessageIds.h"

#include <QDateEdit>
#include <QLabel>
#include <QTimeEdit>
#include <QTimer>

namespace ids = ctl::task;

namespace {

// The schedule switch carries its caption under the track, clear of the knob.
constexpr unsigned kSwitchOffImage = 2009;
constexpr unsigned kButtonImage = 129;
constexpr unsigned kSwitchOnImage = 2010;
constexpr unsigned kButtonPressedImage = 147;
// Light skins for the task buttons, whose captions are black (the current task's light).
constexpr unsigned kTaskImage = 2007;
constexpr unsigned kTaskPressedImage = 2008;
constexpr int kClockTickMs = 1000;
constexpr COLORREF kCurrentTaskCaption = kColorLightText;
constexpr COLORREF kTaskCaption = 0x000000;

constexpr int kLocalEditIds[6] = {ids::IDC_YEAR_EDIT, ids::IDC_MONTH_EDIT, ids::IDC_DAY_EDIT,
                                  ids::IDC_HOUR_EDIT, ids::IDC_MINUTE_EDIT, ids::IDC_SECOND_EDIT};
constexpr int kOptionIds[3] = {ids::IDC_OPTION_NOT_USE, ids::IDC_OPTION_ONCE, ids::IDC_OPTION_EVERY_DAY};

// A task's year is one byte above 2000.
const QDate kFirstTaskDate(2000, 1, 1);
const QDate kLastTaskDate(2255, 12, 31);

}  // namespace

MTaskDlg::MTaskDlg(QWidget* parent) : MBaseDialog(IDD_TASK, parent, false), clock_(SystemPageClock())
{
    setWindowTitle(QStringLiteral("Time/Task Management"));

    for (int id : {ids::IDC_DATE_TIME_GROUP, ids::IDC_MACHINE_TIME_GROUP, ids::IDC_LOCAL_TIME_GROUP,
                   ids::IDC_SCHEDULE_GROUP, ids::IDC_TASK_EDIT_GROUP})
        layerpage::MakeFramedGroup(this, id);

    machineTimeText_ = new QLabel(this);
    SetControlId(machineTimeText_, ids::IDC_MACHINE_TIME_TEXT);
    machineTimeText_->setAlignment(Qt::AlignCenter);

    // The PC's date and time, shown in the processor's byte ranges.
    const struct {
        float low, high;
        const char* format;
    } ranges[6] = {{20, 2099, "%d"}, {1, 12, "%02d"}, {1, 31, "%02d"}, {0, 23, "%02d"}, {0, 59, "%02d"}, {0, 59, "%02d"}};
    for (int n = 0; n < 6; ++n) {
        auto* e = new oRealEdit(this);
        SetControlId(e, kLocalEditIds[n]);
        SetControlOwner(e, this);
        e->Init(true, ranges[n].low, ranges[n].low, ranges[n].high, QString::fromLatin1(ranges[n].format));
        e->setAlignment(Qt::AlignCenter);
        localEdits_[static_cast<size_t>(n)] = e;
    }
    MakeButton(ids::IDC_SYNC_CLOCK, QStringLiteral("SYNC"), kButtonImage, kButtonPressedImage);

    onOff_ = MakeButton(ids::IDC_SCHEDULE_ON_OFF, QStringLiteral("ON/OFF"), kSwitchOffImage, kSwitchOnImage);
    onOff_->SetCheck(true);
    for (int t = 0; t < kTaskCount; ++t) {
        CGdipButton* b = MakeButton(ids::IDC_TASK_1 + t, QString::number(t + 1), kTaskImage, kTaskPressedImage);
        b->SetCheck(true);
        b->SetColorAndRedraw(kTaskCaption);
        taskButtons_[static_cast<size_t>(t)] = b;
    }

    datePicker_ = new QDateEdit(this);
    SetControlId(datePicker_, ids::IDC_TASK_DATE);
    datePicker_->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    datePicker_->setDateRange(kFirstTaskDate, kLastTaskDate);
    datePicker_->setCalendarPopup(true);
    timePicker_ = new QTimeEdit(this);
    SetControlId(timePicker_, ids::IDC_TASK_TIME);
    timePicker_->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    ApplyDarkPickerLook(datePicker_);
    ApplyDarkPickerLook(timePicker_);

    const char* optionCaptions[3] = {"Not Use", "Once", "Every Day"};
    for (int k = 0; k < 3; ++k) {
        CGdipButton* b = MakeButton(kOptionIds[k], QString::fromLatin1(optionCaptions[k]), kButtonImage, kButtonPressedImage);
        b->SetRadio(true);
        optionButtons_[static_cast<size_t>(k)] = b;
    }

    presetLabel_ = new QLabel(QStringLiteral("Preset :"), this);
    SetControlId(presetLabel_, ids::IDC_PRESET_LABEL);
    presetList_ = new CDropButton(this);
    presetList_->Create(QString(), this, ids::IDC_PRESET_LIST, 0x101010, 0x101010, kColorLightText, 0, nullptr,
                        kColorListBack, QRect(0, 0, 10, 10));
    SetControlOwner(presetList_, this);
    if (CDropList* list = presetList_->GetList())
        for (int s = 0; s < kPresetRows; ++s) list->SetItemData(list->AddString(QString::number(s + 1)), static_cast<DropItemData>(s));
    presetList_->SetCurSel(0);

    MakeButton(ids::IDC_CONFIRM, QStringLiteral("Confirm"), kButtonImage, kButtonPressedImage);

    tickTimer_ = new QTimer(this);
    tickTimer_->setInterval(kClockTickMs);
    connect(tickTimer_, &QTimer::timeout, this, &MTaskDlg::OnTimerTick);
    Layout();
}

CGdipButton* MTaskDlg::MakeButton(int id, const QString& caption, unsigned stdImage, unsigned altImage)
{
    auto* b = new CGdipButton(this);
    b->Create(caption, this, id, QRect(0, 0, 10, 10));
    SetControlOwner(b, this);
    b->setProperty("stdImage", stdImage);
    b->setProperty("altImage", altImage);
    b->SetColorAndRedraw(kColorLightText);
    connect(b, &CGdipButton::clickedId, this, &MTaskDlg::OnButton);
    return b;
}

CGdipButton* MTaskDlg::Button(int id) const
{
    return FindControlAs<CGdipButton>(this, id);
}

void MTaskDlg::OnInitDialog()
{
    if (IsInitialised()) return;
    MBaseDialog::OnInitDialog();
    UseTabLook();
    const QList<CGdipButton*> buttons = findChildren<CGdipButton*>();
    for (CGdipButton* b : buttons) {
        if (b == CloseButton()) continue;
        b->LoadStdImage(b->property("stdImage").toUInt());
        b->LoadAltImage(b->property("altImage").toUInt());
    }
    const QList<CSxGroupBox*> groups = findChildren<CSxGroupBox*>();
    for (CSxGroupBox* g : groups) g->SetTitleFont(&ControlFont());
    ApplyFontToChildren();
    onOff_->SetCaptionPlacement(kCaptionBottom);
    ApplyLanguage();
    tickTimer_->start();
    const QDateTime now = clock_.localNow();
    timePicker_->setTime(now.time());
    datePicker_->setDate(now.date());
    Layout();
}

void MTaskDlg::SetClock(PageClock clock)
{
    clock_ = clock.localNow && clock.monotonicMs ? std::move(clock) : SystemPageClock();
}

void MTaskDlg::ApplyLanguage()
{
    ApplyDialogLanguage(this, IDD_TASK);
    const std::pair<int, int> captions[] = {{ids::IDC_DATE_TIME_GROUP, 22},
                                            {ids::IDC_SCHEDULE_GROUP, 25},
                                            {ids::IDC_MACHINE_TIME_GROUP, 23},
                                            {ids::IDC_LOCAL_TIME_GROUP, 24},
                                            {ids::IDC_TASK_EDIT_GROUP, 26}};
    for (const auto& [id, text] : captions)
        if (auto* g = FindControlAs<CSxGroupBox>(this, id)) g->SetCaption(UiText(text));
    update();
}

void MTaskDlg::ShowPage(bool show)
{
    MBaseDialog::ShowPage(show);
    if (show) ShowLocalTime();
}

void MTaskDlg::ShowLocalTime()
{
    const QDateTime now = clock_.localNow();
    const int values[6] = {now.date().year(), now.date().month(),  now.date().day(),
                           now.time().hour(), now.time().minute(), now.time().second()};
    for (int n = 0; n < 6; ++n) localEdits_[static_cast<size_t>(n)]->SetValue(static_cast<float>(values[n]));
}

void MTaskDlg::ShowMachineClockText()
{
    machineTimeText_->setText(machineClock_.Text());
    machineTimeText_->update();
}

void MTaskDlg::OnTimerTick()
{
    ShowLocalTime();
    if (!machineClock_.IsValid()) return;
    machineClock_.Tick(clock_.monotonicMs());
    ShowMachineClockText();
}

void MTaskDlg::ShowMachineTime()
{
    machineClock_.Report(GetDeviceData().machineTime, clock_.monotonicMs());
    ShowMachineClockText();
}

void MTaskDlg::OnSyncClock()
{
    // The shown clock is unknown until the processor reports the time it took.
    machineClock_.Invalidate();
    ShowMachineClockText();
    CDeviceData& d = GetDeviceData();
    const std::array<uint8_t, 6> bytes = ClockBytes(clock_.localNow());
    std::copy(bytes.begin(), bytes.end(), d.machineTime);
    d.SendCommand(CMD_SET_SCHEDULE, 0, 0);
    d.SendCommand(CMD_QUERY_MACHINE_TIME, 0);
}

void MTaskDlg::OnScheduleOnOff()
{
    CDeviceData& d = GetDeviceData();
    d.taskStatus = onOff_->IsPressed() ? 1 : 0;
    d.SendCommand(CMD_SET_SCHEDULE, 0, 2);
}

void MTaskDlg::LoadTask(int t)
{
    if (t < 0 || t >= kTaskCount) return;
    ScheduleTask& task = GetDeviceData().task[t];
    RepairTask(task);
    datePicker_->setDate(QDate(2000 + task.year, task.month, task.day));
    timePicker_->setTime(QTime(task.hour, task.min, task.sec));

    std::array<bool, kPresetRows> enabled{};
    const CDropList* list = presetList_->GetList();
    for (int s = 0; s < kPresetRows; ++s) {
        const int row = FindDropItemByData(presetList_, static_cast<DropItemData>(s));
        enabled[static_cast<size_t>(s)] = row >= 0 && list && list->IsItemEnabled(row);
    }
    // A preset that names no row shows none: Confirm keeps it until the operator picks one, and
    // never takes the row another task left shown.
    const int preset = ResolveTaskPreset(task.presetId, enabled);
    if (preset < 0) {
        presetList_->ClearSel();
    } else {
        task.presetId = static_cast<uint8_t>(preset);
        SelectDropItemByData(presetList_, static_cast<DropItemData>(preset));
    }

    for (int k = 0; k < 3; ++k) optionButtons_[static_cast<size_t>(k)]->SetPressed(task.option == k);
    CGdipButton* b = taskButtons_[static_cast<size_t>(t)];
    b->SetPressed(task.option != 0);
    b->SetColorAndRedraw(kCurrentTaskCaption);
}

void MTaskDlg::OnConfirm()
{
    CDeviceData& d = GetDeviceData();
    const int t = currentTask_;
    ScheduleTask& task = d.task[t];
    const QDate date = datePicker_->date();
    const QTime time = timePicker_->time();
    task.year = YearByte(date.year());
    task.month = static_cast<uint8_t>(date.month());
    task.day = static_cast<uint8_t>(date.day());
    task.hour = static_cast<uint8_t>(time.hour());
    task.min = static_cast<uint8_t>(time.minute());
    task.sec = static_cast<uint8_t>(time.second());
    // The task takes what the editor shows; with no preset row shown it keeps its own preset.
    for (int k = 0; k < 3; ++k)
        if (optionButtons_[static_cast<size_t>(k)]->IsPressed()) {
            task.option = k;
            break;
        }
    const int row = presetList_->GetCurSel();
    const CDropList* list = presetList_->GetList();
    if (row >= 0 && list) {
        const DropItemData data = list->GetItemData(row);
        if (data < static_cast<DropItemData>(kPresetRows)) task.presetId = static_cast<uint8_t>(data);
    }
    taskButtons_[static_cast<size_t>(t)]->SetPressed(true);
    d.SendCommand(CMD_SET_SCHEDULE, t, 1);
}

void MTaskDlg::MarkTaskRows()
{
    CDropList* list = presetList_ ? presetList_->GetList() : nullptr;
    if (!list) return;
    const CDeviceData& d = GetDeviceData();
    for (int s = 0; s < kPresetRows; ++s) {
        const int row = FindDropItemByData(presetList_, static_cast<DropItemData>(s));
        if (row >= 0) list->SetItemEnabled(row, d.presetStored[s] != 0);
    }
    presetList_->update();
}

void MTaskDlg::RefreshFromDevice()
{
    const CDeviceData& d = GetDeviceData();
    onOff_->SetPressed(d.taskStatus != 0);
    for (int t = 0; t < kTaskCount; ++t) taskButtons_[static_cast<size_t>(t)]->SetPressed(d.task[t].option != 0);
    LoadTask(currentTask_);
}

void MTaskDlg::OnButton(int id)
{
    if (id == ids::IDC_SYNC_CLOCK) {
        OnSyncClock();
    } else if (id == ids::IDC_SCHEDULE_ON_OFF) {
        OnScheduleOnOff();
    } else if (id >= ids::IDC_TASK_1 && id <= ids::IDC_TASK_10) {
        const int t = id - ids::IDC_TASK_1;
        // The button shows whether its task is in use, not the click.
        taskButtons_[static_cast<size_t>(t)]->SetPressed(GetDeviceData().task[t].option != 0);
        currentTask_ = t;
        for (CGdipButton* b : taskButtons_) b->SetColorAndRedraw(kTaskCaption);
        LoadTask(t);
    } else if (id == ids::IDC_OPTION_NOT_USE || id == ids::IDC_OPTION_ONCE || id == ids::IDC_OPTION_EVERY_DAY) {
        for (int k = 0; k < 3; ++k) optionButtons_[static_cast<size_t>(k)]->SetPressed(kOptionIds[k] == id);
    } else if (id == ids::IDC_CONFIRM) {
        OnConfirm();
    }
}

void MTaskDlg::resizeEvent(QResizeEvent* e)
{
    MBaseDialog::resizeEvent(e);
    Layout();
}

// Positions for a page 320 pixels wide and about 416 high (the sub-page area below the system
// page's tab row).
void MTaskDlg::Layout()
{
    const double scale = width() > 0 ? width() / 320.0 : 1.0;
    auto X = [scale](int x) { return static_cast<int>(x * scale + 0.5); };
    auto place = [&](QWidget* w, int x, int y, int wd, int h) {
        if (w) w->setGeometry(X(x), y, X(x + wd) - X(x), h);
    };
    auto group = [this](int id) { return FindControlById(this, id); };

    place(group(ids::IDC_DATE_TIME_GROUP), 4, 4, 312, 126);
    place(group(ids::IDC_MACHINE_TIME_GROUP), 10, 20, 300, 46);
    place(machineTimeText_, 16, 38, 288, 22);
    place(group(ids::IDC_LOCAL_TIME_GROUP), 10, 70, 300, 54);
    const int editX[6] = {16, 64, 96, 134, 166, 198};
    const int editW[6] = {44, 28, 28, 28, 28, 28};
    for (int n = 0; n < 6; ++n) place(localEdits_[static_cast<size_t>(n)], editX[n], 92, editW[n], 24);
    place(Button(ids::IDC_SYNC_CLOCK), 234, 90, 70, 28);

    place(group(ids::IDC_SCHEDULE_GROUP), 4, 134, 312, 84);
    // The switch's picture keeps its proportions; its caption stands under the track.
    place(onOff_, 14, 156, 72, 44);
    for (int t = 0; t < kTaskCount; ++t)
        place(taskButtons_[static_cast<size_t>(t)], 96 + (t % 5) * 44, 152 + (t / 5) * 30, 40, 26);

    place(group(ids::IDC_TASK_EDIT_GROUP), 4, 222, 312, 120);
    place(datePicker_, 12, 242, 150, 26);
    place(timePicker_, 170, 242, 138, 26);
    for (int k = 0; k < 3; ++k) place(optionButtons_[static_cast<size_t>(k)], 12 + k * 100, 274, 96, 28);
    place(presetLabel_, 12, 310, 70, 24);
    place(presetList_, 86, 310, 90, 24);
    place(Button(ids::IDC_CONFIRM), 208, 308, 100, 28);
}

