// compilers/version_table.h: the seven compiler versions the program knows, and the
// texts that stand in for a compiler path when no version of a family is installed.
// Portable: no Win32 (the registry reads are in compilers/detection_win32.cpp).
#pragma once

#include <string>

#include "classify/source_verdict.h"

struct CompilerVersion {
    const char* caption;    // the text on the version's button
    CompilerKind family;    // Windows for PB/DLL, Console for PB/CC
    const char* keyPath;    // below HKEY_LOCAL_MACHINE; its value "Filename" names the IDE
    int detectionPosition;  // place in the family's detection order, 0: never detected
};

constexpr int VersionCount = 7;
constexpr const char* FilenameValue = "Filename";  // the value of every row's key
extern const CompilerVersion VersionTable[VersionCount];  // in the selection screen's order

extern const char ConsoleNotFoundMessage[];  // "No recognized PB/CC versions found in Registry..."
extern const char WindowsNotFoundMessage[];  // "No recognized PB/DLL versions found in Registry..."

// True for either family's not-found text.
bool IsNotFoundMessage(const std::string& text);
