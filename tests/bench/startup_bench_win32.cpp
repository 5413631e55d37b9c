// tests/bench/startup_bench_win32.cpp: startup-bench.exe, the time from starting a
// program to its first window being visible, for a program and a floor side by side.
//
//   startup-bench RUNS "<title>" <ending> "<command line>" "<title>" <ending> "<command line>"
//
// Each round starts the two command lines one after the other (after one round of
// warming up that is not counted). A start is timed with QueryPerformanceCounter from
// just before CreateProcessA until a visible top-level window of the new process has
// the title; the window is polled every millisecond, at most 20 s. Then the ending is
// given, a button id to press or "close" for the system close command, so the program
// ends in its own way (ended after 10 s otherwise).
// Prints the median, the fastest and the slowest start of each in milliseconds, the
// ratio of the two medians, and the modules each program had loaded when its window
// showed (read in the last round, after the timing: a start that finds its file types
// registered, as most do). Exit code 1 when a window did not appear; 64 for a usage
// error.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tests/tools/window_probe_win32.h"

namespace {

constexpr double WindowTimeoutMs = 20000;
constexpr DWORD ExitTimeoutMs = 10000;
constexpr int CloseCommand = -1;

struct BenchTarget {
    std::string title;        // of the window that ends the timing
    int buttonId;             // pressed to end the program; CloseCommand: closed instead
    std::string commandLine;  // started as it is
    std::vector<double> startMs;
    std::string modules;      // loaded when its window showed in the last round, by name
};

// The names of the modules the process has loaded, sorted, in one line.
std::string LoadedModules(HANDLE process)
{
    std::vector<HMODULE> modules(1024);
    DWORD bytes = 0;
    if (!K32EnumProcessModules(process, modules.data(), static_cast<DWORD>(modules.size() * sizeof(HMODULE)),
                               &bytes))
        return "(not read)";
    modules.resize(std::min<size_t>(bytes / sizeof(HMODULE), modules.size()));
    std::vector<std::string> names;
    for (HMODULE module : modules) {
        char name[MAX_PATH] = {};
        if (K32GetModuleBaseNameA(process, module, name, MAX_PATH))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return _stricmp(a.c_str(), b.c_str()) < 0;
    });
    std::string line;
    for (const std::string& name : names)
        line += (line.empty() ? "" : " ") + name;
    return line;
}

double MsSince(const LARGE_INTEGER& start)
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void EndProgram(const PROCESS_INFORMATION& process, HWND window, int buttonId)
{
    DWORD exitCode = 0;
    std::string refusal;
    if (buttonId == CloseCommand)
        PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    else if (!PressButton(window, buttonId, &refusal))
        std::fprintf(stderr, "startup-bench: %s; the program is ended\n", refusal.c_str());
    if (!WaitForExit(process.hProcess, ExitTimeoutMs, &exitCode)) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, ExitTimeoutMs);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

// One start of the target; a negative time when it could not be started or its window
// did not appear in time. With modules, the modules loaded by then are read into it.
double TimeOneStart(const BenchTarget& target, std::string* modules = nullptr)
{
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    PROCESS_INFORMATION process;
    if (!StartRawCommandLine(target.commandLine, &process))
        return -1;
    HWND window = nullptr;
    double elapsed = 0;
    while (!(window = FindVisibleWindow(process.dwProcessId, target.title))) {
        elapsed = MsSince(start);
        if (elapsed > WindowTimeoutMs)
            break;
        Sleep(1);
    }
    elapsed = MsSince(start);
    if (!window) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, ExitTimeoutMs);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return -1;
    }
    if (modules)
        *modules = LoadedModules(process.hProcess);
    EndProgram(process, window, target.buttonId);
    return elapsed;
}

int Ending(const char* argument)
{
    return std::strcmp(argument, "close") == 0 ? CloseCommand : std::atoi(argument);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void PrintTarget(const BenchTarget& target)
{
    const std::vector<double>& ms = target.startMs;
    std::printf("%-16s median %7.1f ms   fastest %7.1f ms   slowest %7.1f ms   (%zu starts)\n",
                ("\"" + target.title + "\"").c_str(), Median(ms), *std::min_element(ms.begin(), ms.end()),
                *std::max_element(ms.begin(), ms.end()), ms.size());
}

}  // namespace

int main(int argc, char** argv)
{
    int rounds = argc == 8 ? std::atoi(argv[1]) : 0;
    if (rounds < 1) {
        std::fprintf(stderr, "usage: startup-bench RUNS \"<title>\" <button id>|close \"<command line>\" "
                             "\"<title>\" <button id>|close \"<command line>\"\n");
        return 64;
    }
    BenchTarget targets[2] = {{argv[2], Ending(argv[3]), argv[4], {}, {}}, {argv[5], Ending(argv[6]), argv[7], {}, {}}};
    for (int round = 0; round <= rounds; ++round) {
        for (BenchTarget& target : targets) {
            double ms = TimeOneStart(target, round == rounds ? &target.modules : nullptr);
            if (ms < 0) {
                std::fprintf(stderr, "startup-bench: no window \"%s\" from: %s\n", target.title.c_str(),
                             target.commandLine.c_str());
                return 1;
            }
            if (round > 0)  // round 0 warms up
                target.startMs.push_back(ms);
        }
    }
    for (const BenchTarget& target : targets)
        PrintTarget(target);
    std::printf("ratio of the medians: %.2f\n", Median(targets[0].startMs) / Median(targets[1].startMs));
    for (const BenchTarget& target : targets)
        std::printf("\"%s\" loads: %s\n", target.title.c_str(), target.modules.c_str());
    std::fflush(stdout);
    return 0;
}
