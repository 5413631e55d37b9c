// app/command_tail.h: takes the source path from the program's command line, the ANSI
// one or the wide one the system keeps, and tells the two command words from a path.
// Portable: no Win32.
#pragma once

#include <string>

#include "text/ascii_text.h"

// The command tail is what follows the program's own name: a name that begins with a
// double quote ends at the next one (or at the end of the line); any other name ends
// before the first space or control character. After a quoted or space-ended name the
// spaces are skipped; a control character that ends the name begins the tail. The
// double quotes at both ends of the tail are removed, and nothing else: inner quotes,
// tabs and spaces stay. Only these ASCII characters are looked at, so the rules are the
// same for bytes and for UTF-16 units; every other character belongs to the name or
// the path.
template <typename Char>
std::basic_string<Char> TakeSourcePathOf(const Char* commandLine)
{
    static const Char none[] = {0};
    const Char* p = commandLine ? commandLine : none;
    auto code = [](Char c) { return static_cast<unsigned long>(static_cast<std::make_unsigned_t<Char>>(c)); };
    bool skipSpaces = false;
    if (*p == '"') {
        ++p;
        while (*p && *p != '"')
            ++p;
        if (*p == '"')
            ++p;
        skipSpaces = true;
    } else {
        while (code(*p) > ' ')  // characters above 0x7F belong to the name
            ++p;
        skipSpaces = *p == ' ';
    }
    if (skipSpaces)
        while (*p == ' ')
            ++p;

    std::basic_string<Char> tail(p);
    const Char quote[] = {'"', 0};
    size_t first = tail.find_first_not_of(quote);
    if (first == std::basic_string<Char>::npos)
        return std::basic_string<Char>();  // empty, or nothing but quotes
    size_t last = tail.find_last_not_of(quote);
    return tail.substr(first, last - first + 1);
}

inline std::string TakeSourcePath(const char* commandLine)
{
    return TakeSourcePathOf(commandLine);
}

// What a command tail (as TakeSourcePath takes it) asks for: a source path, or one of
// the two words that register the file types or take them out again, which an
// installer runs.
enum class CommandWord { None, Register, Unregister };

// "/register" or "/unregister", with "-" for "/" as Windows programs accept it, in any
// letter case; blanks after the word are the ones a command line may end with. Any
// other tail is a source path: None.
inline CommandWord TakeCommandWord(const std::string& tail)
{
    std::string word = UpperAscii(tail.substr(0, tail.find_last_not_of(" \t") + 1));
    if (word.empty() || (word[0] != '/' && word[0] != '-'))
        return CommandWord::None;
    word.erase(0, 1);
    if (word == "REGISTER")
        return CommandWord::Register;
    return word == "UNREGISTER" ? CommandWord::Unregister : CommandWord::None;
}
