#include "TestStream.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/frame.h>
#include <libavutil/log.h>
#include <libavutil/opt.h>
}

#include <algorithm>
#include <functional>
#include <cstdio>
#include <cstring>
#include <cstdlib>

QuadrantColours ColoursForPicture(int index)
{
    static const uint8_t baseY[4] = {40, 80, 120, 160};
    static const uint8_t baseU[4] = {64, 192, 96, 160};
    static const uint8_t baseV[4] = {192, 64, 160, 96};
    QuadrantColours c{};
    const int step = (index % 30) * 2;
    for (int q = 0; q < 4; ++q) {
        c.y[q] = static_cast<uint8_t>(baseY[q] + step);
        c.u[q] = baseU[q];
        c.v[q] = baseV[q];
    }
    return c;
}

namespace {

void FillPicture(AVFrame* frame, const QuadrantColours& c)
{
    const int w = frame->width, h = frame->height;
    for (int row = 0; row < h; ++row)
        for (int col = 0; col < w; ++col) {
            const int q = (row >= h / 2 ? 2 : 0) + (col >= w / 2 ? 1 : 0);
            frame->data[0][row * frame->linesize[0] + col] = c.y[q];
        }
    const int cw = (w + 1) / 2, ch = (h + 1) / 2;
    for (int row = 0; row < ch; ++row)
        for (int col = 0; col < cw; ++col) {
            const int q = (row >= ch / 2 ? 2 : 0) + (col >= cw / 2 ? 1 : 0);
            frame->data[1][row * frame->linesize[1] + col] = c.u[q];
            frame->data[2][row * frame->linesize[2] + col] = c.v[q];
        }
}

bool Collect(AVCodecContext* context, AVPacket* packet, EncodedStream* stream)
{
    for (;;) {
        const int rc = avcodec_receive_packet(context, packet);
        if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF) return true;
        if (rc < 0) return false;
        stream->packets.emplace_back(packet->data, packet->data + packet->size);
        av_packet_unref(packet);
    }
}

// Encodes `pictures` pictures of width x height with libx264: `configure` sets the encoder's
// rate and preset, `fill` draws picture i into the frame.
EncodedStream EncodeStream(int width, int height, int pictures, const std::function<void(AVCodecContext*)>& configure,
                           const std::function<void(AVFrame*, int)>& fill, const char* failure, std::string* error)
{
    av_log_set_level(AV_LOG_ERROR);  // keep libx264's statistics out of the test output
    EncodedStream stream;
    stream.width = width;
    stream.height = height;
    const AVCodec* codec = avcodec_find_encoder_by_name("libx264");
    if (!codec) {
        if (error) *error = "libavcodec has no libx264 encoder: install ffmpeg's libavcodec with libx264 (Debian libavcodec59)";
        return stream;
    }
    AVCodecContext* context = avcodec_alloc_context3(codec);
    AVFrame* frame = av_frame_alloc();
    AVPacket* packet = av_packet_alloc();
    bool ok = context && frame && packet;
    if (ok) {
        context->width = width;
        context->height = height;
        context->pix_fmt = AV_PIX_FMT_YUV420P;
        context->time_base = AVRational{1, 30};
        context->framerate = AVRational{30, 1};
        context->max_b_frames = 0;
        av_opt_set(context->priv_data, "tune", "zerolatency", 0);
        configure(context);
        ok = avcodec_open2(context, codec, nullptr) == 0;
    }
    if (ok) {
        frame->format = AV_PIX_FMT_YUV420P;
        frame->width = width;
        frame->height = height;
        ok = av_frame_get_buffer(frame, 0) == 0;
    }
    for (int i = 0; ok && i < pictures; ++i) {
        ok = av_frame_make_writable(frame) == 0;
        if (!ok) break;
        fill(frame, i);
        frame->pts = i;
        ok = avcodec_send_frame(context, frame) == 0 && Collect(context, packet, &stream);
    }
    if (ok) ok = avcodec_send_frame(context, nullptr) == 0 && Collect(context, packet, &stream);
    if (!ok && error) *error = failure;
    if (!ok) stream.packets.clear();
    av_packet_free(&packet);
    av_frame_free(&frame);
    avcodec_free_context(&context);
    return stream;
}

}  // namespace

EncodedStream EncodeQuadrantStream(int width, int height, int pictures, int firstIndex, std::string* error)
{
    return EncodeStream(
        width, height, pictures,
        [](AVCodecContext* context) {
            context->gop_size = 15;
            context->thread_count = 1;
            av_opt_set(context->priv_data, "preset", "ultrafast", 0);
            av_opt_set(context->priv_data, "qp", "8", 0);
        },
        [firstIndex](AVFrame* frame, int i) { FillPicture(frame, ColoursForPicture(firstIndex + i)); },
        "encoding the test stream with libx264 failed", error);
}

