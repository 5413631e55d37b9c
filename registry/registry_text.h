// registry/registry_text.h: the byte work of the registry layer that needs no
// registry: how much of a text is stored and how a stored text reads (a stored number
// reads as SignedNumberText, text/ascii_text.h).
// Portable: no Win32, so the sizes the layer passes are checked natively.
#pragma once

#include <cstddef>
#include <string>

// The data size with which a text is stored: its bytes before the first NUL (all of
// them when it holds none). No terminating NUL is counted or stored.
std::size_t TextDataSize(const std::string& text);

// A stored text as read back: the bytes up to the first NUL, and at most size bytes.
std::string TextUpToNul(const char* bytes, std::size_t size);
