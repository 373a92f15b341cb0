// The caption page on its fixture: the start and end sequences of a transfer, chunks and their
// acknowledgements, time-outs, refused and bad files, and the settings each control sends.

#include "tests/support/PageFixture.h"

#include "controls/CGdipButton.h"
#include "controls/oRealEdit.h"
#include "device/CommandIds.h"
#include "device/PathUtils.h"
#include "pages/system/CaptionBitmap.h"
#include "pages/system/CaptionIds.h"
#include "pages/system/MSubTitleDlg.h"

#include <QDir>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QScrollBar>

#include <QElapsedTimer>

#include <cstring>
#include <functional>
#include <optional>
#include <set>

namespace cc = ctl::caption;
using comm::RecordedCall;

namespace {

class CaptionPage : public PageFixture<MSubTitleDlg> {
protected:
    void SetUp() override
    {
        PageFixture<MSubTitleDlg>::SetUp();
        CaptionTimings t;
        t.ackWait = 40;
        t.announcePause = 20;
        t.acceptWait = 300;
        t.saveGuard = 60;
        t.initialiseWait = 60;
        page->SetTimings(t);
        CaptionDialogs d;
        d.chooseFont = [this](QWidget*, QFont& f, QColor) {
            ++dialogsShown;
            if (!nextFont) return false;
            f = *nextFont;
            return true;
        };
        d.chooseColour = [this](QWidget*, QColor& c) {
            ++dialogsShown;
            if (!nextColour.isValid()) return false;
            c = nextColour;
            return true;
        };
        d.chooseBitmapFile = [this](QWidget*) {
            ++dialogsShown;
            return nextFile;
        };
        page->SetDialogs(d);
        GetDeviceData().outputReso.hReso = 1920;
        GetDeviceData().outputReso.vReso = 1080;
        GetDeviceData().caption[0][28] = 0;
    }

    std::vector<RecordedCall> Data() const
    {
        std::vector<RecordedCall> out;
        for (const auto& c : link.Calls())
            if (c.op == RecordedCall::Op::SendData) out.push_back(c);
        return out;
    }
    // Every call that reaches the processor (commands and data), in order.
    std::vector<RecordedCall> Traffic() const
    {
        std::vector<RecordedCall> out;
        for (const auto& c : link.Calls())
            if (c.op == RecordedCall::Op::SendCommand || c.op == RecordedCall::Op::SendData) out.push_back(c);
        return out;
    }
    void Ack(uint32_t offset, uint8_t status = 1)
    {
        GetDeviceData().ackOffset = offset;
        GetDeviceData().ackStatus = status;
        page->OnChunkAck();
        Settle();
    }
    static void Wait(int ms) { WaitFor([] { return false; }, ms); }
    static bool WaitFor(const std::function<bool()>& pred, int ms)
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            if (pred()) return true;
        }
        return pred();
    }
    // Send, and the processor accepts: the first chunk goes out after the pause.
    void SendAndAccept()
    {
        ClickButton(page->Button(cc::IDC_SEND));
        page->OnTransferAccepted(true);
        ASSERT_TRUE(WaitFor([&] { return !Data().empty(); }, 2000)) << "no chunk after the accept";
    }
    // Acknowledges every chunk as it comes until the transfer ends; the chunks in order.
    std::vector<RecordedCall> AckAll()
    {
        for (int guard = 0; guard < 200 && page->IsTransferring(); ++guard) Ack(Data().back().value);
        return Data();
    }
    int BusyCount(int show) const
    {
        int n = 0;
        for (const auto& m : host->Of(WM_BUSY_DIALOG)) n += int(m.wParam) == show;
        return n;
    }
    int LastBusy() const
    {
        const auto all = host->Of(WM_BUSY_DIALOG);
        return all.empty() ? -1 : int(all.back().wParam);
    }
    caption::MonoBitmap FileRows(const QString& path) const
    {
        caption::MonoBitmap m;
        EXPECT_EQ(caption::ReadMonoBmpFile(path, m), caption::BmpError::None) << path.toStdString();
        return m;
    }
    // A picked picture: 24 bits, with a white diagonal.
    QString Picked(int w, int h)
    {
        QImage img(w, h, QImage::Format_RGB888);
        img.fill(Qt::black);
        for (int i = 0; i < std::min(w, h); ++i) img.setPixel(i, i, qRgb(255, 255, 255));
        const QString path = AppDir() + QStringLiteral("picked.bmp");
        EXPECT_TRUE(img.save(path, "BMP"));
        return path;
    }

    int dialogsShown = 0;
    std::optional<QFont> nextFont;
    QColor nextColour;
    QString nextFile;
};

// Commands 23 and 24: ten argument bytes (the unused ones 0), then the encoder's filler.
CommandBlock Args10(std::initializer_list<int> args)
{
    CommandBlock b = Block32({});
    std::fill(b.begin(), b.begin() + 10, 0);
    std::size_t i = 0;
    for (int v : args) b[i++] = static_cast<uint8_t>(v);
    return b;
}

void PutLe(QByteArray& f, int at, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i) f[at + i] = static_cast<char>(v >> (8 * i));
}

}  // namespace

