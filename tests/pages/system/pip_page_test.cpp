// The PIP page: on/off and alpha commands, the input choice handed to the main window, the
// refresh and the rules of the work mode and the logo layer.

#include "tests/support/PageFixture.h"

#include "controls/CGdipButton.h"
#include "controls/CSxGroupBox.h"
#include "controls/oBitmapSlider.h"
#include "controls/oSliderEdit.h"
#include "device/CommandIds.h"
#include "pages/system/MPIPDlg.h"
#include "platform/PageNotifyCodes.h"

namespace {

class PipPage : public PageFixture<MPIPDlg> {
protected:
    void SetUp() override
    {
        PageFixture<MPIPDlg>::SetUp();
        CDeviceData& d = GetDeviceData();
        d.pvwMode = 0;
        d.logo.usage = 0;
        for (int w = 0; w < 4; ++w) {
            d.chnl[w].onOff = 0;
            d.chnl[w].alpha = 64;
            d.chnl[w].input = 0;
            d.pgmState[w] = 0;
            d.pvwState[w] = 0;
        }
        for (int n = 0; n < 12; ++n) {
            d.inputNames[n].enabled = n < 6 ? 1 : 0;
            d.inputNames[n].name = QStringLiteral("IN%1").arg(n);
        }
        page->FillInputLists();
        page->RefreshFromDevice();
        Settle();
        link.ClearCalls();
        host->messages.clear();
    }
};

TEST_F(PipPage, OnOffSendsThePipAndAnnouncesTheLayer)
{
    CDeviceData& d = GetDeviceData();
    for (int k = 0; k < 3; ++k) {
        link.ClearCalls();
        host->messages.clear();
        d.chnl[k + 1].alpha = static_cast<uint8_t>(20 + k);
        ClickButton(page->OnOffButton(k));
        EXPECT_EQ(d.chnl[k + 1].onOff, 1) << k;
        ASSERT_EQ(Sent(CMD_SET_PIP).size(), 1u) << k;
        EXPECT_TRUE(SameBytes(Sent(CMD_SET_PIP)[0].bytes, Block32({k + 1, 1, 20 + k}))) << k;
        ASSERT_EQ(host->Notices(NOTIFY_LAYER_VISIBILITY).size(), 1u);
        EXPECT_EQ(host->Notices(NOTIFY_LAYER_VISIBILITY)[0].lParam, k);
        EXPECT_TRUE(page->AlphaEdit(k)->isEnabled());
        EXPECT_TRUE(page->InputList(k)->isEnabled());
    }
}

TEST_F(PipPage, LogoUseBlocksPip3)
{
    CDeviceData& d = GetDeviceData();
    d.logo.usage = 1;
    page->UpdateByWorkMode();
    EXPECT_FALSE(page->OnOffButton(2)->isEnabled());
    EXPECT_FALSE(page->AlphaEdit(2)->isEnabled());
    EXPECT_FALSE(page->InputList(2)->isEnabled());
    page->SetPipOn(2, true);
    EXPECT_TRUE(link.Commands().empty());
    EXPECT_TRUE(host->messages.empty());
    // A refresh leaves PIP-3 alone too.
    d.chnl[3].onOff = 1;
    page->RefreshFromDevice();
    Settle();
    EXPECT_TRUE(link.Commands().empty());
    for (const auto& n : host->Notices(NOTIFY_LAYER_VISIBILITY)) EXPECT_NE(n.lParam, 2);
    EXPECT_FALSE(page->AlphaEdit(2)->isEnabled());
    EXPECT_FALSE(page->InputList(2)->isEnabled());
}

TEST_F(PipPage, AlphaIsStoredTruncatedAndSent)
{
    CDeviceData& d = GetDeviceData();
    ClickButton(page->OnOffButton(1));
    link.ClearCalls();
    const struct {
        const char* typed;
        int stored;
    } cases[] = {{"64.9", 64}, {"33", 33}, {"99", 64}, {"0", 0}};
    for (const auto& c : cases) {
        link.ClearCalls();
        TypeAndEnter(page->AlphaEdit(1), QString::fromLatin1(c.typed));
        EXPECT_EQ(d.chnl[2].alpha, c.stored) << c.typed;
        ASSERT_EQ(Sent(CMD_SET_PIP).size(), 1u) << c.typed;
        EXPECT_TRUE(SameBytes(Sent(CMD_SET_PIP)[0].bytes, Block32({2, 1, c.stored}))) << c.typed;
    }
    EXPECT_EQ(page->AlphaSlider(1)->GetPos(), 0);
}

TEST_F(PipPage, AnAlphaCommittedWithEnterIsSentOncePerChange)
{
    ClickButton(page->OnOffButton(0));
    link.ClearCalls();
    TypeAndEnter(page->AlphaEdit(0), QStringLiteral("33"));
    page->RefreshFromDevice();  // as the processor's answer does
    page->OnOffButton(1)->setFocus(Qt::MouseFocusReason);
    Settle();
    ASSERT_EQ(Sent(CMD_SET_PIP).size(), 1u);
    EXPECT_TRUE(SameBytes(Sent(CMD_SET_PIP)[0].bytes, Block32({1, 1, 33})));
}

TEST_F(PipPage, AnInputChoicePostsAndSendsNothingItself)
{
    CDeviceData& d = GetDeviceData();
    ClickButton(page->OnOffButton(0));
    link.ClearCalls();
    host->messages.clear();
    ChooseDropRow(page->InputList(0), 3);
    EXPECT_EQ(d.chnl[1].input, 3);
    EXPECT_TRUE(link.Commands().empty());
    const auto posts = host->Of(WM_SELECT_LAYER_INPUT);
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_EQ(posts[0].wParam, 1u);
    EXPECT_EQ(posts[0].lParam, 1);
}

TEST_F(PipPage, RefreshShowsTheDeviceAndPostsARefreshOnlySelection)
{
    CDeviceData& d = GetDeviceData();
    d.chnl[1].onOff = 1;
    d.chnl[1].alpha = 12;
    d.chnl[1].input = 4;
    d.chnl[2].input = 9;  // a row the lists do not offer: the first row is shown
    d.chnl[3].alpha = 200;
    page->RefreshFromDevice();
    Settle();
    EXPECT_TRUE(page->OnOffButton(0)->IsPressed());
    EXPECT_EQ(page->AlphaEdit(0)->text(), QStringLiteral("12"));
    EXPECT_EQ(page->InputList(0)->Caption(), QStringLiteral("IN4"));
    EXPECT_EQ(page->InputList(1)->GetCurSel(), 0);
    EXPECT_EQ(page->AlphaEdit(2)->text(), QStringLiteral("64"));
    EXPECT_TRUE(link.Commands().empty());
    const auto posts = host->Of(WM_SELECT_LAYER_INPUT);
    ASSERT_EQ(posts.size(), 3u);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(posts[static_cast<size_t>(k)].wParam, static_cast<WPARAM>(k + 1));
        EXPECT_EQ(posts[static_cast<size_t>(k)].lParam, 0);
    }
    EXPECT_EQ(page->InputList(0)->GetList()->GetCount(), 6);
}

