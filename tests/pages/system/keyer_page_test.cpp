// The keyer page: whole-set commands with the set's layer in the last byte, the mode change and
// its delayed read-back, the refusal while the keyed layer is off, and the set list by splicing
// mode.

#include "tests/support/PageFixture.h"

#include "controls/CGdipButton.h"
#include "controls/oRealEdit.h"
#include "device/CommandIds.h"
#include "pages/system/KeyerIds.h"
#include "pages/system/MKeyerDlg.h"

namespace {

class KeyerPage : public PageFixture<MKeyerDlg> {
protected:
    void SetUp() override
    {
        PageFixture<MKeyerDlg>::SetUp();
        CDeviceData& d = GetDeviceData();
        d.mosaic.mode = 0;
        for (int w = 0; w < 4; ++w) d.chnl[w].onOff = 0;
        const KeyerSettings k0{0, 1, {0, 0}, 0, 10, 200, 20, 210, 30, 220, 5, 6, 7, {0, 0, 0}};
        const KeyerSettings k1{0, 1, {0, 0}, 0, 11, 201, 21, 211, 31, 221, 15, 16, 17, {0, 0, 0}};
        d.keyer[0] = k0;
        d.keyer[1] = k1;
        page->RefreshFromDevice();
        link.ClearCalls();
    }
    // The nine values of a set as the command carries them, then the set's layer in byte 31.
    static CommandBlock KeyerBlock(const KeyerSettings& k, int layer)
    {
        CommandBlock b = Block32({k.onOff, static_cast<int>(k.mode), k.redL, k.redH, k.greenL, k.greenH, k.blueL, k.blueH,
                                  k.gainIn, k.gainOut, k.gainBnd});
        b[31] = static_cast<uint8_t>(layer);
        return b;
    }
};

TEST_F(KeyerPage, OneGainChangeSendsTheWholeSetWithItsLayer)
{
    // The edit follows the set change before the processor answers it (or offline, where no
    // answer comes): the block carries the new set's own values.
    struct Case {
        int32_t splicingMode;
        int setRow;
        int layer;
    } cases[] = {{0, 0, 3}, {3, 1, 1}};
    for (const Case& c : cases) {
        link.ClearCalls();
        GetDeviceData().mosaic.mode = c.splicingMode;
        page->RefreshFromDevice();
        KeyerSettings expected = GetDeviceData().keyer[c.setRow];
        expected.gainOut = 40;
        ChooseDropRow(page->SetList(), c.setRow);
        ASSERT_EQ(page->SelectedSet(), c.setRow);
        TypeAndEnter(page->Edit(7), QStringLiteral("40"));  // gain out
        const KeyerSettings& k = GetDeviceData().keyer[c.setRow];
        EXPECT_EQ(k.redL, expected.redL) << "set " << c.setRow;
        EXPECT_EQ(k.gainBnd, expected.gainBnd) << "set " << c.setRow;
        const auto sent = Sent(CMD_SET_KEYER);
        ASSERT_EQ(sent.size(), 1u) << "set " << c.setRow;
        EXPECT_TRUE(SameBytes(sent[0].bytes, KeyerBlock(expected, c.layer))) << "set " << c.setRow;
    }
    // The other set was left alone.
    EXPECT_EQ(GetDeviceData().keyer[0].gainOut, 40);
    EXPECT_EQ(GetDeviceData().keyer[0].redL, 10);
}

TEST_F(KeyerPage, AModeChangeSendsTheSettingThenTheQueryAfterAPause)
{
    ChooseDropRow(page->ModeList(), 5);
    EXPECT_EQ(GetDeviceData().keyer[0].mode, 5);
    ASSERT_EQ(Sent(CMD_SET_KEYER).size(), 1u);
    EXPECT_EQ(Sent(CMD_SET_KEYER)[0].bytes[1], 5);
    // The read-back waits for the processor; nothing sleeps meanwhile.
    EXPECT_TRUE(Sent(CMD_QUERY_KEYER).empty());
    for (int n = 0; n < 9; ++n) EXPECT_FALSE(page->Edit(n)->isEnabled()) << n;
    ASSERT_TRUE(SpinUntil([&] { return !Sent(CMD_QUERY_KEYER).empty(); }, 2000));
    const auto cmds = link.Commands();
    ASSERT_GE(cmds.size(), 2u);
    EXPECT_EQ(cmds[0].id, CMD_SET_KEYER);
    EXPECT_EQ(cmds[1].id, CMD_QUERY_KEYER);
    EXPECT_TRUE(SameBytes(cmds[1].bytes, Block32({3})));

    ChooseDropRow(page->ModeList(), 0);
    for (int n = 0; n < 9; ++n) EXPECT_TRUE(page->Edit(n)->isEnabled()) << n;
}

TEST_F(KeyerPage, SwitchingWithTheLayerOffIsRefused)
{
    CDeviceData& d = GetDeviceData();
    d.keyer[0].onOff = 0;
    page->RefreshFromDevice();
    ClickButton(page->OnOffButton());
    EXPECT_FALSE(page->OnOffButton()->IsPressed());
    EXPECT_EQ(d.keyer[0].onOff, 0);
    EXPECT_TRUE(link.Commands().empty());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("PIP3 Is Off"));
    EXPECT_EQ(boxes[0].caption, QStringLiteral("Tips"));

