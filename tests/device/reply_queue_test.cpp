// The bounded hand-over queue: order, coalescing under a backlog, caps and the wake protocol.
#include "device/CommandIds.h"
#include "device/ReplyQueue.h"

#include <gtest/gtest.h>

namespace {

comm::ReplyPacket Reply(int id, uint8_t status, uint8_t address = 1, std::vector<uint8_t> payload = {})
{
    comm::ReplyPacket p;
    p.replyId = id;
    p.status = status;
    p.deviceAddress = address;
    p.payload = std::move(payload);
    return p;
}

std::vector<comm::ReplyPacket> TakeAll(ReplyQueue& q)
{
    std::vector<comm::ReplyPacket> out;
    while (q.Take(out, 3)) {
    }
    return out;
}

// Fills the queue to the backlog at which coalescing starts, with replies no later one supersedes.
void FillBacklog(ReplyQueue& q, std::size_t n)
{
    bool wake = false;
    for (std::size_t i = 0; i < n; ++i)
        q.Add(Reply(REPLY_LOOP_OUT, 0, 9, {static_cast<uint8_t>(i), static_cast<uint8_t>(i >> 8)}), wake);
}

}  // namespace

TEST(ReplyQueue, BelowTheBacklogEveryReplyIsKeptInOrder)
{
    ReplyQueue q({64, 1 << 20});
    bool wake = false;
    for (uint8_t n = 0; n < 15; ++n) {
        EXPECT_EQ(q.Add(Reply(n % 3 == 0 ? REPLY_ALL_DATA : REPLY_STATUS, n), wake), ReplyQueue::Push::Queued);
        EXPECT_EQ(wake, n == 0);  // only the first needs to wake the consumer
    }
    const auto got = TakeAll(q);
    ASSERT_EQ(got.size(), 15u);
    for (uint8_t n = 0; n < 15; ++n) EXPECT_EQ(got[n].status, n);
    EXPECT_EQ(q.Stats().coalesced, 0u);
}

TEST(ReplyQueue, UnderABacklogSupersedingRepliesKeepOnlyTheNewestAtTheBack)
{
    struct Case {
        const char* name;
        comm::ReplyPacket first, second;
        bool coalesced;
    };
    const std::vector<Case> cases = {
        {"block, same processor", Reply(REPLY_ALL_DATA, 1, 1, {1}), Reply(REPLY_ALL_DATA, 2, 1, {2}), true},
        {"block, other processor", Reply(REPLY_ALL_DATA, 1, 1), Reply(REPLY_ALL_DATA, 2, 2), false},
        {"status", Reply(REPLY_STATUS, 1), Reply(REPLY_STATUS, 2), true},
        {"online", Reply(REPLY_ONLINE, 1, 1, {1}), Reply(REPLY_ONLINE, 1, 1, {0}), true},
        {"the same answer twice", Reply(REPLY_LOOP_OUT, 3, 1, {7}), Reply(REPLY_LOOP_OUT, 3, 1, {7}), true},
        {"another answer to the same query", Reply(REPLY_LOOP_OUT, 3, 1, {7}), Reply(REPLY_LOOP_OUT, 3, 1, {8}), false},
    };
    for (const Case& c : cases) {
        ReplyQueue q({64, 1 << 20});
        FillBacklog(q, 16);
        bool wake = false;
        q.Add(c.first, wake);
        q.Add(Reply(REPLY_EVENT, 77), wake);
        EXPECT_EQ(q.Add(c.second, wake) == ReplyQueue::Push::Coalesced, c.coalesced) << c.name;
        auto got = TakeAll(q);
        got.erase(got.begin(), got.begin() + 16);
        if (c.coalesced) {
            // What stays is the order of arrival without the superseded reply.
            ASSERT_EQ(got.size(), 2u) << c.name;
            EXPECT_EQ(got[0].replyId, REPLY_EVENT) << c.name;
            EXPECT_EQ(got[1].status, c.second.status) << c.name;
            EXPECT_EQ(got[1].payload, c.second.payload) << c.name;
        } else {
            ASSERT_EQ(got.size(), 3u) << c.name;
            EXPECT_EQ(got[0].payload, c.first.payload) << c.name;
            EXPECT_EQ(got[2].payload, c.second.payload) << c.name;
        }
    }
}

