// app/iswin95_export_win32.cpp: ISWIN95, the program file's only export. It tells a
// caller whether Windows belongs to the Windows 95 family (95, 98, Me). The program
// never calls it; it needs none of the program's start-up.
#include <windows.h>

static_assert(sizeof(OSVERSIONINFOA) == 148, "the version record is 148 bytes");

constexpr LONG TrueValue = -1;  // the program's booleans: all bits set for true
constexpr LONG FalseValue = 0;

// Exported undecorated: the 32-bit link strips the @0 of the stdcall name (--kill-at).
extern "C" __declspec(dllexport) LONG WINAPI ISWIN95()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);  // on failure the platform stays 0: not the 95 family
    return version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ? TrueValue : FalseValue;
}