    // With PIP-3 on the keyer goes on and the whole set is sent.
    d.chnl[3].onOff = 1;
    ClickButton(page->OnOffButton());
    EXPECT_TRUE(page->OnOffButton()->IsPressed());
    EXPECT_EQ(d.keyer[0].onOff, 1);
    ASSERT_EQ(Sent(CMD_SET_KEYER).size(), 1u);
    EXPECT_TRUE(SameBytes(Sent(CMD_SET_KEYER)[0].bytes, KeyerBlock(d.keyer[0], 3)));
    EXPECT_TRUE(page->ResetButton()->isEnabled());
    EXPECT_TRUE(page->ModeList()->isEnabled());

    // Set 1 names PIP-1 in its refusal.
    d.mosaic.mode = 3;
    page->RefreshFromDevice();
    ChooseDropRow(page->SetList(), 1);
    d.keyer[1].onOff = 0;
    page->RefreshFromDevice();
    ClickButton(page->OnOffButton());
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, QStringLiteral("PIP1 Is Off"));
    EXPECT_FALSE(page->OnOffButton()->IsPressed());

    // Switching off is refused the same way; the switch stays drawn on, as the processor has it.
    d.keyer[1].onOff = 1;
    page->RefreshFromDevice();
    link.ClearCalls();
    ClickButton(page->OnOffButton());
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[2].text, QStringLiteral("PIP1 Is Off"));
    EXPECT_TRUE(page->OnOffButton()->IsPressed());
    EXPECT_EQ(d.keyer[1].onOff, 1);
    EXPECT_TRUE(link.Commands().empty());
}

TEST_F(KeyerPage, OffDisablesEverythingAndResetKeepsTheGains)
{
    CDeviceData& d = GetDeviceData();
    d.keyer[0].onOff = 0;
    page->RefreshFromDevice();
    EXPECT_FALSE(page->ResetButton()->isEnabled());
    EXPECT_FALSE(page->ModeList()->isEnabled());
    for (int n = 0; n < 9; ++n) EXPECT_FALSE(page->Edit(n)->isEnabled()) << n;

    d.keyer[0].onOff = 1;
    d.keyer[0].mode = 7;
    page->RefreshFromDevice();
    EXPECT_TRUE(page->ResetButton()->isEnabled());
    EXPECT_FALSE(page->Edit(0)->isEnabled());
    ClickButton(page->ResetButton());
    const KeyerSettings& k = d.keyer[0];
    EXPECT_EQ(k.mode, 0);
    EXPECT_EQ(k.redL, 0);
    EXPECT_EQ(k.redH, 255);
    EXPECT_EQ(k.blueH, 255);
    EXPECT_EQ(k.gainIn, 5);
    EXPECT_EQ(k.gainBnd, 7);
    EXPECT_EQ(k.onOff, 1);
    EXPECT_EQ(page->Edit(1)->text(), QStringLiteral("255"));
    ASSERT_EQ(Sent(CMD_SET_KEYER).size(), 1u);
    EXPECT_TRUE(SameBytes(Sent(CMD_SET_KEYER)[0].bytes, KeyerBlock(k, 3)));
    for (int n = 0; n < 9; ++n) EXPECT_TRUE(page->Edit(n)->isEnabled()) << n;
}

