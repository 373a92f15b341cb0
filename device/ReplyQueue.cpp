#include "device/ReplyQueue.h"

#include "device/CommandIds.h"

#include <algorithm>
#include <cstring>

namespace {

// splitmix64's finaliser.
uint64_t Fmix(uint64_t x)
{
    x ^= x >> 30;
    x *= 0xBF58476D1CE4E5B9ull;
    x ^= x >> 27;
    x *= 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

// Each word goes through the finaliser before it joins: small neighbouring values (a status of 0
// or 1 and small arguments) must not cancel out, as they did with a shift-and-add mix, or an
// exact repeat finds another reply's entry and is not coalesced.
uint64_t Mix(uint64_t h, uint64_t v)
{
    return Fmix(h ^ Fmix(v + 0x9E3779B97F4A7C15ull));
}

bool SameReply(const comm::ReplyPacket& a, const comm::ReplyPacket& b)
{
    return a.replyId == b.replyId && a.deviceAddress == b.deviceAddress && a.status == b.status &&
           a.args[0] == b.args[0] && a.args[1] == b.args[1] && a.payload == b.payload;
}

}  // namespace

ReplyQueue::ReplyQueue(ReplyQueueLimits limits) : limits_(limits) {}

std::size_t ReplyQueue::Cost(const comm::ReplyPacket& packet) { return sizeof(Entry) + packet.payload.size(); }

std::size_t ReplyQueue::KeyHash::operator()(const Key& k) const
{
    return static_cast<std::size_t>(Mix(Mix(Mix(k.exact, static_cast<uint64_t>(k.replyId)), k.address), k.hash));
}

ReplyQueue::Key ReplyQueue::KeyOf(const comm::ReplyPacket& p)
{
    Key key;
    key.replyId = p.replyId;
    key.address = p.deviceAddress;
    switch (p.replyId) {
    case REPLY_ONLINE:
    case REPLY_ALL_DATA:
    case REPLY_STATUS: return key;  // the newest of these says all there is to say
    default: break;
    }
    key.exact = true;
    uint64_t h = Mix(Mix(Mix(p.status, static_cast<uint32_t>(p.args[0])), static_cast<uint32_t>(p.args[1])),
                     p.payload.size());
    // Eight bytes at a time (the length is in already, so zero padding of the last word is exact).
    for (std::size_t at = 0; at < p.payload.size(); at += 8) {
        uint64_t word = 0;
        std::memcpy(&word, p.payload.data() + at, std::min<std::size_t>(8, p.payload.size() - at));
        h = Mix(h, word);
    }
    key.hash = h;
    return key;
}

void ReplyQueue::Remove(List::iterator it)
{
    if (auto m = latest_.find(it->key); m != latest_.end() && m->second == it) latest_.erase(m);
    stats_.bytes -= it->cost;
    --stats_.queued;
    entries_.erase(it);
}

ReplyQueue::Push ReplyQueue::Add(const comm::ReplyPacket& packet, bool& wake)
{
    wake = false;
    const Key key = KeyOf(packet);
    const std::size_t cost = Cost(packet);
    std::lock_guard lock(mutex_);
    ++stats_.pushed;
    Push result = Push::Queued;
    if (stats_.queued >= limits_.maxReplies / 4) {
        // The newcomer takes the waiting one's place only within the byte cap (a full block or a
        // status may be far larger than the one it replaces); beyond it, it is dropped below.
        if (auto m = latest_.find(key); m != latest_.end() && (!key.exact || SameReply(m->second->packet, packet)) &&
                                        stats_.bytes - m->second->cost + cost <= limits_.maxBytes) {
            Remove(m->second);
            ++stats_.coalesced;
            result = Push::Coalesced;
        }
    }
    if (result != Push::Coalesced && (stats_.queued >= limits_.maxReplies || stats_.bytes + cost > limits_.maxBytes)) {
        ++stats_.dropped;
        const bool first = !dropping_;
        dropping_ = true;
        return first ? Push::FirstDrop : Push::Dropped;
    }
    entries_.push_back(Entry{packet, key, cost});
    latest_[key] = std::prev(entries_.end());
    ++stats_.queued;
    stats_.bytes += cost;
    stats_.peakQueued = std::max(stats_.peakQueued, stats_.queued);
    stats_.peakBytes = std::max(stats_.peakBytes, stats_.bytes);
    if (!wakePending_) {
        wakePending_ = true;
        wake = true;
    }
    return result;
}

bool ReplyQueue::Take(std::vector<comm::ReplyPacket>& out, std::size_t max)
{
    std::lock_guard lock(mutex_);
    for (std::size_t n = 0; n < max && !entries_.empty(); ++n) {
        out.push_back(std::move(entries_.front().packet));
        Remove(entries_.begin());
        ++stats_.taken;
    }
    if (!entries_.empty()) return true;
    wakePending_ = false;
    dropping_ = false;
    return false;
}

void ReplyQueue::Clear()
{
    std::lock_guard lock(mutex_);
    entries_.clear();
    latest_.clear();
    stats_.queued = 0;
    stats_.bytes = 0;
    wakePending_ = false;
    dropping_ = false;
}

ReplyQueueStats ReplyQueue::Stats() const
{
    std::lock_guard lock(mutex_);
    return stats_;
}
