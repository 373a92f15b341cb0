#include "comm/FrameDecoder.h"

#include "comm/Crc32.h"

#include <algorithm>
#include <cstring>

namespace comm {
namespace {

// Frames this short are checked directly: cheaper than two checkpoint look-ups and a shift.
constexpr std::size_t kDirectCrcLimit = 2 * FrameDecoder::kCheckpointStride;
// Consumed bytes are dropped from the front once there are this many and they are at least half
// the buffer, so moving the tail costs O(1) per byte.
constexpr std::size_t kCompactAfter = 16 * 1024;

}  // namespace

FrameDecoder::FrameDecoder() { Reset(); }

void FrameDecoder::Reset()
{
    buffer_.clear();
    start_ = 0;
    origin_ = 0;
    runPos_ = 0;
    runCrc_ = 0;
    checkpoints_.assign(1, 0);
    waitingAt_ = UINT64_MAX;
}

void FrameDecoder::Feed(const uint8_t* data, std::size_t size, const Sink& sink)
{
    if (size == 0 || data == nullptr) return;
    fed_ += size;
    buffer_.insert(buffer_.end(), data, data + size);
    RunCrcTo(origin_ + buffer_.size());
    Parse(sink);
    Compact();
}

void FrameDecoder::RunCrcTo(uint64_t end)
{
    while (runPos_ < end) {
        const uint64_t nextMark = (runPos_ / kCheckpointStride + 1) * kCheckpointStride;
        const uint64_t to = std::min(end, nextMark);
        const std::size_t n = static_cast<std::size_t>(to - runPos_);
        runCrc_ = Crc32(buffer_.data() + (runPos_ - origin_), n, runCrc_);
        examined_ += n;
        runPos_ = to;
        if (to == nextMark) checkpoints_.push_back(runCrc_);
    }
}

uint32_t FrameDecoder::CrcAt(uint64_t pos)
{
    const std::size_t k = static_cast<std::size_t>((pos - origin_) / kCheckpointStride);
    const uint64_t base = origin_ + k * kCheckpointStride;
    const std::size_t n = static_cast<std::size_t>(pos - base);
    examined_ += n;
    return Crc32(buffer_.data() + (base - origin_), n, checkpoints_[k]);
}

void FrameDecoder::Compact()
{
    if (start_ == buffer_.size()) {
        // Nothing pending refers back: start the running CRC afresh.
        Reset();
        return;
    }
    if (start_ < kCompactAfter || start_ < buffer_.size() / 2) return;
    const std::size_t drop = start_ / kCheckpointStride * kCheckpointStride;
    buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(drop));
    checkpoints_.erase(checkpoints_.begin(), checkpoints_.begin() + static_cast<std::ptrdiff_t>(drop / kCheckpointStride));
    origin_ += drop;
    start_ -= drop;
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
            examined_ += hit ? skip + 1 : skip;
            skipped_ += skip;
            start_ += skip;
            continue;
        }
        if (avail < 2) return;
        ++examined_;
        if (p[1] != kFrameMagic1) {
            ++skipped_;
            ++start_;
            continue;
        }
        if (avail < kFrameHeaderSize) return;
        const uint64_t here = origin_ + start_;
        const uint32_t length = GetU32(p + 8);
        if (here != waitingAt_) {
            const uint16_t headerCheck = static_cast<uint16_t>(p[12] | (p[13] << 8));
            bool headerOk = p[2] == kFrameVersion && IsKnownFrameType(p[3]) && length <= MaxPayloadFor(p[3]) &&
                            length >= MinPayloadFor(p[3]);
            if (headerOk) {
                examined_ += 12;
                headerOk = static_cast<uint16_t>(Crc32(p, 12)) == headerCheck;
            }
            if (!headerOk) {
                ++badChecks_;
                ++skipped_;
                ++start_;
                continue;
            }
        }
        const std::size_t checked = kFrameHeaderSize + length;
        const std::size_t total = checked + kFrameTrailerSize;
        if (avail < total) {
            waitingAt_ = here;
            return;  // wait for the rest; never look beyond what arrived
        }
        waitingAt_ = UINT64_MAX;
        const uint32_t crc = GetU32(p + checked);
        uint32_t actual;
        if (checked <= kDirectCrcLimit) {
            examined_ += checked;
            actual = Crc32(p, checked);
        } else {
            actual = CrcAt(here + checked) ^ Crc32Shift(CrcAt(here), checked);
        }
        if (actual != crc) {
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
