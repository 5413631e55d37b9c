// app/startup_boxes_win32.h: the only two failures a run reports to the user, each in a
// message box with no owner window, an OK button and the stop icon.
#pragma once

#include <string>

// No source path on the command line.
void ShowUsage();

// The usage box's text: how to start DORVALIX, and where .bas or .inc files will not
// reach it after this start's registration, one paragraph more that says why and
// what the user can do.
std::string UsageBoxText();

// The source path names nothing that could be opened for reading.
void ShowOpenFailure();
