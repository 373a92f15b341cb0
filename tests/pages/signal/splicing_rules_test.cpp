// The splicing page's arithmetic: modes and cells from the device kept inside their tables, the
// preview's cells and markers, picking a cell by a click, and the manual edits' limits.

#include "pages/signal/FeatherRules.h"
#include "pages/signal/SplicingRules.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace splicing;

namespace {

TEST(SplicingRules, DeviceModesAndCellsOutsideTheirTablesShowAsOffAndNone)
{
    const struct {
        int32_t value;
        int mode, cell;
    } cases[] = {{0, 0, 0}, {1, 1, 1}, {5, 5, 5}, {6, 0, 6}, {7, 0, 7}, {8, 0, kNoCell},
                 {9, 0, kNoCell}, {-1, 0, kNoCell}, {-8, 0, kNoCell}, {INT32_MIN, 0, kNoCell}, {INT32_MAX, 0, kNoCell}};
    for (const auto& c : cases) {
        EXPECT_EQ(ShownMode(c.value), c.mode) << c.value;
        EXPECT_EQ(ShownCell(c.value), c.cell) << c.value;
    }
}

TEST(SplicingRules, EachModeHasItsCellsAndFirstCell)
{
    const struct {
        int mode, first, count, firstCell;
    } cases[] = {{0, 0, 0, kNoCell}, {1, 0, 0, kNoCell}, {2, 0, 2, 0}, {3, 0, 2, 0},
                 {4, 2, 3, 2},       {5, 5, 3, 5},       {6, 0, 0, kNoCell}, {-1, 0, 0, kNoCell}};
    for (const auto& c : cases) {
        EXPECT_EQ(CellsOfMode(c.mode).first, c.first) << c.mode;
        EXPECT_EQ(CellsOfMode(c.mode).count, c.count) << c.mode;
        EXPECT_EQ(FirstCellOfMode(c.mode), c.firstCell) << c.mode;
    }
    const unsigned images[] = {1503, 1504, 1511, 1512, 186, 124, 123, 122};
    for (int cell = 0; cell < kCellCount; ++cell) EXPECT_EQ(CellImage(cell), images[cell]) << cell;
    EXPECT_EQ(CellImage(kNoCell), 0u);
    EXPECT_EQ(CellImage(-1), 0u);
}

TEST(SplicingRules, CellsSitInThreeSlotsWithTheirMarkersLeftOfThem)
{
    const PreviewLayout layout = ComputePreviewLayout(QRect(6, 144, 308, 112), QSize(16, 16));
    const int slotOfCell[] = {0, 1, 0, 1, 2, 0, 1, 2};
    for (int c = 0; c < kCellCount; ++c) {
        const int slot = slotOfCell[c];
        EXPECT_EQ(layout[c].cell, QRect(6 + 30 + 94 * slot, 174, 64, 64)) << c;
        // Ends 2 pixels left of the cell, centred on its height.
        EXPECT_EQ(layout[c].marker, QRect(6 + 30 + 94 * slot - 2 - 16, 174 + 24, 16, 16)) << c;
    }
}

TEST(SplicingRules, AClickPicksTheModesCellByPictureOrMarker)
{
    const PreviewLayout layout = ComputePreviewLayout(QRect(0, 0, 308, 112), QSize(16, 16));
    const struct {
        int mode;
        QPoint point;
        int cell;
    } cases[] = {
        {2, {30, 30}, 0},        {2, {93, 93}, 0},       {2, {94, 30}, kNoCell}, {2, {124, 60}, 1},
        {3, {12, 54}, 0},        {3, {27, 69}, 0},       {3, {28, 54}, kNoCell}, {3, {106, 54}, 1},
        {4, {30, 30}, 2},        {4, {130, 40}, 3},      {4, {250, 90}, 4},      {4, {200, 54}, 4},
        {5, {40, 40}, 5},        {5, {150, 40}, 6},      {5, {260, 40}, 7},      {5, {29, 29}, kNoCell},
        // A third-slot point is no cell of a two-cell mode; one-panel and off have no cells.
        {2, {250, 60}, kNoCell}, {1, {40, 40}, kNoCell}, {0, {40, 40}, kNoCell}, {9, {40, 40}, kNoCell},
    };
    for (const auto& c : cases) EXPECT_EQ(HitTestCell(c.mode, layout, c.point), c.cell) << c.mode << " " << c.point.x() << "," << c.point.y();
}

TEST(SplicingRules, ManualEditsLimitOneAnother)
{
    using F = ManualField;
    const ManualWindow full{0, 0, 1920, 1080, 1920, 1080};
    const struct {
        const char* what;
        ManualWindow edits;
        F changed;
        int storedH, storedV;
        ManualWindow expected;
    } cases[] = {
        {"H start past the end", {500, 0, 1920, 1080, 1920, 1080}, F::HStart, 1920, 1080, full},
        {"H start that fits", {100, 0, 1800, 1080, 1920, 1080}, F::HStart, 1920, 1080, {100, 0, 1800, 1080, 1920, 1080}},
        {"V start past the end", {0, 300, 1920, 1000, 1920, 1080}, F::VStart, 1920, 1080, {0, 80, 1920, 1000, 1920, 1080}},
        {"width past the end", {200, 0, 1900, 1080, 1920, 1080}, F::Width, 1920, 1080, {200, 0, 1720, 1080, 1920, 1080}},
        {"height past the end", {0, 80, 1920, 1080, 1920, 1080}, F::Height, 1920, 1080, {0, 80, 1920, 1000, 1920, 1080}},
        // A smaller total cuts the size first, then the start.
        {"H total below the width", {500, 0, 1920, 1080, 1000, 1080}, F::HTotal, 1920, 1080, {0, 0, 1000, 1080, 1000, 1080}},
        {"H total keeps a start that fits", {500, 0, 400, 1080, 1000, 1080}, F::HTotal, 1920, 1080, {500, 0, 400, 1080, 1000, 1080}},
        {"H total pulls the start back", {700, 0, 400, 1080, 1000, 1080}, F::HTotal, 1920, 1080, {600, 0, 400, 1080, 1000, 1080}},
        {"V total below the height", {0, 200, 1920, 1080, 1920, 720}, F::VTotal, 1920, 1080, {0, 0, 1920, 720, 1920, 720}},
        {"V total larger", {0, 200, 1920, 880, 1920, 2160}, F::VTotal, 1920, 1080, {0, 200, 1920, 880, 1920, 2160}},
        // Limits use the stored totals, not the total edits.
        {"stored total rules a start", {300, 0, 1000, 1080, 9999, 1080}, F::HStart, 1200, 1080, {200, 0, 1000, 1080, 9999, 1080}},
        // A size above the stored total leaves no room: the start goes to 0, never below.
        {"no room", {50, 0, 3000, 1080, 1920, 1080}, F::HStart, 1920, 1080, {0, 0, 3000, 1080, 1920, 1080}},
        // Stored totals are the processor's, any 32-bit value.
        {"least stored total", {50, 0, 1920, 1080, 1920, 1080}, F::HStart, INT32_MIN, INT32_MIN, {0, 0, 1920, 1080, 1920, 1080}},
        {"largest stored total", {50, 0, 1920, 1080, 1920, 1080}, F::Width, INT32_MAX, INT32_MAX, {50, 0, 1920, 1080, 1920, 1080}},
        {"least stored total, height", {0, 9, 1920, 1080, 1920, 1080}, F::Height, INT32_MIN, INT32_MIN, {0, 9, 1920, 0, 1920, 1080}},
    };
    for (const auto& c : cases) EXPECT_EQ(LimitManualEdit(c.edits, c.changed, c.storedH, c.storedV), c.expected) << c.what;
}

// The feather rule: a row per condition, every other condition satisfied.
TEST(FeatherRules, SwitchingOnNeedsAFeatherableWindowAndNothingElseOnItsEdges)
{
    using feather::FeatherConditions;
    const auto ok = [] {
        FeatherConditions c;
        c.mosaicMode = 2;
        c.windowShown[2] = true;
        return c;
    };
    const struct {
        const char* what;
        void (*change)(FeatherConditions&);
        bool accepted;
    } cases[] = {
        {"mode 2, PIP-2 shown", [](FeatherConditions&) {}, true},
        {"mode 2, only PIP-3 shown", [](FeatherConditions& c) { c.windowShown[2] = false; c.windowShown[3] = true; }, true},
        {"mode 2, only PIP-1 shown", [](FeatherConditions& c) { c.windowShown[2] = false; c.windowShown[1] = true; }, false},
        {"mode 2, only MAIN shown", [](FeatherConditions& c) { c.windowShown[2] = false; c.windowShown[0] = true; }, false},
        {"mode 3, PIP-1 shown", [](FeatherConditions& c) { c.mosaicMode = 3; c.windowShown[2] = false; c.windowShown[1] = true; }, true},
        {"mode 3, PIP-3 shown", [](FeatherConditions& c) { c.mosaicMode = 3; c.windowShown[2] = false; c.windowShown[3] = true; }, true},
        {"mode 3, only PIP-2 shown", [](FeatherConditions& c) { c.mosaicMode = 3; }, false},
        {"splicing off", [](FeatherConditions& c) { c.mosaicMode = 0; }, false},
        {"mode 1", [](FeatherConditions& c) { c.mosaicMode = 1; }, false},
        {"mode 4", [](FeatherConditions& c) { c.mosaicMode = 4; }, false},
        {"mode 5", [](FeatherConditions& c) { c.mosaicMode = 5; }, false},
        {"keyer 0 on", [](FeatherConditions& c) { c.keyerOn[0] = true; }, false},
        {"keyer 1 on", [](FeatherConditions& c) { c.keyerOn[1] = true; }, false},
        {"caption on output 0", [](FeatherConditions& c) { c.captionShown[0] = true; }, false},
        {"caption on output 3", [](FeatherConditions& c) { c.captionShown[3] = true; }, false},
        {"logo on PIP-3, plain", [](FeatherConditions& c) { c.logoUsage = 1; }, true},
        {"logo on PIP-3 with border", [](FeatherConditions& c) { c.logoUsage = 1; c.logoBorder = 1; }, false},
        {"logo on PIP-3 with position", [](FeatherConditions& c) { c.logoUsage = 1; c.logoPos = 1; }, false},
        {"logo unused, flags left set", [](FeatherConditions& c) { c.logoBorder = 1; c.logoPos = 1; }, true},
    };
    for (const auto& c : cases) {
        FeatherConditions conditions = ok();
        c.change(conditions);
        EXPECT_EQ(feather::FeatherMayTurnOn(conditions), c.accepted) << c.what;
    }
}

TEST(FeatherRules, ConditionsComeFromTheBlockAndByte12OfEveryCaption)
{
    DeviceParamBlock block{};
    uint8_t captions[4][32] = {};
    block.mosaic.mode = 3;
    block.chnl[1].onOff = 1;
    EXPECT_TRUE(feather::FeatherMayTurnOn(feather::FeatherConditionsOf(block, captions)));
    for (int o = 0; o < 4; ++o) {
        for (int byte = 0; byte < 32; ++byte) {
            if (byte == feather::kCaptionShownByte) continue;
            captions[o][byte] = 0xFF;  // other caption bytes do not matter
        }
        EXPECT_TRUE(feather::FeatherMayTurnOn(feather::FeatherConditionsOf(block, captions))) << o;
        captions[o][feather::kCaptionShownByte] = 1;
        EXPECT_FALSE(feather::FeatherMayTurnOn(feather::FeatherConditionsOf(block, captions))) << o;
        captions[o][feather::kCaptionShownByte] = 0;
    }
    block.keyer[1].onOff = 1;
    EXPECT_FALSE(feather::FeatherMayTurnOn(feather::FeatherConditionsOf(block, captions)));

    EXPECT_EQ(feather::FeatherFirstWindow(2, 1), 2);
    EXPECT_EQ(feather::FeatherFirstWindow(3, 2), 1);
    for (int32_t mode : {0, 1, 4, 5, -3, 99}) {
        EXPECT_EQ(feather::FeatherFirstWindow(mode, 2), 2) << mode;
        EXPECT_EQ(feather::FeatherFirstWindow(mode, 1), 1) << mode;
    }
}

} // namespace
