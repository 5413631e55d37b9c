// app/command_tail.cpp: the source path from the command line.
#include "app/command_tail.h"

std::string TakeSourcePath(const char* commandLine)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(commandLine ? commandLine : "");
    bool skipSpaces = false;
    if (*p == '"') {
        ++p;
        while (*p && *p != '"')
            ++p;
        if (*p == '"')
            ++p;
        skipSpaces = true;
    } else {
        while (*p > ' ')  // bytes above 0x7F belong to the name
            ++p;
        skipSpaces = *p == ' ';
    }
    if (skipSpaces)
        while (*p == ' ')
            ++p;

    std::string tail(reinterpret_cast<const char*>(p));
    size_t first = tail.find_first_not_of('"');
    if (first == std::string::npos)
        return std::string();  // empty, or nothing but quotes
    size_t last = tail.find_last_not_of('"');
    return tail.substr(first, last - first + 1);
}
