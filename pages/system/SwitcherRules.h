#pragma once
// The switcher page's work-mode transitions without a window: normal, switcher (one panel) and
// dual (two panels), and what a refresh or a click makes of them.

#include <cstdint>

namespace switcher {

enum WorkMode : int { kNormal = 0, kSwitcher = 1, kDual = 2 };
inline constexpr int kPanelCount = 2;
inline constexpr int kFadeCount = 8;

// A work mode from the device: 0..2 as they are; anything else is taken as normal, so that no
// later ON sends a mode the processor does not know.
int WorkModeFromDevice(uint8_t pvwMode);
// The mode an ON/OFF click asks for: the selected panel's mode when on, normal when off.
int WorkModeForOnOff(bool on, int panel);
// The panel a refresh leaves selected: the device's panel in switcher and dual mode; normal mode
// keeps the one chosen before, so the next ON uses it.
int PanelAfterRefresh(int panel, int workMode);
// The dual mode takes PIP-3 away from the logo.
bool ClearsLogoUsage(int workMode);
// Whether a click on panel p changes anything.
bool PanelClickChanges(int selectedPanel, int clickedPanel);
// The fade list's texts in seconds; the list's item data is the fade index itself.
const char* FadeText(int index);

}  // namespace switcher