TEST_F(CaptionPage, StartsWithTheDefaults)
{
    EXPECT_EQ(page->Edit(cc::IDC_WIDTH_EDIT)->GetValue(), 600);
    EXPECT_EQ(page->Edit(cc::IDC_HEIGHT_EDIT)->GetValue(), 60);
    EXPECT_EQ(page->Edit(cc::IDC_DISPLAY_WIDTH_EDIT)->GetValue(), 600);
    EXPECT_EQ(page->TextEdit()->text(), "Welcome");
    EXPECT_EQ(page->ForeColour(), 0x0000FFu);
    EXPECT_EQ(page->BackColour(), 0u);
    EXPECT_FALSE(page->Button(cc::IDC_SAVE)->isEnabled());
    EXPECT_FALSE(page->IsAdvanced());
    EXPECT_EQ(page->BitmapPath(), AppDir() + "PFile.BMP");
    EXPECT_EQ(page->List(cc::IDC_SPEED_LIST)->GetList()->GetCount(), 4);
    EXPECT_EQ(page->List(cc::IDC_CAPTION_LIST)->Caption(), "Caption 1");
    EXPECT_TRUE(link.Calls().empty());
}

TEST_F(CaptionPage, ASixHundredBySixtyCaptionGoesOutInItsChunksAndEndsWithTheEndSequence)
{
    ClickButton(page->Button(cc::IDC_SEND));
    const QString path = AppDir() + "PFile0.BMP";
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_EQ(page->BitmapPath(), path);
    EXPECT_EQ(QFileInfo(path).size(), 62 + 76 * 60);
    // Start sequence in simple mode: colours and mode, speed and direction, then the announcement.
    auto traffic = Traffic();
    ASSERT_EQ(traffic.size(), 3u);
    EXPECT_EQ(traffic[0].id, CMD_CAPTION_SETTINGS);
    EXPECT_TRUE(SameBytes(traffic[0].bytes, Args10({0, 3, 0xFF, 0, 0, 255, 0, 0, 0, 0})));
    EXPECT_TRUE(SameBytes(traffic[1].bytes, Args10({0, 0, 0, 0})));
    EXPECT_EQ(traffic[2].id, CMD_CAPTION_BITMAP);
    EXPECT_TRUE(SameBytes(traffic[2].bytes, Args10({0, 0, 0x58, 0x02, 60, 0, 0})));
    EXPECT_FALSE(page->isEnabled());
    EXPECT_EQ(LastBusy(), 1);
    EXPECT_TRUE(page->Button(cc::IDC_SAVE)->isEnabledTo(page.get()));
    EXPECT_EQ(page->Edit(cc::IDC_DISPLAY_WIDTH_EDIT)->GetValue(), 1920);

    // An accept during the pause counts only after it.
    page->OnTransferAccepted(true);
    EXPECT_TRUE(Data().empty());
    ASSERT_TRUE(WaitFor([&] { return !Data().empty(); }, 2000));
    const int busyBefore = BusyCount(1);
    const auto chunks = AckAll();

    struct Expect {
        int offset;
        std::size_t bytes;
    };
    const Expect expected[] = {{0, 1292}, {1292, 1292}, {2584, 1292}, {3876, 684}};
    ASSERT_EQ(chunks.size(), 4u);
    std::vector<uint8_t> rebuilt(76 * 60);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(chunks[i].value, expected[i].offset);
        ASSERT_EQ(chunks[i].bytes.size(), expected[i].bytes);
        EXPECT_EQ(chunks[i].deviceAddress, g_DeviceAddress);
        std::copy(chunks[i].bytes.begin(), chunks[i].bytes.end(), rebuilt.begin() + chunks[i].value);
    }
    EXPECT_EQ(rebuilt, FileRows(path).rows) << "rows top first, each once";
    // Each acknowledged chunk kept the busy dialog up.
    EXPECT_EQ(BusyCount(1) - busyBefore, 3);

    // End sequence.
    traffic = Traffic();
    ASSERT_GE(traffic.size(), 3u);
    const auto end = std::vector<RecordedCall>(traffic.end() - 3, traffic.end());
    EXPECT_EQ(end[0].id, CMD_CAPTION_BITMAP);
    EXPECT_TRUE(SameBytes(end[0].bytes, Args10({0, 1, 0x58, 0x02, 60, 0, 0, 0, 0, 0})));
    EXPECT_EQ(end[1].id, CMD_CAPTION_SETTINGS);
    EXPECT_TRUE(SameBytes(end[1].bytes, Args10({0, 1})));
    EXPECT_EQ(end[2].id, CMD_QUERY_CAPTION);
    EXPECT_EQ(end[2].bytes[0], 0);
    EXPECT_TRUE(page->Button(cc::IDC_DISPLAY_ON_OFF)->IsPressed());
    EXPECT_TRUE(page->isEnabled());
    EXPECT_EQ(LastBusy(), 0);
    EXPECT_FALSE(page->IsAckTimerRunning());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(CaptionPage, AWrongOrBadAcknowledgementKeepsTheTimerAndResends)
{
    SendAndAccept();
    Ack(1292);     // not the outstanding chunk
    Ack(0, 0);     // bad status
    EXPECT_EQ(Data().size(), 1u);
    EXPECT_TRUE(page->IsAckTimerRunning());
    ASSERT_TRUE(WaitFor([&] { return Data().size() == 2; }, 2000));
    EXPECT_EQ(Data()[1].value, 0);
    EXPECT_EQ(Data()[1].bytes, Data()[0].bytes);
}

