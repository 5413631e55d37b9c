// tools/classify_main.cpp: dorvalix-classify, the decision DORVALIX would make for
// each source file, with the evidence behind it.
//   dorvalix-classify [--json] FILE...
// Exit code 0; 2 when a file could not be read (the others are still classified);
// 64 for a usage error.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "classify/keyword_table.h"
#include "classify/scanner.h"

namespace {

const char* KindName(CompilerKind kind)
{
    switch (kind) {
    case CompilerKind::Console: return "console";
    case CompilerKind::Windows: return "windows";
    default: return "none";
    }
}

// Reads the file in blocks until the scanner wants no more. False with a reason when
// the file cannot be opened or read.
bool ClassifyFile(const char* path, SourceVerdict* verdict, VerdictDetail* detail, std::string* reason)
{
    struct stat info;
    if (stat(path, &info) == 0 && S_ISDIR(info.st_mode)) {
        *reason = "is a folder";
        return false;
    }
    FILE* file = std::fopen(path, "rb");
    if (!file) {
        *reason = std::strerror(errno);
        return false;
    }
    SourceScanner scan;
    StartScan(scan);
    static char block[64 * 1024];
    while (!ScanDone(scan)) {
        size_t got = std::fread(block, 1, sizeof block, file);
        if (got == 0)
            break;
        ScanBytes(scan, block, got);
    }
    bool failed = std::ferror(file) != 0;
    int error = errno;
    std::fclose(file);
    if (failed) {
        *reason = std::strerror(error);
        return false;
    }
    *verdict = FinishScan(scan);
    *detail = scan.detail;
    return true;
}

std::string JsonString(const std::string& text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + '"';
}

std::string JsonNumbers(const std::vector<int>& numbers)
{
    std::string out = "[";
    for (size_t i = 0; i < numbers.size(); ++i)
        out += (i ? "," : "") + std::to_string(numbers[i]);
    return out + "]";
}

std::vector<std::string> KeywordsOf(const VerdictDetail& detail, CompilerKind family)
{
    std::vector<std::string> names;
    for (int item : detail.keywordItems)
        if (KeywordFamily(item) == family)
            names.push_back(KeywordTable[item]);
    return names;
}

std::string JsonStrings(const std::vector<std::string>& texts)
{
    std::string out = "[";
    for (size_t i = 0; i < texts.size(); ++i)
        out += (i ? "," : "") + JsonString(texts[i]);
    return out + "]";
}

void PrintJson(const char* path, const SourceVerdict& v, const VerdictDetail& d)
{
    std::printf("{\"path\":%s,\"kind\":\"%s\",\"byDirective\":%s,\"directiveLine\":%d,"
                "\"consoleScore\":%d,\"windowsScore\":%d,"
                "\"keywords\":{\"console\":%s,\"windows\":%s},"
                "\"mentionLines\":{\"console\":%s,\"windows\":%s}}\n",
                JsonString(path).c_str(), KindName(v.kind), v.byDirective ? "true" : "false",
                d.directiveLine, static_cast<int>(v.consoleScore), static_cast<int>(v.windowsScore),
                JsonStrings(KeywordsOf(d, CompilerKind::Console)).c_str(),
                JsonStrings(KeywordsOf(d, CompilerKind::Windows)).c_str(),
                JsonNumbers(d.consoleMentionLines).c_str(), JsonNumbers(d.windowsMentionLines).c_str());
}

std::string Joined(const std::vector<std::string>& texts)
{
    std::string out;
    for (size_t i = 0; i < texts.size(); ++i)
        out += (i ? ", " : "") + texts[i];
    return texts.empty() ? "none" : out;
}

std::string JoinedNumbers(const std::vector<int>& numbers)
{
    std::string out;
    for (size_t i = 0; i < numbers.size(); ++i)
        out += (i ? ", " : "") + std::to_string(numbers[i]);
    return numbers.empty() ? "none" : out;
}

void PrintText(const char* path, const SourceVerdict& v, const VerdictDetail& d)
{
    std::printf("%s: %s", path, KindName(v.kind));
    if (v.byDirective)
        std::printf(" (decided by the directive on line %d)\n", d.directiveLine);
    else if (v.kind == CompilerKind::None)
        std::printf(" (no evidence in %d lines: the selection screen)\n", d.linesRead);
    else
        std::printf(" (by code analysis of %d lines)\n", d.linesRead);
    std::printf("  scores: PB/CC %d, PB/DLL %d\n", static_cast<int>(v.consoleScore),
                static_cast<int>(v.windowsScore));
    std::printf("  lines mentioning PB/CC: %s\n", JoinedNumbers(d.consoleMentionLines).c_str());
    std::printf("  lines mentioning PB/DLL: %s\n", JoinedNumbers(d.windowsMentionLines).c_str());
    if (!v.byDirective) {
        std::printf("  PB/CC keywords: %s\n", Joined(KeywordsOf(d, CompilerKind::Console)).c_str());
        std::printf("  PB/DLL keywords: %s\n", Joined(KeywordsOf(d, CompilerKind::Windows)).c_str());
    }
}

int Usage()
{
    std::fprintf(stderr,
                 "usage: dorvalix-classify [--json] FILE...\n"
                 "Prints for each BASIC source the compiler family DORVALIX decides on\n"
                 "(console = PB/CC, windows = PB/DLL, none) and the evidence behind it.\n");
    return 64;
}

}  // namespace

int main(int argc, char** argv)
{
    bool json = false;
    std::vector<const char*> files;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        if (!optionsEnded && std::strcmp(argv[i], "--json") == 0)
            json = true;
        else if (!optionsEnded && std::strcmp(argv[i], "--") == 0)
            optionsEnded = true;
        else if (!optionsEnded && argv[i][0] == '-' && argv[i][1] != '\0')
            return Usage();
        else
            files.push_back(argv[i]);
    }
    if (files.empty())
        return Usage();

    int status = 0;
    for (const char* path : files) {
        SourceVerdict verdict;
        VerdictDetail detail;
        std::string reason;
        if (!ClassifyFile(path, &verdict, &detail, &reason)) {
            std::fprintf(stderr, "dorvalix-classify: %s: %s\n", path, reason.c_str());
            status = 2;
            continue;
        }
        if (json)
            PrintJson(path, verdict, detail);
        else
            PrintText(path, verdict, detail);
    }
    return status;
}
