// app/startup_boxes_win32.h: the only two failures a run reports to the user, each in a
// message box with no owner window, an OK button and the stop icon.
#pragma once

#include <string>

// No source path on the command line. temporaryCopy: the program runs from a
// temporary copy and registered nothing (RunsFromTemporaryFolder).
void ShowUsage(bool temporaryCopy = false);

// The usage box's text: how to start DORVALIX, then one paragraph more where there is
// something to tell. From a temporary copy: that it must be extracted or copied to a
// folder of its own first. Otherwise, where .bas or .inc files will not reach it after
// this start's registration: why, and what the user can do.
std::string UsageBoxText(bool temporaryCopy = false);

// The source path names nothing that could be opened for reading.
void ShowOpenFailure();
