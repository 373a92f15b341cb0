#include "device/CDeviceData.h"
#include "device/IniLineRoutines.h"
#include "device/PathUtils.h"
#include "device/ProjectFileReader.h"
#include "device/ProjectFileTable.h"
#include "device/ProjectFileWriter.h"
#include "DeviceFileTestSupport.h"

#include <QTemporaryDir>

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <random>

#include <gtest/gtest.h>

namespace {

class ReaderTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::unique_ptr<CDeviceData> dev = std::make_unique<CDeviceData>();
    RecordingMainWindowLink link;
    QString path(const char* name = "p.pro") const { return dir.filePath(name); }

    void ExpectKeyedFieldsEqual(const DeviceParamBlock& want, const DeviceParamBlock& got)
    {
        for (const auto& e : ProjectFileLayout()) {
            if (e.type == ProjectFieldType::F32)
                EXPECT_NEAR(ReadProjectFloat(got, e), ReadProjectFloat(want, e), 1e-5) << e.key.toStdString();
            else
                EXPECT_EQ(ReadProjectField(got, e), ReadProjectField(want, e)) << e.section.toStdString() << "/"
                                                                               << e.key.toStdString();
        }
    }
};

QByteArray Shuffled(const QByteArray& file, uint32_t seed)
{
    // Sections in another order, key lines shuffled inside their section.
    std::mt19937 rng(seed);
    std::vector<QList<QByteArray>> sections;
    for (const QByteArray& l : file.split('\n')) {
        if (l.isEmpty()) continue;
        if (l.startsWith('[')) sections.push_back({l});
        else sections.back().append(l);
    }
    for (auto& s : sections) std::shuffle(s.begin() + 1, s.end(), rng);
    std::shuffle(sections.begin(), sections.end(), rng);
    QByteArray out;
    for (const auto& s : sections)
        for (const QByteArray& l : s) out += l + "\n";
    return out;
}

// Lines of a saved file (without their ends) reordered, duplicated, dropped and mixed with blank
// and malformed ones, some before the first section.
QByteArray Scrambled(const QByteArray& file, uint32_t seed)
{
    std::mt19937 rng(seed);
    QList<QByteArray> lines = file.trimmed().split('\n');
    std::shuffle(lines.begin(), lines.end(), rng);
    const char* junk[] = {"", "[", "[]", "[OUTPUTRESO", "=5", "HRESO", " HRESO=1", "KEYERREDL=3", "[KEYERINFO]x"};
    QByteArray out;
    for (const QByteArray& l : lines) {
        const unsigned roll = rng() % 16;
        if (roll == 0) continue;
        out += l.trimmed() + (roll == 1 ? "0\r\n" + l.trimmed() : QByteArray()) + "\r\n";
        if (roll == 2) out += QByteArray(junk[rng() % std::size(junk)]) + "\r\n";
    }
    return out;
}

QByteArray SavedFile(uint32_t seed)
{
    DeviceParamBlock saved{};
    FillRandomInRange(saved, seed);
    QTemporaryDir dir;
    const QString path = dir.filePath("p.pro");
    return SaveProjectFile(saved, path) ? ReadFileBytes(path) : QByteArray();
}

// Every key by FindIniValue, each search going on where the last one ended.
DeviceParamBlock PlainSearchBlock(const QByteArray& file)
{
    MemoryLineSource lines(QString::fromLatin1(file).split(QStringLiteral("\r\n")));
    g_IniSection.clear();
    DeviceParamBlock block{};
    QString value;
    for (const ProjectFileKey& e : ProjectFileLayout()) {
        if (!FindIniValue(value, &lines, e.section, e.key)) continue;
        if (e.type == ProjectFieldType::F32) WriteProjectFloat(block, e, NarrowToFloat(ParseDoubleLikeWtof(value)));
        else WriteProjectField(block, e, ParseIntLikeWtoi(value));
    }
    return block;
}

}  // namespace

TEST_F(ReaderTest, IndexedSearchGivesThePlainSearchsBlock)
{
    const QByteArray saved = SavedFile(9);
    for (uint32_t seed = 1; seed <= 6; ++seed) {
        const QByteArray file = Scrambled(saved, seed);
        DeviceParamBlock indexed{};
        ReadProjectBlock(file, indexed);
        const DeviceParamBlock plain = PlainSearchBlock(file);
        EXPECT_EQ(std::memcmp(&indexed, &plain, sizeof plain), 0) << "seed " << seed;
    }
}

