// app/main_flow_win32.h: one run of DORVALIX, from the command line to the exit code.
#pragma once

#include <string>

// The command line that the countdown's end starts; empty: nothing is started.
extern std::string LaunchCommand;

// The whole run for the given command line (the program's name first, as
// GetCommandLineA gives it). Returns the exit code, always 0.
int RunDorvalix(const char* commandLine);
