#pragma once
// Control ids of the main window (KordalDlg, dialog 102) and of the busy dialog (Kordal_PrograssDlg,
// dialog 170). Language files key captions on these ids ("IDS_<id>"); the same number can name another control in another window.

namespace ctl {
namespace main_window {
inline constexpr int IDC_SIDE_PICTURE = 1021; // "PICTURE"
inline constexpr int IDC_SIDE_OUTPUT = 1025; // "OUTPUT"
inline constexpr int IDC_SIDE_MOSAIC = 1180; // "MOSAIC"
inline constexpr int IDC_SIDE_KEYER = 1245; // "KEYER"
inline constexpr int IDC_SIDE_PIP = 1123; // "PIP"
inline constexpr int IDC_SIDE_CROP = 1126; // "CROP"
inline constexpr int IDC_SIDE_LOGO = 1241; // "LOGO"
inline constexpr int IDC_SIDE_EDID = 1179; // "EDID"
inline constexpr int IDC_SIDE_VGA_ADJ = 1183; // "VGA ADJ."
inline constexpr int IDC_SIDE_MISC = 1244; // "MISC"
inline constexpr int IDC_SIDE_TIME_TASK = 1243; // "TIME/TASK"
inline constexpr int IDC_SIDE_COMM = 1178; // "COMM"
inline constexpr int IDC_TEST_PATTERN = 1242; // "TEST PATTERN"
inline constexpr int IDC_SIDE_MORE = 1443;
inline constexpr int IDC_INPUT_DVI1 = 1194; // "DVI-1"
inline constexpr int IDC_INPUT_HDMI1 = 1200; // "HDMI-1"
inline constexpr int IDC_INPUT_DVI2 = 1204; // "DVI-2"
inline constexpr int IDC_INPUT_HDMI2 = 1207; // "HDMI-2"
inline constexpr int IDC_INPUT_SDI = 1218; // "SDI"
inline constexpr int IDC_INPUT_EXT1 = 1471; // "Ext.1"
inline constexpr int IDC_INPUT_EXT2 = 1222; // "Ext.2"
inline constexpr int IDC_INPUT_DP_L = 1215; // "DP-L"
inline constexpr int IDC_INPUT_DP_R = 1212; // "DP-R"
inline constexpr int IDC_LAYER_MAIN = 1247; // "MAIN"
inline constexpr int IDC_LAYER_PIP1 = 1248; // "PIP-1"
inline constexpr int IDC_LAYER_PIP2 = 1249; // "PIP-2"
inline constexpr int IDC_LAYER_PIP3 = 1250; // "PIP-3"
inline constexpr int IDC_PVW_LAYER_MAIN = 1466; // "MAIN"
inline constexpr int IDC_PVW_LAYER_PIP1 = 1467; // "PIP-1"
inline constexpr int IDC_PVW_LAYER_PIP2 = 1468; // "PIP-2"
inline constexpr int IDC_PVW_LAYER_PIP3 = 1469; // "PIP-3"
inline constexpr int IDC_TOP_MAIN = 1446;
inline constexpr int IDC_TOP_PIP1 = 1447;
inline constexpr int IDC_TOP_PIP2 = 1448;
inline constexpr int IDC_TOP_PIP3 = 1449;
inline constexpr int IDC_PRESET_SLOT_1 = 1223; // "1"
inline constexpr int IDC_PRESET_SLOT_2 = 1224; // "2"
inline constexpr int IDC_PRESET_SLOT_3 = 1225; // "3"
inline constexpr int IDC_PRESET_SLOT_4 = 1226; // "4"
inline constexpr int IDC_PRESET_SLOT_5 = 1227; // "5"
inline constexpr int IDC_PRESET_SLOT_6 = 1228; // "6"
inline constexpr int IDC_PRESET_SLOT_7 = 1229; // "7"
inline constexpr int IDC_PRESET_SLOT_8 = 1230; // "8"
inline constexpr int IDC_PRESET_SLOT_9 = 1231; // "9"
inline constexpr int IDC_PRESET_SLOT_10 = 1232; // "10"
inline constexpr int IDC_PRESET_LOAD = 1246; // "Load"
inline constexpr int IDC_PRESET_SAVE = 1236; // "Save"
inline constexpr int IDC_TAB_TEMPLATES = 1238; // "Templates"
inline constexpr int IDC_TAB_PRESETS = 1237; // "Presets"
inline constexpr int IDC_SWITCHER = 1240; // caption set from texts 40/41
inline constexpr int IDC_TAKE = 1451; // "TAKE"
inline constexpr int IDC_LOCK_OUTPUT = 1472; // "Lock Output"
inline constexpr int IDC_LOCK_LAYER = 1604; // "Lock Layer"
inline constexpr int IDC_FREEZE = 1601; // "Freeze"
inline constexpr int IDC_LINK_SERIAL_INDICATOR = 1494;
inline constexpr int IDC_LINK_NETWORK_INDICATOR = 1489;
inline constexpr int IDC_SWITCHER_INDICATOR = 1490;
inline constexpr int IDC_CONNECTION_INDICATOR = 1492;
inline constexpr int IDC_FOUR_VIEW = 1564;
inline constexpr int IDC_SIGNAL_SWITCH = 1573;
inline constexpr int IDC_DUAL_CHANNEL = 1344; // "Dual CH."
inline constexpr int IDC_LOOP_OUT_GROUP = 1255; // "Loop-Out"
inline constexpr int IDC_SYNC_MODE_GROUP = 1441; // "Sync Mode"
inline constexpr int IDC_PORT_SWITCH_GROUP = 1572; // "Port Switch Method"
inline constexpr int IDC_SYNC_LOCK_LIST = 45000;
inline constexpr int IDC_SYNC_MODE_LIST = 45008;
inline constexpr int IDC_PORT_SWITCH_LIST = 65399;
inline constexpr int IDC_RENAME_EDIT = 44929;
} // namespace main_window
namespace progress {
inline constexpr int IDC_TEXT = 61421;
inline constexpr int IDC_PICTURE = 61422;
inline constexpr int IDC_PROGRESS = 61423;
} // namespace progress
} // namespace ctl
