// INI files in a legacy code page (here GBK, read as Latin-1): a write changes the bytes of the
// line it writes and of no other.
#include "device/IniFile.h"
#include "DeviceFileTestSupport.h"

#include <QTemporaryDir>

#include <algorithm>

#include <gtest/gtest.h>

namespace {

// "中文" and "预设" in GBK.
const QByteArray kGbkChinese("\xD6\xD0\xCE\xC4");
const QByteArray kGbkPreset("\xD4\xA4\xC9\xE8");

QByteArray GbkFile()
{
    return "; " + kGbkPreset + " names\r\n[Preset1]\r\nName=" + kGbkPreset + "1\r\n[Setting]\r\nLanguage=English\r\n"
           "Remark=" + kGbkChinese + "\r\n\r\n[Other]\r\nx=1";
}

std::vector<QByteArray> Lines(const QByteArray& bytes)
{
    std::vector<QByteArray> out;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype nl = bytes.indexOf('\n', start);
        const qsizetype stop = nl < 0 ? bytes.size() : nl + 1;
        out.push_back(bytes.mid(start, stop - start));
        start = stop;
    }
    return out;
}

// Lines of before that are not in after, and lines of after not in before (as multisets).
std::pair<std::vector<QByteArray>, std::vector<QByteArray>> Changed(const QByteArray& before, const QByteArray& after)
{
    auto a = Lines(before), b = Lines(after);
    std::vector<QByteArray> gone;
    for (const auto& l : a) {
        auto it = std::find(b.begin(), b.end(), l);
        if (it == b.end()) gone.push_back(l);
        else b.erase(it);
    }
    return {gone, b};
}

class IniLegacyEncoding : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path() const { return dir.filePath("Info.ini"); }
};

}  // namespace

TEST_F(IniLegacyEncoding, WritesThatTheFileCanHoldChangeOnlyTheirOwnLine)
{
    struct Case {
        const char* name;
        const char* section;
        const char* key;
        QString value;
        std::vector<QByteArray> gone, added;
    };
    const std::vector<Case> cases = {
        {"ASCII value in place", "Setting", "language", "Chinese", {"Language=English\r\n"}, {"Language=Chinese\r\n"}},
        {"Latin-1 value in place", "Setting", "Language", QString::fromUtf8("caf\xC3\xA9"), {"Language=English\r\n"},
         {"Language=caf\xE9\r\n"}},
        {"new key in a section", "Preset1", "Remark", "r", {}, {"Remark=r\r\n"}},
        {"new section after a last line without an end", "New", "k", "v", {"x=1"}, {"x=1\r\n", "\r\n", "[New]\r\n", "k=v\r\n"}},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(WriteFileBytes(path(), GbkFile()));
        QString error;
        ASSERT_TRUE(IniWriteString(path(), c.section, c.key, c.value, &error)) << c.name << ": " << error.toStdString();
        const auto [gone, added] = Changed(GbkFile(), ReadFileBytes(path()));
        EXPECT_EQ(gone, c.gone) << c.name;
        EXPECT_EQ(added, c.added) << c.name;
        EXPECT_EQ(IniReadString(path(), c.section, c.key), c.value) << c.name;
    }
}

TEST_F(IniLegacyEncoding, AValueBeyondLatin1IsRefusedAndTheFileKeepsEveryByte)
{
    ASSERT_TRUE(WriteFileBytes(path(), GbkFile()));
    for (const char* key : {"Language", "NewKey"}) {
        QString error;
        EXPECT_FALSE(IniWriteString(path(), "Setting", key, QString::fromUtf8("\xE4\xB8\xAD\xE6\x96\x87"), &error)) << key;
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(ReadFileBytes(path()), GbkFile()) << key;
    }
    // An ASCII write afterwards still goes through, touching its own line only.
    ASSERT_TRUE(IniWriteString(path(), "Setting", "Language", "Chinese"));
    EXPECT_EQ(Changed(GbkFile(), ReadFileBytes(path())).first, std::vector<QByteArray>{"Language=English\r\n"});
}

TEST_F(IniLegacyEncoding, AWriteAfterWhichOtherLinesWouldReadDifferentlyIsRefused)
{
    // Only line B makes this file invalid UTF-8; rewriting it would make A read as UTF-8.
    const QByteArray before("[S]\r\nA=\xC3\xA9\r\nB=\xE9\r\n");
    ASSERT_TRUE(WriteFileBytes(path(), before));
    EXPECT_EQ(IniReadString(path(), "S", "A"), QString::fromLatin1("\xC3\xA9"));
    EXPECT_FALSE(IniWriteString(path(), "S", "B", "x"));
    EXPECT_EQ(ReadFileBytes(path()), before);
}

TEST_F(IniLegacyEncoding, Utf16LinesNotWrittenKeepTheirBytesEvenAnOddLastByte)
{
    QByteArray utf16("\xFF\xFE", 2);
    for (QChar c : QString("[S]\r\nA=1\r\nB=2\r\n")) {
        utf16.append(char(c.unicode() & 0xFF));
        utf16.append(char(c.unicode() >> 8));
    }
    utf16.append('\x07');  // a stray odd byte at the end
    ASSERT_TRUE(WriteFileBytes(path(), utf16));
    ASSERT_TRUE(IniWriteString(path(), "S", "A", QString::fromUtf8("\xE4\xB8\xAD")));
    const QByteArray after = ReadFileBytes(path());
    EXPECT_TRUE(after.startsWith(utf16.left(2 + 2 * 5)));  // BOM and "[S]\r\n"
    EXPECT_TRUE(after.endsWith(utf16.right(1 + 2 * 5)));   // "B=2\r\n" and the odd byte
    EXPECT_EQ(IniReadString(path(), "S", "A"), QString::fromUtf8("\xE4\xB8\xAD"));
}

// A file whose only GBK value is written as ASCII is UTF-8 from then on, as a fresh read takes it.
TEST_F(IniLegacyEncoding, AFileWrittenToAsciiIsUtf8FromThenOn)
{
    ASSERT_TRUE(WriteFileBytes(path(), "[Preset1]\r\nName=" + kGbkPreset + "\r\n"));
    ASSERT_TRUE(IniWriteString(path(), "Preset1", "Name", "Show"));
    const QString chinese = QString::fromUtf8("\xE4\xB8\xAD\xE6\x96\x87");
    ASSERT_TRUE(IniWriteString(path(), "Preset1", "Name", chinese));
    EXPECT_EQ(ReadFileBytes(path()), "[Preset1]\r\nName=" + chinese.toUtf8() + "\r\n");
}
