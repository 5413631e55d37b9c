// compilers/launch_command.h: the command line that starts a compiler on the source.
// Portable: no Win32.
#pragma once

#include <string>

// The compiler path, one space, the source path. The compiler path is put in double
// quotes when it holds a space (unless it already begins with one), so that the
// system cannot start a shorter path such as C:\Program.exe. The source path stays
// unquoted: the compilers take the rest of their command line as the file name.
// Nothing is cut. An empty compiler path, a not-found text or an empty source path (no
// spelling of it reaches a compiler) gives the empty command, which starts nothing.
std::string BuildLaunchCommand(const std::string& compilerPath, const std::string& sourcePath);
