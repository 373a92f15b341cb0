#include "device/CodePage.h"
#include "device/StdioFileEx.h"
#include "DeviceFileTestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QStringList ReadAll(CStdioFileEx& f)
{
    QStringList lines;
    QString line;
    while (f.ReadString(line)) lines << line;
    return lines;
}

}  // namespace

TEST(StdioFileEx, AnsiLinesWithAndWithoutLineEnd)
{
    CStdioFileEx f;
    ASSERT_TRUE(f.OpenBuffer("A=1\r\nB=2\nC=3", CStdioFileEx::typeText));
    EXPECT_FALSE(f.isUnicode);
    EXPECT_EQ(ReadAll(f), (QStringList{"A=1", "B=2", "C=3"}));
}

TEST(StdioFileEx, LongAnsiLineComesInTwoPieces)
{
    QByteArray line(5000, 'x');
    CStdioFileEx f;
    ASSERT_TRUE(f.OpenBuffer(line + "\r\nNEXT\r\n", CStdioFileEx::typeText));
    const QStringList lines = ReadAll(f);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0].size(), 4095);
    EXPECT_EQ(lines[1].size(), 5000 - 4095);
    EXPECT_EQ(lines[2], "NEXT");
}

TEST(StdioFileEx, ZeroByteLineIsEmptyNotThePreviousLine)
{
    CStdioFileEx f;
    ASSERT_TRUE(f.OpenBuffer(QByteArray("K=1\r\n\0junk\r\n", 12), CStdioFileEx::typeText));
    EXPECT_EQ(ReadAll(f), (QStringList{"K=1", ""}));
}

TEST(StdioFileEx, AnsiDecodesUtf8OrLatin1)
{
    CStdioFileEx a;
    ASSERT_TRUE(a.OpenBuffer("\xE4\xB8\xAD\n\xE9t\xE9\n", CStdioFileEx::typeText));
    EXPECT_EQ(ReadAll(a), (QStringList{QString::fromUtf8("\xE4\xB8\xAD"), QString::fromUtf8("\xC3\xA9t\xC3\xA9")}));
}

TEST(StdioFileEx, Utf16SkipsBomAlsoAfterSeekToBegin)
{
    const QByteArray bytes = ToUtf16LeWithBom("[S]\r\nK=1\r\nlast");
    CStdioFileEx f;
    ASSERT_TRUE(f.OpenBuffer(bytes, CStdioFileEx::modeRead | CStdioFileEx::shareDenyWrite | CStdioFileEx::typeText));
    EXPECT_TRUE(f.isUnicode);
    EXPECT_EQ(f.openFlags & (CStdioFileEx::typeText | CStdioFileEx::typeBinary), CStdioFileEx::typeBinary);
    EXPECT_EQ(ReadAll(f), (QStringList{"[S]", "K=1", "last"}));
    f.SeekToBegin();
    QString line;
    ASSERT_TRUE(f.ReadString(line));
    EXPECT_EQ(line, "[S]");
}

TEST(StdioFileEx, Utf16OddLastByteIsDropped)
{
    QByteArray bytes = ToUtf16LeWithBom("AB");
    bytes.append('C');
    CStdioFileEx f;
    ASSERT_TRUE(f.OpenBuffer(bytes, CStdioFileEx::typeText));
    EXPECT_EQ(ReadAll(f), (QStringList{"AB"}));
}

TEST(StdioFileEx, IsFileUnicodeAndOpenFromDisk)
{
    QTemporaryDir dir;
    const QString u = dir.filePath("u.txt");
    const QString a = dir.filePath("a.txt");
    const QString shortFile = dir.filePath("s.txt");
    ASSERT_TRUE(WriteFileBytes(u, ToUtf16LeWithBom("X=1\r\n")));
    ASSERT_TRUE(WriteFileBytes(a, "X=1\r\n"));
    ASSERT_TRUE(WriteFileBytes(shortFile, "\xFF"));
    EXPECT_TRUE(CStdioFileEx::IsFileUnicode(u));
    EXPECT_FALSE(CStdioFileEx::IsFileUnicode(a));
    EXPECT_FALSE(CStdioFileEx::IsFileUnicode(shortFile));
    EXPECT_FALSE(CStdioFileEx::IsFileUnicode(dir.filePath("missing")));
    CStdioFileEx f;
    ASSERT_TRUE(f.Open(u, CStdioFileEx::typeText));
    EXPECT_EQ(ReadAll(f), (QStringList{"X=1"}));
    EXPECT_TRUE(f.Close());
}

TEST(StdioFileEx, WritesCodePageBytesExactly)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("w.txt");
    CStdioFileEx f;
    ASSERT_TRUE(f.Open(path, CStdioFileEx::modeWrite));
    EXPECT_TRUE(f.WriteString(QString::fromUtf8("A=\xC3\xA9\r\n")));
    EXPECT_TRUE(f.WriteString(QString::fromUtf8("B=\xE4\xB8\xAD\xF0\x9F\x98\x80!\r\n")));
    // "e" + combining acute composes to the single byte E9.
    EXPECT_TRUE(f.WriteString(QString::fromUtf8("C=e\xCC\x81\n")));
    ASSERT_TRUE(f.Close());
    EXPECT_EQ(ReadFileBytes(path), QByteArray("A=\xE9\r\nB=##!\r\nC=\xE9\n"));
}

TEST(StdioFileEx, WritesUtf8AndUtf16WhenAsked)
{
    QTemporaryDir dir;
    const QString p8 = dir.filePath("8.txt");
    const QString p16 = dir.filePath("16.txt");
    {
        CStdioFileEx f;
        f.codePage = kCodePageUtf8;
        ASSERT_TRUE(f.Open(p8, CStdioFileEx::modeWrite));
        f.WriteString(QString::fromUtf8("\xE4\xB8\xAD\r\n"));
        ASSERT_TRUE(f.Close());
    }
    EXPECT_EQ(ReadFileBytes(p8), QByteArray("\xE4\xB8\xAD\r\n"));
    {
        CStdioFileEx f;
        ASSERT_TRUE(f.Open(p16, CStdioFileEx::modeWrite | CStdioFileEx::modeWriteUnicode));
        f.WriteString("A\r\n");
        f.WriteString("B");
        ASSERT_TRUE(f.Close());
    }
    EXPECT_EQ(ReadFileBytes(p16), QByteArray("\xFF\xFE" "A\0\r\0\n\0B\0", 10));
}

TEST(StdioFileEx, UnclosedWriteLeavesTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("keep.txt");
    ASSERT_TRUE(WriteFileBytes(path, "old content\r\n"));
    {
        CStdioFileEx f;
        ASSERT_TRUE(f.Open(path, CStdioFileEx::modeWrite));
        f.WriteString("new");
    }
    EXPECT_EQ(ReadFileBytes(path), QByteArray("old content\r\n"));
}

TEST(StdioFileEx, WriteIntoMissingFolderFails)
{
    QTemporaryDir dir;
    CStdioFileEx f;
    EXPECT_FALSE(f.Open(dir.filePath("no/such/folder/x.pro"), CStdioFileEx::modeWrite));
}
