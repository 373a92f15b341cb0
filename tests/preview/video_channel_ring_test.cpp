// Ring limits, drops, the end-of-stream packet and the target table, with a stub decoder.
#include "FakeVideoTarget.h"
#include "StubDecoder.h"
#include "preview/CVideoChannel.h"
#include "preview/VideoChannelSet.h"

#include <gtest/gtest.h>

namespace {

class VideoChannelRing : public ::testing::Test {
protected:
    void SetUp() override { stub::Reset(); }
    void TearDown() override { stub::Release(); }

    static std::vector<stub::Call> Calls()
    {
        std::lock_guard<std::mutex> guard(stub::Get().lock);
        return stub::Get().calls;
    }
    static bool WaitForCalls(size_t n)
    {
        for (int i = 0; i < 1000; ++i) {
            if (Calls().size() >= n) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    }
};

}  // namespace

TEST_F(VideoChannelRing, PacketBeforeStartIsDropped)
{
    CVideoChannel channel(stub::Api());
    const uint8_t byte = 9;
    channel.PushPacket(&byte, 1);
    EXPECT_EQ(channel.DroppedPackets(), 1u);
    EXPECT_EQ(channel.WriteIndex(), 0);
    EXPECT_EQ(channel.QueuedPackets(), 0);
    channel.Start();
    channel.PushPacket(&byte, 1);
    EXPECT_EQ(channel.DroppedPackets(), 1u);
    ASSERT_TRUE(WaitForCalls(1));
    channel.Stop();
    EXPECT_EQ(Calls()[0].data, std::vector<uint8_t>{9});
}

TEST_F(VideoChannelRing, PacketsForChannelsOneToThreeAreDropped)
{
    VideoChannelSet set(stub::Api());
    set.Channel(0)->Start();
    const uint8_t byte = 3;
    for (int index : {1, 2, 3, -1, 4, 1000}) set.PushPacket(index, &byte, 1);
    for (int index : {1, 2, 3}) EXPECT_EQ(set.Channel(index)->DroppedPackets(), 1u) << index;
    EXPECT_EQ(set.Channel(4), nullptr);
    EXPECT_EQ(set.Channel(0)->DroppedPackets(), 0u);
    set.PushPacket(0, &byte, 1);
    ASSERT_TRUE(WaitForCalls(1));
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    set.StopAll();
    EXPECT_EQ(Calls().size(), 2u);  // the packet and its drain call, from channel 0 only
    EXPECT_EQ(stub::Get().created, 1);
    EXPECT_EQ(stub::Get().destroyed, 1);
}

TEST_F(VideoChannelRing, Packet101IsDroppedAndTheWriteIndexStays)
{
    CVideoChannel channel(stub::Api());
    channel.Start();
    stub::Get().hold = true;
    uint8_t first = 0;
    channel.PushPacket(&first, 1);
    ASSERT_TRUE(stub::WaitUntilHolding(5000));  // the decode thread sits inside slot 0
    for (int i = 1; i < 100; ++i) {
        const uint8_t byte = static_cast<uint8_t>(i);
        channel.PushPacket(&byte, 1);
    }
    EXPECT_EQ(channel.QueuedPackets(), 100);
    EXPECT_EQ(channel.WriteIndex(), 0);
    EXPECT_EQ(channel.DroppedPackets(), 0u);
    const uint8_t extra = 200;
    channel.PushPacket(&extra, 1);
    EXPECT_EQ(channel.DroppedPackets(), 1u);
    EXPECT_EQ(channel.WriteIndex(), 0);
    stub::Release();
    ASSERT_TRUE(WaitForCalls(200));
    channel.Stop();
    std::vector<int> order;
    for (const auto& call : Calls())
        if (!call.drain) order.push_back(call.data.at(0));
    ASSERT_EQ(order.size(), 100u);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(order[static_cast<size_t>(i)], i);
}

TEST_F(VideoChannelRing, ZeroLengthPacketFlushesAndTheNextStreamDecodes)
{
    CVideoChannel channel(stub::Api());
    channel.Start();
    FakeVideoTarget target;
    channel.AttachTarget(&target, kVideoTargetCell);
    const uint8_t a = 50, b = 150;
    channel.PushPacket(&a, 1);
    channel.PushPacket(nullptr, 0);
    channel.PushPacket(&b, 1);
    ASSERT_TRUE(target.WaitForCalls(2, std::chrono::seconds(5)));
    channel.Stop();
    const auto calls = Calls();
    ASSERT_GE(calls.size(), 4u);
    EXPECT_EQ(calls[0].flags, 0u);
    EXPECT_EQ(calls[1].flags, 0u);  // drain after the picture
    EXPECT_EQ(calls[2].length, 0u);
    EXPECT_EQ(calls[2].flags, HI264_FLAG_END_OF_STREAM);
    EXPECT_EQ(calls[3].data, std::vector<uint8_t>{150});
    EXPECT_EQ(calls[3].flags, 0u);
    const auto received = target.Snapshot();
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].colours.y[0], 50);
    EXPECT_EQ(received[1].colours.y[0], 150);
    EXPECT_EQ(received[1].width, 16);
    EXPECT_EQ(received[1].lumaPitch, 16);
    EXPECT_EQ(received[1].chromaPitch, 8);
}

