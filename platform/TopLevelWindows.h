#pragma once
// Top-level windows of other programs, found by title, and the processes that show them: what
// FindWindow and GetWindowThreadProcessId give on Windows.
//
// On X11 a top-level window is a client window: the window below a child of the root that carries
// WM_STATE (a window manager frames it), or the root's child itself where no window manager runs.
// A window is this host's when its WM_CLIENT_MACHINE names this host; its process is then the one
// in its _NET_WM_PID. Its title is _NET_WM_NAME, else WM_NAME. The server is asked over a
// connection of its own, which errors never leave (a window that vanishes meanwhile is skipped).

#include <string>
#include <sys/types.h>
#include <vector>

// The ids of this host's processes that show a top-level window titled exactly `title`, each once,
// in the server's stacking order. Empty when no X server answers (no DISPLAY, Wayland only).
// display: the X display to ask; null asks the one in DISPLAY.
std::vector<pid_t> FindTopLevelWindowProcesses(const std::string& title, const char* display = nullptr);
