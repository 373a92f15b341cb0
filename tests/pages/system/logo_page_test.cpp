// The logo page: window corrections as typed, slots that can be loaded, the usage switch, the
// "position changed" question, Save refused without a signal, and the provisional window.

#include "tests/support/PageFixture.h"

#include "controls/CGdipButton.h"
#include "controls/oRealEdit.h"
#include "device/CommandIds.h"
#include "pages/system/MLogoDlg.h"
#include "platform/PageNotifyCodes.h"

#include <QLabel>

#include <cstring>

namespace {

enum { kH = 0, kV = 1, kW = 2, kHt = 3 };

class LogoPage : public PageFixture<MLogoDlg> {
protected:
    void SetUp() override
    {
        PageFixture<MLogoDlg>::SetUp();
        CDeviceData& d = GetDeviceData();
        d.outputReso.hReso = 1920;
        d.outputReso.vReso = 1080;
        d.pvwMode = 0;
        for (uint8_t& s : d.pgmState) s = 0;
        d.chnl[3] = LayerWindow{1, 64, 2, 0, 100, 50, 640, 480, 0};
        for (uint8_t& s : d.inputState) s = 1;
        std::memset(&d.logo, 0, sizeof d.logo);
        d.logoDirty = 0;
        d.logoSlot = 0;
        Refresh();
    }
    void Refresh()
    {
        page->RefreshFromDevice();
        page->UpdateEnableState();
        Settle();
        link.ClearCalls();
        host->messages.clear();
    }
    void StoreSlot(int l, uint16_t x, uint16_t y, uint16_t w, uint16_t h)
    {
        LogoSettings& logo = GetDeviceData().logo;
        logo.valid[l] = 1;
        logo.win.hPos[l] = x;
        logo.win.vPos[l] = y;
        logo.win.hAct[l] = w;
        logo.win.vAct[l] = h;
    }
    std::vector<int> LogoOps() const
    {
        std::vector<int> ops;
        for (const auto& c : Sent(CMD_LOGO)) ops.push_back(c.bytes[0]);
        return ops;
    }
    // The logo command as the encoder fills it: operation, slot, window, provisional flag, state.
    static CommandBlock LogoBlock(int op, int slot, int x, int y, int w, int h, int provisional)
    {
        const LogoSettings& l = GetDeviceData().logo;
        return Block32({op, slot, x & 0xFF, x >> 8, y & 0xFF, y >> 8, w & 0xFF, w >> 8, h & 0xFF, h >> 8, provisional, l.usage,
                        l.onOff, l.pos, l.border});
    }
};

TEST_F(LogoPage, NormalUsageCorrectsTheWindowAsTyped)
{
    EXPECT_EQ(page->ShownWindow(), (logo::Window{0, 0, 640, 480}));
    TypeAndEnter(page->WindowEdit(kW), QStringLiteral("600"));
    link.ClearCalls();
    const struct {
        const char* typed;
        logo::Window shown;
    } cases[] = {{"100", {100, 0, 540, 480}}, {"636", {632, 0, 8, 480}}};
    for (const auto& c : cases) {
        link.ClearCalls();
        TypeAndEnter(page->WindowEdit(kH), QString::fromLatin1(c.typed));
        EXPECT_EQ(page->ShownWindow(), c.shown) << c.typed;
        // The window goes out in output pixels: PIP-3's position plus the start.
        ASSERT_EQ(Sent(CMD_LOGO).size(), 1u) << c.typed;
        EXPECT_TRUE(SameBytes(Sent(CMD_LOGO)[0].bytes, LogoBlock(3, 0, 100 + c.shown.h, 50, c.shown.width, 480, 0))) << c.typed;
    }
    EXPECT_EQ(GetDeviceData().logoDirty, 0);
    EXPECT_FALSE(page->PositionChanged());
}

TEST_F(LogoPage, ASmallPip3NeverWrapsTheStoredWindow)
{
    CDeviceData& d = GetDeviceData();
    d.chnl[3].hAct = 4;
    d.chnl[3].vAct = 0;
    Refresh();
    EXPECT_EQ(page->ShownWindow(), (logo::Window{0, 0, 8, 8}));
    TypeAndEnter(page->WindowEdit(kH), QStringLiteral("2"));
    EXPECT_EQ(page->ShownWindow(), (logo::Window{0, 0, 8, 8}));
    EXPECT_EQ(d.logoEdit.hAct[0], 8);
    EXPECT_EQ(d.logoEdit.hPos[0], 100);
    // Nor does a PIP-3 at the far end of the 32-bit range: its position plus the start is cut.
    d.chnl[3].hPos = d.chnl[3].hAct = INT32_MAX;
    Refresh();
    TypeAndEnter(page->WindowEdit(kH), QStringLiteral("100"));
    EXPECT_EQ(d.logoEdit.hPos[0], 0xFFFF);
    // An input code beyond the table reads no input state: Save is refused.
    d.chnl[3].input = 200;
    ClickButton(page->SaveLoadButton(0));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("PIP3 Input Source Is  Signal Off"));
}

