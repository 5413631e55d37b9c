// DORVALIX.EXE itself, started with raw command lines as the shell would: the boxes a
// user sees (read back from the real box and answered), exit code 0 on every path, and
// the newest compiler of the decided family started on the source, with stand-ins
// installed under the compilers' real keys.
#include <gtest/gtest.h>

#include "compiler_keys_win32.h"
#include "stand_in_win32.h"
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

class Program : public CompilerKeys {
protected:
    std::string exe = ProgramFolder() + DORVALIX_EXE;
    std::string folder = ScratchFolder("program");
    std::string log = PrepareStandInLog(folder);
};

TEST_F(Program, EndsWithExitCodeZero) {
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

TEST_F(Program, StartsTheNewestCompilerOfTheDecidedFamily) {
    std::string cc10 = InstallStandIn(folder + "PBCC10\\PBCC.EXE");
    std::string cc200 = InstallStandIn(folder + "Program Files\\PB CC 2.00\\PBCC.EXE");
    std::string dll20 = InstallStandIn(folder + "PBDLL20\\PBDLL.EXE");
    std::string dll60 = InstallStandIn(folder + "PBDLL60\\PBDLL.EXE");
    InstallVersion(4, cc10);
    InstallVersion(6, cc200);
    InstallVersion(1, dll20);
    InstallVersion(3, dll60);
    std::string sources = folder + "my sources\\";
    CreateDirectoryA(sources.c_str(), nullptr);
    WriteFileBytes(sources + "console.bas", "CLS\r\n");
    WriteFileBytes(sources + "windows.bas", "MSGBOX \"hi\"\r\n");
    WriteFileBytes(sources + "none.bas", "x = 1\r\n");

    struct Row { const char* source; std::string command; };
    const Row rows[] = {
        {"console.bas", '"' + cc200 + "\" " + sources + "console.bas"},
        {"windows.bas", dll60 + " " + sources + "windows.bas"},
    };
    size_t count = 0;
    for (const Row& row : rows) {
        ASSERT_EQ(0, RunAndWait("\"" + exe + "\" \"" + sources + row.source + "\"")) << row.source;
        std::vector<StandInRecord> records = WaitForStandInRecords(log, ++count);
        ASSERT_EQ(count, records.size()) << row.source;
        EXPECT_EQ(row.command, records.back().command) << row.source;
    }
    // Nothing is decided: nothing is started (the choice is the user's).
    ASSERT_EQ(0, RunAndWait("\"" + exe + "\" \"" + sources + "none.bas\""));
    Sleep(500);
    EXPECT_EQ(count, ReadStandInRecords(log).size());
}

TEST_F(Program, StartsNothingWithoutACompilerOfTheFamily) {
    // Only PB/DLL 2.0, which the detection never picks; No.exe waits in the current
    // folder for a not-found text that would be started as it stands.
    InstallVersion(1, InstallStandIn(folder + "PBDLL20\\PBDLL.EXE"));
    InstallStandIn(folder + "No.exe");
    char previousFolder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previousFolder);
    SetCurrentDirectoryA(folder.c_str());
    WriteFileBytes(folder + "console.bas", "CLS\r\n");
    WriteFileBytes(folder + "windows.bas", "MSGBOX \"hi\"\r\n");
    EXPECT_EQ(0, RunAndWait("\"" + exe + "\" " + folder + "console.bas"));
    EXPECT_EQ(0, RunAndWait("\"" + exe + "\" " + folder + "windows.bas"));
    SetCurrentDirectoryA(previousFolder);
    Sleep(500);
    EXPECT_EQ(0u, ReadStandInRecords(log).size());
}

}  // namespace
