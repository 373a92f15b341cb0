#pragma once
// Control ids of the connection page (MConnectDlg, dialog 127). Language files key captions on
// these ids ("IDS_<id>"); the same number can name another control in another window.

namespace ctl {
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
} // namespace ctl