TEST_F(LogoPage, SaveIsRefusedWithoutSignalAndCapturesWithOne)
{
    CDeviceData& d = GetDeviceData();
    d.chnl[3].input = 10;  // dual-link input: slot 6
    d.inputState[6] = 0;
    ClickButton(page->SaveLoadButton(0));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, QStringLiteral("Tarvo Serial-VideoProcessor"));
    EXPECT_TRUE(link.Commands().empty());
    EXPECT_EQ(d.logo.valid[0], 0);
    EXPECT_TRUE(host->Of(WM_BUSY_DIALOG).empty());

    d.inputState[6] = 1;
    TypeAndEnter(page->WindowEdit(kW), QStringLiteral("320"));
    link.ClearCalls();
    ClickButton(page->SaveLoadButton(0));
    EXPECT_EQ(d.logo.valid[0], 1);
    EXPECT_EQ(d.logo.win.hAct[0], 320);
    EXPECT_EQ(d.logo.win.hPos[0], 0);
    EXPECT_EQ(LogoOps(), (std::vector<int>{3, 2}));
    EXPECT_TRUE(SameBytes(Sent(CMD_LOGO)[1].bytes, LogoBlock(2, 0, 100, 50, 320, 480, 0)));
    EXPECT_EQ(page->ClearButton(0)->text(), QStringLiteral("Clear"));
    EXPECT_EQ(page->SlotButton(0)->CaptionColor(), 0x9CEFu);
    EXPECT_EQ(host->Of(WM_BUSY_DIALOG).size(), 1u);
}

TEST_F(LogoPage, OnlyUsableSlotsCanBeChosenOrLoaded)
{
    CDeviceData& d = GetDeviceData();
    StoreSlot(0, 0, 0, 200, 100);
    StoreSlot(1, 0, 0, 2000, 100);  // wider than the output
    StoreSlot(2, 10, 10, 300, 200);
    d.logo.usage = 1;
    d.logo.curId = 0;
    Refresh();
    EXPECT_TRUE(page->SlotButton(0)->isEnabled());
    EXPECT_FALSE(page->SlotButton(1)->isEnabled());
    EXPECT_TRUE(page->SlotButton(2)->isEnabled());
    EXPECT_FALSE(page->SlotButton(3)->isEnabled());
    EXPECT_TRUE(page->SaveLoadButton(0)->isEnabled());
    EXPECT_FALSE(page->SaveLoadButton(2)->isEnabled());
    EXPECT_EQ(page->SaveLoadButton(0)->text(), QStringLiteral("Load"));
    EXPECT_EQ(page->SlotButton(0)->CaptionColor(), 0x00FF00u);
    EXPECT_TRUE(page->OnOffButton()->isEnabled());
    // Logo use: position only.
    EXPECT_TRUE(page->WindowEdit(kH)->isEnabled());
    EXPECT_FALSE(page->WindowEdit(kW)->isEnabled());
    EXPECT_FALSE(page->WindowEdit(kHt)->isEnabled());

    ClickButton(page->SlotButton(2));
    EXPECT_EQ(page->CurrentSlot(), 2);
    EXPECT_TRUE(page->SaveLoadButton(2)->isEnabled());
    EXPECT_TRUE(page->PositionChanged());
    EXPECT_EQ(page->ShownWindow(), (logo::Window{10, 10, 300, 200}));
    ASSERT_EQ(host->Of(WM_LAYER_GEOMETRY).size(), 1u);
    ClickButton(page->SaveLoadButton(2));
    EXPECT_EQ(d.logo.curId, 2);
    EXPECT_EQ(LogoOps(), (std::vector<int>{3, 1}));
    EXPECT_EQ(page->SlotButton(2)->CaptionColor(), 0x00FF00u);
    EXPECT_EQ(page->SlotButton(0)->CaptionColor(), 0x9CEFu);
    EXPECT_FALSE(page->PositionChanged());
}

