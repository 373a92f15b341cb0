#include "device/UiReplyRelay.h"

#include "comm/QVN_Comm.h"
#include "device/CDeviceData.h"
#include "device/CommandIds.h"
#include "device/ReplyAdapter.h"
#include "device/ReplyHandlers.h"
#include "device/TimerSource.h"
#include "device/VideoPacketSink.h"

#include <QMetaObject>

UiReplyRelay::UiReplyRelay(ReplyHandlers& handlers)
    : target_(std::make_shared<Target>()), receiver_(std::make_unique<QObject>())
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
    // Deleting the receiver removes whatever is still queued for it.
    receiver_.reset();
}

void UiReplyRelay::Forward(const std::shared_ptr<Target>& target, const comm::ReplyPacket& packet)
{
    if (packet.replyId == REPLY_VIDEO_DATA) {
        // Straight to the preview channel, on this thread: it is the only reply that may.
        OnReplyVideoData(packet.payload.data(), packet.payload.size(), packet.args[0]);
        return;
    }
    // Held while posting, so that the receiver cannot be deleted between the check and the post.
    std::lock_guard lock(target->mutex);
    if (!target->receiver) return;
    ReplyHandlers* handlers = target->handlers;
    QMetaObject::invokeMethod(
        target->receiver, [handlers, copy = packet] { DispatchReply(*handlers, copy); },
        Qt::QueuedConnection);
}

comm::ReplyHandler UiReplyRelay::CommHandler() const
{
    return [target = target_](const comm::ReplyPacket& packet) { Forward(target, packet); };
}

void UiReplyRelay::RegisterAll() const
{
    for (int id = 0; id < comm::kReplyIdCount; ++id) QVN_Comm_RegisterHandler(CommHandler(), id);
}

void RegisterReplyHandlers()
{
    // Built on first use and kept for the life of the process (the library may call until exit).
    static auto* timers = new QtTimerSource;
    static auto* handlers = new ReplyHandlers(GetDeviceData(), *timers);
    static auto* relay = new UiReplyRelay(*handlers);
    relay->RegisterAll();
}
