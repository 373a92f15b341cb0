#pragma once
// A short H.264 clip for the emulator's preview stream, encoded at start with libx264 through
// libavcodec: a 2 x 2 mosaic, as a processor's preview encoder sends its four layers, of sliding
// bars over a colour per quadrant (red, green, blue, grey); Annex B packets, one access unit per
// packet.

#include <cstdint>
#include <string>
#include <vector>

namespace emu {

// Empty with error set when the encoder is not available.
std::vector<std::vector<uint8_t>> EncodeTestClip(int width, int height, int frames, std::string* error = nullptr);

}  // namespace emu
