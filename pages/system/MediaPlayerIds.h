#pragma once
// Control ids of the media-player page (MMediaPlayerDlg, dialog 1563). Language files key captions on
// these ids ("IDS_<id>"); the same number can name another control in another window.

namespace ctl {
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
} // namespace ctl
