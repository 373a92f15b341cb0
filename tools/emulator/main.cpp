// Command-line processor emulator: serves one emulated processor on a loopback address until
// interrupted. Prints the ports (and the pseudo-terminal path) it serves.

#include "comm/Frame.h"
#include "tools/emulator/H264Clip.h"
#include "tools/emulator/PreviewFormat.h"
#include "tools/emulator/ProcessorEmulator.h"

#include <algorithm>
#include <array>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <thread>

namespace {

volatile std::sig_atomic_t g_stop = 0;
void OnSignal(int) { g_stop = 1; }

constexpr int kClipPictures = 50;

// The preview clip follows the encoder's stream settings: at start and whenever the program
// changes them, the clip is made anew at the size and rate they give. False when no clip can be
// made.
bool FollowStreamSettings(emu::ProcessorEmulator& emulator, std::optional<emu::PreviewFormat>& streaming)
{
    const auto format = emu::PreviewFormatOf(emulator.DeviceState().encoderRecords[2]);
    if (!format || format == streaming) return true;
    std::string error;
    auto clip = emu::EncodeTestClip(format->width, format->height, kClipPictures, &error);
    if (clip.empty()) {
        std::fprintf(stderr, "processor-emulator: no video: %s\n", error.c_str());
        return false;
    }
    emulator.StartVideo(std::move(clip), 0, format->intervalMs);
    streaming = format;
    return true;
}

void Usage(std::FILE* to)
{
    std::fprintf(to,
                 "usage: processor-emulator [options]\n"
                 "Plays one video processor on a loopback address until interrupted (Ctrl+C): it holds a\n"
                 "2360-byte configuration, answers the program's commands, queries and searches, and prints\n"
                 "every frame it receives.\n"
                 "\n"
                 "  --ip 127.0.0.x     loopback address to serve (default 127.0.0.1)\n"
                 "  --port N           TCP port for the program's network link (default 61213)\n"
                 "  --udp-port N       UDP port that answers the machine search (default 61213)\n"
                 "  --address N        the processor's device address, 0..255 (default: the last octet of\n"
                 "                     --ip; over TCP the program takes no other)\n"
                 "  --pty              also serve a pseudo-terminal as a serial line (its path is printed)\n"
                 "  --video            stream a short H.264 test clip as the preview of channel 0, at the size\n"
                 "                     and rate of the encoder's stream settings, and report preview available\n"
                 "Misbehaviour, for trying the program against a faulty processor:\n"
                 "  --split-writes     send every byte in a write of its own\n"
                 "  --hostile          hold a configuration of noise and answer with indexes beyond every table\n"
                 "  --short-payloads   cut every reply's payload to half its length\n"
                 "  --reply-flood      send whole blocks and status replies to every client as fast as it reads\n"
                 "  --crafted-headers  send only valid headers declaring the largest payload, each failing its CRC\n"
                 "  --no-read          read nothing from TCP clients (they back up)\n"
                 "  --help             this text\n");
}

}  // namespace

int main(int argc, char** argv)
{
    emu::EmulatorOptions options;
    options.tcpPort = 61213;
    options.udpPort = 61213;
    bool video = false, split = false, hostile = false, shortPayloads = false;
    bool flood = false, crafted = false, noRead = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto next = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        if (a == "--ip" && i + 1 < argc) options.ip = next();
        else if (a == "--port" && i + 1 < argc) options.tcpPort = std::atoi(next());
        else if (a == "--udp-port" && i + 1 < argc) options.udpPort = std::atoi(next());
        else if (a == "--address" && i + 1 < argc) options.address = std::atoi(next()) & 0xFF;
        else if (a == "--pty") options.pty = true;
        else if (a == "--video") video = true;
        else if (a == "--split-writes") split = true;
        else if (a == "--hostile") {
            hostile = true;
            options.blockSeed = 1;
        }
        else if (a == "--short-payloads") shortPayloads = true;
        else if (a == "--reply-flood") flood = true;
        else if (a == "--crafted-headers") crafted = true;
        else if (a == "--no-read") noRead = true;
        else if (a == "--help" || a == "-h") {
            Usage(stdout);
            return 0;
        } else {
            Usage(stderr);
            return 2;
        }
    }
    emu::ProcessorEmulator emulator(options);
    if (!emulator.Start()) {
        std::fprintf(stderr, "processor-emulator: %s\n", emulator.Error().c_str());
        return 1;
    }
    emulator.SetSplitWrites(split);
    emulator.SetOutOfRangeIndexes(hostile);
    emulator.SetShortPayloads(shortPayloads);
    emulator.SetReplyFlood(flood);
    emulator.SetCraftedHeaders(crafted);
    emulator.SetReading(!noRead);
    std::optional<emu::PreviewFormat> streaming;
    if (video) video = FollowStreamSettings(emulator, streaming);
    std::printf("address %d, tcp %s:%d, udp %d%s%s\n", emulator.Address(), emulator.Ip().c_str(), emulator.TcpPort(),
                emulator.UdpPort(), emulator.PtyPath().empty() ? "" : ", serial ", emulator.PtyPath().c_str());
    std::fflush(stdout);
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    uint64_t printed = 0;
    while (!g_stop) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (video) video = FollowStreamSettings(emulator, streaming);
        // The log keeps the latest frames only; what fell out of it before printing is counted.
        const uint64_t total = emulator.ReceivedTotal();
        const auto frames = emulator.Received();
        const uint64_t fresh = total - printed;
        if (fresh > frames.size()) std::printf("(%llu frames not shown)\n", static_cast<unsigned long long>(fresh - frames.size()));
        for (std::size_t i = frames.size() - std::min<uint64_t>(fresh, frames.size()); i < frames.size(); ++i) {
            const comm::Frame& f = frames[i].frame;
            int32_t id = -1;
            std::array<uint8_t, comm::kCommandBlockSize> params{};
            if (f.type == comm::FrameType::Command && comm::ReadCommandPayload(f.payload, id, params))
                std::printf("rx command %d (%02x %02x %02x %02x) addr %d seq %d\n", static_cast<int>(id), params[0],
                            params[1], params[2], params[3], f.address, f.sequence);
            else
                std::printf("rx type %d addr %d seq %d len %zu\n", static_cast<int>(f.type), f.address, f.sequence,
                            f.payload.size());
        }
        printed = total;
        std::fflush(stdout);
    }
    emulator.Stop();
    return 0;
}
