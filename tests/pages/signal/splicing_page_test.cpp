// The splicing page on its fixture: panel modes and on/off with their command and notice orders,
// picking a preview cell, the manual edits and Reset, and the refresh from the device.

#include "tests/support/PageFixture.h"

#include "controls/CGdipButton.h"
#include "controls/CSxGroupBox.h"
#include "controls/oRealEdit.h"
#include "device/CommandIds.h"
#include "pages/signal/MMosaicDlg.h"
#include "pages/signal/MosaicIds.h"
#include "platform/MessageEvent.h"
#include "platform/PageNotifyCodes.h"

#include <string>

namespace cm = ctl::mosaic;
using Strings = std::vector<std::string>;

namespace {

// Notes how many commands had gone out when each message reached the main window, so that
// commands and messages can be read as one sequence.
class ArrivalMarks : public QObject {
public:
    explicit ArrivalMarks(const comm::RecordingCommLibrary& link) : link_(link) {}
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == MessageEvent::EventType())
            marks.push_back(link_.Commands().size());
        return false;
    }
    std::vector<size_t> marks;

private:
    const comm::RecordingCommLibrary& link_;
};

class SplicingPage : public PageFixture<MMosaicDlg> {
protected:
    void SetUp() override
    {
        PageFixture::SetUp();
        arrivals_ = std::make_unique<ArrivalMarks>(link);
        host->installEventFilter(arrivals_.get());
        auto& m = GetDeviceData().mosaic;
        m.option = 0x33;
        m.autoArr = 8;
        for (int w = 0; w < 4; ++w) {
            m.win.hPos[w] = 0;
            m.win.vPos[w] = 0;
            m.win.hAct[w] = 1920;
            m.win.vAct[w] = 1080;
            m.win.hTotal[w] = 1920;
            m.win.vTotal[w] = 1080;
        }
        GetDeviceData().logo.usage = 1;
        // Not part of the block, so the fixture does not put them back.
        GetDeviceData().mosaicCell = 8;
        GetDeviceData().mosaicSubOp = 0;
    }

    // The page as the device's answer leaves it, with nothing recorded yet.
    void RefreshWith(int mode, int autoArr = 8)
    {
        GetDeviceData().mosaic.mode = mode;
        GetDeviceData().mosaic.autoArr = autoArr;
        page->RefreshFromDevice(3);
        Settle();
        Forget();
    }
    void TearDown() override
    {
        host->removeEventFilter(arrivals_.get());
        arrivals_.reset();
        PageFixture::TearDown();
    }
    void Forget()
    {
        link.ClearCalls();
        host->messages.clear();
        arrivals_->marks.clear();
    }
    // Commands and messages in the order they happened: a message sent at once sits between the
    // commands around it; a posted one comes after everything the click sent.
    std::vector<std::string> Sequence() const
    {
        const Strings commands = Trace();
        const Strings messages = Messages();
        EXPECT_EQ(messages.size(), arrivals_->marks.size());
        Strings out;
        size_t next = 0;
        for (size_t m = 0; m < messages.size() && m < arrivals_->marks.size(); ++m) {
            for (; next < arrivals_->marks[m] && next < commands.size(); ++next) out.push_back(commands[next]);
            out.push_back(messages[m]);
        }
        for (; next < commands.size(); ++next) out.push_back(commands[next]);
        return out;
    }

