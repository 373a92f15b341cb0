#include "platform/ProgramProcess.h"
#include "platform/PidFd.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iterator>
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
    const int fd = OpenPidFd(pid);
    if (fd < 0) {
        if (errno != ENOSYS || !IsProcessOfProgram(pid, program)) return false;
        return ::kill(pid, SIGTERM) == 0;
    }
    // Checked after the descriptor was taken: while it has not ended, the id is still its own.
    bool ended = false;
    if (IsProcessOfProgram(pid, program) && !WaitPidFd(fd, 0) && SignalPidFd(fd, SIGTERM)) {
        ended = WaitPidFd(fd, graceMs);
        if (!ended && SignalPidFd(fd, SIGKILL)) ended = WaitPidFd(fd, graceMs);
    }
    ::close(fd);
    return ended;
}
