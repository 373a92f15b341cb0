// The VGA page: the layer's input read and named, signed positions, command 14 with each of its
// pairs (the ADC values in the command's order), the access code and the relock on hiding.

#include "tests/support/PageFixture.h"

#include "controls/CGdipButton.h"
#include "controls/CSxGroupBox.h"
#include "controls/oRealEdit.h"
#include "device/CommandIds.h"
#include "pages/signal/MVgaDlg.h"
#include "pages/signal/VgaIds.h"

#include <QLabel>

namespace cv = ctl::vga;

namespace {

class VgaPage : public PageFixture<MVgaDlg> {
protected:
    void SetUp() override
    {
        PageFixture<MVgaDlg>::SetUp();
        CDeviceData& d = GetDeviceData();
        for (int n = 0; n < kInputSlotCount; ++n) {
            d.input[n].src = 4;
            d.inputNames[n].name = QStringLiteral("IN%1").arg(n);
        }
        d.input[4].src = 3;
        d.chnl[0].input = 9;  // the second half of slot 4
        d.vga = VgaState{};
        page->SelectVgaInput(0);
        link.ClearCalls();
        host->messages.clear();
    }
    oRealEdit* E(int id) const { return page->Edit(id); }
    CGdipButton* B(int id) const { return page->Button(id); }
    void Unlock()
    {
        TypeAndEnter(E(cv::IDC_PASSWORD_EDIT), QStringLiteral("7272"));
        ClickButton(B(cv::IDC_ENTER));
        ASSERT_TRUE(page->AdcUnlocked());
    }
};

TEST_F(VgaPage, SelectingAVgaInputReadsAndNamesIt)
{
    struct Case {
        int layer, code;
        int slot;  // -1: not VGA
        bool codeEntry;
    };
    const Case cases[] = {
        {0, 9, 4, true}, {0, 4, 4, true}, {1, 8, 4, false}, {0, 0, -1, false}, {0, 12, -1, false}, {0, 255, -1, false},
    };
    CDeviceData& d = GetDeviceData();
    for (const Case& c : cases) {
        link.ClearCalls();
        d.vga.input = 99;
        d.chnl[c.layer].input = static_cast<uint8_t>(c.code);
        page->SelectVgaInput(c.layer);
        const auto q = Sent(CMD_QUERY_VGA);
        if (c.slot < 0) {
            EXPECT_TRUE(q.empty()) << c.code;
            EXPECT_EQ(d.vga.input, 99u);
        } else {
            ASSERT_EQ(q.size(), 1u) << c.code;
            EXPECT_TRUE(SameBytes(q[0].bytes, Block32({c.slot})));
            EXPECT_EQ(d.vga.input, static_cast<uint32_t>(c.slot));
            EXPECT_EQ(page->InputSourceLabel()->text(), QStringLiteral("Input Source\nIN%1").arg(c.slot));
        }
        EXPECT_EQ(E(cv::IDC_PASSWORD_EDIT)->isEnabled(), c.codeEntry) << c.layer << " " << c.code;
        EXPECT_EQ(B(cv::IDC_ENTER)->isEnabled(), c.codeEntry) << c.layer << " " << c.code;
        EXPECT_EQ(B(cv::IDC_ENTER)->HasDisabledLook(), !c.codeEntry);
        // The display edits stay usable either way.
        EXPECT_TRUE(E(cv::IDC_CLOCK_EDIT)->isEnabled());
    }
}

TEST_F(VgaPage, RefreshShowsSignedPositions)
{
    CDeviceData& d = GetDeviceData();
    d.vga.clock = 1344;
    d.vga.phase = 31;
    d.vga.hPos = 0xFB;
    d.vga.vPos = 0xF0;
    for (int k = 0; k < 6; ++k) d.vga.adc[k] = static_cast<uint16_t>(100 * k + 7);
    page->RefreshFromDevice();
    EXPECT_EQ(E(cv::IDC_CLOCK_EDIT)->GetValue(), 1344);
    EXPECT_EQ(E(cv::IDC_PHASE_EDIT)->GetValue(), 31);
    EXPECT_EQ(E(cv::IDC_H_POSITION_EDIT)->GetValue(), -5);
    EXPECT_EQ(E(cv::IDC_V_POSITION_EDIT)->GetValue(), -16);
    EXPECT_EQ(E(cv::IDC_GREEN_GAIN_EDIT)->GetValue(), 307);
    EXPECT_TRUE(link.Commands().empty());
}

TEST_F(VgaPage, ADisplayEditSendsAllFourValues)
{
    E(cv::IDC_CLOCK_EDIT)->SetValue(1344);
    E(cv::IDC_PHASE_EDIT)->SetValue(20);
    E(cv::IDC_V_POSITION_EDIT)->SetValue(3);
    TypeAndEnter(E(cv::IDC_H_POSITION_EDIT), QStringLiteral("-5"));
    const VgaState& v = GetDeviceData().vga;
    EXPECT_EQ(v.hPos, 0xFB);
    EXPECT_EQ(v.clock, 1344u);
    const auto sent = Sent(CMD_VGA_ADJUST);
    ASSERT_GE(sent.size(), 1u);
    // Mode, input, sub-code, clock, phase, positions, sub-code, six ADC values, sub-code.
    EXPECT_TRUE(SameBytes(sent[0].bytes, Block32({0, 4, 0, 0x40, 0x05, 20, 0xFB, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                                  0, 0, 0})));

    // A reply's refresh that lands between the operator's Enter and the page taking the commit up
    // leaves the committed value to be sent.
    link.ClearCalls();
    oRealEdit* h = E(cv::IDC_H_POSITION_EDIT);
    h->selectAll();
    QTest::keyClicks(h, QStringLiteral("7"));
    QTest::keyClick(h, Qt::Key_Return);
    page->RefreshFromDevice();
    Settle();
    EXPECT_EQ(GetDeviceData().vga.hPos, 7);
    ASSERT_EQ(Sent(CMD_VGA_ADJUST).size(), 1u);
    EXPECT_EQ(Sent(CMD_VGA_ADJUST)[0].bytes[6], 7);
    // Once taken up, refreshes show the processor's values again.
    GetDeviceData().vga.hPos = 0xFB;
    page->RefreshFromDevice();
    EXPECT_EQ(h->GetValue(), -5);
}

TEST_F(VgaPage, AnAdcEditSendsAllSixInTheCommandsOrder)
{
    Unlock();
    link.ClearCalls();
    const int ids[6] = {cv::IDC_RED_OFFSET_EDIT,  cv::IDC_RED_GAIN_EDIT,  cv::IDC_GREEN_OFFSET_EDIT,
                        cv::IDC_GREEN_GAIN_EDIT, cv::IDC_BLUE_OFFSET_EDIT, cv::IDC_BLUE_GAIN_EDIT};
    const int values[5] = {0x101, 0x202, 0x303, 0x111, 0x222};
    for (int k = 0; k < 5; ++k) E(ids[k])->SetValue(static_cast<float>(values[k]));
    TypeAndEnter(E(ids[5]), QStringLiteral("1000"));  // 0x3E8
    const VgaState& v = GetDeviceData().vga;
    EXPECT_EQ(v.adc[1], 0x202);
    EXPECT_EQ(v.adc[5], 1000);
    const auto sent = Sent(CMD_VGA_ADJUST);
    ASSERT_GE(sent.size(), 1u);
    // adc[0], adc[2], adc[4], then adc[1], adc[3], adc[5].
    EXPECT_TRUE(SameBytes(sent[0].bytes, Block32({1, 4, 0, 0, 0, 0, 0, 0, 0, 0x01, 0x01, 0x03, 0x03, 0x22, 0x02,
                                                  0x02, 0x02, 0x11, 0x01, 0xE8, 0x03, 0})));
}

TEST_F(VgaPage, ButtonsSendTheirPairs)
{
    struct Case {
        int button;
        std::vector<std::pair<int, int>> commands;  // id, first byte
        int p1;
        bool busy;
    };
    Unlock();
    GetDeviceData().vga.input = 4;
    const Case cases[] = {
        {cv::IDC_AUTO_ADJUST, {{CMD_VGA_ADJUST, 0}, {CMD_QUERY_VGA, 4}}, 1, true},
        {cv::IDC_CALIBRATE, {{CMD_VGA_ADJUST, 1}}, 1, true},
        // Reset reads back the input the page shows.
        {cv::IDC_ADC_RESET, {{CMD_VGA_ADJUST, 1}, {CMD_QUERY_VGA, 4}}, 2, false},
        {cv::IDC_DDC_ON_OFF, {{CMD_VGA_ADJUST, 2}}, 1, false},
        {cv::IDC_DDC_ON_OFF, {{CMD_VGA_ADJUST, 2}}, 0, false},
    };
    for (const Case& c : cases) {
        link.ClearCalls();
        host->messages.clear();
        ClickButton(B(c.button));
        const auto cmds = link.Commands();
        ASSERT_EQ(cmds.size(), c.commands.size()) << c.button;
        for (size_t i = 0; i < cmds.size(); ++i) {
            EXPECT_EQ(cmds[i].id, c.commands[i].first) << c.button;
            EXPECT_EQ(cmds[i].bytes[0], c.commands[i].second) << c.button;
        }
        EXPECT_EQ(cmds[0].bytes[2], c.p1) << c.button;
        EXPECT_EQ(cmds[0].bytes[8], c.p1) << c.button;
        EXPECT_EQ(cmds[0].bytes[21], c.p1) << c.button;
        EXPECT_EQ(host->Of(WM_BUSY_DIALOG).size(), c.busy ? 1u : 0u) << c.button;
    }
}

TEST_F(VgaPage, AWrongCodeKeepsTheSectionLocked)
{
    TypeAndEnter(E(cv::IDC_PASSWORD_EDIT), QStringLiteral("1234"));
    ClickButton(B(cv::IDC_ENTER));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("Password Is Error"));
    EXPECT_FALSE(page->AdcUnlocked());
    EXPECT_FALSE(E(cv::IDC_RED_GAIN_EDIT)->isVisible());
    // The edit takes four digits at most.
    TypeAndEnter(E(cv::IDC_PASSWORD_EDIT), QStringLiteral("72721"));
    EXPECT_EQ(E(cv::IDC_PASSWORD_EDIT)->GetValue(), 7272);
    ClickButton(B(cv::IDC_ENTER));
    EXPECT_TRUE(page->AdcUnlocked());
}

