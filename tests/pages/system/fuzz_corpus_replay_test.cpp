// Replays the checked-in seed corpora of the system pages' fuzz targets through the same functions
// the fuzzers call: the caption BMP readers and transfer, the encoder's answer, the system
// information texts and the schedule task and clock rules.
#include "../../../fuzz/CorpusReplay.h"
#include "../../../fuzz/pages/CaptionFuzzBody.h"
#include "../../../fuzz/pages/EncoderAnswerFuzzBody.h"
#include "../../../fuzz/pages/SystemFuzzBodies.h"

#include <gtest/gtest.h>

namespace {

struct Corpus {
    const char* target;
    void (*body)(const uint8_t*, size_t);
};

void PrintTo(const Corpus& c, std::ostream* os) { *os << c.target; }

class PagesFuzzCorpus : public testing::TestWithParam<Corpus> {};

TEST_P(PagesFuzzCorpus, EverySeedRunsClean)
{
    const Corpus c = GetParam();
    const QString dir = QStringLiteral(SVP_SOURCE_DIR "/fuzz/pages/corpus/") + QString::fromLatin1(c.target);
    EXPECT_GE(fuzz_replay::ReplayCorpus(dir, c.body), 5) << dir.toStdString();
    c.body(nullptr, 0);
}

INSTANTIATE_TEST_SUITE_P(Targets, PagesFuzzCorpus,
                         testing::Values(Corpus{"caption_bmp", fuzz_pages::CaptionBmpOne},
                                         Corpus{"encoder_answer", fuzz_pages::EncoderAnswerOne},
                                         Corpus{"system_info", fuzz_pages::SystemInfoOne},
                                         Corpus{"task_rules", fuzz_pages::TaskRulesOne}),
                         [](const testing::TestParamInfo<Corpus>& info) { return std::string(info.param.target); });

// The seeds reach what they are there for: valid pictures read and send, broken ones are refused
// for their own reason (the sent file's reader refuses more than the system's reader of a picked
// picture: top-down rows; run-length rows that run past the file are refused by both).
TEST(CaptionFuzzCorpus, SeedsReadAsNamed)
{
    const QString dir = QStringLiteral(SVP_SOURCE_DIR "/fuzz/pages/corpus/caption_bmp/");
    struct Row {
        const char* file;
        caption::BmpError mono;
        caption::BmpError decoded;
    };
    using E = caption::BmpError;
    const Row rows[] = {
        {"mono_16x2.bmp", E::None, E::None},
        {"mono_3840x3.bmp", E::None, E::None},
        {"rgb24_4x2.bmp", E::UnsupportedDepth, E::None},
        {"pal8_short_palette.bmp", E::UnsupportedDepth, E::None},
        {"bad_rows_cut.bmp", E::DataOutsideFile, E::DataOutsideFile},
        {"rle8_37x2_padded_rows.bmp", E::Compressed, E::None},
        {"rle4_5x1_literal_past_edge.bmp", E::Compressed, E::None},
        {"bad_rle8.bmp", E::Compressed, E::DataOutsideFile},
        {"bad_rle4_move.bmp", E::Compressed, E::OutsidePicture},
        {"bad_top_down.bmp", E::BadSize, E::None},
        {"bad_too_tall.bmp", E::TooLarge, E::TooLarge},
        {"bad_depth_2.bmp", E::UnsupportedDepth, E::BadHeader},
        {"bad_info_size.bmp", E::BadHeader, E::BadHeader},
        {"bad_data_offset.bmp", E::DataOutsideFile, E::DataOutsideFile},
        {"not_bmp.bin", E::NotBmp, E::NotBmp},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.file);
        QFile f(dir + QString::fromLatin1(r.file));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        caption::MonoBitmap mono;
        QImage image;
        EXPECT_EQ(caption::BmpErrorName(caption::ReadMonoBmp(bytes, mono)), caption::BmpErrorName(r.mono));
        EXPECT_EQ(caption::BmpErrorName(caption::DecodeBmp(bytes, image)), caption::BmpErrorName(r.decoded));
    }
    QFile wide(dir + QStringLiteral("mono_3840x3.bmp"));
    ASSERT_TRUE(wide.open(QIODevice::ReadOnly));
    caption::MonoBitmap mono;
    ASSERT_EQ(caption::ReadMonoBmp(wide.readAll(), mono), caption::BmpError::None);
    EXPECT_EQ(caption::AllChunks(mono, false).size(), 2u);
}

}  // namespace
