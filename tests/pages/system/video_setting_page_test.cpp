// The encoder settings page on its fixture: the stream command in its three forms, the preview
// format notices, the encoder records, Browse, the result line, and uploads that report through
// the page's messages.

#include "EncoderTestServer.h"

#include "controls/CGdipButton.h"
#include "controls/CMyEdit.h"
#include "controls/oBitmapSlider.h"
#include "controls/oSliderEdit.h"
#include "controls/oRealEdit.h"
#include "device/CommandIds.h"
#include "pages/system/MVideoSettingDlg.h"
#include "pages/system/VideoSettingIds.h"
#include "platform/PageNotifyCodes.h"
#include "tests/support/PageFixture.h"

#include <QDir>
#include <QLabel>

#include <cstring>
#include <fstream>

namespace vs = ctl::video_setting;

namespace {

class VideoSettingPage : public PageFixture<MVideoSettingDlg> {
protected:
    void Record(std::initializer_list<int> bytes)
    {
        uint8_t r[10] = {};
        int i = 0;
        for (int b : bytes) r[i++] = static_cast<uint8_t>(b);
        std::memcpy(GetDeviceData().encoderInfo, r, sizeof r);
        page->OnDeviceInfo();
        Settle();
    }
    std::vector<int> PreviewFormats() const
    {
        std::vector<int> out;
        for (const auto& m : host->Notices(NOTIFY_PREVIEW_FORMAT)) out.push_back(static_cast<int>(m.lParam));
        return out;
    }
    QString Package(std::size_t size, const QString& name = QStringLiteral("VP_venc.tar.gz"))
    {
        QDir().mkpath(AppDir() + "pkg");
        const QString path = AppDir() + "pkg/" + name;
        std::string data(size, '\x5A');
        std::ofstream(path.toStdString(), std::ios::binary).write(data.data(), std::streamsize(size));
        return path;
    }
    void FastUploadTo(uint16_t port)
    {
        encoder_upload::Options o;
        o.port = port;
        o.announcePauseMs = 1;
        o.completePauseMs = 1;
        o.replyAttemptMs = 50;
        page->SetUploadOptions(o);
    }
    QString Result() const { return page->ResultText()->text(); }
};

} // namespace

TEST_F(VideoSettingPage, StartsWithTheListsFilledAndTheStartValues)
{
    ASSERT_EQ(page->QualityList()->GetList()->GetCount(), 4);
    EXPECT_EQ(page->QualityList()->GetCurSel(), 0);
    EXPECT_EQ(page->QualityList()->GetList()->GetText(2), "High Definition");
    ASSERT_EQ(page->ResolutionList()->GetList()->GetCount(), 7);
    EXPECT_EQ(page->ResolutionList()->GetList()->GetText(6), "1920*1080");
    EXPECT_EQ(page->ResolutionList()->GetList()->GetItemData(1), 21u);
    EXPECT_FALSE(page->ResolutionList()->isVisible());
    EXPECT_EQ(page->FrameRateEdit()->GetValue(), 15);
    EXPECT_EQ(page->BitRateEdit()->GetValue(), 6144);
    EXPECT_EQ(page->BitRateEdit()->GetMaximum(), 40960);
    EXPECT_EQ(page->FrameRateEdit()->GetMaximum(), 60);
    EXPECT_FALSE(page->PathEdit()->isEnabled());
    EXPECT_EQ(page->QualityPreset(), 3);
    EXPECT_TRUE(page->GetEncoderIp().isEmpty());
}

