// compilers/launch_command.cpp: builds a compiler's command line.
#include "compilers/launch_command.h"

#include "compilers/version_table.h"

std::string BuildLaunchCommand(const std::string& compilerPath, const std::string& sourcePath)
{
    if (compilerPath.empty() || IsNotFoundMessage(compilerPath) || sourcePath.empty())
        return std::string();
    std::string command;
    if (compilerPath.find(' ') != std::string::npos && compilerPath[0] != '"')
        command = '"' + compilerPath + '"';
    else
        command = compilerPath;
    return command + ' ' + sourcePath;
}
