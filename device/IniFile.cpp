#include "device/IniFile.h"

#include "device/AtomicFile.h"
#include "device/CodePage.h"
#include "device/PathUtils.h"

#include <QFile>
#include <QHashFunctions>
#include <QStringDecoder>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <limits>
#include <memory>
#include <mutex>
#include <sys/stat.h>

namespace {

bool IsTrimmedQuoted(const QString& v)
{
    return v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front();
}

QString DecodeUtf16Le(QByteArrayView bytes)
{
    const qsizetype pairs = bytes.size() / 2;
    QString out(pairs, Qt::Uninitialized);
    const auto* p = reinterpret_cast<const uchar*>(bytes.data());
    for (qsizetype k = 0; k < pairs; ++k) out[k] = QChar(char16_t(p[2 * k] | (p[2 * k + 1] << 8)));
    return out;
}

// UTF-8 text of one line. A byte-order mark at its start is text here (QString::fromUtf8 would
// drop it): only the file's first bytes can be a mark, and those are split off before.
QString DecodeUtf8Line(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

// Line ends and separators inside a written name or value would break the file's line structure.
QString OneLine(const QString& s)
{
    QString out = s;
    out.replace(QLatin1Char('\r'), QLatin1Char(' '));
    out.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return out;
}

// Hash of a case-folded name: of a key in the section at that place in file order, or of a
// section (-1). Seeded per process, so that no file can be made of names that all share a hash.
quint32 NameHash(qsizetype section, QStringView folded)
{
    static const size_t seed = QHashSeed::globalSeed();
    return quint32(qHash(folded, qHash(section, seed)));
}

// Sorts index entries by hash, in file order among equal hashes, and keeps the first entry of
// each identity (its name read back from the file): a name repeated a million times costs one.
template <typename Entries, typename Identity>
void KeepFirstOfEach(Entries& entries, Identity identity)
{
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return a.hash != b.hash ? a.hash < b.hash : a.at < b.at; });
    std::vector<decltype(identity(0))> seen;  // identities kept with the current hash
    quint32 hash = 0;
    auto kept = entries.begin();
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        if (it == entries.begin() || it->hash != hash) {
            seen.clear();
            hash = it->hash;
            // Alone with its hash (nearly always): nothing to read back.
            if (it + 1 == entries.end() || (it + 1)->hash != hash) {
                *kept++ = *it;
                continue;
            }
        }
        auto id = identity(it->at);
        if (std::find(seen.begin(), seen.end(), id) != seen.end()) continue;
        seen.push_back(std::move(id));
        *kept++ = *it;
    }
    entries.erase(kept, entries.end());
    entries.shrink_to_fit();
}

// The first entry with the hash that matches, in the order KeepFirstOfEach left; null when none.
template <typename Entries, typename Match>
auto FirstMatch(const Entries& entries, quint32 hash, Match match) -> decltype(entries.data())
{
    auto it = std::lower_bound(entries.begin(), entries.end(), hash, [](const auto& e, quint32 h) { return e.hash < h; });
    for (; it != entries.end() && it->hash == hash; ++it)
        if (match(it->at)) return &*it;
    return nullptr;
}

}  // namespace

IniDocument::Encoding IniDocument::EncodingOf(const QByteArray& bytes)
{
    if (bytes.size() >= 2 && uchar(bytes[0]) == 0xFF && uchar(bytes[1]) == 0xFE) return Encoding::Utf16Le;
    if (bytes.startsWith("\xEF\xBB\xBF")) return Encoding::Utf8Bom;
    return IsValidUtf8(bytes) ? Encoding::Utf8 : Encoding::Latin1;
}

IniDocument IniDocument::FromBytes(const QByteArray& bytes)
{
    IniDocument doc;
    doc.m_encoding = EncodingOf(bytes);
    doc.m_from = doc.m_encoding == Encoding::Utf16Le ? 2 : doc.m_encoding == Encoding::Utf8Bom ? 3 : 0;
    doc.m_bytes = bytes;
    doc.Reindex();
    return doc;
}

void IniDocument::Settle()
{
    m_written.clear();
    // Only a legacy file can read otherwise now (no write reaches a byte-order mark, and a UTF-8
    // file's written lines are UTF-8): once its last byte beyond ASCII is written away, UTF-8.
    if (m_encoding == Encoding::Latin1 && IsValidUtf8(m_bytes)) *this = FromBytes(m_bytes);
}

