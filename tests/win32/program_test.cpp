// DORVALIX.EXE itself, started with raw command lines as the shell would: the boxes a
// user sees (title and text, read back from the real box and answered) and exit code 0
// on every path.
#include <gtest/gtest.h>

#include "test_support_win32.h"
#include "tools/window_probe_win32.h"

namespace {

constexpr DWORD WaitMs = 15000;

const char UsageText[] =
    "No parameter is used. Please use:\r\rDORVALIX sourcecode.bas\r\ror doubleclick on any file with the .BAS extension";
const char OpenFailureText[] = "The file passed as parameter could not be opened!\rExecution terminated.";

struct ProgramRun {
    std::string tail;      // what follows the quoted program name
    std::string boxTitle;  // empty: no box expected
    std::string boxText;
};

// Starts the run, answers its box if one is expected, and returns the exit code; the
// process is ended here whatever happens.
long RunAnswering(const std::string& exe, const ProgramRun& run, std::string* seenText)
{
    PROCESS_INFORMATION process;
    if (!StartRawCommandLine("\"" + exe + "\"" + run.tail, &process))
        return -1000;
    if (!run.boxTitle.empty()) {
        HWND box = WaitForWindow(process.dwProcessId, run.boxTitle, WaitMs);
        if (box) {
            *seenText = MessageBoxText(box);
            AnswerMessageBox(box, IDOK);
        }
    }
    DWORD exitCode = 0;
    long code = WaitForExit(process.hProcess, WaitMs, &exitCode) ? static_cast<long>(exitCode) : -2000;
    if (code == -2000) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, WaitMs);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

TEST(Program, ShowsItsBoxesAndEndsWithExitCodeZero) {
    std::string exe = ProgramFolder() + DORVALIX_EXE;
    std::string folder = ScratchFolder("program");
    WriteFileBytes(folder + "console.bas", "CLS\r\n");
    WriteFileBytes(folder + "none.bas", "x = 1\r\n");
    const ProgramRun runs[] = {
        {"", "Dorvalix", UsageText},
        {" \"\"\"\"", "Dorvalix", UsageText},  // only quotes: no path either
        {" \"" + folder + "missing.bas\"", "Dorvalix warning", OpenFailureText},
        // A blank after the closing quote keeps that quote in the path.
        {" \"" + folder + "console.bas\" ", "Dorvalix warning", OpenFailureText},
        {" \"" + folder + "console.bas\"", "", ""},
        {" \"" + folder + "none.bas\"", "", ""},
    };
    for (const ProgramRun& run : runs) {
        std::string seenText;
        EXPECT_EQ(0, RunAnswering(exe, run, &seenText)) << run.tail;
        EXPECT_EQ(run.boxText, seenText) << run.tail;
    }
}

}  // namespace
