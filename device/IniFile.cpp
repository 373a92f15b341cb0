#include "device/IniFile.h"

#include "device/CodePage.h"

#include <QFile>
#include <QSaveFile>

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

// Line ends and separators inside a written name or value would break the file's line structure.
QString OneLine(const QString& s)
{
    QString out = s;
    out.replace(QLatin1Char('\r'), QLatin1Char(' '));
    out.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return out;
}

}  // namespace

IniDocument IniDocument::FromBytes(const QByteArray& bytes)
{
    IniDocument doc;
    QString text;
    if (bytes.size() >= 2 && uchar(bytes[0]) == 0xFF && uchar(bytes[1]) == 0xFE) {
        doc.m_encoding = Encoding::Utf16Le;
        text = DecodeUtf16Le(bytes, 2);
    } else if (bytes.startsWith("\xEF\xBB\xBF")) {
        doc.m_encoding = Encoding::Utf8Bom;
        text = QString::fromUtf8(QByteArrayView(bytes).sliced(3));
    } else if (IsValidUtf8(bytes)) {
        doc.m_encoding = Encoding::Utf8;
        text = QString::fromUtf8(bytes);
    } else {
        doc.m_encoding = Encoding::Latin1;
        text = QString::fromLatin1(bytes);
    }
    qsizetype start = 0;
    while (start < text.size()) {
        const qsizetype nl = text.indexOf(QLatin1Char('\n'), start);
        if (nl < 0) {
            doc.m_lines.push_back({text.mid(start), QString()});
            break;
        }
        const bool crlf = nl > start && text.at(nl - 1) == u'\r';
        const qsizetype textEnd = crlf ? nl - 1 : nl;
        doc.m_lines.push_back({text.mid(start, textEnd - start), crlf ? QStringLiteral("\r\n") : QStringLiteral("\n")});
        start = nl + 1;
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

QByteArray IniDocument::ToBytes() const
{
    QString text;
    for (const Line& l : m_lines) text += l.text + l.end;
    switch (m_encoding) {
    case Encoding::Utf16Le: {
        QByteArray out("\xFF\xFE", 2);
        out.reserve(2 + text.size() * 2);
        for (QChar c : text) {
            out.append(static_cast<char>(c.unicode() & 0xFF));
            out.append(static_cast<char>(c.unicode() >> 8));
        }
        return out;
    }
    case Encoding::Utf8Bom:
        return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    case Encoding::Latin1: {
        // Latin-1 keeps the file as it was; text beyond it switches the file to UTF-8 rather than
        // losing characters.
        bool fits = true;
        for (QChar c : text)
            if (c.unicode() > 0xFF) {
                fits = false;
                break;
            }
        // Latin-1 bytes that happen to form valid UTF-8 would read back as other text.
        if (fits) {
            const QByteArray latin1 = text.toLatin1();
            if (!IsValidUtf8(latin1) || latin1 == text.toUtf8()) return latin1;
        }
        return text.toUtf8();
    }
    case Encoding::Utf8:
        break;
    }
    return text.toUtf8();
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
            if (m_lines.back().end.isEmpty()) m_lines.back().end = eol;
            if (!m_lines.back().text.trimmed().isEmpty()) m_lines.push_back({QString(), eol});
        }
        m_lines.push_back({QLatin1Char('[') + OneLine(section.trimmed()) + QLatin1Char(']'), eol});
        m_lines.push_back({line, eol});
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
        l.text = l.text.left(indent) + name + QLatin1Char('=') + OneLine(value);
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
    if (m_lines[insertAt - 1].end.isEmpty()) m_lines[insertAt - 1].end = eol;
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt), Line{line, eol});
}

IniDocument IniDocument::FromFile(const QString& path)
{
    QFile f(path);
    if (path.isEmpty() || !f.open(QIODevice::ReadOnly) || f.size() > kMaxIniFileBytes) return FromBytes({});
    return FromBytes(f.readAll());
}

QString IniReadString(const QString& path, const QString& section, const QString& key, const QString& defaultValue)
{
    const IniDocument doc = IniDocument::FromFile(path);
    QString value;
    if (!doc.Value(section, key, value)) return defaultValue;
    return value;
}

bool IniWriteString(const QString& path, const QString& section, const QString& key, const QString& value)
{
    QByteArray old;
    QFile f(path);
    if (f.exists()) {
        if (!f.open(QIODevice::ReadOnly) || f.size() > kMaxIniFileBytes) return false;
        old = f.readAll();
        f.close();
    }
    IniDocument doc = IniDocument::FromBytes(old);
    doc.SetValue(section, key, value);
    const QByteArray bytes = doc.ToBytes();
    if (f.exists() && bytes == old) return true;
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly)) return false;
    if (out.write(bytes) != bytes.size()) {
        out.cancelWriting();
        out.commit();
        return false;
    }
    return out.commit();
}
