#pragma once
// Control ids of the operating page (MMainDlg, dialog 108). Language files key captions on
// these ids ("IDS_<id>"); the same number can name another control in another window.

namespace ctl {
namespace operating {
inline constexpr int IDC_CANVAS = 1027;
inline constexpr int IDC_TOP_MENU = 1478; // menu resource
inline constexpr int IDC_TOP_MENU_TOP_SETTING = 32782; // menu item, caption from IDS_TOPMEN_TOPSET
} // namespace operating

// Named key of the operating page's context-menu item.
inline constexpr const char* kTopMenuTopSettingKey = "IDS_TOPMEN_TOPSET";
} // namespace ctl
