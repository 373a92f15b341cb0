#pragma once
// Waiting in tests on the UI thread: the event loop keeps running (queued replies, posted
// messages, timers) until a condition holds or the time is up.

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <functional>

// True once done() holds; false when ms passed first.
inline bool SpinUntil(const std::function<bool()>& done, int ms = 20000)
{
    const QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return true;
}

// Runs the event loop for ms.
inline void SpinFor(int ms)
{
    SpinUntil([] { return false; }, ms);
}
