// The decoder layer over libavcodec: pictures, strides, cropping, end of stream and reset.
#include "TestStream.h"
#include "platform/H264Decoder.h"

#include <gtest/gtest.h>

namespace {

struct Decoded {
    std::vector<QuadrantColours> colours;
    Hi264DecPicture last{};
    int endOfStream = 0;
};

// Feeds every packet, draining after each, like the preview channel does.
void Feed(Hi264DecHandle decoder, const uint8_t* data, uint32_t length, Decoded* out)
{
    Hi264DecPicture picture{};
    const uint32_t flags = length == 0 ? HI264_FLAG_END_OF_STREAM : 0;
    int r = Hi264DecFrame(decoder, data, length, 0, &picture, flags);
    for (int guard = 0; guard < 64; ++guard) {
        if (r == HI264_NEED_MORE) return;
        if (r == HI264_END_OF_STREAM) {
            ++out->endOfStream;
            return;
        }
        if (r == HI264_PICTURE) {
            QuadrantColours c{};
            SampleQuadrants({picture.y, picture.u, picture.v, picture.width, picture.height - picture.cropBottom,
                             picture.lumaStride, picture.chromaStride},
                            &c);
            out->colours.push_back(c);
            out->last = picture;
        }
        r = Hi264DecFrame(decoder, nullptr, 0, 0, &picture, flags);
    }
    FAIL() << "decoder never stopped answering";
}

EncodedStream MustEncode(int w, int h, int n, int first)
{
    std::string error;
    EncodedStream s = EncodeQuadrantStream(w, h, n, first, &error);
    EXPECT_FALSE(s.packets.empty()) << error;
    return s;
}

}  // namespace

TEST(H264Decoder, CreateRefusesNullAttributes)
{
    EXPECT_EQ(Hi264DecCreate(nullptr), nullptr);
    Hi264DecDestroy(nullptr);
}

TEST(H264Decoder, RejectsNullArguments)
{
    Hi264DecAttr attr{};
    Hi264DecHandle decoder = Hi264DecCreate(&attr);
    ASSERT_NE(decoder, nullptr);
    Hi264DecPicture picture{};
    const uint8_t byte = 0;
    EXPECT_EQ(Hi264DecFrame(nullptr, &byte, 1, 0, &picture, 0), HI264_BAD_ARGUMENT);
    EXPECT_EQ(Hi264DecFrame(decoder, &byte, 1, 0, nullptr, 0), HI264_BAD_ARGUMENT);
    EXPECT_EQ(Hi264DecFrame(decoder, nullptr, 5, 0, &picture, 0), HI264_BAD_ARGUMENT);
    Hi264DecDestroy(decoder);
}

TEST(H264Decoder, DecodesEveryPictureWithPaddedStrides)
{
    const EncodedStream stream = MustEncode(352, 240, 12, 0);
    ASSERT_EQ(stream.packets.size(), 12u);
    Hi264DecAttr attr{0, 0, 22, 15, 16, 0, 0, 0};
    Hi264DecHandle decoder = Hi264DecCreate(&attr);
    ASSERT_NE(decoder, nullptr);
    Decoded out;
    for (const auto& p : stream.packets) Feed(decoder, p.data(), static_cast<uint32_t>(p.size()), &out);
    // Low delay: every packet has given its picture before the end of the stream.
    EXPECT_EQ(out.colours.size(), 12u);
    Feed(decoder, nullptr, 0, &out);
    EXPECT_EQ(out.endOfStream, 1);
    ASSERT_EQ(out.colours.size(), 12u);
    for (size_t i = 0; i < out.colours.size(); ++i)
        EXPECT_TRUE(ColoursClose(out.colours[i], ColoursForPicture(static_cast<int>(i))))
            << i << ": " << DescribeColours(out.colours[i]);
    EXPECT_EQ(out.last.width, 352);
    EXPECT_EQ(out.last.height - out.last.cropBottom, 240);
    EXPECT_GE(out.last.lumaStride, 352);
    EXPECT_GE(out.last.chromaStride, 176);
    Hi264DecDestroy(decoder);
}

TEST(H264Decoder, ReportsBottomCroppingOf1080)
{
    const EncodedStream stream = MustEncode(1920, 1080, 3, 5);
    Hi264DecAttr attr{0, 0, 120, 68, 16, 0, 0, 0};
    Hi264DecHandle decoder = Hi264DecCreate(&attr);
    ASSERT_NE(decoder, nullptr);
    Decoded out;
    for (const auto& p : stream.packets) Feed(decoder, p.data(), static_cast<uint32_t>(p.size()), &out);
    Feed(decoder, nullptr, 0, &out);
    ASSERT_EQ(out.colours.size(), 3u);
    EXPECT_EQ(out.last.width, 1920);
    EXPECT_EQ(out.last.height, 1088);
    EXPECT_EQ(out.last.cropBottom, 8);
    EXPECT_TRUE(ColoursClose(out.colours[2], ColoursForPicture(7))) << DescribeColours(out.colours[2]);
    Hi264DecDestroy(decoder);
}

