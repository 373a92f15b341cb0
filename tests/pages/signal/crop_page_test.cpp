// The crop page on its fixture: edits limited by their axis, command 5 byte for byte, the switch,
// Reset only while on, layers, the input label and the notices to the main window.

#include "tests/support/PageFixture.h"

#include "controls/CGdipButton.h"
#include "controls/oRealEdit.h"
#include "pages/signal/CropIds.h"
#include "pages/signal/MCropDlg.h"
#include "platform/PageNotifyCodes.h"

#include <QLabel>

namespace {

class CropPage : public PageFixture<MCropDlg> {
protected:
    void SetUp() override
    {
        PageFixture<MCropDlg>::SetUp();
        auto& d = GetDeviceData();
        for (int w = 0; w < kWindowCount; ++w) d.chnl[w].input = static_cast<uint8_t>(w);
        d.pvwMode = 0;
        for (auto& row : d.crop)
            for (auto& c : row) c = {0, 0, 0, 0, 1920, 1080, 1920, 1080};
    }
    CropWindow& Rec(int i, int w) { return GetDeviceData().crop[i][w]; }
    static void Put16(CommandBlock& b, int at, int v)
    {
        b[static_cast<size_t>(at)] = static_cast<uint8_t>(v & 0xFF);
        b[static_cast<size_t>(at) + 1] = static_cast<uint8_t>(v >> 8);
    }
    static CommandBlock CropBlock(int w, int on, int h, int v, int width, int height, int reset)
    {
        CommandBlock b = Block32({w, on});
        Put16(b, 2, h);
        Put16(b, 4, v);
        Put16(b, 6, width);
        Put16(b, 8, height);
        b[10] = static_cast<uint8_t>(reset);
        return b;
    }
};

TEST_F(CropPage, AStartPastTheWidthIsPulledBackAndStored)
{
    Rec(0, 0) = {1, 0, 0, 0, 1000, 500, 1920, 1080};
    page->RefreshFromDevice();
    TypeAndEnter(page->Edit(0), QStringLiteral("1200"));

    EXPECT_EQ(Rec(0, 0).hPos, 920);
    EXPECT_EQ(page->Edit(0)->text(), QStringLiteral("920"));
    const auto sent = Sent(CMD_SET_CROP);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_TRUE(SameBytes(sent[0].bytes, CropBlock(0, 1, 920, 0, 1000, 500, 0)));
}

TEST_F(CropPage, TwoCommitsInOnePassSendOnlyThePulledBackStart)
{
    // Enter, then the focus moves on before the event loop runs: two commits of one edit.
    Rec(0, 0) = {1, 0, 0, 0, 1000, 500, 1920, 1080};
    page->RefreshFromDevice();
    TypeAndEnterInOnePass(page->Edit(0), QStringLiteral("1200"));
    page->Edit(1)->setFocus(Qt::TabFocusReason);
    Settle();
    EXPECT_EQ(Rec(0, 0).hPos, 920);
    EXPECT_EQ(page->Edit(0)->text(), QStringLiteral("920"));
    const auto sent = Sent(CMD_SET_CROP);
    ASSERT_FALSE(sent.empty());
    for (const auto& c : sent) EXPECT_TRUE(SameBytes(c.bytes, CropBlock(0, 1, 920, 0, 1000, 500, 0)));

    // Another layer clicked while a commit waits: the commit goes to the layer it was typed on,
    // and the page shows the newly selected one (a reply that moves the page is the main window's
    // matter).
    Rec(1, 1) = {1, 0, 0, 7, 800, 600, 1920, 1080};
    TypeAndEnterInOnePass(page->Edit(1), QStringLiteral("30"));
    QTest::mouseClick(page->LayerButton(1), Qt::LeftButton);
    Settle();
    EXPECT_EQ(Rec(0, 0).vPos, 30);
    EXPECT_EQ(Rec(1, 1).vPos, 7);
    EXPECT_EQ(page->Edit(1)->text(), QStringLiteral("7"));
}

TEST_F(CropPage, EachEditIsLimitedByTheOtherEditOfItsAxis)
{
    struct Case {
        int edit;
        const char* typed;
        int shown;
    } cases[] = {
        {2, "1900", 1820},  // width: 1920 - H start 100
        {1, "700", 580},    // V start: 1080 - height 500
        {3, "1200", 1040},  // height: 1080 - V start 40
        {3, "10", 32},      // the edit's own minimum
    };
    for (const auto& c : cases) {
        // The last edit commits as it loses the focus: let it do so before the record is set.
        page->setFocus();
        Settle();
        Rec(1, 1) = {1, 0, 100, 40, 1000, 500, 1920, 1080};
        GetDeviceData().crop[1][1].vPos = c.edit == 1 ? 0 : 40;
        page->OnSelectLayer(ctl::crop::IDC_LAYER_PIP1);
        page->RefreshFromDevice();
        TypeAndEnter(page->Edit(c.edit), QString::fromLatin1(c.typed));
        EXPECT_EQ(page->Edit(c.edit)->text().toInt(), c.shown) << c.typed;
    }
    EXPECT_EQ(Rec(1, 1).vAct, 32);
}

TEST_F(CropPage, TheSwitchStoresSendsAndTellsTheMainWindow)
{
    Rec(2, 2) = {0, 0, 10, 20, 300, 400, 1920, 1080};
    GetDeviceData().chnl[2].input = 2;
    page->OnSelectLayer(ctl::crop::IDC_LAYER_PIP2);
    EXPECT_FALSE(page->IsCropOn());
    EXPECT_FALSE(page->Edit(0)->isEnabled());
    host->messages.clear();

    ClickButton(page->OnOffButton());
    EXPECT_TRUE(page->IsCropOn());
    EXPECT_EQ(Rec(2, 2).onOff, 1);
    EXPECT_TRUE(page->Edit(0)->isEnabled());
    EXPECT_TRUE(page->Edit(3)->isEnabled());
    const auto sent = Sent(CMD_SET_CROP);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_TRUE(SameBytes(sent[0].bytes, CropBlock(2, 1, 10, 20, 300, 400, 0)));
    const auto notices = host->Notices(NOTIFY_CROP_CHANGED);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].lParam, 0x202);
}

