// classify/source_verdict.h: the result of classifying one source file.
// Portable: no Win32.
#pragma once

#include <cstdint>

// The compiler family a source is written for.
enum class CompilerKind { None, Console /* PB/CC */, Windows /* PB/DLL */ };

struct SourceVerdict {
    CompilerKind kind = CompilerKind::None;  // None when both scores are 0
    bool byDirective = false;                // a use-directive line decided
    int32_t consoleScore = 0;                // evidence for PB/CC; 9999 after a PB/CC directive
    int32_t windowsScore = 0;                // evidence for PB/DLL; 9999 after a PB/DLL directive
};

constexpr int32_t DirectiveScore = 9999;
