// Choosing the current language file, the stored language name, and reading texts from the file.

#include "tests/support/AppDirTestSupport.h"

#include "device/IniFile.h"

#include <QLocale>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

class LanguageSelect : public TempAppDirTest {};

TEST_F(LanguageSelect, PicksTheFileThatDeclaresTheName)
{
    ASSERT_TRUE(WriteLanguageFile("English.ini", LanguageFileBytes("English")));
    ASSERT_TRUE(WriteLanguageFile("Chinese.ini", LanguageFileBytes("Chinese")));
    EXPECT_EQ(SelectLanguage("Chinese"), "Chinese");
    EXPECT_EQ(g_LanguageFile, LanguageDir() + "Chinese.ini");
    EXPECT_EQ(SelectLanguage("English"), "English");
    EXPECT_EQ(g_LanguageFile, LanguageDir() + "English.ini");
}

TEST_F(LanguageSelect, FirstFileByNameWinsWhenTwoDeclareTheName)
{
    ASSERT_TRUE(WriteLanguageFile("b.ini", LanguageFileBytes("Chinese", {"SIDS_38=from b"})));
    ASSERT_TRUE(WriteLanguageFile("a.ini", LanguageFileBytes("Chinese", {"SIDS_38=from a"})));
    ASSERT_TRUE(WriteLanguageFile("c.ini", LanguageFileBytes("Chinese", {"SIDS_38=from c"})));
    SelectLanguage("Chinese");
    EXPECT_EQ(g_LanguageFile, LanguageDir() + "a.ini");
    EXPECT_EQ(LoadLangString("SIDS_38"), "from a");
}

TEST_F(LanguageSelect, TheNameMustMatchIncludingCase)
{
    ASSERT_TRUE(WriteLanguageFile("Chinese.ini", LanguageFileBytes("chinese")));
    EXPECT_EQ(SelectLanguage("Chinese"), "English");
    EXPECT_TRUE(g_LanguageFile.isEmpty());
    EXPECT_EQ(IniReadString(InfoIni(), "Setting", "Language"), "English");
}

TEST_F(LanguageSelect, FilesWithoutADeclarationAndFoldersAreSkipped)
{
    ASSERT_TRUE(WriteLanguageFile("a.ini", "[String]\r\nSIDS_38=no name\r\n"));
    ASSERT_TRUE(WriteLanguageFile("b.ini", LanguageFileBytes("")));
    ASSERT_TRUE(QDir().mkpath(LanguageDir() + "c.ini"));
    ASSERT_TRUE(WriteLanguageFile("d.txt", LanguageFileBytes("Chinese")));
    ASSERT_TRUE(WriteLanguageFile("e.ini", LanguageFileBytes("Chinese")));
    SelectLanguage("Chinese");
    EXPECT_EQ(g_LanguageFile, LanguageDir() + "e.ini");
}

TEST_F(LanguageSelect, MissingFolderIsCreatedAndEnglishStored)
{
    ASSERT_FALSE(QDir(LanguageDir()).exists());
    EXPECT_EQ(SelectLanguage("Chinese"), "English");
    EXPECT_TRUE(QDir(LanguageDir()).exists());
    EXPECT_TRUE(g_LanguageFile.isEmpty());
    EXPECT_EQ(IniReadString(InfoIni(), "Setting", "Language"), "English");
    // No language file is written.
    EXPECT_TRUE(QDir(LanguageDir()).entryList(QDir::Files).isEmpty());
}

TEST_F(LanguageSelect, WithoutTheWantedFileTheEnglishFileServes)
{
    ASSERT_TRUE(WriteLanguageFile("English.ini", LanguageFileBytes("English", {"SIDS_38=Tips"})));
    EXPECT_EQ(SelectLanguage("Chinese"), "English");
    EXPECT_EQ(g_LanguageFile, LanguageDir() + "English.ini");
}

