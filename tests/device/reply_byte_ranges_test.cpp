// Replies that overwrite a stretch of the parameter block write exactly their bytes, nothing beside.
#include "ReplyTestSupport.h"

#include <random>

namespace {

struct Range {
    std::size_t blockOffset;
    std::size_t payloadOffset;
    std::size_t length;
};

class ByteRanges : public ReplyTest {
protected:
    void SetUp() override
    {
        ReplyTest::SetUp();
        std::mt19937 rng(3);
        before_.resize(sizeof(DeviceParamBlock));
        for (auto& b : before_) b = static_cast<uint8_t>(rng() & 0x7F);
        std::memcpy(&dev_.Block(), before_.data(), before_.size());
    }

    std::vector<uint8_t> Payload(std::size_t n)
    {
        std::mt19937 rng(static_cast<unsigned>(n));
        std::vector<uint8_t> p(n);
        // High bit set here, clear in the block: an unwritten byte cannot pass for a written one.
        for (auto& b : p) b = static_cast<uint8_t>(rng() | 0x80);
        return p;
    }

    void ExpectOnly(const std::vector<uint8_t>& payload, const std::vector<Range>& ranges)
    {
        std::vector<uint8_t> expected = before_;
        for (const Range& r : ranges)
            std::memcpy(expected.data() + r.blockOffset, payload.data() + r.payloadOffset, r.length);
        const auto after = BlockBytes(dev_);
        for (std::size_t n = 0; n < after.size(); ++n)
            ASSERT_EQ(after[n], expected[n]) << "block byte 0x" << std::hex << n;
    }

    std::vector<uint8_t> before_;
};

TEST_F(ByteRanges, ScheduleWritesTaskStatusThroughTheLastTask)
{
    const auto p = Payload(124);
    ASSERT_TRUE(Deliver(Packet(REPLY_SCHEDULE, p, 3)));
    ExpectOnly(p, {{0x820, 0, 124}});
    EXPECT_EQ(Seq(), (std::vector<std::string>{PostMsg(7), StatusMsg(3)}));
}

TEST_F(ByteRanges, SplicingKeepsTheOptionWord)
{
    const auto p = Payload(108);
    ASSERT_TRUE(Deliver(Packet(REPLY_SPLICING, p, 5, 2)));
    ExpectOnly(p, {{0x24, 0, 4}, {0x2C, 8, 100}});
    EXPECT_EQ(Seq(), (std::vector<std::string>{PostMsg(12, 2), StatusMsg(5)}));
}

TEST_F(ByteRanges, LogoKeepsTheByteAfterTheBorder)
{
    const auto p = Payload(42);
    ASSERT_TRUE(Deliver(Packet(REPLY_LOGO, p, 6)));
    ExpectOnly(p, {{0x89C, 0, 5}, {0x8A2, 6, 36}});
    EXPECT_EQ(Seq(), (std::vector<std::string>{PostMsg(15), StatusMsg(6)}));
}

TEST_F(ByteRanges, WorkModeWritesModeFadeTimeAndStates)
{
    const auto p = Payload(16);
    ASSERT_TRUE(Deliver(Packet(REPLY_WORK_MODE, p, 8)));
    ExpectOnly(p, {{0x8C8, 0, 16}});
    EXPECT_EQ(Seq(), (std::vector<std::string>{PostMsg(20), StatusMsg(8)}));
}

TEST_F(ByteRanges, LongerPayloadsWriteNoMore)
{
    for (int id : {REPLY_SCHEDULE, REPLY_WORK_MODE}) {
        const auto p = Payload(200);
        ASSERT_TRUE(Deliver(Packet(id, p, 0)));
    }
    const auto p = Payload(200);
    ExpectOnly(p, {{0x820, 0, 124}, {0x8C8, 0, 16}});
}

}  // namespace