TEST_F(KeyerPage, EnterThenResetLeavesTheProcessorAtTheReset)
{
    CDeviceData& d = GetDeviceData();
    d.keyer[0].onOff = 1;
    page->RefreshFromDevice();
    link.ClearCalls();
    TypeAndEnterInOnePass(page->Edit(2), QStringLiteral("30"));  // green low
    ClickButton(page->ResetButton());
    EXPECT_EQ(page->Edit(2)->text(), QStringLiteral("0"));
    const auto sent = Sent(CMD_SET_KEYER);
    ASSERT_FALSE(sent.empty());
    // On, user mode, the reset limits (green low 0), the set's own gains; layer PIP-3.
    CommandBlock reset = Block32({1, 0, 0, 255, 0, 255, 0, 255, 5, 6, 7});
    reset[31] = 3;
    EXPECT_TRUE(SameBytes(sent.back().bytes, reset));
}

TEST_F(KeyerPage, SetOneOnlyInSplicingModeThree)
{
    CDeviceData& d = GetDeviceData();
    d.mosaic.mode = 3;
    page->RefreshFromDevice();
    EXPECT_TRUE(page->SetList()->GetList()->IsItemEnabled(1));
    ChooseDropRow(page->SetList(), 1);
    EXPECT_EQ(page->SelectedSet(), 1);
    ASSERT_EQ(Sent(CMD_QUERY_KEYER).size(), 1u);
    EXPECT_TRUE(SameBytes(Sent(CMD_QUERY_KEYER)[0].bytes, Block32({1})));
    page->RefreshFromDevice();
    EXPECT_EQ(page->Edit(0)->text(), QStringLiteral("11"));

    // Another splicing mode takes the page back to set 0, and set 1 cannot be chosen.
    d.mosaic.mode = 2;
    page->RefreshFromDevice();
    EXPECT_EQ(page->SelectedSet(), 0);
    EXPECT_EQ(page->SetList()->GetCurSel(), 0);
    EXPECT_FALSE(page->SetList()->GetList()->IsItemEnabled(1));
    EXPECT_EQ(page->Edit(0)->text(), QStringLiteral("10"));
    link.ClearCalls();
    ChooseDropRow(page->SetList(), 1);
    EXPECT_EQ(page->SelectedSet(), 0);
    EXPECT_TRUE(link.Commands().empty());
}

TEST_F(KeyerPage, ALanguageChangeKeepsTheSetInUseAndAModeOutsideTheListShowsUser)
{
    CDeviceData& d = GetDeviceData();
    d.mosaic.mode = 3;
    d.keyer[1].mode = 9;
    page->RefreshFromDevice();
    ChooseDropRow(page->SetList(), 1);
    page->RefreshFromDevice();
    page->ApplyLanguage();
    EXPECT_EQ(page->SetList()->GetCurSel(), 1);
    EXPECT_EQ(page->ModeList()->GetCurSel(), 9);
    // The next edit stays with set 1.
    d.keyer[1].mode = 0;
    page->ApplyLanguage();
    page->RefreshFromDevice();
    link.ClearCalls();
    TypeAndEnter(page->Edit(0), QStringLiteral("12"));
    EXPECT_EQ(d.keyer[1].redL, 12);
    EXPECT_EQ(d.keyer[0].redL, 10);
    ASSERT_EQ(Sent(CMD_SET_KEYER).size(), 1u);
    EXPECT_EQ(Sent(CMD_SET_KEYER)[0].bytes[31], 1);

    d.keyer[1].mode = 40;
    page->RefreshFromDevice();
    EXPECT_EQ(page->ModeList()->GetCurSel(), 0);
    EXPECT_FALSE(page->Edit(0)->isEnabled());
}

}  // namespace
