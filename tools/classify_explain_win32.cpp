// tools/classify_explain_win32.cpp: dorvalix-classify's --compilers and --dry-run. The
// installed state, the newest version and the command line come from the functions
// DORVALIX itself calls; only the reason a version is not installed is read apart, from
// how its value is stored.
#include "tools/classify_explain_win32.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "compilers/detection_win32.h"
#include "compilers/launch_command.h"
#include "compilers/launcher_win32.h"
#include "tools/classify_output.h"

namespace {

// One row of the version table as the registry has it now.
struct VersionReport {
    const CompilerVersion* row;
    RegistryValueProbe probe;
    std::string filename;  // as DORVALIX reads it; empty: not installed
    const char* state;     // see StateOf
    bool fileExists;
    bool newest;           // the one the notice names for its family
};

const char* const TypeNames[] = {
    "REG_NONE", "REG_SZ", "REG_EXPAND_SZ", "REG_BINARY", "REG_DWORD", "REG_DWORD_BIG_ENDIAN",
    "REG_LINK", "REG_MULTI_SZ", "REG_RESOURCE_LIST", "REG_FULL_RESOURCE_DESCRIPTOR",
    "REG_RESOURCE_REQUIREMENTS_LIST", "REG_QWORD",
};

std::string TypeName(DWORD type)
{
    return type < sizeof TypeNames / sizeof TypeNames[0] ? TypeNames[type] : "type " + std::to_string(type);
}

// Installed is what DORVALIX reads; the probe only tells which way a value that reads
// as empty fails: no key, no value, an empty text, or a type that is not read.
const char* StateOf(const RegistryValueProbe& probe, const std::string& filename)
{
    if (!filename.empty())
        return "installed";
    if (probe.keyStatus == ERROR_FILE_NOT_FOUND)
        return "keyMissing";
    if (probe.keyStatus == ERROR_SUCCESS && probe.valueStatus == ERROR_FILE_NOT_FOUND)
        return "valueMissing";
    if (probe.keyStatus != ERROR_SUCCESS || probe.valueStatus != ERROR_SUCCESS)
        return "unreadable";
    return probe.type == REG_SZ ? "empty" : "wrongType";
}

// The program file a Filename names: the text between its quotes when it begins with
// one (as the system reads a command line), else all of it (BuildLaunchCommand quotes it
// whole).
bool NamedFileExists(const std::string& filename)
{
    std::string path = filename;
    if (!path.empty() && path[0] == '"')
        path = path.substr(1, path.find('"', 1) - 1);
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<VersionReport> ReadVersionReports()
{
    std::vector<VersionReport> reports;
    for (const CompilerVersion& row : VersionTable) {
        VersionReport report = {&row, ProbeVersionFilename(row), ReadVersionFilename(row), "", false, false};
        report.state = StateOf(report.probe, report.filename);
        report.fileExists = !report.filename.empty() && NamedFileExists(report.filename);
        reports.push_back(report);
    }
    // The newest of a family: the detected row with the highest position whose Filename
    // is the text the detection returned.
    for (CompilerKind family : {CompilerKind::Windows, CompilerKind::Console}) {
        std::string named = FindNewestCompiler(family);
        VersionReport* newest = nullptr;
        for (VersionReport& report : reports)
            if (report.row->family == family && report.row->detectionPosition > 0 && report.filename == named &&
                (!newest || report.row->detectionPosition > newest->row->detectionPosition))
                newest = &report;
        if (newest)
            newest->newest = true;
    }
    return reports;
}

std::string KeyName(const CompilerVersion& row)
{
    return std::string("HKEY_LOCAL_MACHINE\\") + row.keyPath;
}

std::string StateText(const VersionReport& r)
{
    std::string type = TypeName(r.probe.type);
    std::string state = r.state;
    if (state == "installed")
        return "installed: " + r.filename + " (" + type +
               (r.fileExists ? "; the file exists)" : "; no such file: its start fails, silently)") +
               (r.row->detectionPosition ? "" : "\n             on the selection screen only: the notice never names it");
    if (state == "keyMissing")
        return "not installed: the key is missing";
    if (state == "valueMissing")
        return "not installed: the key has no Filename value";
    if (state == "empty")
        return "not installed: Filename is an empty " + type + " (" + std::to_string(r.probe.size) + " bytes)";
    if (state == "wrongType")
        return "not installed: Filename is a " + type + " of " + std::to_string(r.probe.size) +
               " bytes; only REG_SZ and a 4-byte REG_DWORD count";
    LONG status = r.probe.keyStatus != ERROR_SUCCESS ? r.probe.keyStatus : r.probe.valueStatus;
    return "not installed: " + std::string(r.probe.keyStatus != ERROR_SUCCESS ? "the key" : "Filename") +
           " cannot be read (error " + std::to_string(status) + ")";
}

std::string VersionJson(const VersionReport& r)
{
    bool stored = r.probe.valueStatus == ERROR_SUCCESS;
    return "{\"version\":" + JsonString(r.row->caption) + ",\"family\":\"" + KindName(r.row->family) +
           "\",\"key\":" + JsonString(KeyName(*r.row)) + ",\"state\":\"" + r.state + "\",\"type\":" +
           (stored ? JsonString(TypeName(r.probe.type)) : "null") +
           ",\"size\":" + (stored ? std::to_string(r.probe.size) : "null") +
           ",\"filename\":" + JsonString(r.filename) + ",\"fileExists\":" + (r.fileExists ? "true" : "false") +
           ",\"detected\":" + (r.row->detectionPosition ? "true" : "false") +
           ",\"newest\":" + (r.newest ? "true" : "false") + "}";
}

// What the countdown's end does for a source so classified, as DORVALIX's main flow
// works it out.
struct LaunchPlan {
    std::string noticeCompiler;  // after "Latest version located at:"; empty for no decision
    std::string commandLine;     // empty: nothing is started
    const char* outcome;         // start, selectionScreen or noCompiler
};

LaunchPlan PlanLaunch(const SourceVerdict& verdict, const std::string& sourcePath)
{
    LaunchPlan plan;
    plan.noticeCompiler = FindNewestCompiler(verdict.kind);
    std::string compilerSourcePath = PathForCompilers(sourcePath);
    plan.commandLine = BuildLaunchCommand(plan.noticeCompiler, compilerSourcePath);
    bool found = !plan.noticeCompiler.empty() && !IsNotFoundMessage(plan.noticeCompiler);
    plan.outcome = LaunchOutcome(verdict.kind, found, !compilerSourcePath.empty());
    return plan;
}

}  // namespace

void PrintCompilers(bool json)
{
    std::vector<VersionReport> reports = ReadVersionReports();
    for (const VersionReport& r : reports) {
        if (json)
            PrintTo(stdout, "%s\n", VersionJson(r).c_str());
        else
            PrintTo(stdout, "%-12s %-8s %s\n%13s%s\n", r.row->caption, KindName(r.row->family),
                    KeyName(*r.row).c_str(), "", StateText(r).c_str());
    }
    if (json)
        return;
    for (CompilerKind family : {CompilerKind::Console, CompilerKind::Windows}) {
        const char* caption = nullptr;
        for (const VersionReport& r : reports)
            if (r.newest && r.row->family == family)
                caption = r.row->caption;
        std::string named = FindNewestCompiler(family);
        PrintTo(stdout, "the notice names for a %s source: %s (%s)\n", KindName(family), named.c_str(),
                caption ? caption : "none installed: nothing is started");
    }
}

std::string DryRunText(const SourceVerdict& verdict, const std::string& sourcePath)
{
    LaunchPlan plan = PlanLaunch(verdict, sourcePath);
    std::string family = verdict.kind == CompilerKind::Windows ? "PB/DLL" : "PB/CC";
    std::string outcome = plan.outcome;
    if (outcome == "selectionScreen")
        return "  DORVALIX starts: nothing by itself: no decision, so the selection screen opens\n";
    std::string text = "  the notice names: " + plan.noticeCompiler + "\n";
    if (outcome == "noCompiler")
        return text + "  DORVALIX starts: nothing: none of the " + family + " versions it looks for is installed\n";
    if (outcome == "pathUnreachable")
        return text + "  DORVALIX starts: nothing: the system's code page cannot spell this path for the compiler, "
                      "and the file has no short name that it can\n";
    return text + "  DORVALIX starts: " + plan.commandLine + "\n";
}

std::string DryRunJsonMembers(const SourceVerdict& verdict, const std::string& sourcePath)
{
    LaunchPlan plan = PlanLaunch(verdict, sourcePath);
    bool decided = verdict.kind != CompilerKind::None;
    return ",\"noticeCompiler\":" + (decided ? JsonString(plan.noticeCompiler) : "null") + ",\"outcome\":\"" +
           plan.outcome + "\",\"commandLine\":" +
           (plan.commandLine.empty() ? "null" : JsonString(plan.commandLine));
}
