#include "device/PathUtils.h"

#include "comm/DeviceLink.h"
#include "device/AtomicFile.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QtEndian>

#include <algorithm>
#include <cstdint>

QString g_IniSection;

QString GetAppDirectory()
{
    const QByteArray overridden = qgetenv("SVP_APP_DIR");
    QString dir;
    if (!overridden.isEmpty()) {
        dir = QString::fromLocal8Bit(overridden);
    } else {
        dir = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
        dir = GetPathDirectory(dir);
    }
    if (!dir.endsWith(QLatin1Char('/'))) dir += QLatin1Char('/');
    return dir;
}

FileRead ReadRegularFile(const QString& path, qint64 maxBytes, QByteArray& out)
{
    out.clear();
    if (path.isEmpty()) return FileRead::Missing;
    const QFileInfo info(path);
    if (!info.exists()) return FileRead::Missing;
    if (!info.isFile()) return FileRead::NotRegular;
    if (info.size() > maxBytes) return FileRead::TooLarge;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return FileRead::CannotOpen;
    // Something else put in its place since the check.
    if (file.isSequential()) return FileRead::NotRegular;
    // Sized by what the file held at the check; a file that grows meanwhile is read on in pieces,
    // never beyond the bound.
    qint64 piece = std::min(info.size(), maxBytes) + 1;
    while (out.size() <= maxBytes) {
        const QByteArray more = file.read(std::min(piece, maxBytes + 1 - out.size()));
        if (more.isEmpty()) break;
        out += more;
        piece = 64 * 1024;
    }
    if (file.error() != QFile::NoError) {
        out.clear();
        return FileRead::CannotOpen;
    }
    if (out.size() > maxBytes) {
        out.clear();
        return FileRead::TooLarge;
    }
    return FileRead::Read;
}

QString GetPathDirectory(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : path.left(slash + 1);
}

QString GetPathFileTitle(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0) {
        const qsizetype dot = path.indexOf(QLatin1Char('.'));
        return dot < 0 ? path : path.left(dot);
    }
    // Only a dot in the file name counts: "dir.v2/name" has no extension.
    const qsizetype dot = path.indexOf(QLatin1Char('.'), slash + 1);
    if (dot < 0) return path;
    return path.mid(slash + 1, dot - slash - 1);
}

void SplitIpOctets(const QString& text, QStringList& pieces)
{
    pieces.clear();
    qsizetype start = 0;
    while (start < text.size()) {
        const qsizetype dot = text.indexOf(QLatin1Char('.'), start);
        if (dot < 0) {
            pieces.append(text.mid(start));
            break;
        }
        pieces.append(text.mid(start, dot - start));
        start = dot + 1;
    }
}

bool IsValidIpAddress(const QString& text)
{
    QStringList pieces;
    SplitIpOctets(text, pieces);
    if (pieces.size() != 4) return false;
    for (const auto& p : pieces)
        if (p.isEmpty() || p.size() > 3) return false;
    return true;
}

QString CanonicalIp(const QString& text)
{
    const auto o = comm::ReadAddressText(text.toLatin1().toStdString());
    return o ? QString::asprintf("%d.%d.%d.%d", (*o)[0], (*o)[1], (*o)[2], (*o)[3]) : QString();
}

int GetIpLastOctet(const QString& text)
{
    if (!IsValidIpAddress(text)) return 0;
    QStringList pieces;
    SplitIpOctets(text, pieces);
    int value = 0;
    for (QChar c : pieces[3]) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) break;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

void SplitKeyValue(const QString& line, QString& key, QString& value)
{
    key.clear();
    value.clear();
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0) return;
    key = line.left(eq);
    if (eq + 1 < line.size()) value = line.mid(eq + 1);
}

void ParseSectionName(const QString& line)
{
    const qsizetype open = line.indexOf(QLatin1Char('['));
    const qsizetype close = line.indexOf(QLatin1Char(']'));
    const QStringView name =
        open >= 0 && close > open ? QStringView(line).sliced(open + 1, close - open - 1) : QStringView();
    // A search reads the same section lines over and over: keep the text when it is the same.
    if (name.isEmpty()) g_IniSection.clear();
    else if (g_IniSection != name) g_IniSection = name.toString();
}

namespace {

void PutLe16(QByteArray& out, qsizetype at, uint16_t v) { qToLittleEndian(v, out.data() + at); }
void PutLe32(QByteArray& out, qsizetype at, uint32_t v) { qToLittleEndian(v, out.data() + at); }

}  // namespace

bool SaveBitmapToFile(const QImage& bitmap, const QString& path)
{
    if (bitmap.isNull()) return false;
    const int width = bitmap.width();
    const int height = bitmap.height();
    const qsizetype rowBytes = ((static_cast<qsizetype>(width) + 31) / 32) * 4;
    const qsizetype imageBytes = rowBytes * height;
    const qsizetype fileSize = 62 + imageBytes;

    QByteArray out(fileSize, '\0');
    out[0] = 'B';
    out[1] = 'M';
    PutLe32(out, 2, static_cast<uint32_t>(fileSize));
    PutLe32(out, 10, 62);
    // BITMAPINFOHEADER: positive height, so rows run bottom-up.
    PutLe32(out, 14, 40);
    PutLe32(out, 18, static_cast<uint32_t>(width));
    PutLe32(out, 22, static_cast<uint32_t>(height));
    PutLe16(out, 26, 1);
    PutLe16(out, 28, 1);
    PutLe32(out, 30, 0);
    PutLe32(out, 34, static_cast<uint32_t>(imageBytes));
    // Colour table: entry 0 black, entry 1 white (RGBQUAD, reserved byte 0).
    out[58] = char(0xFF);
    out[59] = char(0xFF);
    out[60] = char(0xFF);

    const QImage rgb = bitmap.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        char* row = out.data() + 62 + rowBytes * (height - 1 - y);
        for (int x = 0; x < width; ++x)
            if (qGray(line[x]) >= 128) row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
    }

    QString why;
    if (WriteFileAtomically(path, out, &why)) return true;
    qWarning("%s", qUtf8Printable(QStringLiteral("%1: the picture was not saved: %2").arg(path, why)));
    return false;
}