IniDocument::Span IniDocument::LineAt(qsizetype start) const
{
    const qsizetype size = m_bytes.size();
    const char* p = m_bytes.constData();
    if (m_encoding == Encoding::Utf16Le) {
        // Lines end at the code unit 0x000A; an odd last byte stays in the last line's bytes.
        for (qsizetype at = start; at + 1 < size; at += 2) {
            if (p[at] != 0x0A || p[at + 1] != 0) continue;
            const bool cr = at - 2 >= start && p[at - 2] == 0x0D && p[at - 1] == 0;
            return {start, cr ? at - 2 : at, at + 2};
        }
        return {start, size, size};
    }
    const auto* found = static_cast<const char*>(std::memchr(p + start, '\n', size_t(size - start)));
    if (!found) return {start, size, size};
    const qsizetype nl = found - p;
    const bool cr = nl > start && p[nl - 1] == '\r';
    return {start, cr ? nl - 1 : nl, nl + 1};
}

template <typename F>
void IniDocument::ForEachLine(F&& f) const
{
    for (qsizetype at = m_from; at < m_bytes.size();) {
        const Span line = LineAt(at);
        if (!f(line)) return;
        at = line.stop;
    }
}

QString IniDocument::Text(const Span& line) const
{
    if (!m_written.empty()) {
        const auto it = m_written.find(line.start);
        if (it != m_written.end()) return it->second;
    }
    return BytesText(line);
}

QString IniDocument::BytesText(const Span& line) const
{
    const QByteArrayView view(m_bytes.constData() + line.start, line.textEnd - line.start);
    if (view.isEmpty()) return {};
    switch (m_encoding) {
    case Encoding::Utf16Le: return DecodeUtf16Le(view);
    case Encoding::Latin1: return QString::fromLatin1(view);
    case Encoding::Utf8:
    case Encoding::Utf8Bom: break;
    }
    return DecodeUtf8Line(view);
}

IniDocument::Span IniDocument::LastLine() const
{
    // It starts after the last line end that is not at the very end.
    const char* p = m_bytes.constData();
    const qsizetype size = m_bytes.size();
    qsizetype start = m_from;
    if (m_encoding == Encoding::Utf16Le) {
        // Line ends are code units, an even number of bytes after the mark.
        qsizetype at = size - 3;
        if ((at - m_from) % 2) --at;
        for (; at >= m_from; at -= 2) {
            if (p[at] == 0x0A && p[at + 1] == 0) {
                start = at + 2;
                break;
            }
        }
    } else if (size - 1 > m_from) {
        const void* nl = ::memrchr(p + m_from, '\n', size_t(size - 1 - m_from));
        if (nl) start = static_cast<const char*>(nl) - p + 1;
    }
    return LineAt(start);
}

QString IniDocument::End(const Span& line) const
{
    const qsizetype bytes = line.stop - line.textEnd;
    if (bytes == 0) return {};
    const qsizetype unit = m_encoding == Encoding::Utf16Le ? 2 : 1;
    return bytes == unit ? QStringLiteral("\n") : QStringLiteral("\r\n");
}

qsizetype IniDocument::lineCount() const
{
    qsizetype n = 0;
    ForEachLine([&n](const Span&) { return ++n, true; });
    return n;
}

