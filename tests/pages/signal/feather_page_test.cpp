// The feather page on its fixture: the window the first group edits, the lists storing and
// sending, switching on only when nothing else uses the windows' edges, and the refresh.

#include "tests/support/PageFixture.h"

#include "controls/CGdipButton.h"
#include "controls/CSxGroupBox.h"
#include "device/CommandIds.h"
#include "pagekit/UiText.h"
#include "pages/signal/FeatherIds.h"
#include "pages/signal/QVN_FeatherDlg.h"
#include "platform/PageNotifyCodes.h"

#include <cstring>
#include <functional>

namespace cf = ctl::feather;

namespace {

class FeatherPage : public PageFixture<QVN_FeatherDlg> {
protected:
    void SetUp() override
    {
        PageFixture::SetUp();
        MakeAccepting();
    }
    void MakeAccepting()
    {
        CDeviceData& d = GetDeviceData();
        // Outside the block, so the fixture does not put them back.
        d.feather = {};
        std::memset(d.caption, 0, sizeof d.caption);
        // A state that accepts feathering: splicing mode 2 with PIP-2 shown, nothing else on.
        d.mosaic.mode = 2;
        for (auto& c : d.chnl) c.onOff = 0;
        d.chnl[2].onOff = 1;
        for (auto& k : d.keyer) k.onOff = 0;
        d.logo.usage = 0;
        d.logo.border = 0;
        d.logo.pos = 0;
    }
    void TearDown() override
    {
        GetDeviceData().feather = {};
        std::memset(GetDeviceData().caption, 0, sizeof GetDeviceData().caption);
        ResetUiTextDefaults();
        PageFixture::TearDown();
    }
    void Forget()
    {
        link.ClearCalls();
        host->messages.clear();
    }
    std::vector<LPARAM> States() const
    {
        std::vector<LPARAM> out;
        for (const auto& m : host->Notices(NOTIFY_FEATHER_STATE)) out.push_back(m.lParam);
        return out;
    }
    bool ListsEnabled(bool on) const
    {
        for (int id : {cf::IDC_FIRST_SHAPE_LIST, cf::IDC_FIRST_LEVEL_LIST, cf::IDC_PIP3_SHAPE_LIST, cf::IDC_PIP3_LEVEL_LIST})
            if (page->List(id)->isEnabled() != on) return false;
        return true;
    }
    int Row(int id) const { return page->List(id)->GetCurSel(); }
};

TEST_F(FeatherPage, SwitchingOnAndOffStoresSendsAndTellsTheMainWindow)
{
    page->RefreshFromDevice();
    Forget();
    EXPECT_TRUE(ListsEnabled(false));
    FeatherState& f = GetDeviceData().feather;
    f.shape[1] = 1;
    f.level[1] = 2;
    f.shape[2] = 3;
    f.level[2] = 0x101;
    f.shape[3] = 4;
    f.level[3] = 3;

    ClickButton(page->OnOffButton());
    EXPECT_TRUE(page->OnOffButton()->IsPressed());
    EXPECT_EQ(f.onOff, 1);
    auto sent = Sent(CMD_SET_FEATHER);
    ASSERT_EQ(link.Commands().size(), 1u);
    EXPECT_TRUE(SameBytes(sent[0].bytes, Block32({1, 0, 0, 1, 2, 3, 1, 4, 3, 3})));
    EXPECT_TRUE(ListsEnabled(true));
    EXPECT_EQ(States(), (std::vector<LPARAM>{1}));

    Forget();
    ClickButton(page->OnOffButton());
    EXPECT_FALSE(page->OnOffButton()->IsPressed());
    EXPECT_EQ(f.onOff, 0);
    sent = Sent(CMD_SET_FEATHER);
    ASSERT_EQ(link.Commands().size(), 1u);
    EXPECT_TRUE(SameBytes(sent[0].bytes, Block32({0, 0, 0, 1, 2, 3, 1, 4, 3, 3})));
    EXPECT_TRUE(ListsEnabled(false));
    EXPECT_EQ(States(), (std::vector<LPARAM>{0}));
}

TEST_F(FeatherPage, ARefusedSwitchOnSpringsBackSilently)
{
    const struct {
        const char* what;
        std::function<void(CDeviceData&)> change;
    } cases[] = {
        // One of each kind; the rule's own table has every condition.
        {"keyer 1 on", [](CDeviceData& d) { d.keyer[1].onOff = 1; }},
        {"caption on output 2", [](CDeviceData& d) { d.caption[2][12] = 1; }},
        {"logo on PIP-3 with border", [](CDeviceData& d) { d.logo.usage = 1; d.logo.border = 1; }},
        {"four panels", [](CDeviceData& d) { d.mosaic.mode = 5; }},
        {"no feathered window shown", [](CDeviceData& d) { d.chnl[2].onOff = 0; d.chnl[1].onOff = 1; }},
    };
    for (const auto& c : cases) {
        MakeAccepting();
        c.change(GetDeviceData());
        Forget();
        ClickButton(page->OnOffButton());
        EXPECT_FALSE(page->OnOffButton()->IsPressed()) << c.what;
        EXPECT_EQ(GetDeviceData().feather.onOff, 0) << c.what;
        EXPECT_TRUE(link.Commands().empty()) << c.what;
        EXPECT_TRUE(host->messages.empty()) << c.what;
        EXPECT_TRUE(boxes.empty()) << c.what;
        EXPECT_TRUE(ListsEnabled(false)) << c.what;
    }
    // The same state without the fault is accepted.
    MakeAccepting();
    ClickButton(page->OnOffButton());
    EXPECT_TRUE(page->OnOffButton()->IsPressed());
}

TEST_F(FeatherPage, TheFirstGroupEditsPip2InModeTwoAndPip1InModeThree)
{
    page->RefreshFromDevice();
    EXPECT_EQ(page->FirstWindow(), 2);
    EXPECT_EQ(page->FirstGroup()->Caption(), QStringLiteral("PIP2"));
    Forget();
    ChooseDropRow(page->List(cf::IDC_FIRST_LEVEL_LIST), 2);
    EXPECT_EQ(GetDeviceData().feather.level[2], 2);
    auto sent = Sent(CMD_SET_FEATHER);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_TRUE(SameBytes(sent[0].bytes, Block32({0, 0, 0, 0, 0, 0, 2, 0, 0, 2})));

    GetDeviceData().mosaic.mode = 3;
    page->RefreshFromDevice();
    EXPECT_EQ(page->FirstWindow(), 1);
    EXPECT_EQ(page->FirstGroup()->Caption(), QStringLiteral("PIP1"));
    Forget();
    ChooseDropRow(page->List(cf::IDC_FIRST_LEVEL_LIST), 3);
    ChooseDropRow(page->List(cf::IDC_FIRST_SHAPE_LIST), 4);
    EXPECT_EQ(GetDeviceData().feather.level[1], 3);
    EXPECT_EQ(GetDeviceData().feather.shape[1], 4);
    EXPECT_EQ(GetDeviceData().feather.level[2], 2);
    sent = Sent(CMD_SET_FEATHER);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_TRUE(SameBytes(sent[1].bytes, Block32({0, 0, 0, 4, 3, 0, 2, 0, 0, 1})));

    // The second group is always PIP-3.
    Forget();
    ChooseDropRow(page->List(cf::IDC_PIP3_SHAPE_LIST), 1);
    ChooseDropRow(page->List(cf::IDC_PIP3_LEVEL_LIST), 3);
    EXPECT_EQ(GetDeviceData().feather.shape[3], 1);
    EXPECT_EQ(GetDeviceData().feather.level[3], 3);
    sent = Sent(CMD_SET_FEATHER);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].bytes[9], 3);
    EXPECT_EQ(sent[1].bytes[9], 3);

    // Another mode keeps the last first window and caption.
    GetDeviceData().mosaic.mode = 4;
    page->RefreshFromDevice();
    EXPECT_EQ(page->FirstWindow(), 1);
    EXPECT_EQ(page->FirstGroup()->Caption(), QStringLiteral("PIP1"));

    // A row the list does not have, or a foreign id, stores and sends nothing.
    Forget();
    page->OnDropSelect(cf::IDC_FIRST_LEVEL_LIST, 4);
    page->OnDropSelect(cf::IDC_PIP3_SHAPE_LIST, -1);
    page->OnDropSelect(cf::IDC_ON_OFF, 0);
    EXPECT_TRUE(link.Commands().empty());
    EXPECT_EQ(GetDeviceData().feather.level[1], 3);
}

