#pragma once
// Which windows a processor in a two-area work mode shows on program and which on preview
// (`pgmState` and `pvwState` of the block, reported with the work mode).
//
// The protocol says how the program reads these states, not how a processor sets them; the rules
// here are assumptions, chosen to match what the program's rows, labels and canvas expect:
// - switcher mode: MAIN and PIP-1 are the program/preview pair ("PGM" and "PVW"); PIP-2 and
//   PIP-3 are keys that go on preview when switched on;
// - dual mode: MAIN and PIP-1 are the two programs, PIP-2 and PIP-3 the two previews;
// - normal mode: nothing is on program or preview.

#include "device/DeviceParamBlock.h"

namespace emu {

// The states a processor starts a work mode with; a mode it is already in keeps its states.
void EnterWorkMode(DeviceParamBlock& b, int mode);

// A layer switched on or off by the layer buttons. Returns whether its states changed.
bool LayerSwitched(DeviceParamBlock& b, int w);

// TAKE: what was on preview goes to program and what was on program to preview. Nothing to take
// in the normal mode.
void Take(DeviceParamBlock& b);

}  // namespace emu
