// Preview pipeline speed: raw libavcodec decode of a stream, the channel's decode and
// dispatch of the same stream to 1, 4 and 8 targets, and push-to-render latency through the
// running channel threads (median and 95th percentile).
#include "ReferenceDecode.h"
#include "TestStream.h"
#include "preview/CVideoChannel.h"

#include <benchmark/benchmark.h>

extern "C" {
#include <libavcodec/avcodec.h>
}

#include <algorithm>
#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kPictures = 30;

const EncodedStream& StreamFor(int width, int height)
{
    static std::mutex lock;
    static std::map<std::pair<int, int>, EncodedStream> streams;
    std::lock_guard<std::mutex> guard(lock);
    auto it = streams.find({width, height});
    if (it == streams.end()) {
        std::string error;
        it = streams.emplace(std::make_pair(width, height), EncodeQuadrantStream(width, height, kPictures, 0, &error)).first;
        if (it->second.packets.empty()) std::fprintf(stderr, "%s\n", error.c_str());
    }
    return it->second;
}

// A target that touches the picture the way an uploader would start to.
class CountingTarget : public IVideoTarget {
public:
    void RenderFrame(const VideoPicture& p) override
    {
        checksum += p.y[0] + p.u[0] + p.v[0] + p.y[static_cast<size_t>(p.width) * p.height - 1];
        ++frames;
    }
    uint64_t checksum = 0;
    int frames = 0;
};

void BM_RawLibavcodecDecode(benchmark::State& state)
{
    const EncodedStream& stream = StreamFor(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    if (stream.packets.empty()) return state.SkipWithError("no test stream");
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    int64_t pictures = 0;
    for (auto _ : state) pictures += DecodeWithReference(stream, packet, frame, [](const AVFrame&) {});
    av_frame_free(&frame);
    av_packet_free(&packet);
    state.SetItemsProcessed(pictures);
}

void BM_ChannelDecodeAndDispatch(benchmark::State& state)
{
    const EncodedStream& stream = StreamFor(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    if (stream.packets.empty()) return state.SkipWithError("no test stream");
    const int targetCount = static_cast<int>(state.range(2));
    std::vector<CountingTarget> targets(static_cast<size_t>(targetCount));
    CVideoChannel channel;
    channel.SetSize(stream.width, stream.height);
    for (auto& t : targets) channel.AttachTarget(&t, kVideoTargetCell);
    if (!channel.CreateDecoder()) return state.SkipWithError("no decoder");
    for (auto _ : state) {
        // The channel's threads are not running: each packet is decoded and its picture
        // dispatched here. The end-of-stream packet resets the decoder for the next pass.
        for (const auto& p : stream.packets) {
            channel.DecodePacket(p.data(), static_cast<uint32_t>(p.size()));
            channel.RenderNextFrame();
        }
        channel.DecodePacket(nullptr, 0);
        while (channel.RenderNextFrame()) {
        }
    }
    int64_t frames = 0;
    for (auto& t : targets) frames += t.frames;
    state.SetItemsProcessed(frames / std::max(1, targetCount));
    benchmark::DoNotOptimize(targets[0].checksum);
}

// Records when each picture (identified by its brightness step) reached the first target.
class StampingTarget : public IVideoTarget {
public:
    void RenderFrame(const VideoPicture& p) override
    {
        const int x = p.width / 4, y = p.height / 4;
        const int index = (p.y[y * p.lumaPitch + x] - 40 + 1) / 2;
        if (index >= 0 && index < kPictures && arrived[static_cast<size_t>(index)] == Clock::time_point{})
            arrived[static_cast<size_t>(index)] = Clock::now();
    }
    std::array<Clock::time_point, kPictures> arrived{};
};

void BM_PushToRenderLatency(benchmark::State& state)
{
    const EncodedStream& stream = StreamFor(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    if (stream.packets.empty()) return state.SkipWithError("no test stream");
    const int targetCount = static_cast<int>(state.range(2));
    std::vector<double> latencies;
    for (auto _ : state) {
        CVideoChannel channel;
        channel.SetSize(stream.width, stream.height);
        channel.Start();
        StampingTarget first;
        std::vector<CountingTarget> others(static_cast<size_t>(targetCount - 1));
        channel.AttachTarget(&first, kVideoTargetCell);
        for (auto& t : others) channel.AttachTarget(&t, kVideoTargetView);
        std::array<Clock::time_point, kPictures> pushed{};
        for (int i = 0; i < kPictures; ++i) {
            const auto& p = stream.packets[static_cast<size_t>(i)];
            pushed[static_cast<size_t>(i)] = Clock::now();
            channel.PushPacket(p.data(), static_cast<uint32_t>(p.size()));
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        channel.Stop();
        for (int i = 0; i < kPictures; ++i)
            if (first.arrived[static_cast<size_t>(i)] != Clock::time_point{})
                latencies.push_back(std::chrono::duration<double, std::milli>(first.arrived[static_cast<size_t>(i)] -
                                                                              pushed[static_cast<size_t>(i)])
                                        .count());
    }
    if (latencies.empty()) return state.SkipWithError("no picture arrived");
    std::sort(latencies.begin(), latencies.end());
    state.counters["median_ms"] = latencies[latencies.size() / 2];
    state.counters["p95_ms"] = latencies[std::min(latencies.size() - 1, latencies.size() * 95 / 100)];
    state.counters["arrived"] = static_cast<double>(latencies.size()) / static_cast<double>(state.iterations());
}

void Sizes(benchmark::internal::Benchmark* b)
{
    b->Args({352, 240})->Args({1920, 1080});
}

void SizesAndTargets(benchmark::internal::Benchmark* b)
{
    for (int targets : {1, 4, 8}) {
        b->Args({352, 240, targets});
        b->Args({1920, 1080, targets});
    }
}

}  // namespace

BENCHMARK(BM_RawLibavcodecDecode)->Apply(Sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChannelDecodeAndDispatch)->Apply(SizesAndTargets)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PushToRenderLatency)->Apply(SizesAndTargets)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
