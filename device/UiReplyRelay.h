#pragma once
// The hand-over from the communication thread to the UI thread. The library decodes replies on its
// own thread and calls the function this relay gives it; the relay puts the packet in a bounded
// queue (ReplyQueue.h) and the UI thread handles the queue in slices, in arrival order, through
// the reply adapter and the handlers. A slice is at most kSliceReplies replies or kSliceMs of
// work; the rest waits behind whatever else the event loop has to do, so a flood of replies leaves
// the window responsive. Video data (reply 26) alone is handled at once on the communication
// thread.

#include "comm/CommLibrary.h"
#include "device/ReplyQueue.h"

#include <QObject>

#include <memory>
#include <mutex>

class ReplyHandlers;

class UiReplyRelay {
public:
    static constexpr std::size_t kSliceReplies = 64;
    static constexpr int kSliceMs = 8;

    // Replies are handled on the thread that constructs the relay (the UI thread).
    explicit UiReplyRelay(ReplyHandlers& handlers, ReplyQueueLimits limits = {});
    // Replies still queued are discarded; later ones are dropped.
    ~UiReplyRelay();
    UiReplyRelay(const UiReplyRelay&) = delete;
    UiReplyRelay& operator=(const UiReplyRelay&) = delete;

    // The function to hand to the library; callable from any thread, also after the relay is gone.
    comm::ReplyHandler CommHandler() const;
    // Registers CommHandler once for every reply id 0..31 with the installed library.
    void RegisterAll() const;

    // Counters of the queue (any thread).
    ReplyQueueStats Stats() const;

private:
    struct Target {
        explicit Target(ReplyQueueLimits limits) : queue(limits) {}
        std::mutex mutex;
        QObject* receiver = nullptr;  // lives on the UI thread; null once the relay is gone
        ReplyHandlers* handlers = nullptr;
        ReplyQueue queue;
    };
    static void Forward(const std::shared_ptr<Target>& target, const comm::ReplyPacket& packet);
    static void PostDrain(const std::shared_ptr<Target>& target);
    static void Drain(const std::shared_ptr<Target>& target);

    std::shared_ptr<Target> target_;
    std::unique_ptr<QObject> receiver_;
};

// Start-up of the main window: registers the process-wide handlers (bound to GetDeviceData(),
// pausing with QTimers on the calling thread, which must be the UI thread) with the installed
// library, one per reply id 0..31.
void RegisterReplyHandlers();