TEST_F(CaptionPage, ADroppedAcknowledgementResendsThreeTimesThenTimesOutAndRecovers)
{
    SendAndAccept();
    ASSERT_TRUE(WaitFor([&] { return !boxes.empty(); }, 3000));
    const auto sent = Data();
    ASSERT_EQ(sent.size(), 4u) << "the chunk and three resends";
    for (const auto& c : sent) {
        EXPECT_EQ(c.value, 0);
        EXPECT_EQ(c.bytes, sent[0].bytes);
    }
    EXPECT_EQ(boxes[0].text, "Send Caption Time Out");
    EXPECT_EQ(boxes[0].caption, "Tips");
    EXPECT_TRUE(page->isEnabled());
    EXPECT_EQ(LastBusy(), 0);
    EXPECT_FALSE(page->IsTransferring());
    Wait(120);
    EXPECT_EQ(Data().size(), 4u) << "nothing after giving up";

    // The next transfer has all its resends again.
    link.ClearCalls();
    boxes.clear();
    SendAndAccept();
    Ack(0);  // first chunk good, the second goes unanswered
    ASSERT_TRUE(WaitFor([&] { return !boxes.empty(); }, 3000));
    EXPECT_EQ(Data().size(), 5u);
}

TEST_F(CaptionPage, ARefusedCaptionShowsCaptionInvalidAndSendsNoData)
{
    ClickButton(page->Button(cc::IDC_SEND));
    page->OnTransferAccepted(false);
    ASSERT_TRUE(WaitFor([&] { return !boxes.empty(); }, 2000));
    EXPECT_EQ(boxes[0].text, "Caption Invalid");
    EXPECT_TRUE(page->isEnabled());
    EXPECT_EQ(LastBusy(), 0);
    Wait(80);
    EXPECT_TRUE(Data().empty());
    // A late accept starts nothing.
    page->OnTransferAccepted(true);
    Settle();
    EXPECT_TRUE(Data().empty());
}

TEST_F(CaptionPage, ASilentProcessorGivesThePageBack)
{
    ClickButton(page->Button(cc::IDC_SEND));
    ASSERT_TRUE(WaitFor([&] { return !boxes.empty(); }, 3000));
    EXPECT_EQ(boxes[0].text, "Send Caption Time Out");
    EXPECT_TRUE(page->isEnabled());
    EXPECT_EQ(LastBusy(), 0);
    page->OnTransferAccepted(true);
    Wait(50);
    EXPECT_TRUE(Data().empty());
}

TEST_F(CaptionPage, AfterTheDisplaySwitchAnAcceptStartsNothing)
{
    ClickButton(page->Button(cc::IDC_DISPLAY_ON_OFF));
    auto sent = Sent(CMD_CAPTION_SETTINGS);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_TRUE(SameBytes(sent[0].bytes, Args10({0, 2, 1})));
    ASSERT_EQ(Sent(CMD_QUERY_CAPTION).size(), 1u);
    EXPECT_TRUE(page->TransferDisarmed());
    page->OnTransferAccepted(true);
    Wait(50);
    EXPECT_TRUE(Data().empty());
    // A refusal with no picture announced is no answer to anything.
    page->OnTransferAccepted(false);
    Wait(50);
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(page->isEnabled());
}

TEST_F(CaptionPage, InvertSendsTheComplementOfEveryFileByte)
{
    ClickButton(page->Button(cc::IDC_INVERT));
    SendAndAccept();
    const auto chunks = AckAll();
    const auto rows = FileRows(page->BitmapPath()).rows;
    std::size_t n = 0;
    for (const auto& c : chunks)
        for (std::size_t i = 0; i < c.bytes.size(); ++i, ++n) ASSERT_EQ(c.bytes[i], uint8_t(~rows[c.value + i]));
    EXPECT_EQ(n, rows.size());
}

TEST_F(CaptionPage, TheLargestCaptionGoesInChunksOfTwoRows)
{
    page->Edit(cc::IDC_WIDTH_EDIT)->SetValue(3840);
    page->Edit(cc::IDC_HEIGHT_EDIT)->SetValue(128);
    SendAndAccept();
    const auto chunks = AckAll();
    ASSERT_EQ(chunks.size(), 64u);
    for (std::size_t i = 0; i < chunks.size(); ++i) {
        EXPECT_EQ(chunks[i].bytes.size(), 960u);
        EXPECT_EQ(chunks[i].value, int(i * 960));
    }
    EXPECT_TRUE(page->isEnabled());
}

