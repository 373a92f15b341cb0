// The search page with found processors at its size in the main window, in English and Chinese:
// every control inside the page, none on top of another. Pictures are kept in the build folder.
// The connection page's address list carries its check boxes.

#include "tests/support/PageFixture.h"
#include "tests/support/PageScreenshots.h"

#include "controls/CListCtrlCl.h"
#include "platform/Dpi.h"
#include "shell/MainWindowGeometry.h"
#include "shell/pages/MConnectDlg.h"
#include "shell/pages/MSearchMachineDlg.h"

namespace {

// The settings column of a 1280 by 728 main window.
QRect SettingsColumn()
{
    return ComputePageArea(QRect(0, 0, kMainDesignWidth, kMainDesignHeight), 96, true).settings;
}

using ConnectPageX11 = PageFixture<MConnectDlg>;

// (How the page fits the settings column in both languages is checked with every other page in
// all_pages_x11_test.)
TEST_F(ConnectPageX11, TheAddressListHasACheckBoxPerRow)
{
    EXPECT_TRUE(page->findChild<CListCtrlCl*>()->HasCheckBoxes());
}

using SearchPageX11 = PageFixture<MSearchMachineDlg>;

TEST_F(SearchPageX11, ShowsFoundProcessorsWithoutOverlapInBothLanguages)
{
    ASSERT_TRUE(InstallShippedLanguageFiles(LanguageDir()));
    // The main window gives the search page the column's height and 480 pixels more width.
    const QRect column = SettingsColumn();
    page->setGeometry(0, 0, column.width() + 480, column.height());
    for (uint8_t i = 1; i <= 5; ++i)
        page->AddFoundDevice(QStringLiteral("127.0.0.%1").arg(i), {0x02, 0x5e, 0, 0x0a, 0, i});
    EXPECT_EQ(ScreenshotAndCheck(*page, QStringLiteral("search_page")), QStringList());
}

} // namespace