    // Commands in order: "id" or, with an argument, "id(b0)"; command 6 as "6(w,subOp)".
    std::vector<std::string> Trace() const
    {
        std::vector<std::string> out;
        for (const auto& c : link.Commands()) {
            std::string s = std::to_string(c.id);
            if (c.id == CMD_SET_SPLICING_WINDOW)
                s += "(" + std::to_string(c.bytes[3]) + "," + std::to_string(c.bytes[0]) + ")";
            else if (c.id == CMD_QUERY_KEYER || c.id == CMD_QUERY_SPLICING_WINDOW || c.id == CMD_QUERY_LAYER_WINDOW)
                s += "(" + std::to_string(c.bytes[0]) + ")";
            out.push_back(s);
        }
        return out;
    }
    // Messages to the main window in arrival order: "mode n", "cell n", "busy", "layers".
    std::vector<std::string> Messages() const
    {
        std::vector<std::string> out;
        for (const auto& m : host->messages) {
            if (m.msg == WM_PAGE_NOTIFY && m.wParam == NOTIFY_SPLICING_MODE)
                out.push_back("mode " + std::to_string(m.lParam));
            else if (m.msg == WM_PAGE_NOTIFY && m.wParam == NOTIFY_SPLICING_CELL)
                out.push_back("cell " + std::to_string(m.lParam));
            else if (m.msg == WM_BUSY_DIALOG)
                out.push_back("busy " + std::to_string(m.wParam) + " " + m.payload.toString().toStdString());
            else if (m.msg == WM_LAYER_SET_CHANGED)
                out.push_back("layers " + std::to_string(m.wParam) + " " + std::to_string(m.lParam));
        }
        return out;
    }
    // A press on the preview where an operator would press: on the group box drawn over it.
    void ClickPreview(QPoint pagePoint)
    {
        CSxGroupBox* group = page->AutoGroup();
        QTest::mouseClick(group, Qt::LeftButton, {}, pagePoint - group->pos());
        Settle();
    }
    QString Shown(int id) const { return page->Edit(id)->text(); }
    // Types into an edit after the focus has moved there and the edit it left has committed.
    void Enter(int id, const QString& text, bool forgetBefore = false)
    {
        page->Edit(id)->setFocus(Qt::OtherFocusReason);
        Settle();
        if (forgetBefore) Forget();
        TypeAndEnter(page->Edit(id), text);
    }

    const std::string busy_ = "busy 1 Waitting Operation ...";
    std::unique_ptr<ArrivalMarks> arrivals_;
};

TEST_F(SplicingPage, AModeChangeSendsTheWindowThenNoticesQueriesCellAndBusy)
{
    auto& m = GetDeviceData().mosaic;
    m.win.hPos[0] = 0x01020304;
    m.win.vPos[0] = 5;
    m.win.hAct[0] = 1920;
    m.win.vAct[0] = 1080;
    m.win.hTotal[0] = 3840;
    m.win.vTotal[0] = 2160;
    RefreshWith(1, 1);
    ASSERT_EQ(GetDeviceData().mosaicCell, 1);
    GetDeviceData().mosaicSubOp = 7;

    ClickButton(page->PanelButton(1));  // "Panel x 2"

    EXPECT_EQ(GetDeviceData().mosaic.mode, 2);
    EXPECT_EQ(GetDeviceData().mosaicSubOp, 0);
    EXPECT_EQ(Sequence(), (Strings{"6(0,0)", "mode 2", "73", "59(3)", "59(1)", busy_, "cell 0"}));
    const auto set = Sent(CMD_SET_SPLICING_WINDOW);
    ASSERT_EQ(set.size(), 1u);
    // The arrangement picked for the old mode does not travel with the new one: cell 8, none.
    EXPECT_TRUE(SameBytes(set[0].bytes, Block32({0, 2, 8, 0, 0x04, 0x03, 0x02, 0x01, 5, 0, 0, 0, 0x80, 0x07, 0, 0,
                                                 0x38, 0x04, 0, 0, 0x00, 0x0F, 0, 0, 0x70, 0x08, 0, 0, 0, 0x33})));
    // Sent notices arrive at once, the posted first cell after them.
    EXPECT_EQ(Messages(), (Strings{"mode 2", busy_, "cell 0"}));
    EXPECT_EQ(GetDeviceData().mosaicCell, 8);
    EXPECT_EQ(page->SelectedCell(), 8);
    for (int c = 0; c < 8; ++c) EXPECT_FALSE(page->IsCellFlagged(c)) << c;
    EXPECT_EQ(GetDeviceData().logo.usage, 1);
    EXPECT_TRUE(page->PanelButton(1)->IsPressed());
    EXPECT_FALSE(page->PanelButton(0)->IsPressed());

    Forget();
    ClickButton(page->PanelButton(1));
    EXPECT_TRUE(link.Commands().empty());
    EXPECT_TRUE(host->messages.empty());
    EXPECT_TRUE(page->PanelButton(1)->IsPressed());
}

