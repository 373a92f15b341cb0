#pragma once
// Control ids of the test-pattern page (MTstPatternDlg, dialog 152). Language files key captions on
// these ids ("IDS_<id>"); the same number can name another control in another window.

namespace ctl {
namespace test_pattern {
inline constexpr int IDC_PATTERN_GROUP = 1271; // "Test Pattern"
inline constexpr int IDC_PATTERN_PREVIOUS = 1274; // "<<"
inline constexpr int IDC_PATTERN_NEXT = 1275; // ">>"
inline constexpr int IDC_PATTERN_ON_OFF = 1273; // caption follows the pattern state
inline constexpr int IDC_PATTERN_EDIT = 1533;
inline constexpr int IDC_PATTERN_SLIDER = 1534;
inline constexpr int IDC_PIXEL_GRAB_GROUP = 1272; // "Pixel Grab"
inline constexpr int IDC_PIXEL_GRAB_ON_OFF = 1187;
inline constexpr int IDC_GRAB_H_START_LABEL = 1285; // "H Start : "
inline constexpr int IDC_GRAB_H_START_EDIT = 1287;
inline constexpr int IDC_GRAB_V_START_LABEL = 1286; // "V Start : "
inline constexpr int IDC_GRAB_V_START_EDIT = 1288;
inline constexpr int IDC_CAPTION_SETTINGS = 1515; // caption from the language files
inline constexpr int IDC_PATTERN_3 = 1276; // "3"
inline constexpr int IDC_PATTERN_4 = 1277; // "4"
inline constexpr int IDC_PATTERN_5 = 1278; // "5"
inline constexpr int IDC_PATTERN_6 = 1279; // "6"
inline constexpr int IDC_PATTERN_7 = 1280; // "7"
inline constexpr int IDC_PATTERN_8 = 1281; // "8"
inline constexpr int IDC_PATTERN_9 = 1282; // "9"
inline constexpr int IDC_PATTERN_10 = 1283; // "10"
inline constexpr int IDC_PATTERN_11 = 1284; // "11"
} // namespace test_pattern
} // namespace ctl
