// The running program and other processes: where this program lives, whether
// a program of a given name runs, and starting a program without waiting.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Full path of the running program's file (from /proc/self/exe), and its
// folder without a trailing separator. Empty when it cannot be read.
std::string ExecutablePath();
std::string ExecutableDir();

// True when a process whose executable file name (without folder) is exactly
// `exeName` runs, letter case counting. The name is that of the process's
// program file, or, for processes whose file may not be inspected (another
// user's), the file name of its argv[0]. Kernel threads and zombies never
// match. Includes the calling process.
bool IsProcessRunning(std::string_view exeName);

// Starts `path` with `args` (argv[1..]) as a detached process in a session of
// its own; does not wait for it. A `path` without '/' is looked up in PATH.
// False when the program could not be executed.
bool StartProcess(const std::string& path, const std::vector<std::string>& args = {});

int CurrentProcessId();

}  // namespace platform
