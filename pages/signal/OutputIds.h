#pragma once
// Control ids of the output page (MOutputDlg, dialog 117). Language files key captions on
// these ids ("IDS_<id>"); the same number can name another control in another window.

namespace ctl {
namespace output {
inline constexpr int IDC_RESOLUTION_GROUP = 1069; // "Output Resolution"
inline constexpr int IDC_ROTATE_GROUP = 1115; // "Rotate"
inline constexpr int IDC_WINDOW_0 = 1105;
inline constexpr int IDC_WINDOW_1 = 1106;
inline constexpr int IDC_WINDOW_2 = 1107;
inline constexpr int IDC_WINDOW_3 = 1108;
inline constexpr int IDC_MORE = 1328; // "More >"
inline constexpr int IDC_APPLY = 1075; // "Apply"
inline constexpr int IDC_FULL_SCREEN = 1117; // "Full\\nScreen"
inline constexpr int IDC_LAYOUT_HALF = 1188; // "1/2"
inline constexpr int IDC_LAYOUT_THIRDS = 1196; // "[ | | ]"
inline constexpr int IDC_LAYOUT_QUARTER = 1201; // "1/4"
inline constexpr int IDC_ROTATE_OFF = 1131; // "OFF"
inline constexpr int IDC_ROTATE_MINUS_90 = 1120; // "-90°"
inline constexpr int IDC_ROTATE_90 = 1119; // "90°"
inline constexpr int IDC_ROTATE_H_FLIP = 1127; // "H Flip"
inline constexpr int IDC_ROTATE_V_FLIP = 1128; // "V Flip"
inline constexpr int IDC_ROTATE_180 = 1125; // "180°"
inline constexpr int IDC_ROTATE_MINUS_90_H_FLIP = 1130; // "-90°+HFlip"
inline constexpr int IDC_ROTATE_90_H_FLIP = 1129; // "90°+HFlip"
inline constexpr int IDC_RESOLUTION_LIST = 65472;
inline constexpr int IDC_H_POLARITY_LIST = 65456;
inline constexpr int IDC_V_POLARITY_LIST = 65440;
inline constexpr int IDC_H_POLARITY_LABEL = 1100; // "H pol :"
inline constexpr int IDC_V_POLARITY_LABEL = 1101; // "V pol :"
inline constexpr int IDC_H_ACTIVE_EDIT = 1323;
inline constexpr int IDC_V_ACTIVE_EDIT = 1024;
inline constexpr int IDC_FPS_EDIT = 1326;
inline constexpr int IDC_H_TOTAL_EDIT = 1081;
inline constexpr int IDC_V_TOTAL_EDIT = 1083;
inline constexpr int IDC_H_SYNC_EDIT = 1087;
inline constexpr int IDC_V_SYNC_EDIT = 1085;
inline constexpr int IDC_HBP_EDIT = 1089;
inline constexpr int IDC_VBP_EDIT = 1091;
inline constexpr int IDC_H_START_EDIT = 1356;
inline constexpr int IDC_V_START_EDIT = 1357;
inline constexpr int IDC_WIDTH_EDIT = 1365;
inline constexpr int IDC_HEIGHT_EDIT = 1367;
// Labels of the edits. The detailed timing's labels (1094..1101) show only while "More >" is on.
inline constexpr int IDC_H_ACTIVE_LABEL = 1111; // "H Active :"
inline constexpr int IDC_V_ACTIVE_LABEL = 1112; // "V Active :"
inline constexpr int IDC_FPS_LABEL = 1324; // "FPS :"
inline constexpr int IDC_H_TOTAL_LABEL = 1094; // "H total :"
inline constexpr int IDC_V_TOTAL_LABEL = 1095; // "V total :"
inline constexpr int IDC_H_SYNC_LABEL = 1096; // "H sync :"
inline constexpr int IDC_V_SYNC_LABEL = 1097; // "V sync :"
inline constexpr int IDC_HBP_LABEL = 1098; // "Hbp :"
inline constexpr int IDC_VBP_LABEL = 1099; // "Vbp :"
inline constexpr int IDC_H_START_LABEL = 1285; // "H Start : "
inline constexpr int IDC_V_START_LABEL = 1286; // "V Start : "
inline constexpr int IDC_WIDTH_LABEL = 1139; // "Width : "
inline constexpr int IDC_HEIGHT_LABEL = 1138; // "Height : "
} // namespace output
} // namespace ctl
