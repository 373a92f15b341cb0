#include "platform/MessageEvent.h"

#include <QCoreApplication>
#include <QObject>
#include <QThread>

MessageEvent::MessageEvent(unsigned msg, WPARAM wParam, LPARAM lParam, QVariant payload)
    : QEvent(EventType()), msg_(msg), wParam_(wParam), lParam_(lParam), payload_(std::move(payload))
{
}

QEvent::Type MessageEvent::EventType()
{
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

bool PostMsg(QObject* target, unsigned msg, WPARAM wParam, LPARAM lParam, QVariant payload)
{
    if (!target)
        return false;
    // postEvent takes ownership and is thread-safe; events to one receiver keep their order.
    QCoreApplication::postEvent(target, new MessageEvent(msg, wParam, lParam, std::move(payload)));
    return true;
}

LRESULT SendMsg(QObject* target, unsigned msg, WPARAM wParam, LPARAM lParam, QVariant payload)
{
    if (!target)
        return 0;
    Q_ASSERT_X(target->thread() == QThread::currentThread(), "SendMsg", "target lives on another thread");
    if (target->thread() != QThread::currentThread())
        return 0;
    MessageEvent ev(msg, wParam, lParam, std::move(payload));
    QCoreApplication::sendEvent(target, &ev);
    return ev.Result();
}