TEST_F(VideoChannelRing, WithoutADecoderOnlyTheRenderThreadRuns)
{
    stub::Get().failCreate = true;
    CVideoChannel channel(stub::Api());
    channel.Start();
    EXPECT_FALSE(channel.IsAcceptingPackets());
    EXPECT_TRUE(channel.IsRendering());
    const uint8_t byte = 1;
    channel.PushPacket(&byte, 1);
    EXPECT_EQ(channel.DroppedPackets(), 1u);
    channel.Stop();
    EXPECT_FALSE(channel.IsRendering());
    EXPECT_TRUE(Calls().empty());
}

TEST_F(VideoChannelRing, MacroblocksRoundUp)
{
    CVideoChannel channel(stub::Api());
    channel.SetSize(353, 241);
    channel.Start();
    EXPECT_EQ(channel.DecoderAttr().widthInMbs, 23u);
    EXPECT_EQ(channel.DecoderAttr().heightInMbs, 16u);
    channel.Stop();
    channel.SetSize(-5, 0);  // refused
    EXPECT_EQ(channel.Width(), 353);
}

TEST_F(VideoChannelRing, TargetTable)
{
    CVideoChannel channel(stub::Api());
    channel.Start();
    std::vector<FakeVideoTarget> many(CVideoChannel::kMaxTargets + 1);
    EXPECT_TRUE(channel.AttachTarget(&many[0], kVideoTargetCell));
    EXPECT_TRUE(channel.AttachTarget(&many[0], kVideoTargetCell));
    EXPECT_EQ(channel.TargetCount(), 1);
    for (int i = 1; i < CVideoChannel::kMaxTargets; ++i) EXPECT_TRUE(channel.AttachTarget(&many[static_cast<size_t>(i)], kVideoTargetView));
    EXPECT_EQ(channel.TargetCount(), CVideoChannel::kMaxTargets);
    EXPECT_FALSE(channel.AttachTarget(&many.back(), kVideoTargetCell));
    channel.DetachTarget(&many[5]);
    EXPECT_EQ(channel.TargetCount(), CVideoChannel::kMaxTargets - 1);
    EXPECT_FALSE(channel.AttachTarget(nullptr, kVideoTargetCell));
    channel.Stop();
    EXPECT_EQ(channel.TargetCount(), 0);  // every target registers again after a restart
}

TEST_F(VideoChannelRing, DispatchSkipsHiddenViewsAndUnknownKinds)
{
    CVideoChannel channel(stub::Api());
    channel.Start();
    FakeVideoTarget cell, hiddenView, shownView, odd;
    hiddenView.shown = false;
    cell.shown = false;  // a cell decides for itself; the channel does not ask
    channel.AttachTarget(&cell, kVideoTargetCell);
    channel.AttachTarget(&hiddenView, kVideoTargetView);
    channel.AttachTarget(&shownView, kVideoTargetView);
    channel.AttachTarget(&odd, 7);
    uint8_t y[4] = {1, 2, 3, 4}, u[1] = {5}, v[1] = {6};
    channel.DispatchFrame(VideoPicture{y, u, v, 2, 2, 2, 1});
    EXPECT_EQ(cell.calls.load(), 1);
    EXPECT_EQ(hiddenView.calls.load(), 0);
    EXPECT_EQ(shownView.calls.load(), 1);
    EXPECT_EQ(odd.calls.load(), 0);
    channel.Stop();
}