TEST_F(LogoPage, LogoUsePullsAnOverflowingStartToZero)
{
    CDeviceData& d = GetDeviceData();
    StoreSlot(1, 1800, 1000, 300, 200);
    d.logo.usage = 1;
    d.logo.curId = 1;
    Refresh();
    EXPECT_EQ(d.logo.win.hPos[1], 0);
    EXPECT_EQ(d.logo.win.vPos[1], 0);
    EXPECT_EQ(page->ShownWindow(), (logo::Window{0, 0, 300, 200}));
    // Typed starts are held inside the output.
    TypeAndEnter(page->WindowEdit(kH), QStringLiteral("1700"));
    EXPECT_EQ(page->ShownWindow().h, 1620);
    EXPECT_TRUE(page->PositionChanged());
    ASSERT_EQ(Sent(CMD_LOGO).size(), 1u);
    EXPECT_TRUE(SameBytes(Sent(CMD_LOGO)[0].bytes, LogoBlock(3, 1, 1620, 0, 300, 200, 0)));
}

TEST_F(LogoPage, TheUsageSwitchSequence)
{
    CDeviceData& d = GetDeviceData();
    StoreSlot(3, 0, 0, 200, 100);
    d.logo.curId = 3;
    d.logo.onOff = 1;
    d.logo.border = 1;
    Refresh();
    // A provisional window (border on) is made final by the switch.
    TypeAndEnter(page->WindowEdit(kV), QStringLiteral("20"));
    EXPECT_EQ(d.logoDirty, 1);
    ASSERT_EQ(Sent(CMD_LOGO).size(), 1u);
    EXPECT_EQ(Sent(CMD_LOGO)[0].bytes[10], 1);
    link.ClearCalls();
    host->messages.clear();

    ClickButton(page->UsageLogoButton());
    EXPECT_EQ(d.logo.usage, 1);
    EXPECT_EQ(d.logo.onOff, 0);
    EXPECT_EQ(d.logoSlot, 3);
    EXPECT_EQ(d.logoDirty, 0);
    EXPECT_EQ(LogoOps(), (std::vector<int>{4, 3}));
    EXPECT_FALSE(page->UsageNormalButton()->IsPressed());
    EXPECT_EQ(host->Of(WM_LAYER_SET_CHANGED).size(), 1u);
    ASSERT_EQ(host->Notices(NOTIFY_LAYER_VISIBILITY).size(), 1u);
    EXPECT_EQ(host->Notices(NOTIFY_LAYER_VISIBILITY)[0].lParam, 2);

    // The usage already in force: nothing.
    link.ClearCalls();
    host->messages.clear();
    ClickButton(page->UsageLogoButton());
    EXPECT_TRUE(link.Commands().empty());
    EXPECT_TRUE(host->messages.empty());

    ClickButton(page->UsageNormalButton());
    EXPECT_EQ(d.logo.usage, 0);
    EXPECT_EQ(LogoOps(), (std::vector<int>{4}));
    EXPECT_FALSE(page->OnOffButton()->isEnabled());
    EXPECT_EQ(page->SaveLoadButton(0)->text(), QStringLiteral("Save"));
}

