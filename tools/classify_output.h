// tools/classify_output.h: the words and JSON strings that every part of
// dorvalix-classify prints. Portable: no Win32.
#pragma once

#include <cstdio>
#include <string>

#include "classify/source_verdict.h"

// A compiler family as the output names it: console (PB/CC), windows (PB/DLL), none.
inline const char* KindName(CompilerKind kind)
{
    switch (kind) {
    case CompilerKind::Console: return "console";
    case CompilerKind::Windows: return "windows";
    default: return "none";
    }
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
