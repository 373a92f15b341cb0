// The encoder settings page and the LED launcher on a real X server, in English and Chinese: the
// pictures go to the build folder for a look, and no control leaves the page or overlaps another.

#include "pages/system/MLEDCfgDlg.h"
#include "pages/system/MVideoSettingDlg.h"
#include "tests/support/PageFixture.h"
#include "tests/support/PageScreenshots.h"

#include <QLabel>

#include <cstring>

namespace {

class EncoderPagesX11 : public TempAppDirTest {
protected:
    void SetUp() override
    {
        ASSERT_NE(PageTestApplication(), nullptr);
        ASSERT_EQ(QGuiApplication::platformName(), "xcb") << "needs an X server (run under xvfb-run -a)";
        TempAppDirTest::SetUp();
        g_IniPath = InfoIni();
        ASSERT_TRUE(InstallShippedLanguageFiles(LanguageDir()));
        host = std::make_unique<MessageRecorder>();
        host->show();
    }
    void TearDown() override
    {
        host.reset();
        TempAppDirTest::TearDown();
    }
    template <class Page>
    void Check(Page& page, const QString& name)
    {
        page.OnInitDialog();
        page.ShowPage(true);
        SettleForPicture();
        EXPECT_TRUE(SavePageScreenshots(page, name));
        EXPECT_EQ(ControlsOutside(page), QStringList());
        EXPECT_EQ(OverlappingControls(page), QStringList());
    }

    std::unique_ptr<MessageRecorder> host;
};

} // namespace

TEST_F(EncoderPagesX11, EncoderSettingsPage)
{
    MVideoSettingDlg page(host.get());
    page.OnInitDialog();
    page.move(0, 0);
    // A run's texts in place, so the picture shows them.
    page.SetPackagePath(QStringLiteral("/home/operator/packages/encoder/VP_venc.tar.gz"));
    page.SetUploadProgress(60);
    uint8_t version[10] = {1, 0x01, 0x07};
    std::memcpy(GetDeviceData().encoderInfo, version, sizeof version);
    page.OnDeviceInfo();
    Check(page, QStringLiteral("encoder_settings"));
    EXPECT_GE(page.width(), 320);
    page.SetUploadProgress(100);
    SettleForPicture();
    // The longest result text fits its line.
    EXPECT_LE(page.ResultText()->sizeHint().width(), page.ResultText()->width());
}

TEST_F(EncoderPagesX11, LedLauncherPage)
{
    MLEDCfgDlg page(host.get());
    page.setGeometry(0, 0, 320, 620);
    page.OnInitDialog();
    // One tile chosen, so the picture shows the active look.
    page.SetSwitchDelay(0);
    page.OnLButtonDown(page.TileRect(1).center());
    ASSERT_TRUE(SpinUntil([&] { return page.IsTileActive(1); }, 5000));
    Check(page, QStringLiteral("led_launcher"));
}
