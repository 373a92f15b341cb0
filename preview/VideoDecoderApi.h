#pragma once
// The decoder calls a video channel uses. The real decoder layer is the default; tests
// replace it with stubs to drive the rings without a real stream.
#include "platform/H264Decoder.h"

struct VideoDecoderApi {
    Hi264DecHandle (*create)(const Hi264DecAttr* attr);
    int (*frame)(Hi264DecHandle handle, const uint8_t* data, uint32_t length, uint64_t timeStamp,
                 Hi264DecPicture* picture, uint32_t flags);
    void (*destroy)(Hi264DecHandle handle);
    // Optional (both or neither): keep a picture without copying it. Without them every
    // picture is copied out before the next decoder call.
    Hi264DecPictureHold (*hold)(Hi264DecHandle handle, const Hi264DecPicture* picture, Hi264DecPicture* planes);
    void (*release)(Hi264DecPictureHold hold);
};

// Hi264DecCreate / Hi264DecFrame / Hi264DecDestroy.
const VideoDecoderApi& DefaultVideoDecoderApi();
