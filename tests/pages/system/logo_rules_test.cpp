// The logo page's rules: window corrections, slot usability, PIP-3's signal, the preview.

#include "device/CDeviceData.h"
#include "pages/system/LogoRules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>

namespace {

DeviceParamBlock Zeroed()
{
    DeviceParamBlock b;
    std::memset(&b, 0, sizeof b);
    return b;
}

struct CorrectionCase {
    const char* name;
    logo::Window in;
    logo::Edit edit;
    bool logoUsage;
    int boundW, boundH;
    logo::Window out;
};

TEST(LogoRules, EditedWindowsArePulledInside)
{
    using E = logo::Edit;
    const CorrectionCase cases[] = {
        {"normal H start shrinks the width", {100, 0, 600, 400}, E::HStart, false, 640, 480, {100, 0, 540, 400}},
        {"normal H start near the edge", {636, 0, 600, 400}, E::HStart, false, 640, 480, {632, 0, 8, 400}},
        {"normal H start inside", {20, 0, 600, 400}, E::HStart, false, 640, 480, {20, 0, 600, 400}},
        {"normal V start near the edge", {0, 479, 600, 400}, E::VStart, false, 640, 480, {0, 472, 600, 8}},
        {"normal width at most the rest", {100, 0, 900, 400}, E::Width, false, 640, 480, {100, 0, 540, 400}},
        {"normal height at most the rest", {0, 100, 600, 900}, E::Height, false, 640, 480, {0, 100, 600, 380}},
        {"small PIP-3 never goes negative", {3, 0, 8, 8}, E::HStart, false, 5, 5, {0, 0, 8, 8}},
        {"PIP-3 not read yet", {10, 10, 8, 8}, E::VStart, false, 0, 0, {10, 0, 8, 8}},
        {"width on a PIP-3 of 0", {0, 0, 600, 8}, E::Width, false, 0, 0, {0, 0, 8, 8}},
        {"logo H start held inside the output", {1800, 0, 200, 100}, E::HStart, true, 1920, 1080, {1720, 0, 200, 100}},
        {"logo V start held inside the output", {0, 1070, 200, 100}, E::VStart, true, 1920, 1080, {0, 980, 200, 100}},
        {"logo wider than the output", {50, 0, 2000, 100}, E::HStart, true, 1920, 1080, {0, 0, 2000, 100}},
    };
    for (const CorrectionCase& c : cases)
        EXPECT_EQ(logo::CorrectWindow(c.in, c.edit, c.logoUsage, c.boundW, c.boundH), c.out) << c.name;
}

TEST(LogoRules, SlotUsability)
{
    LogoSettings l;
    std::memset(&l, 0, sizeof l);
    struct Case {
        const char* name;
        uint8_t valid;
        uint16_t w, h;
        bool usable;
    } cases[] = {{"stored and fits", 1, 640, 480, true},         {"empty", 0, 640, 480, false},
                 {"zero width", 1, 0, 480, false},               {"zero height", 1, 640, 0, false},
                 {"wider than the output", 1, 1921, 480, false}, {"junk size", 1, 3840, 100, false},
                 {"exactly the output", 1, 1920, 1080, true}};
    for (const Case& c : cases) {
        l.valid[2] = c.valid;
        l.win.hAct[2] = c.w;
        l.win.vAct[2] = c.h;
        EXPECT_EQ(logo::IsSlotUsable(l, 2, 1920, 1080), c.usable) << c.name;
    }
    l.valid[0] = 1;
    l.win.hAct[0] = 100;
    l.win.vAct[0] = 100;
    EXPECT_FALSE(logo::IsSlotUsable(l, 4, 1920, 1080));
    EXPECT_FALSE(logo::IsSlotUsable(l, -1, 1920, 1080));
    EXPECT_FALSE(logo::IsSlotUsable(l, 0, 0, 0));
}

TEST(LogoRules, SignalOfPip3InputAndStartsInside)
{
    const int codes[] = {0, 3, 7, 8, 9, 10, 11, 12, 255, -1};
    const int signalSlots[] = {0, 3, 7, 4, 4, 6, 6, -1, -1, -1};
    for (size_t i = 0; i < std::size(codes); ++i) EXPECT_EQ(SlotOfInputCode(codes[i]), signalSlots[i]) << codes[i];
    DeviceParamBlock b = Zeroed();
    b.chnl[3].input = 10;
    EXPECT_FALSE(logo::Pip3HasSignal(b));
    b.inputState[6] = 1;
    EXPECT_TRUE(logo::Pip3HasSignal(b));
    b.chnl[3].input = 200;  // from a hostile block: no signal, nothing read past the table
    EXPECT_FALSE(logo::Pip3HasSignal(b));

    EXPECT_EQ(logo::StartInside(100, 200, 1920), 100);
    EXPECT_EQ(logo::StartInside(1800, 200, 1920), 0);
    EXPECT_EQ(logo::ToField(-5), 0);
    EXPECT_EQ(logo::ToField(70000), 0xFFFF);
}

TEST(LogoRules, PreviewRectangleAndSlotColours)
{
    // The window group of the page at 96 DPI: (5, 109) to (314, 252), edges exclusive.
    const logo::Edges preview = logo::PreviewEdges(QRect(5, 109, 309, 143));
    EXPECT_EQ(preview, (logo::Edges{159, 134, 284, 237}));
    const struct {
        const char* row;
        logo::Window w;
        logo::Edges drawn;
    } cases[] = {
        {"full output", {0, 0, 1920, 1080}, preview},
        {"inside", {100, 50, 640, 480}, {166, 139, 208, 185}},
        {"last pixels", {1912, 1072, 8, 8}, {283, 236, 284, 237}},
    };
    for (const auto& c : cases) {
        const logo::Edges e = logo::PreviewLogoEdges(preview, c.w, 1920.0 / preview.Width(), 1080.0 / preview.Height());
        EXPECT_EQ(e, c.drawn) << c.row;
    }
    EXPECT_EQ(logo::ToQRect(preview), QRect(159, 134, 125, 103));
    // A scale of 0 (PIP-3 not read yet) counts as 1.
    EXPECT_EQ(logo::PreviewLogoEdges({100, 50, 180, 110}, {1, 2, 3, 4}, 0, 0), (logo::Edges{101, 52, 104, 56}));
    EXPECT_EQ(logo::SlotColor(true, true), 0x00FF00u);
    EXPECT_EQ(logo::SlotColor(true, false), 0x9CEFu);
    EXPECT_EQ(logo::SlotColor(false, true), 0xEBEBEBu);
}

}  // namespace
