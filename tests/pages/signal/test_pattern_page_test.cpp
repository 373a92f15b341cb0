// The test-pattern page: pattern steps and the state message, the pixel grab and its positions,
// the two excluding each other on the processor too, the caption-page button, hiding, and the
// swatch from reply 3.

#include "tests/support/PageFixture.h"

#include "controls/CGdipButton.h"
#include "controls/oRealEdit.h"
#include "controls/oBitmapSlider.h"
#include "controls/oSliderEdit.h"
#include "device/CommandIds.h"
#include "pages/signal/MTstPatternDlg.h"
#include "pages/signal/TestPatternIds.h"
#include "platform/PageNotifyCodes.h"

namespace ct = ctl::test_pattern;

namespace {

class TestPatternPage : public PageFixture<MTstPatternDlg> {
protected:
    void SetUp() override
    {
        PageFixture<MTstPatternDlg>::SetUp();
        GetDeviceData().outputReso.hReso = 1920;
        GetDeviceData().outputReso.vReso = 1080;
        GetDeviceData().grabPos = {0, 0};
        link.ClearCalls();
        host->messages.clear();
    }
    CGdipButton* B(int id) const { return page->Button(id); }
    // The pattern bytes sent by command 12, in order.
    std::vector<int> PatternsSent() const
    {
        std::vector<int> out;
        for (const auto& c : Sent(CMD_SET_TEST_PATTERN)) out.push_back(c.bytes[0]);
        return out;
    }
    std::vector<int> StatesPosted() const
    {
        std::vector<int> out;
        for (const auto& m : host->Of(WM_TEST_PATTERN_STATE)) {
            EXPECT_EQ(m.wParam, 0u);
            out.push_back(static_cast<int>(m.lParam));
        }
        return out;
    }
    std::vector<std::pair<int, int>> SubPageNotices() const
    {
        std::vector<std::pair<int, int>> out;
        for (const auto& m : host->Notices(NOTIFY_SHOW_SUBPAGE)) {
            const QVariantMap map = m.payload.toMap();
            out.emplace_back(map.value("tab").toInt(), map.value("shown").toInt());
        }
        return out;
    }
    void PatternOn()
    {
        ClickButton(B(ct::IDC_PATTERN_ON_OFF));
        ASSERT_TRUE(page->IsPatternOn());
    }
};

TEST_F(TestPatternPage, SwitchingOnSendsTheNumberAndLocksTheMainWindow)
{
    EXPECT_FALSE(B(ct::IDC_PATTERN_NEXT)->isEnabled());
    EXPECT_FALSE(page->PatternEdit()->isEnabled());
    PatternOn();
    EXPECT_EQ(B(ct::IDC_PATTERN_ON_OFF)->text(), QStringLiteral("0n"));
    EXPECT_TRUE(B(ct::IDC_PATTERN_NEXT)->isEnabled());
    EXPECT_TRUE(page->PatternEdit()->isEnabled());
    EXPECT_EQ(PatternsSent(), std::vector<int>{1});
    EXPECT_TRUE(SameBytes(Sent(CMD_SET_TEST_PATTERN)[0].bytes, Block32({1})));
    EXPECT_EQ(StatesPosted(), std::vector<int>{1});
    EXPECT_EQ(SubPageNotices(), (std::vector<std::pair<int, int>>{{4, 0}}));
    EXPECT_TRUE(Sent(CMD_PIXEL_GRAB).empty());  // the grab was off already
    ClickButton(B(ct::IDC_PATTERN_ON_OFF));
    EXPECT_EQ(B(ct::IDC_PATTERN_ON_OFF)->text(), QStringLiteral("0ff"));
    EXPECT_EQ(PatternsSent(), (std::vector<int>{1, 0}));
    EXPECT_EQ(StatesPosted(), (std::vector<int>{1, 0}));
    EXPECT_EQ(GetDeviceData().testPattern, 0);
}

TEST_F(TestPatternPage, StepsStayWithinOneAndHundredEleven)
{
    PatternOn();
    ClickButton(B(ct::IDC_PATTERN_PREVIOUS));
    page->PatternEdit()->SetValue(110);
    ClickButton(B(ct::IDC_PATTERN_NEXT));
    ClickButton(B(ct::IDC_PATTERN_NEXT));
    EXPECT_EQ(PatternsSent(), (std::vector<int>{1, 1, 111, 111}));
    EXPECT_EQ(page->CurrentPattern(), 111);
    TypeAndEnter(page->PatternEdit(), QStringLiteral("57"));
    EXPECT_EQ(PatternsSent().back(), 57);
    EXPECT_EQ(GetDeviceData().testPattern, 57);
}

TEST_F(TestPatternPage, HidingSwitchesAPatternOffOnce)
{
    page->ShowPage(false);
    Settle();
    EXPECT_TRUE(link.Commands().empty());
    page->ShowPage(true);
    PatternOn();
    link.ClearCalls();
    host->messages.clear();
    page->ShowPage(false);
    page->ShowPage(false);
    Settle();
    EXPECT_EQ(PatternsSent(), std::vector<int>{0});
    EXPECT_EQ(StatesPosted(), std::vector<int>{0});
    EXPECT_FALSE(page->IsPatternOn());
    EXPECT_FALSE(B(ct::IDC_PATTERN_ON_OFF)->IsPressed());
}

TEST_F(TestPatternPage, GrabPositionsArePulledIntoTheOutput)
{
    ClickButton(B(ct::IDC_PIXEL_GRAB_ON_OFF));
    ASSERT_TRUE(page->GrabEdit(ct::IDC_GRAB_H_START_EDIT)->isEnabled());
    TypeAndEnter(page->GrabEdit(ct::IDC_GRAB_H_START_EDIT), QStringLiteral("5000"));
    EXPECT_EQ(page->GrabEdit(ct::IDC_GRAB_H_START_EDIT)->GetValue(), 1919);
    EXPECT_EQ(GetDeviceData().grabPos.x, 1919);
    TypeAndEnter(page->GrabEdit(ct::IDC_GRAB_V_START_EDIT), QStringLiteral("-1"));
    EXPECT_EQ(GetDeviceData().grabPos.y, 0xFFFF);
    const auto sent = Sent(CMD_PIXEL_GRAB);
    // Switch on, then each committed position (an edit left without a change commits nothing more).
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0].bytes[0], 1);
    EXPECT_TRUE(SameBytes(sent[1].bytes, Block32({1, 0x7F, 0x07, 0, 0})));
    EXPECT_TRUE(SameBytes(sent.back().bytes, Block32({1, 0x7F, 0x07, 0xFF, 0xFF})));
    EXPECT_EQ(SubPageNotices(), (std::vector<std::pair<int, int>>{{4, 0}}));
}

