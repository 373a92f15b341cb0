#pragma once
// Control ids of the encoder settings page (MVideoSettingDlg, dialog 1533). Language files key captions on
// these ids ("IDS_<id>"); the same number can name another control in another window.

namespace ctl {
namespace video_setting {
inline constexpr int IDC_QUALITY_LIST = 0xFF76;
inline constexpr int IDC_QUALITY_LABEL = 1569; // caption from the language files
inline constexpr int IDC_RESOLUTION_LIST = 0xFF75;
inline constexpr int IDC_RESOLUTION_LABEL = 1072; // caption from the language files
inline constexpr int IDC_FRAME_RATE_EDIT = 1565;
inline constexpr int IDC_BIT_RATE_EDIT = 1566;
inline constexpr int IDC_FRAME_RATE_LABEL = 1567; // caption from the language files
inline constexpr int IDC_BIT_RATE_LABEL = 1568;   // caption from the language files
inline constexpr int IDC_PACKAGE_PATH_EDIT = 1555;
inline constexpr int IDC_BROWSE = 1556; // "Browse"
inline constexpr int IDC_UPDATE = 1552; // "Update"
inline constexpr int IDC_PROGRESS = 1554;
inline constexpr int IDC_RESULT_TEXT = 1570;
inline constexpr int IDC_VERSION_TEXT = 1571;
inline constexpr int IDC_SETTING_GROUP = 1549; // "Setting"
inline constexpr int IDC_UPDATE_GROUP = 1548; // "Update"
} // namespace video_setting
} // namespace ctl
