// End to end: a real H.264 stream pushed from another thread reaches two targets, every
// picture in order, with tight planes of the right size and the right colours.
#include "FakeVideoTarget.h"
#include "TestStream.h"
#include "preview/CVideoChannel.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

void PushAt30PerSecond(CVideoChannel* channel, const EncodedStream* stream)
{
    auto next = std::chrono::steady_clock::now();
    for (const auto& packet : stream->packets) {
        channel->PushPacket(packet.data(), static_cast<uint32_t>(packet.size()));
        next += std::chrono::milliseconds(33);
        std::this_thread::sleep_until(next);
    }
}

void RunStream(int width, int height, int pictures)
{
    std::string error;
    const EncodedStream stream = EncodeQuadrantStream(width, height, pictures, 0, &error);
    ASSERT_EQ(stream.packets.size(), static_cast<size_t>(pictures)) << error;

    CVideoChannel channel;
    channel.SetSize(width, height);
    channel.Start();
    ASSERT_TRUE(channel.IsAcceptingPackets());
    FakeVideoTarget cell, view;
    ASSERT_TRUE(channel.AttachTarget(&cell, kVideoTargetCell));
    ASSERT_TRUE(channel.AttachTarget(&view, kVideoTargetView));

    std::thread pusher(PushAt30PerSecond, &channel, &stream);
    pusher.join();
    const bool allCell = cell.WaitForCalls(pictures, std::chrono::seconds(20));
    const bool allView = view.WaitForCalls(pictures, std::chrono::seconds(20));
    channel.Stop();
    EXPECT_TRUE(allCell && allView) << "cell got " << cell.calls.load() << ", view got " << view.calls.load();
    EXPECT_EQ(channel.DroppedPackets(), 0u);
    EXPECT_EQ(channel.DroppedFrames(), 0u);

    for (const FakeVideoTarget* target : {&cell, &view}) {
        const auto received = target->Snapshot();
        ASSERT_EQ(received.size(), static_cast<size_t>(pictures));
        for (int i = 0; i < pictures; ++i) {
            const auto& r = received[static_cast<size_t>(i)];
            EXPECT_EQ(r.width, width);
            EXPECT_EQ(r.height, height);
            EXPECT_EQ(r.lumaPitch, width);
            EXPECT_EQ(r.chromaPitch, width / 2);
            EXPECT_TRUE(ColoursClose(r.colours, ColoursForPicture(i)))
                << "picture " << i << ": " << DescribeColours(r.colours) << " expected "
                << DescribeColours(ColoursForPicture(i));
        }
    }
}

}  // namespace

TEST(VideoChannelStream, EveryPictureReachesBothTargetsAt352x240)
{
    RunStream(352, 240, 30);
}

TEST(VideoChannelStream, EveryPictureReachesBothTargetsAt1920x1080)
{
    RunStream(1920, 1080, 20);
}

TEST(VideoChannelStream, MacroblocksRoundUp)
{
    CVideoChannel channel;
    channel.Start();
    EXPECT_EQ(channel.DecoderAttr().widthInMbs, 22u);
    EXPECT_EQ(channel.DecoderAttr().heightInMbs, 15u);
    EXPECT_EQ(channel.DecoderAttr().maxRefFrames, 16u);
    channel.Stop();
    channel.SetSize(1920, 1080);
    channel.Start();
    EXPECT_EQ(channel.DecoderAttr().widthInMbs, 120u);
    EXPECT_EQ(channel.DecoderAttr().heightInMbs, 68u);
    channel.Stop();
}

TEST(VideoChannelStream, SecondStreamAfterZeroLengthPacketStillDecodes)
{
    std::string error;
    const EncodedStream first = EncodeQuadrantStream(352, 240, 5, 0, &error);
    const EncodedStream second = EncodeQuadrantStream(352, 240, 5, 20, &error);
    ASSERT_EQ(second.packets.size(), 5u) << error;
    CVideoChannel channel;
    channel.Start();
    FakeVideoTarget target;
    channel.AttachTarget(&target, kVideoTargetCell);
    std::thread pusher([&] {
        PushAt30PerSecond(&channel, &first);
        channel.PushPacket(nullptr, 0);
        PushAt30PerSecond(&channel, &second);
    });
    pusher.join();
    EXPECT_TRUE(target.WaitForCalls(10, std::chrono::seconds(20)));
    channel.Stop();
    const auto received = target.Snapshot();
    ASSERT_EQ(received.size(), 10u);
    EXPECT_TRUE(ColoursClose(received[4].colours, ColoursForPicture(4)));
    EXPECT_TRUE(ColoursClose(received[5].colours, ColoursForPicture(20)));
    EXPECT_TRUE(ColoursClose(received[9].colours, ColoursForPicture(24)));
}
