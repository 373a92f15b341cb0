#pragma once
// A preview video channel: packets of an H.264 elementary stream go into a ring, a decode
// thread turns them into pictures, and a render thread hands each picture to the render
// targets registered with the channel.
#include "platform/H264Decoder.h"
#include "preview/VideoDecoderApi.h"
#include "preview/VideoTarget.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

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
    // UI thread. Joins both threads, empties the rings and the target table, frees the decoder.
    void Stop();
    // Any thread: queues a copy of one packet; dropped when the channel does not accept
    // packets or the ring is full. A zero-length packet marks the end of a stream.
    void PushPacket(const uint8_t* data, uint32_t length);

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
    // render the next decoded picture. Each returns whether it found work.
    bool DecodeNextPacket();
    bool RenderNextFrame();

    // For tests and diagnostics.
    bool IsAcceptingPackets() const { return accepting.load(std::memory_order_acquire); }
    bool IsRendering() const { return renderThread.joinable(); }
    int32_t WriteIndex() const;
    int QueuedPackets() const;
    const Hi264DecAttr& DecoderAttr() const { return decoderAttr; }
    uint64_t DroppedPackets() const { return droppedPackets.load(std::memory_order_relaxed); }
    uint64_t DroppedFrames() const { return droppedFrames.load(std::memory_order_relaxed); }
    uint64_t RenderedFrames() const { return renderedFrames.load(std::memory_order_relaxed); }

private:
    struct FrameSlot {
        std::unique_ptr<uint8_t[]> y;
        std::unique_ptr<uint8_t[]> u;
        std::unique_ptr<uint8_t[]> v;
        int32_t width = 0;
        int32_t height = 0;
    };
    struct VideoTarget {
        IVideoTarget* target = nullptr;
        int32_t kind = 0;
    };

    void DecodeThreadProc();
    void RenderThreadProc();
    void TakePicture(const Hi264DecPicture& picture);
    void RenderToView(IVideoTarget* view, const VideoPicture& picture);
    void ClearPackets();
    void ClearFrames();

    const VideoDecoderApi decoderApi;

    // Packet ring: single producer (under pushLock), single consumer (the decode thread).
    // A slot belongs to the producer while its flag is 0 and to the consumer while it is 1;
    // the flag is stored with release after the data and loaded with acquire before it.
    std::array<std::unique_ptr<uint8_t[]>, kPacketSlots> packets;
    int32_t writeIndex = 0;
    int32_t readIndex = 0;
    std::array<std::atomic<uint8_t>, kPacketSlots> packetFull{};
    std::array<uint32_t, kPacketSlots> packetLen{};
    std::atomic<uint8_t> decodeStop{1};

    // Frame ring: the decode thread fills, the render thread empties.
    std::array<FrameSlot, kFrameSlots> frames;
    std::array<std::atomic<uint8_t>, kFrameSlots> frameFull{};
    int32_t frameWriteIndex = 0;
    int32_t frameReadIndex = 0;
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
};
