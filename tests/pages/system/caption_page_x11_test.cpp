// Pictures of the caption page in simple and advanced mode, English and Chinese, under X11, with
// the layout checks: every control inside the page, none on another.

#include "tests/support/PageFixture.h"
#include "tests/support/PageScreenshots.h"

#include "controls/CGdipButton.h"
#include "controls/oRealEdit.h"
#include "pages/system/CaptionIds.h"
#include "pages/system/MSubTitleDlg.h"
#include "platform/Dpi.h"

namespace cc = ctl::caption;

namespace {

class CaptionPageX11 : public PageFixture<MSubTitleDlg> {
protected:
    void SetUp() override
    {
        PageFixture<MSubTitleDlg>::SetUp();
        ASSERT_TRUE(InstallShippedLanguageFiles(AppDir() + "Language/"));
        page->setGeometry(0, 0, ScaleX(320), page->height());
    }
    void Look(const QString& name)
    {
        EXPECT_TRUE(ControlsOutside(*page).isEmpty()) << name.toStdString() << ": "
                                                      << ControlsOutside(*page).join(", ").toStdString();
        EXPECT_TRUE(OverlappingControls(*page).isEmpty())
            << name.toStdString() << ": " << OverlappingControls(*page).join(", ").toStdString();
        // The numbered texts (lists, group titles) follow the language as the main window has them.
        EXPECT_EQ(ScreenshotAndCheck(*page, name), QStringList());
    }
};

}  // namespace

TEST_F(CaptionPageX11, SimpleAndAdvancedModesShowEveryControl)
{
    ASSERT_EQ(QGuiApplication::platformName(), "xcb") << "this test needs an X server (xvfb-run)";
    page->ShowPage(true);
    page->resize(ScaleX(320), ScaleX(410));
    Look("caption_simple");
    EXPECT_EQ(page->height(), ScaleX(410));

    page->Button(cc::IDC_ADVANCED)->click();
    Settle();
    EXPECT_EQ(page->height(), ScaleX(610));
    for (int id : {cc::IDC_H_START_EDIT, cc::IDC_V_START_EDIT, cc::IDC_DISPLAY_WIDTH_EDIT})
        EXPECT_TRUE(page->Edit(id)->isVisible()) << id;
    Look("caption_advanced");

    // The tallest caption: the text edit and the preview grow, nothing leaves the page.
    page->Edit(cc::IDC_HEIGHT_EDIT)->SetValue(128);
    SendMsg(page.get(), WM_VALUE_CHANGED, cc::IDC_HEIGHT_EDIT, 0);
    Settle();
    Look("caption_tallest");
}
