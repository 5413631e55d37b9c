// tools/classify_main.cpp: dorvalix-classify, the decision DORVALIX would make for
// each source file, with the evidence behind it.
//   dorvalix-classify [--json] FILE...
// The Windows build also tells, from the registry DORVALIX reads, what DORVALIX would
// start (tools/classify_explain_win32.cpp):
//   dorvalix-classify [--json] --dry-run FILE...
//   dorvalix-classify [--json] --compilers
// On Windows the arguments are taken as the shell passed them and the output is UTF-8
// (tools/classify_console_win32.cpp).
// Exit code 0; 2 when a file could not be read (the others are still classified);
// 64 for a usage error, and for --dry-run and --compilers in the native build.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "classify/keyword_table.h"
#include "classify/scanner.h"
#include "tools/classify_output.h"

#if defined(_WIN32)
#include "classify/classify_source_win32.h"
#include "text/system_library_win32.h"
#include "tools/classify_console_win32.h"
#include "tools/classify_explain_win32.h"
#endif

namespace {

enum class Mode { Classify, DryRun, Compilers };

// Reads the file in blocks until the scanner wants no more. False with a reason when
// the file cannot be opened or read.
bool ClassifyFile(const char* path, SourceVerdict* verdict, VerdictDetail* detail, std::string* reason)
{
    if (IsFolder(path)) {
        *reason = "is a folder";
        return false;
    }
    FILE* file = OpenForReading(path);
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

// The source's object; moreMembers (each after a comma) close it.
void PrintJson(const char* path, const SourceVerdict& v, const VerdictDetail& d, const std::string& moreMembers)
{
    PrintTo(stdout,
            "{\"path\":%s,\"kind\":\"%s\",\"byDirective\":%s,\"directiveLine\":%d,"
            "\"consoleScore\":%d,\"windowsScore\":%d,"
            "\"keywords\":{\"console\":%s,\"windows\":%s},"
            "\"mentionLines\":{\"console\":%s,\"windows\":%s}%s}\n",
            JsonString(path).c_str(), KindName(v.kind), v.byDirective ? "true" : "false", d.directiveLine,
            static_cast<int>(v.consoleScore), static_cast<int>(v.windowsScore),
            JsonStrings(KeywordsOf(d, CompilerKind::Console)).c_str(),
            JsonStrings(KeywordsOf(d, CompilerKind::Windows)).c_str(), JsonNumbers(d.consoleMentionLines).c_str(),
            JsonNumbers(d.windowsMentionLines).c_str(), moreMembers.c_str());
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
    PrintTo(stdout, "%s: %s", path, KindName(v.kind));
    if (v.byDirective)
        PrintTo(stdout, " (decided by the directive on line %d)\n", d.directiveLine);
    else if (v.kind == CompilerKind::None)
        PrintTo(stdout, " (no evidence in %d lines: the selection screen)\n", d.linesRead);
    else
        PrintTo(stdout, " (by code analysis of %d lines)\n", d.linesRead);
    PrintTo(stdout, "  scores: PB/CC %d, PB/DLL %d\n", static_cast<int>(v.consoleScore),
                static_cast<int>(v.windowsScore));
    PrintTo(stdout, "  lines mentioning PB/CC: %s\n", JoinedNumbers(d.consoleMentionLines).c_str());
    PrintTo(stdout, "  lines mentioning PB/DLL: %s\n", JoinedNumbers(d.windowsMentionLines).c_str());
    if (!v.byDirective) {
        PrintTo(stdout, "  PB/CC keywords: %s\n", Joined(KeywordsOf(d, CompilerKind::Console)).c_str());
        PrintTo(stdout, "  PB/DLL keywords: %s\n", Joined(KeywordsOf(d, CompilerKind::Windows)).c_str());
    }
}

#if defined(_WIN32)
constexpr bool ReadsRegistry = true;

// A dry run reads the source as DORVALIX does, with its own ClassifySource.
bool ClassifyAsDorvalix(const char* path, SourceVerdict* verdict, VerdictDetail* detail, std::string* reason)
{
    *reason = "cannot be opened: DORVALIX shows its warning and starts nothing";
    return ClassifySource(path, verdict, detail);
}

std::string DryRunOutput(const SourceVerdict& verdict, const char* path, bool json)
{
    return json ? DryRunJsonMembers(verdict, path) : DryRunText(verdict, path);
}

int RunCompilers(bool json)
{
    PrintCompilers(json);
    return 0;
}
#else
// The native build reads no registry: main refuses --dry-run and --compilers before
// any of these could be called.
constexpr bool ReadsRegistry = false;

bool ClassifyAsDorvalix(const char*, SourceVerdict*, VerdictDetail*, std::string* reason)
{
    *reason = "no dry run in the native build";
    return false;
}

std::string DryRunOutput(const SourceVerdict&, const char*, bool)
{
    return std::string();
}

int RunCompilers(bool)
{
    return 64;
}
#endif

int ClassifyFiles(const std::vector<Argument>& files, Mode mode, bool json)
{
    int status = 0;
    for (const Argument& file : files) {
        const char* path = file.text.c_str();
        SourceVerdict verdict;
        VerdictDetail detail;
        std::string reason = "its name cannot be spelled in this program's code page, and it has no short name";
        bool read = file.spelled && (mode == Mode::DryRun ? ClassifyAsDorvalix(path, &verdict, &detail, &reason)
                                                          : ClassifyFile(path, &verdict, &detail, &reason));
        if (!read) {
            PrintTo(stderr, "dorvalix-classify: %s: %s\n", path, reason.c_str());
            status = 2;
            continue;
        }
        std::string dryRun = mode == Mode::DryRun ? DryRunOutput(verdict, path, json) : std::string();
        if (json) {
            PrintJson(path, verdict, detail, dryRun);
        } else {
            PrintText(path, verdict, detail);
            WriteText(stdout, dryRun);
        }
    }
    return status;
}

int Usage()
{
    PrintTo(stderr,
            "usage: dorvalix-classify [--json] FILE...\n"
            "       dorvalix-classify [--json] --dry-run FILE...   (Windows build)\n"
            "       dorvalix-classify [--json] --compilers         (Windows build)\n"
            "Prints for each BASIC source the compiler family DORVALIX decides on\n"
            "(console = PB/CC, windows = PB/DLL, none) and the evidence behind it.\n"
            "--dry-run adds the compiler the notice names and the exact command line\n"
            "DORVALIX starts, or why it starts nothing; --compilers lists the seven\n"
            "versions, their keys, and why a version counts as not installed.\n"
            "Nothing is started and nothing is written.\n");
    return 64;
}

// The run for the arguments after the program's name.
int RunClassify(const std::vector<Argument>& arguments)
{
    bool json = false;
    Mode mode = Mode::Classify;
    std::vector<Argument> files;
    bool optionsEnded = false;
    for (const Argument& argument : arguments) {
        const std::string& text = argument.text;
        Mode asked = text == "--dry-run" ? Mode::DryRun : text == "--compilers" ? Mode::Compilers : Mode::Classify;
        if (!optionsEnded && text == "--json")
            json = true;
        else if (!optionsEnded && asked != Mode::Classify && mode == Mode::Classify)
            mode = asked;
        else if (!optionsEnded && text == "--")
            optionsEnded = true;
        else if (!optionsEnded && text.size() > 1 && text[0] == '-')
            return Usage();
        else
            files.push_back(argument);
    }
    if (mode == Mode::Compilers ? !files.empty() : files.empty())
        return Usage();
    if (mode != Mode::Classify && !ReadsRegistry) {
        PrintTo(stderr, "dorvalix-classify: --dry-run and --compilers need the Windows build "
                        "(dorvalix-classify.exe), which reads the registry DORVALIX reads\n");
        return 64;
    }
    return mode == Mode::Compilers ? RunCompilers(json) : ClassifyFiles(files, mode, json);
}

}  // namespace

#if defined(_WIN32)
// The arguments as the shell passed them, in UTF-16, each spelled as DORVALIX spells
// its source path (SpelledArguments).
int wmain(int argc, wchar_t** argv)
{
    RestrictDllSearchToSystem();  // a DLL beside the program (a Downloads folder) must never load
    return RunClassify(SpelledArguments(argc, argv));
}
#else
void WriteText(std::FILE* stream, const std::string& text)
{
    std::fputs(text.c_str(), stream);
}

bool IsFolder(const char* path)
{
    struct stat info;
    return stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

std::FILE* OpenForReading(const char* path)
{
    return std::fopen(path, "rb");
}

int main(int argc, char** argv)
{
    std::vector<Argument> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.push_back({argv[i], true});
    return RunClassify(arguments);
}
#endif
