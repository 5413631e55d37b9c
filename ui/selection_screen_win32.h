// ui/selection_screen_win32.h: the screen on which the user picks a compiler version
// by hand: one button per known version, greyed where the version is not installed.
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

// Closes the dialog on screen (the countdown notice, if still open), takes over from
// the main flow (SelectionTakenOver = 1) and shows the screen modally; returns once it
// has been closed by a version button, "&Cancel" or the close command.
void RunSelectionScreen();
