// compilers/version_table.cpp: the version table and the not-found texts.
#include "compilers/version_table.h"

const CompilerVersion VersionTable[VersionCount] = {
    { "PB/DLL 1.0",  CompilerKind::Windows, "SOFTWARE\\PowerBASIC\\PB/DLL\\1.0",  0 },
    { "PB/DLL 2.0",  CompilerKind::Windows, "SOFTWARE\\PowerBASIC\\PB/DLL\\2.0",  0 },
    { "PB/DLL 5.00", CompilerKind::Windows, "SOFTWARE\\PowerBASIC\\PB/DLL\\5.00", 1 },
    { "PB/DLL 6.00", CompilerKind::Windows, "SOFTWARE\\PowerBASIC\\PB/DLL\\6.00", 2 },
    { "PB/CC 1.0",   CompilerKind::Console, "SOFTWARE\\PowerBASIC\\PB/CC\\1.0",   1 },
    { "PB/CC 1.1",   CompilerKind::Console, "SOFTWARE\\PowerBASIC\\PB/CC\\1.1",   2 },
    { "PB/CC 2.00",  CompilerKind::Console, "SOFTWARE\\PowerBASIC\\PB/CC\\2.00",  3 },
};

const char ConsoleNotFoundMessage[] = "No recognized PB/CC versions found in Registry...";
const char WindowsNotFoundMessage[] = "No recognized PB/DLL versions found in Registry...";

bool IsNotFoundMessage(const std::string& text)
{
    return text == ConsoleNotFoundMessage || text == WindowsNotFoundMessage;
}
