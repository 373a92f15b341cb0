#pragma once
// A program this program starts and keeps track of by its process id, so that only a process we
// started ourselves is ever ended. Plain POSIX (posix_spawn), no event loop needed.
//
// The child runs in a process group of its own: ending it reaches whatever it started in turn (a
// script's commands), and the operator's terminal signals do not reach it. Its standard input is
// /dev/null and it inherits no descriptor beyond the standard three. The destructor leaves a
// running child running: it is a program of its own.

#include <string>
#include <sys/types.h>
#include <vector>

class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts program (a path) with the arguments in workingDir (empty: ours). A child still running
    // from an earlier Start is forgotten, not ended: end it first. False with the reason in error
    // when the program cannot be started (missing, not executable, bad folder).
    bool Start(const std::string& program, const std::vector<std::string>& args, const std::string& workingDir,
               std::string* error = nullptr);

    // Whether the child we started is still running; an ended child is reaped here.
    bool IsRunning();
    pid_t Pid() const { return pid_; }
    // The exit status of the last child once it was reaped (waitpid form), or -1.
    int LastStatus() const { return status_; }

    // Asks the child to end (SIGTERM to its group), waits up to graceMs for it, then kills it
    // (SIGKILL) and reaps it. Nothing when no child of ours runs. True when it ended within the
    // grace period.
    bool Stop(int graceMs);

private:
    // Reaps the child when it has ended, waiting up to ms (0: just look).
    bool WaitEnded(int ms);

    pid_t pid_ = -1;
    int status_ = -1;
};
