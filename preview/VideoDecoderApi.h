#pragma once
// The decoder calls a video channel uses. The real decoder layer is the default; tests
// replace it with stubs to drive the rings without a real stream.
#include "platform/H264Decoder.h"

struct VideoDecoderApi {
    Hi264DecHandle (*create)(const Hi264DecAttr* attr);
    int (*frame)(Hi264DecHandle handle, const uint8_t* data, uint32_t length, uint64_t timeStamp,
                 Hi264DecPicture* picture, uint32_t flags);
    void (*destroy)(Hi264DecHandle handle);
};

// Hi264DecCreate / Hi264DecFrame / Hi264DecDestroy.
const VideoDecoderApi& DefaultVideoDecoderApi();
