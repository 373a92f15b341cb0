#include "pages/system/CaptionBitmap.h"

#include "device/PathUtils.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <cstdlib>

namespace caption {

QFont CaptionRenderFont(const QFont& font)
{
    QFont f = font;
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

QFont CaptionFontWithHeight(const QFont& font, int height)
{
    constexpr int kMaxPixels = 1000;
    QFont f = font;
    if (height == 0) return f;
    const int size = std::min(std::abs(height), kMaxPixels);
    f.setPixelSize(size);
    if (height < 0) return f;
    // The cell is about an eighth taller than the em: start from the em its proportion gives,
    // then step to the largest whose cell fits.
    const auto cell = [&f](int px) {
        f.setPixelSize(px);
        return QFontMetrics(CaptionRenderFont(f)).height();
    };
    int px = std::clamp(static_cast<int>(static_cast<qint64>(size) * size / std::max(cell(size), 1)), 1, size);
    while (px < size && cell(px + 1) <= size) ++px;
    while (px > 1 && cell(px) > size) --px;
    f.setPixelSize(px);
    return f;
}

QSize MeasureCaptionText(const QString& text, const QFont& font)
{
    if (text.isEmpty()) return {0, 0};
    const QFontMetrics metrics(CaptionRenderFont(font));
    int cx = metrics.horizontalAdvance(text);
    // An italic text leans past its advance on the right.
    if (font.italic()) cx += metrics.leftBearing(QLatin1Char('f')) - metrics.rightBearing(QLatin1Char('f'));
    return {std::max(cx, 0), metrics.height()};
}

QImage RenderCaptionText(const QString& text, const QFont& font, int width, int height, bool alignCentre)
{
    if (width < 1 || width > kMaxWidth || height < 1 || height > kMaxHeight) return {};
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    const QFont f = CaptionRenderFont(font);
    p.setFont(f);
    p.setPen(Qt::white);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    const int x = alignCentre ? CentredTextX(width, MeasureCaptionText(text, font).width()) : 0;
    // The text cell's top sits on y 0, as the caption is drawn on the processor.
    p.drawText(QPoint(x, QFontMetrics(f).ascent()), text);
    p.end();
    return image;
}

const char* BmpErrorName(BmpError e)
{
    switch (e) {
    case BmpError::None: return "none";
    case BmpError::CannotOpen: return "cannot open";
    case BmpError::NotBmp: return "not a BMP file";
    case BmpError::BadHeader: return "bad header";
    case BmpError::UnsupportedDepth: return "unsupported depth";
    case BmpError::Compressed: return "compressed";
    case BmpError::BadSize: return "bad size";
    case BmpError::TooLarge: return "too large";
    case BmpError::DataOutsideFile: return "data outside the file";
    }
    return "?";
}

namespace {

uint32_t U32(const QByteArray& f, qsizetype at)
{
    const auto* p = reinterpret_cast<const uint8_t*>(f.constData()) + at;
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint16_t U16(const QByteArray& f, qsizetype at)
{
    const auto* p = reinterpret_cast<const uint8_t*>(f.constData()) + at;
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

struct BmpLayout {
    int width = 0;
    int height = 0;
    int bitCount = 0;
    qsizetype stride = 0;       // bytes per stored row
    qsizetype dataOffset = 0;
    qsizetype paletteOffset = 0;
    int paletteSize = 0;        // entries (depths up to 8)
};

constexpr qsizetype kFileHeaderSize = 14;
constexpr qsizetype kInfoHeaderSize = 40;

// Checks everything about the file but its depth; sizes are computed in 64 bits so that hostile
// values cannot wrap.
BmpError ParseLayout(const QByteArray& f, BmpLayout& l)
{
    if (f.size() < kFileHeaderSize + kInfoHeaderSize || f[0] != 'B' || f[1] != 'M') return BmpError::NotBmp;
    const qsizetype infoSize = U32(f, 14);
    // BITMAPINFOHEADER and its later extensions; the old 12-byte core header is not taken.
    if (infoSize < kInfoHeaderSize || infoSize > f.size() - kFileHeaderSize) return BmpError::BadHeader;
    const int32_t width = static_cast<int32_t>(U32(f, 18));
    const int32_t height = static_cast<int32_t>(U32(f, 22));
    if (U16(f, 26) != 1) return BmpError::BadHeader;
    l.bitCount = U16(f, 28);
    if (U32(f, 30) != 0) return BmpError::Compressed;
    if (width <= 0 || height <= 0) return BmpError::BadSize;
    if (width > kMaxWidth || height > kMaxHeight) return BmpError::TooLarge;
    l.width = width;
    l.height = height;
    switch (l.bitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: return BmpError::UnsupportedDepth;
    }
    l.stride = ((qsizetype(width) * l.bitCount + 31) / 32) * 4;
    l.paletteOffset = kFileHeaderSize + infoSize;
    if (l.bitCount <= 8) {
        const uint32_t used = U32(f, 46);
        const uint32_t full = 1u << l.bitCount;
        l.paletteSize = static_cast<int>(used == 0 || used > full ? full : used);
        if (l.paletteOffset + 4 * qsizetype(l.paletteSize) > f.size()) return BmpError::BadHeader;
    }
    l.dataOffset = U32(f, 10);
    if (l.dataOffset < kFileHeaderSize + kInfoHeaderSize || l.dataOffset > f.size() ||
        l.stride * l.height > f.size() - l.dataOffset)
        return BmpError::DataOutsideFile;
    return BmpError::None;
}

BmpError ReadWholeFile(const QString& path, QByteArray& out)
{
    // A caption file is at most a few hundred kilobytes; anything far larger is no caption.
    constexpr qint64 kLargest = 64ll * 1024 * 1024;
    switch (ReadRegularFile(path, kLargest, out)) {
    case FileRead::Read: return BmpError::None;
    case FileRead::TooLarge: return BmpError::TooLarge;
    case FileRead::Missing:
    case FileRead::NotRegular:
    case FileRead::CannotOpen: break;
    }
    return BmpError::CannotOpen;
}

}  // namespace

BmpError ReadMonoBmp(const QByteArray& file, MonoBitmap& out)
{
    out = MonoBitmap{};
    BmpLayout l;
    const BmpError e = ParseLayout(file, l);
    if (e != BmpError::None) return e;
    if (l.bitCount != 1) return BmpError::UnsupportedDepth;
    out.width = l.width;
    out.height = l.height;
    out.stride = static_cast<int>(l.stride);
    out.rows.resize(static_cast<std::size_t>(l.stride * l.height));
    // Stored bottom-up: row r from the top is stored row height - 1 - r.
    for (int r = 0; r < l.height; ++r) {
        const char* src = file.constData() + l.dataOffset + (l.height - 1 - r) * l.stride;
        std::copy(src, src + l.stride, out.rows.begin() + r * l.stride);
    }
    return BmpError::None;
}

BmpError ReadMonoBmpFile(const QString& path, MonoBitmap& out)
{
    out = MonoBitmap{};
    QByteArray bytes;
    const BmpError e = ReadWholeFile(path, bytes);
    return e != BmpError::None ? e : ReadMonoBmp(bytes, out);
}

BmpError DecodeBmp(const QByteArray& file, QImage& out)
{
    out = QImage();
    if (file.size() < kFileHeaderSize + kInfoHeaderSize || file[0] != 'B' || file[1] != 'M') return BmpError::NotBmp;
    QBuffer buffer;
    buffer.setData(file);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    reader.setAutoDetectImageFormat(false);
    // The size comes from the header alone: a picture too large for a caption is never decoded.
    const QSize told = reader.size();
    // A top-down picture tells its height as a negative number.
    const qint64 width = told.width(), height = std::abs(qint64(told.height()));
    if (width <= 0 || height <= 0) return BmpError::BadHeader;
    if (width > kMaxWidth || height > kMaxHeight) return BmpError::TooLarge;
    const QSize size{int(width), int(height)};
    // Qt's reader makes up the rows a cut file lacks; the system's loader refuses such a file.
    const uint32_t compression = U32(file, 30);
    if (U32(file, 14) >= kInfoHeaderSize && (compression == 0 || compression == 3 || compression == 6)) {
        const qint64 stride = (width * U16(file, 28) + 31) / 32 * 4;
        if (U32(file, 10) + stride * height > file.size()) return BmpError::DataOutsideFile;
    }
    QImage image;
    if (!reader.read(&image) || image.size() != size) return BmpError::BadHeader;
    out = image.convertToFormat(QImage::Format_RGB32);
    return BmpError::None;
}

BmpError DecodeBmpFile(const QString& path, QImage& out)
{
    out = QImage();
    QByteArray bytes;
    const BmpError e = ReadWholeFile(path, bytes);
    return e != BmpError::None ? e : DecodeBmp(bytes, out);
}

}  // namespace caption
