#pragma once
// A stand-in decoder for ring tests: every packet of length >= 1 gives one 16x16 picture whose
// luma is the packet's first byte; the end-of-stream flag gives -2. It can be made to hold the
// decode thread inside a call, and records every call.
#include "platform/H264Decoder.h"
#include "preview/VideoDecoderApi.h"

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

namespace stub {

struct Call {
    std::vector<uint8_t> data;
    uint32_t length;
    uint32_t flags;
    bool drain;  // a call with no data that follows a picture
};

struct State {
    std::mutex lock;
    std::condition_variable changed;
    std::vector<Call> calls;
    bool hold = false;      // block inside the next data call until released
    bool holding = false;   // a call is blocked now
    bool failCreate = false;
    bool padded = false;    // pictures with padded rows (stride 32 for width 16) and a 2-row bottom crop
    int created = 0;
    int destroyed = 0;
    int heldNow = 0;        // pictures held through HoldingApi and not yet released
};

State& Get();
void Reset();
// Pictures are copied out by the channel.
const VideoDecoderApi& Api();
// Pictures are held (the stub copies them, as the next call overwrites its planes).
const VideoDecoderApi& HoldingApi();
// Waits until a call is held (true) or the time runs out.
bool WaitUntilHolding(int milliseconds);
// Waits until n calls (data and drain calls alike) have been recorded.
bool WaitForCallCount(size_t n, int milliseconds);
void Release();

}  // namespace stub
