// Tests of the streaming classification: the rules that naive readers get wrong, and
// agreement with a plain whole-text reading for random sources fed in random blocks.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "classify/keyword_table.h"
#include "classify/scanner.h"

namespace {

using K = CompilerKind;

struct Case {
    const char* name;
    std::string source;
    K kind;
    bool byDirective;
    int consoleScore;
    int windowsScore;
};

std::string Lines(int count, const std::string& line) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += line;
    return text;
}

// Every byte value once, in order: three line ends (LF, CR, 0x1A) and the end of the text.
std::string AllBytes() {
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes += static_cast<char>(b);
    return bytes;
}

void ExpectVerdict(const Case& c, const SourceVerdict& v) {
    EXPECT_EQ(static_cast<int>(c.kind), static_cast<int>(v.kind)) << c.name;
    EXPECT_EQ(c.byDirective, v.byDirective) << c.name;
    EXPECT_EQ(c.consoleScore, v.consoleScore) << c.name;
    EXPECT_EQ(c.windowsScore, v.windowsScore) << c.name;
}

const Case Cases[] = {
    // Ends of the text and of lines
    {"empty file", "", K::None, false, 0, 0},
    {"0x1A first ends the text", "\x1a'use PB/CC\r", K::None, false, 0, 0},
    {"0x1A mid-line ends the line and the text", "MSGBOX\x1a" "CLS\r", K::Windows, false, 0, 1},
    {"lone LF ends a line, so the comment cut stops there", "'note\nMSGBOX\n", K::Windows, false, 0, 1},
    {"LF-only mentions count once per line", "'PB/DLL\n'PB/DLL\n'PB/DLL\n", K::Windows, false, 0, 3},
    {"no final line end", "CLS", K::Console, false, 1, 0},
    {"NUL bytes are ordinary bytes", std::string("MSG\0BOX\rCLS\0\r", 13), K::Console, false, 1, 0},
    {"a binary file: its line ends count, its first 0x1A ends it", "CLS" + AllBytes() + "MSGBOX\r", K::Console,
     false, 1, 0},
    {"bytes above 0x7F are neither letters nor blanks", "msg\xA0" "box \xE9\xC4 cls\xFF\r", K::Console, false, 1, 0},
    {"...nor do they break a directive around them", "'\xE9use pb/dll\xFF\r", K::Windows, true, 0, 9999},
    // Directives
    {"directive after apostrophe", "'use PB/CC\r", K::Console, true, 9999, 0},
    {"blanks anywhere, any case", "' Use Pb / Cc\r", K::Console, true, 9999, 0},
    {"no slash", "'USE PBCC\r", K::Console, true, 9999, 0},
    {"tab breaks the directive; the mention stays", "'use\tPB/CC\r", K::Console, false, 1, 0},
    {"inside a string", "PRINT \"use pb/cc\"\r", K::Console, true, 9999, 0},
    {"in a REM line", "REM use PB/DLL\r", K::Windows, true, 0, 9999},
    {"both on one line: PB/CC wins", "'use PB/DLL 'use PB/CC\r", K::Console, true, 9999, 0},
    {"mentions before a directive count", Lines(10, "' PB/DLL\r") + "'use PB/CC\r", K::Console, true, 9999, 10},
    {"mentions on the directive line do not", "' PBDLL use PB/CC\r", K::Console, true, 9999, 0},
    {"directive on line 1000 is seen", Lines(999, "x\r") + "'use PB/DLL\r", K::Windows, true, 0, 9999},
    {"directive on line 1001 is not", Lines(1000, "x\r") + "'use PB/DLL\r", K::None, false, 0, 0},
    {"LF-only lines count toward the limit", Lines(1000, "x\n") + "MSGBOX\n", K::None, false, 0, 0},
    {"CR LF is one line end", Lines(999, "x\r\n") + "MSGBOX\r\n", K::Windows, false, 0, 1},
    {"LF CR is two", Lines(500, "x\n\r") + "MSGBOX\r", K::None, false, 0, 0},
    // Keywords
    {"a keyword counts once", Lines(50, "MSGBOX \"hi\"\r"), K::Windows, false, 0, 1},
    {"after an apostrophe it does not", "x = 1 ' MsgBox\r", K::None, false, 0, 0},
    {"in a string it does", "a$ = \"MsgBox\"\r", K::Windows, false, 0, 1},
    {"apostrophe in a string cuts the keyword pass", "PRINT \"don't\" : MSGBOX\r", K::None, false, 0, 0},
    {"...but not the mention test", "PRINT \"don't\" : PBDLL\r", K::Windows, false, 0, 1},
    {"joined across lines", "x = BUT\rTON\r", K::Windows, false, 0, 1},
    {"inside longer words", "REMOVE$ OVERFLOW CLSID\r", K::Console, false, 2, 1},
    {"longer items count the shorter ones", "CHECKBOX\r", K::Windows, false, 0, 2},
    {"GetStdOut counts StdOut too", "GETSTDOUT\r", K::Console, false, 2, 0},
    {"the list markers are no keywords", "EINDE\r", K::None, false, 0, 0},
    {"PBCC counts only as a mention", "PBCC\r", K::Console, false, 1, 0},
    {"a spaced keyword joins up", "M S G B O X\r", K::Windows, false, 0, 1},
    {"a keyword begun on one line, ended after blanks on the next", "x = MSG\r   BOX\r", K::Windows, false, 0, 1},
    {"near misses before the keyword", "CL CBX CLX CL(CLS\r", K::Console, false, 1, 0},
    {"after the cut, a mention spread by blanks", "x ' p  b d l l, up\r", K::Windows, false, 0, 1},
    {"after the cut, seconds of mentions without their firsts", "x ' bus obs sb pbdll\r", K::Windows, false, 0, 1},
    {"after a long quiet run, a mention spread by blanks", std::string(70, 'x') + "  P B / C C\r", K::Console, false, 2, 0},
    {"after a long quiet run, a keyword", std::string(70, 'x') + " m  s g b o x\r", K::Windows, false, 0, 1},
    // Decision
    {"equal scores decide PB/CC", "MSGBOX : CLS\r", K::Console, false, 1, 1},
    {"more windows evidence", "MSGBOX : DIALOG : CLS\r", K::Windows, false, 1, 2},
};

