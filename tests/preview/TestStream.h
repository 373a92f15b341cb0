#pragma once
// Test streams: H.264 encoded at test time with libx264 through libavcodec. Every picture is
// a 2x2 mosaic of four flat colours whose brightness steps with the picture index.
#include <cstdint>
#include <string>
#include <vector>

struct QuadrantColours {
    uint8_t y[4];
    uint8_t u[4];
    uint8_t v[4];
};

// Colours of picture `index` (quadrants 0 top-left, 1 top-right, 2 bottom-left, 3 bottom-right).
QuadrantColours ColoursForPicture(int index);

struct EncodedStream {
    int width = 0;
    int height = 0;
    std::vector<std::vector<uint8_t>> packets;  // one access unit per picture
};

// Empty packets and a message in `error` when libx264 is missing or encoding fails.
EncodedStream EncodeQuadrantStream(int width, int height, int pictures, int firstIndex, std::string* error);

// A moving test pattern (sliding colour bars, a bouncing box and a drifting texture) encoded
// with libx264 at the given preset, tuned for low latency as a live preview would be: no
// B-pictures, a key picture every 60. For benchmarks; threads are allowed for the encoding.
EncodedStream EncodeMovingPatternStream(int width, int height, int pictures, const char* preset, std::string* error);

// The picture index (mod 256) a moving-pattern picture carries; the picture must be at least
// 128 x 16.
int ReadPictureStamp(const uint8_t* y, int lumaPitch);

// Reads the colour of quadrant q from tight or strided planes (sampled at the quadrant centre).
struct PlaneView {
    const uint8_t* y;
    const uint8_t* u;
    const uint8_t* v;
    int width;
    int height;
    int lumaPitch;
    int chromaPitch;
};
void SampleQuadrants(const PlaneView& planes, QuadrantColours* out);

// Whether two colours are within the encoder's loss.
bool ColoursClose(const QuadrantColours& a, const QuadrantColours& b, int tolerance = 4);
std::string DescribeColours(const QuadrantColours& c);
