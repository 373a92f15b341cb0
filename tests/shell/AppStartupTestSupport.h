#pragma once
// Helpers for the start-up tests: pins the system locale before Qt reads it, and builds a
// KordalApp with a recording communication library.

#include "tests/support/AppDirTestSupport.h"

#include "comm/RecordingCommLibrary.h"
#include "shell/KordalApp.h"

#include <QFile>

#include <cstdlib>
#include <memory>

// Qt reads the system locale from these variables once, at its first use: set them before main.
struct PinSystemLocale {
    explicit PinSystemLocale(const char* name)
    {
        ::setenv("LC_ALL", name, 1);
        ::setenv("LANG", name, 1);
        ::unsetenv("LANGUAGE");
        ::unsetenv("LC_MESSAGES");
    }
};

// The process's peak resident memory from construction on, in MiB (the kernel's high-water mark
// is reset at construction; without that it counts from the process's start).
class PeakMemory {
public:
    PeakMemory()
    {
        QFile reset(QStringLiteral("/proc/self/clear_refs"));
        if (reset.open(QIODevice::WriteOnly)) reset.write("5");
        startKb_ = Status("VmRSS:");
    }
    long long GrowthMb() const { return (Status("VmHWM:") - startKb_) / 1024; }

private:
    static long long Status(const QByteArray& field)
    {
        QFile f(QStringLiteral("/proc/self/status"));
        if (!f.open(QIODevice::ReadOnly)) return 0;
        for (const QByteArray& line : f.readAll().split('\n'))
            if (line.startsWith(field)) return line.mid(field.size()).trimmed().split(' ').value(0).toLongLong();
        return 0;
    }
    long long startKb_ = 0;
};

class AppStartupTest : public TempAppDirTest {
protected:
    void SetUp() override
    {
        TempAppDirTest::SetUp();
        app_ = std::make_unique<KordalApp>(argc_, argv_);
        auto recording = std::make_unique<comm::RecordingCommLibrary>();
        recording_ = recording.get();
        app_->SetCommLibrary(std::move(recording));
    }
    void TearDown() override
    {
        app_.reset();
        TempAppDirTest::TearDown();
    }

    std::unique_ptr<KordalApp> app_;
    comm::RecordingCommLibrary* recording_ = nullptr;  // owned by app_ until ExitInstance

private:
    int argc_ = 1;
    char name_[16] = "startup_test";
    char* argv_[2] = {name_, nullptr};
};
