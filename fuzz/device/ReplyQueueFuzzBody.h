#pragma once
// One input of the reply-queue fuzz target: the bytes are a run of pushes and takes on a queue
// with small limits (from the first two bytes), checked step by step against a plain model of the
// rules in device/ReplyQueue.h: arrival order, coalescing of superseding replies once a backlog
// waits, the caps on replies and bytes, the first-drop report and the wake protocol. The libFuzzer
// entry point and the corpus replay test both call this. A broken invariant aborts.

#include "device/CommandIds.h"
#include "device/ReplyQueue.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <vector>

namespace fuzz_device {

inline bool SameReplyPacket(const comm::ReplyPacket& a, const comm::ReplyPacket& b)
{
    return a.replyId == b.replyId && a.deviceAddress == b.deviceAddress && a.status == b.status &&
           a.args[0] == b.args[0] && a.args[1] == b.args[1] && a.payload == b.payload;
}

inline void ReplyQueueOne(const uint8_t* data, size_t size)
{
    size_t at = 0;
    auto next = [&]() -> uint8_t { return at < size ? data[at++] : 0; };
    const ReplyQueueLimits limits{std::size_t(4 + next() % 29),
                                  ReplyQueue::Cost({}) * (2 + next() % 24) + std::size_t(next()) * 4};
    ReplyQueue queue(limits);

    std::deque<comm::ReplyPacket> model;
    std::size_t modelBytes = 0;
    bool wakePending = false, dropping = false;
    static constexpr int kIds[] = {REPLY_ONLINE, REPLY_ALL_DATA, REPLY_STATUS, 5, 9, 14, 24, -1, 1000};

    while (at < size) {
        const uint8_t op = next();
        if (op >= 0xE0) {
            const std::size_t max = 1 + op % 5;
            std::vector<comm::ReplyPacket> got;
            const bool more = queue.Take(got, max);
            const std::size_t n = std::min(max, model.size());
            if (got.size() != n) std::abort();
            for (std::size_t i = 0; i < n; ++i) {
                if (!SameReplyPacket(got[i], model.front())) std::abort();
                modelBytes -= ReplyQueue::Cost(model.front());
                model.pop_front();
            }
            if (more != !model.empty()) std::abort();
            if (model.empty()) wakePending = dropping = false;
        } else {
            comm::ReplyPacket p;
            p.replyId = kIds[op % std::size(kIds)];
            p.deviceAddress = next() % 3;
            p.status = next() % 2;
            p.args[0] = static_cast<int8_t>(next());
            p.args[1] = op & 0x10 ? 7 : 0;
            const std::size_t length = op & 0x40 ? next() * 8u : next() % 4u;
            p.payload.assign(length, 0);
            for (std::size_t i = 0; i < length && i < 4; ++i) p.payload[i] = next() % 2;
            const std::size_t cost = ReplyQueue::Cost(p);

            ReplyQueue::Push expected = ReplyQueue::Push::Queued;
            if (model.size() >= limits.maxReplies / 4) {
                const bool byKey = p.replyId == REPLY_ONLINE || p.replyId == REPLY_ALL_DATA || p.replyId == REPLY_STATUS;
                for (auto it = model.rbegin(); it != model.rend(); ++it) {
                    const bool sameKey = byKey ? it->replyId == p.replyId && it->deviceAddress == p.deviceAddress
                                               : SameReplyPacket(*it, p);
                    if (!sameKey) continue;
                    // The newest of its kind is replaced when the newcomer fits in its place.
                    if (modelBytes - ReplyQueue::Cost(*it) + cost <= limits.maxBytes) {
                        modelBytes -= ReplyQueue::Cost(*it);
                        model.erase(std::next(it).base());
                        expected = ReplyQueue::Push::Coalesced;
                    }
                    break;
                }
            }
            if (expected != ReplyQueue::Push::Coalesced &&
                (model.size() >= limits.maxReplies || modelBytes + cost > limits.maxBytes)) {
                expected = dropping ? ReplyQueue::Push::Dropped : ReplyQueue::Push::FirstDrop;
                dropping = true;
            }
            bool wake = false;
            const ReplyQueue::Push result = queue.Add(p, wake);
            if (result != expected) std::abort();
            const bool stored = expected == ReplyQueue::Push::Queued || expected == ReplyQueue::Push::Coalesced;
            if (stored) {
                model.push_back(p);
                modelBytes += cost;
            }
            if (wake != (stored && !wakePending)) std::abort();
            if (stored) wakePending = true;
        }
        const ReplyQueueStats stats = queue.Stats();
        if (stats.queued != model.size() || stats.bytes != modelBytes) std::abort();
        if (stats.queued > limits.maxReplies || stats.bytes > limits.maxBytes) std::abort();
    }
    queue.Clear();
    bool wake = false;
    if (queue.Stats().queued != 0 || queue.Stats().bytes != 0) std::abort();
    if (queue.Add(comm::ReplyPacket{}, wake) != ReplyQueue::Push::Queued || !wake) std::abort();
}

}  // namespace fuzz_device
