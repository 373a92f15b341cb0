#pragma once
// Process descriptors (pidfd): a handle on one process that a reused process id can never
// reach, and that becomes readable when the process ends.

#include <cerrno>
#include <poll.h>
#include <sys/syscall.h>
#include <sys/types.h>
#include <unistd.h>

// A descriptor for pid; -1 with errno set when there is none (ENOSYS: the kernel has no pidfd).
inline int OpenPidFd(pid_t pid)
{
#ifdef SYS_pidfd_open
    return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
#else
    (void)pid;
    errno = ENOSYS;
    return -1;
#endif
}

// Sends signal to the descriptor's process; false when it could not be sent.
inline bool SignalPidFd(int fd, int signal)
{
#ifdef SYS_pidfd_send_signal
    return ::syscall(SYS_pidfd_send_signal, fd, signal, nullptr, 0) == 0;
#else
    (void)fd;
    (void)signal;
    return false;
#endif
}

// Sleeps until the descriptor's process ends or ms pass (0: just look); true when it has ended.
inline bool WaitPidFd(int fd, int ms)
{
    pollfd p{fd, POLLIN, 0};
    int r = 0;
    do {
        r = ::poll(&p, 1, ms < 0 ? 0 : ms);
    } while (r < 0 && errno == EINTR);
    return r > 0;
}
