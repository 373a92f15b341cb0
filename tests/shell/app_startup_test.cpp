// Start-up on a system that is not Simplified Chinese: paths, language written to "Info.ini",
// icon, settings organisation, the communication library's life, and the main window's run.

#include "AppStartupTestSupport.h"

#include "device/IniFile.h"
#include "device/MainWindowLink.h"
#include "preview/TtfLibrary.h"

#include <QCloseEvent>
#include <QIcon>
#include <QPointer>
#include <QTimer>

#include <csignal>
#include <QWidget>

namespace {

const PinSystemLocale kEnglishSystem("en_US.UTF-8");

class AppStartup : public AppStartupTest {};

TEST_F(AppStartup, WritesTheSystemLanguageWhateverWasStored)
{
    ASSERT_TRUE(WriteLanguageFile("English.ini", LanguageFileBytes("English")));
    ASSERT_TRUE(WriteLanguageFile("Chinese.ini", LanguageFileBytes("Chinese")));
    ASSERT_TRUE(WriteBytes(InfoIni(), "[Setting]\r\nLanguage=Chinese\r\n"));
    ASSERT_EQ(GetDefaultLanguageName(), "English");

    app_->InitInstance();
    EXPECT_EQ(g_IniPath, InfoIni());
    EXPECT_EQ(IniReadString(InfoIni(), "Setting", "Language"), "English");
    EXPECT_EQ(g_LanguageFile, LanguageDir() + "English.ini");
}

TEST_F(AppStartup, WithoutLanguageFilesCreatesTheFolderAndStoresEnglish)
{
    app_->InitInstance();
    EXPECT_TRUE(QDir(LanguageDir()).exists());
    EXPECT_EQ(IniReadString(InfoIni(), "Setting", "Language"), "English");
    EXPECT_TRUE(g_LanguageFile.isEmpty());
}

TEST_F(AppStartup, SetsIconAndSettingsOrganisation)
{
    app_->InitInstance();
    EXPECT_EQ(g_IconId, 103);
    EXPECT_FALSE(QApplication::windowIcon().isNull());
    EXPECT_EQ(QCoreApplication::organizationName(), "VELMORA");
}

TEST_F(AppStartup, InstallsTheCommLibraryUntilExit)
{
    app_->InitInstance();
    EXPECT_EQ(&comm::GetCommLibrary(), recording_);
    // The program's calls reach the installed library.
    const uint8_t ids[] = {1, 2};
    comm::GetCommLibrary().SetTargetIds(2, ids);
    const auto calls = recording_->Calls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back().op, comm::RecordedCall::Op::SetTargetIds);

    app_->ExitInstance();
    EXPECT_NE(&comm::GetCommLibrary(), recording_);
    app_->ExitInstance();  // a second call changes nothing
}

TEST_F(AppStartup, TheLabelFontLibraryIsUpOnceUntilExit)
{
    ASSERT_FALSE(TtfSession::AnyActive());
    app_->InitInstance();
    app_->InitInstance();
    EXPECT_TRUE(TtfSession::AnyActive());
    EXPECT_EQ(ttf::InitCount(), 1);
    app_->ExitInstance();
    EXPECT_FALSE(TtfSession::AnyActive());
    EXPECT_EQ(ttf::InitCount(), 0);
}

TEST_F(AppStartup, TheRealLibraryIsInstalledByDefault)
{
    int argc = 1;
    char name[] = "startup_test";
    char* argv[] = {name, nullptr};
    app_.reset();
    KordalApp app(argc, argv);
    app.InitInstance();
    uint8_t version[2] = {0, 0};
    comm::GetCommLibrary().GetVersion(version, 2);
    EXPECT_EQ(version[0], 1);  // the real library answers; the silent one leaves zeros
    app.ExitInstance();
    uint8_t after[2] = {7, 7};
    comm::GetCommLibrary().GetVersion(after, 2);
    EXPECT_NE(after[0], 1);
}

QWidget* FindTopLevel(const QString& title)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->windowTitle() == title && w->isVisible()) return w;
    return nullptr;
}

TEST_F(AppStartup, PlaceholderWindowRunsUntilClosed)
{
    QPointer<QWidget> seen;
    bool wasMain = false;
    QTimer::singleShot(0, [&] {
        seen = FindTopLevel("Tarvo Serial-VideoProcessor");
        wasMain = seen && g_pMainDlg == seen.data();
        if (seen)
            seen->close();
        else
            QCoreApplication::exit(99);
    });
    EXPECT_EQ(app_->Run(), 0);
    EXPECT_TRUE(wasMain);
    EXPECT_TRUE(seen.isNull());  // destroyed when the run ended
    EXPECT_EQ(g_pMainDlg, nullptr);
    EXPECT_NE(&comm::GetCommLibrary(), recording_);
}

