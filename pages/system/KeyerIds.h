#pragma once
// Control ids of the keyer page (MKeyerDlg, dialog 154). Language files key captions on
// these ids ("IDS_<id>"); the same number can name another control in another window.

namespace ctl {
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
} // namespace ctl
