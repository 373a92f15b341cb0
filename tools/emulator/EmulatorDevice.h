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
    DeviceParamBlock presetBlocks[10]{};  // what each stored slot holds
    // Caption records as reply 25 carries them (byte 14 output index, byte 28 caption number).
    uint8_t captions[4][32] = {
        {0x58, 0x02, 60, 0, 0, 0, 0, 0, 0x58, 0x02, 0, 0, 0, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0},
        {0x58, 0x02, 60, 0, 0, 0, 0, 0, 0x58, 0x02, 0, 0, 0, 0, 1, 0, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 1},
        {0x58, 0x02, 60, 0, 0, 0, 0, 0, 0x58, 0x02, 0, 0, 0, 0, 2, 0, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 2},
        {0x58, 0x02, 60, 0, 0, 0, 0, 0, 0x58, 0x02, 0, 0, 0, 0, 3, 0, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 3},
    };
    // The caption picture being received: announced size, and the rows as the chunks filled them
    // (top row first).
    uint16_t captionWidth = 0;
    uint16_t captionHeight = 0;
    uint8_t captionNo = 0;
    std::vector<uint8_t> captionRows;
    uint32_t captionChunks = 0;  // chunks received for the current picture (resends included)
    // The preview encoder's records, by type (byte 0): 0 its address (bytes 5..8, the processor's
    // own address is used), 1 its version (bytes 1..2, high byte first), 2 the stream settings
    // (frame rate, resolution code, bit rate high and low byte at 2..5).
    uint8_t encoderRecords[3][10] = {
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
        {1, 0x01, 0x07, 0, 0, 0, 0, 0, 0, 0},
        {2, 0, 7, 17, 0x20, 0x00, 0, 0, 0, 0},
    };
    uint8_t ledOutput = 0;  // the output the LED configuration talks to
    // System information (reply 19): supply voltage x 100 at 2, version letters at 4..7, three
    // version numbers at 8, 10, 12 (no second version number).
    uint8_t systemInfo[18] = {1, 0, 0xB5, 0x04, 'E', 'M', 'U', 'L', 0x01, 0, 0x29, 0, 0x03, 0};
    // The VGA record (reply 5): input u32, clock u32, phase u32, h and v position, six ADC values
    // (a 1024 x 768 at 60 Hz source, the ADC at its reset values).
    uint8_t vga[28] = {0, 0, 0, 0, 0x40, 0x05, 0, 0, 16, 0, 0, 0, 0, 0,
                       0, 2, 0, 2, 0, 2, 0, 2, 0, 2, 0, 2};
    uint8_t ddc = 0;
    uint8_t testPattern = 0;
    uint8_t pixelGrab = 0;
    uint16_t grabX = 0;
    uint16_t grabY = 0;
    uint8_t feather[36] = {};
    uint8_t previewMode = 0;  // 1 while the preview encoder streams
    uint8_t multiMachine = 0;  // the flag the last TAKE carried

    // What the processor did that leaves no trace in the block.
    int factoryResets = 0;
    int mediaKeys = 0;
    uint8_t lastMediaKey[2] = {};  // key code, disk

    // Misbehaviour: indexes beyond every table, payloads cut short.
    bool outOfRangeIndexes = false;
    bool shortPayloads = false;
    // Caption misbehaviour: refuse every announced picture; take the next chunks without an
    // acknowledgement.
    bool refuseCaptions = false;
    int dropChunkAcks = 0;
};

// A caption record after Initialise.
void ResetCaptionRecord(uint8_t (&record)[32], int n);

// A block of noise with every byte set (reserved ones included) so that byte-exact comparisons
// mean something, and only the fields that select tables kept in range: what tests and the
// misbehaving emulator hold. A processor out of the box holds FactoryBlock (FactoryBlock.h).
DeviceParamBlock MakeSeededBlock(uint32_t seed);

// What the processor remembers of one link (a TCP client or the serial line).
struct LinkState {
    bool fullRead = false;           // the program read the whole configuration
    bool systemInfoAnnounced = false;
};

// The replies a processor sends for one received frame (none for a frame it ignores). Probes are
// not replies: the caller echoes them itself. link is the frame's link (null for datagrams).
std::vector<comm::ReplyPacket> Respond(EmulatorDevice& device, const comm::Frame& frame, LinkState* link = nullptr);

// The reply-24 event-7 payload that acknowledges one bulk-data chunk.
std::vector<uint8_t> ChunkAck(uint32_t offset, uint32_t length, uint8_t status);

}  // namespace emu