TEST_F(SplicingPage, EachModeTellsItsFirstCellAndFourPanelsTakePip3FromTheLogo)
{
    const struct {
        int index, mode, firstCell;
    } cases[] = {{1, 2, 0}, {2, 3, 0}, {3, 4, 2}, {0, 1, 8}, {4, 5, 5}};
    RefreshWith(1);
    int current = 0;
    for (const auto& c : cases) {
        if (c.index == current) {
            ClickButton(page->PanelButton((c.index + 1) % 5));
            current = (c.index + 1) % 5;
        }
        GetDeviceData().logo.usage = 1;
        Forget();
        ClickButton(page->PanelButton(c.index));
        current = c.index;
        EXPECT_EQ(GetDeviceData().mosaic.mode, c.mode);
        const Strings expected = c.mode == 5 ? Strings{"mode 5", busy_, "cell 5", "layers 1 0"}
                                             : Strings{"mode " + std::to_string(c.mode), busy_,
                                                       "cell " + std::to_string(c.firstCell)};
        EXPECT_EQ(Messages(), expected) << c.mode;
        EXPECT_EQ(GetDeviceData().logo.usage, c.mode == 5 ? 0 : 1) << c.mode;
    }
}

TEST_F(SplicingPage, TurningOnAndOffSendsTheirQueriesInOrder)
{
    RefreshWith(3);  // remembers "Panel x2_1"
    RefreshWith(0);
    EXPECT_FALSE(page->IsSplicingOn());
    GetDeviceData().mosaicCell = 4;

    ClickButton(page->OnOffButton());
    EXPECT_TRUE(page->IsSplicingOn());
    EXPECT_EQ(GetDeviceData().mosaic.mode, 3);
    EXPECT_EQ(Sequence(), (Strings{"59(1)", "59(3)", "6(0,0)", "mode 3", busy_, "56(0)", "56(1)", "56(2)", "56(3)",
                                   "57", "54(0)", "54(1)", "54(2)", "54(3)", "cell 0"}));
    EXPECT_EQ(Sent(CMD_SET_SPLICING_WINDOW)[0].bytes[1], 3);
    EXPECT_EQ(Sent(CMD_SET_SPLICING_WINDOW)[0].bytes[2], 8);
    EXPECT_EQ(Messages(), (Strings{"mode 3", busy_, "cell 0"}));
    EXPECT_EQ(GetDeviceData().mosaicCell, 8);
    EXPECT_EQ(GetDeviceData().logo.usage, 1);

    GetDeviceData().mosaicCell = 4;
    Forget();
    ClickButton(page->OnOffButton());
    EXPECT_FALSE(page->IsSplicingOn());
    EXPECT_EQ(GetDeviceData().mosaic.mode, 0);
    EXPECT_EQ(Sequence(), (Strings{"59(1)", "59(3)", "6(0,0)", "mode 0", "57", "54(0)", "54(1)", "54(2)", "54(3)"}));
    EXPECT_EQ(Sent(CMD_SET_SPLICING_WINDOW)[0].bytes[1], 0);
    EXPECT_EQ(Sent(CMD_SET_SPLICING_WINDOW)[0].bytes[2], 8);
    EXPECT_EQ(Messages(), (Strings{"mode 0"}));
}

TEST_F(SplicingPage, FourPanelsTakePip3WhenTurnedOnButNotWhenTurnedOff)
{
    RefreshWith(5);
    RefreshWith(0);
    ClickButton(page->OnOffButton());
    EXPECT_EQ(GetDeviceData().logo.usage, 0);
    // The logo layer goes before the first cell here, unlike a mode change.
    EXPECT_EQ(Messages(), (Strings{"mode 5", busy_, "layers 1 0", "cell 5"}));

    // Off makes the mode 0 before the logo check, so the logo layer is left as it is.
    GetDeviceData().logo.usage = 1;
    Forget();
    ClickButton(page->OnOffButton());
    EXPECT_EQ(GetDeviceData().logo.usage, 1);
    EXPECT_EQ(Messages(), (Strings{"mode 0"}));
}

