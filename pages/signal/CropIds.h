#pragma once
// Control ids of the crop page (MCropDlg, dialog 119). Language files key captions on
// these ids ("IDS_<id>"); the same number can name another control in another window.

namespace ctl {
namespace crop {
inline constexpr int IDC_LAYER_MAIN = 1132; // caption follows the work mode
inline constexpr int IDC_LAYER_PIP1 = 1133;
inline constexpr int IDC_LAYER_PIP2 = 1134;
inline constexpr int IDC_LAYER_PIP3 = 1135;
inline constexpr int IDC_H_START_LABEL = 1470; // "H Start : "
inline constexpr int IDC_V_START_LABEL = 1136; // "V Start : "
inline constexpr int IDC_WIDTH_LABEL = 1139; // "Width : "
inline constexpr int IDC_HEIGHT_LABEL = 1138; // "Height : "
inline constexpr int IDC_H_START_EDIT = 1137;
inline constexpr int IDC_V_START_EDIT = 1005;
inline constexpr int IDC_WIDTH_EDIT = 1012;
inline constexpr int IDC_HEIGHT_EDIT = 1017;
inline constexpr int IDC_ON_OFF = 1158; // switch image, no caption
inline constexpr int IDC_RESET = 1162; // "Reset"
inline constexpr int IDC_INPUT_SOURCE_LABEL = 1182; // "Input Source"
} // namespace crop
} // namespace ctl
