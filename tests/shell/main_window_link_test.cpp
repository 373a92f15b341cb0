// The main window as the device layer's link, its busy dialog with the watchdog, the language
// switch, project-file commands and the names read from "Info.ini".

#include "MainWindowTestSupport.h"
#include "tests/support/QtPrinters.h"

#include "controls/CDropButton.h"
#include "device/CDeviceData.h"
#include "device/IniFile.h"
#include "device/MainWindowLink.h"
#include "device/ProjectFileWriter.h"
#include "platform/ControlId.h"
#include "platform/MessageIds.h"
#include "platform/PageNotifyCodes.h"
#include "shell/MainWindowGeometry.h"

#include <QDeadlineTimer>
#include <QVariantMap>

namespace {

bool WaitFor(const std::function<bool()>& done, int ms = 5000)
{
    QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

class MainWindowLinkTest : public MainWindowTest {};

TEST_F(MainWindowLinkTest, InstallsItselfWhileAlive)
{
    KordalDlg& w = Window();
    EXPECT_EQ(GetMainWindowLink(), &w);
    window_.reset();
    EXPECT_EQ(GetMainWindowLink(), nullptr);
}

TEST_F(MainWindowLinkTest, PostRefreshStoresThePairAndPosts)
{
    KordalDlg& w = Window();
    QCoreApplication::processEvents();
    const int before = w.RepliesReceived();
    w.PostRefresh(12, 3);
    EXPECT_EQ(w.LastReplyId(), 12);
    EXPECT_EQ(w.LastReplyParam(), 3);
    EXPECT_EQ(w.RepliesReceived(), before);  // posted, not sent
    QCoreApplication::processEvents();
    EXPECT_EQ(w.RepliesReceived(), before + 1);
}

TEST_F(MainWindowLinkTest, StatusAndFoundProcessorTravelWithTheirMessages)
{
    KordalDlg& w = Window();
    CDeviceData& device = GetDeviceData();
    device.replyArrived = 0;
    w.NotifyReplyStatus(7);
    EXPECT_EQ(device.replyArrived, 1u);
    EXPECT_EQ(device.lastStatus, 7);
    EXPECT_EQ(w.LastReplyId(), 23);
    w.PostDeviceFound(QStringLiteral("127.0.0.5"), {1, 2, 3, 4, 5, 6});
    EXPECT_EQ(w.LastReplyId(), 27);
}

TEST_F(MainWindowLinkTest, LoadingTheRememberedProjectPostsAFullRefresh)
{
    const QString path = AppDir() + "p/p.pro";
    ASSERT_TRUE(QDir().mkpath(AppDir() + "p"));
    ASSERT_TRUE(SaveProjectFile(GetDeviceData(), path));
    ASSERT_TRUE(IniWriteString(InfoIni(), "Project", "FilePath", path));
    KordalDlg& w = Window();
    EXPECT_EQ(w.ProjectPath(), path);
    EXPECT_EQ(w.LastReplyId(), 2);
    EXPECT_GE(w.RepliesReceived(), 1);
}

TEST_F(MainWindowLinkTest, FirstStartMakesTheDatedFoldersButNoFile)
{
    KordalDlg& w = Window();
    const QString today = QDate::currentDate().toString("yyyy-MM-dd");
    EXPECT_EQ(w.ProjectPath(), AppDir() + "Project/" + today + "/" + today + ".pro");
    EXPECT_TRUE(QDir(AppDir() + "Project/" + today).exists());
    EXPECT_FALSE(QFile::exists(w.ProjectPath()));
}

// A file "Info.ini" names that holds no project this program reads is the operator's: start and
// close leave it byte for byte and the project goes to the dated default. A missing file becomes
// the project and is written at close.
TEST_F(MainWindowLinkTest, TheCloseSavesOverNoFileThatDidNotLoad)
{
    const QString today = QDate::currentDate().toString("yyyy-MM-dd");
    const QString fallback = AppDir() + "Project/" + today + "/" + today + ".pro";
    const QString large = AppDir() + "large.pro";
    ASSERT_TRUE(SaveProjectFile(GetDeviceData(), large));
    QByteArray largeBytes = ReadBytes(large);
    largeBytes += QByteArray(2 * 1024 * 1024 - largeBytes.size(), ' ');
    struct Case {
        const char* what;
        QString file;
        QByteArray content;  // nothing written when empty
        bool leftAlone;
    } const cases[] = {
        {"a text file", AppDir() + "notes.txt", "Keynote at nine\r\nHRESO=800\r\n", true},
        {"a project of 2 MiB", large, largeBytes, true},
        {"a missing file", AppDir() + "new.pro", {}, false},
    };
    for (const Case& c : cases) {
        QFile::remove(fallback);
        if (!c.content.isEmpty()) {
            ASSERT_TRUE(WriteBytes(c.file, c.content));
        }
        ASSERT_TRUE(IniWriteString(InfoIni(), "Project", "FilePath", c.file));
        const QString current = Window().ProjectPath();
        EXPECT_EQ(current, c.leftAlone ? fallback : c.file) << c.what;
        window_->close();
        window_.reset();
        EXPECT_EQ(IniReadString(InfoIni(), "Project", "FilePath"), current) << c.what;
        EXPECT_GT(ReadBytes(current).size(), 1000) << c.what;
        if (c.leftAlone) {
            EXPECT_EQ(ReadBytes(c.file), c.content) << c.what;
        }
    }
}

TEST_F(MainWindowLinkTest, BusyDialogDisablesAndReenablesTheWindow)
{
    KordalDlg& w = Window();
    SendMsg(&w, WM_BUSY_DIALOG, 1, 0, QStringLiteral("Waitting Operation ..."));
    EXPECT_FALSE(w.isEnabled());
    EXPECT_TRUE(w.m_BusyDlg.isVisible());
    EXPECT_EQ(w.m_BusyDlg.Text(), "Waitting Operation ...");
    EXPECT_TRUE(w.IsBusyWatchdogActive());

    w.HideBusyDialog();
    EXPECT_TRUE(w.isEnabled());
    EXPECT_FALSE(w.m_BusyDlg.isVisible());
    EXPECT_FALSE(w.IsBusyWatchdogActive());
}

TEST_F(MainWindowLinkTest, TheWatchdogHidesABusyDialogNobodyAnswers)
{
    KordalDlg& w = Window();
    EXPECT_EQ(w.BusyWatchdogInterval(), kBusyWatchdogDefaultMs);
    w.SetBusyWatchdogInterval(50);
    w.ShowBusyDialog(true, QStringLiteral("wait"));
    ASSERT_FALSE(w.isEnabled());
    EXPECT_TRUE(WaitFor([&] { return w.isEnabled(); }));
    EXPECT_FALSE(w.m_BusyDlg.isVisible());
    w.SetBusyWatchdogInterval(-5);
    EXPECT_EQ(w.BusyWatchdogInterval(), kBusyWatchdogDefaultMs);
}

TEST_F(MainWindowLinkTest, EachShowRestartsTheWatchdog)
{
    KordalDlg& w = Window();
    w.SetBusyWatchdogInterval(60000);
    w.ShowBusyDialog(true, QStringLiteral("one"));
    w.ShowBusyDialog(true, QStringLiteral("two"));
    EXPECT_TRUE(w.IsBusyWatchdogActive());
    EXPECT_EQ(w.m_BusyDlg.Text(), "two");
    w.ShowBusyDialog(false, QString());
    EXPECT_TRUE(w.isEnabled());
}

TEST_F(MainWindowLinkTest, LanguageSwitchRewordsTheWindowAndRemembersTheChoice)
{
    ASSERT_TRUE(InstallShippedLanguageFiles(LanguageDir()));
    SelectLanguage(QStringLiteral("English"));
    KordalDlg& w = Window();
    EXPECT_EQ(w.SideButton(0)->text(), "PICTURE");
    EXPECT_EQ(w.m_OutputDlg.Title(), "Output Setting");

    SendMsg(&w, WM_LANGUAGE_CHANGE, 1, 0);
    EXPECT_EQ(IniReadString(InfoIni(), "Setting", "Language"), "Chinese");
    EXPECT_EQ(w.SideButton(0)->text(), QString::fromUtf8("图像"));
    EXPECT_NE(w.m_OutputDlg.Title(), "Output Setting");
    EXPECT_EQ(w.windowTitle(), kMainWindowTitle);
    // The drop lists are refilled and fall back to their first item.
    EXPECT_EQ(w.SyncModeList()->GetCurSel(), 0);
    EXPECT_EQ(g_LanguageLabelId, 1252);

    SendMsg(&w, WM_LANGUAGE_CHANGE, 0, 0);
    EXPECT_EQ(w.SideButton(0)->text(), "PICTURE");
    EXPECT_EQ(g_LanguageLabelId, 1251);
    SendMsg(&w, WM_LANGUAGE_CHANGE, 7, 0);  // nothing
    EXPECT_EQ(IniReadString(InfoIni(), "Setting", "Language"), "English");
}

TEST_F(MainWindowLinkTest, SaveCommandKeepsThePathAndHidesTheBusyDialog)
{
    KordalDlg& w = Window();
    const QString before = w.ProjectPath();
    w.ShowBusyDialog(true, QStringLiteral("saving"));
    const QString target = AppDir() + "other.pro";
    SendMsg(&w, WM_PROJECT_FILE, PROJECT_FILE_SAVE, 0, target);
    EXPECT_EQ(w.ProjectPath(), before);
    EXPECT_TRUE(QFile::exists(target));
    EXPECT_TRUE(w.isEnabled());

    SendMsg(&w, WM_PROJECT_FILE, PROJECT_FILE_OPEN, 0, target);
    EXPECT_EQ(w.ProjectPath(), target);
    EXPECT_EQ(IniReadString(InfoIni(), "Project", "FilePath"), target);
}

TEST_F(MainWindowLinkTest, TitleAlternatesWithTheProjectPath)
{
    KordalDlg& w = Window();
    EXPECT_EQ(w.windowTitle(), kMainWindowTitle);
    w.OnTimer(kTitleToggleTimerId);
    EXPECT_EQ(w.windowTitle(), w.ProjectPath());
    w.OnTimer(kTitleToggleTimerId);
    EXPECT_EQ(w.windowTitle(), kMainWindowTitle);
    w.OnTimer(1);
    EXPECT_EQ(w.windowTitle(), kMainWindowTitle);
}

TEST_F(MainWindowLinkTest, NamesComeFromInfoIni)
{
    ASSERT_TRUE(IniWriteString(InfoIni(), "PRESET1-4", "PNAMESTR", "Stage"));
    ASSERT_TRUE(IniWriteString(InfoIni(), "InPutSrcRemark-1", "REMARKSTR", "Camera"));
    KordalDlg& w = Window();
    EXPECT_EQ(w.PresetName(1, 4), "Stage");
    EXPECT_EQ(w.PresetName(0, 3), "0-3");
    EXPECT_EQ(w.PresetName(3, 0), "");
    EXPECT_EQ(w.PresetName(0, -1), "");
    EXPECT_EQ(GetDeviceData().inputNames[1].displayName, "Camera");
}

TEST(MainWindowGeometry, SizeScalesWithTheDpi)
{
    EXPECT_EQ(MainWindowSizeForDpi(96, 96), QSize(1280, 728));
    EXPECT_EQ(MainWindowSizeForDpi(144, 144), QSize(1920, 1092));
    EXPECT_EQ(MainWindowSizeForDpi(120, 96), QSize(1600, 728));
}

TEST(MainWindowGeometry, SizingKeepsTheMinimumOnTheDraggedSide)
{
    const QRect narrow(100, 50, 1000, 600);
    const QRect left = ConstrainSizingRect(kSizeLeft, narrow);
    EXPECT_EQ(left.right(), narrow.right());
    EXPECT_EQ(left.width(), 1280);
    EXPECT_EQ(left.bottom(), 50 + 728 - 1);  // too low as well: the bottom moves
    const QRect right = ConstrainSizingRect(kSizeBottomRight, narrow);
    EXPECT_EQ(right.left(), 100);
    EXPECT_EQ(right.size(), QSize(1280, 728));
    const QRect top = ConstrainSizingRect(kSizeTopLeft, narrow);
    EXPECT_EQ(top.bottom(), narrow.bottom());
    EXPECT_EQ(top.height(), 728);
    const QRect big(0, 0, 1400, 800);
    EXPECT_EQ(ConstrainSizingRect(kSizeLeft, big), big);
}

TEST(MainWindowGeometry, InputIconRectangles)
{
    const auto r = ComputeInputIconRects(96);
    EXPECT_EQ(r[0], QRect(123, 25, 68, 25));
    EXPECT_EQ(r[1].left(), 123 + 108);
    EXPECT_EQ(r[7].left(), 123 + 7 * 108);
    EXPECT_EQ(r[8], QRect(r[4].left(), 25, 34, 25));
    EXPECT_EQ(r[9], QRect(r[4].left() + 34, 25, 34, 25));
    EXPECT_EQ(r[10].left(), r[6].left());
    EXPECT_EQ(r[11].right(), r[6].right());
    const auto wide = ComputeInputIconRects(144);
    EXPECT_EQ(wide[0].width(), 102);
    EXPECT_EQ(wide[1].left(), 123 + 142);
}

} // namespace
