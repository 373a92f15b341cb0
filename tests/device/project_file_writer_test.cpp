#include "device/CDeviceData.h"
#include "device/PathUtils.h"
#include "device/ProjectFileTable.h"
#include "device/ProjectFileWriter.h"
#include "DeviceFileTestSupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstring>
#include <memory>

#include <gtest/gtest.h>

namespace {

// A fixed set-up: every byte from a simple pattern, then a few fields set so that clamps run.
void FillGoldenBlock(DeviceParamBlock& b)
{
    auto* bytes = reinterpret_cast<uint8_t*>(&b);
    for (size_t i = 0; i < sizeof b; ++i) bytes[i] = static_cast<uint8_t>((i * 7 + 3) & 0xFF);
    b.picComm.gamma = 2.2f;
    b.outputReso.resoIndex = 25;
    b.mosaic.win.hPos[0] = 1600;
    b.mosaic.win.hTotal[0] = 1920;
    b.mosaic.win.hAct[0] = 500;
}

QString Line(const QByteArray& file, const QByteArray& key)
{
    const QList<QByteArray> lines = file.split('\n');
    for (const QByteArray& l : lines)
        if (l.startsWith(key + "=")) return QString::fromLatin1(l.mid(key.size() + 1)).chopped(1);
    return "<absent>";
}

class WriterTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::unique_ptr<CDeviceData> dev = std::make_unique<CDeviceData>();
    QString path() const { return dir.filePath("set.pro"); }
};

}  // namespace

TEST_F(WriterTest, GoldenFile)
{
    FillGoldenBlock(dev->Block());
    ASSERT_TRUE(SaveProjectFile(dev->Block(), path()));
    const QByteArray bytes = ReadFileBytes(path());
    ASSERT_TRUE(bytes.startsWith("[OUTPUTRESO]\r\nRESOINDEX=17\r\n"));
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_FALSE(bytes.startsWith("\xFF\xFE"));
    const QList<QByteArray> lines = bytes.chopped(2).split('\n');
    ASSERT_EQ(lines.size(), 13 + 1143);
    int sections = 0;
    int keys = 0;
    QList<QByteArray> order;
    for (const QByteArray& l : lines) {
        ASSERT_TRUE(l.endsWith('\r') || &l == &lines.back()) << l.toStdString();
        if (l.startsWith('[')) {
            ++sections;
            order << l.mid(1, l.indexOf(']') - 1);
        } else {
            ++keys;
            EXPECT_EQ(l.count('='), 1);
            EXPECT_EQ(l.count(' '), 0);
        }
    }
    EXPECT_EQ(sections, 13);
    EXPECT_EQ(keys, 1143);
    EXPECT_EQ(order, (QList<QByteArray>{"OUTPUTRESO", "PICCOMMSETT", "MOSAICSETT", "CHNLDATA", "INPUTINFO", "EDIDINFO",
                                       "TASKEINFO", "LOGOINFO", "PVWMODEINFO", "KEYERINFO", "LOOPINFO",
                                       "MACHINESYNCMODE", "COMPOSITEBOARD"}));
    for (char c : bytes) ASSERT_TRUE(uchar(c) < 0x80);
    // The hash was checked against an independent model of the format.
    // Spot values by hand: hReso bytes 4,5 are 31 and 38 -> 0x261F = 9759, clamped to 4080.
    EXPECT_EQ(Line(bytes, "HRESO"), "4080");
    EXPECT_EQ(Line(bytes, "HPOL"), QString::number((0x16 * 7 + 3) & 0xFF));
    EXPECT_EQ(Line(bytes, "GAMMA"), "2.200000");
    EXPECT_EQ(Line(bytes, "HACT0"), "320");
    EXPECT_EQ(ReadFileBytes(path()).size(), bytes.size());
    const QByteArray sha = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
    EXPECT_EQ(bytes.size(), 18388);
    EXPECT_EQ(sha, QByteArray("b8262e80d0731697c7ca283a02baf50a998f029bbf947c440fc514bd3668c9ba"));
}