TEST_F(VideoSettingPage, EachQualityPresetSendsItsStreamTwiceAndPostsItsFormat)
{
    struct Case {
        int row, fps, code, hi, lo;
    } cases[] = {{0, 15, 21, 0x04, 0x00}, {1, 15, 7, 0x0C, 0x00}, {2, 7, 16, 0x18, 0x00}, {3, 7, 17, 0x20, 0x00}};
    for (const Case& c : cases) {
        link.ClearCalls();
        host->messages.clear();
        ChooseDropRow(page->QualityList(), c.row);
        const auto sent = Sent(CMD_SET_STREAM);
        ASSERT_EQ(sent.size(), 1u) << c.row;
        EXPECT_TRUE(SameBytes(sent[0].bytes, Block32({0, c.fps, c.code, c.hi, c.lo, c.fps, c.code, c.hi, c.lo})))
            << c.row;
        EXPECT_EQ(PreviewFormats(), std::vector<int>{c.code}) << c.row;
        EXPECT_EQ(page->QualityPreset(), c.row);
    }
    // The edits wait for the device's answer.
    EXPECT_EQ(page->FrameRateEdit()->GetValue(), 15);
    EXPECT_EQ(page->BitRateEdit()->GetValue(), 6144);
}

TEST_F(VideoSettingPage, AResolutionChoiceSendsTheEditsWithItsCode)
{
    page->FrameRateEdit()->SetValue(25);
    page->BitRateEdit()->SetValue(2000);
    page->OnDropSelect(vs::IDC_RESOLUTION_LIST, 4);  // 960*540
    const auto sent = Sent(CMD_SET_STREAM);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_TRUE(SameBytes(sent[0].bytes, Block32({0, 25, 19, 0x07, 0xD0, 25, 19, 0x07, 0xD0})));
    Settle();
    EXPECT_EQ(PreviewFormats(), std::vector<int>{19});
    // Rows that are not there send nothing.
    page->OnDropSelect(vs::IDC_RESOLUTION_LIST, 7);
    page->OnDropSelect(vs::IDC_QUALITY_LIST, -1);
    page->OnDropSelect(1234, 0);
    EXPECT_EQ(Sent(CMD_SET_STREAM).size(), 1u);
}

TEST_F(VideoSettingPage, AnEditedRateSendsTheSettingWithFourBlanksAndNoNotice)
{
    Record({2, 0, 15, 7, 0x0C, 0x00});
    link.ClearCalls();
    host->messages.clear();
    TypeAndEnter(page->BitRateEdit(), QStringLiteral("5000"));
    auto sent = Sent(CMD_SET_STREAM);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_TRUE(SameBytes(sent[0].bytes, Block32({0, 15, 7, 0x13, 0x88, 255, 255, 255, 255})));
    TypeAndEnter(page->FrameRateEdit(), QStringLiteral("99"));  // clamped to 60
    sent = Sent(CMD_SET_STREAM);
    ASSERT_GE(sent.size(), 2u);
    EXPECT_TRUE(SameBytes(sent.back().bytes, Block32({0, 60, 7, 0x13, 0x88, 255, 255, 255, 255})));
    EXPECT_TRUE(PreviewFormats().empty());
}

TEST_F(VideoSettingPage, BeforeAnyStreamRecordAnEditSendsTheShownPresetsCode)
{
    TypeAndEnter(page->BitRateEdit(), QStringLiteral("5000"));
    const auto sent = Sent(CMD_SET_STREAM);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_TRUE(SameBytes(sent[0].bytes, Block32({0, 15, 21, 0x13, 0x88, 255, 255, 255, 255})));
}

