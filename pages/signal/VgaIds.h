#pragma once
// Control ids of the vGA page (MVgaDlg, dialog 160). Language files key captions on
// these ids ("IDS_<id>"); the same number can name another control in another window.

namespace ctl {
namespace vga {
inline constexpr int IDC_DISPLAY_GROUP = 1347; // "Display Adjustment"
inline constexpr int IDC_CLOCK_LABEL = 1348; // "Clock :"
inline constexpr int IDC_PHASE_LABEL = 1350; // "Phase :"
inline constexpr int IDC_H_POSITION_LABEL = 1358; // "H Position :"
inline constexpr int IDC_V_POSITION_LABEL = 1359; // "V Position :"
inline constexpr int IDC_CLOCK_EDIT = 1354;
inline constexpr int IDC_PHASE_EDIT = 1355;
inline constexpr int IDC_H_POSITION_EDIT = 1356;
inline constexpr int IDC_V_POSITION_EDIT = 1357;
inline constexpr int IDC_INPUT_SOURCE_LABEL = 1353; // "Input Source"
inline constexpr int IDC_AUTO_ADJUST = 1352; // "Auto Adjust"
inline constexpr int IDC_ADC_GROUP = 1351; // "ADC Adjustment"
inline constexpr int IDC_ADC_ON_OFF = 1440; // switch image, no caption
inline constexpr int IDC_PASSWORD_LABEL = 1362; // "Please Enter Password :"
inline constexpr int IDC_PASSWORD_EDIT = 1368;
inline constexpr int IDC_ENTER = 1372; // "enter"
inline constexpr int IDC_RED_OFFSET_LABEL = 1434; // "Red Offset"
inline constexpr int IDC_RED_OFFSET_EDIT = 1001;
inline constexpr int IDC_RED_GAIN_LABEL = 1435; // "Red Gain"
inline constexpr int IDC_RED_GAIN_EDIT = 1008;
inline constexpr int IDC_GREEN_OFFSET_LABEL = 1436; // "Green Offset"
inline constexpr int IDC_GREEN_OFFSET_EDIT = 1013;
inline constexpr int IDC_GREEN_GAIN_LABEL = 1438; // "Green Gain"
inline constexpr int IDC_GREEN_GAIN_EDIT = 1018;
inline constexpr int IDC_BLUE_OFFSET_LABEL = 1437; // "Blue Offset"
inline constexpr int IDC_BLUE_OFFSET_EDIT = 1023;
inline constexpr int IDC_BLUE_GAIN_LABEL = 1439; // "Blue Gain"
inline constexpr int IDC_BLUE_GAIN_EDIT = 1026;
inline constexpr int IDC_CALIBRATE = 1186; // "Calibrate"
inline constexpr int IDC_ADC_RESET = 1195; // "Rest"
inline constexpr int IDC_DDC_GROUP = 1360; // "DDC Setting"
inline constexpr int IDC_DDC_ON_OFF = 1364; // switch image, no caption
inline constexpr int IDC_INPUT_LABEL = 1366; // "Input :"
} // namespace vga
} // namespace ctl
