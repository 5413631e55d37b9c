// classify/scanner.cpp: the streaming classification of a source's bytes.
//
// A line ends at CR (with an LF that directly follows it), at a lone LF, at 0x1A
// (which also ends the source) or at the end of the data. Each line has its spaces
// removed and a to z upper-cased; a line that holds a use-directive decides and
// stops the reading; otherwise its mentions of each family count once, and the line
// up to and including its first apostrophe joins the text of the keyword pass.
//
// Two automata take the non-blank bytes: the line automaton (directives and
// mentions) and the keyword automaton. Most bytes step neither:
// - Every pattern is at least three bytes long, so while both automata stand at most
//   two bytes deep, neither goes deeper nor finds anything until the last three
//   non-blank bytes begin some pattern. A run of bytes is passed over with the codes
//   of its last non-blank bytes only. It goes two bytes at a time: a table gives the
//   codes of each pair of bytes (blanks have none) and how far they shift the recent
//   codes, and the last four codes after each pair, looked up in a table, tell
//   whether the windows that end at either byte of the pair begin a pattern; eight
//   bytes make one test. Up to there the automata stand where the last two codes
//   lead them from the start (looked up in a table too); at a window that does begin
//   one, they are set there, stepped by its last code, and byte by byte on.
//   Such a window ends in a non-blank byte whose pair with the byte before it (its
//   last two codes, or a blank and its last code) is marked in a table; in a long run
//   (a line of data) the pairs are cheaper to look up than the windows, so after 64
//   quiet bytes the run goes on by pairs and its last bytes give the recent codes.
// - After a line's apostrophe only the line automaton runs. At most one byte deep, it
//   stands where the last non-blank byte alone leads it, until a byte that could be
//   a pattern's second comes: runs without one (or a line end) are passed over.
// - A line's indentation is passed over at once.
// The keyword automaton runs on across lines; at a line start its state may hold
// bytes of the line before, which the recent codes (cleared per line) do not hold,
// so the windows only stand for it once it has been at most one byte deep in the
// line (or started the line at its start state).
#include "classify/scanner.h"

#include <cstring>

#include "classify/keyword_table.h"
#include "text/ascii_text.h"

