// Caption pictures: text rendered to 1 bit per pixel and written, the written file read back by
// our reader and by an independent tool (ffmpeg), picked pictures of every common form, and
// hostile files refused.

#include "device/PathUtils.h"
#include "pages/system/CaptionBitmap.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <array>
#include <bit>
#include <cstdint>
#include <string>
#include <sys/stat.h>
#include <functional>
#include <malloc.h>
#include <vector>

using namespace caption;

namespace {

// Memory handed out is filled, so that a pixel no file byte reached shows (as the sanitizer does).
const int kFillPattern = mallopt(M_PERTURB, 0xA5);

void App()
{
    static int argc = 1;
    static char name[] = "caption_bitmap_test";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) new QGuiApplication(argc, argv);
}

void Put(QByteArray& f, int at, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i) f[at + i] = static_cast<char>(v >> (8 * i));
}

// How a BMP is laid out beyond its size and depth: the info header's size, bit-field masks (red,
// green, blue; none: uncompressed) after a 40-byte header or inside a longer one, the row order.
struct BmpForm {
    int header = 40;
    std::array<uint32_t, 3> masks{};
    bool topDown = false;
};

// The channel c (0..255) scaled into the bits of the mask.
uint32_t InMask(int c, uint32_t mask)
{
    if (!mask) return 0;
    const int shift = std::countr_zero(mask);
    const uint32_t top = mask >> shift;
    return (uint32_t(c) * top + 127) / 255 << shift;
}

// A BMP file built here from the format alone: pixel(x, y) gives the stored value of a pixel
// (palette index, or 0xRRGGBB for 16/24/32 bits), y counted from the top.
QByteArray MakeBmp(int width, int height, int bits, const std::vector<QRgb>& palette,
                   const std::function<uint32_t(int, int)>& pixel, const BmpForm& form = {})
{
    const bool fields = form.masks[0] != 0;
    const int stride = ((width * bits + 31) / 32) * 4;
    const int paletteAt = 14 + form.header + (fields && form.header == 40 ? 12 : 0);
    const int offset = paletteAt + 4 * int(palette.size());
    QByteArray f(offset + stride * height, '\0');
    f[0] = 'B';
    f[1] = 'M';
    Put(f, 2, f.size(), 4);
    Put(f, 10, offset, 4);
    Put(f, 14, form.header, 4);
    Put(f, 18, width, 4);
    Put(f, 22, form.topDown ? uint32_t(-height) : uint32_t(height), 4);
    Put(f, 26, 1, 2);
    Put(f, 28, bits, 2);
    Put(f, 30, fields ? 3 : 0, 4);
    Put(f, 46, static_cast<uint32_t>(palette.size()), 4);
    for (int m = 0; m < 3 && fields; ++m) Put(f, 54 + 4 * m, form.masks[m], 4);
    for (std::size_t i = 0; i < palette.size(); ++i) {
        f[paletteAt + 4 * int(i)] = char(qBlue(palette[i]));
        f[paletteAt + 1 + 4 * int(i)] = char(qGreen(palette[i]));
        f[paletteAt + 2 + 4 * int(i)] = char(qRed(palette[i]));
    }
    for (int y = 0; y < height; ++y) {
        char* row = f.data() + offset + (form.topDown ? y : height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            uint32_t v = pixel(x, y);
            if (fields) v = InMask(qRed(v), form.masks[0]) | InMask(qGreen(v), form.masks[1]) | InMask(qBlue(v), form.masks[2]);
            else if (bits == 16) v = InMask(qRed(v), 0x7C00) | InMask(qGreen(v), 0x3E0) | InMask(qBlue(v), 0x1F);
            switch (bits) {
            case 1: case 4: case 8: {
                const int pos = x * bits;
                row[pos / 8] = char(uint8_t(row[pos / 8]) | (v << (8 - bits - pos % 8)));
                break;
            }
            case 16: Put(f, int(row - f.data()) + 2 * x, v, 2); break;
            case 24: Put(f, int(row - f.data()) + 3 * x, v, 3); break;
            case 32: Put(f, int(row - f.data()) + 4 * x, v, 4); break;
            }
        }
    }
    return f;
}

