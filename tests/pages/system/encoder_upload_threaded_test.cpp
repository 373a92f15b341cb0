// The encoder upload against a stand-in encoder on loopback: the bytes on the wire, the progress
// reports, and every way a run can end.

#include "EncoderTestServer.h"

#include "pages/system/EncoderUpload.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <future>
#include <mutex>
#include <string>
#include <vector>

using namespace encoder_upload;

namespace {

std::vector<uint8_t> Bytes(const Message& m) { return {m.begin(), m.end()}; }

std::vector<uint8_t> Concat(std::initializer_list<std::vector<uint8_t>> parts)
{
    std::vector<uint8_t> out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

// A port on loopback where nothing listens.
uint16_t ClosedPort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t len = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    ::close(fd);
    return ntohs(a.sin_port);
}

class Upload : public ::testing::Test {
protected:
    std::string Package(std::size_t size)
    {
        const std::string path = dir_.path().toStdString() + "/VP_venc.tar.gz";
        data_.resize(size);
        for (std::size_t i = 0; i < size; ++i) data_[i] = static_cast<uint8_t>((i * 7 + i / 251) & 0xFF);
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data_.data()), std::streamsize(size));
        return path;
    }
    Options Fast(uint16_t port, const std::string& path)
    {
        Options o;
        o.ip = "127.0.0.1";
        o.port = port;
        o.path = path;
        o.connectTimeoutMs = 2000;
        o.announcePauseMs = 5;
        o.completePauseMs = 5;
        o.replyAttemptMs = 60;
        return o;
    }
    Outcome Run(const Options& o)
    {
        StopSignal stop;
        return RunUpload(o, [this](int p) { reports.push_back(p); }, stop);
    }

    QTemporaryDir dir_;
    std::vector<uint8_t> data_;
    std::vector<int> reports;
};

} // namespace

TEST(UploadProtocol, MessagesAreFifteenBytesWithTheValueLittleEndian)
{
    EXPECT_EQ(Bytes(MakeMessage(kOpAnnounce, 4096)),
              (std::vector<uint8_t>{0xFF, 0x01, 0, 0, 0, 0, 'm', 0x00, 0x10, 0x00, 0x00, 0, 0, 0, 0}));
    EXPECT_EQ(Bytes(MakeMessage(kOpAbort, 0x12345678)),
              (std::vector<uint8_t>{0xFF, 0x01, 0, 0, 0, 0, 'a', 0x78, 0x56, 0x34, 0x12, 0, 0, 0, 0}));
}

TEST(UploadProtocol, OnlyAWellFramedAnswerCounts)
{
    const Message good = EncoderTestServer::Answer(1);
    struct Case {
        int at;        // byte changed (-1 none)
        uint8_t value;
        std::size_t size;
        std::optional<uint8_t> result;
    } cases[] = {
        {-1, 0, 15, 1},    {7, 0, 15, 0},         {7, 9, 15, 9},          {0, 0xFE, 15, std::nullopt},
        {1, 0x02, 15, std::nullopt}, {2, 1, 15, std::nullopt}, {3, 1, 15, std::nullopt}, {6, 'b', 15, std::nullopt},
        {4, 7, 15, 1},     {14, 7, 15, 1},        {-1, 0, 14, std::nullopt},
    };
    for (const Case& c : cases) {
        Message m = good;
        if (c.at >= 0) m[static_cast<size_t>(c.at)] = c.value;
        EXPECT_EQ(ReplyResult(m.data(), c.size), c.result) << c.at << " " << c.size;
    }
    EXPECT_EQ(ReplyResult(nullptr, 15), std::nullopt);
}

TEST(UploadProtocol, ProgressIsThePercentageLessOneAndTheTextChangesAtTens)
{
    struct Case {
        uint64_t sent, size;
        int progress;
    } cases[] = {{2048, 4096, 49}, {4096, 4096, 99}, {2048, 10'000'000, 0}, {0, 0, 0}, {5000, 4096, 99}, {41, 100, 40}};
    for (const Case& c : cases) EXPECT_EQ(ProgressAfter(c.sent, c.size), c.progress) << c.sent << "/" << c.size;

    EXPECT_EQ(ResultLineFor(-1), ResultLine::Failure);
    EXPECT_EQ(ResultLineFor(100), ResultLine::Success);
    EXPECT_EQ(ResultLineFor(40), ResultLine::Percent);
    EXPECT_EQ(ResultLineFor(0), ResultLine::Percent);
    EXPECT_EQ(ResultLineFor(99), ResultLine::Keep);
    EXPECT_EQ(ResultLineFor(49), ResultLine::Keep);
    EXPECT_EQ(ResultLineFor(-7), ResultLine::Keep);
}

TEST_F(Upload, A4096BytePackageArrivesByteExactAndSucceeds)
{
    EncoderTestServer server({EncoderTestServer::Answer(1), true, false});
    const auto path = Package(4096);
    EXPECT_EQ(Run(Fast(server.Port(), path)), Outcome::Success);
    server.Join();
    EXPECT_EQ(server.Received(), Concat({Bytes(MakeMessage('m', 4096)), data_, Bytes(MakeMessage('o', 4096)),
                                         Bytes(MakeMessage('b', 4096))}));
    EXPECT_EQ(reports, (std::vector<int>{49, 99, 100}));
}

