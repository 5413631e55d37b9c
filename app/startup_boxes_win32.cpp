// app/startup_boxes_win32.cpp: the usage box and the open-failure warning. Their lines
// are separated by CR alone, like every text the program builds.
#include "app/startup_boxes_win32.h"

#include <vector>

#include "shell/registration_text.h"
#include "shell/shell_integration_win32.h"
#include "text/ascii_text.h"
#include "ui/dialog_layer_win32.h"

namespace {

constexpr UINT StopBoxStyle = MB_OK | MB_ICONHAND;  // one OK button, the stop icon
static_assert(StopBoxStyle == 0x10, "the style of both boxes");

const char UsageText[] =
    "No parameter is used. Please use:\r\r"
    "DORVALIX sourcecode.bas\r\r"
    "or doubleclick on any file with the .BAS extension";
const char OpenFailureText[] =
    "The file passed as parameter could not be opened!\r"
    "Execution terminated.";
// The registration is not made from such a copy, so this paragraph stands where the
// one on the file types would: that one tells what this start's registration left.
const char TemporaryCopyNote[] =
    "DORVALIX is running from a temporary copy (for instance inside a zip file), which "
    "Windows deletes again, so it has registered nothing.\r"
    "Extract or copy DORVALIX.EXE to a folder of its own first, then run it from there.";
const char ChooseDorvalixLine[] =
    "To open them with DORVALIX: right-click such a file, Open with, Choose another app, DORVALIX, "
    "Always; or Settings, Default apps.";

// ".bas" as the box names it: ".BAS".
std::string BoxExtension(const std::string& extension)
{
    return UpperAscii(extension);
}

// Where the user's own choice in Windows gives the extension to another program: which
// one. Empty where there is no choice or it names DORVALIX's type or program.
std::string OtherChoiceLine(const std::string& extension)
{
    std::string type = UserChoiceType(extension);
    if (type.empty() || IsOwnFileType(type))
        return std::string();
    std::string program = TypeHandlerName(type);
    if (IsOwnHandler(program))
        return std::string();  // DORVALIX.EXE chosen as a program of its own
    std::string opener = program.empty() ? "the file type " + type : program + " (file type " + type + ")";
    return BoxExtension(extension) + " files open with " + opener + ", as chosen in Windows.";
}

// The paragraph on the extensions that will not reach DORVALIX, its lines separated by
// CR; empty where both do. An extension that could not be registered is named only as
// such: choosing DORVALIX for it would not help.
std::string AssociationNote()
{
    int refusedCount = 0;
    std::string refused;
    std::vector<std::string> lines;
    for (const char* extension : SourceExtensions) {
        if (!ExtensionIsRegistered(extension)) {
            refused += (refusedCount++ ? " and " : "") + BoxExtension(extension);
            continue;
        }
        std::string line = OtherChoiceLine(extension);
        if (!line.empty())
            lines.push_back(line);
    }
    if (!lines.empty())
        lines.push_back(ChooseDorvalixLine);
    if (refusedCount > 0)
        lines.insert(lines.begin(), "The " + refused + (refusedCount > 1 ? " file types" : " file type") +
                                        " could not be registered for this user.");
    std::string note;
    for (const std::string& line : lines)
        note += (note.empty() ? "" : "\r") + line;
    return note;
}

}  // namespace

std::string UsageBoxText(bool temporaryCopy)
{
    std::string note = temporaryCopy ? TemporaryCopyNote : AssociationNote();
    return note.empty() ? UsageText : UsageText + std::string("\r\r") + note;
}

void ShowUsage(bool temporaryCopy)
{
    ShowMessage(UsageBoxText(temporaryCopy), StopBoxStyle, "Dorvalix");  // the pressed button does not matter
}

void ShowOpenFailure()
{
    ShowMessage(OpenFailureText, StopBoxStyle, "Dorvalix warning");
}
