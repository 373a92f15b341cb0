#pragma once
// Uploading a software package to the preview encoder over its own TCP connection (port 8877).
// Plain code, no Qt: the messages, the answer's framing, the progress rule, one upload run, and a
// worker that runs one upload at a time on its own thread.
//
// A run: connect; 'm' with the file size; the file in 2048-byte sends; 'o' with the bytes sent;
// the encoder's answer (15 bytes, FF 01 00 00 .. .. 60 <result>) read in up to 7 attempts of 1 s;
// result 1 ends with 'b', a missing answer with 'a', any other result with nothing. Progress is
// reported as -1 (failure) or 0..100 (100 only after the answer says success).

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <thread>

namespace encoder_upload {

inline constexpr uint16_t kEncoderPort = 8877;
inline constexpr std::size_t kMessageSize = 15;
inline constexpr std::size_t kBlockSize = 2048;
inline constexpr int kReplyAttempts = 7;

inline constexpr uint8_t kOpAnnounce = 'm';
inline constexpr uint8_t kOpDataComplete = 'o';
inline constexpr uint8_t kOpFinish = 'b';
inline constexpr uint8_t kOpAbort = 'a';
inline constexpr uint8_t kOpReply = 0x60;
inline constexpr uint8_t kResultSuccess = 1;

inline constexpr int kProgressFailure = -1;
inline constexpr int kProgressDone = 100;

using Message = std::array<uint8_t, kMessageSize>;

// FF 01 00 00 00 00 op, value (u32 little-endian), 00 00 00 00.
Message MakeMessage(uint8_t op, uint32_t value);

// The result byte of a well-framed answer (15 bytes, FF 01 00 00 at 0..3, 0x60 at 6); nothing for
// anything else, a short answer included.
std::optional<uint8_t> ReplyResult(const uint8_t* data, std::size_t size);

// The encoder's answers as they arrive, a message possibly split over several reads: a read goes
// to Space(), at most Room() bytes, and Received(n) counts it in. Once a whole message is in,
// Received returns true with result set to ReplyResult of it (nothing for a badly framed one) and
// the next message starts afresh.
class AnswerAssembler {
public:
    uint8_t* Space() { return buffer_.data() + have_; }
    std::size_t Room() const { return kMessageSize - have_; }
    std::size_t Have() const { return have_; }
    // n beyond Room() counts as Room().
    bool Received(std::size_t n, std::optional<uint8_t>& result);

private:
    Message buffer_{};
    std::size_t have_ = 0;
};

// Progress after sent of size bytes: the percentage less one, truncated, so that the last block
// shows 99 until the encoder answers. Never outside 0..99 (an empty file gives 0).
int ProgressAfter(uint64_t sent, uint64_t size);

// The text of the result line for a report: "Update Failure" text for -1, the success text for
// 100, "<p>%" at the other multiples of ten, and nothing (keep the line) otherwise.
enum class ResultLine { Keep, Failure, Percent, Success };
ResultLine ResultLineFor(int progress);

struct Options {
    std::string ip;          // dotted IPv4
    uint16_t port = kEncoderPort;
    std::string path;        // the package file
    int connectTimeoutMs = 3000;
    int sendTimeoutMs = 5000;      // one send that makes no progress for this long fails
    int announcePauseMs = 50;      // after 'm'
    int completePauseMs = 500;     // before 'o'
    int replyAttemptMs = 1000;     // one answer attempt
    int replyAttempts = kReplyAttempts;
};

enum class Outcome {
    Success,        // answer 1, 'b' sent
    Rejected,       // answer other than 1, nothing more sent
    NoAnswer,       // no valid answer, 'a' sent
    SendFailed,     // a send failed ('a' tried)
    ConnectFailed,
    BadAddress,
    FileUnreadable,
    Stopped,        // the owner stopped the run
};

using ProgressReport = std::function<void(int)>;

// Wakes a run out of its waits (pauses, connect, send and receive). Thread-safe.
class StopSignal {
public:
    StopSignal();
    ~StopSignal();
    StopSignal(const StopSignal&) = delete;
    StopSignal& operator=(const StopSignal&) = delete;

    void Raise();
    void Reset();
    bool Raised() const { return raised_.load(std::memory_order_acquire); }
    int Fd() const { return fd_; }  // readable while raised

private:
    int fd_ = -1;
    std::atomic<bool> raised_{false};
};

// One upload, on the calling thread. report is called on this thread with every progress value
// as it changes (no repeats); a stopped run reports nothing more.
Outcome RunUpload(const Options& options, const ProgressReport& report, const StopSignal& stop);

// Runs uploads on a thread of its own, one at a time.
class UploadWorker {
public:
    UploadWorker() = default;
    ~UploadWorker();  // stops and joins
    UploadWorker(const UploadWorker&) = delete;
    UploadWorker& operator=(const UploadWorker&) = delete;

    // False (nothing started) while a run is still going. done, when given, is called on the
    // worker thread after the run with its outcome.
    bool Start(Options options, ProgressReport report, std::function<void(Outcome)> done = {});
    bool IsRunning() const { return running_.load(std::memory_order_acquire); }
    // Wakes a running upload, lets it close its socket and joins the thread.
    void Stop();

private:
    void JoinFinished();

    std::thread thread_;
    StopSignal stop_;
    std::atomic<bool> running_{false};
};

} // namespace encoder_upload
