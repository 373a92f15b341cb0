// Writes the H.264 fuzz target's seeds into the folder given: short clips from the emulator's
// encoder, framed as the target reads them (two-byte little-endian length, then the packet), and
// a few broken ones made from them. Built with the fuzz targets; run by hand to renew the seeds.
#include "tools/emulator/H264Clip.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Packets = std::vector<std::vector<uint8_t>>;

std::vector<uint8_t> Framed(const Packets& packets)
{
    std::vector<uint8_t> out;
    for (const auto& p : packets) {
        out.push_back(static_cast<uint8_t>(p.size()));
        out.push_back(static_cast<uint8_t>(p.size() >> 8));
        out.insert(out.end(), p.begin(), p.end());
    }
    return out;
}

bool Write(const std::string& dir, const char* name, const std::vector<uint8_t>& bytes)
{
    std::ofstream f(dir + "/" + name, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(f);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    std::string error;
    const Packets small = emu::EncodeTestClip(32, 32, 3, &error);
    const Packets odd = emu::EncodeTestClip(50, 18, 2, &error);  // cropped to an odd size
    if (small.empty() || odd.empty()) {
        std::fprintf(stderr, "no encoder: %s\n", error.c_str());
        return 1;
    }
    bool ok = Write(dir, "clip_32x32_3_frames", Framed(small));
    ok = ok && Write(dir, "clip_50x18_cropped", Framed(odd));
    // One access unit split over two packets, and the whole clip in one.
    Packets split;
    for (const auto& p : small) {
        split.emplace_back(p.begin(), p.begin() + static_cast<std::ptrdiff_t>(p.size() / 2));
        split.emplace_back(p.begin() + static_cast<std::ptrdiff_t>(p.size() / 2), p.end());
    }
    ok = ok && Write(dir, "clip_split_packets", Framed(split));
    Packets joined(1);
    for (const auto& p : small) joined[0].insert(joined[0].end(), p.begin(), p.end());
    ok = ok && Write(dir, "clip_one_packet", Framed(joined));
    // Cut short, and with bytes of the first picture flipped.
    std::vector<uint8_t> cut = Framed(small);
    cut.resize(cut.size() * 2 / 3);
    ok = ok && Write(dir, "clip_cut", cut);
    Packets flipped = small;
    for (std::size_t i = flipped[0].size() / 2; i < flipped[0].size(); i += 7) flipped[0][i] ^= 0x5A;
    ok = ok && Write(dir, "clip_corrupt_first_picture", Framed(flipped));
    // Pictures without the parameter sets.
    Packets headless(small.begin() + 1, small.end());
    ok = ok && Write(dir, "clip_without_first_packet", Framed(headless));
    return ok ? 0 : 1;
}
