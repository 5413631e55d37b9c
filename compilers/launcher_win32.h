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

// Lets the program started next bring its window to the front. Windows lets a process
// take the foreground only under conditions, one of which is being started by the
// foreground process; DORVALIX starts the compiler after its last window is gone,
// when another program holds the foreground, so the compiler could open behind it
// with a flashing taskbar button. Called while a window of DORVALIX is still the
// foreground one (just before the notice or the selection screen goes), it passes its
// own right on; the right lapses at the user's next input elsewhere. Does nothing where
// DORVALIX does not hold the foreground: the user's choice of window stands.
void LetStartedProgramComeToFront();
