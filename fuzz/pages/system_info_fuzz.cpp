#include "SystemFuzzBodies.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz_pages::SystemInfoOne(data, size);
    return 0;
}
