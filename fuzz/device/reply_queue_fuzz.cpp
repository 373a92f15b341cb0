#include "ReplyQueueFuzzBody.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz_device::ReplyQueueOne(data, size);
    return 0;
}
