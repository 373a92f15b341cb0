#pragma once
// The bounded queue between the communication thread, which pushes decoded replies, and the UI
// thread, which takes them in slices. A processor that answers faster than the UI thread can
// handle must not grow it without bound:
//   - at most maxReplies replies and maxBytes bytes wait; a reply beyond either is dropped and
//     counted;
//   - once maxReplies / 4 replies wait (a backlog no well-behaved processor builds), a reply that
//     supersedes a waiting one replaces it: the newest full block (2), online report (0) or status
//     (23) of a processor, or an exact repeat of a waiting reply. The waiting one is removed and
//     the new one goes to the back, so the replies handled are those of the arrival order with
//     the superseded ones left out.
// Below that backlog every reply is handled, in arrival order.

#include "comm/CommLibrary.h"

#include <cstddef>
#include <cstdint>
#include <list>
#include <mutex>
#include <unordered_map>
#include <vector>

struct ReplyQueueLimits {
    std::size_t maxReplies = 4096;
    std::size_t maxBytes = 16 * 1024 * 1024;
};

struct ReplyQueueStats {
    std::size_t queued = 0;
    std::size_t bytes = 0;
    std::size_t peakQueued = 0;
    std::size_t peakBytes = 0;
    uint64_t pushed = 0;
    uint64_t taken = 0;
    uint64_t coalesced = 0;
    uint64_t dropped = 0;
};

class ReplyQueue {
public:
    enum class Push { Queued, Coalesced, Dropped, FirstDrop };

    explicit ReplyQueue(ReplyQueueLimits limits = {});

    // Any thread. wake is set when the consumer must be told (nothing was pending for it).
    Push Add(const comm::ReplyPacket& packet, bool& wake);
    // Consumer: moves up to max replies, oldest first, into out. False when none are left, after
    // which the next Add wakes the consumer again.
    bool Take(std::vector<comm::ReplyPacket>& out, std::size_t max);
    void Clear();
    ReplyQueueStats Stats() const;

    static std::size_t Cost(const comm::ReplyPacket& packet);

private:
    struct Key {
        bool exact = false;  // an exact-repeat key (hash of everything) rather than id + address
        int replyId = 0;
        uint8_t address = 0;
        uint64_t hash = 0;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        std::size_t operator()(const Key& k) const;
    };
    struct Entry {
        comm::ReplyPacket packet;
        Key key;
        std::size_t cost = 0;
    };
    using List = std::list<Entry>;

    static Key KeyOf(const comm::ReplyPacket& packet);
    void Remove(List::iterator it);

    const ReplyQueueLimits limits_;
    mutable std::mutex mutex_;
    List entries_;
    std::unordered_map<Key, List::iterator, KeyHash> latest_;
    ReplyQueueStats stats_;
    bool wakePending_ = false;
    bool dropping_ = false;  // dropped since the queue last ran empty
};