TEST_F(ReaderTest, ReversedFileLoadsAsFastAsTheWrittenOrder)
{
    // The keys in reverse order, each under its section, and each line followed by blank ones to
    // about 1 MiB in all.
    std::vector<QList<QByteArray>> sections;
    for (const QByteArray& l : SavedFile(5).trimmed().split('\n')) {
        if (l.startsWith('[')) sections.push_back({l});
        else sections.back().append(l);
    }
    const QByteArray blanks = QByteArray("\r\n").repeated(kMaxProjectFileBytes / 2 / (kProjectKeyCount + 13) - 12);
    auto padded = [&] {
        QByteArray out;
        for (const auto& section : sections)
            for (const QByteArray& l : section) out += l + '\n' + blanks;
        return out;
    };
    const QByteArray inOrder = padded();
    std::reverse(sections.begin(), sections.end());
    for (auto& section : sections) std::reverse(section.begin() + 1, section.end());
    const QByteArray reversed = padded();
    ASSERT_LE(reversed.size(), kMaxProjectFileBytes);
    auto fastest = [](const QByteArray& file) {
        double best = 1e9;
        for (int run = 0; run < 3; ++run) {
            DeviceParamBlock b{};
            const auto start = std::chrono::steady_clock::now();
            EXPECT_EQ(ReadProjectBlock(file, b), kProjectKeyCount);
            best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        }
        return best;
    };
    const double ratio = fastest(reversed) / fastest(inOrder);
    std::printf("reversed / written order: %.2f\n", ratio);
    EXPECT_LT(ratio, 5.0);
}

TEST_F(ReaderTest, RandomBlockRoundTrips)
{
    for (uint32_t seed = 1; seed <= 5; ++seed) {
        DeviceParamBlock saved{};
        FillRandomInRange(saved, seed);
        const DeviceParamBlock before = saved;
        ASSERT_TRUE(SaveProjectFile(saved, path()));
        EXPECT_EQ(std::memcmp(&before, &saved, sizeof saved), 0) << "in-range values are not clamped";
        const QByteArray file = ReadFileBytes(path());

        DeviceParamBlock loaded{};
        EXPECT_EQ(ReadProjectBlock(file, loaded), kProjectKeyCount);
        ExpectKeyedFieldsEqual(saved, loaded);

        DeviceParamBlock fromUtf16{};
        EXPECT_EQ(ReadProjectBlock(ToUtf16LeWithBom(file), fromUtf16), kProjectKeyCount);
        EXPECT_EQ(std::memcmp(&loaded, &fromUtf16, sizeof loaded), 0);
    }
}

TEST_F(ReaderTest, ShuffledLinesLoadTheSame)
{
    DeviceParamBlock saved{};
    FillRandomInRange(saved, 42);
    // Two equal red bounds, so that the order of the two KEYERREDL lines does not matter.
    saved.keyer[0].redH = saved.keyer[0].redL;
    saved.keyer[1].redH = saved.keyer[1].redL;
    ASSERT_TRUE(SaveProjectFile(saved, path()));
    const QByteArray shuffled = Shuffled(ReadFileBytes(path()), 7);
    ASSERT_NE(shuffled, ReadFileBytes(path()));
    DeviceParamBlock loaded{};
    EXPECT_EQ(ReadProjectBlock(shuffled, loaded), kProjectKeyCount);
    ExpectKeyedFieldsEqual(saved, loaded);
}

TEST_F(ReaderTest, LoadAppliesTheBlockAndPostsTheRefresh)
{
    DeviceParamBlock saved{};
    FillRandomInRange(saved, 3);
    // Values that ParseParamBlock passes through unchanged.
    saved.dpMode[0] = 2;
    saved.dpMode[1] = 2;
    saved.cmpBoard.exist = 0;
    ASSERT_TRUE(SaveProjectFile(saved, path()));
    dev->feather.onOff = 1;
    dev->mosaic.option = 77;
    dev->logo.border = 5;
    dev->freezeState = 1;
    ASSERT_EQ(LoadProjectFile(*dev, path(), &link), ProjectLoad::Applied);
    ExpectKeyedFieldsEqual(saved, dev->Block());
    EXPECT_EQ(dev->fromFile, 0);
    EXPECT_EQ(dev->feather.onOff, 0);
    // Bytes that no key covers keep the device's values.
    EXPECT_EQ(dev->mosaic.option, 77);
    EXPECT_EQ(dev->logo.border, 5);
    EXPECT_EQ(dev->freezeState, 1);
    ASSERT_EQ(link.refreshes.size(), 1u);
    EXPECT_EQ(link.refreshes[0], std::make_pair(2, 0));
}

TEST_F(ReaderTest, NoClampOnReadingAndLowBitsOfNarrowFields)
{
    ASSERT_TRUE(WriteFileBytes(path(), "[OUTPUTRESO]\r\nHRESO=100\r\nHPOL=300\r\nVRESO=70000\r\nRESOINDEX=-9\r\n"
                                       "[PICCOMMSETT]\r\nGAMMA= 2.5junk\r\n"));
    DeviceParamBlock b{};
    EXPECT_EQ(ReadProjectBlock(ReadFileBytes(path()), b), 5);
    EXPECT_EQ(b.outputReso.hReso, 100);
    EXPECT_EQ(b.outputReso.hPol, 44);
    EXPECT_EQ(b.outputReso.vReso, 70000 & 0xFFFF);
    EXPECT_EQ(b.outputReso.resoIndex, -9);
    EXPECT_FLOAT_EQ(b.picComm.gamma, 2.5f);
}

