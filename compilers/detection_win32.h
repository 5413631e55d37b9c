// compilers/detection_win32.h: finds the newest installed compiler of a family.
#pragma once

#include <string>

// The Filename of the newest installed version of the family, or its not-found text.
std::string FindNewestConsoleCompiler();
std::string FindNewestWindowsCompiler();
