#pragma once
// The schedule page (the "TIME/TASK" tab of the system page): the processor's clock beside the PC's,
// setting the processor's clock, the schedule switch and ten tasks that each recall a stored preset
// at a date and time, once or every day. The processor keeps and runs the schedule.

#include "pages/system/TaskRules.h"
#include "pagekit/MBaseDialog.h"

#include <array>

class CDropButton;
class CGdipButton;
class CSxGroupBox;
class QDateEdit;
class QLabel;
class QTimeEdit;
class QTimer;
class oRealEdit;

class MTaskDlg : public MBaseDialog {
    Q_OBJECT
public:
    explicit MTaskDlg(QWidget* parent);

    void OnInitDialog() override;
    void ApplyLanguage() override;
    void ShowPage(bool show) override;

    void RefreshFromDevice();
    void ShowMachineTime();
    void MarkTaskRows();

    // Replaces the page's time source (tests); the tick timer keeps running on its own.
    void SetClock(PageClock clock);
    // One tick of the one-second timer.
    void OnTimerTick();
    void OnSyncClock();
    void OnScheduleOnOff();
    void OnConfirm();
    void LoadTask(int t);

    int CurrentTask() const { return currentTask_; }
    const ProcessorClock& MachineClock() const { return machineClock_; }
    CGdipButton* Button(int id) const;
    QLabel* MachineTimeText() const { return machineTimeText_; }
    QDateEdit* DatePicker() const { return datePicker_; }
    QTimeEdit* TimePicker() const { return timePicker_; }
    CDropButton* PresetList() const { return presetList_; }
    oRealEdit* LocalEdit(int n) const { return localEdits_[static_cast<size_t>(n)]; }
    QTimer* TickTimer() const { return tickTimer_; }

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    CGdipButton* MakeButton(int id, const QString& caption, unsigned stdImage, unsigned altImage);
    void Layout();
    void OnButton(int id);
    void ShowLocalTime();
    void ShowMachineClockText();

    int currentTask_ = 0;
    ProcessorClock machineClock_;
    PageClock clock_;

    QLabel* machineTimeText_ = nullptr;
    std::array<oRealEdit*, 6> localEdits_{};
    std::array<CGdipButton*, kTaskCount> taskButtons_{};
    std::array<CGdipButton*, 3> optionButtons_{};
    CGdipButton* onOff_ = nullptr;
    QDateEdit* datePicker_ = nullptr;
    QTimeEdit* timePicker_ = nullptr;
    CDropButton* presetList_ = nullptr;
    QLabel* presetLabel_ = nullptr;
    QTimer* tickTimer_ = nullptr;
};