TEST_F(CaptionPage, BadFilesAreRefusedWithNothingSent)
{
    nextFile = Picked(40, 20);
    ClickButton(page->Button(cc::IDC_BROWSE));
    ASSERT_TRUE(page->UserBitmap());
    const QString target = page->BitmapPath();
    const QByteArray good = ReadBytes(target);
    ASSERT_EQ(good.size(), 62 + 8 * 20);
    struct Case {
        const char* what;
        std::function<void(QByteArray&)> spoil;
    };
    const Case cases[] = {
        {"wrong depth", [](QByteArray& f) { PutLe(f, 28, 8, 2); }},
        {"too wide", [](QByteArray& f) { PutLe(f, 18, 3841, 4); }},
        {"too tall", [](QByteArray& f) { PutLe(f, 22, 129, 4); }},
        {"negative height", [](QByteArray& f) { PutLe(f, 22, uint32_t(-20), 4); }},
        {"truncated data", [](QByteArray& f) { f.chop(5); }},
        {"offset past the end", [](QByteArray& f) { PutLe(f, 10, 5000, 4); }},
        {"missing", [](QByteArray& f) { f.clear(); }},
    };
    for (const auto& c : cases) {
        link.ClearCalls();
        boxes.clear();
        host->messages.clear();
        QByteArray bad = good;
        c.spoil(bad);
        QFile::remove(target);
        if (!bad.isEmpty()) {
            ASSERT_TRUE(WriteBytes(target, bad));
        }
        ClickButton(page->Button(cc::IDC_SEND));
        EXPECT_TRUE(Traffic().empty()) << c.what;
        ASSERT_EQ(boxes.size(), 1u) << c.what;
        EXPECT_EQ(boxes[0].text, "Caption Invalid") << c.what;
        EXPECT_TRUE(page->isEnabled()) << c.what;
        EXPECT_TRUE(host->Of(WM_BUSY_DIALOG).empty() || LastBusy() == 0) << c.what;
    }
    // The page is usable again: the good file goes.
    ASSERT_TRUE(WriteBytes(target, good));
    link.ClearCalls();
    SendAndAccept();
    EXPECT_EQ(Data()[0].bytes.size(), std::size_t(8 * 20));
    const auto announce = Sent(CMD_CAPTION_BITMAP);
    ASSERT_FALSE(announce.empty());
    EXPECT_TRUE(SameBytes(announce[0].bytes, Args10({0, 0, 40, 0, 20, 0, 1})));
}

TEST_F(CaptionPage, AFailedWriteIsReportedAndThePageRecovers)
{
    ASSERT_TRUE(QDir(AppDir()).mkdir("PFile0.BMP"));  // a folder where the file should go
    ClickButton(page->Button(cc::IDC_SEND));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Send Failed");
    EXPECT_TRUE(Traffic().empty());
    EXPECT_TRUE(page->isEnabled());
    EXPECT_TRUE(host->Of(WM_BUSY_DIALOG).empty());
}

TEST_F(CaptionPage, BrowseTakesAPictureOfAnyDepthAndRefusesALargeOne)
{
    nextFile = Picked(3841, 10);
    ClickButton(page->Button(cc::IDC_BROWSE));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QString::fromUtf8("图片超过 3840*128 的限制"));
    EXPECT_FALSE(page->UserBitmap());
    EXPECT_EQ(page->Edit(cc::IDC_WIDTH_EDIT)->GetValue(), 600);

    // A picture that cannot be read, or a link to a device that never ends (refused unread),
    // changes nothing and is not answered with the processor's refusal text.
    boxes.clear();
    nextFile = AppDir() + "nonsense.bmp";
    WriteBytes(nextFile, "BM nonsense");
    ClickButton(page->Button(cc::IDC_BROWSE));
    nextFile = AppDir() + "zero.bmp";
    ASSERT_TRUE(QFile::link("/dev/zero", nextFile));
    ClickButton(page->Button(cc::IDC_BROWSE));
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(page->UserBitmap());
    EXPECT_EQ(page->Edit(cc::IDC_WIDTH_EDIT)->GetValue(), 600);

    boxes.clear();
    nextFile = Picked(45, 30);
    ClickButton(page->Button(cc::IDC_BROWSE));
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(page->UserBitmap());
    EXPECT_EQ(page->Edit(cc::IDC_WIDTH_EDIT)->GetValue(), 45);
    EXPECT_EQ(page->Edit(cc::IDC_HEIGHT_EDIT)->GetValue(), 30);
    const auto rows = FileRows(page->BitmapPath());
    ASSERT_EQ(rows.width, 45);
    ASSERT_EQ(rows.height, 30);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 45; ++x)
            ASSERT_EQ(((rows.rows[y * rows.stride + x / 8] >> (7 - x % 8)) & 1) != 0, x == y) << x << "," << y;
    EXPECT_TRUE(link.Calls().empty());

    // Away for a language switch, advanced mode with a record of another size and back: the size
    // edits still show the picture's, which Send announces.
    ASSERT_TRUE(InstallShippedLanguageFiles(LanguageDir()));
    page->ShowPage(false);
    SelectLanguage(QStringLiteral("Chinese"));
    page->ApplyLanguage();
    page->ShowPage(true);
    ClickButton(page->Button(cc::IDC_ADVANCED));
    GetDeviceData().caption[0][0] = 88;
    page->LoadOutputCaption(0);
    EXPECT_EQ(page->Edit(cc::IDC_WIDTH_EDIT)->GetValue(), 45);
    ClickButton(page->Button(cc::IDC_ADVANCED));
    EXPECT_EQ(page->Edit(cc::IDC_WIDTH_EDIT)->GetValue(), 45);
    EXPECT_EQ(page->Edit(cc::IDC_HEIGHT_EDIT)->GetValue(), 30);
    ClickButton(page->Button(cc::IDC_SEND));
    ASSERT_FALSE(Traffic().empty());
    EXPECT_TRUE(SameBytes(Traffic().back().bytes, Args10({0, 0, 45, 0, 30, 0, 1})));
    page->OnTransferAccepted(false);
    ASSERT_TRUE(WaitFor([&] { return !page->IsTransferring(); }, 2000));

    // Typing makes the next Send render the text again.
    page->TextEdit()->setFocus();
    QTest::keyClicks(page->TextEdit(), "!");
    Settle();
    EXPECT_FALSE(page->UserBitmap());
    ClickButton(page->Button(cc::IDC_SEND));
    EXPECT_EQ(page->BitmapPath(), AppDir() + "PFile0.BMP");
}

