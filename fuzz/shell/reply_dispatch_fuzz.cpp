#include "ReplyDispatchFuzzBody.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz_shell::ReplyDispatchOne(data, size);
    return 0;
}
