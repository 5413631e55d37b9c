// tests/tools/driver_win32.cpp: dorvalix-driver, a Windows console program that runs
// DORVALIX.EXE from an exact command line and acts as its user: it waits for windows,
// reads and checks their controls, presses buttons and waits for the end.
//
//   dorvalix-driver run "<raw command line>" [--expect-box "<title>"] [--timeout <ms>]
//   dorvalix-driver script <file>
//   dorvalix-driver steps "<step>" "<step>" ...
//
// run           starts the raw command line untouched (CreateProcessA, no application
//               name), so quotes and blanks reach the program exactly as given.
// --expect-box  waits for a window with that title, prints its title and text (the
//               text once with each CR shown as \r, then line by line), presses OK.
// --timeout     the limit of every single wait, in milliseconds (default 10000).
// Last it waits for the program's end and prints "exit code: N".
//
// script runs the steps of a file, one a line; steps runs each argument as one line.
// Blank lines and lines starting with # are skipped. A line is a step name and its
// arguments, separated by blanks. An argument in double quotes may hold blanks and
// these escapes, and no others: \" \\ \r \n \t. Outside quotes nothing is an escape,
// so C:\src\a.bas may stand as it is. Windows are those of the started program, found
// by their exact title. <id> is a control identifier (the first control with it, in
// window order), or "box" for a message box's text.
//
//   start <raw command line>      the rest of the line after "start ", byte for byte
//                                 (quotes and trailing blanks included)
//   shell-open <verb> <file>      opens the file as the shell does on a double-click
//                                 (ShellExecuteEx with that verb, e.g. open); the
//                                 program this starts is the one the later steps watch
//   run-check <raw command line>  runs another program (as start takes it) to its end
//                                 within the limit; its exit code must be 0
//   env <name> <value>            a variable that programs started later inherit
//   timeout <ms>                  the limit of every later wait (default 10000)
//   wait-window <title>           waits for the window; its appearance starts the clock
//                                 that wait-file reads
//   dump <title>                  prints every control: id, class, style, enabled,
//                                 position and size in pixels, text
//   expect-text <title> <id> <text>       the control's text, byte for byte
//   expect-text-file <title> <id> <file>  the same, the expected text being a file's bytes
//   wait-text <title> <id> <text>         waits until the control shows that text
//   expect-enabled <title> <id> yes|no
//   press <title> <id>            a click on the button; fails for a control that is
//                                 missing, hidden or greyed, as a click cannot reach it
//   close <title>                 the system close command (as the close box gives it)
//   wait-gone <title>             waits until no such window is shown
//   expect-no-window <title> <ms> none appears for that long (or until the end)
//   sleep <ms>
//   wait-exit <code>              waits for the end; the exit code must be <code>
//   wait-file <path> [<min> <max>]  waits until the file holds something, prints the
//                                 time since the last wait-window found its window and,
//                                 with a range, requires it to lie within min..max ms
//   expect-line <path> <text>     the file has a line (ended by LF) that is exactly text
//   expect-no-file <path>
//
// A script ends with the started program ended by itself (wait-exit); one that is
// still running at the end, or at the next start, is a failure.
//
// The driver runs in UTF-8 (its manifest): a script's texts are UTF-8, window texts are
// read as UTF-8, and what it starts gets its command line in UTF-16 with every
// character of the script, as from the shell.
//
// Exit code: 0 when every step held; 1 when one failed (what failed is printed and the
// started program is ended); 64 for a usage error or a script that does not parse.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tests/tools/window_probe_win32.h"

