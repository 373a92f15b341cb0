#include "tools/emulator/PreviewFormat.h"

#include "device/PreviewFormatCodes.h"

#include <algorithm>

namespace emu {

std::optional<PreviewFormat> PreviewFormatOf(const uint8_t (&record)[10])
{
    const auto size = PreviewSizeOfCode(record[3]);
    if (!size) return std::nullopt;
    return PreviewFormat{size->width, size->height, 1000 / std::max<int>(1, record[2])};
}

}  // namespace emu
