#pragma once
// Control ids of the machine search page (MSearchMachineDlg, dialog 179). Language files key captions on
// these ids ("IDS_<id>"); the same number can name another control in another window.

namespace ctl {
namespace search_machine {
inline constexpr int IDC_SEARCH = 1191; // "SEARCH"
inline constexpr int IDC_CONNECT = 1184; // "Connect"
inline constexpr int IDC_REFRESH_LOCAL_IP = 1445;
inline constexpr int IDC_LOCAL_IP_GROUP = 1498; // "Local Ip Address"
inline constexpr int IDC_LOCAL_IP_LIST = 0xFF70;
inline constexpr int IDC_RENAME_EDIT = 44929;
} // namespace search_machine
} // namespace ctl