TEST_F(CropPage, ResetIsSentOnlyWhileTheCropIsOnAndChangesNothingHere)
{
    Rec(0, 0) = {0, 0, 10, 20, 300, 400, 1920, 1080};
    page->RefreshFromDevice();
    page->OnReset();
    EXPECT_TRUE(Sent(CMD_SET_CROP).empty());
    EXPECT_FALSE(page->ResetButton()->isEnabled());

    Rec(0, 0).onOff = 1;
    page->RefreshFromDevice();
    ClickButton(page->ResetButton());
    const auto sent = Sent(CMD_SET_CROP);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_TRUE(SameBytes(sent[0].bytes, CropBlock(0, 1, 10, 20, 300, 400, 1)));
    EXPECT_EQ(Rec(0, 0).hPos, 10);
}

TEST_F(CropPage, RefreshShowsTheRecordAndNotifiesInputAndLayer)
{
    GetDeviceData().chnl[2].input = 3;
    Rec(3, 2) = {1, 0, 11, 22, 333, 444, 1920, 1080};
    page->OnSelectLayer(ctl::crop::IDC_LAYER_PIP2);
    host->messages.clear();
    page->RefreshFromDevice();
    EXPECT_EQ(page->Edit(0)->text(), QStringLiteral("11"));
    EXPECT_EQ(page->Edit(3)->text(), QStringLiteral("444"));
    EXPECT_TRUE(page->IsCropOn());
    const auto notices = host->Notices(NOTIFY_CROP_CHANGED);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].lParam, 0x302);
    // The preview: 1920 x 1080 into 130 x 100.
    const auto p = page->PreviewEdges();
    EXPECT_EQ(p.right - p.left, 130);
    EXPECT_EQ(page->CropEdges().left, p.left + 1);
    EXPECT_EQ(page->CropEdges().right, p.left + 1 + 23);
}

