#include "preview/VideoChannelSet.h"

#include <utility>

VideoChannelSet::VideoChannelSet(const VideoDecoderApi& api)
    : channels{CVideoChannel(api), CVideoChannel(api), CVideoChannel(api), CVideoChannel(api)}
{
}

VideoChannelSet::~VideoChannelSet()
{
    StopAll();
}

void VideoChannelSet::PushPacket(int channelIndex, const uint8_t* data, uint32_t length)
{
    if (channelIndex < 0 || channelIndex >= kChannels) return;
    channels[static_cast<size_t>(channelIndex)].PushPacket(data, length);
}

void VideoChannelSet::PushPacket(int channelIndex, std::vector<uint8_t>&& packet)
{
    if (channelIndex < 0 || channelIndex >= kChannels) return;
    channels[static_cast<size_t>(channelIndex)].PushPacket(std::move(packet));
}

void VideoChannelSet::StopAll()
{
    for (auto& channel : channels) channel.Stop();
}

CVideoChannel* VideoChannelSet::Channel(int index)
{
    if (index < 0 || index >= kChannels) return nullptr;
    return &channels[static_cast<size_t>(index)];
}
