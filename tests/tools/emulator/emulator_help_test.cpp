// The emulator's command line: --help says what every switch does and exits 0; an unknown switch
// exits 2 with the usage on standard error.

#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

int RunEmulator(const QStringList& args, QByteArray* out, QByteArray* err)
{
    QProcess p;
    p.start(QStringLiteral(SVP_EMULATOR_PATH), args);
    if (!p.waitForFinished(10000)) {
        p.kill();
        p.waitForFinished();
        return -1;
    }
    *out = p.readAllStandardOutput();
    *err = p.readAllStandardError();
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

TEST(EmulatorCommandLine, HelpNamesEverySwitchAndExitsZero)
{
    QByteArray out, err;
    ASSERT_EQ(RunEmulator({QStringLiteral("--help")}, &out, &err), 0);
    for (const char* sw : {"--ip", "--port", "--udp-port", "--address", "--pty", "--video", "--split-writes", "--hostile",
                           "--short-payloads", "--reply-flood", "--crafted-headers", "--no-read", "--help"})
        EXPECT_TRUE(out.contains(sw)) << sw;
}

TEST(EmulatorCommandLine, AnUnknownSwitchExitsTwo)
{
    QByteArray out, err;
    EXPECT_EQ(RunEmulator({QStringLiteral("--no-such-switch")}, &out, &err), 2);
    EXPECT_TRUE(err.contains("usage:"));
}

} // namespace
