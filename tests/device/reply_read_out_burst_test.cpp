// A burst of whole blocks reads out once, after the last; the read-out timer is restarted, not
// multiplied.
#include "ReplyTestSupport.h"

namespace {

using ReadOutBurst = ReplyTest;

TEST_F(ReadOutBurst, BlocksInQuickSuccessionShareOneRestartedReadOut)
{
    std::vector<uint8_t> bytes(sizeof(DeviceParamBlock), 0);
    DeviceParamBlock block;
    std::memcpy(&block, bytes.data(), bytes.size());
    for (auto& in : block.input) in.src = 4;
    std::memcpy(bytes.data(), &block, bytes.size());
    for (int n = 0; n < 1000; ++n) {
        ASSERT_TRUE(Deliver(Packet(REPLY_ALL_DATA, bytes, static_cast<uint8_t>(n))));
        if (n % 40 == 0) clock_.Advance(1);  // 25 ms in all: closer together than the pause
    }
    EXPECT_EQ(clock_.Pending(), 1u);
    clock_.Advance(199);
    EXPECT_TRUE(comm_.Commands().empty());
    clock_.Advance(1);
    EXPECT_EQ(comm_.Commands().size(), 7u);
    const auto seq = Seq();
    EXPECT_EQ(seq.back(), StatusMsg(static_cast<uint8_t>(999)));
    EXPECT_EQ(clock_.Pending(), 0u);
}

}  // namespace

TEST(TimerSourceRestart, ALaterCallReplacesThePendingOneOfItsKeyOnly)
{
    ManualTimerSource clock;
    std::vector<std::string> log;
    int a = 0, b = 0;
    clock.Restart(&a, 100, [&] { log.push_back("a1"); });
    clock.Restart(&b, 100, [&] { log.push_back("b"); });
    clock.Advance(60);
    clock.Restart(&a, 100, [&] { log.push_back("a2"); });
    clock.Advance(50);
    EXPECT_EQ(log, (std::vector<std::string>{"b"}));
    clock.Advance(50);
    EXPECT_EQ(log, (std::vector<std::string>{"b", "a2"}));
    EXPECT_EQ(clock.Pending(), 0u);
}
