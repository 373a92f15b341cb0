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
    // The main window keeps the search page at its own size, beside the settings column.
    page->setGeometry(QRect(QPoint(0, 0), MSearchMachineDlg(nullptr).size()));
    EXPECT_LE(SettingsColumn().right() + page->width(), kMainDesignWidth);
    for (uint8_t i = 1; i <= 5; ++i)
        page->AddFoundDevice(QStringLiteral("127.0.0.%1").arg(i), {0x02, 0x5e, 0, 0x0a, 0, i});
    EXPECT_EQ(ScreenshotAndCheck(*page, QStringLiteral("search_page")), QStringList());

    // The first row holds four whole tiles: each shows its right frame, and its text ends above
    // its bottom frame.
    const QImage picture = page->grab().toImage();
    ASSERT_EQ(page->Tiles().size(), 5u);
    for (int t = 0; t < kTilesPerRow; ++t) {
        const QRect r = page->Tiles()[static_cast<size_t>(t)].rect;
        EXPECT_EQ(r.top(), page->Tiles()[0].rect.top()) << t;
        EXPECT_TRUE(page->rect().contains(r.adjusted(-2, -2, 2, 2))) << t;
        EXPECT_EQ(picture.pixel(r.right(), r.center().y()), ToQColor(0xEBEBEB).rgb()) << t;
        int lit = 0;
        for (int x = r.left() + 2; x < r.right() - 1; ++x) lit += picture.pixel(x, r.bottom() - 2) != qRgb(0, 0, 0);
        EXPECT_EQ(lit, 0) << t;
    }
}

} // namespace
