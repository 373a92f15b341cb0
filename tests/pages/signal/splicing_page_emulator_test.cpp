// The splicing and feather pages with the real library against the processor emulator over
// loopback TCP: what the pages set is read back from the emulator.

#include "EmulatorPageFixture.h"

#include "controls/CGdipButton.h"
#include "controls/CSxGroupBox.h"
#include "controls/oRealEdit.h"
#include "device/CommandIds.h"
#include "pages/signal/FeatherIds.h"
#include "pages/signal/MMosaicDlg.h"
#include "pages/signal/MosaicIds.h"
#include "pages/signal/QVN_FeatherDlg.h"

#include <algorithm>
#include <cstring>

namespace {

// The page under test, talking to an emulator instead of the recording link.
template <class Page>
class EmulatorPage : public PageFixture<Page> {
protected:
    void Connect(const std::string& ip, const DeviceParamBlock& block)
    {
        emulator = StartEmulator(ip);
        emulator->SetBlock(block);
        std::memcpy(&GetDeviceData().Block(), &block, sizeof block);
        deviceLink = std::make_unique<comm::DeviceLink>(OptionsFor(*emulator));
        comm::InstallCommLibrary(deviceLink.get());
        deviceLink->ConnectNet(ip.c_str(), comm::kDevicePort);
        ASSERT_TRUE(SpinUntil([&] { return emulator->ClientCount() == 1; }));
    }
    void TearDown() override
    {
        comm::InstallCommLibrary(nullptr);
        deviceLink.reset();
        if (emulator) emulator->Stop();
        PageFixture<Page>::TearDown();
    }
    // Waits until the emulator has taken count commands with that id.
    bool Received(int cmdId, std::size_t count)
    {
        return emulator->WaitReceived(
            [&](const std::vector<emu::ReceivedFrame>& frames) {
                const auto ids = CommandIds(frames);
                return static_cast<std::size_t>(std::count(ids.begin(), ids.end(), cmdId)) >= count;
            },
            std::chrono::seconds(10));
    }
    DeviceParamBlock EmulatorBlock() const { return EmulatorBlockOf(*emulator); }

    std::unique_ptr<emu::ProcessorEmulator> emulator;
    std::unique_ptr<comm::DeviceLink> deviceLink;
};

DeviceParamBlock SplicingOff()
{
    DeviceParamBlock b = emu::MakeSeededBlock(7);
    b.mosaic.mode = 0;
    b.mosaic.autoArr = 8;
    for (int w = 0; w < 4; ++w) {
        b.mosaic.win.hPos[w] = 0;
        b.mosaic.win.vPos[w] = 0;
        b.mosaic.win.hAct[w] = 1920;
        b.mosaic.win.vAct[w] = 1080;
        b.mosaic.win.hTotal[w] = 1920;
        b.mosaic.win.vTotal[w] = 1080;
    }
    return b;
}

using SplicingPageEmulator = EmulatorPage<MMosaicDlg>;
using FeatherPageEmulator = EmulatorPage<QVN_FeatherDlg>;

TEST_F(SplicingPageEmulator, ModeArrangementAndManualWindowReachTheProcessor)
{
    Connect("127.0.0.123", SplicingOff());
    page->RefreshFromDevice(3);
    ClickButton(page->OnOffButton());
    ClickButton(page->PanelButton(3));  // "Panel x 3"
    ASSERT_TRUE(Received(CMD_SET_SPLICING_WINDOW, 2));
    EXPECT_EQ(EmulatorBlock().mosaic.mode, 4);

    CSxGroupBox* group = page->AutoGroup();
    QTest::mouseClick(group, Qt::LeftButton, {}, page->Layout()[4].cell.center() - group->pos());
    Settle();
    ASSERT_TRUE(Received(CMD_SET_SPLICING_WINDOW, 3));
    EXPECT_EQ(EmulatorBlock().mosaic.autoArr, 4);

    ClickButton(page->WindowButton(2));
    page->Edit(ctl::mosaic::IDC_H_TOTAL_EDIT)->setFocus();
    Settle();
    TypeAndEnter(page->Edit(ctl::mosaic::IDC_H_TOTAL_EDIT), QStringLiteral("1280"));
    ASSERT_TRUE(Received(CMD_SET_SPLICING_WINDOW, 4));
    const DeviceParamBlock b = EmulatorBlock();
    EXPECT_EQ(b.mosaic.mode, 4);
    EXPECT_EQ(b.mosaic.win.hTotal[2], 1280);
    EXPECT_EQ(b.mosaic.win.hAct[2], 1280);
    EXPECT_EQ(b.mosaic.win.hPos[2], 0);
    EXPECT_EQ(b.mosaic.win.hTotal[0], 1920);

    // Off: the processor's mode follows.
    ClickButton(page->OnOffButton());
    ASSERT_TRUE(Received(CMD_SET_SPLICING_WINDOW, 5));
    EXPECT_EQ(EmulatorBlock().mosaic.mode, 0);
}

TEST_F(FeatherPageEmulator, FeatheringAndItsShapesReachTheProcessor)
{
    DeviceParamBlock block = SplicingOff();
    block.mosaic.mode = 3;
    for (auto& c : block.chnl) c.onOff = 0;
    block.chnl[1].onOff = 1;
    for (auto& k : block.keyer) k.onOff = 0;
    block.logo.usage = 0;
    std::memset(GetDeviceData().caption, 0, sizeof GetDeviceData().caption);
    GetDeviceData().feather = {};
    Connect("127.0.0.124", block);
    page->RefreshFromDevice();

    ClickButton(page->OnOffButton());
    ASSERT_TRUE(Received(CMD_SET_FEATHER, 1));
    ChooseDropRow(page->List(ctl::feather::IDC_FIRST_SHAPE_LIST), 2);
    ChooseDropRow(page->List(ctl::feather::IDC_PIP3_LEVEL_LIST), 3);
    ASSERT_TRUE(Received(CMD_SET_FEATHER, 3));
    // As reply 30 carries it: on/off padded to four, then shapes 0..3 and levels 0..3.
    const auto f = emulator->Feather();
    ASSERT_EQ(f.size(), 36u);
    EXPECT_EQ(f[0], 1);
    EXPECT_EQ(f[4 + 4 * 1], 2);   // shape of PIP-1, the first window in mode 3
    EXPECT_EQ(f[20 + 4 * 3], 3);  // level of PIP-3
    GetDeviceData().feather = {};
}

} // namespace
