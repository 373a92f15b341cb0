#pragma once
// The picture sizes of the preview encoder's resolution codes (its stream-settings record): the
// program sizes its views by them, and the emulator encodes its clip by them.

#include <optional>

struct PreviewCodeSize {
    int width = 0;
    int height = 0;
};

// Empty for a code the encoder does not know.
constexpr std::optional<PreviewCodeSize> PreviewSizeOfCode(int code)
{
    switch (code) {
    case 1: return PreviewCodeSize{352, 240};
    case 7: return PreviewCodeSize{640, 480};
    case 16: return PreviewCodeSize{1280, 720};
    case 17: return PreviewCodeSize{1920, 1080};
    case 19: return PreviewCodeSize{960, 540};
    case 20: return PreviewCodeSize{640, 360};
    case 21: return PreviewCodeSize{480, 270};
    default: return std::nullopt;
    }
}
