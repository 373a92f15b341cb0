#pragma once
// Little-endian reads from reply payloads. Fixed-extent spans carry each reply's length in the
// type, so a handler can only be called with as many bytes as it reads.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

static_assert(std::endian::native == std::endian::little,
              "records are copied in the processor's little-endian layout");

template <std::size_t N>
using ReplyBytes = std::span<const uint8_t, N>;

inline uint16_t ReadU16(std::span<const uint8_t> b, std::size_t at)
{
    return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}

inline uint32_t ReadU32(std::span<const uint8_t> b, std::size_t at)
{
    return static_cast<uint32_t>(b[at]) | (static_cast<uint32_t>(b[at + 1]) << 8) |
           (static_cast<uint32_t>(b[at + 2]) << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

inline int32_t ReadI32(std::span<const uint8_t> b, std::size_t at) { return static_cast<int32_t>(ReadU32(b, at)); }

inline float ReadF32(std::span<const uint8_t> b, std::size_t at) { return std::bit_cast<float>(ReadU32(b, at)); }

// Copies a record whose layout matches the payload byte for byte.
template <typename T, std::size_t N>
void CopyRecord(T& dst, ReplyBytes<N> src)
{
    static_assert(sizeof(T) == N, "record and payload differ in size");
    std::memcpy(&dst, src.data(), N);
}
