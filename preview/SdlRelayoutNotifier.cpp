#include "preview/SdlRelayoutNotifier.h"

#include <SDL.h>

SdlRelayoutNotifier::SdlRelayoutNotifier(std::function<void()> cb) : callback(std::move(cb)) {}

SdlRelayoutNotifier::~SdlRelayoutNotifier()
{
    StopWatchingSdlEvents();
}

bool SdlRelayoutNotifier::Notify()
{
    bool expected = true;
    if (!armed.compare_exchange_strong(expected, false, std::memory_order_acq_rel)) return false;
    if (callback) callback();
    return true;
}

void SdlRelayoutNotifier::Arm()
{
    armed.store(true, std::memory_order_release);
}

void SdlRelayoutNotifier::WatchSdlEvents()
{
    std::lock_guard<std::mutex> guard(watchLock);
    if (watching) return;
    SDL_AddEventWatch(&SdlRelayoutNotifier::EventWatch, this);
    watching = true;
}

void SdlRelayoutNotifier::StopWatchingSdlEvents()
{
    std::lock_guard<std::mutex> guard(watchLock);
    if (!watching) return;
    SDL_DelEventWatch(&SdlRelayoutNotifier::EventWatch, this);
    watching = false;
}

int SdlRelayoutNotifier::EventWatch(void* self, SDL_Event* event)
{
    if (event && (event->type == SDL_RENDER_DEVICE_RESET || event->type == SDL_RENDER_TARGETS_RESET))
        static_cast<SdlRelayoutNotifier*>(self)->Notify();
    return 0;
}
