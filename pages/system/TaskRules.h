#pragma once
// The schedule page's rules that need no window: repairing a task read from a processor or a
// project file, the preset a task may name, the clock bytes of a PC time, and the processor clock
// that the page shows and advances between the processor's reports.

#include "device/DeviceParamBlock.h"

#include <QDateTime>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>

// Days of the month (1..12) in the year (leap years by the Gregorian rule); 31 for a month out of
// range.
int DaysInMonth(int year, int month);

// Clamps a task's date and time into what a calendar and a clock hold: month 1..12, day 1 to the
// month's length (year = 2000 + task.year), hour 0..23, minute and second 0..59.
void RepairTask(ScheduleTask& task);

// A year as the one byte a task or the processor's clock holds it in (year - 2000, 0..255).
uint8_t YearByte(int year);

// Rows of the schedule page's preset list: presets 1..10.
inline constexpr int kPresetRows = 10;

// The preset a task shows on a list of ten rows (row s carries preset s; enabled[s] when the preset
// is stored): -1 when presetId names no row; the first enabled row when presetId's row is
// disabled and one is enabled; presetId itself otherwise.
int ResolveTaskPreset(int presetId, const std::array<bool, kPresetRows>& enabled);

// The processor clock's six bytes for a PC time: year - 2000 (clamped to a byte), month, day,
// hour, minute, second.
std::array<uint8_t, 6> ClockBytes(const QDateTime& local);

// The processor's clock as the page shows it: unknown until the processor reports it, unknown
// again once the page sets it (until the next report), and advanced by the monotonic time that
// passed between ticks, so that setting the PC's clock does not make it jump.
class ProcessorClock {
public:
    // A report of six bytes (year - 2000, month, day, hour, minute, second) at monotonic time
    // nowMs. A date or time that cannot be (a processor whose clock was never set) leaves the
    // clock unknown. Returns whether the clock is known afterwards.
    bool Report(const uint8_t (&bytes)[6], qint64 nowMs);
    // The page set the processor's clock: unknown until the next report.
    void Invalidate() { valid_ = false; }
    // Advances a known clock to monotonic time nowMs (time never runs backwards).
    void Tick(qint64 nowMs);

    bool IsValid() const { return valid_; }
    // "%d/%d/%d %02d:%02d:%02d" (year, month, day, hour, minute, second), or empty when unknown.
    QString Text() const;
    // The clock as a wall time without a time zone (for tests); invalid when unknown.
    QDateTime Time() const;

private:
    bool valid_ = false;
    qint64 baseMs_ = 0;   // milliseconds since 1970-01-01 00:00 of the clock's own calendar
    qint64 sinceMs_ = 0;  // monotonic time of the last report or tick
};

// Where the schedule page takes its time from; tests put fixed clocks here.
struct PageClock {
    std::function<QDateTime()> localNow;  // the PC's local date and time
    std::function<qint64()> monotonicMs;  // a clock that only runs forward
};
PageClock SystemPageClock();
