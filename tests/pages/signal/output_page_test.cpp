// The output page on its fixture: resolution rows and the customised timing, the commands and
// queries in order, the timing rules through the edits, window geometry, full screen, quick
// layouts, rotation, the window buttons by work mode and the refresh operations.

#include "tests/support/PageFixture.h"

#include "controls/CGdipButton.h"
#include "controls/oRealEdit.h"
#include "pages/signal/MOutputDlg.h"
#include "pages/signal/OutputIds.h"
#include "platform/PageNotifyCodes.h"

namespace co = ctl::output;

namespace {

class OutputPage : public PageFixture<MOutputDlg> {
protected:
    void SetUp() override
    {
        PageFixture::SetUp();
        CDeviceData& dev = GetDeviceData();
        savedCustomRow_ = dev.outputResolutions[MOutputDlg::kCustomRow];
        savedFlag_ = dev.outputFlag;
        dev.outputFlag = 0;
        dev.outputResolutions[MOutputDlg::kCustomRow] = {1920, 1080, 6000, 0, "Customized  Resolution"};
        dev.pvwMode = 0;
        dev.logo.usage = 0;
        OutputResolution& o = dev.outputReso;
        o = {};
        o.resoIndex = 10;
        o.hReso = 1920;
        o.vReso = 1080;
        o.fps = 6000;
        o.hTotal = 2200;
        o.vTotal = 1125;
        o.hSync = 44;
        o.vSync = 5;
        o.hbp = 148;
        o.vbp = 36;
        o.hPol = 1;
        o.vPol = 0;
        for (int w = 0; w < 4; ++w) dev.chnl[w] = {1, 255, 0, 0, 0, 0, 1920, 1080, 0};
        page->UpdateTimingFromDevice();
        page->SelectWindow(0);
        Settle();
        link.ClearCalls();
        host->messages.clear();
    }

    void TearDown() override
    {
        PageFixture::TearDown();
        GetDeviceData().outputResolutions[MOutputDlg::kCustomRow] = savedCustomRow_;
        GetDeviceData().outputFlag = savedFlag_;
    }

    oRealEdit* E(int id) { return page->Edit(id); }
    // The edit that loses the focus commits first, as it does before an operator types elsewhere.
    void Type(int id, const QString& text)
    {
        E(id)->setFocus(Qt::OtherFocusReason);
        Settle();
        TypeAndEnter(E(id), text);
    }
    float Value(int id) { return E(id)->GetValue(); }

