// tests/tools/stand_in_compiler_win32.cpp: stand-in-compiler.exe, put where a compiler's IDE
// would be. It appends how it was started, as one record, to the file named by
// DORVALIX_STAND_IN_LOG, so that tests and the demo see exactly what DORVALIX started.
//
// It is an ANSI program without a manifest of its own, as the compilers are: it reads
// its command line in the system's code page.
//
// A record is six lines, each "name=value" and ending in LF, the last one empty:
//   program=  its own program file
//   command=  its command line, as GetCommandLineA gives it
//   folder=   its current folder
//   mark=     the variable DORVALIX_STAND_IN_MARK (inherited from whoever started it)
//   opened=   "yes: " and the first line of the file that the rest of its command line
//             names (as a compiler takes it), or "no" where that opens nothing
#include <windows.h>

#include <string>

#include "app/command_tail.h"

namespace {

std::string Variable(const char* name)
{
    char value[32768] = {};
    DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length < sizeof value ? std::string(value, length) : std::string();
}

// What the file named by the command tail begins with, as this program can open it.
std::string OpenedSource()
{
    std::string path = TakeSourcePath(GetCommandLineA());
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (path.empty() || file == INVALID_HANDLE_VALUE)
        return "no";
    char start[256] = {};
    DWORD got = 0;
    ReadFile(file, start, sizeof start - 1, &got, nullptr);
    CloseHandle(file);
    std::string text(start, got);
    return "yes: " + text.substr(0, text.find_first_of("\r\n"));
}

std::string StartRecord()
{
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    return std::string("program=") + program + "\ncommand=" + GetCommandLineA() + "\nfolder=" +
           folder + "\nmark=" + Variable("DORVALIX_STAND_IN_MARK") + "\nopened=" + OpenedSource() + "\n\n";
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    std::string log = Variable("DORVALIX_STAND_IN_LOG");
    if (log.empty())
        return 2;
    // One write at the end of the file, with the file to itself: stand-ins started
    // together take turns (a writer that finds it taken retries for up to 10 s), so
    // their records never mix, whatever the system makes of concurrent appends.
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int tries = 0; tries < 2000; ++tries) {
        file = CreateFileA(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_SHARING_VIOLATION)
            break;
        Sleep(5);
    }
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    std::string record = StartRecord();
    DWORD written = 0;
    WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    CloseHandle(file);
    return 0;
}
