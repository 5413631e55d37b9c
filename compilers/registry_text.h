// compilers/registry_text.h: the byte work of the registry layer that needs no
// registry: how much of a text is stored, how a stored text and a stored number read.
// Portable: no Win32, so the sizes the layer passes are checked natively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The data size with which a text is stored: its bytes before the first NUL (all of
// them when it holds none). No terminating NUL is counted or stored.
std::size_t TextDataSize(const std::string& text);

// A stored text as read back: the bytes up to the first NUL, and at most size bytes.
std::string TextUpToNul(const char* bytes, std::size_t size);

// A stored number as read back: signed decimal, a leading space for zero or more and
// a minus sign below zero, no leading zeros.
std::string NumberValueText(std::int32_t value);
