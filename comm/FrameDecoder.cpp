#include "comm/FrameDecoder.h"

#include "comm/Crc32.h"

#include <cstring>

namespace comm {

void FrameDecoder::Reset()
{
    buffer_.clear();
    start_ = 0;
}

void FrameDecoder::Feed(const uint8_t* data, std::size_t size, const Sink& sink)
{
    if (size == 0 || data == nullptr) return;
    buffer_.insert(buffer_.end(), data, data + size);
    Parse(sink);
    // Keep the unconsumed tail at the front so the buffer never grows beyond one partial frame
    // plus the latest piece.
    if (start_ > 0) {
        buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(start_));
        start_ = 0;
    }
}

void FrameDecoder::Parse(const Sink& sink)
{
    for (;;) {
        const std::size_t avail = buffer_.size() - start_;
        if (avail == 0) return;
        const uint8_t* p = buffer_.data() + start_;
        // Find the first magic byte.
        if (p[0] != kFrameMagic0) {
            const void* hit = std::memchr(p, kFrameMagic0, avail);
            const std::size_t skip = hit ? static_cast<std::size_t>(static_cast<const uint8_t*>(hit) - p) : avail;
            skipped_ += skip;
            start_ += skip;
            continue;
        }
        if (avail < 2) return;
        if (p[1] != kFrameMagic1) {
            ++skipped_;
            ++start_;
            continue;
        }
        if (avail < kFrameHeaderSize) return;
        const uint32_t length = GetU32(p + 8);
        const uint16_t headerCheck = static_cast<uint16_t>(p[12] | (p[13] << 8));
        const bool headerOk = p[2] == kFrameVersion && IsKnownFrameType(p[3]) &&
                              static_cast<uint16_t>(Crc32(p, 12)) == headerCheck &&
                              length <= MaxPayloadFor(p[3]) && length >= MinPayloadFor(p[3]);
        if (!headerOk) {
            ++badChecks_;
            ++skipped_;
            ++start_;
            continue;
        }
        const std::size_t total = kFrameHeaderSize + length + kFrameTrailerSize;
        if (avail < total) return;  // wait for the rest; never look beyond what arrived
        const uint32_t crc = GetU32(p + kFrameHeaderSize + length);
        if (Crc32(p, kFrameHeaderSize + length) != crc) {
            ++badChecks_;
            ++skipped_;
            ++start_;
            continue;
        }
        Frame frame;
        frame.type = static_cast<FrameType>(p[3]);
        frame.address = p[4];
        frame.sequence = static_cast<uint16_t>(p[6] | (p[7] << 8));
        frame.payload.assign(p + kFrameHeaderSize, p + kFrameHeaderSize + length);
        start_ += total;
        ++frames_;
        sink(std::move(frame));
    }
}

}  // namespace comm
