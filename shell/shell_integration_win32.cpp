// shell/shell_integration_win32.cpp: the file-type registration. Reads the type that
// holds each extension and its open command, then writes the "Dorvalix" type's verbs
// and points the extension at it; the previous type's keys are never touched.
#include "shell/shell_integration_win32.h"

#include "registry/registry_win32.h"
#include "shell/registration_text.h"

ClassesWriter WriteClassesValue = WriteRegistryValue;

namespace {

// Every value of the registration is a key's default (unnamed) value.
const char DefaultValue[] = "";

std::string ReadClassesValue(const std::string& keyPath)
{
    return ReadRegistryValue(HKEY_CLASSES_ROOT, keyPath, DefaultValue);  // empty on any failure
}

bool WriteClassesText(const std::string& keyPath, const std::string& text)
{
    return WriteClassesValue(HKEY_CLASSES_ROOT, keyPath, DefaultValue, text, REG_SZ);
}

}  // namespace

void RegisterExtension(const std::string& extension)
{
    std::string currentType = ReadClassesValue(extension);
    std::string previousCommand;
    if (currentType != FileTypeName)  // skips our own command; "dorvalix" (the same key) is read, IsOwnHandler drops it
        previousCommand = ReadClassesValue(currentType + "\\shell\\open\\command");

    // The type's own keys first: where they are refused, the extension keeps its
    // previous type, which still opens the file.
    bool openStored = WriteClassesText(OpenCommandKey, BuildOpenCommand(ProgramPath()));
    WriteClassesText(ChooserCommandKey, BuildChooserCommand());

    std::string handlerName = HandlerName(previousCommand);
    if (!previousCommand.empty() && !IsOwnHandler(handlerName))
        WriteClassesText(OpenWithCommandKey(handlerName), previousCommand);  // byte for byte as read

    if (openStored)
        WriteClassesText(extension, FileTypeName);
}

void RegisterShellIntegration()
{
    RegisterExtension(".bas");
    RegisterExtension(".inc");
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
