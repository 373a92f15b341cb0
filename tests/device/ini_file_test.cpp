#include "device/ComSettings.h"
#include "device/IniFile.h"
#include "DeviceFileTestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <malloc.h>
#include <sys/stat.h>
#ifdef __SANITIZE_ADDRESS__
extern "C" void __sanitizer_purge_allocator();  // the sanitizer runtime's; not every compiler ships its header
#endif

#include <functional>

#include <gtest/gtest.h>

namespace {

class IniFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const char* name = "Info.ini") const { return dir.filePath(name); }
};

// Resident memory of the process in KiB: now, or the peak since the last ResetPeak.
long long ResidentKb(const char* field)
{
    QFile f(QStringLiteral("/proc/self/status"));
    const QByteArray status = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    const qsizetype at = status.indexOf(field);
    return at < 0 ? -1 : status.mid(at + qstrlen(field)).trimmed().split(' ').value(0).toLongLong();
}

// Gives memory freed so far back to the system: a peak is not hidden by reused memory.
void ReleaseFreedMemory()
{
#ifdef __SANITIZE_ADDRESS__
    __sanitizer_purge_allocator();
#else
    malloc_trim(0);
#endif
}

bool ResetPeak()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    return f.open(QIODevice::WriteOnly) && f.write("5") == 1;
}

}  // namespace

TEST_F(IniFileTest, ReadsCaseInsensitivelyAndTrimmed)
{
    ASSERT_TRUE(WriteFileBytes(path(), "; comment\r\n[Setting]\r\n  Language =  English  \r\nQ=\"quoted \"\r\n"
                                       "[setting]\r\nLanguage=Second\r\n"));
    EXPECT_EQ(IniReadString(path(), "SETTING", "language"), "English");
    EXPECT_EQ(IniReadString(path(), "Setting", "q"), "quoted ");
    EXPECT_EQ(IniReadString(path(), "Setting", "Missing", "def"), "def");
    EXPECT_EQ(IniReadString(path(), "Nope", "Language", "def"), "def");
    EXPECT_EQ(IniReadString(path("absent.ini"), "Setting", "Language", "def"), "def");
    EXPECT_EQ(ReadIniString(path(), "Setting", "Language"), "English");
    EXPECT_EQ(ReadIniString(path(), "Setting", "Missing"), "");
}

TEST_F(IniFileTest, DropsOnePairOfEnclosingQuotes)
{
    ASSERT_TRUE(WriteFileBytes(path(), "[String]\r\nA=  \" User \"  \r\nB=\"\"twice\"\"\r\nC=\"open\r\n"
                                       "D=close\"\r\nE=in \"side\" text\r\nF=\"\"\r\nG=\"\r\n"));
    EXPECT_EQ(IniReadString(path(), "String", "A"), " User ");
    EXPECT_EQ(IniReadString(path(), "String", "B"), "\"twice\"");
    EXPECT_EQ(IniReadString(path(), "String", "C"), "\"open");
    EXPECT_EQ(IniReadString(path(), "String", "D"), "close\"");
    EXPECT_EQ(IniReadString(path(), "String", "E"), "in \"side\" text");
    EXPECT_EQ(IniReadString(path(), "String", "F", "def"), "");
    EXPECT_EQ(IniReadString(path(), "String", "G"), "\"");
}

TEST_F(IniFileTest, UpdateInPlaceKeepsOtherLinesAndComments)
{
    const QByteArray before = "; top comment\r\n[COM]\r\nPort = 3\r\n; inner\r\ntimeout=100\r\n\r\n[Other]\r\nx=1\r\n";
    ASSERT_TRUE(WriteFileBytes(path(), before));
    ASSERT_TRUE(IniWriteString(path(), "com", "port", "5"));
    EXPECT_EQ(ReadFileBytes(path()),
              QByteArray("; top comment\r\n[COM]\r\nPort=5\r\n; inner\r\ntimeout=100\r\n\r\n[Other]\r\nx=1\r\n"));
    ASSERT_TRUE(IniWriteString(path(), "COM", "baud", "9600"));
    EXPECT_EQ(ReadFileBytes(path()), QByteArray("; top comment\r\n[COM]\r\nPort=5\r\n; inner\r\ntimeout=100\r\nbaud=9600\r\n"
                                                "\r\n[Other]\r\nx=1\r\n"));
    ASSERT_TRUE(IniWriteString(path(), "New", "k", "v"));
    EXPECT_TRUE(ReadFileBytes(path()).endsWith("x=1\r\n\r\n[New]\r\nk=v\r\n"));
}

