#pragma once
// A short H.264 clip for the emulator's preview stream, encoded at start with libx264 through
// libavcodec: moving colour bars, Annex B packets, one access unit per packet.

#include <cstdint>
#include <string>
#include <vector>

namespace emu {

// Empty with error set when the encoder is not available.
std::vector<std::vector<uint8_t>> EncodeTestClip(int width, int height, int frames, std::string* error = nullptr);

}  // namespace emu
