#include "platform/H264Decoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/frame.h>
#include <libavutil/macros.h>
#include <libavutil/pixfmt.h>
}

#include <dlfcn.h>

#include <algorithm>
#include <QtGlobal>
#include <limits>
#include <mutex>
#include <new>

namespace {

// libavcodec and the hundred libraries it pulls in are loaded with the first decoder rather than
// with the program: binding them at process start cost more than the rest of the start-up.
struct AvLibrary {
    bool loaded = false;
    decltype(&avcodec_find_decoder) findDecoder = nullptr;
    decltype(&avcodec_alloc_context3) allocContext = nullptr;
    decltype(&avcodec_open2) open = nullptr;
    decltype(&avcodec_free_context) freeContext = nullptr;
    decltype(&avcodec_send_packet) sendPacket = nullptr;
    decltype(&avcodec_receive_frame) receiveFrame = nullptr;
    decltype(&avcodec_flush_buffers) flushBuffers = nullptr;
    decltype(&av_packet_alloc) packetAlloc = nullptr;
    decltype(&av_packet_free) packetFree = nullptr;
    decltype(&av_packet_unref) packetUnref = nullptr;
    decltype(&av_packet_move_ref) packetMoveRef = nullptr;
    decltype(&av_new_packet) newPacket = nullptr;
    decltype(&av_frame_alloc) frameAlloc = nullptr;
    decltype(&av_frame_free) frameFree = nullptr;
    decltype(&av_frame_unref) frameUnref = nullptr;
    decltype(&av_frame_clone) frameClone = nullptr;
};

template <class Fn>
bool Resolve(void* library, const char* name, Fn& fn)
{
    fn = reinterpret_cast<Fn>(dlsym(library, name));
    return fn != nullptr;
}

// The libraries the headers were written for (same major version), loaded once and kept.
const AvLibrary& Av()
{
    static AvLibrary av;
    static std::once_flag once;
    std::call_once(once, [] {
        void* util = dlopen("libavutil.so." AV_STRINGIFY(LIBAVUTIL_VERSION_MAJOR), RTLD_NOW | RTLD_LOCAL);
        void* codec = util ? dlopen("libavcodec.so." AV_STRINGIFY(LIBAVCODEC_VERSION_MAJOR), RTLD_NOW | RTLD_LOCAL)
                           : nullptr;
        if (!util || !codec) {
            // The preview stays black: say why once, where the operator's log shows it.
            const char* why = dlerror();
            qWarning("H.264 preview unavailable: %s", why ? why : "libavcodec not loaded");
            return;
        }
        av.loaded = Resolve(codec, "avcodec_find_decoder", av.findDecoder) &&
                    Resolve(codec, "avcodec_alloc_context3", av.allocContext) &&
                    Resolve(codec, "avcodec_open2", av.open) &&
                    Resolve(codec, "avcodec_free_context", av.freeContext) &&
                    Resolve(codec, "avcodec_send_packet", av.sendPacket) &&
                    Resolve(codec, "avcodec_receive_frame", av.receiveFrame) &&
                    Resolve(codec, "avcodec_flush_buffers", av.flushBuffers) &&
                    Resolve(codec, "av_packet_alloc", av.packetAlloc) &&
                    Resolve(codec, "av_packet_free", av.packetFree) &&
                    Resolve(codec, "av_packet_unref", av.packetUnref) &&
                    Resolve(codec, "av_packet_move_ref", av.packetMoveRef) &&
                    Resolve(codec, "av_new_packet", av.newPacket) &&
                    Resolve(util, "av_frame_alloc", av.frameAlloc) &&
                    Resolve(util, "av_frame_free", av.frameFree) &&
                    Resolve(util, "av_frame_unref", av.frameUnref) &&
                    Resolve(util, "av_frame_clone", av.frameClone);
        if (!av.loaded) qWarning("H.264 preview unavailable: libavcodec lacks a function it needs");
    });
    return av;
}

struct DecoderState {
    AVCodecContext* context = nullptr;
    AVPacket* packet = nullptr;   // scratch packet handed to libavcodec
    AVPacket* pending = nullptr;  // a packet libavcodec could not take yet (its output was full)
    bool hasPending = false;
    AVFrame* frame = nullptr;     // the picture the caller currently reads
    bool draining = false;        // the end of the stream has been signalled
};

bool IsPlanar420(int format)
{
    return format == AV_PIX_FMT_YUV420P || format == AV_PIX_FMT_YUVJ420P;
}

AVCodecContext* OpenContext()
{
    const AVCodec* codec = Av().findDecoder(AV_CODEC_ID_H264);
    if (!codec) return nullptr;
    AVCodecContext* context = Av().allocContext(codec);
    if (!context) return nullptr;
    // Low delay: pictures leave the decoder as soon as they are complete. Frame threading
    // would hold back one picture per thread, so only slice threads are allowed.
    context->flags |= AV_CODEC_FLAG_LOW_DELAY;
    context->thread_type = FF_THREAD_SLICE;
    context->thread_count = 1;
    // Bottom cropping is reported to the caller rather than hidden.
    context->apply_cropping = 0;
    if (Av().open(context, codec, nullptr) < 0) {
        Av().freeContext(&context);
        return nullptr;
    }
    return context;
}

void FreeState(DecoderState* state)
{
    if (!state) return;
    Av().frameFree(&state->frame);
    Av().packetFree(&state->packet);
    Av().packetFree(&state->pending);
    Av().freeContext(&state->context);
    delete state;
}

// Fills the caller's record from the current frame. Left, right and top cropping move the
// plane pointers; only whole chroma samples are skipped, so odd left/top crops round down.
int ExportPicture(DecoderState* state, Hi264DecPicture* picture, uint64_t timeStamp)
{
    AVFrame* f = state->frame;
    if (!IsPlanar420(f->format)) return HI264_BAD_FORMAT;
    const int64_t width = f->width;
    const int64_t height = f->height;
    const int64_t left = static_cast<int64_t>(std::min<size_t>(f->crop_left, static_cast<size_t>(width))) & ~int64_t(1);
    const int64_t right = static_cast<int64_t>(std::min<size_t>(f->crop_right, static_cast<size_t>(width - left)));
    const int64_t top = static_cast<int64_t>(std::min<size_t>(f->crop_top, static_cast<size_t>(height))) & ~int64_t(1);
    const int64_t bottom = static_cast<int64_t>(std::min<size_t>(f->crop_bottom, static_cast<size_t>(height - top)));
    const int64_t visibleWidth = width - left - right;
    if (visibleWidth <= 0 || height - top - bottom <= 0) return HI264_BAD_FORMAT;
    if (f->linesize[0] <= 0 || f->linesize[1] <= 0 || f->linesize[1] != f->linesize[2]) return HI264_BAD_FORMAT;

    picture->y = f->data[0] + top * f->linesize[0] + left;
    picture->u = f->data[1] + (top / 2) * f->linesize[1] + left / 2;
    picture->v = f->data[2] + (top / 2) * f->linesize[2] + left / 2;
    picture->width = static_cast<int32_t>(visibleWidth);
    picture->height = static_cast<int32_t>(height - top);
    picture->lumaStride = f->linesize[0];
    picture->chromaStride = f->linesize[1];
    picture->cropLeft = static_cast<int32_t>(left);
    picture->cropRight = static_cast<int32_t>(right);
    picture->cropTop = static_cast<int32_t>(top);
    picture->cropBottom = static_cast<int32_t>(bottom);
    picture->keyFrame = f->key_frame ? 1 : 0;
    picture->timeStamp = static_cast<int64_t>(timeStamp);
    return HI264_PICTURE;
}

// Takes one picture out of libavcodec if one is ready.
int Receive(DecoderState* state, Hi264DecPicture* picture, uint64_t timeStamp)
{
    for (;;) {
        Av().frameUnref(state->frame);
        const int rc = Av().receiveFrame(state->context, state->frame);
        if (rc == 0) {
            const int exported = ExportPicture(state, picture, timeStamp);
            if (exported == HI264_PICTURE) return HI264_PICTURE;
            continue;  // skip a picture we cannot hand out; look for the next one
        }
        if (rc == AVERROR_EOF) {
            // Fully drained: make the same handle ready for a new stream.
            Av().flushBuffers(state->context);
            state->draining = false;
            state->hasPending = false;
            Av().packetUnref(state->pending);
            return HI264_END_OF_STREAM;
        }
        return HI264_NEED_MORE;
    }
}

// Hands a queued packet to libavcodec once it has room again.
int SendPending(DecoderState* state)
{
    if (!state->hasPending) return 0;
    const int rc = Av().sendPacket(state->context, state->pending);
    if (rc == AVERROR(EAGAIN)) return 0;
    state->hasPending = false;
    Av().packetUnref(state->pending);
    return rc < 0 ? HI264_BAD_DATA : 0;
}

}  // namespace

