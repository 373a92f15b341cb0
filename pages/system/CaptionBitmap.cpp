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
    case BmpError::OutsidePicture: return "data outside the picture";
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

namespace {

// A picked picture's header as the system's reader takes it.
struct PickedLayout {
    qint64 width = 0;
    qint64 height = 0;  // negative for rows stored top-down
    int bits = 0;
    uint32_t compression = 0;
    qsizetype paletteAt = 0;
    int colours = 0;  // palette entries (depths up to 8)
    qsizetype dataAt = 0;
};

// The old 12-byte header (16-bit unsigned sizes, 3-byte palette entries) and the 40-byte one with
// its extensions; the declared size is checked before anything else, however large it is.
BmpError ReadPickedLayout(const QByteArray& f, PickedLayout& l)
{
    if (f.size() < kFileHeaderSize + 4 || f[0] != 'B' || f[1] != 'M') return BmpError::NotBmp;
    const uint32_t infoSize = U32(f, 14);
    const bool core = infoSize == 12;
    if (!core && infoSize != 40 && infoSize != 64 && infoSize != 108 && infoSize != 124) return BmpError::BadHeader;
    if (f.size() < kFileHeaderSize + (core ? 12 : kInfoHeaderSize)) return BmpError::NotBmp;
    l.width = core ? U16(f, 18) : static_cast<int32_t>(U32(f, 18));
    l.height = core ? U16(f, 20) : static_cast<int32_t>(U32(f, 22));
    if (l.width > kMaxWidth || std::abs(l.height) > kMaxHeight) return BmpError::TooLarge;
    if (l.width <= 0 || l.height == 0 || U16(f, core ? 22 : 26) != 1) return BmpError::BadHeader;
    l.bits = U16(f, core ? 24 : 28);
    l.compression = core ? 0 : U32(f, 30);
    // Bit-field masks follow a 40-byte header; longer headers hold them.
    const bool masks = !core && infoSize < 108 && l.compression == 3 && (l.bits == 16 || l.bits == 32);
    l.paletteAt = kFileHeaderSize + infoSize + (masks ? 12 : 0);
    if (l.bits <= 8) {
        const uint32_t used = core ? 0 : U32(f, 46);
        if (used > 256) return BmpError::BadHeader;
        l.colours = used ? int(used) : 1 << l.bits;
    }
    const qsizetype paletteEnd = l.paletteAt + qsizetype(l.colours) * (core ? 3 : 4);
    if (paletteEnd >= f.size()) return BmpError::BadHeader;
    // Rows start at the offset the file header gives, never inside the palette.
    l.dataAt = std::max<qsizetype>(U32(f, 10), paletteEnd);
    return BmpError::None;
}

// Run-length rows (8 bits, or 4 bits two pixels a byte): pixels the data moves past or leaves
// out are colour 0, as in the system's freshly made picture; data that ends before its end mark
// (or before its last row has ended) is refused, and so is a move past the picture's right edge
// or its last row. Pixels of a run or a literal past the right edge are dropped: writers fill a
// row up to its stored padding (a 37-pixel row as runs of 40). The pen stays within 0..w and
// 0..h, so no step of it can overflow.
BmpError DecodeRle(const QByteArray& f, const PickedLayout& l, QImage& out)
{
    if (l.bits != (l.compression == 1 ? 8 : 4)) return BmpError::BadHeader;
    const int w = int(l.width), h = int(std::abs(l.height));
    QImage image(w, h, QImage::Format_Indexed8);
    if (image.isNull()) return BmpError::BadHeader;
    image.fill(0);
    QList<QRgb> palette;
    for (int i = 0; i < l.colours; ++i) {
        const auto* c = reinterpret_cast<const uchar*>(f.constData()) + l.paletteAt + 4 * i;
        palette.append(qRgb(c[2], c[1], c[0]));
    }
    image.setColorTable(palette);
    const auto* p = reinterpret_cast<const uchar*>(f.constData());
    const qsizetype end = f.size();
    qsizetype at = l.dataAt;
    int x = 0, y = 0;  // y counts stored rows, bottom row first unless top-down
    const auto put = [&](int index) { image.scanLine(l.height < 0 ? y : h - 1 - y)[x++] = uchar(index); };
    const auto nibble = [&](uchar byte, int i) { return l.bits == 8 ? byte : i % 2 ? byte & 0x0F : byte >> 4; };
    while (y < h) {
        if (end - at < 2) return BmpError::DataOutsideFile;
        const int count = p[at], code = p[at + 1];
        at += 2;
        if (count == 0 && code < 2) {
            if (code == 1) break;  // end of picture
            x = 0;                 // end of row
            ++y;
            continue;
        }
        // A run of count pixels, a move right and up (to a pixel of the picture or the row's end),
        // or code pixels as they are, padded to a 16-bit boundary: each within the file.
        const bool move = count == 0 && code == 2;
        const qsizetype bytes = count ? 0 : move ? 2 : l.bits == 8 ? code : (code + 1) / 2;
        if (end - at < bytes) return BmpError::DataOutsideFile;
        if (move) {
            const int right = p[at], up = p[at + 1];
            if (right > w - x || up >= h - y) return BmpError::OutsidePicture;
            x += right;
            y += up;
        } else {
            const int kept = std::min(count ? count : code, w - x);
            for (int i = 0; i < kept; ++i) put(nibble(count ? uchar(code) : p[at + (l.bits == 8 ? i : i / 2)], i));
        }
        at += bytes + (bytes & 1);
    }
    out = image.convertToFormat(QImage::Format_RGB32);
    return BmpError::None;
}

}  // namespace

BmpError DecodeBmp(const QByteArray& file, QImage& out)
{
    out = QImage();
    PickedLayout l;
    const BmpError e = ReadPickedLayout(file, l);
    if (e != BmpError::None) return e;
    if (l.compression == 1 || l.compression == 2) return DecodeRle(file, l, out);
    // Qt's reader makes up the rows a cut file lacks; the system's loader refuses such a file.
    if ((l.compression == 0 || l.compression == 3) &&
        l.dataAt + (l.width * l.bits + 31) / 32 * 4 * std::abs(l.height) > file.size())
        return BmpError::DataOutsideFile;
    QBuffer buffer;
    buffer.setData(file);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    reader.setAutoDetectImageFormat(false);
    QImage image;
    if (!reader.read(&image) || image.size() != QSize(int(l.width), int(std::abs(l.height)))) return BmpError::BadHeader;
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
