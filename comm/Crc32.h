#pragma once
// CRC-32 (IEEE 802.3, reflected, polynomial 0xEDB88320) as used by the frame trailer.

#include <cstddef>
#include <cstdint>

namespace comm {

// Continues a running CRC: pass 0 to start, the previous result to go on.
uint32_t Crc32(const uint8_t* data, std::size_t size, uint32_t crc = 0);

// What crc (the CRC of some bytes A) contributes to the CRC of A followed by `length` more bytes:
// Crc32(AB) == Crc32Shift(Crc32(A), |B|) ^ Crc32(B). So the CRC of any stretch follows from two
// running CRCs in O(log length), without reading the stretch again.
uint32_t Crc32Shift(uint32_t crc, uint64_t length);

}  // namespace comm