IniDocument::Kind IniDocument::NameOf(const Span& line, QString* folded) const
{
    const bool written = !m_written.empty() && m_written.count(line.start);
    if (!written && m_encoding != Encoding::Utf16Le) {
        // A line whose first byte other than ASCII blanks is ASCII (nearly every line) is told from
        // its bytes, and an ASCII name is folded into the caller's string: a large file is indexed
        // in a few passes over it, without allocating for each line.
        const char* p = m_bytes.constData();
        const auto blank = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
        qsizetype at = line.start;
        while (at < line.textEnd && blank(p[at])) ++at;
        if (at == line.textEnd) return Kind::Blank;
        if (uchar(p[at]) < 0x80) {
            const Kind kind = p[at] == '[' ? Kind::Section : p[at] == ';' ? Kind::Comment : Kind::Key;
            if (!folded || kind == Kind::Comment) return kind;
            const char stop = kind == Kind::Section ? ']' : '=';
            qsizetype from = kind == Kind::Section ? at + 1 : at;
            qsizetype to = from;
            while (to < line.textEnd && p[to] != stop && uchar(p[to]) < 0x80) ++to;
            if (to == line.textEnd || p[to] == stop) {
                while (from < to && blank(p[from])) ++from;
                while (to > from && blank(p[to - 1])) --to;
                folded->resize(to - from);
                QChar* out = folded->data();
                for (qsizetype k = from; k < to; ++k) out[k - from] = QLatin1Char(p[k] >= 'A' && p[k] <= 'Z' ? p[k] + 32 : p[k]);
                return kind;
            }
        }
    }
    // The name as Classify reads it, through views: no copy of a line's value.
    if (line.textEnd == line.start && !written) return Kind::Blank;  // nothing to decode
    const QString text = Text(line);
    const QStringView t = QStringView(text).trimmed();
    if (t.isEmpty()) return Kind::Blank;
    if (t.front() == u';') return Kind::Comment;
    QStringView name;
    Kind kind = Kind::Key;
    if (t.front() == u'[') {
        const qsizetype close = t.indexOf(QLatin1Char(']'));
        name = close < 0 ? t.mid(1) : t.mid(1, close - 1);
        kind = Kind::Section;
    } else {
        const qsizetype eq = t.indexOf(QLatin1Char('='));
        name = eq < 0 ? t : t.left(eq);
    }
    if (folded) *folded = name.trimmed().toString().toCaseFolded();
    return kind;
}

const IniDocument::Body* IniDocument::FindFirstSection(const QString& folded) const
{
    QString name;
    const Entry* e = FirstMatch(m_firstSections, NameHash(-1, folded), [&](quint32 at) {
        return NameOf(LineAt(at), &name) == Kind::Section && name == folded;
    });
    if (!e) return nullptr;
    return &*std::lower_bound(m_bodies.begin(), m_bodies.end(), e->at,
                              [](const Body& b, quint32 at) { return b.start < at; });
}

bool IniDocument::FindIndexedKey(const Body& body, const QString& folded, Span& out) const
{
    QString name;
    const Entry* e = FirstMatch(m_keys, NameHash(&body - m_bodies.data(), folded), [&](quint32 at) {
        return at > body.start && at < body.end && NameOf(LineAt(at), &name) == Kind::Key && name == folded;
    });
    if (e) out = LineAt(e->at);
    return e;
}

void IniDocument::Reindex()
{
    m_firstSections.clear();
    m_bodies.clear();
    m_keys.clear();
    // Offsets are 32 bits: only a write of a value of gigabytes makes a larger document.
    m_indexed = m_bytes.size() <= qsizetype(std::numeric_limits<quint32>::max());
    if (!m_indexed) return;
    // Lines are counted first, so that each vector is allocated once at its size: one grown by
    // doubling would for a while be held twice over.
    qsizetype sections = 0;
    qsizetype keys = 0;
    ForEachLine([&](const Span& line) {
        const Kind kind = NameOf(line, nullptr);
        sections += kind == Kind::Section;
        keys += kind == Kind::Key;
        return true;
    });
    QString name;
    m_firstSections.reserve(sections);
    ForEachLine([&](const Span& line) {
        if (NameOf(line, nullptr) != Kind::Section) return true;
        NameOf(line, &name);
        m_firstSections.push_back({NameHash(-1, name), quint32(line.start)});
        return true;
    });
    KeepFirstOfEach(m_firstSections, [&](quint32 at) {
        NameOf(LineAt(at), &name);
        return name;
    });
    m_bodies.reserve(m_firstSections.size());
    for (const Entry& e : m_firstSections) m_bodies.push_back({e.at, 0});
    std::sort(m_bodies.begin(), m_bodies.end(), [](const Body& a, const Body& b) { return a.start < b.start; });
    // Later sections of the same name are never read, nor are keys before the first section.
    m_keys.reserve(keys);
    auto next = m_bodies.begin();
    Body* body = nullptr;  // the section being read, when it is the first of its name
    ForEachLine([&](const Span& line) {
        const Kind kind = NameOf(line, nullptr);
        if (kind == Kind::Section) {
            if (body) body->end = quint32(line.start);
            body = next != m_bodies.end() && next->start == line.start ? &*next++ : nullptr;
            return true;
        }
        if (kind != Kind::Key || !body) return true;
        NameOf(line, &name);
        m_keys.push_back({NameHash(body - m_bodies.data(), name), quint32(line.start)});
        return true;
    });
    if (body) body->end = quint32(m_bytes.size());
    KeepFirstOfEach(m_keys, [&](quint32 at) {
        NameOf(LineAt(at), &name);
        const auto in = std::upper_bound(m_bodies.begin(), m_bodies.end(), at,
                                         [](quint32 a, const Body& b) { return a < b.start; });
        return std::pair(std::prev(in) - m_bodies.begin(), name);
    });
}

