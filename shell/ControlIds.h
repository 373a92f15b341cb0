#pragma once
// Control ids of the program's windows, one namespace per window. The same number can name
// different controls in different windows. Language files key captions on these ids ("IDS_<id>").

namespace ctl {

// Every page (the page base).
namespace page_base {
inline constexpr int IDC_CLOSE = 1002;
inline constexpr int IDC_MAXIMIZE = 61438;
} // namespace page_base

// Main window (KordalDlg, dialog 102).
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

// Operating page (MMainDlg, dialog 108).
namespace operating {
inline constexpr int IDC_CANVAS = 1027;
inline constexpr int IDC_TOP_MENU = 1478; // menu resource
inline constexpr int IDC_TOP_MENU_TOP_SETTING = 32782; // menu item, caption from IDS_TOPMEN_TOPSET
} // namespace operating

// Picture page (MPicSettingDlg, dialog 110).
namespace picture {
inline constexpr int IDC_PICTURE_MODE_GROUP = 1040; // "Picture Mode"
inline constexpr int IDC_COLOR_TEMP_GROUP = 1052; // "Color Temperature"
inline constexpr int IDC_PICTURE_MODE_LIST = 45024;
inline constexpr int IDC_COLOR_TEMP_LIST = 45008;
inline constexpr int IDC_WINDOW_0 = 1060;
inline constexpr int IDC_WINDOW_1 = 1061;
inline constexpr int IDC_WINDOW_2 = 1062;
inline constexpr int IDC_WINDOW_3 = 1063;
inline constexpr int IDC_APPLY_INPUT = 1416; // caption is the input name
inline constexpr int IDC_APPLY_ALL = 1417; // "ALL"
inline constexpr int IDC_BRIGHT_LEVEL_ON_OFF = 1432;
inline constexpr int IDC_GAMMA_ON_OFF = 1192;
inline constexpr int IDC_RESET_COLOR_TEMP = 1163; // "Reset"
inline constexpr int IDC_RESET_PICTURE = 1124; // "Reset Picture Settings"
inline constexpr int IDC_BRIGHT_LEVEL_EDIT = 1035;
inline constexpr int IDC_BRIGHT_LEVEL_SLIDER = 1034;
inline constexpr int IDC_GAMMA_EDIT = 1039;
inline constexpr int IDC_GAMMA_SLIDER = 1038;
inline constexpr int IDC_BRIGHTNESS_EDIT = 1051;
inline constexpr int IDC_BRIGHTNESS_SLIDER = 1042;
inline constexpr int IDC_CONTRAST_EDIT = 1003;
inline constexpr int IDC_CONTRAST_SLIDER = 1044;
inline constexpr int IDC_SHARPNESS_EDIT = 1010;
inline constexpr int IDC_SHARPNESS_SLIDER = 1046;
inline constexpr int IDC_SATURATION_EDIT = 1015;
inline constexpr int IDC_SATURATION_SLIDER = 1048;
inline constexpr int IDC_HUE_EDIT = 1019;
inline constexpr int IDC_HUE_SLIDER = 1050;
inline constexpr int IDC_RED_EDIT = 1418;
inline constexpr int IDC_RED_SLIDER = 1425;
inline constexpr int IDC_GREEN_EDIT = 1419;
inline constexpr int IDC_GREEN_SLIDER = 1426;
inline constexpr int IDC_BLUE_EDIT = 1424;
inline constexpr int IDC_BLUE_SLIDER = 1427;
} // namespace picture

// Output page (MOutputDlg, dialog 117).
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
} // namespace output

// Crop page (MCropDlg, dialog 119).
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

// Splicing page (MMosaicDlg, dialog 120).
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
} // namespace mosaic

