// The schedule page on its fixture with a fixed clock: the processor clock and SYNC, the schedule
// switch, showing, repairing and confirming tasks, and the preset rows.

#include "tests/support/PageFixture.h"

#include "controls/CDropList.h"
#include "controls/CGdipButton.h"
#include "controls/oRealEdit.h"
#include "device/CommandIds.h"
#include "pages/system/MTaskDlg.h"
#include "pages/system/TaskIds.h"

#include <QDateEdit>
#include <QLabel>
#include <QTimeEdit>
#include <QTimer>

namespace {

namespace ids = ctl::task;

class TaskPage : public PageFixture<MTaskDlg> {
protected:
    void SetUp() override
    {
        PageFixture<MTaskDlg>::SetUp();
        page->setGeometry(0, 0, 320, 416);
        page->SetClock({[this] { return wall; }, [this] { return mono; }});
        CDeviceData& d = GetDeviceData();
        d.taskStatus = 0;
        for (ScheduleTask& t : d.task) t = ScheduleTask{26, 1, 1, 0, 0, 0, 0, 0, 0};
        for (uint8_t& s : d.presetStored) s = 1;
        page->MarkTaskRows();
        link.ClearCalls();
    }
    void Click(int id) { ClickButton(page->Button(id)); }
    void ShowTask(int t) { Click(ids::IDC_TASK_1 + t); }
    // The schedule command as the processor receives it.
    static CommandBlock ScheduleBlock(int mode, int status, std::array<uint8_t, 6> when, int task, int preset, int option)
    {
        return Block32({mode, status, when[0], when[1], when[2], when[3], when[4], when[5], task, preset, option});
    }

    QDateTime wall{QDate(2026, 3, 5), QTime(14, 7, 9)};
    qint64 mono = 1000;
};

TEST_F(TaskPage, SyncSendsTheSixClockBytesThenAsksForTheClock)
{
    GetDeviceData().taskStatus = 1;
    GetDeviceData().task[0].presetId = 4;
    GetDeviceData().task[0].option = 2;
    Click(ids::IDC_SYNC_CLOCK);
    const auto commands = link.Commands();
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].id, CMD_SET_SCHEDULE);
    EXPECT_TRUE(SameBytes(commands[0].bytes, ScheduleBlock(0, 1, {26, 3, 5, 14, 7, 9}, 0, 4, 2)));
    EXPECT_EQ(commands[1].id, CMD_QUERY_MACHINE_TIME);
    EXPECT_TRUE(SameBytes(commands[1].bytes, Block32({0})));
    const uint8_t expected[6] = {26, 3, 5, 14, 7, 9};
    EXPECT_EQ(std::memcmp(GetDeviceData().machineTime, expected, 6), 0);
}

TEST_F(TaskPage, TheProcessorClockIsEmptyUntilReportedTicksAndStopsAfterSync)
{
    page->OnTimerTick();
    EXPECT_EQ(page->MachineTimeText()->text(), "");
    EXPECT_EQ(page->LocalEdit(0)->text(), "2026");
    EXPECT_EQ(page->LocalEdit(5)->text(), "09");

    const uint8_t report[6] = {25, 12, 31, 23, 59, 59};
    std::memcpy(GetDeviceData().machineTime, report, 6);
    page->ShowMachineTime();
    EXPECT_EQ(page->MachineTimeText()->text(), "2025/12/31 23:59:59");

    // The PC's clock is set back an hour: the processor clock follows the elapsed time only.
    wall = wall.addSecs(-3600);
    mono += 1000;
    page->OnTimerTick();
    EXPECT_EQ(page->MachineTimeText()->text(), "2026/1/1 00:00:00");
    EXPECT_EQ(page->LocalEdit(3)->text(), "13");

    Click(ids::IDC_SYNC_CLOCK);
    EXPECT_EQ(page->MachineTimeText()->text(), "");
    mono += 5000;
    page->OnTimerTick();
    EXPECT_EQ(page->MachineTimeText()->text(), "");
    EXPECT_TRUE(page->TickTimer()->isActive());
    EXPECT_EQ(page->TickTimer()->interval(), 1000);
}

TEST_F(TaskPage, TheScheduleSwitchSendsItsState)
{
    Click(ids::IDC_SCHEDULE_ON_OFF);
    EXPECT_EQ(GetDeviceData().taskStatus, 1);
    ASSERT_EQ(Sent(CMD_SET_SCHEDULE).size(), 1u);
    EXPECT_EQ(Sent(CMD_SET_SCHEDULE)[0].bytes[0], 2);
    EXPECT_EQ(Sent(CMD_SET_SCHEDULE)[0].bytes[1], 1);
    Click(ids::IDC_SCHEDULE_ON_OFF);
    EXPECT_EQ(GetDeviceData().taskStatus, 0);
    EXPECT_EQ(Sent(CMD_SET_SCHEDULE)[1].bytes[1], 0);
}

