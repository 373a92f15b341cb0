// The re-layout notifier fires once per arming, from any thread, and on SDL render resets.
#include "preview/SdlRelayoutNotifier.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include <atomic>
#include <thread>
#include <vector>

TEST(SdlRelayoutNotifier, FiresOncePerArming)
{
    int fired = 0;
    SdlRelayoutNotifier notifier([&] { ++fired; });
    EXPECT_TRUE(notifier.IsArmed());
    EXPECT_TRUE(notifier.Notify());
    EXPECT_FALSE(notifier.Notify());
    EXPECT_EQ(fired, 1);
    notifier.Arm();
    EXPECT_TRUE(notifier.Notify());
    EXPECT_EQ(fired, 2);
}

TEST(SdlRelayoutNotifier, ManyThreadsFireItOnce)
{
    std::atomic<int> fired{0};
    SdlRelayoutNotifier notifier([&] { fired.fetch_add(1); });
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 1000; ++i) notifier.Notify();
        });
    for (auto& t : threads) t.join();
    EXPECT_EQ(fired.load(), 1);
}

TEST(SdlRelayoutNotifier, RenderDeviceResetEventFiresIt)
{
    ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
    int fired = 0;
    {
        SdlRelayoutNotifier notifier([&] { ++fired; });
        notifier.WatchSdlEvents();
        SDL_Event event{};
        event.type = SDL_RENDER_DEVICE_RESET;
        SDL_PushEvent(&event);
        event.type = SDL_RENDER_TARGETS_RESET;
        SDL_PushEvent(&event);
        EXPECT_EQ(fired, 1);
        notifier.Arm();
        SDL_PushEvent(&event);
        EXPECT_EQ(fired, 2);
        event.type = SDL_USEREVENT;
        notifier.Arm();
        SDL_PushEvent(&event);
        EXPECT_EQ(fired, 2);
    }
    SDL_Event event{};
    event.type = SDL_RENDER_DEVICE_RESET;
    SDL_PushEvent(&event);  // the watch went with the notifier
    EXPECT_EQ(fired, 2);
    SDL_Quit();
}
