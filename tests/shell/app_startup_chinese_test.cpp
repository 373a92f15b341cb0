// Start-up on a Simplified Chinese system selects "Chinese" and writes it to "Info.ini", whatever
// was stored there.

#include "AppStartupTestSupport.h"

#include "device/IniFile.h"

namespace {

const PinSystemLocale kChineseSystem("zh_CN.UTF-8");

class AppStartupChinese : public AppStartupTest {};

TEST_F(AppStartupChinese, SelectsChineseAndStoresIt)
{
    ASSERT_TRUE(WriteLanguageFile("English.ini", LanguageFileBytes("English")));
    ASSERT_TRUE(WriteLanguageFile("Chinese.ini", LanguageFileBytes("Chinese")));
    ASSERT_TRUE(WriteBytes(InfoIni(), "[Setting]\r\nLanguage=English\r\n"));
    ASSERT_EQ(GetDefaultLanguageName(), "Chinese");

    app_->InitInstance();
    EXPECT_EQ(IniReadString(InfoIni(), "Setting", "Language"), "Chinese");
    EXPECT_EQ(g_LanguageFile, LanguageDir() + "Chinese.ini");
}

TEST_F(AppStartupChinese, WithoutAChineseFileEnglishIsStored)
{
    ASSERT_TRUE(WriteLanguageFile("English.ini", LanguageFileBytes("English")));
    app_->InitInstance();
    EXPECT_EQ(IniReadString(InfoIni(), "Setting", "Language"), "English");
    EXPECT_EQ(g_LanguageFile, LanguageDir() + "English.ini");
}

} // namespace
