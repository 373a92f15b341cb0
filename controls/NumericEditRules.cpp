#include "controls/NumericEditRules.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {

int DecimalDigits(long long v)
{
    v = v < 0 ? -v : v;
    int n = 1;
    while (v >= 10) {
        v /= 10;
        ++n;
    }
    return n;
}

// One printf conversion taken apart, with its pieces checked so the result can be rebuilt safely.
struct Conversion {
    bool found = false;
    int begin = 0;  // index of '%'
    int end = 0;    // one past the conversion letter
    QString flags;
    int width = -1;
    int precision = -1;
    QChar type;
};

Conversion FindConversion(const QString& format)
{
    Conversion c;
    const int n = static_cast<int>(format.size());
    for (int i = 0; i < n; ++i) {
        if (format[i] != u'%')
            continue;
        if (i + 1 < n && format[i + 1] == u'%') {
            ++i;
            continue;
        }
        int j = i + 1;
        while (j < n && QStringLiteral("-+ 0#").contains(format[j]))
            c.flags += format[j++];
        auto readNumber = [&](int& out) {
            int v = 0;
            bool any = false;
            while (j < n && format[j].isDigit()) {
                v = std::min(v * 10 + format[j].digitValue(), 999);
                any = true;
                ++j;
            }
            if (any)
                out = v;
            return any;
        };
        readNumber(c.width);
        if (j < n && format[j] == u'.') {
            ++j;
            c.precision = 0;
            readNumber(c.precision);
        }
        // Length modifiers carry no meaning here: the value is passed as int or double anyway.
        while (j < n && QStringLiteral("hlLqjzt").contains(format[j]))
            ++j;
        if (j >= n)
            return {};
        c.found = true;
        c.begin = i;
        c.end = j + 1;
        c.type = format[j];
        return c;
    }
    return c;
}

QString FormatNumber(const Conversion& c, double value, bool decimal)
{
    // Widths and precisions beyond any sensible display are cut, so a bad format cannot make
    // a huge string.
    const int width = std::min(c.width, 40);
    const int precision = std::min(c.precision, 20);
    QString spec = QStringLiteral("%") + c.flags;
    if (width >= 0)
        spec += QString::number(width);
    const QChar t = c.type;
    const bool floatType = QStringLiteral("fFeEgG").contains(t);
    const bool intType = QStringLiteral("diu").contains(t);
    const int iv = TruncToInt(value);
    const double dv = decimal ? value : static_cast<double>(iv);
    if (floatType) {
        if (precision >= 0)
            spec += QStringLiteral(".") + QString::number(precision);
        spec += t;
        return QString::asprintf(spec.toLatin1().constData(), dv);
    }
    if (intType) {
        if (precision >= 0)
            spec += QStringLiteral(".") + QString::number(precision);
        spec += QChar(u'd');
        return QString::asprintf(spec.toLatin1().constData(), decimal ? TruncToInt(dv) : iv);
    }
    // Anything else (strings, pointers) would read a value that is not there: print the number.
    return decimal ? QString::number(dv, 'f', precision >= 0 ? precision : 2) : QString::number(iv);
}

} // namespace

int TruncToInt(double value)
{
    if (std::isnan(value))
        return 0;
    constexpr double lo = static_cast<double>(std::numeric_limits<int>::min());
    constexpr double hi = static_cast<double>(std::numeric_limits<int>::max());
    return static_cast<int>(std::clamp(std::trunc(value), lo, hi));
}

double ClampEditValue(double value, double lo, double hi)
{
    if (hi < lo)
        std::swap(lo, hi);
    if (std::isnan(value))
        return lo;
    return std::clamp(value, lo, hi);
}

EditCharRules ComputeEditCharRules(double minimum, double maximum, const QString& format)
{
    const double lo = std::min(minimum, maximum);
    const double hi = std::max(minimum, maximum);
    // Every value of the range must be typeable, so the larger magnitude sets the digits.
    const long long magnitude = std::max(std::llabs(TruncToInt(hi)), std::llabs(TruncToInt(lo)));
    EditCharRules r;
    const int digits = DecimalDigits(magnitude);
    r.classes = kEditDigits;
    r.limit = digits;
    if (lo < 0) {
        r.classes |= kEditMinus;
        r.limit = digits + 1;
    }
    if (format.contains(u'.')) {
        r.classes |= kEditDecimalPoint;
        r.limit += 3;
    }
    return r;
}

