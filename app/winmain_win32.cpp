// app/winmain_win32.cpp: the process entry of DORVALIX.EXE.
#include <windows.h>

#include "app/main_flow_win32.h"
#include "text/system_library_win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    RestrictDllSearchToSystem();  // a DLL beside the program (a Downloads folder) must never load
    return RunDorvalix(GetCommandLineA(), GetCommandLineW());
}
