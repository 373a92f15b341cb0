#pragma once
// The reference the benchmarks set the preview's figures beside: the whole stream decoded with a
// fresh single-thread, low-delay libavcodec H.264 decoder.
#include "TestStream.h"

extern "C" {
#include <libavcodec/avcodec.h>
}

#include <algorithm>
#include <cstdint>

// Decodes every packet of `stream` once; `onPicture(frame)` sees each decoded picture.
// Returns the pictures decoded.
template <typename OnPicture>
int64_t DecodeWithReference(const EncodedStream& stream, AVPacket* packet, AVFrame* frame, OnPicture&& onPicture)
{
    const AVCodec* codec = avcodec_find_decoder(AV_CODEC_ID_H264);
    AVCodecContext* context = avcodec_alloc_context3(codec);
    context->thread_count = 1;
    context->flags |= AV_CODEC_FLAG_LOW_DELAY;
    avcodec_open2(context, codec, nullptr);
    int64_t pictures = 0;
    for (const auto& p : stream.packets) {
        av_new_packet(packet, static_cast<int>(p.size()));
        std::copy(p.begin(), p.end(), packet->data);
        avcodec_send_packet(context, packet);
        av_packet_unref(packet);
        while (avcodec_receive_frame(context, frame) == 0) {
            onPicture(*frame);
            ++pictures;
        }
    }
    avcodec_free_context(&context);
    return pictures;
}
