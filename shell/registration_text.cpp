// shell/registration_text.cpp: the texts of the file-type registration, built piece
// by piece from fixed parts.
#include "shell/registration_text.h"

#include "text/ascii_text.h"

const char FileTypeName[] = "Dorvalix";
const char OpenCommandKey[] = "Dorvalix\\shell\\open\\command";
const char ChooserCommandKey[] = "Dorvalix\\shell\\openas\\command";
const char* const SourceExtensions[2] = {".bas", ".inc"};

namespace {

constexpr char Quote = '"';
constexpr char Space = ' ';

// Every occurrence, left to right, non-overlapping, exact bytes.
std::string RemoveEvery(const std::string& text, const std::string& part)
{
    std::string result;
    size_t from = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, from)) {
        result.append(text, from, at - from);
        from = at + part.size();
    }
    return result.append(text, from, std::string::npos);
}

// Only the space byte is trimmed: a tab is part of the name.
std::string TrimSpaces(const std::string& text)
{
    size_t end = text.find_last_not_of(Space);
    if (end == std::string::npos)
        return std::string();  // spaces only
    size_t begin = text.find_first_not_of(Space);
    return text.substr(begin, end + 1 - begin);
}

// Drops a final program extension (given in upper case) in any letter case. A name
// of fewer than four characters is never cut.
std::string CutExtension(const std::string& name, const char* extension)
{
    if (name.size() >= 4 && UpperAscii(name.substr(name.size() - 4)) == extension)
        return name.substr(0, name.size() - 4);
    return name;
}

}  // namespace

std::string FileNamePart(const std::string& text)
{
    size_t backslash = text.find_last_of('\\');
    return backslash == std::string::npos ? text : text.substr(backslash + 1);
}

std::string HandlerName(const std::string& previousCommand)
{
    std::string name = FileNamePart(previousCommand);
    name = RemoveEvery(name, "\"");
    name = RemoveEvery(name, "%1");
    name = RemoveEvery(RemoveEvery(name, "%2"), "%2");
    name = TrimSpaces(name);
    for (const char* extension : {".EXE", ".COM", ".BAT"})
        name = CutExtension(name, extension);
    return name;
}

bool IsOwnHandler(const std::string& handlerName)
{
    return UpperAscii(handlerName) == "DORVALIX";
}

bool IsOwnFileType(const std::string& typeName)
{
    return UpperAscii(typeName) == UpperAscii(FileTypeName);
}

std::string OpenWithProgidsKey(const std::string& extension)
{
    return extension + "\\OpenWithProgids";
}

std::string OpenWithCommandKey(const std::string& handlerName)
{
    return std::string(FileTypeName) + "\\shell\\Open with " + handlerName + "\\command";
}

std::string BuildOpenCommand(const std::string& programPath)
{
    std::string command;
    command += Quote;
    command += programPath;
    command += Quote;
    command += Space;
    command += Quote;
    command += "%1";
    command += Quote;
    return command;
}

std::string BuildChooserCommand()
{
    std::string command = "rundll32.exe shell32.dll,OpenAs_RunDLL ";
    command += Quote;
    command += "%1";
    command += Quote;
    return command;
}

size_t FolderPrefixLength(const std::wstring& path, const std::wstring& folder)
{
    auto isSeparator = [](wchar_t c) { return c == L'\\' || c == L'/'; };
    size_t length = folder.size();
    while (length > 0 && isSeparator(folder[length - 1]))
        --length;  // "C:\Temp\" and "C:\Temp" name one folder
    if (length == 0 || path.size() <= length + 1 || !isSeparator(path[length]))
        return 0;
    return length;
}
