#pragma once
// Streaming frame decoder: takes bytes in whatever pieces they arrive and hands out whole, checked
// frames. Junk, frames with a bad header check or a bad CRC, and frames that declare a length
// beyond what their type allows are skipped by moving one byte on and searching for the next
// magic, so one damaged frame never costs the frames after it. The decoder only ever buffers the
// bytes it has been given; a declared length is checked against the type's cap before anything
// is reserved for it.

#include "comm/Frame.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace comm {

class FrameDecoder {
public:
    using Sink = std::function<void(Frame&&)>;

    // Decodes what it can; sink is called once per complete frame, in order.
    void Feed(const uint8_t* data, std::size_t size, const Sink& sink);
    // Forgets any partial frame (after a link drops).
    void Reset();

    std::size_t Buffered() const { return buffer_.size() - start_; }
    uint64_t FramesDecoded() const { return frames_; }
    uint64_t BytesSkipped() const { return skipped_; }
    uint64_t BadChecks() const { return badChecks_; }

private:
    void Parse(const Sink& sink);

    std::vector<uint8_t> buffer_;
    std::size_t start_ = 0;  // first unconsumed byte of buffer_
    uint64_t frames_ = 0;
    uint64_t skipped_ = 0;
    uint64_t badChecks_ = 0;
};

}  // namespace comm
