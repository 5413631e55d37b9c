// text/ascii_text.h: the byte-level text forms every layer shares: ASCII upper-casing
// and the signed decimal of the notice and the registry reads. The lowest layer: it
// includes nothing of the program. Portable: no Win32.
#pragma once

#include <string>

// a to z become A to Z; every other byte, those above 0x7F included, stays as it is.
constexpr char UpperAscii(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
std::string UpperAscii(std::string text);

// A number as the program shows it: the sign position (a space, or the minus sign),
// then the decimal digits, no leading zeros.
std::string SignedNumberText(long long value);
