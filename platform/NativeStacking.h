#pragma once
// The stacking order of native child windows, as SetWindowPos with an insert-after window gives
// it on Windows. Qt's stackUnder only reorders its own list: the native windows stay where they
// were, so a window raised once would stay above the others for good.

#include <vector>

class QWidget;

// Stacks the native windows of these widgets in this order, lowest first, as one run where the
// highest of them stood among their siblings; the windows of other widgets keep their places.
// Widgets without a native window, or with another native parent than the first one's, are left
// out. Where the platform is not X11, they are raised in this order.
void StackNativeWindows(const std::vector<QWidget*>& lowestFirst);
