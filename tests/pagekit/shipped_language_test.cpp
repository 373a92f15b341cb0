// The shipped language files, placed in a temporary application folder, through the program's
// own routines: English gives exactly the built-in texts, Chinese gives Chinese ones.

#include "tests/support/AppDirTestSupport.h"

#include "pagekit/DialogIds.h"

#include <QRegularExpression>

namespace {

class ShippedLanguage : public TempAppDirTest {
protected:
    void SetUp() override
    {
        TempAppDirTest::SetUp();
        ASSERT_TRUE(MakeLanguageDir());
        for (const char* name : {"English.ini", "Chinese.ini"}) {
            const QString src = QStringLiteral(SVP_SOURCE_DIR "/resources/Language/") + QLatin1String(name);
            ASSERT_TRUE(QFile::copy(src, LanguageDir() + QLatin1String(name))) << name;
        }
    }
};

bool HasHanCharacter(const QString& text)
{
    static const QRegularExpression han(QStringLiteral("\\p{Han}"));
    return text.contains(han);
}

TEST_F(ShippedLanguage, EnglishLoadsEveryNumberedTextEqualToTheDefaults)
{
    ASSERT_EQ(SelectLanguage("English"), "English");
    EXPECT_EQ(g_LanguageFile, LanguageDir() + "English.ini");
    for (int n = 0; n < kUiTextCount; ++n)
        EXPECT_EQ(LoadLangString(QStringLiteral("SIDS_%1").arg(n)), UiTextDefault(n)) << "SIDS_" << n;
    // Start from other texts so that the reload has to set every entry.
    for (int n = 0; n < kUiTextCount; ++n) SetUiText(n, QStringLiteral("x"));
    ReloadUiText();
    for (int n = 0; n < kUiTextCount; ++n) EXPECT_EQ(g_UiText[static_cast<size_t>(n)], UiTextDefault(n)) << n;
    EXPECT_EQ(LoadLangString("IDD102_Title"), "Tarvo Serial-VideoProcessor");
    EXPECT_EQ(LoadLangString("IDS_1117"), "Full\nScreen");
}

TEST_F(ShippedLanguage, ChineseGivesChineseTexts)
{
    ASSERT_EQ(SelectLanguage("Chinese"), "Chinese");
    EXPECT_EQ(g_LanguageFile, LanguageDir() + "Chinese.ini");
    ReloadUiText();
    int han = 0;
    for (int n = 0; n < kUiTextCount; ++n) {
        EXPECT_FALSE(g_UiText[static_cast<size_t>(n)].isEmpty()) << n;
        if (HasHanCharacter(g_UiText[static_cast<size_t>(n)])) ++han;
    }
    // Nearly every numbered text is translated (a few are names such as "Ok" or "EDID").
    EXPECT_GT(han, kUiTextCount * 3 / 4);
    EXPECT_TRUE(HasHanCharacter(g_UiText[UI_TEXT_TIPS]));
    // Every window title the English file has, the Chinese file has too, in Chinese.
    const LanguageStrings english = LanguageStrings::FromFile(LanguageDir() + "English.ini");
    for (int id : kAllDialogIds) {
        const QString key = QStringLiteral("IDD%1_Title").arg(id);
        QString englishTitle;
        if (!english.Find(key, englishTitle) || id == IDD_MAIN) continue;
        EXPECT_TRUE(HasHanCharacter(LoadLangString(key))) << id;
    }
}

TEST_F(ShippedLanguage, SwitchingBackToEnglishRestoresTheDefaults)
{
    SelectLanguage("Chinese");
    ReloadUiText();
    ASSERT_NE(g_UiText[UI_TEXT_TIPS], "Tips");
    SelectLanguage("English");
    ReloadUiText();
    EXPECT_EQ(g_UiText[UI_TEXT_TIPS], "Tips");
    EXPECT_EQ(GetLanguageSetting(), "English");
}

} // namespace
