// The shared helpers of the signal pages: dialog rectangles, decimal edit values, window buttons
// by work mode, and the output page's window rules.

#include "pages/signal/OutputWindowRules.h"
#include "pages/signal/SignalPageHelpers.h"

#include <QImage>
#include <QTransform>

#include <gtest/gtest.h>

namespace sp = signalpage;
namespace ow = outputwindow;

namespace {

TEST(SignalPageHelpers, DialogRectConvertsCorners)
{
    const DialogBaseUnits base{6, 13};
    // x: 10 * 6 / 4 = 15, right (10 + 50) * 6 / 4 = 90; y: 8 * 13 / 8 = 13, bottom 22 * 13 / 8 = 35.75 -> 36.
    EXPECT_EQ(sp::DialogRect(10, 8, 50, 14, base), QRect(15, 13, 75, 23));
    // Two controls that touch in dialog units touch in pixels.
    const QRect a = sp::DialogRect(0, 0, 7, 7, base), b = sp::DialogRect(7, 7, 7, 7, base);
    EXPECT_EQ(a.right() + 1, b.left());
    EXPECT_EQ(a.bottom() + 1, b.top());
}

TEST(SignalPageHelpers, DecimalValuesAreRounded)
{
    struct Case {
        float value;
        int hundredths, tenths;
    };
    const Case cases[] = {{59.94f, 5994, 599}, {29.97f, 2997, 300}, {1.9f, 190, 19}, {2.2f, 220, 22},
                          {0.0f, 0, 0},       {120.0f, 12000, 1200}, {23.98f, 2398, 240}};
    for (const auto& c : cases) {
        EXPECT_EQ(sp::ToHundredths(c.value), c.hundredths) << c.value;
        EXPECT_EQ(sp::ToTenths(c.value), c.tenths) << c.value;
    }
    EXPECT_EQ(sp::ToHundredths(std::nan("")), 0);
    EXPECT_EQ(sp::ToTenths(1e30), std::numeric_limits<int>::max());
}

TEST(SignalPageHelpers, LayerButtonsByWorkMode)
{
    const uint8_t none[4] = {0, 0, 0, 0};
    const uint8_t pgm0[4] = {1, 0, 1, 0};
    const uint8_t pvw[4] = {0, 1, 0, 1};

    auto normal = sp::LayerButtonStatesFor(0, pgm0, pvw);
    EXPECT_EQ(*normal[0].caption, "MAIN");
    EXPECT_EQ(*normal[3].caption, "PIP-3");
    for (const auto& s : normal) EXPECT_TRUE(*s.enabled);
    // A mode the processor should not send reads as normal.
    EXPECT_EQ(*sp::LayerButtonStatesFor(7, none, none)[1].caption, "PIP-1");

    auto switcher = sp::LayerButtonStatesFor(1, pgm0, pvw);
    EXPECT_EQ(*switcher[0].caption, "PGM");
    EXPECT_FALSE(*switcher[0].enabled);
    EXPECT_TRUE(switcher[0].onProgram);
    EXPECT_EQ(*switcher[1].caption, "PVW");
    EXPECT_TRUE(*switcher[1].enabled);
    EXPECT_TRUE(switcher[1].onPreview);
    EXPECT_EQ(*switcher[2].caption, "PIP2");
    EXPECT_FALSE(switcher[2].enabled.has_value());
    EXPECT_EQ(*switcher[3].caption, "PIP3");
    // Neither program nor preview: the button is left alone.
    auto idle = sp::LayerButtonStatesFor(1, none, none);
    EXPECT_FALSE(idle[0].caption.has_value());
    EXPECT_FALSE(idle[0].enabled.has_value());

    auto dual = sp::LayerButtonStatesFor(2, pgm0, pvw);
    EXPECT_EQ(*dual[0].caption, "PGM1");
    EXPECT_EQ(*dual[1].caption, "PVW2");
    EXPECT_EQ(*dual[2].caption, "PGM1");
    EXPECT_EQ(*dual[3].caption, "PVW2");
    EXPECT_FALSE(*dual[2].enabled);
    EXPECT_TRUE(*dual[3].enabled);
    EXPECT_FALSE(sp::LayerButtonStatesFor(2, none, none)[2].caption.has_value());
}

TEST(OutputWindowRules, StartAndSizeLimits)
{
    struct Case {
        int value, other, output, start, size;
    };
    // value is the start (for ClampStart, other = size) or the size (for ClampSize, other = start).
    const Case cases[] = {
        {9999, 1920, 1920, 0, 1},     // a start past a full-width window goes to 0
        {500, 1000, 1920, 500, 1000},  // within the output
        {1500, 1000, 1920, 920, 420},
        {100, 3000, 1920, 0, 1820},   // wider than the output: start 0, never negative
        {0, 1920, 1920, 0, 1920},
        {2000, 2000, 1920, 0, 1},     // a start at or past the edge leaves a size of 1, never 0
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ow::ClampStart(c.value, c.other, c.output), c.start) << c.value << " " << c.other;
        EXPECT_EQ(ow::ClampSize(c.other, c.value, c.output), c.size) << c.value << " " << c.other;
    }
}

