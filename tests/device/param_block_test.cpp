#include "device/DeviceParamBlock.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

// The layout itself is pinned by static_asserts; this checks that a block survives a copy through
// the struct with every byte, padding and reserved bytes included.
TEST(DeviceParamBlock, RandomBytesSurviveACopyThroughTheStruct)
{
    std::mt19937 rng(7);
    std::vector<uint8_t> bytes(sizeof(DeviceParamBlock));
    for (auto& b : bytes) b = static_cast<uint8_t>(rng());
    DeviceParamBlock block;
    std::memcpy(&block, bytes.data(), bytes.size());
    DeviceParamBlock copy = block;
    std::vector<uint8_t> out(sizeof(DeviceParamBlock));
    std::memcpy(out.data(), &copy, out.size());
    EXPECT_EQ(out, bytes);
}
