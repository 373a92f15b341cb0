// The switcher page: work-mode commands in their order with the busy dialog and the notices,
// the panel buttons, the fade list and the multi-machine flag on each kind of link.

#include "tests/support/PageFixture.h"

#include "controls/CGdipButton.h"
#include "device/CommandIds.h"
#include "pages/system/MSwitcherDlg.h"
#include "platform/PageNotifyCodes.h"

namespace {

class SwitcherPage : public PageFixture<MSwitcherDlg> {
protected:
    void SetUp() override
    {
        PageFixture<MSwitcherDlg>::SetUp();
        CDeviceData& d = GetDeviceData();
        d.pvwMode = 0;
        d.pvwDTime = 0;
        d.logo.usage = 1;
        d.mosaic.mode = 2;
        d.netMode = 1;
        d.multiMachine = 0;
        page->RefreshFromDevice();
        Settle();
        link.ClearCalls();
        host->messages.clear();
    }
    std::vector<int> CommandIds() const
    {
        std::vector<int> ids;
        for (const auto& c : link.Commands()) ids.push_back(c.id);
        return ids;
    }
};

TEST_F(SwitcherPage, OnAndOffSendTheModeThenQueryBothKeyers)
{
    struct Case {
        int panel;  // panel selected before switching on
        uint8_t mode;
        uint8_t usageAfter;
    } cases[] = {{0, 1, 1}, {1, 2, 0}};
    for (const Case& c : cases) {
        CDeviceData& d = GetDeviceData();
        d.logo.usage = 1;
        d.pvwMode = static_cast<uint8_t>(c.panel + 1);
        page->RefreshFromDevice();  // selects the panel
        d.pvwMode = 0;
        page->RefreshFromDevice();  // normal again, the panel stays
        ASSERT_EQ(page->SelectedPanel(), c.panel);
        Settle();
        link.ClearCalls();
        host->messages.clear();

        ClickButton(page->OnOffButton());
        EXPECT_EQ(d.pvwMode, c.mode);
        EXPECT_EQ(d.logo.usage, c.usageAfter);
        EXPECT_EQ(CommandIds(), (std::vector<int>{CMD_SET_WORK_MODE, CMD_QUERY_KEYER, CMD_QUERY_KEYER}));
        const auto cmds = link.Commands();
        EXPECT_TRUE(SameBytes(cmds[0].bytes, Block32({c.mode})));
        EXPECT_TRUE(SameBytes(cmds[1].bytes, Block32({1})));
        EXPECT_TRUE(SameBytes(cmds[2].bytes, Block32({3})));
        // Busy dialog first (sent), then the two notices (posted).
        ASSERT_GE(host->messages.size(), 3u);
        EXPECT_EQ(host->messages[0].msg, WM_BUSY_DIALOG);
        EXPECT_EQ(host->messages[0].payload.toString(), QStringLiteral("Waitting Operation ..."));
        ASSERT_EQ(host->Notices(NOTIFY_SWITCHER_MODE).size(), 1u);
        EXPECT_EQ(host->Notices(NOTIFY_SWITCHER_MODE)[0].lParam, 1);
        ASSERT_EQ(host->Notices(NOTIFY_SPLICING_MODE).size(), 1u);
        EXPECT_EQ(host->Notices(NOTIFY_SPLICING_MODE)[0].lParam, 2);
        EXPECT_TRUE(page->PanelButton(0)->isEnabled());
        EXPECT_TRUE(page->FadeList()->isEnabled());

        // Off: mode 0, and both keyer sets are still read back.
        link.ClearCalls();
        host->messages.clear();
        ClickButton(page->OnOffButton());
        EXPECT_EQ(d.pvwMode, 0);
        EXPECT_EQ(CommandIds(), (std::vector<int>{CMD_SET_WORK_MODE, CMD_QUERY_KEYER, CMD_QUERY_KEYER}));
        EXPECT_TRUE(SameBytes(link.Commands()[0].bytes, Block32({0})));
        EXPECT_EQ(host->Notices(NOTIFY_SWITCHER_MODE)[0].lParam, 0);
        EXPECT_FALSE(page->PanelButton(0)->isEnabled());
        EXPECT_FALSE(page->FadeList()->isEnabled());
    }
}

TEST_F(SwitcherPage, PanelTwoClearsTheLogoUsageBeforeTheModeAndTheSamePanelSendsNothing)
{
    CDeviceData& d = GetDeviceData();
    ClickButton(page->OnOffButton());
    link.ClearCalls();
    host->messages.clear();

    // The panel already selected: nothing at all.
    ClickButton(page->PanelButton(0));
    EXPECT_TRUE(link.Commands().empty());
    EXPECT_TRUE(host->messages.empty());
    EXPECT_TRUE(page->PanelButton(0)->IsPressed());

    d.logo.usage = 1;
    GetDeviceData().logo.usage = 1;
    ClickButton(page->PanelButton(1));
    EXPECT_EQ(d.logo.usage, 0);
    EXPECT_EQ(d.pvwMode, 2);
    EXPECT_EQ(page->SelectedPanel(), 1);
    EXPECT_TRUE(page->PanelButton(1)->IsPressed());
    EXPECT_FALSE(page->PanelButton(0)->IsPressed());
    EXPECT_EQ(CommandIds(), (std::vector<int>{CMD_QUERY_KEYER, CMD_QUERY_KEYER, CMD_SET_WORK_MODE, CMD_QUERY_63}));
    EXPECT_TRUE(SameBytes(link.Commands()[2].bytes, Block32({2})));
    EXPECT_EQ(host->messages[0].msg, WM_BUSY_DIALOG);
    EXPECT_EQ(host->Notices(NOTIFY_SWITCHER_MODE)[0].lParam, 1);

    // Back to one panel: no keyer queries, the logo usage is left.
    d.logo.usage = 1;
    link.ClearCalls();
    ClickButton(page->PanelButton(0));
    EXPECT_EQ(d.logo.usage, 1);
    EXPECT_EQ(CommandIds(), (std::vector<int>{CMD_SET_WORK_MODE, CMD_QUERY_63}));
    EXPECT_TRUE(SameBytes(link.Commands()[0].bytes, Block32({1})));
}

TEST_F(SwitcherPage, RefreshShowsTheDeviceModeAndTakesAnUnknownModeAsNormal)
{
    CDeviceData& d = GetDeviceData();
    struct Case {
        uint8_t mode;
        bool on, panel1, panel2;
        LPARAM notice;
    } cases[] = {{2, true, false, true, 2}, {1, true, true, false, 1}, {0, false, false, false, 0}, {3, false, false, false, 0},
                 {200, false, false, false, 0}};
    for (const Case& c : cases) {
        host->messages.clear();
        d.pvwMode = c.mode;
        page->RefreshFromDevice();
        Settle();
        EXPECT_EQ(page->OnOffButton()->IsPressed(), c.on) << int(c.mode);
        EXPECT_EQ(page->PanelButton(0)->IsPressed(), c.panel1) << int(c.mode);
        EXPECT_EQ(page->PanelButton(1)->IsPressed(), c.panel2) << int(c.mode);
        ASSERT_EQ(host->Notices(NOTIFY_SWITCHER_MODE).size(), 1u);
        EXPECT_EQ(host->Notices(NOTIFY_SWITCHER_MODE)[0].lParam, c.notice) << int(c.mode);
    }
    EXPECT_TRUE(link.Commands().empty());
    // The next ON after an unknown mode asks for a mode the processor knows.
    d.pvwMode = 3;
    page->RefreshFromDevice();
    ClickButton(page->OnOffButton());
    EXPECT_LE(d.pvwMode, 2);
    EXPECT_GE(d.pvwMode, 1);
}

TEST_F(SwitcherPage, FadeChoiceStoresTheItemData)
{
    CDeviceData& d = GetDeviceData();
    ClickButton(page->OnOffButton());
    link.ClearCalls();
    ChooseDropRow(page->FadeList(), 4);
    EXPECT_EQ(d.pvwDTime, 4);
    ASSERT_EQ(Sent(CMD_SET_FADE_TIME).size(), 1u);
    EXPECT_TRUE(SameBytes(Sent(CMD_SET_FADE_TIME)[0].bytes, Block32({4})));
    EXPECT_EQ(page->FadeList()->Caption(), QStringLiteral("0.5"));
    // A fade index without a row shows the first.
    d.pvwDTime = 12;
    page->RefreshFromDevice();
    EXPECT_EQ(page->FadeList()->GetCurSel(), 0);
}

TEST_F(SwitcherPage, MultiMachineIsRefusedOnASerialLink)
{
    CDeviceData& d = GetDeviceData();
    d.netMode = 0;
    ClickButton(page->MultiMachineButton());
    EXPECT_FALSE(page->MultiMachineButton()->IsPressed());
    EXPECT_EQ(d.multiMachine, 0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("In Serial Interface mode Take Function is not available"));
    EXPECT_EQ(boxes[0].caption, QStringLiteral("Tips"));

    d.netMode = 1;
    ClickButton(page->MultiMachineButton());
    EXPECT_TRUE(page->MultiMachineButton()->IsPressed());
    EXPECT_EQ(d.multiMachine, 1);
    EXPECT_EQ(boxes.size(), 1u);
    // The flag goes out later with TAKE, not from here.
    EXPECT_TRUE(link.Commands().empty());
}

}  // namespace