TEST_F(IniFileTest, CreatesFileAndSection)
{
    ASSERT_TRUE(IniWriteString(path(), "Project", "FilePath", "/a/b.pro"));
    EXPECT_EQ(ReadFileBytes(path()), QByteArray("[Project]\r\nFilePath=/a/b.pro\r\n"));
    EXPECT_FALSE(IniWriteString(dir.filePath("no/dir/x.ini"), "S", "k", "v"));
}

TEST_F(IniFileTest, KeepsLfLineEndsAndAddsOneToTheLastLine)
{
    ASSERT_TRUE(WriteFileBytes(path(), "[S]\nA=1"));
    ASSERT_TRUE(IniWriteString(path(), "S", "B", "2"));
    EXPECT_EQ(ReadFileBytes(path()), QByteArray("[S]\nA=1\nB=2\n"));
}

TEST_F(IniFileTest, Utf16FileStaysUtf16AndChineseRoundTrips)
{
    const QString chinese = QString::fromUtf8("\xE4\xB8\xAD\xE6\x96\x87");
    QByteArray utf16("\xFF\xFE", 2);
    for (QChar c : QString("[Setting]\r\nLanguage=English\r\n")) {
        utf16.append(char(c.unicode() & 0xFF));
        utf16.append(char(c.unicode() >> 8));
    }
    ASSERT_TRUE(WriteFileBytes(path(), utf16));
    ASSERT_TRUE(IniWriteString(path(), "Setting", "Language", chinese));
    const QByteArray after = ReadFileBytes(path());
    ASSERT_TRUE(after.startsWith("\xFF\xFE"));
    EXPECT_EQ(after.size() % 2, 0);
    EXPECT_EQ(IniReadString(path(), "Setting", "Language"), chinese);
    EXPECT_EQ(IniDocument::FromBytes(after).encoding(), IniDocument::Encoding::Utf16Le);

    ASSERT_TRUE(IniWriteString(path("u8.ini"), "Setting", "Language", chinese));
    EXPECT_EQ(ReadFileBytes(path("u8.ini")), QByteArray("[Setting]\r\nLanguage=") + chinese.toUtf8() + "\r\n");
    EXPECT_EQ(IniReadString(path("u8.ini"), "setting", "LANGUAGE"), chinese);
}

TEST_F(IniFileTest, Utf8BomAndLatin1FilesKeepTheirEncoding)
{
    ASSERT_TRUE(WriteFileBytes(path("bom.ini"), "\xEF\xBB\xBF[S]\r\nA=\xC3\xA9\r\n"));
    EXPECT_EQ(IniReadString(path("bom.ini"), "S", "A"), QString::fromUtf8("\xC3\xA9"));
    ASSERT_TRUE(IniWriteString(path("bom.ini"), "S", "B", "1"));
    EXPECT_EQ(ReadFileBytes(path("bom.ini")), QByteArray("\xEF\xBB\xBF[S]\r\nA=\xC3\xA9\r\nB=1\r\n"));

    ASSERT_TRUE(WriteFileBytes(path("l1.ini"), "[S]\r\nA=\xE9t\xE9\r\n"));
    EXPECT_EQ(IniReadString(path("l1.ini"), "S", "A"), QString::fromUtf8("\xC3\xA9t\xC3\xA9"));
    ASSERT_TRUE(IniWriteString(path("l1.ini"), "S", "B", "1"));
    EXPECT_EQ(ReadFileBytes(path("l1.ini")), QByteArray("[S]\r\nA=\xE9t\xE9\r\nB=1\r\n"));
}

