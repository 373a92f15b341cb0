#pragma once
// Shared set-up for the link tests: an emulator on a loopback address and library options that
// point at it with short timings.

#include "comm/DeviceLink.h"
#include "comm/Frame.h"
#include "comm/PosixIo.h"
#include "tools/emulator/ProcessorEmulator.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>

inline std::unique_ptr<emu::ProcessorEmulator> StartEmulator(const std::string& ip, bool pty = false, int address = -1)
{
    emu::EmulatorOptions o;
    o.ip = ip;
    o.pty = pty;
    o.address = address;
    o.blockSeed = comm::LastOctet(ip) + 17u;
    auto e = std::make_unique<emu::ProcessorEmulator>(o);
    EXPECT_TRUE(e->Start()) << e->Error();
    return e;
}

inline comm::DeviceLinkOptions FastOptions()
{
    comm::DeviceLinkOptions o;
    o.probeIntervalMs = 100;
    o.silenceTimeoutMs = 600;
    o.reconnectIntervalMs = 100;
    o.connectTimeoutMs = 1000;
    return o;
}

// Fast timings, and the TCP port of each emulator for its loopback address.
template <typename... More>
comm::DeviceLinkOptions OptionsFor(const emu::ProcessorEmulator& e, const More&... more)
{
    auto o = FastOptions();
    for (const emu::ProcessorEmulator* x : {&e, static_cast<const emu::ProcessorEmulator*>(&more)...}) o.tcpPortByIp[x->Ip()] = x->TcpPort();
    return o;
}

inline std::array<uint8_t, comm::kCommandBlockSize> Block55(uint8_t b0 = 0x55)
{
    std::array<uint8_t, comm::kCommandBlockSize> b;
    b.fill(0x55);
    b[0] = b0;
    return b;
}

// Commands the emulator received, in order (probes left out).
inline std::vector<int32_t> CommandIds(const std::vector<emu::ReceivedFrame>& frames)
{
    std::vector<int32_t> ids;
    for (const auto& f : frames) {
        int32_t id;
        std::array<uint8_t, comm::kCommandBlockSize> params;
        if (f.frame.type == comm::FrameType::Command && comm::ReadCommandPayload(f.frame.payload, id, params))
            ids.push_back(id);
    }
    return ids;
}

// A reply as a peer puts it on the wire: one whole frame.
inline std::vector<uint8_t> ReplyFrame(int replyId, uint8_t address, std::vector<uint8_t> payload, uint8_t status = 0)
{
    comm::ReplyPacket r;
    r.replyId = replyId;
    r.status = status;
    r.payload = std::move(payload);
    const auto body = comm::MakeReplyPayload(r);
    std::vector<uint8_t> frame;
    comm::AppendFrame(frame, comm::FrameType::Reply, address, 0, body.data(), body.size());
    return frame;
}

// A search answer's payload: a MAC ending in macLast, then the address text.
inline std::vector<uint8_t> SearchAnswer(const std::string& ip, uint8_t macLast)
{
    std::vector<uint8_t> p = {2, 0x5E, 0, 0, 0, macLast};
    p.insert(p.end(), ip.begin(), ip.end());
    return p;
}
