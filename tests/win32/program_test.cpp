// DORVALIX.EXE itself, started with raw command lines: it ends with exit code 0 on
// every path, and starts the newest compiler of the decided family on the source,
// with stand-ins installed under the compilers' real keys.
#include <gtest/gtest.h>

#include "compiler_keys_win32.h"
#include "stand_in_win32.h"
#include "test_support_win32.h"

namespace {

class Program : public CompilerKeys {
protected:
    std::string exe = ProgramFolder() + DORVALIX_EXE;
    std::string folder = ScratchFolder("program");
    std::string log = PrepareStandInLog(folder);
};

TEST_F(Program, EndsWithExitCodeZero) {
    WriteFileBytes(folder + "console.bas", "CLS\r\n");
    WriteFileBytes(folder + "none.bas", "x = 1\r\n");
    const std::string tails[] = {
        "",
        " \"\"\"\"",
        " \"" + folder + "missing.bas\"",
        " \"" + folder + "console.bas\"",
        " \"" + folder + "none.bas\"",
    };
    for (const std::string& tail : tails)
        EXPECT_EQ(0, RunAndWait("\"" + exe + "\"" + tail)) << tail;
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
