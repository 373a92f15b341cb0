#pragma once
// CRC-32 (IEEE 802.3, reflected, polynomial 0xEDB88320) as used by the frame trailer.

#include <cstddef>
#include <cstdint>

namespace comm {

// Continues a running CRC: pass 0 to start, the previous result to go on.
uint32_t Crc32(const uint8_t* data, std::size_t size, uint32_t crc = 0);

}  // namespace comm
