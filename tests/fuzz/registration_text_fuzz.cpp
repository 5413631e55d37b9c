// Fuzz target: the handler name derived from any previous open command, the verb key
// made from it, and the two fixed commands. The input's first byte chooses how the
// rest is used.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "shell/registration_text.h"

namespace {

const std::string VerbPrefix = "Dorvalix\\shell\\Open with ";
const std::string VerbSuffix = "\\command";

bool StartsWith(const std::string& text, const std::string& head)
{
    return text.size() >= head.size() && text.compare(0, head.size(), head) == 0;
}

bool EndsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Every byte of part appears in whole, in the same order.
bool IsSubsequence(const std::string& part, const std::string& whole)
{
    size_t at = 0;
    for (char c : whole)
        if (at < part.size() && part[at] == c)
            ++at;
    return at == part.size();
}

std::string Upper(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// Any previous open command: the name only ever loses bytes of the command's file-name
// part, never holds a quote or a backslash, and so never adds a level to the verb key.
void CheckAnyPreviousCommand(const std::string& command)
{
    std::string part = FileNamePart(command);
    if (part.find('\\') != std::string::npos || !EndsWith(command, part))
        std::abort();
    if (command.find('\\') != std::string::npos && command.substr(command.find_last_of('\\') + 1) != part)
        std::abort();

    std::string name = HandlerName(command);
    if (!IsSubsequence(name, part) || name.find('"') != std::string::npos || name.find('\\') != std::string::npos)
        std::abort();
    if (IsOwnHandler(name) != (Upper(name) == "DORVALIX"))
        std::abort();

    std::string key = OpenWithCommandKey(name);
    if (!StartsWith(key, VerbPrefix) || !EndsWith(key, VerbSuffix) ||
        key.size() != VerbPrefix.size() + name.size() + VerbSuffix.size())
        std::abort();
    size_t levels = 0;
    for (char c : key)
        levels += c == '\\';
    if (levels != 3)
        std::abort();  // Dorvalix \ shell \ Open with <name> \ command, whatever the name
}

// Any program path: the open command quotes it whole and ends in "%1" quoted, and the
// handler name of that command is the program's own file name without ".EXE", so a
// program that took the extension over before is recognised as itself.
void CheckOwnOpenCommand(const std::string& folder, const std::string& baseName)
{
    std::string path = folder + "\\" + baseName + ".exe";
    std::string command = BuildOpenCommand(path);
    if (command != "\"" + path + "\" \"%1\"")
        std::abort();
    std::string name = HandlerName(command);
    bool plainBase = !baseName.empty() && baseName.front() != ' ' && baseName.back() != ' ' &&
                     baseName.find_first_of("\\\"%.") == std::string::npos;
    if (plainBase && name != baseName)
        std::abort();
    if (plainBase && IsOwnHandler(name) != (Upper(baseName) == "DORVALIX"))
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string input(reinterpret_cast<const char*>(data), size);
    CheckAnyPreviousCommand(input);

    size_t split = input.empty() ? 0 : static_cast<uint8_t>(input[0]) % (input.size() + 1);
    CheckOwnOpenCommand(input.substr(0, split), input.substr(split));
    CheckOwnOpenCommand(input.substr(0, split), "DORVALIX");

    if (BuildChooserCommand() != "rundll32.exe shell32.dll,OpenAs_RunDLL \"%1\"")
        std::abort();
    return 0;
}
