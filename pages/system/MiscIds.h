#pragma once
// Control ids of the system page (MMiscDlg, dialog 158). Language files key captions on
// these ids ("IDS_<id>"); the same number can name another control in another window.

namespace ctl {
namespace misc {
inline constexpr int IDC_LOOP_OUT_DVI1 = 1404; // "DVI-1"
inline constexpr int IDC_LOOP_OUT_HDMI1 = 1405; // "HDMI-1"
inline constexpr int IDC_LOOP_OUT_DVI2 = 1406; // "DVI-2"
inline constexpr int IDC_LOOP_OUT_HDMI2 = 1407; // "HDMI-2"
inline constexpr int IDC_LOOP_OUT_DP1 = 1408; // "DP1"
inline constexpr int IDC_LOOP_OUT_SDI = 1409; // "SDI"
inline constexpr int IDC_LOOP_OUT_EXT1 = 1410; // caption is the extension input name
inline constexpr int IDC_LOOP_OUT_EXT2 = 1411; // caption is the extension input name
inline constexpr int IDC_RESET_STEP_1 = 1338; // "1>"
inline constexpr int IDC_RESET_STEP_2 = 1339; // "2>"
inline constexpr int IDC_RESET_STEP_3 = 1340; // "3>"
inline constexpr int IDC_RESET_STEP_4 = 1341; // "4>"
inline constexpr int IDC_RESET_STEP_OK = 1342; // ">OK"
inline constexpr int IDC_OPEN_PROJECT = 1344; // "Open Project"
inline constexpr int IDC_SAVE_PROJECT = 1442; // "Save Project"
inline constexpr int IDC_DUAL_CHANNEL = 1345; // "Dual CH.", mirrors the main window's check box
inline constexpr int IDC_GET_DATA = 1480; // "Get Data From Machine"
inline constexpr int IDC_SET_DATA = 1481; // "Set Data To Machine"
inline constexpr int IDC_LANGUAGE_ENGLISH = 1251; // "English"
inline constexpr int IDC_LANGUAGE_CHINESE = 1252; // caption from the language files
inline constexpr int IDC_TAB_SETTING = 1505; // "Setting"
inline constexpr int IDC_TAB_KEYER = 1506; // "Keyer"
inline constexpr int IDC_TAB_TEST_PATTERN = 1507; // "TEST PATTERN"
inline constexpr int IDC_TAB_TIME_TASK = 1508; // "TIME/TASK"
inline constexpr int IDC_VIDEO_SETTING = 1547; // "Video Setting >>"
inline constexpr int IDC_MEDIA_PLAYER = 1574; // "Media Player >>"
inline constexpr int IDC_FEATHERING = 1593; // "Feathering"
inline constexpr int IDC_SYSTEM_INFO_TEXT = 1254;
inline constexpr int IDC_VERSION_TEXT = 32781;
inline constexpr int IDC_GROUP_1255 = 1255; // "Loopout Setting"
inline constexpr int IDC_GROUP_1336 = 1336; // "File Setting"
inline constexpr int IDC_GROUP_1343 = 1343; // "System Information"
inline constexpr int IDC_GROUP_1337 = 1337; // "Factory Reset"
inline constexpr int IDC_GROUP_1346 = 1346; // caption from the language files
} // namespace misc
} // namespace ctl
