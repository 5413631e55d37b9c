// tests/win32/registry_views_win32.h: the registry views a test plants and reads keys
// in. On 64-bit Windows DORVALIX.EXE, a 32-bit program, sees the 64-bit view's
// HKEY_LOCAL_MACHINE\Software\Wow6432Node as its HKEY_LOCAL_MACHINE\Software (keys
// that both views share, such as Software\Classes and Software\RegisteredApplications,
// aside), while the shell, a 64-bit program, reads the 64-bit view. On 32-bit Windows
// there is one view and both flags are ignored.
#pragma once

#include <windows.h>

#include <string>

// Where a compiler's installer, a 32-bit program, writes its keys, and where the
// product reads them. The x86-64 build of the same sources reads its own view.
#if defined(_WIN64)
constexpr REGSAM CompilerKeysView = 0;
#else
constexpr REGSAM CompilerKeysView = KEY_WOW64_32KEY;
#endif

// Where the shell reads Default apps' entries below HKEY_LOCAL_MACHINE\Software.
constexpr REGSAM ShellView = KEY_WOW64_64KEY;

// RegDeleteTreeA of a key in a view: the key, its values and every key below it.
inline LONG DeleteTreeInView(HKEY root, const std::string& path, REGSAM view)
{
    HKEY key = nullptr;
    LONG status = RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS | view, &key);
    if (status != ERROR_SUCCESS)
        return status;
    status = RegDeleteTreeA(key, nullptr);
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? RegDeleteKeyExA(root, path.c_str(), view, 0) : status;
}
