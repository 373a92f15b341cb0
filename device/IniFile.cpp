#include "device/IniFile.h"

#include "device/CodePage.h"
#include "device/PathUtils.h"

#include <QSaveFile>
#include <QStringDecoder>

namespace {

bool IsTrimmedQuoted(const QString& v)
{
    return v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front();
}

QString DecodeUtf16Le(const QByteArray& bytes, qsizetype from)
{
    const qsizetype pairs = (bytes.size() - from) / 2;
    QString out(pairs, Qt::Uninitialized);
    const auto* p = reinterpret_cast<const uchar*>(bytes.constData() + from);
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

}  // namespace

void IniDocument::AddLine(IniDocument& doc, QString text, QString end, QByteArray raw)
{
    doc.m_lines.push_back({std::move(text), std::move(end), std::move(raw), false});
}

IniDocument IniDocument::FromBytes(const QByteArray& bytes)
{
    IniDocument doc;
    qsizetype from = 0;
    if (bytes.size() >= 2 && uchar(bytes[0]) == 0xFF && uchar(bytes[1]) == 0xFE) {
        doc.m_encoding = Encoding::Utf16Le;
        from = 2;
    } else if (bytes.startsWith("\xEF\xBB\xBF")) {
        doc.m_encoding = Encoding::Utf8Bom;
        from = 3;
    } else if (IsValidUtf8(bytes)) {
        doc.m_encoding = Encoding::Utf8;
    } else {
        doc.m_encoding = Encoding::Latin1;
    }
    doc.m_prefix = bytes.left(from);
    const QString crlf = QStringLiteral("\r\n"), lf = QStringLiteral("\n");
    if (doc.m_encoding == Encoding::Utf16Le) {
        // Lines end at the code unit 0x000A; an odd last byte stays in the last line's bytes.
        qsizetype start = from;
        const qsizetype units = (bytes.size() - from) / 2;
        const auto* p = reinterpret_cast<const uchar*>(bytes.constData());
        for (qsizetype u = 0; u < units; ++u) {
            const qsizetype at = from + 2 * u;
            if (p[at] != 0x0A || p[at + 1] != 0) continue;
            QString text = DecodeUtf16Le(bytes.mid(start, at - start), 0);
            const bool cr = text.endsWith(u'\r');
            if (cr) text.chop(1);
            AddLine(doc, std::move(text), cr ? crlf : lf, bytes.mid(start, at + 2 - start));
            start = at + 2;
        }
        if (start < bytes.size()) AddLine(doc, DecodeUtf16Le(bytes.mid(start), 0), QString(), bytes.mid(start));
        doc.Reindex();
        return doc;
    }
    const bool latin1 = doc.m_encoding == Encoding::Latin1;
    qsizetype start = from;
    while (start < bytes.size()) {
        const qsizetype nl = bytes.indexOf('\n', start);
        const qsizetype stop = nl < 0 ? bytes.size() : nl + 1;
        qsizetype textEnd = nl < 0 ? bytes.size() : nl;
        const bool cr = nl >= 0 && nl > start && bytes[nl - 1] == '\r';
        if (cr) --textEnd;
        const QByteArrayView view(bytes.constData() + start, textEnd - start);
        AddLine(doc, latin1 ? QString::fromLatin1(view) : DecodeUtf8Line(view), nl < 0 ? QString() : cr ? crlf : lf,
                bytes.mid(start, stop - start));
        start = stop;
    }
    doc.Reindex();
    return doc;
}

void IniDocument::Reindex()
{
    // The names as Classify reads them, through views: no copy of a line that is not a name.
    m_keyLines.clear();
    QHash<QString, qsizetype>* keys = nullptr;  // of the current section, when it is the first of its name
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const QStringView t = QStringView(m_lines[i].text).trimmed();
        if (t.isEmpty() || t.front() == u';') continue;
        if (t.front() == u'[') {
            const qsizetype close = t.indexOf(QLatin1Char(']'));
            const QString section = (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed().toString().toCaseFolded();
            // Later sections of the same name are never read.
            keys = m_keyLines.contains(section) ? nullptr : &*m_keyLines.insert(section, {});
            continue;
        }
        if (!keys) continue;
        const qsizetype eq = t.indexOf(QLatin1Char('='));
        const QString key = (eq < 0 ? t : t.left(eq)).trimmed().toString().toCaseFolded();
        if (!keys->contains(key)) keys->insert(key, static_cast<qsizetype>(i));
    }
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

void IniDocument::EndLine(Line& line, const QString& eol) const
{
    line.end = eol;
    // A last line that ends in a lone CR, given an LF, reads back as a line with a CR LF end.
    if (eol == QLatin1String("\n") && line.text.endsWith(u'\r')) {
        line.text.chop(1);
        line.end = QStringLiteral("\r\n");
    }
    // A UTF-16 line cut after an odd byte cannot take a line end after it: rewrite it whole.
    if (m_encoding == Encoding::Utf16Le && line.raw.size() % 2 != 0) line.dirty = true;
    if (!line.dirty) line.raw += Encode(eol);
}

QByteArray IniDocument::ToBytes() const
{
    QByteArray out = m_prefix;
    for (const Line& l : m_lines) out += l.dirty ? Encode(l.text + l.end) : l.raw;
    return out;
}

bool IniDocument::ReadsBackFrom(const QByteArray& bytes) const
{
    const IniDocument again = FromBytes(bytes);
    if (again.m_lines.size() != m_lines.size()) return false;
    for (std::size_t i = 0; i < m_lines.size(); ++i)
        if (again.m_lines[i].text != m_lines[i].text || again.m_lines[i].end != m_lines[i].end) return false;
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

qsizetype IniDocument::FindSection(const QString& section) const
{
    QString name;
    const QString wanted = section.trimmed();
    for (size_t i = 0; i < m_lines.size(); ++i)
        if (Classify(m_lines[i].text, &name, nullptr) == Kind::Section &&
            name.compare(wanted, Qt::CaseInsensitive) == 0)
            return static_cast<qsizetype>(i);
    return -1;
}

qsizetype IniDocument::FindKey(qsizetype sectionLine, const QString& key) const
{
    QString name;
    const QString wanted = key.trimmed();
    for (size_t i = static_cast<size_t>(sectionLine) + 1; i < m_lines.size(); ++i) {
        const Kind kind = Classify(m_lines[i].text, &name, nullptr);
        if (kind == Kind::Section) break;
        if (kind == Kind::Key && name.compare(wanted, Qt::CaseInsensitive) == 0) return static_cast<qsizetype>(i);
    }
    return -1;
}

bool IniDocument::Value(const QString& section, const QString& key, QString& out) const
{
    const auto keys = m_keyLines.constFind(section.trimmed().toCaseFolded());
    if (keys == m_keyLines.cend()) return false;
    const auto line = keys->constFind(key.trimmed().toCaseFolded());
    if (line == keys->cend()) return false;
    const qsizetype k = *line;
    QString name;
    Classify(m_lines[static_cast<size_t>(k)].text, &name, &out);
    return true;
}

QString IniDocument::NewLineEnd() const
{
    for (const Line& l : m_lines)
        if (!l.end.isEmpty()) return l.end;
    return QStringLiteral("\r\n");
}

void IniDocument::SetValue(const QString& section, const QString& key, const QString& value)
{
    SetLines(section, key, value);
    Reindex();  // lines may have moved
}

void IniDocument::SetLines(const QString& section, const QString& key, const QString& value)
{
    const QString eol = NewLineEnd();
    const QString keyText = OneLine(key.trimmed());
    const QString line = keyText + QLatin1Char('=') + OneLine(value);
    const qsizetype s = FindSection(section);
    if (s < 0) {
        if (!m_lines.empty()) {
            if (m_lines.back().end.isEmpty()) EndLine(m_lines.back(), eol);
            if (!m_lines.back().text.trimmed().isEmpty()) m_lines.push_back({QString(), eol, {}, true});
        }
        m_lines.push_back({QLatin1Char('[') + OneLine(section.trimmed()) + QLatin1Char(']'), eol, {}, true});
        m_lines.push_back({line, eol, {}, true});
        return;
    }
    const qsizetype k = FindKey(s, key);
    if (k >= 0) {
        Line& l = m_lines[static_cast<size_t>(k)];
        // Keep the key as the file spells it and any indentation before it.
        qsizetype indent = 0;
        while (indent < l.text.size() && l.text.at(indent).isSpace()) ++indent;
        QString name;
        Classify(l.text, &name, nullptr);
        const QString text = l.text.left(indent) + name + QLatin1Char('=') + OneLine(value);
        if (text != l.text) {
            l.text = text;
            l.dirty = true;
        }
        return;
    }
    // A new key goes after the section's last key (or its header), before trailing blanks and
    // comments that introduce the next section.
    size_t insertAt = static_cast<size_t>(s) + 1;
    for (size_t i = static_cast<size_t>(s) + 1; i < m_lines.size(); ++i) {
        const Kind kind = Classify(m_lines[i].text, nullptr, nullptr);
        if (kind == Kind::Section) break;
        if (kind == Kind::Key) insertAt = i + 1;
    }
    if (m_lines[insertAt - 1].end.isEmpty()) EndLine(m_lines[insertAt - 1], eol);
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt), Line{line, eol, {}, true});
}

IniDocument IniDocument::FromFile(const QString& path)
{
    QByteArray bytes;
    ReadRegularFile(path, kMaxIniFileBytes, bytes);  // empty unless the whole file was read
    return FromBytes(bytes);
}

QString IniReadString(const QString& path, const QString& section, const QString& key, const QString& defaultValue)
{
    const IniDocument doc = IniDocument::FromFile(path);
    QString value;
    if (!doc.Value(section, key, value)) return defaultValue;
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
    QByteArray old;
    const FileRead read = ReadRegularFile(path, kMaxIniFileBytes, old);
    switch (read) {
    case FileRead::Read:
    case FileRead::Missing: break;
    case FileRead::NotRegular: return fail(QStringLiteral("it is not a regular file"));
    case FileRead::CannotOpen: return fail(QStringLiteral("the file cannot be read"));
    case FileRead::TooLarge: return fail(QStringLiteral("the file is too large"));
    }
    IniDocument doc = IniDocument::FromBytes(old);
    doc.SetValue(section, key, value);
    const QByteArray bytes = doc.ToBytes();
    if (read == FileRead::Read && bytes == old) return true;
    if (!doc.ReadsBackFrom(bytes))
        return fail(QStringLiteral("the file's encoding (a legacy code page) cannot hold the value"));
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly)) return fail(out.errorString());
    if (out.write(bytes) != bytes.size()) {
        const QString why = out.errorString();
        out.cancelWriting();
        out.commit();
        return fail(why);
    }
    if (!out.commit()) return fail(out.errorString());
    return true;
}
