#include "preview/CVideoChannel.h"

#include <cstring>
#include <new>

namespace {

// A packet buffer larger than this is given back after decoding rather than kept for the
// slot's next packet, so a burst of key frames does not pin memory in all 100 slots.
constexpr size_t kKeptPacketCapacity = 256 * 1024;

int32_t MacroblocksFor(int32_t pixels)
{
    if (pixels <= 0) return 0;
    return pixels / 16 + (pixels % 16 != 0 ? 1 : 0);
}

// Copies the visible part of a decoder picture into tight planes at dst: Y, then U, then V.
void PackPlanes(const Hi264DecPicture& picture, int64_t w, int64_t h, uint8_t* dst)
{
    const int64_t cw = (w + 1) / 2;
    const int64_t ch = (h + 1) / 2;
    uint8_t* y = dst;
    uint8_t* u = y + w * h;
    uint8_t* v = u + cw * ch;
    for (int64_t row = 0; row < h; ++row)
        std::memcpy(y + row * w, picture.y + row * picture.lumaStride, static_cast<size_t>(w));
    for (int64_t row = 0; row < ch; ++row) {
        std::memcpy(u + row * cw, picture.u + row * picture.chromaStride, static_cast<size_t>(cw));
        std::memcpy(v + row * cw, picture.v + row * picture.chromaStride, static_cast<size_t>(cw));
    }
}

size_t TightBytes(int64_t w, int64_t h)
{
    return static_cast<size_t>(w * h + 2 * ((w + 1) / 2) * ((h + 1) / 2));
}

}  // namespace

CVideoChannel::CVideoChannel(const VideoDecoderApi& api) : decoderApi(api)
{
    for (auto& flag : packetFull) flag.store(0, std::memory_order_relaxed);
}

CVideoChannel::~CVideoChannel()
{
    Stop();
    // Pictures decoded without the threads (DecodePacket called directly) may still be held.
    ClearFrames();
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
    const bool decoding = decodeStop.load(std::memory_order_acquire) == 0;
    const bool rendering = renderStop.load(std::memory_order_acquire) == 0;
    // Both threads are told before either is waited for; neither works through what is queued.
    if (rendering) {
        std::lock_guard<std::mutex> guard(frameLock);
        renderStop.store(1, std::memory_order_release);
        frameReady.notify_all();
    }
    if (decoding) {
        std::lock_guard<std::mutex> guard(pushLock);
        decodeStop.store(1, std::memory_order_release);
        packetQueued.notify_all();
        // No push may be half way through the ring while it is emptied below.
        accepting.store(false, std::memory_order_release);
    }
    if (decoding) {
        if (decodeThread.joinable()) decodeThread.join();
        {
            std::lock_guard<std::mutex> guard(pushLock);
            ClearPackets();
        }
        {
            std::lock_guard<std::recursive_mutex> guard(targetLock);
            for (auto& entry : targets) entry = VideoTarget{};
        }
    }
    if (rendering && renderThread.joinable()) renderThread.join();
    if (decoding || rendering) ClearFrames();
    if (decoding && decoder) {
        decoderApi.destroy(decoder);
        decoder = nullptr;
    }
}

void CVideoChannel::ClearPackets()
{
    for (int i = 0; i < kPacketSlots; ++i) {
        std::vector<uint8_t>().swap(packets[i]);
        packetFull[i].store(0, std::memory_order_release);
    }
    readIndex = 0;
    writeIndex = 0;
}

void CVideoChannel::FreeSlotBuffer(FrameSlot& slot)
{
    if (slot.buffer) livePictureBuffers.fetch_sub(1, std::memory_order_relaxed);
    slot.buffer.reset();
    slot.capacity = 0;
}

void CVideoChannel::ReleaseHeld(FrameSlot& slot)
{
    if (!slot.held) return;
    decoderApi.release(slot.held);
    slot.held = nullptr;
    livePictureBuffers.fetch_sub(1, std::memory_order_relaxed);
}

