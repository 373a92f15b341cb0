// The operating page's rules as tables: quadrants by work mode, the layers' source rectangles at
// two preview sizes, the splicing plans, the output arrangements, the two-area scales, the zoom
// and the preview formats.
#include "preview/OperatingRules.h"

#include <gtest/gtest.h>

using cellgeo::CellRect;
using namespace oprules;

namespace {

struct QuadrantCase {
    int w;
    QuadrantInput in;
    std::optional<int> expected;
};

TEST(OperatingRules, QuadrantByWorkMode)
{
    const QuadrantCase cases[] = {
        // normal: layer w in quadrant w, with the two exceptions
        {0, {kWorkNormal, 0, 0, false, false}, 0},
        {1, {kWorkNormal, 0, 0, false, false}, 1},
        {2, {kWorkNormal, 0, 0, false, false}, 2},
        {3, {kWorkNormal, 0, 0, true, true}, 3},
        {0, {kWorkNormal, 3, 0, false, false}, 0},
        {1, {kWorkNormal, 3, 0, false, false}, 1},
        {2, {kWorkNormal, 3, 0, false, false}, 2},
        {3, {kWorkNormal, 3, 0, false, false}, 1},
        {1, {kWorkNormal, 0, 3, false, false}, 2},
        {2, {kWorkNormal, 0, 3, false, false}, 1},
        {3, {kWorkNormal, 0, 3, false, false}, 3},
        // autoArr 3 wins over mosaic.mode 3
        {1, {kWorkNormal, 3, 3, false, false}, 1},
        {3, {kWorkNormal, 3, 3, false, false}, 1},
        // switcher: program in quadrant 1, everything else in 0
        {0, {kWorkSwitcher, 3, 3, true, false}, 1},
        {2, {kWorkSwitcher, 0, 0, false, true}, 0},
        {3, {kWorkSwitcher, 0, 0, false, false}, 0},
        // dual: program 2/3, preview 0/1 by the layer's pair, neither: no change
        {0, {kWorkDual, 0, 0, true, true}, 2},
        {2, {kWorkDual, 0, 0, true, false}, 2},
        {1, {kWorkDual, 0, 0, true, false}, 3},
        {3, {kWorkDual, 0, 0, true, false}, 3},
        {0, {kWorkDual, 0, 0, false, true}, 0},
        {1, {kWorkDual, 0, 0, false, true}, 1},
        {3, {kWorkDual, 0, 0, false, true}, 1},
        {2, {kWorkDual, 0, 0, false, false}, std::nullopt},
    };
    for (const QuadrantCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "w " << c.w << " mode " << c.in.workMode << " autoArr " << c.in.autoArr
                                        << " mosaic " << c.in.mosaicMode << " pgm " << c.in.pgm << " pvw " << c.in.pvw);
        EXPECT_EQ(SelectQuadrant(c.w, c.in), c.expected);
    }
}

TEST(OperatingRules, QuadrantRectangles)
{
    EXPECT_EQ(QuadrantRect(0, 352, 240), (CellRect{0, 0, 176, 120}));
    EXPECT_EQ(QuadrantRect(1, 352, 240), (CellRect{176, 0, 352, 120}));
    EXPECT_EQ(QuadrantRect(2, 352, 240), (CellRect{0, 120, 176, 240}));
    EXPECT_EQ(QuadrantRect(3, 1920, 1080), (CellRect{960, 540, 1920, 1080}));
    EXPECT_EQ(QuadrantRect(3, 481, 271), (CellRect{240, 135, 480, 270}));
}

struct SourceCase {
    Window win;
    int q;
    int pw, ph;
    bool logo;
    CellRect expected;
};