// Connection page (MConnectDlg, dialog 127).
namespace connect {
inline constexpr int IDC_NETWORK_GROUP = 1169; // "Network Connection"
inline constexpr int IDC_DESTINATION_IP_LABEL = 1171; // "Destination IP :"
inline constexpr int IDC_DESTINATION_IP_EDIT = 1172;
inline constexpr int IDC_NETWORK_CONNECT = 1167; // "Connect"
inline constexpr int IDC_NETWORK_DISCONNECT = 1174; // "DisConnect"
inline constexpr int IDC_ADDRESS_LIST = 1177;
inline constexpr int IDC_ADD_ADDRESS = 1452;
inline constexpr int IDC_REMOVE_ADDRESS = 1444;
inline constexpr int IDC_SEARCH_MACHINES = 1190; // "Search Machines >>>"
inline constexpr int IDC_COM_GROUP = 1474; // "Com Connection"
inline constexpr int IDC_COM_LABEL = 1475; // "Com"
inline constexpr int IDC_COM_PORT_LIST = 0xFF91;
inline constexpr int IDC_BAUD_RATE_LABEL = 1476; // "Baud Rate"
inline constexpr int IDC_BAUD_RATE_EDIT = 1473;
inline constexpr int IDC_REFRESH_COM_PORTS = 1450;
inline constexpr int IDC_COM_CONNECT = 1477; // "Connect"
inline constexpr int IDC_COM_DISCONNECT = 1495; // "DisConnect"
inline constexpr int IDC_ADDRESS_EDITOR = 0xAF80;
inline constexpr int IDC_SELECT_ALL_LABEL = 1290; // "Select All Machine"
inline constexpr int IDC_SELECT_ALL_CHECK = 1465;
inline constexpr int IDC_LOCAL_IP_LIST = 0xFF90;
inline constexpr int IDC_LOCAL_IP_LABEL = 1175; // "Local IP :"
inline constexpr int IDC_REFRESH_LOCAL_IP = 1122; // caption from the language files
} // namespace connect

// PIP page (MPIPDlg, dialog 150).
namespace pip {
inline constexpr int IDC_PIP1_GROUP = 1259; // caption follows the work mode
inline constexpr int IDC_PIP1_ON_OFF = 1185;
inline constexpr int IDC_PIP1_INPUT_LABEL = 1258; // "Input :"
inline constexpr int IDC_PIP1_ALPHA_LABEL = 1257; // "Alpha :"
inline constexpr int IDC_PIP1_ALPHA_EDIT = 1260;
inline constexpr int IDC_PIP1_ALPHA_SLIDER = 1256;
inline constexpr int IDC_PIP2_GROUP = 1261; // "PIP-2"
inline constexpr int IDC_PIP2_ON_OFF = 1193;
inline constexpr int IDC_PIP2_INPUT_LABEL = 1265; // "Input :"
inline constexpr int IDC_PIP2_ALPHA_LABEL = 1262; // "Alpha :"
inline constexpr int IDC_PIP2_ALPHA_EDIT = 1264;
inline constexpr int IDC_PIP2_ALPHA_SLIDER = 1263;
inline constexpr int IDC_PIP3_GROUP = 1266; // "PIP-3"
inline constexpr int IDC_PIP3_ON_OFF = 1198;
inline constexpr int IDC_PIP3_INPUT_LABEL = 1270; // "Input :"
inline constexpr int IDC_PIP3_ALPHA_LABEL = 1267; // "Alpha :"
inline constexpr int IDC_PIP3_ALPHA_EDIT = 1269;
inline constexpr int IDC_PIP3_ALPHA_SLIDER = 1268;
inline constexpr int IDC_PIP1_INPUT_LIST = 45040;
inline constexpr int IDC_PIP2_INPUT_LIST = 45041;
inline constexpr int IDC_PIP3_INPUT_LIST = 45042;
} // namespace pip

// Test-pattern page (MTstPatternDlg, dialog 152).
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