namespace {

void FillMovingPattern(AVFrame* frame, int index)
{
    const int w = frame->width, h = frame->height;
    const int box = std::max(16, h / 5);
    const int period = std::max(1, (w - box) * 2);
    int bx = (index * 7) % period;
    if (bx > w - box) bx = period - bx;
    const int by = (h - box) / 2 + static_cast<int>((h - box) / 3 * ((index % 40) < 20 ? (index % 20) / 20.0 : 1.0 - (index % 20) / 20.0));
    for (int row = 0; row < h; ++row) {
        uint8_t* line = frame->data[0] + row * frame->linesize[0];
        for (int col = 0; col < w; ++col) {
            const int bar = ((col + index * 4) * 8 / std::max(1, w)) % 8;
            // A fine texture that drifts: something for motion search and the residual coder.
            const unsigned hash = static_cast<unsigned>((col + index) * 73856093u ^ (row + index / 2) * 19349663u);
            int y = 40 + bar * 24 + static_cast<int>(hash >> 28);
            if (row >= by && row < by + box && col >= bx && col < bx + box) y = 235 - ((row - by) ^ (col - bx)) % 32;
            line[col] = static_cast<uint8_t>(y);
        }
    }
    // The picture index in eight flat 16 x 16 blocks at the top left, one bit each, so that a
    // receiver can tell which picture it got (ReadPictureStamp).
    for (int bit = 0; bit < 8 && 16 * (bit + 1) <= w && h >= 16; ++bit)
        for (int row = 0; row < 16; ++row)
            std::memset(frame->data[0] + row * frame->linesize[0] + 16 * bit, (index >> bit) & 1 ? 220 : 30, 16);
    const int cw = (w + 1) / 2, ch = (h + 1) / 2;
    for (int row = 0; row < ch; ++row)
        for (int col = 0; col < cw; ++col) {
            const int bar = ((col * 2 + index * 4) * 8 / std::max(1, w)) % 8;
            frame->data[1][row * frame->linesize[1] + col] = static_cast<uint8_t>(64 + bar * 16);
            frame->data[2][row * frame->linesize[2] + col] = static_cast<uint8_t>(192 - bar * 16 + (row * 32 / ch));
        }
}

}  // namespace

EncodedStream EncodeMovingPatternStream(int width, int height, int pictures, const char* preset, std::string* error)
{
    return EncodeStream(
        width, height, pictures,
        [width, height, preset](AVCodecContext* context) {
            context->gop_size = 60;
            context->thread_count = 4;
            context->bit_rate = static_cast<int64_t>(width) * height * 30 / 10;  // ~0.1 bit per pixel
            av_opt_set(context->priv_data, "preset", preset, 0);
        },
        FillMovingPattern, "encoding the moving pattern with libx264 failed", error);
}

int ReadPictureStamp(const uint8_t* y, int lumaPitch)
{
    int index = 0;
    for (int bit = 0; bit < 8; ++bit)
        if (y[8 * lumaPitch + 16 * bit + 8] > 125) index |= 1 << bit;
    return index;
}

void SampleQuadrants(const PlaneView& p, QuadrantColours* out)
{
    for (int q = 0; q < 4; ++q) {
        const int x = (q % 2 == 0) ? p.width / 4 : (3 * p.width) / 4;
        const int y = (q < 2) ? p.height / 4 : (3 * p.height) / 4;
        out->y[q] = p.y[y * p.lumaPitch + x];
        out->u[q] = p.u[(y / 2) * p.chromaPitch + x / 2];
        out->v[q] = p.v[(y / 2) * p.chromaPitch + x / 2];
    }
}

bool ColoursClose(const QuadrantColours& a, const QuadrantColours& b, int tolerance)
{
    for (int q = 0; q < 4; ++q) {
        if (std::abs(a.y[q] - b.y[q]) > tolerance || std::abs(a.u[q] - b.u[q]) > tolerance ||
            std::abs(a.v[q] - b.v[q]) > tolerance)
            return false;
    }
    return true;
}

std::string DescribeColours(const QuadrantColours& c)
{
    char text[160];
    std::snprintf(text, sizeof text, "Y %d %d %d %d / U %d %d %d %d / V %d %d %d %d", c.y[0], c.y[1], c.y[2],
                  c.y[3], c.u[0], c.u[1], c.u[2], c.u[3], c.v[0], c.v[1], c.v[2], c.v[3]);
    return text;
}