TEST(OperatingRules, SourceRectanglesAtBothPreviewSizes)
{
    const SourceCase cases[] = {
        // 352 x 240: quadrants of 176 x 120 for a 1920 x 1080 output
        {{960, 540, 960, 540}, 3, 352, 240, false, {264, 180, 352, 240}},
        {{100, 50, 500, 300}, 0, 352, 240, false, {9, 6, 55, 39}},
        {{100, 50, 500, 300}, 0, 352, 240, true, {9, 5, 55, 38}},  // logo: top and height truncated
        {{0, 0, 1920, 1080}, 1, 352, 240, false, {176, 0, 352, 120}},
        {{0, 0, 1920, 1080}, 2, 352, 240, false, {0, 120, 176, 240}},
        // 1920 x 1080: quadrants of 960 x 540, half the output
        {{100, 50, 500, 300}, 1, 1920, 1080, false, {1010, 25, 1260, 175}},
        {{101, 51, 501, 301}, 2, 1920, 1080, false, {51, 566, 302, 717}},
        {{101, 51, 501, 301}, 2, 1920, 1080, true, {51, 565, 302, 715}},
        {{0, 0, 1920, 1080}, 3, 1920, 1080, false, {960, 540, 1920, 1080}},
        // a window reaching past the output stays in its quadrant
        {{1800, 0, 400, 100}, 0, 1920, 1080, false, {900, 0, 960, 50}},
        {{-200, -100, 400, 200}, 3, 1920, 1080, false, {960, 540, 1061, 591}},
        // the largest and smallest 32-bit windows: nothing of the quadrant, and no overflow
        {{INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX}, 0, 352, 240, false, {176, 120, 176, 120}},
        {{INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN}, 3, 352, 240, false, {176, 120, 176, 120}},
        {{INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX}, 1, 1920, 1080, true, {1920, 540, 1920, 540}},
    };
    for (const SourceCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "window " << c.win.hPos << "," << c.win.vPos << " " << c.win.hAct << "x"
                                        << c.win.vAct << " q " << c.q << " preview " << c.pw << "x" << c.ph
                                        << (c.logo ? " logo" : ""));
        const auto r = LayerSourceRect(c.win, c.q, c.pw, c.ph, 1920, 1080, c.logo);
        ASSERT_TRUE(r.has_value());
        EXPECT_EQ(*r, c.expected) << cellgeo::ToString(*r);
    }
}

TEST(OperatingRules, WindowsAreShownCutToWhatTheCanvasTakes)
{
    constexpr int kMax = kMaxShownWindowSpan;
    const struct {
        Window win;
        CellRect expected;
    } cases[] = {
        {{200, 100, 1000, 600}, {325, 298, 1325, 898}},
        {{INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX}, {125 + kMax, 198 + kMax, 125 + 2 * kMax, 198 + 2 * kMax}},
        {{INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN}, {125 - kMax, 198 - kMax, 125 - kMax, 198 - kMax}},
        // A window overhanging its output's top-left stays where the processor has it.
        {{-5, 7, 1 << 30, -1}, {120, 205, 120 + kMax, 205}},
    };
    for (const auto& c : cases) EXPECT_EQ(WindowOutputRect(125, 198, c.win), c.expected) << cellgeo::ToString(c.expected);
    // From the far corner of the output range, the sums still fit.
    EXPECT_EQ(WindowOutputRect(INT32_MAX, INT32_MIN, {kMax, 0, kMax, 10}), (CellRect{INT32_MAX, INT32_MIN, INT32_MAX, INT32_MIN + 10}));
    EXPECT_EQ(WindowOutputRect(INT32_MIN, 0, {INT32_MIN, 0, 10, 10}), (CellRect{INT32_MIN, 0, INT32_MIN, 10}));
}

TEST(OperatingRules, SourceRectangleRefusesBadSizes)
{
    const Window win{0, 0, 100, 100};
    EXPECT_FALSE(LayerSourceRect(win, 0, 352, 240, 0, 1080).has_value());
    EXPECT_FALSE(LayerSourceRect(win, 0, 352, 240, 1920, -1).has_value());
    EXPECT_FALSE(LayerSourceRect(win, 4, 352, 240, 1920, 1080).has_value());
    EXPECT_FALSE(LayerSourceRect(win, -1, 352, 240, 1920, 1080).has_value());
    EXPECT_FALSE(LayerSourceRect(win, 0, 0, 0, 1920, 1080).has_value());
}

struct LabelCase {
    int w, mode;
    bool pgm, pvw;
    int logoUsage;
    LayerLabel expected;
};