// Keyer page (MKeyerDlg, dialog 154).
namespace keyer {
inline constexpr int IDC_CHROMA_KEYER_GROUP = 1289; // "Chroma Keyer"
inline constexpr int IDC_ON_OFF = 1165; // switch image, no caption
inline constexpr int IDC_NOTICE_LABEL = 1290; // "Notice : Chroma Keyer On PIP-3"
inline constexpr int IDC_KEYER_MODE_GROUP = 1291; // "Keyer Mode"
inline constexpr int IDC_COLOR_RANGE_LABEL = 1312; // "Color Range"
inline constexpr int IDC_RED_LABEL = 1292; // "Red :"
inline constexpr int IDC_GREEN_LABEL = 1293; // "Green :"
inline constexpr int IDC_BLUE_LABEL = 1294; // "Blue :"
inline constexpr int IDC_RED_LOW_EDIT = 1295;
inline constexpr int IDC_RED_HIGH_EDIT = 1296;
inline constexpr int IDC_GREEN_LOW_EDIT = 1297;
inline constexpr int IDC_GREEN_HIGH_EDIT = 1299;
inline constexpr int IDC_BLUE_LOW_EDIT = 1301;
inline constexpr int IDC_BLUE_HIGH_EDIT = 1303;
inline constexpr int IDC_RED_RANGE_SIGN = 1305; // " ~ "
inline constexpr int IDC_GREEN_RANGE_SIGN = 1307; // " ~ "
inline constexpr int IDC_BLUE_RANGE_SIGN = 1309; // " ~ "
inline constexpr int IDC_RESET = 1163; // "Reset"
inline constexpr int IDC_GAIN_IN_LABEL = 1590; // "Gain In"
inline constexpr int IDC_GAIN_OUT_LABEL = 1591; // "Gain Out"
inline constexpr int IDC_GAIN_BND_LABEL = 1592; // "Gain Bnd"
inline constexpr int IDC_GAIN_IN_EDIT = 1587;
inline constexpr int IDC_GAIN_OUT_EDIT = 1588;
inline constexpr int IDC_GAIN_BND_EDIT = 1589;
inline constexpr int IDC_MODE_LIST = 45024;
inline constexpr int IDC_SET_LIST = 0xAFE1;
} // namespace keyer

// EDID page (MEdidDlg, dialog 156).
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

// System page (MMiscDlg, dialog 158).
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

// VGA page (MVgaDlg, dialog 160).
namespace vga {
inline constexpr int IDC_DISPLAY_GROUP = 1347; // "Display Adjustment"
inline constexpr int IDC_CLOCK_LABEL = 1348; // "Clock :"
inline constexpr int IDC_PHASE_LABEL = 1350; // "Phase :"
inline constexpr int IDC_H_POSITION_LABEL = 1358; // "H Position :"
inline constexpr int IDC_V_POSITION_LABEL = 1359; // "V Position :"
inline constexpr int IDC_CLOCK_EDIT = 1354;
inline constexpr int IDC_PHASE_EDIT = 1355;
inline constexpr int IDC_H_POSITION_EDIT = 1356;
inline constexpr int IDC_V_POSITION_EDIT = 1357;
inline constexpr int IDC_INPUT_SOURCE_LABEL = 1353; // "Input Source"
inline constexpr int IDC_AUTO_ADJUST = 1352; // "Auto Adjust"
inline constexpr int IDC_ADC_GROUP = 1351; // "ADC Adjustment"
inline constexpr int IDC_ADC_ON_OFF = 1440; // switch image, no caption
inline constexpr int IDC_PASSWORD_LABEL = 1362; // "Please Enter Password :"
inline constexpr int IDC_PASSWORD_EDIT = 1368;
inline constexpr int IDC_ENTER = 1372; // "enter"
inline constexpr int IDC_RED_OFFSET_LABEL = 1434; // "Red Offset"
inline constexpr int IDC_RED_OFFSET_EDIT = 1001;
inline constexpr int IDC_RED_GAIN_LABEL = 1435; // "Red Gain"
inline constexpr int IDC_RED_GAIN_EDIT = 1008;
inline constexpr int IDC_GREEN_OFFSET_LABEL = 1436; // "Green Offset"
inline constexpr int IDC_GREEN_OFFSET_EDIT = 1013;
inline constexpr int IDC_GREEN_GAIN_LABEL = 1438; // "Green Gain"
inline constexpr int IDC_GREEN_GAIN_EDIT = 1018;
inline constexpr int IDC_BLUE_OFFSET_LABEL = 1437; // "Blue Offset"
inline constexpr int IDC_BLUE_OFFSET_EDIT = 1023;
inline constexpr int IDC_BLUE_GAIN_LABEL = 1439; // "Blue Gain"
inline constexpr int IDC_BLUE_GAIN_EDIT = 1026;
inline constexpr int IDC_CALIBRATE = 1186; // "Calibrate"
inline constexpr int IDC_ADC_RESET = 1195; // "Rest"
inline constexpr int IDC_DDC_GROUP = 1360; // "DDC Setting"
inline constexpr int IDC_DDC_ON_OFF = 1364; // switch image, no caption
inline constexpr int IDC_INPUT_LABEL = 1366; // "Input :"
} // namespace vga

