// compilers/launch_actions_win32.h: the actions of the selection screen's version
// buttons and of the Cancel buttons. Both end CurrentDialog through the dialog layer.
#pragma once

#include <windows.h>

// Closes CurrentDialog, then starts the version of VersionTable row 0..6 on SourcePath
// with its Filename as read at this moment (a value removed meanwhile starts nothing).
// Returns 0, the result a button callback gives back to the dialog layer.
LRESULT LaunchVersion(int row);

// The Cancel buttons' callback: closes CurrentDialog and sets SelectionTakenOver, so
// that the main flow starts nothing. Returns 1.
LRESULT CancelAction(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
