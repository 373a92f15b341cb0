#pragma once
// Helpers shared by the page and shell tests: a temporary application folder (SVP_APP_DIR) with the
// language globals and the text table put back afterwards, and small file helpers.

#include "pagekit/LanguageFiles.h"
#include "pagekit/UiText.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

inline QByteArray ReadBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

inline bool WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    return f.write(bytes) == bytes.size();
}

// A language file declaring name, with the given [String] lines (CR LF added).
inline QByteArray LanguageFileBytes(const QByteArray& name, const QByteArrayList& stringLines = {})
{
    QByteArray out = "[Setting]\r\nLanguage=" + name + "\r\n\r\n[String]\r\n";
    for (const QByteArray& line : stringLines) out += line + "\r\n";
    return out;
}

// Copies the shipped language files into an application folder's "Language/".
inline bool InstallShippedLanguageFiles(const QString& languageDir)
{
    const QString source = QStringLiteral(SVP_SOURCE_DIR) + QStringLiteral("/resources/Language/");
    if (!QDir().mkpath(languageDir)) return false;
    for (const char* name : {"English.ini", "Chinese.ini"}) {
        const QString to = languageDir + QLatin1String(name);
        QFile::remove(to);
        if (!QFile::copy(source + QLatin1String(name), to)) return false;
    }
    return true;
}

class TempAppDirTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        saved_ = qgetenv("SVP_APP_DIR");
        qputenv("SVP_APP_DIR", dir_.path().toLocal8Bit());
        g_LanguageFile.clear();
        g_IniPath.clear();
        ResetUiTextDefaults();
    }
    void TearDown() override
    {
        if (saved_.isEmpty())
            qunsetenv("SVP_APP_DIR");
        else
            qputenv("SVP_APP_DIR", saved_);
        g_LanguageFile.clear();
        g_IniPath.clear();
        ResetUiTextDefaults();
    }

    QString AppDir() const { return dir_.path() + QLatin1Char('/'); }
    QString LanguageDir() const { return AppDir() + QStringLiteral("Language/"); }
    QString InfoIni() const { return AppDir() + QStringLiteral("Info.ini"); }
    bool MakeLanguageDir() const { return QDir().mkpath(LanguageDir()); }
    bool WriteLanguageFile(const QString& fileName, const QByteArray& bytes) const
    {
        return MakeLanguageDir() && WriteBytes(LanguageDir() + fileName, bytes);
    }

private:
    QTemporaryDir dir_;
    QByteArray saved_;
};