TEST_F(LogoPage, ThePositionQuestionAndItsTwoAnswers)
{
    CDeviceData& d = GetDeviceData();
    StoreSlot(0, 5, 6, 200, 100);
    StoreSlot(1, 7, 8, 300, 150);
    d.logo.usage = 1;
    d.logo.curId = 0;
    Refresh();
    ClickButton(page->SlotButton(1));
    ASSERT_TRUE(page->PositionChanged());
    link.ClearCalls();
    host->messages.clear();

    boxAnswer = IDCANCEL;
    ClickButton(page->OnOffButton());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("Logo Position is changed, please Load logo"));
    EXPECT_EQ(boxes[0].type, MB_OKCANCEL);
    EXPECT_FALSE(page->OnOffButton()->IsPressed());
    EXPECT_EQ(d.logo.onOff, 0);
    EXPECT_EQ(page->CurrentSlot(), 0);
    EXPECT_EQ(d.logoSlot, 0);
    EXPECT_EQ(page->ShownWindow(), (logo::Window{5, 6, 200, 100}));
    EXPECT_TRUE(page->SaveLoadButton(0)->isEnabled());
    EXPECT_FALSE(page->SaveLoadButton(1)->isEnabled());
    EXPECT_FALSE(page->PositionChanged());
    EXPECT_TRUE(link.Commands().empty());
    EXPECT_EQ(host->Of(WM_LAYER_GEOMETRY).size(), 1u);

    ClickButton(page->SlotButton(1));
    link.ClearCalls();
    boxAnswer = IDOK;
    ClickButton(page->OnOffButton());
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(d.logo.curId, 1);
    EXPECT_EQ(d.logo.onOff, 1);
    EXPECT_TRUE(page->OnOffButton()->IsPressed());
    EXPECT_EQ(LogoOps(), (std::vector<int>{3, 1, 5}));
    EXPECT_TRUE(SameBytes(Sent(CMD_LOGO)[2].bytes, LogoBlock(5, 1, 7, 8, 300, 150, 0)));
}

TEST_F(LogoPage, OnOffUndoneWhilePip3IsOnProgram)
{
    CDeviceData& d = GetDeviceData();
    StoreSlot(0, 0, 0, 200, 100);
    d.logo.usage = 1;
    Refresh();
    d.pvwMode = 1;
    d.pgmState[3] = 1;
    page->UpdateEnableState();
    EXPECT_FALSE(page->UsageLogoButton()->isEnabled());
    EXPECT_FALSE(page->TopButton()->isEnabled());
    page->SetLogoOnOff(1);
    EXPECT_FALSE(page->OnOffButton()->IsPressed());
    EXPECT_EQ(d.logo.onOff, 0);
    EXPECT_TRUE(link.Commands().empty());

    d.pgmState[3] = 0;
    page->UpdateEnableState();
    EXPECT_TRUE(page->UsageLogoButton()->isEnabled());
    page->SetLogoOnOff(1);
    EXPECT_EQ(d.logo.onOff, 1);
    EXPECT_EQ(LogoOps(), (std::vector<int>{5}));
}

TEST_F(LogoPage, HidingSendsTheProvisionalWindowForGoodAndTopBorderClear)
{
    CDeviceData& d = GetDeviceData();
    d.logo.border = 1;
    d.logo.pos = 1;
    Refresh();
    TypeAndEnter(page->WindowEdit(kHt), QStringLiteral("100"));
    ASSERT_EQ(d.logoDirty, 1);
    link.ClearCalls();
    page->ShowPage(false);
    EXPECT_EQ(LogoOps(), (std::vector<int>{3}));
    EXPECT_EQ(Sent(CMD_LOGO)[0].bytes[10], 0);
    EXPECT_EQ(d.logoDirty, 0);
    page->ShowPage(true);
    Settle();
    link.ClearCalls();

    ClickButton(page->TopButton());
    EXPECT_EQ(d.logo.pos, 0);
    ClickButton(page->BorderButton());
    EXPECT_EQ(d.logo.border, 0);
    EXPECT_EQ(LogoOps(), (std::vector<int>{6, 7}));

    StoreSlot(0, 0, 0, 100, 100);
    Refresh();
    ClickButton(page->ClearButton(0));
    EXPECT_EQ(d.logo.valid[0], 0);
    EXPECT_EQ(page->ClearButton(0)->text(), QStringLiteral("O"));
    EXPECT_FALSE(page->ClearButton(0)->isEnabled());
    ASSERT_EQ(LogoOps(), (std::vector<int>{0}));
    EXPECT_EQ(Sent(CMD_LOGO)[0].bytes[1], 0);
}

TEST_F(LogoPage, TheNoticeFollowsPip3AndResetGivesTheWholePicture)
{
    CDeviceData& d = GetDeviceData();
    page->SetLogoOnOff(0);
    EXPECT_TRUE(page->NoticeLabel()->isVisible());
    EXPECT_FALSE(page->WindowEdit(kH)->isEnabled());
    page->SetLogoOnOff(1);
    EXPECT_FALSE(page->NoticeLabel()->isVisible());
    EXPECT_TRUE(page->WindowEdit(kH)->isEnabled());
    TypeAndEnter(page->WindowEdit(kH), QStringLiteral("40"));
    d.chnl[3].hAct = 800;
    page->ResetLogoWindow();
    EXPECT_EQ(page->ShownWindow(), (logo::Window{0, 0, 800, 480}));
    EXPECT_EQ(page->LogoEdges(), page->PreviewEdges());
}

