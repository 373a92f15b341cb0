// The encoder page and the LED launcher with the real communication library against the processor
// emulator over loopback TCP: the encoder's records reach the page through the real reply handlers,
// and what the pages send ends up in the emulator's state.

#include "comm/DeviceLink.h"
#include "controls/oRealEdit.h"
#include "device/CommandIds.h"
#include "device/MainWindowLink.h"
#include "device/UiReplyRelay.h"
#include "pages/system/MLEDCfgDlg.h"
#include "pages/system/MVideoSettingDlg.h"
#include "platform/PageNotifyCodes.h"
#include "tests/support/PageFixture.h"
#include "tools/emulator/ProcessorEmulator.h"

#include <QLabel>

#include <algorithm>
#include <array>

namespace {

// Stands in for the main window's reply dispatch: the encoder record goes to the page.
class EncoderReplies final : public MainWindowLink {
public:
    void PostRefresh(int32_t w, int32_t) override
    {
        if (w == REPLY_ENCODER_INFO && page) page->OnDeviceInfo();
    }
    void NotifyReplyStatus(uint8_t) override {}
    void HideBusyDialog() override {}
    void PostDeviceFound(const QString&, const std::array<uint8_t, 6>&) override {}

    MVideoSettingDlg* page = nullptr;
};

class EncoderPagesOnTheEmulator : public PageFixture<MVideoSettingDlg> {
protected:
    void SetUp() override
    {
        PageFixture<MVideoSettingDlg>::SetUp();
        emu::EmulatorOptions o;
        o.ip = "127.0.0.61";
        o.blockSeed = 61;
        emulator = std::make_unique<emu::ProcessorEmulator>(o);
        ASSERT_TRUE(emulator->Start()) << emulator->Error();
        comm::DeviceLinkOptions lo;
        lo.tcpPortByIp[emulator->Ip()] = emulator->TcpPort();
        deviceLink = std::make_unique<comm::DeviceLink>(lo);
        comm::InstallCommLibrary(deviceLink.get());
        replies.page = page.get();
        SetMainWindowLink(&replies);
        RegisterReplyHandlers();
        g_DeviceAddress = emulator->Address();
        ASSERT_TRUE(GetDeviceData().ConnectDeviceByIp(QString::fromStdString(emulator->Ip())));
    }
    void TearDown() override
    {
        replies.page = nullptr;
        SetMainWindowLink(nullptr);
        comm::InstallCommLibrary(&link);
        deviceLink.reset();
        if (emulator) emulator->Stop();
        PageFixture<MVideoSettingDlg>::TearDown();
    }
    std::array<uint8_t, 10> StreamRecord() const
    {
        const auto state = emulator->DeviceState();
        std::array<uint8_t, 10> r{};
        std::copy(std::begin(state.encoderRecords[2]), std::end(state.encoderRecords[2]), r.begin());
        return r;
    }

    std::unique_ptr<emu::ProcessorEmulator> emulator;
    std::unique_ptr<comm::DeviceLink> deviceLink;
    EncoderReplies replies;
};

} // namespace

TEST_F(EncoderPagesOnTheEmulator, TheEncoderRecordsReachThePageAndSettingsReachTheEncoder)
{
    // The read-out asks for the stream settings; their handler asks for the address, and that one
    // for the version.
    GetDeviceData().SendCommand(CMD_QUERY_ENCODER, 2);
    ASSERT_TRUE(SpinUntil([&] { return !page->VersionText()->text().isEmpty(); }, 20000));
    EXPECT_EQ(page->GetEncoderIp(), "127.0.0.61");
    EXPECT_EQ(page->VersionText()->text(), "Version:0107");
    EXPECT_EQ(page->QualityPreset(), 3);
    EXPECT_EQ(page->FrameRateEdit()->GetValue(), 7);
    EXPECT_EQ(page->BitRateEdit()->GetValue(), 8192);
    // The start preset's size, still told once.
    ASSERT_EQ(host->Notices(NOTIFY_PREVIEW_FORMAT).size(), 1u);
    EXPECT_EQ(host->Notices(NOTIFY_PREVIEW_FORMAT)[0].lParam, 17);

    ChooseDropRow(page->QualityList(), 0);
    ASSERT_TRUE(SpinUntil([&] { return page->BitRateEdit()->GetValue() == 1024; }, 20000));
    EXPECT_EQ(page->FrameRateEdit()->GetValue(), 15);
    EXPECT_EQ(StreamRecord(), (std::array<uint8_t, 10>{2, 0, 15, 21, 0x04, 0x00, 0, 0, 0, 0}));

    TypeAndEnter(page->BitRateEdit(), QStringLiteral("5000"));
    ASSERT_TRUE(SpinUntil([&] { return StreamRecord()[4] == 0x13; }, 20000));
    EXPECT_EQ(StreamRecord(), (std::array<uint8_t, 10>{2, 0, 15, 21, 0x13, 0x88, 0, 0, 0, 0}));
    EXPECT_EQ(page->BitRateEdit()->GetValue(), 5000);
}

TEST_F(EncoderPagesOnTheEmulator, ATileSwitchesTheEmulatorsLedOutput)
{
    MLEDCfgDlg led(host.get());
    led.OnInitDialog();
    led.setGeometry(0, 0, 320, 620);
    led.ShowPage(true);
    led.SetSwitchDelay(10);
    for (int tile : {3, 1}) {
        QTest::mouseClick(&led, Qt::LeftButton, {}, led.TileRect(tile).center());
        ASSERT_TRUE(SpinUntil([&] { return emulator->DeviceState().ledOutput == tile; }, 20000)) << tile;
    }
    ASSERT_TRUE(SpinUntil([&] { return !led.IsSwitchPending(); }, 5000));
    EXPECT_TRUE(led.IsTileActive(1));
    // No controller folder is set: nothing was started and nothing said.
    EXPECT_FALSE(led.Controller().IsRunning());
    EXPECT_TRUE(boxes.empty());
}
