// text/ascii_text.cpp: ASCII upper-casing of a whole text, and signed decimals.
#include "text/ascii_text.h"

std::string UpperAscii(std::string text)
{
    for (char& c : text)
        c = UpperAscii(c);
    return text;
}

std::string SignedNumberText(long long value)
{
    return value < 0 ? std::to_string(value) : ' ' + std::to_string(value);
}