TEST_F(LanguageSelect, EmptyNameUsesTheStoredLanguage)
{
    ASSERT_TRUE(WriteLanguageFile("English.ini", LanguageFileBytes("English")));
    ASSERT_TRUE(WriteLanguageFile("Chinese.ini", LanguageFileBytes("Chinese")));
    ASSERT_TRUE(WriteBytes(InfoIni(), "[Setting]\r\nLanguage=Chinese\r\n"));
    EXPECT_EQ(SelectLanguage(QString()), "Chinese");
    EXPECT_EQ(g_LanguageFile, LanguageDir() + "Chinese.ini");
}

TEST_F(LanguageSelect, EmptyNameWithoutInfoIniMeansEnglish)
{
    ASSERT_TRUE(WriteLanguageFile("English.ini", LanguageFileBytes("English")));
    EXPECT_EQ(SelectLanguage(QString()), "English");
    EXPECT_EQ(g_LanguageFile, LanguageDir() + "English.ini");
}

TEST_F(LanguageSelect, StoresTheNameKeepingTheRestOfInfoIni)
{
    ASSERT_TRUE(WriteLanguageFile("Chinese.ini", LanguageFileBytes("Chinese")));
    ASSERT_TRUE(WriteBytes(InfoIni(), "[COM]\r\nPort=3\r\n[Setting]\r\nLanguage=English\r\n"));
    SelectLanguage("Chinese");
    EXPECT_EQ(ReadBytes(InfoIni()), QByteArray("[COM]\r\nPort=3\r\n[Setting]\r\nLanguage=Chinese\r\n"));
}

TEST_F(LanguageSelect, UsesTheStartUpInfoIniPath)
{
    g_IniPath = AppDir() + "Other.ini";
    SelectLanguage("English");
    EXPECT_EQ(IniReadString(AppDir() + "Other.ini", "Setting", "Language"), "English");
    EXPECT_FALSE(QFile::exists(InfoIni()));
    EXPECT_EQ(GetLanguageSetting(), "English");
}

TEST_F(LanguageSelect, LanguageSettingDefaultsToEnglishAndIsCut)
{
    EXPECT_EQ(GetLanguageSetting(), "English");
    ASSERT_TRUE(WriteBytes(InfoIni(), "[setting]\r\nlanguage=Chinese\r\n"));
    EXPECT_EQ(GetLanguageSetting(), "Chinese");
    ASSERT_TRUE(WriteBytes(InfoIni(), "[Setting]\r\nLanguage=" + QByteArray(300, 'x') + "\r\n"));
    EXPECT_EQ(GetLanguageSetting(), QString(99, u'x'));
}

TEST_F(LanguageSelect, LocaleNames)
{
    EXPECT_EQ(LanguageNameForLocale(QLocale("zh_CN")), "Chinese");
    EXPECT_EQ(LanguageNameForLocale(QLocale("zh")), "Chinese");
    EXPECT_EQ(LanguageNameForLocale(QLocale("zh_SG")), "English");
    EXPECT_EQ(LanguageNameForLocale(QLocale("zh_Hans_HK")), "English");
    EXPECT_EQ(LanguageNameForLocale(QLocale("zh_Hant_CN")), "English");
    EXPECT_EQ(LanguageNameForLocale(QLocale("zh_TW")), "English");
    EXPECT_EQ(LanguageNameForLocale(QLocale("zh_HK")), "English");
    EXPECT_EQ(LanguageNameForLocale(QLocale("en_US")), "English");
    EXPECT_EQ(LanguageNameForLocale(QLocale("de_DE")), "English");
    EXPECT_EQ(LanguageNameForLocale(QLocale::c()), "English");
    const QString name = GetDefaultLanguageName();
    EXPECT_TRUE(name == "English" || name == "Chinese");
}

class LangStrings : public TempAppDirTest {
protected:
    void UseFile(const QByteArrayList& lines)
    {
        ASSERT_TRUE(WriteLanguageFile("English.ini", LanguageFileBytes("English", lines)));
        ASSERT_EQ(SelectLanguage("English"), "English");
    }
};

