// The file-type registration and its Default apps entries against the prefix's real
// registry, in the machine's half and the user's, and what the usage box then tells.
// Each test saves the keys it may change, starts from a registry that holds only its
// own entries, compares the whole of those keys afterwards with what it expects, and
// puts the saved keys back. Refused writes come from a writer put in place of the
// registry layer's; the reads go through HKEY_CLASSES_ROOT as Windows shows it, the
// user's half over the machine's (Wine shows the machine's alone).
#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "app/startup_boxes_win32.h"
#include "classes_root_win32.h"
#include "registry/registry_win32.h"
#include "shell/shell_integration_win32.h"
#include "test_support_win32.h"
#include "tests/tools/window_probe_win32.h"

namespace {

using namespace std::string_literals;

// One value the registration stores, with its type.
struct Write {
    std::string key;
    std::string name;
    DWORD type;
    std::string bytes;
};

void ExpectWrite(Tree& tree, const Write& write)
{
    for (size_t at = write.key.find('\\'); at != std::string::npos; at = write.key.find('\\', at + 1))
        if (write.key.substr(0, at) != "Software")  // not a key of the trees
            tree[write.key.substr(0, at)];  // every missing level is created
    tree[write.key][write.name] = Value{write.type, write.bytes};
}

std::string OwnPath()
{
    char path[4096] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

// Writers that refuse every key path (below the half) beginning with a prefix, in any
// letter case, as the system does for a user who may not write there: one prefix per
// half. Null: none refused.
const char* MachineRefused = nullptr;
const char* UserRefused = nullptr;

bool IsRefused(const char* prefix, const std::string& keyPath)
{
    return prefix && _strnicmp(keyPath.c_str(), prefix, strlen(prefix)) == 0;
}

// The prefixes name a file type's keys by their path below Software\Classes, and the
// Default apps keys by theirs below the root ("Software\Dorvalix\...").
bool RefusingWriter(HKEY root, const std::string& keyPath, const std::string& valueName, const std::string& text,
                    DWORD type, RegistryView view)
{
    const std::string classes = UserHalf.base;  // "Software\Classes\", in both halves
    std::string path = keyPath.compare(0, classes.size(), classes) == 0 ? keyPath.substr(classes.size()) : keyPath;
    if (IsRefused(root == UserHalf.root ? UserRefused : MachineRefused, path))
        return false;
    return WriteRegistryValue(root, keyPath, valueName, text, type, view);
}

// HKEY_CLASSES_ROOT as Windows shows it: a value in the user's half hides the machine's.
bool MergedReader(const std::string& keyPath, const std::string& valueName, std::string& text, DWORD& type)
{
    std::string userPath = UserHalf.base + keyPath;
    if (ProbeRegistryValue(HKEY_CURRENT_USER, userPath, valueName).valueStatus == ERROR_SUCCESS)
        return ReadTypedRegistryValue(HKEY_CURRENT_USER, userPath, valueName, text, type);
    return ReadTypedRegistryValue(HKEY_CLASSES_ROOT, keyPath, valueName, text, type);
}

// How often the shell was told of changed associations, and whether always as it
// should be.
int Notifications = 0;

void WINAPI CountingNotifier(LONG eventId, UINT flags, LPCVOID item1, LPCVOID item2)
{
    ++Notifications;
    EXPECT_EQ(SHCNE_ASSOCCHANGED, eventId);
    EXPECT_EQ(UINT(SHCNF_IDLIST), flags);
    EXPECT_TRUE(item1 == nullptr && item2 == nullptr);
}

const char OpenKey[] = "Dorvalix\\shell\\open\\command";
const char ChooserKey[] = "Dorvalix\\shell\\openas\\command";
const char Chooser[] = "rundll32.exe shell32.dll,OpenAs_RunDLL \"%1\"";
const char CapabilitiesKey[] = "Software\\Dorvalix\\Capabilities";
const char FileAssociationsKey[] = "Software\\Dorvalix\\Capabilities\\FileAssociations";
const char RegisteredKey[] = "Software\\RegisteredApplications";
const char Description[] =
    "Opens each BASIC source file (.bas, .inc) with the compiler it is written for: PB/CC or PB/DLL.";

// Default apps' entries: the Capabilities, then the value that names them.
const std::vector<Write> CapabilityWrites = {
    {CapabilitiesKey, "ApplicationName", REG_SZ, "DORVALIX"},
    {CapabilitiesKey, "ApplicationDescription", REG_SZ, Description},
    {FileAssociationsKey, ".bas", REG_SZ, "Dorvalix"},
    {FileAssociationsKey, ".inc", REG_SZ, "Dorvalix"},
};
const Write RegisteredWrite = {RegisteredKey, "DORVALIX", REG_SZ, CapabilitiesKey};
// What a half's extension named before the registration took it over there.
const char ReplacedKey[] = "Software\\Dorvalix\\Replaced";

// A previous handler's verb: its name and command as stored.
struct Verb {
    std::string name;
    std::string command;
    DWORD type = REG_SZ;
};

struct Halves {
    Tree machine;
    Tree user;
};

Halves Read()
{
    return {TouchedTree(MachineHalf), TouchedTree(UserHalf)};
}

bool Storable(const Write& write)
{
    return !IsRefused(MachineRefused, write.key) || !IsRefused(UserRefused, write.key);
}

// The registration's whole effect: each write where the machine's half takes it, else
// in the user's half unless that refuses too; the OpenWithProgids entries and the
// extensions only when the open command was stored, the RegisteredApplications value
// only when the Capabilities were.
// Where the registration points an extension at Dorvalix in a half, it keeps in the
// same half what the extension named there before: its text up to the first NUL where
// it was a REG_SZ, else the empty text; nothing where it named Dorvalix in any case.
void ExpectReplaced(Tree& tree, const Tree& before, const std::string& extension, const char* refused)
{
    std::string previous;
    auto key = before.find(extension);
    auto value = key == before.end() ? std::map<std::string, Value>::const_iterator() : key->second.find("");
    if (key != before.end() && value != key->second.end() && value->second.type == REG_SZ)
        previous = value->second.bytes.substr(0, value->second.bytes.find('\0'));
    if (_stricmp(previous.c_str(), "Dorvalix") != 0 && !IsRefused(refused, ReplacedKey))
        ExpectWrite(tree, {ReplacedKey, extension, REG_SZ, previous});
}

Halves ExpectRegistration(Halves halves, const std::string& programPath, const std::vector<Verb>& verbs)
{
    const Halves before = halves;
    std::vector<Write> writes = {
        {OpenKey, "", REG_SZ, "\"" + programPath + "\" \"%1\""},
        {ChooserKey, "", REG_SZ, Chooser},
    };
    for (const Verb& verb : verbs)  // in the order written: a later one with the same name wins
        writes.push_back({"Dorvalix\\shell\\Open with " + verb.name + "\\command", "", verb.type, verb.command});
    if (Storable(writes[0])) {
        for (const char* extension : {".bas", ".inc"}) {
            writes.push_back({extension + "\\OpenWithProgids"s, "Dorvalix", REG_NONE, ""});
            writes.push_back({extension, "", REG_SZ, "Dorvalix"});
        }
    }
    writes.insert(writes.end(), CapabilityWrites.begin(), CapabilityWrites.end());
    if (std::all_of(CapabilityWrites.begin(), CapabilityWrites.end(), Storable))
        writes.push_back(RegisteredWrite);
    for (const Write& write : writes) {
        bool extension = write.key[0] == '.' && write.name.empty();
        if (!IsRefused(MachineRefused, write.key)) {
            ExpectWrite(halves.machine, write);
            if (extension)
                ExpectReplaced(halves.machine, before.machine, write.key, MachineRefused);
        } else if (!IsRefused(UserRefused, write.key)) {
            ExpectWrite(halves.user, write);
            if (extension)
                ExpectReplaced(halves.user, before.user, write.key, UserRefused);
        }
    }
    return halves;
}

void ExpectHalves(const Halves& expected, const Halves& got, const std::string& what)
{
    ExpectTree(expected.machine, got.machine, what + " (HKEY_CLASSES_ROOT)");
    ExpectTree(expected.user, got.user, what + " (the user's half)");
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
    {RegisteredKey, "Other Editor", REG_SZ, "Software\\OtherEditor\\Capabilities", HKEY_LOCAL_MACHINE},
    {RegisteredKey, "Other Editor", REG_SZ, "Software\\OtherEditor\\Capabilities", HKEY_CURRENT_USER},
};

// Every test starts from its own entries alone and leaves the saved keys as they were.
class ClassesRoot : public ::testing::Test {
protected:
    void SetUp() override
    {
        saver_.Save();
        shownReader_ = ReadShownValue;
        shellNotifier_ = NotifyShell;
        NotifyShell = CountingNotifier;
        ReadShownValue = MergedReader;
    }

    void TearDown() override
    {
        WriteRegistrationValue = WriteRegistryValue;
        ReadShownValue = shownReader_;
        NotifyShell = shellNotifier_;
        MachineRefused = UserRefused = nullptr;
        saver_.Restore();
    }

    // A registry that holds the bystanders and the given entries alone; its trees.
    Halves Prepare(const std::vector<Entry>& entries)
    {
        std::vector<Entry> all = Bystanders;
        all.insert(all.end(), entries.begin(), entries.end());
        PrepareClassesRoot(all);
        return Read();
    }

    // One start's registration; true when the shell was told of it, once.
    bool RegisterAndCount()
    {
        Notifications = 0;
        RegisterShellIntegration();
        EXPECT_LE(Notifications, 1);
        return Notifications == 1;
    }

private:
    ClassesRootSaver saver_;
    ShellNotifier shellNotifier_ = nullptr;
    ClassesReader shownReader_ = nullptr;
};

struct Case {
    const char* what;
    std::vector<Entry> before;
    std::vector<Verb> verbs;
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
        {"open command as REG_EXPAND_SZ: a verb of that type, not expanded",
         {{".bas", "", REG_SZ, "dvxtest.a"},
          {"dvxtest.a\\shell\\open\\command", "", REG_EXPAND_SZ, "%SystemRoot%\\system32\\NOTEPAD.EXE %1"}},
         {{"NOTEPAD", "%SystemRoot%\\system32\\NOTEPAD.EXE %1", REG_EXPAND_SZ}}},
        {"other programs' OpenWithProgids entries stay; an own entry of another type is set right",
         {{".bas\\OpenWithProgids", "dvxtest.a", REG_NONE, ""}, {".bas\\OpenWithProgids", "SrcEdit.bas", REG_SZ, ""},
          {".inc\\OpenWithProgids", "Dorvalix", REG_SZ, "x"}},
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
        Halves before = Prepare(c.before);

        EXPECT_TRUE(RegisterAndCount()) << c.what;  // every row changes something
        Halves once = Read();
        ExpectHalves(ExpectRegistration(before, OwnPath(), c.verbs), once, c.what);

        // A second start finds everything in place: it writes nothing, tells nothing.
        EXPECT_FALSE(RegisterAndCount()) << c.what << ", second start";
        ExpectHalves(once, Read(), std::string(c.what) + ", second start");
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
        {"command as REG_NONE", {{".bas", "", REG_SZ, "dvxtest.a"}, {command, "", REG_NONE, srcedit}}, {}},
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
        Halves before = Prepare(c.before);
        RegisterShellIntegration();
        ExpectHalves(ExpectRegistration(before, OwnPath(), c.verbs), Read(), c.what);
    }
}

const char UsageText[] =
    "No parameter is used. Please use:\r\rDORVALIX sourcecode.bas\r\r"
    "or doubleclick on any file with the .BAS extension";
const char ChooseDorvalix[] =
    "To open them with DORVALIX: right-click such a file, Open with, Choose another app, DORVALIX, Always; or "
    "Settings, Default apps.";

std::string UsageWith(const std::string& note)
{
    return note.empty() ? UsageText : UsageText + "\r\r"s + note;
}

// The user's own choice in Windows of a type for the extension.
Entry Chosen(const char* extension, const char* key, const std::string& type)
{
    return {UserChoicesKey + std::string(extension) + "\\" + key, "ProgId", REG_SZ, type, HKEY_CURRENT_USER};
}

// What HKEY_CLASSES_ROOT refuses goes to the user's half; where that refuses too, the
// extension keeps a type that opens it, and the usage box says which file types could
// not be registered (before any choice of the user's, which would not help for those).
TEST_F(ClassesRoot, RefusedWritesGoToTheUsersHalf) {
    const std::string srcedit = "C:\\EDIT\\BIN\\SRCEDIT.EXE %1";
    const std::vector<Entry> before = {
        {".bas", "", REG_SZ, "dvxtest.a"}, {"dvxtest.a\\shell\\open\\command", "", REG_SZ, srcedit},
        {".inc", "", REG_SZ, "dvxtest.b"}, {"dvxtest.b\\shell\\open\\command", "", REG_SZ, "viewer.exe %1"},
    };
    const std::string chosenBas = ".BAS files open with SRCEDIT (file type dvxtest.a), as chosen in Windows.\r"s +
                                  ChooseDorvalix;
    struct Row {
        const char* machine;  // refused prefixes
        const char* user;
        const char* basChoice;  // the user's choice for .bas; null: none
        std::string note;
    };
    const Row rows[] = {
        {"", nullptr, nullptr, ""},  // a standard user: everything in the user's half
        {".", nullptr, nullptr, ""},  // only the extensions there: the type in the machine's half
        {"Dorvalix\\", nullptr, "Dorvalix", ""},
        {"Dorvalix\\shell\\openas\\", "Dorvalix\\shell\\openas\\", nullptr, ""},  // only the open command decides
        {"", nullptr, "dvxtest.a", chosenBas},
        {"", "", nullptr, "The .BAS and .INC file types could not be registered for this user."},
        {"", "Dorvalix\\shell\\open\\", nullptr, "The .BAS and .INC file types could not be registered for this user."},
        {".bas", ".bas", "dvxtest.a", "The .BAS file type could not be registered for this user."},
        {".inc", ".inc", "dvxtest.a", "The .INC file type could not be registered for this user.\r" + chosenBas},
        // Default apps: for this user alone, or not at all, and the file types stay.
        {"Software\\", nullptr, nullptr, ""},
        {"Software\\RegisteredApplications", "Software\\RegisteredApplications", nullptr, ""},
        {"Software\\Dorvalix\\Capabilities\\FileAssociations", "Software\\", nullptr, ""},
    };
    WriteRegistrationValue = RefusingWriter;
    for (const Row& row : rows) {
        MachineRefused = row.machine;
        UserRefused = row.user;
        std::vector<Entry> entries = before;
        if (row.basChoice)
            entries.push_back(Chosen(".bas", "UserChoice", row.basChoice));
        Halves tree = Prepare(entries);
        std::string what = "refused: "s + row.machine + " / " + (row.user ? row.user : "(none)");

        bool told = RegisterAndCount();
        Halves once = Read();
        ExpectHalves(ExpectRegistration(tree, OwnPath(), {{"SRCEDIT", srcedit}, {"viewer", "viewer.exe %1"}}), once,
                     what);
        EXPECT_EQ(!(tree.machine == once.machine && tree.user == once.user), told) << what;
        EXPECT_EQ(UsageWith(row.note), UsageBoxText()) << what;

        EXPECT_FALSE(RegisterAndCount()) << what << ", second start";
        ExpectHalves(once, Read(), what + ", second start");
    }
}

// The user's own choice of another program for .bas or .inc is named in the usage box,
// with the way to choose DORVALIX; a choice of DORVALIX, in any letter case, or none
// leaves the box as it is.
TEST_F(ClassesRoot, UsageBoxNamesTheUsersOtherChoice) {
    const Entry srcedit = {"dvxtest.a\\shell\\open\\command", "", REG_SZ, "C:\\EDIT\\BIN\\SRCEDIT.EXE %1"};
    const Entry notepad = {"dvxtest.b\\shell\\open\\command", "", REG_EXPAND_SZ,
                           "%SystemRoot%\\system32\\NOTEPAD.EXE %1"};
    const Entry ownProgram = {"dvxtest.b\\shell\\open\\command", "", REG_SZ, "\"C:\\Tools\\DORVALIX.EXE\" \"%1\""};
    struct Row {
        const char* what;
        std::vector<Entry> entries;
        std::string note;
    };
    const Row rows[] = {
        {"no choice", {srcedit}, ""},
        {"Dorvalix in any letter case",
         {Chosen(".bas", "UserChoice", "DORVALIX"), Chosen(".inc", "UserChoice", "dorvalix")}, ""},
        {"a type with an open command", {srcedit, Chosen(".bas", "UserChoice", "dvxtest.a")},
         ".BAS files open with SRCEDIT (file type dvxtest.a), as chosen in Windows.\r"s + ChooseDorvalix},
        // dvxtest.b has an open verb with a caption and no command.
        {"a type without one", {Chosen(".bas", "UserChoice", "dvxtest.b")},
         ".BAS files open with the file type dvxtest.b, as chosen in Windows.\r"s + ChooseDorvalix},
        {"both, one with an expandable command",
         {srcedit, notepad, Chosen(".bas", "UserChoice", "dvxtest.a"), Chosen(".inc", "UserChoice", "dvxtest.b")},
         ".BAS files open with SRCEDIT (file type dvxtest.a), as chosen in Windows.\r"
         ".INC files open with NOTEPAD (file type dvxtest.b), as chosen in Windows.\r"s + ChooseDorvalix},
        {"UserChoiceLatest before UserChoice",
         {srcedit, Chosen(".inc", "UserChoice", "Dorvalix"), Chosen(".inc", "UserChoiceLatest", "dvxtest.a")},
         ".INC files open with SRCEDIT (file type dvxtest.a), as chosen in Windows.\r"s + ChooseDorvalix},
        {"UserChoiceLatest naming Dorvalix",
         {srcedit, Chosen(".inc", "UserChoice", "dvxtest.a"), Chosen(".inc", "UserChoiceLatest", "Dorvalix")}, ""},
        {"DORVALIX.EXE chosen as a program", {ownProgram, Chosen(".bas", "UserChoice", "dvxtest.b")}, ""},
    };
    for (const Row& row : rows) {
        Prepare(row.entries);
        RegisterShellIntegration();
        EXPECT_EQ(UsageWith(row.note), UsageBoxText()) << row.what;
    }
}

// Where the user's half holds one of the registration's values already, it hides the
// machine's from this user: it is brought up to date beside the machine's half (an
// administrator's start after standard users' ones), and left alone where it holds the
// value already. The user's own type for .bas is taken over there too, and its open
// command, read as the shell shows it, stays one verb away.
TEST_F(ClassesRoot, UsersHalfIsBroughtUpToDateWhereItHidesTheMachines) {
    const std::string srcedit = "C:\\EDIT\\BIN\\SRCEDIT.EXE %1";
    const std::string oldOpen = "\"C:\\Old\\DORVALIX.EXE\" \"%1\"";
    const std::string newOpen = "\"" + OwnPath() + "\" \"%1\"";
    auto user = [](const std::string& key, const char* name, DWORD type, const std::string& bytes) {
        bool apps = key.compare(0, 9, "Software\\") == 0;
        return Entry{apps ? key : UserHalf.base + key, name, type, bytes, HKEY_CURRENT_USER};
    };
    struct Row {
        const char* what;
        std::vector<Entry> before;
        std::vector<Verb> verbs;
        std::vector<Write> userWrites;  // beside the machine's whole registration
    };
    const Row rows[] = {
        {"an older program path",
         {user(OpenKey, "", REG_SZ, oldOpen), user(".bas", "", REG_SZ, "Dorvalix")},
         {},
         {{OpenKey, "", REG_SZ, newOpen}}},
        {"the user's own type for .bas, kept there",
         {user(".bas", "", REG_SZ, "dvxtest.a"), {"dvxtest.a\\shell\\open\\command", "", REG_SZ, srcedit}},
         {{"SRCEDIT", srcedit}},
         {{".bas", "", REG_SZ, "Dorvalix"}, {ReplacedKey, ".bas", REG_SZ, "dvxtest.a"}}},
        {"Default apps for this user: an older description, the rest as it is",
         {user(CapabilitiesKey, "ApplicationDescription", REG_SZ, "BASIC sources"),
          user(RegisteredKey, "DORVALIX", REG_SZ, CapabilitiesKey)},
         {},
         {{CapabilitiesKey, "ApplicationDescription", REG_SZ, Description}}},
    };
    for (const Row& row : rows) {
        Halves before = Prepare(row.before);

        EXPECT_TRUE(RegisterAndCount()) << row.what;
        Halves expected = ExpectRegistration(before, OwnPath(), row.verbs);
        for (const Write& write : row.userWrites)
            ExpectWrite(expected.user, write);
        Halves once = Read();
        ExpectHalves(expected, once, row.what);

        EXPECT_FALSE(RegisterAndCount()) << row.what << ", second start";
        ExpectHalves(once, Read(), std::string(row.what) + ", second start");
    }
}

// /unregister after a registration, or after what an older DORVALIX left: which type
// each extension gets back in each half, and that everything else of DORVALIX goes
// while every other program's entries stay. The expected registry is written whole
// (with the bystanders) and read back, then compared with what /unregister left.
TEST_F(ClassesRoot, UnregisterGivesEachHalfItsTypesBack) {
    const std::string srcedit = "C:\\EDIT\\BIN\\SRCEDIT.EXE %1";
    auto user = [](const std::string& key, const char* name, const std::string& bytes) {
        return Entry{UserHalf.base + key, name, REG_SZ, bytes, HKEY_CURRENT_USER};
    };
    const Entry basA = {".bas", "", REG_SZ, "dvxtest.a"};
    const Entry basB = {".bas", "", REG_SZ, "dvxtest.b"};
    const Entry incB = {".inc", "", REG_SZ, "dvxtest.b"};
    const Entry openA = {"dvxtest.a\\shell\\open\\command", "", REG_SZ, srcedit};
    // What an older DORVALIX left, which kept nothing of what it replaced.
    const std::vector<Entry> older = {
        {".bas", "", REG_SZ, "Dorvalix"},
        {".bas\\OpenWithProgids", "Dorvalix", REG_NONE, ""},
        {OpenKey, "", REG_SZ, "\"C:\\Old\\DORVALIX.EXE\" \"%1\""},
        {"Dorvalix\\shell\\Open with SRCEDIT\\command", "", REG_SZ, srcedit},
        user(".inc", "", "Dorvalix"),
        user(".inc\\OpenWithProgids", "Dorvalix", ""),
        user(".inc\\OpenWithProgids", "dvxtest.a", ""),
        {CapabilitiesKey, "ApplicationName", REG_SZ, "DORVALIX", HKEY_LOCAL_MACHINE},
        {RegisteredKey, "DORVALIX", REG_SZ, CapabilitiesKey, HKEY_LOCAL_MACHINE},
    };
    struct Row {
        const char* what;
        std::vector<Entry> before;  // before the registration
        const char* machineRefused;  // for the registration: which half it writes
        std::vector<Entry> between;  // after the first start, before /unregister
        int starts;                  // registrations: the second after those entries
        std::vector<Entry> after;    // beside the bystanders, after /unregister
    };
    const Row rows[] = {
        {"types of the machine's half", {basA, openA, incB}, nullptr, {}, 1, {basA, openA, incB}},
        {"no types: the keys it made go", {}, nullptr, {}, 1, {}},
        {"a standard user: the user's half, whose keys all go", {basA, openA}, "", {}, 1, {basA, openA}},
        {"the user's own type and the machine's", {basA, openA, user(".inc", "", "dvxtest.a")}, nullptr, {}, 1,
         {basA, openA, user(".inc", "", "dvxtest.a")}},
        {"taken back by another program: left as it is", {basA, openA}, nullptr, {basB}, 1, {basB, openA}},
        {"taken back in the user's half", {basA, openA}, "", {user(".bas", "", "dvxtest.b")}, 1,
         {basA, openA, user(".bas", "", "dvxtest.b")}},
        {"taken back, then over again: the later type comes back", {basA, openA}, nullptr, {basB}, 2,
         {basB, openA}},
        {"the previous type's key is gone: no type", {{".bas", "", REG_SZ, "dvxtest.gone"}}, nullptr, {}, 1, {}},
        {"an older DORVALIX: no type, other programs' entries stay", older, nullptr, {}, 0,
         {user(".inc\\OpenWithProgids", "dvxtest.a", "")}},
    };
    WriteRegistrationValue = RefusingWriter;
    for (const Row& row : rows) {
        std::vector<Entry> after = Bystanders;
        after.insert(after.end(), row.after.begin(), row.after.end());
        PrepareClassesRoot(after);
        Halves expected = Read();

        Prepare(row.before);
        MachineRefused = row.machineRefused;
        if (row.starts > 0)
            RegisterShellIntegration();
        for (const Entry& entry : row.between)
            WriteEntry(entry);
        if (row.starts > 1)
            RegisterShellIntegration();
        MachineRefused = nullptr;

        Notifications = 0;
        UnregisterShellIntegration();
        EXPECT_EQ(1, Notifications) << row.what;
        ExpectHalves(expected, Read(), row.what);

        Notifications = 0;
        UnregisterShellIntegration();  // nothing left to remove: the shell is not told
        EXPECT_EQ(0, Notifications) << row.what << ", again";
        ExpectHalves(expected, Read(), std::string(row.what) + ", again");
    }
}

// DORVALIX.EXE run once with no argument, from a copy in a folder whose name holds
// spaces, registers itself with the copy's path.
TEST_F(ClassesRoot, ProgramRegistersItsOwnPathAtStart) {
    const std::string srcedit = "C:\\EDIT\\BIN\\SRCEDIT.EXE %1";
    Halves before =
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
    Halves after = Read();
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

    ExpectHalves(ExpectRegistration(before, exe, {{"SRCEDIT", srcedit}}), after, "DORVALIX.EXE with no argument");

    DeleteFileA(exe.c_str());
    RemoveDirectoryA(folder.c_str());
    RemoveDirectoryA(folder.substr(0, folder.rfind('\\')).c_str());
}

// By hand, as an installer runs it: DORVALIX.EXE /register registers and ends, with no
// window and exit code 0; -UNREGISTER then leaves both halves as they were before.
TEST_F(ClassesRoot, ProgramRegistersAndUnregistersByHand) {
    const std::string srcedit = "C:\\EDIT\\BIN\\SRCEDIT.EXE %1";
    Halves before = Prepare({{".bas", "", REG_SZ, "dvxtest.a"},
                             {"dvxtest.a\\shell\\open\\command", "", REG_SZ, srcedit},
                             {UserHalf.base + std::string(".inc"), "", REG_SZ, "dvxtest.b", HKEY_CURRENT_USER}});
    const std::string exe = "\"" + ProgramFolder() + DORVALIX_EXE + "\"";

    EXPECT_EQ(0, RunAndWait(exe + " /register", 20000)) << "-2000: it did not end within 20 s";
    Halves registered = Read();
    Halves expected = ExpectRegistration(before, ProgramFolder() + DORVALIX_EXE, {{"SRCEDIT", srcedit}});
    ExpectWrite(expected.user, {".inc", "", REG_SZ, "Dorvalix"});  // the user's own type, taken over there too
    ExpectWrite(expected.user, {ReplacedKey, ".inc", REG_SZ, "dvxtest.b"});
    ExpectHalves(expected, registered, "/register");

    EXPECT_EQ(0, RunAndWait(exe + " -UNREGISTER", 20000)) << "-2000: it did not end within 20 s";
    ExpectHalves(before, Read(), "/register, then -UNREGISTER");
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
