// The keyer, switcher, PIP and logo pages driving the processor emulator over loopback TCP with
// the real communication library: what the pages send is what the processor stores.

#include "tests/support/PageFixture.h"

#include "LinkTestSupport.h"

#include "comm/QVN_Comm.h"
#include "controls/CGdipButton.h"
#include "controls/oRealEdit.h"
#include "controls/oBitmapSlider.h"
#include "controls/oSliderEdit.h"
#include "pages/system/MKeyerDlg.h"
#include "pages/system/MLogoDlg.h"
#include "pages/system/MPIPDlg.h"
#include "pages/system/MSwitcherDlg.h"

#include <cstring>

namespace {

class LayerPagesEmulator : public PageFixture<MKeyerDlg> {
protected:
    void SetUp() override
    {
        PageFixture<MKeyerDlg>::SetUp();
        emulator = StartEmulator("127.0.0.46");
        ASSERT_TRUE(emulator);
        link_ = std::make_unique<comm::DeviceLink>(OptionsFor(*emulator));
        comm::InstallCommLibrary(link_.get());
        g_DeviceAddress = emulator->Address();
        ASSERT_TRUE(GetDeviceData().ConnectDeviceByIp(QStringLiteral("127.0.0.46")));
        ASSERT_TRUE(SpinUntil([&] { return emulator->ClientCount() == 1; }, 10000));

        // The program starts from the processor's own block.
        const std::vector<uint8_t> block = emulator->Block();
        ASSERT_EQ(block.size(), sizeof(DeviceParamBlock));
        std::memcpy(&GetDeviceData().Block(), block.data(), block.size());
        CDeviceData& d = GetDeviceData();
        d.netMode = 1;
        d.mosaic.mode = 0;
        d.pvwMode = 0;
        d.logo.usage = 0;
        for (int w = 1; w < 4; ++w) {
            d.chnl[w].onOff = 1;
            d.chnl[w].input = 1;
            d.chnl[w].hAct = 640;
            d.chnl[w].vAct = 480;
            d.pgmState[w] = 0;
        }
        d.inputState[1] = 1;
        d.keyer[0].onOff = 0;
        d.keyer[0].mode = 0;
        emulator->SetBlock(d.Block());
    }
    void TearDown() override
    {
        QVN_Comm_Shutdown();
        comm::InstallCommLibrary(nullptr);
        link_.reset();
        if (emulator) emulator->Stop();
        PageFixture<MKeyerDlg>::TearDown();
    }
    DeviceParamBlock Stored() const
    {
        DeviceParamBlock b;
        const std::vector<uint8_t> bytes = emulator->Block();
        std::memcpy(&b, bytes.data(), sizeof b);
        return b;
    }
    // Waits until the emulator's block satisfies pred.
    bool StoredSoon(const std::function<bool(const DeviceParamBlock&)>& pred)
    {
        return SpinUntil([&] { return pred(Stored()); }, 10000);
    }

    std::unique_ptr<emu::ProcessorEmulator> emulator;

private:
    std::unique_ptr<comm::DeviceLink> link_;
};

TEST_F(LayerPagesEmulator, KeyerSwitcherPipAndLogoSettingsReachTheProcessor)
{
    // Keyer: on, then a gain.
    page->RefreshFromDevice();
    ClickButton(page->OnOffButton());
    TypeAndEnter(page->Edit(6), QStringLiteral("33"));
    EXPECT_TRUE(StoredSoon([](const DeviceParamBlock& b) { return b.keyer[0].onOff == 1 && b.keyer[0].gainIn == 33; }));
    EXPECT_EQ(Stored().keyer[0].redH, GetDeviceData().keyer[0].redH);

    // Switcher: on with one panel, then a fade time.
    MSwitcherDlg switcher(host.get());
    switcher.OnInitDialog();
    switcher.RefreshFromDevice();
    ClickButton(switcher.OnOffButton());
    ChooseDropRow(switcher.FadeList(), 5);
    EXPECT_TRUE(StoredSoon([](const DeviceParamBlock& b) { return b.pvwMode == 1 && b.pvwDTime == 5; }));
    ClickButton(switcher.OnOffButton());
    EXPECT_TRUE(StoredSoon([](const DeviceParamBlock& b) { return b.pvwMode == 0; }));

    // PIP: PIP-2 off, then PIP-1's alpha.
    MPIPDlg pip(host.get());
    pip.OnInitDialog();
    pip.FillInputLists();
    pip.RefreshFromDevice();
    pip.UpdateByWorkMode();
    ClickButton(pip.OnOffButton(1));
    TypeAndEnter(pip.AlphaEdit(0), QStringLiteral("21"));
    EXPECT_TRUE(StoredSoon([](const DeviceParamBlock& b) { return b.chnl[2].onOff == 0 && b.chnl[1].alpha == 21; }));

    // Logo: capture PIP-3 into slot 1 with a narrower window.
    MLogoDlg logoPage(host.get());
    logoPage.OnInitDialog();
    logoPage.setGeometry(0, 0, 320, 490);
    logoPage.ShowPage(true);
    ClickButton(logoPage.SlotButton(1));
    TypeAndEnter(logoPage.WindowEdit(2), QStringLiteral("320"));
    ClickButton(logoPage.SaveLoadButton(1));
    EXPECT_TRUE(StoredSoon([](const DeviceParamBlock& b) {
        return b.logo.valid[1] == 1 && b.logo.win.hAct[1] == 320 && b.logo.win.vAct[1] == 480;
    }));
    EXPECT_TRUE(boxes.empty());
    // Logo use, on top: the flags travel with the usage switch and the top command.
    ClickButton(logoPage.UsageLogoButton());
    ClickButton(logoPage.TopButton());
    const uint8_t top = GetDeviceData().logo.pos;
    EXPECT_TRUE(StoredSoon([top](const DeviceParamBlock& b) { return b.logo.usage == 1 && b.logo.pos == top; }));
}

}  // namespace
