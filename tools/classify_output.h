// tools/classify_output.h: the words and JSON strings that every part of
// dorvalix-classify prints. Portable: no Win32.
#pragma once

#include <cstdarg>
#include <cstdio>
#include <string>

#include "classify/source_verdict.h"

// One argument of the command line, in the program's code page. spelled is false where
// no spelling of it in that code page names the same file: it is then never opened.
struct Argument {
    std::string text;
    bool spelled;
};

// Everything dorvalix-classify prints goes through here: natively as it is; on Windows
// in UTF-8, and to a console window as its characters (classify_console_win32.cpp).
void WriteText(std::FILE* stream, const std::string& text);

// A file by its path, in binary, for reading; null with errno set where it does not
// open. On Windows by its UTF-16 name, so that a name longer than 260 characters opens
// too (where the system allows it).
std::FILE* OpenForReading(const char* path);
bool IsFolder(const char* path);

// printf's formatting, written through WriteText.
__attribute__((format(printf, 2, 3))) inline void PrintTo(std::FILE* stream, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    std::string text(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    if (length > 0)
        std::vsnprintf(&text[0], text.size() + 1, format, args);  // the NUL lands in the string's own end
    va_end(args);
    WriteText(stream, text);
}

// A compiler family as the output names it: console (PB/CC), windows (PB/DLL), none.
inline const char* KindName(CompilerKind kind)
{
    switch (kind) {
    case CompilerKind::Console: return "console";
    case CompilerKind::Windows: return "windows";
    default: return "none";
    }
}

// How DORVALIX's start for a source ends once its countdown runs out, as --dry-run
// names it: the selection screen for no decision; nothing for a decided family with no
// installed version, or where no spelling of the source path reaches a compiler; else
// the compiler starts.
inline const char* LaunchOutcome(CompilerKind kind, bool compilerFound, bool pathReachesCompiler)
{
    if (kind == CompilerKind::None)
        return "selectionScreen";
    if (!compilerFound)
        return "noCompiler";
    return pathReachesCompiler ? "start" : "pathUnreachable";
}

// The text in double quotes; a quote, a backslash and control bytes escaped, every
// other byte (also above 0x7F) as it is.
inline std::string JsonString(const std::string& text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + '"';
}
