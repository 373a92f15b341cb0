// The picture and crop pages at their size in the settings column, in English and Chinese: every
// control inside the page, none on top of another. Pictures are kept in the build folder.

#include "tests/support/PageFixture.h"
#include "tests/support/PageScreenshots.h"

#include "controls/oBitmapSlider.h"
#include "controls/oSliderEdit.h"
#include "pages/signal/MCropDlg.h"
#include "pages/signal/MPicSettingDlg.h"
#include "shell/MainWindowGeometry.h"

namespace {

QRect SettingsColumn()
{
    return ComputePageArea(QRect(0, 0, kMainDesignWidth, kMainDesignHeight), 96, true).settings;
}

using PicturePageX11 = PageFixture<MPicSettingDlg>;

TEST_F(PicturePageX11, FitsTheSettingsColumnInBothLanguages)
{
    ASSERT_TRUE(InstallShippedLanguageFiles(LanguageDir()));
    page->setGeometry(QRect(QPoint(0, 0), SettingsColumn().size()));
    GetDeviceData().picComm = {7, 8, 2.2f};
    PictureSettings& r = GetDeviceData().pic[0][0];
    r.brightness = r.contrast = r.saturation = r.hue = 50;
    r.sharpness = 12;
    r.colorTemp = 8;
    r.colorRed = r.colorGreen = r.colorBlue = 128;
    page->RefreshFromDevice();
    EXPECT_EQ(ScreenshotAndCheck(*page, QStringLiteral("picture_page")), QStringList());
    for (int k = 0; k < page->kValueCount; ++k) EXPECT_TRUE(page->ValueEdit(k)->isVisible()) << k;
}

using CropPageX11 = PageFixture<MCropDlg>;

TEST_F(CropPageX11, FitsTheSettingsColumnInBothLanguages)
{
    ASSERT_TRUE(InstallShippedLanguageFiles(LanguageDir()));
    page->setGeometry(QRect(QPoint(0, 0), SettingsColumn().size()));
    GetDeviceData().crop[0][0] = {1, 0, 320, 180, 960, 540, 1920, 1080};
    page->RefreshFromDevice();
    EXPECT_EQ(ScreenshotAndCheck(*page, QStringLiteral("crop_page")), QStringList());
}

} // namespace
