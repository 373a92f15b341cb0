#pragma once
// Caption pictures without any window: the caption text rendered white on black, text measuring,
// and BMP files read back: the 1-bit file that is sent with its headers checked here, a picked
// picture through Qt's BMP reader. Every file is untrusted: nothing is read outside it.

#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QSize>
#include <QString>

#include <cstdint>
#include <vector>

namespace caption {

inline constexpr int kMaxWidth = 3840;
inline constexpr int kMaxHeight = 128;

// Bytes of one 1-bit row in a BMP file: whole 32-bit words.
constexpr int RowStride(int width) { return ((width + 31) / 32) * 4; }

// Left edge of a centred text: (width - textWidth) / 2, truncated toward zero (may be negative).
constexpr int CentredTextX(int width, int textWidth) { return (width - textWidth) / 2; }

// The next multiple of 4 at or above v (v >= 0).
constexpr int RoundUpToFour(int v) { return (v + 3) / 4 * 4; }

// The font as the caption uses it: no antialiasing, so every pixel is plainly text or background.
QFont CaptionRenderFont(const QFont& font);

// The caption font at a classic font height. A positive height is the character cell, ascent plus
// descent, as the processor's captions are sized: the pixel (em) size becomes the largest whose
// cell fits that height. A negative height is the em size itself; 0 leaves the size alone.
QFont CaptionFontWithHeight(const QFont& font, int height);

// Extent of the text in the font; an italic font's width grows by the overhang of "f" (its left
// bearing minus its right bearing). An empty text measures (0, 0).
QSize MeasureCaptionText(const QString& text, const QFont& font);

// A width x height picture, black, with the text in white drawn from its top-left corner at x 0,
// or centred (CentredTextX) when alignCentre is set. Null for a size out of 1..kMax.
QImage RenderCaptionText(const QString& text, const QFont& font, int width, int height, bool alignCentre);

enum class BmpError {
    None,
    CannotOpen,        // missing or unreadable file, or no regular file (a device, a FIFO)
    NotBmp,            // no "BM", or shorter than the two headers
    BadHeader,         // unknown info header, planes, palette outside the file
    UnsupportedDepth,  // a depth this reader does not take (the sent file must be 1 bit)
    Compressed,        // anything but uncompressed rows
    BadSize,           // width or height 0 or negative (top-down files are refused too)
    TooLarge,          // wider than kMaxWidth or taller than kMaxHeight
    DataOutsideFile,   // pixel data starting or ending beyond the file
    OutsidePicture,    // a run-length move past the picture's right edge or last row
};
const char* BmpErrorName(BmpError e);

// The rows of a 1-bit file, top row first, each RowStride(width) bytes exactly as stored
// (padding bits included).
struct MonoBitmap {
    int width = 0;
    int height = 0;
    int stride = 0;
    std::vector<uint8_t> rows;
};

// The file that is sent: "BM", 1 bit per pixel, uncompressed, width 1..kMaxWidth, height
// 1..kMaxHeight, data inside the file.
BmpError ReadMonoBmp(const QByteArray& file, MonoBitmap& out);
BmpError ReadMonoBmpFile(const QString& path, MonoBitmap& out);

// A picked picture: any BMP the system's reader takes (info headers of 12, 40, 64, 108 or 124
// bytes, 1 to 32 bits per pixel, bit-field masks, run-length rows, rows bottom-up or top-down),
// decoded to its real colours (RGB32). A picture whose header declares more than kMaxWidth x
// kMaxHeight gives TooLarge without being decoded; one whose data ends before the picture does
// gives DataOutsideFile (every pixel comes from the file, or is palette colour 0 where run-length
// data moves past it); run-length pixels past the right edge are dropped, a move past it or the
// last row gives OutsidePicture; one that cannot be read gives NotBmp or BadHeader.
BmpError DecodeBmp(const QByteArray& file, QImage& out);
BmpError DecodeBmpFile(const QString& path, QImage& out);

}  // namespace caption
