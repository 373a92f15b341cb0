#pragma once
// How a newly detected input signal and a crop answer from the processor land in the crop records.

#include "device/DeviceParamBlock.h"

#include <cstdint>

// A crop that no longer fits its source becomes the whole source picture.
void ClampCropToTotal(CropWindow& c);

// A crop answer: copies the record, then fits each axis on its own (an axis that overflows keeps
// its full total and starts at 0).
void AssignCropRecord(CropWindow& dst, const CropWindow& src);

// A detected signal of width h and height v on input slot n (0..7): the source totals of every
// window's crop of that slot, and of the dual-link halves fed by it, then the clamps.
void ApplyInputSignalToCrops(DeviceParamBlock& block, int n, uint16_t h, uint16_t v);
