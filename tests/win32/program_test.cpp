// DORVALIX.EXE itself, started with raw command lines as the shell would: the boxes a
// user sees (read back from the real box and answered), exit code 0 on every path, and
// the newest compiler of the decided family started on the source, with stand-ins
// installed under the compilers' real keys. Beside it, dorvalix-classify.exe's account
// of the same keys (--compilers) and of what DORVALIX starts (--dry-run), held against
// what DORVALIX then does.
#include <gtest/gtest.h>

#include "compiler_keys_win32.h"
#include "dorvalix_version.h"
#include "stand_in_win32.h"
#include "test_support_win32.h"
#include "tests/tools/window_probe_win32.h"

namespace {

constexpr DWORD WaitMs = 15000;

const char UsageText[] =
    "No parameter is used. Please use:\r\rDORVALIX sourcecode.bas\r\ror doubleclick on any file with the .BAS extension";
const char OpenFailureText[] = "The file passed as parameter could not be opened!\rExecution terminated.";

const char* const Notice = VersionTitle;
const std::string Screen = std::string(VersionTitle) + " Make your own selection";
constexpr int CloseCommand = -1;  // the system close command instead of a button

// What the user does: in the window with this title, press this button.
struct Press {
    std::string title;
    int button;
};

struct ProgramRun {
    std::string tail;            // what follows the quoted program name
    std::vector<Press> presses;  // in order; the first window's text is read
    std::string firstText;       // a message box's text, when the first window is one
};

// False when the press was refused (ADD_FAILURE says why).
bool Act(HWND window, int button)
{
    if (button == CloseCommand)
        return PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0) != 0;
    std::string refusal;
    if (PressButton(window, button, &refusal))
        return true;
    ADD_FAILURE() << refusal;
    return false;
}

// Starts the run, presses its buttons as they come, and returns the exit code (-1000:
// not started, -2000: a window or the end did not come in time, -3000: a press was
// refused). The process is ended here whatever happens.
long RunPressing(const std::string& exe, const ProgramRun& run, std::string* firstText = nullptr)
{
    PROCESS_INFORMATION process;
    if (!StartRawCommandLine("\"" + exe + "\"" + run.tail, &process))
        return -1000;
    long code = 0;
    for (size_t i = 0; i < run.presses.size() && code == 0; ++i) {
        HWND window = WaitForWindow(process.dwProcessId, run.presses[i].title, WaitMs);
        if (!window) {
            code = -2000;
            break;
        }
        if (i == 0 && firstText)
            *firstText = MessageBoxText(window);
        if (!Act(window, run.presses[i].button))
            code = -3000;
    }
    DWORD exitCode = 0;
    if (code == 0)
        code = WaitForExit(process.hProcess, WaitMs, &exitCode) ? static_cast<long>(exitCode) : -2000;
    if (code == -2000 || code == -3000) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, WaitMs);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

// A text as a JSON string: quotes and backslashes escaped (the paths here hold nothing else).
std::string Json(const std::string& text)
{
    std::string out = "\"";
    for (char c : text)
        out += c == '"' || c == '\\' ? std::string("\\") + c : std::string(1, c);
    return out + '"';
}

class Program : public CompilerKeys {
protected:
    std::string exe = ProgramFolder() + DORVALIX_EXE;
    std::string classify = "\"" + ProgramFolder() + "dorvalix-classify.exe\"";
    std::string folder = ScratchFolder("program");
    std::string log = PrepareStandInLog(folder);
};