TEST_F(CropPage, ACommitWritesTheRecordOfTheInputTheLayerShowsNow)
{
    // The layer's input changes behind the page's back (a layer-state reply): the commit stores
    // into the record the command then sends, not the one of the old input.
    Rec(0, 0) = {1, 0, 0, 0, 800, 600, 1920, 1080};
    page->RefreshFromDevice();
    GetDeviceData().chnl[0].input = 5;
    Rec(5, 0) = {1, 0, 0, 0, 800, 600, 1920, 1080};
    TypeAndEnter(page->Edit(0), QStringLiteral("64"));
    EXPECT_EQ(Rec(5, 0).hPos, 64);
    EXPECT_EQ(Rec(0, 0).hPos, 0);
    const auto sent = Sent(CMD_SET_CROP);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].bytes[2], 64);
}

TEST_F(CropPage, HiddenPageIgnoresValuesAndChoosingTheSameLayerChangesNothing)
{
    Rec(0, 0).onOff = 1;
    page->RefreshFromDevice();
    page->ShowPage(false);
    page->Edit(0)->SetValue(50);
    page->OnValueChanged(ctl::crop::IDC_H_START_EDIT);
    EXPECT_TRUE(Sent(CMD_SET_CROP).empty());
    EXPECT_EQ(Rec(0, 0).hPos, 0);

    page->ShowPage(true);
    host->messages.clear();
    page->OnSelectLayer(ctl::crop::IDC_LAYER_MAIN);
    EXPECT_TRUE(page->LayerButton(0)->IsPressed());
    EXPECT_TRUE(host->messages.empty());
    EXPECT_TRUE(link.Commands().empty());
}

TEST_F(CropPage, TheInputLabelNamesTheLayersInputAndNothingForAnUnknownCode)
{
    GetDeviceData().inputNames[1].name = QStringLiteral(" HDMI-1 ");
    GetDeviceData().chnl[1].input = 1;
    page->OnSelectLayer(ctl::crop::IDC_LAYER_PIP1);
    EXPECT_EQ(page->InputSourceLabel()->text(), QStringLiteral("Input Source\nHDMI-1"));

    GetDeviceData().chnl[1].input = 12;
    page->UpdateInputSourceLabel();
    page->RefreshFromDevice();
    EXPECT_EQ(page->InputSourceLabel()->text(), QStringLiteral("Input Source\n"));
    EXPECT_EQ(page->InputIndex(), -1);
    EXPECT_FALSE(page->OnOffButton()->isEnabled());
    page->OnOnOff();
    page->OnReset();
    EXPECT_TRUE(link.Commands().empty());
}

TEST_F(CropPage, LayerButtonsFollowTheWorkMode)
{
    auto& d = GetDeviceData();
    d.pvwMode = 1;
    d.pgmState[0] = 0;
    d.pvwState[0] = 1;
    d.pgmState[1] = 1;
    page->OnSelectLayer(ctl::crop::IDC_LAYER_PIP3);
    page->UpdateLayerButtonTexts();
    EXPECT_EQ(page->SelectedLayer(), 0);  // switcher mode: MAIN on preview is chosen
    EXPECT_EQ(page->LayerButton(0)->text(), QStringLiteral("PVW"));
    EXPECT_EQ(page->LayerButton(1)->text(), QStringLiteral("PGM"));
    EXPECT_FALSE(page->LayerButton(1)->isEnabled());
    EXPECT_EQ(page->LayerButton(2)->text(), QStringLiteral("PIP2"));
    // A language switch keeps the layer the operator chose and the work mode's captions.
    page->OnSelectLayer(ctl::crop::IDC_LAYER_PIP3);
    page->ApplyLanguage();
    EXPECT_EQ(page->SelectedLayer(), 3);
    EXPECT_EQ(page->LayerButton(1)->text(), QStringLiteral("PGM"));

    d.pvwMode = 2;
    d.pgmState[0] = 1;
    d.pvwState[0] = 0;
    page->UpdateLayerButtonTexts();
    EXPECT_EQ(page->LayerButton(0)->text(), QStringLiteral("PGM1"));
    EXPECT_TRUE(page->LayerButton(0)->HasDisabledLook());

    d.pvwMode = 0;
    page->UpdateLayerButtonTexts();
    EXPECT_EQ(page->LayerButton(1)->text(), QStringLiteral("PIP-1"));
    EXPECT_TRUE(page->LayerButton(1)->isEnabled());
}

} // namespace
