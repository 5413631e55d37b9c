// compilers/detection_win32.h: which of the known compiler versions are installed,
// and the newest installed compiler of a family. Every read goes below VersionRoot.
#pragma once

#include <windows.h>

#include <string>

#include "registry/registry_win32.h"
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

// The newest installed compiler of the decided family, as the notice names it; the
// empty text for None (nothing decided: no lookup).
std::string FindNewestCompiler(CompilerKind kind);

// How the row's Filename value is stored (its key and value read as ReadVersionFilename
// reads them), to tell why a version counts as not installed.
RegistryValueProbe ProbeVersionFilename(const CompilerVersion& row);