QByteArray IniDocument::Encode(const QString& text) const
{
    switch (m_encoding) {
    case Encoding::Utf16Le: {
        QByteArray out;
        out.reserve(text.size() * 2);
        for (QChar c : text) {
            out.append(static_cast<char>(c.unicode() & 0xFF));
            out.append(static_cast<char>(c.unicode() >> 8));
        }
        return out;
    }
    case Encoding::Latin1:
        // Characters beyond Latin-1 come out as '?'; IniWriteString refuses such a write.
        return text.toLatin1();
    case Encoding::Utf8:
    case Encoding::Utf8Bom:
        break;
    }
    return text.toUtf8();
}

void IniDocument::Splice(qsizetype from, qsizetype to, const QByteArray& bytes, const QString& text)
{
    const qsizetype shift = bytes.size() - (to - from);
    m_bytes.replace(from, to - from, bytes);
    // Written lines after the change move with their bytes.
    std::map<qsizetype, QString> moved;
    for (auto& [start, written] : m_written)
        if (start < from || start >= to) moved.emplace(start >= to ? start + shift : start, std::move(written));
    moved[from] = text;
    m_written = std::move(moved);
    if (!m_indexed || shift == 0) return;
    if (m_bytes.size() > qsizetype(std::numeric_limits<quint32>::max())) {
        Reindex();  // no index past 4 GiB
        return;
    }
    const auto move = [to, shift](quint32& at) {
        if (at >= to) at = quint32(at + shift);
    };
    for (Entry& e : m_firstSections) move(e.at);
    for (Entry& e : m_keys) move(e.at);
    for (Body& b : m_bodies) {
        move(b.start);
        move(b.end);
    }
}

void IniDocument::Append(const QString& text, const QString& eol)
{
    Splice(m_bytes.size(), m_bytes.size(), Encode(text + eol), text);
}

void IniDocument::EndLastLine(const Span& line, const QString& eol)
{
    QString text = Text(line);
    // A UTF-16 line cut after an odd byte loses that byte: the line is written again whole.
    const qsizetype keep = m_encoding == Encoding::Utf16Le && (line.stop - line.start) % 2 ? line.stop - 1 : line.stop;
    // A last line that ends in a lone CR, given an LF, reads back as a line with a CR LF end.
    if (eol == QLatin1String("\n") && text.endsWith(u'\r')) text.chop(1);
    const QByteArray kept = m_bytes.mid(line.start, keep - line.start);
    Splice(line.start, line.stop, kept + Encode(eol), text);
}

bool IniDocument::ReadsBackFrom(const QByteArray& bytes) const
{
    const IniDocument again = FromBytes(bytes);
    bool same = true;
    qsizetype at = again.m_from;
    ForEachLine([&](const Span& line) {
        if (at >= again.m_bytes.size()) return same = false;
        const Span theirs = again.LineAt(at);
        at = theirs.stop;
        return same = Text(line) == again.Text(theirs) && End(line) == again.End(theirs);
    });
    return same && at >= again.m_bytes.size();
}

bool IniDocument::ReadsBack() const
{
    // A legacy file that has become valid UTF-8 would be read as UTF-8.
    if (m_encoding == Encoding::Latin1 && IsValidUtf8(m_bytes)) return ReadsBackFrom(m_bytes);
    // Lines not written keep their bytes, and with them their text: the encoding is told by the
    // first bytes, which no write touches, or, for UTF-8 without a mark, by every line being valid.
    for (const auto& [start, text] : m_written) {
        const Span line = LineAt(start);
        if (m_encoding == Encoding::Utf8 &&
            !IsValidUtf8(QByteArrayView(m_bytes.constData() + line.start, line.textEnd - line.start)))
            return false;
        if (BytesText(line) != text) return false;
    }
    return true;
}

