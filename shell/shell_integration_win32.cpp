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
#include "text/system_library_win32.h"

namespace {

// SHChangeNotify, from shell32 loaded only at this moment: most starts change nothing,
// and a start that imported shell32 would load it, and the libraries it pulls in,
// every time. It is loaded from the system folder by name, and the libraries it pulls
// in are searched there alone (RestrictDllSearchToSystem), never in the program's
// folder.
void WINAPI NotifyThroughShell32(LONG eventId, UINT flags, LPCVOID item1, LPCVOID item2)
{
    HMODULE shell32 = LoadSystemLibrary("shell32.dll");
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

// Default apps lists a program by the Capabilities key that its RegisteredApplications
// value names (below Software of the same half): its name, what it does, and the file
// types it can open.
const char CapabilitiesKey[] = "Dorvalix\\Capabilities";
const char FileAssociationsKey[] = "Dorvalix\\Capabilities\\FileAssociations";
const char RegisteredApplicationsKey[] = "RegisteredApplications";
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

}  // namespace

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
        StoreClassesValue(extension, DefaultValue, FileTypeName, REG_SZ, writes);
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
