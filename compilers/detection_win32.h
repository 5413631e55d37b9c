// compilers/detection_win32.h: which of the known compiler versions are installed,
// and the newest installed compiler of a family. Every read goes below VersionRoot.
#pragma once

#include <windows.h>

#include <string>

#include "compilers/version_table.h"

// The root of every compiler-version read; never written.
const HKEY VersionRoot = HKEY_LOCAL_MACHINE;

// The row's Filename value as read now; empty when it is missing or unreadable.
std::string ReadVersionFilename(const CompilerVersion& row);

// True when the row's Filename reads as a non-empty text; the file itself is not checked.
bool IsVersionInstalled(const CompilerVersion& row);

// The Filename of the newest installed version of the family, or its not-found text.
// Newest is the installed row with the highest detection position; PB/DLL 1.0 and 2.0
// are never detected.
std::string FindNewestConsoleCompiler();
std::string FindNewestWindowsCompiler();
