// text/system_library_win32.h: DLLs come from the system folder only. A program kept
// in a Downloads folder shares it with whatever a web page made the browser save
// there, and Windows looks for a DLL named without a path in the program's own folder
// first; so both programs restrict that search before anything else, and the one DLL
// loaded by name later is loaded from the system folder explicitly.
#pragma once

#include <windows.h>

// The first call of each program's entry point. Where the system has
// SetDefaultDllDirectories (Windows 8 on, and Vista and 7 with update KB2533623), every
// later DLL load, the dependencies of system DLLs included, searches the system folder
// alone. Elsewhere SetDllDirectoryA("") at least takes the current folder out of the
// search; the program's own folder then stays first, which only that update can change.
void RestrictDllSearchToSystem();

// A system DLL (name without a path, "shell32.dll") loaded from the system folder,
// never from the program's folder, the current one or PATH; null where it fails.
HMODULE LoadSystemLibrary(const char* name);
