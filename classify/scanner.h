// classify/scanner.h: classifies a source from its bytes, fed in blocks of any size.
// One pass, in memory that grows neither with the file nor with a line: each line's
// directive and mention tests, and the keyword pass over the joined comment-cut lines,
// run as the bytes arrive. Runs of bytes that cannot begin any pattern are passed over
// without stepping the automata. Portable: no Win32; the callers open and read the file.
//
// Use: StartScan, then ScanBytes for each block until ScanDone says no more bytes are
// wanted (a directive decided or the line limit was reached), then FinishScan.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "classify/pattern_matcher.h"
#include "classify/source_verdict.h"

constexpr int LineLimit = 1000;

// Why the verdict came out as it did, for dorvalix-classify.
struct VerdictDetail {
    int directiveLine = 0;                // the deciding directive's line (1-based), 0: none
    std::vector<int> consoleMentionLines; // lines that mentioned PB/CC, at most LineLimit
    std::vector<int> windowsMentionLines; // lines that mentioned PB/DLL
    std::vector<int> keywordItems;        // KeywordTable items that counted, in table order
    int linesRead = 0;
};

struct SourceScanner {
    bool done = false;          // no more bytes are wanted
    bool inLine = false;        // bytes of the current line have been taken
    bool afterCr = false;       // the last line ended with CR: an LF next belongs to it
    bool cut = false;           // the current line's first apostrophe has passed
    bool recentHoldsKeyword = false;  // recentCodes tell the keyword automaton's state
    uint16_t lineState = 0;     // directive and mention automaton, restarted at each line
    uint16_t keywordState = 0;  // keyword automaton over the joined, cut lines
    uint16_t recentCodes = 0;   // the codes of the line's last three non-blank bytes, 5 bits each
    PatternSet lineFound{};     // directives and mentions seen on the current line
    PatternSet keywordsFound{}; // keyword patterns seen so far
    SourceVerdict verdict;
    VerdictDetail detail;
};

void StartScan(SourceScanner& scan);

// Takes the next block of the source. Returns once the block is used up or no
// more bytes are wanted.
void ScanBytes(SourceScanner& scan, const char* data, size_t size);

inline bool ScanDone(const SourceScanner& scan) { return scan.done; }

// Ends the source (the end of the data ends a line), runs the keyword pass unless a
// directive decided, and decides.
SourceVerdict FinishScan(SourceScanner& scan);

// The whole classification of a text held in memory.
SourceVerdict ClassifyText(const char* data, size_t size, VerdictDetail* detail = nullptr);
