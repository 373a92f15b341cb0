#include "preview/VideoDecoderApi.h"

const VideoDecoderApi& DefaultVideoDecoderApi()
{
    static const VideoDecoderApi api{&Hi264DecCreate, &Hi264DecFrame, &Hi264DecDestroy,
                                         &Hi264DecHoldPicture, &Hi264DecReleasePicture};
    return api;
}