TEST_F(Program, EndsWithExitCodeZero) {
    WriteFileBytes(folder + "console.bas", "CLS\r\n");
    WriteFileBytes(folder + "none.bas", "x = 1\r\n");
    const ProgramRun runs[] = {
        {"", {{"Dorvalix", IDOK}}, UsageText},
        {" \"\"\"\"", {{"Dorvalix", IDOK}}, UsageText},  // only quotes: no path either
        {" \"" + folder + "missing.bas\"", {{"Dorvalix warning", IDOK}}, OpenFailureText},
        // A blank after the closing quote keeps that quote in the path.
        {" \"" + folder + "console.bas\" ", {{"Dorvalix warning", IDOK}}, OpenFailureText},
        {" \"" + folder + "console.bas\"", {{Notice, 203}}, ""},
        {" \"" + folder + "none.bas\"", {{Notice, 203}, {Screen, 201}}, ""},
    };
    for (const ProgramRun& run : runs) {
        std::string seenText;
        EXPECT_EQ(0, RunPressing(exe, run, &seenText)) << run.tail;
        if (!run.firstText.empty()) {
            EXPECT_EQ(run.firstText, seenText) << run.tail;
        }
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
        ASSERT_EQ(0, RunPressing(exe, {" \"" + sources + row.source + "\"", {{Notice, 203}}, ""})) << row.source;
        std::vector<StandInRecord> records = WaitForStandInRecords(log, ++count);
        ASSERT_EQ(count, records.size()) << row.source;
        EXPECT_EQ(row.command, records.back().command) << row.source;
    }
    // Nothing is decided: nothing is started (the choice is the user's).
    ASSERT_EQ(0, RunPressing(exe, {" \"" + sources + "none.bas\"", {{Notice, 203}, {Screen, 201}}, ""}));
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
    // The dry run says so beforehand; the notice still counts down, then nothing starts.
    std::string output;
    EXPECT_EQ(0, RunCapturing(classify + " --dry-run --json \"" + folder + "console.bas\"", &output));
    EXPECT_NE(std::string::npos, output.find(",\"outcome\":\"noCompiler\",\"commandLine\":null}")) << output;
    EXPECT_EQ(0, RunPressing(exe, {" " + folder + "console.bas", {{Notice, 203}}, ""}));
    EXPECT_EQ(0, RunPressing(exe, {" " + folder + "windows.bas", {}, ""}));
    SetCurrentDirectoryA(previousFolder);
    Sleep(500);
    EXPECT_EQ(0u, ReadStandInRecords(log).size());
}

// Inputs a user or another program can hand over by mistake, each with its outcome:
// a box, or a verdict and the compiler it starts. Never a crash; exit code 0 always.
TEST_F(Program, MeetsHostileInputsWithTheirDefinedOutcome) {
    using namespace std::string_literals;
    std::string cc = InstallStandIn(folder + "PBCC200\\PBCC.EXE");
    std::string dll = InstallStandIn(folder + "PBDLL60\\PBDLL.EXE");
    InstallVersion(6, cc);
    InstallVersion(3, dll);

    std::string allBytes;
    for (int b = 0; b < 256; ++b)
        allBytes += static_cast<char>(b);
    // Read up to its first 0x1A, like any text: CLS before it counts, MSGBOX after it not.
    WriteFileBytes(folder + "binary.bas", "MZ\x90\0\x03\0CLS"s + allBytes + "MSGBOX\r\n");
    WriteFileBytes(folder + "nulbytes.bas", "MSG\0BOX\r\nDIALOG\0\r\n"s);  // NUL is a byte of its line
    std::string ansiName = folder + "caf\xE9 \xC4\xF6\xFF.bas";
    WriteFileBytes(ansiName, "CLS \xE9\r\n");
    std::string held = folder + "held.bas";
    WriteFileBytes(held, "CLS\r\n");
    std::string deep = folder;
    while (deep.size() < 32000 - 6)
        deep += "sub\\";
    deep = deep.substr(0, 32000 - 6) + "\\a.bas";

    struct Row { const char* what; std::string tail; std::vector<Press> presses; std::string text, started; };
    const Row rows[] = {
        {"a folder", " \"" + folder.substr(0, folder.size() - 1) + "\"", {{"Dorvalix warning", IDOK}},
         OpenFailureText, ""},
        {"a file held open elsewhere without sharing", " " + held, {{"Dorvalix warning", IDOK}}, OpenFailureText, ""},
        {"a path of 32000 characters", " " + deep, {{"Dorvalix warning", IDOK}}, OpenFailureText, ""},
        {"quotes only, with blanks between", " \" \"", {{"Dorvalix warning", IDOK}}, OpenFailureText, ""},
        {"a binary file", " " + folder + "binary.bas", {{Notice, 203}}, "", cc + " " + folder + "binary.bas"},
        {"NUL bytes inside lines", " " + folder + "nulbytes.bas", {{Notice, 203}}, "",
         dll + " " + folder + "nulbytes.bas"},
        {"bytes above 0x7F in the path", " \"" + ansiName + "\"", {{Notice, 203}}, "", cc + " " + ansiName},
    };
    // Another program holds the file open, sharing nothing, for the whole run.
    HANDLE holder = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    size_t count = 0;
    for (const Row& row : rows) {
        std::string seenText;
        EXPECT_EQ(0, RunPressing(exe, {row.tail, row.presses, ""}, &seenText)) << row.what;
        if (!row.text.empty()) {
            EXPECT_EQ(row.text, seenText) << row.what;
        }
        if (!row.started.empty()) {
            std::vector<StandInRecord> records = WaitForStandInRecords(log, ++count);
            ASSERT_EQ(count, records.size()) << row.what;
            EXPECT_EQ(row.started, records.back().command) << row.what;
        }
    }
    CloseHandle(holder);

    // A Filename of 100 KB: shown whole in the notice, and the start that fails is not
    // reported.
    InstallVersion(3, "C:\\" + std::string(100 * 1024, 'p') + "\\PBDLL.EXE");
    WriteFileBytes(folder + "windows.bas", "MSGBOX\r\n");
    EXPECT_EQ(0, RunPressing(exe, {" " + folder + "windows.bas", {{Notice, 203}}, ""})) << "100 KB Filename";
    Sleep(500);
    EXPECT_EQ(count, ReadStandInRecords(log).size());
}

