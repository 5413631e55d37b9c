// classify/classify_source_win32.h: classifies a source file read through Win32.
#pragma once

#include <string>

#include "classify/scanner.h"

// The file is read in blocks of this size: large enough that reading a file of any
// size costs few calls, small beside the memory of any machine it runs on.
constexpr unsigned long ReadBlockSize = 1u << 20;

// Opens the file for reading with no sharing (it cannot be opened while another
// handle reads or writes it, and nobody can open it during the scan), reads at most
// 1000 lines and decides. False when the file cannot be opened: missing, a folder,
// no access or held open elsewhere. A read error ends the reading early; the lines
// read so far are classified.
bool ClassifySource(const std::string& path, SourceVerdict* verdict, VerdictDetail* detail = nullptr);
