#pragma once
// Codes carried in wParam of WM_PAGE_NOTIFY, and the targets of WM_LAYER_GEOMETRY and
// WM_PROJECT_FILE.

inline constexpr unsigned NOTIFY_SHOW_SUBPAGE = 1442;      // payload QVariantMap {"tab": int, "shown": int}
inline constexpr unsigned NOTIFY_SWITCHER_MODE = 1448;
inline constexpr unsigned NOTIFY_LOOP_OUT = 1449;
inline constexpr unsigned NOTIFY_LAYER_VISIBILITY = 1450;
inline constexpr unsigned NOTIFY_SPLICING_MODE = 1460;
inline constexpr unsigned NOTIFY_SPLICING_CELL = 1461;
inline constexpr unsigned NOTIFY_LINKED = 1466;
inline constexpr unsigned NOTIFY_SEARCH_ENTRY = 1467;
// Three tab buttons share one meaning (toggle/hide a page); each has its own code.
inline constexpr unsigned NOTIFY_TAB_BUTTONS = 1468;       // stream (video settings) page
inline constexpr unsigned NOTIFY_TAB_BUTTONS_MEDIA = 1469; // media-player page
inline constexpr unsigned NOTIFY_TAB_BUTTONS_FEATHER = 1470; // feathering page
inline constexpr unsigned NOTIFY_FEATHER_STATE = 1471;
inline constexpr unsigned NOTIFY_CONNECTION = 1472;
inline constexpr unsigned NOTIFY_CONNECTED_IP = 1473;      // payload IPv4 text
inline constexpr unsigned NOTIFY_CROP_CHANGED = 1475;
inline constexpr unsigned NOTIFY_PREVIEW_FORMAT = 1476;
inline constexpr unsigned NOTIFY_TOP_BUTTONS = 1477;

inline constexpr unsigned LAYER_GEOMETRY_CELL = 1451;      // WM_LAYER_GEOMETRY target: operating page cell
inline constexpr unsigned LAYER_GEOMETRY_OUTPUT = 1452;    // WM_LAYER_GEOMETRY target: output page

inline constexpr unsigned PROJECT_FILE_OPEN = 1463;
inline constexpr unsigned PROJECT_FILE_SAVE = 1464;
inline constexpr unsigned PROJECT_FILE_NEW = 1465;
