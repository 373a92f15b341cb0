// The LED controller launcher on its fixture, with stand-in controllers named VEXTROL.exe in a
// temporary folder: a small shell script that logs where and with what it was started, and a
// program that maps a window titled as the controller's, for a controller the page did not start.

#include "device/CommandIds.h"
#include "device/IniFile.h"
#include "pages/system/MLEDCfgDlg.h"
#include "tests/support/PageFixture.h"
#include "tests/support/TitledWindowStandIn.h"

#include <QDir>
#include <QFile>

namespace {

class LedConfigPage : public PageFixture<MLEDCfgDlg> {
protected:
    void SetUp() override
    {
        PageFixture<MLEDCfgDlg>::SetUp();
        page->SetSwitchDelay(20);
        page->SetStopGrace(500);
    }
    void TearDown() override
    {
        if (page) page->Controller().Stop(200);
        PageFixture<MLEDCfgDlg>::TearDown();
    }
    // The controller's folder with a stand-in that logs "<folder> <argument count>:<arguments>" and
    // then runs until it is ended.
    QString InstallController()
    {
        const QString folder = AppDir() + "led";
        EXPECT_TRUE(QDir().mkpath(folder));
        QFile f(folder + "/VEXTROL.exe");
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\necho \"$(pwd) $#:$*\" >> starts.log\nexec sleep 30\n");
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        EXPECT_TRUE(IniWriteString(InfoIni(), "LED_CONFIG", "LED_CONFIGPATH", folder));
        return folder;
    }
    // The controller's folder with the window stand-in as the controller.
    QString InstallWindowController()
    {
        const QString folder = AppDir() + "led";
        EXPECT_TRUE(QDir().mkpath(folder));
        EXPECT_TRUE(TitledWindowStandIn::CopyTo(folder + "/VEXTROL.exe"));
        EXPECT_TRUE(IniWriteString(InfoIni(), "LED_CONFIG", "LED_CONFIGPATH", folder));
        return folder;
    }
    QStringList Starts(const QString& folder) const
    {
        QFile f(folder + "/starts.log");
        if (!f.open(QIODevice::ReadOnly)) return {};
        return QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
    }
    void Click(int tile)
    {
        const QRect r = page->TileRect(tile);
        QTest::mouseClick(page.get(), Qt::LeftButton, {}, r.center());
        ASSERT_TRUE(SpinUntil([&] { return !page->IsSwitchPending(); }, 5000));
        Settle();
    }
    bool WaitStarts(const QString& folder, int count)
    {
        return SpinUntil([&] { return Starts(folder).size() >= count; }, 5000);
    }
    int ActiveTiles() const
    {
        int n = 0;
        for (int k = 0; k < MLEDCfgDlg::kTileCount; ++k) n += page->IsTileActive(k);
        return n;
    }
};

} // namespace

TEST(LedTiles, TwoRowsOfTwoFromTheClientWidth)
{
    const auto t = MLEDCfgDlg::TileRects(QRect(0, 0, 400, 300));
    EXPECT_EQ(t[0], QRect(5, 46, 170, 40));
    EXPECT_EQ(t[1], QRect(205, 46, 170, 40));
    EXPECT_EQ(t[2], QRect(5, 116, 170, 40));
    EXPECT_EQ(t[3], QRect(205, 116, 170, 40));
    EXPECT_EQ(MLEDCfgDlg::TileRects(QRect(0, 0, 321, 620))[0].width(), 130);
}

TEST_F(LedConfigPage, TilesFollowThePageSizeAndClicksBetweenThemDoNothing)
{
    EXPECT_EQ(page->TileRect(1), QRect(165, 46, 130, 40));
    for (QPoint p : {QPoint(150, 60), QPoint(20, 100), QPoint(20, 30), QPoint(300, 250)}) {
        EXPECT_EQ(page->TileAt(p), -1);
        QTest::mouseClick(page.get(), Qt::LeftButton, {}, p);
    }
    Settle();
    EXPECT_TRUE(Sent(CMD_LED_OUTPUT).empty());
    EXPECT_FALSE(page->IsSwitchPending());
    EXPECT_EQ(page->TileAt(QPoint(5, 46)), 0);
    EXPECT_EQ(page->TileAt(QPoint(134, 85)), 0);
    EXPECT_EQ(page->TileAt(QPoint(200, 140)), 3);
    EXPECT_EQ(page->TileAt(QPoint(200, 160)), -1);
}

