// tests/e2e/planted_dll_win32.cpp: a DLL such as a web page could make the browser
// save into the Downloads folder beside DORVALIX.EXE. The scenario copies it there
// under the names of DLLs the programs load after they start; whenever the system
// loads it into a process, it appends one line, "loaded <its own path> into <the
// process's program file>", to C:\e2e\planted.log. It does nothing else, so a process it got into runs on (or
// fails) as it would with the real DLL missing.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    char own[MAX_PATH] = "", program[MAX_PATH] = "", line[2 * MAX_PATH + 32];
    GetModuleFileNameA(self, own, MAX_PATH);
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    wsprintfA(line, "loaded %s into %s\n", own, program);
    HANDLE log = CreateFileA("C:\\e2e\\planted.log", FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(log, line, lstrlenA(line), &written, nullptr);
        CloseHandle(log);
    }
    return TRUE;
}