// Every way the countdown can end, for a decided source and for one with no decision,
// and what follows: the compiler started, the selection screen, or nothing.
TEST_F(Program, FollowsTheCountdownAsTheDecisionTableSays) {
    std::string cc200 = InstallStandIn(folder + "PBCC200\\PBCC.EXE");
    std::string cc11 = InstallStandIn(folder + "PBCC11\\PBCC.EXE");
    InstallVersion(6, cc200);
    InstallVersion(5, cc11);
    std::string console = folder + "console.bas", none = folder + "none.bas";
    WriteFileBytes(console, "CLS\r\n");
    WriteFileBytes(none, "x = 1\r\n");
    const std::string newest = cc200 + " " + console;

    struct Row {
        const char* what;
        std::string source;
        std::vector<Press> presses;
        std::string started;  // the command started, empty for none
    };
    const Row rows[] = {
        {"decided, ran out", console, {}, newest},
        {"decided, Go now", console, {{Notice, 203}}, newest},
        {"decided, Wait then Go now", console, {{Notice, 204}, {Notice, 203}}, newest},
        {"decided, notice closed", console, {{Notice, CloseCommand}}, newest},
        {"decided, Own choice of PB/CC 1.1", console, {{Notice, 202}, {Screen, 212}}, cc11 + " " + console},
        {"decided, Own choice then Cancel", console, {{Notice, 202}, {Screen, 201}}, ""},
        {"decided, Cancel", console, {{Notice, 201}}, ""},
        {"none, ran out, PB/CC 2.00 chosen", none, {{Screen, 213}}, cc200 + " " + none},
        {"none, Go now, screen closed", none, {{Notice, 203}, {Screen, CloseCommand}}, ""},
        {"none, Own choice of PB/CC 1.1", none, {{Notice, 202}, {Screen, 212}}, cc11 + " " + none},
        {"none, Cancel", none, {{Notice, 201}}, ""},
    };
    size_t count = 0;
    for (const Row& row : rows) {
        ASSERT_EQ(0, RunPressing(exe, {" " + row.source, row.presses, ""})) << row.what;
        if (!row.started.empty()) {
            std::vector<StandInRecord> records = WaitForStandInRecords(log, ++count);
            ASSERT_EQ(count, records.size()) << row.what;
            EXPECT_EQ(row.started, records.back().command) << row.what;
        }
    }
    Sleep(500);  // nothing started late
    EXPECT_EQ(count, ReadStandInRecords(log).size());
}


