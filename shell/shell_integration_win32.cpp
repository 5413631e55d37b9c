// shell/shell_integration_win32.cpp: the file-type registration. Reads the type that
// holds each extension and its open command, then writes the "Dorvalix" type's verbs,
// lists it under the extension's OpenWithProgids and points the extension at it; the
// previous type's keys and other programs' entries are never touched.
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

}  // namespace

ClassesWriter WriteClassesValue = WriteRegistryValue;
ShellNotifier NotifyShell = NotifyThroughShell32;

const char UserClassesKey[] = "Software\\Classes";

namespace {

// Every value of the registration but the OpenWithProgids entry is a key's default
// (unnamed) value.
const char DefaultValue[] = "";

// Below HKEY_CURRENT_USER: where Windows keeps the user's own choice per extension.
const char FileExtsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\";

std::string ReadClassesValue(const std::string& keyPath)
{
    return ReadRegistryValue(HKEY_CLASSES_ROOT, keyPath, DefaultValue);  // empty on any failure
}

std::string UserClassesPath(const std::string& keyPath)
{
    return std::string(UserClassesKey) + "\\" + keyPath;
}

bool HoldsValue(HKEY root, const std::string& keyPath, const std::string& valueName, const std::string& text,
                DWORD type)
{
    std::string stored;
    DWORD storedType = REG_NONE;
    return ReadTypedRegistryValue(root, keyPath, valueName, stored, storedType) && storedType == type &&
           stored == text;
}

// Makes the value hold text with type, through HKEY_CLASSES_ROOT, or below the user's
// half where HKEY_CLASSES_ROOT refuses; a value that holds it already is not written
// again. Counts each write in writes. True when the value holds it afterwards.
bool StoreClassesValue(const std::string& keyPath, const std::string& valueName, const std::string& text,
                       DWORD type, int& writes)
{
    if (HoldsValue(HKEY_CLASSES_ROOT, keyPath, valueName, text, type))
        return true;
    bool stored = WriteClassesValue(HKEY_CLASSES_ROOT, keyPath, valueName, text, type);
    // Where Windows shows the user's half first, the read above saw it already; where
    // it does not, the refused value may sit there from an earlier start.
    std::string userPath = UserClassesPath(keyPath);
    if (!stored && HoldsValue(HKEY_CURRENT_USER, userPath, valueName, text, type))
        return true;
    if (!stored)
        stored = WriteClassesValue(HKEY_CURRENT_USER, userPath, valueName, text, type);
    writes += stored ? 1 : 0;
    return stored;
}

// The open command of a type and its stored type: an expandable command
// (REG_EXPAND_SZ) stays one, everything else read as text is stored as REG_SZ.
// Empty for a type without one.
std::string ReadOpenCommand(const std::string& type, DWORD& commandType)
{
    std::string command;
    DWORD storedType = REG_SZ;
    ReadTypedRegistryValue(HKEY_CLASSES_ROOT, type + "\\shell\\open\\command", DefaultValue, command, storedType);
    commandType = storedType == REG_EXPAND_SZ ? REG_EXPAND_SZ : REG_SZ;
    return command;
}

}  // namespace

int RegisterExtension(const std::string& extension)
{
    std::string currentType = ReadClassesValue(extension);
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
    return IsOwnFileType(ReadClassesValue(extension)) ||
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
