// shell/shell_integration_win32.cpp: the file-type registration. Reads, as the shell
// shows them, the type that holds each extension and its open command; then writes
// the "Dorvalix" type's verbs, lists it under the extension's OpenWithProgids, points
// the extension at it, and lists DORVALIX in Default apps. Each value goes into the
// half of the registry it belongs in on purpose: the machine's, for every user, where
// that may be written, else the user's own. The previous type's keys and other
// programs' entries are never touched.
#include "shell/shell_integration_win32.h"

#include <shlobj.h>

#include "registry/registry_win32.h"
#include "shell/registration_text.h"

namespace {

// SHChangeNotify, from shell32 loaded only at this moment: most starts change nothing,
// and a start that imported shell32 would load it, and the libraries it pulls in,
// every time. shell32 is one of the system's known DLLs, so the name cannot be taken
// from the program's folder.
void WINAPI NotifyThroughShell32(LONG eventId, UINT flags, LPCVOID item1, LPCVOID item2)
{
    HMODULE shell32 = LoadLibraryA("shell32.dll");
    FARPROC found = shell32 ? GetProcAddress(shell32, "SHChangeNotify") : nullptr;
    // Through a plain function pointer type: FARPROC names no signature of its own.
    if (ShellNotifier notify = reinterpret_cast<ShellNotifier>(reinterpret_cast<void (*)()>(found)))
        notify(eventId, flags, item1, item2);
}

bool ReadThroughClassesRoot(const std::string& keyPath, const std::string& valueName, std::string& text,
                            DWORD& type)
{
    return ReadTypedRegistryValue(HKEY_CLASSES_ROOT, keyPath, valueName, text, type);
}

}  // namespace

RegistrationWriter WriteRegistrationValue = WriteRegistryValue;
ClassesReader ReadShownValue = ReadThroughClassesRoot;
ShellNotifier NotifyShell = NotifyThroughShell32;

const char UserClassesKey[] = "Software\\Classes";

