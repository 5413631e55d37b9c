// app/run_state_win32.h: the run state, the process-wide variables of one run.
// The main flow sets them at start; the Parts named beside each read or change them.
#pragma once

#include <windows.h>

#include <string>

extern HKEY VersionRoot;         // HKEY_LOCAL_MACHINE: root of every compiler-version read
extern std::string SourcePath;   // the source file from the command line, quotes stripped
extern HWND CurrentDialog;       // the dialog on screen: the notice, then the selection screen
extern int SelectionTakenOver;   // 1 once the selection screen opened or Cancel was pressed
extern int CountdownState;       // 0 running, -1 paused, 1 go now (the countdown notice)

// The first thing a run does: set the registry root. REG_SZ and REG_DWORD are the
// platform's.
void InitRunState();
