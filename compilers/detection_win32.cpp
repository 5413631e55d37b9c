// compilers/detection_win32.cpp: the detection of installed compilers from the
// Filename values of the version table's keys. Nothing is stored between calls.
#include "compilers/detection_win32.h"

#include "registry/registry_win32.h"

namespace {

// Reads every detected row of the family, also after a hit: the newest is the installed
// row with the highest detection position. Version numbers are never compared.
std::string FindNewestOfFamily(CompilerKind family, const char* notFoundMessage)
{
    std::string newest = notFoundMessage;
    int newestPosition = 0;
    for (const CompilerVersion& row : VersionTable) {
        if (row.family != family || row.detectionPosition == 0)
            continue;
        std::string filename = ReadVersionFilename(row);
        if (!filename.empty() && row.detectionPosition > newestPosition) {
            newest = filename;
            newestPosition = row.detectionPosition;
        }
    }
    return newest;
}

}  // namespace

std::string ReadVersionFilename(const CompilerVersion& row)
{
    return ReadRegistryValue(VersionRoot, row.keyPath, FilenameValue);  // empty on any failure
}

bool IsVersionInstalled(const CompilerVersion& row)
{
    return !ReadVersionFilename(row).empty();  // not trimmed: spaces count as installed
}

std::string FindNewestConsoleCompiler()
{
    return FindNewestOfFamily(CompilerKind::Console, ConsoleNotFoundMessage);
}

std::string FindNewestWindowsCompiler()
{
    return FindNewestOfFamily(CompilerKind::Windows, WindowsNotFoundMessage);
}

std::string FindNewestCompiler(CompilerKind kind)
{
    if (kind == CompilerKind::Windows)
        return FindNewestWindowsCompiler();
    if (kind == CompilerKind::Console)
        return FindNewestConsoleCompiler();
    return std::string();  // nothing decided: no lookup
}

RegistryValueProbe ProbeVersionFilename(const CompilerVersion& row)
{
    return ProbeRegistryValue(VersionRoot, row.keyPath, FilenameValue);
}