TEST_F(LedConfigPage, ATileSwitchesTheOutputAndStartsTheControllerInItsFolder)
{
    const QString folder = InstallController();
    Click(2);
    const auto sent = Sent(CMD_LED_OUTPUT);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_TRUE(SameBytes(sent[0].bytes, Block32({0, 2})));
    ASSERT_TRUE(WaitStarts(folder, 1));
    EXPECT_EQ(Starts(folder), QStringList{QDir(folder).canonicalPath() + " 1:NULL"});
    EXPECT_TRUE(page->Controller().IsRunning());
    EXPECT_TRUE(page->IsTileActive(2));
    EXPECT_EQ(ActiveTiles(), 1);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(LedConfigPage, TheActiveTileAgainSendsTheCommandAndStartsOnlyWhenNoneRuns)
{
    const QString folder = InstallController();
    Click(1);
    ASSERT_TRUE(WaitStarts(folder, 1));
    const pid_t first = page->Controller().Pid();
    Click(1);
    EXPECT_EQ(Sent(CMD_LED_OUTPUT).size(), 2u);
    SpinFor(100);
    EXPECT_EQ(Starts(folder).size(), 1);
    EXPECT_EQ(page->Controller().Pid(), first);

    // Ended meanwhile (by the operator): the same tile starts it again.
    page->Controller().Stop(500);
    Click(1);
    ASSERT_TRUE(WaitStarts(folder, 2));
    EXPECT_TRUE(page->Controller().IsRunning());
}

TEST_F(LedConfigPage, AnotherTileEndsTheControllerWeStartedAndStartsANewOne)
{
    const QString folder = InstallController();
    Click(0);
    ASSERT_TRUE(WaitStarts(folder, 1));
    const pid_t first = page->Controller().Pid();
    ASSERT_GT(first, 0);
    Click(3);
    ASSERT_TRUE(WaitStarts(folder, 2));
    EXPECT_NE(page->Controller().Pid(), first);
    EXPECT_TRUE(page->Controller().IsRunning());
    // The first one is gone (reaped: its id names no child of ours any more).
    EXPECT_NE(::kill(first, 0), 0);
    EXPECT_FALSE(page->IsTileActive(0));
    EXPECT_TRUE(page->IsTileActive(3));
    EXPECT_EQ(ActiveTiles(), 1);
    const auto sent = Sent(CMD_LED_OUTPUT);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_TRUE(SameBytes(sent[1].bytes, Block32({0, 3})));
}

TEST_F(LedConfigPage, AMissingControllerIsReportedAndNoFolderStartsNothing)
{
    // No folder set: nothing starts, nothing is said.
    Click(0);
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(page->Controller().IsRunning());
    EXPECT_TRUE(page->IsTileActive(0));

    const QString folder = AppDir() + "empty";
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(IniWriteString(InfoIni(), "LED_CONFIG", "LED_CONFIGPATH", folder + "/"));
    EXPECT_EQ(MLEDCfgDlg::ControllerPath(), folder + "/VEXTROL.exe");
    Click(1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.contains(folder + "/VEXTROL.exe")) << boxes[0].text.toStdString();
    EXPECT_EQ(boxes[0].caption, "Tips");
    EXPECT_FALSE(page->Controller().IsRunning());
}

TEST_F(LedConfigPage, AControllerFromAnEarlierRunIsFoundByItsWindowAndEnded)
{
    const QString folder = InstallWindowController();
    TitledWindowStandIn earlier;
    ASSERT_TRUE(earlier.Start({QStringLiteral("NULL")}, folder + "/VEXTROL.exe"));
    // Another program with the same window title is no controller: it is left alone.
    ASSERT_TRUE(TitledWindowStandIn::CopyTo(folder + "/Other.exe"));
    TitledWindowStandIn other;
    ASSERT_TRUE(other.Start({QStringLiteral("NULL")}, folder + "/Other.exe"));
    EXPECT_EQ(MLEDCfgDlg::RunningControllers(), std::vector<pid_t>{earlier.Pid()});

    Click(2);
    EXPECT_TRUE(earlier.WaitEnded(2000));
    EXPECT_FALSE(other.WaitEnded(0));
    ASSERT_TRUE(page->Controller().IsRunning());
    const pid_t ours = page->Controller().Pid();
    ASSERT_TRUE(SpinUntil([&] { return MLEDCfgDlg::RunningControllers() == std::vector<pid_t>{ours}; }, 5000));

    // The active tile again while a controller from elsewhere runs: nothing more is started.
    page->Controller().Stop(500);
    TitledWindowStandIn again;
    ASSERT_TRUE(again.Start({QStringLiteral("NULL")}, folder + "/VEXTROL.exe"));
    Click(2);
    EXPECT_FALSE(page->Controller().IsRunning());
    EXPECT_FALSE(again.WaitEnded(0));
    // Another tile ends it and starts ours.
    Click(0);
    EXPECT_TRUE(again.WaitEnded(2000));
    EXPECT_TRUE(page->Controller().IsRunning());
    EXPECT_FALSE(other.WaitEnded(0));
}
