// The EDID page: the input list by type and link mode, the clock limit while typing, Apply and
// Restore as byte-exact command 10 blocks, the kept hundredths of a rate, the result message.

#include "tests/support/PageFixture.h"

#include "controls/CGdipButton.h"
#include "controls/oRealEdit.h"
#include "device/CommandIds.h"
#include "pages/signal/EdidIds.h"
#include "pages/signal/MEdidDlg.h"

namespace ce = ctl::edid;

namespace {

class EdidPage : public PageFixture<MEdidDlg> {
protected:
    void SetUp() override
    {
        PageFixture<MEdidDlg>::SetUp();
        CDeviceData& d = GetDeviceData();
        for (int n = 0; n < kInputSlotCount; ++n) {
            d.input[n].src = 4;
            d.inputNames[n].enabled = 1;
            d.inputNames[n].name = QStringLiteral("IN%1").arg(n);
        }
        d.dpMode[1] = 0;
        const int inputs[] = {0, 1, 2, 3, 4, 6, 7};
        for (int r = 0; r < kEdidRecordCount; ++r)
            d.edid[r] = EdidTiming{static_cast<uint8_t>(inputs[r]), 0, static_cast<uint16_t>(1000 + r),
                                   static_cast<uint16_t>(700 + r), 6000, static_cast<uint16_t>(100 + r),
                                   static_cast<uint16_t>(20 + r)};
        page->FillInputList();
        page->SelectInput();
        link.ClearCalls();
        host->messages.clear();
    }
    oRealEdit* E(int id) const { return page->Edit(id); }
    int Value(int id) const { return static_cast<int>(E(id)->GetValue()); }
    std::vector<int> ListedInputs() const
    {
        std::vector<int> out;
        const CDropList* list = page->InputList()->GetList();
        for (int i = 0; i < list->GetCount(); ++i) out.push_back(static_cast<int>(list->Item(i)->data));
        return out;
    }
    void Choose(int input)
    {
        const int row = FindDropItemByData(page->InputList(), static_cast<DropItemData>(input));
        ASSERT_GE(row, 0) << input;
        ChooseDropRow(page->InputList(), row);
        ASSERT_EQ(page->SelectedInput(), input);
    }
};

TEST_F(EdidPage, ListOffersInputsByTypeAndLinkMode)
{
    CDeviceData& d = GetDeviceData();
    EXPECT_EQ(ListedInputs(), (std::vector<int>{0, 1, 2, 3, 4, 6, 7}));
    // Not enabled: a DP or HDMI second input only in dual-link mode; SDI and USB never.
    d.inputNames[6].enabled = 0;
    d.inputNames[7].enabled = 0;
    d.input[6].src = 6;
    d.input[7].src = 8;
    d.input[2].src = 7;
    d.input[3].src = 9;
    page->FillInputList();
    EXPECT_EQ(ListedInputs(), (std::vector<int>{0, 1, 4}));
    d.dpMode[1] = 1;
    page->FillInputList();
    EXPECT_EQ(ListedInputs(), (std::vector<int>{0, 1, 4, 6, 7}));
    for (int n : ListedInputs()) EXPECT_EQ(d.inputNames[n].item, FindDropItemByData(page->InputList(), n)) << n;
}

TEST_F(EdidPage, ChoosingAnInputShowsItsRecordWithTheRateInWholeHertz)
{
    GetDeviceData().edid[5].fps = 5994;
    Choose(6);
    EXPECT_EQ(Value(ce::IDC_H_ACTIVE_EDIT), 1005);
    EXPECT_EQ(Value(ce::IDC_V_ACTIVE_EDIT), 705);
    EXPECT_EQ(Value(ce::IDC_FPS_EDIT), 59);
    EXPECT_EQ(Value(ce::IDC_H_BLANK_EDIT), 105);
    EXPECT_EQ(Value(ce::IDC_V_BLANK_EDIT), 25);
    EXPECT_TRUE(link.Commands().empty());
}

TEST_F(EdidPage, TypingBeyondTheClockLowersTheEditOnly)
{
    CDeviceData& d = GetDeviceData();
    const EdidTiming before = d.edid[0];
    E(ce::IDC_H_ACTIVE_EDIT)->SetValue(1920);
    E(ce::IDC_H_BLANK_EDIT)->SetValue(280);
    E(ce::IDC_V_BLANK_EDIT)->SetValue(45);
    E(ce::IDC_FPS_EDIT)->SetValue(60);
    TypeAndEnter(E(ce::IDC_V_ACTIVE_EDIT), QStringLiteral("1300"));
    EXPECT_EQ(Value(ce::IDC_V_ACTIVE_EDIT), 1205);  // 165,000,000 / (2200 x 60) - 45
    // A limit under the edit's minimum leaves the minimum.
    E(ce::IDC_H_ACTIVE_EDIT)->SetValue(3840);
    E(ce::IDC_H_BLANK_EDIT)->SetValue(9999);
    E(ce::IDC_FPS_EDIT)->SetValue(121);
    TypeAndEnter(E(ce::IDC_V_ACTIVE_EDIT), QStringLiteral("2000"));
    EXPECT_EQ(Value(ce::IDC_V_ACTIVE_EDIT), 240);
    EXPECT_TRUE(link.Commands().empty());
    EXPECT_EQ(std::memcmp(&d.edid[0], &before, sizeof before), 0);
}

TEST_F(EdidPage, ApplySendsTheRecordOfTheChosenInput)
{
    struct Case {
        int input, record;
        bool more;
    };
    const Case cases[] = {{6, 5, false}, {7, 6, true}, {2, 2, false}};
    for (const Case& c : cases) {
        link.ClearCalls();
        host->messages.clear();
        Choose(c.input);
        if (page->Button(ce::IDC_MORE)->IsPressed() != c.more) ClickButton(page->Button(ce::IDC_MORE));
        TypeAndEnter(E(ce::IDC_H_ACTIVE_EDIT), QStringLiteral("1280"));
        ClickButton(page->Button(ce::IDC_APPLY));
        const EdidTiming& r = GetDeviceData().edid[c.record];
        EXPECT_EQ(r.hAct, 1280) << c.input;
        // Without "More >" the blanking in the block goes out all the same.
        const auto sent = Sent(CMD_SET_EDID);
        ASSERT_EQ(sent.size(), 1u) << c.input;
        EXPECT_TRUE(SameBytes(sent[0].bytes, Block32({c.input, c.more ? 2 : 1, 0x00, 0x05, r.vAct & 0xFF, r.vAct >> 8,
                                                      0x70, 0x17, r.hBlank & 0xFF, 0, r.vBlank, 0})))
            << c.input;
        const auto busy = host->Of(WM_BUSY_DIALOG);
        ASSERT_EQ(busy.size(), 1u);
        EXPECT_EQ(busy[0].wParam, 1u);
        EXPECT_EQ(busy[0].payload.toString(), QStringLiteral("Waitting Operation ..."));
    }
}

TEST_F(EdidPage, ApplyKeepsTheHundredthsOfAnUnchangedRate)
{
    CDeviceData& d = GetDeviceData();
    d.edid[3].fps = 2997;
    Choose(3);
    ASSERT_EQ(Value(ce::IDC_FPS_EDIT), 29);
    ClickButton(page->Button(ce::IDC_APPLY));
    EXPECT_EQ(d.edid[3].fps, 2997);
    TypeAndEnter(E(ce::IDC_FPS_EDIT), QStringLiteral("30"));
    ClickButton(page->Button(ce::IDC_APPLY));
    EXPECT_EQ(d.edid[3].fps, 3000);
}

TEST_F(EdidPage, RestoreSetsTheDefaultThenReadsItBack)
{
    Choose(7);
    ClickButton(page->Button(ce::IDC_RESTORE));
    const auto cmds = link.Commands();
    ASSERT_EQ(cmds.size(), 2u);
    EXPECT_EQ(cmds[0].id, CMD_SET_EDID);
    EXPECT_EQ(cmds[0].bytes[0], 7);
    EXPECT_EQ(cmds[0].bytes[1], 0);
    EXPECT_EQ(cmds[1].id, CMD_QUERY_EDID);
    EXPECT_TRUE(SameBytes(cmds[1].bytes, Block32({7})));
    EXPECT_EQ(host->Of(WM_BUSY_DIALOG).size(), 1u);
    // The answer refreshes the edits.
    GetDeviceData().edid[6].hAct = 1920;
    page->SelectInput();
    EXPECT_EQ(Value(ce::IDC_H_ACTIVE_EDIT), 1920);
}

TEST_F(EdidPage, WithoutARecordForTheInputNothingIsWritten)
{
    CDeviceData& d = GetDeviceData();
    d.edid[6].inputSrc = 9;  // record 6 belongs to no listed input
    Choose(7);
    EXPECT_FALSE(page->Button(ce::IDC_APPLY)->isEnabled());
    EXPECT_FALSE(page->Button(ce::IDC_RESTORE)->isEnabled());
    const EdidTiming before = d.edid[6];
    page->Button(ce::IDC_APPLY)->click();
    page->Button(ce::IDC_RESTORE)->click();
    Settle();
    EXPECT_TRUE(link.Commands().empty());
    EXPECT_EQ(std::memcmp(&d.edid[6], &before, sizeof before), 0);
    Choose(6);
    EXPECT_TRUE(page->Button(ce::IDC_APPLY)->isEnabled());
}

TEST_F(EdidPage, ARefillThatDropsTheInputFollowsTheShownRow)
{
    CDeviceData& d = GetDeviceData();
    Choose(7);
    d.inputNames[7].enabled = 0;
    page->FillInputList();
    EXPECT_EQ(page->InputList()->GetCurSel(), 0);
    EXPECT_EQ(page->SelectedInput(), 0);
    EXPECT_EQ(Value(ce::IDC_H_ACTIVE_EDIT), 1000);
    ClickButton(page->Button(ce::IDC_APPLY));
    const auto sent = Sent(CMD_SET_EDID);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].bytes[0], 0);
    EXPECT_EQ(d.edid[6].hAct, 1006);  // input 7's record untouched
}

TEST_F(EdidPage, MoreShowsTheBlanking)
{
    EXPECT_FALSE(E(ce::IDC_H_BLANK_EDIT)->isVisible());
    ClickButton(page->Button(ce::IDC_MORE));
    EXPECT_TRUE(E(ce::IDC_H_BLANK_EDIT)->isVisible());
    EXPECT_TRUE(E(ce::IDC_V_BLANK_EDIT)->isVisible());
    ClickButton(page->Button(ce::IDC_MORE));
    EXPECT_FALSE(E(ce::IDC_V_BLANK_EDIT)->isVisible());
}

TEST_F(EdidPage, ResultMessage)
{
    for (int ok : {1, 0}) {
        boxes.clear();
        GetDeviceData().eventArg[1] = static_cast<uint8_t>(ok);
        page->ShowResultMessage();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, ok ? QStringLiteral("Edid Apply Ok") : QStringLiteral("Edid Apply Failed"));
        EXPECT_EQ(boxes[0].caption, QStringLiteral("Tarvo Serial-VideoProcessor"));
    }
}

} // namespace
