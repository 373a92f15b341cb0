// The port-switch texts follow the composite board's sources, in both language files, and stay
// after a language switch and a restart; board reports that change nothing rewrite no file.

#include "PresetTestSupport.h"

#include "controls/CDropButton.h"
#include "controls/CDropList.h"
#include "device/CommandIds.h"
#include "device/IniFile.h"
#include "platform/MessageIds.h"
#include "pagekit/LanguageFiles.h"
#include "shell/DeferredLangWrites.h"
#include "shell/PortSwitchTexts.h"
#include "pagekit/UiText.h"
#include "tests/support/EventLoopWait.h"

#include <QCryptographicHash>
#include <QFile>

#include <sys/stat.h>

#include <string>

namespace {

TEST(PortSwitchTextRules, PairsBySourceAndType)
{
    PortSwitchTexts t;
    ASSERT_TRUE(PortSwitchTextsFor(0, 6, t));
    EXPECT_EQ(t.fixedEnglish, "Fixed to DVI3*");
    EXPECT_EQ(t.autoEnglish, "Auto(DVI3* Default)");
    EXPECT_EQ(t.fixedChinese, QStringLiteral("固定 DVI3*"));
    EXPECT_EQ(t.autoChinese, QStringLiteral("自动(DVI3* 优先)"));
    ASSERT_TRUE(PortSwitchTextsFor(1, 6, t));
    EXPECT_EQ(t.fixedEnglish, "Fixed to HDMI3");
    EXPECT_EQ(t.autoChinese, QStringLiteral("自动(HDMI3 优先)"));
    for (int source : {0, 1}) {
        ASSERT_TRUE(PortSwitchTextsFor(source, 8, t));
        EXPECT_EQ(t.fixedEnglish, "Fixed to DP2");
        EXPECT_EQ(t.autoEnglish, "Auto(DP2 Default)");
        EXPECT_EQ(t.fixedChinese, QStringLiteral("固定 DP2"));
        EXPECT_EQ(t.autoChinese, QStringLiteral("自动(DP2 优先)"));
    }
    EXPECT_FALSE(PortSwitchTextsFor(0, 4, t));
    EXPECT_FALSE(PortSwitchTextsFor(2, 6, t));
    EXPECT_FALSE(PortSwitchTextsFor(-1, 8, t));
    EXPECT_EQ(PortSwitchFixedTextId(0), 145);
    EXPECT_EQ(PortSwitchFixedTextId(1), 146);
    EXPECT_EQ(PortSwitchAutoTextId(0), 148);
    EXPECT_EQ(PortSwitchAutoTextId(1), 149);
    EXPECT_EQ(PortSwitchAutoTextId(2), -1);
}

class PortSwitchTest : public PresetBarTest {
protected:
    void SetUp() override
    {
        PresetBarTest::SetUp();
        ASSERT_TRUE(WriteLanguageFile("English.ini", LanguageFileBytes("English")));
        ASSERT_TRUE(WriteLanguageFile("Chinese.ini", LanguageFileBytes("Chinese")));
        saved_ = GetDeviceData().cmpBoard;
    }
    void TearDown() override
    {
        GetDeviceData().cmpBoard = saved_;
        PresetBarTest::TearDown();
    }

    static QStringList ListTexts(KordalDlg& w)
    {
        QStringList out;
        CDropList* list = w.PortSwitchList()->GetList();
        for (int i = 0; i < list->GetCount(); ++i) out << list->GetText(i);
        return out;
    }
    // A new start in the language "Info.ini" remembers.
    KordalDlg& Restart()
    {
        window_.reset();
        g_LanguageFile.clear();
        ResetUiTextDefaults();
        SelectLanguage(QString());
        return Window();
    }
    QString Stored(const char* file, int id)
    {
        QString value;
        LanguageStrings::FromFile(LanguageDir() + file).Find(QStringLiteral("SIDS_%1").arg(id), value);
        return value;
    }
    // The files take the texts a moment after the board report.
    bool StoredSoon(const char* file, int id, const QString& value)
    {
        return SpinUntil([&] { return Stored(file, id) == value; }, 5000);
    }
    // A file as it stands: its bytes, and the inode and time a replacement would change.
    static std::string Stamp(const QString& path)
    {
        struct stat st {};
        QFile f(path);
        if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !f.open(QIODevice::ReadOnly)) return {};
        const QByteArray sum = QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1).toHex();
        return std::to_string(st.st_ino) + " " + std::to_string(st.st_mtim.tv_sec) + "." +
               std::to_string(st.st_mtim.tv_nsec) + " " + sum.toStdString();
    }

    CompositeBoardInfo saved_{};
};

