#include "platform/ProgramProcess.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <poll.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

std::string ProcPath(pid_t pid, const char* entry) { return "/proc/" + std::to_string(pid) + "/" + entry; }

std::string Canonical(const std::string& path)
{
    char resolved[PATH_MAX];
    return !path.empty() && ::realpath(path.c_str(), resolved) ? std::string(resolved) : std::string();
}

std::string LinkTarget(const std::string& link)
{
    char target[PATH_MAX];
    const ssize_t n = ::readlink(link.c_str(), target, sizeof target - 1);
    return n > 0 ? std::string(target, static_cast<size_t>(n)) : std::string();
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Running: the state after the command name in /proc/<pid>/stat is neither zombie nor dead.
bool IsRunning(pid_t pid)
{
    const std::string stat = ReadAll(ProcPath(pid, "stat"));
    const size_t close = stat.rfind(')');
    if (close == std::string::npos || close + 2 >= stat.size()) return false;
    const char state = stat[close + 2];
    return state != 'Z' && state != 'X' && state != 'x';
}

int PidFdOpen(pid_t pid)
{
#ifdef SYS_pidfd_open
    return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
#else
    (void)pid;
    errno = ENOSYS;
    return -1;
#endif
}

bool PidFdSignal(int fd, int signal)
{
#ifdef SYS_pidfd_send_signal
    return ::syscall(SYS_pidfd_send_signal, fd, signal, nullptr, 0) == 0;
#else
    (void)fd;
    (void)signal;
    return false;
#endif
}

// Sleeps until the process ends or ms pass; true when it has ended.
bool WaitEnded(int pidFd, int ms)
{
    pollfd p{pidFd, POLLIN, 0};
    int r = 0;
    do {
        r = ::poll(&p, 1, ms < 0 ? 0 : ms);
    } while (r < 0 && errno == EINTR);
    return r > 0;
}

}  // namespace

bool IsProcessOfProgram(pid_t pid, const std::string& program)
{
    if (pid <= 0 || !IsRunning(pid)) return false;
    const std::string file = Canonical(program);
    if (file.empty()) return false;
    if (Canonical(LinkTarget(ProcPath(pid, "exe"))) == file) return true;
    // An interpreter's process: the program is its first or second argument, relative to the
    // folder the process was started in.
    const std::string cmdline = ReadAll(ProcPath(pid, "cmdline"));
    const std::string cwd = LinkTarget(ProcPath(pid, "cwd"));
    size_t start = 0;
    for (int arg = 0; arg < 2 && start < cmdline.size(); ++arg) {
        size_t end = cmdline.find('\0', start);
        if (end == std::string::npos) end = cmdline.size();
        std::string path = cmdline.substr(start, end - start);
        if (!path.empty() && path[0] != '/' && !cwd.empty()) path = cwd + "/" + path;
        if (Canonical(path) == file) return true;
        start = end + 1;
    }
    return false;
}

bool EndProcessOfProgram(pid_t pid, const std::string& program, int graceMs)
{
    if (pid <= 0) return false;
    const int fd = PidFdOpen(pid);
    if (fd < 0) {
        if (errno != ENOSYS || !IsProcessOfProgram(pid, program)) return false;
        return ::kill(pid, SIGTERM) == 0;
    }
    // Checked after the descriptor was taken: while it has not ended, the id is still its own.
    bool ended = false;
    if (IsProcessOfProgram(pid, program) && !WaitEnded(fd, 0) && PidFdSignal(fd, SIGTERM)) {
        ended = WaitEnded(fd, graceMs);
        if (!ended && PidFdSignal(fd, SIGKILL)) ended = WaitEnded(fd, graceMs);
    }
    ::close(fd);
    return ended;
}
