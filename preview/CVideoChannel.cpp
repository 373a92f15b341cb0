#include "preview/CVideoChannel.h"

#include <chrono>
#include <cstring>
#include <new>

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(10);

int32_t MacroblocksFor(int32_t pixels)
{
    if (pixels <= 0) return 0;
    return pixels / 16 + (pixels % 16 != 0 ? 1 : 0);
}

}  // namespace

CVideoChannel::CVideoChannel(const VideoDecoderApi& api) : decoderApi(api)
{
    for (auto& flag : packetFull) flag.store(0, std::memory_order_relaxed);
    for (auto& flag : frameFull) flag.store(0, std::memory_order_relaxed);
}

CVideoChannel::~CVideoChannel()
{
    Stop();
    // A channel whose decoder could not start its thread may still hold a decoder.
    if (decoder) {
        decoderApi.destroy(decoder);
        decoder = nullptr;
    }
}

void CVideoChannel::SetSize(int32_t newWidth, int32_t newHeight)
{
    if (newWidth <= 0 || newHeight <= 0 || newWidth > kMaxPictureSide || newHeight > kMaxPictureSide) return;
    width = newWidth;
    height = newHeight;
}

void CVideoChannel::Start()
{
    if (!decodeThread.joinable() && CreateDecoder()) {
        decodeStop.store(0, std::memory_order_release);
        decodeThread = std::thread(&CVideoChannel::DecodeThreadProc, this);
        std::lock_guard<std::mutex> guard(pushLock);
        accepting.store(true, std::memory_order_release);
    }
    if (!renderThread.joinable()) {
        renderStop.store(0, std::memory_order_release);
        renderThread = std::thread(&CVideoChannel::RenderThreadProc, this);
    }
}

void CVideoChannel::Stop()
{
    if (decodeStop.load(std::memory_order_acquire) == 0) {
        {
            // No push may be half way through the ring while it is emptied below.
            std::lock_guard<std::mutex> guard(pushLock);
            accepting.store(false, std::memory_order_release);
        }
        decodeStop.store(1, std::memory_order_release);
        if (decodeThread.joinable()) decodeThread.join();
        {
            std::lock_guard<std::mutex> guard(pushLock);
            ClearPackets();
        }
        {
            std::lock_guard<std::recursive_mutex> guard(targetLock);
            for (auto& entry : targets) entry = VideoTarget{};
        }
        if (decoder) {
            decoderApi.destroy(decoder);
            decoder = nullptr;
        }
    }
    if (renderStop.load(std::memory_order_acquire) == 0) {
        renderStop.store(1, std::memory_order_release);
        if (renderThread.joinable()) renderThread.join();
        ClearFrames();
    }
}

void CVideoChannel::ClearPackets()
{
    for (int i = 0; i < kPacketSlots; ++i) {
        packets[i].reset();
        packetLen[i] = 0;
        packetFull[i].store(0, std::memory_order_release);
    }
    readIndex = 0;
    writeIndex = 0;
}

void CVideoChannel::ClearFrames()
{
    for (int i = 0; i < kFrameSlots; ++i) {
        frames[i] = FrameSlot{};
        frameFull[i].store(0, std::memory_order_release);
    }
    frameReadIndex = 0;
    frameWriteIndex = 0;
}

void CVideoChannel::PushPacket(const uint8_t* data, uint32_t length)
{
    if (length > 0 && !data) return;
    std::lock_guard<std::mutex> guard(pushLock);
    if (!accepting.load(std::memory_order_acquire) ||
        packetFull[writeIndex].load(std::memory_order_acquire) != 0) {
        droppedPackets.fetch_add(1, std::memory_order_relaxed);
        return;
    }
    // One extra byte keeps a zero-length packet distinct from an empty slot.
    std::unique_ptr<uint8_t[]> copy(new (std::nothrow) uint8_t[static_cast<size_t>(length) + 1]);
    if (!copy) {
        droppedPackets.fetch_add(1, std::memory_order_relaxed);
        return;
    }
    if (length > 0) std::memcpy(copy.get(), data, length);
    packetLen[writeIndex] = length;
    packets[writeIndex] = std::move(copy);
    packetFull[writeIndex].store(1, std::memory_order_release);
    writeIndex = (writeIndex + 1) % kPacketSlots;
}

int32_t CVideoChannel::WriteIndex() const
{
    std::lock_guard<std::mutex> guard(pushLock);
    return writeIndex;
}

int CVideoChannel::QueuedPackets() const
{
    int count = 0;
    for (const auto& flag : packetFull) count += flag.load(std::memory_order_acquire) ? 1 : 0;
    return count;
}

bool CVideoChannel::CreateDecoder()
{
    decoderAttr.flags = 0;
    decoderAttr.widthInMbs = static_cast<uint32_t>(MacroblocksFor(width));
    decoderAttr.heightInMbs = static_cast<uint32_t>(MacroblocksFor(height));
    decoderAttr.maxRefFrames = 16;
    decoderAttr.reserved5 = 0;
    decoderAttr.reserved6 = 0;
    if (decoder) return true;
    decoder = decoderApi.create(&decoderAttr);
    return decoder != nullptr;
}

void CVideoChannel::DecodeThreadProc()
{
    while (decodeStop.load(std::memory_order_acquire) == 0) {
        DecodeNextPacket();
        std::this_thread::sleep_for(kPollInterval);
    }
}

bool CVideoChannel::DecodeNextPacket()
{
    if (packetFull[readIndex].load(std::memory_order_acquire) == 0) return false;
    DecodePacket(packets[readIndex].get(), packetLen[readIndex]);
    packets[readIndex].reset();
    packetFull[readIndex].store(0, std::memory_order_release);
    readIndex = (readIndex + 1) % kPacketSlots;
    return true;
}