TEST(H264Decoder, ResetsAfterEndOfStreamSoTheNextStreamDecodes)
{
    const EncodedStream first = MustEncode(352, 240, 4, 0);
    const EncodedStream second = MustEncode(352, 240, 4, 10);
    Hi264DecAttr attr{};
    Hi264DecHandle decoder = Hi264DecCreate(&attr);
    ASSERT_NE(decoder, nullptr);
    Decoded out;
    for (const auto& p : first.packets) Feed(decoder, p.data(), static_cast<uint32_t>(p.size()), &out);
    Feed(decoder, nullptr, 0, &out);
    for (const auto& p : second.packets) Feed(decoder, p.data(), static_cast<uint32_t>(p.size()), &out);
    Feed(decoder, nullptr, 0, &out);
    EXPECT_EQ(out.endOfStream, 2);
    ASSERT_EQ(out.colours.size(), 8u);
    EXPECT_TRUE(ColoursClose(out.colours[4], ColoursForPicture(10))) << DescribeColours(out.colours[4]);
    EXPECT_TRUE(ColoursClose(out.colours[7], ColoursForPicture(13))) << DescribeColours(out.colours[7]);
    Hi264DecDestroy(decoder);
}

TEST(H264Decoder, SurvivesGarbageAndRecoversAtTheNextKeyFrame)
{
    const EncodedStream stream = MustEncode(352, 240, 16, 0);  // key frames at 0 and 15
    Hi264DecAttr attr{};
    Hi264DecHandle decoder = Hi264DecCreate(&attr);
    ASSERT_NE(decoder, nullptr);
    Decoded out;
    std::vector<uint8_t> junk(5000);
    for (size_t i = 0; i < junk.size(); ++i) junk[i] = static_cast<uint8_t>(i * 131 + 7);
    junk[0] = 0; junk[1] = 0; junk[2] = 1; junk[3] = 0x65;  // a slice start code with junk behind it
    Feed(decoder, junk.data(), static_cast<uint32_t>(junk.size()), &out);
    std::vector<uint8_t> truncated(stream.packets[3].begin(), stream.packets[3].begin() + 7);
    Feed(decoder, truncated.data(), static_cast<uint32_t>(truncated.size()), &out);
    const auto& key = stream.packets[15];
    Feed(decoder, key.data(), static_cast<uint32_t>(key.size()), &out);
    ASSERT_FALSE(out.colours.empty());
    EXPECT_TRUE(ColoursClose(out.colours.back(), ColoursForPicture(15))) << DescribeColours(out.colours.back());
    Hi264DecDestroy(decoder);
}

TEST(H264Decoder, AHeldPictureOutlivesLaterPicturesAndTheDecoder)
{
    const EncodedStream stream = MustEncode(352, 240, 12, 0);
    ASSERT_EQ(stream.packets.size(), 12u);
    Hi264DecAttr attr{};
    Hi264DecHandle decoder = Hi264DecCreate(&attr);
    ASSERT_NE(decoder, nullptr);
    Hi264DecPicture picture{}, planes{};
    EXPECT_EQ(Hi264DecHoldPicture(decoder, &picture, &planes), nullptr);  // nothing decoded yet
    EXPECT_EQ(Hi264DecHoldPicture(nullptr, &picture, &planes), nullptr);

    // Hold picture 2, then decode the rest of the stream over it.
    Hi264DecPictureHold hold = nullptr;
    int pictures = 0;
    for (const auto& packet : stream.packets) {
        int r = Hi264DecFrame(decoder, packet.data(), static_cast<uint32_t>(packet.size()), 0, &picture, 0);
        while (r == HI264_PICTURE) {
            if (pictures++ == 2) {
                hold = Hi264DecHoldPicture(decoder, &picture, &planes);
                ASSERT_NE(hold, nullptr);
                EXPECT_EQ(planes.y, picture.y);  // the same planes, not a copy
                EXPECT_EQ(planes.lumaStride, picture.lumaStride);
            }
            r = Hi264DecFrame(decoder, nullptr, 0, 0, &picture, 0);
        }
    }
    EXPECT_GE(pictures, 10);
    Hi264DecDestroy(decoder);

    QuadrantColours c{};
    SampleQuadrants({planes.y, planes.u, planes.v, planes.width, planes.height - planes.cropBottom, planes.lumaStride,
                     planes.chromaStride},
                    &c);
    EXPECT_TRUE(ColoursClose(c, ColoursForPicture(2))) << DescribeColours(c);
    Hi264DecReleasePicture(hold);
    Hi264DecReleasePicture(nullptr);
}
