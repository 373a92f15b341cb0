// The picture and crop pages with the real communication library against the processor emulator
// over loopback TCP: what a page sends lands in the emulator's block, and the emulator's answers
// come back through the real reply handlers.

#include "EmulatorPageFixture.h"

#include "comm/QVN_Comm.h"
#include "controls/CGdipButton.h"
#include "controls/oBitmapSlider.h"
#include "controls/oRealEdit.h"
#include "controls/oSliderEdit.h"
#include "device/UiReplyRelay.h"
#include "pages/signal/MCropDlg.h"
#include "pages/signal/MPicSettingDlg.h"
#include "pages/signal/PictureIds.h"

#include <cstring>

namespace {

template <class Page>
class EmulatorPage : public PageFixture<Page> {
protected:
    // Starts an emulator holding block (after edit), gives the program the same block, connects.
    void Connect(const std::string& ip, const std::function<void(DeviceParamBlock&)>& edit)
    {
        emulator = StartEmulator(ip);
        DeviceParamBlock b = EmulatorBlockOf(*emulator);
        for (int w = 0; w < kWindowCount; ++w) b.chnl[w].input = static_cast<uint8_t>(w);
        b.pvwMode = 0;
        edit(b);
        emulator->SetBlock(b);
        std::memcpy(&GetDeviceData().Block(), &b, sizeof b);

        realLink = std::make_unique<comm::DeviceLink>(OptionsFor(*emulator));
        comm::InstallCommLibrary(realLink.get());
        RegisterReplyHandlers();
        g_DeviceAddress = emulator->Address();
        ASSERT_TRUE(GetDeviceData().ConnectDeviceByIp(QString::fromStdString(ip)));
        ASSERT_TRUE(SpinUntil([&] { return emulator->ClientCount() == 1; }));
    }
    void TearDown() override
    {
        QVN_Comm_Shutdown();
        comm::InstallCommLibrary(nullptr);
        realLink.reset();
        if (emulator) emulator->Stop();
        g_DeviceAddress = kDefaultDeviceAddress;
        PageFixture<Page>::TearDown();
    }

    std::unique_ptr<emu::ProcessorEmulator> emulator;
    std::unique_ptr<comm::DeviceLink> realLink;
};

using CropPageEmulator = EmulatorPage<MCropDlg>;
using PicturePageEmulator = EmulatorPage<MPicSettingDlg>;

TEST_F(CropPageEmulator, ALimitedStartReachesTheProcessorAndResetComesBack)
{
    Connect("127.0.0.61", [](DeviceParamBlock& b) { b.crop[0][0] = {1, 0, 0, 0, 1000, 500, 1920, 1080}; });
    page->RefreshFromDevice();
    TypeAndEnter(page->Edit(0), QStringLiteral("1200"));
    ASSERT_TRUE(SpinUntil([&] { return EmulatorBlockOf(*emulator).crop[0][0].hPos == 920; }));
    EXPECT_EQ(EmulatorBlockOf(*emulator).crop[0][0].hAct, 1000);

    // The edit commits once more as it loses the focus; an operator's click comes after that.
    page->setFocus();
    Settle();
    ClickButton(page->ResetButton());
    ASSERT_TRUE(SpinUntil([&] { return GetDeviceData().crop[0][0].hAct == 1920; }));
    const CropWindow c = EmulatorBlockOf(*emulator).crop[0][0];
    EXPECT_EQ(c.hPos, 0);
    EXPECT_EQ(c.vAct, 1080);
    EXPECT_EQ(GetDeviceData().crop[0][0].hPos, 0);
    EXPECT_EQ(GetDeviceData().crop[0][0].onOff, 1);
}

TEST_F(PicturePageEmulator, AllInputsReachTheProcessorAndTheResetReachesEveryRecord)
{
    Connect("127.0.0.62", [](DeviceParamBlock& b) {
        b.picComm = {7, 17, 0.0f};
        for (auto& row : b.pic)
            for (auto& s : row) {
                s.brightness = 20;
                s.colorTemp = 8;
                s.option = 0x33;
            }
    });
    page->OnWindowButton(ctl::picture::IDC_WINDOW_1);
    ClickButton(page->ApplyAllButton());
    TypeAndEnter(page->ValueEdit(2), QStringLiteral("80"));
    ASSERT_TRUE(SpinUntil([&] { return EmulatorBlockOf(*emulator).pic[11][1].brightness == 80; }));
    DeviceParamBlock b = EmulatorBlockOf(*emulator);
    for (int k = 0; k < kInputIndexCount; ++k) {
        EXPECT_EQ(b.pic[k][1].brightness, 80) << k;
        EXPECT_EQ(b.pic[k][0].brightness, 20) << k;
    }

    page->setFocus();
    Settle();
    ClickButton(page->ResetPictureButton());
    ASSERT_TRUE(SpinUntil([&] { return EmulatorBlockOf(*emulator).pic[5][3].brightness == 50; }));
    b = EmulatorBlockOf(*emulator);
    for (const auto& row : b.pic)
        for (const auto& s : row) {
            EXPECT_EQ(s.brightness, 50);
            EXPECT_EQ(s.sharpness, 12);
            EXPECT_EQ(s.option, 0x33);
        }
    // The answer to the query that followed comes back through the reply handler.
    ASSERT_TRUE(SpinUntil([&] { return GetDeviceData().pic[1][1].brightness == 50; }));
}

} // namespace
