// Replays the seed corpus of the H.264 fuzz target through the function the fuzzer calls, and
// checks that the valid seeds still decode to pictures (so that they keep reaching the picture
// code rather than stopping at the parser).
#include "../../fuzz/CorpusReplay.h"
#include "../../fuzz/preview/H264FuzzBody.h"

#include <gtest/gtest.h>

namespace {

const QString kCorpus = QStringLiteral(SVP_SOURCE_DIR "/fuzz/preview/corpus/h264_stream");

TEST(H264FuzzCorpus, EverySeedRunsClean)
{
    EXPECT_GE(fuzz_replay::ReplayCorpus(kCorpus, fuzz_preview::H264StreamOne), 5);
    fuzz_preview::H264StreamOne(nullptr, 0);
}

TEST(H264FuzzCorpus, ValidSeedsDecodeToPictures)
{
    // A packet is one access unit to the decoder: the whole clip in one packet is one picture.
    const struct {
        const char* name;
        int pictures;
    } seeds[] = {{"clip_32x32_3_frames", 3}, {"clip_50x18_cropped", 2}, {"clip_split_packets", 1}, {"clip_one_packet", 1}};
    for (const auto& seed : seeds) {
        SCOPED_TRACE(seed.name);
        QFile f(kCorpus + QLatin1Char('/') + QString::fromLatin1(seed.name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        Hi264DecAttr attr{};
        Hi264DecHandle decoder = Hi264DecCreate(&attr);
        ASSERT_NE(decoder, nullptr);
        int pictures = 0;
        Hi264DecPicture picture{};
        const auto* data = reinterpret_cast<const uint8_t*>(bytes.constData());
        for (qsizetype at = 0; at + 2 <= bytes.size();) {
            const qsizetype length = data[at] | data[at + 1] << 8;
            at += 2;
            ASSERT_LE(at + length, bytes.size());
            int r = Hi264DecFrame(decoder, data + at, static_cast<uint32_t>(length), 0, &picture, 0);
            for (; r == HI264_PICTURE; r = Hi264DecFrame(decoder, nullptr, 0, 0, &picture, 0)) ++pictures;
            at += length;
        }
        for (int r = Hi264DecFrame(decoder, nullptr, 0, 0, &picture, HI264_FLAG_END_OF_STREAM); r == HI264_PICTURE;
             r = Hi264DecFrame(decoder, nullptr, 0, 0, &picture, HI264_FLAG_END_OF_STREAM))
            ++pictures;
        Hi264DecDestroy(decoder);
        EXPECT_GE(pictures, seed.pictures);
    }
}

}  // namespace
