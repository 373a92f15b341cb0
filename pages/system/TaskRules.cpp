#include "pages/system/TaskRules.h"

#include <QDate>
#include <QElapsedTimer>
#include <QTime>
#include <QTimeZone>

#include <algorithm>
#include <memory>

int DaysInMonth(int year, int month)
{
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 31;
    if (month == 2 && ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0)) return 29;
    return kDays[month - 1];
}

void RepairTask(ScheduleTask& task)
{
    task.month = std::clamp<uint8_t>(task.month, 1, 12);
    const int days = DaysInMonth(2000 + task.year, task.month);
    task.day = static_cast<uint8_t>(std::clamp<int>(task.day, 1, days));
    task.hour = std::min<uint8_t>(task.hour, 23);
    task.min = std::min<uint8_t>(task.min, 59);
    task.sec = std::min<uint8_t>(task.sec, 59);
}

uint8_t YearByte(int year)
{
    return static_cast<uint8_t>(std::clamp(year - 2000, 0, 255));
}

int ResolveTaskPreset(int presetId, const std::array<bool, kPresetRows>& enabled)
{
    if (presetId < 0 || presetId >= kPresetRows) return -1;
    if (enabled[static_cast<size_t>(presetId)]) return presetId;
    for (int s = 0; s < kPresetRows; ++s)
        if (enabled[static_cast<size_t>(s)]) return s;
    return presetId;
}

std::array<uint8_t, 6> ClockBytes(const QDateTime& local)
{
    const QDate d = local.date();
    const QTime t = local.time();
    return {YearByte(d.year()),
            static_cast<uint8_t>(d.month()),
            static_cast<uint8_t>(d.day()),
            static_cast<uint8_t>(t.hour()),
            static_cast<uint8_t>(t.minute()),
            static_cast<uint8_t>(t.second())};
}

bool ProcessorClock::Report(const uint8_t (&bytes)[6], qint64 nowMs)
{
    const int year = 2000 + bytes[0];
    const QDate date(year, bytes[1], bytes[2]);
    const bool possibleTime = bytes[3] < 24 && bytes[4] < 60 && bytes[5] < 60;
    if (!date.isValid() || !possibleTime) {
        valid_ = false;
        return false;
    }
    // The processor keeps a plain calendar time; reading it as UTC keeps daylight-saving
    // changes of the PC out of the count.
    const QDateTime when(date, QTime(bytes[3], bytes[4], bytes[5]), QTimeZone::utc());
    baseMs_ = when.toMSecsSinceEpoch();
    sinceMs_ = nowMs;
    valid_ = true;
    return true;
}

void ProcessorClock::Tick(qint64 nowMs)
{
    if (valid_ && nowMs > sinceMs_) baseMs_ += nowMs - sinceMs_;
    if (nowMs > sinceMs_ || !valid_) sinceMs_ = nowMs;
}

QDateTime ProcessorClock::Time() const
{
    if (!valid_) return {};
    return QDateTime::fromMSecsSinceEpoch(baseMs_, QTimeZone::utc());
}

QString ProcessorClock::Text() const
{
    if (!valid_) return {};
    const QDateTime t = Time();
    return QString::asprintf("%d/%d/%d %02d:%02d:%02d", t.date().year(), t.date().month(), t.date().day(),
                             t.time().hour(), t.time().minute(), t.time().second());
}

PageClock SystemPageClock()
{
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    return {[] { return QDateTime::currentDateTime(); }, [timer] { return timer->elapsed(); }};
}
