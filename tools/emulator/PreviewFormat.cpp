#include "tools/emulator/PreviewFormat.h"

#include <algorithm>

namespace emu {

std::optional<PreviewFormat> PreviewFormatOf(const uint8_t (&record)[10])
{
    struct Size {
        uint8_t code;
        int width, height;
    };
    static constexpr Size kSizes[] = {{1, 352, 240},  {7, 640, 480},  {16, 1280, 720}, {17, 1920, 1080},
                                      {19, 960, 540}, {20, 640, 360}, {21, 480, 270}};
    for (const Size& s : kSizes)
        if (s.code == record[3]) return PreviewFormat{s.width, s.height, 1000 / std::max<int>(1, record[2])};
    return std::nullopt;
}

}  // namespace emu
