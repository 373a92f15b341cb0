#pragma once
// Where the reply handlers get their pauses between follow-up commands from. A pause never blocks:
// the rest of the sequence is handed over as a callback that runs later on the same thread.

#include <QObject>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

class TimerSource {
public:
    virtual ~TimerSource() = default;
    // Runs fn once, ms milliseconds from now (0 or less: on the next turn), on the calling thread.
    // A sequence that needs several pauses schedules the next one from inside the previous
    // callback, so its steps keep their order whatever the source.
    virtual void SingleShot(int ms, std::function<void()> fn) = 0;
};

// Single-shot QTimers on the thread that created the source (the UI thread). Destroying the source
// cancels what is still pending.
class QtTimerSource final : public TimerSource {
public:
    void SingleShot(int ms, std::function<void()> fn) override;

private:
    QObject context_;
};

// A clock that only moves when a test advances it. Callbacks due at the same time run in the
// order they were scheduled.
class ManualTimerSource final : public TimerSource {
public:
    void SingleShot(int ms, std::function<void()> fn) override;
    // Moves the clock forward by ms, running every callback that falls due on the way, in due
    // order; callbacks scheduled meanwhile run too when they fall due within the step.
    void Advance(int ms);
    // Runs everything pending, however far ahead.
    void RunAll();
    int64_t Now() const { return now_; }
    std::size_t Pending() const { return pending_.size(); }

private:
    struct Entry {
        int64_t due;
        uint64_t order;
        std::function<void()> fn;
    };
    bool RunNextDueBy(int64_t limit);

    int64_t now_ = 0;
    uint64_t nextOrder_ = 0;
    std::vector<Entry> pending_;
};