TEST_F(WriterTest, OutputResolutionClampsStayInTheDeviceState)
{
    auto& o = dev->outputReso;
    const auto save = [&] { ASSERT_TRUE(SaveProjectFile(dev->Block(), path())); };
    o.resoIndex = 25;
    save();
    EXPECT_EQ(o.resoIndex, 17);
    EXPECT_EQ(Line(ReadFileBytes(path()), "RESOINDEX"), "17");
    o.resoIndex = 19;
    save();
    EXPECT_EQ(o.resoIndex, 17);
    o.resoIndex = -3;
    save();
    EXPECT_EQ(o.resoIndex, 0);
    o.resoIndex = 18;
    save();
    EXPECT_EQ(o.resoIndex, 18);
    o.hReso = 4080;
    save();
    EXPECT_EQ(o.hReso, 4080);
    o.hReso = 5000;
    save();
    EXPECT_EQ(o.hReso, 4080);
    o.hReso = 0;
    save();
    EXPECT_EQ(o.hReso, 640);
    EXPECT_EQ(Line(ReadFileBytes(path()), "HRESO"), "640");
}

TEST_F(WriterTest, EveryRangeClampBelowAndAbove)
{
    const auto& layout = ProjectFileLayout();
    for (int pass = 0; pass < 2; ++pass) {
        int checked = 0;
        for (const auto& e : layout)
            if (e.clamp == ProjectClamp::Range) WriteProjectField(dev->Block(), e, pass == 0 ? 0 : 0xFFFF);
        ASSERT_TRUE(SaveProjectFile(dev->Block(), path()));
        const QByteArray file = ReadFileBytes(path());
        for (const auto& e : layout) {
            if (e.clamp != ProjectClamp::Range) continue;
            const int64_t want = pass == 0 ? e.lo : e.hi;
            EXPECT_EQ(ReadProjectField(dev->Block(), e), want) << e.key.toStdString();
            ++checked;
        }
        EXPECT_EQ(checked, 9 + 96 + 21);
        EXPECT_EQ(Line(file, "HACT113"), pass == 0 ? "32" : "65535");
        EXPECT_EQ(Line(file, "FPS6"), pass == 0 ? "2000" : "12100");
    }
    dev->edid[0].fps = 1999;
    dev->edid[1].fps = 12101;
    dev->crop[3][2].hAct = 0;
    ASSERT_TRUE(SaveProjectFile(dev->Block(), path()));
    EXPECT_EQ(dev->edid[0].fps, 2000);
    EXPECT_EQ(dev->edid[1].fps, 12100);
    EXPECT_EQ(dev->crop[3][2].hAct, 32);
    EXPECT_EQ(Line(ReadFileBytes(path()), "HACT32"), "32");
}

TEST_F(WriterTest, SplicingSpanClampIsUnsigned)
{
    auto& m = dev->mosaic.win;
    m.hPos[1] = 1600;
    m.hTotal[1] = 1920;
    m.hAct[1] = 500;
    m.hPos[2] = 2000;
    m.hTotal[2] = 1920;
    m.hAct[2] = 500;
    m.vPos[3] = 100;
    m.vTotal[3] = 1080;
    m.vAct[3] = 1000;
    m.vPos[0] = 10;
    m.vTotal[0] = 1080;
    m.vAct[0] = -1;  // as unsigned the largest value: clamped
    ASSERT_TRUE(SaveProjectFile(dev->Block(), path()));
    EXPECT_EQ(m.hAct[1], 320);
    EXPECT_EQ(m.hAct[2], 500);
    EXPECT_EQ(m.vAct[3], 980);
    EXPECT_EQ(m.vAct[0], 1070);
    const QByteArray file = ReadFileBytes(path());
    EXPECT_TRUE(file.contains("[MOSAICSETT]\r\nMOSAICMODE=0\r\nMOSAICAUTOARR=0\r\nHPOS0=0\r\nVPOS0=10\r\nHACT0=0\r\nVACT0=1070\r\n"));
    EXPECT_TRUE(file.contains("HPOS1=1600\r\nVPOS1=0\r\nHACT1=320\r\n"));
}

