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

// The process's peak resident memory so far, in MiB.
inline long long PeakResidentMb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    const QByteArray status = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    const qsizetype at = status.indexOf("VmHWM:");
    return at < 0 ? 0 : status.mid(at + 6).trimmed().split(' ').value(0).toLongLong() / 1024;
}

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