TEST(OperatingRules, LabelsByWorkMode)
{
    const LabelCase cases[] = {
        {0, kWorkNormal, true, true, 0, {true, "Main : ", true}},
        {1, kWorkNormal, false, false, 0, {true, "PIP-1 : ", true}},
        {3, kWorkNormal, false, false, 0, {true, "PIP-3 : ", true}},
        {3, kWorkNormal, false, false, 1, {false, "", false}},
        {0, kWorkSwitcher, true, true, 0, {true, "PGM : ", true}},
        {1, kWorkSwitcher, false, true, 0, {true, "PVW : ", true}},
        {0, kWorkSwitcher, false, false, 0, {true, "", false}},
        {2, kWorkSwitcher, true, false, 0, {true, "PIP-2 : ", true}},
        {3, kWorkSwitcher, false, false, 1, {false, "", false}},
        {0, kWorkDual, true, false, 0, {true, "PGM1 : ", true}},
        {3, kWorkDual, true, false, 1, {true, "PGM2 : ", true}},
        {2, kWorkDual, false, true, 0, {true, "PVW1 : ", true}},
        {1, kWorkDual, false, true, 0, {true, "PVW2 : ", true}},
        {1, kWorkDual, false, false, 0, {true, "", false}},
    };
    for (const LabelCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "w " << c.w << " mode " << c.mode << " pgm " << c.pgm << " pvw " << c.pvw);
        const LayerLabel l = LabelForLayer(c.w, c.mode, c.pgm, c.pvw, c.logoUsage);
        EXPECT_EQ(l.change, c.expected.change);
        EXPECT_EQ(l.prefix, c.expected.prefix);
        EXPECT_EQ(l.withInput, c.expected.withInput);
    }
}

struct PlanCase {
    int mosaicMode, workMode, mosaicCell;
    std::array<bool, 4> hidden;
    std::array<int, 4> layers;
};

TEST(OperatingRules, SplicePlansForModesZeroToFive)
{
    const PlanCase cases[] = {
        {0, kWorkNormal, 5, {false, true, true, true}, {1, 1, 1, 1}},
        {0, kWorkSwitcher, 5, {false, true, true, true}, {0, 0, 0, 0}},
        {1, kWorkDual, 5, {false, true, true, true}, {1, 1, 1, 1}},
        {2, kWorkNormal, 5, {false, false, true, true}, {1, 2, 1, 2}},
        {3, kWorkNormal, 5, {false, false, true, true}, {1, 1, 2, 2}},
        {4, kWorkNormal, 2, {false, false, false, true}, {1, 2, 3, 2}},
        {4, kWorkNormal, 4, {false, false, false, true}, {1, 2, 3, 2}},
        {4, kWorkNormal, 5, {false, false, false, true}, {0, 0, 0, 0}},
        {4, kWorkNormal, 8, {false, false, false, true}, {0, 0, 0, 0}},
        {5, kWorkNormal, 8, {false, false, false, false}, {1, 2, 3, 4}},
        {6, kWorkNormal, 8, {false, false, false, false}, {0, 0, 0, 0}},
        {-1, kWorkNormal, 8, {false, false, false, false}, {0, 0, 0, 0}},
    };
    for (const PlanCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "mosaic " << c.mosaicMode << " work " << c.workMode << " cell " << c.mosaicCell);
        const SplicePlan p = PlanForMosaicMode(c.mosaicMode, c.workMode, c.mosaicCell);
        EXPECT_EQ(p.outputHidden, c.hidden);
        EXPECT_EQ(p.layerOutput, c.layers);
    }
}