IniDocument::Kind IniDocument::Classify(const QString& text, QString* name, QString* value)
{
    const QString t = text.trimmed();
    if (t.isEmpty()) return Kind::Blank;
    if (t.front() == u';') return Kind::Comment;
    if (t.front() == u'[') {
        if (name) {
            const qsizetype close = t.indexOf(QLatin1Char(']'));
            *name = (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed();
        }
        return Kind::Section;
    }
    const qsizetype eq = t.indexOf(QLatin1Char('='));
    if (name) *name = (eq < 0 ? t : t.left(eq)).trimmed();
    if (value) {
        QString v = eq < 0 ? QString() : t.mid(eq + 1).trimmed();
        if (IsTrimmedQuoted(v)) v = v.mid(1, v.size() - 2);
        *value = v;
    }
    return Kind::Key;
}

bool IniDocument::FindSection(const QString& section, Span& out) const
{
    QString name;
    const QString wanted = section.trimmed();
    bool found = false;
    ForEachLine([&](const Span& line) {
        found = Classify(Text(line), &name, nullptr) == Kind::Section && name.compare(wanted, Qt::CaseInsensitive) == 0;
        if (found) out = line;
        return !found;
    });
    return found;
}

bool IniDocument::FindKey(const Span& sectionLine, const QString& key, Span& out) const
{
    QString name;
    const QString wanted = key.trimmed();
    for (qsizetype at = sectionLine.stop; at < m_bytes.size();) {
        const Span line = LineAt(at);
        const Kind kind = Classify(Text(line), &name, nullptr);
        if (kind == Kind::Section) break;
        if (kind == Kind::Key && name.compare(wanted, Qt::CaseInsensitive) == 0) {
            out = line;
            return true;
        }
        at = line.stop;
    }
    return false;
}

bool IniDocument::Value(const QString& section, const QString& key, QString& out) const
{
    Span line;
    if (!m_indexed) {
        Span header;
        if (!FindSection(section, header) || !FindKey(header, key, line)) return false;
    } else {
        const Body* body = FindFirstSection(section.trimmed().toCaseFolded());
        if (!body || !FindIndexedKey(*body, key.trimmed().toCaseFolded(), line)) return false;
    }
    QString name;
    Classify(Text(line), &name, &out);
    return true;
}

QString IniDocument::NewLineEnd() const
{
    QString end;
    ForEachLine([&](const Span& line) {
        end = End(line);
        return end.isEmpty();
    });
    return end.isEmpty() ? QStringLiteral("\r\n") : end;
}

bool IniDocument::SetValue(const QString& section, const QString& key, const QString& value)
{
    bool indexed = true;
    const bool changed = SetLines(section, key, value, indexed);
    if (!indexed) Reindex();
    return changed;
}

bool IniDocument::SetLines(const QString& section, const QString& key, const QString& value, bool& indexed)
{
    const QString eol = NewLineEnd();
    const QString keyText = OneLine(key.trimmed());
    const QString line = keyText + QLatin1Char('=') + OneLine(value);
    // The section and the key are found as Value finds them: the index when there is one.
    Span s;
    const Body* body = m_indexed ? FindFirstSection(section.trimmed().toCaseFolded()) : nullptr;
    const qsizetype ordinal = body ? body - m_bodies.data() : -1;
    if (body) s = LineAt(body->start);
    if (m_indexed ? !body : !FindSection(section, s)) {
        if (m_bytes.size() > m_from) {
            const Span last = LastLine();
            const bool blank = Text(last).trimmed().isEmpty();
            if (last.stop == last.textEnd) EndLastLine(last, eol);
            if (!blank) Append(QString(), eol);
        }
        const qsizetype header = m_bytes.size();
        Append(QLatin1Char('[') + OneLine(section.trimmed()) + QLatin1Char(']'), eol);
        const qsizetype at = m_bytes.size();
        Append(line, eol);
        indexed = m_indexed && IndexNewSection(header, at);
        return true;
    }
    Span k;
    if (body ? FindIndexedKey(*body, key.trimmed().toCaseFolded(), k) : FindKey(s, key, k)) {
        const QString old = Text(k);
        // Keep the key as the file spells it and any indentation before it.
        qsizetype indent = 0;
        while (indent < old.size() && old.at(indent).isSpace()) ++indent;
        QString name;
        Classify(old, &name, nullptr);
        const QString text = old.left(indent) + name + QLatin1Char('=') + OneLine(value);
        if (text == old) return false;
        // The line keeps its start and its name: the index stays as it is.
        Splice(k.start, k.stop, Encode(text + End(k)), text);
        return true;
    }
    // A new key goes after the section's last key (or its header), before trailing blanks and
    // comments that introduce the next section.
    Span after = s;
    for (qsizetype at = s.stop; at < m_bytes.size();) {
        const Span l = LineAt(at);
        const Kind kind = NameOf(l, nullptr);
        if (kind == Kind::Section) break;
        if (kind == Kind::Key) after = l;
        at = l.stop;
    }
    if (after.stop == after.textEnd) {
        EndLastLine(after, eol);
        after = LineAt(after.start);
    }
    Splice(after.stop, after.stop, Encode(line + eol), line);
    indexed = !m_indexed || IndexNewKey(ordinal, after.stop);
    return true;
}

bool IniDocument::IndexNewSection(qsizetype header, qsizetype key)
{
    QString name;
    if (NameOf(LineAt(header), &name) != Kind::Section || FindFirstSection(name)) return false;
    // The section that ran to the end of the file ends at the new header.
    for (Body& b : m_bodies) b.end = std::min(b.end, quint32(header));
    const Entry e{NameHash(-1, name), quint32(header)};
    m_firstSections.insert(std::upper_bound(m_firstSections.begin(), m_firstSections.end(), e,
                                            [](const Entry& a, const Entry& b) { return a.hash < b.hash; }),
                           e);
    m_bodies.push_back({quint32(header), quint32(m_bytes.size())});
    return IndexNewKey(qsizetype(m_bodies.size()) - 1, key);
}

bool IniDocument::IndexNewKey(qsizetype section, qsizetype at)
{
    QString name;
    const Kind kind = NameOf(LineAt(at), &name);
    if (kind == Kind::Section) return false;
    if (kind != Kind::Key) return true;  // a comment: never indexed
    // A line of that name before it wins (a key with '=' in it may name one).
    const Body& body = m_bodies[size_t(section)];
    Span earlier;
    if (FindIndexedKey(body, name, earlier)) return true;
    const Entry e{NameHash(section, name), quint32(at)};
    m_keys.insert(std::upper_bound(m_keys.begin(), m_keys.end(), e,
                                   [](const Entry& a, const Entry& b) { return a.hash != b.hash ? a.hash < b.hash : a.at < b.at; }),
                  e);
    return true;
}

IniDocument IniDocument::FromFile(const QString& path)
{
    QByteArray bytes;
    ReadRegularFile(path, kMaxIniFileBytes, bytes);  // empty unless the whole file was read
    return FromBytes(bytes);
}

namespace {

// The files used last, most recent first: callers read their keys one after the other, and the
// same few files (Info.ini, the language files) again and again.
constexpr std::size_t kKeptFiles = 3;
// The coarsest modification times a file system keeps (FAT).
constexpr qint64 kTimestampGranularityNs = 2'000'000'000;

struct KeptFile {
    QString path;
    struct stat seen {};
    qint64 knownAtNs = 0;  // when the document was known to be the file's content
    std::shared_ptr<const IniDocument> doc;
};

std::mutex g_keptLock;
std::vector<KeptFile> g_kept;

qint64 Nanoseconds(const timespec& t) { return qint64(t.tv_sec) * 1'000'000'000 + t.tv_nsec; }

qint64 NowNs()
{
    timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return Nanoseconds(now);
}

bool SameFile(const struct stat& a, const struct stat& b)
{
    return a.st_ino == b.st_ino && a.st_dev == b.st_dev && a.st_size == b.st_size &&
           a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec &&
           a.st_ctim.tv_sec == b.st_ctim.tv_sec && a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
}

std::vector<KeptFile>::iterator FindKept(const QString& path)
{
    return std::find_if(g_kept.begin(), g_kept.end(), [&](const KeptFile& k) { return k.path == path; });
}

void Keep(KeptFile file)
{
    const auto old = FindKept(file.path);
    if (old != g_kept.end()) g_kept.erase(old);
    g_kept.insert(g_kept.begin(), std::move(file));
    if (g_kept.size() > kKeptFiles) g_kept.pop_back();
}

void Forget(const QString& path)
{
    const auto old = FindKept(path);
    if (old != g_kept.end()) g_kept.erase(old);
}

// The file's document, with g_keptLock held: the kept one while the file is as it was and its
// modification time lay more than the granularity before the document was known (so that any later
// write shows in the times); otherwise the file is read, and parsed only when its bytes changed.
std::shared_ptr<const IniDocument> LoadLocked(const QString& path, FileRead& read)
{
    const qint64 startNs = NowNs();
    struct stat now {};
    const bool known = !path.isEmpty() && ::stat(QFile::encodeName(path).constData(), &now) == 0;
    const auto kept = FindKept(path);
    if (known && kept != g_kept.end() && SameFile(kept->seen, now) &&
        kept->knownAtNs - Nanoseconds(kept->seen.st_mtim) >= kTimestampGranularityNs) {
        read = FileRead::Read;
        auto doc = kept->doc;
        if (kept != g_kept.begin()) std::rotate(g_kept.begin(), kept, kept + 1);
        return doc;
    }
    // Stated before it is read: a change in between is seen at the next use.
    QByteArray bytes;
    read = ReadRegularFile(path, kMaxIniFileBytes, bytes);
    if (read != FileRead::Read || !known) {
        Forget(path);
        return std::make_shared<const IniDocument>(IniDocument::FromBytes(bytes));
    }
    std::shared_ptr<const IniDocument> doc;
    if (kept != g_kept.end() && kept->doc->ToBytes() == bytes)
        doc = kept->doc;
    else
        doc = std::make_shared<const IniDocument>(IniDocument::FromBytes(bytes));
    Keep({path, now, startNs, doc});
    return doc;
}

}  // namespace

std::shared_ptr<const IniDocument> IniLoadDocument(const QString& path)
{
    std::lock_guard<std::mutex> guard(g_keptLock);
    FileRead read = FileRead::Missing;
    return LoadLocked(path, read);
}

QString IniReadString(const QString& path, const QString& section, const QString& key, const QString& defaultValue)
{
    QString value;
    if (!IniLoadDocument(path)->Value(section, key, value)) return defaultValue;
    return value;
}

bool IniWriteString(const QString& path, const QString& section, const QString& key, const QString& value,
                    QString* error)
{
    auto fail = [&](const QString& why) {
        qWarning("%s", qUtf8Printable(QStringLiteral("%1: [%2] %3 not written: %4").arg(path, section, key, why)));
        if (error) *error = why;
        return false;
    };
    std::lock_guard<std::mutex> guard(g_keptLock);
    FileRead read = FileRead::Missing;
    const std::shared_ptr<const IniDocument> old = LoadLocked(path, read);
    switch (read) {
    case FileRead::Read:
    case FileRead::Missing: break;
    case FileRead::NotRegular: return fail(QStringLiteral("it is not a regular file"));
    case FileRead::CannotOpen: return fail(QStringLiteral("the file cannot be read"));
    case FileRead::TooLarge: return fail(QStringLiteral("the file is too large"));
    }
    IniDocument doc = *old;
    if (!doc.SetValue(section, key, value) && read == FileRead::Read) return true;
    const QByteArray bytes = doc.ToBytes();
    if (bytes.size() > kMaxIniFileBytes)
        return fail(QStringLiteral("the file would grow past %1 bytes, the most that is read").arg(kMaxIniFileBytes));
    if (!doc.ReadsBack())
        return fail(QStringLiteral("the file's encoding (a legacy code page) cannot hold the value"));
    const qint64 writingNs = NowNs();
    QString why;
    if (!WriteFileAtomically(path, bytes, &why)) return fail(why);
    // What was written is the file's content: the next use reads it again only to confirm it.
    struct stat now {};
    if (::stat(QFile::encodeName(path).constData(), &now) != 0) {
        Forget(path);
        return true;
    }
    doc.Settle();
    Keep({path, now, writingNs, std::make_shared<const IniDocument>(std::move(doc))});
    return true;
}