void CVideoChannel::DecodePacket(const uint8_t* data, uint32_t length)
{
    if (!decoder) return;
    const uint32_t flags = length == 0 ? HI264_FLAG_END_OF_STREAM : 0;
    int r = decoderApi.frame(decoder, length ? data : nullptr, length, 0, &decodedFrame, flags);
    // A decoder that never stops answering must not hold the thread for ever.
    for (int guard = 0; guard < 1024; ++guard) {
        if (r == HI264_NEED_MORE || r == HI264_END_OF_STREAM) return;
        if (r == HI264_PICTURE) TakePicture(decodedFrame);
        r = decoderApi.frame(decoder, nullptr, 0, 0, &decodedFrame, flags);
    }
}

void CVideoChannel::TakePicture(const Hi264DecPicture& picture)
{
    const int64_t w = picture.width;
    const int64_t h = static_cast<int64_t>(picture.height) - picture.cropBottom;
    if (!picture.y || !picture.u || !picture.v || w <= 0 || h <= 0 || w > kMaxPictureSide ||
        h > kMaxPictureSide || picture.cropBottom < 0)
        return;
    const int64_t cw = (w + 1) / 2;
    const int64_t ch = (h + 1) / 2;
    if (picture.lumaStride < w || picture.chromaStride < cw) return;

    const int slotIndex = frameWriteIndex;
    if (frameFull[slotIndex].load(std::memory_order_acquire) != 0) {
        droppedFrames.fetch_add(1, std::memory_order_relaxed);
        return;
    }
    FrameSlot& slot = frames[slotIndex];
    slot.y.reset(new (std::nothrow) uint8_t[static_cast<size_t>(w * h)]);
    slot.u.reset(new (std::nothrow) uint8_t[static_cast<size_t>(cw * ch)]);
    slot.v.reset(new (std::nothrow) uint8_t[static_cast<size_t>(cw * ch)]);
    if (!slot.y || !slot.u || !slot.v) {
        slot = FrameSlot{};
        return;
    }
    // The decoder pads its rows; the targets expect the width as the pitch, so the rows are
    // packed tightly here.
    for (int64_t row = 0; row < h; ++row)
        std::memcpy(slot.y.get() + row * w, picture.y + row * picture.lumaStride, static_cast<size_t>(w));
    for (int64_t row = 0; row < ch; ++row) {
        std::memcpy(slot.u.get() + row * cw, picture.u + row * picture.chromaStride, static_cast<size_t>(cw));
        std::memcpy(slot.v.get() + row * cw, picture.v + row * picture.chromaStride, static_cast<size_t>(cw));
    }
    slot.width = static_cast<int32_t>(w);
    slot.height = static_cast<int32_t>(h);
    frameFull[slotIndex].store(1, std::memory_order_release);
    frameWriteIndex = (frameWriteIndex + 1) % kFrameSlots;
}

void CVideoChannel::RenderThreadProc()
{
    while (renderStop.load(std::memory_order_acquire) == 0) {
        RenderNextFrame();
        std::this_thread::sleep_for(kPollInterval);
    }
}

bool CVideoChannel::RenderNextFrame()
{
    const int slotIndex = frameReadIndex;
    if (frameFull[slotIndex].load(std::memory_order_acquire) == 0) return false;
    FrameSlot& slot = frames[slotIndex];
    VideoPicture picture;
    picture.y = slot.y.get();
    picture.u = slot.u.get();
    picture.v = slot.v.get();
    picture.width = slot.width;
    picture.height = slot.height;
    picture.lumaPitch = slot.width;
    picture.chromaPitch = (slot.width + 1) / 2;
    DispatchFrame(picture);
    renderedFrames.fetch_add(1, std::memory_order_relaxed);
    slot = FrameSlot{};
    frameFull[slotIndex].store(0, std::memory_order_release);
    frameReadIndex = (frameReadIndex + 1) % kFrameSlots;
    return true;
}

void CVideoChannel::DispatchFrame(const VideoPicture& picture)
{
    std::lock_guard<std::recursive_mutex> guard(targetLock);
    for (const VideoTarget& entry : targets) {
        if (!entry.target) continue;
        if (entry.kind == kVideoTargetCell)
            entry.target->RenderFrame(picture);
        else if (entry.kind == kVideoTargetView)
            RenderToView(entry.target, picture);
    }
}

void CVideoChannel::RenderToView(IVideoTarget* view, const VideoPicture& picture)
{
    if (view->IsShown()) view->RenderFrame(picture);
}

bool CVideoChannel::AttachTarget(IVideoTarget* target, int32_t kind)
{
    if (!target) return false;
    std::lock_guard<std::recursive_mutex> guard(targetLock);
    for (VideoTarget& entry : targets) {
        if (entry.target == target) return true;
        if (!entry.target) {
            entry.target = target;
            entry.kind = kind;
            return true;
        }
    }
    return false;
}

void CVideoChannel::DetachTarget(IVideoTarget* target)
{
    if (!target) return;
    std::lock_guard<std::recursive_mutex> guard(targetLock);
    for (VideoTarget& entry : targets)
        if (entry.target == target) entry = VideoTarget{};
}

int CVideoChannel::TargetCount() const
{
    std::lock_guard<std::recursive_mutex> guard(targetLock);
    int count = 0;
    for (const VideoTarget& entry : targets) count += entry.target ? 1 : 0;
    return count;
}
