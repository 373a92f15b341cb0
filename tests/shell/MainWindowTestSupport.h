#pragma once
// Helpers for the main-window tests: one QApplication for the process, a temporary application
// folder with the shipped language files, and a recording communication library installed while
// a test runs.

#include "tests/support/AppDirTestSupport.h"
#include "tests/support/TestApplication.h"

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
    return PageTestApplication();
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
