#pragma once
// Helpers for the main-window tests: one QApplication for the process, a temporary application
// folder with the shipped language files, and a recording communication library installed while
// a test runs.

#include "tests/support/AppDirTestSupport.h"

#include "comm/CommLibrary.h"
#include "comm/RecordingCommLibrary.h"
#include "controls/CGdipButton.h"
#include "shell/KordalDlg.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>

#include <memory>

inline QApplication* TestApp()
{
    static int argc = 1;
    static char name[] = "main_window_test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
#ifdef SVP_X11_TEST
        qputenv("QT_QPA_PLATFORM", "xcb");
        qputenv("QT_FONT_DPI", "96");
#endif
        return new QApplication(argc, argv);
    }();
    return app;
}

inline bool CopyShippedLanguageFiles(const QString& languageDir)
{
    const QString source = QStringLiteral(SVP_SOURCE_DIR) + QStringLiteral("/resources/Language/");
    if (!QDir().mkpath(languageDir)) return false;
    for (const char* name : {"English.ini", "Chinese.ini"}) {
        const QString to = languageDir + QLatin1String(name);
        QFile::remove(to);
        if (!QFile::copy(source + QLatin1String(name), to)) return false;
    }
    return true;
}

class MainWindowTest : public TempAppDirTest {
protected:
    void SetUp() override
    {
        TestApp();
        TempAppDirTest::SetUp();
        g_IniPath = InfoIni();
        comm::InstallCommLibrary(&recording_);
    }
    void TearDown() override
    {
        window_.reset();
        comm::InstallCommLibrary(nullptr);
        TempAppDirTest::TearDown();
    }

    // A main window, initialised and shown.
    KordalDlg& Window()
    {
        if (!window_) {
            window_ = std::make_unique<KordalDlg>();
            window_->show();
            QCoreApplication::processEvents();
        }
        return *window_;
    }

    static void Click(QWidget* w)
    {
        auto* button = qobject_cast<CGdipButton*>(w);
        ASSERT_NE(button, nullptr);
        button->click();
    }

    comm::RecordingCommLibrary recording_;
    std::unique_ptr<KordalDlg> window_;
};
