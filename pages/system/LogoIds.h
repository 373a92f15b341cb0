#pragma once
// Control ids of the logo page (MLogoDlg, dialog 164). Language files key captions on
// these ids ("IDS_<id>"); the same number can name another control in another window.

namespace ctl {
namespace logo {
inline constexpr int IDC_USAGE_GROUP = 1393; // "PIP-3 Usage"
inline constexpr int IDC_USAGE_NORMAL = 1318; // "Normal"
inline constexpr int IDC_USAGE_LOGO = 1315; // "Logo"
inline constexpr int IDC_ON_OFF = 1165; // switch image, no caption
inline constexpr int IDC_NOTICE_LABEL = 1491; // caption from the language files
inline constexpr int IDC_WINDOW_GROUP = 1394; // "Setting"
inline constexpr int IDC_H_START_LABEL = 1358; // "H Start :"
inline constexpr int IDC_V_START_LABEL = 1359; // "V Start :"
inline constexpr int IDC_WIDTH_LABEL = 1361; // "Width :"
inline constexpr int IDC_HEIGHT_LABEL = 1363; // "Height :"
inline constexpr int IDC_H_START_EDIT = 1356;
inline constexpr int IDC_V_START_EDIT = 1357;
inline constexpr int IDC_WIDTH_EDIT = 1365;
inline constexpr int IDC_HEIGHT_EDIT = 1367;
inline constexpr int IDC_CLEAR_GROUP = 1399; // "Clear"
inline constexpr int IDC_FILES_GROUP = 1401; // "Files"
inline constexpr int IDC_OPERATE_GROUP = 1335; // "Opeate"
inline constexpr int IDC_CLEAR_1 = 1420;
inline constexpr int IDC_CLEAR_2 = 1421;
inline constexpr int IDC_CLEAR_3 = 1422;
inline constexpr int IDC_CLEAR_4 = 1423;
inline constexpr int IDC_SLOT_1 = 1395; // "LOGO1"
inline constexpr int IDC_SLOT_2 = 1396; // "LOGO2"
inline constexpr int IDC_SLOT_3 = 1397; // "LOGO3"
inline constexpr int IDC_SLOT_4 = 1398; // "LOGO4"
inline constexpr int IDC_SAVE_LOAD_1 = 1412;
inline constexpr int IDC_SAVE_LOAD_2 = 1413;
inline constexpr int IDC_SAVE_LOAD_3 = 1414;
inline constexpr int IDC_SAVE_LOAD_4 = 1415;
inline constexpr int IDC_OPTIONS_GROUP = 1499; // "Setting"
inline constexpr int IDC_TOP_LABEL = 1501; // "Logo Top"
inline constexpr int IDC_TOP = 1500;
inline constexpr int IDC_BORDER_LABEL = 1502; // "Logo Border"
inline constexpr int IDC_BORDER = 1497;
} // namespace logo
} // namespace ctl