TEST_F(CaptionPage, ListsSendTheirSettings)
{
    ChooseDropRow(page->List(cc::IDC_DIRECTION_LIST), 1);
    ChooseDropRow(page->List(cc::IDC_SPEED_LIST), 2);
    ChooseDropRow(page->List(cc::IDC_BACKGROUND_LIST), 1);
    auto sent = Sent(CMD_CAPTION_SETTINGS);
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_TRUE(SameBytes(sent[0].bytes, Args10({0, 0, 0, 1})));
    EXPECT_TRUE(SameBytes(sent[1].bytes, Args10({0, 0, 2, 1})));
    EXPECT_TRUE(SameBytes(sent[2].bytes, Args10({0, 3, 0xFF, 0, 0, 255, 0, 0, 0, 1})));

    // The start of a transfer sends each list's own choice.
    link.ClearCalls();
    ClickButton(page->Button(cc::IDC_SEND));
    sent = Sent(CMD_CAPTION_SETTINGS);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_TRUE(SameBytes(sent[0].bytes, Args10({0, 3, 0xFF, 0, 0, 255, 0, 0, 0, 1})));
    EXPECT_TRUE(SameBytes(sent[1].bytes, Args10({0, 0, 2, 1})));
    page->OnTransferAccepted(false);
    ASSERT_TRUE(WaitFor([&] { return page->isEnabled(); }, 2000));

    link.ClearCalls();
    ClickButton(page->Button(cc::IDC_ADVANCED));
    link.ClearCalls();
    ChooseDropRow(page->List(cc::IDC_CAPTION_LIST), 2);
    EXPECT_EQ(page->CaptionNo(), 2);
    sent = Sent(CMD_CAPTION_SETTINGS);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_TRUE(SameBytes(sent[0].bytes, Args10({2, 2, 0})));
    ASSERT_EQ(Sent(CMD_QUERY_CAPTION).size(), 1u);
    EXPECT_EQ(Sent(CMD_QUERY_CAPTION)[0].bytes[0], 2);
    EXPECT_FALSE(page->Button(cc::IDC_SAVE)->isEnabled());
}

TEST_F(CaptionPage, PlacementEditsClampToTheOutputAndSendSub2)
{
    ClickButton(page->Button(cc::IDC_ADVANCED));
    EXPECT_EQ(page->height(), 610);
    link.ClearCalls();
    struct Case {
        int hReso, vReso;
        int edit;
        const char* typed;
        int x, y, dw;
    };
    const Case cases[] = {
        {1920, 1080, cc::IDC_H_START_EDIT, "3000", 1320, 0, 600},  // output 1920 - display 600
        {1920, 1080, cc::IDC_DISPLAY_WIDTH_EDIT, "3000", 1320, 0, 600},  // 1920 - 1320
        {1920, 1080, cc::IDC_V_START_EDIT, "2000", 1320, 1020, 600},     // 1080 - caption height 60
        {500, 1080, cc::IDC_H_START_EDIT, "50", 0, 1020, 600},   // display area wider than the output
        {0, 0, cc::IDC_H_START_EDIT, "3000", 3000, 1020, 600},   // before a read: only the edit's range
        {0, 0, cc::IDC_DISPLAY_WIDTH_EDIT, "3840", 3000, 1020, 3840},
    };
    for (const auto& c : cases) {
        GetDeviceData().outputReso.hReso = static_cast<uint16_t>(c.hReso);
        GetDeviceData().outputReso.vReso = static_cast<uint16_t>(c.vReso);
        // The edit left before commits on losing the focus: that is not this case's command.
        page->Edit(c.edit)->setFocus(Qt::OtherFocusReason);
        Settle();
        link.ClearCalls();
        TypeAndEnter(page->Edit(c.edit), c.typed);
        const auto sent = Sent(CMD_CAPTION_BITMAP);
        ASSERT_EQ(sent.size(), 1u) << c.typed;
        EXPECT_TRUE(SameBytes(sent[0].bytes, Args10({0, 2, c.x & 0xFF, c.x >> 8, c.y & 0xFF, c.y >> 8, c.dw & 0xFF,
                                                      c.dw >> 8, 0x55, 0x55})))
            << c.typed;
    }
}

TEST_F(CaptionPage, TextMeasuringSetsTheSize)
{
    page->TextEdit()->setFocus();
    page->TextEdit()->selectAll();
    QTest::keyClicks(page->TextEdit(), "Caption of a wall");
    Settle();
    const QSize size = caption::MeasureCaptionText("Caption of a wall", page->CaptionFont());
    EXPECT_EQ(int(page->Edit(cc::IDC_WIDTH_EDIT)->GetValue()), caption::RoundUpToFour(size.width()));
    EXPECT_EQ(int(page->Edit(cc::IDC_WIDTH_EDIT)->GetValue()) % 4, 0);
    EXPECT_EQ(int(page->Edit(cc::IDC_HEIGHT_EDIT)->GetValue()), size.height());
    EXPECT_EQ(page->TextEdit()->height(), size.height());
    EXPECT_FALSE(page->Button(cc::IDC_SAVE)->isEnabled());

    // Centred: the width stays.
    ClickButton(page->Button(cc::IDC_ALIGN_CENTER));
    page->Edit(cc::IDC_WIDTH_EDIT)->SetValue(1000);
    QTest::keyClicks(page->TextEdit(), "s");
    Settle();
    EXPECT_EQ(page->Edit(cc::IDC_WIDTH_EDIT)->GetValue(), 1000);
    EXPECT_TRUE(link.Calls().empty());
}

