#include "DeviceFuzzBodies.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz_device::ProjectReaderOne(data, size);
    return 0;
}
