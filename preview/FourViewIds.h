#pragma once
// Control ids of the four-view window (MShowVideoDlg, dialog 1559). Language files key captions on
// these ids ("IDS_<id>"); the same number can name another control in another window.

namespace ctl {
namespace four_view {
inline constexpr int IDC_VIEW_CAPTION_1 = 1560; // "DVI-1:" (this window applies no language)
inline constexpr int IDC_VIEW_CAPTION_2 = 1561; // "DVI-2:" (this window applies no language)
inline constexpr int IDC_VIEW_CAPTION_3 = 1562; // "DVI-3:" (this window applies no language)
inline constexpr int IDC_VIEW_CAPTION_4 = 1563; // "DVI-4:" (this window applies no language)
} // namespace four_view
} // namespace ctl
