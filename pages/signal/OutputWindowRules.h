#pragma once
// Window geometry on the output page: the limits of the start and size edits, the quick layouts
// and the rotation codes with the image steps that show and undo them, and where the rotation
// preview is drawn. Plain functions.

#include <QRect>
#include <QSize>

#include <array>
#include <span>

namespace outputwindow {

// A window start kept so that the window ends inside the output: at most output - size, never
// below 0 (a size wider than the output puts the window at 0).
int ClampStart(int start, int size, int output);
// A window size kept inside the output from start: at most output - start, never below 1 (the
// processor takes no empty window).
int ClampSize(int size, int start, int output);

struct Geometry {
    int hPos = 0;
    int vPos = 0;
    int width = 1;
    int height = 1;
    bool operator==(const Geometry&) const = default;
};

enum class QuickLayout {
    Half,     // "1/2": the left or right half, full height
    Thirds,   // "[ | | ]": one of three columns, full height
    Quarter,  // "1/4": one of four quarters
};

// The geometry a quick layout gives a window that now starts at (hPos, vPos) on an output of
// width x height. Halves are rounded ((int)(x * 0.5 + 0.5)); a window past the middle goes to
// the far half, which ends at the output's edge (one pixel narrower on odd sizes). Thirds pick
// the column the window starts in, columns tiling the width. Sizes are at least 1.
Geometry QuickLayoutGeometry(QuickLayout layout, int width, int height, int hPos, int vPos);

// Rotation codes 0..7: "OFF", "-90°", "90°", "H Flip", "V Flip", "180°", "-90°+HFlip",
// "90°+HFlip". An image is turned by up to two steps.
inline constexpr int kRotationCodeCount = 8;
inline bool IsRotationCode(int code) { return code >= 0 && code < kRotationCodeCount; }

enum class ImageStep {
    Rotate90,   // a quarter turn clockwise
    Rotate270,  // a quarter turn anticlockwise
    Rotate180,
    FlipX,      // mirror left-right
    FlipY,      // mirror top-bottom
};

struct StepList {
    int count = 0;
    std::array<ImageStep, 2> steps{};
};

// The steps that turn the upright image to code, and those that turn it back; none for 0 or an
// unknown code.
StepList ShowSteps(int code);
StepList UndoSteps(int code);

// Where a preview picture of that size is drawn, centred on centre: at its natural size when it
// stays within bounds and clear of every obstacle (a rotation button), else at the largest
// smaller size of the same shape that does (a picture turned a quarter is taller than the gap
// between the button rows). Empty when nothing fits.
QRect PreviewPlacement(const QSize& picture, const QPoint& centre, const QRect& bounds,
                       std::span<const QRect> obstacles);

} // namespace outputwindow