QByteArray MonoFile(int width, int height)
{
    return MakeBmp(width, height, 1, {qRgb(0, 0, 0), qRgb(255, 255, 255)},
                   [](int x, int y) { return uint32_t((x + y) % 3 == 0); });
}

bool PatternWhite(int x, int y) { return (x * 5 + y * 3) % 7 == 0 || x == y; }

}  // namespace

TEST(CaptionBitmap, TextPixelsAreOnesLeftmostInTheTopBit)
{
    App();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage img(100, 16, QImage::Format_RGB32);
    img.fill(Qt::black);
    img.setPixel(0, 0, qRgb(255, 255, 255));   // top row, leftmost pixel
    img.setPixel(9, 15, qRgb(255, 255, 255));  // bottom row, second byte, second bit
    const QString path = dir.filePath("PFile0.BMP");
    ASSERT_TRUE(SaveBitmapToFile(img, path));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_EQ(bytes.size(), 318);  // 62 + 16 rows of 16 bytes

    MonoBitmap m;
    ASSERT_EQ(ReadMonoBmp(bytes, m), BmpError::None);
    EXPECT_EQ(m.width, 100);
    EXPECT_EQ(m.height, 16);
    EXPECT_EQ(m.stride, 16);
    EXPECT_EQ(m.rows[0], 0x80);                // top row first
    EXPECT_EQ(m.rows[15 * 16 + 1], 0x40);
    int set = 0;
    for (uint8_t b : m.rows) set += __builtin_popcount(b);
    EXPECT_EQ(set, 2);
    // Stored bottom-up: the top row is the file's last row.
    EXPECT_EQ(uint8_t(bytes[62 + 15 * 16]), 0x80);
}

TEST(CaptionBitmap, RenderedTextIsWhiteOnBlackAndSurvivesTheFile)
{
    App();
    const QFont font = QFont(QStringLiteral("Liberation Sans"), -1);
    QFont big = font;
    big.setPixelSize(32);
    big.setBold(true);
    const QImage img = RenderCaptionText(QStringLiteral("Welcome"), big, 200, 40, false);
    ASSERT_FALSE(img.isNull());
    int white = 0, other = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            if (c == qRgb(255, 255, 255)) ++white;
            else if (c != qRgb(0, 0, 0)) ++other;
        }
    EXPECT_GT(white, 100);
    EXPECT_EQ(other, 0) << "no antialiasing: every pixel is text or background";
    // Drawn from x 0: the text starts near the left edge and leaves the right part black.
    bool leftInk = false, rightInk = false;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 12; ++x) leftInk |= img.pixel(x, y) == qRgb(255, 255, 255);
        for (int x = 180; x < 200; ++x) rightInk |= img.pixel(x, y) == qRgb(255, 255, 255);
    }
    EXPECT_TRUE(leftInk);
    EXPECT_FALSE(rightInk);

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(SaveBitmapToFile(img, dir.filePath("t.bmp")));
    MonoBitmap m;
    ASSERT_EQ(ReadMonoBmpFile(dir.filePath("t.bmp"), m), BmpError::None);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x)
            ASSERT_EQ(((m.rows[y * m.stride + x / 8] >> (7 - x % 8)) & 1) != 0, img.pixel(x, y) == qRgb(255, 255, 255))
                << x << "," << y;

    // Centred: the ink moves right by about half the free width.
    const QImage centred = RenderCaptionText(QStringLiteral("Welcome"), big, 600, 40, true);
    int firstInk = 600;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 600; ++x)
            if (centred.pixel(x, y) == qRgb(255, 255, 255)) firstInk = std::min(firstInk, x);
    const int expected = CentredTextX(600, MeasureCaptionText(QStringLiteral("Welcome"), big).width());
    EXPECT_NEAR(firstInk, expected, 6);
}