TEST_F(WriterTest, ScheduleAndUncoveredFieldsAreNeverAltered)
{
    FillRandomInRange(dev->Block(), 99);
    dev->taskStatus = 250;
    dev->task[0].year = 255;
    dev->task[0].option = -5;
    DeviceParamBlock before = dev->Block();
    ASSERT_TRUE(SaveProjectFile(dev->Block(), path()));
    EXPECT_EQ(std::memcmp(&before, &dev->Block(), sizeof before), 0);
}

TEST_F(WriterTest, KeyerRedLinesAndGamma)
{
    dev->keyer[0].redL = 11;
    dev->keyer[0].redH = 22;
    dev->keyer[1].redL = 33;
    dev->keyer[1].redH = 44;
    dev->picComm.gamma = 2.2f;
    ASSERT_TRUE(SaveProjectFile(dev->Block(), path()));
    const QByteArray file = ReadFileBytes(path());
    EXPECT_TRUE(file.contains("\r\nKEYERREDL=11\r\nKEYERREDL=22\r\nKEYERGREENL="));
    EXPECT_TRUE(file.contains("\r\nKEYERREDL1=33\r\nKEYERREDL1=44\r\nKEYERGREENL1="));
    EXPECT_TRUE(file.contains("\r\nGAMMA=2.200000\r\n"));
    EXPECT_TRUE(file.contains("[PICCOMMSETT]\r\nPICMODE=0\r\nBRIGHTLEVEL=0\r\nGAMMA=2.200000\r\n[MOSAICSETT]"));
}

TEST_F(WriterTest, SaveOverALongerFileLeavesNoRemnant)
{
    ASSERT_TRUE(WriteFileBytes(path(), QByteArray(200000, 'X')));
    ASSERT_TRUE(SaveProjectFile(dev->Block(), path()));
    const QByteArray file = ReadFileBytes(path());
    EXPECT_LT(file.size(), 200000);
    EXPECT_FALSE(file.contains("XX"));
    EXPECT_TRUE(file.endsWith("\r\nCMPBOARDACTINTERLACE=0\r\n"));
}

// A save whose last byte fails (a full disk) says so and leaves the earlier file byte for byte.
TEST_F(WriterTest, ASaveThatFailsAtItsEndLeavesTheEarlierFile)
{
    FillGoldenBlock(dev->Block());
    ASSERT_TRUE(SaveProjectFile(dev->Block(), path()));
    const QByteArray before = ReadFileBytes(path());
    EXPECT_FALSE(WithFileSizeLimit(before.size() - 1, [&] { return SaveProjectFile(dev->Block(), path()); }));
    EXPECT_EQ(ReadFileBytes(path()), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"set.pro"});
}

TEST_F(WriterTest, UncreatableFileChangesNothing)
{
    dev->outputReso.hReso = 0;
    EXPECT_FALSE(SaveProjectFile(dev->Block(), dir.filePath("missing/folder/x.pro")));
    EXPECT_EQ(dev->outputReso.hReso, 0);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("missing")));
    EXPECT_FALSE(SaveProjectFile(dev->Block(), QString()));
}

TEST_F(WriterTest, FileSavedToANewPathHasNoByteOrderMark)
{
    ASSERT_FALSE(QFileInfo::exists(path()));
    ASSERT_TRUE(SaveProjectFile(dev->Block(), path()));
    EXPECT_TRUE(ReadFileBytes(path()).startsWith("[OUTPUTRESO]\r\nRESOINDEX=0\r\n"));
}