TEST(OutputWindowRules, QuickLayouts)
{
    using G = ow::Geometry;
    using L = ow::QuickLayout;
    struct Case {
        const char* what;
        L layout;
        int width, height, hPos, vPos;
        G expected;
    };
    const Case cases[] = {
        {"1/2 at exactly the half goes left", L::Half, 1920, 1080, 960, 50, {0, 0, 960, 1080}},
        {"1/2 one pixel past the half stays right", L::Half, 1920, 1080, 961, 50, {960, 0, 960, 1080}},
        {"1/2 on an odd width ends at the edge", L::Half, 1367, 768, 1000, 0, {684, 0, 683, 768}},
        {"1/4 bottom right", L::Quarter, 1920, 1080, 1500, 900, {960, 540, 960, 540}},
        {"1/4 odd sizes stay inside", L::Quarter, 1025, 767, 600, 500, {513, 384, 512, 383}},
        {"1/4 top left", L::Quarter, 1920, 1080, 0, 0, {0, 0, 960, 1080 / 2}},
        {"thirds: the first column", L::Thirds, 1920, 1080, 100, 300, {0, 0, 640, 1080}},
        {"thirds: the middle column", L::Thirds, 1920, 1080, 700, 300, {640, 0, 640, 1080}},
        {"thirds: the last column tiles to the edge", L::Thirds, 1366, 768, 1000, 0, {911, 0, 455, 768}},
        {"an empty output still gives sizes of 1", L::Half, 0, 0, 0, 0, {0, 0, 1, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const G g = ow::QuickLayoutGeometry(c.layout, c.width, c.height, c.hPos, c.vPos);
        EXPECT_EQ(g.hPos, c.expected.hPos);
        EXPECT_EQ(g.vPos, c.expected.vPos);
        EXPECT_EQ(g.width, c.expected.width);
        EXPECT_EQ(g.height, c.expected.height);
        if (c.width > 0) {
            EXPECT_LE(g.hPos + g.width, c.width);
        }
        if (c.height > 0) {
            EXPECT_LE(g.vPos + g.height, c.height);
        }
    }
}

QImage Apply(QImage image, ow::StepList steps)
{
    for (int i = 0; i < steps.count; ++i) {
        switch (steps.steps[static_cast<size_t>(i)]) {
        case ow::ImageStep::Rotate90: image = image.transformed(QTransform().rotate(90)); break;
        case ow::ImageStep::Rotate270: image = image.transformed(QTransform().rotate(270)); break;
        case ow::ImageStep::Rotate180: image = image.transformed(QTransform().rotate(180)); break;
        case ow::ImageStep::FlipX: image = image.mirrored(true, false); break;
        case ow::ImageStep::FlipY: image = image.mirrored(false, true); break;
        }
    }
    return image;
}

TEST(OutputWindowRules, EveryRotationIsUndone)
{
    // An image with no symmetry: each code turns it differently, and its undo brings it back.
    QImage image(3, 2, QImage::Format_RGB32);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) image.setPixel(x, y, qRgb(x * 80, y * 120, 7));
    std::vector<QImage> shown;
    for (int code = 0; code < ow::kRotationCodeCount; ++code) {
        const QImage turned = Apply(image, ow::ShowSteps(code));
        EXPECT_EQ(Apply(turned, ow::UndoSteps(code)), image) << code;
        for (const QImage& other : shown) EXPECT_NE(turned, other) << code;
        shown.push_back(turned);
    }
    EXPECT_EQ(ow::ShowSteps(8).count, 0);
    EXPECT_EQ(ow::UndoSteps(-1).count, 0);
}

TEST(OutputWindowRules, ThePreviewKeepsItsSizeWhenItFitsElseShrinksKeepingItsShape)
{
    // Two button rows above and below the centre (100 apart), a button left and right of it.
    const QRect group(0, 0, 320, 200);
    const QRect buttons[] = {{10, 20, 300, 30}, {10, 150, 300, 30}, {10, 85, 80, 30}, {230, 85, 80, 30}};
    const QPoint centre(160, 100);
    struct Case {
        const char* what;
        QSize picture;
        QRect at;
    } cases[] = {
        {"upright, natural size, centred", {120, 68}, {100, 66, 120, 68}},
        {"turned a quarter: as tall as the gap between the rows", {68, 120}, {132, 50, 56, 100}},
        {"too wide for the gap between the side buttons", {200, 20}, {90, 93, 140, 14}},
        {"empty picture", {0, 0}, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(ow::PreviewPlacement(c.picture, centre, group, buttons), c.at) << c.what;
    EXPECT_EQ(ow::PreviewPlacement({120, 68}, centre, QRect(), buttons), QRect()) << "no room at all";
}

} // namespace
