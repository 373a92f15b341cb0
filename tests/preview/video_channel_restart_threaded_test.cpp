// Starting and stopping a channel over and over while another thread pushes packets and a
// third attaches, detaches and deletes targets: nothing races, leaks or is called after it
// was detached.
#include "FakeVideoTarget.h"
#include "TestStream.h"
#include "preview/CVideoChannel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

TEST(VideoChannelRestart, TwoHundredStopStartCyclesWhilePacketsStreamAndTargetsChange)
{
    std::string error;
    const EncodedStream stream = EncodeQuadrantStream(176, 120, 30, 0, &error);
    ASSERT_EQ(stream.packets.size(), 30u) << error;

    CVideoChannel channel;
    channel.SetSize(176, 120);
    std::atomic<bool> done{false};
    std::atomic<long> pushes{0};
    std::atomic<int> renderedByTargets{0};

    std::thread pusher([&] {
        size_t i = 0;
        while (!done.load()) {
            const auto& packet = stream.packets[i++ % stream.packets.size()];
            channel.PushPacket(packet.data(), static_cast<uint32_t>(packet.size()));
            if (i % 37 == 0) channel.PushPacket(nullptr, 0);  // an occasional end of stream
            pushes.fetch_add(1);
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
    });
    std::thread attacher([&] {
        while (!done.load()) {
            auto target = std::make_unique<GuardedTarget>();
            channel.AttachTarget(target.get(), kVideoTargetCell);
            std::this_thread::sleep_for(std::chrono::milliseconds(3));
            channel.DetachTarget(target.get());
            target->detached.store(true);
            renderedByTargets.fetch_add(target->calls.load());
            // Deleted right after detaching: the channel must no longer reach it.
        }
    });

    FakeVideoTarget steady;
    for (int cycle = 0; cycle < 200; ++cycle) {
        channel.Start();
        channel.Start();  // a second start does nothing
        channel.AttachTarget(&steady, kVideoTargetView);
        std::this_thread::sleep_for(std::chrono::milliseconds(cycle % 25 == 0 ? 80 : 1));
        channel.Stop();
        EXPECT_EQ(channel.QueuedPackets(), 0);
    }
    done.store(true);
    pusher.join();
    attacher.join();
    channel.Stop();  // stopping a stopped channel does nothing

    // After all that churn the channel still shows a whole stream (waited for, not timed: a
    // loaded machine may have shown nothing during the short windows above).
    channel.Start();
    channel.AttachTarget(&steady, kVideoTargetView);
    for (const auto& packet : stream.packets) {
        channel.PushPacket(packet.data(), static_cast<uint32_t>(packet.size()));
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    for (int waited = 0; steady.calls.load() == 0 && waited < 10000; waited += 10)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    channel.Stop();
    EXPECT_EQ(channel.TargetCount(), 0);

    EXPECT_FALSE(GuardedTarget::calledAfterDetach.load());
    EXPECT_GT(pushes.load(), 0);
    EXPECT_GT(channel.DroppedPackets(), 0u);  // everything pushed while stopped
    EXPECT_GT(steady.calls.load(), 0) << "no picture was ever shown";
    for (const auto& r : steady.Snapshot()) {
        EXPECT_EQ(r.width, 176);
        EXPECT_EQ(r.height, 120);
        EXPECT_EQ(r.lumaPitch, 176);
    }
}
