#pragma once
// Reply 26 (preview video) is the one reply handled on the communication thread: its bytes go
// straight to the preview channel's push operation, installed here as a sink.

#include <cstddef>
#include <cstdint>
#include <functional>

constexpr int kPreviewChannelCount = 4;

using VideoPacketSink = std::function<void(int channel, const uint8_t* data, std::size_t length)>;

// Installs (or, with an empty function, removes) the sink. Safe from any thread; once it returns
// the previous sink is not running and is never called again.
void SetVideoPacketSink(VideoPacketSink sink);

// The reply-26 handler: hands (data, length) to the sink on the calling thread. Dropped while no
// sink is installed, for a channel outside 0..3, or for a null pointer with a length. A
// zero-length packet (the end of a stream) is handed on.
void OnReplyVideoData(const uint8_t* data, std::size_t length, int channel);
