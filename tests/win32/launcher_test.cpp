// StartProcess seen by a real started stand-in: the command line arrives whole, with
// the program's environment and current folder; nothing starts for an empty or
// not-found compiler path; no handle of the started process is kept. And the spelling
// of a source path that the system's code page cannot hold, for each short name a
// volume may give it. The test runs in UTF-8, as the program does.
#include <gtest/gtest.h>

#include "compilers/launch_command.h"
#include "compilers/launcher_win32.h"
#include "compilers/version_table.h"
#include "stand_in_win32.h"
#include "text/path_spelling_win32.h"

namespace {

// The handles the process holds, found by asking after each possible value (Wine's
// GetProcessHandleCount reports 0).
DWORD CountOpenHandles()
{
    DWORD count = 0, flags = 0;
    for (ULONG_PTR value = 4; value < 0x10000; value += 4)
        count += GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) ? 1 : 0;
    return count;
}

class Launcher : public ::testing::Test {
protected:
    std::string folder = ScratchFolder("launch");
    std::string log = PrepareStandInLog(folder);
    char previousFolder[MAX_PATH] = {};
    std::string previousPath;

    void SetUp() override
    {
        GetCurrentDirectoryA(MAX_PATH, previousFolder);
        char path[32768] = {};
        GetEnvironmentVariableA("PATH", path, sizeof path);
        previousPath = path;
    }
    void TearDown() override
    {
        SetCurrentDirectoryA(previousFolder);
        SetEnvironmentVariableA("PATH", previousPath.c_str());
    }
};

TEST_F(Launcher, StartsTheCommandLineWhole) {
    std::string longSource = folder + "long\\";
    longSource += std::string(300 - longSource.size() - 4, 's') + ".bas";
    ASSERT_EQ(300u, longSource.size());
    std::string spaced = folder + "Program Files\\PB CC 2.00\\PBCC.EXE";
    std::string plain = folder + "PBDLL60\\PBDLL.EXE";
    struct Row { const char* what; std::string exe; std::string source; std::string command; };
    const Row rows[] = {
        {"spaces in the executable and the source", spaced, folder + "my sources\\a b.bas",
         '"' + spaced + "\" " + folder + "my sources\\a b.bas"},
        {"a 300-character source path", plain, longSource, plain + " " + longSource},
    };
    // The started process works in the program's current folder.
    std::string workFolder = folder + "work folder";
    CreateDirectoryA(workFolder.c_str(), nullptr);
    ASSERT_TRUE(SetCurrentDirectoryA(workFolder.c_str()));
    size_t count = 0;
    for (const Row& row : rows) {
        InstallStandIn(row.exe);
        std::string command = BuildLaunchCommand(row.exe, row.source);
        DWORD processId = StartProcess(command);
        EXPECT_NE(0u, processId) << row.what;
        std::vector<StandInRecord> records = WaitForStandInRecords(log, ++count);
        EndProcess(processId);
        ASSERT_EQ(count, records.size()) << row.what;
        const StandInRecord& record = records.back();
        EXPECT_EQ(row.command, record.command) << row.what;
        EXPECT_EQ(row.exe, record.program) << row.what;
        EXPECT_EQ(workFolder, record.folder) << row.what;
        EXPECT_EQ("mark-" + std::to_string(GetCurrentProcessId()), record.mark) << row.what;
    }
}

