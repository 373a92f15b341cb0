#include "device/UiReplyRelay.h"

#include "comm/QVN_Comm.h"
#include "device/CDeviceData.h"
#include "device/CommandIds.h"
#include "device/ReplyAdapter.h"
#include "device/ReplyHandlers.h"
#include "device/TimerSource.h"
#include "device/VideoPacketSink.h"

#include <QElapsedTimer>
#include <QMetaObject>
#include <QtGlobal>

UiReplyRelay::UiReplyRelay(ReplyHandlers& handlers, ReplyQueueLimits limits)
    : target_(std::make_shared<Target>(limits)), receiver_(std::make_unique<QObject>())
{
    target_->receiver = receiver_.get();
    target_->handlers = &handlers;
}

UiReplyRelay::~UiReplyRelay()
{
    {
        std::lock_guard lock(target_->mutex);
        target_->receiver = nullptr;
        target_->handlers = nullptr;
    }
    target_->queue.Clear();
    // Deleting the receiver removes a drain still posted to it.
    receiver_.reset();
}

void UiReplyRelay::PostDrain(const std::shared_ptr<Target>& target)
{
    // Held while posting, so that the receiver cannot be deleted between the check and the post.
    std::lock_guard lock(target->mutex);
    if (!target->receiver) return;
    QMetaObject::invokeMethod(target->receiver, [target] { Drain(target); }, Qt::QueuedConnection);
}

void UiReplyRelay::Forward(const std::shared_ptr<Target>& target, const comm::ReplyPacket& packet)
{
    if (packet.replyId == REPLY_VIDEO_DATA) {
        // Straight to the preview channel, on this thread: it is the only reply that may.
        OnReplyVideoData(packet.payload.data(), packet.payload.size(), packet.args[0]);
        return;
    }
    bool wake = false;
    if (target->queue.Add(packet, wake) == ReplyQueue::Push::FirstDrop) {
        const ReplyQueueStats s = target->queue.Stats();
        qWarning("Replies arrive faster than they can be handled: %zu replies (%zu bytes) wait; "
                 "dropping further ones until the queue drains",
                 s.queued, s.bytes);
    }
    if (wake) PostDrain(target);
}

void UiReplyRelay::Drain(const std::shared_ptr<Target>& target)
{
    // Runs on the UI thread, the only one that clears handlers, so they stay valid here.
    ReplyHandlers* handlers = nullptr;
    {
        std::lock_guard lock(target->mutex);
        handlers = target->handlers;
    }
    if (!handlers) return;
    QElapsedTimer clock;
    clock.start();
    std::vector<comm::ReplyPacket> batch;
    std::size_t handled = 0;
    bool more = true;
    // One at a time: a handler that runs a nested event loop then sees the next reply taken after
    // its own, never one overtaking another still held here.
    while (more && handled < kSliceReplies && !clock.hasExpired(kSliceMs)) {
        batch.clear();
        more = target->queue.Take(batch, 1);
        for (const comm::ReplyPacket& packet : batch) DispatchReply(*handlers, packet);
        handled += batch.size();
    }
    // The rest goes behind whatever else was posted meanwhile, and the timers due.
    if (more) PostDrain(target);
}

comm::ReplyHandler UiReplyRelay::CommHandler() const
{
    return [target = target_](const comm::ReplyPacket& packet) { Forward(target, packet); };
}

void UiReplyRelay::RegisterAll() const
{
    for (int id = 0; id < comm::kReplyIdCount; ++id) QVN_Comm_RegisterHandler(CommHandler(), id);
}

ReplyQueueStats UiReplyRelay::Stats() const { return target_->queue.Stats(); }

void RegisterReplyHandlers()
{
    // Built on first use and kept for the life of the process (the library may call until exit).
    static auto* timers = new QtTimerSource;
    static auto* handlers = new ReplyHandlers(GetDeviceData(), *timers);
    static auto* relay = new UiReplyRelay(*handlers);
    relay->RegisterAll();
}
