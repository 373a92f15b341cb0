#pragma once
// Inputs of the system-page and schedule-page fuzz targets: the records a processor reports (its
// system information, a schedule task, its clock) taken from arbitrary bytes, and the texts and
// repaired values the pages make of them. The libFuzzer entry points and the corpus replay test
// both call these. A broken invariant aborts.

#include "pages/system/SystemPageRules.h"
#include "pages/system/TaskRules.h"

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <QTimeZone>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace fuzz_pages {

// The system-information record and the library version bytes: the texts hold nothing but
// printable ASCII and line breaks, in three or four lines.
inline void SystemInfoOne(const uint8_t* data, size_t size)
{
    SystemInfo info{};
    if (size > 0) std::memcpy(&info, data, std::min(size, sizeof info));
    const QString text = FormatSystemInfo(info);
    if (!text.startsWith(QStringLiteral("Video Processor\nVersion:"))) std::abort();
    for (QChar c : text)
        if (c != QLatin1Char('\n') && (c.unicode() < 0x20 || c.unicode() >= 0x7F)) std::abort();
    const QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.size() != (info.b16[0] != 0 ? 4 : 3)) std::abort();
    if (!lines.last().startsWith(QStringLiteral("system Voltage:")) || text.size() > 96) std::abort();

    const uint8_t major = size > sizeof info ? data[sizeof info] : 0;
    const uint8_t minor = size > sizeof info + 1 ? data[sizeof info + 1] : 0;
    const QString version = FormatVersionText(major, minor);
    if (!version.endsWith(QString::asprintf("SysDLL:%d.%02d", major, minor))) std::abort();
}

// A schedule task as read from a processor or a project file, the preset it names, and the
// processor's clock reported and advanced.
inline void TaskRulesOne(const uint8_t* data, size_t size)
{
    ScheduleTask task{};
    if (size > 0) std::memcpy(&task, data, std::min(size, sizeof task));
    const ScheduleTask before = task;
    RepairTask(task);
    const QDate date(2000 + task.year, task.month, task.day);
    if (!date.isValid() || task.hour > 23 || task.min > 59 || task.sec > 59) std::abort();
    if (task.year != before.year || task.presetId != before.presetId || task.option != before.option) std::abort();
    // A task that already is a date and a time stays as it is; repairing twice changes nothing.
    const bool wasValid = QDate(2000 + before.year, before.month, before.day).isValid() && before.hour < 24 &&
                          before.min < 60 && before.sec < 60;
    if (wasValid && std::memcmp(&task, &before, sizeof task) != 0) std::abort();
    ScheduleTask again = task;
    RepairTask(again);
    if (std::memcmp(&task, &again, sizeof task) != 0) std::abort();

    size_t at = sizeof task;
    auto next = [&]() -> uint8_t { return at < size ? data[at++] : 0; };

    std::array<bool, kPresetRows> enabled{};
    const unsigned mask = next() | unsigned(next()) << 8;
    for (int s = 0; s < kPresetRows; ++s) enabled[size_t(s)] = (mask >> s) & 1;
    const int preset = ResolveTaskPreset(before.presetId, enabled);
    if (before.presetId >= kPresetRows ? preset != -1 : (preset < 0 || preset >= kPresetRows)) std::abort();

    // The clock: reported, then ticked forwards and backwards at times from the input.
    uint8_t clock[6];
    for (uint8_t& b : clock) b = next();
    ProcessorClock pc;
    const qint64 start = next() * 1000;
    qint64 now = start;
    const QDate day(2000 + clock[0], clock[1], clock[2]);
    const bool possible = day.isValid() && clock[3] < 24 && clock[4] < 60 && clock[5] < 60;
    const bool known = pc.Report(clock, now);
    if (known != possible || known != pc.IsValid() || pc.Text().isEmpty() == known) std::abort();
    const QDateTime reported =
        known ? QDateTime(day, QTime(clock[3], clock[4], clock[5]), QTimeZone::utc()) : QDateTime();
    if (pc.Time() != reported) std::abort();
    qint64 furthest = now;
    while (at < size) {
        // Steps either way; the clock follows only the time that ran forward beyond the furthest.
        now = std::max<qint64>(0, now + (int(next()) - 64) * 37);
        pc.Tick(now);
        furthest = std::max(furthest, now);
        if (pc.IsValid() != known) std::abort();
        if (known && pc.Time() != reported.addMSecs(furthest - start)) std::abort();
    }
}

}  // namespace fuzz_pages
