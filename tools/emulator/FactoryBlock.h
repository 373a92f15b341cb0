#pragma once
// The configuration an emulated processor holds out of the box: every field inside the range its
// page allows, consistent with the other records (crops of the whole source, EDID and output
// timings of a real 1920 x 1080 at 60 Hz), reserved bytes zero.

#include "device/DeviceParamBlock.h"

namespace emu {

DeviceParamBlock FactoryBlock();

}  // namespace emu
