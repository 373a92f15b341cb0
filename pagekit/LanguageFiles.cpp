#include "pagekit/LanguageFiles.h"

#include "device/IniFile.h"
#include "device/PathUtils.h"
#include "pagekit/UiText.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

QString g_LanguageFile;
QString g_IniPath;

namespace {

const QString kSettingSection = QStringLiteral("Setting");
const QString kStringSection = QStringLiteral("String");
const QString kLanguageKey = QStringLiteral("Language");
const QString kEnglish = QStringLiteral("English");
const QString kChinese = QStringLiteral("Chinese");

QString DecodeLineBreaks(QString value)
{
    value.truncate(kMaxLangValueChars);
    value.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    return value;
}

QString EncodeLineBreaks(QString value)
{
    value.remove(QLatin1Char('\r'));
    value.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    return value;
}

bool NeedsQuotes(const QString& value)
{
    if (value.isEmpty()) return false;
    if (value.front().isSpace() || value.back().isSpace()) return true;
    // The reader drops one enclosing pair of quotes; keep a quoted text quoted.
    const QChar first = value.front();
    return value.size() >= 2 && (first == u'"' || first == u'\'') && value.back() == first;
}

// The language name a file declares, cut like every other value; empty when it cannot be read.
QString DeclaredLanguage(const QString& path)
{
    return IniReadString(path, kSettingSection, kLanguageKey).left(kMaxLangValueChars);
}

// The first file (by file name) in the language folder that declares name; empty when none does.
QString FindLanguageFile(const QString& name)
{
    if (name.isEmpty()) return {};
    const QDir dir(GetLanguageFolder());
    if (!dir.exists()) return {};
    const QFileInfoList files = dir.entryInfoList({QStringLiteral("*.ini")}, QDir::Files,
                                                  QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& file : files) {
        if (DeclaredLanguage(file.filePath()) == name) return file.filePath();
    }
    return {};
}

} // namespace

QString LanguageNameForLocale(const QLocale& locale)
{
    // Chinese (Simplified) is the language of mainland China; Simplified script elsewhere
    // (Singapore, Hong Kong) and Traditional Chinese start in English.
    if (locale.language() != QLocale::Chinese || locale.territory() != QLocale::China) return kEnglish;
    return locale.script() == QLocale::TraditionalHanScript ? kEnglish : kChinese;
}

QString GetDefaultLanguageName()
{
    return LanguageNameForLocale(QLocale::system());
}

QString GetLanguageFolder()
{
    return GetAppDirectory() + QStringLiteral("Language/");
}

QString GetInfoIniPath()
{
    return g_IniPath.isEmpty() ? GetAppDirectory() + QStringLiteral("Info.ini") : g_IniPath;
}

QString SelectLanguage(const QString& name)
{
    QString wanted = name;
    if (wanted.isEmpty())
        wanted = IniReadString(GetInfoIniPath(), kSettingSection, kLanguageKey, kEnglish).left(kMaxLangValueChars);

    QString file = FindLanguageFile(wanted);
    if (file.isEmpty()) {
        QDir().mkpath(GetLanguageFolder());
        wanted = kEnglish;
        // Nothing declares the wanted language: English texts serve, from a file when there is
        // one, otherwise the built-in defaults stay.
        file = FindLanguageFile(kEnglish);
    }
    g_LanguageFile = file;
    IniWriteString(GetInfoIniPath(), kSettingSection, kLanguageKey, wanted);
    return wanted;
}

QString GetLanguageSetting()
{
    return IniReadString(GetInfoIniPath(), kSettingSection, kLanguageKey, kEnglish).left(kMaxLanguageSettingChars);
}

QString LoadLangString(const QString& key)
{
    // From the parsed copy the pages reword themselves with, not from a fresh parse per key.
    QString text;
    LanguageStrings::Current().Find(key, text);
    return text;
}

QString LanguageFilePath(int which)
{
    if (which == 1) return GetLanguageFolder() + QStringLiteral("English.ini");
    if (which == 0) return GetLanguageFolder() + QStringLiteral("Chinese.ini");
    return QString();
}

bool WriteLangString(int which, const QString& key, const QString& value)
{
    const QString path = LanguageFilePath(which);
    if (path.isEmpty()) return false;
    QString stored = EncodeLineBreaks(value);
    if (NeedsQuotes(stored)) stored = QLatin1Char('"') + stored + QLatin1Char('"');
    return IniWriteString(path, kStringSection, key, stored);
}

void ReloadUiText()
{
    const LanguageStrings strings = LanguageStrings::Current();
    for (int n = 0; n < kUiTextCount; ++n) {
        QString text;
        if (!strings.Find(QStringLiteral("SIDS_%1").arg(n), text) || text.isEmpty()) text = UiTextDefault(n);
        SetUiText(n, text);
    }
}

LanguageStrings LanguageStrings::Current()
{
    if (g_LanguageFile.isEmpty()) return {};
    return FromFile(g_LanguageFile);
}

LanguageStrings LanguageStrings::FromFile(const QString& path)
{
    // Every page rewords itself from the same files: the INI routines keep them while unchanged.
    LanguageStrings strings;
    strings.doc_ = IniLoadDocument(path);
    return strings;
}

bool LanguageStrings::Find(const QString& key, QString& out) const
{
    if (!doc_) return false;
    QString value;
    if (!doc_->Value(kStringSection, key, value)) return false;
    out = DecodeLineBreaks(value);
    return true;
}
