// ui/selection_screen_win32.h: the screen on which the user picks a compiler version
// by hand: one button per known version, greyed where the version is not installed,
// and the actions of its buttons.
#pragma once

#include <windows.h>

// The identifier and the position (dialog units) of each version's button, in the
// order of VersionTable.
struct SelectionButton {
    int id;
    int x;
    int y;
};
extern const SelectionButton SelectionButtons[];

constexpr int SelectionLabelId = 0;
constexpr int SelectionCancelId = 201;

// What a version button does: closes CurrentDialog, then starts the version of
// VersionTable row 0..6 on CompilerSourcePath with its Filename as read at this moment
// (a value removed meanwhile starts nothing). Returns 0, the result a button callback gives back
// to the dialog layer.
LRESULT LaunchVersion(int row);

// The Cancel buttons' callback, of this screen and of the countdown notice: closes
// CurrentDialog and sets SelectionTakenOver, so that the main flow starts nothing.
// Returns 1.
LRESULT CancelAction(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Closes the dialog on screen (the countdown notice, if still open), takes over from
// the main flow (SelectionTakenOver = 1) and shows the screen modally; returns once it
// has been closed by a version button, "&Cancel" or the close command. Versions that
// are not installed are greyed; all are where CompilerSourcePath is empty.
void RunSelectionScreen();
