#pragma once
// The stream the emulated preview encoder sends, as its stream-settings record (encoder record
// type 2: frame rate at 2, resolution code at 3) describes it.

#include <cstdint>
#include <optional>

namespace emu {

struct PreviewFormat {
    int width = 0;
    int height = 0;
    int intervalMs = 0;  // between pictures
    bool operator==(const PreviewFormat&) const = default;
};

// Empty for a resolution code the encoder does not know.
std::optional<PreviewFormat> PreviewFormatOf(const uint8_t (&streamRecord)[10]);

}  // namespace emu
