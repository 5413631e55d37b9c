// compilers/launcher_win32.h: starts a compiler's command line as a new process,
// shown normally, and never waits for it.
#pragma once

#include <windows.h>

#include <string>

// The source path as a compiler is handed it. The compilers read their command line in
// the system's code page, whatever code page DORVALIX runs in: the path itself where
// that code page holds it (then a compiler gets exactly what it always got), else the
// path's short spelling where that code page holds it; empty where neither does, for
// any other spelling could name a different file, and nothing is started on it.
std::string PathForCompilers(const std::string& sourcePath);

// Starts the command line (built by BuildLaunchCommand) with the program's environment
// and current folder, closes both handles of the new process at once and returns its
// process id. 0 when nothing was started: an empty command line, or a failed start,
// which shows nothing.
DWORD StartProcess(const std::string& commandLine);