namespace {

struct DriverRequest {
    std::string commandLine;  // started as it is
    std::string boxTitle;     // empty: no box expected
    DWORD timeoutMs = 10000;  // the limit of each wait
};

int Usage()
{
    std::fprintf(stderr, "usage: dorvalix-driver run \"<raw command line>\" [--expect-box \"<title>\"] "
                         "[--timeout <ms>]\n"
                         "       dorvalix-driver script <file>\n"
                         "       dorvalix-driver steps \"<step>\"...\n");
    return 64;
}

bool ParseRequest(int argc, char** argv, DriverRequest* request)
{
    if (argc < 3 || std::string(argv[1]) != "run")
        return false;
    request->commandLine = argv[2];
    for (int i = 3; i < argc; i += 2) {
        std::string option = argv[i];
        if (i + 1 >= argc)
            return false;
        if (option == "--expect-box")
            request->boxTitle = argv[i + 1];
        else if (option == "--timeout")
            request->timeoutMs = static_cast<DWORD>(std::strtoul(argv[i + 1], nullptr, 10));
        else
            return false;
    }
    return !request->commandLine.empty() && request->timeoutMs > 0;
}

// The exact bytes on one line: CR and LF written as \r and \n.
std::string Escaped(const std::string& text)
{
    std::string out;
    for (char c : text)
        out += c == '\r' ? std::string("\\r") : c == '\n' ? std::string("\\n") : std::string(1, c);
    return out;
}

void PrintBox(HWND box)
{
    std::string text = MessageBoxText(box);
    std::printf("box title: %s\n", WindowText(box).c_str());
    std::printf("box text: \"%s\"\n", Escaped(text).c_str());
    size_t start = 0;
    for (;;) {
        size_t end = text.find('\r', start);
        std::printf("  | %s\n", text.substr(start, end - start).c_str());
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
}

int Fail(const PROCESS_INFORMATION& process, const std::string& why)
{
    std::fprintf(stderr, "dorvalix-driver: %s\n", why.c_str());
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 1;
}

int RunRequest(const DriverRequest& request)
{
    PROCESS_INFORMATION process;
    if (!StartRawCommandLine(request.commandLine, &process)) {
        std::fprintf(stderr, "dorvalix-driver: could not start: %s (error %lu)\n", request.commandLine.c_str(),
                     GetLastError());
        return 1;
    }
    const std::string limit = std::to_string(request.timeoutMs) + " ms";
    if (!request.boxTitle.empty()) {
        HWND box = WaitForWindow(process.dwProcessId, request.boxTitle, request.timeoutMs);
        if (!box)
            return Fail(process, "no window titled \"" + request.boxTitle + "\" within " + limit);
        PrintBox(box);
        std::string refusal;
        if (!AnswerMessageBox(box, IDOK, &refusal))
            return Fail(process, "the box's OK: " + refusal);
    }
    DWORD exitCode = 0;
    if (!WaitForExit(process.hProcess, request.timeoutMs, &exitCode))
        return Fail(process, "the program did not end within " + limit);
    std::printf("exit code: %lu\n", exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}

// ---- scripts ----

struct Step {
    int line;                       // its line in the script (or argument number)
    std::string text;               // the line as written, for messages
    std::string name;               // the step's name
    std::vector<std::string> args;  // its arguments, escapes resolved
};

// What a running script keeps between its steps.
struct ScriptRun {
    PROCESS_INFORMATION process = {};  // the program of the latest start
    bool running = false;              // started and not yet seen to end
    DWORD timeoutMs = 10000;           // the limit of each wait
    DWORD windowSeenAt = 0;            // tick count when wait-window last found its window
    std::string windowSeenTitle;       // and that window's title
};

// A step's result: empty when it held, else what failed.
using Outcome = std::string;

// Reads one argument at text[*at]; false for an unterminated quote or a bad escape.
bool ReadArgument(const std::string& text, size_t* at, std::string* argument)
{
    size_t i = *at;
    argument->clear();
    if (text[i] != '"') {
        while (i < text.size() && text[i] != ' ' && text[i] != '\t')
            *argument += text[i++];
        *at = i;
        return true;
    }
    for (++i; i < text.size() && text[i] != '"'; ++i) {
        if (text[i] != '\\') {
            *argument += text[i];
            continue;
        }
        char next = i + 1 < text.size() ? text[++i] : '\0';
        const char* from = "\"\\rnt";
        const char* to = "\"\\\r\n\t";
        const char* found = next ? std::strchr(from, next) : nullptr;
        if (!found)
            return false;
        *argument += to[found - from];
    }
    if (i >= text.size())
        return false;
    *at = i + 1;
    return true;
}

struct StepShape;
const StepShape* FindShape(const std::string& name);
bool ArgumentCountFits(const StepShape& shape, size_t count);

// Parses one line into a step; false with a reason when it does not parse. A blank or
// comment line gives a step with no name.
bool ParseStep(const std::string& text, int line, Step* step, std::string* why)
{
    step->line = line;
    step->text = text;
    step->name.clear();
    step->args.clear();
    size_t at = text.find_first_not_of(" \t");
    if (at == std::string::npos || text[at] == '#')
        return true;
    size_t end = text.find_first_of(" \t", at);
    step->name = text.substr(at, end == std::string::npos ? std::string::npos : end - at);
    const StepShape* shape = FindShape(step->name);
    if (!shape) {
        *why = "unknown step \"" + step->name + "\"";
        return false;
    }
    if (step->name == "start" || step->name == "run-check") {
        // The raw command line: everything after "start" and one blank.
        if (end != std::string::npos && end + 1 < text.size())
            step->args.push_back(text.substr(end + 1));
    } else {
        for (at = end; at != std::string::npos && (at = text.find_first_not_of(" \t", at)) != std::string::npos;) {
            std::string argument;
            if (!ReadArgument(text, &at, &argument)) {
                *why = "an unterminated quote or an unknown escape";
                return false;
            }
            step->args.push_back(argument);
        }
    }
    if (!ArgumentCountFits(*shape, step->args.size())) {
        *why = "wrong number of arguments for " + step->name;
        return false;
    }
    return true;
}

bool ReadWholeFile(const std::string& path, std::string* bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bytes->clear();
    char block[4096];
    DWORD got = 0;
    while (ReadFile(file, block, sizeof block, &got, nullptr) && got)
        bytes->append(block, got);
    CloseHandle(file);
    return true;
}

// The script's lines, split at LF (a CR before it is dropped).
std::vector<std::string> SplitLines(const std::string& bytes)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        std::string line = bytes.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return lines;
}

bool ParseSteps(const std::vector<std::string>& lines, std::vector<Step>* steps)
{
    for (size_t i = 0; i < lines.size(); ++i) {
        Step step;
        std::string why;
        if (!ParseStep(lines[i], static_cast<int>(i + 1), &step, &why)) {
            std::fprintf(stderr, "dorvalix-driver: line %d: %s: %s\n", step.line, lines[i].c_str(), why.c_str());
            return false;
        }
        if (!step.name.empty())
            steps->push_back(step);
    }
    return true;
}

DWORD Number(const std::string& text)
{
    return static_cast<DWORD>(std::strtoul(text.c_str(), nullptr, 10));
}

std::string Quoted(const std::string& text)
{
    return "\"" + Escaped(text) + "\"";
}

Outcome FindWindowOf(ScriptRun* run, const std::string& title, HWND* window)
{
    if (!run->running)
        return "no program is running";
    *window = WaitForWindow(run->process.dwProcessId, title, run->timeoutMs);
    if (!*window)
        return "no window titled " + Quoted(title) + " within " + std::to_string(run->timeoutMs) + " ms";
    return Outcome();
}

// The control with this identifier ("box": a message box's text control).
Outcome FindControl(HWND window, const std::string& id, ControlReading* control)
{
    std::vector<ControlReading> controls = ReadControls(window);
    if (id == "box") {
        *control = ControlReading();
        control->text = MessageBoxText(window);
        return Outcome();
    }
    int wanted = static_cast<int>(std::strtol(id.c_str(), nullptr, 10));
    for (const ControlReading& reading : controls)
        if (reading.id == wanted) {
            *control = reading;
            return Outcome();
        }
    return "no control with identifier " + id;
}

// The window of the step's first argument and its control of the second.
Outcome FindWindowControl(ScriptRun* run, const Step& step, HWND* window, ControlReading* control)
{
    Outcome outcome = FindWindowOf(run, step.args[0], window);
    return outcome.empty() ? FindControl(*window, step.args[1], control) : outcome;
}

Outcome CompareText(const std::string& expected, const std::string& got)
{
    if (expected == got)
        return Outcome();
    size_t at = 0;
    while (at < expected.size() && at < got.size() && expected[at] == got[at])
        ++at;
    return "text differs from byte " + std::to_string(at) + "\n  expected: " + Quoted(expected) +
           "\n  got:      " + Quoted(got);
}

Outcome ExpectText(ScriptRun* run, const Step& step, const std::string& expected)
{
    HWND window = nullptr;
    ControlReading control;
    Outcome outcome = FindWindowControl(run, step, &window, &control);
    return outcome.empty() ? CompareText(expected, control.text) : outcome;
}

void PrintControls(HWND window)
{
    std::printf("window %s\n", Quoted(WindowText(window)).c_str());
    for (const ControlReading& c : ReadControls(window))
        std::printf("  id %d  %s  style 0x%08lX  %s  at %ld,%ld size %ldx%ld  text %s\n", c.id,
                    c.className.c_str(), static_cast<unsigned long>(c.style), c.enabled ? "enabled" : "disabled",
                    c.rect.left, c.rect.top, c.rect.right - c.rect.left, c.rect.bottom - c.rect.top,
                    Quoted(c.text).c_str());
}

Outcome StepStart(ScriptRun* run, const Step& step)
{
    if (run->running)
        return "the program of the previous start is still running";
    if (!StartRawCommandLine(step.args[0], &run->process))
        return "could not start (error " + std::to_string(GetLastError()) + ")";
    run->running = true;
    return Outcome();
}

Outcome StepShellOpen(ScriptRun* run, const Step& step)
{
    if (run->running)
        return "the program of the previous start is still running";
    SHELLEXECUTEINFOA open = {};
    open.cbSize = sizeof open;
    open.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    open.lpVerb = step.args[0].c_str();
    open.lpFile = step.args[1].c_str();
    open.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExA(&open))
        return "the shell could not open it (error " + std::to_string(GetLastError()) + ")";
    if (!open.hProcess)
        return "the shell started no program of its own";
    run->process = PROCESS_INFORMATION{open.hProcess, nullptr, GetProcessId(open.hProcess), 0};
    run->running = true;
    return Outcome();
}

Outcome StepRunCheck(ScriptRun* run, const Step& step)
{
    PROCESS_INFORMATION other;
    if (!StartRawCommandLine(step.args[0], &other))
        return "could not start (error " + std::to_string(GetLastError()) + ")";
    DWORD exitCode = 0;
    bool ended = WaitForExit(other.hProcess, run->timeoutMs, &exitCode);
    if (!ended) {
        TerminateProcess(other.hProcess, 1);
        WaitForSingleObject(other.hProcess, 5000);
    }
    CloseHandle(other.hThread);
    CloseHandle(other.hProcess);
    if (!ended)
        return "it did not end within " + std::to_string(run->timeoutMs) + " ms";
    return exitCode == 0 ? Outcome() : "it ended with exit code " + std::to_string(exitCode);
}

Outcome StepWaitWindow(ScriptRun* run, const Step& step)
{
    HWND window = nullptr;
    Outcome outcome = FindWindowOf(run, step.args[0], &window);
    if (outcome.empty()) {
        run->windowSeenAt = GetTickCount();
        run->windowSeenTitle = step.args[0];
    }
    return outcome;
}

Outcome StepDump(ScriptRun* run, const Step& step)
{
    HWND window = nullptr;
    Outcome outcome = FindWindowOf(run, step.args[0], &window);
    if (outcome.empty())
        PrintControls(window);
    return outcome;
}

Outcome StepExpectTextFile(ScriptRun* run, const Step& step)
{
    std::string expected;
    if (!ReadWholeFile(step.args[2], &expected))
        return "cannot read " + step.args[2];
    return ExpectText(run, step, expected);
}

Outcome StepWaitText(ScriptRun* run, const Step& step)
{
    HWND window = nullptr;
    ControlReading control;
    Outcome outcome = FindWindowControl(run, step, &window, &control);
    const DWORD start = GetTickCount();
    while (outcome.empty() && control.text != step.args[2]) {
        if (GetTickCount() - start >= run->timeoutMs)
            return "control " + step.args[1] + " still shows " + Quoted(control.text) + " after " +
                   std::to_string(run->timeoutMs) + " ms";
        Sleep(10);
        outcome = FindControl(window, step.args[1], &control);
    }
    return outcome;
}

Outcome StepExpectEnabled(ScriptRun* run, const Step& step)
{
    HWND window = nullptr;
    ControlReading control;
    Outcome outcome = FindWindowControl(run, step, &window, &control);
    if (!outcome.empty())
        return outcome;
    if (step.args[2] != "yes" && step.args[2] != "no")
        return "expected yes or no, not " + step.args[2];
    bool wanted = step.args[2] == "yes";
    if (control.enabled != wanted)
        return "control " + step.args[1] + " is " + (control.enabled ? "enabled" : "disabled");
    return Outcome();
}

Outcome StepPress(ScriptRun* run, const Step& step)
{
    HWND window = nullptr;
    Outcome outcome = FindWindowOf(run, step.args[0], &window);
    if (!outcome.empty())
        return outcome;
    int id = static_cast<int>(std::strtol(step.args[1].c_str(), nullptr, 10));
    std::string refusal;
    if (!PressButton(window, id, &refusal))
        return refusal;
    return Outcome();
}

Outcome StepClose(ScriptRun* run, const Step& step)
{
    HWND window = nullptr;
    Outcome outcome = FindWindowOf(run, step.args[0], &window);
    if (outcome.empty())
        PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    return outcome;
}

bool WindowShown(const ScriptRun& run, const std::string& title)
{
    return WaitForWindow(run.process.dwProcessId, title, 0) != nullptr;
}

Outcome StepWaitGone(ScriptRun* run, const Step& step)
{
    const DWORD start = GetTickCount();
    while (WindowShown(*run, step.args[0]))
        if (GetTickCount() - start >= run->timeoutMs)
            return "the window " + Quoted(step.args[0]) + " was still shown after " +
                   std::to_string(run->timeoutMs) + " ms";
    return Outcome();
}

Outcome StepExpectNoWindow(ScriptRun* run, const Step& step)
{
    const DWORD start = GetTickCount(), span = Number(step.args[1]);
    do {
        if (WindowShown(*run, step.args[0]))
            return "a window titled " + Quoted(step.args[0]) + " appeared after " +
                   std::to_string(GetTickCount() - start) + " ms";
        if (WaitForSingleObject(run->process.hProcess, 0) == WAIT_OBJECT_0)
            break;  // the program has ended: no window can come any more
    } while (GetTickCount() - start < span);
    return Outcome();
}

Outcome StepWaitExit(ScriptRun* run, const Step& step)
{
    if (!run->running)
        return "no program is running";
    DWORD exitCode = 0;
    if (!WaitForExit(run->process.hProcess, run->timeoutMs, &exitCode))
        return "the program did not end within " + std::to_string(run->timeoutMs) + " ms";
    CloseHandle(run->process.hThread);
    CloseHandle(run->process.hProcess);
    run->running = false;
    std::printf("exit code: %lu\n", exitCode);
    if (exitCode != Number(step.args[0]))
        return "exit code " + std::to_string(exitCode) + ", expected " + step.args[0];
    return Outcome();
}

Outcome StepWaitFile(ScriptRun* run, const Step& step)
{
    const DWORD start = GetTickCount();
    std::string bytes;
    while (!ReadWholeFile(step.args[0], &bytes) || bytes.empty()) {
        if (GetTickCount() - start >= run->timeoutMs)
            return "no file " + step.args[0] + " within " + std::to_string(run->timeoutMs) + " ms";
        Sleep(10);
    }
    if (run->windowSeenTitle.empty())
        return Outcome();
    DWORD elapsed = GetTickCount() - run->windowSeenAt;
    std::printf("file %s came %lu ms after the window %s\n", step.args[0].c_str(), elapsed,
                Quoted(run->windowSeenTitle).c_str());
    if (step.args.size() == 3 && (elapsed < Number(step.args[1]) || elapsed > Number(step.args[2])))
        return "that is outside " + step.args[1] + ".." + step.args[2] + " ms";
    return Outcome();
}

Outcome StepExpectLine(ScriptRun*, const Step& step)
{
    std::string bytes;
    if (!ReadWholeFile(step.args[0], &bytes))
        return "cannot read " + step.args[0];
    for (const std::string& line : SplitLines(bytes))
        if (line == step.args[1])
            return Outcome();
    return "no line " + Quoted(step.args[1]) + " in " + step.args[0] + ", which holds " + Quoted(bytes);
}

Outcome StepExpectNoFile(ScriptRun*, const Step& step)
{
    if (GetFileAttributesA(step.args[0].c_str()) != INVALID_FILE_ATTRIBUTES)
        return "the file " + step.args[0] + " exists";
    return Outcome();
}

Outcome StepEnv(ScriptRun*, const Step& step)
{
    if (!SetEnvironmentVariableA(step.args[0].c_str(), step.args[1].c_str()))
        return "cannot set " + step.args[0];
    return Outcome();
}

Outcome StepTimeout(ScriptRun* run, const Step& step)
{
    run->timeoutMs = Number(step.args[0]);
    return Outcome();
}

Outcome StepExpectText(ScriptRun* run, const Step& step)
{
    return ExpectText(run, step, step.args[2]);
}

Outcome StepSleep(ScriptRun*, const Step& step)
{
    Sleep(Number(step.args[0]));
    return Outcome();
}

struct StepShape {
    const char* name;
    size_t minArgs;
    size_t maxArgs;  // wait-file takes one or three
    Outcome (*run)(ScriptRun*, const Step&);
};

const StepShape StepShapes[] = {
    {"start", 1, 1, StepStart},
    {"shell-open", 2, 2, StepShellOpen},
    {"run-check", 1, 1, StepRunCheck},
    {"env", 2, 2, StepEnv},
    {"timeout", 1, 1, StepTimeout},
    {"wait-window", 1, 1, StepWaitWindow},
    {"dump", 1, 1, StepDump},
    {"expect-text", 3, 3, StepExpectText},
    {"expect-text-file", 3, 3, StepExpectTextFile},
    {"wait-text", 3, 3, StepWaitText},
    {"expect-enabled", 3, 3, StepExpectEnabled},
    {"press", 2, 2, StepPress},
    {"close", 1, 1, StepClose},
    {"wait-gone", 1, 1, StepWaitGone},
    {"expect-no-window", 2, 2, StepExpectNoWindow},
    {"sleep", 1, 1, StepSleep},
    {"wait-exit", 1, 1, StepWaitExit},
    {"wait-file", 1, 3, StepWaitFile},
    {"expect-line", 2, 2, StepExpectLine},
    {"expect-no-file", 1, 1, StepExpectNoFile},
};

const StepShape* FindShape(const std::string& name)
{
    for (const StepShape& shape : StepShapes)
        if (name == shape.name)
            return &shape;
    return nullptr;
}

bool ArgumentCountFits(const StepShape& shape, size_t count)
{
    return count >= shape.minArgs && count <= shape.maxArgs && !(shape.run == StepWaitFile && count == 2);
}

// The titles of the started program's shown windows, for a failure message.
BOOL CALLBACK ListWindow(HWND window, LPARAM context)
{
    ScriptRun* run = reinterpret_cast<ScriptRun*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == run->process.dwProcessId && IsWindowVisible(window))
        std::fprintf(stderr, "  shown: %s\n", Quoted(WindowText(window)).c_str());
    return TRUE;
}

