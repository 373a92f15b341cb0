#include "device/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <locale.h>
#include <string>

namespace {

bool IsBlank(QChar c)
{
    const char16_t u = c.unicode();
    if (u == u' ' || (u >= 9 && u <= 13)) return true;
    return u >= 0x80 && c.isSpace();
}

qsizetype SkipBlanks(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    return i;
}

locale_t CLocale()
{
    static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

}  // namespace

int ParseIntLikeWtoi(QStringView text)
{
    qsizetype i = SkipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    constexpr int64_t kLimit = int64_t(std::numeric_limits<int>::max()) + 1;
    int64_t acc = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9') break;
        acc = acc * 10 + (c - u'0');
        if (acc > kLimit) acc = kLimit;  // saturated; keep consuming digits
    }
    if (negative) acc = -acc;
    if (acc > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (acc < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(acc);
}

double ParseDoubleLikeWtof(QStringView text)
{
    const qsizetype start = SkipBlanks(text);
    // Only ASCII can be part of a number; the first other character ends it.
    std::string ascii;
    ascii.reserve(static_cast<size_t>(text.size() - start));
    for (qsizetype i = start; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == 0 || c >= 0x80) break;
        ascii.push_back(static_cast<char>(c));
    }
    if (ascii.empty()) return 0.0;
    const locale_t loc = CLocale();
    if (loc == static_cast<locale_t>(nullptr)) return 0.0;
    char* end = nullptr;
    const double value = strtod_l(ascii.c_str(), &end, loc);
    if (end == ascii.c_str()) return 0.0;
    return value;
}

float NarrowToFloat(double value)
{
    if (std::isnan(value)) return std::numeric_limits<float>::quiet_NaN();
    if (value > double(std::numeric_limits<float>::max())) return std::numeric_limits<float>::infinity();
    if (value < -double(std::numeric_limits<float>::max())) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

QString IntToString(int value) { return QString::number(value); }

QString FloatToString(float value)
{
    const double wide = value;
    if (std::isnan(wide)) return std::signbit(wide) ? QStringLiteral("-nan") : QStringLiteral("nan");
    if (std::isinf(wide)) return wide < 0 ? QStringLiteral("-inf") : QStringLiteral("inf");
    char buf[128];  // the largest float has 39 digits before the point
    const auto res = std::to_chars(buf, buf + sizeof buf, wide, std::chars_format::fixed, 6);
    if (res.ec != std::errc()) return QStringLiteral("0.000000");
    return QString::fromLatin1(buf, res.ptr - buf);
}

QString FormatIndexedKey(const QString& stem, int index) { return stem + QString::number(index); }
