#pragma once
// Control ids of the eDID page (MEdidDlg, dialog 156). Language files key captions on
// these ids ("IDS_<id>"); the same number can name another control in another window.

namespace ctl {
namespace edid {
inline constexpr int IDC_EDID_SELECT_GROUP = 1332; // "EDID Select"
inline constexpr int IDC_H_ACTIVE_LABEL = 1111; // "H Active :"
inline constexpr int IDC_V_ACTIVE_LABEL = 1112; // "V Active :"
inline constexpr int IDC_FPS_LABEL = 1324; // "FPS :"
inline constexpr int IDC_H_ACTIVE_EDIT = 1323;
inline constexpr int IDC_V_ACTIVE_EDIT = 1024;
inline constexpr int IDC_FPS_EDIT = 1326;
inline constexpr int IDC_MORE_GROUP = 1333; // " more "
inline constexpr int IDC_H_BLANK_LABEL = 1114; // "H Blank :"
inline constexpr int IDC_V_BLANK_LABEL = 1116; // "V Blank :"
inline constexpr int IDC_H_BLANK_EDIT = 1330;
inline constexpr int IDC_V_BLANK_EDIT = 1028;
inline constexpr int IDC_RESTORE = 1331; // "Restore"
inline constexpr int IDC_APPLY = 1329; // "Apply"
inline constexpr int IDC_MORE = 1328; // "More >"
inline constexpr int IDC_INPUT_LIST = 45040;
} // namespace edid
} // namespace ctl