TEST_F(LangStrings, BackslashNBecomesALineBreak)
{
    UseFile({"IDS_1117=Full\\nScreen", "SIDS_3=one\\ntwo\\nthree", "SIDS_4=ends\\n"});
    EXPECT_EQ(LoadLangString("IDS_1117"), "Full\nScreen");
    EXPECT_EQ(LoadLangString("SIDS_3"), "one\ntwo\nthree");
    EXPECT_EQ(LoadLangString("SIDS_4"), "ends\n");
}

TEST_F(LangStrings, AbsentKeyOrFileGivesEmpty)
{
    UseFile({"SIDS_1=x"});
    EXPECT_EQ(LoadLangString("SIDS_2"), "");
    EXPECT_EQ(LoadLangString("sids_1"), "x");
    g_LanguageFile = LanguageDir() + "Missing.ini";
    EXPECT_EQ(LoadLangString("SIDS_1"), "");
    g_LanguageFile.clear();
    EXPECT_EQ(LoadLangString("SIDS_1"), "");
}

TEST_F(LangStrings, QuotedValuesKeepTheirBlanks)
{
    UseFile({"SIDS_42=\" User \"", "SIDS_100=\" Free Run\""});
    EXPECT_EQ(LoadLangString("SIDS_42"), " User ");
    EXPECT_EQ(LoadLangString("SIDS_100"), " Free Run");
}

TEST_F(LangStrings, LongValuesAreCut)
{
    UseFile({"SIDS_5=" + QByteArray(2000, 'a')});
    EXPECT_EQ(LoadLangString("SIDS_5"), QString(999, u'a'));
}

TEST_F(LangStrings, ReloadTakesTheFileTexts)
{
    UseFile({"SIDS_0=Bildmodus", "SIDS_160=Last"});
    ReloadUiText();
    EXPECT_EQ(g_UiText[0], "Bildmodus");
    EXPECT_EQ(g_UiText[160], "Last");
    EXPECT_EQ(g_UiText[1], "Color Temperature");
}

TEST_F(LangStrings, ReloadKeepsEnglishDefaultsForMissingOrEmptyKeys)
{
    UseFile({"SIDS_0=Bildmodus"});
    ReloadUiText();
    ASSERT_EQ(g_UiText[0], "Bildmodus");
    // Another file without entry 0 and an empty entry 38: the English texts come back.
    ASSERT_TRUE(WriteLanguageFile("Other.ini", LanguageFileBytes("Other", {"SIDS_38="})));
    SelectLanguage("Other");
    ReloadUiText();
    for (int n = 0; n < kUiTextCount; ++n) EXPECT_EQ(g_UiText[static_cast<size_t>(n)], UiTextDefault(n)) << n;
}

TEST_F(LangStrings, ReloadWithoutAnyFileKeepsEveryDefault)
{
    SelectLanguage("Chinese");
    ASSERT_TRUE(g_LanguageFile.isEmpty());
    ReloadUiText();
    for (int n = 0; n < kUiTextCount; ++n) {
        EXPECT_FALSE(g_UiText[static_cast<size_t>(n)].isEmpty()) << n;
        EXPECT_EQ(g_UiText[static_cast<size_t>(n)], UiTextDefault(n)) << n;
    }
}

class LangWrite : public TempAppDirTest {};

TEST_F(LangWrite, OneWritesEnglishZeroWritesChinese)
{
    ASSERT_TRUE(WriteLanguageFile("English.ini", LanguageFileBytes("English", {"SIDS_145=Fixed to HDMI"})));
    ASSERT_TRUE(WriteLanguageFile("Chinese.ini", LanguageFileBytes("Chinese")));
    EXPECT_TRUE(WriteLangString(1, "SIDS_145", "Fixed to DVI3*"));
    EXPECT_TRUE(WriteLangString(0, "SIDS_145", QStringLiteral("固定 DVI3*")));
    EXPECT_EQ(ReadBytes(LanguageDir() + "English.ini"),
              QByteArray("[Setting]\r\nLanguage=English\r\n\r\n[String]\r\nSIDS_145=Fixed to DVI3*\r\n"));
    EXPECT_EQ(IniReadString(LanguageDir() + "Chinese.ini", "String", "SIDS_145"), QStringLiteral("固定 DVI3*"));
}

