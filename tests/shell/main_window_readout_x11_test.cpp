// The main window after reading a processor (the emulator on loopback), in English and Chinese:
// the input bar's labels never overlap, and no control leaves the window or covers another.
// Pictures are kept in the build folder.

#include "EmulatorWindowTestSupport.h"
#include "tests/support/PageScreenshots.h"

#include "shell/InputBarLabels.h"

namespace {

class MainWindowReadoutX11 : public EmulatorWindowTest {};

QStringList LabelOverlaps(const std::vector<InputBarLabel>& labels)
{
    QStringList out;
    for (size_t i = 0; i < labels.size(); ++i)
        for (size_t j = i + 1; j < labels.size(); ++j)
            if (labels[i].rect.intersects(labels[j].rect)) out << labels[i].text + " / " + labels[j].text;
    return out;
}

TEST_F(MainWindowReadoutX11, TheInputBarAndTheWindowStayReadableAfterAReadOut)
{
    ASSERT_TRUE(InstallShippedLanguageFiles(LanguageDir()));
    SelectLanguage(QStringLiteral("English"));
    KordalDlg& w = StartWithEmulator("127.0.0.7");
    QStringList calls;
    w.SetCallTrace(&calls);
    g_DeviceAddress = emulator_->Address();
    ASSERT_TRUE(GetDeviceData().ConnectDeviceByIp(QStringLiteral("127.0.0.7")));
    GetDeviceData().SendCommand(CMD_GET_ALL_DATA);
    ASSERT_TRUE(SpinUntil([&] { return calls.contains("KordalDlg::UpdatePortSwitchTexts"); }, 20000));
    SpinFor(300);
    w.SetCallTrace(nullptr);

    for (int language : {1, 0}) {
        SendMsg(&w, WM_LANGUAGE_CHANGE, static_cast<WPARAM>(language), 0);
        SettleForPicture();
        const QString name = language ? QStringLiteral("chinese") : QStringLiteral("english");
        EXPECT_TRUE(w.grab().save(QStringLiteral(SVP_BINARY_DIR "/main_window_readout_") + name + ".png"));

        const std::vector<InputBarLabel> labels = w.InputBarLabelLayout();
        EXPECT_GE(labels.size(), 6u);
        EXPECT_EQ(LabelOverlaps(labels), QStringList()) << name.toStdString();
        for (const InputBarLabel& l : labels) EXPECT_LE(l.rect.bottom(), 104) << l.text.toStdString();
        EXPECT_EQ(ControlsOutside(w), QStringList()) << name.toStdString();
        EXPECT_EQ(OverlappingControls(w), QStringList()) << name.toStdString();
    }
}

} // namespace