// The seven versions in each way a Filename value can stand: what --compilers reports
// for each, and the compiler the notice names for each family.
TEST_F(Program, CompilersToolTellsEachVersionsState) {
    using namespace std::string_literals;
    std::string dll20 = InstallStandIn(folder + "PBDLL20\\PBDLL.EXE");
    std::string cc200 = InstallStandIn(folder + "Program Files\\PB CC 2.00\\PBCC.EXE");
    std::string gone = folder + "gone\\PBCC.EXE";
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, CompilerKeyPaths[0], CompilerKeysView, 0);
    InstallVersion(1, dll20);
    SetFilename(CompilerKeyPaths[2], REG_SZ, "\0"s);
    SetFilename(CompilerKeyPaths[3], REG_EXPAND_SZ, "%SystemDrive%\\PBDLL.EXE\0"s);
    HKEY key = nullptr;  // PB/CC 1.0: the key, without a Filename value
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, CompilerKeyPaths[4], 0, nullptr, 0, KEY_ALL_ACCESS | CompilerKeysView, nullptr,
                    &key, nullptr);
    RegCloseKey(key);
    InstallVersion(5, gone);
    InstallVersion(6, cc200);

    auto installed = [](const std::string& path, const char* rest) {
        return R"("state":"installed","type":"REG_SZ","size":)" + std::to_string(path.size() + 1) +
               ",\"filename\":" + Json(path) + rest;
    };
    const std::string states[7] = {
        R"("state":"keyMissing","type":null,"size":null,"filename":"","fileExists":false,"detected":false,"newest":false)",
        installed(dll20, R"(,"fileExists":true,"detected":false,"newest":false)"),
        R"("state":"empty","type":"REG_SZ","size":1,"filename":"","fileExists":false,"detected":true,"newest":false)",
        R"("state":"wrongType","type":"REG_EXPAND_SZ","size":24,"filename":"","fileExists":false,"detected":true,)"
        R"("newest":false)",
        R"("state":"valueMissing","type":null,"size":null,"filename":"","fileExists":false,"detected":true,)"
        R"("newest":false)",
        installed(gone, R"(,"fileExists":false,"detected":true,"newest":false)"),
        installed(cc200, R"(,"fileExists":true,"detected":true,"newest":true)"),
    };
    const char* const versions[7] = {"PB/DLL 1.0", "PB/DLL 2.0", "PB/DLL 5.00", "PB/DLL 6.00",
                                     "PB/CC 1.0",  "PB/CC 1.1",  "PB/CC 2.00"};
    std::string output;
    ASSERT_EQ(0, RunCapturing(classify + " --compilers --json", &output));
    for (int row = 0; row < 7; ++row) {
        size_t end = output.find("\r\n");
        EXPECT_EQ("{\"version\":" + Json(versions[row]) + ",\"family\":\"" + (row < 4 ? "windows" : "console") +
                      "\",\"key\":" + Json("HKEY_LOCAL_MACHINE\\"s + CompilerKeyPaths[row]) + "," + states[row] + "}",
                  output.substr(0, end)) << versions[row];
        output.erase(0, end == std::string::npos ? end : end + 2);
    }
    EXPECT_EQ("", output);  // one line for each version, and no more

    ASSERT_EQ(0, RunCapturing(classify + " --compilers", &output));
    EXPECT_NE(std::string::npos,
              output.find("the notice names for a console source: " + cc200 + " (PB/CC 2.00)\r\n"));
    EXPECT_NE(std::string::npos, output.find("the notice names for a windows source: No recognized PB/DLL versions "
                                             "found in Registry... (none installed: nothing is started)\r\n"));
}

// --dry-run's command line is the one DORVALIX then starts, byte for byte, and a dry run
// starts nothing itself. With no decision it names the selection screen, which opens.
TEST_F(Program, DryRunNamesTheCommandLineDorvalixStarts) {
    std::string cc200 = InstallStandIn(folder + "Program Files\\PB CC 2.00\\PBCC.EXE");
    InstallVersion(6, cc200);
    InstallVersion(3, InstallStandIn(folder + "PBDLL60\\PBDLL.EXE"));
    std::string spaced = folder + "my sources\\";
    CreateDirectoryA(spaced.c_str(), nullptr);
    WriteFileBytes(folder + "console.bas", "CLS\r\n");
    WriteFileBytes(folder + "windows.bas", "MSGBOX \"hi\"\r\n");
    WriteFileBytes(spaced + "two words.bas", "'use PB/CC\r\n");
    WriteFileBytes(folder + "none.bas", "x = 1\r\n");

    struct Row { std::string source, tail; std::vector<Press> presses; const char* outcome; };
    const Row rows[] = {
        {folder + "console.bas", " " + folder + "console.bas", {{Notice, 203}}, "start"},
        {folder + "windows.bas", " " + folder + "windows.bas", {{Notice, 203}}, "start"},
        {spaced + "two words.bas", " \"" + spaced + "two words.bas\"", {{Notice, 203}}, "start"},
        {folder + "none.bas", " " + folder + "none.bas", {{Notice, 203}, {Screen, 201}}, "selectionScreen"},
    };
    size_t count = 0;
    for (const Row& row : rows) {
        std::string output;
        ASSERT_EQ(0, RunCapturing(classify + " --dry-run --json \"" + row.source + "\"", &output)) << row.source;
        EXPECT_NE(std::string::npos, output.find(",\"outcome\":\"" + std::string(row.outcome) + "\",")) << output;
        Sleep(200);
        ASSERT_EQ(count, ReadStandInRecords(log).size()) << "the dry run started something: " << row.source;

        ASSERT_EQ(0, RunPressing(exe, {row.tail, row.presses, ""})) << row.source;  // the screen came
        std::string commandLine = "null";
        if (std::string(row.outcome) == "start") {
            std::vector<StandInRecord> records = WaitForStandInRecords(log, ++count);
            ASSERT_EQ(count, records.size()) << row.source;
            commandLine = Json(records.back().command);
        }
        EXPECT_NE(std::string::npos, output.find(",\"commandLine\":" + commandLine + "}\r\n")) << output;
    }
    Sleep(500);
    EXPECT_EQ(count, ReadStandInRecords(log).size());
}

}  // namespace