void CVideoChannel::ClearFrames()
{
    std::lock_guard<std::mutex> guard(frameLock);
    for (FrameSlot& slot : frames) {
        FreeSlotBuffer(slot);
        ReleaseHeld(slot);
        slot = FrameSlot{};
    }
    frameSequence = 0;
}

template <typename Fill>
void CVideoChannel::PushWith(Fill fill)
{
    std::lock_guard<std::mutex> guard(pushLock);
    if (!accepting.load(std::memory_order_acquire) ||
        packetFull[writeIndex].load(std::memory_order_acquire) != 0 || !fill(packets[writeIndex])) {
        droppedPackets.fetch_add(1, std::memory_order_relaxed);
        return;
    }
    packetFull[writeIndex].store(1, std::memory_order_release);
    writeIndex = (writeIndex + 1) % kPacketSlots;
    packetQueued.notify_one();
}

void CVideoChannel::PushPacket(const uint8_t* data, uint32_t length)
{
    if (length > 0 && !data) return;
    PushWith([data, length](std::vector<uint8_t>& slot) {
        // The slot keeps its buffer from the packet before, so this rarely allocates.
        try {
            slot.assign(data, data + length);
            return true;
        } catch (const std::bad_alloc&) {
            std::vector<uint8_t>().swap(slot);
            return false;
        }
    });
}

void CVideoChannel::PushPacket(std::vector<uint8_t>&& packet)
{
    PushWith([&packet](std::vector<uint8_t>& slot) {
        slot = std::move(packet);
        return true;
    });
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
        if (DecodeNextPacket()) continue;
        std::unique_lock<std::mutex> lock(pushLock);
        packetQueued.wait(lock, [this] {
            return decodeStop.load(std::memory_order_acquire) != 0 ||
                   packetFull[readIndex].load(std::memory_order_acquire) != 0;
        });
    }
}

