// text/path_spelling_win32.h: how a path is spelled in the byte strings of a code page.
// The program's texts are in its own code page (UTF-8 where Windows honours the
// manifest, else the system's); the compilers read their command lines in the
// system's code page; the system keeps every name in UTF-16. These are the only places
// that convert between them.
#pragma once

#include <string>

// A text of the program's code page in UTF-16, and back. ProcessText is false (text
// untouched) where the program's code page cannot hold every character: the system's
// "best fit" letter or "?" would name another file.
std::wstring WideText(const std::string& text);
bool ProcessText(const std::wstring& wide, std::string* text);

// UTF-16 in UTF-8, whatever the program's code page; empty where it is no valid UTF-16.
std::string Utf8Text(const std::wstring& wide);

// The system's ANSI code page (its "language for non-Unicode programs"), in which the
// compilers read their command lines; not the program's own, which the manifest may
// make UTF-8. 0 where the system does not tell.
unsigned SystemCodePage();

// True where the code page holds every character of the text (of the program's code
// page) exactly: no character left out, none replaced by a look-alike. An unknown code
// page (0) holds ASCII alone.
bool CodePageHolds(unsigned codePage, const std::string& text);

// The system's short (8.3) spelling of a path in UTF-16; empty where it gives none (no
// such file, for one). Where a volume makes no short names, the long names come back
// as they are. ShortPath and SpellPath ask it here, and a test may put another lookup
// in its place: a volume without short names, or one whose short names hold letters.
using ShortPathLookup = std::wstring (*)(const std::wstring& widePath);
extern ShortPathLookup LookUpShortPath;
std::wstring SystemShortPath(const std::wstring& widePath);

// The short spelling of an existing file's path (LookUpShortPath), in the program's
// code page; empty where there is none that this code page holds.
std::string ShortPath(const std::string& path);

// The path, given in UTF-16 as the system keeps it, in the program's code page: as it
// is where that code page holds it, else its short path. False where neither spells
// it: any other spelling could name a different file.
bool SpellPath(const std::wstring& widePath, std::string* path);