TEST_F(LangWrite, OtherWhichWritesNothing)
{
    ASSERT_TRUE(MakeLanguageDir());
    EXPECT_FALSE(WriteLangString(2, "SIDS_1", "x"));
    EXPECT_FALSE(WriteLangString(-1, "SIDS_1", "x"));
    EXPECT_TRUE(QDir(LanguageDir()).entryList(QDir::Files).isEmpty());
}

TEST_F(LangWrite, CreatesTheFileWhenMissing)
{
    ASSERT_TRUE(MakeLanguageDir());
    EXPECT_TRUE(WriteLangString(1, "SIDS_146", "Fixed to DP"));
    EXPECT_EQ(ReadBytes(LanguageDir() + "English.ini"), QByteArray("[String]\r\nSIDS_146=Fixed to DP\r\n"));
}

TEST_F(LangWrite, LineBreaksAndBlanksSurviveARoundTrip)
{
    ASSERT_TRUE(WriteLanguageFile("English.ini", LanguageFileBytes("English")));
    SelectLanguage("English");
    const QString texts[] = {"two\nlines", " padded ", "\"quoted\"", "plain", "crlf\r\nline"};
    int n = 0;
    for (const QString& text : texts) {
        const QString key = QStringLiteral("SIDS_%1").arg(n++);
        ASSERT_TRUE(WriteLangString(1, key, text));
        QString expected = text;
        expected.remove(u'\r');
        EXPECT_EQ(LoadLangString(key), expected) << key.toStdString();
    }
    EXPECT_TRUE(ReadBytes(LanguageDir() + "English.ini").contains("SIDS_0=two\\nlines\r\n"));
    EXPECT_TRUE(ReadBytes(LanguageDir() + "English.ini").contains("SIDS_1=\" padded \"\r\n"));
}

TEST_F(LanguageSelect, PagesReadTheCurrentFileAgainOnlyAfterItChanged)
{
    ASSERT_TRUE(WriteLanguageFile("English.ini", LanguageFileBytes("English", {"SIDS_38=first"})));
    SelectLanguage("English");
    QString text;
    ASSERT_TRUE(LanguageStrings::Current().Find("SIDS_38", text));
    EXPECT_EQ(text, "first");
    // Same size, written straight after: still seen.
    ASSERT_TRUE(WriteLangString(1, "SIDS_38", "secnd"));
    ASSERT_TRUE(LanguageStrings::Current().Find("SIDS_38", text));
    EXPECT_EQ(text, "secnd");
    ASSERT_TRUE(WriteLanguageFile("English.ini", LanguageFileBytes("English", {"SIDS_38=third"})));
    ASSERT_TRUE(LanguageStrings::Current().Find("SIDS_38", text));
    EXPECT_EQ(text, "third");
    // Rewritten in place, the same size and modification time (as twice within one tick of a coarse
    // clock): still seen.
    const QString file = LanguageDir() + "English.ini";
    struct stat before {};
    ASSERT_EQ(::stat(QFile::encodeName(file).constData(), &before), 0);
    ASSERT_TRUE(WriteLanguageFile("English.ini", LanguageFileBytes("English", {"SIDS_38=forth"})));
    const timespec sameTime[2] = {{0, UTIME_OMIT}, before.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(file).constData(), sameTime, 0), 0);
    ASSERT_TRUE(LanguageStrings::Current().Find("SIDS_38", text));
    EXPECT_EQ(text, "forth");
}

} // namespace
