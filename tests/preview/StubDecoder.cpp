#include "StubDecoder.h"

#include <chrono>
#include <cstring>

namespace stub {
namespace {

int g_handle = 0;
uint8_t g_y[32 * 18];
uint8_t g_u[16 * 9];
uint8_t g_v[16 * 9];

Hi264DecHandle Create(const Hi264DecAttr*)
{
    State& s = Get();
    std::lock_guard<std::mutex> guard(s.lock);
    if (s.failCreate) return nullptr;
    ++s.created;
    return &g_handle;
}

int Frame(Hi264DecHandle, const uint8_t* data, uint32_t length, uint64_t, Hi264DecPicture* picture, uint32_t flags)
{
    State& s = Get();
    std::unique_lock<std::mutex> guard(s.lock);
    const bool drain = data == nullptr;
    s.calls.push_back(Call{data ? std::vector<uint8_t>(data, data + length) : std::vector<uint8_t>{}, length, flags, drain});
    s.changed.notify_all();
    if (!drain && s.hold) {
        s.holding = true;
        s.changed.notify_all();
        s.changed.wait(guard, [&] { return !s.hold; });
        s.holding = false;
    }
    if (flags & HI264_FLAG_END_OF_STREAM) return drain ? HI264_END_OF_STREAM : HI264_NEED_MORE;
    if (drain) return HI264_NEED_MORE;
    if (s.padded) {
        // Visible 16 x 16 in rows of 32; the padding and the cropped rows hold 0xEE.
        std::memset(g_y, 0xEE, sizeof g_y);
        std::memset(g_u, 0xEE, sizeof g_u);
        std::memset(g_v, 0xEE, sizeof g_v);
        for (int row = 0; row < 16; ++row) std::memset(g_y + row * 32, data[0], 16);
        for (int row = 0; row < 8; ++row) {
            std::memset(g_u + row * 16, 100, 8);
            std::memset(g_v + row * 16, 200, 8);
        }
        *picture = Hi264DecPicture{g_y, g_u, g_v, 16, 18, 32, 16, 0, 0, 0, 2, 1, 0};
    } else {
        std::memset(g_y, data[0], sizeof g_y);
        std::memset(g_u, 128, sizeof g_u);
        std::memset(g_v, 128, sizeof g_v);
        *picture = Hi264DecPicture{g_y, g_u, g_v, 16, 16, 16, 8, 0, 0, 0, 0, 1, 0};
    }
    return HI264_PICTURE;
}

void Destroy(Hi264DecHandle)
{
    State& s = Get();
    std::lock_guard<std::mutex> guard(s.lock);
    ++s.destroyed;
}

// A held picture is a copy of the stub's planes (which the next call overwrites), kept with
// the same strides.
struct Held {
    std::vector<uint8_t> y, u, v;
};

Hi264DecPictureHold Hold(Hi264DecHandle, const Hi264DecPicture* picture, Hi264DecPicture* planes)
{
    State& s = Get();
    auto* held = new Held{std::vector<uint8_t>(g_y, g_y + sizeof g_y), std::vector<uint8_t>(g_u, g_u + sizeof g_u),
                          std::vector<uint8_t>(g_v, g_v + sizeof g_v)};
    *planes = *picture;
    planes->y = held->y.data() + (picture->y - g_y);
    planes->u = held->u.data() + (picture->u - g_u);
    planes->v = held->v.data() + (picture->v - g_v);
    std::lock_guard<std::mutex> guard(s.lock);
    ++s.heldNow;
    return held;
}

void ReleaseHold(Hi264DecPictureHold hold)
{
    State& s = Get();
    delete static_cast<Held*>(hold);
    std::lock_guard<std::mutex> guard(s.lock);
    --s.heldNow;
}

}  // namespace

State& Get()
{
    static State state;
    return state;
}

void Reset()
{
    State& s = Get();
    std::lock_guard<std::mutex> guard(s.lock);
    s.calls.clear();
    s.hold = false;
    s.failCreate = false;
    s.padded = false;
    s.created = s.destroyed = 0;
    s.heldNow = 0;
}

const VideoDecoderApi& Api()
{
    static const VideoDecoderApi api{&Create, &Frame, &Destroy, nullptr, nullptr};
    return api;
}

const VideoDecoderApi& HoldingApi()
{
    static const VideoDecoderApi api{&Create, &Frame, &Destroy, &Hold, &ReleaseHold};
    return api;
}

bool WaitUntilHolding(int milliseconds)
{
    State& s = Get();
    std::unique_lock<std::mutex> guard(s.lock);
    return s.changed.wait_for(guard, std::chrono::milliseconds(milliseconds), [&] { return s.holding; });
}

bool WaitForCallCount(size_t n, int milliseconds)
{
    State& s = Get();
    std::unique_lock<std::mutex> guard(s.lock);
    return s.changed.wait_for(guard, std::chrono::milliseconds(milliseconds), [&] { return s.calls.size() >= n; });
}

void Release()
{
    State& s = Get();
    std::lock_guard<std::mutex> guard(s.lock);
    s.hold = false;
    s.changed.notify_all();
}

}  // namespace stub
