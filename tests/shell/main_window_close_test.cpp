// Closing the main window: the communication library is shut down before anything is written,
// then "Info.ini" [Project] FilePath and the project file are written and the event loop ends.

#include "AppStartupTestSupport.h"
#include "MainWindowTestSupport.h"

#include "device/IniFile.h"
#include "device/ProjectFileWriter.h"

#include <QFileInfo>
#include <QTimer>

#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <ctime>

namespace {

const PinSystemLocale kEnglishSystem("en_US.UTF-8");

// What the disk held when Shutdown first came. Kept by the test: the application deletes the
// library at exit.
struct ShutdownRecord {
    int shutdowns_ = 0;
    QString pathAtShutdown_;
    size_t callsBeforeShutdown_ = 0;
};

// Forwards to a recording library and fills the record.
class ShutdownProbe final : public comm::CommLibrary {
public:
    ShutdownProbe(comm::RecordingCommLibrary& inner, QString infoIni, ShutdownRecord& record)
        : inner_(inner), infoIni_(std::move(infoIni)), record_(record)
    {
    }

    void SetTargetIds(int count, const uint8_t* ids) override { inner_.SetTargetIds(count, ids); }
    void RegisterHandler(comm::ReplyHandler handler, int replyId) override { inner_.RegisterHandler(handler, replyId); }
    void Shutdown() override
    {
        if (record_.shutdowns_++ == 0) {
            record_.pathAtShutdown_ = IniReadString(infoIni_, "Project", "FilePath", "<none>");
            record_.callsBeforeShutdown_ = inner_.Calls().size();
        }
        inner_.Shutdown();
    }
    void ConnectNet(const char* ip, int port) override { inner_.ConnectNet(ip, port); }
    void SendBlock(const void* block, uint8_t address) override { inner_.SendBlock(block, address); }
    void SendCommand(int cmdId, const uint8_t* params, uint8_t address) override { inner_.SendCommand(cmdId, params, address); }
    void SelectLocalIp(const char* ip) override { inner_.SelectLocalIp(ip); }
    void DisconnectNet(const char* ip) override { inner_.DisconnectNet(ip); }
    void SetTargetIp(const char* ip) override { inner_.SetTargetIp(ip); }
    int OpenSerial(int port, int baud) override { return inner_.OpenSerial(port, baud); }
    void CloseSerial() override { inner_.CloseSerial(); }
    void GetVersion(uint8_t* out, int length) override { inner_.GetVersion(out, length); }
    void SendData(uint32_t offset, uint32_t length, const uint8_t* data, uint8_t address) override
    {
        inner_.SendData(offset, length, data, address);
    }

private:
    comm::RecordingCommLibrary& inner_;
    QString infoIni_;
    ShutdownRecord& record_;
};

// Opens of "Info.ini" (whole reads) and files renamed into its place (writes) that the watch saw;
// it watches closes too, as two opens in a row would show as one.
struct InfoIniUse {
    int reads = 0, writes = 0;
    void Count(int watch)
    {
        alignas(inotify_event) char events[4096];
        for (ssize_t n; (n = ::read(watch, events, sizeof events)) > 0;) {
            for (const char* p = events; p < events + n;) {
                const auto* e = reinterpret_cast<const inotify_event*>(p);
                p += sizeof(inotify_event) + e->len;
                if (e->len == 0 || qstrcmp(e->name, "Info.ini") != 0) continue;
                reads += (e->mask & IN_OPEN) != 0;
                writes += (e->mask & IN_MOVED_TO) != 0;
            }
        }
    }
};

class MainWindowClose : public AppStartupTest {
protected:
    void SetUp() override
    {
        AppStartupTest::SetUp();
        app_->SetCommLibrary(std::make_unique<ShutdownProbe>(inner_, InfoIni(), record_));
        app_->SetMainWindowFactory([this] {
            auto window = std::make_unique<KordalDlg>();
            window_ = window.get();
            return window;
        });
    }