TEST_F(FeatherPage, RefreshShowsTheDeviceValuesAndState)
{
    FeatherState& f = GetDeviceData().feather;
    f.onOff = 1;
    f.shape[2] = 2;
    f.level[2] = 1;
    f.shape[1] = 4;
    f.level[1] = 3;
    f.shape[3] = 7;  // no such shape: row 0
    f.level[3] = 2;
    page->RefreshFromDevice();
    EXPECT_EQ(Row(cf::IDC_FIRST_SHAPE_LIST), 2);
    EXPECT_EQ(Row(cf::IDC_FIRST_LEVEL_LIST), 1);
    EXPECT_EQ(Row(cf::IDC_PIP3_SHAPE_LIST), 0);
    EXPECT_EQ(Row(cf::IDC_PIP3_LEVEL_LIST), 2);
    EXPECT_TRUE(page->OnOffButton()->IsPressed());
    EXPECT_TRUE(ListsEnabled(true));
    EXPECT_EQ(States(), (std::vector<LPARAM>{1}));
    EXPECT_TRUE(link.Commands().empty());

    // Three panels: the first group keeps what it shows.
    GetDeviceData().mosaic.mode = 4;
    f.onOff = 0;
    f.shape[3] = -1;
    f.level[3] = 3;
    Forget();
    page->RefreshFromDevice();
    EXPECT_EQ(Row(cf::IDC_FIRST_SHAPE_LIST), 2);
    EXPECT_EQ(Row(cf::IDC_PIP3_SHAPE_LIST), 0);
    EXPECT_EQ(Row(cf::IDC_PIP3_LEVEL_LIST), 3);
    EXPECT_FALSE(page->OnOffButton()->IsPressed());
    EXPECT_TRUE(ListsEnabled(false));
    EXPECT_EQ(States(), (std::vector<LPARAM>{0}));

    GetDeviceData().mosaic.mode = 3;
    page->RefreshFromDevice();
    EXPECT_EQ(Row(cf::IDC_FIRST_SHAPE_LIST), 4);
    EXPECT_EQ(Row(cf::IDC_FIRST_LEVEL_LIST), 3);

    // A state byte other than 0 and 1 shows as on and is told as on.
    f.onOff = 5;
    Forget();
    page->RefreshFromDevice();
    EXPECT_TRUE(page->OnOffButton()->IsPressed());
    EXPECT_TRUE(ListsEnabled(true));
    EXPECT_EQ(States(), (std::vector<LPARAM>{1}));
}

