// text/system_library_win32.cpp: the DLL search restricted to the system folder, and
// system DLLs loaded from there by full path.
#include "text/system_library_win32.h"

#include <string>

namespace {

using DefaultDllDirectoriesSetter = BOOL(WINAPI*)(DWORD directoryFlags);

// Looked up at run time: Vista and 7 without KB2533623 do not have it, and a program
// that imported it would not start there at all.
DefaultDllDirectoriesSetter FindDefaultDllDirectoriesSetter()
{
    HMODULE kernel32 = GetModuleHandleA("kernel32.dll");  // always loaded: nothing is searched
    FARPROC found = kernel32 ? GetProcAddress(kernel32, "SetDefaultDllDirectories") : nullptr;
    // Through a plain function pointer type: FARPROC names no signature of its own.
    return reinterpret_cast<DefaultDllDirectoriesSetter>(reinterpret_cast<void (*)()>(found));
}

}  // namespace

void RestrictDllSearchToSystem()
{
    DefaultDllDirectoriesSetter setDefault = FindDefaultDllDirectoriesSetter();
    if (setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32))
        return;
    // The fallback is inherited by the processes the program starts, the compilers
    // among them. That is kept on purpose: a compiler still finds its own DLLs, for its
    // own folder stays first in its search; it loses only the current folder, which is
    // DORVALIX's, not one the compiler's files are in.
    SetDllDirectoryA("");
}

HMODULE LoadSystemLibrary(const char* name)
{
    if (FindDefaultDllDirectoriesSetter())  // the flag is known wherever the setter is
        return LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    char folder[MAX_PATH];
    UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;  // no system folder to name: nothing is loaded by name alone
    return LoadLibraryA((std::string(folder, length) + "\\" + name).c_str());
}
