// What the numeric edits let through: classes and text limit per range and format, the
// character filter case by case, value text and parsing.

#include "controls/NumericEditRules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct LimitCase {
    double lo, hi;
    const char* format;
    int classes;
    int limit;
};

TEST(NumericEditRules, ClassesAndLimitPerRangeAndFormat)
{
    const LimitCase cases[] = {
        {0, 100, "%d", kEditDigits, 3},
        {-100, 100, "%d", kEditDigits | kEditMinus, 4},
        {0, 1, "%.2f", kEditDigits | kEditDecimalPoint, 4},
        {0, 2.5, "%.2f", kEditDigits | kEditDecimalPoint, 4},
        {-10, 10, "%.1f", kEditDigits | kEditMinus | kEditDecimalPoint, 6},
        {0, 0, "%d", kEditDigits, 1},
        {38400, 115200, "%d", kEditDigits, 6},
        {1, 111, "%d", kEditDigits, 3},
        {0, 64, "%d", kEditDigits, 2},
        {100, 0, "%d", kEditDigits, 3},          // limits in either order
        {-1000, 10, "%d", kEditDigits | kEditMinus, 5},  // the minimum's digits count too
        {0, 99999, "%d", kEditDigits, 5},
    };
    for (const auto& c : cases) {
        const EditCharRules r = ComputeEditCharRules(c.lo, c.hi, QString::fromLatin1(c.format));
        EXPECT_EQ(r.classes, c.classes) << c.lo << ".." << c.hi << " " << c.format;
        EXPECT_EQ(r.limit, c.limit) << c.lo << ".." << c.hi << " " << c.format;
    }
    // Huge limits do not overflow the digit count.
    EXPECT_EQ(ComputeEditCharRules(0, 1e30, "%d").limit, 10);
}

struct FilterCase {
    const char* text;
    int start, end;
    char ch;
    bool accepted;
};

constexpr int kAll = kEditDigits | kEditMinus | kEditDecimalPoint;

TEST(NumericEditRules, FilterTable)
{
    const FilterCase cases[] = {
        // Backspace always, letters and other signs never.
        {"12", 2, 2, '\b', true},
        {"", 0, 0, '\b', true},
        {"12", 2, 2, 'a', false},
        {"12", 2, 2, '+', false},
        {"12", 2, 2, ' ', false},
        // Minus only first, and only one.
        {"12", 0, 0, '-', true},
        {"12", 1, 1, '-', false},
        {"12", 2, 2, '-', false},
        {"-12", 0, 0, '-', false},
        {"-12", 0, 1, '-', true},   // replaces the sign
        {"", 0, 0, '-', true},
        // Digits never in front of the minus sign.
        {"-12", 0, 0, '5', false},
        {"-12", 1, 1, '5', true},
        {"-12", 0, 1, '5', true},   // replaces the sign
        {"12", 0, 0, '5', true},
        // One decimal point, not first, not after the sign, room for decimals.
        {"12", 2, 2, '.', true},
        {"12", 1, 1, '.', true},
        {"12", 0, 0, '.', false},
        {"-12", 1, 1, '.', false},
        {"-12", 2, 2, '.', true},
        {"1.5", 3, 3, '.', false},
        {"1.5", 1, 2, '.', true},   // replaces the point
        {"1.5", 0, 2, '.', false},  // would stand first
        {"12.5", 3, 3, '.', false},
        // Leading zeros.
        {"0", 1, 1, '0', false},
        {"0", 0, 0, '0', false},
        {"0", 0, 1, '0', true},     // replaces the zero
        {"05", 1, 1, '0', false},
        {"5", 0, 0, '0', true},
        {"5", 1, 1, '0', true},
        {"10", 2, 2, '0', true},
        {"-0", 2, 2, '0', false},
        {"-0", 1, 1, '0', false},
        {"-0", 1, 2, '0', true},    // replaces the zero
        {"-05", 3, 3, '0', true},
        {"-5", 2, 2, '0', true},
        {"-5", 1, 1, '0', true},
        {"-5", 0, 0, '0', false},   // in front of the sign
        // Selections past the text are clamped, not read.
        {"12", 7, 9, '3', true},
        {"12", -4, -1, '-', true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FilterEditChar(QString::fromLatin1(c.text), c.start, c.end, QChar(c.ch), kAll, 8), c.accepted)
            << "text '" << c.text << "' sel " << c.start << ".." << c.end << " char '" << c.ch << "'";
    }
}