int FailScript(ScriptRun* run, const Step& step, const Outcome& why)
{
    std::fflush(stdout);
    std::fprintf(stderr, "dorvalix-driver: line %d: %s\n  failed: %s\n", step.line, step.text.c_str(), why.c_str());
    if (run->running) {
        EnumWindows(ListWindow, reinterpret_cast<LPARAM>(run));
        TerminateProcess(run->process.hProcess, 1);
        WaitForSingleObject(run->process.hProcess, 5000);
        CloseHandle(run->process.hThread);
        CloseHandle(run->process.hProcess);
        std::fprintf(stderr, "  the started program was ended\n");
    }
    return 1;
}

int RunScript(const std::vector<Step>& steps)
{
    ScriptRun run;
    for (const Step& step : steps) {
        std::printf("> %s\n", step.text.c_str());
        std::fflush(stdout);
        Outcome outcome = FindShape(step.name)->run(&run, step);
        if (!outcome.empty())
            return FailScript(&run, step, outcome);
    }
    if (run.running) {
        Step last = steps.back();
        last.line = 0;
        last.text = "(end of the script)";
        return FailScript(&run, last, "the program is still running");
    }
    return 0;
}

int RunScriptCommand(int argc, char** argv)
{
    std::vector<std::string> lines;
    std::string mode = argv[1];
    if (mode == "script") {
        std::string bytes;
        if (argc != 3 || !ReadWholeFile(argv[2], &bytes)) {
            std::fprintf(stderr, "dorvalix-driver: cannot read the script %s\n", argc > 2 ? argv[2] : "");
            return 64;
        }
        lines = SplitLines(bytes);
    } else {
        lines.assign(argv + 2, argv + argc);
    }
    std::vector<Step> steps;
    if (!ParseSteps(lines, &steps))
        return 64;
    if (steps.empty())
        return Usage();
    return RunScript(steps);
}

}  // namespace

int main(int argc, char** argv)
{
    int code;
    if (argc >= 2 && (std::string(argv[1]) == "script" || std::string(argv[1]) == "steps")) {
        code = RunScriptCommand(argc, argv);
    } else {
        DriverRequest request;
        if (!ParseRequest(argc, argv, &request))
            return Usage();
        code = RunRequest(request);
    }
    std::fflush(stdout);
    return code;
}
