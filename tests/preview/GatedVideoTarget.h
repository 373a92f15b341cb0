#pragma once
// A render target that can be made to hold the render thread inside RenderFrame, and that
// lets a test wait (on a condition variable) for a number of calls.
#include "preview/VideoTarget.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

class GatedVideoTarget : public IVideoTarget {
public:
    void RenderFrame(const VideoPicture& p) override
    {
        std::unique_lock<std::mutex> guard(lock);
        lumas.push_back(p.y[0]);
        ++calls;
        inside = true;
        changed.notify_all();
        changed.wait(guard, [&] { return !closed; });
        inside = false;
    }

    void Close()
    {
        std::lock_guard<std::mutex> guard(lock);
        closed = true;
    }
    void Open()
    {
        std::lock_guard<std::mutex> guard(lock);
        closed = false;
        changed.notify_all();
    }
    // Waits until the render thread sits inside RenderFrame (held by a closed gate).
    bool WaitUntilInside(std::chrono::milliseconds limit)
    {
        std::unique_lock<std::mutex> guard(lock);
        return changed.wait_for(guard, limit, [&] { return inside; });
    }
    bool WaitForCalls(int n, std::chrono::milliseconds limit)
    {
        std::unique_lock<std::mutex> guard(lock);
        return changed.wait_for(guard, limit, [&] { return calls >= n; });
    }
    int Calls()
    {
        std::lock_guard<std::mutex> guard(lock);
        return calls;
    }
    std::vector<uint8_t> Lumas()
    {
        std::lock_guard<std::mutex> guard(lock);
        return lumas;
    }

private:
    std::mutex lock;
    std::condition_variable changed;
    std::vector<uint8_t> lumas;  // the first luma byte of every picture, in order
    int calls = 0;
    bool closed = false;
    bool inside = false;
};
