#pragma once
// Control ids of the splicing page (MMosaicDlg, dialog 120). Language files key captions on
// these ids ("IDS_<id>"); the same number can name another control in another window.

namespace ctl {
namespace mosaic {
inline constexpr int IDC_AUTO_ARRANGEMENT_GROUP = 1140; // "Automatic Arrangement"
inline constexpr int IDC_MANUAL_ARRANGEMENT_GROUP = 1141; // "Manual Arrangement"
inline constexpr int IDC_ON_OFF = 1165; // on/off switch, captionless like 1165 on the keyer and logo pages
inline constexpr int IDC_PANEL_X1 = 1170; // "Panel x 1"
inline constexpr int IDC_PANEL_X2 = 1173; // "Panel x 2"
inline constexpr int IDC_PANEL_X2_1 = 1586; // "Panel x2_1"
inline constexpr int IDC_PANEL_X3 = 1513; // "Panel x 3"
inline constexpr int IDC_PANEL_X4 = 1168; // "Panel x 4"
inline constexpr int IDC_WINDOW_MAIN = 1142; // "MAIN"
inline constexpr int IDC_WINDOW_PIP1 = 1143; // "PIP-1"
inline constexpr int IDC_WINDOW_PIP2 = 1144; // "PIP-2"
inline constexpr int IDC_WINDOW_PIP3 = 1145; // "PIP-3"
inline constexpr int IDC_RESET = 1163; // "Reset"
inline constexpr int IDC_H_START_EDIT = 1148;
inline constexpr int IDC_V_START_EDIT = 1149;
inline constexpr int IDC_WIDTH_EDIT = 1152;
inline constexpr int IDC_HEIGHT_EDIT = 1153;
inline constexpr int IDC_H_TOTAL_EDIT = 1156;
inline constexpr int IDC_V_TOTAL_EDIT = 1007;
// Labels of the six edits.
inline constexpr int IDC_H_START_LABEL = 1146; // "H Start :"
inline constexpr int IDC_V_START_LABEL = 1147; // "V Start :"
inline constexpr int IDC_WIDTH_LABEL = 1150; // "Width :"
inline constexpr int IDC_HEIGHT_LABEL = 1151; // "Height :"
inline constexpr int IDC_H_TOTAL_LABEL = 1154; // "H Total :"
inline constexpr int IDC_V_TOTAL_LABEL = 1155; // "V Total :"
} // namespace mosaic
} // namespace ctl
