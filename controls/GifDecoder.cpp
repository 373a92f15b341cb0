#include "controls/GifDecoder.h"

#include <algorithm>
#include <array>

namespace {

class Reader {
public:
    Reader(const std::uint8_t* d, std::size_t n) : d_(d), n_(n) {}
    bool Has(std::size_t off, std::size_t len) const { return off <= n_ && len <= n_ - off; }
    std::uint8_t U8(std::size_t off) const { return d_[off]; }
    int U16(std::size_t off) const { return d_[off] | (d_[off + 1] << 8); }
    std::size_t Size() const { return n_; }
    const std::uint8_t* Data() const { return d_; }

    // Skips a chain of sub-blocks starting at off; returns the offset after the 0 terminator.
    std::optional<std::size_t> SkipSubBlocks(std::size_t off) const
    {
        while (true) {
            if (!Has(off, 1))
                return std::nullopt;
            const std::size_t len = d_[off];
            ++off;
            if (len == 0)
                return off;
            if (!Has(off, len))
                return std::nullopt;
            off += len;
        }
    }

private:
    const std::uint8_t* d_;
    std::size_t n_;
};

std::size_t TableBytes(std::uint8_t packed) { return 3u * (std::size_t{1} << ((packed & 7) + 1)); }

std::uint32_t TableColor(const Reader& r, std::size_t tableOffset, std::size_t index)
{
    const std::size_t off = tableOffset + index * 3;
    return 0xFF000000u | (std::uint32_t(r.U8(off)) << 16) | (std::uint32_t(r.U8(off + 1)) << 8) | r.U8(off + 2);
}

// One graphic block at off; nullopt when the walk ends (trailer, unknown byte, cut short).
std::optional<GifBlockInfo> NextGraphicBlock(const Reader& r, std::size_t& off)
{
    GifBlockInfo b;
    b.start = off;
    while (true) {
        if (!r.Has(off, 1))
            return std::nullopt;
        const std::uint8_t kind = r.U8(off);
        if (kind == 0x2C) {
            if (!r.Has(off, 10))
                return std::nullopt;
            const std::uint8_t packed = r.U8(off + 9);
            std::size_t p = off + 10;
            if (packed & 0x80) {
                const std::size_t t = TableBytes(packed);
                if (!r.Has(p, t))
                    return std::nullopt;
                p += t;
            }
            if (!r.Has(p, 1))  // LZW minimum code size
                return std::nullopt;
            const auto after = r.SkipSubBlocks(p + 1);
            if (!after)
                return std::nullopt;
            b.hasImage = true;
            b.imageOffset = off;
            b.x = r.U16(off + 1);
            b.y = r.U16(off + 3);
            b.width = r.U16(off + 5);
            b.height = r.U16(off + 7);
            b.end = *after;
            off = *after;
            return b;
        }
        if (kind != 0x21 || !r.Has(off, 2))
            return std::nullopt;  // trailer, unknown byte or cut short
        const std::uint8_t label = r.U8(off + 1);
        if (label == 0xF9) {
            if (!r.Has(off, 8))
                return std::nullopt;
            const std::uint8_t packed = r.U8(off + 3);
            b.disposal = (packed >> 2) & 7;
            b.delay = r.U16(off + 4);
            b.transparentIndex = (packed & 1) ? r.U8(off + 6) : -1;
            off += 8;
        } else if (label == 0xFE) {
            const auto after = r.SkipSubBlocks(off + 2);
            if (!after)
                return std::nullopt;
            off = *after;
        } else if (label == 0xFF) {
            if (!r.Has(off, 14))
                return std::nullopt;
            const auto after = r.SkipSubBlocks(off + 14);
            if (!after)
                return std::nullopt;
            off = *after;
        } else if (label == 0x01) {
            if (!r.Has(off, 15))
                return std::nullopt;
            const auto after = r.SkipSubBlocks(off + 15);
            if (!after)
                return std::nullopt;
            b.hasImage = false;
            b.end = *after;
            off = *after;
            return b;
        } else {
            return std::nullopt;
        }
    }
}

// LZW decoder writing palette indices through a callback for each produced pixel.
class LzwDecoder {
public:
    // Returns the number of pixels produced (at most maxPixels).
    template <class Emit>
    static long long Decode(const std::vector<std::uint8_t>& data, int minCodeSize, long long maxPixels, Emit emit)
    {
        if (minCodeSize < 2 || minCodeSize > 8 || maxPixels <= 0)
            return 0;
        const int clear = 1 << minCodeSize;
        const int eoi = clear + 1;
        std::array<std::uint16_t, 4096> prefix{};
        std::array<std::uint8_t, 4096> suffix{};
        std::array<std::uint8_t, 4097> stack{};
        for (int i = 0; i < clear; ++i)
            suffix[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
        int size = minCodeSize + 1;
        int avail = eoi + 1;
        int old = -1;
        std::uint8_t first = 0;
        std::uint32_t acc = 0;
        int bits = 0;
        std::size_t pos = 0;
        long long produced = 0;
        while (produced < maxPixels) {
            while (bits < size) {
                if (pos >= data.size())
                    return produced;
                acc |= std::uint32_t(data[pos++]) << bits;
                bits += 8;
            }
            const int code = static_cast<int>(acc & ((1u << size) - 1));
            acc >>= size;
            bits -= size;
            if (code == clear) {
                size = minCodeSize + 1;
                avail = eoi + 1;
                old = -1;
                continue;
            }
            if (code == eoi)
                return produced;
            if (old < 0) {
                if (code >= clear)
                    return produced;  // corrupt: first code must be a root
                first = static_cast<std::uint8_t>(code);
                emit(first);
                ++produced;
                old = code;
                continue;
            }
            int in = code;
            std::size_t sp = 0;
            if (code > avail)
                return produced;  // corrupt: code not yet defined
            int c = code;
            if (code == avail) {
                stack[sp++] = first;
                c = old;
            }
            while (c >= clear) {
                if (sp >= 4096)
                    return produced;
                stack[sp++] = suffix[static_cast<std::size_t>(c)];
                c = prefix[static_cast<std::size_t>(c)];
            }
            first = suffix[static_cast<std::size_t>(c)];
            stack[sp++] = first;
            if (avail < 4096) {
                prefix[static_cast<std::size_t>(avail)] = static_cast<std::uint16_t>(old);
                suffix[static_cast<std::size_t>(avail)] = first;
                ++avail;
                if (avail == (1 << size) && size < 12)
                    ++size;
            }
            old = in;
            while (sp > 0 && produced < maxPixels) {
                emit(stack[--sp]);
                ++produced;
            }
        }
        return produced;
    }
};

std::optional<GifFrame> DecodeFrame(const Reader& r, const GifWalk& walk, const GifBlockInfo& b)
{
    if (!b.hasImage || b.width <= 0 || b.height <= 0)
        return std::nullopt;
    if (static_cast<long long>(b.width) * b.height > kGifMaxFrameArea)
        return std::nullopt;
    const std::size_t off = b.imageOffset;
    const std::uint8_t packed = r.U8(off + 9);
    const bool interlaced = (packed & 0x40) != 0;
    std::size_t p = off + 10;
    std::size_t tableOffset = 0;
    std::size_t tableEntries = 0;
    if (packed & 0x80) {
        tableOffset = p;
        tableEntries = std::size_t{1} << ((packed & 7) + 1);
        p += TableBytes(packed);
    } else if (walk.hasGlobalTable) {
        tableOffset = 13;
        tableEntries = walk.globalTableSize / 3;
    } else {
        return std::nullopt;  // no colours to show
    }
    const int minCodeSize = r.U8(p);
    ++p;
    // Gather the sub-blocks (the walk has checked that they lie inside the data).
    std::vector<std::uint8_t> lzw;
    while (p < b.end) {
        const std::size_t len = r.U8(p);
        ++p;
        if (len == 0 || !r.Has(p, len))
            break;
        lzw.insert(lzw.end(), r.Data() + p, r.Data() + p + len);
        p += len;
    }

    // Clip the image to the logical screen.
    const int x0 = std::max(b.x, 0), y0 = std::max(b.y, 0);
    const int x1 = std::min(b.x + b.width, walk.width), y1 = std::min(b.y + b.height, walk.height);
    if (x1 <= x0 || y1 <= y0)
        return std::nullopt;
    GifFrame f;
    f.x = x0;
    f.y = y0;
    f.width = x1 - x0;
    f.height = y1 - y0;
    f.delay = b.delay;
    f.disposal = b.disposal;
    f.pixels.assign(static_cast<std::size_t>(f.width) * static_cast<std::size_t>(f.height), 0u);

    // Pixel n of the stream lands on row rows[n / width] of the descriptor.
    std::vector<int> rows;
    rows.reserve(static_cast<std::size_t>(b.height));
    if (interlaced) {
        static const int kStart[4] = {0, 4, 2, 1};
        static const int kStep[4] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
            for (int y = kStart[pass]; y < b.height; y += kStep[pass])
                rows.push_back(y);
    } else {
        for (int y = 0; y < b.height; ++y)
            rows.push_back(y);
    }
    long long n = 0;
    const long long total = static_cast<long long>(b.width) * b.height;
    LzwDecoder::Decode(lzw, minCodeSize, total, [&](std::uint8_t index) {
        const int row = rows[static_cast<std::size_t>(n / b.width)];
        const int col = static_cast<int>(n % b.width);
        ++n;
        const int sx = b.x + col, sy = b.y + row;
        if (sx < x0 || sx >= x1 || sy < y0 || sy >= y1)
            return;
        if (static_cast<int>(index) == b.transparentIndex || index >= tableEntries)
            return;  // transparent (or outside the table): the canvas shows through
        f.pixels[static_cast<std::size_t>(sy - y0) * f.width + (sx - x0)] = TableColor(r, tableOffset, index);
    });
    return f;
}

} // namespace

GifWalk WalkGif(const std::uint8_t* data, std::size_t size)
{
    GifWalk w;
    if (!data || size < 3 || data[0] != 'G' || data[1] != 'I' || data[2] != 'F')
        return w;
    w.isGif = true;
    const Reader r(data, size);
    if (!r.Has(0, 13))
        return w;
    w.width = r.U16(6);
    w.height = r.U16(8);
    const std::uint8_t packed = r.U8(10);
    w.backgroundIndex = r.U8(11);
    if (packed & 0x80) {
        w.hasGlobalTable = true;
        w.globalTableSize = TableBytes(packed);
        if (!r.Has(13, w.globalTableSize))
            return w;
        if (static_cast<std::size_t>(w.backgroundIndex) * 3 < w.globalTableSize)
            w.background = TableColor(r, 13, static_cast<std::size_t>(w.backgroundIndex));
    }
    w.firstBlock = 13 + w.globalTableSize;
    std::size_t off = w.firstBlock;
    while (auto b = NextGraphicBlock(r, off))
        w.blocks.push_back(*b);
    return w;
}

std::optional<GifImage> DecodeGif(const std::uint8_t* data, std::size_t size)
{
    const GifWalk walk = WalkGif(data, size);
    if (!walk.isGif || walk.width <= 0 || walk.height <= 0)
        return std::nullopt;
    if (walk.width > kGifMaxSide || walk.height > kGifMaxSide ||
        static_cast<long long>(walk.width) * walk.height > kGifMaxArea)
        return std::nullopt;
    const Reader r(data, size);
    GifImage img;
    img.width = walk.width;
    img.height = walk.height;
    img.background = walk.background;
    img.graphicBlocks = static_cast<int>(walk.blocks.size());
    long long budget = kGifMaxTotalPixels;
    for (const GifBlockInfo& b : walk.blocks) {
        if (!b.hasImage)
            continue;
        const long long area = static_cast<long long>(b.width) * b.height;
        if (area > budget)
            break;
        budget -= area;
        if (auto f = DecodeFrame(r, walk, b))
            img.frames.push_back(std::move(*f));
    }
    if (img.frames.empty())
        return std::nullopt;
    return img;
}

int GifDelayMs(int hundredths) { return hundredths < 5 ? 100 : hundredths * 10; }
