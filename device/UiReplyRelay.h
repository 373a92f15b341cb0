#pragma once
// The hand-over from the communication thread to the UI thread. The library decodes replies on its
// own thread and calls the function this relay gives it; the relay copies the packet into the UI
// thread's event queue, where the reply adapter and the handlers run, in arrival order. Video data
// (reply 26) alone is handled at once on the communication thread.

#include "comm/CommLibrary.h"

#include <QObject>

#include <memory>
#include <mutex>

class ReplyHandlers;

class UiReplyRelay {
public:
    // Replies are handled on the thread that constructs the relay (the UI thread).
    explicit UiReplyRelay(ReplyHandlers& handlers);
    // Replies still queued are discarded; later ones are dropped.
    ~UiReplyRelay();
    UiReplyRelay(const UiReplyRelay&) = delete;
    UiReplyRelay& operator=(const UiReplyRelay&) = delete;

    // The function to hand to the library; callable from any thread, also after the relay is gone.
    comm::ReplyHandler CommHandler() const;
    // Registers CommHandler once for every reply id 0..31 with the installed library.
    void RegisterAll() const;

private:
    struct Target {
        std::mutex mutex;
        QObject* receiver = nullptr;  // lives on the UI thread; null once the relay is gone
        ReplyHandlers* handlers = nullptr;
    };
    static void Forward(const std::shared_ptr<Target>& target, const comm::ReplyPacket& packet);

    std::shared_ptr<Target> target_;
    std::unique_ptr<QObject> receiver_;
};

// Start-up of the main window: registers the process-wide handlers (bound to GetDeviceData(),
// pausing with QTimers on the calling thread, which must be the UI thread) with the installed
// library, one per reply id 0..31.
void RegisterReplyHandlers();
