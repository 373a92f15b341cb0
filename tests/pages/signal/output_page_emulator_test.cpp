// The output page with the real communication library against the processor emulator over
// loopback TCP: the emulator's block shown on the page, and each page action read back from the
// emulator's block.

#include "EmulatorPageFixture.h"

#include "comm/QVN_Comm.h"
#include "controls/CGdipButton.h"
#include "controls/oRealEdit.h"
#include "device/MainWindowLink.h"
#include "device/UiReplyRelay.h"
#include "pages/signal/MOutputDlg.h"
#include "pages/signal/OutputIds.h"

#include <cstring>

namespace co = ctl::output;

namespace {

// Stands for the main window's refresh of this page on reply 2.
class RefreshLink final : public MainWindowLink {
public:
    explicit RefreshLink(MOutputDlg* page) : page_(page) {}
    void PostRefresh(int32_t w, int32_t) override
    {
        if (w != REPLY_ALL_DATA) return;
        page_->UpdateTimingFromDevice();
        page_->UpdateWindowGeometry();
        ++blocks;
    }
    void NotifyReplyStatus(uint8_t) override {}
    void HideBusyDialog() override {}
    void PostDeviceFound(const QString&, const std::array<uint8_t, 6>&) override {}
    int blocks = 0;

private:
    MOutputDlg* page_;
};

class OutputPageEmulator : public EmulatorPageFixture<MOutputDlg> {
protected:
    void SetUp() override
    {
        EmulatorPageFixture::SetUp();
        refresh = std::make_unique<RefreshLink>(page.get());
        ConnectEmulator("127.0.0.117", refresh.get());
    }
    void Type(int id, const QString& text)
    {
        page->Edit(id)->setFocus(Qt::OtherFocusReason);
        Settle();
        TypeAndEnter(page->Edit(id), text);
    }

    std::unique_ptr<RefreshLink> refresh;
};

} // namespace

TEST_F(OutputPageEmulator, PageShowsTheEmulatorsTimingAndWindows)
{
    DeviceParamBlock b = EmulatorBlock();
    b.outputReso.resoIndex = 18;
    b.outputReso.hReso = 1366;
    b.outputReso.vReso = 768;
    b.outputReso.fps = 5994;
    b.outputReso.hTotal = 1792;
    b.chnl[0].hPos = 12;
    b.chnl[0].rotation = 2;
    emulator->SetBlock(b);
    GetDeviceData().SendCommand(CMD_GET_ALL_DATA);
    ASSERT_TRUE(SpinUntil([&] { return refresh->blocks > 0; })) << "no reply 2";
    EXPECT_EQ(page->ResolutionList()->GetCurSel(), MOutputDlg::kCustomRow);
    EXPECT_EQ(page->Edit(co::IDC_H_ACTIVE_EDIT)->GetValue(), 1366);
    EXPECT_FLOAT_EQ(page->Edit(co::IDC_FPS_EDIT)->GetValue(), 59.94f);
    EXPECT_EQ(page->Edit(co::IDC_H_TOTAL_EDIT)->GetValue(), 1792);
    EXPECT_EQ(page->Edit(co::IDC_H_START_EDIT)->GetValue(), 12);
    EXPECT_TRUE(page->RotationButton(2)->IsPressed());
}

TEST_F(OutputPageEmulator, EveryActionReachesTheEmulatorsBlock)
{
    // A standard row.
    ChooseDropRow(page->ResolutionList(), 5);  // 1440 x 900 at 60 Hz
    ASSERT_TRUE(SpinUntil([&] {
        const DeviceParamBlock b = EmulatorBlock();
        return b.outputReso.resoIndex == 5 && b.outputReso.hReso == 1440 && b.outputReso.vReso == 900;
    })) << "row 5 not stored";
    EXPECT_EQ(EmulatorBlock().outputReso.fps, 6000);

    // A customised timing with the detailed timing on.
    ChooseDropRow(page->ResolutionList(), MOutputDlg::kCustomRow);
    Type(co::IDC_H_ACTIVE_EDIT, "1280");
    Type(co::IDC_V_ACTIVE_EDIT, "800");
    Type(co::IDC_FPS_EDIT, "59.94");
    ClickButton(page->Button(co::IDC_MORE));
    Type(co::IDC_H_SYNC_EDIT, "44");
    Type(co::IDC_HBP_EDIT, "148");
    Type(co::IDC_V_SYNC_EDIT, "5");
    Type(co::IDC_VBP_EDIT, "23");
    Type(co::IDC_H_TOTAL_EDIT, "1680");
    Type(co::IDC_V_TOTAL_EDIT, "840");
    ClickButton(page->Button(co::IDC_APPLY));
    ASSERT_TRUE(SpinUntil([&] {
        const DeviceParamBlock b = EmulatorBlock();
        return b.outputReso.resoIndex == 18 && b.outputReso.hReso == 1280 && b.outputReso.vReso == 800;
    })) << "customised timing not stored";
    const OutputResolution o = EmulatorBlock().outputReso;
    EXPECT_EQ(o.fps, 5994);
    EXPECT_EQ(o.hTotal, 1680);
    EXPECT_EQ(o.vTotal, 840);
    EXPECT_EQ(o.hSync, 44);
    EXPECT_EQ(o.vbp, 23);

    // Window geometry, full screen and rotation of PIP-1.
    ClickButton(page->Button(co::IDC_WINDOW_1));
    Type(co::IDC_WIDTH_EDIT, "640");
    Type(co::IDC_H_START_EDIT, "9999");  // pulled back to 1280 - 640
    ASSERT_TRUE(SpinUntil([&] { return EmulatorBlock().chnl[1].hPos == 640; })) << "geometry not stored";
    EXPECT_EQ(EmulatorBlock().chnl[1].hAct, 640);
    ClickButton(page->RotationButton(6));
    ASSERT_TRUE(SpinUntil([&] { return EmulatorBlock().chnl[1].rotation == 6; })) << "rotation not stored";
    ClickButton(page->Button(co::IDC_FULL_SCREEN));
    ASSERT_TRUE(SpinUntil([&] {
        const LayerWindow l = EmulatorBlock().chnl[1];
        return l.hPos == 0 && l.hAct == 1280 && l.vAct == 800;
    })) << "full screen not stored";
}
