#pragma once
// A small GIF89a writer (LZW encoder included): Qt reads GIFs but cannot write them. Used for
// the busy animation and by tests that need GIFs with known frames, delays and disposals.

#include <cstdint>
#include <vector>

struct GifWriterFrame {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> indices;        // width x height palette indices, row by row
    std::vector<std::uint32_t> localPalette;  // 0xRRGGBB; empty: use the global table
    int delay = 0;                            // hundredths of a second
    int disposal = 0;                         // 0..7, written into the control extension
    int transparentIndex = -1;                // -1: none
    bool controlExtension = true;             // write a graphic control extension
    bool interlaced = false;
};

struct GifWriterImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> globalPalette;  // 0xRRGGBB; empty: no global table
    int backgroundIndex = 0;
    int loopCount = 0;                          // 0 forever; -1 writes no looping extension
    bool comment = false;                       // write a comment extension before the frames
    std::vector<GifWriterFrame> frames;
};

// The whole file. Palettes are padded to a power of two (at least 2 entries, at most 256);
// out-of-range indices are clamped into the palette.
std::vector<std::uint8_t> EncodeGif(const GifWriterImage& image);

// LZW-compressed image data (code stream only, not yet split into sub-blocks).
std::vector<std::uint8_t> LzwEncode(const std::vector<std::uint8_t>& indices, int minCodeSize);