    // Command ids in the order sent, with the window byte of the window commands and queries.
    std::vector<std::pair<int, int>> SentOrder() const
    {
        std::vector<std::pair<int, int>> out;
        for (const auto& c : link.Commands()) {
            const bool windowed = c.id == CMD_QUERY_LAYER_WINDOW || c.id == CMD_SET_LAYER_WINDOW || c.id == CMD_QUERY_CAPTION;
            out.emplace_back(c.id, windowed && !c.bytes.empty() ? c.bytes[0] : -1);
        }
        return out;
    }
    void TurnMoreOn()
    {
        ClickButton(page->Button(co::IDC_MORE));
        ASSERT_TRUE(page->DetailedTimingOn());
    }

private:
    OutputResolutionName savedCustomRow_;
    uint8_t savedFlag_ = 0;
};

using Order = std::vector<std::pair<int, int>>;

TEST_F(OutputPage, StandardRowStoresItsFieldsAndSendsTheQueriesInOrder)
{
    struct Case {
        uint8_t pvwMode, logoUsage;
        Order expected;
    };
    const Case cases[] = {
        {0, 0, {{2, -1}, {54, 0}, {54, 1}, {54, 2}, {54, 3}, {70, 0}}},
        {1, 0, {{2, -1}, {54, 0}, {54, 1}, {54, 2}, {54, 3}, {60, -1}, {70, 0}}},
        {2, 1, {{2, -1}, {54, 0}, {54, 1}, {54, 2}, {54, 3}, {60, -1}, {58, -1}, {70, 0}}},
        {0, 1, {{2, -1}, {54, 0}, {54, 1}, {54, 2}, {54, 3}, {58, -1}, {70, 0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << int(c.pvwMode) << " logo " << int(c.logoUsage));
        GetDeviceData().pvwMode = c.pvwMode;
        GetDeviceData().logo.usage = c.logoUsage;
        link.ClearCalls();
        host->messages.clear();
        ChooseDropRow(page->ResolutionList(), 3);  // 1280 x 720 at 59.94 Hz
        EXPECT_EQ(SentOrder(), c.expected);
        EXPECT_EQ(host->Of(WM_OUTPUT_TIMING_CHANGED).size(), 1u);
    }
    const OutputResolution& o = GetDeviceData().outputReso;
    EXPECT_EQ(o.resoIndex, 3);
    EXPECT_EQ(o.hReso, 1280);
    EXPECT_EQ(o.vReso, 720);
    EXPECT_EQ(o.fps, 5994);
    // Row index, the row's size and rate, then the block's totals, syncs, porches and polarities.
    EXPECT_TRUE(SameBytes(Sent(CMD_SET_OUTPUT_TIMING).back().bytes,
                          Block32({3, 0x00, 0x05, 0xD0, 0x02, 0x6A, 0x17, 0x98, 0x08, 44, 0, 148, 0, 0x65, 0x04,
                                   5, 0, 36, 0, 1, 0, 0})));
    EXPECT_FALSE(page->Edit(co::IDC_H_ACTIVE_EDIT)->isEnabled());
    EXPECT_FALSE(page->Button(co::IDC_APPLY)->isEnabled());
    EXPECT_TRUE(page->Button(co::IDC_APPLY)->HasDisabledLook());
}

TEST_F(OutputPage, CustomisedRowLoadsTheEditsOnly)
{
    GetDeviceData().outputResolutions[MOutputDlg::kCustomRow] = {1366, 768, 6000, 0, "Customized  Resolution"};
    ChooseDropRow(page->ResolutionList(), MOutputDlg::kCustomRow);
    EXPECT_TRUE(link.Commands().empty());
    EXPECT_TRUE(host->Of(WM_OUTPUT_TIMING_CHANGED).empty());
    EXPECT_EQ(Value(co::IDC_H_ACTIVE_EDIT), 1366);
    EXPECT_EQ(Value(co::IDC_V_ACTIVE_EDIT), 768);
    for (int id : {co::IDC_H_ACTIVE_EDIT, co::IDC_V_ACTIVE_EDIT, co::IDC_FPS_EDIT})
        EXPECT_TRUE(E(id)->isEnabled()) << id;
    EXPECT_TRUE(page->Button(co::IDC_APPLY)->isEnabled());
    EXPECT_TRUE(page->Button(co::IDC_MORE)->isEnabled());
    // The device state waits for "Apply".
    const OutputResolution& o = GetDeviceData().outputReso;
    EXPECT_EQ(o.resoIndex, 10);
    EXPECT_EQ(o.hReso, 1920);
    EXPECT_EQ(o.vReso, 1080);
}

TEST_F(OutputPage, ApplySendsTheCustomTimingWithByte21FromMore)
{
    for (bool more : {false, true}) {
        SCOPED_TRACE(more ? "More on" : "More off");
        GetDeviceData().pvwMode = 1;
        GetDeviceData().logo.usage = 1;
        ChooseDropRow(page->ResolutionList(), MOutputDlg::kCustomRow);
        Type(co::IDC_H_ACTIVE_EDIT, "1366");
        Type(co::IDC_V_ACTIVE_EDIT, "768");
        Type(co::IDC_FPS_EDIT, "59.94");
        if (more) TurnMoreOn();
        link.ClearCalls();
        host->messages.clear();
        ClickButton(page->Button(co::IDC_APPLY));
        // No logo or caption query after "Apply"; the work-mode query comes last.
        EXPECT_EQ(SentOrder(), (Order{{2, -1}, {54, 0}, {54, 1}, {54, 2}, {54, 3}, {60, -1}}));
        EXPECT_EQ(host->Of(WM_OUTPUT_TIMING_CHANGED).size(), 1u);
        ASSERT_FALSE(Sent(CMD_SET_OUTPUT_TIMING).empty());
        // 59.94 is 5994 (0x176A), not 5993.
        EXPECT_TRUE(SameBytes(Sent(CMD_SET_OUTPUT_TIMING)[0].bytes,
                              Block32({18, 0x56, 0x05, 0x00, 0x03, 0x6A, 0x17, 0x98, 0x08, 44, 0, 148, 0, 0x65, 0x04,
                                       5, 0, 36, 0, 1, 0, more ? 1 : 0})));
        const CDeviceData& dev = GetDeviceData();
        EXPECT_EQ(dev.outputReso.resoIndex, MOutputDlg::kCustomRow);
        EXPECT_EQ(dev.outputReso.fps, 5994);
        EXPECT_EQ(dev.outputResolutions[MOutputDlg::kCustomRow].hAct, 1366);
        EXPECT_EQ(dev.outputResolutions[MOutputDlg::kCustomRow].fps, 5994);
    }
}

TEST_F(OutputPage, HidingDiscardsUnappliedValuesAndCommitsWhileHiddenAreIgnored)
{
    ChooseDropRow(page->ResolutionList(), MOutputDlg::kCustomRow);
    Type(co::IDC_H_ACTIVE_EDIT, "1000");
    TurnMoreOn();
    host->messages.clear();
    page->ShowPage(false);
    Settle();
    EXPECT_TRUE(link.Commands().empty());
    EXPECT_EQ(host->Of(WM_OUTPUT_TIMING_CHANGED).size(), 1u);
    page->ShowPage(true);
    EXPECT_EQ(page->ResolutionList()->GetCurSel(), 10);
    EXPECT_EQ(Value(co::IDC_H_ACTIVE_EDIT), 1920);
    EXPECT_FALSE(page->DetailedTimingOn());
    EXPECT_FALSE(E(co::IDC_H_TOTAL_EDIT)->isVisibleTo(page.get()));
    // So does a language switch.
    ChooseDropRow(page->ResolutionList(), MOutputDlg::kCustomRow);
    Type(co::IDC_H_ACTIVE_EDIT, "1000");
    page->ApplyLanguage();
    EXPECT_EQ(Value(co::IDC_H_ACTIVE_EDIT), 1920);

    page->ShowPage(false);
    Settle();
    link.ClearCalls();
    E(co::IDC_H_START_EDIT)->SetValue(100);
    SendMsg(page.get(), WM_VALUE_CHANGED, co::IDC_H_START_EDIT, 0);
    EXPECT_TRUE(link.Commands().empty());
    EXPECT_EQ(GetDeviceData().chnl[0].hPos, 0);
}

TEST_F(OutputPage, TimingRulesThroughTheEdits)
{
    ChooseDropRow(page->ResolutionList(), MOutputDlg::kCustomRow);
    TurnMoreOn();
    // H sync 128 with H active 1920, H bp 512 and H total 2200: H total 2592, H sync stored now.
    Type(co::IDC_HBP_EDIT, "512");
    Type(co::IDC_H_TOTAL_EDIT, "2200");
    EXPECT_EQ(Value(co::IDC_H_TOTAL_EDIT), 2508);  // 1920 + 44 + 512 + 32
    Type(co::IDC_H_SYNC_EDIT, "128");
    EXPECT_EQ(Value(co::IDC_H_TOTAL_EDIT), 2592);
    EXPECT_EQ(GetDeviceData().outputReso.hSync, 128);
    EXPECT_EQ(GetDeviceData().outputReso.hTotal, 2200);  // totals wait for "Apply"
    // V total 1100 with V active 1080, V sync 5, V bp 36 becomes 1125; exactly 1125 stays.
    Type(co::IDC_V_TOTAL_EDIT, "1100");
    EXPECT_EQ(Value(co::IDC_V_TOTAL_EDIT), 1125);
    Type(co::IDC_V_TOTAL_EDIT, "1125");
    EXPECT_EQ(Value(co::IDC_V_TOTAL_EDIT), 1125);
    EXPECT_TRUE(link.Commands().empty());
}

TEST_F(OutputPage, ActiveSizeRulesWithoutTheDetailedTiming)
{
    ChooseDropRow(page->ResolutionList(), MOutputDlg::kCustomRow);
    Type(co::IDC_V_ACTIVE_EDIT, "1080");
    Type(co::IDC_FPS_EDIT, "60");
    Type(co::IDC_H_ACTIVE_EDIT, "4080");
    EXPECT_EQ(Value(co::IDC_H_ACTIVE_EDIT), 2346);
    Type(co::IDC_H_ACTIVE_EDIT, "1920");
    Type(co::IDC_FPS_EDIT, "120");
    EXPECT_FLOAT_EQ(Value(co::IDC_FPS_EDIT), 72.49f);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(OutputPage, ATimingBeyondTheClockIsRefused)
{
    ChooseDropRow(page->ResolutionList(), MOutputDlg::kCustomRow);
    Type(co::IDC_H_ACTIVE_EDIT, "1024");
    Type(co::IDC_FPS_EDIT, "120");
    TurnMoreOn();
    Type(co::IDC_V_TOTAL_EDIT, "4094");
    EXPECT_EQ(Value(co::IDC_V_TOTAL_EDIT), 4094);
    // No H active in range fits 4094 lines at 120 Hz: refused, the edit keeps its last value.
    Type(co::IDC_H_ACTIVE_EDIT, "1200");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(Value(co::IDC_H_ACTIVE_EDIT), 1024);
    // Nor is the timing sent.
    link.ClearCalls();
    ClickButton(page->Button(co::IDC_APPLY));
    EXPECT_TRUE(link.Commands().empty());
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_EQ(GetDeviceData().outputReso.resoIndex, 10);
}

TEST_F(OutputPage, DetailedActiveSizeRaisesATotalTooSmallToHoldIt)
{
    ChooseDropRow(page->ResolutionList(), MOutputDlg::kCustomRow);
    TurnMoreOn();
    // 2000 + 44 + 148 + 32 = 2224 against an H total of 2200; 2224 x 1125 x 60 is within the clock.
    Type(co::IDC_H_ACTIVE_EDIT, "2000");
    EXPECT_EQ(Value(co::IDC_H_ACTIVE_EDIT), 2000);
    EXPECT_EQ(Value(co::IDC_H_TOTAL_EDIT), 2224);
    // 164,500,000 / (2224 x 60) = 1232 lines at most: 1232 - 36 - 5 - 4 = 1187.
    Type(co::IDC_V_ACTIVE_EDIT, "1200");
    EXPECT_EQ(Value(co::IDC_V_ACTIVE_EDIT), 1187);
    EXPECT_EQ(Value(co::IDC_V_TOTAL_EDIT), 1232);
    EXPECT_TRUE(boxes.empty());
    ClickButton(page->Button(co::IDC_APPLY));
    ASSERT_EQ(Sent(CMD_SET_OUTPUT_TIMING).size(), 1u);
    EXPECT_EQ(GetDeviceData().outputReso.hTotal, 2224);
}

TEST_F(OutputPage, BlankingBeyondTheLargestTotalIsRefused)
{
    ChooseDropRow(page->ResolutionList(), MOutputDlg::kCustomRow);
    Type(co::IDC_FPS_EDIT, "24");
    TurnMoreOn();
    // The needed H total stays within 4094: 4094 - 148 - 44 - 32 = 3870.
    Type(co::IDC_H_ACTIVE_EDIT, "4000");
    EXPECT_EQ(Value(co::IDC_H_ACTIVE_EDIT), 3870);
    EXPECT_EQ(Value(co::IDC_H_TOTAL_EDIT), 4094);
    // A wider sync would need 4178: refused, and the block keeps the sync width it had.
    Type(co::IDC_H_SYNC_EDIT, "128");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(Value(co::IDC_H_SYNC_EDIT), 44);
    EXPECT_EQ(GetDeviceData().outputReso.hSync, 44);
    EXPECT_EQ(Value(co::IDC_H_TOTAL_EDIT), 4094);
}

TEST_F(OutputPage, GeometryEditsKeepTheWindowInsideTheOutput)
{
    // A start of 9999 on a 1920-wide output with width 1920 is pulled back to 0.
    Type(co::IDC_H_START_EDIT, "9999");
    EXPECT_EQ(Value(co::IDC_H_START_EDIT), 0);
    Type(co::IDC_WIDTH_EDIT, "1000");
    Type(co::IDC_H_START_EDIT, "1500");
    EXPECT_EQ(Value(co::IDC_H_START_EDIT), 920);
    Type(co::IDC_V_START_EDIT, "100");
    EXPECT_EQ(Value(co::IDC_V_START_EDIT), 0);  // a full-height window cannot move down
    Type(co::IDC_HEIGHT_EDIT, "900");
    Type(co::IDC_V_START_EDIT, "100");
    Type(co::IDC_HEIGHT_EDIT, "2000");
    EXPECT_EQ(Value(co::IDC_HEIGHT_EDIT), 980);
    const LayerWindow& L = GetDeviceData().chnl[0];
    EXPECT_EQ(L.hPos, 920);
    EXPECT_EQ(L.vPos, 100);
    EXPECT_EQ(L.hAct, 1000);
    EXPECT_EQ(L.vAct, 980);
    // Every commit sends the window and tells the main window.
    const auto sent = Sent(CMD_SET_LAYER_WINDOW);
    ASSERT_GE(sent.size(), 5u);
    EXPECT_TRUE(SameBytes(sent.back().bytes, Block32({0, 0x98, 0x03, 100, 0, 0xE8, 0x03, 0xD4, 0x03, 0, 0})));
    const auto posts = host->Of(WM_LAYER_GEOMETRY);
    ASSERT_EQ(posts.size(), sent.size());
    for (const auto& m : posts) {
        EXPECT_EQ(m.wParam, LAYER_GEOMETRY_CELL);
        EXPECT_EQ(m.lParam, 0);
    }
}

TEST_F(OutputPage, GeometryLimitsFollowTheEditsNotTheBlock)
{
    ChooseDropRow(page->ResolutionList(), MOutputDlg::kCustomRow);
    Type(co::IDC_H_ACTIVE_EDIT, "1280");
    Type(co::IDC_WIDTH_EDIT, "1920");
    EXPECT_EQ(Value(co::IDC_WIDTH_EDIT), 1280);
}

TEST_F(OutputPage, FullScreenSendsByte9Once)
{
    page->SelectWindow(2);
    GetDeviceData().chnl[2] = {1, 255, 0, 0, 100, 50, 640, 480, 3};
    ClickButton(page->Button(co::IDC_FULL_SCREEN));
    ClickButton(page->Button(co::IDC_LAYOUT_HALF));
    const auto sent = Sent(CMD_SET_LAYER_WINDOW);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_TRUE(SameBytes(sent[0].bytes, Block32({2, 0, 0, 0, 0, 0x80, 0x07, 0x38, 0x04, 1, 3})));
    EXPECT_EQ(sent[1].bytes[9], 0);
    EXPECT_EQ(Value(co::IDC_WIDTH_EDIT), 960);
    EXPECT_EQ(host->Of(WM_LAYER_GEOMETRY).size(), 2u);
    EXPECT_EQ(host->Of(WM_LAYER_GEOMETRY)[0].lParam, 2);
}

TEST_F(OutputPage, QuickLayouts)
{
    struct Case {
        int id, hPos, vPos;
        int x, y, w, h;
    };
    const Case cases[] = {
        {co::IDC_LAYOUT_HALF, 960, 0, 0, 0, 960, 1080},
        {co::IDC_LAYOUT_HALF, 961, 0, 960, 0, 960, 1080},
        {co::IDC_LAYOUT_QUARTER, 1000, 600, 960, 540, 960, 540},
        {co::IDC_LAYOUT_THIRDS, 1300, 10, 1280, 0, 640, 1080},
    };
    for (const auto& c : cases) {
        LayerWindow& L = GetDeviceData().chnl[0];
        L.hPos = c.hPos;
        L.vPos = c.vPos;
        link.ClearCalls();
        ClickButton(page->Button(c.id));
        EXPECT_EQ(L.hPos, c.x) << c.id;
        EXPECT_EQ(L.vPos, c.y) << c.id;
        EXPECT_EQ(L.hAct, c.w) << c.id;
        EXPECT_EQ(L.vAct, c.h) << c.id;
        EXPECT_EQ(Value(co::IDC_H_START_EDIT), c.x);
        EXPECT_EQ(Sent(CMD_SET_LAYER_WINDOW).size(), 1u);
    }
}

TEST_F(OutputPage, EveryRotationCodeAndItsUndo)
{
    const QImage upright = page->PreviewImage();
    ASSERT_FALSE(upright.isNull());
    for (int code = 1; code < 8; ++code) {
        link.ClearCalls();
        ClickButton(page->RotationButton(code));
        const auto sent = Sent(CMD_SET_LAYER_WINDOW);
        ASSERT_EQ(sent.size(), 1u) << code;
        EXPECT_EQ(sent[0].bytes[10], code);
        EXPECT_EQ(GetDeviceData().chnl[0].rotation, code);
        EXPECT_EQ(page->PreviewRotation(), code);
        for (int other = 0; other < 8; ++other)
            EXPECT_EQ(page->RotationButton(other)->IsPressed(), other == code) << code << " " << other;
        // Quarter turns swap the preview's sides.
        const bool quarter = code == 1 || code == 2 || code == 6 || code == 7;
        EXPECT_EQ(page->PreviewImage().width(), quarter ? upright.height() : upright.width());
        // The code the window has already: nothing is sent.
        link.ClearCalls();
        ClickButton(page->RotationButton(code));
        EXPECT_TRUE(link.Commands().empty());
        EXPECT_TRUE(page->RotationButton(code)->IsPressed());
        // "OFF" turns the picture back upright.
        ClickButton(page->RotationButton(0));
        EXPECT_EQ(page->PreviewImage(), upright) << code;
        EXPECT_EQ(Sent(CMD_SET_LAYER_WINDOW).back().bytes[10], 0);
    }
}

TEST_F(OutputPage, WindowsCarryTheirOwnGeometryAndRotation)
{
    CDeviceData& dev = GetDeviceData();
    dev.chnl[1] = {1, 255, 0, 0, 10, 20, 300, 200, 5};
    ClickButton(page->Button(co::IDC_WINDOW_1));
    EXPECT_EQ(page->CurrentWindow(), 1);
    EXPECT_EQ(Value(co::IDC_H_START_EDIT), 10);
    EXPECT_EQ(Value(co::IDC_HEIGHT_EDIT), 200);
    EXPECT_TRUE(page->RotationButton(5)->IsPressed());
    EXPECT_TRUE(page->Button(co::IDC_WINDOW_1)->IsPressed());
    EXPECT_FALSE(page->Button(co::IDC_WINDOW_0)->IsPressed());
    EXPECT_EQ(page->Button(co::IDC_WINDOW_1)->CaptionColor(), 0x9CEFu);
    EXPECT_TRUE(link.Commands().empty());
    // An unknown rotation from the device presses no button.
    dev.chnl[1].rotation = 9;
    page->UpdateWindowGeometry();
    for (int code = 0; code < 8; ++code) EXPECT_FALSE(page->RotationButton(code)->IsPressed());
    // The main window selects a window.
    page->SelectWindow(3);
    EXPECT_EQ(page->CurrentWindow(), 3);
    EXPECT_TRUE(page->Button(co::IDC_WINDOW_3)->IsPressed());
    EXPECT_TRUE(link.Commands().empty());
}

TEST_F(OutputPage, WindowButtonsByWorkMode)
{
    CDeviceData& dev = GetDeviceData();
    page->SelectWindow(2);
    dev.pvwMode = 1;
    dev.pgmState[0] = 0;
    dev.pvwState[0] = 1;
    dev.pgmState[1] = 1;
    page->UpdateLayerButtonTexts();
    EXPECT_EQ(page->CurrentWindow(), 0);
    EXPECT_EQ(page->Button(co::IDC_WINDOW_0)->text(), "PVW");
    EXPECT_EQ(page->Button(co::IDC_WINDOW_1)->text(), "PGM");
    EXPECT_FALSE(page->Button(co::IDC_WINDOW_1)->isEnabled());
    EXPECT_TRUE(page->Button(co::IDC_WINDOW_1)->HasDisabledLook());
    EXPECT_EQ(page->Button(co::IDC_WINDOW_2)->text(), "PIP2");

    dev.pgmState[0] = 1;
    page->UpdateLayerButtonTexts();
    EXPECT_EQ(page->Button(co::IDC_WINDOW_0)->text(), "PGM");
    EXPECT_FALSE(page->Button(co::IDC_WINDOW_0)->isEnabled());

    dev.pvwMode = 0;
    page->UpdateLayerButtonTexts();
    EXPECT_EQ(page->Button(co::IDC_WINDOW_0)->text(), "MAIN");
    EXPECT_EQ(page->Button(co::IDC_WINDOW_3)->text(), "PIP-3");
    EXPECT_TRUE(page->Button(co::IDC_WINDOW_0)->isEnabled());
    EXPECT_TRUE(link.Commands().empty());
}

TEST_F(OutputPage, UpdateTimingFromDevice)
{
    CDeviceData& dev = GetDeviceData();
    struct Case {
        int32_t index;
        int shownRow;
    };
    // The customised row takes the device's values; an unknown row shows as the customised row.
    for (const Case c : {Case{18, 18}, Case{40, 18}, Case{-1, 18}}) {
        SCOPED_TRACE(c.index);
        dev.outputReso.resoIndex = c.index;
        dev.outputReso.hReso = 1366;
        dev.outputReso.vReso = 768;
        dev.outputReso.fps = 5994;
        dev.outputReso.hTotal = 1500;
        dev.outputReso.vPol = 1;
        host->messages.clear();
        page->UpdateTimingFromDevice();
        Settle();
        EXPECT_EQ(page->ResolutionList()->GetCurSel(), c.shownRow);
        EXPECT_EQ(dev.outputResolutions[18].hAct, 1366);
        EXPECT_EQ(Value(co::IDC_H_ACTIVE_EDIT), 1366);
        EXPECT_FLOAT_EQ(Value(co::IDC_FPS_EDIT), 59.94f);
        EXPECT_EQ(Value(co::IDC_H_TOTAL_EDIT), 1500);
        EXPECT_EQ(page->VPolarityList()->GetCurSel(), 1);
        EXPECT_TRUE(E(co::IDC_H_ACTIVE_EDIT)->isEnabled());
        EXPECT_GE(host->Of(WM_OUTPUT_TIMING_CHANGED).size(), 1u);
    }
    // A standard row writes its own size and rate into the block.
    dev.outputReso.resoIndex = 4;
    page->UpdateTimingFromDevice();
    EXPECT_EQ(dev.outputReso.hReso, 1280);
    EXPECT_EQ(dev.outputReso.vReso, 720);
    EXPECT_EQ(page->ResolutionList()->GetCurSel(), 4);
    EXPECT_FALSE(E(co::IDC_H_ACTIVE_EDIT)->isEnabled());
    EXPECT_TRUE(link.Commands().empty());
}

TEST_F(OutputPage, PolaritiesAreStoredAtOnceAndSentWithApply)
{
    ChooseDropRow(page->ResolutionList(), MOutputDlg::kCustomRow);
    TurnMoreOn();
    ChooseDropRow(page->HPolarityList(), 0);
    ChooseDropRow(page->VPolarityList(), 1);
    EXPECT_EQ(GetDeviceData().outputReso.hPol, 0);
    EXPECT_EQ(GetDeviceData().outputReso.vPol, 1);
    EXPECT_TRUE(link.Commands().empty());
    ClickButton(page->Button(co::IDC_APPLY));
    ASSERT_EQ(Sent(CMD_SET_OUTPUT_TIMING).size(), 1u);
    EXPECT_EQ(Sent(CMD_SET_OUTPUT_TIMING)[0].bytes[19], 0);
    EXPECT_EQ(Sent(CMD_SET_OUTPUT_TIMING)[0].bytes[20], 1);
}

TEST_F(OutputPage, MoreShowsAndHidesTheDetailedTiming)
{
    ChooseDropRow(page->ResolutionList(), MOutputDlg::kCustomRow);
    EXPECT_FALSE(E(co::IDC_VBP_EDIT)->isVisibleTo(page.get()));
    TurnMoreOn();
    EXPECT_TRUE(E(co::IDC_VBP_EDIT)->isVisibleTo(page.get()));
    EXPECT_TRUE(page->HPolarityList()->isVisibleTo(page.get()));
    ClickButton(page->Button(co::IDC_MORE));
    EXPECT_FALSE(E(co::IDC_VBP_EDIT)->isVisibleTo(page.get()));
    // Every row choice switches "More >" off.
    TurnMoreOn();
    ChooseDropRow(page->ResolutionList(), MOutputDlg::kCustomRow);
    EXPECT_FALSE(page->DetailedTimingOn());
}

} // namespace
