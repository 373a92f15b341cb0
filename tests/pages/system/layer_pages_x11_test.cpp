// The keyer, logo, switcher and PIP pages on a real X server at their real size, in English and
// Chinese: no control outside the page, none on top of another, and pictures for a look.

#include "tests/support/PageFixture.h"
#include "tests/support/PageScreenshots.h"

#include "pages/system/MKeyerDlg.h"
#include "pages/system/MLogoDlg.h"
#include "pages/system/MPIPDlg.h"
#include "pages/system/MSwitcherDlg.h"

#include <cstring>

namespace {

// A device state that shows every control in use.
void ShowcaseState()
{
    CDeviceData& d = GetDeviceData();
    d.outputReso.hReso = 1920;
    d.outputReso.vReso = 1080;
    d.mosaic.mode = 3;
    d.pvwMode = 0;
    d.pvwDTime = 4;
    for (int w = 0; w < 4; ++w) d.chnl[w] = LayerWindow{1, 40, static_cast<uint8_t>(w), 0, 100, 50, 640, 480, 0};
    for (int n = 0; n < 12; ++n) {
        d.inputNames[n].enabled = n < 8 ? 1 : 0;
        d.inputNames[n].name = QStringLiteral("HDMI-%1").arg(n + 1);
    }
    d.keyer[0] = KeyerSettings{3, 1, {0, 0}, 0, 10, 200, 20, 210, 30, 220, 5, 6, 7, {0, 0, 0}};
    std::memset(&d.logo, 0, sizeof d.logo);
    d.logo.valid[1] = 1;
    d.logo.win.hAct[1] = 320;
    d.logo.win.vAct[1] = 120;
}

template <class Page>
class LayerPagePicture : public PageFixture<Page> {
protected:
    void Check(const QString& name, int height, unsigned checks = kCheckLayout)
    {
        ASSERT_TRUE(InstallShippedLanguageFiles(this->LanguageDir()));
        ShowcaseState();
        this->page->setGeometry(0, 0, 320, height);
        Refresh();
        PageFixture<Page>::Settle();
        EXPECT_TRUE(ControlsOutside(*this->page).isEmpty()) << ControlsOutside(*this->page).join(", ").toStdString();
        EXPECT_TRUE(OverlappingControls(*this->page).isEmpty()) << OverlappingControls(*this->page).join(", ").toStdString();
        // The numbered texts are reloaded too, as the main window does on a switch (group titles, list texts).
        EXPECT_EQ(ScreenshotAndCheck(*this->page, name, checks), QStringList());
    }
    virtual void Refresh() = 0;
};

class KeyerPicture : public LayerPagePicture<MKeyerDlg> {
    void Refresh() override { page->RefreshFromDevice(); }
};
class LogoPicture : public LayerPagePicture<MLogoDlg> {
    void Refresh() override
    {
        page->RefreshFromDevice();
        page->UpdateEnableState();
    }
};
class SwitcherPicture : public LayerPagePicture<MSwitcherDlg> {
protected:
    int mode = 1;
    void Refresh() override
    {
        GetDeviceData().pvwMode = static_cast<uint8_t>(mode);
        page->RefreshFromDevice();
    }
};
class PipPicture : public LayerPagePicture<MPIPDlg> {
    void Refresh() override
    {
        page->FillInputLists();
        page->RefreshFromDevice();
        page->UpdateByWorkMode();
    }
};

TEST_F(KeyerPicture, KeyerPage) { Check(QStringLiteral("keyer_page"), 320); }
TEST_F(LogoPicture, LogoPage) { Check(QStringLiteral("logo_page"), 490); }
TEST_F(SwitcherPicture, SwitcherPage) { Check(QStringLiteral("switcher_page"), 220); }
TEST_F(PipPicture, PipPage) { Check(QStringLiteral("pip_page"), 560); }
// The switcher's panel buttons, switched on, have dark captions.
TEST_F(SwitcherPicture, SwitcherPageCaptionContrast) { Check(QStringLiteral("switcher_page"), 220, kCheckCaptionContrast); }
// Switched off, the greyed panel captions stay readable on their light skins.
TEST_F(SwitcherPicture, SwitcherOffCaptionContrast)
{
    mode = 0;
    Check(QStringLiteral("switcher_page_off"), 220, kCheckCaptionContrast);
}

}  // namespace
