// The EDID, test-pattern and VGA pages on a real X server at their sizes, in English and Chinese,
// with everything they can show open: no control leaves its page or overlaps another, and every
// one-line label shows its whole text. The pictures are written to the build folder for a look.

#include "tests/support/PageFixture.h"
#include "tests/support/PageScreenshots.h"

#include "controls/CGdipButton.h"
#include "controls/oRealEdit.h"
#include "pages/signal/EdidIds.h"
#include "pages/signal/MEdidDlg.h"
#include "pages/signal/MTstPatternDlg.h"
#include "pages/signal/MVgaDlg.h"
#include "pages/signal/TestPatternIds.h"
#include "pages/signal/VgaIds.h"
#include "platform/Dpi.h"


namespace {

template <class Page>
class PageX11 : public PageFixture<Page> {
protected:
    void Check(int height, const QString& name)
    {
        ASSERT_EQ(QGuiApplication::platformName(), "xcb") << "needs an X server (run under xvfb-run -a)";
        ASSERT_TRUE(InstallShippedLanguageFiles(this->LanguageDir()));
        this->page->setGeometry(0, 0, ScaleX(320), ScaleY(height));
        // Every one-line label shows its whole text among the layout checks.
        const QStringList problems = ScreenshotAndCheck(*this->page, name);
        EXPECT_TRUE(problems.isEmpty()) << problems.join(", ").toStdString();
    }
};

using EdidPageX11 = PageX11<MEdidDlg>;
using PatternPageX11 = PageX11<MTstPatternDlg>;
using VgaPageX11 = PageX11<MVgaDlg>;

TEST_F(EdidPageX11, LooksRightInBothLanguages)
{
    CDeviceData& d = GetDeviceData();
    for (int n = 0; n < kInputSlotCount; ++n) {
        d.inputNames[n].enabled = 1;
        d.inputNames[n].name = DefaultInputName(n).trimmed();
        d.input[n].src = 4;
    }
    page->FillInputList();
    ClickButton(page->Button(ctl::edid::IDC_MORE));
    Check(620, QStringLiteral("edid_page"));
}

TEST_F(PatternPageX11, LooksRightInBothLanguages)
{
    ClickButton(page->Button(ctl::test_pattern::IDC_PATTERN_ON_OFF));
    GetDeviceData().grabColor[0] = 300;
    GetDeviceData().grabColor[1] = 128;
    GetDeviceData().grabColor[2] = 40;
    page->OnGrabColor();
    Check(416, QStringLiteral("test_pattern_page"));
}

TEST_F(VgaPageX11, LooksRightInBothLanguagesLockedAndUnlocked)
{
    CDeviceData& d = GetDeviceData();
    d.input[0].src = 3;
    d.chnl[0].input = 0;
    d.inputNames[0].name = QStringLiteral("VGA");
    page->SelectVgaInput(0);
    Check(620, QStringLiteral("vga_page_locked"));
    TypeAndEnter(page->Edit(ctl::vga::IDC_PASSWORD_EDIT), QStringLiteral("7272"));
    ClickButton(page->Button(ctl::vga::IDC_ENTER));
    ASSERT_TRUE(page->AdcUnlocked());
    Check(620, QStringLiteral("vga_page_unlocked"));
}

} // namespace