TEST_F(PipPage, WorkModeCaptionsAndAlphaOnlyInNormalMode)
{
    CDeviceData& d = GetDeviceData();
    for (int w = 1; w < 4; ++w) d.chnl[w].onOff = 1;
    d.pvwMode = 1;
    d.pgmState[1] = 1;
    page->UpdateByWorkMode();
    EXPECT_EQ(page->Group(0)->Caption(), QStringLiteral("PGM"));
    EXPECT_FALSE(page->OnOffButton(0)->isEnabled());
    EXPECT_FALSE(page->InputList(0)->isEnabled());
    for (int k = 1; k < 3; ++k) {
        EXPECT_TRUE(page->OnOffButton(k)->isEnabled());
        EXPECT_FALSE(page->AlphaEdit(k)->isEnabled());
        EXPECT_TRUE(page->InputList(k)->isEnabled());
    }
    d.pgmState[1] = 0;
    d.pvwState[1] = 1;
    page->UpdateByWorkMode();
    EXPECT_EQ(page->Group(0)->Caption(), QStringLiteral("PVW"));
    EXPECT_TRUE(page->InputList(0)->isEnabled());
    // Neither program nor preview: caption and list stay.
    d.pvwState[1] = 0;
    page->UpdateByWorkMode();
    EXPECT_EQ(page->Group(0)->Caption(), QStringLiteral("PVW"));
    EXPECT_TRUE(page->InputList(0)->isEnabled());
    // The main window's layer buttons in switcher mode leave the alpha alone.
    page->EnablePipGroup(1, 1);
    EXPECT_FALSE(page->AlphaEdit(1)->isEnabled());
    EXPECT_FALSE(page->AlphaSlider(1)->IsEnabledField());

    d.pvwMode = 0;
    page->UpdateByWorkMode();
    EXPECT_EQ(page->Group(0)->Caption(), QStringLiteral("PIP-1"));
    for (int k = 0; k < 3; ++k) EXPECT_TRUE(page->AlphaEdit(k)->isEnabled()) << k;
    page->EnablePipGroup(1, 1);
    EXPECT_TRUE(page->AlphaEdit(1)->isEnabled());
}

}  // namespace
