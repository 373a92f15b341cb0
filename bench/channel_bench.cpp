// Preview channel throughput and latency on a realistic clip (libx264 medium preset, moving test
// pattern), each figure beside single-thread raw libavcodec decode of the same clip measured in
// the same run.
//
//   flooded: a running channel whose packet ring is kept full (topped up whenever a picture
//            is shown); pictures decoded per second, from the first push to the last picture.
//   paced:   30 and 60 packets/s for a few seconds with 8 targets; pictures never shown, and
//            push-to-render latency p50 / p95.
//
// usage: channel_bench [--runs N] [--seconds S]
#include "TestStream.h"
#include "preview/CVideoChannel.h"

extern "C" {
#include <libavcodec/avcodec.h>
}

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

struct Stats {
    double min = 0, median = 0, max = 0;
};

Stats Summarise(std::vector<double> v)
{
    Stats s;
    if (v.empty()) return s;
    std::sort(v.begin(), v.end());
    s.min = v.front();
    s.max = v.back();
    s.median = v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
    return s;
}

// A target that reads every cache line of the luma plane, as an uploader would, and records
// which picture arrived when.
class BenchTarget : public IVideoTarget {
public:
    explicit BenchTarget(bool stamps) : stamps_(stamps) {}
    void RenderFrame(const VideoPicture& p) override
    {
        unsigned sum = 0;
        const size_t bytes = static_cast<size_t>(p.lumaPitch) * static_cast<size_t>(p.height);
        for (size_t i = 0; i < bytes; i += 64) sum += p.y[i];
        checksum_ += sum;
        const auto now = Clock::now();
        std::lock_guard<std::mutex> guard(lock_);
        if (stamps_) arrivals_.push_back({ReadPictureStamp(p.y, p.lumaPitch), now});
        last_ = now;
        ++calls_;
        changed_.notify_all();
    }
    // Waits until done() holds (checked at every picture) or limit passes.
    template <typename Done>
    bool WaitUntil(Done done, std::chrono::milliseconds limit)
    {
        std::unique_lock<std::mutex> guard(lock_);
        const auto end = Clock::now() + limit;
        while (!done()) {
            // The last picture may already have been counted elsewhere: look again now and then.
            if (changed_.wait_until(guard, std::min(end, Clock::now() + std::chrono::milliseconds(50))) ==
                    std::cv_status::timeout &&
                Clock::now() >= end)
                return done();
        }
        return true;
    }
    Clock::time_point Last()
    {
        std::lock_guard<std::mutex> guard(lock_);
        return last_;
    }
    std::vector<std::pair<int, Clock::time_point>> Arrivals()
    {
        std::lock_guard<std::mutex> guard(lock_);
        return arrivals_;
    }
    unsigned checksum_ = 0;

private:
    bool stamps_;
    std::mutex lock_;
    std::condition_variable changed_;
    std::vector<std::pair<int, Clock::time_point>> arrivals_;
    Clock::time_point last_{};
    long calls_ = 0;
};

// Single-thread libavcodec decode of the whole clip: pictures/s.
double RawDecode(const EncodedStream& stream, int count, double* msPerPicture)
{
    const AVCodec* codec = avcodec_find_decoder(AV_CODEC_ID_H264);
    AVCodecContext* context = avcodec_alloc_context3(codec);
    context->thread_count = 1;
    context->flags |= AV_CODEC_FLAG_LOW_DELAY;
    avcodec_open2(context, codec, nullptr);
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    int pictures = 0;
    const auto start = Clock::now();
    for (int i = 0; i < count; ++i) {
        const auto& p = stream.packets[static_cast<size_t>(i) % stream.packets.size()];
        av_new_packet(packet, static_cast<int>(p.size()));
        std::memcpy(packet->data, p.data(), p.size());
        avcodec_send_packet(context, packet);
        av_packet_unref(packet);
        while (avcodec_receive_frame(context, frame) == 0) ++pictures;
    }
    const double ms = Ms(Clock::now() - start);
    av_frame_free(&frame);
    av_packet_free(&packet);
    avcodec_free_context(&context);
    *msPerPicture = ms / std::max(1, pictures);
    return pictures * 1000.0 / ms;
}

