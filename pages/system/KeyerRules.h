#pragma once
// What the keyer page decides without a window: which layer each keyer set keys, which set may
// be chosen in which splicing mode, and which controls an on/off state and a mode leave usable.

#include <cstdint>

struct DeviceParamBlock;

namespace keyer {

inline constexpr int kSetCount = 2;
inline constexpr int kModeCount = 13;           // 0 user, 1..12 preset colour combinations
inline constexpr int kFourWaySplicingMode = 3;  // the only splicing mode that keys PIP-1 too

// The argument of the keyer setting and query for a set: 3 (PIP-3) for set 0, 1 (PIP-1) for set 1.
int CommandArgOfSet(int set);
// The layer (chnl index) a set keys: 3 for set 0, 1 for set 1.
int LayerOfSet(int set);
// Set 1 can be chosen only in splicing mode 3; set 0 always.
bool IsSetSelectable(int set, int32_t splicingMode);
// The set in use after a refresh: back to 0 when the one in use may no longer be chosen.
int SetAfterRefresh(int set, int32_t splicingMode);
// True when the layer keyed by the set is on (the keyer may then be switched on).
bool IsKeyedLayerOn(const DeviceParamBlock& block, int set);

struct EnableState {
    bool edits;     // the nine colour and gain edits
    bool reset;     // Reset button
    bool modeList;  // mode list
};
// Colour limits and gains are edited in user mode only, and only while the keyer is on; Reset
// and the mode list follow the on state alone.
EnableState EnableFor(bool on, int32_t mode);

}  // namespace keyer
