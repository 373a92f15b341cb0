#include "platform/TerminationSignals.h"

#include <QSocketNotifier>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The pipe stays open for the program's life: a handler still running on another thread while the
// dispositions are put back must never write into a descriptor that was closed and reused since.
int g_readEnd = -1;
std::atomic<int> g_writeEnd{-1};
static_assert(std::atomic<int>::is_always_lock_free, "read from a signal handler");

std::atomic<bool> g_taken{false};
struct sigaction g_previous[std::size(kSignals)];
bool g_handled[std::size(kSignals)] = {};

void OnSignal(int signal)
{
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signal);
    // A full pipe already holds a request to close; this one adds nothing.
    if (const int fd = g_writeEnd.load(std::memory_order_relaxed); fd >= 0) {
        [[maybe_unused]] const ssize_t n = ::write(fd, &byte, 1);
    }
    errno = saved;
}

bool OpenPipe()
{
    static const bool open = [] {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) return false;
        g_readEnd = fds[0];
        g_writeEnd = fds[1];
        return true;
    }();
    return open;
}

// The last signal the pipe holds, 0 for none.
int ReadPipe()
{
    unsigned char bytes[64];
    ssize_t n = 0;
    int last = 0;
    while ((n = ::read(g_readEnd, bytes, sizeof bytes)) > 0) last = bytes[n - 1];
    return last;
}

bool Ignored(const struct sigaction& action)
{
    return !(action.sa_flags & SA_SIGINFO) && action.sa_handler == SIG_IGN;
}

} // namespace

TerminationSignals::TerminationSignals(std::function<void(int)> onSignal, QObject* parent)
    : QObject(parent), onSignal_(std::move(onSignal))
{
    if (g_taken.exchange(true)) return;
    if (!OpenPipe()) {
        g_taken = false;
        return;
    }
    // A signal that came in after an earlier owner had gone is not this owner's to act on.
    (void)ReadPipe();
    notifier_ = new QSocketNotifier(g_readEnd, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { Drain(); });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        // A signal the program was started ignoring (nohup, a background job) stays ignored.
        g_handled[i] = ::sigaction(kSignals[i], nullptr, &g_previous[i]) == 0 && !Ignored(g_previous[i]);
        if (g_handled[i]) ::sigaction(kSignals[i], &action, nullptr);
    }
    installed_ = true;
}

TerminationSignals::~TerminationSignals()
{
    if (!installed_) return;
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        if (g_handled[i]) ::sigaction(kSignals[i], &g_previous[i], nullptr);
    delete notifier_;
    g_taken = false;
}

void TerminationSignals::Drain()
{
    const int last = ReadPipe();
    if (last != 0 && onSignal_) onSignal_(last);
}
