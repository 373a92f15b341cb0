// Fuzz target for the frame decoder and the payload readers: arbitrary bytes, fed in pieces whose
// sizes come from the input itself. Every frame that comes out must re-encode to bytes that
// decode to the same frame, and the decoder must never hold more than one frame's worth of bytes
// plus the latest piece.

#include "comm/Frame.h"
#include "comm/FrameDecoder.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    const std::size_t step = 1 + data[0] % 64;
    comm::FrameDecoder decoder;
    auto check = [](comm::Frame&& f) {
        const auto bytes = comm::EncodeFrame(f);
        comm::FrameDecoder again;
        int n = 0;
        again.Feed(bytes.data(), bytes.size(), [&](comm::Frame&& g) {
            ++n;
            if (g.type != f.type || g.address != f.address || g.sequence != f.sequence || g.payload != f.payload)
                std::abort();
        });
        if (n != 1) std::abort();
        comm::ReplyPacket reply;
        int32_t id;
        std::array<uint8_t, comm::kCommandBlockSize> params;
        uint32_t offset, length;
        const uint8_t* bulk;
        switch (f.type) {
        case comm::FrameType::Reply: comm::ReadReplyPayload(f.payload, reply); break;
        case comm::FrameType::Command: comm::ReadCommandPayload(f.payload, id, params); break;
        case comm::FrameType::BulkData:
            if (comm::ReadBulkPayload(f.payload, offset, bulk, length)) {
                // Touch every byte the reader hands out: the sanitizer checks they are in bounds.
                volatile uint8_t sum = 0;
                for (uint32_t i = 0; i < length; ++i) sum = static_cast<uint8_t>(sum + bulk[i]);
            }
            break;
        default: break;
        }
    };
    for (std::size_t pos = 1; pos < size; pos += step) {
        const std::size_t n = std::min(step, size - pos);
        decoder.Feed(data + pos, n, check);
        if (decoder.Buffered() > comm::kFrameOverhead + comm::MaxPayloadFor(4) + step) std::abort();
    }
    return 0;
}
