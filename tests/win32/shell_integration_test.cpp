// The file-type registration against the prefix's real HKEY_CLASSES_ROOT. Each test
// saves the keys it may change, starts from a registry that holds only its own
// entries, compares the whole of those keys afterwards with what it expects, and puts
// the saved keys back.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "compilers/registry_win32.h"
#include "shell/shell_integration_win32.h"
#include "test_support_win32.h"
#include "tools/window_probe_win32.h"

namespace {

// Every key below HKEY_CLASSES_ROOT that a test sets up or that the registration writes.
const char* const TouchedKeys[] = {".bas", ".inc", "Dorvalix", "dvxtest.a", "dvxtest.b"};
const char SavedKeys[] = "Software\\DorvalixTestSaved";  // below HKEY_CURRENT_USER

struct Value {
    DWORD type;
    std::string bytes;
    bool operator==(const Value& other) const { return type == other.type && bytes == other.bytes; }
};
// Key path -> value name -> value; a key without values has an empty map.
using Tree = std::map<std::string, std::map<std::string, Value>>;

void ReadTree(HKEY root, const std::string& path, Tree& tree)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    std::map<std::string, Value>& values = tree[path];
    for (DWORD i = 0;; ++i) {
        char name[1024];
        DWORD nameSize = sizeof name;
        BYTE data[4096];
        DWORD dataSize = sizeof data;
        DWORD type = 0;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS)
            break;
        std::string bytes(reinterpret_cast<char*>(data), dataSize);
        // Wine's RegSetValueExA sometimes stores a terminating NUL that the caller did
        // not count; the data size is not what these tests check.
        if ((type == REG_SZ || type == REG_EXPAND_SZ) && !bytes.empty() && bytes.back() == '\0')
            bytes.pop_back();
        values[name] = Value{type, bytes};
    }
    std::vector<std::string> subkeys;
    for (DWORD i = 0;; ++i) {
        char name[1024];
        DWORD nameSize = sizeof name;
        if (RegEnumKeyExA(key, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        subkeys.push_back(name);
    }
    RegCloseKey(key);
    for (const std::string& subkey : subkeys)
        ReadTree(root, path + "\\" + subkey, tree);
}

Tree TouchedTree()
{
    Tree tree;
    for (const char* key : TouchedKeys)
        ReadTree(HKEY_CLASSES_ROOT, key, tree);
    return tree;
}

// What a stored default value looks like: REG_SZ, the bytes without a terminating NUL.
void ExpectWrite(Tree& tree, const std::string& path, const std::string& text)
{
    for (size_t at = path.find('\\'); at != std::string::npos; at = path.find('\\', at + 1))
        tree[path.substr(0, at)];  // every missing level is created
    tree[path][""] = Value{REG_SZ, text};
}

std::string Describe(const Tree& tree)
{
    std::string text;
    for (const auto& key : tree) {
        text += "  [" + key.first + "]\n";
        for (const auto& value : key.second)
            text += "    \"" + value.first + "\" type " + std::to_string(value.second.type) + " = \"" +
                    value.second.bytes + "\"\n";
    }
    return text;
}

void ExpectTree(const Tree& expected, const Tree& got, const std::string& what)
{
    EXPECT_TRUE(expected == got) << what << "\ngot:\n" << Describe(got) << "expected:\n" << Describe(expected);
}

// One value to set up before the registration, stored as given.
struct Entry {
    std::string key;
    std::string name;
    DWORD type;
    std::string bytes;
};

void WriteEntry(const Entry& entry)
{
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CLASSES_ROOT, entry.key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &key, nullptr))
        << entry.key;
    RegSetValueExA(key, entry.name.c_str(), 0, entry.type, reinterpret_cast<const BYTE*>(entry.bytes.data()),
                   static_cast<DWORD>(entry.bytes.size()));
    RegCloseKey(key);
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

// Saves the touched keys below HKEY_CURRENT_USER, removes them, and puts them back at
// the end, so that every test starts from its own entries alone.
class ClassesRoot : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, SavedKeys);
        for (const char* name : TouchedKeys) {
            HKEY key = nullptr;
            bool exists = RegOpenKeyExA(HKEY_CLASSES_ROOT, name, 0, KEY_READ, &key) == ERROR_SUCCESS;
            saved_.push_back(exists);
            if (!exists)
                continue;
            HKEY copy = nullptr;
            RegCreateKeyExA(HKEY_CURRENT_USER, (std::string(SavedKeys) + "\\" + name).c_str(), 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &copy, nullptr);
            ASSERT_EQ(ERROR_SUCCESS, RegCopyTreeA(key, nullptr, copy)) << name;
            RegCloseKey(copy);
            RegCloseKey(key);
            ASSERT_EQ(ERROR_SUCCESS, RegDeleteTreeA(HKEY_CLASSES_ROOT, name)) << name;
        }
        ASSERT_TRUE(TouchedTree().empty());
    }

    void TearDown() override
    {
        WriteClassesValue = WriteRegistryValue;
        RefusedPrefix = nullptr;
        for (size_t i = 0; i < saved_.size(); ++i) {
            const char* name = TouchedKeys[i];
            RegDeleteTreeA(HKEY_CLASSES_ROOT, name);
            if (!saved_[i])
                continue;
            HKEY copy = nullptr;
            HKEY key = nullptr;
            RegOpenKeyExA(HKEY_CURRENT_USER, (std::string(SavedKeys) + "\\" + name).c_str(), 0, KEY_READ, &copy);
            RegCreateKeyExA(HKEY_CLASSES_ROOT, name, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
            EXPECT_EQ(ERROR_SUCCESS, RegCopyTreeA(copy, nullptr, key)) << name;
            RegCloseKey(key);
            RegCloseKey(copy);
        }
        RegDeleteTreeA(HKEY_CURRENT_USER, SavedKeys);
    }

    // A registry that holds the bystanders and the given entries alone; its tree.
    Tree Prepare(const std::vector<Entry>& entries)
    {
        for (const char* key : TouchedKeys)
            RegDeleteTreeA(HKEY_CLASSES_ROOT, key);
        for (const std::vector<Entry>* list : {&Bystanders, &entries})
            for (const Entry& entry : *list)
                WriteEntry(entry);
        return TouchedTree();
    }

private:
    std::vector<bool> saved_;
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
    if (box)
        AnswerMessageBox(box, IDOK);
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
