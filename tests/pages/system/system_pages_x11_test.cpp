// The system page, the schedule page and the media keys on a real X server at their design sizes,
// in English and Chinese: every control inside its page, none on top of another. The pictures
// are written to the build folder for a look.

#include "tests/support/PageFixture.h"
#include "tests/support/PageScreenshots.h"

#include "controls/ImageResources.h"
#include "pagekit/PageControls.h"
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

namespace ids = ctl::media_player;

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

// What keeps a date or time picker in picture (a grab of its page) from the page's look: a face
// that is not dark, text that is not light, arrows that do not stand out from the buttons they
// sit on, a frame not in the accent.
QStringList PickerProblems(const QAbstractSpinBox& picker, const QImage& picture)
{
    const QImage shot = picture.copy(picker.geometry()).convertToFormat(QImage::Format_RGB32);
    auto dark = [](QRgb c) { return std::max({qRed(c), qGreen(c), qBlue(c)}) <= 0x40; };
    auto light = [](QRgb c) { return std::min({qRed(c), qGreen(c), qBlue(c)}) >= 0xC0; };
    // The text field, the left part, and the arrows, the right 18 pixels, inside the frame.
    const QRect inside = shot.rect().adjusted(3, 3, -3, -3);
    const QRect text(inside.left(), inside.top(), inside.width() - 24, inside.height());
    const QRect arrows(inside.right() - 17, inside.top(), 18, inside.height());
    auto count = [&shot](const QRect& r, auto test) {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) n += test(shot.pixel(x, y));
        return n;
    };
    const double area = double(text.width()) * text.height();
    QStringList out;
    if (count(text, dark) < area / 2) out << QStringLiteral("face not dark");
    if (count(text, light) < 10) out << QStringLiteral("text not light");
    // The arrows' buttons are dark too, their arrows light.
    if (count(arrows, dark) < arrows.width() * arrows.height() / 2) out << QStringLiteral("arrow buttons not dark");
    if (count(arrows, light) < 6) out << QStringLiteral("arrows not light");
    const QColor frame = QColor(shot.pixel(shot.width() / 2, 0));
    const QColor accent = ToQColor(kColorAccent);
    if (std::abs(frame.red() - accent.red()) + std::abs(frame.green() - accent.green()) + std::abs(frame.blue() - accent.blue()) > 40)
        out << QStringLiteral("frame ") + frame.name();
    return out;
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
    EXPECT_EQ(PickerProblems(*page.DatePicker(), shot), QStringList()) << "date";
    EXPECT_EQ(PickerProblems(*page.TimePicker(), shot), QStringList()) << "time";
    const QImage top = shot.copy(0, 0, page.width(), kTitleBandHeight);
    int orange = 0;
    for (int y = 0; y < top.height(); ++y)
        for (int x = 0; x < top.width(); ++x) orange += top.pixel(x, y) == ToQColor(kPageTitleColor).rgb();
    EXPECT_EQ(orange, 0);
}

TEST_F(SystemPagesX11, SchedulePage) { SchedulePage(kCheckLayout); }
// Black task captions, the current task's light one and the ON/OFF caption, with the schedule on.
TEST_F(SystemPagesX11, SchedulePageCaptionContrast) { SchedulePage(kCheckCaptionContrast); }

// The share of a picture's pixels in the accent's shades (orange to brown).
double AccentShare(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    int accent = 0;
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb c = rgb.pixel(x, y);
            accent += qRed(c) - qBlue(c) >= 60 && qGreen(c) - qBlue(c) >= 30;
        }
    return rgb.isNull() ? 0 : double(accent) / (double(rgb.width()) * rgb.height());
}

// Both disks in: the chosen one wears the pages' pressed face, with its accent frame, and the
// other one the plain face, as pressed and released buttons do on every page.
TEST_F(SystemPagesX11, MediaPlayerKeys)
{
    MMediaPlayerDlg page(host_.get());
    GetDeviceData().input[6].src = 9;
    GetDeviceData().input[7].src = 9;
    page.RefreshFromDevice();
    Check(page, page.size(), QStringLiteral("media_player_page"));

    CGdiPlusBitmapResource pressed, plain;
    ASSERT_TRUE(pressed.Load(kPageActionPressedImage) && plain.Load(kPageActionImage));
    const double pressedShare = AccentShare(pressed.Bitmap());
    ASSERT_GT(pressedShare, 0.02);
    ASSERT_LT(AccentShare(plain.Bitmap()), 0.002);
    for (int chosen : {ids::IDC_DISK_1, ids::IDC_DISK_2}) {
        page.Button(chosen)->click();
        const QImage shot = page.grab().toImage();
        const int other = chosen == ids::IDC_DISK_1 ? ids::IDC_DISK_2 : ids::IDC_DISK_1;
        EXPECT_GT(AccentShare(shot.copy(page.Button(chosen)->geometry())), pressedShare / 2) << chosen;
        EXPECT_LT(AccentShare(shot.copy(page.Button(other)->geometry())), 0.002) << chosen;
    }
}

}  // namespace