// Records every byte of the planes it is given, within the pitch it is told.
class PlaneRecorder : public IVideoTarget {
public:
    void RenderFrame(const VideoPicture& p) override
    {
        std::lock_guard<std::mutex> guard(lock);
        width = p.width;
        height = p.height;
        lumaPitch = p.lumaPitch;
        chromaPitch = p.chromaPitch;
        y.assign(p.y, p.y + p.lumaPitch * p.height);
        u.assign(p.u, p.u + p.chromaPitch * ((p.height + 1) / 2));
        v.assign(p.v, p.v + p.chromaPitch * ((p.height + 1) / 2));
        calls.fetch_add(1);
    }
    std::mutex lock;
    int width = 0, height = 0, lumaPitch = 0, chromaPitch = 0;
    std::vector<uint8_t> y, u, v;
    std::atomic<int> calls{0};
};

namespace {

void ExpectPaddedRowsPacked(const VideoDecoderApi& api)
{
    stub::Get().padded = true;
    CVideoChannel channel(api);
    channel.Start();
    PlaneRecorder target;
    channel.AttachTarget(&target, kVideoTargetCell);
    const uint8_t byte = 77;
    channel.PushPacket(&byte, 1);
    for (int i = 0; i < 500 && target.calls.load() == 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    channel.Stop();
    std::lock_guard<std::mutex> guard(target.lock);
    ASSERT_EQ(target.calls.load(), 1);
    EXPECT_EQ(target.width, 16);
    EXPECT_EQ(target.height, 16);
    EXPECT_EQ(target.lumaPitch, 16);
    EXPECT_EQ(target.chromaPitch, 8);
    EXPECT_EQ(target.y, std::vector<uint8_t>(16 * 16, 77));
    EXPECT_EQ(target.u, std::vector<uint8_t>(8 * 8, 100));
    EXPECT_EQ(target.v, std::vector<uint8_t>(8 * 8, 200));
}

}  // namespace

TEST_F(VideoChannelRing, PaddedRowsArePackedAndCroppedRowsLeftOut)
{
    ExpectPaddedRowsPacked(stub::Api());
}

TEST_F(VideoChannelRing, PaddedRowsArePackedAlsoWhenTheDecoderCouldHoldThePicture)
{
    ExpectPaddedRowsPacked(stub::HoldingApi());
    EXPECT_EQ(stub::Get().heldNow, 0);
}

TEST_F(VideoChannelRing, AHeldPictureWithTightRowsIsHandedOnAsItIs)
{
    CVideoChannel channel(stub::HoldingApi());
    channel.Start();
    PlaneRecorder target;
    channel.AttachTarget(&target, kVideoTargetCell);
    const uint8_t byte = 99;
    channel.PushPacket(&byte, 1);
    for (int i = 0; i < 500 && target.calls.load() == 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    {
        std::lock_guard<std::mutex> stubGuard(stub::Get().lock);
        EXPECT_EQ(stub::Get().heldNow, 1);  // held, not copied; kept until the slot is reused
    }
    EXPECT_EQ(channel.LivePictureBuffers(), 1);
    channel.Stop();
    std::lock_guard<std::mutex> guard(target.lock);
    ASSERT_EQ(target.calls.load(), 1);
    EXPECT_EQ(target.lumaPitch, 16);
    EXPECT_EQ(target.chromaPitch, 8);
    EXPECT_EQ(target.y, std::vector<uint8_t>(16 * 16, 99));
    EXPECT_EQ(target.u, std::vector<uint8_t>(8 * 8, 128));
    EXPECT_EQ(stub::Get().heldNow, 0);
}