namespace {

// Every value of the file types but the OpenWithProgids entry is a key's default
// (unnamed) value.
const char DefaultValue[] = "";

// Below HKEY_CURRENT_USER: where Windows keeps the user's own choice per extension.
const char FileExtsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\";

// Where a value of the registration is kept: a root, the path before the value's key
// path, and the registry view.
struct RegistryHalf {
    HKEY root;
    const char* base;
    RegistryView view;
};

// The machine's half, for every user, and the user's own, which the shell shows over it.
struct RegistryHalves {
    RegistryHalf machine;
    RegistryHalf user;
};

// The file types, which HKEY_CLASSES_ROOT shows merged. Software\Classes is one key
// in both registry views.
const RegistryHalves ClassesHalves = {
    {HKEY_LOCAL_MACHINE, "Software\\Classes\\", 0},
    {HKEY_CURRENT_USER, "Software\\Classes\\", 0},
};
// Default apps' entries. On 64-bit Windows the shell is a 64-bit program: the machine's
// half goes into its view, not below Wow6432Node where this 32-bit program's own
// writes would land.
const RegistryHalves SoftwareHalves = {
    {HKEY_LOCAL_MACHINE, "Software\\", KEY_WOW64_64KEY},
    {HKEY_CURRENT_USER, "Software\\", 0},
};

// A half whole: its file types, and its Software with Default apps' entries and the
// types the registration replaced there.
struct Half {
    const RegistryHalf& classes;
    const RegistryHalf& software;
};
const Half BothHalves[] = {
    {ClassesHalves.machine, SoftwareHalves.machine},
    {ClassesHalves.user, SoftwareHalves.user},
};

// Default apps lists a program by the Capabilities key that its RegisteredApplications
// value names (below Software of the same half): its name, what it does, and the file
// types it can open.
const char CapabilitiesKey[] = "Dorvalix\\Capabilities";
const char FileAssociationsKey[] = "Dorvalix\\Capabilities\\FileAssociations";
const char RegisteredApplicationsKey[] = "RegisteredApplications";
// Below Software of the half where an extension was taken over: one value per
// extension, named as the extension (".bas"), holding the file type that the extension
// named in that half before (REG_SZ), or the empty text where it named none. /unregister
// gives each extension that still names Dorvalix its value back.
const char ReplacedTypesKey[] = "Dorvalix\\Replaced";
// Everything DORVALIX keeps below a half's Software.
const char ProgramKey[] = "Dorvalix";
const char RegisteredName[] = "DORVALIX";
const char CapabilitiesPath[] = "Software\\Dorvalix\\Capabilities";
const char ApplicationDescription[] =
    "Opens each BASIC source file (.bas, .inc) with the compiler it is written for: PB/CC or PB/DLL.";

// A value as the shell shows it; only text counts (REG_SZ, or a number as its decimal),
// as ReadRegistryValue reads it. Empty on any failure.
std::string ShownText(const std::string& keyPath)
{
    std::string text;
    DWORD type = REG_NONE;
    if (!ReadShownValue(keyPath, DefaultValue, text, type) || (type != REG_SZ && type != REG_DWORD))
        return std::string();
    return text;
}

std::string UserClassesPath(const std::string& keyPath)
{
    return std::string(UserClassesKey) + "\\" + keyPath;
}

// The full key path below the half's root.
std::string PathIn(const RegistryHalf& half, const std::string& keyPath)
{
    return half.base + keyPath;
}

bool HoldsValue(const RegistryHalf& half, const std::string& keyPath, const std::string& valueName,
                const std::string& text, DWORD type)
{
    std::string stored;
    DWORD storedType = REG_NONE;
    return ReadTypedRegistryValue(half.root, half.base + keyPath, valueName, stored, storedType, half.view) &&
           storedType == type && stored == text;
}

bool HasValue(const RegistryHalf& half, const std::string& keyPath, const std::string& valueName)
{
    return ProbeRegistryValue(half.root, half.base + keyPath, valueName, half.view).valueStatus == ERROR_SUCCESS;
}

bool WriteCounted(const RegistryHalf& half, const std::string& keyPath, const std::string& valueName,
                  const std::string& text, DWORD type, int& writes)
{
    bool stored = WriteRegistrationValue(half.root, half.base + keyPath, valueName, text, type, half.view);
    writes += stored ? 1 : 0;
    return stored;
}

// Makes the value hold text with type where the shell reads it. The machine's half
// first, so that it reaches every user; the user's half where the machine's refuses,
// and also where the user's half holds the value already, for there it hides the
// machine's (an older program path, say, left by a start that could not write the
// machine's half). A value that holds it already is not written again; each write
// counts in writes. True when the value the shell shows this user holds it afterwards.
bool StoreValue(const RegistryHalves& halves, const std::string& keyPath, const std::string& valueName,
                const std::string& text, DWORD type, int& writes)
{
    bool inMachine = HoldsValue(halves.machine, keyPath, valueName, text, type) ||
                     WriteCounted(halves.machine, keyPath, valueName, text, type, writes);
    if (inMachine && !HasValue(halves.user, keyPath, valueName))
        return true;
    return HoldsValue(halves.user, keyPath, valueName, text, type) ||
           WriteCounted(halves.user, keyPath, valueName, text, type, writes);
}

bool StoreClassesValue(const std::string& keyPath, const std::string& valueName, const std::string& text,
                       DWORD type, int& writes)
{
    return StoreValue(ClassesHalves, keyPath, valueName, text, type, writes);
}

// The open command of a type as the shell shows it, and its stored type: an
// expandable command (REG_EXPAND_SZ) stays one, everything else read as text is stored
// as REG_SZ. Empty for a type without one.
std::string ReadOpenCommand(const std::string& type, DWORD& commandType)
{
    std::string command;
    DWORD storedType = REG_SZ;
    ReadShownValue(type + "\\shell\\open\\command", DefaultValue, command, storedType);
    commandType = storedType == REG_EXPAND_SZ ? REG_EXPAND_SZ : REG_SZ;
    return command;
}

// What the half's extension names: its text where the default value is a REG_SZ.
// False where it names nothing: no key, no value, or a value of another type.
bool ReadExtensionType(const RegistryHalf& classes, const std::string& extension, std::string& type)
{
    std::string text;
    DWORD storedType = REG_NONE;
    if (!ReadTypedRegistryValue(classes.root, PathIn(classes, extension), DefaultValue, text, storedType,
                                classes.view) ||
        storedType != REG_SZ)
        return false;
    type = text;
    return true;
}

// Once the registration has pointed the half's extension at Dorvalix, what it named
// there before is kept in the same half: the type, or the empty text for none. An
// extension that named Dorvalix already, in any letter case, keeps what was kept then.
void RememberReplacedType(const Half& half, const std::string& extension, bool named, const std::string& before,
                          int& writes)
{
    if ((named && IsOwnFileType(before)) || !HoldsValue(half.classes, extension, DefaultValue, FileTypeName, REG_SZ))
        return;
    std::string previous = named ? before : std::string();
    if (!HoldsValue(half.software, ReplacedTypesKey, extension, previous, REG_SZ))
        WriteCounted(half.software, ReplacedTypesKey, extension, previous, REG_SZ, writes);
}

// Points the extension at Dorvalix as StoreValue does, and remembers in each half it
// was written in what that half's extension named before.
void PointExtension(const std::string& extension, int& writes)
{
    std::string before[2];
    bool named[2] = {};
    for (int i = 0; i < 2; ++i)
        named[i] = ReadExtensionType(BothHalves[i].classes, extension, before[i]);
    StoreClassesValue(extension, DefaultValue, FileTypeName, REG_SZ, writes);
    for (int i = 0; i < 2; ++i)
        RememberReplacedType(BothHalves[i], extension, named[i], before[i], writes);
}

// DORVALIX in Default apps: its Capabilities first, then the RegisteredApplications
// value that points there, once they are stored. Returns the number of values written.
int RegisterDefaultApps()
{
    int writes = 0;
    bool stored = StoreValue(SoftwareHalves, CapabilitiesKey, "ApplicationName", RegisteredName, REG_SZ, writes);
    stored = StoreValue(SoftwareHalves, CapabilitiesKey, "ApplicationDescription", ApplicationDescription, REG_SZ,
                        writes) && stored;
    for (const char* extension : SourceExtensions)
        stored = StoreValue(SoftwareHalves, FileAssociationsKey, extension, FileTypeName, REG_SZ, writes) && stored;
    if (stored)
        StoreValue(SoftwareHalves, RegisteredApplicationsKey, RegisteredName, CapabilitiesPath, REG_SZ, writes);
    return writes;
}

// The type the registration replaced in the half's extension; empty where it named
// none or where nothing was kept (an older DORVALIX kept nothing).
std::string RememberedType(const Half& half, const std::string& extension)
{
    std::string type;
    DWORD storedType = REG_NONE;
    bool kept = ReadTypedRegistryValue(half.software.root, PathIn(half.software, ReplacedTypesKey), extension, type,
                                       storedType, half.software.view);
    return kept && storedType == REG_SZ ? type : std::string();
}

// A type the half's extension may name: its key is in that half or in the machine's,
// which every user sees.
bool TypeKeyExists(const Half& half, const std::string& type)
{
    for (const RegistryHalf* classes : {&half.classes, &ClassesHalves.machine})
        if (ProbeRegistryValue(classes->root, PathIn(*classes, type), DefaultValue, classes->view).keyStatus ==
            ERROR_SUCCESS)
            return true;
    return false;
}

// An extension of the half that still names Dorvalix gets back the type it named
// before, where that type is still there; else it names none (its default value goes).
// One that names another type, taken since by the user or a program, stays as it is.
// Then the Dorvalix entry of its OpenWithProgids goes, and each of the two keys that
// holds nothing afterwards. Returns the number of changes.
int GiveExtensionBack(const Half& half, const std::string& extension)
{
    const RegistryHalf& classes = half.classes;
    std::string extensionKey = PathIn(classes, extension);
    std::string progidsKey = PathIn(classes, OpenWithProgidsKey(extension));
    int changes = 0;
    std::string current;
    if (ReadExtensionType(classes, extension, current) && IsOwnFileType(current)) {
        std::string previous = RememberedType(half, extension);
        if (!previous.empty() && TypeKeyExists(half, previous))
            changes += WriteRegistrationValue(classes.root, extensionKey, DefaultValue, previous, REG_SZ,
                                              classes.view);
        else
            changes += DeleteRegistryValue(classes.root, extensionKey, DefaultValue, classes.view);
    }
    if (DeleteRegistryValue(classes.root, progidsKey, FileTypeName, classes.view)) {
        ++changes;
        DeleteEmptyRegistryKey(classes.root, progidsKey, classes.view);
    }
    if (changes > 0)  // an empty key that DORVALIX left as it was is another program's
        DeleteEmptyRegistryKey(classes.root, extensionKey, classes.view);
    return changes;
}

// Everything of the registration in one half: the extensions given back, the Dorvalix
// type with its verbs, DORVALIX's key below Software (Default apps' Capabilities and
// the replaced types) and the RegisteredApplications value, with its key where that
// holds nothing else. Returns the number of changes.
int UnregisterHalf(const Half& half)
{
    int changes = 0;
    for (const char* extension : SourceExtensions)
        changes += GiveExtensionBack(half, extension);
    changes += DeleteRegistryTree(half.classes.root, PathIn(half.classes, FileTypeName), half.classes.view);
    changes += DeleteRegistryTree(half.software.root, PathIn(half.software, ProgramKey), half.software.view);
    std::string registered = PathIn(half.software, RegisteredApplicationsKey);
    if (DeleteRegistryValue(half.software.root, registered, RegisteredName, half.software.view)) {
        ++changes;
        DeleteEmptyRegistryKey(half.software.root, registered, half.software.view);
    }
    return changes;
}

}  // namespace

