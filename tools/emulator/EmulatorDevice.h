#pragma once
// What an emulated processor knows and how it answers one frame: pure state and logic, no I/O,
// so the answers can be tested without sockets.

#include "comm/CommLibrary.h"
#include "comm/Frame.h"
#include "device/DeviceParamBlock.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace emu {

struct EmulatorDevice {
    DeviceParamBlock block{};
    uint8_t address = 1;
    std::array<uint8_t, 6> mac{0x02, 0x00, 0x00, 0x00, 0x00, 0x01};
    std::string ip = "127.0.0.1";

    uint8_t machineTime[6] = {24, 5, 17, 12, 30, 0};
    uint8_t presetFlags[10] = {};
    uint8_t captions[4][32] = {};
    uint8_t encoderInfo[10] = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    uint8_t systemInfo[18] = {};
    // The VGA record (reply 5): input u32, clock u32, phase u32, h and v position, six ADC values.
    uint8_t vga[28] = {};
    uint8_t ddc = 0;
    uint8_t testPattern = 0;
    uint8_t pixelGrab = 0;
    uint16_t grabX = 0;
    uint16_t grabY = 0;
    uint8_t feather[36] = {};
    uint8_t previewMode = 1;

    // Misbehaviour: indexes beyond every table, payloads cut short.
    bool outOfRangeIndexes = false;
    bool shortPayloads = false;
};

// A block with every byte set (reserved ones included) so that byte-exact comparisons mean
// something, and the fields a program reads within their ranges.
DeviceParamBlock MakeDefaultBlock(uint32_t seed);

// The replies a processor sends for one received frame (none for a frame it ignores). Probes are
// not replies: the caller echoes them itself.
std::vector<comm::ReplyPacket> Respond(EmulatorDevice& device, const comm::Frame& frame);

// The reply-24 event-7 payload that acknowledges one bulk-data chunk.
std::vector<uint8_t> ChunkAck(uint32_t offset, uint32_t length, uint8_t status);

}  // namespace emu
