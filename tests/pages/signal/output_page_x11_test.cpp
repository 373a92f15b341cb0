// The output page on a real X server at its size in the settings column, in English and Chinese,
// with the detailed timing open: no control leaves the page or overlaps another, nor covers the
// rotation preview, upright or turned. The pictures are written to the build folder for a look.

#include "tests/support/PageFixture.h"
#include "tests/support/PageScreenshots.h"

#include "controls/CGdipButton.h"
#include "pages/signal/MOutputDlg.h"
#include "pages/signal/OutputIds.h"
#include "pagekit/UiText.h"

#include "platform/Dpi.h"

namespace co = ctl::output;

namespace {

class OutputPageX11 : public PageFixture<MOutputDlg> {};

TEST_F(OutputPageX11, LooksRightInBothLanguages)
{
    ASSERT_EQ(QGuiApplication::platformName(), "xcb") << "needs an X server (run under xvfb-run -a)";
    ASSERT_TRUE(InstallShippedLanguageFiles(LanguageDir()));
    page->setGeometry(0, 0, ScaleX(320), ScaleY(620));
    page->SelectWindow(1);

    for (const char* language : {"Chinese", "English"}) {
        SCOPED_TRACE(language);
        SelectLanguage(QString::fromLatin1(language));
        ReloadUiText();
        page->ApplyLanguage();
        page->ApplyStaticColours();
        ChooseDropRow(page->ResolutionList(), MOutputDlg::kCustomRow);
        ClickButton(page->Button(co::IDC_MORE));
        ASSERT_TRUE(page->DetailedTimingOn());
        SettleForPicture();
        EXPECT_TRUE(ControlsOutside(*page).isEmpty()) << ControlsOutside(*page).join(", ").toStdString();
        EXPECT_TRUE(OverlappingControls(*page).isEmpty()) << OverlappingControls(*page).join(", ").toStdString();
        // Every label and caption shows its whole text.
        EXPECT_EQ(ClippedTexts(*page), QStringList());
        const QImage picture = page->grab().toImage();
        EXPECT_TRUE(picture.save(QStringLiteral(SVP_BINARY_DIR "/output_page_") +
                                 QString::fromLatin1(language).toLower() + QStringLiteral(".png")));
    }
    EXPECT_EQ(page->ResolutionList()->GetList()->GetText(MOutputDlg::kCustomRow), g_UiText[96]);

    // Every rotation: the whole turned preview shows, between the buttons and inside its group.
    for (int code = 0; code < 8; ++code) {
        SCOPED_TRACE(code);
        ClickButton(page->RotationButton(code));
        SettleForPicture();
        EXPECT_EQ(page->PaintedAreas().size(), 1u);
        EXPECT_TRUE(OverlappingControls(*page).isEmpty()) << OverlappingControls(*page).join(", ").toStdString();
        const QRect at = page->PreviewRect();
        const QSize turned = page->PreviewImage().size();
        EXPECT_TRUE(FindControlAs<QWidget>(page.get(), co::IDC_ROTATE_GROUP)->geometry().contains(at));
        EXPECT_NEAR(double(at.width()) / at.height(), double(turned.width()) / turned.height(), 0.05);
        if (code == 1) page->grab().save(QStringLiteral(SVP_BINARY_DIR "/output_page_turned.png"));
    }
}

} // namespace
