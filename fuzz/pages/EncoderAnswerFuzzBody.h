#pragma once
// One input of the encoder-answer fuzz target: the bytes after the first are what the encoder sends
// back, gathered in reads whose sizes come from the first byte, as an upload reads its answer.
// Every whole 15-byte message must give the result of its own bytes, and only a well-framed
// message gives one. The libFuzzer entry point and the corpus replay test both call this.

#include "pages/system/EncoderUpload.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace fuzz_pages {

inline void EncoderAnswerOne(const uint8_t* data, size_t size)
{
    using namespace encoder_upload;
    // The whole input as one answer: only exactly 15 well-framed bytes give a result.
    const std::optional<uint8_t> whole = ReplyResult(data, size);
    if (whole && (size != kMessageSize || data[0] != 0xFF || data[1] != 0x01 || data[2] != 0 || data[3] != 0 ||
                  data[6] != kOpReply || *whole != data[7]))
        std::abort();
    if (size == 0) return;

    const std::size_t step = 1 + data[0] % 23;
    AnswerAssembler answer;
    std::size_t messageStart = 1;
    for (std::size_t pos = 1; pos < size;) {
        const std::size_t room = answer.Room();
        if (room < 1 || room > kMessageSize || answer.Have() != pos - messageStart) std::abort();
        const std::size_t n = std::min({step, room, size - pos});
        std::memcpy(answer.Space(), data + pos, n);
        pos += n;
        std::optional<uint8_t> result;
        if (!answer.Received(n, result)) continue;
        if (pos - messageStart != kMessageSize) std::abort();
        const uint8_t* m = data + messageStart;
        const bool framed = m[0] == 0xFF && m[1] == 0x01 && m[2] == 0 && m[3] == 0 && m[6] == kOpReply;
        if (framed != result.has_value() || (result && *result != m[7])) std::abort();
        messageStart = pos;
    }

    // What the program sends reads back as an answer only when it carries the answer's code.
    if (size >= 6) {
        uint32_t value = 0;
        std::memcpy(&value, data + 2, 4);
        const Message m = MakeMessage(data[1], value);
        const auto r = ReplyResult(m.data(), m.size());
        if (r.has_value() != (data[1] == kOpReply) || (r && *r != uint8_t(value))) std::abort();
    }
    // Progress of any sent and size: 0..99 until the answer.
    if (size >= 17) {
        uint64_t sent = 0, total = 0;
        std::memcpy(&sent, data + 1, 8);
        std::memcpy(&total, data + 9, 8);
        const int p = ProgressAfter(sent, total);
        if (p < 0 || p >= kProgressDone) std::abort();
        if (ResultLineFor(p) == ResultLine::Failure || ResultLineFor(p) == ResultLine::Success) std::abort();
    }
}

}  // namespace fuzz_pages
