// app/notice_text.h: the text of the countdown notice. Lines end in CR alone.
// Portable: no Win32.
#pragma once

#include <string>

#include "classify/source_verdict.h"

constexpr char Cr = '\r';  // the line separator of every text the program builds

// The decision (or the no-decision text) and the credit block. compilerPath is the
// detection's result for the decided family; it is not used for kind None.
// pathReachesCompiler: some spelling of the source path reaches a compiler; where none
// does, a found compiler is named but the notice says that nothing starts.
std::string BuildNoticeText(const SourceVerdict& verdict, const std::string& sourcePath,
                            const std::string& compilerPath, bool pathReachesCompiler = true);

// The credit block, from its two leading CRs to its last line (no final CR).
std::string CreditBlock();