TEST_F(FeatherPage, ALanguageChangeRenamesTheShapesAndKeepsTheDeviceValues)
{
    FeatherState& f = GetDeviceData().feather;
    f.shape[2] = 3;
    f.level[2] = 2;
    f.shape[3] = 1;
    f.level[3] = 1;
    page->RefreshFromDevice();
    SetUiText(157, QStringLiteral("Up shape"));
    page->ApplyLanguage();
    EXPECT_EQ(page->List(cf::IDC_FIRST_SHAPE_LIST)->GetList()->GetCount(), 5);
    EXPECT_EQ(page->List(cf::IDC_FIRST_LEVEL_LIST)->GetList()->GetCount(), 4);
    EXPECT_EQ(page->List(cf::IDC_FIRST_SHAPE_LIST)->Caption(), QStringLiteral("Up shape"));
    EXPECT_EQ(Row(cf::IDC_FIRST_SHAPE_LIST), 3);
    EXPECT_EQ(Row(cf::IDC_FIRST_LEVEL_LIST), 2);
    EXPECT_EQ(Row(cf::IDC_PIP3_SHAPE_LIST), 1);
    EXPECT_EQ(Row(cf::IDC_PIP3_LEVEL_LIST), 1);
    EXPECT_EQ(page->List(cf::IDC_PIP3_LEVEL_LIST)->Caption(), QStringLiteral("1"));
    EXPECT_TRUE(link.Commands().empty());
}

TEST_F(FeatherPage, HasNoCloseButtonAndStartsWithItemZero)
{
    EXPECT_TRUE(page->CloseButton() == nullptr || !page->CloseButton()->isVisible());
    for (int id : {cf::IDC_FIRST_SHAPE_LIST, cf::IDC_FIRST_LEVEL_LIST, cf::IDC_PIP3_SHAPE_LIST, cf::IDC_PIP3_LEVEL_LIST})
        EXPECT_EQ(Row(id), 0) << id;
    EXPECT_EQ(page->List(cf::IDC_FIRST_SHAPE_LIST)->Caption(), QStringLiteral("Rectangle"));
    EXPECT_FALSE(page->OnOffButton()->IsPressed());
}

} // namespace
