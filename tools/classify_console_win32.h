// tools/classify_console_win32.h: dorvalix-classify's edge to Windows: its arguments as
// the shell passed them, its output (WriteText, tools/classify_output.h) in UTF-8, and
// the files it reads opened by their UTF-16 names (OpenForReading, IsFolder).
#pragma once

#include <vector>

#include "tools/classify_output.h"

// The arguments after the program's name, from the UTF-16 ones the system keeps, each
// spelled as DORVALIX spells its source path: as it is where the program's code page
// holds it, else as its short path; an argument with neither is not spelled (its text
// is then only for messages).
std::vector<Argument> SpelledArguments(int argc, wchar_t** argv);
