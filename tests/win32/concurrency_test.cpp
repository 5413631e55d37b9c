// Eight copies of DORVALIX.EXE started at once, as a user who selects eight sources and
// presses Enter: each registers itself at the same time as the others, and each still
// classifies its own source and starts the compiler of its family.
#include <gtest/gtest.h>

#include <algorithm>

#include "classes_root_win32.h"
#include "compiler_keys_win32.h"
#include "dorvalix_version.h"
#include "stand_in_win32.h"
#include "test_support_win32.h"
#include "tests/tools/window_probe_win32.h"

namespace {

constexpr int Copies = 8;
constexpr DWORD WaitMs = 60000;  // eight at once share two cores
const char* const Notice = VersionTitle;
constexpr int GoNow = 203;

class ManyStarts : public CompilerKeys {
protected:
    void SetUp() override
    {
        CompilerKeys::SetUp();
        saver.Save();
    }
    void TearDown() override
    {
        saver.Restore();
        CompilerKeys::TearDown();
    }

    ClassesRootSaver saver;
    std::string exe = ProgramFolder() + DORVALIX_EXE;
    std::string folder = ScratchFolder("many");
    std::string log = PrepareStandInLog(folder);
};

// Starts every command line, presses "&Go now!" in each notice that shows up (one that
// ran out on its own has started its compiler as well), and waits for every exit.
// Returns how many ended with exit code 0; the others are ended here.
int RunAtOnce(const std::vector<std::string>& commandLines)
{
    std::vector<PROCESS_INFORMATION> started;
    for (const std::string& commandLine : commandLines) {
        PROCESS_INFORMATION process;
        if (StartRawCommandLine(commandLine, &process))
            started.push_back(process);
    }
    // A press may be refused when the notice ran out just then; that copy still ends.
    for (const PROCESS_INFORMATION& process : started)
        if (HWND notice = WaitForWindow(process.dwProcessId, Notice, 5000))
            PressButton(notice, GoNow);
    int ended = 0;
    for (const PROCESS_INFORMATION& process : started) {
        DWORD exitCode = 1;
        if (WaitForExit(process.hProcess, WaitMs, &exitCode) && exitCode == 0) {
            ++ended;
        } else {
            TerminateProcess(process.hProcess, 1);
            WaitForSingleObject(process.hProcess, WaitMs);
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    return ended;
}

TEST_F(ManyStarts, EightAtOnceRegisterAsOneAndEachStartsItsCompiler) {
    std::string cc = InstallStandIn(folder + "PBCC200\\PBCC.EXE");
    std::string dll = InstallStandIn(folder + "PBDLL60\\PBDLL.EXE");
    InstallVersion(6, cc);
    InstallVersion(3, dll);
    // Both extensions belong to other programs, which become Open-with verbs.
    const std::vector<Entry> before = {
        {".bas", "", REG_SZ, "dvxtest.a"},
        {"dvxtest.a\\shell\\open\\command", "", REG_SZ, "C:\\EDIT\\BIN\\SRCEDIT.EXE %1"},
        {".inc", "", REG_SZ, "dvxtest.b"},
        {"dvxtest.b\\shell\\open\\command", "", REG_SZ, "viewer.exe %1"},
    };

    std::vector<std::string> commandLines, expected;
    for (int i = 0; i < Copies; ++i) {
        std::string source = folder + "source" + std::to_string(i) + (i % 2 ? ".inc" : ".bas");
        WriteFileBytes(source, i % 2 ? "DIALOG NEW 0, \"x\"\r\n" : "' file " + std::to_string(i) + "\r\nCLS\r\n");
        commandLines.push_back("\"" + exe + "\" \"" + source + "\"");
        expected.push_back((i % 2 ? dll : cc) + " " + source);
    }

    // What one start leaves.
    PrepareClassesRoot(before);
    ASSERT_EQ(1, RunAtOnce({commandLines[0]}));
    Tree once = TouchedTree();
    ASSERT_EQ(1u, WaitForStandInRecords(log, 1).size());
    ASSERT_EQ(expected[0], ReadStandInRecords(log)[0].command);
    ASSERT_EQ("Dorvalix", once.at(".bas").at("").bytes) << Describe(once);

    // Eight at once, from the same registry.
    PrepareClassesRoot(before);
    EXPECT_EQ(Copies, RunAtOnce(commandLines));
    ExpectTree(once, TouchedTree(), "eight starts at once");

    std::vector<StandInRecord> records = WaitForStandInRecords(log, 1 + Copies);
    ASSERT_EQ(size_t(1 + Copies), records.size());
    std::vector<std::string> commands;
    for (size_t i = 1; i < records.size(); ++i)
        commands.push_back(records[i].command);
    std::sort(commands.begin(), commands.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, commands);
    Sleep(500);  // nothing started late
    EXPECT_EQ(size_t(1 + Copies), ReadStandInRecords(log).size());
}

}  // namespace
