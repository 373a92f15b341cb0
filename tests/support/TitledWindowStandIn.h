#pragma once
// Runs the titled-window stand-in (tests/platform/titled_window_standin.cpp), or a copy of it under
// another name, until the test ends it or is over: another program's top-level window on the X
// server of the test.

#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <sys/types.h>

class TitledWindowStandIn {
public:
    static QString Program() { return QStringLiteral(SVP_TITLED_WINDOW_STANDIN); }
    // A copy of the stand-in at path (made executable), so that its processes run that file.
    static bool CopyTo(const QString& path)
    {
        QFile::remove(path);
        return QFile::copy(Program(), path) &&
               QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    ~TitledWindowStandIn() { Stop(); }

    // Starts program (the stand-in or a copy) and waits until its window is on the server.
    bool Start(const QStringList& args = {}, const QString& program = Program())
    {
        process_.setProgram(program);
        process_.setArguments(args);
        process_.start();
        return process_.waitForStarted(5000) && process_.waitForReadyRead(5000) &&
               process_.readAllStandardOutput().startsWith("mapped");
    }
    pid_t Pid() const { return static_cast<pid_t>(process_.processId()); }
    // True once it has ended, within ms.
    bool WaitEnded(int ms) { return process_.state() == QProcess::NotRunning || process_.waitForFinished(ms); }
    void Stop()
    {
        if (process_.state() == QProcess::NotRunning) return;
        process_.kill();
        process_.waitForFinished(5000);
    }

private:
    QProcess process_;
};
