#pragma once
// Tells the operating page that its SDL surfaces must be rebuilt (a render device reset, a
// failed texture update or render call), at most once per arming: after it has fired it
// stays quiet until the page has rebuilt and armed it again.
#include <atomic>
#include <functional>
#include <mutex>

union SDL_Event;

class SdlRelayoutNotifier {
public:
    // The callback may run on any thread (the render thread, SDL's event thread); it should
    // only post a message to the page.
    explicit SdlRelayoutNotifier(std::function<void()> callback);
    ~SdlRelayoutNotifier();
    SdlRelayoutNotifier(const SdlRelayoutNotifier&) = delete;
    SdlRelayoutNotifier& operator=(const SdlRelayoutNotifier&) = delete;

    // Fires the callback when armed and disarms; returns whether it fired. Any thread.
    bool Notify();
    // Re-arms after the page has rebuilt its surfaces (UI thread).
    void Arm();
    bool IsArmed() const { return armed.load(std::memory_order_acquire); }

    // Watches SDL's event queue for render device and render target resets (after SDL_Init).
    void WatchSdlEvents();
    void StopWatchingSdlEvents();

private:
    static int EventWatch(void* self, SDL_Event* event);

    std::function<void()> callback;
    std::atomic<bool> armed{true};
    std::mutex watchLock;
    bool watching = false;
};