TEST_F(ReaderTest, SingleRedLineGivesBothBounds)
{
    DeviceParamBlock b{};
    EXPECT_EQ(ReadProjectBlock("[KEYERINFO]\r\nKEYERONOFF=1\r\nKEYERMODE=2\r\nKEYERREDL=9\r\nKEYERGREENL=3\r\n", b), 5);
    EXPECT_EQ(b.keyer[0].redL, 9);
    EXPECT_EQ(b.keyer[0].redH, 9);
    EXPECT_EQ(b.keyer[0].greenL, 3);
}

TEST_F(ReaderTest, AbsentKeyKeepsTheCurrentValue)
{
    dev->outputReso.hReso = 1234;
    dev->outputReso.vReso = 777;
    dev->outputReso.fps = 4321;
    ASSERT_TRUE(WriteFileBytes(path(), "[OUTPUTRESO]\r\nRESOINDEX=3\r\nVRESO=1080\r\n"));
    ASSERT_EQ(LoadProjectFile(*dev, path(), &link), ProjectLoad::Applied);
    EXPECT_EQ(dev->outputReso.resoIndex, 3);
    EXPECT_EQ(dev->outputReso.hReso, 1234);  // not the number of the key before it
    EXPECT_EQ(dev->outputReso.vReso, 1080);
    EXPECT_EQ(dev->outputReso.fps, 4321);
}

// A file that is not applied changes nothing. One holding nothing may take the project; one with
// content (junk, too large, a device, a FIFO without a writer) must not be saved over.
TEST_F(ReaderTest, FilesThatAreNotAppliedChangeNothing)
{
    QByteArray oversized = "[OUTPUTRESO]\r\nHRESO=100\r\n";
    oversized += QByteArray(kMaxProjectFileBytes, ' ');
    const QString fifo = path("fifo.pro");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link("/dev/zero", path("zero.pro")));
    struct Case {
        const char* what;
        QString file;
        std::optional<QByteArray> content;  // written first when set
        ProjectLoad expected;
    } const cases[] = {
        {"missing", path("missing.pro"), {}, ProjectLoad::Empty},
        {"no bytes", path(), QByteArray(), ProjectLoad::Empty},
        {"byte-order mark only", path(), QByteArray("\xFF\xFE"), ProjectLoad::Empty},
        {"no key", path(), QByteArray("junk\r\n[X]\r\nA=1\r\n"), ProjectLoad::Refused},
        {"a mark and a line", path(), QByteArray("\xFF\xFE\r\n"), ProjectLoad::Refused},
        {"over the bound", path(), oversized, ProjectLoad::Refused},
        {"a folder", dir.path(), {}, ProjectLoad::Refused},
        {"a FIFO", fifo, {}, ProjectLoad::Refused},
        {"a link to /dev/zero", path("zero.pro"), {}, ProjectLoad::Refused},
    };
    dev->outputReso.hReso = 5;
    dev->inputNames[0].enabled = 1;
    dev->input[0].src = 55;  // ParseParamBlock would disable row 0
    for (const Case& c : cases) {
        if (c.content) {
            ASSERT_TRUE(WriteFileBytes(c.file, *c.content));
        }
        EXPECT_EQ(LoadProjectFile(*dev, c.file, &link), c.expected) << c.what;
        EXPECT_EQ(dev->outputReso.hReso, 5) << c.what;
        EXPECT_EQ(dev->fromFile, 0) << c.what;
        EXPECT_EQ(dev->inputNames[0].enabled, 1) << c.what;
        EXPECT_TRUE(link.refreshes.empty()) << c.what;
    }
}

TEST_F(ReaderTest, EnsuredEmptyFileIsNotApplied)
{
    QString p = path("fresh.pro");
    EnsureProjectFile(p);
    ASSERT_EQ(ReadFileBytes(p), QByteArray("\xFF\xFE"));
    EXPECT_EQ(LoadProjectFile(*dev, p, &link), ProjectLoad::Empty);
    EXPECT_TRUE(link.refreshes.empty());
}

TEST_F(ReaderTest, LinesBeforeTheFirstSectionBelongToNoEarlierFile)
{
    DeviceParamBlock b{};
    ReadProjectBlock("[COMPOSITEBOARD]\r\nCMPBOARDMODE=1\r\n", b);
    DeviceParamBlock c{};
    // The earlier file's last section must not claim this file's leading line.
    EXPECT_EQ(ReadProjectBlock("CMPBOARDEXIST=1\r\n", c), 0);
    EXPECT_EQ(c.cmpBoard.exist, 0);
}

TEST_F(ReaderTest, GlobalLoadUsesTheInstalledLink)
{
    CDeviceData& global = GetDeviceData();
    const DeviceParamBlock saved = global.Block();
    SetMainWindowLink(&link);
    ASSERT_TRUE(WriteFileBytes(path(), "[LOOPINFO]\r\nLOOPOUTIP=3\r\n"));
    EXPECT_EQ(LoadProjectFile(path()), ProjectLoad::Applied);
    EXPECT_EQ(global.loopOutIp, 3);
    EXPECT_EQ(link.refreshes.size(), 1u);
    SetMainWindowLink(nullptr);
    global.fromFile = 1;
    global.ParseParamBlock(saved);
}
