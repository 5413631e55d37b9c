// registry/registry_text.cpp: the sizes and texts of stored registry values.
#include "registry/registry_text.h"

#include <cstring>

std::size_t TextDataSize(const std::string& text)
{
    std::size_t nul = text.find('\0');
    return nul == std::string::npos ? text.size() : nul;
}

std::string TextUpToNul(const char* bytes, std::size_t size)
{
    const void* nul = size ? std::memchr(bytes, '\0', size) : nullptr;
    return std::string(bytes, nul ? static_cast<const char*>(nul) - bytes : size);
}
