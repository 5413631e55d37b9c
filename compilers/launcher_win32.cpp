// compilers/launcher_win32.cpp: the one place where the program starts a process.
// The program keeps no handle of what it starts, so a compiler that stays open does
// not keep DORVALIX alive.
#include "compilers/launcher_win32.h"

#include <vector>

#include "text/path_spelling_win32.h"

#if !defined(_WIN64)
static_assert(sizeof(STARTUPINFOA) == 68, "the 32-bit start record is 68 bytes");
#endif

DWORD StartProcess(const std::string& commandLine)
{
    if (commandLine.empty())
        return 0;  // an empty command names no program: nothing is started

    // CreateProcessA may write into its command line, so it gets a copy of its own,
    // whole: the system accepts up to 32767 characters.
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process = {};

    // No system error box (a drive not ready, a missing file) during the start.
    UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    SetLastError(0);
    BOOL started = CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, TRUE, NORMAL_PRIORITY_CLASS,
                                  nullptr, nullptr, &startup, &process);
    SetErrorMode(previousMode);
    if (!started)
        return 0;  // silent: no message, no retry

    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return process.dwProcessId;
}

std::string PathForCompilers(const std::string& sourcePath)
{
    unsigned systemCodePage = SystemCodePage();
    if (CodePageHolds(systemCodePage, sourcePath))
        return sourcePath;
    std::string shortPath = ShortPath(sourcePath);  // empty without one
    return CodePageHolds(systemCodePage, shortPath) ? shortPath : std::string();
}

void LetStartedProgramComeToFront()
{
    // Any process, not the compiler's process id: the compiler is started only once the
    // window is gone, so that it never opens under a notice still counting and a
    // failed start leaves no window behind; by then DORVALIX holds no foreground to
    // pass on, and before it the compiler has no process id. The right lasts only until
    // the user's next input elsewhere, the compiler's start being the next thing done.
    AllowSetForegroundWindow(ASFW_ANY);
}
