#pragma once
// The crop page's arithmetic without a window: how far an edit may go given the other edit of
// its axis, and where the crop rectangle sits inside the small drawing of the input picture.

#include "platform/RectEdges.h"

#include <QRect>

namespace croprules {

// Edit ranges: starts 0..9999, sizes 32..9999.
inline constexpr int kStartMin = 0;
inline constexpr int kSizeMin = 32;
inline constexpr int kCropMax = 9999;

// A start may reach total - size, a size total - start. The result is the value to keep: value
// itself when it is within the limit, else the limit. A total of 0 means the source size is not
// known (no signal): nothing then limits the value, so typing without a source loses nothing.
int LimitByOtherEdit(int value, int total, int otherEdit);

using Edges = RectEdges;
using ::ToQRect;

// The crop inside the preview P: source pixels scaled by total / P's size (a scale of exactly 0
// counts as 1), in single precision, each coordinate rounded half up, reversed edges swapped.
Edges CropPreviewEdges(const Edges& preview, int hTotal, int vTotal, int hStart, int vStart, int width,
                       int height);

// The preview rectangle of a page: 30 pixels left of the ON/OFF button's corner to 100 pixels
// right of it, 50 to 150 pixels below it.
Edges PreviewEdgesBelow(int buttonLeft, int buttonTop);

// The notification value for a (layer, input index) pair: input in the high byte.
long CropNotifyValue(int inputIndex, int window);

} // namespace croprules
