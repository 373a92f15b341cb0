#pragma once
// Streaming frame decoder: takes bytes in whatever pieces they arrive and hands out whole, checked
// frames. Junk, frames with a bad header check or a bad CRC, and frames that declare a length
// beyond what their type allows are skipped by moving one byte on and searching for the next
// magic, so one damaged frame never costs the frames after it. The decoder only ever buffers the
// bytes it has been given; a declared length is checked against the type's cap before anything
// is reserved for it.
//
// The work is linear in the bytes fed, whatever they are. Each byte is checksummed once as it
// arrives (a running CRC, with a checkpoint every kCheckpointStride bytes); a complete frame's
// CRC then follows from the running CRCs at its two ends, so a stream of valid headers that each
// declare the largest payload, every one of them overlapping the next and failing its CRC, costs
// a bounded amount per header instead of re-reading megabytes per header.

#include "comm/Frame.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace comm {

class FrameDecoder {
public:
    using Sink = std::function<void(Frame&&)>;

    FrameDecoder();

    // Decodes what it can; sink is called once per complete frame, in order.
    void Feed(const uint8_t* data, std::size_t size, const Sink& sink);
    // Forgets any partial frame (after a link drops).
    void Reset();

    std::size_t Buffered() const { return buffer_.size() - start_; }
    uint64_t FramesDecoded() const { return frames_; }
    uint64_t BytesSkipped() const { return skipped_; }
    uint64_t BadChecks() const { return badChecks_; }
    uint64_t BytesFed() const { return fed_; }
    // Bytes read while searching and checksumming (a byte read twice counts twice); stays within
    // a small multiple of BytesFed() for any stream.
    uint64_t BytesExamined() const { return examined_; }

    static constexpr std::size_t kCheckpointStride = 64;

private:
    void Parse(const Sink& sink);
    void RunCrcTo(uint64_t end);
    // CRC of stream bytes [crcZero, pos), for a position still in the buffer and already covered.
    uint32_t CrcAt(uint64_t pos);
    void Compact();

    std::vector<uint8_t> buffer_;
    std::size_t start_ = 0;   // first unconsumed byte of buffer_
    uint64_t origin_ = 0;     // stream position of buffer_[0], a multiple of kCheckpointStride
    uint64_t runPos_ = 0;     // stream position the running CRC has reached
    uint32_t runCrc_ = 0;
    std::vector<uint32_t> checkpoints_;  // CRC up to origin_ + k * kCheckpointStride
    // A checked header whose frame has not fully arrived: it is not checked again on every piece.
    uint64_t waitingAt_ = UINT64_MAX;
    uint64_t frames_ = 0;
    uint64_t skipped_ = 0;
    uint64_t badChecks_ = 0;
    uint64_t fed_ = 0;
    uint64_t examined_ = 0;
};

}  // namespace comm
