// shell/shell_integration_win32.h: makes DORVALIX the shell handler of .bas and .inc
// under HKEY_CLASSES_ROOT, at every start. Silent: nothing is shown or reported, and
// nothing is ever deleted.
#pragma once

#include <windows.h>

#include <string>

// Runs at every start, before the command line is looked at: RegisterExtension for
// ".bas", then for ".inc".
void RegisterShellIntegration();

// Points the extension (with its leading dot) at the file type "Dorvalix" and writes
// that type's open and chooser commands. When the extension belonged to another type
// with an open command, that command becomes the verb "Open with <handler name>". The
// extension is pointed at "Dorvalix" only once its open command is stored, so a
// refused write never leaves the extension on a type that opens nothing.
void RegisterExtension(const std::string& extension);

// The full path of the running program file, however long; empty when the system
// reports nothing. The buffer starts at firstBufferSize bytes and grows until the
// path fits (tests start small to make it grow).
std::string ProgramPath(DWORD firstBufferSize = MAX_PATH);

// Every write of the registration goes through here; WriteRegistryValue unless a test
// puts a refusing writer in its place. True when the value was stored.
using ClassesWriter = bool (*)(HKEY root, const std::string& keyPath, const std::string& valueName,
                               const std::string& text, DWORD type);
extern ClassesWriter WriteClassesValue;