void UnregisterShellIntegration()
{
    int changes = 0;
    for (const Half& half : BothHalves)
        changes += UnregisterHalf(half);
    if (changes > 0)
        NotifyShell(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

int RegisterExtension(const std::string& extension)
{
    std::string currentType = ShownText(extension);
    std::string previousCommand;
    DWORD commandType = REG_SZ;
    if (currentType != FileTypeName)  // skips our own command; "dorvalix" (the same key) is read, IsOwnHandler drops it
        previousCommand = ReadOpenCommand(currentType, commandType);

    // The type's own keys first: where they are refused, the extension keeps its
    // previous type, which still opens the file.
    int writes = 0;
    bool openStored = StoreClassesValue(OpenCommandKey, DefaultValue, BuildOpenCommand(ProgramPath()), REG_SZ, writes);
    StoreClassesValue(ChooserCommandKey, DefaultValue, BuildChooserCommand(), REG_SZ, writes);

    std::string handlerName = HandlerName(previousCommand);
    if (!previousCommand.empty() && !IsOwnHandler(handlerName))  // byte for byte as read, of its type
        StoreClassesValue(OpenWithCommandKey(handlerName), DefaultValue, previousCommand, commandType, writes);

    if (openStored) {
        // An empty entry: the shell reads only its name.
        StoreClassesValue(OpenWithProgidsKey(extension), FileTypeName, std::string(), REG_NONE, writes);
        PointExtension(extension, writes);
    }
    return writes;
}

void RegisterShellIntegration()
{
    int writes = 0;
    for (const char* extension : SourceExtensions)
        writes += RegisterExtension(extension);
    writes += RegisterDefaultApps();
    if (writes > 0)
        NotifyShell(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

std::string UserChoiceType(const std::string& extension)
{
    std::string choices = FileExtsKey + extension;
    std::string type = ReadRegistryValue(HKEY_CURRENT_USER, choices + "\\UserChoiceLatest", "ProgId");
    return type.empty() ? ReadRegistryValue(HKEY_CURRENT_USER, choices + "\\UserChoice", "ProgId") : type;
}

std::string TypeHandlerName(const std::string& type)
{
    DWORD commandType = REG_SZ;
    return HandlerName(ReadOpenCommand(type, commandType));
}

bool ExtensionIsRegistered(const std::string& extension)
{
    return IsOwnFileType(ShownText(extension)) ||
           IsOwnFileType(ReadRegistryValue(HKEY_CURRENT_USER, UserClassesPath(extension), DefaultValue));
}

std::string ProgramPath(DWORD firstBufferSize)
{
    // A cut path would register a command that starts nothing, so the buffer grows
    // until the whole path fits (the call fills the whole buffer when it is too small).
    std::string buffer(firstBufferSize > 0 ? firstBufferSize : 1, '\0');
    for (;;) {
        DWORD length = GetModuleFileNameA(nullptr, &buffer[0], static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return std::string();
        if (length < buffer.size())
            return buffer.substr(0, length);
        if (buffer.size() >= 0x10000)
            return std::string();  // beyond any path the system can hold
        buffer.resize(buffer.size() * 2);
    }
}
