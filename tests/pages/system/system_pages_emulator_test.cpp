// The system page, the schedule page and the media keys with the real library against the
// processor emulator over loopback TCP: what a page sends is read back from the emulator.

#include "LinkTestSupport.h"
#include "tests/support/PageFixture.h"

#include "comm/QVN_Comm.h"
#include "controls/CGdipButton.h"
#include "device/MainWindowLink.h"
#include "device/UiReplyRelay.h"
#include "pages/system/MMediaPlayerDlg.h"
#include "pages/system/MMiscDlg.h"
#include "pages/system/MTaskDlg.h"
#include "pages/system/MediaPlayerIds.h"
#include "pages/system/MiscIds.h"
#include "pages/system/TaskIds.h"

#include <QLabel>

#include <cstring>

namespace {

class PostLog final : public MainWindowLink {
public:
    void PostRefresh(int32_t w, int32_t) override { ++posts[w & 31]; }
    void NotifyReplyStatus(uint8_t) override { ++posts[REPLY_STATUS]; }
    void HideBusyDialog() override {}
    void PostDeviceFound(const QString&, const std::array<uint8_t, 6>&) override {}
    int posts[32] = {};
};

std::vector<uint8_t> DeviceBlockBytes()
{
    std::vector<uint8_t> bytes(kParamBlockBytes);
    std::memcpy(bytes.data(), &GetDeviceData().Block(), bytes.size());
    return bytes;
}

DeviceParamBlock BlockOf(const std::vector<uint8_t>& bytes)
{
    DeviceParamBlock b{};
    if (bytes.size() == sizeof b) std::memcpy(&b, bytes.data(), sizeof b);
    return b;
}

class SystemPagesEmulator : public TempAppDirTest {
protected:
    void SetUp() override
    {
        PageTestApplication();
        TempAppDirTest::SetUp();
        g_IniPath = InfoIni();
        guard_ = std::make_unique<DeviceStateGuard>();
        SetMessageBoxHandler([this](const MessageBoxRequest& m) {
            boxes.push_back(m.text);
            return IDOK;
        });
        emulator = StartEmulator("127.0.0.71");
        comm::DeviceLinkOptions options;
        options.tcpPortByIp[emulator->Ip()] = emulator->TcpPort();
        link = std::make_unique<comm::DeviceLink>(options);
        comm::InstallCommLibrary(link.get());
        SetMainWindowLink(&log);
        RegisterReplyHandlers();
        g_DeviceAddress = emulator->Address();
        ASSERT_TRUE(GetDeviceData().ConnectDeviceByIp(QStringLiteral("127.0.0.71")));
        host = std::make_unique<MessageRecorder>();
        host->show();
    }
    void TearDown() override
    {
        host.reset();
        QVN_Comm_Shutdown();
        SetMainWindowLink(nullptr);
        comm::InstallCommLibrary(nullptr);
        link.reset();
        if (emulator) emulator->Stop();
        SetMessageBoxHandler({});
        guard_.reset();
        TempAppDirTest::TearDown();
    }
    template <class Page>
    std::unique_ptr<Page> Open(QSize size)
    {
        auto page = std::make_unique<Page>(host.get());
        page->OnInitDialog();
        page->setGeometry(QRect(QPoint(0, 0), size));
        page->ShowPage(true);
        QCoreApplication::processEvents();
        return page;
    }
    static void Click(CGdipButton* b)
    {
        ASSERT_NE(b, nullptr);
        QTest::mouseClick(b, Qt::LeftButton);
        QCoreApplication::processEvents();
    }

