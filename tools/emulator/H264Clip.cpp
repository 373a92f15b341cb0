#include "tools/emulator/H264Clip.h"

#include <cstring>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/imgutils.h>
#include <libavutil/log.h>
#include <libavutil/opt.h>
}

namespace emu {
namespace {

void SetError(std::string* error, const char* text)
{
    if (error) *error = text;
}

// Chroma of the four quadrants (top-left, top-right, bottom-left, bottom-right): red, green,
// blue and grey, so that each layer's and each view's part of the mosaic can be told apart.
constexpr uint8_t kQuadrantU[4] = {96, 64, 200, 128};
constexpr uint8_t kQuadrantV[4] = {200, 64, 100, 128};

// Picture n: vertical bars of two brightnesses sliding 4 pixels a picture, over each quadrant's
// colour. Every luma row is the same, and every chroma row of a half: rows are copied.
void FillMosaicPicture(uint8_t* const* planes, const int* pitch, int width, int height, int n)
{
    for (int x = 0; x < width; ++x) planes[0][x] = ((x + n * 4) / 16) % 2 ? 150 : 100;
    for (int y = 1; y < height; ++y) std::memcpy(planes[0] + y * pitch[0], planes[0], static_cast<std::size_t>(width));
    const int cw = width / 2, ch = height / 2;
    for (int p = 1; p <= 2; ++p) {
        const uint8_t* colour = p == 1 ? kQuadrantU : kQuadrantV;
        for (int y = 0; y < ch; ++y) {
            uint8_t* row = planes[p] + y * pitch[p];
            const int q = y >= ch / 2 ? 2 : 0;
            std::memset(row, colour[q], static_cast<std::size_t>(cw / 2));
            std::memset(row + cw / 2, colour[q + 1], static_cast<std::size_t>(cw - cw / 2));
        }
    }
}

void Drain(AVCodecContext* ctx, AVPacket* pkt, std::vector<std::vector<uint8_t>>& out)
{
    while (avcodec_receive_packet(ctx, pkt) == 0) {
        out.emplace_back(pkt->data, pkt->data + pkt->size);
        av_packet_unref(pkt);
    }
}

}  // namespace

std::vector<std::vector<uint8_t>> EncodeTestClip(int width, int height, int frames, std::string* error)
{
    std::vector<std::vector<uint8_t>> out;
    if (width < 16 || height < 16 || frames < 1 || (width & 1) || (height & 1)) {
        SetError(error, "bad clip size");
        return out;
    }
    av_log_set_level(AV_LOG_ERROR);  // the encoder's statistics would flood test logs
    const AVCodec* codec = avcodec_find_encoder_by_name("libx264");
    if (!codec) {
        SetError(error, "libx264 encoder not available in libavcodec");
        return out;
    }
    AVCodecContext* ctx = avcodec_alloc_context3(codec);
    AVFrame* frame = av_frame_alloc();
    AVPacket* pkt = av_packet_alloc();
    if (!ctx || !frame || !pkt) {
        SetError(error, "out of memory");
    } else {
        ctx->width = width;
        ctx->height = height;
        ctx->time_base = AVRational{1, 25};
        ctx->framerate = AVRational{25, 1};
        ctx->pix_fmt = AV_PIX_FMT_YUV420P;
        ctx->gop_size = 12;  // a program joining the stream waits at most 12 pictures for a key picture
        ctx->max_b_frames = 0;
        av_opt_set(ctx->priv_data, "preset", "ultrafast", 0);
        av_opt_set(ctx->priv_data, "tune", "zerolatency", 0);
        // Parameter sets in-band before every key frame, as a live preview stream carries them.
        av_opt_set(ctx->priv_data, "x264-params", "repeat-headers=1:threads=1", 0);
        if (avcodec_open2(ctx, codec, nullptr) < 0) {
            SetError(error, "could not open libx264");
        } else {
            frame->format = ctx->pix_fmt;
            frame->width = width;
            frame->height = height;
            if (av_frame_get_buffer(frame, 0) < 0) {
                SetError(error, "out of memory");
            } else {
                for (int n = 0; n < frames; ++n) {
                    av_frame_make_writable(frame);
                    FillMosaicPicture(frame->data, frame->linesize, width, height, n);
                    frame->pts = n;
                    if (avcodec_send_frame(ctx, frame) < 0) break;
                    Drain(ctx, pkt, out);
                }
                avcodec_send_frame(ctx, nullptr);
                Drain(ctx, pkt, out);
            }
        }
    }
    av_packet_free(&pkt);
    av_frame_free(&frame);
    avcodec_free_context(&ctx);
    return out;
}

}  // namespace emu