TEST(OperatingRules, OutputArrangements)
{
    const CellRect r1{125, 198, 2045, 1278};
    const std::array<CellRect, 4> start{r1, r1, r1, r1};
    const CellRect right1{2045, 198, 3325, 1278}, below1{125, 1278, 2045, 2078};
    struct Case {
        int code;
        std::array<CellRect, 4> expected;
    } cases[] = {
        {0, {r1, right1, r1, r1}},
        {1, {r1, below1, r1, r1}},
        {2, {r1, right1, {3325, 198, 4605, 1278}, r1}},
        {3, {r1, right1, {3325, 198, 4605, 1278}, r1}},
        {4, {r1, below1, {125, 2078, 2045, 2878}, r1}},
        {5, {r1, right1, below1, {2045, 1278, 3325, 2078}}},
        {6, {r1, right1, {3325, 198, 4605, 1278}, {4605, 198, 5885, 1278}}},
        {7, {r1, below1, {125, 2078, 2045, 2878}, {125, 2878, 2045, 3678}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        const auto got = ArrangeOutputs(c.code, start, 1280, 800);
        ASSERT_TRUE(got.has_value());
        for (size_t i = 0; i < 4; ++i) EXPECT_EQ((*got)[i], c.expected[i]) << i << ": " << cellgeo::ToString((*got)[i]);
    }
    EXPECT_FALSE(ArrangeOutputs(8, start, 1280, 800).has_value());
    EXPECT_FALSE(ArrangeOutputs(-1, start, 1280, 800).has_value());
}

TEST(OperatingRules, OutputRescale)
{
    // Measured from the canvas origin: the first output stays on it, the second still adjoins.
    EXPECT_EQ(RescaleOutputRect({125, 198, 2045, 1278}, 125, 198, 1920, 1080, 1280, 720), (CellRect{125, 198, 1405, 918}));
    EXPECT_EQ(RescaleOutputRect({2045, 198, 3965, 1278}, 125, 198, 1920, 1080, 1280, 720), (CellRect{1405, 198, 2685, 918}));
    // An empty old size cannot scale: the rectangle only takes the new size.
    EXPECT_EQ(RescaleOutputRect({10, 20, 10, 20}, 125, 198, 0, 0, 640, 480), (CellRect{10, 20, 650, 500}));
}

TEST(OperatingRules, TwoAreaScalesAndSmallWindows)
{
    const auto sw = TwoAreaScale(kWorkSwitcher, 1280, 728, 1920, 1080);
    ASSERT_TRUE(sw.has_value());
    EXPECT_DOUBLE_EQ(sw->x, 1920.0 / 387);
    EXPECT_DOUBLE_EQ(sw->y, 1080.0 / 265);
    const auto dual = TwoAreaScale(kWorkDual, 1280, 728, 1920, 1080);
    ASSERT_TRUE(dual.has_value());
    EXPECT_DOUBLE_EQ(dual->x, 1920.0 / 462);
    EXPECT_DOUBLE_EQ(dual->y, 1080.0 / 265);
    // Too small or minimised: no scale, the layout stays.
    EXPECT_FALSE(TwoAreaScale(kWorkSwitcher, 312, 728, 1920, 1080).has_value());
    EXPECT_FALSE(TwoAreaScale(kWorkSwitcher, 1280, 199, 1920, 1080).has_value());
    EXPECT_FALSE(TwoAreaScale(kWorkDual, 125, 728, 1920, 1080).has_value());
    EXPECT_FALSE(TwoAreaScale(kWorkDual, 0, 0, 1920, 1080).has_value());
    EXPECT_FALSE(TwoAreaScale(kWorkNormal, 1280, 728, 1920, 1080).has_value());
    EXPECT_FALSE(TwoAreaScale(kWorkSwitcher, 1280, 728, 0, 1080).has_value());
}

TEST(OperatingRules, TwoAreaPlacement)
{
    const TwoAreaScales s{2.0, 3.0};
    const TwoAreaPlaces sw = TwoAreaPlacement(kWorkSwitcher, 1000, 700, s, 1920, 1080);
    EXPECT_EQ(sw.preview1, (CellRect{40, 120, 1960, 1200}));
    EXPECT_EQ(sw.program1, (CellRect{40, 1170, 1960, 2250}));
    const TwoAreaPlaces dual = TwoAreaPlacement(kWorkDual, 1000, 700, s, 1920, 1080);
    EXPECT_EQ(dual.preview1, (CellRect{-920, 120, 1000, 1200}));
    EXPECT_EQ(dual.preview2, (CellRect{1000, 120, 2920, 1200}));
    EXPECT_EQ(dual.program1, (CellRect{-920, 1170, 1000, 2250}));
    EXPECT_EQ(dual.program2, (CellRect{1000, 1170, 2920, 2250}));
}

TEST(OperatingRules, WheelZoom)
{
    EXPECT_DOUBLE_EQ(ZoomAfterWheel(1.0, 120), 0.5);
    EXPECT_DOUBLE_EQ(ZoomAfterWheel(0.5, 120), 1.0);
    EXPECT_DOUBLE_EQ(ZoomAfterWheel(6.0, 0), 5.5);
    EXPECT_DOUBLE_EQ(ZoomAfterWheel(6.0, -120), 6.5);
}

TEST(OperatingRules, PreviewFormats)
{
    const std::pair<int, PreviewSize> known[] = {{1, {352, 240}},  {7, {640, 480}},  {16, {1280, 720}}, {17, {1920, 1080}},
                                                 {19, {960, 540}}, {20, {640, 360}}, {21, {480, 270}}};
    for (const auto& [code, size] : known) {
        const auto got = PreviewSizeForFormat(code);
        ASSERT_TRUE(got.has_value()) << code;
        EXPECT_EQ(got->width, size.width) << code;
        EXPECT_EQ(got->height, size.height) << code;
    }
    for (int code : {0, 2, 18, 22, -1, 255}) EXPECT_FALSE(PreviewSizeForFormat(code).has_value()) << code;
}

} // namespace
