#pragma once
// A preview video channel: packets of an H.264 elementary stream go into a ring, a decode
// thread turns them into pictures, and a render thread hands each picture to the render
// targets registered with the channel. Both threads sleep on condition variables: a packet
// wakes the decoder, a picture wakes the renderer, Stop wakes both. A live preview wants the
// latest picture, so when the renderer falls behind the decoder overwrites the oldest picture
// not yet shown instead of growing the picture ring or blocking.
#include "platform/H264Decoder.h"
#include "preview/VideoDecoderApi.h"
#include "preview/VideoTarget.h"

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class CVideoChannel {
public:
    static constexpr int kPacketSlots = 100;
    static constexpr int kFrameSlots = 2;
    static constexpr int kMaxTargets = 240;
    // Pictures larger than this are refused rather than copied.
    static constexpr int32_t kMaxPictureSide = 8192;

    explicit CVideoChannel(const VideoDecoderApi& decoderApi = DefaultVideoDecoderApi());
    ~CVideoChannel();
    CVideoChannel(const CVideoChannel&) = delete;
    CVideoChannel& operator=(const CVideoChannel&) = delete;

    // UI thread. Starts the decode thread (when a decoder can be made) and the render thread;
    // a second Start while running does nothing.
    void Start();
    // UI thread. Wakes both threads and joins them without letting them drain the rings, then
    // empties the rings and the target table and frees the decoder.
    void Stop();
    // Any thread: queues a copy of one packet; dropped when the channel does not accept
    // packets or the ring is full. A zero-length packet marks the end of a stream.
    void PushPacket(const uint8_t* data, uint32_t length);
    // The same for a packet the caller no longer needs: its buffer moves into the ring
    // uncopied. Left as it was when the packet is dropped.
    void PushPacket(std::vector<uint8_t>&& packet);

    // Stream size for the next Start (UI thread, while stopped).
    void SetSize(int32_t newWidth, int32_t newHeight);
    int32_t Width() const { return width; }
    int32_t Height() const { return height; }

    bool CreateDecoder();
    void DecodePacket(const uint8_t* data, uint32_t length);
    void DispatchFrame(const VideoPicture& picture);

    // Target table (any thread but the render thread's targets). Attaching an attached
    // target does nothing; with no free entry the target is not registered (false).
    bool AttachTarget(IVideoTarget* target, int32_t kind);
    void DetachTarget(IVideoTarget* target);
    int TargetCount() const;

    // One step of each worker, also used by the benchmark: decode the next queued packet /
    // render the oldest decoded picture. Each returns whether it found work.
    bool DecodeNextPacket();
    bool RenderNextFrame();

    // For tests and diagnostics.
    bool IsAcceptingPackets() const { return accepting.load(std::memory_order_acquire); }
    bool IsRendering() const { return renderThread.joinable(); }
    int32_t WriteIndex() const;
    int QueuedPackets() const;
    const Hi264DecAttr& DecoderAttr() const { return decoderAttr; }
    uint64_t DroppedPackets() const { return droppedPackets.load(std::memory_order_relaxed); }
    // Pictures decoded but never shown: overwritten by a newer one while the renderer was
    // behind, or lost to a failed allocation.
    uint64_t DroppedFrames() const { return droppedFrames.load(std::memory_order_relaxed); }
    uint64_t RenderedFrames() const { return renderedFrames.load(std::memory_order_relaxed); }
    // Pictures the channel keeps now (in buffers of its own or held from the decoder); never
    // more than kFrameSlots.
    int LivePictureBuffers() const { return livePictureBuffers.load(std::memory_order_relaxed); }

private:
    enum class SlotState : uint8_t { Free, Writing, Ready, Rendering };
    // One picture: either held from the decoder as it is (no copy, when its rows are tight), or
    // copied into tight planes in the slot's own buffer, which is kept from picture to picture and only reallocated when
    // a picture needs more room.
    struct FrameSlot {
        std::unique_ptr<uint8_t[]> buffer;
        size_t capacity = 0;
        Hi264DecPictureHold held = nullptr;
        Hi264DecPicture planes{};  // of the held picture
        int32_t width = 0;
        int32_t height = 0;
        uint64_t sequence = 0;  // decode order, so the oldest ready picture is shown first
        SlotState state = SlotState::Free;
    };
    struct VideoTarget {
        IVideoTarget* target = nullptr;
        int32_t kind = 0;
    };

    void DecodeThreadProc();
    void RenderThreadProc();
    void TakePicture(const Hi264DecPicture& picture);
    // Under frameLock: a free slot, else the oldest picture not yet shown (counted as
    // dropped); -1 when every slot is busy.
    int ClaimSlotForWriting();
    // Under pushLock: fill(slot) stores the packet in the write slot (false when it cannot);
    // counts a drop when the channel is stopped, the ring is full or fill fails.
    template <typename Fill>
    void PushWith(Fill fill);
    // Under frameLock: the ready slot with the oldest picture, -1 when none is ready.
    int OldestReadySlot() const;
    void RenderToView(IVideoTarget* view, const VideoPicture& picture);
    void ClearPackets();
    void ClearFrames();
    void FreeSlotBuffer(FrameSlot& slot);
    void ReleaseHeld(FrameSlot& slot);
    // Decode thread: the picture copied into the slot's own buffer in tight planes.
    bool CopyPicture(FrameSlot& slot, const Hi264DecPicture& picture, int64_t w, int64_t h);
    // Render thread: where the slot's picture lies.
    static VideoPicture TightPicture(const FrameSlot& slot);

    const VideoDecoderApi decoderApi;

    // Packet ring: producers under pushLock, single consumer (the decode thread). A slot
    // belongs to the producer while its flag is 0 and to the consumer while it is 1; the flag
    // is stored with release after the data and loaded with acquire before it. The flag is set
    // under pushLock, and the decode thread sleeps on packetQueued under the same lock, so no
    // wake-up is lost.
    std::array<std::vector<uint8_t>, kPacketSlots> packets;
    int32_t writeIndex = 0;
    int32_t readIndex = 0;
    std::array<std::atomic<uint8_t>, kPacketSlots> packetFull{};
    std::atomic<uint8_t> decodeStop{1};
    std::condition_variable packetQueued;

    // Picture ring: slot states change under frameLock; the pixels belong to whoever set the
    // slot Writing or Rendering, and are touched without the lock.
    std::array<FrameSlot, kFrameSlots> frames;
    uint64_t frameSequence = 0;
    mutable std::mutex frameLock;
    std::condition_variable frameReady;
    std::atomic<uint8_t> renderStop{1};

    int32_t height = 240;
    int32_t width = 352;

    Hi264DecHandle decoder = nullptr;
    Hi264DecAttr decoderAttr{};
    Hi264DecPicture decodedFrame{};
    std::thread decodeThread;

    std::array<VideoTarget, kMaxTargets> targets{};
    // Guards the target table; the render thread holds it for a whole dispatch, so a target
    // that has been detached is never called again. Lives as long as the channel.
    mutable std::recursive_mutex targetLock;
    std::thread renderThread;

    // Makes pushing exclusive with emptying the ring, and serialises several producers.
    mutable std::mutex pushLock;
    std::atomic<bool> accepting{false};

    std::atomic<uint64_t> droppedPackets{0};
    std::atomic<uint64_t> droppedFrames{0};
    std::atomic<uint64_t> renderedFrames{0};
    std::atomic<int> livePictureBuffers{0};
};
