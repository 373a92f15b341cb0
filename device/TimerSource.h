#pragma once
// Where the reply handlers get their pauses between follow-up commands from. A pause never blocks:
// the rest of the sequence is handed over as a callback that runs later on the same thread.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

class TimerSource {
public:
    virtual ~TimerSource() = default;
    // Runs fn once, ms milliseconds from now (0 or less: on the next turn), on the calling thread.
    // A sequence that needs several pauses schedules the next one from inside the previous
    // callback, so its steps keep their order whatever the source.
    virtual void SingleShot(int ms, std::function<void()> fn) = 0;
    // Like SingleShot, but one timer per key: a call while the key's timer is pending restarts it
    // with the new fn, so only the last of a burst runs, ms after the last call.
    virtual void Restart(const void* key, int ms, std::function<void()> fn) = 0;
    // Milliseconds on the source's own clock (only differences mean anything).
    virtual int64_t NowMs() const = 0;
};

// Single-shot QTimers on the thread that created the source (the UI thread). Destroying the source
// cancels what is still pending.
class QtTimerSource final : public TimerSource {
public:
    void SingleShot(int ms, std::function<void()> fn) override;
    void Restart(const void* key, int ms, std::function<void()> fn) override;
    int64_t NowMs() const override { return clock_.elapsed(); }

private:
    struct Keyed {
        QTimer* timer = nullptr;  // a child of context_
        std::function<void()> fn;
    };
    QObject context_;
    std::map<const void*, Keyed> keyed_;
    QElapsedTimer clock_ = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
};

// A clock that only moves when a test advances it. Callbacks due at the same time run in the
// order they were scheduled.
class ManualTimerSource final : public TimerSource {
public:
    void SingleShot(int ms, std::function<void()> fn) override;
    void Restart(const void* key, int ms, std::function<void()> fn) override;
    // Moves the clock forward by ms, running every callback that falls due on the way, in due
    // order; callbacks scheduled meanwhile run too when they fall due within the step.
    void Advance(int ms);
    // Runs everything pending, however far ahead.
    void RunAll();
    int64_t Now() const { return now_; }
    int64_t NowMs() const override { return now_; }
    std::size_t Pending() const { return pending_.size(); }

private:
    struct Entry {
        int64_t due;
        uint64_t order;
        std::function<void()> fn;
        const void* key = nullptr;
    };
    bool RunNextDueBy(int64_t limit);

    int64_t now_ = 0;
    uint64_t nextOrder_ = 0;
    std::vector<Entry> pending_;
};