TEST_F(VideoSettingPage, StreamRecordsShowTheSettingsAndPostANewSizeOnly)
{
    // The first record always tells the operating page, even for the start preset's size.
    Record({2, 0, 7, 17, 0x20, 0x00});
    EXPECT_EQ(PreviewFormats(), std::vector<int>{17});
    EXPECT_EQ(page->QualityList()->GetCurSel(), 3);
    EXPECT_EQ(page->ResolutionList()->GetCurSel(), 6);
    EXPECT_EQ(page->FrameRateEdit()->GetValue(), 7);
    EXPECT_EQ(page->BitRateEdit()->GetValue(), 8192);
    Record({2, 0, 7, 17, 0x1F, 0x00});
    EXPECT_EQ(PreviewFormats(), std::vector<int>{17});
    EXPECT_EQ(page->BitRateEdit()->GetValue(), 7936);
    Record({2, 0, 15, 16, 0x18, 0x00});
    EXPECT_EQ(PreviewFormats(), (std::vector<int>{17, 16}));
    EXPECT_EQ(page->QualityPreset(), 2);

    // A code no preset uses: only the frame rate changes.
    Record({2, 0, 30, 19, 0x01, 0x00});
    EXPECT_EQ(page->FrameRateEdit()->GetValue(), 30);
    EXPECT_EQ(page->BitRateEdit()->GetValue(), 6144);
    EXPECT_EQ(page->QualityList()->GetCurSel(), 2);
    EXPECT_EQ(page->ResolutionList()->GetCurSel(), 5);
    EXPECT_EQ(PreviewFormats(), (std::vector<int>{17, 16}));
    // Out-of-range values are clamped into the edits.
    Record({2, 0, 200, 21, 0xFF, 0xFF});
    EXPECT_EQ(page->FrameRateEdit()->GetValue(), 60);
    EXPECT_EQ(page->BitRateEdit()->GetValue(), 40960);
    EXPECT_TRUE(link.Commands().empty());
}