TEST_F(Launcher, StartsNothingWithoutACompiler) {
    // A program named No.exe in the current folder and on the search path: the start of
    // a not-found text, unquoted, would run it.
    InstallStandIn(folder + "No.exe");
    InstallStandIn(folder + "path\\No.exe");
    SetCurrentDirectoryA(folder.c_str());
    SetEnvironmentVariableA("PATH", (folder + "path;" + previousPath).c_str());
    std::string source = folder + "a.bas";

    const std::string exes[] = {
        "", ConsoleNotFoundMessage, WindowsNotFoundMessage,
        "C:\\Missing\\PBCC.EXE", "C:\\Missing Folder\\PB CC.EXE",
    };
    UINT previousMode = SetErrorMode(0);
    for (const std::string& exe : exes) {
        EXPECT_EQ(0u, StartProcess(BuildLaunchCommand(exe, source))) << exe;
        UINT mode = SetErrorMode(0);
        EXPECT_EQ(0u, mode) << "the error mode is restored after " << exe;
    }
    SetErrorMode(previousMode);
    EXPECT_EQ(0u, StartProcess("")) << "an empty command line";

    // The trap is armed: the not-found text started as it stands runs No.exe.
    std::string unquoted = std::string(ConsoleNotFoundMessage) + " " + source;
    DWORD processId = StartProcess(unquoted);
    EXPECT_NE(0u, processId);
    std::vector<StandInRecord> records = WaitForStandInRecords(log, 1);
    EndProcess(processId);
    Sleep(300);  // time for any stray start to show up
    records = ReadStandInRecords(log);
    ASSERT_EQ(1u, records.size());
    EXPECT_EQ(unquoted, records[0].command);
}

TEST_F(Launcher, KeepsNoHandleOfTheStartedProcess) {
    std::string exe = InstallStandIn(folder + "PBCC\\PBCC.EXE");
    std::string command = BuildLaunchCommand(exe, folder + "a.bas");
    EndProcess(StartProcess(command));  // the first start may set up what later ones reuse
    DWORD before = CountOpenHandles();
    DWORD processId = StartProcess(command);
    DWORD after = CountOpenHandles();
    EXPECT_NE(0u, processId);
    EXPECT_LT(0u, before);
    EXPECT_EQ(before, after);
    WaitForStandInRecords(log, 2);
    EndProcess(processId);
}

// The short name comes from the lookup seam: under Wine every file has one in ASCII.
// A volume that makes no short names gives the long name back as it is.
const wchar_t LongNameBack[] = L"(the long name)";
std::wstring ShortNameOfRow;
std::wstring GiveShortNameOfRow(const std::wstring& path)
{
    return ShortNameOfRow == LongNameBack ? path : ShortNameOfRow;
}

TEST(PathSpelling, ShortNamesAsAVolumeGivesThem) {
    const std::string source = "C:\\Projekty\\Gdańsk\\łódka.bas";
    ASSERT_FALSE(CodePageHolds(SystemCodePage(), source)) << "the system's code page holds " << source;
    const std::wstring unspelled = L"C:\\Projekty\\\xD800.bas";  // a lone surrogate: no code page holds it
    struct Row {
        const char* what;
        std::wstring shortName;
        std::string forCompilers;  // empty: nothing is handed to a compiler
        bool spelled;
        std::string spelling;
    };
    const Row rows[] = {
        {"a volume without short names", LongNameBack, "", false, ""},
        {"no short name given (a missing file)", L"", "", false, ""},
        {"a short name in ASCII", L"C:\\PROJEK~1\\GDASK~1\\ODKA~1.BAS", "C:\\PROJEK~1\\GDASK~1\\ODKA~1.BAS", true,
         "C:\\PROJEK~1\\GDASK~1\\ODKA~1.BAS"},
        {"a short name the system's code page cannot hold", L"C:\\PROJEK~1\\GDAŃSK~1\\ŁÓDKA~1.BAS", "", true,
         "C:\\PROJEK~1\\GDAŃSK~1\\ŁÓDKA~1.BAS"},
    };
    for (const Row& row : rows) {
        ShortNameOfRow = row.shortName;
        LookUpShortPath = GiveShortNameOfRow;
        std::string forCompilers = PathForCompilers(source);
        std::string spelling = "untouched";
        bool spelled = SpellPath(unspelled, &spelling);
        LookUpShortPath = SystemShortPath;
        EXPECT_EQ(row.forCompilers, forCompilers) << row.what;
        EXPECT_EQ(row.spelled, spelled) << row.what;
        EXPECT_EQ(row.spelled ? row.spelling : "untouched", spelling) << row.what;
    }
}

}  // namespace
