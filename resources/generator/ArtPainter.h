#pragma once
// Paints the program's pictures: one dark, consistent look (rounded skins, line pictograms,
// orange accent), no text in any picture.

#include "resources/ImageTable.h"

#include <QImage>

#include <cstdint>
#include <vector>

// The picture of a PNG, bitmap or icon id, at its table size (ARGB, or RGB for bitmaps).
QImage PaintArt(const ImageSpec& spec);

// The frames of the busy animation, as palette indices over one shared palette.
struct BusyAnimationFrames {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> palette;  // 0xRRGGBB
    std::vector<std::vector<std::uint8_t>> frames;
    int delay = 8;                       // hundredths of a second per frame
};
BusyAnimationFrames PaintBusyAnimation(int width, int height);