// The same clip through the program's decoder layer on one thread, called as the channel calls
// it (each packet, then a drain call): shows how much of a gap is the layer's.
double LayerDecode(const EncodedStream& stream, int count)
{
    Hi264DecAttr attr{};
    attr.widthInMbs = static_cast<uint32_t>((stream.width + 15) / 16);
    attr.heightInMbs = static_cast<uint32_t>((stream.height + 15) / 16);
    attr.maxRefFrames = 16;
    Hi264DecHandle decoder = Hi264DecCreate(&attr);
    Hi264DecPicture picture{};
    int pictures = 0;
    const auto start = Clock::now();
    for (int i = 0; i < count; ++i) {
        const auto& p = stream.packets[static_cast<size_t>(i) % stream.packets.size()];
        int r = Hi264DecFrame(decoder, p.data(), static_cast<uint32_t>(p.size()), 0, &picture, 0);
        while (r == HI264_PICTURE) {
            ++pictures;
            r = Hi264DecFrame(decoder, nullptr, 0, 0, &picture, 0);
        }
    }
    const double ms = Ms(Clock::now() - start);
    Hi264DecDestroy(decoder);
    return pictures * 1000.0 / ms;
}

struct FloodResult {
    double picturesPerSecond = 0;
    double shown = 0;
};

// The decoder layer without its picture hold: every picture copied on the decode thread.
const VideoDecoderApi& CopyingApi()
{
    static const VideoDecoderApi api{&Hi264DecCreate, &Hi264DecFrame, &Hi264DecDestroy, nullptr, nullptr};
    return api;
}

FloodResult Flood(const EncodedStream& stream, int pictures, int targetCount, bool copying = false)
{
    CVideoChannel channel(copying ? CopyingApi() : DefaultVideoDecoderApi());
    channel.SetSize(stream.width, stream.height);
    channel.Start();
    std::vector<std::unique_ptr<BenchTarget>> targets;
    for (int i = 0; i < targetCount; ++i) {
        targets.push_back(std::make_unique<BenchTarget>(false));
        channel.AttachTarget(targets.back().get(), i == 0 ? kVideoTargetCell : kVideoTargetView);
    }
    const uint64_t total = static_cast<uint64_t>(pictures);
    const auto start = Clock::now();
    // The ring never runs dry: topped up in one go whenever a quarter of it has been decoded.
    uint64_t pushed = 0;
    while (pushed < total) {
        const int room = CVideoChannel::kPacketSlots - channel.QueuedPackets();
        for (int i = 0; i < room && pushed < total; ++i) {
            const auto& p = stream.packets[pushed++ % stream.packets.size()];
            channel.PushPacket(p.data(), static_cast<uint32_t>(p.size()));
        }
        const uint64_t decoded = channel.RenderedFrames() + channel.DroppedFrames();
        targets[0]->WaitUntil(
            [&] { return channel.RenderedFrames() + channel.DroppedFrames() >= decoded + CVideoChannel::kPacketSlots / 4; },
            std::chrono::milliseconds(20));
    }
    targets[0]->WaitUntil([&] { return channel.RenderedFrames() + channel.DroppedFrames() >= total; },
                          std::chrono::seconds(60));
    FloodResult r;
    r.picturesPerSecond = static_cast<double>(total) * 1000.0 / Ms(targets[0]->Last() - start);
    r.shown = static_cast<double>(channel.RenderedFrames());
    channel.Stop();
    return r;
}

struct PacedResult {
    double neverShown = 0;
    std::vector<double> latencies;
};

PacedResult Paced(const EncodedStream& stream, int rate, double seconds, int targetCount)
{
    CVideoChannel channel;
    channel.SetSize(stream.width, stream.height);
    channel.Start();
    std::vector<std::unique_ptr<BenchTarget>> targets;
    for (int i = 0; i < targetCount; ++i) {
        targets.push_back(std::make_unique<BenchTarget>(i == 0));
        channel.AttachTarget(targets.back().get(), i == 0 ? kVideoTargetCell : kVideoTargetView);
    }
    const int count = static_cast<int>(rate * seconds);
    const auto period = std::chrono::nanoseconds(1000000000LL / rate);
    std::vector<Clock::time_point> pushed(static_cast<size_t>(count));
    auto next = Clock::now();
    for (int i = 0; i < count; ++i) {
        const auto& p = stream.packets[static_cast<size_t>(i) % stream.packets.size()];
        pushed[static_cast<size_t>(i)] = Clock::now();
        channel.PushPacket(p.data(), static_cast<uint32_t>(p.size()));
        next += period;
        std::this_thread::sleep_until(next);
    }
    targets[0]->WaitUntil(
        [&] {
            return channel.RenderedFrames() + channel.DroppedFrames() + channel.DroppedPackets() >=
                   static_cast<uint64_t>(count);
        },
        std::chrono::seconds(10));
    channel.Stop();

    PacedResult r;
    const auto arrivals = targets[0]->Arrivals();
    r.neverShown = static_cast<double>(count) - static_cast<double>(arrivals.size());
    // Picture i carries stamp (i mod clip length) mod 256; the push it belongs to is the latest
    // one with that stamp at or before its arrival.
    const int clip = static_cast<int>(stream.packets.size());
    int searchFrom = 0;
    for (const auto& [stamp, when] : arrivals) {
        for (int i = searchFrom; i < count; ++i) {
            if ((i % clip) % 256 != stamp) continue;
            if (pushed[static_cast<size_t>(i)] > when) break;
            r.latencies.push_back(Ms(when - pushed[static_cast<size_t>(i)]));
            searchFrom = i + 1;
            break;
        }
    }
    return r;
}