TEST_F(IniFileTest, ValueLineEndsCannotInjectLines)
{
    ASSERT_TRUE(IniWriteString(path(), "S", "A", "1\r\n[Evil]\r\nB=2"));
    EXPECT_EQ(IniReadString(path(), "Evil", "B", "none"), "none");
}

TEST_F(IniFileTest, LongValuesAreNotCut)
{
    const QString longValue(1000, 'v');
    ASSERT_TRUE(IniWriteString(path(), "S", "K", longValue));
    EXPECT_EQ(ReadIniString(path(), "S", "K"), longValue);
}

// A write whose file would pass the read bound is refused: the file stays as it was and readable.
TEST_F(IniFileTest, NoWriteMakesAFileThatReadsAsAbsent)
{
    QByteArray bytes("[PRESET0-0]\r\nPNAMESTR=MyShow\r\n;");
    const QByteArray tail("\r\n[Setting]\r\nLanguage=Chinese\r\n");
    bytes += QByteArray(kMaxIniFileBytes - 8 - bytes.size() - tail.size(), 'x') + tail;
    ASSERT_TRUE(WriteFileBytes(path(), bytes));
    EXPECT_FALSE(IniWriteString(path(), "Project", "FilePath", "/home/show.pro"));
    EXPECT_EQ(ReadFileBytes(path()), bytes);
    // Up to the bound itself a write lands.
    ASSERT_TRUE(IniWriteString(path(), "preset0-0", "pnamestr", "MyShow12345678"));
    EXPECT_EQ(QFileInfo(path()).size(), kMaxIniFileBytes);
}

// A write that fails at its end (a full disk) is refused and the file keeps every byte.
TEST_F(IniFileTest, AWriteThatFailsAtItsEndLeavesTheFileAsItWas)
{
    const QByteArray before("[PRESET0-0]\r\nPNAMESTR=MyShow\r\n[Setting]\r\nLanguage=English\r\n");
    ASSERT_TRUE(WriteFileBytes(path(), before));
    EXPECT_FALSE(WithFileSizeLimit(before.size() + 8,
                                   [&] { return IniWriteString(path(), "PRESET0-1", "PNAMESTR", "Second show"); }));
    EXPECT_EQ(ReadFileBytes(path()), before);
    EXPECT_EQ(IniReadString(path(), "PRESET0-1", "PNAMESTR", "none"), "none");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Info.ini"});
}

// Only a regular file within the bound is read or rewritten: a link to a device, a FIFO without a
// writer (which would block the open) and an oversized file read as absent and are left alone.
TEST_F(IniFileTest, WhatIsNoRegularFileWithinTheBoundIsNeitherReadNorWritten)
{
    ASSERT_TRUE(QFile::link("/dev/zero", path("zero.ini")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("fifo.ini")).constData(), 0600), 0);
    QFile big(path("big.ini"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.write("[S]\r\nK=v\r\n") > 0 && big.resize(kMaxIniFileBytes + 1));
    big.close();
    for (const char* name : {"zero.ini", "fifo.ini", "big.ini"}) {
        const QFileInfo before(path(name));
        EXPECT_EQ(IniReadString(path(name), "S", "K", "none"), "none") << name;
        EXPECT_EQ(IniDocument::FromFile(path(name)).lineCount(), 0) << name;
        QString why;
        EXPECT_FALSE(IniWriteString(path(name), "S", "K", "w", &why)) << name;
        EXPECT_FALSE(why.isEmpty()) << name;
        const QFileInfo after(path(name));
        EXPECT_EQ(after.isSymLink(), before.isSymLink()) << name;
        EXPECT_EQ(after.isFile(), before.isFile()) << name;
        EXPECT_EQ(after.size(), before.size()) << name;
    }
}

