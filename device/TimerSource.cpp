#include "device/TimerSource.h"

#include <QTimer>

#include <algorithm>
#include <limits>

void QtTimerSource::SingleShot(int ms, std::function<void()> fn)
{
    QTimer::singleShot(std::max(ms, 0), Qt::PreciseTimer, &context_, std::move(fn));
}

void QtTimerSource::Restart(const void* key, int ms, std::function<void()> fn)
{
    Keyed& k = keyed_[key];
    if (!k.timer) {
        k.timer = new QTimer(&context_);
        k.timer->setSingleShot(true);
        k.timer->setTimerType(Qt::PreciseTimer);
        QObject::connect(k.timer, &QTimer::timeout, &context_, [this, key] {
            // Moved out first: fn may restart its own key.
            std::function<void()> run = std::move(keyed_[key].fn);
            if (run) run();
        });
    }
    k.fn = std::move(fn);
    k.timer->start(std::max(ms, 0));
}

void ManualTimerSource::SingleShot(int ms, std::function<void()> fn)
{
    pending_.push_back({now_ + std::max(ms, 0), nextOrder_++, std::move(fn)});
}

void ManualTimerSource::Restart(const void* key, int ms, std::function<void()> fn)
{
    std::erase_if(pending_, [key](const Entry& e) { return e.key == key; });
    pending_.push_back({now_ + std::max(ms, 0), nextOrder_++, std::move(fn), key});
}

bool ManualTimerSource::RunNextDueBy(int64_t limit)
{
    auto next = std::min_element(pending_.begin(), pending_.end(), [](const Entry& a, const Entry& b) {
        return a.due != b.due ? a.due < b.due : a.order < b.order;
    });
    if (next == pending_.end() || next->due > limit) return false;
    now_ = std::max(now_, next->due);
    std::function<void()> fn = std::move(next->fn);
    pending_.erase(next);
    fn();  // may schedule more
    return true;
}

void ManualTimerSource::Advance(int ms)
{
    const int64_t target = now_ + std::max(ms, 0);
    while (RunNextDueBy(target)) {
    }
    now_ = target;
}

void ManualTimerSource::RunAll()
{
    while (RunNextDueBy(std::numeric_limits<int64_t>::max())) {
    }
}
