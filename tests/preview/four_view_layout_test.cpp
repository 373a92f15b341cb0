// The four-view window's grid, its views' quadrants and its hit test, as tables.
#include "preview/FourViewLayout.h"

#include <gtest/gtest.h>

using cellgeo::CellRect;
using namespace fourview;

namespace {

TEST(FourViewLayout, A340By300WindowGivesViews160Wide)
{
    const CellRect expected[] = {{10, 46, 170, 163}, {170, 46, 330, 163}, {10, 183, 170, 300}, {170, 183, 330, 300}};
    for (int i = 0; i < 4; ++i) {
        const CellRect r = ViewRect(i, 340, 300);
        EXPECT_EQ(r, expected[i]) << i << ": " << cellgeo::ToString(r);
        EXPECT_EQ(r.Width(), 160);
    }
    EXPECT_EQ(ViewCaptionRect(1, 340, 300), (CellRect{170, 26, 250, 46}));
    EXPECT_EQ(ViewCaptionRect(2, 340, 300), (CellRect{10, 163, 90, 183}));
}

TEST(FourViewLayout, OddSizesHalveTowardsZero)
{
    EXPECT_EQ(ViewRect(1, 321, 251), (CellRect{160, 46, 310, 138}));
    EXPECT_EQ(ViewRect(3, 321, 251), (CellRect{160, 158, 310, 250}));
}

TEST(FourViewLayout, ViewsShowTheirQuadrants)
{
    EXPECT_EQ(ViewSourceRect(0, 352, 240), (CellRect{0, 0, 176, 120}));
    EXPECT_EQ(ViewSourceRect(1, 352, 240), (CellRect{176, 0, 352, 120}));
    EXPECT_EQ(ViewSourceRect(2, 352, 240), (CellRect{0, 120, 176, 240}));
    EXPECT_EQ(ViewSourceRect(3, 1920, 1080), (CellRect{960, 540, 1920, 1080}));
}

TEST(FourViewLayout, HitTestTable)
{
    const CellRect w{100, 100, 500, 400};
    struct Case {
        int x, y, hit, command;
    } cases[] = {
        {100, 100, kHitTopLeft, 0xF004},     {120, 120, kHitTopLeft, 0xF004},
        {121, 120, kHitCaption, 0xF014},     {480, 110, kHitTopRight, 0xF005},
        {500, 120, kHitTopRight, 0xF005},    {110, 390, kHitBottomLeft, 0xF007},
        {120, 380, kHitBottomLeft, 0xF007},  {490, 390, kHitBottomRight, 0xF008},
        {102, 200, kHitLeft, 0xF001},        {103, 200, kHitLeft, 0xF001},
        {104, 200, kHitClient, 0},           {497, 200, kHitRight, 0xF002},
        {496, 200, kHitClient, 0},           {300, 103, kHitTop, 0xF003},
        {300, 104, kHitCaption, 0xF014},     {300, 125, kHitCaption, 0xF014},
        {300, 126, kHitClient, 0},           {300, 397, kHitBottom, 0xF006},
        {300, 396, kHitClient, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "(" << c.x << ", " << c.y << ")");
        const int hit = HitTest(c.x, c.y, w);
        EXPECT_EQ(hit, c.hit);
        EXPECT_EQ(SysCommandForHit(hit), c.command);
    }
}

} // namespace