TEST_F(WriterTest, LongPathIsNotTruncated)
{
    QString sub = dir.path();
    for (int i = 0; i < 6; ++i) sub += "/" + QString(40, QChar('a' + i));
    ASSERT_TRUE(QDir().mkpath(sub));
    const QString longPath = sub + "/" + QString(60, 'p') + ".pro";
    ASSERT_GT(longPath.size(), 255);
    ASSERT_TRUE(SaveProjectFile(dev->Block(), longPath));
    EXPECT_TRUE(QFileInfo(longPath).isFile());
}

class EnsureProjectFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        qputenv("SVP_APP_DIR", QFile::encodeName(app.path()));
        previous = QDir::currentPath();
        QDir::setCurrent(cwd.path());
    }
    void TearDown() override
    {
        QDir::setCurrent(previous);
        qunsetenv("SVP_APP_DIR");
    }
    QTemporaryDir app;
    QTemporaryDir cwd;
    QString previous;
};

TEST_F(EnsureProjectFileTest, EmptyPathGivesTheDatedDefault)
{
    QString path;
    EnsureProjectFile(path, QDate(2024, 5, 17));
    EXPECT_EQ(path, app.path() + "/Project/2024-05-17/2024-05-17.pro");
    EXPECT_TRUE(QFileInfo(app.path() + "/Project/2024-05-17").isDir());
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST_F(EnsureProjectFileTest, ExistingFileIsKept)
{
    QString path = app.filePath("show.txt");
    ASSERT_TRUE(WriteFileBytes(path, "x"));
    EnsureProjectFile(path);
    EXPECT_EQ(path, app.filePath("show.txt"));
    EXPECT_EQ(ReadFileBytes(path), QByteArray("x"));
}

TEST_F(EnsureProjectFileTest, OtherExtensionInAnExistingFolder)
{
    QString path = app.filePath("show.txt");
    EnsureProjectFile(path);
    EXPECT_EQ(path, app.filePath("show.pro"));
    EXPECT_EQ(ReadFileBytes(path), QByteArray("\xFF\xFE"));
}

TEST_F(EnsureProjectFileTest, BareFileNameMakesAFolderInTheCurrentDirectory)
{
    QString path = "show.pro";
    EnsureProjectFile(path);
    EXPECT_EQ(path, "show/show.pro");
    EXPECT_EQ(ReadFileBytes(cwd.filePath("show/show.pro")), QByteArray("\xFF\xFE"));
}

TEST_F(EnsureProjectFileTest, MissingFolderLevelsAreAllCreated)
{
    QString path = app.filePath("a/b/show.pro");
    EnsureProjectFile(path);
    EXPECT_EQ(path, app.filePath("a/b/show/show.pro"));
    EXPECT_EQ(ReadFileBytes(path), QByteArray("\xFF\xFE"));
}

TEST_F(EnsureProjectFileTest, FileNameWithoutExtension)
{
    QString path = app.filePath("plain");
    EnsureProjectFile(path);
    EXPECT_EQ(path, app.filePath("plain.pro"));
    EXPECT_TRUE(QFileInfo(path).isFile());
}

TEST_F(EnsureProjectFileTest, DotInAFolderNameIsNoExtension)
{
    ASSERT_TRUE(QDir(app.path()).mkdir("dir.v2"));
    QString path = app.filePath("dir.v2/name.txt");
    EnsureProjectFile(path);
    EXPECT_EQ(path, app.filePath("dir.v2/name.pro"));
}

TEST_F(WriterTest, SaveThroughALinkUpdatesTheLinkedFile)
{
    const QString real = dir.filePath("real.pro");
    const QString link = dir.filePath("link.pro");
    ASSERT_TRUE(WriteFileBytes(real, QByteArray("old")));
    ASSERT_TRUE(QFile::link(real, link));
    ASSERT_TRUE(SaveProjectFile(dev->Block(), link));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_TRUE(ReadFileBytes(real).startsWith("[OUTPUTRESO]\r\n"));
}
