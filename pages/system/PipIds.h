#pragma once
// Control ids of the pIP page (MPIPDlg, dialog 150). Language files key captions on
// these ids ("IDS_<id>"); the same number can name another control in another window.

namespace ctl {
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
} // namespace ctl
