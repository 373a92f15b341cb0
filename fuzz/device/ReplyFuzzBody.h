#pragma once
// One input of the reply-adapter fuzz target: the bytes become one reply as the communication
// library would deliver it, [id][status][address][arg0 LE32][arg1 LE32][payload...], handed to a
// fresh device state. Every follow-up the reply schedules is run too. The libFuzzer entry point
// and the corpus replay test both call this.

#include "device/CDeviceData.h"
#include "device/ReplyAdapter.h"
#include "device/ReplyHandlers.h"
#include "device/TimerSource.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

namespace fuzz_device {

inline void ReplyAdapterOne(const uint8_t* data, size_t size)
{
    constexpr size_t kHeader = 11;
    comm::ReplyPacket packet;
    if (size >= kHeader) {
        // Ids a little beyond the table on both sides, so that refusing them is exercised too.
        packet.replyId = static_cast<int>(data[0] % 40) - 4;
        packet.status = data[1];
        packet.deviceAddress = data[2];
        std::memcpy(&packet.args[0], data + 3, 4);
        std::memcpy(&packet.args[1], data + 7, 4);
        packet.payload.assign(data + kHeader, data + size);
    }
    auto device = std::make_unique<CDeviceData>();
    ManualTimerSource timers;
    ReplyHandlers handlers(*device, timers);
    DispatchReply(handlers, packet);
    timers.RunAll();
}

}  // namespace fuzz_device
