#include "device/DeviceParamBlock.h"
#include "device_test_support.h"

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

// A block as a processor sends it (reply 2 hands it to ParseParamBlock) goes back out through
// command 22 byte for byte, reserved bytes included.
TEST_F(DeviceTest, ARandomBlockReceivedAndSentBackIsByteIdentical)
{
    for (unsigned seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(seed);
        std::mt19937 rng(seed);
        std::vector<uint8_t> bytes(sizeof(DeviceParamBlock));
        for (auto& b : bytes) b = static_cast<uint8_t>(rng());
        DeviceParamBlock received;
        std::memcpy(&received, bytes.data(), bytes.size());
        // DP modes other than 0 and 1 leave the layers' inputs as they came.
        received.dpMode[0] = 2;
        received.dpMode[1] = 3;
        std::memcpy(bytes.data(), &received, bytes.size());

        CDeviceData d;
        d.ParseParamBlock(received);
        rec.ClearCalls();
        d.SendCommand(CMD_SEND_ALL_DATA);
        const auto calls = rec.Calls();
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].op, comm::RecordedCall::Op::SendBlock);
        EXPECT_EQ(calls[0].bytes, bytes);
    }
}
