// app/command_tail.h: takes the source path from the program's command line.
// Portable: no Win32.
#pragma once

#include <string>

// The command tail is what follows the program's own name: a name that begins with a
// double quote ends at the next one (or at the end of the line); any other name ends
// before the first space or control byte. After a quoted or space-ended name the
// spaces are skipped; a control byte that ends the name begins the tail. The double
// quotes at both ends of the tail are removed, and nothing else: inner quotes, tabs
// and spaces stay.
std::string TakeSourcePath(const char* commandLine);
