#pragma once
// The language files and the choice of the current one. Language files are INI files in the
// folder "Language" of the application folder; [Setting] Language names the language and
// [String] holds the texts. "Info.ini" [Setting] Language remembers the language last selected.
//
// UI thread only: the paths and the text table are plain globals.

#include <QString>

#include <memory>

class IniDocument;
class QLocale;

// Full path of the current language file; empty while none is selected or none was found.
extern QString g_LanguageFile;
// Full path of "Info.ini" in the application folder (set at start-up).
extern QString g_IniPath;

// Longest value read from a language file or "Info.ini"; longer ones are cut.
inline constexpr int kMaxLangValueChars = 999;
// Longest language name GetLanguageSetting returns.
inline constexpr int kMaxLanguageSettingChars = 99;

// "Chinese" for a Simplified Chinese locale (language Chinese with Simplified Han script, or
// territory China or Singapore without Traditional Han script), otherwise "English".
QString LanguageNameForLocale(const QLocale& locale);
// LanguageNameForLocale of the system locale.
QString GetDefaultLanguageName();

// The folder of the language files: the application folder + "Language/".
QString GetLanguageFolder();
// g_IniPath, or the application folder's "Info.ini" while start-up has not set it.
QString GetInfoIniPath();

// Makes the first language file (by file name) whose [Setting] Language equals name exactly the
// current one; an empty name means "Info.ini" [Setting] Language. When none matches, the folder
// "Language" is created if missing, the language becomes "English", and the first file that
// declares "English" serves (none: no file is current and every text keeps its English default).
// The language's name is written to "Info.ini" [Setting] Language. Returns that name.
QString SelectLanguage(const QString& name);

// "Info.ini" [Setting] Language (at most 99 characters), "English" when absent.
QString GetLanguageSetting();

// [String] key of the current language file with every backslash-n pair turned into a line
// break; empty when the key (or the file) is absent. Values are cut at 999 characters.
QString LoadLangString(const QString& key);

// "Language/English.ini" (which == 1) or "Language/Chinese.ini" (which == 0) in the application
// folder; empty for any other which.
QString LanguageFilePath(int which);

// Writes [String] key=value into "Language/English.ini" (which == 1) or "Language/Chinese.ini"
// (which == 0); any other which writes nothing. Line breaks are stored as backslash-n and a value
// with leading or trailing blanks is quoted, so LoadLangString gives the same text back.
// False when nothing was written.
bool WriteLangString(int which, const QString& key, const QString& value);

// Reloads every g_UiText entry n from "SIDS_n" of the current language file. An entry whose key
// is absent or empty takes its English default.
void ReloadUiText();

// The [String] section of one language file, read once for many look-ups.
class LanguageStrings {
public:
    // The current language file (empty when none is current or it cannot be read).
    static LanguageStrings Current();
    static LanguageStrings FromFile(const QString& path);

    // True with the value (line breaks decoded, cut at 999 characters) when the key is present.
    bool Find(const QString& key, QString& out) const;

private:
    std::shared_ptr<const IniDocument> doc_;
};
