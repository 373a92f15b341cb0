#pragma once
// Control ids of the switcher page (MSwitcherDlg, dialog 183). Language files key captions on
// these ids ("IDS_<id>"); the same number can name another control in another window.

namespace ctl {
namespace switcher {
inline constexpr int IDC_SWITCHER_GROUP = 1349; // "Switcher Mode"
inline constexpr int IDC_ON_OFF = 1240; // switch image, no caption
inline constexpr int IDC_PANEL_X1 = 1509; // "Panel x 1"
inline constexpr int IDC_PANEL_X2 = 1510; // "Panel x 2"
inline constexpr int IDC_FADE_LABEL = 1429; // "Fade Duration :"
inline constexpr int IDC_FADE_EDIT = 1430;
inline constexpr int IDC_SECONDS_LABEL = 1431; // "sec"
inline constexpr int IDC_MULTI_MACHINE_GROUP = 1493; // "Multi-Machine Mode"
inline constexpr int IDC_MULTI_MACHINE = 1496;
inline constexpr int IDC_FADE_LIST = 0xAFB0;
} // namespace switcher
} // namespace ctl