TEST(Scanner, FollowsTheClassificationRules) {
    for (const Case& c : Cases) {
        ExpectVerdict(c, ClassifyText(c.source.data(), c.source.size()));
        // The same bytes one at a time give the same verdict.
        SourceScanner scan;
        StartScan(scan);
        for (char b : c.source)
            ScanBytes(scan, &b, 1);
        ExpectVerdict(c, FinishScan(scan));
    }
}

TEST(Scanner, ExplainsItsVerdict) {
    std::string source = "' PB/DLL\r\rREM PBCC and PB/DLL\rMSGBOX\r'use PB/CC\r";
    VerdictDetail detail;
    SourceVerdict v = ClassifyText(source.data(), source.size(), &detail);
    EXPECT_EQ(5, detail.directiveLine);
    EXPECT_EQ(std::vector<int>({3}), detail.consoleMentionLines);
    EXPECT_EQ(std::vector<int>({1, 3}), detail.windowsMentionLines);
    EXPECT_TRUE(detail.keywordItems.empty());  // no keyword pass after a directive
    EXPECT_EQ(2, v.windowsScore);

    source = "CLS\rMSGBOX\r";
    ClassifyText(source.data(), source.size(), &detail);
    ASSERT_EQ(2u, detail.keywordItems.size());
    EXPECT_STREQ("MsgBox", KeywordTable[detail.keywordItems[0]]);  // table order
    EXPECT_STREQ("Cls", KeywordTable[detail.keywordItems[1]]);
}

TEST(Scanner, StopsWantingBytesAfterADirective) {
    std::string source = "'use PB/DLL\r" + Lines(100, "CLS\r");
    SourceScanner scan;
    StartScan(scan);
    ScanBytes(scan, source.data(), 12);
    EXPECT_TRUE(ScanDone(scan));
}

// A plain reading of the whole text, line by line, as the rules say.
bool Contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