TEST_F(PortSwitchTest, DviSourceShowsInEnglishAndChineseAlsoAfterARestart)
{
    SelectLanguage(QStringLiteral("English"));
    KordalDlg& w = Ready();
    CompositeBoardInfo& board = GetDeviceData().cmpBoard;
    board.ipSrc[0] = 6;
    board.ipSrc[1] = 8;
    board.mode = 3;
    w.UpdatePortSwitchTexts();
    EXPECT_EQ(UiText(145), "Fixed to DVI3*");
    EXPECT_EQ(UiText(148), "Auto(DVI3* Default)");
    EXPECT_EQ(UiText(146), "Fixed to DP2");
    EXPECT_EQ(UiText(149), "Auto(DP2 Default)");
    const QStringList texts = ListTexts(w);
    ASSERT_EQ(texts.size(), 5);
    EXPECT_EQ(texts[0], "Fixed to DVI3*");
    EXPECT_EQ(texts[4], "Auto(DP2 Default)");
    EXPECT_EQ(w.PortSwitchList()->GetCurSel(), 3);
    EXPECT_EQ(w.PortSwitchList()->GetList()->GetItemData(3), 3u);

    // Switched at once, before the files were due to take the texts.
    SendMsg(&w, WM_LANGUAGE_CHANGE, 1, 0);
    EXPECT_EQ(UiText(145), QStringLiteral("固定 DVI3*"));
    EXPECT_EQ(ListTexts(w).value(0), QStringLiteral("固定 DVI3*"));
    EXPECT_EQ(Stored("English.ini", 145), "Fixed to DVI3*");
    EXPECT_EQ(Stored("Chinese.ini", 145), QStringLiteral("固定 DVI3*"));
    EXPECT_EQ(Stored("Chinese.ini", 148), QStringLiteral("自动(DVI3* 优先)"));

    // The board says nothing after the restart; the texts come from the language file.
    board.ipSrc[0] = 0;
    board.ipSrc[1] = 0;
    KordalDlg& chinese = Restart();
    EXPECT_EQ(GetLanguageSetting(), "Chinese");
    EXPECT_EQ(ListTexts(chinese).value(0), QStringLiteral("固定 DVI3*"));
    EXPECT_EQ(ListTexts(chinese).value(3), QStringLiteral("自动(DVI3* 优先)"));

    SendMsg(&chinese, WM_LANGUAGE_CHANGE, 0, 0);
    KordalDlg& english = Restart();
    EXPECT_EQ(ListTexts(english).value(0), "Fixed to DVI3*");
    EXPECT_EQ(UiText(145), "Fixed to DVI3*");
}

TEST_F(PortSwitchTest, InChineseTheTableTakesTheChineseForm)
{
    SelectLanguage(QStringLiteral("Chinese"));
    KordalDlg& w = Ready();
    GetDeviceData().cmpBoard.ipSrc[0] = 8;
    GetDeviceData().cmpBoard.ipSrc[1] = 6;
    GetDeviceData().cmpBoard.mode = 0;
    w.UpdatePortSwitchTexts();
    EXPECT_EQ(UiText(145), QStringLiteral("固定 DP2"));
    EXPECT_EQ(UiText(146), QStringLiteral("固定 HDMI3"));
    EXPECT_TRUE(StoredSoon("English.ini", 146, "Fixed to HDMI3"));
    EXPECT_EQ(Stored("English.ini", 149), "Auto(HDMI3 Default)");
    EXPECT_EQ(w.PortSwitchList()->GetCurSel(), 0);
}

