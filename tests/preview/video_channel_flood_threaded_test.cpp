// The channel flooded with packets: started, stopped and restarted over and over while targets
// come and go; Stop wakes both threads and returns without working through what is queued.
#include "FakeVideoTarget.h"
#include "GatedVideoTarget.h"
#include "StubDecoder.h"
#include "TestStream.h"
#include "preview/CVideoChannel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

TEST(VideoChannelFlood, TwoHundredRestartsWhileFloodedAndTargetsComeAndGo)
{
    std::string error;
    const EncodedStream stream = EncodeQuadrantStream(176, 120, 30, 0, &error);
    ASSERT_EQ(stream.packets.size(), 30u) << error;

    CVideoChannel channel;
    channel.SetSize(176, 120);
    std::atomic<bool> done{false};

    // Two producers that never pause: one copies, one hands its buffers over.
    std::thread copier([&] {
        for (size_t i = 0; !done.load(); ++i) {
            const auto& packet = stream.packets[i % stream.packets.size()];
            channel.PushPacket(packet.data(), static_cast<uint32_t>(packet.size()));
            std::this_thread::yield();
        }
    });
    std::thread mover([&] {
        for (size_t i = 0; !done.load(); ++i) {
            std::vector<uint8_t> packet = stream.packets[i % stream.packets.size()];
            channel.PushPacket(std::move(packet));
            std::this_thread::yield();
        }
    });
    std::thread attacher([&] {
        while (!done.load()) {
            auto target = std::make_unique<GuardedTarget>();
            channel.AttachTarget(target.get(), kVideoTargetCell);
            channel.AttachTarget(target.get(), kVideoTargetView);
            std::this_thread::yield();
            channel.DetachTarget(target.get());
            target->detached.store(true);
            // Deleted right after detaching: the channel must no longer reach it.
        }
    });

    GuardedTarget steady;
    for (int cycle = 0; cycle < 200; ++cycle) {
        channel.Start();
        channel.Start();  // a second start does nothing
        channel.AttachTarget(&steady, kVideoTargetView);
        // Now and then the whole pipeline is seen to work under the flood.
        if (cycle % 40 == 0) {
            const int before = steady.calls.load();
            EXPECT_TRUE(steady.WaitForCalls(before + 3, 60s)) << "cycle " << cycle;
        }
        channel.Stop();
        EXPECT_EQ(channel.QueuedPackets(), 0);
        EXPECT_EQ(channel.LivePictureBuffers(), 0);
        EXPECT_FALSE(channel.IsRendering());
    }
    done.store(true);
    copier.join();
    mover.join();
    attacher.join();
    channel.Stop();  // stopping a stopped channel does nothing
    channel.Start();
    channel.Stop();
    EXPECT_EQ(channel.TargetCount(), 0);

    EXPECT_FALSE(GuardedTarget::calledAfterDetach.load());
    const auto received = steady.Snapshot();
    EXPECT_FALSE(received.empty());
    for (const auto& r : received) {
        ASSERT_EQ(r.width, 176);
        ASSERT_EQ(r.height, 120);
        ASSERT_EQ(r.lumaPitch, 176);
        ASSERT_EQ(r.chromaPitch, 88);
    }
    EXPECT_GT(channel.DroppedPackets(), 0u);  // a flood overruns the ring; pushes while stopped
}

TEST(VideoChannelFlood, StopWakesIdleThreads)
{
    stub::Reset();
    CVideoChannel channel(stub::Api());
    for (int i = 0; i < 200; ++i) {
        channel.Start();
        // Both threads are asleep waiting for work; Stop must wake them to end.
        channel.Stop();
        EXPECT_FALSE(channel.IsRendering());
        EXPECT_FALSE(channel.IsAcceptingPackets());
    }
    EXPECT_EQ(stub::Get().created, 200);
    EXPECT_EQ(stub::Get().destroyed, 200);
}

TEST(VideoChannelFlood, StopLeavesQueuedPacketsAndPicturesUnprocessed)
{
    stub::Reset();
    CVideoChannel channel(stub::Api());
    channel.Start();
    GatedVideoTarget target;
    target.Close();
    channel.AttachTarget(&target, kVideoTargetCell);

    const uint8_t a = 1, b = 2, c = 3;
    channel.PushPacket(&a, 1);
    ASSERT_TRUE(target.WaitUntilInside(10s));       // picture 1 is being shown, held there
    channel.PushPacket(&b, 1);
    ASSERT_TRUE(stub::WaitForCallCount(4, 10000));  // picture 2 waits in the ring
    stub::Get().hold = true;
    channel.PushPacket(&c, 1);
    ASSERT_TRUE(stub::WaitUntilHolding(10000));     // the decoder is held inside packet 3
    for (int i = 0; i < CVideoChannel::kPacketSlots - 1; ++i) {
        const uint8_t byte = static_cast<uint8_t>(10 + i);
        channel.PushPacket(&byte, 1);
    }
    ASSERT_EQ(channel.QueuedPackets(), CVideoChannel::kPacketSlots);  // flooded

    std::thread stopper([&] { channel.Stop(); });
    // Stop refuses packets as its last step before it waits for the threads, after it has told
    // both of them to end.
    while (channel.IsAcceptingPackets()) std::this_thread::yield();
    stub::Release();
    // Packet 3's drain call follows its picture: picture 3 is in the ring before the render
    // thread is let go, so it is not shown either.
    ASSERT_TRUE(stub::WaitForCallCount(6, 10000));
    target.Open();
    stopper.join();

    EXPECT_EQ(target.Lumas(), std::vector<uint8_t>{1});  // picture 2 (then 3) was never shown
    EXPECT_EQ(channel.RenderedFrames(), 1u);
    EXPECT_EQ(channel.DroppedFrames(), 1u);  // picture 3 took the place of picture 2
    std::lock_guard<std::mutex> guard(stub::Get().lock);
    int dataCalls = 0;
    for (const auto& call : stub::Get().calls) dataCalls += call.drain ? 0 : 1;
    EXPECT_EQ(dataCalls, 3);  // none of the 99 queued packets was decoded
    EXPECT_EQ(channel.QueuedPackets(), 0);
    EXPECT_EQ(channel.LivePictureBuffers(), 0);
}
