#pragma once
// GIF reading without any window: the block walk (which blocks make up each frame, with their
// delays and disposal methods) and the LZW decoding of each frame into ARGB pixels.
// Every read is bounds-checked; corrupt or hostile data is cut short, never read past.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// Limits against hostile headers: no picture of the program comes near them.
inline constexpr int kGifMaxSide = 4096;              // logical screen width and height
inline constexpr long long kGifMaxArea = 2048LL * 2048; // logical screen pixels
inline constexpr long long kGifMaxFrameArea = kGifMaxArea;  // pixels of one image descriptor
inline constexpr long long kGifMaxTotalPixels = 32LL * 1024 * 1024;  // decoded over all frames

// One graphic block found by the walk: optional control extension, then an image (or a plain
// text extension, which carries no pixels).
struct GifBlockInfo {
    std::size_t start = 0;        // first byte of the block (its first extension)
    std::size_t end = 0;          // one past its last byte
    bool hasImage = false;        // false: plain text extension
    std::size_t imageOffset = 0;  // the 0x2C byte
    int x = 0, y = 0, width = 0, height = 0;
    int delay = 0;                // hundredths of a second; 0 without control extension
    int disposal = 0;             // 0..7
    int transparentIndex = -1;
};

struct GifWalk {
    bool isGif = false;          // starts with "GIF"
    int width = 0;               // logical screen
    int height = 0;
    bool hasGlobalTable = false;
    std::size_t globalTableSize = 0;   // bytes
    int backgroundIndex = 0;
    std::uint32_t background = 0xFF000000;  // ARGB; from the global table when it has one
    std::size_t firstBlock = 0;        // 13 + global table size
    std::vector<GifBlockInfo> blocks;  // graphic blocks before the walk ended
};

// Walks the blocks of data. A stream without the "GIF" signature gives isGif false; a header cut
// short gives isGif true and no blocks.
GifWalk WalkGif(const std::uint8_t* data, std::size_t size);

struct GifFrame {
    int x = 0, y = 0, width = 0, height = 0;  // clipped to the logical screen
    int delay = 0;
    int disposal = 0;
    std::vector<std::uint32_t> pixels;        // width x height ARGB; alpha 0 = transparent
};

struct GifImage {
    int width = 0;
    int height = 0;
    std::uint32_t background = 0xFF000000;
    int graphicBlocks = 0;         // graphic blocks the walk counted
    std::vector<GifFrame> frames;  // frames whose pixels decoded
};

// The frames of a GIF. Nothing for a non-GIF stream, a screen beyond the limits, or a stream
// without a decodable frame. A frame whose data end early keeps the pixels decoded so far.
std::optional<GifImage> DecodeGif(const std::uint8_t* data, std::size_t size);

// How long a frame stays: delays under 5 hundredths mean 100 ms, otherwise delay x 10 ms.
int GifDelayMs(int hundredths);
