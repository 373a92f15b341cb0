#include "H264FuzzBody.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz_preview::H264StreamOne(data, size);
    return 0;
}
