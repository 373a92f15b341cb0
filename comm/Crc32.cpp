#include "comm/Crc32.h"

#include <array>

namespace comm {
namespace {

constexpr uint32_t kPolynomial = 0xEDB88320u;

constexpr std::array<uint32_t, 256> MakeTable()
{
    std::array<uint32_t, 256> t{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? kPolynomial ^ (c >> 1) : c >> 1;
        t[i] = c;
    }
    return t;
}

constexpr auto kTable = MakeTable();

// a * b modulo the polynomial, both in the reflected bit order of the CRC.
constexpr uint32_t MultiplyModP(uint32_t a, uint32_t b)
{
    uint32_t m = 1u << 31;
    uint32_t p = 0;
    for (;;) {
        if (a & m) {
            p ^= b;
            if ((a & (m - 1)) == 0) break;
        }
        m >>= 1;
        b = (b & 1) ? (b >> 1) ^ kPolynomial : b >> 1;
    }
    return p;
}

// kPowers[k] = x^(2^k) modulo the polynomial.
constexpr std::array<uint32_t, 64> MakePowers()
{
    std::array<uint32_t, 64> t{};
    uint32_t p = 1u << 30;  // x^1
    t[0] = p;
    for (std::size_t k = 1; k < t.size(); ++k) t[k] = p = MultiplyModP(p, p);
    return t;
}

constexpr auto kPowers = MakePowers();

}  // namespace

uint32_t Crc32(const uint8_t* data, std::size_t size, uint32_t crc)
{
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i) crc = kTable[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

uint32_t Crc32Shift(uint32_t crc, uint64_t length)
{
    // x^(8 * length), built from the powers x^(2^k) for the set bits of 8 * length.
    uint32_t factor = 1u << 31;  // x^0
    unsigned k = 3;
    for (uint64_t n = length; n != 0 && k < kPowers.size(); n >>= 1, ++k)
        if (n & 1) factor = MultiplyModP(kPowers[k], factor);
    return MultiplyModP(factor, crc);
}

}  // namespace comm
