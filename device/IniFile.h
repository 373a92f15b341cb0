#pragma once
// Our stand-in for the Windows private-profile functions ("Info.ini", language files).
// Section and key names match case-insensitively, values are trimmed (and lose one pair of
// enclosing quotes), the first matching section and the first matching key win. A write updates
// the key in place, or adds it to its section, or adds the section at the end, keeping every other
// line, comment and line end byte for byte as it was, and the file's encoding: UTF-8 with or
// without BOM, or UTF-16LE with FF FE. New files are UTF-8 without BOM, with CR LF line ends.
//
// Files without a BOM that are not valid UTF-8 read as Latin-1: they are usually in a legacy code
// page (GBK, Big5, ...) that we cannot name, so lines are only ever rewritten one by one and a
// line not written keeps its bytes. A value such a file cannot hold (beyond Latin-1), or a write
// after which the file would read back differently, is refused: the file stays as it was and
// IniWriteString says why. Switching the file to UTF-8 instead would turn every other non-ASCII
// byte of it into different text for good.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <map>
#include <memory>
#include <vector>

class IniDocument {
public:
    enum class Encoding { Utf8, Utf8Bom, Utf16Le, Latin1 };

    static IniDocument FromBytes(const QByteArray& bytes);
    // The file's contents; an empty document when it is missing, unreadable, too large or not a
    // regular file (a device or FIFO is never opened).
    static IniDocument FromFile(const QString& path);
    QByteArray ToBytes() const { return m_bytes; }
    // True when bytes (this document's ToBytes) read back as the very same lines.
    bool ReadsBackFrom(const QByteArray& bytes) const;
    // ReadsBackFrom(ToBytes()), knowing which lines SetValue wrote: only those are decoded again,
    // unless the file could now be taken for another encoding.
    bool ReadsBack() const;
    // After ReadsBack, once ToBytes is the file: the document reads the file as a fresh read of
    // its bytes would, its lines from their bytes and its encoding told by them.
    void Settle();

    // False (out untouched) when the section or key is absent.
    bool Value(const QString& section, const QString& key, QString& out) const;
    // True when the document changed. The name index is kept up to date line by line.
    bool SetValue(const QString& section, const QString& key, const QString& value);

    Encoding encoding() const { return m_encoding; }
    qsizetype lineCount() const;

private:
    // The file is held as its bytes alone (a file of empty lines costs no more than its size):
    // a line is found by its offsets, and only names are indexed.
    struct Span {
        qsizetype start = 0;    // first byte of the text
        qsizetype textEnd = 0;  // first byte of the line end
        qsizetype stop = 0;     // first byte of the next line
    };
    // The line starting at the byte (which starts a line); a line ends with the code unit LF.
    Span LineAt(qsizetype start) const;
    // The encoding a read of the file takes: by its byte-order mark, else by whether it is UTF-8.
    static Encoding EncodingOf(const QByteArray& bytes);
    // Calls f(span) for each line in order until it returns false.
    template <typename F>
    void ForEachLine(F&& f) const;
    // The line holding the last byte (the document is not empty).
    Span LastLine() const;
    // The line's text without its end: as written by SetValue, or as the file's bytes read.
    QString Text(const Span& line) const;
    // The line's text as its bytes read.
    QString BytesText(const Span& line) const;
    QString End(const Span& line) const;
    QByteArray Encode(const QString& text) const;
    // Gives the last line, which has no line end, the end eol.
    void EndLastLine(const Span& line, const QString& eol);
    // Puts bytes in place of [from, to) and text as the text of the line starting at from; what
    // the index holds from to on moves with its bytes.
    void Splice(qsizetype from, qsizetype to, const QByteArray& bytes, const QString& text);
    void Append(const QString& text, const QString& eol);
    enum class Kind { Blank, Comment, Section, Key };
    static Kind Classify(const QString& text, QString* name, QString* value);
    // The first line of the first section with that name; false when none.
    bool FindSection(const QString& section, Span& out) const;
    bool FindKey(const Span& sectionLine, const QString& key, Span& out) const;
    QString NewLineEnd() const;
    // True when the document changed; indexed false when the index no longer describes it.
    bool SetLines(const QString& section, const QString& key, const QString& value, bool& indexed);
    void Reindex();

    Encoding m_encoding = Encoding::Utf8;
    qsizetype m_from = 0;  // bytes of the byte-order mark
    QByteArray m_bytes;    // the whole file, mark included
    // Lines SetValue wrote, by their first byte: their text, which the file's encoding may not hold.
    std::map<qsizetype, QString> m_written;
    // The index costs a few bytes per section or key line and no allocation per name, so any file
    // within the read bound costs a few times its size; a language file is looked up hundreds of
    // times. Hashes are of case-folded names and only pick candidates: a hit is read back from its
    // line and compared, so a collision never gives a wrong answer.
    struct Entry {
        quint32 hash = 0;
        quint32 at = 0;  // first byte of the line
    };
    struct Body {
        quint32 start = 0;  // first byte of the section's header
        quint32 end = 0;    // first byte of the next header, or the end of the file
    };
    // Kind of a line as Classify reads it, and its name case-folded when folded is given.
    Kind NameOf(const Span& line, QString* folded) const;
    // The first section with that case-folded name; null when none.
    const Body* FindFirstSection(const QString& folded) const;
    // The first key line with that case-folded name in the section; false when none.
    bool FindIndexedKey(const Body& body, const QString& folded, Span& out) const;
    // Index entries for lines SetLines added: a section header and its key, or a key of the
    // section with that ordinal. False when the new line changed the document's structure (a key
    // that reads as a section header, a header of a section that exists): then Reindex.
    bool IndexNewSection(qsizetype header, qsizetype key);
    bool IndexNewKey(qsizetype section, qsizetype at);
    std::vector<Entry> m_firstSections;  // header of the first section of each name, by hash of its name
    std::vector<Body> m_bodies;          // the same sections in file order
    // The first key line of each name in those sections, by hash of the section's place in
    // m_bodies and the name; empty (and lookups go through the file) past 4 GiB.
    std::vector<Entry> m_keys;
    bool m_indexed = false;
};

// The file's document, shared: the few files used last are kept while they stay the same (a
// write replaces the file, so its inode changes; any other change shows in its size or times) and
// parsed again only when their bytes differ. A file modified within two seconds of its read is
// read again at its next use: two writes within one tick of a coarse clock (FAT keeps two seconds
// and no change time) leave the same times. Empty when the file is absent or cannot be read.
std::shared_ptr<const IniDocument> IniLoadDocument(const QString& path);

// GetPrivateProfileString: the value, or defaultValue when the file, section or key is absent.
// Reads through IniLoadDocument (keys are read one by one).
QString IniReadString(const QString& path, const QString& section, const QString& key,
                      const QString& defaultValue = QString());
// WritePrivateProfileString: creates the file and the section when missing. The file is replaced
// as a whole through a temporary file written whole and synced first (AtomicFile), updating the
// document IniLoadDocument keeps. False, with the reason in *error when given and the file keeping
// every byte, when it could not be written, the file's encoding cannot hold the value, or the file
// would grow past kMaxIniFileBytes (it would then read as absent).
bool IniWriteString(const QString& path, const QString& section, const QString& key, const QString& value,
                    QString* error = nullptr);

// Largest settings file read or updated; a bigger one reads as absent and is not rewritten.
constexpr qint64 kMaxIniFileBytes = 16 * 1024 * 1024;
