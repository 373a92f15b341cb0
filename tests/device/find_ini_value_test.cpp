#include "device/IniLineRoutines.h"
#include "device/PathUtils.h"
#include "device/StdioFileEx.h"
#include "DeviceFileTestSupport.h"

#include <gtest/gtest.h>

namespace {

MemoryLineSource Lines(const char* text)
{
    return MemoryLineSource(QString::fromLatin1(text).split(QLatin1Char('\n')));
}

class FindIniValueTest : public ::testing::Test {
protected:
    void SetUp() override { g_IniSection.clear(); }
};

}  // namespace

TEST_F(FindIniValueTest, FindsKeysInOrderAndWrapsForEarlierOnes)
{
    auto src = Lines("[S]\nA=1\nB=2\nC=3");
    QString v;
    EXPECT_TRUE(FindIniValue(v, &src, "S", "B"));
    EXPECT_EQ(v, "2");
    EXPECT_TRUE(FindIniValue(v, &src, "S", "C"));
    EXPECT_EQ(v, "3");
    // A stands before the current position: found after the wrap.
    EXPECT_TRUE(FindIniValue(v, &src, "S", "A"));
    EXPECT_EQ(v, "1");
}

TEST_F(FindIniValueTest, AbsentKeyLeavesValueAsItWas)
{
    auto src = Lines("[S]\nA=1");
    QString v = "before";
    EXPECT_FALSE(FindIniValue(v, &src, "S", "Z"));
    EXPECT_EQ(v, "before");
    EXPECT_FALSE(FindIniValue(v, nullptr, "S", "A"));
    EXPECT_EQ(v, "before");
    EXPECT_FALSE(FindIniValue(v, &src, "s", "A"));  // case-sensitive section
    EXPECT_FALSE(FindIniValue(v, &src, "S", "a"));  // case-sensitive key
}

TEST_F(FindIniValueTest, DuplicateKeysFoundOneAfterTheOther)
{
    auto src = Lines("[K]\nKEYERREDL=10\nKEYERREDL=20\nX=1");
    QString v;
    ASSERT_TRUE(FindIniValue(v, &src, "K", "KEYERREDL"));
    EXPECT_EQ(v, "10");
    ASSERT_TRUE(FindIniValue(v, &src, "K", "KEYERREDL"));
    EXPECT_EQ(v, "20");
    ASSERT_TRUE(FindIniValue(v, &src, "K", "KEYERREDL"));
    EXPECT_EQ(v, "10");
}

TEST_F(FindIniValueTest, SingleDuplicateLineIsFoundTwice)
{
    auto src = Lines("[K]\nKEYERREDL=7\nKEYERGREENL=1");
    QString v;
    ASSERT_TRUE(FindIniValue(v, &src, "K", "KEYERREDL"));
    ASSERT_TRUE(FindIniValue(v, &src, "K", "KEYERREDL"));
    EXPECT_EQ(v, "7");
}

TEST_F(FindIniValueTest, SectionWithoutBracketClearsTheSection)
{
    auto src = Lines("[S]\nK=1\n[T\nK=2\n[S]\nK=3");
    QString v;
    ASSERT_TRUE(FindIniValue(v, &src, "S", "K"));
    EXPECT_EQ(v, "1");
    // "[T" makes the section empty: K=2 matches neither S nor T.
    ASSERT_TRUE(FindIniValue(v, &src, "S", "K"));
    EXPECT_EQ(v, "3");
    EXPECT_FALSE(FindIniValue(v, &src, "T", "K"));
    g_IniSection.clear();
    auto src2 = Lines("[T\nK=2");
    ASSERT_TRUE(FindIniValue(v, &src2, "", "K"));
    EXPECT_EQ(v, "2");
}

TEST_F(FindIniValueTest, BlanksAroundEqualsDoNotMatch)
{
    auto src = Lines("[S]\nKEY = 5\nA=B=C\nE=");
    QString v;
    EXPECT_FALSE(FindIniValue(v, &src, "S", "KEY"));
    ASSERT_TRUE(FindIniValue(v, &src, "S", "KEY "));
    EXPECT_EQ(v, " 5");
    ASSERT_TRUE(FindIniValue(v, &src, "S", "A"));
    EXPECT_EQ(v, "B=C");
    v = "x";
    ASSERT_TRUE(FindIniValue(v, &src, "S", "E"));
    EXPECT_EQ(v, "");
}

TEST_F(FindIniValueTest, Utf16FileAfterWrap)
{
    CStdioFileEx f;
    ASSERT_TRUE(f.OpenBuffer(ToUtf16LeWithBom("[S]\r\nA=1\r\nB=2\r\n"), CStdioFileEx::typeText));
    QString v;
    ASSERT_TRUE(FindIniValue(v, &f, "S", "B"));
    EXPECT_EQ(v, "2");
    // The wrap re-reads the first line without the byte-order mark, so "[S]" still opens S.
    ASSERT_TRUE(FindIniValue(v, &f, "S", "A"));
    EXPECT_EQ(v, "1");
}

TEST(IniLineWriters, NullFileWritesNothing)
{
    WriteIniSection(nullptr, "S");
    WriteIniKeyValue(nullptr, "K", "V");
    SUCCEED();
}
