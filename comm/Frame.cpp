#include "comm/Frame.h"

#include "comm/Crc32.h"

#include <algorithm>
#include <cstring>

namespace comm {
namespace {

void PutU16(std::vector<uint8_t>& out, uint16_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void PutU32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

}  // namespace

bool IsKnownFrameType(uint8_t type) { return type >= 1 && type <= 5; }

std::size_t MaxPayloadFor(uint8_t type)
{
    switch (static_cast<FrameType>(type)) {
    case FrameType::Command: return kCommandPayloadSize;
    case FrameType::ParamBlock: return kParamBlockSize;
    case FrameType::BulkData: return kBulkHeaderSize + kMaxBulkData;
    case FrameType::Reply: return kReplyHeaderSize + kMaxReplyPayload;
    case FrameType::Probe: return 0;
    }
    return 0;
}

std::size_t MinPayloadFor(uint8_t type)
{
    switch (static_cast<FrameType>(type)) {
    case FrameType::Command: return kCommandPayloadSize;
    case FrameType::ParamBlock: return kParamBlockSize;
    case FrameType::BulkData: return kBulkHeaderSize;
    case FrameType::Reply: return kReplyHeaderSize;
    case FrameType::Probe: return 0;
    }
    return 0;
}

void AppendFrame(std::vector<uint8_t>& out, FrameType type, uint8_t address, uint16_t sequence,
                 const uint8_t* payload, std::size_t size)
{
    const std::size_t begin = out.size();
    const std::size_t needed = begin + kFrameOverhead + size;
    // Grow geometrically: reserving exactly what this frame needs would copy the whole buffer on
    // every append to a send queue.
    if (out.capacity() < needed) out.reserve(std::max(needed, 2 * out.capacity()));
    out.push_back(kFrameMagic0);
    out.push_back(kFrameMagic1);
    out.push_back(kFrameVersion);
    out.push_back(static_cast<uint8_t>(type));
    out.push_back(address);
    out.push_back(0);
    PutU16(out, sequence);
    PutU32(out, static_cast<uint32_t>(size));
    PutU16(out, static_cast<uint16_t>(Crc32(out.data() + begin, 12)));
    if (size) out.insert(out.end(), payload, payload + size);
    PutU32(out, Crc32(out.data() + begin, kFrameHeaderSize + size));
}

std::vector<uint8_t> EncodeFrame(const Frame& frame)
{
    std::vector<uint8_t> out;
    AppendFrame(out, frame.type, frame.address, frame.sequence, frame.payload.data(), frame.payload.size());
    return out;
}

std::vector<uint8_t> MakeCommandPayload(int32_t cmdId, const uint8_t* params32)
{
    std::vector<uint8_t> out;
    out.reserve(kCommandPayloadSize);
    PutU32(out, static_cast<uint32_t>(cmdId));
    if (params32)
        out.insert(out.end(), params32, params32 + kCommandBlockSize);
    else
        out.resize(kCommandPayloadSize, 0x55);
    return out;
}

bool ReadCommandPayload(const std::vector<uint8_t>& payload, int32_t& cmdId,
                        std::array<uint8_t, kCommandBlockSize>& params)
{
    if (payload.size() != kCommandPayloadSize) return false;
    cmdId = static_cast<int32_t>(GetU32(payload.data()));
    std::memcpy(params.data(), payload.data() + 4, kCommandBlockSize);
    return true;
}

std::vector<uint8_t> MakeBulkPayload(uint32_t offset, const uint8_t* data, uint32_t length)
{
    std::vector<uint8_t> out;
    out.reserve(kBulkHeaderSize + length);
    PutU32(out, offset);
    PutU32(out, length);
    if (length) out.insert(out.end(), data, data + length);
    return out;
}

bool ReadBulkPayload(const std::vector<uint8_t>& payload, uint32_t& offset, const uint8_t*& data,
                     uint32_t& length)
{
    if (payload.size() < kBulkHeaderSize) return false;
    offset = GetU32(payload.data());
    length = GetU32(payload.data() + 4);
    if (length != payload.size() - kBulkHeaderSize) return false;
    data = payload.data() + kBulkHeaderSize;
    return true;
}

std::vector<uint8_t> MakeReplyPayload(const ReplyPacket& reply)
{
    std::vector<uint8_t> out;
    out.reserve(kReplyHeaderSize + reply.payload.size());
    PutU16(out, static_cast<uint16_t>(reply.replyId));
    out.push_back(reply.status);
    out.push_back(0);
    PutU32(out, static_cast<uint32_t>(reply.args[0]));
    PutU32(out, static_cast<uint32_t>(reply.args[1]));
    out.insert(out.end(), reply.payload.begin(), reply.payload.end());
    return out;
}

bool ReadReplyPayload(const std::vector<uint8_t>& payload, ReplyPacket& reply)
{
    if (payload.size() < kReplyHeaderSize) return false;
    const uint8_t* p = payload.data();
    reply.replyId = p[0] | (p[1] << 8);
    reply.status = p[2];
    reply.args[0] = static_cast<int32_t>(GetU32(p + 4));
    reply.args[1] = static_cast<int32_t>(GetU32(p + 8));
    reply.payload.assign(payload.begin() + kReplyHeaderSize, payload.end());
    return true;
}

}  // namespace comm
