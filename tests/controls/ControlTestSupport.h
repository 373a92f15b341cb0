#pragma once
// Helpers for the control tests: one QApplication, a page that logs its messages, and key,
// mouse and focus events delivered straight to a widget (the tests run offscreen).

#include "platform/MessageTarget.h"
#include "tests/support/TestApplication.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include <vector>

inline QApplication* TestApp()
{
    return PageTestApplication();
}

struct LoggedMessage {
    unsigned msg;
    WPARAM w;
    LPARAM l;
};

class LoggingPage : public MessageReceiver<QWidget> {
public:
    using MessageReceiver<QWidget>::MessageReceiver;
    LRESULT OnMessage(unsigned msg, WPARAM w, LPARAM l, const QVariant&) override
    {
        log.push_back({msg, w, l});
        return 0;
    }
    std::vector<LoggedMessage> Take(unsigned msg)
    {
        std::vector<LoggedMessage> out;
        for (const auto& m : log) {
            if (m.msg == msg)
                out.push_back(m);
        }
        return out;
    }
    std::vector<LoggedMessage> log;
};

// Delivers posted messages.
inline void Pump()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

inline bool SendKey(QWidget* w, int key, const QString& text = QString(), Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QCoreApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QCoreApplication::sendEvent(w, &release);
    return press.isAccepted();
}

inline void TypeText(QWidget* w, const QString& text)
{
    for (const QChar ch : text) {
        int key = ch.toUpper().unicode();
        SendKey(w, key, QString(ch));
    }
}

inline void SendFocus(QWidget* w, bool in, Qt::FocusReason reason = Qt::OtherFocusReason)
{
    QFocusEvent e(in ? QEvent::FocusIn : QEvent::FocusOut, reason);
    QCoreApplication::sendEvent(w, &e);
}

inline void SendMouse(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButton button = Qt::LeftButton,
                      Qt::MouseButtons buttons = Qt::LeftButton)
{
    QMouseEvent e(type, QPointF(p), w->mapToGlobal(QPointF(p)), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}