TEST(ReplyQueue, BeyondTheCapsRepliesAreDroppedCountedAndReportedOncePerEpisode)
{
    ReplyQueue q({8, 1 << 20});
    bool wake = false;
    std::vector<ReplyQueue::Push> results;
    for (uint8_t n = 0; n < 12; ++n) results.push_back(q.Add(Reply(REPLY_LOOP_OUT, n, 1, {n}), wake));
    EXPECT_EQ(results[7], ReplyQueue::Push::Queued);
    EXPECT_EQ(results[8], ReplyQueue::Push::FirstDrop);
    EXPECT_EQ(results[11], ReplyQueue::Push::Dropped);
    EXPECT_EQ(q.Stats().dropped, 4u);
    EXPECT_EQ(q.Stats().queued, 8u);
    const auto got = TakeAll(q);
    EXPECT_EQ(got.back().status, 7);  // the oldest ones stay
    // Drained: the next overflow is a new episode.
    for (uint8_t n = 0; n < 9; ++n) results.back() = q.Add(Reply(REPLY_LOOP_OUT, n, 1, {n}), wake);
    EXPECT_EQ(results.back(), ReplyQueue::Push::FirstDrop);

    ReplyQueue bytes({1000, 3 * ReplyQueue::Cost(Reply(REPLY_ALL_DATA, 0, 1, std::vector<uint8_t>(2360)))});
    for (uint8_t n = 0; n < 5; ++n) bytes.Add(Reply(REPLY_LOOP_OUT, n, 1, std::vector<uint8_t>(2360, n)), wake);
    EXPECT_EQ(bytes.Stats().queued, 3u);
    EXPECT_LE(bytes.Stats().peakBytes, 3 * ReplyQueue::Cost(Reply(REPLY_ALL_DATA, 0, 1, std::vector<uint8_t>(2360))));
}

// A superseding reply far larger than the one it replaces must not carry the queue past its byte
// cap: it is dropped like any reply beyond the caps, and the waiting one stays.
TEST(ReplyQueue, ASupersedingReplyThatDoesNotFitIsDroppedAndTheWaitingOneStays)
{
    const std::size_t small = ReplyQueue::Cost(Reply(REPLY_LOOP_OUT, 0, 9, {0, 0}));
    const std::size_t cap = 5 * small + 64;
    ReplyQueue q({16, cap});
    bool wake = false;
    FillBacklog(q, 4);
    ASSERT_EQ(q.Add(Reply(REPLY_STATUS, 1, 1, {1}), wake), ReplyQueue::Push::Queued);
    EXPECT_EQ(q.Add(Reply(REPLY_STATUS, 2, 1, std::vector<uint8_t>(200)), wake), ReplyQueue::Push::FirstDrop);
    EXPECT_LE(q.Stats().bytes, cap);
    EXPECT_LE(q.Stats().peakBytes, cap);
    // One that fits still replaces it.
    EXPECT_EQ(q.Add(Reply(REPLY_STATUS, 3, 1, {3, 3}), wake), ReplyQueue::Push::Coalesced);
    const auto got = TakeAll(q);
    ASSERT_EQ(got.size(), 5u);
    EXPECT_EQ(got.back().status, 3);
}

// Status 1 with argument 3 and status 0 with argument 68 once shared a key: the repeat of the
// first then found the second's entry and was queued again instead of replacing its twin.
TEST(ReplyQueue, AnExactRepeatIsCoalescedWhateverRepliesCameBetween)
{
    ReplyQueue q({1024, 1 << 20});
    bool wake = false;
    FillBacklog(q, 256);
    auto withArg = [](uint8_t status, int32_t arg) {
        comm::ReplyPacket p = Reply(REPLY_OUTPUT_ACK, status, 1);
        p.args[0] = arg;
        return p;
    };
    for (int32_t arg = 0; arg < 200; ++arg) {
        ASSERT_EQ(q.Add(withArg(1, 3), wake), arg == 0 ? ReplyQueue::Push::Queued : ReplyQueue::Push::Coalesced);
        ASSERT_NE(q.Add(withArg(0, arg), wake), ReplyQueue::Push::Coalesced) << arg;
    }
    EXPECT_EQ(q.Stats().queued, 256u + 1u + 200u);
}

TEST(ReplyQueue, AFloodOfBlocksAndStatusesStaysSmallAndEndsWithTheNewest)
{
    ReplyQueue q({64, 1 << 20});
    bool wake = false;
    FillBacklog(q, 16);
    for (int n = 0; n < 100000; ++n) {
        q.Add(Reply(REPLY_ALL_DATA, 0, 1, std::vector<uint8_t>(2360, static_cast<uint8_t>(n))), wake);
        q.Add(Reply(REPLY_STATUS, static_cast<uint8_t>(n)), wake);
    }
    EXPECT_EQ(q.Stats().queued, 18u);
    EXPECT_EQ(q.Stats().dropped, 0u);
    const auto got = TakeAll(q);
    EXPECT_EQ(got[16].replyId, REPLY_ALL_DATA);
    EXPECT_EQ(got[16].payload[0], static_cast<uint8_t>(99999));
    EXPECT_EQ(got[17].status, static_cast<uint8_t>(99999));
}

TEST(ReplyQueue, ClearEmptiesAndTheNextAddWakesAgain)
{
    ReplyQueue q;
    bool wake = false;
    q.Add(Reply(REPLY_STATUS, 1), wake);
    EXPECT_TRUE(wake);
    q.Clear();
    EXPECT_EQ(q.Stats().queued, 0u);
    q.Add(Reply(REPLY_STATUS, 2), wake);
    EXPECT_TRUE(wake);
}