TEST_F(Upload, AnEmptyPackageAnnouncesNothingAndSendsNoBlock)
{
    EncoderTestServer server({EncoderTestServer::Answer(1), false, false});
    EXPECT_EQ(Run(Fast(server.Port(), Package(0))), Outcome::Success);
    server.Join();
    EXPECT_EQ(server.Received(), Concat({Bytes(MakeMessage('m', 0)), Bytes(MakeMessage('o', 0)), Bytes(MakeMessage('b', 0))}));
    EXPECT_EQ(reports, (std::vector<int>{100}));
}

TEST_F(Upload, AnUnevenPackageEndsWithAShortBlock)
{
    EncoderTestServer server({EncoderTestServer::Answer(1), true, false});
    EXPECT_EQ(Run(Fast(server.Port(), Package(5000))), Outcome::Success);
    server.Join();
    EXPECT_EQ(server.Received(), Concat({Bytes(MakeMessage('m', 5000)), data_, Bytes(MakeMessage('o', 5000)),
                                         Bytes(MakeMessage('b', 5000))}));
    EXPECT_EQ(reports, (std::vector<int>{39, 80, 99, 100}));
}

TEST_F(Upload, ARejectedPackageSendsNothingAfterTheDataComplete)
{
    EncoderTestServer server({EncoderTestServer::Answer(0), true, false});
    EXPECT_EQ(Run(Fast(server.Port(), Package(4096))), Outcome::Rejected);
    server.Join();
    EXPECT_EQ(server.Received(), Concat({Bytes(MakeMessage('m', 4096)), data_, Bytes(MakeMessage('o', 4096))}));
    EXPECT_EQ(reports, (std::vector<int>{49, 99, -1}));
}

TEST_F(Upload, AWrongAnswerOrNoneEndsInFailureAndAnAbort)
{
    Message wrong = EncoderTestServer::Answer(1);
    wrong[6] = 'o';
    for (const std::optional<Message>& answer : {std::optional<Message>(wrong), std::optional<Message>()}) {
        reports.clear();
        EncoderTestServer server({answer, false, false});
        const auto started = std::chrono::steady_clock::now();
        EXPECT_EQ(Run(Fast(server.Port(), Package(4096))), Outcome::NoAnswer);
        // Seven attempts of the given length, not more.
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(3));
        server.Join();
        EXPECT_EQ(server.Received(), Concat({Bytes(MakeMessage('m', 4096)), data_, Bytes(MakeMessage('o', 4096)),
                                             Bytes(MakeMessage('a', 4096))}));
        EXPECT_EQ(reports, (std::vector<int>{49, 99, -1}));
    }
}

TEST_F(Upload, ARefusedConnectionFailsAtOnce)
{
    EXPECT_EQ(Run(Fast(ClosedPort(), Package(4096))), Outcome::ConnectFailed);
    EXPECT_EQ(reports, (std::vector<int>{-1}));
}

TEST_F(Upload, APeerThatClosesMidUploadNeverLeadsToSuccess)
{
    EncoderTestServer server({EncoderTestServer::Answer(1), false, true});
    const Outcome outcome = Run(Fast(server.Port(), Package(16 * 1024 * 1024)));
    EXPECT_TRUE(outcome == Outcome::SendFailed || outcome == Outcome::NoAnswer) << int(outcome);
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.back(), -1) << reports.size();
    EXPECT_EQ(std::count(reports.begin(), reports.end(), 100), 0);
    // The upload stopped at the first failure: nowhere near the whole file went out.
    EXPECT_LT(reports.size(), 50u) << reports.size();
}

TEST_F(Upload, NoAddressOrNoFileFailsBeforeConnecting)
{
    EncoderTestServer server({EncoderTestServer::Answer(1), false, false});
    const auto path = Package(4096);
    struct Case {
        std::string ip, path;
        Outcome outcome;
    } cases[] = {
        {"", path, Outcome::BadAddress},
        {"127.0.0", path, Outcome::BadAddress},
        {"127.0.0.1", path + ".missing", Outcome::FileUnreadable},
        {"127.0.0.1", "", Outcome::FileUnreadable},
        {"127.0.0.1", dir_.path().toStdString(), Outcome::FileUnreadable},
    };
    for (const Case& c : cases) {
        reports.clear();
        Options o = Fast(server.Port(), c.path);
        o.ip = c.ip;
        EXPECT_EQ(Run(o), c.outcome) << c.ip << " " << c.path;
        EXPECT_EQ(reports, (std::vector<int>{-1}));
    }
    EXPECT_EQ(server.Connections(), 0);
}

TEST_F(Upload, TheWorkerRunsOneUploadAtATimeAndStopsWhenAsked)
{
    EncoderTestServer server({std::nullopt, false, false});
    Options o = Fast(server.Port(), Package(4096));
    o.replyAttemptMs = 10'000;  // would wait 70 s for an answer
    UploadWorker worker;
    std::promise<Outcome> done;
    std::vector<int> seen;
    std::mutex mu;
    ASSERT_TRUE(worker.Start(o, [&](int p) { std::lock_guard l(mu); seen.push_back(p); },
                             [&](Outcome outcome) { done.set_value(outcome); }));
    EXPECT_FALSE(worker.Start(o, [](int) {}));
    // Wait until the data is out, then stop during the answer wait.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (server.Received().size() < 4096 + 30 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    const auto stopping = std::chrono::steady_clock::now();
    worker.Stop();
    EXPECT_LT(std::chrono::steady_clock::now() - stopping, std::chrono::seconds(2));
    EXPECT_FALSE(worker.IsRunning());
    EXPECT_EQ(done.get_future().get(), Outcome::Stopped);
    std::lock_guard l(mu);
    EXPECT_EQ(seen, (std::vector<int>{49, 99}));
}
