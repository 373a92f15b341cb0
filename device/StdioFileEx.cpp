#include "device/StdioFileEx.h"

#include <QBuffer>
#include <QFile>

#include <algorithm>

// An unfinished write is discarded: the target keeps its old content.
CStdioFileEx::~CStdioFileEx() = default;

bool CStdioFileEx::IsFileUnicode(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    const QByteArray head = f.read(2);
    return head.size() == 2 && uchar(head[0]) == 0xFF && uchar(head[1]) == 0xFE;
}

void CStdioFileEx::AdjustForByteOrderMark(uint32_t& flags, bool startsWithBom)
{
    if ((flags & 0x5001) == typeText) {
        isUnicode = startsWithBom;
        if (isUnicode) flags = (flags & ~typeText) | typeBinary;
    } else {
        isUnicode = false;
    }
}

bool CStdioFileEx::Open(const QString& path, uint32_t flags)
{
    if (IsOpen()) return false;
    if (flags & (modeWrite | modeReadWrite)) {
        isUnicode = false;
        auto file = std::make_unique<AtomicFile>(path);
        if (!file->Open()) {
            m_error = file->ErrorString();
            return false;
        }
        openFlags = flags;
        m_out = std::move(file);
        return true;
    }
    AdjustForByteOrderMark(flags, (flags & 0x5001) == typeText && IsFileUnicode(path));
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly)) return false;
    openFlags = flags;
    m_device = std::move(file);
    return true;
}

bool CStdioFileEx::OpenBuffer(const QByteArray& bytes, uint32_t flags)
{
    if (IsOpen()) return false;
    const bool bom = bytes.size() >= 2 && uchar(bytes[0]) == 0xFF && uchar(bytes[1]) == 0xFE;
    AdjustForByteOrderMark(flags, bom);
    auto buffer = std::make_unique<QBuffer>();
    buffer->setData(bytes);
    if (!buffer->open(QIODevice::ReadOnly)) return false;
    openFlags = flags;
    m_device = std::move(buffer);
    return true;
}

qint64 CStdioFileEx::GetPosition() const { return m_out ? m_out->Size() : m_device ? m_device->pos() : 0; }

void CStdioFileEx::SeekToBegin()
{
    if (m_device) m_device->seek(0);
}

bool CStdioFileEx::ReadString(QString& line)
{
    if (!m_device) return false;
    // The byte-order mark is skipped at the first read and after every return to the start.
    if (isUnicode && m_device->pos() == 0) m_device->skip(2);
    const bool read = isUnicode ? ReadUtf16Line(line) : ReadAnsiPiece(line);
    if (!read) return false;
    if (line.size() > 1 && line.endsWith(QLatin1String("\r\n")))
        line.chop(2);
    else if (!line.isEmpty() && (line.back() == u'\r' || line.back() == u'\n'))
        line.chop(1);
    return true;
}

bool CStdioFileEx::ReadUtf16Line(QString& line)
{
    // Two bytes per character up to and including the next U+000A; the "\n" is dropped here.
    QString out;
    bool any = false;
    // Short lines are the rule: look ahead a little first, more while the line goes on, so a
    // file of short lines costs time in proportion to its size.
    qint64 ahead = 128;
    for (;; ahead = std::min<qint64>(ahead * 2, 8192)) {
        const QByteArray chunk = m_device->peek(ahead);
        const qsizetype pairs = chunk.size() / 2;
        if (pairs == 0) {
            if (!chunk.isEmpty()) m_device->skip(chunk.size());  // a lone last byte is no character
            break;
        }
        any = true;
        const auto* p = reinterpret_cast<const uchar*>(chunk.constData());
        qsizetype k = 0;
        bool newline = false;
        for (; k < pairs; ++k) {
            const char16_t c = char16_t(p[2 * k] | (p[2 * k + 1] << 8));
            if (c == u'\n') {
                newline = true;
                break;
            }
            out.append(QChar(c));
        }
        m_device->skip(2 * (newline ? k + 1 : k));
        if (newline) break;
    }
    if (!any) return false;
    line = out;
    return true;
}

bool CStdioFileEx::ReadAnsiPiece(QString& line)
{
    if (m_device->atEnd()) return false;
    char buf[kMaxAnsiPiece + 1] = {};
    const qint64 got = m_device->readLine(buf, sizeof buf);
    if (got <= 0) return false;
    // A zero byte ends the text, as in any C string; what follows it on the line is dropped.
    qsizetype len = 0;
    while (len < got && buf[len] != '\0') ++len;
    // A piece without any text gives an empty line, never the text of an earlier one.
    line = DecodeCodePage(QByteArrayView(buf, len), codePage);
    return true;
}

bool CStdioFileEx::WriteString(const QString& text)
{
    if (!m_out) return false;
    QByteArray bytes;
    if (openFlags & modeWriteUnicode) {
        if (m_out->Size() == 0) bytes.append("\xFF\xFE", 2);
        for (QChar c : text) {
            const char16_t u = c.unicode();
            bytes.append(static_cast<char>(u & 0xFF));
            bytes.append(static_cast<char>(u >> 8));
        }
    } else {
        bytes = EncodeCodePage(text, codePage);
    }
    return m_out->Write(bytes);
}

bool CStdioFileEx::Close()
{
    if (m_out) {
        const bool ok = m_out->Commit();
        m_error = m_out->ErrorString();
        m_out.reset();
        return ok;
    }
    if (!m_device) return false;
    m_device->close();
    m_device.reset();
    return true;
}
