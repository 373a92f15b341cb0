#pragma once
// Control ids of the feather page (QVN_FeatherDlg, dialog 184). Language files key captions on
// these ids ("IDS_<id>"); the same number can name another control in another window.

namespace ctl {
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
} // namespace ctl