namespace {

constexpr unsigned char Cr = 0x0D;
constexpr unsigned char Lf = 0x0A;
constexpr unsigned char EndOfText = 0x1A;
constexpr unsigned char Apostrophe = '\'';
constexpr unsigned char Blank = ' ';

// Line patterns, searched on each normalised line.
enum LinePattern { UsePbCcSlash, UsePbCc, UsePbDllSlash, UsePbDll, PbCcSlash, PbCc, PbDllSlash, PbDll };
const std::vector<const char*> LinePatterns = {
    "USEPB/CC", "USEPBCC", "USEPB/DLL", "USEPBDLL", "PB/CC", "PBCC", "PB/DLL", "PBDLL",
};

bool IsLineEnd(unsigned b) { return b == Cr || b == Lf || b == EndOfText; }

bool Has(const PatternSet& set, int bit) { return (set[bit / 64] >> (bit % 64)) & 1; }

constexpr int WindowCodes = 3;                                // the codes a window holds
constexpr unsigned WindowMask = (1u << (5 * WindowCodes)) - 1;  // 5 bits a code
constexpr unsigned PairMask = (1u << 10) - 1;                   // the last two codes
constexpr int LastTwoCodes = WindowCodes + 1;                   // the codes of the last two windows
constexpr unsigned LastTwoMask = (1u << (5 * LastTwoCodes)) - 1;
constexpr uint8_t StopCode = CodeCount - 1;  // line ends and the apostrophe while passing over windows

// How each byte is taken, built once from the patterns.
struct ScanTables {
    PatternCodes codeOf{};                  // byte -> code, a to z as A to Z; 0 for blanks too
    PatternCodes windowCodeOf{};            // codeOf, but StopCode for line ends and the apostrophe
    uint8_t shiftOf[256]{};                 // 5 where the byte enters the recent codes, 0 for a blank
    uint8_t endsQuietRunAfterCut[256]{};    // line ends and the second bytes of line patterns
    uint8_t beginsPattern[WindowMask + 1]{};  // windows that begin some pattern or end in StopCode
    uint8_t mayEndWindow[256 * 256]{};        // PairIndexOf(byte before, byte): see MarkPairs
    uint16_t pairCodes[256 * 256]{};          // PairIndexOf(first, second) -> their codes << 5 | shift
    uint8_t beginsInLastTwo[1 << (5 * LastTwoCodes)]{};  // see MarkLastTwoWindows
    uint16_t lineStateOf[PairMask + 1]{};     // where two codes lead the line automaton from its start
    uint16_t keywordStateOf[PairMask + 1]{};  // ... and the keyword automaton
    PatternMatcher line;      // directives and mentions
    PatternMatcher keywords;  // the keyword patterns
    std::vector<int> keywordItems;  // keyword pattern i is KeywordTable item keywordItems[i]
};

// Marks the windows whose codes begin the pattern (or, for a pattern shorter than a
// window, end with it).
void MarkWindows(ScanTables& t, const char* pattern)
{
    unsigned codes = 0;
    int length = 0;
    for (const char* c = pattern; *c && length < WindowCodes; ++c, ++length)
        codes = codes << 5 | t.codeOf[static_cast<unsigned char>(*c)];
    for (unsigned before = 0; before < (1u << (5 * (WindowCodes - length))); ++before)
        t.beginsPattern[(before << (5 * length) | codes) & WindowMask] = 1;
}

// Two bytes as one index into a table of pairs: the bytes as they lie in memory, read
// at once. The tables are filled through PairIndexOf, so which byte is the index's
// high half is the machine's own business.
inline unsigned PairIndex(const unsigned char* p)
{
    uint16_t pair;
    std::memcpy(&pair, p, sizeof pair);
    return pair;
}

unsigned PairIndexOf(unsigned first, unsigned second)
{
    const unsigned char bytes[2] = {static_cast<unsigned char>(first), static_cast<unsigned char>(second)};
    return PairIndex(bytes);
}

// Marks the pairs of bytes whose second may end a window that begins a pattern (or
// is a line end or the apostrophe). Such a window's last two codes are the codes of
// the pair, or the pair is a blank and the window's last byte.
void MarkPairs(ScanTables& t)
{
    uint8_t endsWith[CodeCount]{};              // last code -> some such window ends in it
    uint8_t endsWithPair[CodeCount * CodeCount]{};  // last two codes -> ...
    for (unsigned window = 0; window <= WindowMask; ++window)
        if (t.beginsPattern[window]) {
            endsWith[window & 31] = 1;
            endsWithPair[window & PairMask] = 1;
        }
    for (unsigned before = 0; before < 256; ++before)
        for (unsigned b = 0; b < 256; ++b) {
            if (b == Blank)
                continue;  // a blank makes no window of its own
            unsigned code = t.windowCodeOf[b];
            t.mayEndWindow[PairIndexOf(before, b)] =
                before == Blank ? endsWith[code] : endsWithPair[t.windowCodeOf[before] << 5 | code];
        }
}

// Marks the four codes (the last in the low bits) where the last three or the first
// three begin a pattern: one lookup tests the windows that end at two bytes in a row.
void MarkLastTwoWindows(ScanTables& t)
{
    for (unsigned first = 0; first <= WindowMask; ++first) {
        uint8_t* row = t.beginsInLastTwo + (first << 5);  // first three codes, any last
        if (t.beginsPattern[first])
            std::memset(row, 1, CodeCount);
        else
            std::memcpy(row, t.beginsPattern + ((first & PairMask) << 5), CodeCount);
    }
}

// Fills the tables in place: at over a megabyte they belong in static storage, not on
// a stack.
void BuildTables(ScanTables& t)
{
    std::vector<std::vector<char>> texts;  // the upper-cased keyword items
    for (int item = 0; item < KeywordTableSize; ++item) {
        if (KeywordFamily(item) == CompilerKind::None)
            continue;  // the list markers
        std::vector<char> text;
        for (const char* c = KeywordTable[item]; *c; ++c)
            text.push_back(UpperAscii(*c));
        text.push_back('\0');
        texts.push_back(text);
        t.keywordItems.push_back(item);
    }
    std::vector<const char*> keywordPatterns;
    for (const auto& text : texts)
        keywordPatterns.push_back(text.data());

    PatternCodes upperCodes = AssignPatternCodes({LinePatterns, keywordPatterns});
    t.line = BuildPatternMatcher(LinePatterns, upperCodes);
    t.keywords = BuildPatternMatcher(keywordPatterns, upperCodes);
    for (int b = 0; b < 256; ++b) {
        t.codeOf[b] = upperCodes[static_cast<unsigned char>(UpperAscii(static_cast<char>(b)))];
        t.shiftOf[b] = b == Blank ? 0 : 5;
        bool stop = IsLineEnd(b) || b == Apostrophe;
        t.windowCodeOf[b] = stop ? StopCode : t.codeOf[b];
        t.endsQuietRunAfterCut[b] = IsLineEnd(b);
        for (unsigned first = 1; first < CodeCount; ++first)
            if (t.line.depth[StepMatcher(t.line, StepMatcher(t.line, 0, first), t.codeOf[b])] == 2)
                t.endsQuietRunAfterCut[b] = 1;
    }
    for (const char* p : LinePatterns)
        MarkWindows(t, p);
    for (const char* p : keywordPatterns)
        MarkWindows(t, p);
    for (unsigned before = 0; before < (1u << 10); ++before)
        t.beginsPattern[before << 5 | StopCode] = 1;
    MarkPairs(t);
    for (unsigned first = 0; first < 256; ++first)
        for (unsigned second = 0; second < 256; ++second) {
            unsigned codes = 0, shift = 0;
            for (unsigned b : {first, second})
                if (b != Blank) {
                    codes = codes << 5 | t.windowCodeOf[b];
                    shift += 5;
                }
            t.pairCodes[PairIndexOf(first, second)] = static_cast<uint16_t>(codes << 5 | shift);
        }
    MarkLastTwoWindows(t);
    for (unsigned pair = 0; pair <= PairMask; ++pair) {
        t.lineStateOf[pair] = StepMatcher(t.line, StepMatcher(t.line, 0, pair >> 5), pair & 31);
        t.keywordStateOf[pair] = StepMatcher(t.keywords, StepMatcher(t.keywords, 0, pair >> 5), pair & 31);
    }
}

const ScanTables& Tables()
{
    static ScanTables tables;
    static const bool built = (BuildTables(tables), true);  // once, also with threads
    (void)built;
    return tables;
}

void Collect(PatternSet& into, const PatternMatcher& m, uint16_t state)
{
    if (m.endsPattern[state]) {
        into[0] |= m.found[state][0];
        into[1] |= m.found[state][1];
    }
}

void BeginLine(SourceScanner& scan)
{
    scan.inLine = true;
    scan.cut = false;
    scan.lineState = 0;
    scan.recentCodes = 0;
    scan.recentHoldsKeyword = scan.keywordState == 0;
    scan.lineFound = PatternSet{};
}

// A use-directive on this line: it gives its family the directive's score and ends
// the reading.
void TakeDirective(SourceScanner& scan, int32_t& familyScore, int line)
{
    familyScore = DirectiveScore;
    scan.verdict.byDirective = true;
    scan.detail.directiveLine = line;
    scan.done = true;
}

// Settles the current line: a directive decides and stops the reading; otherwise the
// line's mentions count, once per family.
void EndLine(SourceScanner& scan)
{
    scan.inLine = false;
    int line = ++scan.detail.linesRead;
    const PatternSet& f = scan.lineFound;
    if ((f[0] | f[1]) == 0) {  // most lines mention neither family
        scan.done = line >= LineLimit;
        return;
    }
    if (Has(f, UsePbCcSlash) || Has(f, UsePbCc))
        return TakeDirective(scan, scan.verdict.consoleScore, line);
    if (Has(f, UsePbDllSlash) || Has(f, UsePbDll))
        return TakeDirective(scan, scan.verdict.windowsScore, line);
    if (Has(f, PbCcSlash) || Has(f, PbCc)) {
        scan.verdict.consoleScore += 1;
        scan.detail.consoleMentionLines.push_back(line);
    }
    if (Has(f, PbDllSlash) || Has(f, PbDll)) {
        scan.verdict.windowsScore += 1;
        scan.detail.windowsMentionLines.push_back(line);
    }
    if (line >= LineLimit)
        scan.done = true;
}

// The codes of the last two non-blank bytes before `to`: those of the bytes from
// `from` on, completed where fewer by the recent codes before `from`.
unsigned RecentCodesBefore(const ScanTables& t, const unsigned char* from, const unsigned char* to,
                           unsigned recent)
{
    unsigned codes = 0;
    int found = 0;
    while (to > from && found < 2) {
        --to;
        if (*to != Blank)
            codes |= static_cast<unsigned>(t.windowCodeOf[*to]) << (5 * found++);
    }
    return found == 2 ? codes : (recent << (5 * found) | codes);
}

// Passes over bytes up to the first whose window begins a pattern or is a line end or
// the apostrophe (not taken). Eight bytes at a time, as four pairs: the recent codes
// after each pair and one lookup of their last four codes, so that one test covers
// the windows that end at any of the eight; where one does, on to its pair, and byte
// by byte from there. After 64 quiet bytes, the run is likely long (a line of data,
// say): it goes on by the pairs of bytes that may end such a window, which cost less
// a byte. Returns the recent codes before where it stopped.
unsigned PassOverWindows(const ScanTables& t, const unsigned char*& at, const unsigned char* end, unsigned recent)
{
    const uint8_t* mayEnd = t.mayEndWindow;
    const uint8_t* ends = t.beginsInLastTwo;
    const uint16_t* pairCodes = t.pairCodes;
    const unsigned char* p = at;
    int quietTurns = 0;
    while (end - p >= 8) {
        unsigned v0 = pairCodes[PairIndex(p)], v1 = pairCodes[PairIndex(p + 2)];
        unsigned v2 = pairCodes[PairIndex(p + 4)], v3 = pairCodes[PairIndex(p + 6)];
        unsigned r0 = recent << (v0 & 31) | v0 >> 5;
        unsigned r1 = r0 << (v1 & 31) | v1 >> 5;
        unsigned r2 = r1 << (v2 & 31) | v2 >> 5;
        unsigned r = r2 << (v3 & 31) | v3 >> 5;
        unsigned hit0 = ends[r0 & LastTwoMask], hit1 = ends[r1 & LastTwoMask];
        unsigned hit2 = ends[r2 & LastTwoMask], hit3 = ends[r & LastTwoMask];
        if (hit0 | hit1 | hit2 | hit3) {
            // On to the pair that holds the window; the bytes below find it.
            if (!hit0) {
                p += 2, recent = r0;
                if (!hit1) {
                    p += 2, recent = r1;
                    if (!hit2)
                        p += 2, recent = r2;
                }
            }
            break;
        }
        recent = r;
        p += 8;
        if (++quietTurns == 8) {
            quietTurns = 0;
            const unsigned char* from = p;
            while (end - p >= 4 && !(mayEnd[PairIndex(p - 1)] | mayEnd[PairIndex(p)] | mayEnd[PairIndex(p + 1)] |
                                     mayEnd[PairIndex(p + 2)]))
                p += 4;
            recent = RecentCodesBefore(t, from, p, recent);
        }
    }
    for (; p < end; ++p) {
        unsigned next = recent << t.shiftOf[*p] | t.windowCodeOf[*p];
        if (t.beginsPattern[next & WindowMask])
            break;
        recent = next;
    }
    at = p;
    return recent;
}

// Before the cut: takes bytes up to a line end or the apostrophe (not taken). While
// both automata stand at most two deep, passes over windows that begin no pattern;
// at one that does, rebuilds the states from it and steps them byte by byte again.
const unsigned char* TakeBytesBeforeCut(SourceScanner& scan, const ScanTables& t, const unsigned char* p,
                                        const unsigned char* end)
{
    unsigned recent = scan.recentCodes;  // more than a window: masked where looked up
    uint16_t line = scan.lineState, keyword = scan.keywordState;
    bool recentHoldsKeyword = scan.recentHoldsKeyword;
    while (p < end) {
        if (recentHoldsKeyword && t.line.depth[line] < WindowCodes && t.keywords.depth[keyword] < WindowCodes) {
            recent = PassOverWindows(t, p, end, recent);
            if (p == end || t.windowCodeOf[*p] == StopCode) {
                // At most two deep, the automata stand where the last two codes lead.
                line = t.lineStateOf[recent & PairMask];
                keyword = t.keywordStateOf[recent & PairMask];
                if (p == end || *p != Apostrophe)
                    break;
            } else {
                // A window that begins a pattern: the two codes before its last leave the
                // automata at most two deep; step them on by the last, and byte by byte on.
                recent = recent << t.shiftOf[*p] | t.windowCodeOf[*p];
                ++p;
                line = StepMatcher(t.line, t.lineStateOf[(recent >> 5) & PairMask], recent & 31);
                keyword = StepMatcher(t.keywords, t.keywordStateOf[(recent >> 5) & PairMask], recent & 31);
                Collect(scan.lineFound, t.line, line);
                Collect(scan.keywordsFound, t.keywords, keyword);
                continue;
            }
        }
        unsigned char b = *p;
        if (t.windowCodeOf[b] == StopCode && b != Apostrophe)
            break;
        ++p;
        if (b == Blank)
            continue;
        unsigned code = t.codeOf[b];
        recent = recent << 5 | code;
        line = StepMatcher(t.line, line, code);
        Collect(scan.lineFound, t.line, line);
        keyword = StepMatcher(t.keywords, keyword, code);
        Collect(scan.keywordsFound, t.keywords, keyword);
        if (t.keywords.depth[keyword] <= 1)
            recentHoldsKeyword = true;
        if (b == Apostrophe) {  // the cut: the apostrophe is the last byte the keywords see
            scan.cut = true;
            break;
        }
    }
    scan.recentCodes = static_cast<uint16_t>(recent & WindowMask);
    scan.lineState = line;
    scan.keywordState = keyword;
    scan.recentHoldsKeyword = recentHoldsKeyword;
    return p;
}

// The line automaton's state after bytes that held no line end and no second byte of a
// line pattern, from a state at most one byte deep: where the last non-blank byte
// leads it from the start (at most one byte deep again), or the state it had if all
// were blanks.
uint16_t LineStateAfterQuietRun(const ScanTables& t, const unsigned char* from, const unsigned char* to,
                                uint16_t state)
{
    while (to > from)
        if (*--to != Blank)
            return StepMatcher(t.line, 0, t.codeOf[*to]);
    return state;
}

// After the cut only the line automaton runs, up to a line end (not taken). While it
// stands at most one byte deep, no pattern goes on before a second byte of a line
// pattern: runs without one are passed over, four bytes at a time, and the automaton is
// stepped by such a byte and byte by byte while deeper.
const unsigned char* TakeBytesAfterCut(SourceScanner& scan, const ScanTables& t, const unsigned char* p,
                                       const unsigned char* end)
{
    const uint8_t* stops = t.endsQuietRunAfterCut;
    uint16_t line = scan.lineState;
    while (p < end) {
        if (t.line.depth[line] <= 1) {
            const unsigned char* from = p;
            while (end - p >= 4 && !(stops[p[0]] | stops[p[1]] | stops[p[2]] | stops[p[3]]))
                p += 4;
            while (p < end && !stops[*p])
                ++p;
            line = LineStateAfterQuietRun(t, from, p, line);
            if (p == end)
                break;
        }
        unsigned char b = *p;
        if (IsLineEnd(b))
            break;
        ++p;
        if (b == Blank)
            continue;
        line = StepMatcher(t.line, line, t.codeOf[b]);
        Collect(scan.lineFound, t.line, line);
    }
    scan.lineState = line;
    return p;
}

}  // namespace

