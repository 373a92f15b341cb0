#pragma once
// Which controls of the PIP page may be used, decided without a window: by the work mode, the
// program/preview states of the layers and whether PIP-3 serves as the logo layer.

#include <array>
#include <cstdint>
#include <vector>

struct DeviceParamBlock;
struct InputName;

namespace pip {

inline constexpr int kPipCount = 3;
inline constexpr int kAlphaMax = 64;

struct GroupState {
    bool button = false;  // ON/OFF
    bool alpha = false;   // alpha edit and its slider
    bool input = false;   // input list
    bool operator==(const GroupState&) const = default;
};

enum class Pip1Caption { Keep, Pip1, Pgm, Pvw };

struct WorkModeView {
    std::array<GroupState, kPipCount> groups;
    Pip1Caption caption = Pip1Caption::Keep;
};

// The groups' states for the device's work mode, starting from the states shown now (what the
// rules leave alone stays as it is).
WorkModeView ViewForWorkMode(const DeviceParamBlock& block, const std::array<GroupState, kPipCount>& current);

// PIP-3 is the logo layer while the logo usage is 1: its group is not the PIP page's to change.
bool IsBlockedByLogo(int pip, uint8_t logoUsage);
// The alpha of a PIP is adjustable while it is on, and only in normal work mode.
bool IsAlphaUsable(bool on, uint8_t workMode);
// A typed alpha as stored: truncated to an integer, within 0..64.
uint8_t AlphaFromEdit(double value);
// The input-name rows offered by the input lists: those the device reports enabled.
std::vector<int> ListedInputRows(const InputName* names, int count);

}  // namespace pip
