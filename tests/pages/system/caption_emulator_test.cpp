// The caption page in the real main window, over the real library and TCP on loopback, against the
// processor emulator: the picture the emulator rebuilds from the chunks is the one written, and
// the emulator's caption record holds what the page set.

#include "LinkTestSupport.h"
#include "MainWindowTestSupport.h"

#include "comm/QVN_Comm.h"
#include "controls/oRealEdit.h"
#include "device/CDeviceData.h"
#include "pages/system/CaptionBitmap.h"
#include "pages/system/CaptionIds.h"
#include "pages/system/MSubTitleDlg.h"
#include "platform/MessageBox.h"
#include "tests/support/EventLoopWait.h"

#include <QLineEdit>

namespace cc = ctl::caption;

namespace {

class CaptionEmulatorTest : public TempAppDirTest {
protected:
    void SetUp() override
    {
        TestApp();
        TempAppDirTest::SetUp();
        g_IniPath = InfoIni();
        SetMessageBoxHandler([this](const MessageBoxRequest& m) {
            boxes.push_back(m.text);
            return IDOK;
        });
        emulator_ = StartEmulator("127.0.0.122");
        link_ = std::make_unique<comm::DeviceLink>(OptionsFor(*emulator_));
        comm::InstallCommLibrary(link_.get());
        window_ = std::make_unique<KordalDlg>();
        window_->show();
        QCoreApplication::processEvents();
        g_DeviceAddress = emulator_->Address();
        ASSERT_TRUE(GetDeviceData().ConnectDeviceByIp(QStringLiteral("127.0.0.122")));
        ASSERT_TRUE(SpinUntil([&] { return emulator_->ClientCount() == 1; }, 10000));
        CaptionTimings t;
        t.ackWait = 300;
        Page().SetTimings(t);
        Page().Edit(cc::IDC_WIDTH_EDIT)->SetValue(600);
        Page().Edit(cc::IDC_HEIGHT_EDIT)->SetValue(60);
    }
    void TearDown() override
    {
        window_.reset();
        if (link_) QVN_Comm_Shutdown();
        comm::InstallCommLibrary(nullptr);
        link_.reset();
        if (emulator_) emulator_->Stop();
        SetMessageBoxHandler({});
        g_DeviceAddress = kDefaultDeviceAddress;
        TempAppDirTest::TearDown();
    }
    MSubTitleDlg& Page() { return window_->m_SubTitleDlg; }
    bool Finished() { return Page().isEnabled() && !Page().IsTransferring(); }

    std::unique_ptr<emu::ProcessorEmulator> emulator_;
    std::unique_ptr<comm::DeviceLink> link_;
    std::unique_ptr<KordalDlg> window_;
    QStringList boxes;
};

}  // namespace

TEST_F(CaptionEmulatorTest, ACaptionTransferCompletesEndToEnd)
{
    MSubTitleDlg& page = Page();
    page.TextEdit()->setText(QStringLiteral("LED wall 1"));
    page.OnSendCaption();
    ASSERT_FALSE(page.isEnabled());
    ASSERT_TRUE(SpinUntil([&] { return Finished(); }, 20000)) << boxes.join('\n').toStdString();
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join('\n').toStdString();

    caption::MonoBitmap written;
    ASSERT_EQ(caption::ReadMonoBmpFile(page.BitmapPath(), written), caption::BmpError::None);
    EXPECT_EQ(emulator_->CaptionSize(), std::make_pair(600, 60));
    EXPECT_EQ(emulator_->CaptionChunks(), 4u);
    EXPECT_EQ(emulator_->CaptionRows(), written.rows) << "the processor holds the picture, top row first";

    // The end sequence placed the caption; the start sequence set its colours.
    ASSERT_TRUE(SpinUntil([&] { return emulator_->CaptionRecord(0)[0] == 0x58; }, 5000));
    const auto rec = emulator_->CaptionRecord(0);
    EXPECT_EQ(rec[0] | rec[1] << 8, 600);
    EXPECT_EQ(rec[2] | rec[3] << 8, 60);
    EXPECT_EQ(rec[16], 0xFF);  // red text
    EXPECT_TRUE(page.Button(cc::IDC_DISPLAY_ON_OFF)->IsPressed());
    // The query at the end brought caption 0's record back into the device state.
    ASSERT_TRUE(SpinUntil([&] { return GetDeviceData().caption[0][0] == 0x58; }, 5000));
}

TEST_F(CaptionEmulatorTest, ALostAcknowledgementIsMadeUpByAResend)
{
    emulator_->DropChunkAcks(1);
    Page().OnSendCaption();
    ASSERT_TRUE(SpinUntil([&] { return Finished(); }, 20000));
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join('\n').toStdString();
    EXPECT_EQ(emulator_->CaptionChunks(), 5u);
    caption::MonoBitmap written;
    ASSERT_EQ(caption::ReadMonoBmpFile(Page().BitmapPath(), written), caption::BmpError::None);
    EXPECT_EQ(emulator_->CaptionRows(), written.rows);
}

TEST_F(CaptionEmulatorTest, ARefusedCaptionLeavesThePageUsable)
{
    emulator_->SetRefuseCaptions(true);
    Page().OnSendCaption();
    ASSERT_TRUE(SpinUntil([&] { return !boxes.isEmpty(); }, 10000));
    EXPECT_EQ(boxes.front(), "Caption Invalid");
    EXPECT_TRUE(Finished());
    EXPECT_EQ(emulator_->CaptionChunks(), 0u);
}

TEST_F(CaptionEmulatorTest, InitialiseIsAnsweredAndThePageComesBack)
{
    Page().Button(cc::IDC_INITIALIZE)->click();
    ASSERT_TRUE(SpinUntil([&] { return Page().isEnabled(); }, 10000));
    EXPECT_EQ(boxes, QStringList{"Reset Caption ?"}) << "answered by the processor, no time-out";
}
