#include "pages/system/EncoderUpload.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <climits>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

namespace encoder_upload {

Message MakeMessage(uint8_t op, uint32_t value)
{
    Message m{};
    m[0] = 0xFF;
    m[1] = 0x01;
    m[6] = op;
    for (int i = 0; i < 4; ++i) m[7 + i] = static_cast<uint8_t>(value >> (8 * i));
    return m;
}

std::optional<uint8_t> ReplyResult(const uint8_t* data, std::size_t size)
{
    if (!data || size != kMessageSize) return std::nullopt;
    if (data[0] != 0xFF || data[1] != 0x01 || data[2] != 0 || data[3] != 0 || data[6] != kOpReply) return std::nullopt;
    return data[7];
}

bool AnswerAssembler::Received(std::size_t n, std::optional<uint8_t>& result)
{
    have_ += std::min(n, Room());
    if (have_ < kMessageSize) return false;
    have_ = 0;
    result = ReplyResult(buffer_.data(), buffer_.size());
    return true;
}

int ProgressAfter(uint64_t sent, uint64_t size)
{
    if (size == 0) return 0;
    sent = std::min(sent, size);
    const int p = static_cast<int>(static_cast<double>(sent) / static_cast<double>(size) * 100.0 - 1.0);
    return std::clamp(p, 0, kProgressDone - 1);
}

ResultLine ResultLineFor(int progress)
{
    if (progress == kProgressFailure) return ResultLine::Failure;
    if (progress == kProgressDone) return ResultLine::Success;
    if (progress >= 0 && progress < kProgressDone && progress % 10 == 0) return ResultLine::Percent;
    return ResultLine::Keep;
}

StopSignal::StopSignal() : fd_(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

StopSignal::~StopSignal()
{
    if (fd_ >= 0) ::close(fd_);
}

void StopSignal::Raise()
{
    raised_.store(true, std::memory_order_release);
    const uint64_t one = 1;
    if (fd_ >= 0) {
        [[maybe_unused]] const ssize_t n = ::write(fd_, &one, sizeof one);
    }
}

void StopSignal::Reset()
{
    uint64_t count = 0;
    if (fd_ >= 0) {
        [[maybe_unused]] const ssize_t n = ::read(fd_, &count, sizeof count);
    }
    raised_.store(false, std::memory_order_release);
}

namespace {

using Clock = std::chrono::steady_clock;

class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() { Reset(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int Get() const { return fd_; }
    void Reset()
    {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
};

// The socket is shut down both ways before it is closed, so the encoder sees the end at once.
class Socket {
public:
    Socket() : fd_(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0)) {}
    ~Socket()
    {
        if (fd_ >= 0) {
            ::shutdown(fd_, SHUT_RDWR);
            ::close(fd_);
        }
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

enum class Io { Ok, Failed, TimedOut, Stopped };

int MsUntil(Clock::time_point deadline)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return static_cast<int>(std::clamp<long long>(left, 0, INT_MAX));
}

// Waits until fd is ready for events (fd < 0: only the stop), the deadline passes or the stop is
// raised.
Io WaitFor(int fd, short events, Clock::time_point deadline, const StopSignal& stop)
{
    for (;;) {
        if (stop.Raised()) return Io::Stopped;
        pollfd fds[2] = {{stop.Fd(), POLLIN, 0}, {fd, events, 0}};
        const int count = fd >= 0 ? 2 : 1;
        const int n = ::poll(fds, count, MsUntil(deadline));
        if (n < 0) {
            if (errno == EINTR) continue;
            return Io::Failed;
        }
        if (fds[0].revents || stop.Raised()) return Io::Stopped;
        if (n == 0) {
            if (Clock::now() >= deadline) return Io::TimedOut;
            continue;
        }
        if (count == 2 && fds[1].revents) return Io::Ok;
    }
}

// A pause that the stop cuts short. False when stopped.
bool Pause(int ms, const StopSignal& stop)
{
    return WaitFor(-1, 0, Clock::now() + std::chrono::milliseconds(std::max(ms, 0)), stop) == Io::TimedOut;
}

Io Connect(int fd, const sockaddr_in& addr, int timeoutMs, const StopSignal& stop)
{
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0) return Io::Ok;
    if (errno != EINPROGRESS && errno != EINTR) return Io::Failed;
    const Io ready = WaitFor(fd, POLLOUT, Clock::now() + std::chrono::milliseconds(timeoutMs), stop);
    if (ready != Io::Ok) return ready == Io::Stopped ? Io::Stopped : Io::Failed;
    int error = 0;
    socklen_t length = sizeof error;
    if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0) return Io::Failed;
    return Io::Ok;
}

// Every byte out, or a failure: a send that makes no progress within the time-out fails, and a
// closed peer fails without a signal.
Io SendAll(int fd, const uint8_t* data, std::size_t size, int timeoutMs, const StopSignal& stop)
{
    std::size_t done = 0;
    while (done < size) {
        if (stop.Raised()) return Io::Stopped;
        const ssize_t n = ::send(fd, data + done, size - done, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            const Io ready = WaitFor(fd, POLLOUT, Clock::now() + std::chrono::milliseconds(timeoutMs), stop);
            if (ready != Io::Ok) return ready == Io::Stopped ? Io::Stopped : Io::Failed;
            continue;
        }
        return Io::Failed;
    }
    return Io::Ok;
}

Io SendMessage(int fd, uint8_t op, uint32_t value, int timeoutMs, const StopSignal& stop)
{
    const Message m = MakeMessage(op, value);
    return SendAll(fd, m.data(), m.size(), timeoutMs, stop);
}

// Reads the file's next bytes (up to size), retrying interrupted reads. -1 on an error.
ssize_t ReadSome(int fd, uint8_t* buffer, std::size_t size)
{
    for (;;) {
        const ssize_t n = ::read(fd, buffer, size);
        if (n < 0 && errno == EINTR) continue;
        return n;
    }
}

enum class Answer { Valid, None, Stopped };

// Up to attempts reads of one 15-byte answer, each given attemptMs. Bytes of an answer split over
// several segments are gathered; a complete answer that is not well framed uses up its attempt.
// A peer that closes can send nothing more.
Answer ReadAnswer(int fd, const Options& o, const StopSignal& stop, uint8_t& result)
{
    AnswerAssembler answer;
    for (int attempt = 0; attempt < o.replyAttempts; ++attempt) {
        const auto deadline = Clock::now() + std::chrono::milliseconds(o.replyAttemptMs);
        bool complete = false;
        std::optional<uint8_t> r;
        while (!complete) {
            const Io ready = WaitFor(fd, POLLIN, deadline, stop);
            if (ready == Io::Stopped) return Answer::Stopped;
            if (ready == Io::TimedOut) break;
            if (ready == Io::Failed) return Answer::None;
            const ssize_t n = ::recv(fd, answer.Space(), answer.Room(), MSG_DONTWAIT);
            if (n == 0) return Answer::None;
            if (n < 0) {
                if (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK) continue;
                return Answer::None;
            }
            complete = answer.Received(static_cast<std::size_t>(n), r);
        }
        if (complete && r) {
            result = *r;
            return Answer::Valid;
        }
    }
    return Answer::None;
}

} // namespace

Outcome RunUpload(const Options& o, const ProgressReport& report, const StopSignal& stop)
{
    int last = INT_MIN;
    auto Report = [&](int p) {
        if (stop.Raised() || p == last) return;
        last = p;
        if (report) report(p);
    };
    auto Fail = [&](Outcome outcome) {
        if (stop.Raised()) return Outcome::Stopped;
        Report(kProgressFailure);
        return outcome;
    };

    // Address and file first: nothing is worth a connection without them.
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(o.port);
    if (o.ip.empty() || o.ip.size() > 49 || ::inet_pton(AF_INET, o.ip.c_str(), &addr.sin_addr) != 1)
        return Fail(Outcome::BadAddress);

    Fd file(o.path.empty() ? -1 : ::open(o.path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat st {};
    if (file.Get() < 0 || ::fstat(file.Get(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0 ||
        static_cast<uint64_t>(st.st_size) > std::numeric_limits<uint32_t>::max())
        return Fail(Outcome::FileUnreadable);
    const auto size = static_cast<uint32_t>(st.st_size);

    Socket socket;
    if (socket.Get() < 0) return Fail(Outcome::ConnectFailed);
    const int fd = socket.Get();
    switch (Connect(fd, addr, o.connectTimeoutMs, stop)) {
    case Io::Ok: break;
    case Io::Stopped: return Outcome::Stopped;
    default: return Fail(Outcome::ConnectFailed);
    }

    // The abort message is a courtesy: the connection may already be gone.
    auto Abort = [&](uint32_t value) { SendMessage(fd, kOpAbort, value, o.sendTimeoutMs, stop); };

    if (SendMessage(fd, kOpAnnounce, size, o.sendTimeoutMs, stop) != Io::Ok) {
        const Outcome outcome = Fail(Outcome::SendFailed);
        if (outcome != Outcome::Stopped) Abort(size);
        return outcome;
    }
    if (!Pause(o.announcePauseMs, stop)) return Outcome::Stopped;

    // Exactly the announced bytes, one block in memory; a file that shrank meanwhile ends early.
    uint32_t sent = 0;
    std::array<uint8_t, kBlockSize> block{};
    while (sent < size) {
        const std::size_t want = std::min<std::size_t>(block.size(), size - sent);
        const ssize_t got = ReadSome(file.Get(), block.data(), want);
        if (got == 0) break;
        if (got < 0 || SendAll(fd, block.data(), static_cast<std::size_t>(got), o.sendTimeoutMs, stop) != Io::Ok) {
            const Outcome outcome = Fail(Outcome::SendFailed);
            if (outcome != Outcome::Stopped) Abort(sent);
            return outcome;
        }
        sent += static_cast<uint32_t>(got);
        Report(ProgressAfter(sent, size));
    }
    file.Reset();

    if (!Pause(o.completePauseMs, stop)) return Outcome::Stopped;
    if (SendMessage(fd, kOpDataComplete, sent, o.sendTimeoutMs, stop) != Io::Ok) {
        const Outcome outcome = Fail(Outcome::SendFailed);
        if (outcome != Outcome::Stopped) Abort(sent);
        return outcome;
    }

    uint8_t result = 0;
    switch (ReadAnswer(fd, o, stop, result)) {
    case Answer::Stopped: return Outcome::Stopped;
    case Answer::None: {
        const Outcome outcome = Fail(Outcome::NoAnswer);
        if (outcome != Outcome::Stopped) Abort(sent);
        return outcome;
    }
    case Answer::Valid: break;
    }
    if (result != kResultSuccess) return Fail(Outcome::Rejected);
    Report(kProgressDone);
    SendMessage(fd, kOpFinish, sent, o.sendTimeoutMs, stop);
    return Outcome::Success;
}

UploadWorker::~UploadWorker()
{
    Stop();
}

void UploadWorker::JoinFinished()
{
    if (thread_.joinable()) thread_.join();
}

bool UploadWorker::Start(Options options, ProgressReport report, std::function<void(Outcome)> done)
{
    if (running_.load(std::memory_order_acquire)) return false;
    JoinFinished();
    stop_.Reset();
    running_.store(true, std::memory_order_release);
    thread_ = std::thread([this, options = std::move(options), report = std::move(report), done = std::move(done)] {
        const Outcome outcome = RunUpload(options, report, stop_);
        if (done) done(outcome);
        running_.store(false, std::memory_order_release);
    });
    return true;
}

void UploadWorker::Stop()
{
    stop_.Raise();
    JoinFinished();
    running_.store(false, std::memory_order_release);
}

} // namespace encoder_upload
