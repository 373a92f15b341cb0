#include "platform/ChildProcess.h"
#include "platform/PidFd.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

bool ChildProcess::Start(const std::string& program, const std::vector<std::string>& args,
                         const std::string& workingDir, std::string* error)
{
    pid_ = -1;
    status_ = -1;
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attr;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attr);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    if (!workingDir.empty()) posix_spawn_file_actions_addchdir_np(&actions, workingDir.c_str());
    // A group of its own, and the default signal handling whatever ours is.
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGTERM);
    sigaddset(&defaults, SIGINT);
    sigaddset(&defaults, SIGPIPE);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigdefault(&attr, &defaults);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setpgroup(&attr, 0);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);

    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    pid_t pid = -1;
    // The program is a path: no search along PATH for a name that is not there.
    const int rc = program.empty() ? ENOENT : posix_spawn(&pid, program.c_str(), &actions, &attr, argv.data(), environ);
    posix_spawnattr_destroy(&attr);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        if (error) *error = std::strerror(rc);
        return false;
    }
    pid_ = pid;
    return true;
}

bool ChildProcess::WaitEnded(int ms)
{
    if (pid_ <= 0) return true;
    auto reap = [this] {
        int status = 0;
        const pid_t r = ::waitpid(pid_, &status, WNOHANG);
        if (r == pid_) {
            status_ = status;
            pid_ = -1;
            return true;
        }
        // Not our child any more (reaped elsewhere): nothing left to track.
        if (r < 0 && errno == ECHILD) {
            pid_ = -1;
            return true;
        }
        return false;
    };
    if (reap() || ms <= 0) return pid_ <= 0;

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    const int pidFd = OpenPidFd(pid_);
    while (!reap()) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) break;
        if (pidFd >= 0) {
            WaitPidFd(pidFd, static_cast<int>(left.count()));
        } else {
            std::this_thread::sleep_for(std::min(left, std::chrono::milliseconds(10)));
        }
    }
    if (pidFd >= 0) ::close(pidFd);
    return pid_ <= 0;
}

bool ChildProcess::IsRunning()
{
    return !WaitEnded(0);
}

bool ChildProcess::Stop(int graceMs)
{
    if (!IsRunning()) return true;
    // The group's leader is not reaped yet, so its id (and the group's) cannot have been reused.
    ::kill(-pid_, SIGTERM);
    if (WaitEnded(graceMs)) return true;
    ::kill(-pid_, SIGKILL);
    WaitEnded(5000);
    return false;
}