    std::unique_ptr<emu::ProcessorEmulator> emulator;
    std::unique_ptr<comm::DeviceLink> link;
    std::unique_ptr<MessageRecorder> host;
    PostLog log;
    std::vector<QString> boxes;

private:
    std::unique_ptr<DeviceStateGuard> guard_;
};

TEST_F(SystemPagesEmulator, GetLoopOutSetAndResetReachTheProcessor)
{
    namespace ids = ctl::misc;
    auto page = Open<MMiscDlg>(QSize(320, 526));

    Click(page->Button(ids::IDC_GET_DATA));
    ASSERT_TRUE(SpinUntil([&] { return log.posts[REPLY_ALL_DATA] > 0; })) << "no reply 2";
    EXPECT_EQ(GetDeviceData().loopOutIp, BlockOf(emulator->Block()).loopOutIp);

    Click(page->Button(ids::IDC_LOOP_OUT_DVI2));
    ASSERT_TRUE(SpinUntil([&] { return BlockOf(emulator->Block()).loopOutIp == 2; })) << "loop-out not stored";
    ASSERT_TRUE(SpinUntil([&] { return log.posts[REPLY_LOOP_OUT] > 0; }));
    page->RefreshLoopOut();
    EXPECT_TRUE(page->Button(ids::IDC_LOOP_OUT_DVI2)->IsPressed());

    // Set: feathering off first, then the whole block.
    GetDeviceData().feather.onOff = 1;
    GetDeviceData().outputReso.hReso = 1366;
    Click(page->Button(ids::IDC_SET_DATA));
    const auto sent = DeviceBlockBytes();
    ASSERT_TRUE(SpinUntil([&] { return emulator->Block() == sent; })) << "block not stored";
    EXPECT_EQ(emulator->DeviceState().feather[0], 0);
    // The feather command came before the block.
    int featherAt = -1, blockAt = -1, n = 0;
    for (const auto& f : emulator->Received()) {
        if (f.frame.type == comm::FrameType::ParamBlock) blockAt = n;
        if (!CommandIds({f}).empty() && CommandIds({f})[0] == CMD_SET_FEATHER) featherAt = n;
        ++n;
    }
    EXPECT_GE(featherAt, 0);
    EXPECT_GT(blockAt, featherAt);

    for (int id = ids::IDC_RESET_STEP_1; id <= ids::IDC_RESET_STEP_OK; ++id) Click(page->Button(id));
    ASSERT_TRUE(SpinUntil([&] { return emulator->DeviceState().factoryResets == 1; })) << "no reset";
    EXPECT_EQ(boxes, std::vector<QString>{QStringLiteral("Restart The Machine")});
    EXPECT_EQ(BlockOf(emulator->Block()).loopOutIp, 0);
}

TEST_F(SystemPagesEmulator, SyncSetsTheProcessorClockAndTasksAreStored)
{
    namespace ids = ctl::task;
    auto page = Open<MTaskDlg>(QSize(320, 416));
    qint64 mono = 0;
    page->SetClock({[] { return QDateTime(QDate(2026, 3, 5), QTime(14, 7, 9)); }, [&] { return mono; }});

    Click(page->Button(ids::IDC_SYNC_CLOCK));
    ASSERT_TRUE(SpinUntil([&] { return log.posts[REPLY_MACHINE_TIME] > 0; })) << "no reply 13";
    const emu::EmulatorDevice device = emulator->DeviceState();
    const uint8_t expected[6] = {26, 3, 5, 14, 7, 9};
    EXPECT_EQ(std::memcmp(device.machineTime, expected, 6), 0);
    page->ShowMachineTime();
    EXPECT_EQ(page->MachineTimeText()->text(), "2026/3/5 14:07:09");
    mono += 2000;
    page->OnTimerTick();
    EXPECT_EQ(page->MachineTimeText()->text(), "2026/3/5 14:07:11");

    for (uint8_t& s : GetDeviceData().presetStored) s = 1;
    page->MarkTaskRows();
    GetDeviceData().task[3] = ScheduleTask{27, 2, 30, 7, 0, 0, 5, 0, 1};
    Click(page->Button(ids::IDC_TASK_4));
    Click(page->Button(ids::IDC_OPTION_EVERY_DAY));
    Click(page->Button(ids::IDC_CONFIRM));
    ASSERT_TRUE(SpinUntil([&] { return BlockOf(emulator->Block()).task[3].option == 2; })) << "task not stored";
    const ScheduleTask stored = BlockOf(emulator->Block()).task[3];
    EXPECT_EQ(stored.year, 27);
    EXPECT_EQ(stored.month, 2);
    EXPECT_EQ(stored.day, 28);
    EXPECT_EQ(stored.hour, 7);
    EXPECT_EQ(stored.presetId, 5);

    Click(page->Button(ids::IDC_SCHEDULE_ON_OFF));
    ASSERT_TRUE(SpinUntil([&] { return BlockOf(emulator->Block()).taskStatus == 1; })) << "switch not stored";
}

TEST_F(SystemPagesEmulator, MediaKeysReachThePlayer)
{
    namespace ids = ctl::media_player;
    auto page = Open<MMediaPlayerDlg>(QSize(320, 250));
    GetDeviceData().input[6].src = 4;
    GetDeviceData().input[7].src = 9;
    page->RefreshFromDevice();
    Click(page->Button(ids::IDC_KEY_RIGHT));
    ASSERT_TRUE(SpinUntil([&] { return emulator->DeviceState().mediaKeys == 1; })) << "no key";
    EXPECT_EQ(emulator->DeviceState().lastMediaKey[0], 7);
    EXPECT_EQ(emulator->DeviceState().lastMediaKey[1], 1);
}

}  // namespace
