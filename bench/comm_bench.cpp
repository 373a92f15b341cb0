// Communication speed: frames per second through the frame decoder on clean and hostile streams,
// and how fast the UI thread's hand-over drains a fixed flood of replies from a processor.
//
// Every figure is the minimum and median of several runs, printed with its ratio to a reference
// measured in the same run: one CRC pass over the same bytes for the decoder, the decoder as it
// was (re-checksumming each candidate frame from its start) on hostile streams, and handling the
// same replies directly on one thread for the relay.
#include "comm/Crc32.h"
#include "comm/Frame.h"
#include "comm/FrameDecoder.h"
#include "device/CDeviceData.h"
#include "device/CommandIds.h"
#include "device/ReplyAdapter.h"
#include "device/ReplyHandlers.h"
#include "device/TimerSource.h"
#include "device/UiReplyRelay.h"
#include "tools/emulator/HostileStreams.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRuns = 5;

struct Figures {
    double min = 0, median = 0;
};

// Seconds of each of kRuns runs of fn.
Figures Time(const std::function<void()>& fn)
{
    std::vector<double> s;
    for (int i = 0; i < kRuns; ++i) {
        const auto t0 = Clock::now();
        fn();
        s.push_back(std::chrono::duration<double>(Clock::now() - t0).count());
    }
    std::sort(s.begin(), s.end());
    return {s.front(), s[s.size() / 2]};
}

void Report(const char* what, double units, const char* unit, Figures t, Figures ref, const char* refName)
{
    std::printf("%-44s %10.0f %s/s median (%10.0f best)   %6.2fx of %s (median)\n", what, units / t.median, unit,
                units / t.min, ref.median / t.median, refName);
}

// The decoder as it was: on a bad header or CRC it moves one byte on and checksums the next
// candidate frame from its start.
class RecheckingDecoder {
public:
    std::size_t Feed(const uint8_t* data, std::size_t size)
    {
        buf_.insert(buf_.end(), data, data + size);
        std::size_t frames = 0;
        for (;;) {
            const std::size_t avail = buf_.size() - start_;
            const uint8_t* p = buf_.data() + start_;
            if (avail < comm::kFrameHeaderSize) break;
            if (p[0] != comm::kFrameMagic0 || p[1] != comm::kFrameMagic1) {
                ++start_;
                continue;
            }
            const uint32_t length = comm::GetU32(p + 8);
            const bool ok = p[2] == comm::kFrameVersion && comm::IsKnownFrameType(p[3]) &&
                            length <= comm::MaxPayloadFor(p[3]) && length >= comm::MinPayloadFor(p[3]) &&
                            static_cast<uint16_t>(comm::Crc32(p, 12)) == static_cast<uint16_t>(p[12] | (p[13] << 8));
            if (!ok) {
                ++start_;
                continue;
            }
            const std::size_t total = comm::kFrameOverhead + length;
            if (avail < total) break;
            if (comm::Crc32(p, comm::kFrameHeaderSize + length) != comm::GetU32(p + comm::kFrameHeaderSize + length)) {
                ++start_;
                continue;
            }
            start_ += total;
            ++frames;
        }
        buf_.erase(buf_.begin(), buf_.begin() + static_cast<std::ptrdiff_t>(start_));
        start_ = 0;
        return frames;
    }

private:
    std::vector<uint8_t> buf_;
    std::size_t start_ = 0;
};

std::vector<uint8_t> ReplyStream(std::size_t payload, std::size_t count)
{
    std::vector<uint8_t> out;
    comm::ReplyPacket r{REPLY_STATUS, 1, 1, {0, 0}, std::vector<uint8_t>(payload, 0x5A)};
    const auto p = comm::MakeReplyPayload(r);
    for (std::size_t i = 0; i < count; ++i)
        comm::AppendFrame(out, comm::FrameType::Reply, 1, static_cast<uint16_t>(i), p.data(), p.size());
    return out;
}

std::size_t FeedDecoder(const std::vector<uint8_t>& bytes)
{
    comm::FrameDecoder dec;
    std::size_t frames = 0;
    for (std::size_t pos = 0; pos < bytes.size(); pos += 64 * 1024)
        dec.Feed(bytes.data() + pos, std::min<std::size_t>(64 * 1024, bytes.size() - pos), [&](comm::Frame&&) { ++frames; });
    return frames;
}

std::size_t FeedRechecking(const std::vector<uint8_t>& bytes)
{
    RecheckingDecoder dec;
    std::size_t frames = 0;
    for (std::size_t pos = 0; pos < bytes.size(); pos += 64 * 1024)
        frames += dec.Feed(bytes.data() + pos, std::min<std::size_t>(64 * 1024, bytes.size() - pos));
    return frames;
}

volatile uint32_t g_sink;

