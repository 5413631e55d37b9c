// classify/scanner.cpp: the streaming classification of a source's bytes.
//
// A line ends at CR (with an LF that directly follows it), at a lone LF, at 0x1A
// (which also ends the source) or at the end of the data. Each line has its spaces
// removed and a to z upper-cased; a line that holds a use-directive decides and
// stops the reading; otherwise its mentions of each family count once, and the line
// up to and including its first apostrophe joins the text of the keyword pass.
#include "classify/scanner.h"

#include "classify/keyword_table.h"
#include "text/ascii_text.h"

namespace {

constexpr unsigned char Cr = 0x0D;
constexpr unsigned char Lf = 0x0A;
constexpr unsigned char EndOfText = 0x1A;

// Line patterns, searched on each normalised line.
enum LinePattern { UsePbCcSlash, UsePbCc, UsePbDllSlash, UsePbDll, PbCcSlash, PbCc, PbDllSlash, PbDll };
const std::vector<const char*> LinePatterns = {
    "USEPB/CC", "USEPBCC", "USEPB/DLL", "USEPBDLL", "PB/CC", "PBCC", "PB/DLL", "PBDLL",
};

bool Has(const PatternSet& set, int bit) { return (set[bit / 64] >> (bit % 64)) & 1; }

const PatternMatcher& LineMatcher()
{
    static const PatternMatcher matcher = BuildPatternMatcher(LinePatterns);
    return matcher;
}

// Keyword patterns are the upper-cased KeywordTable items; the two markers are left
// out, so pattern i stands for table item KeywordItemOf()[i].
struct KeywordPatterns {
    std::vector<std::vector<char>> texts;
    std::vector<int> items;
    PatternMatcher matcher;
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
                text.push_back(UpperAscii(*c));
            text.push_back('\0');
            k.texts.push_back(text);
            k.items.push_back(item);
        }
        for (const auto& text : k.texts)
            patterns.push_back(text.data());
        k.matcher = BuildPatternMatcher(patterns);
        return k;
    }();
    return keywords;
}

void BeginLine(SourceScanner& scan)
{
    scan.inLine = true;
    scan.cut = false;
    scan.lineState = 0;
    scan.lineFound = PatternSet{};
}

// A directive on the line: the family's score decides, and the reading stops.
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

}  // namespace

void StartScan(SourceScanner& scan)
{
    scan = SourceScanner{};
    LineMatcher();
    Keywords();
}

void ScanBytes(SourceScanner& scan, const char* data, size_t size)
{
    const PatternMatcher& lineMatcher = LineMatcher();
    const PatternMatcher& keywordMatcher = Keywords().matcher;
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
        b = static_cast<unsigned char>(UpperAscii(static_cast<char>(b)));

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

SourceVerdict FinishScan(SourceScanner& scan)
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