TEST_F(TaskPage, ABrokenTaskIsShownRepairedAndConfirmSendsTheRepair)
{
    ScheduleTask& t = GetDeviceData().task[2];
    t = ScheduleTask{26, 0, 40, 25, 61, 99, 3, 0, 1};
    ShowTask(2);
    EXPECT_EQ(page->CurrentTask(), 2);
    EXPECT_EQ(t.month, 1);
    EXPECT_EQ(t.day, 31);
    EXPECT_EQ(page->DatePicker()->date(), QDate(2026, 1, 31));
    EXPECT_EQ(page->TimePicker()->time(), QTime(23, 59, 59));
    EXPECT_TRUE(page->Button(ids::IDC_OPTION_ONCE)->IsPressed());
    EXPECT_EQ(page->PresetList()->GetCurSel(), 3);
    EXPECT_TRUE(page->Button(ids::IDC_TASK_3)->IsPressed());
    EXPECT_EQ(page->Button(ids::IDC_TASK_3)->CaptionColor(), kColorLightText);
    EXPECT_EQ(page->Button(ids::IDC_TASK_1)->CaptionColor(), 0u);
    EXPECT_TRUE(link.Commands().empty());

    Click(ids::IDC_CONFIRM);
    const auto sent = Sent(CMD_SET_SCHEDULE);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_TRUE(SameBytes(sent[0].bytes, ScheduleBlock(1, 0, {26, 1, 31, 23, 59, 59}, 2, 3, 1)));
}

TEST_F(TaskPage, ConfirmStoresTheEditorsChoices)
{
    ShowTask(4);
    page->DatePicker()->setDate(QDate(2027, 2, 28));
    page->TimePicker()->setTime(QTime(6, 30, 0));
    Click(ids::IDC_OPTION_EVERY_DAY);
    EXPECT_FALSE(page->Button(ids::IDC_OPTION_NOT_USE)->IsPressed());
    ChooseDropRow(page->PresetList(), 8);
    EXPECT_TRUE(link.Commands().empty());
    Click(ids::IDC_CONFIRM);
    const ScheduleTask& t = GetDeviceData().task[4];
    EXPECT_EQ(t.year, 27);
    EXPECT_EQ(t.presetId, 8);
    EXPECT_EQ(t.option, 2);
    ASSERT_EQ(Sent(CMD_SET_SCHEDULE).size(), 1u);
    EXPECT_TRUE(SameBytes(Sent(CMD_SET_SCHEDULE)[0].bytes, ScheduleBlock(1, 0, {27, 2, 28, 6, 30, 0}, 4, 8, 2)));
}

TEST_F(TaskPage, ConfirmWithNotUseMarksTheButtonUntilTheNextReport)
{
    ShowTask(1);
    Click(ids::IDC_OPTION_NOT_USE);
    Click(ids::IDC_CONFIRM);
    EXPECT_TRUE(page->Button(ids::IDC_TASK_2)->IsPressed());
    EXPECT_EQ(GetDeviceData().task[1].option, 0);
    page->RefreshFromDevice();
    EXPECT_FALSE(page->Button(ids::IDC_TASK_2)->IsPressed());
}

TEST_F(TaskPage, ATaskNamingAnUnstoredPresetMovesToAStoredOne)
{
    for (uint8_t& s : GetDeviceData().presetStored) s = 0;
    GetDeviceData().presetStored[2] = 1;
    GetDeviceData().presetStored[5] = 2;
    page->MarkTaskRows();
    const CDropList* list = page->PresetList()->GetList();
    for (int s = 0; s < 10; ++s) EXPECT_EQ(list->IsItemEnabled(s), s == 2 || s == 5) << s;

    GetDeviceData().task[6].presetId = 0;
    GetDeviceData().task[6].option = 1;
    ShowTask(6);
    EXPECT_EQ(GetDeviceData().task[6].presetId, 2);
    EXPECT_EQ(page->PresetList()->Caption(), "3");
    EXPECT_TRUE(link.Commands().empty());
}

TEST_F(TaskPage, ATaskWithAPresetOnNoRowKeepsItsOwnOptionAndPreset)
{
    GetDeviceData().task[0] = ScheduleTask{26, 5, 6, 7, 8, 9, 1, 0, 2};
    ShowTask(0);
    GetDeviceData().task[3] = ScheduleTask{26, 4, 4, 4, 4, 4, 99, 0, 1};
    ShowTask(3);
    // Its own option, no preset row: nothing of task 0 is left in the editor.
    EXPECT_TRUE(page->Button(ids::IDC_OPTION_ONCE)->IsPressed());
    EXPECT_EQ(page->PresetList()->Caption(), QString());
    Click(ids::IDC_CONFIRM);
    ASSERT_EQ(Sent(CMD_SET_SCHEDULE).size(), 1u);
    EXPECT_TRUE(SameBytes(Sent(CMD_SET_SCHEDULE)[0].bytes, ScheduleBlock(1, 0, {26, 4, 4, 4, 4, 4}, 3, 99, 1)));
}

TEST_F(TaskPage, ARefreshShowsTheSwitchTheTaskMarksAndTheCurrentTask)
{
    CDeviceData& d = GetDeviceData();
    d.taskStatus = 1;
    d.task[0].option = 0;
    d.task[4].option = 2;
    d.task[9].option = 1;
    page->RefreshFromDevice();
    EXPECT_TRUE(page->Button(ids::IDC_SCHEDULE_ON_OFF)->IsPressed());
    for (int t = 0; t < 10; ++t) EXPECT_EQ(page->Button(ids::IDC_TASK_1 + t)->IsPressed(), t == 4 || t == 9) << t;
    EXPECT_TRUE(page->Button(ids::IDC_OPTION_NOT_USE)->IsPressed());
    EXPECT_TRUE(link.Commands().empty());
}

}  // namespace
