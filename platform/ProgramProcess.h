#pragma once
// Processes of a program that this program did not start itself (one left from an earlier run):
// what OpenProcess and TerminateProcess give on Windows. A process is recognised through /proc and
// ended through a pidfd, so that a process id reused meanwhile is never signalled.

#include <string>
#include <sys/types.h>

// Whether pid is a running process (neither ended nor a zombie) of the program file at `program`:
// its executable is that file, or an interpreter runs it (the file is its first or second
// argument, as for a script or a binfmt launcher).
bool IsProcessOfProgram(pid_t pid, const std::string& program);

// Ends pid when it is a running process of `program`: SIGTERM, up to graceMs for it to end, then
// SIGKILL and up to graceMs again. True when this call ended it; nothing is done, and false
// returned, for any other process. Where the kernel has no pidfd the process is only sent SIGTERM.
bool EndProcessOfProgram(pid_t pid, const std::string& program, int graceMs);