void DecoderBench()
{
    std::printf("Frame decoder (64 KiB pieces)\n");
    struct Clean {
        const char* name;
        std::size_t payload, count;
    };
    for (const Clean c : {Clean{"clean, 16-byte replies", 16, 200000}, Clean{"clean, 2360-byte blocks", 2360, 20000},
                          Clean{"clean, 256 KiB video packets", 256 * 1024, 64}}) {
        const auto bytes = ReplyStream(c.payload, c.count);
        const Figures ref = Time([&] { g_sink = comm::Crc32(bytes.data(), bytes.size()); });
        const Figures t = Time([&] {
            if (FeedDecoder(bytes) != c.count) std::printf("  lost frames!\n");
        });
        Report(c.name, static_cast<double>(c.count), "frames", t, ref, "one CRC pass");
    }
    // Hostile: crafted headers followed by clean frames; frames/s counts the clean ones behind it.
    for (std::size_t headers : {std::size_t(20), std::size_t(100), std::size_t(1000)}) {
        auto bytes = emu::CraftedHeaderStream(headers);
        const auto clean = ReplyStream(16, 1000);
        bytes.insert(bytes.end(), clean.begin(), clean.end());
        const double mb = static_cast<double>(bytes.size()) / (1024.0 * 1024.0);
        const Figures t = Time([&] {
            if (FeedDecoder(bytes) != 1000) std::printf("  lost frames!\n");
        });
        char name[96];
        std::snprintf(name, sizeof name, "hostile, %zu crafted headers (%.1f MiB)", headers, mb);
        if (headers <= 100) {  // the re-checking decoder takes about 18 s for 1000
            const Figures old = Time([&] { FeedRechecking(bytes); });
            Report(name, mb, "MiB", t, old, "re-checking decoder");
        } else {
            const Figures ref = Time([&] { g_sink = comm::Crc32(bytes.data(), bytes.size()); });
            Report(name, mb, "MiB", t, ref, "one CRC pass");
        }
    }
}

// Whole blocks and statuses, as a flooding processor sends them.
std::vector<comm::ReplyPacket> Flood(std::size_t count)
{
    std::vector<comm::ReplyPacket> out;
    std::vector<uint8_t> block(sizeof(DeviceParamBlock), 0);
    DeviceParamBlock b;
    std::memcpy(&b, block.data(), block.size());
    for (auto& in : b.input) in.src = 4;  // no input that makes the block send queries
    std::memcpy(block.data(), &b, block.size());
    for (std::size_t i = 0; i < count; ++i) {
        if (i % 2 == 0) {
            block[block.size() - 1] = static_cast<uint8_t>(i);
            out.push_back({REPLY_ALL_DATA, 1, 1, {0, 0}, block});
        } else {
            out.push_back({REPLY_STATUS, 1, static_cast<uint8_t>(i), {0, 0}, {}});
        }
    }
    return out;
}

void RelayBench()
{
    std::printf("Reply hand-over under a flood (blocks and statuses from another thread)\n");
    constexpr std::size_t kReplies = 200000;
    const auto flood = Flood(kReplies);
    CDeviceData dev;
    QtTimerSource timers;
    ReplyHandlers handlers(dev, timers);
    const Figures direct = Time([&] {
        for (const auto& r : flood) DispatchReply(handlers, r);
    });
    uint64_t applied = 0, offered = 0;
    const Figures relayed = Time([&] {
        UiReplyRelay relay(handlers);
        auto handler = relay.CommHandler();
        // The UI thread turns its event loop until the flood is over and the queue is empty; the
        // comm thread says when it is done, the check then follows the relay's own slices.
        QEventLoop loop;
        std::function<void()> checkDrained = [&] {
            if (relay.Stats().queued == 0) loop.quit();
            else QTimer::singleShot(0, &loop, checkDrained);
        };
        std::thread comm([&] {
            for (const auto& r : flood) handler(r);
            QMetaObject::invokeMethod(&loop, checkDrained, Qt::QueuedConnection);
        });
        loop.exec();
        comm.join();
        applied += relay.Stats().taken;
        offered += relay.Stats().pushed;
    });
    // The flood is fixed, so the time to drain it is the figure. How many of its replies were
    // applied follows thread scheduling (the rest were superseded by a newer one): shown, not
    // measured.
    const double replies = static_cast<double>(kReplies);
    std::printf("%-44s %10.0f replies/s median (%10.0f best)   %6.2fx of handling all on one thread (%.0f /s)\n",
                "relay: flood drained", replies / relayed.median, replies / relayed.min, direct.median / relayed.median,
                replies / direct.median);
    std::printf("%-44s %.1f%% applied, the rest superseded\n", "",
                100.0 * static_cast<double>(applied) / static_cast<double>(offered));
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    DecoderBench();
    RelayBench();
    return 0;
}
