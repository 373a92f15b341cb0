// The program against the processor emulator on loopback, under Xvfb: after the read-out the
// processor reports preview video and streams a four-colour mosaic as reply 26; the layer cells
// and the four views show their quadrants' colours (read back from the X server). Preview is then
// switched off and on 50 times while the stream runs, and the video comes back. Pictures of the
// window and of the four-view window, in English and Chinese, are kept in the build folder.
#include "EmulatorWindowTestSupport.h"
#include "TestStream.h"
#include "tests/support/KeepMesaLoaded.h"
#include "tests/support/PageScreenshots.h"

#include "preview/CCell.h"
#include "preview/CPictureCtrl.h"
#include "preview/MMainDlg.h"
#include "preview/MShowVideoDlg.h"
#include "preview/SdlVideoWidget.h"
#include "preview/VideoChannelSet.h"
#include "controls/CGdipButton.h"
#include "platform/ControlId.h"
#include "shell/MainWindowIds.h"

#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QScreen>

#include <cstring>

namespace {

namespace mw = ctl::main_window;

class OperatingPreviewX11 : public EmulatorWindowTest {
protected:
    void SetUp() override
    {
        KeepMesaLoaded();
        EmulatorWindowTest::SetUp();
    }
};

// BT.601 limited-range YUV to RGB, as SDL converts.
QColor ExpectedRgb(int y, int u, int v)
{
    const double c = 1.164 * (y - 16), d = u - 128, e = v - 128;
    auto clamp = [](double x) { return std::max(0, std::min(255, static_cast<int>(x + 0.5))); };
    return QColor(clamp(c + 1.596 * e), clamp(c - 0.392 * d - 0.813 * e), clamp(c + 2.017 * d));
}

QColor QuadrantRgb(int q)
{
    const QuadrantColours c = ColoursForPicture(0);
    return ExpectedRgb(c.y[q], c.u[q], c.v[q]);
}

bool Near(const QColor& a, const QColor& b, int tolerance = 20)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

std::string Describe(const QColor& c)
{
    return std::to_string(c.red()) + "," + std::to_string(c.green()) + "," + std::to_string(c.blue());
}

QColor CentreOf(QWidget* w)
{
    const QImage shot = w->screen()->grabWindow(w->winId()).toImage();
    if (shot.isNull()) return {};
    return shot.pixelColor(shot.width() / 2, shot.height() / 2);
}

int ViewFrames(MMainDlg& page)
{
    int n = 0;
    for (int i = 0; i < MShowVideoDlg::kViews; ++i) n += page.FourView().View(i).FramesShown();
    return n;
}

// One processor: every layer on, each full size in its own output, normal work mode.
DeviceParamBlock PreviewBlock(const std::vector<uint8_t>& from)
{
    DeviceParamBlock b{};
    std::memcpy(&b, from.data(), std::min(from.size(), sizeof b));
    b.outputReso.hReso = 1920;
    b.outputReso.vReso = 1080;
    b.mosaic.mode = 5;
    b.mosaic.autoArr = 0;
    b.pvwMode = 0;
    b.logo.usage = 0;
    for (int w = 0; w < kWindowCount; ++w) {
        b.chnl[w].onOff = 1;
        b.chnl[w].input = static_cast<uint8_t>(w);
        b.chnl[w].hPos = b.chnl[w].vPos = 0;
        b.chnl[w].hAct = 1920;
        b.chnl[w].vAct = 1080;
        b.pgmState[w] = b.pvwState[w] = 0;
    }
    return b;
}

comm::ReplyPacket PreviewMode(bool on)
{
    comm::ReplyPacket p;
    p.replyId = REPLY_PREVIEW_MODE;
    p.payload = {static_cast<uint8_t>(on ? 1 : 0)};
    return p;
}

TEST_F(OperatingPreviewX11, CellsAndFourViewsShowTheEmulatorsQuadrantsAndSurviveFiftySwitches)
{
    ASSERT_TRUE(InstallShippedLanguageFiles(LanguageDir()));
    SelectLanguage(QStringLiteral("English"));
    KordalDlg& w = StartWithEmulator("127.0.0.23");
    emulator_->SetBlock(PreviewBlock(emulator_->Block()));
    MMainDlg& page = w.m_MainDlg;

    QStringList calls;
    w.SetCallTrace(&calls);
    g_DeviceAddress = emulator_->Address();
    ASSERT_TRUE(GetDeviceData().ConnectDeviceByIp(QStringLiteral("127.0.0.23")));
    GetDeviceData().SendCommand(CMD_GET_ALL_DATA);
    ASSERT_TRUE(SpinUntil([&] { return calls.contains("KordalDlg::UpdatePortSwitchTexts"); }, 20000));
    // The encoder's settings (the preview format among them) come last.
    SpinUntil([&] { return calls.contains("MMainDlg::SetPreviewFormat(17)"); }, 5000);
    SpinFor(200);
    w.SetCallTrace(nullptr);
    ASSERT_EQ(GetDeviceData().mosaic.mode, 5);
    // With outputs spliced the layers show in them once the operator locks them there.
    if (CGdipButton* lock = w.ButtonById(mw::IDC_LOCK_OUTPUT); !lock->IsPressed()) lock->click();

    std::string error;
    // At the size the processor's encoder reported in the read-out.
    const EncodedStream stream = EncodeQuadrantStream(page.PreviewWidth(), page.PreviewHeight(), 1, 0, &error);
    ASSERT_FALSE(stream.packets.empty()) << error;
    // The same picture over and over (each an IDR picture), 30 a second.
    std::vector<std::vector<uint8_t>> packets(30, stream.packets[0]);
    emulator_->StartVideo(packets, 0, 33);

    emulator_->Broadcast(PreviewMode(true));
    ASSERT_TRUE(SpinUntil([&] { return page.IsPreviewOn(); }, 10000));
    ASSERT_TRUE(SpinUntil([&] { return page.LayerCell(0)->FramesShown() > 10; }, 20000))
        << "cell 0 " << page.LayerCell(0)->FramesShown() << ", rendered " << page.Channels().Channel(0)->RenderedFrames();
    SpinFor(100);
    for (int l = 0; l < 2; ++l) {
        CCell* cell = page.LayerCell(l);
        ASSERT_NE(cell->Window(), nullptr);
        ASSERT_TRUE(cell->IsWindowShown()) << l;
        // The X server shows what SDL presented a little later on a loaded machine: read until it does.
        QColor seen;
        SpinUntil([&] { return Near(seen = CentreOf(cell->Window()), QuadrantRgb(l)); }, 5000);
        EXPECT_TRUE(Near(seen, QuadrantRgb(l))) << "layer " << l << " shows " << Describe(seen) << ", quadrant "
                                                << Describe(QuadrantRgb(l));
    }

    // The four-view button opens the four-view window.
    auto* fourView = FindControlAs<CGdipButton>(&w, mw::IDC_FOUR_VIEW);
    ASSERT_NE(fourView, nullptr);
    EXPECT_FALSE(page.FourView().isVisible());
    fourView->click();
    SpinFor(50);
    ASSERT_TRUE(page.FourView().isVisible());
    ASSERT_TRUE(SpinUntil([&] { return ViewFrames(page) > 40; }, 20000)) << "views " << ViewFrames(page);
    SpinFor(200);

    for (int i = 0; i < MShowVideoDlg::kViews; ++i) {
        SdlVideoWidget* view = page.FourView().View(i).Child();
        ASSERT_NE(view, nullptr);
        QColor seen;
        SpinUntil([&] { return Near(seen = CentreOf(view), QuadrantRgb(i)); }, 5000);
        EXPECT_TRUE(Near(seen, QuadrantRgb(i))) << "view " << i << " shows " << Describe(seen) << ", quadrant "
                                                << Describe(QuadrantRgb(i));
    }
    for (int language : {1, 0}) {
        SendMsg(&w, WM_LANGUAGE_CHANGE, static_cast<WPARAM>(language), 0);
        SettleForPicture();
        SpinFor(150);
        const QString name = language ? QStringLiteral("chinese") : QStringLiteral("english");
        EXPECT_TRUE(w.screen()->grabWindow(w.winId()).save(QStringLiteral(SVP_BINARY_DIR "/operating_page_") + name + ".png"));
        MShowVideoDlg& four = page.FourView();
        EXPECT_TRUE(four.screen()->grabWindow(w.winId(), four.mapTo(&w, QPoint(0, 0)).x(), four.mapTo(&w, QPoint(0, 0)).y(),
                                              four.width(), four.height())
                        .save(QStringLiteral(SVP_BINARY_DIR "/four_view_") + name + ".png"));
        EXPECT_EQ(ControlsOutside(four), QStringList()) << name.toStdString();
        for (int i = 0; i < 4; ++i) EXPECT_EQ(four.Caption(i)->text(), QStringLiteral("DVI-%1:").arg(i + 1));
    }

    // Off and on while the stream runs: nothing crashes, and the video comes back.
    for (int n = 0; n < 50; ++n) {
        const bool on = n % 2 == 1;
        emulator_->Broadcast(PreviewMode(on));
        ASSERT_TRUE(SpinUntil([&] { return page.IsPreviewOn() == on; }, 10000)) << n;
        SpinFor(n % 5 == 0 ? 60 : 5);
    }
    ASSERT_TRUE(page.IsPreviewOn());
    const int before = ViewFrames(page);
    EXPECT_TRUE(SpinUntil([&] { return ViewFrames(page) > before + 20 && page.LayerCell(0)->FramesShown() > 5; }, 20000))
        << "views " << ViewFrames(page) - before << ", cell 0 " << page.LayerCell(0)->FramesShown();
    emulator_->StopVideo();
}

} // namespace
