#pragma once
// Control ids of the picture page (MPicSettingDlg, dialog 110). Language files key captions on
// these ids ("IDS_<id>"); the same number can name another control in another window.

namespace ctl {
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
// Labels of the value rows. The gain labels share their numbers (and texts) with the keyer's.
inline constexpr int IDC_BRIGHT_LEVEL_LABEL = 1036; // "Bright Level :"
inline constexpr int IDC_GAMMA_LABEL = 1037; // "Gamma :"
inline constexpr int IDC_BRIGHTNESS_LABEL = 1041; // "Brightness :"
inline constexpr int IDC_CONTRAST_LABEL = 1043; // "Contrast :"
inline constexpr int IDC_SHARPNESS_LABEL = 1045; // "Sharpness :"
inline constexpr int IDC_SATURATION_LABEL = 1047; // "Saturation :"
inline constexpr int IDC_HUE_LABEL = 1049; // "Hue :"
inline constexpr int IDC_RED_LABEL = 1292; // "Red :"
inline constexpr int IDC_GREEN_LABEL = 1293; // "Green :"
inline constexpr int IDC_BLUE_LABEL = 1294; // "Blue :"
} // namespace picture
} // namespace ctl