TEST_F(CaptionPage, DialogsChangeFontAndColours)
{
    nextColour = QColor(0, 255, 0);
    ClickButton(page->Button(cc::IDC_TEXT_COLOR));
    EXPECT_EQ(page->ForeColour(), 0x00FF00u);
    nextColour = QColor(10, 20, 30);
    ClickButton(page->Button(cc::IDC_BACK_COLOR));
    EXPECT_EQ(page->BackColour(), 0x1E140Au);
    auto sent = Sent(CMD_CAPTION_SETTINGS);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_TRUE(SameBytes(sent[1].bytes, Args10({0, 3, 0, 255, 0, 255, 10, 20, 30, 0})));
    nextColour = QColor();  // cancelled
    ClickButton(page->Button(cc::IDC_TEXT_COLOR));
    EXPECT_EQ(Sent(CMD_CAPTION_SETTINGS).size(), 2u);

    QFont italic(QStringLiteral("Liberation Serif"));
    italic.setPixelSize(40);
    italic.setItalic(true);
    nextFont = italic;
    page->TextEdit()->clear();
    ClickButton(page->Button(cc::IDC_FONT));
    EXPECT_EQ(page->TextEdit()->text(), "Welcome");
    EXPECT_TRUE(page->CaptionFont().italic());
    EXPECT_EQ(page->TextEdit()->font().pixelSize(), 40);
    const QSize size = caption::MeasureCaptionText("Welcome", italic);
    EXPECT_EQ(int(page->Edit(cc::IDC_WIDTH_EDIT)->GetValue()), caption::RoundUpToFour(size.width()));
    EXPECT_EQ(Sent(CMD_CAPTION_SETTINGS).size(), 2u) << "the font is no setting of the processor";
    EXPECT_EQ(dialogsShown, 4);
}

