#pragma once
// One input of the H.264 fuzz target: the preview stream as the processor sends it, cut into
// packets by two-byte little-endian lengths in the input itself, fed to a fresh decoder and
// drained after each packet as the preview channel does, then flushed. Every picture that comes
// out must describe planes that can be read whole: its visible rows, each as wide as it claims.
// Every other picture is held past the next call, as the channel keeps one for its renderer.
// The libFuzzer entry point and the corpus replay test both call this. A broken invariant aborts.

#include "platform/H264Decoder.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace fuzz_preview {

inline void TouchPicture(const Hi264DecPicture& p)
{
    const int64_t rows = int64_t(p.height) - p.cropBottom;
    if (!p.y || !p.u || !p.v || p.width <= 0 || rows <= 0 || p.cropBottom < 0 || p.lumaStride < p.width ||
        p.chromaStride < (p.width + 1) / 2)
        std::abort();
    // Every visible byte is read: the sanitizer checks that it lies in the picture's buffers.
    volatile uint8_t sum = 0;
    uint8_t s = 0;
    for (int64_t y = 0; y < rows; ++y)
        for (int64_t x = 0; x < p.width; ++x) s = uint8_t(s + p.y[y * p.lumaStride + x]);
    for (int64_t y = 0; y < (rows + 1) / 2; ++y)
        for (int64_t x = 0; x < (p.width + 1) / 2; ++x)
            s = uint8_t(s + p.u[y * p.chromaStride + x] + p.v[y * p.chromaStride + x]);
    sum = s;
    (void)sum;
}

inline void H264StreamOne(const uint8_t* data, size_t size)
{
    Hi264DecAttr attr{};
    attr.widthInMbs = 2;
    attr.heightInMbs = 2;
    attr.maxRefFrames = 16;
    Hi264DecHandle decoder = Hi264DecCreate(&attr);
    if (!decoder) return;
    Hi264DecPictureHold held = nullptr;
    Hi264DecPicture heldPlanes{};
    int pictures = 0;
    auto feed = [&](const uint8_t* packet, uint32_t length) {
        const uint32_t flags = length == 0 ? HI264_FLAG_END_OF_STREAM : 0;
        Hi264DecPicture picture{};
        int r = Hi264DecFrame(decoder, length ? packet : nullptr, length, 0, &picture, flags);
        for (int guard = 0; guard < 1024; ++guard) {
            if (r == HI264_NEED_MORE || r == HI264_END_OF_STREAM) return;
            if (r == HI264_PICTURE) {
                TouchPicture(picture);
                if (held) {
                    // The held picture is still whole after the decoder moved on.
                    TouchPicture(heldPlanes);
                    Hi264DecReleasePicture(held);
                    held = nullptr;
                }
                if (++pictures % 2 == 0) held = Hi264DecHoldPicture(decoder, &picture, &heldPlanes);
            } else if (r != HI264_BAD_DATA && r != HI264_BAD_FORMAT) {
                std::abort();
            }
            r = Hi264DecFrame(decoder, nullptr, 0, 0, &picture, flags);
        }
        std::abort();  // a decoder that never stops answering
    };
    std::size_t at = 0;
    while (at < size) {
        std::size_t length = size - at;
        if (length >= 2) {
            const std::size_t said = data[at] | std::size_t(data[at + 1]) << 8;
            at += 2;
            length = std::min(said, size - at);
        }
        // A packet of its own, exactly as long as it is, so that a read past it is caught.
        const std::vector<uint8_t> packet(data + at, data + at + length);
        at += length;
        if (!packet.empty()) feed(packet.data(), static_cast<uint32_t>(packet.size()));
    }
    feed(nullptr, 0);
    if (held) {
        Hi264DecDestroy(decoder);
        // A hold outlives its decoder.
        TouchPicture(heldPlanes);
        Hi264DecReleasePicture(held);
    } else {
        Hi264DecDestroy(decoder);
    }
}

}  // namespace fuzz_preview
