// Starting and ending a program we started, with stand-in executables (small shell scripts) in a
// temporary folder.

#include "platform/ChildProcess.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>

namespace {

class ChildProcessTest : public ::testing::Test {
protected:
    QString Script(const QString& name, const QByteArray& body, bool executable = true)
    {
        const QString path = dir_.path() + "/" + name;
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n" + body);
        f.close();
        if (executable) f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }
    static std::string S(const QString& s) { return s.toStdString(); }
    QByteArray ReadWhenThere(const QString& path, int lines)
    {
        for (int i = 0; i < 500; ++i) {
            QFile f(path);
            if (f.open(QIODevice::ReadOnly)) {
                const QByteArray all = f.readAll();
                if (all.count('\n') >= lines) return all;
            }
            QThread::msleep(10);
        }
        return {};
    }
    void TearDown() override { child.Stop(100); }

    QTemporaryDir dir_;
    ChildProcess child;
};

} // namespace

TEST_F(ChildProcessTest, RunsInTheGivenFolderWithTheGivenArgument)
{
    const QString work = dir_.path() + "/work";
    ASSERT_TRUE(QDir().mkpath(work));
    const QString program = Script("VEXTROL.exe", "pwd > started.txt\necho \"$#:$1\" >> started.txt\nexec sleep 30\n");
    std::string error;
    ASSERT_TRUE(child.Start(S(program), {"NULL"}, S(work), &error)) << error;
    EXPECT_GT(child.Pid(), 0);
    EXPECT_EQ(ReadWhenThere(work + "/started.txt", 2), QDir(work).canonicalPath().toUtf8() + "\n1:NULL\n");
    EXPECT_TRUE(child.IsRunning());
    EXPECT_TRUE(child.Stop(2000));
    EXPECT_FALSE(child.IsRunning());
    EXPECT_TRUE(WIFSIGNALED(child.LastStatus()));
    EXPECT_EQ(WTERMSIG(child.LastStatus()), SIGTERM);
}

TEST_F(ChildProcessTest, AScriptWaitingForItsCommandEndsWithIt)
{
    // The shell only acts on a signal when its command returns: the whole group is asked.
    const QString program = Script("waits", "sleep 30\necho after\n");
    ASSERT_TRUE(child.Start(S(program), {}, {}));
    QThread::msleep(100);
    const auto started = std::chrono::steady_clock::now();
    EXPECT_TRUE(child.Stop(3000));
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));
}

TEST_F(ChildProcessTest, AStubbornProcessIsKilledAfterTheGracePeriod)
{
    const QString ready = dir_.path() + "/ready";
    const QString program = Script("stubborn", "trap '' TERM\ntouch \"" + ready.toUtf8() + "\"\nwhile :; do sleep 0.05; done\n");
    ASSERT_TRUE(child.Start(S(program), {}, {}));
    for (int i = 0; i < 500 && !QFile::exists(ready); ++i) QThread::msleep(10);
    ASSERT_TRUE(QFile::exists(ready));
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(child.Stop(300));
    const auto took = std::chrono::steady_clock::now() - started;
    EXPECT_GE(took, std::chrono::milliseconds(290));
    EXPECT_LT(took, std::chrono::seconds(3));
    EXPECT_FALSE(child.IsRunning());
    EXPECT_EQ(WTERMSIG(child.LastStatus()), SIGKILL);
}

TEST_F(ChildProcessTest, AProgramThatCannotStartIsReported)
{
    struct Case {
        QString program;
        QString folder;
    } cases[] = {
        {dir_.path() + "/VEXTROL.exe", dir_.path()},                          // missing
        {Script("plain", "exit 0\n", false), dir_.path()},                    // not executable
        {Script("fine", "exit 0\n"), dir_.path() + "/no-such-folder"},        // missing folder
        {QString(), dir_.path()},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(child.Start(S(c.program), {"NULL"}, S(c.folder), &error)) << S(c.program);
        EXPECT_FALSE(error.empty());
        EXPECT_FALSE(child.IsRunning());
    }
}

TEST_F(ChildProcessTest, AnEndedChildIsReapedAndNothingIsEndedTwice)
{
    const QString program = Script("quick", "exit 3\n");
    ASSERT_TRUE(child.Start(S(program), {}, {}));
    for (int i = 0; i < 500 && child.IsRunning(); ++i) QThread::msleep(10);
    EXPECT_FALSE(child.IsRunning());
    EXPECT_EQ(child.Pid(), -1);
    EXPECT_EQ(WEXITSTATUS(child.LastStatus()), 3);
    EXPECT_TRUE(child.Stop(100));

    ChildProcess never;
    EXPECT_FALSE(never.IsRunning());
    EXPECT_TRUE(never.Stop(100));
}
