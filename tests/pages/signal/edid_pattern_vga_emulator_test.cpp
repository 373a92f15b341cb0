// The EDID, test-pattern and VGA pages with the real communication library against the processor
// emulator over loopback TCP: each page action lands in the emulator, and its replies drive the
// page.

#include "EmulatorPageFixture.h"

#include "comm/QVN_Comm.h"
#include "controls/CGdipButton.h"
#include "controls/oRealEdit.h"
#include "device/MainWindowLink.h"
#include "device/UiReplyRelay.h"
#include "pages/signal/EdidIds.h"
#include "pages/signal/MEdidDlg.h"
#include "pages/signal/MTstPatternDlg.h"
#include "pages/signal/MVgaDlg.h"
#include "pages/signal/TestPatternIds.h"
#include "pages/signal/VgaIds.h"

#include <cstring>
#include <functional>

namespace ce = ctl::edid;
namespace ct = ctl::test_pattern;
namespace cv = ctl::vga;

namespace {

// Stands for the main window's reply-refresh rows of these pages.
class RefreshLink final : public MainWindowLink {
public:
    std::function<void(int32_t)> onReply;
    void PostRefresh(int32_t w, int32_t) override
    {
        replies.push_back(w);
        if (onReply) onReply(w);
    }
    void NotifyReplyStatus(uint8_t) override {}
    void HideBusyDialog() override { ++busyHidden; }
    void PostDeviceFound(const QString&, const std::array<uint8_t, 6>&) override {}
    bool Heard(int32_t reply) const { return std::find(replies.begin(), replies.end(), reply) != replies.end(); }
    std::vector<int32_t> replies;
    int busyHidden = 0;
};

template <class Page>
class EmulatorPage : public EmulatorPageFixture<Page> {
protected:
    void Connect(const char* ip) { this->ConnectEmulator(ip, &refresh); }
    // The whole block read from the emulator into the device state.
    void ReadBlock()
    {
        refresh.replies.clear();
        GetDeviceData().SendCommand(CMD_GET_ALL_DATA);
        ASSERT_TRUE(SpinUntil([&] { return refresh.Heard(REPLY_ALL_DATA); })) << "no reply 2";
    }