TEST(CaptionBitmap, MeasuringRules)
{
    App();
    EXPECT_EQ(RoundUpToFour(301), 304);
    EXPECT_EQ(RoundUpToFour(304), 304);
    EXPECT_EQ(RoundUpToFour(0), 0);
    EXPECT_EQ(CentredTextX(600, 301), 149);
    EXPECT_EQ(CentredTextX(10, 15), -2) << "truncated toward zero";
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(32);
    EXPECT_EQ(MeasureCaptionText(QString(), f), QSize(0, 0));
    const QSize upright = MeasureCaptionText(QStringLiteral("Welcome"), f);
    EXPECT_GT(upright.width(), 50);
    EXPECT_GE(upright.height(), 32);
    QFont italic = f;
    italic.setItalic(true);
    const QFontMetrics m(CaptionRenderFont(italic));
    EXPECT_EQ(MeasureCaptionText(QStringLiteral("Welcome"), italic).width(),
              m.horizontalAdvance(QStringLiteral("Welcome")) + m.leftBearing('f') - m.rightBearing('f'));
}

TEST(CaptionBitmap, AnIndependentToolReadsWhatWeWrite)
{
    const QString ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    ASSERT_FALSE(ffmpeg.isEmpty()) << "this test needs the ffmpeg tool (Debian package ffmpeg)";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const int w = 45, h = 9;
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.setPixel(x, y, PatternWhite(x, y) ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    const QString path = dir.filePath("PFile.BMP");
    ASSERT_TRUE(SaveBitmapToFile(img, path));

    QProcess p;
    p.start(ffmpeg, {"-v", "error", "-i", path, "-f", "rawvideo", "-pix_fmt", "gray", "-"});
    ASSERT_TRUE(p.waitForFinished(20000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    const QByteArray gray = p.readAllStandardOutput();
    ASSERT_EQ(gray.size(), w * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            EXPECT_EQ(uint8_t(gray[y * w + x]), PatternWhite(x, y) ? 255 : 0) << x << "," << y;
}

TEST(CaptionBitmap, BadFilesAreRefused)
{
    struct Case {
        const char* what;
        std::function<void(QByteArray&)> spoil;
        BmpError expected;
    };
    const Case cases[] = {
        {"24 bits per pixel", [](QByteArray& f) { f = MakeBmp(8, 8, 24, {}, [](int, int) { return 0u; }); },
         BmpError::UnsupportedDepth},
        {"too wide", [](QByteArray& f) { Put(f, 18, 3841, 4); }, BmpError::TooLarge},
        {"too tall", [](QByteArray& f) { Put(f, 22, 129, 4); }, BmpError::TooLarge},
        {"negative height", [](QByteArray& f) { Put(f, 22, uint32_t(-8), 4); }, BmpError::BadSize},
        {"zero width", [](QByteArray& f) { Put(f, 18, 0, 4); }, BmpError::BadSize},
        {"truncated data", [](QByteArray& f) { f.chop(3); }, BmpError::DataOutsideFile},
        {"offset past the end", [](QByteArray& f) { Put(f, 10, 100000, 4); }, BmpError::DataOutsideFile},
        {"offset inside the headers", [](QByteArray& f) { Put(f, 10, 20, 4); }, BmpError::DataOutsideFile},
        {"huge offset", [](QByteArray& f) { Put(f, 10, 0xFFFFFFF0u, 4); }, BmpError::DataOutsideFile},
        {"huge width", [](QByteArray& f) { Put(f, 18, 0x7FFFFFFF, 4); }, BmpError::TooLarge},
        {"no BM", [](QByteArray& f) { f[0] = 'X'; }, BmpError::NotBmp},
        {"header only", [](QByteArray& f) { f.truncate(30); }, BmpError::NotBmp},
        {"RLE compressed", [](QByteArray& f) { Put(f, 30, 1, 4); }, BmpError::Compressed},
        {"bit fields", [](QByteArray& f) { Put(f, 30, 3, 4); }, BmpError::Compressed},
        {"core header", [](QByteArray& f) { Put(f, 14, 12, 4); }, BmpError::BadHeader},
        {"info header past the end", [](QByteArray& f) { Put(f, 14, 5000, 4); }, BmpError::BadHeader},
        {"two planes", [](QByteArray& f) { Put(f, 26, 2, 2); }, BmpError::BadHeader},
        {"depth 2", [](QByteArray& f) { Put(f, 28, 2, 2); }, BmpError::UnsupportedDepth},
    };
    for (const auto& c : cases) {
        QByteArray f = MonoFile(37, 10);
        MonoBitmap good;
        ASSERT_EQ(ReadMonoBmp(f, good), BmpError::None);
        c.spoil(f);
        MonoBitmap m;
        EXPECT_EQ(ReadMonoBmp(f, m), c.expected) << c.what;
        EXPECT_TRUE(m.rows.empty()) << c.what;
    }
    // Files that cannot be read, and what is no regular file (a device that never ends, a FIFO
    // without a writer that would block the open), are refused unread.
    QTemporaryDir dir;
    const QString zero = dir.filePath("zero.bmp"), fifo = dir.filePath("fifo.bmp");
    ASSERT_TRUE(QFile::link("/dev/zero", zero));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& path : {QStringLiteral("/no/such/file.bmp"), QString(), zero, fifo}) {
        MonoBitmap m;
        EXPECT_EQ(ReadMonoBmpFile(path, m), BmpError::CannotOpen) << path.toStdString();
        QImage img;
        EXPECT_EQ(DecodeBmpFile(path, img), BmpError::CannotOpen) << path.toStdString();
    }
}

TEST(CaptionBitmap, PickedPicturesOfEveryCommonFormDecode)
{
    const int w = 13, h = 6;
    auto colour = [](int x, int y) { return PatternWhite(x, y) ? qRgb(250, 240, 230) : qRgb(10, 40, 90); };
    const std::vector<QRgb> pal2{qRgb(10, 40, 90), qRgb(250, 240, 230)};
    std::vector<QRgb> pal16(16, qRgb(1, 2, 3));
    pal16[3] = qRgb(10, 40, 90);
    pal16[12] = qRgb(250, 240, 230);
    std::vector<QRgb> pal256(256, qRgb(1, 2, 3));
    pal256[77] = qRgb(10, 40, 90);
    pal256[200] = qRgb(250, 240, 230);
    auto rgb = [&](int x, int y) { return uint32_t(colour(x, y) & 0xFFFFFF); };
    const std::array<uint32_t, 3> m565{0xF800, 0x07E0, 0x001F}, m555{0x7C00, 0x03E0, 0x001F};
    const std::array<uint32_t, 3> mRgbx{0xFF0000, 0xFF00, 0xFF}, mXbgr{0xFF, 0xFF00, 0xFF0000};
    struct Case {
        int bits;
        BmpForm form;
        int tolerance;
    };
    const Case cases[] = {
        {1, {}, 0},           {4, {}, 0},           {8, {}, 0},           {16, {}, 16},
        {24, {}, 0},          {32, {}, 0},          {1, {40, {}, true}, 0}, {8, {124, {}, true}, 0},
        {24, {108, {}, true}, 0}, {16, {40, m565}, 16}, {16, {108, m555, true}, 16}, {16, {124, m565}, 16},
        {32, {40, mXbgr}, 0}, {32, {108, mRgbx}, 0}, {32, {124, mRgbx}, 0}, {32, {124, mXbgr, true}, 0},
    };
    for (const auto& c : cases) {
        const QByteArray file = c.bits == 1   ? MakeBmp(w, h, 1, pal2, [](int x, int y) { return uint32_t(PatternWhite(x, y)); }, c.form)
                                : c.bits == 4 ? MakeBmp(w, h, 4, pal16, [](int x, int y) { return PatternWhite(x, y) ? 12u : 3u; }, c.form)
                                : c.bits == 8 ? MakeBmp(w, h, 8, pal256, [](int x, int y) { return PatternWhite(x, y) ? 200u : 77u; }, c.form)
                                              : MakeBmp(w, h, c.bits, {}, rgb, c.form);
        const std::string what = std::to_string(c.bits) + " bits, header " + std::to_string(c.form.header) +
                                 (c.form.masks[0] ? ", masks" : "") + (c.form.topDown ? ", top-down" : "");
        QImage img;
        ASSERT_EQ(DecodeBmp(file, img), BmpError::None) << what;
        ASSERT_EQ(img.size(), QSize(w, h)) << what;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const QRgb got = img.pixel(x, y), want = colour(x, y);
                EXPECT_NEAR(qRed(got), qRed(want), c.tolerance) << what << " " << x << "," << y;
                EXPECT_NEAR(qGreen(got), qGreen(want), c.tolerance) << what << " " << x << "," << y;
                EXPECT_NEAR(qBlue(got), qBlue(want), c.tolerance) << what << " " << x << "," << y;
            }
    }
    // A picture larger than a caption is refused from its header, before any pixel is decoded: a
    // file holding only the headers says so as well.
    QImage img;
    EXPECT_EQ(DecodeBmp(MakeBmp(3841, 2, 1, pal2, [](int, int) { return 0u; }), img), BmpError::TooLarge);
    EXPECT_EQ(DecodeBmp(MakeBmp(20, 129, 24, {}, [](int, int) { return 0u; }).left(54), img), BmpError::TooLarge);
    EXPECT_TRUE(img.isNull());
    // A palette index beyond a short palette reads as black, never past the palette.
    const QByteArray shortPal = MakeBmp(4, 1, 8, {qRgb(255, 255, 255)}, [](int x, int) { return uint32_t(x * 60); });
    ASSERT_EQ(DecodeBmp(shortPal, img), BmpError::None);
    EXPECT_EQ(img.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(img.pixel(3, 0), qRgb(0, 0, 0));
}

// Run-length pictures are decoded into a cleared picture, pixels past the right edge dropped; data
// that ends before the picture, or moves past its edges, is refused, with any header, and so is a
// huge declared size.
TEST(CaptionBitmap, PickedPicturesHoldOnlyWhatTheirFileHolds)
{
    const QRgb red = qRgb(200, 0, 0), green = qRgb(0, 200, 0), blue = qRgb(0, 0, 200);
    // A w x h picture of the run-length data and its end mark (none when cut).
    const auto rleOf = [&](int w, int h, int bits, const QByteArray& data, bool cut = false) {
        QByteArray f = MakeBmp(w, 0, bits, {red, green, blue}, nullptr) + data;
        if (!cut) f += QByteArray("\0\1", 2);
        Put(f, 22, h, 4);
        Put(f, 30, bits == 8 ? 1 : 2, 4);
        return f;
    };
    const auto rle = [&](int w, int h, int bits, const auto& data, bool cut = false) {
        return rleOf(w, h, bits, QByteArray(data, sizeof data - 1), cut);
    };
    const auto with = [](QByteArray f, int at, uint32_t v) { Put(f, at, v, 4); return f; };
    const QByteArray info = MakeBmp(40, 20, 24, {}, [](int, int) { return 0u; });
    // The old 12-byte header (16-bit sizes) in place of the 40-byte one.
    const QByteArray core = with(with(info.left(20) + info.mid(22, 2) + info.mid(26, 4) + info.mid(54), 10, 26), 14, 12);
    struct Case {
        std::string what;
        QByteArray file;
        BmpError expected;
        std::vector<std::pair<QPoint, QRgb>> pixels = {};
        QByteArray same = {};  // an uncompressed file of the same picture
    };
    std::vector<Case> cases = {
        {"RLE8, five pixels", rle(3840, 128, 8, "\x05\x01"), BmpError::None, {{{4, 127}, green}, {{5, 127}, red}, {{0, 0}, red}}},
        {"RLE4, five pixels", rle(3840, 128, 4, "\x05\x12"), BmpError::None,
         {{{0, 127}, green}, {{1, 127}, blue}, {{5, 127}, red}, {{0, 0}, red}}},
        {"RLE8 without its end", rle(3840, 128, 8, "\x05\x01", true), BmpError::DataOutsideFile},
        // Two pixels, a move 3 right and 1 up, three pixels, end of row, three pixels as they are.
        {"RLE8, moved and rows ended early", rle(40, 10, 8, "\x02\x01\x00\x02\x03\x01\x03\x01\x00\x00\x00\x03\x01\x00\x01\x00"),
         BmpError::None,
         {{{1, 9}, green}, {{2, 9}, red}, {{5, 8}, green}, {{8, 8}, red}, {{0, 7}, green}, {{1, 7}, red}, {{2, 7}, green}}},
        // 4 x 2: a run to the right edge and a move to it are in the picture; a move one pixel or row further is not.
        {"RLE8 to the right edge", rle(4, 2, 8, "\x04\x01\x00\x00\x02\x01\x00\x02\x02\x00"), BmpError::None,
         {{{3, 1}, green}, {{1, 0}, green}, {{2, 0}, red}}},
        {"RLE8, a run past the right edge", rle(4, 2, 8, "\x02\x01\x03\x01"), BmpError::None, {{{3, 1}, green}, {{0, 0}, red}}},
        {"RLE8, moves past the right edge", rle(4, 2, 8, "\x00\x02\xFF\x00\x01\x01"), BmpError::OutsidePicture},
        {"RLE8, a move past the top", rle(4, 2, 8, "\x00\x02\x00\x02\x01\x01"), BmpError::OutsidePicture},
        // One pixel and five as they are (the last two dropped), end of row, three as they are.
        {"RLE4, pixels as they are past the right edge", rle(4, 2, 4, "\x01\x11\x00\x05\x12\x21\x20\x00\x00\x00\x00\x03\x21\x00"),
         BmpError::None, {{{0, 1}, green}, {{2, 1}, blue}, {{3, 1}, blue}, {{0, 0}, blue}, {{1, 0}, green}, {{2, 0}, red}, {{3, 0}, red}}},
        {"RLE4, a move past the top", rle(4, 2, 4, "\x00\x02\x01\x01\x00\x02\x00\x01"), BmpError::OutsidePicture},
        {"core header, rows cut", core.chopped(600), BmpError::DataOutsideFile},
        {"declares 65535 x 65535", with(with(info, 18, 65535), 22, 65535), BmpError::TooLarge},
        {"declares a height of -2^31", with(info, 22, 0x80000000u), BmpError::TooLarge},
    };
    // Runs over the whole stored row, its padding (colour 0) included, as ImageMagick writes them,
    // or rows ended at the width.
    const auto index = [](int x, int y) { return y == 1 ? 0u : (x + y) % 3 == 0 ? 1u + x % 2 : 0u; };
    for (int w : {5, 37, 301})
        for (int bits : {8, 4})
            for (bool padded : {true, false}) {
                const int stored = padded ? (w * bits + 31) / 32 * 32 / bits : w;
                const auto at = [&](int x, int y) { return x < w ? index(x, y) : 0u; };
                QByteArray data;
                for (int y = 2; y >= 0; --y, data += QByteArray("\0\0", 2))
                    for (int x = 0, n = 1; x < stored; x += n, n = 1) {
                        while (n < 255 && x + n < stored && at(x + n, y) == at(x, y)) ++n;
                        data += char(n);
                        data += char(at(x, y) * (bits == 8 ? 1 : 17));
                    }
                cases.push_back({"RLE" + std::to_string(bits) + ", width " + std::to_string(w) + (padded ? ", padded" : ""),
                                 rleOf(w, 3, bits, data), BmpError::None, {}, MakeBmp(w, 3, bits, {red, green, blue}, index)});
            }
    for (const Case& c : cases) {
        QImage img, same;
        EXPECT_STREQ(BmpErrorName(DecodeBmp(c.file, img)), BmpErrorName(c.expected)) << c.what;
        for (const auto& [at, colour] : c.pixels)
            EXPECT_EQ(img.pixel(at), colour) << c.what << " at " << at.x() << "," << at.y();
        if (c.same.isEmpty()) continue;
        ASSERT_EQ(DecodeBmp(c.same, same), BmpError::None) << c.what;
        EXPECT_TRUE(img == same) << c.what;
    }
}
