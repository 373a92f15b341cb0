#include "device/NumberText.h"

#include <QLocale>

#include <clocale>
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

TEST(NumberText, ParseIntLikeWtoi)
{
    EXPECT_EQ(ParseIntLikeWtoi(u"123"), 123);
    EXPECT_EQ(ParseIntLikeWtoi(u"  \t-42abc"), -42);
    EXPECT_EQ(ParseIntLikeWtoi(u"+7"), 7);
    EXPECT_EQ(ParseIntLikeWtoi(u""), 0);
    EXPECT_EQ(ParseIntLikeWtoi(u"abc"), 0);
    EXPECT_EQ(ParseIntLikeWtoi(u"- 5"), 0);
    EXPECT_EQ(ParseIntLikeWtoi(u"12 34"), 12);
    EXPECT_EQ(ParseIntLikeWtoi(u"2147483647"), 2147483647);
    EXPECT_EQ(ParseIntLikeWtoi(u"2147483648"), std::numeric_limits<int>::max());
    EXPECT_EQ(ParseIntLikeWtoi(u"-2147483648"), std::numeric_limits<int>::min());
    EXPECT_EQ(ParseIntLikeWtoi(u"-99999999999999999999999"), std::numeric_limits<int>::min());
    EXPECT_EQ(ParseIntLikeWtoi(u"99999999999999999999999"), std::numeric_limits<int>::max());
}

TEST(NumberText, ParseDoubleLikeWtof)
{
    EXPECT_DOUBLE_EQ(ParseDoubleLikeWtof(u"2.200000"), 2.2);
    EXPECT_DOUBLE_EQ(ParseDoubleLikeWtof(u"  -1.5x"), -1.5);
    EXPECT_DOUBLE_EQ(ParseDoubleLikeWtof(u"1e3"), 1000.0);
    EXPECT_DOUBLE_EQ(ParseDoubleLikeWtof(u"abc"), 0.0);
    EXPECT_DOUBLE_EQ(ParseDoubleLikeWtof(u""), 0.0);
    EXPECT_DOUBLE_EQ(ParseDoubleLikeWtof(u"2,5"), 2.0);
    EXPECT_TRUE(std::isinf(ParseDoubleLikeWtof(u"1e999")));
    EXPECT_TRUE(std::isinf(NarrowToFloat(1e300)));
    EXPECT_TRUE(std::isinf(NarrowToFloat(-1e300)));
    EXPECT_FLOAT_EQ(NarrowToFloat(2.5), 2.5f);
}

TEST(NumberText, Formatting)
{
    EXPECT_EQ(IntToString(-17), "-17");
    EXPECT_EQ(FloatToString(2.2f), "2.200000");
    EXPECT_EQ(FloatToString(0.0f), "0.000000");
    EXPECT_EQ(FloatToString(-0.5f), "-0.500000");
    EXPECT_EQ(FloatToString(std::numeric_limits<float>::max()).size(), 46);
    EXPECT_EQ(FloatToString(std::numeric_limits<float>::infinity()), "inf");
    EXPECT_EQ(FormatIndexedKey("HPOS", 3), "HPOS3");
    EXPECT_EQ(FormatIndexedKey(FormatIndexedKey("BRIGHTNESS", 1), 2), "BRIGHTNESS12");
    EXPECT_EQ(FormatIndexedKey(FormatIndexedKey("BRIGHTNESS", 10), 3), "BRIGHTNESS103");
}

TEST(NumberText, IndependentOfTheProcessLocale)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const char* set = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8"})
        if ((set = std::setlocale(LC_ALL, name))) break;
    EXPECT_EQ(FloatToString(2.2f), "2.200000");
    EXPECT_DOUBLE_EQ(ParseDoubleLikeWtof(u"2.200000"), 2.2);
    EXPECT_EQ(IntToString(1234567), "1234567");
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(before);
}
