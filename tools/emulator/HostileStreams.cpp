#include "tools/emulator/HostileStreams.h"

#include "comm/Crc32.h"
#include "comm/Frame.h"

namespace emu {

std::vector<uint8_t> CraftedHeaderStream(std::size_t headers)
{
    const uint32_t length = static_cast<uint32_t>(comm::MaxPayloadFor(static_cast<uint8_t>(comm::FrameType::Reply)));
    std::vector<uint8_t> out;
    out.reserve(headers * comm::kFrameHeaderSize + length + comm::kFrameTrailerSize);
    for (std::size_t i = 0; i < headers; ++i) {
        const std::size_t at = out.size();
        const uint8_t h[12] = {comm::kFrameMagic0, comm::kFrameMagic1, comm::kFrameVersion,
                               static_cast<uint8_t>(comm::FrameType::Reply), 1, 0,
                               static_cast<uint8_t>(i), static_cast<uint8_t>(i >> 8),
                               static_cast<uint8_t>(length), static_cast<uint8_t>(length >> 8),
                               static_cast<uint8_t>(length >> 16), static_cast<uint8_t>(length >> 24)};
        out.insert(out.end(), h, h + 12);
        const uint32_t check = comm::Crc32(out.data() + at, 12);
        out.push_back(static_cast<uint8_t>(check));
        out.push_back(static_cast<uint8_t>(check >> 8));
    }
    // The filler: the last header's frame ends (trailer included) exactly where it does.
    out.resize(out.size() + length + comm::kFrameTrailerSize, 0x11);
    return out;
}

}  // namespace emu