TEST_F(PortSwitchTest, OtherTypesAndLanguagesLeaveTheTexts)
{
    SelectLanguage(QStringLiteral("English"));
    KordalDlg& w = Ready();
    const QString before145 = UiText(145), before146 = UiText(146);
    GetDeviceData().cmpBoard.ipSrc[0] = 4;
    GetDeviceData().cmpBoard.ipSrc[1] = -7;
    GetDeviceData().cmpBoard.mode = 99;  // names no item: nothing selected
    w.UpdatePortSwitchTexts();
    EXPECT_EQ(UiText(145), before145);
    EXPECT_EQ(UiText(146), before146);
    EXPECT_EQ(Stored("English.ini", 145), "");
    EXPECT_EQ(ListTexts(w).size(), 5);

    // A language "Info.ini" does not know updates the files but not the table.
    ASSERT_TRUE(IniWriteString(InfoIni(), "Setting", "Language", "Klingon"));
    GetDeviceData().cmpBoard.ipSrc[0] = 6;
    w.UpdatePortSwitchTexts();
    EXPECT_EQ(UiText(145), before145);
    EXPECT_TRUE(StoredSoon("English.ini", 145, "Fixed to DVI3*"));
}

TEST_F(PortSwitchTest, BoardReportsRewriteTheLanguageFilesOnlyWhenTheTextsChange)
{
    SelectLanguage(QStringLiteral("English"));
    KordalDlg& w = Ready();
    CompositeBoardInfo& board = GetDeviceData().cmpBoard;
    board.ipSrc[1] = 8;
    const QString english = LanguageDir() + "English.ini", chinese = LanguageDir() + "Chinese.ini";
    int replaced = 0;  // replacements of either file seen right after a report
    auto reports = [&](int n, bool alternate) {
        for (int i = 0; i < n; ++i) {
            const auto before = std::make_pair(Stamp(english), Stamp(chinese));
            if (alternate) board.ipSrc[0] = board.ipSrc[0] == 6 ? 8 : 6;
            w.DispatchDeviceReply(REPLY_BOARD_INFO, 0, QVariant());
            replaced += before != std::make_pair(Stamp(english), Stamp(chinese));
        }
    };
    board.ipSrc[0] = 6;
    reports(1, false);
    ASSERT_TRUE(StoredSoon("Chinese.ini", 149, QStringLiteral("自动(DP2 优先)")));
    const auto englishHeld = Stamp(english), chineseHeld = Stamp(chinese);
    replaced = 0;
    // The same board again and again, and a board flipping between two sources that ends where
    // it began: the files already hold its texts.
    reports(20, false);
    reports(20, true);
    EXPECT_EQ(ListTexts(w).value(0), "Fixed to DVI3*");
    SpinFor(DeferredLangWrites::kDelayMs + 500);
    EXPECT_EQ(Stamp(english), englishHeld);
    EXPECT_EQ(Stamp(chinese), chineseHeld);

    // A new board, reported many times: its texts reach each file in one write, after the reports.
    board.ipSrc[0] = 8;
    reports(20, false);
    EXPECT_EQ(ListTexts(w).value(0), "Fixed to DP2");
    ASSERT_TRUE(StoredSoon("English.ini", 145, "Fixed to DP2"));
    ASSERT_TRUE(StoredSoon("Chinese.ini", 148, QStringLiteral("自动(DP2 优先)")));
    const auto englishChanged = Stamp(english);
    reports(20, false);
    SpinFor(DeferredLangWrites::kDelayMs + 500);
    EXPECT_EQ(Stamp(english), englishChanged);
    EXPECT_EQ(replaced, 0) << "written on the reply path";
}

} // namespace
