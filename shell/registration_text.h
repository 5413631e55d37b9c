// shell/registration_text.h: the texts of the file-type registration: key paths, the
// two fixed commands and the name of the handler that an extension is taken from.
// Portable: no Win32.
#pragma once

#include <string>

// The program's own file type below HKEY_CLASSES_ROOT, and its verbs' command keys.
extern const char FileTypeName[];       // "Dorvalix"
extern const char OpenCommandKey[];     // "Dorvalix\shell\open\command"
extern const char ChooserCommandKey[];  // "Dorvalix\shell\openas\command"

// The extensions the program registers itself for, in that order: ".bas", ".inc".
extern const char* const SourceExtensions[2];

// The part of text after its last backslash: all of it without one, empty when the
// text ends with one.
std::string FileNamePart(const std::string& text);

// The name under which a previous handler stays reachable, from its open command:
// the file-name part, without quotes, "%1" and "%2" (removed twice, so that "%%22"
// goes too), without trailing then leading spaces (tabs stay), and without a final
// ".EXE", then ".COM", then ".BAT" in any letter case.
std::string HandlerName(const std::string& previousCommand);

// True for a handler named DORVALIX in any letter case: the program itself, which
// never becomes an Open-with verb of its own file type.
bool IsOwnHandler(const std::string& handlerName);

// True for the file type "Dorvalix" in any letter case: type names are key names, and
// the registry compares those without regard to case.
bool IsOwnFileType(const std::string& typeName);

// The extension's key (".bas") + "\OpenWithProgids": the types its "Open with" offers.
std::string OpenWithProgidsKey(const std::string& extension);

// "Dorvalix\shell\Open with " + handler name + "\command". The verb key's name is
// the caption that the shell shows.
std::string OpenWithCommandKey(const std::string& handlerName);

// The program path in double quotes, one space, "%1" in double quotes. An empty path
// gives "" "%1", written as it is.
std::string BuildOpenCommand(const std::string& programPath);

// The system's own dialog that lets the user pick a program for the file.
std::string BuildChooserCommand();

// Where the full path lies below the folder (a backslash or a slash between names,
// the folder's own trailing one or not): the length of the path's first part, which
// must then name the folder, letter case aside, as the system compares names. 0 where
// no letters could make it lie below: a path that is the folder itself or shorter, or
// one whose first part is not followed by a separator ("C:\Temp2\x" for "C:\Temp").
size_t FolderPrefixLength(const std::wstring& path, const std::wstring& folder);
