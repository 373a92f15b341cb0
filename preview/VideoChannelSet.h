#pragma once
// The operating page's four preview channels. Only channel 0 is ever started; packets for
// the others, and for indexes outside 0..3, are dropped.
#include "preview/CVideoChannel.h"

#include <array>
#include <cstdint>
#include <vector>

class VideoChannelSet {
public:
    static constexpr int kChannels = 4;

    explicit VideoChannelSet(const VideoDecoderApi& decoderApi = DefaultVideoDecoderApi());
    ~VideoChannelSet();

    // Communication thread: reply 26 (video data) with its channel index.
    void PushPacket(int channelIndex, const uint8_t* data, uint32_t length);
    // The same, moving the caller's buffer into the ring.
    void PushPacket(int channelIndex, std::vector<uint8_t>&& packet);

    // UI thread.
    void StopAll();
    CVideoChannel* Channel(int index);

private:
    std::array<CVideoChannel, kChannels> channels;
};
