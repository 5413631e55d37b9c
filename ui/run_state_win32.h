// ui/run_state_win32.h: the state of one run that the screens share with the main
// flow. Plain variables: the buttons' handlers run on the one thread, inside the
// message loops of the notice and the selection screen.
#pragma once

#include <windows.h>

#include <string>

extern std::string SourcePath;  // the source file; set by the main flow; read by it and by LaunchVersion
// The source path as the compilers are handed it (PathForCompilers): SourcePath, or its
// short path; empty where no spelling reaches a compiler, and nothing is started. Set
// by the main flow; read by it, the selection screen and LaunchVersion.
extern std::string CompilerSourcePath;
extern HWND CurrentDialog;      // the dialog on screen; set by the notice and RunSelectionScreen; read by its closers
extern int SelectionTakenOver;  // set to 1 by RunSelectionScreen and CancelAction; read by the countdown loop

// The first thing a run does: no source, no dialog, nothing taken over.
void InitRunState();