// Schedule page (MTaskDlg, dialog 162).
namespace task {
inline constexpr int IDC_MACHINE_TIME_TEXT = 1455;
inline constexpr int IDC_YEAR_EDIT = 1314;
inline constexpr int IDC_MONTH_EDIT = 1317;
inline constexpr int IDC_DAY_EDIT = 1319;
inline constexpr int IDC_HOUR_EDIT = 1320;
inline constexpr int IDC_MINUTE_EDIT = 1321;
inline constexpr int IDC_SECOND_EDIT = 1322;
inline constexpr int IDC_SYNC_CLOCK = 1327; // "SYNC"
inline constexpr int IDC_SCHEDULE_ON_OFF = 1382; // "ON/OFF"
inline constexpr int IDC_TASK_1 = 1383; // "1"
inline constexpr int IDC_TASK_2 = 1384; // "2"
inline constexpr int IDC_TASK_3 = 1385; // "3"
inline constexpr int IDC_TASK_4 = 1386; // "4"
inline constexpr int IDC_TASK_5 = 1387; // "5"
inline constexpr int IDC_TASK_6 = 1388; // "6"
inline constexpr int IDC_TASK_7 = 1389; // "7"
inline constexpr int IDC_TASK_8 = 1390; // "8"
inline constexpr int IDC_TASK_9 = 1391; // "9"
inline constexpr int IDC_TASK_10 = 1392; // "10"
inline constexpr int IDC_TASK_DATE = 1457;
inline constexpr int IDC_TASK_TIME = 1458;
inline constexpr int IDC_OPTION_NOT_USE = 1462; // "Not Use"
inline constexpr int IDC_OPTION_ONCE = 1463; // "Once"
inline constexpr int IDC_OPTION_EVERY_DAY = 1464; // "Every Day"
inline constexpr int IDC_PRESET_LIST = 0xAFA0;
inline constexpr int IDC_PRESET_LABEL = 1460; // caption from the language files
inline constexpr int IDC_CONFIRM = 1189; // "Confirm"
inline constexpr int IDC_DATE_TIME_GROUP = 1376; // "Date And Time"
inline constexpr int IDC_SCHEDULE_GROUP = 1370; // "Schedule"
inline constexpr int IDC_MACHINE_TIME_GROUP = 1453; // "Machine Time"
inline constexpr int IDC_LOCAL_TIME_GROUP = 1454; // "Local Time"
inline constexpr int IDC_TASK_EDIT_GROUP = 1456; // "Task Edit"
} // namespace task

// Logo page (MLogoDlg, dialog 164).
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

// Busy dialog (Kordal_PrograssDlg, dialog 170).
namespace progress {
inline constexpr int IDC_TEXT = 61421;
inline constexpr int IDC_PICTURE = 61422;
inline constexpr int IDC_PROGRESS = 61423;
} // namespace progress

// Machine search page (MSearchMachineDlg, dialog 179).
namespace search_machine {
inline constexpr int IDC_SEARCH = 1191; // "SEARCH"
inline constexpr int IDC_CONNECT = 1184; // "Connect"
inline constexpr int IDC_REFRESH_LOCAL_IP = 1445;
inline constexpr int IDC_LOCAL_IP_GROUP = 1498; // "Local Ip Address"
inline constexpr int IDC_LOCAL_IP_LIST = 0xFF70;
inline constexpr int IDC_RENAME_EDIT = 44929;
} // namespace search_machine

// Switcher page (MSwitcherDlg, dialog 183).
namespace switcher {
inline constexpr int IDC_SWITCHER_GROUP = 1349; // "Switcher Mode"
inline constexpr int IDC_ON_OFF = 1240; // switch image, no caption
inline constexpr int IDC_PANEL_X1 = 1509; // "Panel x 1"
inline constexpr int IDC_PANEL_X2 = 1510; // "Panel x 2"
inline constexpr int IDC_FADE_LABEL = 1429; // "Fade Duration :"
inline constexpr int IDC_FADE_EDIT = 1430;
inline constexpr int IDC_SECONDS_LABEL = 1431; // "sec"
inline constexpr int IDC_MULTI_MACHINE_GROUP = 1493; // "Multi-Machine Mode"
inline constexpr int IDC_MULTI_MACHINE = 1496;
inline constexpr int IDC_FADE_LIST = 0xAFB0;
} // namespace switcher