TEST_F(CaptionPage, SaveWaitsForTheProcessorOrItsGuard)
{
    SendAndAccept();
    AckAll();
    link.ClearCalls();
    host->messages.clear();
    ClickButton(page->Button(cc::IDC_SAVE));
    auto sent = Sent(CMD_CAPTION_SETTINGS);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_TRUE(SameBytes(sent[0].bytes, Args10({0, 1})));
    EXPECT_FALSE(page->isEnabled());
    EXPECT_FALSE(page->Button(cc::IDC_SAVE)->isEnabled());
    EXPECT_EQ(LastBusy(), 1);
    ASSERT_TRUE(WaitFor([&] { return page->isEnabled(); }, 2000));
    EXPECT_EQ(LastBusy(), 0);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(CaptionPage, TheSaveGuardNeverWakesThePageInALaterTransfer)
{
    SendAndAccept();
    AckAll();
    ClickButton(page->Button(cc::IDC_SAVE));
    page->setEnabled(true);  // the processor answered at once (event 8)
    EXPECT_FALSE(page->IsGuardTimerRunning());
    page->Button(cc::IDC_SAVE)->setEnabled(true);
    ClickButton(page->Button(cc::IDC_SAVE));
    ASSERT_TRUE(page->IsGuardTimerRunning());
    page->setEnabled(true);
    page->BeginCaptionTransfer();
    EXPECT_FALSE(page->IsGuardTimerRunning());
    Wait(150);
    EXPECT_FALSE(page->isEnabled()) << "still waiting for the accept";
}

TEST_F(CaptionPage, InitialiseAsksFirstAndComesBackWhenTheProcessorIsSilent)
{
    boxAnswer = IDCANCEL;
    ClickButton(page->Button(cc::IDC_INITIALIZE));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Reset Caption ?");
    EXPECT_EQ(boxes[0].caption, "Tips");
    EXPECT_EQ(boxes[0].type, MB_OKCANCEL);
    EXPECT_TRUE(link.Calls().empty());

    boxAnswer = IDOK;
    boxes.clear();
    ClickButton(page->Button(cc::IDC_INITIALIZE));
    auto sent = Sent(CMD_CAPTION_SETTINGS);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_TRUE(SameBytes(sent[0].bytes, Args10({0x55, 5})));
    EXPECT_FALSE(page->isEnabled());
    ASSERT_TRUE(WaitFor([&] { return page->isEnabled(); }, 2000));
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, "Initialize Failed");
    EXPECT_EQ(LastBusy(), 0);

    // An answer in time: nothing more.
    boxes.clear();
    ClickButton(page->Button(cc::IDC_INITIALIZE));
    page->setEnabled(true);  // event 10 through the main window
    Wait(120);
    EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(CaptionPage, OutputChecksStoreAndSendAllFour)
{
    ClickButton(page->Button(cc::IDC_ADVANCED));
    link.ClearCalls();
    std::memset(GetDeviceData().caption[0] + 24, 0, 4);
    ClickButton(page->Button(cc::IDC_OUTPUT_2));
    ClickButton(page->Button(cc::IDC_OUTPUT_4));
    EXPECT_EQ(GetDeviceData().caption[0][25], 1);
    auto sent = Sent(CMD_CAPTION_SETTINGS);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_TRUE(SameBytes(sent[1].bytes, Args10({0, 4, 0, 1, 0, 1})));
}

TEST_F(CaptionPage, ARecordLoadsInAdvancedModeOnly)
{
    uint8_t rec[32] = {0x20, 0x03, 40, 0, 0x10, 0, 0x20, 0, 0x90, 0x01, 1, 2, 1, 2, 1, 0,
                       0x11, 0x22, 0x33, 0, 0x44, 0x55, 0x66, 0, 0, 1, 1, 0, 1};
    std::memcpy(GetDeviceData().caption[1], rec, 32);
    page->LoadOutputCaption(1);
    EXPECT_EQ(page->CaptionNo(), 1);
    EXPECT_EQ(page->Edit(cc::IDC_WIDTH_EDIT)->GetValue(), 600) << "simple mode takes the number only";

    ClickButton(page->Button(cc::IDC_ADVANCED));
    page->LoadOutputCaption(1);
    EXPECT_EQ(page->Edit(cc::IDC_WIDTH_EDIT)->GetValue(), 800);
    EXPECT_EQ(page->Edit(cc::IDC_HEIGHT_EDIT)->GetValue(), 40);
    EXPECT_EQ(page->Edit(cc::IDC_H_START_EDIT)->GetValue(), 16);
    EXPECT_EQ(page->Edit(cc::IDC_V_START_EDIT)->GetValue(), 32);
    EXPECT_EQ(page->Edit(cc::IDC_DISPLAY_WIDTH_EDIT)->GetValue(), 400);
    EXPECT_EQ(page->ForeColour(), 0x332211u);
    EXPECT_EQ(page->BackColour(), 0x665544u);
    // The record's height is the font's cell: the largest that fits 40 pixels.
    QFont larger = page->CaptionFont();
    larger.setPixelSize(larger.pixelSize() + 1);
    EXPECT_LE(QFontMetrics(page->CaptionFont()).height(), 40);
    EXPECT_GT(QFontMetrics(larger).height(), 40);
    EXPECT_EQ(page->List(cc::IDC_DIRECTION_LIST)->GetCurSel(), 1);
    EXPECT_EQ(page->List(cc::IDC_SPEED_LIST)->GetCurSel(), 2);
    EXPECT_EQ(page->List(cc::IDC_BACKGROUND_LIST)->GetCurSel(), 2);
    EXPECT_EQ(page->List(cc::IDC_CAPTION_LIST)->GetCurSel(), 1);
    EXPECT_TRUE(page->Button(cc::IDC_DISPLAY_ON_OFF)->IsPressed());
    EXPECT_FALSE(page->Button(cc::IDC_OUTPUT_1)->IsPressed());
    EXPECT_TRUE(page->Button(cc::IDC_OUTPUT_2)->IsPressed());
    EXPECT_EQ(page->PreviewRect().width(), 800);
    EXPECT_EQ(page->PreviewRect().height(), 40);
    EXPECT_TRUE(link.Calls().size() == 1u) << "only the query of the advanced switch";

    // Hostile records: a caption number beyond four, an output beyond four.
    GetDeviceData().caption[2][28] = 9;
    page->LoadOutputCaption(2);
    EXPECT_EQ(page->CaptionNo(), 1);
    page->LoadOutputCaption(4);
    page->LoadOutputCaption(-1);
    EXPECT_EQ(page->CaptionNo(), 1);
}

// The caption's ink, rendered again from what the page holds, lies inside the caption rectangle:
// drawn on a larger canvas, nothing reaches past the rectangle's columns or rows.
TEST_F(CaptionPage, ACaptionRendersInsideItsRectangleWithTheDefaultFontAndALoadedSize)
{
    const auto expectInkInside = [&](const char* what, int width, int height) {
        const QImage canvas =
            caption::RenderCaptionText(page->TextEdit()->text(), page->CaptionFont(), width + 64, height + 32, false);
        QRect ink;
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x < canvas.width(); ++x)
                if (canvas.pixel(x, y) != qRgb(0, 0, 0)) ink |= QRect(x, y, 1, 1);
        ASSERT_FALSE(ink.isEmpty()) << what;
        EXPECT_TRUE(QRect(0, 0, width, height).contains(ink)) << what << ": ink to column " << ink.right() << " of "
                                                              << width << ", row " << ink.bottom() << " of " << height;
    };

    // The default font, "Arial" with a 32-pixel cell, as the page measures a text in it.
    page->TextEdit()->setText("Welcome jpgy");
    SendMsg(page.get(), WM_CAPTION_REMEASURE, 0, 0);
    EXPECT_LE(page->Edit(cc::IDC_HEIGHT_EDIT)->GetValue(), 32);
    expectInkInside("default font", int(page->Edit(cc::IDC_WIDTH_EDIT)->GetValue()), 32);

    // Sizes loaded from a caption record (width at +0, height at +2).
    struct Case {
        const char* text;
        int width, height;
    } cases[] = {{"Welcome", 140, 36}, {"jpgy Quay", 180, 36}, {"Welcome jpgy", 600, 20}, {"Welcome", 400, 96}};
    ClickButton(page->Button(cc::IDC_ADVANCED));
    for (const Case& c : cases) {
        page->TextEdit()->setText(QString::fromLatin1(c.text));
        uint8_t* rec = GetDeviceData().caption[0];
        std::memset(rec, 0, 32);
        rec[0] = uint8_t(c.width), rec[1] = uint8_t(c.width >> 8), rec[2] = uint8_t(c.height);
        page->LoadOutputCaption(0);
        ASSERT_EQ(page->Edit(cc::IDC_HEIGHT_EDIT)->GetValue(), c.height) << c.text;
        expectInkInside(c.text, c.width, c.height);
    }
}