bool FilterEditChar(const QString& text, int selStart, int selEnd, QChar ch, int classes, int limit)
{
    const int len = static_cast<int>(text.size());
    selStart = std::clamp(selStart, 0, len);
    selEnd = std::clamp(selEnd, selStart, len);
    if (ch == QChar(0x08))
        return true;
    const bool isDigit = ch >= u'0' && ch <= u'9';
    if (isDigit && !(classes & kEditDigits))
        return false;
    if (ch == u'-' && !(classes & kEditMinus))
        return false;
    if (ch == u'.' && !(classes & kEditDecimalPoint))
        return false;
    if (!isDigit && ch != u'-' && ch != u'.')
        return false;

    const int minusAt = static_cast<int>(text.indexOf(u'-'));
    const bool hasMinus = minusAt >= 0;
    if (ch == u'-') {
        if (selStart != 0)
            return false;
        // One sign only: a second one is refused unless it replaces the first.
        return !hasMinus || (selStart <= minusAt && minusAt < selEnd);
    }
    if (ch == u'.') {
        const int pointAt = static_cast<int>(text.indexOf(u'.'));
        const int firstAllowed = hasMinus ? 2 : 1;
        if (pointAt < 0)
            return !(selStart < firstAllowed || selStart > limit - 2);
        return selStart <= pointAt && pointAt < selEnd && selStart >= firstAllowed;
    }
    if (ch == u'0') {
        if (!hasMinus) {
            if (text.startsWith(u'0') && (selStart == 1 || (selStart == 0 && selEnd == selStart)))
                return false;
            return true;
        }
        const int zeroAt = static_cast<int>(text.indexOf(u'0'));
        if (zeroAt >= 0 && zeroAt == minusAt + 1) {
            if (selStart <= 2 && !(selStart <= 1 && selEnd >= 2))
                return false;
            return true;
        }
        return selEnd > 0;
    }
    // '1'..'9': never in front of the minus sign.
    return !hasMinus || selEnd > 0;
}

bool FitsTextLimit(int textLength, int selStart, int selEnd, int insertLength, int limit)
{
    textLength = std::max(textLength, 0);
    selStart = std::clamp(selStart, 0, textLength);
    selEnd = std::clamp(selEnd, selStart, textLength);
    const long long after = static_cast<long long>(textLength) - (selEnd - selStart) + std::max(insertLength, 0);
    return after <= limit;
}

bool AcceptTypedChar(const QString& text, int selStart, int selEnd, QChar ch, const EditCharRules& rules)
{
    if (!FilterEditChar(text, selStart, selEnd, ch, rules.classes, rules.limit))
        return false;
    if (ch == QChar(0x08))
        return true;
    return FitsTextLimit(static_cast<int>(text.size()), selStart, selEnd, 1, rules.limit);
}

QString FormatEditValue(const QString& format, double value)
{
    const bool decimal = format.contains(u'.');
    if (std::isnan(value))
        value = 0;
    const Conversion c = FindConversion(format);
    if (!c.found) {
        // No conversion at all: the number alone, so the edit still shows its value.
        return decimal ? QString::number(value, 'f', 2) : QString::number(TruncToInt(value));
    }
    QString prefix = format.left(c.begin);
    QString suffix = format.mid(c.end);
    prefix.replace(QStringLiteral("%%"), QStringLiteral("%"));
    suffix.replace(QStringLiteral("%%"), QStringLiteral("%"));
    return prefix + FormatNumber(c, value, decimal) + suffix;
}

double ParseEditValue(const QString& text)
{
    const std::string s = text.trimmed().toStdString();
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    // Take only digits with one point: exponents, "inf" and "nan" are not numbers to this edit.
    std::size_t j = i;
    bool point = false;
    bool anyDigit = false;
    while (j < s.size()) {
        if (s[j] >= '0' && s[j] <= '9') {
            anyDigit = true;
        } else if (s[j] == '.' && !point) {
            point = true;
        } else {
            break;
        }
        ++j;
    }
    if (!anyDigit)
        return 0.0;
    double v = 0.0;
    const auto r = std::from_chars(s.data() + i, s.data() + j, v, std::chars_format::fixed);
    if (r.ec != std::errc())
        return 0.0;
    return negative ? -v : v;
}
