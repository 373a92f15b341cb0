// The system page, the schedule page and the media keys on a real X server at their design sizes,
// in English and Chinese: every control inside its page, none on top of another. The pictures
// are written to the build folder for a look.

#include "tests/support/PageFixture.h"
#include "tests/support/PageScreenshots.h"

#include "pages/system/MMediaPlayerDlg.h"
#include "pages/system/MediaPlayerIds.h"
#include "pages/system/MMiscDlg.h"
#include "pages/system/MTaskDlg.h"
#include "pagekit/UiText.h"

#include <QDateEdit>
#include <QDeadlineTimer>
#include <QTimeEdit>
#include <QWindow>

namespace {

class SystemPagesX11 : public TempAppDirTest {
protected:
    void SetUp() override
    {
        ASSERT_NE(PageTestApplication(), nullptr);
        ASSERT_EQ(QGuiApplication::platformName(), "xcb") << "needs an X server (run under xvfb-run -a)";
        TempAppDirTest::SetUp();
        g_IniPath = InfoIni();
        ASSERT_TRUE(InstallShippedLanguageFiles(LanguageDir()));
        comm::InstallCommLibrary(&link_);
        guard_ = std::make_unique<DeviceStateGuard>();
        host_ = std::make_unique<MessageRecorder>();
        host_->show();
    }
    void TearDown() override
    {
        SelectLanguage(QStringLiteral("English"));
        ReloadUiText();
        host_.reset();
        guard_.reset();
        comm::InstallCommLibrary(nullptr);
        TempAppDirTest::TearDown();
    }
    // Shows the page at its size and checks it in both languages.
    void Check(MBaseDialog& page, const QSize& size, const QString& name, unsigned checks = kCheckLayout)
    {
        page.OnInitDialog();
        page.setGeometry(QRect(QPoint(77, 106), size));
        page.ShowPage(true);
        QDeadlineTimer deadline(5000);
        while (!deadline.hasExpired() && !(host_->windowHandle() && host_->windowHandle()->isExposed()))
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        // As the main window switches: the numbered texts first, then the page's own.
        EXPECT_EQ(ScreenshotAndCheck(page, name, checks), QStringList());
    }
    void SchedulePage(unsigned checks);

    std::unique_ptr<MessageRecorder> host_;

private:
    comm::RecordingCommLibrary link_;
    std::unique_ptr<DeviceStateGuard> guard_;
};

TEST_F(SystemPagesX11, SystemPage)
{
    CDeviceData& d = GetDeviceData();
    d.sysInfo = SystemInfo{};
    d.sysInfo.w2 = 1205;
    std::memcpy(d.sysInfo.b4, "QVNP", 4);
    d.sysInfo.w8[0] = 0x12;
    d.sysInfo.w8[1] = 0x3456;
    d.sysInfo.w8[2] = 0x7;
    d.sysInfo.w8[3] = 0x21;
    d.sysInfo.b16[0] = 1;
    d.inputNames[6].enabled = 1;
    d.inputNames[6].name = QStringLiteral(" DVI-3 ");
    d.inputNames[7].enabled = 1;
    d.inputNames[7].name = QStringLiteral(" HDMI-4 ");
    d.loopOutIp = 6;
    MMiscDlg page(host_.get());
    page.ShowSystemInfo();
    page.UpdateExtBoardButtons();
    page.RefreshLoopOut();
    page.SetDualChannel(true);
    // The design size of the settings column (a 1280 by 728 main window).
    Check(page, QSize(320, 526), QStringLiteral("system_page"));
}

// The share of image's pixels that pass.
template <class Pass>
double Share(const QImage& image, Pass pass)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += pass(image.pixel(x, y));
    return image.isNull() ? 0 : n / (double(image.width()) * image.height());
}

// A date or time picker in the pages' look, in picture (a grab of its page): its text field and
// its arrow buttons (the right 18 pixels inside the frame) mostly dark, with light text and arrows.
void ExpectPickerLook(const QWidget& picker, const QImage& picture)
{
    const QRect in = picker.geometry().adjusted(3, 3, -3, -3);
    for (const QRect& part : {in.adjusted(0, 0, -24, 0), in.adjusted(in.width() - 18, 0, 0, 0)}) {
        EXPECT_GT(Share(picture.copy(part), [](QRgb c) { return std::max({qRed(c), qGreen(c), qBlue(c)}) <= 0x40; }), 0.5);
        EXPECT_GT(Share(picture.copy(part), [](QRgb c) { return std::min({qRed(c), qGreen(c), qBlue(c)}) >= 0xC0; }), 0.02);
    }
}

void SystemPagesX11::SchedulePage(unsigned checks)
{
    MTaskDlg page(host_.get());
    page.SetClock({[] { return QDateTime(QDate(2026, 3, 5), QTime(14, 7, 9)); }, [] { return qint64(0); }});
    const uint8_t now[6] = {26, 3, 5, 14, 6, 58};
    std::memcpy(GetDeviceData().machineTime, now, 6);
    GetDeviceData().task[0] = ScheduleTask{26, 3, 6, 8, 30, 0, 2, 0, 2};
    GetDeviceData().taskStatus = 1;
    page.RefreshFromDevice();
    page.ShowMachineTime();
    page.OnTimerTick();
    // The sub-page area below the system page's tab row.
    Check(page, QSize(320, 416), QStringLiteral("schedule_page"), checks);
    // A tab of the system page: no title band of its own (its orange title) and no close button.
    EXPECT_FALSE(page.CloseButton()->isVisibleTo(&page));
    const QImage shot = page.grab().toImage();
    ExpectPickerLook(*page.DatePicker(), shot);
    ExpectPickerLook(*page.TimePicker(), shot);
    const QImage top = shot.copy(0, 0, page.width(), kTitleBandHeight);
    int orange = 0;
    for (int y = 0; y < top.height(); ++y)
        for (int x = 0; x < top.width(); ++x) orange += top.pixel(x, y) == ToQColor(kPageTitleColor).rgb();
    EXPECT_EQ(orange, 0);
}

TEST_F(SystemPagesX11, SchedulePage) { SchedulePage(kCheckLayout); }
// Black task captions, the current task's light one and the ON/OFF caption, with the schedule on.
TEST_F(SystemPagesX11, SchedulePageCaptionContrast) { SchedulePage(kCheckCaptionContrast); }

TEST_F(SystemPagesX11, MediaPlayerKeys)
{
    MMediaPlayerDlg page(host_.get());
    GetDeviceData().input[6].src = 9;
    GetDeviceData().input[7].src = 9;
    page.RefreshFromDevice();
    Check(page, page.size(), QStringLiteral("media_player_page"));
    // Both disks in: the chosen one wears the pressed face (its accent frame), the other the plain.
    const QImage shot = page.grab().toImage();
    auto accent = [&](int id) {
        return Share(shot.copy(page.Button(id)->geometry()), [](QRgb c) { return qRed(c) - qBlue(c) >= 60 && qGreen(c) - qBlue(c) >= 30; });
    };
    EXPECT_GT(accent(ctl::media_player::IDC_DISK_1), 0.02);
    EXPECT_LT(accent(ctl::media_player::IDC_DISK_2), 0.002);
}

}  // namespace
