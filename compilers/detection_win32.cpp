// compilers/detection_win32.cpp: the detection of installed compilers.
#include "compilers/detection_win32.h"

#include "compilers/version_table.h"

// No registry is read yet: every family is reported as not installed.
std::string FindNewestConsoleCompiler() { return ConsoleNotFoundMessage; }
std::string FindNewestWindowsCompiler() { return WindowsNotFoundMessage; }
