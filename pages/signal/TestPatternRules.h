#pragma once
// The test-pattern page's rules without a window: pattern numbers and pixel-grab positions.

#include <cstdint>

namespace testpattern {

constexpr int kFirstPattern = 1;
constexpr int kLastPattern = 111;

// The pattern after a "<<" (-1) or ">>" (+1) step, kept within 1..111.
int SteppedPattern(int current, int step);

// A grab position typed into an edit (-1..9999) against the output's size on that axis: a
// position past the last pixel is pulled back to it (shown and stored); -1 stands for "none" and
// is stored as 0xFFFF. An unknown size (0) pulls nothing back.
struct GrabCoordinate {
    int shown;
    uint16_t stored;
};
GrabCoordinate GrabCoordinateFor(int typed, int outputSize);

}  // namespace testpattern
