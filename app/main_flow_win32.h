// app/main_flow_win32.h: one run of DORVALIX, from the command line to the exit code.
#pragma once

#include <string>

// The command line that the countdown's end starts; empty: nothing is started.
extern std::string LaunchCommand;

// The whole run for the given command line (the program's name first, as
// GetCommandLineA gives it) and, where the system gave one, the same command line in
// UTF-16 (GetCommandLineW), from which the source path is then taken whole. Returns
// the exit code, always 0.
int RunDorvalix(const char* commandLine, const wchar_t* wideCommandLine = nullptr);