TEST_F(LogoPage, AFullOutputLogoIsOutlinedInsideThePreview)
{
    CDeviceData& d = GetDeviceData();
    StoreSlot(0, 0, 0, 1920, 1080);
    d.logo.usage = 1;
    Refresh();
    const logo::Edges p = page->PreviewEdges();
    ASSERT_EQ(page->LogoEdges(), p);
    const QImage shot = page->grab().toImage();
    const int midX = (p.left + p.right) / 2;
    const int midY = (p.top + p.bottom) / 2;
    const QColor black(Qt::black);
    const QColor orange = ToQColor(0x00AEFF);
    // The outline on the preview's first and last pixels, orange inside it, nothing beyond.
    for (QPoint at : {QPoint(p.left, midY), QPoint(p.right - 1, midY), QPoint(midX, p.top), QPoint(midX, p.bottom - 1)})
        EXPECT_EQ(shot.pixelColor(at), black) << at.x() << "," << at.y();
    for (QPoint at : {QPoint(p.left + 1, midY), QPoint(p.right - 2, midY), QPoint(midX, p.top + 1), QPoint(midX, p.bottom - 2)})
        EXPECT_EQ(shot.pixelColor(at), orange) << at.x() << "," << at.y();
    for (QPoint at : {QPoint(p.right, midY), QPoint(midX, p.bottom)}) {
        EXPECT_NE(shot.pixelColor(at), black) << at.x() << "," << at.y();
        EXPECT_NE(shot.pixelColor(at), orange) << at.x() << "," << at.y();
    }
}

TEST_F(LogoPage, TheCurrentSlotIsTheCommandsSlotAndOnNeedsAStoredOne)
{
    CDeviceData& d = GetDeviceData();
    StoreSlot(0, 10, 20, 200, 100);
    StoreSlot(2, 0, 0, 300, 150);
    d.logo.curId = 0;
    Refresh();
    // Normal use, slot 3 chosen; "Logo" goes back to the slot last loaded, for the page too.
    ClickButton(page->SlotButton(2));
    ClickButton(page->UsageLogoButton());
    EXPECT_EQ(d.logoSlot, 0);
    EXPECT_EQ(page->CurrentSlot(), 0);
    link.ClearCalls();
    TypeAndEnter(page->WindowEdit(kH), QStringLiteral("40"));
    ASSERT_EQ(Sent(CMD_LOGO).size(), 1u);
    EXPECT_TRUE(SameBytes(Sent(CMD_LOGO)[0].bytes, LogoBlock(3, 0, 40, 20, 200, 100, 0)));

    // ON shows the current slot: usable only while that slot holds a logo.
    EXPECT_TRUE(page->OnOffButton()->isEnabled());
    ClickButton(page->ClearButton(0));
    EXPECT_FALSE(page->OnOffButton()->isEnabled());
    Refresh();
    EXPECT_FALSE(page->OnOffButton()->isEnabled());
    // The main window's PIP-3 button reaches ON whatever its state: an empty slot stays off.
    link.ClearCalls();
    page->SetLogoOnOff(1);
    EXPECT_EQ(d.logo.onOff, 0);
    EXPECT_FALSE(page->OnOffButton()->IsPressed());
    EXPECT_TRUE(LogoOps().empty());
    StoreSlot(0, 10, 20, 200, 100);
    Refresh();
    EXPECT_TRUE(page->OnOffButton()->isEnabled());

    // A current slot the output cannot show, its position edited: ON asks to load it first (OK),
    // the load is refused, and the logo stays off.
    StoreSlot(1, 0, 0, 2000, 100);
    d.logo.curId = 1;
    Refresh();
    TypeAndEnter(page->WindowEdit(kH), QStringLiteral("40"));
    link.ClearCalls();
    ClickButton(page->OnOffButton());
    EXPECT_EQ(d.logo.onOff, 0);
    EXPECT_FALSE(page->OnOffButton()->IsPressed());
    EXPECT_TRUE(LogoOps().empty());
}

}  // namespace
