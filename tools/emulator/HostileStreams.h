#pragma once
// Byte streams a misbehaving processor sends, for the emulator and for tests and benchmarks that
// need them without a socket.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace emu {

// `headers` valid reply headers back to back, each declaring the largest reply payload, then
// filler (no magic bytes) long enough that every one of those frames completes with a bad CRC.
// Nothing in it decodes.
std::vector<uint8_t> CraftedHeaderStream(std::size_t headers);

}  // namespace emu
