// A renderer that falls behind: the channel keeps the newest picture, drops older ones it has
// not shown, counts them, and never holds more picture buffers than its ring has slots.
#include "GatedVideoTarget.h"
#include "StubDecoder.h"
#include "preview/CVideoChannel.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace std::chrono_literals;

class VideoChannelBackPressure : public ::testing::Test {
protected:
    void SetUp() override { stub::Reset(); }
    void TearDown() override { stub::Release(); }
};

void SlowTargetGetsTheNewest(const VideoDecoderApi& api)
{
    CVideoChannel channel(api);
    channel.Start();
    GatedVideoTarget target;
    target.Close();
    ASSERT_TRUE(channel.AttachTarget(&target, kVideoTargetCell));

    const uint8_t first = 1;
    channel.PushPacket(&first, 1);
    ASSERT_TRUE(target.WaitUntilInside(10s));  // the render thread is held on picture 1

    for (int i = 2; i <= 60; ++i) {
        const uint8_t byte = static_cast<uint8_t>(i);
        channel.PushPacket(&byte, 1);
        EXPECT_LE(channel.LivePictureBuffers(), CVideoChannel::kFrameSlots);
    }
    // Each packet gives a picture and a drain call; the drain call of packet 60 comes after
    // its picture was taken.
    ASSERT_TRUE(stub::WaitForCallCount(120, 10000));
    EXPECT_LE(channel.LivePictureBuffers(), CVideoChannel::kFrameSlots);
    EXPECT_LE(stub::Get().heldNow, CVideoChannel::kFrameSlots);
    EXPECT_EQ(channel.RenderedFrames(), 0u);
    // Picture 1 is on screen, 60 waits; 2..59 were overwritten while the renderer was held.
    EXPECT_EQ(channel.DroppedFrames(), 58u);
    EXPECT_EQ(channel.DroppedPackets(), 0u);

    target.Open();
    ASSERT_TRUE(target.WaitForCalls(2, 10s));
    EXPECT_EQ(target.Lumas(), (std::vector<uint8_t>{1, 60}));
    EXPECT_EQ(channel.DroppedFrames(), 58u);
    EXPECT_LE(channel.LivePictureBuffers(), CVideoChannel::kFrameSlots);
    channel.Stop();
    EXPECT_EQ(channel.LivePictureBuffers(), 0);
    EXPECT_EQ(stub::Get().heldNow, 0);
}

}  // namespace

TEST_F(VideoChannelBackPressure, SlowTargetKeepsTheNewestPictureAndTheBufferCountBounded)
{
    // Pictures copied out by the channel, and pictures the decoder holds.
    for (const VideoDecoderApi* api : {&stub::Api(), &stub::HoldingApi()}) {
        SCOPED_TRACE(api == &stub::Api() ? "copied" : "held");
        stub::Reset();
        SlowTargetGetsTheNewest(*api);
        stub::Release();
    }
}

TEST_F(VideoChannelBackPressure, PictureBuffersAreReusedWhileTheSizeStays)
{
    CVideoChannel channel(stub::Api());
    channel.Start();
    GatedVideoTarget target;
    channel.AttachTarget(&target, kVideoTargetCell);
    for (int i = 1; i <= 40; ++i) {
        const uint8_t byte = static_cast<uint8_t>(i);
        channel.PushPacket(&byte, 1);
        // One picture at a time: each is shown before the next is pushed, so none is dropped.
        ASSERT_TRUE(target.WaitForCalls(i, 10s));
        EXPECT_LE(channel.LivePictureBuffers(), CVideoChannel::kFrameSlots);
    }
    EXPECT_EQ(channel.DroppedFrames(), 0u);
    const std::vector<uint8_t> lumas = target.Lumas();
    for (int i = 0; i < 40; ++i) EXPECT_EQ(lumas[static_cast<size_t>(i)], i + 1);
    channel.Stop();
    EXPECT_EQ(channel.LivePictureBuffers(), 0);
}

TEST_F(VideoChannelBackPressure, MovedPacketIsQueuedWithoutACopyAndADroppedOneIsLeftAlone)
{
    CVideoChannel channel(stub::Api());
    std::vector<uint8_t> early{7, 8, 9};
    channel.PushPacket(std::move(early));
    EXPECT_EQ(channel.DroppedPackets(), 1u);
    EXPECT_EQ(early, (std::vector<uint8_t>{7, 8, 9}));  // NOLINT(bugprone-use-after-move): refused

    channel.Start();
    GatedVideoTarget target;
    channel.AttachTarget(&target, kVideoTargetCell);
    std::vector<uint8_t> packet{42, 1, 2};
    channel.PushPacket(std::move(packet));
    EXPECT_TRUE(packet.empty());  // NOLINT(bugprone-use-after-move): the buffer went to the ring
    std::vector<uint8_t> endOfStream;
    channel.PushPacket(std::move(endOfStream));
    std::vector<uint8_t> next{43};
    channel.PushPacket(std::move(next));
    ASSERT_TRUE(target.WaitForCalls(2, 10s));
    channel.Stop();
    EXPECT_EQ(target.Lumas(), (std::vector<uint8_t>{42, 43}));
    std::lock_guard<std::mutex> guard(stub::Get().lock);
    const auto& calls = stub::Get().calls;
    ASSERT_GE(calls.size(), 4u);
    EXPECT_EQ(calls[0].data, (std::vector<uint8_t>{42, 1, 2}));
    EXPECT_EQ(calls[2].length, 0u);
    EXPECT_EQ(calls[2].flags, HI264_FLAG_END_OF_STREAM);
}