TEST_F(TestPatternPage, PatternAndGrabSwitchEachOtherOffOnTheProcessor)
{
    PatternOn();
    link.ClearCalls();
    host->messages.clear();
    ClickButton(B(ct::IDC_PIXEL_GRAB_ON_OFF));
    EXPECT_FALSE(page->IsPatternOn());
    EXPECT_EQ(GetDeviceData().testPattern, 0);
    EXPECT_EQ(PatternsSent(), std::vector<int>{0});
    EXPECT_EQ(StatesPosted(), std::vector<int>{0});
    EXPECT_FALSE(page->PatternEdit()->isEnabled());
    ASSERT_EQ(Sent(CMD_PIXEL_GRAB).size(), 1u);
    EXPECT_EQ(Sent(CMD_PIXEL_GRAB)[0].bytes[0], 1);

    link.ClearCalls();
    PatternOn();
    EXPECT_FALSE(B(ct::IDC_PIXEL_GRAB_ON_OFF)->IsPressed());
    EXPECT_FALSE(page->GrabEdit(ct::IDC_GRAB_H_START_EDIT)->isEnabled());
    ASSERT_EQ(Sent(CMD_PIXEL_GRAB).size(), 1u);
    EXPECT_EQ(Sent(CMD_PIXEL_GRAB)[0].bytes[0], 0);
}

TEST_F(TestPatternPage, EnterThenGrabOffLeavesTheGrabOff)
{
    ClickButton(B(ct::IDC_PIXEL_GRAB_ON_OFF));
    link.ClearCalls();
    TypeAndEnterInOnePass(page->GrabEdit(ct::IDC_GRAB_V_START_EDIT), QStringLiteral("5"));
    ClickButton(B(ct::IDC_PIXEL_GRAB_ON_OFF));
    EXPECT_FALSE(B(ct::IDC_PIXEL_GRAB_ON_OFF)->IsPressed());
    const auto sent = Sent(CMD_PIXEL_GRAB);
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.back().bytes[0], 0);
}

TEST_F(TestPatternPage, CaptionButtonOpensTheCaptionPageAndStopsBoth)
{
    PatternOn();
    ClickButton(B(ct::IDC_CAPTION_SETTINGS));
    EXPECT_EQ(SubPageNotices(), (std::vector<std::pair<int, int>>{{4, 0}, {4, 1}}));
    EXPECT_FALSE(page->IsPatternOn());
    EXPECT_EQ(PatternsSent(), (std::vector<int>{1, 0}));
    EXPECT_EQ(StatesPosted(), (std::vector<int>{1, 0}));

    ClickButton(B(ct::IDC_PIXEL_GRAB_ON_OFF));
    link.ClearCalls();
    ClickButton(B(ct::IDC_CAPTION_SETTINGS));
    EXPECT_FALSE(B(ct::IDC_PIXEL_GRAB_ON_OFF)->IsPressed());
    ASSERT_EQ(Sent(CMD_PIXEL_GRAB).size(), 1u);
    EXPECT_EQ(Sent(CMD_PIXEL_GRAB)[0].bytes[0], 0);
    EXPECT_TRUE(Sent(CMD_SET_TEST_PATTERN).empty());
}

TEST_F(TestPatternPage, SwatchTakesTheLowBytesTextTheFullValues)
{
    EXPECT_FALSE(page->SwatchColor().has_value());
    CDeviceData& d = GetDeviceData();
    d.grabColor[0] = 0x0110;
    d.grabColor[1] = 0x20;
    d.grabColor[2] = 0xFF;
    PostMsg(page.get(), WM_PIXEL_COLOR, 0, 0);
    Settle();
    ASSERT_TRUE(page->SwatchColor().has_value());
    EXPECT_EQ(*page->SwatchColor(), QColor(0x10, 0x20, 0xFF));
    EXPECT_EQ(page->SwatchText(), QStringLiteral("R:272   G:32    B:255"));
    EXPECT_FALSE(page->SwatchRect().isEmpty());
}

} // namespace
