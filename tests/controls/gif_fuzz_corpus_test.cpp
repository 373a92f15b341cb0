// Replays the GIF fuzzer's seed corpus through the fuzz target itself.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

TEST(GifFuzzCorpus, EverySeedRunsCleanly)
{
    const QDir dir(QStringLiteral(SVP_GIF_CORPUS_DIR));
    const QStringList seeds = dir.entryList(QDir::Files, QDir::Name);
    ASSERT_GE(seeds.size(), 5) << "seed corpus missing in " << SVP_GIF_CORPUS_DIR;
    for (const QString& name : seeds) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray bytes = f.readAll();
        // An exact-size copy so that reads past the end are caught.
        std::vector<std::uint8_t> copy(bytes.begin(), bytes.end());
        EXPECT_EQ(LLVMFuzzerTestOneInput(copy.data(), copy.size()), 0) << name.toStdString();
    }
}

} // namespace
