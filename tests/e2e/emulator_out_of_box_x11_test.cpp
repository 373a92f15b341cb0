// The processor emulator as a newcomer meets it: started as the README says, it shows its preview
// in the operating page, and its configuration is one that every page takes as it is.

#include "EndToEndSupport.h"

#include "pages/system/MiscIds.h"
#include "preview/CCell.h"
#include "preview/MMainDlg.h"
#include "preview/MShowVideoDlg.h"
#include "preview/SdlVideoWidget.h"
#include "shell/PageTable.h"
#include "tests/support/KeepMesaLoaded.h"

#include <QLabel>
#include <QProcess>
#include <QScreen>

namespace {

namespace mw = ctl::main_window;

class OutOfBoxEndToEnd : public EndToEndTest {
protected:
    // COMM page: the address typed in, "Connect"; then MISC: "Get Data From Machine", and the
    // read-out's refresh of every page.
    void ConnectAndRead(const QString& ip, uint8_t address)
    {
        OpenSidePage(mw::IDC_SIDE_COMM);
        g_DeviceAddress = address;
        TypeInto(window->m_ConnectDlg, ctl::connect::IDC_DESTINATION_IP_EDIT, ip, false);
        Click(window->m_ConnectDlg, ctl::connect::IDC_NETWORK_CONNECT);
        OpenSidePage(mw::IDC_SIDE_MISC);
        QStringList trace;
        window->SetCallTrace(&trace);
        Click(window->m_MiscDlg, ctl::misc::IDC_GET_DATA);
        EXPECT_TRUE(SpinUntil([&] { return trace.contains(QStringLiteral("MMediaPlayerDlg::RefreshFromDevice")); }))
            << "not read";
        window->SetCallTrace(nullptr);
    }
};

// Which channel dominates the middle half of a window as the X server shows it: 0 red, 1 green,
// 2 blue, 3 none (grey); -1 when it is dark.
int DominantChannel(QWidget* w)
{
    const QImage shot = w->screen()->grabWindow(w->winId()).toImage();
    if (shot.isNull()) return -1;
    double sum[3] = {};
    int n = 0;
    for (int y = shot.height() / 4; y < shot.height() * 3 / 4; y += 2)
        for (int x = shot.width() / 4; x < shot.width() * 3 / 4; x += 2, ++n) {
            const QColor c = shot.pixelColor(x, y);
            sum[0] += c.red(), sum[1] += c.green(), sum[2] += c.blue();
        }
    const double top = std::max({sum[0], sum[1], sum[2]}), low = std::min({sum[0], sum[1], sum[2]});
    if (n == 0 || top / n < 60) return -1;
    if ((top - low) / n < 30) return 3;
    return static_cast<int>(std::max_element(sum, sum + 3) - sum);
}

// "processor-emulator --ip 127.0.0.181 --video", a process of its own on the default ports; the
// program connects by typed address and reads it. The clip's quadrants are red, green, blue and
// grey: the main layer's cell shows the first, each of the four views its own.
TEST_F(OutOfBoxEndToEnd, TheReadmeEmulatorsPreviewShowsInTheMainCellAndTheFourViews)
{
    KeepMesaLoaded();
    QProcess cli;
    cli.start(QStringLiteral(SVP_EMULATOR_PATH), {"--ip", "127.0.0.181", "--video"});
    struct Stop {
        QProcess& p;
        ~Stop() { p.terminate(), p.waitForFinished(10000); }
    } stop{cli};
    ASSERT_TRUE(SpinUntil([&] { return cli.readAllStandardOutput().contains("tcp 127.0.0.181:61213"); }, 30000))
        << cli.readAllStandardError().toStdString();
    KordalDlg& w = StartProgram();
    ConnectAndRead(QStringLiteral("127.0.0.181"), 181);
    MMainDlg& page = w.m_MainDlg;
    ASSERT_TRUE(SpinUntil([&] { return page.IsPreviewOn(); }, 10000)) << "no preview reported";
    CCell* cell = page.LayerCell(0);
    ASSERT_TRUE(cell && cell->Window());
    ASSERT_TRUE(SpinUntil([&] { return cell->FramesShown() > 5; }, 30000)) << "cell 0 shows no picture";
    int seen = -1;
    EXPECT_TRUE(SpinUntil([&] { return (seen = DominantChannel(cell->Window())) == 0; }, 5000)) << seen;

    Click(w, mw::IDC_FOUR_VIEW);
    MShowVideoDlg& four = page.FourView();
    ASSERT_TRUE(four.isVisible());
    for (int i = 0; i < MShowVideoDlg::kViews; ++i) {
        ASSERT_TRUE(SpinUntil([&] { return four.View(i).FramesShown() > 3; }, 30000)) << "view " << i;
        EXPECT_TRUE(SpinUntil([&] { return (seen = DominantChannel(four.View(i).Child())) == i; }, 5000))
            << "view " << i << " shows " << seen;
    }
    for (int language : {0, 1}) {
        SendMsg(&w, WM_LANGUAGE_CHANGE, static_cast<WPARAM>(language), 0);
        SettleForPicture();
        w.screen()->grabWindow(w.winId()).save(QStringLiteral(SVP_BINARY_DIR "/e2e_readme_emulator_preview_%1.png")
                                                   .arg(language ? QStringLiteral("chinese") : QStringLiteral("english")));
    }
}

// The emulator out of the box: read, every page opened in turn, and nothing in the configuration
// changes, here or on the processor; no setting goes out. The read-out prompts the system
// information, which the system page shows.
TEST_F(OutOfBoxEndToEnd, TheFactoryConfigurationPassesEveryPageAndTheSystemInformationShows)
{
    emu::EmulatorOptions o;
    o.ip = "127.0.0.182";
    emulator = std::make_unique<emu::ProcessorEmulator>(o);
    ASSERT_TRUE(emulator->Start()) << emulator->Error();
    const std::vector<uint8_t> factory = emulator->Block();
    KordalDlg& w = StartProgram();
    ConnectAndRead(QString::fromStdString(emulator->Ip()), emulator->Address());
    auto* info = qobject_cast<QLabel*>(Control(w.m_MiscDlg, ctl::misc::IDC_SYSTEM_INFO_TEXT));
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(SpinUntil([&] { return info->text().contains(QStringLiteral("Voltage:12.05 V")); }, 10000))
        << info->text().toStdString();
    EXPECT_TRUE(info->text().contains(QStringLiteral("Version:EMUL")));

    for (int side = 0; side < kSideButtonCount - 1; ++side) {
        w.SwitchPage(side, false);
        Settle();
    }
    SpinFor(300);
    EXPECT_EQ(DeviceBlockBytes(), factory);
    EXPECT_EQ(emulator->Block(), factory);
    for (int32_t id : CommandIds(emulator->Received()))
        EXPECT_TRUE(id == CMD_GET_ALL_DATA || id >= CMD_QUERY_INPUT_INFO) << "command " << id;
}

} // namespace