TEST_F(SplicingPage, PanelsResetAndEditsAreEnabledExactlyWhileSplicingIsOn)
{
    const auto check = [this](bool on) {
        EXPECT_EQ(page->IsSplicingOn(), on);
        EXPECT_EQ(page->OnOffButton()->IsPressed(), on);
        EXPECT_EQ(page->ResetButton()->isEnabled(), on);
        EXPECT_EQ(page->ResetButton()->HasDisabledLook(), !on);
        for (int i = 0; i < 5; ++i) EXPECT_EQ(page->PanelButton(i)->isEnabled(), on) << i;
        for (int id : {cm::IDC_H_START_EDIT, cm::IDC_V_START_EDIT, cm::IDC_WIDTH_EDIT, cm::IDC_HEIGHT_EDIT,
                       cm::IDC_H_TOTAL_EDIT, cm::IDC_V_TOTAL_EDIT})
            EXPECT_EQ(page->Edit(id)->isEnabled(), on) << id;
    };
    check(false);  // as created, before the device has answered
    RefreshWith(4);
    check(true);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(page->PanelButton(i)->IsPressed(), i == 3) << i;
    ClickButton(page->OnOffButton());
    check(false);
    ClickButton(page->OnOffButton());
    check(true);
}

TEST_F(SplicingPage, APreviewClickPicksACellOnceAndNothingWhenOffOrOnePanel)
{
    RefreshWith(4);
    const auto& layout = page->Layout();

    ClickPreview(layout[3].cell.center());
    EXPECT_EQ(Sequence(), (Strings{"6(0,1)", busy_, "cell 3"}));
    EXPECT_EQ(Sent(CMD_SET_SPLICING_WINDOW)[0].bytes[2], 3);
    EXPECT_EQ(Sent(CMD_SET_SPLICING_WINDOW)[0].bytes[1], 4);
    EXPECT_EQ(Messages(), (Strings{busy_, "cell 3"}));
    EXPECT_EQ(GetDeviceData().mosaicCell, 3);
    EXPECT_EQ(GetDeviceData().mosaic.autoArr, 3);
    EXPECT_EQ(page->SelectedCell(), 3);
    for (int c = 2; c <= 4; ++c) EXPECT_EQ(page->IsCellFlagged(c), c == 3) << c;

    // The same cell again, by picture or by marker: nothing.
    Forget();
    ClickPreview(layout[3].cell.topLeft());
    ClickPreview(layout[3].marker.center());
    EXPECT_TRUE(link.Commands().empty());
    EXPECT_TRUE(host->messages.empty());

    // The marker of another cell picks it.
    ClickPreview(layout[4].marker.center());
    EXPECT_EQ(Trace(), (Strings{"6(0,1)"}));
    EXPECT_EQ(Messages(), (Strings{busy_, "cell 4"}));

    // Between the cells: nothing.
    Forget();
    ClickPreview(QPoint(layout[2].cell.right() + 3, layout[2].cell.top() + 2));
    EXPECT_TRUE(link.Commands().empty());

    // One panel, or splicing off: nothing, wherever the click lands.
    RefreshWith(1);
    for (const auto& cell : layout) ClickPreview(cell.cell.center());
    RefreshWith(0);
    for (const auto& cell : layout) ClickPreview(cell.cell.center());
    EXPECT_TRUE(link.Commands().empty());
    EXPECT_TRUE(host->messages.empty());
}

