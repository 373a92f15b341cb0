// The main window's project-file commands: open, save and new update the project path,
// "Info.ini" [Project] FilePath and the files, and the busy dialog is hidden after each.

#include "PresetTestSupport.h"

#include "device/IniFile.h"
#include "device/ProjectFileWriter.h"
#include "platform/MessageIds.h"
#include "platform/PageNotifyCodes.h"

namespace {

class ProjectCommandTest : public PresetBarTest {
protected:
    void Busy(KordalDlg& w) { w.ShowBusyDialog(true, QStringLiteral("working")); }
    void ExpectIdle(KordalDlg& w)
    {
        EXPECT_FALSE(w.m_BusyDlg.isVisible());
        EXPECT_TRUE(w.isEnabled());
    }
};

TEST_F(ProjectCommandTest, OpenLoadsAndRemembersThePath)
{
    const QString path = AppDir() + "shows/a.pro";
    ASSERT_TRUE(QDir().mkpath(AppDir() + "shows"));
    ASSERT_TRUE(SaveProjectFile(GetDeviceData(), path));
    KordalDlg& w = Ready();
    QCoreApplication::processEvents();
    const int before = w.RepliesReceived();
    Busy(w);
    EXPECT_EQ(SendMsg(&w, WM_PROJECT_FILE, PROJECT_FILE_OPEN, 0, path), 0);
    EXPECT_EQ(w.ProjectPath(), path);
    EXPECT_EQ(IniReadString(InfoIni(), "Project", "FilePath"), path);
    EXPECT_EQ(w.LastReplyId(), 2);  // the pages refresh as after a parameter block
    ExpectIdle(w);
    QCoreApplication::processEvents();
    EXPECT_EQ(w.RepliesReceived(), before + 1);
}

// A file that does not load is not opened: the operator is told, the project stays the one it
// was, and the close does not save over the file. A file holding nothing yet is opened.
TEST_F(ProjectCommandTest, OpenRefusesAFileThatHoldsNoProject)
{
    KordalDlg& w = Ready();
    const QString before = w.ProjectPath();
    const QString iniBefore = IniReadString(InfoIni(), "Project", "FilePath");
    const QString notes = AppDir() + "notes.txt";
    ASSERT_TRUE(WriteBytes(notes, "Keynote at nine\r\n"));
    MessageBoxRecorder boxes;
    Busy(w);
    SendMsg(&w, WM_PROJECT_FILE, PROJECT_FILE_OPEN, 0, notes);
    ASSERT_EQ(boxes.requests.size(), 1u);
    EXPECT_EQ(boxes.requests[0].text, "Open Project Failed");
    EXPECT_EQ(boxes.requests[0].caption, "Tips");
    EXPECT_EQ(w.ProjectPath(), before);
    EXPECT_EQ(IniReadString(InfoIni(), "Project", "FilePath"), iniBefore);
    ExpectIdle(w);

    const QString fresh = AppDir() + "fresh.pro";
    ASSERT_TRUE(WriteBytes(fresh, "\xFF\xFE"));
    SendMsg(&w, WM_PROJECT_FILE, PROJECT_FILE_OPEN, 0, fresh);
    EXPECT_EQ(boxes.requests.size(), 1u);
    EXPECT_EQ(w.ProjectPath(), fresh);
    w.close();
    EXPECT_EQ(ReadBytes(notes), "Keynote at nine\r\n");
    EXPECT_GT(ReadBytes(fresh).size(), 1000);
}

TEST_F(ProjectCommandTest, SaveWritesACopyAndKeepsThePath)
{
    KordalDlg& w = Ready();
    const QString before = w.ProjectPath();
    const QString iniBefore = IniReadString(InfoIni(), "Project", "FilePath");
    const QString target = AppDir() + "elsewhere/copy.pro";  // folder missing
    MessageBoxRecorder boxes;
    Busy(w);
    SendMsg(&w, WM_PROJECT_FILE, PROJECT_FILE_SAVE, 0, target);
    EXPECT_EQ(w.ProjectPath(), before);
    EXPECT_EQ(IniReadString(InfoIni(), "Project", "FilePath"), iniBefore);
    // The missing folder makes the copy land in a folder of its own name.
    const QString settled = AppDir() + "elsewhere/copy/copy.pro";
    ASSERT_TRUE(QFile::exists(settled));
    const QByteArray bytes = ReadBytes(settled);
    EXPECT_TRUE(bytes.contains("\r\n"));
    EXPECT_GT(bytes.size(), 1000);
    ExpectIdle(w);
    // A save that cannot be written says so.
    ASSERT_TRUE(WriteBytes(AppDir() + "blocker", "a file, no folder"));
    SendMsg(&w, WM_PROJECT_FILE, PROJECT_FILE_SAVE, 0, AppDir() + "blocker/x.pro");
    ASSERT_EQ(boxes.requests.size(), 1u);
    EXPECT_EQ(boxes.requests[0].text, "Save Project Failed");
}

TEST_F(ProjectCommandTest, NewSettlesThePathAndMakesEveryMissingFolder)
{
    KordalDlg& w = Ready();
    // Neither "x" nor anything under it exists.
    const QString given = AppDir() + "x/show.pro";
    Busy(w);
    SendMsg(&w, WM_PROJECT_FILE, PROJECT_FILE_NEW, 0, given);
    const QString settled = AppDir() + "x/show/show.pro";
    EXPECT_EQ(w.ProjectPath(), settled);
    EXPECT_EQ(IniReadString(InfoIni(), "Project", "FilePath"), settled);
    EXPECT_TRUE(QDir(AppDir() + "x/show").exists());
    EXPECT_EQ(ReadBytes(settled), QByteArray("\xFF\xFE", 2));
    ExpectIdle(w);

    const QString deep = AppDir() + "a/b/c/stage.pro";
    SendMsg(&w, WM_PROJECT_FILE, PROJECT_FILE_NEW, 0, deep);
    EXPECT_EQ(w.ProjectPath(), AppDir() + "a/b/c/stage/stage.pro");
    EXPECT_EQ(ReadBytes(w.ProjectPath()), QByteArray("\xFF\xFE", 2));
}

TEST_F(ProjectCommandTest, NewOnAnExistingFileLeavesItAlone)
{
    KordalDlg& w = Ready();
    const QString path = AppDir() + "kept.pro";
    ASSERT_TRUE(WriteBytes(path, "keep me"));
    SendMsg(&w, WM_PROJECT_FILE, PROJECT_FILE_NEW, 0, path);
    EXPECT_EQ(w.ProjectPath(), path);
    EXPECT_EQ(ReadBytes(path), "keep me");
}

TEST_F(ProjectCommandTest, OtherOperationsOnlyHideTheBusyDialog)
{
    KordalDlg& w = Ready();
    const QString before = w.ProjectPath();
    Busy(w);
    SendMsg(&w, WM_PROJECT_FILE, 1466, 0, AppDir() + "z.pro");
    EXPECT_EQ(w.ProjectPath(), before);
    EXPECT_FALSE(QFile::exists(AppDir() + "z.pro"));
    ExpectIdle(w);
}

TEST_F(ProjectCommandTest, CloseSavesToTheSettledPath)
{
    KordalDlg& w = Ready();
    SendMsg(&w, WM_PROJECT_FILE, PROJECT_FILE_NEW, 0, AppDir() + "night/night.pro");
    const QString path = w.ProjectPath();
    w.close();
    EXPECT_GT(ReadBytes(path).size(), 1000);
    EXPECT_EQ(IniReadString(InfoIni(), "Project", "FilePath"), path);
}

} // namespace
