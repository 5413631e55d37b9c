// tests/reference/reference_scanner.cpp: the first streaming scanner, kept as it was:
// each byte is tested for line ends, blanks and letters, and steps two Aho-Corasick
// automata (directives and mentions per line, keywords over the joined cut lines).
#include "tests/reference/reference_scanner.h"

#include <cstring>
#include <vector>

#include "classify/keyword_table.h"

namespace {

// The pattern automaton: a trie of the patterns, completed with failure transitions
// breadth first so that every step is one lookup.
using PatternSet = std::array<uint64_t, 2>;  // bit i: pattern i was found (128 at most)

struct Matcher {
    int classCount = 1;                  // byte classes: 0 for bytes in no pattern
    std::array<uint8_t, 256> classOf{};  // byte -> class
    std::vector<uint16_t> next;          // state * classCount + class -> state
    std::vector<PatternSet> found;       // patterns that end in a state, suffixes included
    std::vector<uint8_t> endsPattern;    // 1 where found[state] is not empty
};

Matcher BuildMatcher(const std::vector<const char*>& patterns)
{
    Matcher m;
    for (const char* p : patterns)
        for (const char* c = p; *c; ++c)
            if (m.classOf[static_cast<unsigned char>(*c)] == 0)
                m.classOf[static_cast<unsigned char>(*c)] = static_cast<uint8_t>(m.classCount++);

    const int k = m.classCount;
    std::vector<int> trie(k, -1);  // -1: no edge yet
    m.found.assign(1, PatternSet{});
    for (size_t i = 0; i < patterns.size(); ++i) {
        int state = 0;
        for (const char* c = patterns[i]; *c; ++c) {
            int cls = m.classOf[static_cast<unsigned char>(*c)];
            if (trie[state * k + cls] < 0) {
                trie[state * k + cls] = static_cast<int>(m.found.size());
                m.found.push_back(PatternSet{});
                trie.resize(m.found.size() * k, -1);
            }
            state = trie[state * k + cls];
        }
        m.found[state][i / 64] |= uint64_t{1} << (i % 64);
    }

    const size_t states = m.found.size();
    m.next.assign(states * k, 0);
    std::vector<int> fail(states, 0), queue;
    for (int cls = 0; cls < k; ++cls) {
        int child = trie[cls];
        if (child > 0) {
            m.next[cls] = static_cast<uint16_t>(child);
            queue.push_back(child);
        }
    }
    for (size_t head = 0; head < queue.size(); ++head) {
        int state = queue[head];
        for (int w = 0; w < 2; ++w)
            m.found[state][w] |= m.found[fail[state]][w];
        for (int cls = 0; cls < k; ++cls) {
            int child = trie[state * k + cls];
            if (child > 0) {
                fail[child] = m.next[fail[state] * k + cls];
                m.next[state * k + cls] = static_cast<uint16_t>(child);
                queue.push_back(child);
            } else {
                m.next[state * k + cls] = m.next[fail[state] * k + cls];
            }
        }
    }
    m.endsPattern.resize(states);
    for (size_t s = 0; s < states; ++s)
        m.endsPattern[s] = (m.found[s][0] | m.found[s][1]) != 0;
    return m;
}

inline uint16_t StepMatcher(const Matcher& m, uint16_t state, unsigned char b)
{
    return m.next[state * m.classCount + m.classOf[b]];
}

constexpr unsigned char Cr = 0x0D;
constexpr unsigned char Lf = 0x0A;
constexpr unsigned char EndOfText = 0x1A;

// Line patterns, searched on each normalised line.
enum LinePattern { UsePbCcSlash, UsePbCc, UsePbDllSlash, UsePbDll, PbCcSlash, PbCc, PbDllSlash, PbDll };
const std::vector<const char*> LinePatterns = {
    "USEPB/CC", "USEPBCC", "USEPB/DLL", "USEPBDLL", "PB/CC", "PBCC", "PB/DLL", "PBDLL",
};

bool Has(const PatternSet& set, int bit) { return (set[bit / 64] >> (bit % 64)) & 1; }

const Matcher& LineMatcher()
{
    static const Matcher matcher = BuildMatcher(LinePatterns);
    return matcher;
}

// Keyword patterns are the upper-cased KeywordTable items; the two markers are left
// out, so pattern i stands for table item KeywordItemOf()[i].
struct KeywordPatterns {
    std::vector<std::vector<char>> texts;
    std::vector<int> items;
    Matcher matcher;
};

const KeywordPatterns& Keywords()
{
    static const KeywordPatterns keywords = [] {
        KeywordPatterns k;
        std::vector<const char*> patterns;
        for (int item = 0; item < KeywordTableSize; ++item) {
            if (KeywordFamily(item) == CompilerKind::None)
                continue;
            std::vector<char> text;
            for (const char* c = KeywordTable[item]; *c; ++c)
                text.push_back(*c >= 'a' && *c <= 'z' ? static_cast<char>(*c - 'a' + 'A') : *c);
            text.push_back('\0');
            k.texts.push_back(text);
            k.items.push_back(item);
        }
        for (const auto& text : k.texts)
            patterns.push_back(text.data());
        k.matcher = BuildMatcher(patterns);
        return k;
    }();
    return keywords;
}

void BeginLine(ReferenceScanner& scan)
{
    scan.inLine = true;
    scan.cut = false;
    scan.lineState = 0;
    scan.lineFound = PatternSet{};
}

// Settles the current line: a directive decides and stops the reading; otherwise the
// line's mentions count, once per family.
void EndLine(ReferenceScanner& scan)
{
    scan.inLine = false;
    int line = ++scan.detail.linesRead;
    const PatternSet& f = scan.lineFound;
    if (Has(f, UsePbCcSlash) || Has(f, UsePbCc)) {
        scan.verdict.consoleScore = DirectiveScore;
        scan.verdict.byDirective = true;
        scan.detail.directiveLine = line;
        scan.done = true;
        return;
    }
    if (Has(f, UsePbDllSlash) || Has(f, UsePbDll)) {
        scan.verdict.windowsScore = DirectiveScore;
        scan.verdict.byDirective = true;
        scan.detail.directiveLine = line;
        scan.done = true;
        return;
    }
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

}  // namespace

void ReferenceStartScan(ReferenceScanner& scan)
{
    scan = ReferenceScanner{};
    LineMatcher();
    Keywords();
}

void ReferenceScanBytes(ReferenceScanner& scan, const char* data, size_t size)
{
    const Matcher& lineMatcher = LineMatcher();
    const Matcher& keywordMatcher = Keywords().matcher;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(data);
    const unsigned char* end = p + size;

    while (p < end && !scan.done) {
        unsigned char b = *p++;
        if (scan.afterCr) {
            scan.afterCr = false;
            if (b == Lf)
                continue;  // the LF of a CR LF pair
        }
        if (!scan.inLine) {
            if (b == EndOfText) {  // the source ends before this line
                scan.done = true;
                break;
            }
            BeginLine(scan);
        }
        if (b == Cr || b == Lf || b == EndOfText) {
            EndLine(scan);
            scan.afterCr = b == Cr;
            if (b == EndOfText)
                scan.done = true;
            continue;
        }
        if (b == ' ')
            continue;
        if (b >= 'a' && b <= 'z')
            b = static_cast<unsigned char>(b - 'a' + 'A');

        scan.lineState = StepMatcher(lineMatcher, scan.lineState, b);
        if (lineMatcher.endsPattern[scan.lineState]) {
            const PatternSet& f = lineMatcher.found[scan.lineState];
            scan.lineFound[0] |= f[0];
            scan.lineFound[1] |= f[1];
        }
        if (!scan.cut) {
            scan.keywordState = StepMatcher(keywordMatcher, scan.keywordState, b);
            if (keywordMatcher.endsPattern[scan.keywordState]) {
                const PatternSet& f = keywordMatcher.found[scan.keywordState];
                scan.keywordsFound[0] |= f[0];
                scan.keywordsFound[1] |= f[1];
            }
            scan.cut = b == '\'';  // the apostrophe itself is kept
        }
    }
}

SourceVerdict ReferenceFinishScan(ReferenceScanner& scan)
{
    if (scan.inLine && !scan.done)
        EndLine(scan);
    scan.done = true;

    SourceVerdict& v = scan.verdict;
    if (!v.byDirective) {
        // Every item counts at most once, whatever longer item it was found inside.
        const KeywordPatterns& k = Keywords();
        for (size_t i = 0; i < k.items.size(); ++i) {
            if (!Has(scan.keywordsFound, static_cast<int>(i)))
                continue;
            if (KeywordFamily(k.items[i]) == CompilerKind::Windows)
                v.windowsScore += 1;
            else
                v.consoleScore += 1;
            scan.detail.keywordItems.push_back(k.items[i]);
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

SourceVerdict ReferenceClassifyText(const char* data, size_t size, VerdictDetail* detail)
{
    ReferenceScanner scan;
    ReferenceStartScan(scan);
    ReferenceScanBytes(scan, data, size);
    SourceVerdict verdict = ReferenceFinishScan(scan);
    if (detail)
        *detail = scan.detail;
    return verdict;
}
