// The operating page's preview end to end, under an X server (xvfb-run): the processor emulator
// streams a 352 x 240 four-colour mosaic at 30 pictures/s over loopback TCP; the real link and
// reply relay hand reply 26 to the page's channel 0, which draws into the four layer cells and the
// four views. Reported: pictures presented per second (per target and in all), pictures dropped
// (packets refused by the ring, pictures overwritten before rendering), push-to-present latency
// (from the reply reaching the sink to the last target having presented it), and, in the same
// run, raw libavcodec decode of the same stream.
//
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/bench/operating_preview_bench [seconds]
#include "ReferenceDecode.h"
#include "TestStream.h"

#include "comm/CommLibrary.h"
#include "comm/DeviceLink.h"
#include "comm/QVN_Comm.h"
#include "device/CDeviceData.h"
#include "device/UiReplyRelay.h"
#include "device/VideoPacketSink.h"
#include "preview/CCell.h"
#include "preview/MMainDlg.h"
#include "preview/MShowVideoDlg.h"
#include "preview/VideoChannelSet.h"
#include "tools/emulator/ProcessorEmulator.h"

extern "C" {
#include <libavcodec/avcodec.h>
}

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <mutex>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kLoopPictures = 30;

// Mean luma of a 16 x 16 block in the middle of quadrant 0: with TestStream's pictures it
// identifies the picture (its brightness steps with the index).
double MarkOf(const uint8_t* y, int width, int height, int pitch)
{
    const int cx = width / 4, cy = height / 4;
    double sum = 0;
    for (int r = cy - 8; r < cy + 8; ++r)
        for (int c = cx - 8; c < cx + 8; ++c) sum += y[static_cast<size_t>(r) * pitch + c];
    return sum / 256.0;
}

// Push times by picture, presentation times out. Each presented picture is matched to its own
// push through its mark (marks of the decoded stream measured beforehand), so pictures that
// never appear (before the first decodable one) do not shift the pairing.
struct LatencyProbe : IVideoTarget {
    explicit LatencyProbe(std::vector<double> m) : marks(std::move(m)), pushTimes(marks.size()) {}
    void Pushed()
    {
        std::lock_guard<std::mutex> g(lock);
        pushTimes[static_cast<size_t>(pushes++ % static_cast<long long>(marks.size()))] = Clock::now();
    }
    // Attached after the cells and views: called once they have all presented the picture.
    void RenderFrame(const VideoPicture& p) override
    {
        const auto now = Clock::now();
        const double mark = MarkOf(p.y, p.width, p.height, p.lumaPitch);
        size_t index = 0;
        for (size_t i = 1; i < marks.size(); ++i)
            if (std::abs(marks[i] - mark) < std::abs(marks[index] - mark)) index = i;
        std::lock_guard<std::mutex> g(lock);
        if (pushTimes[index] == Clock::time_point{}) return;
        latenciesMs.push_back(std::chrono::duration<double, std::milli>(now - pushTimes[index]).count());
    }
    std::vector<double> marks;
    std::mutex lock;
    long long pushes = 0;
    std::vector<Clock::time_point> pushTimes;
    std::vector<double> latenciesMs;
};

void Spin(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
}

double Percentile(std::vector<double> v, double p)
{
    if (v.empty()) return 0.0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<size_t>(p * (v.size() - 1) + 0.5))];
}

double RawDecodeMsPerPicture(const EncodedStream& stream, int passes, std::vector<double>* marks = nullptr)
{
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    int64_t pictures = 0;
    const auto start = Clock::now();
    for (int pass = 0; pass < passes; ++pass) {
        pictures += DecodeWithReference(stream, packet, frame, [&](const AVFrame& f) {
            if (marks && pass == 0) marks->push_back(MarkOf(f.data[0], f.width, f.height, f.linesize[0]));
        });
    }
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    av_frame_free(&frame);
    av_packet_free(&packet);
    return pictures ? ms / static_cast<double>(pictures) : 0.0;
}

} // namespace

