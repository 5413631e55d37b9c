// shell/temporary_folder_win32.cpp: the program file's path against the user's
// temporary folder, both spelled the same way first; where the one lies below the
// other is decided by FolderPrefixLength (shell/registration_text.h).
#include "shell/temporary_folder_win32.h"

#include <windows.h>

#include <string>

#include "shell/registration_text.h"

namespace {

// What a wide path call gives back, however long: the call is given the buffer's size
// and returns the length it wrote, or the size it needs (its terminator counted) where
// the buffer is too small; 0 for a failure, which gives an empty text.
template <typename Call>
std::wstring WideResult(Call call)
{
    std::wstring buffer(MAX_PATH, L'\0');
    for (int tries = 0; tries < 4; ++tries) {
        DWORD length = call(&buffer[0], static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return std::wstring();
        if (length < buffer.size())
            return buffer.substr(0, length);
        buffer.resize(length + 1);
    }
    return std::wstring();
}

// The path full and in its long spelling; as far as the system gives one (a folder
// that does not exist keeps its spelling).
std::wstring LongSpelling(const std::wstring& path)
{
    std::wstring full = WideResult([&](wchar_t* out, DWORD size) {
        return GetFullPathNameW(path.c_str(), size, out, nullptr);
    });
    if (full.empty())
        return path;
    std::wstring longPath = WideResult([&](wchar_t* out, DWORD size) {
        return GetLongPathNameW(full.c_str(), out, size);
    });
    return longPath.empty() ? full : longPath;
}

std::wstring ProgramFile()
{
    // GetModuleFileNameW fills the whole buffer, cut, when it is too small: grow it.
    std::wstring buffer(MAX_PATH, L'\0');
    for (; buffer.size() <= 0x10000; buffer.resize(buffer.size() * 2)) {
        DWORD length = GetModuleFileNameW(nullptr, &buffer[0], static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return std::wstring();
        if (length < buffer.size())
            return buffer.substr(0, length);
    }
    return std::wstring();
}

}  // namespace

bool RunsFromTemporaryFolder()
{
    std::wstring program = ProgramFile();
    std::wstring temporary = WideResult([](wchar_t* out, DWORD size) { return GetTempPathW(size, out); });
    if (program.empty() || temporary.empty())
        return false;
    program = LongSpelling(program);
    temporary = LongSpelling(temporary);
    size_t length = FolderPrefixLength(program, temporary);
    // Ordinal, letter case aside: how the file system itself compares names.
    return length > 0 && CompareStringOrdinal(program.c_str(), static_cast<int>(length), temporary.c_str(),
                                              static_cast<int>(length), TRUE) == CSTR_EQUAL;
}
