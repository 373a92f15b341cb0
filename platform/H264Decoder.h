#pragma once
// H.264 decoder layer: a small C-style interface over libavcodec that hands out planar
// 4:2:0 pictures. One handle serves one stream at a time; after the end of a stream has
// been drained the handle resets itself, so the next stream decodes with the same handle.
// libavcodec is loaded when the first decoder is created, not when the program starts.
#include <cstdint>

extern "C" {

// Attributes of a new decoder. Words that a caller does not set must be zero.
struct Hi264DecAttr {
    uint32_t reserved0;      // ignored
    uint32_t flags;          // ignored; kept zero
    uint32_t widthInMbs;     // expected picture width in 16-pixel macroblocks (a hint)
    uint32_t heightInMbs;    // expected picture height in macroblocks (a hint)
    uint32_t maxRefFrames;   // a hint; the stream's own value wins
    uint32_t reserved5;
    uint32_t reserved6;
    uint32_t reserved7;      // ignored
};

// One output picture. The plane pointers stay valid until the next call on the same handle
// or until the handle is destroyed. Left, right and top cropping are already applied to the
// pointers and the width; the bottom cropping is reported, so the visible height is
// height - cropBottom.
struct Hi264DecPicture {
    uint8_t* y;
    uint8_t* u;
    uint8_t* v;
    int32_t width;         // visible width in pixels
    int32_t height;        // decoded height in rows, bottom cropping included
    int32_t lumaStride;    // bytes from one luma row to the next
    int32_t chromaStride;  // bytes from one chroma row to the next (both chroma planes)
    int32_t cropLeft;      // already applied, reported for information
    int32_t cropRight;     // already applied
    int32_t cropTop;       // already applied
    int32_t cropBottom;    // rows at the bottom that are not part of the picture
    int32_t keyFrame;      // 1 for an intra picture
    int64_t timeStamp;     // the time stamp given with the packet that produced the picture
};

using Hi264DecHandle = void*;

// Picture results of Hi264DecFrame.
constexpr int HI264_PICTURE = 0;       // a picture is in the output record
constexpr int HI264_NEED_MORE = -1;    // no picture now; feed more data
constexpr int HI264_END_OF_STREAM = -2;// the stream is fully drained; the decoder has reset
constexpr int HI264_BAD_DATA = -3;     // the packet was refused (corrupt); drain on
constexpr int HI264_BAD_FORMAT = -4;   // a picture that is not planar 4:2:0 was skipped
constexpr int HI264_BAD_ARGUMENT = -5; // null handle or output record

constexpr uint32_t HI264_FLAG_END_OF_STREAM = 1;

// Creates a decoder; null when libavcodec cannot be loaded or has no H.264 decoder, or the
// attributes are absent.
Hi264DecHandle Hi264DecCreate(const Hi264DecAttr* attr);

// Feeds one packet (data may be null with length 0: a drain call) and fetches at most one
// picture. With HI264_FLAG_END_OF_STREAM set the stream is flushed: repeated calls return
// the remaining pictures, then HI264_END_OF_STREAM once.
int Hi264DecFrame(Hi264DecHandle handle, const uint8_t* data, uint32_t length, uint64_t timeStamp,
                  Hi264DecPicture* picture, uint32_t flags);

// Frees the decoder; null is accepted.
void Hi264DecDestroy(Hi264DecHandle handle);

// Keeps the picture last returned by Hi264DecFrame alive beyond the next call, without copying
// it: planes receives the same record, and its planes stay valid until the hold is released
// (also after the decoder is destroyed). Null, with planes untouched, when there is no picture
// to hold. A release lets libavcodec reuse the buffer through an atomic count that
// ThreadSanitizer cannot see, so a reader on another thread should hand the hold back to the
// decoding thread (under a lock of its own) rather than release it itself.
using Hi264DecPictureHold = void*;
Hi264DecPictureHold Hi264DecHoldPicture(Hi264DecHandle handle, const Hi264DecPicture* picture,
                                        Hi264DecPicture* planes);
// Null is accepted.
void Hi264DecReleasePicture(Hi264DecPictureHold hold);

}  // extern "C"