double Percentile(std::vector<double> v, double q)
{
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<size_t>(q * static_cast<double>(v.size())))];
}

}  // namespace

int main(int argc, char** argv)
{
    int runs = 5;
    double seconds = 4;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--runs") && i + 1 < argc) runs = std::max(1, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--seconds") && i + 1 < argc) seconds = std::max(0.5, std::atof(argv[++i]));
    }
    std::printf("channel_bench: %d runs per figure; min and median over runs\n", runs);
    const struct {
        int w, h;
    } sizes[] = {{352, 240}, {1920, 1080}};
    for (const auto& size : sizes) {
        std::string error;
        // 120 pictures: two key-picture periods, so the clip can be looped.
        const EncodedStream clip = EncodeMovingPatternStream(size.w, size.h, 120, "medium", &error);
        if (clip.packets.size() != 120) {
            std::fprintf(stderr, "no clip: %s\n", error.c_str());
            return 1;
        }
        size_t bytes = 0;
        for (const auto& p : clip.packets) bytes += p.size();
        // Enough pictures for a flood of about a second at the raw decode rate.
        const int floodPictures = size.w > 1000 ? 240 : 2400;
        std::printf("\n%dx%d clip: %zu packets, %.1f KB per packet; floods of %d pictures\n", size.w, size.h,
                    clip.packets.size(), bytes / 1024.0 / static_cast<double>(clip.packets.size()), floodPictures);

        // The figures of one run are taken one after the other, so a busy machine weighs on all.
        std::vector<double> raw, rawMs, layer, fps[3], shown[3];
        for (int r = 0; r < runs; ++r) {
            double ms = 0;
            raw.push_back(RawDecode(clip, floodPictures, &ms));
            rawMs.push_back(ms);
            layer.push_back(LayerDecode(clip, floodPictures));
            for (int t = 0; t < 3; ++t) {
                const FloodResult f = Flood(clip, floodPictures, t == 1 ? 8 : 1, t == 2);
                fps[t].push_back(f.picturesPerSecond);
                shown[t].push_back(f.shown);
            }
        }
        const Stats rawStats = Summarise(raw), rawMsStats = Summarise(rawMs), layerStats = Summarise(layer);
        std::printf("  raw decode, 1 thread       %8.0f / %8.0f pictures/s (min / median), %.2f ms per picture (median)\n",
                    rawStats.min, rawStats.median, rawMsStats.median);
        std::printf("  decoder layer, 1 thread    %8.0f / %8.0f pictures/s  = %5.1f%% / %5.1f%% of raw\n", layerStats.min,
                    layerStats.median, 100.0 * layerStats.min / rawStats.median, 100.0 * layerStats.median / rawStats.median);
        for (int t = 0; t < 3; ++t) {
            const Stats s = Summarise(fps[t]);
            std::printf("  flooded, %d target%s%s %8.0f / %8.0f pictures/s  = %5.1f%% / %5.1f%% of raw; shown %.0f%% (median)\n",
                        t == 1 ? 8 : 1, t == 1 ? "s" : " ", t == 2 ? ", copied" : "        ", s.min, s.median, 100.0 * s.min / rawStats.median,
                        100.0 * s.median / rawStats.median, 100.0 * Summarise(shown[t]).median / floodPictures);
        }

        for (int rate : {30, 60}) {
            std::vector<double> lost, p50, p95;
            for (int r = 0; r < std::max(1, runs / 2 + 1); ++r) {
                const PacedResult p = Paced(clip, rate, seconds, 8);
                lost.push_back(p.neverShown);
                p50.push_back(Percentile(p.latencies, 0.5));
                p95.push_back(Percentile(p.latencies, 0.95));
            }
            const Stats l = Summarise(lost), a = Summarise(p50), b = Summarise(p95);
            std::printf("  paced %d/s, 8 targets, %.0f s: never shown %.0f / %.0f; latency p50 %.2f / %.2f ms, p95 %.2f / %.2f ms "
                        "(p50 - decode time %.2f ms)\n",
                        rate, seconds, l.min, l.median, a.min, a.median, b.min, b.median, a.median - rawMsStats.median);
        }
    }
    return 0;
}