int main(int argc, char** argv)
{
    const int seconds = argc > 1 ? std::max(2, std::atoi(argv[1])) : 10;
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);

    std::string error;
    const EncodedStream stream = EncodeQuadrantStream(352, 240, kLoopPictures, 0, &error);
    if (stream.packets.empty()) {
        std::fprintf(stderr, "no stream: %s\n", error.c_str());
        return 1;
    }

    emu::EmulatorOptions options;
    options.ip = "127.0.0.31";
    emu::ProcessorEmulator emulator(options);
    if (!emulator.Start()) {
        std::fprintf(stderr, "emulator: %s\n", emulator.Error().c_str());
        return 1;
    }
    comm::DeviceLinkOptions linkOptions;
    linkOptions.tcpPortByIp[emulator.Ip()] = emulator.TcpPort();
    auto link = std::make_unique<comm::DeviceLink>(linkOptions);
    comm::InstallCommLibrary(link.get());
    RegisterReplyHandlers();
    g_DeviceAddress = emulator.Address();

    CDeviceData& d = GetDeviceData();
    d.outputReso.hReso = 1920;
    d.outputReso.vReso = 1080;
    d.mosaic.mode = 5;
    d.pvwMode = 0;
    for (int w = 0; w < kWindowCount; ++w) d.chnl[w] = LayerWindow{1, 0, static_cast<uint8_t>(w), 0, 0, 0, 1920, 1080, 0};

    QWidget host;
    host.setGeometry(0, 0, 1280, 728);
    auto* page = new MMainDlg(&host);
    page->OnInitDialog();
    page->setGeometry(0, 0, 1280, 728);
    host.show();
    page->ShowPage(true);
    Spin(100);
    d.previewAvailable = 1;
    page->CheckOutputModeChanged();
    page->ShowFourView();
    Spin(200);
    if (!d.ConnectDeviceByIp(QString::fromStdString(emulator.Ip()))) {
        std::fprintf(stderr, "no connection\n");
        return 1;
    }
    // Connected before the first picture goes out: the pairing of pushes with pictures counts
    // from the first.
    Spin(500);

    // The probe stands between the relay and the page's sink, and last in the target table.
    std::vector<double> marks;
    RawDecodeMsPerPicture(stream, 1, &marks);
    if (marks.size() != stream.packets.size()) {
        std::fprintf(stderr, "the stream decodes to %zu pictures, not %zu\n", marks.size(), stream.packets.size());
        return 1;
    }
    LatencyProbe probe(marks);
    VideoChannelSet* channels = &page->Channels();
    SetVideoPacketSink([&probe, channels](int channel, const uint8_t* data, std::size_t length) {
        if (channel == 0) probe.Pushed();
        channels->PushPacket(channel, data, static_cast<uint32_t>(length));
    });
    CVideoChannel* c0 = channels->Channel(0);
    c0->AttachTarget(&probe, kVideoTargetView);

    emulator.StartVideo(stream.packets, 0, 33);
    Spin(1000);  // warm up
    auto shown = [&] {
        int n = 0;
        for (int w = 0; w < 4; ++w) n += page->LayerCell(w)->FramesShown();
        for (int i = 0; i < 4; ++i) n += page->FourView().View(i).FramesShown();
        return n;
    };
    const int shown0 = shown();
    const uint64_t rendered0 = c0->RenderedFrames();
    const uint64_t droppedPackets0 = c0->DroppedPackets();
    const uint64_t droppedFrames0 = c0->DroppedFrames();
    {
        std::lock_guard<std::mutex> g(probe.lock);
        probe.latenciesMs.clear();
    }
    const auto start = Clock::now();
    Spin(seconds * 1000);
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    emulator.StopVideo();
    const int shownTotal = shown() - shown0;
    const uint64_t rendered = c0->RenderedFrames() - rendered0;
    std::vector<double> latencies;
    {
        std::lock_guard<std::mutex> g(probe.lock);
        latencies = probe.latenciesMs;
    }
    c0->DetachTarget(&probe);
    SetVideoPacketSink(nullptr);

    const double rawMs = RawDecodeMsPerPicture(stream, 20);
    std::printf("operating preview, 352x240 at 30 pictures/s for %.1f s, 4 cells + 4 views\n", elapsed);
    std::printf("  pictures rendered by channel 0   %8.1f /s\n", static_cast<double>(rendered) / elapsed);
    std::printf("  pictures presented, all targets  %8.1f /s (%.1f /s per target)\n", shownTotal / elapsed,
                shownTotal / elapsed / 8.0);
    std::printf("  packets dropped (ring full)      %8llu\n",
                static_cast<unsigned long long>(c0->DroppedPackets() - droppedPackets0));
    std::printf("  pictures dropped (not rendered)  %8llu\n",
                static_cast<unsigned long long>(c0->DroppedFrames() - droppedFrames0));
    std::printf("  push-to-present latency          median %.2f ms, p95 %.2f ms, max %.2f ms (%zu pictures)\n",
                Percentile(latencies, 0.5), Percentile(latencies, 0.95), Percentile(latencies, 1.0), latencies.size());
    std::printf("  presented per target            ");
    for (int w = 0; w < 4; ++w) std::printf(" cell%d %d", w, page->LayerCell(w)->FramesShown());
    for (int i = 0; i < 4; ++i) std::printf(" view%d %d", i, page->FourView().View(i).FramesShown());
    std::printf(" (since start)\n");
    std::printf("  raw libavcodec decode            %8.3f ms/picture (%.0f pictures/s)\n", rawMs,
                rawMs > 0 ? 1000.0 / rawMs : 0.0);

    delete page;
    QVN_Comm_Shutdown();
    comm::InstallCommLibrary(nullptr);
    link.reset();
    emulator.Stop();
    return 0;
}