// Feather page (QVN_FeatherDlg, dialog 184).
namespace feather {
inline constexpr int IDC_FIRST_GROUP = 1594; // caption follows the splicing mode
inline constexpr int IDC_PIP3_GROUP = 1595; // "PIP3"
inline constexpr int IDC_FIRST_SHAPE_LABEL = 1596; // "Sharp"
inline constexpr int IDC_FIRST_LEVEL_LABEL = 1597; // "Level"
inline constexpr int IDC_PIP3_SHAPE_LABEL = 1598; // "Sharp"
inline constexpr int IDC_PIP3_LEVEL_LABEL = 1599; // "Level"
inline constexpr int IDC_FIRST_SHAPE_LIST = 65400;
inline constexpr int IDC_FIRST_LEVEL_LIST = 65402;
inline constexpr int IDC_PIP3_SHAPE_LIST = 65401;
inline constexpr int IDC_PIP3_LEVEL_LIST = 65403;
inline constexpr int IDC_ON_OFF = 1600;
} // namespace feather

// Caption page (MSubTitleDlg, dialog 1514).
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

// Encoder settings page (MVideoSettingDlg, dialog 1533).
namespace video_setting {
inline constexpr int IDC_QUALITY_LIST = 0xFF76;
inline constexpr int IDC_QUALITY_LABEL = 1569; // caption from the language files
inline constexpr int IDC_RESOLUTION_LIST = 0xFF75;
inline constexpr int IDC_RESOLUTION_LABEL = 1072; // caption from the language files
inline constexpr int IDC_FRAME_RATE_EDIT = 1565;
inline constexpr int IDC_BIT_RATE_EDIT = 1566;
inline constexpr int IDC_PACKAGE_PATH_EDIT = 1555;
inline constexpr int IDC_BROWSE = 1556; // "Browse"
inline constexpr int IDC_UPDATE = 1552; // "Update"
inline constexpr int IDC_PROGRESS = 1554;
inline constexpr int IDC_RESULT_TEXT = 1570;
inline constexpr int IDC_VERSION_TEXT = 1571;
inline constexpr int IDC_SETTING_GROUP = 1549; // "Setting"
inline constexpr int IDC_UPDATE_GROUP = 1548; // "Update"
} // namespace video_setting

// Four-view window (MShowVideoDlg, dialog 1559).
namespace four_view {
inline constexpr int IDC_VIEW_CAPTION_1 = 1560; // "DVI-1:" (this window applies no language)
inline constexpr int IDC_VIEW_CAPTION_2 = 1561; // "DVI-2:" (this window applies no language)
inline constexpr int IDC_VIEW_CAPTION_3 = 1562; // "DVI-3:" (this window applies no language)
inline constexpr int IDC_VIEW_CAPTION_4 = 1563; // "DVI-4:" (this window applies no language)
} // namespace four_view

// Media-player page (MMediaPlayerDlg, dialog 1563).
namespace media_player {
inline constexpr int IDC_KEY_OK = 1575; // "OK"
inline constexpr int IDC_KEY_RETURN = 1576; // "Return"
inline constexpr int IDC_KEY_SWITCH = 1577; // caption from the language files
inline constexpr int IDC_KEY_UP = 1578; // caption from the language files
inline constexpr int IDC_KEY_DOWN = 1579; // caption from the language files
inline constexpr int IDC_KEY_LEFT = 1580; // caption from the language files
inline constexpr int IDC_KEY_RIGHT = 1581; // caption from the language files
inline constexpr int IDC_DISK_1 = 1582; // "UDISK1"
inline constexpr int IDC_DISK_2 = 1583; // "UDISK2"
} // namespace media_player

// Named key of the operating page's context-menu item.
inline constexpr const char* kTopMenuTopSettingKey = "IDS_TOPMEN_TOPSET";

} // namespace ctl
