// app/startup_boxes_win32.h: the only two failures a run reports to the user, each in a
// message box with no owner window, an OK button and the stop icon.
#pragma once

// No source path on the command line.
void ShowUsage();

// The source path names nothing that could be opened for reading.
void ShowOpenFailure();
