// The crop page's arithmetic: limits from the other edit of an axis, and the preview rectangle.

#include "pages/signal/CropPageRules.h"

#include <gtest/gtest.h>

namespace cr = croprules;

namespace {

TEST(CropPageRules, AValuePastItsLimitIsPulledBackToTheTotalMinusTheOtherEdit)
{
    struct Case {
        const char* what;
        int value, total, other, kept;
    } cases[] = {
        {"start past total - width", 1200, 1920, 1000, 920},
        {"start at the limit", 920, 1920, 1000, 920},
        {"start below the limit", 100, 1920, 1000, 100},
        {"width past total - start", 1900, 1920, 100, 1820},
        {"height past total - start", 1080, 1080, 40, 1040},
        {"other edit past the total: negative limit (the edit's range applies next)", 10, 1000, 1200, -200},
        {"no source size: nothing limits", 5000, 0, 1000, 5000},
    };
    for (const auto& c : cases) EXPECT_EQ(cr::LimitByOtherEdit(c.value, c.total, c.other), c.kept) << c.what;
}

TEST(CropPageRules, ThePreviewRectangleScalesTheCropIntoTheDrawing)
{
    const cr::Edges p{74, 246, 204, 346};  // 130 x 100
    struct Case {
        const char* what;
        int hTotal, vTotal, hStart, vStart, width, height;
        cr::Edges crop;
    } cases[] = {
        // 1300 / 130 = 10 and 1000 / 100 = 10 per pixel.
        {"even scale", 1300, 1000, 100, 200, 650, 500, {84, 266, 149, 316}},
        {"the whole picture", 1920, 1080, 0, 0, 1920, 1080, {74, 246, 204, 346}},
        // 1920 / 130 = 14.769...: 1000 / 14.769 = 67.7 -> 68 (half up), 45 / 14.769 = 3.05 -> 3.
        {"rounded half up", 1920, 1080, 45, 54, 1000, 32, {77, 251, 145, 254}},
        // Exact halves in single precision: 480 / 14.769231f = 32.5, 27 / 10.8f = 2.5, 96 -> 6.5,
        // 81 -> 7.5; each rounds up.
        {"exact halves round up", 1920, 1080, 480, 27, 96, 81, {107, 249, 114, 257}},
        {"exact halves, 4K source", 3840, 2160, 960, 54, 192, 162, {107, 249, 114, 257}},
        {"a full-output window of a 4K source", 3840, 2160, 0, 0, 3840, 2160, {74, 246, 204, 346}},
        {"zero totals count as scale 1", 0, 0, 10, 20, 32, 40, {84, 266, 116, 306}},
        {"one zero total", 1300, 0, 100, 20, 650, 40, {84, 266, 149, 306}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cr::CropPreviewEdges(p, c.hTotal, c.vTotal, c.hStart, c.vStart, c.width, c.height), c.crop)
            << c.what;
}

TEST(CropPageRules, ReversedEdgesAreSwappedAndAnEmptyPreviewDoesNotDivideByZero)
{
    // A reversed preview (right left of left) makes a negative scale and reversed edges.
    const cr::Edges reversed{204, 346, 74, 246};
    const cr::Edges c = cr::CropPreviewEdges(reversed, 1300, 1000, 100, 200, 650, 500);
    EXPECT_LE(c.left, c.right);
    EXPECT_LE(c.top, c.bottom);
    EXPECT_EQ(c, (cr::Edges{129, 276, 194, 326}));

    const cr::Edges empty{10, 10, 10, 10};
    EXPECT_EQ(cr::CropPreviewEdges(empty, 1920, 1080, 5, 6, 32, 32), (cr::Edges{15, 16, 47, 48}));
}

TEST(CropPageRules, PreviewSitsBelowTheSwitchAndNoticesCarryInputAndLayer)
{
    EXPECT_EQ(cr::PreviewEdgesBelow(116, 206), (cr::Edges{86, 256, 216, 356}));
    EXPECT_EQ(cr::ToQRect({86, 256, 216, 356}), QRect(86, 256, 130, 100));
    EXPECT_EQ(cr::CropNotifyValue(3, 2), 0x302);
    EXPECT_EQ(cr::CropNotifyValue(11, 3), 0xB03);
}

} // namespace
