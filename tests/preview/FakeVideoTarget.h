#pragma once
// A render target that records what it was given: sizes, pitches and sampled colours.
#include "TestStream.h"
#include "preview/VideoTarget.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

class FakeVideoTarget : public IVideoTarget {
public:
    struct Received {
        int width, height, lumaPitch, chromaPitch;
        QuadrantColours colours;
    };

    void RenderFrame(const VideoPicture& p) override
    {
        Received r{p.width, p.height, p.lumaPitch, p.chromaPitch, {}};
        SampleQuadrants({p.y, p.u, p.v, p.width, p.height, p.lumaPitch, p.chromaPitch}, &r.colours);
        std::lock_guard<std::mutex> guard(lock);
        received.push_back(r);
        calls.fetch_add(1);
    }
    bool IsShown() const override { return shown.load(); }

    std::vector<Received> Snapshot() const
    {
        std::lock_guard<std::mutex> guard(lock);
        return received;
    }
    bool WaitForCalls(int n, std::chrono::milliseconds limit) const
    {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (calls.load() < n) {
            if (std::chrono::steady_clock::now() > end) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return true;
    }

    std::atomic<bool> shown{true};
    std::atomic<int> calls{0};

private:
    mutable std::mutex lock;
    std::vector<Received> received;
};

// A target that fails the test when it is called after it was detached. The flag is static:
// the target is usually deleted right after it is detached.
class GuardedTarget : public FakeVideoTarget {
public:
    void RenderFrame(const VideoPicture& p) override
    {
        if (detached.load()) calledAfterDetach.store(true);
        FakeVideoTarget::RenderFrame(p);
    }
    std::atomic<bool> detached{false};
    static inline std::atomic<bool> calledAfterDetach{false};
};
