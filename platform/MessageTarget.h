#pragma once
// Receiving side of the message layer. A window derives from MessageReceiver<QWidgetSubclass>
// and overrides OnMessage; all of its private messages then arrive in that one function, so a
// page's message table reads in one place.

#include "platform/MessageEvent.h"

#include <QEvent>

class MessageTarget {
public:
    virtual ~MessageTarget() = default;

    // Handles one message; the return value is SendMsg's result. Unknown messages return 0.
    virtual LRESULT OnMessage(unsigned msg, WPARAM wParam, LPARAM lParam, const QVariant& payload) = 0;

protected:
    // Routes a MessageEvent to OnMessage. Returns false for every other event.
    bool DispatchMessageEvent(QEvent* e);
};

template <class Base>
class MessageReceiver : public Base, public MessageTarget {
public:
    using Base::Base;

protected:
    void customEvent(QEvent* e) override
    {
        if (!DispatchMessageEvent(e))
            Base::customEvent(e);
    }
};
