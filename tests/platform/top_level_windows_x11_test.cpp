// Finding another program's top-level window by title on the X server, and recognising and ending
// the process behind it, with a stand-in program that maps such a window.

#include "platform/ProgramProcess.h"
#include "platform/TopLevelWindows.h"

#include "tests/support/CoreTestApplication.h"
#include "tests/support/TitledWindowStandIn.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr char kTitle[] = "LED Display Controller";

bool Has(const std::vector<pid_t>& pids, pid_t pid) { return std::find(pids.begin(), pids.end(), pid) != pids.end(); }

}  // namespace

TEST(TopLevelWindows, OnlyThisHostsWindowsWithTheWholeTitleAreFound)
{
    CoreTestApplication();
    const struct {
        const char* row;
        QStringList args;
        bool found;
    } cases[] = {
        {"this host", {QStringLiteral("NULL")}, true},
        {"longer title", {QStringLiteral("LED Display Controller 2")}, false},
        {"another host", {QStringLiteral("NULL"), QStringLiteral("elsewhere.invalid")}, false},
    };
    for (const auto& c : cases) {
        TitledWindowStandIn window;
        ASSERT_TRUE(window.Start(c.args)) << c.row;
        EXPECT_EQ(Has(FindTopLevelWindowProcesses(kTitle), window.Pid()), c.found) << c.row;
    }
    // No X server there: nothing found, nothing fails.
    EXPECT_TRUE(FindTopLevelWindowProcesses(kTitle, ":4711").empty());
}

TEST(ProgramProcess, OnlyAProcessOfTheProgramIsEnded)
{
    CoreTestApplication();
    QTemporaryDir dir;
    const QString program = dir.path() + "/VEXTROL.exe";
    ASSERT_TRUE(TitledWindowStandIn::CopyTo(program));
    TitledWindowStandIn controller;
    ASSERT_TRUE(controller.Start({QStringLiteral("NULL")}, program));
    EXPECT_TRUE(IsProcessOfProgram(controller.Pid(), program.toStdString()));
    // The stand-in itself is another file: its process is left alone.
    EXPECT_FALSE(EndProcessOfProgram(controller.Pid(), TitledWindowStandIn::Program().toStdString(), 500));
    EXPECT_FALSE(controller.WaitEnded(0));
    EXPECT_TRUE(EndProcessOfProgram(controller.Pid(), program.toStdString(), 2000));
    // Ended, whether or not its parent has reaped it yet: no running process of the program.
    EXPECT_FALSE(IsProcessOfProgram(controller.Pid(), program.toStdString()));
    EXPECT_TRUE(controller.WaitEnded(2000));

    // A script: its interpreter's process runs the program file.
    const QString script = dir.path() + "/script.exe";
    QFile f(script);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\necho mapped\nwhile :; do sleep 1; done\n");
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    TitledWindowStandIn shell;
    ASSERT_TRUE(shell.Start({}, script));
    EXPECT_TRUE(IsProcessOfProgram(shell.Pid(), script.toStdString()));
}