TEST_F(VgaPage, UnlockShowsTheSectionAndHidingLocksIt)
{
    const QRect ddcLocked = page->Group(cv::IDC_DDC_GROUP)->geometry();
    const QRect switchLocked = B(cv::IDC_DDC_ON_OFF)->geometry();
    EXPECT_FALSE(B(cv::IDC_ADC_ON_OFF)->isEnabled());
    Unlock();
    EXPECT_TRUE(E(cv::IDC_RED_GAIN_EDIT)->isVisible());
    EXPECT_TRUE(B(cv::IDC_CALIBRATE)->isVisible());
    EXPECT_TRUE(B(cv::IDC_ADC_ON_OFF)->isEnabled());
    EXPECT_TRUE(B(cv::IDC_ADC_ON_OFF)->IsPressed());
    EXPECT_FALSE(B(cv::IDC_ENTER)->isEnabled());
    const QRect ddcUnlocked = page->Group(cv::IDC_DDC_GROUP)->geometry();
    EXPECT_EQ(ddcUnlocked, ddcLocked.translated(0, 150));
    EXPECT_EQ(B(cv::IDC_DDC_ON_OFF)->geometry(), switchLocked.translated(0, 150));
    // A second entry (a layer change enabling entry again) shifts nothing.
    page->SelectVgaInput(0);
    B(cv::IDC_ENTER)->click();
    Settle();
    EXPECT_EQ(page->Group(cv::IDC_DDC_GROUP)->geometry(), ddcUnlocked);

    page->ShowPage(false);
    EXPECT_FALSE(page->AdcUnlocked());
    EXPECT_EQ(E(cv::IDC_PASSWORD_EDIT)->GetValue(), 0);
    EXPECT_EQ(page->Group(cv::IDC_DDC_GROUP)->geometry(), ddcLocked);
    page->ShowPage(true);
    EXPECT_FALSE(E(cv::IDC_RED_GAIN_EDIT)->isVisible());
    EXPECT_TRUE(B(cv::IDC_ENTER)->isEnabled());

    // The switch clicked off locks as well.
    Unlock();
    ClickButton(B(cv::IDC_ADC_ON_OFF));
    EXPECT_FALSE(page->AdcUnlocked());
    EXPECT_FALSE(B(cv::IDC_ADC_ON_OFF)->isEnabled());
    EXPECT_EQ(page->Group(cv::IDC_DDC_GROUP)->geometry(), ddcLocked);
    EXPECT_TRUE(Sent(CMD_VGA_ADJUST).empty());
}

TEST_F(VgaPage, AdjustResult)
{
    for (int ok : {1, 0}) {
        boxes.clear();
        GetDeviceData().eventArg[0] = static_cast<uint8_t>(ok);
        page->ShowAdjustResult();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, ok ? QStringLiteral("VGA Adjustment Ok") : QStringLiteral("VGA Adjustment Failed"));
    }
}

} // namespace