void StartScan(SourceScanner& scan)
{
    scan = SourceScanner{};
    Tables();
}

void ScanBytes(SourceScanner& scan, const char* data, size_t size)
{
    const ScanTables& t = Tables();
    const unsigned char* p = reinterpret_cast<const unsigned char*>(data);
    const unsigned char* end = p + size;

    while (p < end && !scan.done) {
        if (!scan.inLine) {  // between lines: the LF of a CR LF pair, the end of the text, or a line
            if (scan.afterCr && *p == Lf)
                ++p;
            scan.afterCr = false;
            if (p == end)
                break;
            if (*p == EndOfText) {
                scan.done = true;
                break;
            }
            BeginLine(scan);
            while (p < end && *p == Blank)  // the indentation: blanks change nothing
                ++p;
        }
        if (!scan.cut && p < end && !IsLineEnd(*p))  // an empty line steps nothing
            p = TakeBytesBeforeCut(scan, t, p, end);
        if (scan.cut && p < end)
            p = TakeBytesAfterCut(scan, t, p, end);
        if (p == end)
            break;
        unsigned char lineEnd = *p++;
        EndLine(scan);
        scan.afterCr = lineEnd == Cr;
        if (lineEnd == EndOfText)
            scan.done = true;
    }
}

SourceVerdict FinishScan(SourceScanner& scan)
{
    if (scan.inLine && !scan.done)
        EndLine(scan);
    scan.done = true;

    SourceVerdict& v = scan.verdict;
    if (!v.byDirective) {
        // Every item counts at most once, whatever longer item it was found inside.
        const ScanTables& t = Tables();
        for (size_t i = 0; i < t.keywordItems.size(); ++i) {
            if (!Has(scan.keywordsFound, static_cast<int>(i)))
                continue;
            if (KeywordFamily(t.keywordItems[i]) == CompilerKind::Windows)
                v.windowsScore += 1;
            else
                v.consoleScore += 1;
            scan.detail.keywordItems.push_back(t.keywordItems[i]);
        }
    }

    if (v.consoleScore == 0 && v.windowsScore == 0)
        v.kind = CompilerKind::None;
    else if (v.windowsScore > v.consoleScore)
        v.kind = CompilerKind::Windows;
    else
        v.kind = CompilerKind::Console;  // equal scores included
    return v;
}

SourceVerdict ClassifyText(const char* data, size_t size, VerdictDetail* detail)
{
    SourceScanner scan;
    StartScan(scan);
    ScanBytes(scan, data, size);
    SourceVerdict verdict = FinishScan(scan);
    if (detail)
        *detail = scan.detail;
    return verdict;
}
