#include "device/VideoPacketSink.h"

#include <mutex>

namespace {

// The lock is held across the call so that removing the sink waits for a push in progress; the
// push is a short ring-slot copy.
std::mutex g_sinkMutex;
VideoPacketSink g_sink;

}  // namespace

void SetVideoPacketSink(VideoPacketSink sink)
{
    VideoPacketSink old;
    {
        std::lock_guard lock(g_sinkMutex);
        old.swap(g_sink);
        g_sink = std::move(sink);
    }
    // old is destroyed outside the lock: its captures may be arbitrary.
}

void OnReplyVideoData(const uint8_t* data, std::size_t length, int channel)
{
    // A zero-length packet is the end of a stream: it goes on, without data.
    if (!data && length > 0) return;
    if (channel < 0 || channel >= kPreviewChannelCount) return;
    std::lock_guard lock(g_sinkMutex);
    if (g_sink) g_sink(channel, data, length);
}
