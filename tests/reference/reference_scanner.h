// tests/reference/reference_scanner.h: the first streaming scanner, one automaton step
// per byte, kept as the reference the fast scanner is checked and measured against
// (by the comparing fuzz target and the benchmarks; never linked into the programs).
// It takes the same bytes in the same way and gives the same verdict and evidence.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "classify/scanner.h"

struct ReferenceScanner {
    bool done = false;          // no more bytes are wanted
    bool inLine = false;        // bytes of the current line have been taken
    bool afterCr = false;       // the last line ended with CR: an LF next belongs to it
    bool cut = false;           // the current line's first apostrophe has passed
    uint16_t lineState = 0;     // directive and mention automaton, restarted at each line
    uint16_t keywordState = 0;  // keyword automaton over the joined, cut lines
    std::array<uint64_t, 2> lineFound{};      // directives and mentions seen on the current line
    std::array<uint64_t, 2> keywordsFound{};  // keyword patterns seen so far
    SourceVerdict verdict;
    VerdictDetail detail;
};

void ReferenceStartScan(ReferenceScanner& scan);
void ReferenceScanBytes(ReferenceScanner& scan, const char* data, size_t size);
SourceVerdict ReferenceFinishScan(ReferenceScanner& scan);
SourceVerdict ReferenceClassifyText(const char* data, size_t size, VerdictDetail* detail = nullptr);
