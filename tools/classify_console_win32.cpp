// tools/classify_console_win32.cpp: dorvalix-classify's arguments and output on
// Windows. Its texts are in the program's code page; what it prints leaves as UTF-8,
// or as characters where it goes to a console window, whose own code page (the OEM
// one, as a rule) could not show them.
#include "tools/classify_console_win32.h"

#include <windows.h>

#include "text/path_spelling_win32.h"

std::vector<Argument> SpelledArguments(int argc, wchar_t** argv)
{
    std::vector<Argument> arguments;
    for (int i = 1; i < argc; ++i) {
        Argument argument = {std::string(), true};
        if (!SpellPath(argv[i], &argument.text)) {
            argument.spelled = false;
            // For its messages only: the system's nearest spelling, never opened.
            std::wstring wide = argv[i];
            int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                             nullptr, nullptr);
            argument.text.assign(static_cast<size_t>(length > 0 ? length : 0), '?');
            if (length > 0)
                WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), &argument.text[0],
                                    length, nullptr, nullptr);
        }
        arguments.push_back(argument);
    }
    return arguments;
}

void WriteText(std::FILE* stream, const std::string& text)
{
    if (text.empty())
        return;
    std::wstring wide = WideText(text);
    HANDLE handle = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (GetConsoleMode(handle, &mode)) {
        std::fflush(stream);
        DWORD written = 0;
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    std::string utf8 = Utf8Text(wide);
    std::fwrite(utf8.data(), 1, utf8.size(), stream);
}

std::FILE* OpenForReading(const char* path)
{
    return _wfopen(WideText(path).c_str(), L"rb");
}

bool IsFolder(const char* path)
{
    DWORD attributes = GetFileAttributesW(WideText(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