TEST_F(SplicingPage, ATotalBelowTheSizeCutsTheSizeThenTheStart)
{
    RefreshWith(2);
    Enter(cm::IDC_H_START_EDIT, QStringLiteral("500"));
    // 500 does not fit before a 1920 width in a 1920 total: back to 0, stored and sent anyway.
    EXPECT_EQ(Shown(cm::IDC_H_START_EDIT), QStringLiteral("0"));
    ASSERT_EQ(Trace(), (Strings{"6(0,2)"}));

    Enter(cm::IDC_WIDTH_EDIT, QStringLiteral("1000"));
    Enter(cm::IDC_H_START_EDIT, QStringLiteral("500"));
    EXPECT_EQ(Shown(cm::IDC_H_START_EDIT), QStringLiteral("500"));
    Enter(cm::IDC_WIDTH_EDIT, QStringLiteral("1920"));
    EXPECT_EQ(Shown(cm::IDC_WIDTH_EDIT), QStringLiteral("1420"));
    Enter(cm::IDC_HEIGHT_EDIT, QStringLiteral("1080"));
    EXPECT_EQ(Shown(cm::IDC_HEIGHT_EDIT), QStringLiteral("1080"));

    // As if the device had put the window back to the whole picture.
    GetDeviceData().mosaic.win.hAct[0] = 1920;
    GetDeviceData().mosaic.win.hPos[0] = 500;
    page->Edit(cm::IDC_WIDTH_EDIT)->SetValue(1920);
    Enter(cm::IDC_H_TOTAL_EDIT, QStringLiteral("1000"), true);
    EXPECT_EQ(Shown(cm::IDC_WIDTH_EDIT), QStringLiteral("1000"));
    EXPECT_EQ(Shown(cm::IDC_H_START_EDIT), QStringLiteral("0"));
    const auto& win = GetDeviceData().mosaic.win;
    EXPECT_EQ(win.hPos[0], 0);
    EXPECT_EQ(win.hAct[0], 1000);
    EXPECT_EQ(win.hTotal[0], 1000);
    EXPECT_EQ(win.vAct[0], 1080);
    const auto sent = Sent(CMD_SET_SPLICING_WINDOW);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_TRUE(SameBytes(sent[0].bytes, Block32({2, 2, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xE8, 0x03, 0, 0, 0x38, 0x04,
                                                  0, 0, 0xE8, 0x03, 0, 0, 0x38, 0x04, 0, 0, 0, 0x33})));

    // V total on PIP-1: height cut to the total, then the start pulled back.
    ClickButton(page->WindowButton(1));
    Enter(cm::IDC_HEIGHT_EDIT, QStringLiteral("600"));
    Enter(cm::IDC_V_START_EDIT, QStringLiteral("400"));
    Enter(cm::IDC_V_TOTAL_EDIT, QStringLiteral("800"), true);
    EXPECT_EQ(Shown(cm::IDC_V_START_EDIT), QStringLiteral("200"));
    EXPECT_EQ(Shown(cm::IDC_HEIGHT_EDIT), QStringLiteral("600"));
    EXPECT_EQ(win.vPos[1], 200);
    EXPECT_EQ(win.vAct[1], 600);
    EXPECT_EQ(win.vTotal[1], 800);
    EXPECT_EQ(Trace(), (Strings{"6(1,2)"}));
}

TEST_F(SplicingPage, TwoCommitsInOnePassSendTheCutStartOnce)
{
    RefreshWith(2);
    TypeAndEnterInOnePass(page->Edit(cm::IDC_H_START_EDIT), QStringLiteral("500"));
    page->Edit(cm::IDC_WIDTH_EDIT)->setFocus(Qt::TabFocusReason);
    Settle();
    EXPECT_EQ(Shown(cm::IDC_H_START_EDIT), QStringLiteral("0"));
    EXPECT_EQ(GetDeviceData().mosaic.win.hPos[0], 0);
    EXPECT_EQ(Trace(), (Strings{"6(0,2)"}));
}

TEST_F(SplicingPage, EditsAreIgnoredWhileThePageIsHidden)
{
    RefreshWith(2);
    page->ShowPage(false);
    page->Edit(cm::IDC_H_TOTAL_EDIT)->SetValue(100);
    SendMsg(page.get(), WM_VALUE_CHANGED, cm::IDC_H_TOTAL_EDIT, 0);
    Settle();
    EXPECT_TRUE(link.Commands().empty());
    EXPECT_EQ(GetDeviceData().mosaic.win.hTotal[0], 1920);
}

TEST_F(SplicingPage, WindowButtonsShowTheirWindowAndSendNothing)
{
    auto& win = GetDeviceData().mosaic.win;
    win.hPos[3] = 11;
    win.vPos[3] = 22;
    win.hAct[3] = 333;
    win.vAct[3] = 444;
    win.hTotal[3] = 5555;
    win.vTotal[3] = 6666;
    RefreshWith(2);
    ClickButton(page->WindowButton(3));
    EXPECT_EQ(page->CurrentWindow(), 3);
    EXPECT_TRUE(page->WindowButton(3)->IsPressed());
    EXPECT_FALSE(page->WindowButton(0)->IsPressed());
    EXPECT_EQ(page->WindowButton(3)->CaptionColor(), 0x9CEFu);
    EXPECT_EQ(page->WindowButton(0)->CaptionColor(), 0xEBEBEBu);
    const int ids[] = {cm::IDC_H_START_EDIT, cm::IDC_V_START_EDIT, cm::IDC_WIDTH_EDIT,
                       cm::IDC_HEIGHT_EDIT,  cm::IDC_H_TOTAL_EDIT, cm::IDC_V_TOTAL_EDIT};
    const char* values[] = {"11", "22", "333", "444", "5555", "6666"};
    for (int k = 0; k < 6; ++k) EXPECT_EQ(Shown(ids[k]), QString::fromLatin1(values[k])) << ids[k];
    EXPECT_TRUE(link.Commands().empty());
    EXPECT_TRUE(host->messages.empty());
}