    comm::RecordingCommLibrary inner_;
    ShutdownRecord record_;
    ShutdownRecord* probe_ = &record_;
    KordalDlg* window_ = nullptr;
};

TEST_F(MainWindowClose, ShutsTheLibraryDownThenWritesThePathAndSavesTheProject)
{
    QString pathWhileOpen;
    QTimer::singleShot(0, app_.get(), [&] {
        ASSERT_NE(window_, nullptr);
        pathWhileOpen = window_->ProjectPath();
        window_->close();
    });
    const int code = app_->Run();  // returns only when the event loop has ended
    EXPECT_EQ(code, 0);

    ASSERT_GE(probe_->shutdowns_, 1);
    EXPECT_EQ(probe_->pathAtShutdown_, "<none>") << "the path was written before the library was shut down";
    // Nothing reached the library after its shutdown.
    EXPECT_EQ(inner_.Calls().size(), probe_->callsBeforeShutdown_ + static_cast<size_t>(probe_->shutdowns_));

    // No "Info.ini" path at start: a dated path in the application folder.
    const QString today = QDate::currentDate().toString("yyyy-MM-dd");
    EXPECT_EQ(pathWhileOpen, AppDir() + "Project/" + today + "/" + today + ".pro");
    EXPECT_EQ(IniReadString(InfoIni(), "Project", "FilePath"), pathWhileOpen);
    const QByteArray saved = ReadBytes(pathWhileOpen);
    ASSERT_FALSE(saved.isEmpty());
    EXPECT_TRUE(saved.contains("\r\n"));
}

TEST_F(MainWindowClose, StartsFromTheRememberedProjectAndSavesBackToIt)
{
    const QString path = AppDir() + "show/show.pro";
    ASSERT_TRUE(QDir().mkpath(AppDir() + "show"));
    ASSERT_TRUE(IniWriteString(InfoIni(), "Project", "FilePath", path));
    // A missing file in an existing folder is created as an empty project (FF FE) at start.
    QTimer::singleShot(0, app_.get(), [&] {
        EXPECT_EQ(window_->ProjectPath(), path);
        EXPECT_EQ(ReadBytes(path), QByteArray("\xFF\xFE", 2));
        window_->close();
    });
    EXPECT_EQ(app_->Run(), 0);
    EXPECT_EQ(IniReadString(InfoIni(), "Project", "FilePath"), path);
    EXPECT_GT(QFileInfo(path).size(), 2);
}

// "Info.ini" and the language files as links to a device that never ends and as a FIFO without a
// writer: the program starts in English and closes, reading nothing from them and writing nothing
// through them; its memory stays bounded. The project goes to the dated default.
TEST_F(MainWindowClose, SettingsFilesThatAreNoRegularFilesAreLeftAlone)
{
    ASSERT_TRUE(MakeLanguageDir());
    ASSERT_TRUE(QFile::link("/dev/zero", InfoIni()));
    ASSERT_TRUE(QFile::link("/dev/zero", LanguageDir() + "English.ini"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(LanguageDir() + "Chinese.ini").constData(), 0600), 0);
    QString pathWhileOpen, languageFile = "<not started>";
    QTimer::singleShot(0, app_.get(), [&] {
        pathWhileOpen = window_->ProjectPath();
        languageFile = g_LanguageFile;
        window_->close();
    });
    EXPECT_EQ(app_->Run(), 0);
    EXPECT_LT(PeakResidentMb(), 1024);
    EXPECT_EQ(languageFile, QString());
    EXPECT_EQ(UiText(UI_TEXT_TIPS), "Tips");
    EXPECT_EQ(QFileInfo(InfoIni()).symLinkTarget(), "/dev/zero");
    EXPECT_EQ(QFileInfo(LanguageDir() + "English.ini").symLinkTarget(), "/dev/zero");
    const QString today = QDate::currentDate().toString("yyyy-MM-dd");
    EXPECT_EQ(pathWhileOpen, AppDir() + "Project/" + today + "/" + today + ".pro");
    EXPECT_GT(ReadBytes(pathWhileOpen).size(), 1000);
}

// A large "Info.ini" from an earlier run is read once before the window shows, and a write at
// close costs at most one more read.
TEST_F(MainWindowClose, ALargeInfoIniIsReadOnceAndOncePerWrite)
{
    QByteArray bytes = "[Setting]\r\nLanguage=English\r\n[PRESET0-0]\r\nPNAMESTR=MyShow\r\n";
    for (int n = 0; bytes.size() < 4 * 1024 * 1024; ++n)
        bytes += "[00-11-22-" + QByteArray::number(n, 16).rightJustified(6, '0') + "]\r\nMachineName=Wall\r\n";
    ASSERT_TRUE(WriteBytes(InfoIni(), bytes));
    const timespec anHourAgo[2] = {{0, UTIME_OMIT}, {::time(nullptr) - 3600, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(InfoIni()).constData(), anHourAgo, 0), 0);
    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(::inotify_add_watch(watch, QFile::encodeName(AppDir()).constData(), IN_OPEN | IN_CLOSE_NOWRITE | IN_MOVED_TO), 0);
    InfoIniUse atWindow;
    QTimer::singleShot(0, app_.get(), [&] {
        atWindow.Count(watch);
        window_->close();
    });
    EXPECT_EQ(app_->Run(), 0);
    InfoIniUse atExit = atWindow;
    atExit.Count(watch);
    ::close(watch);
    EXPECT_EQ(atWindow.reads, 1);
    EXPECT_GE(atExit.writes, 1);
    EXPECT_LE(atExit.reads - atWindow.reads, atExit.writes - atWindow.writes);
}

TEST_F(MainWindowClose, RegistersEachReplyHandlerOnce)
{
    QTimer::singleShot(0, app_.get(), [&] {
        // A second initialisation must not register anything again.
        window_->OnInitDialog();
        window_->close();
    });
    EXPECT_EQ(app_->Run(), 0);
    for (int id = 0; id < 32; ++id) EXPECT_EQ(inner_.HandlerRegistrations(id), 1) << "reply " << id;
}

} // namespace