bool CVideoChannel::DecodeNextPacket()
{
    if (packetFull[readIndex].load(std::memory_order_acquire) == 0) return false;
    std::vector<uint8_t>& packet = packets[readIndex];
    DecodePacket(packet.data(), static_cast<uint32_t>(packet.size()));
    if (packet.capacity() > kKeptPacketCapacity)
        std::vector<uint8_t>().swap(packet);
    else
        packet.clear();
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

int CVideoChannel::ClaimSlotForWriting()
{
    for (int i = 0; i < kFrameSlots; ++i)
        if (frames[i].state == SlotState::Free) return i;
    // The renderer is behind: the older picture it has not shown yet gives way.
    const int oldestReady = OldestReadySlot();
    if (oldestReady >= 0) droppedFrames.fetch_add(1, std::memory_order_relaxed);
    return oldestReady;
}

int CVideoChannel::OldestReadySlot() const
{
    int oldest = -1;
    for (int i = 0; i < kFrameSlots; ++i)
        if (frames[i].state == SlotState::Ready && (oldest < 0 || frames[i].sequence < frames[oldest].sequence))
            oldest = i;
    return oldest;
}

void CVideoChannel::TakePicture(const Hi264DecPicture& picture)
{
    const int64_t w = picture.width;
    const int64_t h = static_cast<int64_t>(picture.height) - picture.cropBottom;
    if (!picture.y || !picture.u || !picture.v || w <= 0 || h <= 0 || w > kMaxPictureSide ||
        h > kMaxPictureSide || picture.cropBottom < 0)
        return;
    if (picture.lumaStride < w || picture.chromaStride < (w + 1) / 2) return;

    int slotIndex;
    {
        std::lock_guard<std::mutex> guard(frameLock);
        slotIndex = ClaimSlotForWriting();
        if (slotIndex < 0) {
            droppedFrames.fetch_add(1, std::memory_order_relaxed);
            return;
        }
        frames[slotIndex].state = SlotState::Writing;
    }
    // The slot is ours until it is marked ready: it is filled without the lock.
    FrameSlot& slot = frames[slotIndex];
    ReleaseHeld(slot);  // an older picture that was never shown
    bool ok = false;
    if (decoderApi.hold && picture.lumaStride == w && picture.chromaStride == (w + 1) / 2) {
        // Rows already tight: no copy at all, the decoder's own picture is kept for the
        // renderer. Padded rows are packed by the copy below; for small pictures that is also
        // cheaper than making the decoder cycle through more buffers.
        slot.held = decoderApi.hold(decoder, &picture, &slot.planes);
        if (slot.held) {
            FreeSlotBuffer(slot);
            livePictureBuffers.fetch_add(1, std::memory_order_relaxed);
            ok = true;
        }
    }
    if (!ok) ok = CopyPicture(slot, picture, w, h);
    if (ok) {
        slot.width = static_cast<int32_t>(w);
        slot.height = static_cast<int32_t>(h);
    }
    std::lock_guard<std::mutex> guard(frameLock);
    if (!ok) {
        slot.state = SlotState::Free;
        droppedFrames.fetch_add(1, std::memory_order_relaxed);
        return;
    }
    slot.sequence = ++frameSequence;
    slot.state = SlotState::Ready;
    frameReady.notify_one();
}

bool CVideoChannel::CopyPicture(FrameSlot& slot, const Hi264DecPicture& picture, int64_t w, int64_t h)
{
    const size_t needed = TightBytes(w, h);
    if (slot.capacity < needed) {
        FreeSlotBuffer(slot);
        slot.buffer.reset(new (std::nothrow) uint8_t[needed]);
        if (!slot.buffer) return false;
        slot.capacity = needed;
        livePictureBuffers.fetch_add(1, std::memory_order_relaxed);
    }
    // The decoder pads its rows; the targets expect the width as the pitch, so the rows are
    // packed tightly here.
    PackPlanes(picture, w, h, slot.buffer.get());
    return true;
}

void CVideoChannel::RenderThreadProc()
{
    std::unique_lock<std::mutex> lock(frameLock);
    for (;;) {
        frameReady.wait(lock, [this] { return renderStop.load(std::memory_order_acquire) != 0 || OldestReadySlot() >= 0; });
        if (renderStop.load(std::memory_order_acquire) != 0) return;
        lock.unlock();
        RenderNextFrame();
        lock.lock();
    }
}

VideoPicture CVideoChannel::TightPicture(const FrameSlot& slot)
{
    const int32_t chromaPitch = (slot.width + 1) / 2;
    VideoPicture picture;
    picture.width = slot.width;
    picture.height = slot.height;
    picture.lumaPitch = slot.width;
    picture.chromaPitch = chromaPitch;
    if (slot.held) {
        picture.y = slot.planes.y;
        picture.u = slot.planes.u;
        picture.v = slot.planes.v;
    } else {
        picture.y = slot.buffer.get();
        picture.u = picture.y + static_cast<int64_t>(slot.width) * slot.height;
        picture.v = picture.u + static_cast<int64_t>(chromaPitch) * ((slot.height + 1) / 2);
    }
    return picture;
}

bool CVideoChannel::RenderNextFrame()
{
    int slotIndex = -1;
    {
        std::lock_guard<std::mutex> guard(frameLock);
        slotIndex = OldestReadySlot();
        if (slotIndex < 0) return false;
        frames[slotIndex].state = SlotState::Rendering;
    }
    FrameSlot& slot = frames[slotIndex];
    DispatchFrame(TightPicture(slot));
    renderedFrames.fetch_add(1, std::memory_order_relaxed);
    // A held picture stays with the slot until the decode thread fills the slot again: the
    // decoder reuses its buffers only after a release on its own thread, behind frameLock.
    std::lock_guard<std::mutex> guard(frameLock);
    slot.state = SlotState::Free;
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
