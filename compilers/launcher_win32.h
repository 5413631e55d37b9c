// compilers/launcher_win32.h: starts a compiler's command line as a new process,
// shown normally, and never waits for it.
#pragma once

#include <windows.h>

#include <string>

// Starts the command line (built by BuildLaunchCommand) with the program's environment
// and current folder, closes both handles of the new process at once and returns its
// process id. 0 when nothing was started: an empty command line, or a failed start,
// which shows nothing.
DWORD StartProcess(const std::string& commandLine);
