// The file-type registration against the prefix's real HKEY_CLASSES_ROOT. Each test
// saves the keys it may change, starts from a registry that holds only its own
// entries, compares the whole of those keys afterwards with what it expects, and puts
// the saved keys back.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "classes_root_win32.h"
#include "registry/registry_win32.h"
#include "shell/shell_integration_win32.h"
#include "test_support_win32.h"
#include "tools/window_probe_win32.h"

namespace {

using namespace std::string_literals;

// What a stored default value looks like: REG_SZ, the bytes without a terminating NUL.
void ExpectWrite(Tree& tree, const std::string& path, const std::string& text)
{
    for (size_t at = path.find('\\'); at != std::string::npos; at = path.find('\\', at + 1))
        tree[path.substr(0, at)];  // every missing level is created
    tree[path][""] = Value{REG_SZ, text};
}

std::string OwnPath()
{
    char path[4096] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

// A writer that refuses every key path beginning with RefusedPrefix (in any letter
// case), as the system does for a user who may not write there. Null: none refused.
const char* RefusedPrefix = nullptr;

bool IsRefused(const std::string& keyPath)
{
    return RefusedPrefix && _strnicmp(keyPath.c_str(), RefusedPrefix, strlen(RefusedPrefix)) == 0;
}

bool RefusingWriter(HKEY root, const std::string& keyPath, const std::string& valueName, const std::string& text,
                    DWORD type)
{
    if (IsRefused(keyPath))
        return false;
    return WriteRegistryValue(root, keyPath, valueName, text, type);
}

const char OpenKey[] = "Dorvalix\\shell\\open\\command";
const char ChooserKey[] = "Dorvalix\\shell\\openas\\command";
const char Chooser[] = "rundll32.exe shell32.dll,OpenAs_RunDLL \"%1\"";

// The registration's whole effect: every write that is not refused, and the
// extensions only when the open command was stored.
Tree ExpectRegistration(Tree tree, const std::string& programPath,
                        const std::vector<std::pair<std::string, std::string>>& verbs)
{
    std::vector<std::pair<std::string, std::string>> writes = {
        {OpenKey, "\"" + programPath + "\" \"%1\""},
        {ChooserKey, Chooser},
    };
    for (const auto& verb : verbs)  // in the order written: a later one with the same name wins
        writes.push_back({"Dorvalix\\shell\\Open with " + verb.first + "\\command", verb.second});
    if (!IsRefused(OpenKey)) {
        writes.push_back({".bas", "Dorvalix"});
        writes.push_back({".inc", "Dorvalix"});
    }
    for (const auto& write : writes)
        if (!IsRefused(write.first))
            ExpectWrite(tree, write.first, write.second);
    return tree;
}

// Entries that no registration may remove or change: other values and keys beside
// the ones it writes.
const std::vector<Entry> Bystanders = {
    {".bas", "Content Type", REG_SZ, "text/plain"},
    {".bas\\ShellNew", "NullFile", REG_SZ, ""},
    {".inc\\PersistentHandler", "", REG_SZ, "{5e941d80-bf96-11cd-b579-08002b30bfeb}"},
    {"dvxtest.a", "", REG_SZ, "Source file"},
    {"dvxtest.a\\DefaultIcon", "", REG_SZ, "C:\\Ed\\icons.dll,3"},
    {"dvxtest.a\\shell\\print\\command", "", REG_SZ, "C:\\Ed\\print.exe \"%1\""},
    {"dvxtest.b\\shell\\open", "", REG_SZ, "&Open"},
};

// Every test starts from its own entries alone and leaves the saved keys as they were.
class ClassesRoot : public ::testing::Test {
protected:
    void SetUp() override { saver_.Save(); }

    void TearDown() override
    {
        WriteClassesValue = WriteRegistryValue;
        RefusedPrefix = nullptr;
        saver_.Restore();
    }

    // A registry that holds the bystanders and the given entries alone; its tree.
    Tree Prepare(const std::vector<Entry>& entries)
    {
        std::vector<Entry> all = Bystanders;
        all.insert(all.end(), entries.begin(), entries.end());
        PrepareClassesRoot(all);
        return TouchedTree();
    }

private:
    ClassesRootSaver saver_;
};

struct Case {
    const char* what;
    std::vector<Entry> before;
    std::vector<std::pair<std::string, std::string>> verbs;  // handler name, command
};

TEST_F(ClassesRoot, TakesOverBothExtensionsAndKeepsThePreviousHandlers) {
    const std::string srcedit = "C:\\EDIT\\BIN\\SRCEDIT.EXE %1";
    const Case cases[] = {
        {"no file type", {}, {}},
        {"already Dorvalix: no previous command is read",
         {{".bas", "", REG_SZ, "Dorvalix"}, {".inc", "", REG_SZ, "Dorvalix"},
          {OpenKey, "", REG_SZ, srcedit},
          {"Dorvalix\\shell\\Open with OLDED\\command", "", REG_SZ, "C:\\Old\\olded.exe %1"}},
         {}},
        {"type dorvalix in another letter case, a DORVALIX command",
         {{".bas", "", REG_SZ, "dorvalix"}, {OpenKey, "", REG_SZ, "\"C:\\Old\\DORVALIX.EXE\" \"%1\""}},
         {}},
        {"type dorvalix in another letter case counts as foreign",
         {{".bas", "", REG_SZ, "dorvalix"}, {OpenKey, "", REG_SZ, srcedit}},
         {{"SRCEDIT", srcedit}}},
        {"plain path", {{".bas", "", REG_SZ, "dvxtest.a"}, {"dvxtest.a\\shell\\open\\command", "", REG_SZ, srcedit}},
         {{"SRCEDIT", srcedit}}},
        {"quoted path and argument",
         {{".bas", "", REG_SZ, "dvxtest.a"},
          {"dvxtest.a\\shell\\open\\command", "", REG_SZ, "\"C:\\Program Files\\Ed\\ed.exe\" \"%1\""}},
         {{"ed", "\"C:\\Program Files\\Ed\\ed.exe\" \"%1\""}}},
        {"switch after the program",
         {{".bas", "", REG_SZ, "dvxtest.a"},
          {"dvxtest.a\\shell\\open\\command", "", REG_SZ, "C:\\Tools\\ed.exe /n \"%1\""}},
         {{"ed.exe /n", "C:\\Tools\\ed.exe /n \"%1\""}}},
        {"no folder",
         {{".inc", "", REG_SZ, "dvxtest.a"}, {"dvxtest.a\\shell\\open\\command", "", REG_SZ, "viewer.exe %1"}},
         {{"viewer", "viewer.exe %1"}}},
        {"ends with a backslash",
         {{".bas", "", REG_SZ, "dvxtest.a"},
          {"dvxtest.a\\shell\\open\\command", "", REG_SZ, "C:\\Ed\\ed.exe %1 /d C:\\Temp\\"}},
         {{"", "C:\\Ed\\ed.exe %1 /d C:\\Temp\\"}}},
        {"DORVALIX elsewhere",
         {{".bas", "", REG_SZ, "dvxtest.a"},
          {"dvxtest.a\\shell\\open\\command", "", REG_SZ, "C:\\Old\\dorvalix.bat %1"}},
         {}},
        {"open command of another type than REG_SZ",
         {{".bas", "", REG_SZ, "dvxtest.a"},
          {"dvxtest.a\\shell\\open\\command", "", REG_EXPAND_SZ, "%SystemRoot%\\notepad.exe %1"}},
         {}},
        {"previous types without an open command",
         {{".bas", "", REG_SZ, "dvxtest.a"}, {".inc", "", REG_SZ, "dvxtest.b"},
          {"dvxtest.b\\shell\\open\\command", "", REG_SZ, ""}},
         {}},
        {"two different handlers",
         {{".bas", "", REG_SZ, "dvxtest.a"}, {"dvxtest.a\\shell\\open\\command", "", REG_SZ, srcedit},
          {".inc", "", REG_SZ, "dvxtest.b"}, {"dvxtest.b\\shell\\open\\command", "", REG_SZ, "viewer.exe %1"}},
         {{"SRCEDIT", srcedit}, {"viewer", "viewer.exe %1"}}},
        {"the same handler name: the .inc command stays",
         {{".bas", "", REG_SZ, "dvxtest.a"}, {"dvxtest.a\\shell\\open\\command", "", REG_SZ, "C:\\A\\ed.exe %1"},
          {".inc", "", REG_SZ, "dvxtest.b"},
          {"dvxtest.b\\shell\\open\\command", "", REG_SZ, "\"C:\\B\\ed.exe\" \"%1\""}},
         {{"ed", "C:\\A\\ed.exe %1"}, {"ed", "\"C:\\B\\ed.exe\" \"%1\""}}},
        {"the same type",
         {{".bas", "", REG_SZ, "dvxtest.a"}, {".inc", "", REG_SZ, "dvxtest.a"},
          {"dvxtest.a\\shell\\open\\command", "", REG_SZ, srcedit}},
         {{"SRCEDIT", srcedit}}},
    };
    for (const Case& c : cases) {
        Tree before = Prepare(c.before);

        RegisterShellIntegration();
        Tree once = TouchedTree();
        ExpectTree(ExpectRegistration(before, OwnPath(), c.verbs), once, c.what);

        RegisterShellIntegration();  // a second start adds and changes nothing
        ExpectTree(once, TouchedTree(), std::string(c.what) + ", second start");
    }
}

// The two values the registration reads, the extension's type and the previous open
// command, stored with every value type and at sizes no key name can hold: only text
// is taken (a number as its decimal text), and what is taken is kept byte for byte.
TEST_F(ClassesRoot, TakesOnlyTextFromTheValuesItReads) {
    const std::string srcedit = "C:\\EDIT\\BIN\\SRCEDIT.EXE %1";
    const std::string command = "dvxtest.a\\shell\\open\\command";
    const std::string hugeType(100 * 1024, 't');
    const std::string hugeFolder = "C:\\" + std::string(100 * 1024, 'd') + "\\ed.exe %1";
    const std::string hugeName = "C:\\" + std::string(100 * 1024, 'n') + ".exe %1";
    const Case cases[] = {
        {"type as REG_EXPAND_SZ", {{".bas", "", REG_EXPAND_SZ, "dvxtest.a\0"s}, {command, "", REG_SZ, srcedit}}, {}},
        {"type as REG_MULTI_SZ", {{".bas", "", REG_MULTI_SZ, "dvxtest.a\0\0"s}, {command, "", REG_SZ, srcedit}}, {}},
        {"type as REG_BINARY", {{".bas", "", REG_BINARY, "dvxtest.a"}, {command, "", REG_SZ, srcedit}}, {}},
        {"type as REG_DWORD: the text \" 7\" names no type here",
         {{".bas", "", REG_DWORD, "\x07\0\0\0"s}, {command, "", REG_SZ, srcedit}}, {}},
        {"type as a REG_DWORD of 2 bytes", {{".bas", "", REG_DWORD, "\x07\0"s}, {command, "", REG_SZ, srcedit}}, {}},
        {"type without its NUL", {{".bas", "", REG_SZ, "dvxtest.a"}, {command, "", REG_SZ, srcedit}},
         {{"SRCEDIT", srcedit}}},
        {"type with text after a NUL",
         {{".bas", "", REG_SZ, "dvxtest.a\0dvxtest.b\0"s}, {command, "", REG_SZ, srcedit}},
         {{"SRCEDIT", srcedit}}},
        {"type of 100 KB: no key of that name", {{".bas", "", REG_SZ, hugeType}}, {}},
        {"command as REG_MULTI_SZ", {{".bas", "", REG_SZ, "dvxtest.a"}, {command, "", REG_MULTI_SZ, srcedit + "\0\0"s}},
         {}},
        {"command as REG_BINARY", {{".bas", "", REG_SZ, "dvxtest.a"}, {command, "", REG_BINARY, srcedit}}, {}},
        {"command as REG_DWORD: its text becomes the verb",
         {{".bas", "", REG_SZ, "dvxtest.a"}, {command, "", REG_DWORD, "\x07\0\0\0"s}}, {{"7", " 7"}}},
        {"command as a REG_DWORD of 8 bytes",
         {{".bas", "", REG_SZ, "dvxtest.a"}, {command, "", REG_DWORD, "\x07\0\0\0\0\0\0\0"s}}, {}},
        {"command without its NUL", {{".bas", "", REG_SZ, "dvxtest.a"}, {command, "", REG_SZ, "viewer.exe %1"}},
         {{"viewer", "viewer.exe %1"}}},
        {"command of 100 KB in a long folder: kept whole",
         {{".bas", "", REG_SZ, "dvxtest.a"}, {command, "", REG_SZ, hugeFolder}}, {{"ed", hugeFolder}}},
        // A name longer than a key name may be: the verb's key cannot be made, the rest is written.
        {"command of 100 KB naming a long program: no verb",
         {{".bas", "", REG_SZ, "dvxtest.a"}, {command, "", REG_SZ, hugeName}}, {}},
    };
    for (const Case& c : cases) {
        Tree before = Prepare(c.before);
        RegisterShellIntegration();
        ExpectTree(ExpectRegistration(before, OwnPath(), c.verbs), TouchedTree(), c.what);
    }
}

TEST_F(ClassesRoot, RefusedWritesLeaveTheExtensionsOpening) {
    const std::string srcedit = "C:\\EDIT\\BIN\\SRCEDIT.EXE %1";
    const std::vector<Entry> before = {
        {".bas", "", REG_SZ, "dvxtest.a"}, {"dvxtest.a\\shell\\open\\command", "", REG_SZ, srcedit},
        {".inc", "", REG_SZ, "dvxtest.b"}, {"dvxtest.b\\shell\\open\\command", "", REG_SZ, "viewer.exe %1"},
    };
    struct Row { const char* refused; const char* basType; };
    const Row rows[] = {
        {"", "dvxtest.a"},                           // a user who may not write HKEY_CLASSES_ROOT
        {"Dorvalix\\", "dvxtest.a"},                 // the file type lands where the user may not write
        {"Dorvalix\\shell\\open\\", "dvxtest.a"},    // the other verbs are still written
        {"Dorvalix\\shell\\openas\\", "Dorvalix"},   // only the open command decides
        {".inc", "Dorvalix"},
    };
    WriteClassesValue = RefusingWriter;
    for (const Row& row : rows) {
        RefusedPrefix = row.refused;
        Tree tree = Prepare(before);

        RegisterShellIntegration();
        std::string what = std::string("refused: ") + row.refused;
        EXPECT_EQ(row.basType, ReadRegistryValue(HKEY_CLASSES_ROOT, ".bas", "")) << what;
        ExpectTree(ExpectRegistration(tree, OwnPath(), {{"SRCEDIT", srcedit}, {"viewer", "viewer.exe %1"}}),
                   TouchedTree(), what);
    }
    RefusedPrefix = nullptr;
}

// DORVALIX.EXE run once with no argument, from a copy in a folder whose name holds
// spaces, registers itself with the copy's path.
TEST_F(ClassesRoot, ProgramRegistersItsOwnPathAtStart) {
    const std::string srcedit = "C:\\EDIT\\BIN\\SRCEDIT.EXE %1";
    Tree before =
        Prepare({{".bas", "", REG_SZ, "dvxtest.a"}, {"dvxtest.a\\shell\\open\\command", "", REG_SZ, srcedit}});

    std::string folder = ScratchFolder("shell") + "My Tools";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
    std::string exe = folder + "\\" + DORVALIX_EXE;
    ASSERT_TRUE(CopyFileA((ProgramFolder() + DORVALIX_EXE).c_str(), exe.c_str(), FALSE));

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string commandLine = "\"" + exe + "\"";
    ASSERT_TRUE(CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &process));
    // With no argument the program registers itself and then shows its usage box:
    // answered as a user would, so that it ends on its own and nothing is cut off in
    // the middle of creating a window.
    HWND box = WaitForWindow(process.dwProcessId, "Dorvalix", 20000);
    Tree after = TouchedTree();
    std::string refusal;
    EXPECT_TRUE(box && AnswerMessageBox(box, IDOK, &refusal)) << refusal;
    DWORD exitCode = 1;
    bool ended = WaitForExit(process.hProcess, 20000, &exitCode);
    if (!ended) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 5000);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_TRUE(box) << "no usage box within 20 s";
    EXPECT_TRUE(ended && exitCode == 0) << "exit code " << exitCode;

    ExpectTree(ExpectRegistration(before, exe, {{"SRCEDIT", srcedit}}), after, "DORVALIX.EXE with no argument");

    DeleteFileA(exe.c_str());
    RemoveDirectoryA(folder.c_str());
    RemoveDirectoryA(folder.substr(0, folder.rfind('\\')).c_str());
}

// The path comes back whole however small the first buffer: a cut path would register
// a command that starts nothing.
TEST(ProgramPath, GrowsUntilThePathFits) {
    std::string whole = OwnPath();
    const DWORD size = static_cast<DWORD>(whole.size());
    for (DWORD first : {DWORD(1), DWORD(8), size, size + 1, DWORD(MAX_PATH)})
        EXPECT_EQ(whole, ProgramPath(first)) << first;
}

}  // namespace