// A main window double that also is the device layer's link to the main window.
class FakeMainWindow : public QWidget, public MainWindowLink {
public:
    void PostRefresh(int32_t, int32_t) override {}
    void NotifyReplyStatus(uint8_t) override {}
    void HideBusyDialog() override {}
    void PostDeviceFound(const QString&, const std::array<uint8_t, 6>&) override {}

    bool refuseClose = false;
    int closeRequests = 0;

protected:
    void closeEvent(QCloseEvent* e) override
    {
        ++closeRequests;
        if (refuseClose)
            e->ignore();
        else
            e->accept();
    }
};

TEST_F(AppStartup, FactoryMainWindowIsShownLinkedAndDestroyed)
{
    int made = 0;
    QPointer<FakeMainWindow> window;
    app_->SetMainWindowFactory([&]() -> std::unique_ptr<QWidget> {
        ++made;
        auto w = std::make_unique<FakeMainWindow>();
        window = w.get();
        return w;
    });
    bool visible = false, linked = false, isMain = false, commReady = false;
    QTimer::singleShot(0, [&] {
        visible = window && window->isVisible();
        linked = window && GetMainWindowLink() == static_cast<MainWindowLink*>(window.data());
        isMain = window && g_pMainDlg == window.data();
        commReady = &comm::GetCommLibrary() == recording_;
        if (window) window->close();
    });
    EXPECT_EQ(app_->Run(), 0);
    EXPECT_EQ(made, 1);
    EXPECT_TRUE(visible);
    EXPECT_TRUE(linked);
    EXPECT_TRUE(isMain);
    EXPECT_TRUE(commReady);
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(GetMainWindowLink(), nullptr);
    EXPECT_EQ(g_pMainDlg, nullptr);
}

TEST_F(AppStartup, RefusedCloseKeepsTheRunGoing)
{
    QPointer<FakeMainWindow> window;
    app_->SetMainWindowFactory([&]() -> std::unique_ptr<QWidget> {
        auto w = std::make_unique<FakeMainWindow>();
        w->refuseClose = true;
        window = w.get();
        return w;
    });
    bool stillRunning = false;
    QTimer::singleShot(0, [&] { window->close(); });
    QTimer::singleShot(50, [&] {
        stillRunning = window && window->isVisible();
        window->refuseClose = false;
        window->close();
    });
    EXPECT_EQ(app_->Run(), 0);
    EXPECT_TRUE(stillRunning);
}

// A logout or `kill` closes the main window as the operator would (its close saves the project)
// and ends the run; afterwards the signals are the system's again.
TEST_F(AppStartup, ATerminationSignalClosesTheMainWindowAndEndsTheRun)
{
    int closeRequests = 0;
    QPointer<FakeMainWindow> window;
    app_->SetMainWindowFactory([&]() -> std::unique_ptr<QWidget> {
        auto w = std::make_unique<FakeMainWindow>();
        window = w.get();
        return w;
    });
    struct CloseCounter : QObject {
        int* count;
        explicit CloseCounter(int* c) : count(c) {}
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::Close) ++*count;
            return false;
        }
    } counter(&closeRequests);
    QTimer::singleShot(0, [&] {
        window->installEventFilter(&counter);
        std::raise(SIGTERM);
    });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
    EXPECT_EQ(app_->Run(), 0);
    EXPECT_EQ(closeRequests, 1);
    EXPECT_TRUE(window.isNull());
    struct sigaction now {};
    ASSERT_EQ(sigaction(SIGTERM, nullptr, &now), 0);
    EXPECT_EQ(now.sa_handler, SIG_DFL);
}

TEST_F(AppStartup, MainWindowThatDeletesItselfOnCloseEndsTheRun)
{
    QPointer<QWidget> window;
    app_->SetMainWindowFactory([&]() -> std::unique_ptr<QWidget> {
        auto w = std::make_unique<FakeMainWindow>();
        w->setAttribute(Qt::WA_DeleteOnClose);
        window = w.get();
        return w;
    });
    QTimer::singleShot(0, [&] { window->close(); });
    EXPECT_EQ(app_->Run(), 0);
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(GetMainWindowLink(), nullptr);
    EXPECT_EQ(g_pMainDlg, nullptr);
}

TEST_F(AppStartup, OtherOpenWindowsDoNotKeepTheProgramRunning)
{
    QPointer<QWidget> window;
    QWidget other;
    other.setWindowTitle("four views");
    app_->SetMainWindowFactory([&]() -> std::unique_ptr<QWidget> {
        auto w = std::make_unique<QWidget>();
        window = w.get();
        return w;
    });
    QTimer::singleShot(0, [&] {
        other.show();
        window->close();
    });
    EXPECT_EQ(app_->Run(), 0);
    EXPECT_TRUE(other.isVisible());
}

TEST_F(AppStartup, FactoryWithoutWindowEndsWithAnError)
{
    app_->SetMainWindowFactory([]() -> std::unique_ptr<QWidget> { return nullptr; });
    EXPECT_EQ(app_->Run(), 1);
    EXPECT_NE(&comm::GetCommLibrary(), recording_);
}

} // namespace