TEST(NumericEditRules, ClassesSwitchCharactersOff)
{
    EXPECT_FALSE(FilterEditChar("12", 0, 0, u'-', kEditDigits, 8));
    EXPECT_FALSE(FilterEditChar("12", 2, 2, u'.', kEditDigits | kEditMinus, 8));
    EXPECT_FALSE(FilterEditChar("12", 2, 2, u'3', kEditMinus, 8));
    // The decimal point leaves room for the decimals: not past limit - 2.
    EXPECT_TRUE(FilterEditChar("12", 2, 2, u'.', kAll, 4));
    EXPECT_FALSE(FilterEditChar("123", 3, 3, u'.', kAll, 4));
}

TEST(NumericEditRules, TextLimit)
{
    const EditCharRules r = ComputeEditCharRules(0, 100, "%d");
    EXPECT_TRUE(AcceptTypedChar("10", 2, 2, u'0', r));
    EXPECT_FALSE(AcceptTypedChar("100", 3, 3, u'0', r));
    EXPECT_TRUE(AcceptTypedChar("100", 0, 3, u'5', r));  // replaces the whole text
    EXPECT_TRUE(AcceptTypedChar("100", 3, 3, QChar(0x08), r));
    EXPECT_TRUE(FitsTextLimit(3, 1, 2, 1, 3));
    EXPECT_FALSE(FitsTextLimit(3, 1, 1, 1, 3));
    EXPECT_FALSE(FitsTextLimit(0, 0, 0, 1, 0));
    EXPECT_TRUE(FitsTextLimit(5, 9, 2, 0, 5));
}

TEST(NumericEditRules, FormatsValues)
{
    EXPECT_EQ(FormatEditValue("%d", 42.9), "42");
    EXPECT_EQ(FormatEditValue("%d", -42.9), "-42");
    EXPECT_EQ(FormatEditValue("%.2f", 2.5), "2.50");
    EXPECT_EQ(FormatEditValue("%.1f", -0.26), "-0.3");
    EXPECT_EQ(FormatEditValue("%d%%", 5), "5%");
    EXPECT_EQ(FormatEditValue("%03d", 7), "007");
    EXPECT_EQ(FormatEditValue("%d", 1e30), "2147483647");
    EXPECT_EQ(FormatEditValue("%d", std::nan("")), "0");
    // Conversions that would read something else print the number.
    EXPECT_EQ(FormatEditValue("%s", 5), "5");
    EXPECT_EQ(FormatEditValue("%n", 5), "5");
    EXPECT_EQ(FormatEditValue("", 5), "5");
    EXPECT_EQ(FormatEditValue("%", 5), "5");
    EXPECT_EQ(FormatEditValue("%.999f", 1).size(), 22);  // precision cut to 20
}

TEST(NumericEditRules, ParsesLikeTheClassicReader)
{
    EXPECT_DOUBLE_EQ(ParseEditValue("150"), 150);
    EXPECT_DOUBLE_EQ(ParseEditValue("-12.5"), -12.5);
    EXPECT_DOUBLE_EQ(ParseEditValue("  7"), 7);
    EXPECT_DOUBLE_EQ(ParseEditValue("+3"), 3);
    EXPECT_DOUBLE_EQ(ParseEditValue("1."), 1);
    EXPECT_DOUBLE_EQ(ParseEditValue(".5"), 0.5);
    EXPECT_DOUBLE_EQ(ParseEditValue("12abc"), 12);
    EXPECT_DOUBLE_EQ(ParseEditValue("1.2.3"), 1.2);
    EXPECT_DOUBLE_EQ(ParseEditValue(""), 0);
    EXPECT_DOUBLE_EQ(ParseEditValue("-"), 0);
    EXPECT_DOUBLE_EQ(ParseEditValue("."), 0);
    EXPECT_DOUBLE_EQ(ParseEditValue("abc"), 0);
    EXPECT_DOUBLE_EQ(ParseEditValue("inf"), 0);
    EXPECT_DOUBLE_EQ(ParseEditValue("nan"), 0);
    EXPECT_DOUBLE_EQ(ParseEditValue("--5"), 0);
}

TEST(NumericEditRules, ClampAndTruncate)
{
    EXPECT_DOUBLE_EQ(ClampEditValue(150, 0, 100), 100);
    EXPECT_DOUBLE_EQ(ClampEditValue(-5, 0, 100), 0);
    EXPECT_DOUBLE_EQ(ClampEditValue(5, 100, 0), 5);
    EXPECT_DOUBLE_EQ(ClampEditValue(std::nan(""), 3, 9), 3);
    EXPECT_EQ(TruncToInt(2.9), 2);
    EXPECT_EQ(TruncToInt(-2.9), -2);
    EXPECT_EQ(TruncToInt(1e300), std::numeric_limits<int>::max());
    EXPECT_EQ(TruncToInt(-1e300), std::numeric_limits<int>::min());
    EXPECT_EQ(TruncToInt(std::nan("")), 0);
}

} // namespace
