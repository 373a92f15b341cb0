#include "pages/signal/TestPatternRules.h"

#include <algorithm>

namespace testpattern {

int SteppedPattern(int current, int step)
{
    return std::clamp(current + step, kFirstPattern, kLastPattern);
}

GrabCoordinate GrabCoordinateFor(int typed, int outputSize)
{
    int x = std::clamp(typed, -1, 0xFFFF);
    if (outputSize > 0 && x > outputSize - 1) x = outputSize - 1;
    return {x, static_cast<uint16_t>(x < 0 ? 0xFFFF : x)};
}

}  // namespace testpattern
