#include "pages/system/SwitcherRules.h"

namespace switcher {

int WorkModeFromDevice(uint8_t pvwMode) { return pvwMode <= kDual ? static_cast<int>(pvwMode) : static_cast<int>(kNormal); }

int WorkModeForOnOff(bool on, int panel) { return on ? (panel == 1 ? kDual : kSwitcher) : kNormal; }

int PanelAfterRefresh(int panel, int workMode)
{
    if (workMode == kSwitcher || workMode == kDual) return workMode - 1;
    return panel;
}

bool ClearsLogoUsage(int workMode) { return workMode == kDual; }

bool PanelClickChanges(int selectedPanel, int clickedPanel)
{
    return clickedPanel >= 0 && clickedPanel < kPanelCount && clickedPanel != selectedPanel;
}

const char* FadeText(int index)
{
    static const char* const kTexts[kFadeCount] = {"0.0", "0.1", "0.2", "0.3", "0.5", "1.0", "2.0", "3.0"};
    return index >= 0 && index < kFadeCount ? kTexts[index] : "";
}

}  // namespace switcher