    RefreshLink refresh;
};

using EdidEmulator = EmulatorPage<MEdidDlg>;
using PatternEmulator = EmulatorPage<MTstPatternDlg>;
using VgaEmulator = EmulatorPage<MVgaDlg>;

TEST_F(EdidEmulator, ApplyAndRestoreReachTheProcessorsRecord)
{
    Connect("127.0.0.141");
    refresh.onReply = [this](int32_t w) {
        if (w == REPLY_EDID) page->SelectInput();
        if (w == REPLY_EVENT && GetDeviceData().eventCode == 0) page->ShowResultMessage();
    };
    ReadBlock();
    page->FillInputList();
    const int row = FindDropItemByData(page->InputList(), 6);
    ASSERT_GE(row, 0);
    ChooseDropRow(page->InputList(), row);
    ClickButton(page->Button(ce::IDC_MORE));
    page->Edit(ce::IDC_H_ACTIVE_EDIT)->SetValue(1280);
    page->Edit(ce::IDC_V_ACTIVE_EDIT)->SetValue(720);
    page->Edit(ce::IDC_FPS_EDIT)->SetValue(50);
    page->Edit(ce::IDC_H_BLANK_EDIT)->SetValue(370);
    page->Edit(ce::IDC_V_BLANK_EDIT)->SetValue(30);
    ClickButton(page->Button(ce::IDC_APPLY));
    ASSERT_TRUE(SpinUntil([&] { return !boxes.empty(); })) << "no result event";
    EXPECT_EQ(boxes[0].text, QStringLiteral("Edid Apply Ok"));
    const EdidTiming& r = EmulatorBlock().edid[5];
    EXPECT_EQ(r.inputSrc, 6);
    EXPECT_EQ(r.hAct, 1280);
    EXPECT_EQ(r.vAct, 720);
    EXPECT_EQ(r.fps, 5000);
    EXPECT_EQ(r.hBlank, 370);
    EXPECT_EQ(r.vBlank, 30);

    // Restore: the processor's default comes back into the edits.
    boxes.clear();
    refresh.replies.clear();
    ClickButton(page->Button(ce::IDC_RESTORE));
    ASSERT_TRUE(SpinUntil([&] { return !boxes.empty() && refresh.Heard(REPLY_EDID); }));
    ASSERT_TRUE(SpinUntil([&] { return page->Edit(ce::IDC_H_ACTIVE_EDIT)->GetValue() == 1920; }));
    EXPECT_EQ(page->Edit(ce::IDC_V_ACTIVE_EDIT)->GetValue(), 1080);
    EXPECT_EQ(EmulatorBlock().edid[5].hAct, 1920);
}

TEST_F(PatternEmulator, PatternAndGrabReachTheProcessor)
{
    Connect("127.0.0.142");
    refresh.onReply = [this](int32_t w) {
        if (w == REPLY_PIXEL_COLOR) page->OnGrabColor();
    };
    ClickButton(page->Button(ct::IDC_PATTERN_ON_OFF));
    ClickButton(page->Button(ct::IDC_PATTERN_NEXT));
    ASSERT_TRUE(SpinUntil([&] { return emulator->DeviceState().testPattern == 2; }));
    // The grab switches the pattern off on the processor, then reads the pixel.
    ClickButton(page->Button(ct::IDC_PIXEL_GRAB_ON_OFF));
    GetDeviceData().outputReso.hReso = 1920;
    GetDeviceData().outputReso.vReso = 1080;
    TypeAndEnter(page->GrabEdit(ct::IDC_GRAB_H_START_EDIT), QStringLiteral("300"));
    ASSERT_TRUE(SpinUntil([&] { return emulator->DeviceState().grabX == 300; }));
    EXPECT_EQ(emulator->DeviceState().testPattern, 0);
    EXPECT_EQ(emulator->DeviceState().pixelGrab, 1);
    ASSERT_TRUE(SpinUntil([&] { return page->SwatchColor() && page->SwatchColor()->red() == (300 & 0xFF); }));
    EXPECT_TRUE(page->SwatchText().startsWith(QStringLiteral("R:300 ")));
    page->ShowPage(false);
    ClickButton(page->Button(ct::IDC_CAPTION_SETTINGS));
    ASSERT_TRUE(SpinUntil([&] { return emulator->DeviceState().pixelGrab == 0; }));
}

TEST_F(VgaEmulator, AdjustmentsReachTheProcessorsVgaRecord)
{
    Connect("127.0.0.143");
    refresh.onReply = [this](int32_t w) {
        if (w == REPLY_VGA_DATA) page->RefreshFromDevice();
        if (w == REPLY_EVENT && GetDeviceData().eventCode == 1) page->ShowAdjustResult();
    };
    DeviceParamBlock b = EmulatorBlock();
    b.input[3].src = 3;
    b.chnl[0].input = 3;
    emulator->SetBlock(b);
    ReadBlock();
    page->SelectVgaInput(0);
    ASSERT_TRUE(SpinUntil([&] { return refresh.Heard(REPLY_VGA_DATA); }));
    EXPECT_EQ(emulator->DeviceState().vga[0], 3);

    TypeAndEnter(page->Edit(cv::IDC_CLOCK_EDIT), QStringLiteral("1344"));
    TypeAndEnter(page->Edit(cv::IDC_H_POSITION_EDIT), QStringLiteral("-5"));
    ASSERT_TRUE(SpinUntil([&] { return emulator->DeviceState().vga[12] == 0xFB; }));
    EXPECT_EQ(emulator->DeviceState().vga[4] | emulator->DeviceState().vga[5] << 8, 1344);

    TypeAndEnter(page->Edit(cv::IDC_PASSWORD_EDIT), QStringLiteral("7272"));
    ClickButton(page->Button(cv::IDC_ENTER));
    ASSERT_TRUE(page->AdcUnlocked());
    TypeAndEnter(page->Edit(cv::IDC_GREEN_GAIN_EDIT), QStringLiteral("700"));
    ASSERT_TRUE(SpinUntil([&] { return (emulator->DeviceState().vga[20] | emulator->DeviceState().vga[21] << 8) == 700; }));

    ClickButton(page->Button(cv::IDC_CALIBRATE));
    ASSERT_TRUE(SpinUntil([&] { return !boxes.empty(); })) << "no result event";
    EXPECT_EQ(boxes[0].text, QStringLiteral("VGA Adjustment Ok"));

    // Reset: the processor's ADC defaults come back into the edits of the shown input.
    ClickButton(page->Button(cv::IDC_ADC_RESET));
    ASSERT_TRUE(SpinUntil([&] { return page->Edit(cv::IDC_GREEN_GAIN_EDIT)->GetValue() == 512; }));
    EXPECT_EQ(emulator->DeviceState().vga[0], 3);

    ClickButton(page->Button(cv::IDC_DDC_ON_OFF));
    ASSERT_TRUE(SpinUntil([&] { return emulator->DeviceState().ddc == 1; }));
}

} // namespace
