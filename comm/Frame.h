#pragma once
// The wire frame shared by serial, TCP and UDP links.
//
//   offset size  field
//   0      2     magic 0x5A 0xC3
//   2      1     version (1)
//   3      1     frame type (FrameType)
//   4      1     device address (target on the way out, sender on the way back; 0xFF all)
//   5      1     reserved, 0
//   6      2     sequence number, per link, little-endian
//   8      4     payload length, little-endian
//   12     2     header check: low 16 bits of the CRC-32 of bytes 0..11
//   14     n     payload
//   14+n   4     CRC-32 of bytes 0 .. 13+n, little-endian
//
// The header check lets a receiver reject a corrupted length at once instead of waiting for
// bytes that will never come; the trailer CRC guards the payload.

#include "comm/CommLibrary.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace comm {

// A little-endian 32-bit value at p (frames carry every multi-byte field that way).
inline uint32_t GetU32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

enum class FrameType : uint8_t {
    Command = 1,     // i32 command id + the 32-byte command block
    ParamBlock = 2,  // the 2360-byte parameter block (command 22)
    BulkData = 3,    // u32 offset + u32 length + data
    Reply = 4,       // u16 reply id, u8 status, u8 reserved, i32 args[2], payload
    Probe = 5,       // link keep-alive, empty; a processor echoes it
};

constexpr uint8_t kFrameMagic0 = 0x5A;
constexpr uint8_t kFrameMagic1 = 0xC3;
constexpr uint8_t kFrameVersion = 1;
constexpr std::size_t kFrameHeaderSize = 14;
constexpr std::size_t kFrameTrailerSize = 4;
constexpr std::size_t kFrameOverhead = kFrameHeaderSize + kFrameTrailerSize;

constexpr std::size_t kCommandPayloadSize = 4 + kCommandBlockSize;
constexpr std::size_t kBulkHeaderSize = 8;
constexpr std::size_t kMaxBulkData = 64 * 1024;
constexpr std::size_t kReplyHeaderSize = 12;
// Video packets (reply 26) are the largest replies: a key frame of a small preview stream.
constexpr std::size_t kMaxReplyPayload = 4 * 1024 * 1024;

bool IsKnownFrameType(uint8_t type);
// Largest payload a frame of this type may declare; 0 for an unknown type.
std::size_t MaxPayloadFor(uint8_t type);
// Smallest payload a frame of this type may declare.
std::size_t MinPayloadFor(uint8_t type);

struct Frame {
    FrameType type = FrameType::Command;
    uint8_t address = 0;
    uint16_t sequence = 0;
    std::vector<uint8_t> payload;
};

// Appends one encoded frame to out.
void AppendFrame(std::vector<uint8_t>& out, FrameType type, uint8_t address, uint16_t sequence,
                 const uint8_t* payload, std::size_t size);
std::vector<uint8_t> EncodeFrame(const Frame& frame);

// Payload builders and readers. Readers return false for a payload of the wrong shape.
std::vector<uint8_t> MakeCommandPayload(int32_t cmdId, const uint8_t* params32);
bool ReadCommandPayload(const std::vector<uint8_t>& payload, int32_t& cmdId,
                        std::array<uint8_t, kCommandBlockSize>& params);

std::vector<uint8_t> MakeBulkPayload(uint32_t offset, const uint8_t* data, uint32_t length);
bool ReadBulkPayload(const std::vector<uint8_t>& payload, uint32_t& offset, const uint8_t*& data,
                     uint32_t& length);

std::vector<uint8_t> MakeReplyPayload(const ReplyPacket& reply);
// Fills replyId, status, args and payload; deviceAddress is the frame's, set by the caller.
bool ReadReplyPayload(const std::vector<uint8_t>& payload, ReplyPacket& reply);

}  // namespace comm
