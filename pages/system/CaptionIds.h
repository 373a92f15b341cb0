#pragma once
// Control ids of the caption page (MSubTitleDlg, dialog 1514). Language files key captions on
// these ids ("IDS_<id>"); the same number can name another control in another window.

namespace ctl {
namespace caption {
inline constexpr int IDC_TEXT_EDIT = 1518;
inline constexpr int IDC_WIDTH_EDIT = 1365;
inline constexpr int IDC_HEIGHT_EDIT = 1367;
inline constexpr int IDC_H_START_EDIT = 1356;
inline constexpr int IDC_V_START_EDIT = 1357;
inline constexpr int IDC_DISPLAY_WIDTH_EDIT = 1529;
inline constexpr int IDC_DIRECTION_LIST = 0xFF71;
inline constexpr int IDC_DIRECTION_LABEL = 1526; // caption from the language files
inline constexpr int IDC_SPEED_LIST = 0xFF72;
inline constexpr int IDC_SPEED_LABEL = 1525; // caption from the language files
inline constexpr int IDC_BACKGROUND_LIST = 0xFF73;
inline constexpr int IDC_BACKGROUND_LABEL = 1536; // caption from the language files
inline constexpr int IDC_CAPTION_LIST = 0xFF74;
inline constexpr int IDC_WIDTH_LABEL = 1361;          // caption from the language files
inline constexpr int IDC_HEIGHT_LABEL = 1363;         // caption from the language files
inline constexpr int IDC_H_START_LABEL = 1358;        // caption from the language files
inline constexpr int IDC_V_START_LABEL = 1359;        // caption from the language files
inline constexpr int IDC_DISPLAY_WIDTH_LABEL = 1527;  // caption from the language files
inline constexpr int IDC_SEND = 1517; // caption from the language files
inline constexpr int IDC_DISPLAY_ON_OFF = 1519;
inline constexpr int IDC_BROWSE = 1520; // caption from the language files
inline constexpr int IDC_TEXT_COLOR = 1521; // caption from the language files
inline constexpr int IDC_BACK_COLOR = 1523; // caption from the language files
inline constexpr int IDC_FONT = 1522; // caption from the language files
inline constexpr int IDC_SAVE = 1524; // caption from the language files
inline constexpr int IDC_ADVANCED = 1530; // caption from the language files
inline constexpr int IDC_INITIALIZE = 1553; // caption from the language files
inline constexpr int IDC_OUTPUT_1 = 1541; // caption from the language files
inline constexpr int IDC_OUTPUT_2 = 1542; // caption from the language files
inline constexpr int IDC_OUTPUT_3 = 1543; // caption from the language files
inline constexpr int IDC_OUTPUT_4 = 1544; // caption from the language files
inline constexpr int IDC_INVERT = 1557; // caption from the language files
inline constexpr int IDC_ALIGN_CENTER = 1602; // "Align Center"
inline constexpr int IDC_PREVIEW_SCROLL = 1546;
inline constexpr int IDC_CAPTION_SETTING_GROUP = 1516; // "Caption Setting"
inline constexpr int IDC_LOCAL_PREVIEW_GROUP = 1545; // "Local Preview"
inline constexpr int IDC_DISPLAY_AREA_GROUP = 1528; // "Display Area"
inline constexpr int IDC_CAPTION_INPUT_GROUP = 1535; // "Caption Input"
} // namespace caption
} // namespace ctl