TEST_F(IniFileTest, ComSettings)
{
    qputenv("SVP_APP_DIR", QFile::encodeName(dir.path()));
    QString timeout = "x";
    EXPECT_EQ(LoadComSettings("Info.ini", timeout), 0);
    EXPECT_EQ(timeout, "");
    SaveComSettings("Info.ini", 4, "1500");
    EXPECT_EQ(ReadFileBytes(path()), QByteArray("[COM]\r\nport=4\r\ntimeout=1500\r\n"));
    EXPECT_EQ(LoadComSettings("Info.ini", timeout), 4);
    EXPECT_EQ(timeout, "1500");
    ASSERT_TRUE(WriteFileBytes(path(), "[com]\r\nPORT= 12abc\r\n"));
    EXPECT_EQ(LoadComSettings("Info.ini", timeout), 12);
    qunsetenv("SVP_APP_DIR");
}

TEST(IniDocument, FirstSectionAndFirstKeyWinAlsoAfterEdits)
{
    IniDocument doc = IniDocument::FromBytes("k=before any section\r\n[S]\r\nA=1\r\na=2\r\n[t]\r\nA=3\r\n[s]\r\nA=4\r\nB=5\r\n");
    QString v;
    EXPECT_FALSE(doc.Value("", "k", v));
    ASSERT_TRUE(doc.Value(" s ", " a ", v));
    EXPECT_EQ(v, "1");
    EXPECT_FALSE(doc.Value("S", "B", v));  // only in the second [s], which is never read
    ASSERT_TRUE(doc.Value("T", "a", v));
    EXPECT_EQ(v, "3");

    // New lines ahead of a section move its keys down: look-ups still find them.
    doc.SetValue("S", "New", "x");
    doc.SetValue("S", "a", "changed");
    ASSERT_TRUE(doc.Value("t", "A", v));
    EXPECT_EQ(v, "3");
    ASSERT_TRUE(doc.Value("S", "NEW", v));
    EXPECT_EQ(v, "x");
    ASSERT_TRUE(doc.Value("s", "A", v));
    EXPECT_EQ(v, "changed");
    doc.SetValue("Fresh", "K", "v");
    ASSERT_TRUE(doc.Value("fresh", "k", v));
    EXPECT_EQ(v, "v");
    // Non-ASCII names match without regard to case, as the scan did.
    IniDocument accented = IniDocument::FromBytes(QString::fromUtf8("[Ärger]\nÖl=ja\n").toUtf8());
    ASSERT_TRUE(accented.Value(QString::fromUtf8("ärger"), QString::fromUtf8("öL"), v));
    EXPECT_EQ(v, "ja");
}

TEST_F(IniFileTest, FileAtTheBoundHoldsFewTimesItsSize)
{
    // Empty lines, short sections with the first one's name among them, distinct short keys.
    const std::function<QByteArray(int)> lineMakers[] = {
        [](int) { return QByteArray(1024, '\n'); },
        [](int n) { return n % 8 ? "[" + QByteArray::number(n) + "]\n" : QByteArray("[SETTING]\nA=2\n"); },
        [](int n) { return "k" + QByteArray::number(n) + (n % 2 ? "\n" : "=\n"); },
    };
    for (const auto& lineAt : lineMakers) {
        QByteArray bytes("[Setting]\nA=1\n");
        const QByteArray last("[Z]\nZ=end\n");
        for (int n = 0; bytes.size() + last.size() + 1024 < kMaxIniFileBytes; ++n) bytes += lineAt(n);
        ASSERT_TRUE(WriteFileBytes(path(), bytes + last));
        bytes = QByteArray();
        ReleaseFreedMemory();
        ASSERT_TRUE(ResetPeak());
        const long long before = ResidentKb("VmRSS:");
        const IniDocument doc = IniDocument::FromFile(path());
        QString value;
        EXPECT_TRUE(doc.Value("Setting", "A", value));
        EXPECT_EQ(value, "1");
        EXPECT_TRUE(doc.Value("z", "Z", value));
        EXPECT_EQ(value, "end");
        EXPECT_FALSE(doc.Value("Setting", "B", value));
        const long long grown = ResidentKb("VmHWM:") - before;
        EXPECT_LT(grown, 4 * kMaxIniFileBytes / 1024 + 16 * 1024) << "KiB";
        // Read and written back: the very same bytes.
        EXPECT_EQ(doc.ToBytes(), ReadFileBytes(path()));
    }
}
