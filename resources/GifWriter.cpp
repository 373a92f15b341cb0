#include "resources/GifWriter.h"

#include <algorithm>
#include <unordered_map>

namespace {

using Bytes = std::vector<std::uint8_t>;

void PutU16(Bytes& out, int v)
{
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

// Bits of the colour-table size field: the table holds 2^(bits + 1) entries.
int TableBits(std::size_t entries)
{
    int bits = 0;
    while ((std::size_t{2} << bits) < entries && bits < 7)
        ++bits;
    return bits;
}

void PutPalette(Bytes& out, const std::vector<std::uint32_t>& palette, int bits)
{
    const std::size_t n = std::size_t{2} << bits;
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint32_t c = i < palette.size() ? palette[i] : 0;
        out.push_back(static_cast<std::uint8_t>((c >> 16) & 0xFF));
        out.push_back(static_cast<std::uint8_t>((c >> 8) & 0xFF));
        out.push_back(static_cast<std::uint8_t>(c & 0xFF));
    }
}

void PutSubBlocks(Bytes& out, const Bytes& data)
{
    std::size_t pos = 0;
    while (pos < data.size()) {
        const std::size_t n = std::min<std::size_t>(255, data.size() - pos);
        out.push_back(static_cast<std::uint8_t>(n));
        out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(pos),
                   data.begin() + static_cast<std::ptrdiff_t>(pos + n));
        pos += n;
    }
    out.push_back(0);
}

class BitWriter {
public:
    explicit BitWriter(Bytes& out) : out_(out) {}
    void Put(int code, int size)
    {
        acc_ |= static_cast<std::uint32_t>(code) << bits_;
        bits_ += size;
        while (bits_ >= 8) {
            out_.push_back(static_cast<std::uint8_t>(acc_ & 0xFF));
            acc_ >>= 8;
            bits_ -= 8;
        }
    }
    void Flush()
    {
        if (bits_ > 0)
            out_.push_back(static_cast<std::uint8_t>(acc_ & 0xFF));
        acc_ = 0;
        bits_ = 0;
    }

private:
    Bytes& out_;
    std::uint32_t acc_ = 0;
    int bits_ = 0;
};

// Rows in the order an interlaced image stores them.
std::vector<int> InterlacedRows(int height)
{
    std::vector<int> rows;
    rows.reserve(static_cast<std::size_t>(std::max(height, 0)));
    static const int kStart[4] = {0, 4, 2, 1};
    static const int kStep[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int r = kStart[pass]; r < height; r += kStep[pass])
            rows.push_back(r);
    return rows;
}

} // namespace

std::vector<std::uint8_t> LzwEncode(const std::vector<std::uint8_t>& indices, int minCodeSize)
{
    minCodeSize = std::clamp(minCodeSize, 2, 8);
    Bytes out;
    BitWriter bw(out);
    const int clear = 1 << minCodeSize;
    const int eoi = clear + 1;
    int next = eoi + 1;
    int size = minCodeSize + 1;
    std::unordered_map<std::uint32_t, int> dict;
    const int maxIndex = clear - 1;

    bw.Put(clear, size);
    if (indices.empty()) {
        bw.Put(eoi, size);
        bw.Flush();
        return out;
    }
    int prefix = std::min<int>(indices[0], maxIndex);
    for (std::size_t i = 1; i < indices.size(); ++i) {
        const int k = std::min<int>(indices[i], maxIndex);
        const std::uint32_t key = (static_cast<std::uint32_t>(prefix) << 8) | static_cast<std::uint32_t>(k);
        const auto it = dict.find(key);
        if (it != dict.end()) {
            prefix = it->second;
            continue;
        }
        bw.Put(prefix, size);
        dict.emplace(key, next++);
        if (next > (1 << size) && size < 12)
            ++size;
        if (next >= 4096) {
            // Table full: start over, as the decoder will on the clear code.
            bw.Put(clear, size);
            dict.clear();
            next = eoi + 1;
            size = minCodeSize + 1;
        }
        prefix = k;
    }
    bw.Put(prefix, size);
    // The decoder adds one more entry on reading that code; follow its code size.
    if (next < 4096) {
        ++next;
        if (next > (1 << size) && size < 12)
            ++size;
    }
    bw.Put(eoi, size);
    bw.Flush();
    return out;
}

std::vector<std::uint8_t> EncodeGif(const GifWriterImage& image)
{
    Bytes out;
    const char* sig = "GIF89a";
    out.insert(out.end(), sig, sig + 6);
    PutU16(out, image.width);
    PutU16(out, image.height);
    const bool hasGlobal = !image.globalPalette.empty();
    const int globalBits = hasGlobal ? TableBits(image.globalPalette.size()) : 0;
    out.push_back(static_cast<std::uint8_t>((hasGlobal ? 0x80 : 0) | 0x70 | globalBits));
    out.push_back(static_cast<std::uint8_t>(image.backgroundIndex & 0xFF));
    out.push_back(0);  // pixel aspect ratio: not given
    if (hasGlobal)
        PutPalette(out, image.globalPalette, globalBits);

    if (image.loopCount >= 0) {
        const char* app = "NETSCAPE2.0";
        out.push_back(0x21);
        out.push_back(0xFF);
        out.push_back(11);
        out.insert(out.end(), app, app + 11);
        out.push_back(3);
        out.push_back(1);
        PutU16(out, image.loopCount);
        out.push_back(0);
    }
    if (image.comment) {
        const char* text = "drawn by code";
        out.push_back(0x21);
        out.push_back(0xFE);
        PutSubBlocks(out, Bytes(text, text + 13));
    }

    for (const GifWriterFrame& f : image.frames) {
        if (f.controlExtension) {
            out.push_back(0x21);
            out.push_back(0xF9);
            out.push_back(4);
            const bool transparent = f.transparentIndex >= 0;
            out.push_back(static_cast<std::uint8_t>(((f.disposal & 7) << 2) | (transparent ? 1 : 0)));
            PutU16(out, f.delay);
            out.push_back(static_cast<std::uint8_t>(transparent ? f.transparentIndex : 0));
            out.push_back(0);
        }
        out.push_back(0x2C);
        PutU16(out, f.x);
        PutU16(out, f.y);
        PutU16(out, f.width);
        PutU16(out, f.height);
        const bool hasLocal = !f.localPalette.empty();
        const int localBits = hasLocal ? TableBits(f.localPalette.size()) : 0;
        out.push_back(static_cast<std::uint8_t>((hasLocal ? 0x80 : 0) | (f.interlaced ? 0x40 : 0) | localBits));
        if (hasLocal)
            PutPalette(out, f.localPalette, localBits);
        const int bits = hasLocal ? localBits : globalBits;
        const int minCodeSize = std::max(2, bits + 1);
        out.push_back(static_cast<std::uint8_t>(minCodeSize));

        const std::size_t count = static_cast<std::size_t>(std::max(f.width, 0)) * static_cast<std::size_t>(std::max(f.height, 0));
        Bytes pixels(count, 0);
        std::copy_n(f.indices.begin(), std::min(count, f.indices.size()), pixels.begin());
        if (f.interlaced && f.width > 0) {
            Bytes ordered;
            ordered.reserve(count);
            for (int r : InterlacedRows(f.height)) {
                const auto row = pixels.begin() + static_cast<std::ptrdiff_t>(r) * f.width;
                ordered.insert(ordered.end(), row, row + f.width);
            }
            pixels.swap(ordered);
        }
        PutSubBlocks(out, LzwEncode(pixels, minCodeSize));
    }
    out.push_back(0x3B);
    return out;
}