SourceVerdict ReferenceVerdict(const std::string& text) {
    SourceVerdict v;
    std::string collected;
    size_t i = 0;
    int lines = 0;
    while (i < text.size() && text[i] != '\x1a' && lines < 1000) {
        std::string line;
        while (i < text.size() && text[i] != '\r' && text[i] != '\n' && text[i] != '\x1a')
            line += text[i++];
        if (i < text.size() && text[i] == '\r') {
            ++i;
            if (i < text.size() && text[i] == '\n')
                ++i;
        } else if (i < text.size() && text[i] == '\n') {
            ++i;
        }
        ++lines;
        std::string n;
        for (char c : line)
            if (c != ' ')
                n += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
        if (Contains(n, "USEPB/CC") || Contains(n, "USEPBCC")) {
            v.consoleScore = 9999;
            v.byDirective = true;
            break;
        }
        if (Contains(n, "USEPB/DLL") || Contains(n, "USEPBDLL")) {
            v.windowsScore = 9999;
            v.byDirective = true;
            break;
        }
        v.consoleScore += Contains(n, "PB/CC") || Contains(n, "PBCC");
        v.windowsScore += Contains(n, "PB/DLL") || Contains(n, "PBDLL");
        size_t apostrophe = n.find('\'');
        collected += apostrophe == std::string::npos ? n : n.substr(0, apostrophe + 1);
    }
    if (!v.byDirective) {
        int list = 0;  // 0 windows, 1 console, 2 past the end
        for (int item = 0; item < KeywordTableSize; ++item) {
            std::string word = KeywordTable[item];
            if (word == "pbcc" || word == "einde") {
                ++list;
                continue;
            }
            for (char& c : word)
                if (c >= 'a' && c <= 'z')
                    c = static_cast<char>(c - 32);
            if (list < 2 && Contains(collected, word.c_str()))
                (list == 0 ? v.windowsScore : v.consoleScore) += 1;
        }
    }
    v.kind = (v.consoleScore == 0 && v.windowsScore == 0) ? K::None
             : v.windowsScore > v.consoleScore           ? K::Windows
                                                         : K::Console;
    return v;
}

TEST(Scanner, AgreesWithAPlainReadingForRandomSourcesInRandomBlocks) {
    const std::vector<std::string> pieces = {
        "'use PB/CC", "'use pb/dll", "USE PBCC", "use\tpbdll", "PB/CC", "pbdll", "PB/", "DLL", "use",
        "BUT", "TON", "Check", "box", "MsgBox", "InKey$", "std", "out", "cls", "einde", "pbcc", "REM ",
        "don't", "'", "\"", "\r", "\n", "\r\n", "\n\r", "\x1a", "\t", " ", "  ", "x", std::string(1, '\0'),
        "\xe9", "Move", "over", "flow", "Dialog", "Get", "StdOut",
    };
    std::mt19937 random(20261208);
    for (int round = 0; round < 3000; ++round) {
        std::string source;
        int count = std::uniform_int_distribution<int>(0, round % 10 == 0 ? 4000 : 60)(random);
        for (int i = 0; i < count; ++i) {
            size_t pick = std::uniform_int_distribution<size_t>(0, pieces.size() - 1)(random);
            // End-of-text bytes would cut most sources short; keep them rare.
            if (pieces[pick] == "\x1a" && random() % 20 != 0)
                pick = 0;
            source += pieces[pick];
        }
        SourceVerdict expected = ReferenceVerdict(source);

        SourceScanner scan;
        StartScan(scan);
        size_t at = 0;
        while (at < source.size() && !ScanDone(scan)) {
            size_t block = std::uniform_int_distribution<size_t>(1, 17)(random);
            block = std::min(block, source.size() - at);
            ScanBytes(scan, source.data() + at, block);
            at += block;
        }
        SourceVerdict got = FinishScan(scan);
        ASSERT_EQ(static_cast<int>(expected.kind), static_cast<int>(got.kind)) << "round " << round;
        ASSERT_EQ(expected.byDirective, got.byDirective) << "round " << round;
        ASSERT_EQ(expected.consoleScore, got.consoleScore) << "round " << round;
        ASSERT_EQ(expected.windowsScore, got.windowsScore) << "round " << round;
    }
}

}  // namespace
