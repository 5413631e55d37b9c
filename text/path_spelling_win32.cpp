// text/path_spelling_win32.cpp: conversions between the program's code page, the
// system's and UTF-16, each checked to be exact, and the short spelling of a path.
#include "text/path_spelling_win32.h"

#include <windows.h>

namespace {

std::wstring WideFrom(unsigned codePage, DWORD flags, const std::string& text)
{
    if (text.empty())
        return std::wstring();
    int size = static_cast<int>(text.size());
    int length = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0)
        MultiByteToWideChar(codePage, flags, text.data(), size, &wide[0], length);
    return wide;
}

// WideCharToMultiByte with the flags given; false where the conversion fails or had to
// use the default character.
bool BytesFrom(unsigned codePage, DWORD flags, bool askUsedDefault, const std::wstring& wide, std::string* bytes)
{
    BOOL usedDefault = FALSE;
    BOOL* used = askUsedDefault ? &usedDefault : nullptr;
    int size = static_cast<int>(wide.size());
    int length = WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, used);
    if (length <= 0 || usedDefault)
        return false;
    bytes->assign(static_cast<size_t>(length), '\0');
    return WideCharToMultiByte(codePage, flags, wide.data(), size, &(*bytes)[0], length, nullptr, used) == length &&
           !usedDefault;
}

// The text in the code page, exactly: without best-fit look-alikes, without the
// default character, and such that it reads back as the same characters. UTF-8 and a
// few other code pages take neither flag nor the used-default question; for them the
// read-back alone decides.
bool ExactBytes(unsigned codePage, const std::wstring& wide, std::string* bytes)
{
    if (wide.empty()) {
        bytes->clear();
        return true;
    }
    std::string converted;
    SetLastError(0);
    bool done = codePage == CP_UTF8 ? BytesFrom(codePage, WC_ERR_INVALID_CHARS, false, wide, &converted)
                                    : BytesFrom(codePage, WC_NO_BEST_FIT_CHARS, true, wide, &converted);
    if (!done && GetLastError() == ERROR_INVALID_FLAGS)
        done = BytesFrom(codePage, 0, false, wide, &converted);
    if (!done || WideFrom(codePage, MB_ERR_INVALID_CHARS, converted) != wide)
        return false;
    *bytes = converted;
    return true;
}

bool IsAscii(const std::string& text)
{
    for (unsigned char c : text)
        if (c > 0x7F)
            return false;
    return true;
}

}  // namespace

ShortPathLookup LookUpShortPath = SystemShortPath;

std::wstring SystemShortPath(const std::wstring& widePath)
{
    DWORD length = GetShortPathNameW(widePath.c_str(), nullptr, 0);  // with the NUL
    for (int attempt = 0; attempt < 4 && length > 0; ++attempt) {
        std::wstring shortPath(length, L'\0');
        DWORD got = GetShortPathNameW(widePath.c_str(), &shortPath[0], length);
        if (got > 0 && got < length) {
            shortPath.resize(got);
            return shortPath;
        }
        length = got;  // the path changed in between: the size it needs now
    }
    return std::wstring();
}

std::wstring WideText(const std::string& text)
{
    return WideFrom(CP_ACP, 0, text);
}

bool ProcessText(const std::wstring& wide, std::string* text)
{
    return ExactBytes(GetACP(), wide, text);
}

std::string Utf8Text(const std::wstring& wide)
{
    std::string text;
    return ExactBytes(CP_UTF8, wide, &text) ? text : std::string();
}

unsigned SystemCodePage()
{
    DWORD codePage = 0;
    // The number itself, in the room of two wide characters.
    if (!GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                        reinterpret_cast<LPWSTR>(&codePage), sizeof codePage / sizeof(WCHAR)))
        return 0;
    return codePage;
}

bool CodePageHolds(unsigned codePage, const std::string& text)
{
    if (codePage == 0)
        return IsAscii(text);
    std::string bytes;
    return ExactBytes(codePage, WideText(text), &bytes);
}

std::string ShortPath(const std::string& path)
{
    std::string shortPath;
    return ProcessText(LookUpShortPath(WideText(path)), &shortPath) ? shortPath : std::string();
}

bool SpellPath(const std::wstring& widePath, std::string* path)
{
    if (ProcessText(widePath, path))
        return true;
    std::wstring shortPath = LookUpShortPath(widePath);
    return !shortPath.empty() && ProcessText(shortPath, path);
}