TEST_F(CaptionPage, HidingLeavesAdvancedModeAndRestoresTheDefaults)
{
    ClickButton(page->Button(cc::IDC_ADVANCED));
    nextColour = QColor(0, 255, 0);
    ClickButton(page->Button(cc::IDC_TEXT_COLOR));
    ChooseDropRow(page->List(cc::IDC_SPEED_LIST), 3);
    ChooseDropRow(page->List(cc::IDC_BACKGROUND_LIST), 2);
    ChooseDropRow(page->List(cc::IDC_DIRECTION_LIST), 1);
    page->ShowPage(false);
    EXPECT_FALSE(page->IsAdvanced());
    EXPECT_EQ(page->ForeColour(), 0x0000FFu);
    EXPECT_EQ(page->BackColour(), 0u);
    EXPECT_LE(QFontMetrics(page->CaptionFont()).height(), 32);
    EXPECT_GT(page->CaptionFont().pixelSize(), 24);
    EXPECT_TRUE(page->CaptionFont().bold());
    for (int id : {cc::IDC_SPEED_LIST, cc::IDC_BACKGROUND_LIST, cc::IDC_DIRECTION_LIST})
        EXPECT_EQ(page->List(id)->GetCurSel(), 0) << id;
    EXPECT_EQ(page->Button(cc::IDC_ADVANCED)->CaptionColor(), 0xEBEBEBu);
}

TEST_F(CaptionPage, DraggingThePreviewScrollsWithinItsLimits)
{
    ClickButton(page->Button(cc::IDC_ADVANCED));
    page->Edit(cc::IDC_WIDTH_EDIT)->SetValue(1000);
    SendMsg(page.get(), WM_VALUE_CHANGED, cc::IDC_WIDTH_EDIT, 0);
    const QRect r = page->PreviewRect();
    ASSERT_EQ(r.width(), 1000);
    const int y = r.center().y();
    auto drag = [&](int fromX, int toX) {
        QTest::mousePress(page.get(), Qt::LeftButton, {}, QPoint(fromX, y));
        QTest::mouseRelease(page.get(), Qt::LeftButton, {}, QPoint(toX, y));
    };
    drag(300, 200);
    EXPECT_EQ(page->ScrollOffset(), 100);
    drag(310, 10);
    // A text preview scrolls at most (preview width - page width + 6) / 2.
    const int most = (1000 - page->width() + 6) / 2;
    EXPECT_EQ(page->ScrollOffset(), most);
    drag(10, 310);
    EXPECT_EQ(page->ScrollOffset(), most - 300);
    drag(10, 310);
    EXPECT_EQ(page->ScrollOffset(), 0);
    // Outside the preview nothing moves.
    drag(300, 200);
    drag(300, 2);
    EXPECT_EQ(page->ScrollOffset(), 100);
    page->PreviewScroll()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(page->PreviewScroll()->value(), 11);
    EXPECT_TRUE(link.Calls().size() == 1u);
}

TEST_F(CaptionPage, TheTitleBandDragsThePage)
{
    page->move(10, 20);
    auto drag = [&](QPoint from, QPoint by) {
        QTest::mousePress(page.get(), Qt::LeftButton, {}, from);
        QMouseEvent move(QEvent::MouseMove, QPointF(from + by), page->mapToGlobal(QPointF(from + by)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(page.get(), &move);
        QTest::mouseRelease(page.get(), Qt::LeftButton, {}, from + by);
    };
    drag(QPoint(60, kTitleBandHeight / 2), QPoint(30, 40));
    EXPECT_EQ(page->pos(), QPoint(40, 60));
    drag(QPoint(60, kTitleBandHeight + 2), QPoint(30, 40));  // below the band
    EXPECT_EQ(page->pos(), QPoint(40, 60));
}

TEST_F(CaptionPage, ThePreviewShowsTheTextOnItsBackgroundOrThePickedPicture)
{
    ClickButton(page->Button(cc::IDC_ADVANCED));
    const QRect r = page->PreviewRect();
    auto colours = [&] {
        const QImage shot = page->grab().toImage();
        std::set<QRgb> seen;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x < std::min(r.right(), shot.width() - 10); ++x) seen.insert(shot.pixel(x, y) & 0xFFFFFF);
        return seen;
    };
    auto opaque = colours();
    EXPECT_TRUE(opaque.count(0xFF0000)) << "red text";
    EXPECT_TRUE(opaque.count(0x000000)) << "on black";
    EXPECT_LE(opaque.size(), 2u) << "no antialiasing";

    ChooseDropRow(page->List(cc::IDC_BACKGROUND_LIST), 1);
    auto translucent = colours();
    EXPECT_TRUE(translucent.count(0xFF0000));
    EXPECT_GT(translucent.size(), 2u) << "the background picture shows";
    ChooseDropRow(page->List(cc::IDC_BACKGROUND_LIST), 2);
    EXPECT_NE(colours(), translucent);

    nextFile = Picked(60, 30);
    ClickButton(page->Button(cc::IDC_BROWSE));
    const QImage shot = page->grab().toImage();
    const QRect p = page->PreviewRect();
    EXPECT_EQ(p.size(), QSize(60, 30));
    EXPECT_EQ(shot.pixel(p.left() + 5, p.top() + 5) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(shot.pixel(p.left() + 9, p.top() + 5) & 0xFFFFFF, 0x000000u);
}