extern "C" {

Hi264DecHandle Hi264DecCreate(const Hi264DecAttr* attr)
{
    if (!attr || !Av().loaded) return nullptr;
    auto* state = new (std::nothrow) DecoderState;
    if (!state) return nullptr;
    state->context = OpenContext();
    state->packet = Av().packetAlloc();
    state->pending = Av().packetAlloc();
    state->frame = Av().frameAlloc();
    if (!state->context || !state->packet || !state->pending || !state->frame) {
        FreeState(state);
        return nullptr;
    }
    return state;
}

int Hi264DecFrame(Hi264DecHandle handle, const uint8_t* data, uint32_t length, uint64_t timeStamp,
                  Hi264DecPicture* picture, uint32_t flags)
{
    auto* state = static_cast<DecoderState*>(handle);
    if (!state || !picture) return HI264_BAD_ARGUMENT;
    if (length > 0 && !data) return HI264_BAD_ARGUMENT;
    if (length > static_cast<uint32_t>(std::numeric_limits<int>::max() - AV_INPUT_BUFFER_PADDING_SIZE))
        return HI264_BAD_DATA;

    int sendResult = SendPending(state);
    if (length > 0 && !state->draining) {
        // libavcodec reads up to AV_INPUT_BUFFER_PADDING_SIZE bytes past the end, so the
        // caller's bytes are copied into a padded buffer.
        Av().packetUnref(state->packet);
        if (Av().newPacket(state->packet, static_cast<int>(length)) < 0) return HI264_BAD_DATA;
        std::copy(data, data + length, state->packet->data);
        state->packet->pts = static_cast<int64_t>(timeStamp & 0x7fffffffffffffffULL);
        if (state->hasPending) {
            // The previous packet still waits; this one cannot be queued behind it.
            sendResult = HI264_BAD_DATA;
        } else {
            const int rc = Av().sendPacket(state->context, state->packet);
            if (rc == AVERROR(EAGAIN)) {
                Av().packetMoveRef(state->pending, state->packet);
                state->hasPending = true;
            } else if (rc < 0) {
                sendResult = HI264_BAD_DATA;
            }
        }
    }
    if ((flags & HI264_FLAG_END_OF_STREAM) && !state->draining && !state->hasPending) {
        if (Av().sendPacket(state->context, nullptr) == 0) state->draining = true;
    }

    const int received = Receive(state, picture, timeStamp);
    if (received == HI264_NEED_MORE && sendResult == HI264_BAD_DATA) return HI264_BAD_DATA;
    return received;
}

void Hi264DecDestroy(Hi264DecHandle handle)
{
    FreeState(static_cast<DecoderState*>(handle));
}

Hi264DecPictureHold Hi264DecHoldPicture(Hi264DecHandle handle, const Hi264DecPicture* picture,
                                        Hi264DecPicture* planes)
{
    auto* state = static_cast<DecoderState*>(handle);
    if (!state || !picture || !planes || !state->frame->buf[0]) return nullptr;
    // A new reference to the same buffers: libavcodec never writes a picture it has handed
    // out, and the buffers outlive the decoder while referenced.
    AVFrame* held = Av().frameClone(state->frame);
    if (!held) return nullptr;
    *planes = *picture;
    return held;
}

void Hi264DecReleasePicture(Hi264DecPictureHold hold)
{
    if (!hold) return;
    auto* frame = static_cast<AVFrame*>(hold);
    Av().frameFree(&frame);
}

}  // extern "C"
