// The splicing and feather pages at their size, in English and Chinese: every control inside the
// page, none on top of another. Pictures are kept in the build folder for a look.

#include "tests/support/PageFixture.h"
#include "tests/support/PageScreenshots.h"

#include "pages/signal/MMosaicDlg.h"
#include "pages/signal/QVN_FeatherDlg.h"

#include <cstring>

namespace {

class SplicingPageX11 : public PageFixture<MMosaicDlg> {
protected:
    // Three panels with the middle arrangement chosen, so the preview has cells and a marker.
    QStringList Check(unsigned checks)
    {
        EXPECT_TRUE(InstallShippedLanguageFiles(LanguageDir()));
        page->setGeometry(0, 0, 320, 620);
        GetDeviceData().mosaic.mode = 4;
        GetDeviceData().mosaic.autoArr = 3;
        page->RefreshFromDevice(3);
        const QStringList problems = ScreenshotAndCheck(*page, QStringLiteral("splicing_page"), checks);
        GetDeviceData().mosaicCell = 8;
        return problems;
    }
};

TEST_F(SplicingPageX11, FitsTheSettingsColumnInBothLanguages) { EXPECT_EQ(Check(kCheckLayout), QStringList()); }
// The six "Manual Arrangement" edits take input in this arrangement.
TEST_F(SplicingPageX11, EditFramesShowWhetherTheyTakeInput) { EXPECT_EQ(Check(kCheckEditFrames), QStringList()); }

using FeatherPageX11 = PageFixture<QVN_FeatherDlg>;

TEST_F(FeatherPageX11, FitsItsWindowInBothLanguages)
{
    ASSERT_TRUE(InstallShippedLanguageFiles(LanguageDir()));
    page->resize(QVN_FeatherDlg(nullptr).size());
    GetDeviceData().mosaic.mode = 3;
    GetDeviceData().feather = {1, {0, 1, 0, 4}, {0, 3, 0, 2}};
    page->RefreshFromDevice();
    EXPECT_EQ(ScreenshotAndCheck(*page, QStringLiteral("feather_page")), QStringList());
    GetDeviceData().feather = {};
}

} // namespace
