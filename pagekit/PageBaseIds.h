#pragma once
// Control ids that every page has (the page base). Language files key captions on
// these ids ("IDS_<id>"); the same number can name another control in another window.

namespace ctl {
namespace page_base {
inline constexpr int IDC_CLOSE = 1002;
inline constexpr int IDC_MAXIMIZE = 61438;
} // namespace page_base
} // namespace ctl