TEST_F(SplicingPage, ResetSendsTheFullPictureWithSubOperationOneOnce)
{
    RefreshWith(2);
    ClickButton(page->WindowButton(2));
    auto& win = GetDeviceData().mosaic.win;
    win.hPos[2] = 7;
    win.hTotal[2] = 100;
    ClickButton(page->ResetButton());
    const auto sent = Sent(CMD_SET_SPLICING_WINDOW);
    ASSERT_EQ(link.Commands().size(), 1u);
    EXPECT_TRUE(SameBytes(sent[0].bytes, Block32({2, 2, 8, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0x80, 0x07, 0, 0, 0x38, 0x04,
                                                  0, 0, 0x80, 0x07, 0, 0, 0x38, 0x04, 0, 0, 1, 0x33})));
    EXPECT_EQ(GetDeviceData().mosaicSubOp, 0);
    EXPECT_EQ(win.hPos[2], 0);
    EXPECT_EQ(win.hTotal[2], 1920);
    EXPECT_EQ(Shown(cm::IDC_H_TOTAL_EDIT), QStringLiteral("1920"));
    EXPECT_EQ(Shown(cm::IDC_V_TOTAL_EDIT), QStringLiteral("1080"));
}

TEST_F(SplicingPage, RefreshShowsTheDeviceAndKeepsOutOfTableValuesOffAndNone)
{
    const struct {
        int32_t mode, autoArr;
        bool on;
        int notifiedMode, cell;
    } cases[] = {{4, 3, true, 4, 3},   {2, 8, true, 2, 8},   {5, 12, true, 5, 8}, {3, -1, true, 3, 8},
                 {7, 1, false, 0, 1},  {-2, 0, false, 0, 0}, {0, 8, false, 0, 8}, {1, INT32_MIN, true, 1, 8}};
    for (const auto& c : cases) {
        GetDeviceData().mosaicCell = 6;
        Forget();
        GetDeviceData().mosaic.mode = c.mode;
        GetDeviceData().mosaic.autoArr = c.autoArr;
        page->RefreshFromDevice(3);
        Settle();
        EXPECT_EQ(page->IsSplicingOn(), c.on) << c.mode;
        if (c.on) {
            EXPECT_EQ(page->PanelIndex(), c.mode - 1);
        }
        EXPECT_EQ(Messages(), (Strings{"mode " + std::to_string(c.notifiedMode), "cell " + std::to_string(c.cell)}))
            << c.mode << " " << c.autoArr;
        EXPECT_EQ(page->SelectedCell(), c.cell);
        EXPECT_EQ(GetDeviceData().mosaicCell, c.cell == 8 ? 6 : c.cell);
        for (int k = 0; k < 8; ++k) EXPECT_EQ(page->IsCellFlagged(k), k == c.cell) << k;
        EXPECT_TRUE(link.Commands().empty());
        page->repaint();  // paints whatever the block holds
    }
}

TEST_F(SplicingPage, AnAnswerForAnEarlierWindowLeavesThePageAlone)
{
    RefreshWith(2, 1);
    GetDeviceData().mosaic.mode = 4;
    GetDeviceData().mosaic.autoArr = 3;
    GetDeviceData().mosaic.win.hTotal[0] = 777;
    for (int index : {0, 1, 2, -1, 4}) page->RefreshFromDevice(index);
    Settle();
    EXPECT_EQ(page->PanelIndex(), 1);
    EXPECT_EQ(page->SelectedCell(), 1);
    EXPECT_EQ(Shown(cm::IDC_H_TOTAL_EDIT), QStringLiteral("1920"));
    EXPECT_TRUE(host->messages.empty());
    EXPECT_TRUE(link.Commands().empty());
}

} // namespace
