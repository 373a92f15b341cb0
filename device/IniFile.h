#pragma once
// Our stand-in for the Windows private-profile functions ("Info.ini", language files).
// Section and key names match case-insensitively, values are trimmed (and lose one pair of
// enclosing quotes), the first matching section and the first matching key win. A write updates
// the key in place, or adds it to its section, or adds the section at the end, keeping every other
// line, comment and line end as it was, and the file's encoding: UTF-8 with or without BOM, or
// UTF-16LE with FF FE. Files without a BOM that are not valid UTF-8 read as Latin-1. New files
// are UTF-8 without BOM, with CR LF line ends.

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

class IniDocument {
public:
    enum class Encoding { Utf8, Utf8Bom, Utf16Le, Latin1 };

    static IniDocument FromBytes(const QByteArray& bytes);
    // The file's contents; an empty document when it is missing, unreadable or too large.
    static IniDocument FromFile(const QString& path);
    QByteArray ToBytes() const;

    // False (out untouched) when the section or key is absent.
    bool Value(const QString& section, const QString& key, QString& out) const;
    void SetValue(const QString& section, const QString& key, const QString& value);

    Encoding encoding() const { return m_encoding; }
    qsizetype lineCount() const { return static_cast<qsizetype>(m_lines.size()); }

private:
    struct Line {
        QString text;
        QString end;  // "\r\n", "\n" or "" (the last line without a line end)
    };
    enum class Kind { Blank, Comment, Section, Key };
    static Kind Classify(const QString& text, QString* name, QString* value);
    // Index of the first line of the first section with that name, -1 when none.
    qsizetype FindSection(const QString& section) const;
    qsizetype FindKey(qsizetype sectionLine, const QString& key) const;
    QString NewLineEnd() const;
    void SetLines(const QString& section, const QString& key, const QString& value);
    void Reindex();

    Encoding m_encoding = Encoding::Utf8;
    std::vector<Line> m_lines;
    // Line of the first key of each name in the first section of each name, by case-folded
    // names: a language file of hundreds of keys is looked up hundreds of times at start-up.
    QHash<QString, QHash<QString, qsizetype>> m_keyLines;
};

// GetPrivateProfileString: the value, or defaultValue when the file, section or key is absent.
QString IniReadString(const QString& path, const QString& section, const QString& key,
                      const QString& defaultValue = QString());
// WritePrivateProfileString: creates the file and the section when missing. The file is replaced
// as a whole through a temporary file. False when it could not be written.
bool IniWriteString(const QString& path, const QString& section, const QString& key, const QString& value);

// Largest settings file read or updated; a bigger one reads as absent and is not rewritten.
constexpr qint64 kMaxIniFileBytes = 16 * 1024 * 1024;