TEST_F(VideoSettingPage, AddressAndVersionRecords)
{
    Record({0, 0, 0, 0, 0, 192, 168, 1, 201});
    EXPECT_EQ(page->GetEncoderIp(), "192.168.1.201");
    Record({1, 0x01, 0x0A});
    EXPECT_EQ(page->VersionText()->text(), "Version:010a");
    Record({9, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    EXPECT_EQ(page->GetEncoderIp(), "192.168.1.201");
    EXPECT_EQ(page->VersionText()->text(), "Version:010a");
    EXPECT_TRUE(PreviewFormats().empty());
}

TEST_F(VideoSettingPage, BrowseTakesOnlyThePackageByItsExactName)
{
    struct Case {
        QString chosen;
        QString shown;
    } cases[] = {
        {"/tmp/a/VP_venc.tar.gz", "/tmp/a/VP_venc.tar.gz"},
        {"/tmp/b/vp_venc.tar.gz", "/tmp/a/VP_venc.tar.gz"},
        {"/tmp/b/VP_VENC.TAR.GZ", "/tmp/a/VP_venc.tar.gz"},
        {"/tmp/b/VP_venc.tar.gz.bak", "/tmp/a/VP_venc.tar.gz"},
        {"", "/tmp/a/VP_venc.tar.gz"},
        {"/tmp/c/VP_venc.tar.gz", "/tmp/c/VP_venc.tar.gz"},
    };
    for (const Case& c : cases) {
        page->SetFileChooser([&] { return c.chosen; });
        ClickButton(page->BrowseButton());
        EXPECT_EQ(page->PackagePath(), c.shown) << c.chosen.toStdString();
    }
}

TEST_F(VideoSettingPage, TheResultLineChangesAtTensAndShowsSuccessOrFailure)
{
    struct Case {
        int progress;
        int pos;
        QString text;
    } cases[] = {
        {0, 0, "0%"},   {7, 7, "0%"},   {40, 40, "40%"},  {49, 49, "40%"}, {99, 99, "40%"},
        {-1, 99, "Update Failure"},    {100, 100, "Success, Pls Restart the Machine"}, {70, 70, "70%"},
    };
    for (const Case& c : cases) {
        page->SetUploadProgress(c.progress);
        EXPECT_EQ(page->Progress()->GetPos(), c.pos) << c.progress;
        EXPECT_EQ(Result(), c.text) << c.progress;
    }
}

TEST_F(VideoSettingPage, AnUploadReportsThroughThePageToSuccess)
{
    EncoderTestServer server({EncoderTestServer::Answer(1), true, false});
    FastUploadTo(server.Port());
    Record({0, 0, 0, 0, 0, 127, 0, 0, 1});
    page->SetPackagePath(Package(4096));
    page->SetUploadProgress(-1);
    ClickButton(page->UpdateButton());
    // What the last run left is gone as soon as a new one starts.
    EXPECT_EQ(Result(), QString());
    EXPECT_TRUE(page->IsUploading());
    ASSERT_TRUE(SpinUntil([&] { return Result() == "Success, Pls Restart the Machine"; }, 10000)) << Result().toStdString();
    EXPECT_EQ(page->Progress()->GetPos(), 100);
    server.Join();
    EXPECT_EQ(server.Connections(), 1);
    EXPECT_EQ(server.Received().size(), 4096u + 45u);
}

TEST_F(VideoSettingPage, UploadFailuresEndInUpdateFailure)
{
    struct Case {
        const char* what;
        bool address;
        bool package;
        std::optional<encoder_upload::Message> answer;
    } cases[] = {
        {"no address", false, true, EncoderTestServer::Answer(1)},
        {"no package", true, false, EncoderTestServer::Answer(1)},
        {"rejected", true, true, EncoderTestServer::Answer(2)},
        {"silent", true, true, std::nullopt},
    };
    for (const Case& c : cases) {
        EncoderTestServer server({c.answer, false, false});
        FastUploadTo(server.Port());
        std::memset(GetDeviceData().encoderInfo, 0, 10);
        if (c.address) Record({0, 0, 0, 0, 0, 127, 0, 0, 1});
        page->SetPackagePath(c.package ? Package(3000) : QString());
        ClickButton(page->UpdateButton());
        EXPECT_TRUE(SpinUntil([&] { return !page->IsUploading() && Result() == "Update Failure"; }, 10000))
            << c.what << ": " << Result().toStdString();
        Settle();
        EXPECT_EQ(Result(), "Update Failure") << c.what;
        if (!c.address || !c.package) {
            EXPECT_EQ(server.Connections(), 0) << c.what;
        }
    }
}

TEST_F(VideoSettingPage, ClosingThePageStopsAnUploadThatWaitsForTheEncoder)
{
    EncoderTestServer server({std::nullopt, false, false});
    encoder_upload::Options o;
    o.port = server.Port();
    o.announcePauseMs = 1;
    o.completePauseMs = 1;
    o.replyAttemptMs = 30'000;
    page->SetUploadOptions(o);
    Record({0, 0, 0, 0, 0, 127, 0, 0, 1});
    page->SetPackagePath(Package(100));
    ClickButton(page->UpdateButton());
    ASSERT_TRUE(SpinUntil([&] { return server.Received().size() >= 130u; }, 10000));
    const auto started = std::chrono::steady_clock::now();
    page.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));
    Settle();
}

TEST_F(VideoSettingPage, ALanguageSwitchKeepsTheShownPreset)
{
    Record({2, 0, 7, 16, 0x18, 0x00});
    ASSERT_EQ(page->QualityList()->GetCurSel(), 2);
    page->SetUploadProgress(-1);  // and a result on show is worded anew
    SetUiText(140, QStringLiteral("HD"));
    SetUiText(142, QStringLiteral("Failed"));
    page->ApplyLanguage();
    EXPECT_EQ(Result(), "Failed");
    EXPECT_EQ(page->QualityList()->GetCurSel(), 2);
    EXPECT_EQ(page->QualityList()->Caption(), "HD");
    EXPECT_EQ(page->ResolutionList()->GetCurSel(), 5);
}

TEST(StreamPresets, TableAndCodes)
{
    EXPECT_EQ(StreamPresetFor(7).code, 21);
    EXPECT_EQ(StreamPresetFor(-1).kbps, 1024);
    struct Case {
        int code, preset;
    } cases[] = {{21, 0}, {7, 1}, {16, 2}, {17, 3}, {19, -1}, {1, -1}, {0, -1}, {255, -1}};
    for (const Case& c : cases) EXPECT_EQ(PresetForResolutionCode(c.code), c.preset) << c.code;
}
