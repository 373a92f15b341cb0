#pragma once
// One registered event type carries every private window message: the message number, wParam,
// lParam and an owned payload for what used to be passed by pointer (texts, paths, small
// structs). A posted event owns its payload, so nothing points into the sender's stack.

#include <QEvent>
#include <QVariant>

#include <cstdint>

class QObject;

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

class MessageEvent : public QEvent {
public:
    MessageEvent(unsigned msg, WPARAM wParam, LPARAM lParam, QVariant payload = {});

    static QEvent::Type EventType();

    unsigned Msg() const { return msg_; }
    WPARAM WParam() const { return wParam_; }
    LPARAM LParam() const { return lParam_; }
    const QVariant& Payload() const { return payload_; }

    // The receiver's answer; SendMsg returns it.
    LRESULT Result() const { return result_; }
    void SetResult(LRESULT r) { result_ = r; }
    // Set by a receiver that dispatched the message (so SendMsg can tell "nobody answered").
    bool Handled() const { return handled_; }
    void SetHandled(bool h) { handled_ = h; }

private:
    unsigned msg_;
    WPARAM wParam_;
    LPARAM lParam_;
    QVariant payload_;
    LRESULT result_ = 0;
    bool handled_ = false;
};

// Queues the message for target's thread. Safe from any thread; returns false for a null target.
bool PostMsg(QObject* target, unsigned msg, WPARAM wParam = 0, LPARAM lParam = 0, QVariant payload = {});

// Delivers the message at once and returns the receiver's result (0 when nobody handles it).
// UI thread only: the target must live on the calling thread.
LRESULT SendMsg(QObject* target, unsigned msg, WPARAM wParam = 0, LPARAM lParam = 0, QVariant payload = {});
